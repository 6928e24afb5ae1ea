#pragma once
// VB's Format function for the number and date patterns the program uses.
//
// Numbers: the placeholders 0 (a digit, zero when none) and # (a digit, nothing
// when none), one decimal point, a comma between whole-part placeholders for
// thousands grouping ("###,##0"), commas right of the last whole placeholder
// scale by 1000, % multiplies by 100; any other character, a "quoted" text or
// a \-escaped character is shown as it stands ("構成点###000"). Sections split
// by ';' serve positive, negative (shown without sign) and zero values. Values
// are rounded half away from zero on their 15 significant decimal digits, as
// VB does, so 1.005 with "0.00" is 1.01. The whole part is never cut: 12345
// with "000" is 12345. A negative value that rounds to zero shows no sign.
//
// Dates (letters in either case): yyyy, yy, m, mm (minutes right after an hour
// or before a second), d, dd, h, hh, n, nn, s, ss, y (day of the year),
// g (era letter, H), gg (era initial, 平), ggg (era name, 平成), e / ee (era
// year, ee with two digits), aaa / aaaa (日 / 日曜日). '/' and ':' and every
// other character stand as they are. Dates before the first era show no era
// name and the western year for e.
#include <QDate>
#include <QDateTime>
#include <QString>

namespace veltra::vb {

QString format(double value, const QString &pattern);
QString format(const QDateTime &value, const QString &pattern);
QString format(const QDate &value, const QString &pattern);
// A text is formatted as the number it reads as, else as the date it reads as,
// else returned unchanged (an empty text gives an empty text).
QString format(const QString &text, const QString &pattern);

} // namespace veltra::vb
