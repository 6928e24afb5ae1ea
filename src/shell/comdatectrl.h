#pragma once
// ComDateCtrl: conversions between dates, engine day numbers and display texts.
//
// The engine counts days from the document's base date; callers turn a date
// into a day number with DaysBetween(date, gdtBaseDate, days) and a day number
// back into a text with AddDaysText(gdtBaseDate, days).
//
// Date arguments are Variants: a QDate, a QDateTime, or a text that reads as a
// date in the Japanese locale (western "2005/04/01", "2005年04月01日", era
// "平成17年04月01日" or "平成元年…", see platform/vb/dates.h). Every text that
// FormatDate makes, in either style, reads back as the same day. The era table
// is platform/vb/era.h.
#include <QString>
#include <QVariant>
#include <cstdint>

namespace ComDateCtrl {

// Display style of FormatDate: 0 the Japanese era (the default), 1 western.
// Subsystems switch it for a while and set it back.
inline int16_t gintDateFormat = 0;

inline const QString DateFormatEra = QStringLiteral("ggge年mm月dd日");
inline const QString DateFormatWestern = QStringLiteral("yyyy年mm月dd日");

// The calendar days from date2 to date1 (times of day ignored). False, with
// `days` untouched, when either argument is not a date.
bool DaysBetween(const QVariant &date1, const QVariant &date2, int32_t &days);

// The date in the style gintDateFormat selects; empty when it is not a date.
QString FormatDate(const QVariant &date);

// FormatDate of the date moved by `days` (negative moves back); empty when it
// is not a date. A result outside the years 100 to 9999 raises
// veltra::vb::Overflow.
QString AddDaysText(const QVariant &date, int32_t days);

} // namespace ComDateCtrl
