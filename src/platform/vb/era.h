#pragma once
// The Japanese eras used to show and read dates in the era style.
//
// Our own table, oldest first: 明治 (M) from 1868-01-01, 大正 (T) from
// 1912-07-30, 昭和 (S) from 1926-12-25, 平成 (H) from 1989-01-08 and 令和 (R)
// from 2019-05-01. The first year of an era is year 1 (written 元年 by people;
// both forms are read). Dates before 明治 have no era.
#include <QDate>
#include <QString>
#include <QStringView>
#include <vector>

namespace veltra::vb {

struct Era
{
    QString name; // full name, "平成"
    QString initial; // first character of the name, "平"
    QChar letter; // Latin initial, 'H'
    QDate start; // first day of the era
};

// All eras, oldest first.
const std::vector<Era> &eras();

// The era of a date, or nullptr before the first era.
const Era *eraOf(const QDate &date);

// The year within its era (1 in the era's first year); 0 when the date has no era.
int eraYear(const QDate &date);

// The date of a day given in an era; an invalid QDate when the day does not
// exist or lies before the era's start. Years past the era's end are accepted
// (平成32年 is 2020), as people keep writing them.
QDate eraDate(const Era &era, int year, int month, int day);

// The era whose full name, one-character initial or Latin letter (either case)
// begins `text`; `length` receives the characters used. Full names are tried
// first. nullptr when none matches.
const Era *eraAtStart(QStringView text, int *length);

} // namespace veltra::vb
