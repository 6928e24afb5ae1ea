#pragma once
// VB's number conversions: CInt, CLng, CDbl, Val, IsNumeric and CStr.
//
// - Whole-number conversions round halves to the even neighbour (2.5 -> 2,
//   3.5 -> 4, -2.5 -> -2) and then check the 16-bit (Integer) or 32-bit (Long)
//   range; a value outside it, or not finite, raises Overflow.
// - A text reads as a number (IsNumeric, CDbl) when, after blanks around it
//   are dropped, it is an optional sign, digits (commas allowed between digits
//   of the whole part), an optional fraction and an optional exponent (E or D),
//   or a hexadecimal (&H) or octal (&O) literal. A text that does not read
//   raises TypeMismatch in CDbl, CInt and CLng.
// - Val reads the leading number of any text: blanks, tabs and line feeds are
//   skipped wherever they stand, &H and &O prefixes are understood, and reading
//   stops at the first character that cannot continue the number; no number
//   gives 0.
// - &H and &O literals of up to 16 bits are Integers (&HFFFF is -1), up to 32
//   bits Longs (&HFFFFFFFF is -1); a longer one raises Overflow.
// - CStr of a Double rounds the value to 15 significant digits first, then
//   writes it with no trailing zeros and no point when nothing follows it
//   ("1234.5", "0.25", "0.333333333333333", "-2"). The plain form is kept
//   while it needs at most 15 digits before the point and at most 15 after
//   it; beyond either limit the exponent form is used: one digit before the
//   point and a signed exponent of at least two digits. The switch points:
//     999999999999999 -> "999999999999999", 1E15 -> "1E+15",
//     999999999999999.5 rounds to 1E15 -> "1E+15";
//     5E-15 -> "0.000000000000005" (15 decimals), 5E-16 -> "5E-16",
//     1/30 -> "3.33333333333333E-02" (its plain form needs 16 decimals).
//   Zero, negative zero included, is "0"; the values VB cannot hold show as
//   VB shows them: "1.#INF", "-1.#INF", "-1.#IND".
#include <QString>
#include <cstdint>
#include <optional>

namespace veltra::vb {

// Rounds to a whole number, halves to the even neighbour.
double roundHalfEven(double value);

int16_t cInt(double value);
int32_t cLng(double value);
int16_t cInt(const QString &text);
int32_t cLng(const QString &text);
// CInt of a text, or nothing where CInt raises Overflow or TypeMismatch.
std::optional<int16_t> tryCInt(const QString &text);
double cDbl(const QString &text);

// The number a text reads as (IsNumeric's rule), or nothing.
std::optional<double> toNumber(const QString &text);
bool isNumeric(const QString &text);

double val(const QString &text);

QString cStr(double value);

} // namespace veltra::vb
