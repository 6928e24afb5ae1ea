#pragma once
// VB Date values and the reading of date texts as CDate does in a Japanese locale.
//
// A date value is a QDateTime without time zone meaning: its date() and time()
// are the calendar day and the clock time (built with Qt::UTC only so that no
// daylight-saving rule can move it). Callers hand over QDate, QDateTime or a
// text (where VB code passed a Variant).
//
// Texts that read as dates (blanks around and between the parts allowed):
// - western: "2005/04/01", "2005/4/1", "2005-4-1", "2005.4.1", "05/4/1"
//   (two-digit years: 00-29 are 2000-2029, 30-99 are 1930-1999) and
//   "2005年4月1日";
// - Japanese era: "平成17年4月1日", "平成元年1月8日", "平 17年…", "H17.4.1",
//   "H17/04/01" (full name, initial or Latin letter of an era; 元 for year 1);
//   a day before the era's start is no date;
// - each optionally followed by a time "10:30", "10:30:15" or "10時30分[15秒]".
// Nothing else reads as a date: not "20050401", not "未定", not "2005/13/01".
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>
#include <optional>

namespace veltra::vb {

// A date value for the day (and time).
QDateTime makeDateTime(const QDate &date, const QTime &time = QTime(0, 0));

// The date a text reads as, or nothing.
std::optional<QDateTime> parseDateText(const QString &text);

// The date a Variant holds or reads as: a valid QDate or QDateTime, or a text
// as above. Anything else (numbers, empty) is no date.
std::optional<QDateTime> toDate(const QVariant &value);

bool isDate(const QVariant &value);

// CDate: raises TypeMismatch when the value is no date.
QDateTime cDate(const QVariant &value);

} // namespace veltra::vb
