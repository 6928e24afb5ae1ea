#pragma once
// Text tests and Japanese-era date formatting for the statistics data
// classes and the registration window.
//
// Byte widths are CP932 widths (half-width katakana 1 byte, kanji and NEC
// special characters 2 bytes). A character CP932 cannot hold is neither
// single-byte nor double-byte: such a text is refused by both tests, since it
// could never be written to the data files.
#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>

namespace ComFunction {

// True when every character takes one CP932 byte; true for "".
bool IsHankakuOnly(const QString &text);
// True when every character takes two CP932 bytes; true for "".
bool IsZenkakuOnly(const QString &text);
// 1 + the number of characters equal to the separator (a separator that is
// not one character never matches, giving 1).
int16_t GetFieldCount(const QString &text, const QString &separator);
// kind 1: "ggge年m月d日" (平成17年10月1日); kind 2: "ge.mm.dd" (H17.10.01);
// any other kind, or a text that is no date (or a date before 明治), "".
// Dates are read as year/month/day with '/' or '-' between.
QString FormatEraDate(const QString &dateText, int16_t kind);

} // namespace ComFunction

namespace veltra::statdata {

// A date text read as year/month/day with '/' or '-' between (1-2 digit
// month and day allowed); an invalid QDate otherwise.
QDate parseDateText(const QString &text);
// "ggge年度": era name, era year and 年度 (平成17年度); "" when no era.
QString surveyYearText(const QString &dateText);

} // namespace veltra::statdata
