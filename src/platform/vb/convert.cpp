#include "platform/vb/convert.h"

#include "platform/vb/errors.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace veltra::vb {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c, int radix)
{
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        d = c.unicode() - u'A' + 10;
    return d >= 0 && d < radix ? d : -1;
}

// A &H / &O literal's value: 16-bit when it fits in 16 bits, else 32-bit, both
// read as signed (two's complement), as VB types such literals.
double radixLiteralValue(quint64 bits)
{
    if (bits <= 0xFFFFu)
        return static_cast<int16_t>(static_cast<uint16_t>(bits));
    if (bits <= 0xFFFFFFFFu)
        return static_cast<int32_t>(static_cast<uint32_t>(bits));
    throw Overflow("Overflow: hexadecimal or octal literal wider than 32 bits");
}

// Reads digits of a radix from `pos`; returns false when a digit would take the
// value past 64 bits (the caller reports overflow).
bool readRadixDigits(const QString &s, qsizetype &pos, int radix, quint64 &bits, int &count)
{
    bits = 0;
    count = 0;
    while (pos < s.size()) {
        const int d = digitValue(s[pos], radix);
        if (d < 0)
            break;
        if (bits > (UINT64_MAX - d) / radix)
            return false;
        bits = bits * radix + d;
        ++pos;
        ++count;
    }
    return true;
}

// The radix an &H / &O literal's letter names, 0 for any other letter.
int literalRadix(QChar letter)
{
    const QChar kind = letter.toUpper();
    return kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
}

// Appends the decimal digits from `pos` to `out`; returns how many.
int appendDigits(const QString &s, qsizetype &pos, std::string &out)
{
    int count = 0;
    while (pos < s.size() && isDigit(s[pos])) {
        out += static_cast<char>(s[pos++].unicode());
        ++count;
    }
    return count;
}

void appendSign(const QString &s, qsizetype &pos, std::string &out)
{
    if (pos < s.size() && (s[pos] == u'+' || s[pos] == u'-'))
        out += static_cast<char>(s[pos++].unicode());
}

// Appends a decimal point and the digits after it, when `pos` is at one;
// returns how many digits.
int appendFraction(const QString &s, qsizetype &pos, std::string &out)
{
    if (pos >= s.size() || s[pos] != u'.')
        return 0;
    out += '.';
    ++pos;
    return appendDigits(s, pos, out);
}

bool isExponentMark(QChar c)
{
    return c.toUpper() == u'E' || c.toUpper() == u'D';
}

// Reads an exponent from its mark (E or D, both mean "times ten to") at `pos`
// into `exponent` as strtod reads it; returns how many digits it has.
int readExponent(const QString &s, qsizetype &pos, std::string &exponent)
{
    exponent = "e";
    ++pos;
    appendSign(s, pos, exponent);
    return appendDigits(s, pos, exponent);
}

enum class ParseStatus { Ok, NotNumeric, TooLarge };

ParseStatus parseNumericText(const QString &text, double &value)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    const QString s = text.mid(b, e - b);
    if (s.isEmpty())
        return ParseStatus::NotNumeric;

    if (s.size() >= 2 && s[0] == u'&') {
        const int radix = literalRadix(s[1]);
        if (radix == 0)
            return ParseStatus::NotNumeric;
        qsizetype pos = 2;
        quint64 bits = 0;
        int count = 0;
        if (!readRadixDigits(s, pos, radix, bits, count))
            return ParseStatus::TooLarge;
        if (count == 0 || pos != s.size())
            return ParseStatus::NotNumeric;
        try {
            value = radixLiteralValue(bits);
        } catch (const Overflow &) {
            return ParseStatus::TooLarge;
        }
        return ParseStatus::Ok;
    }

    std::string clean;
    qsizetype i = 0;
    appendSign(s, i, clean);
    int mantissaDigits = 0;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            clean += static_cast<char>(s[i].unicode());
            ++mantissaDigits;
        } else if (s[i] == u',' && mantissaDigits > 0 && i + 1 < s.size() && isDigit(s[i + 1])) {
            // thousands separator: dropped
        } else {
            break;
        }
        ++i;
    }
    mantissaDigits += appendFraction(s, i, clean);
    if (mantissaDigits == 0)
        return ParseStatus::NotNumeric;
    if (i < s.size() && isExponentMark(s[i])) {
        std::string exponent;
        if (readExponent(s, i, exponent) == 0)
            return ParseStatus::NotNumeric;
        clean += exponent;
    }
    if (i != s.size())
        return ParseStatus::NotNumeric;
    value = std::strtod(clean.c_str(), nullptr);
    return std::isfinite(value) ? ParseStatus::Ok : ParseStatus::TooLarge;
}

} // namespace

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

int16_t cInt(double value)
{
    const double r = roundHalfEven(value);
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0)
        throw Overflow("Overflow: " + std::to_string(value) + " is outside the Integer range");
    return static_cast<int16_t>(r);
}

int32_t cLng(double value)
{
    const double r = roundHalfEven(value);
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0)
        throw Overflow("Overflow: " + std::to_string(value) + " is outside the Long range");
    return static_cast<int32_t>(r);
}

std::optional<int16_t> tryCInt(const QString &text)
{
    try {
        return cInt(text);
    } catch (const Overflow &) {
        return std::nullopt;
    } catch (const TypeMismatch &) {
        return std::nullopt;
    }
}

double cDbl(const QString &text)
{
    double v = 0;
    switch (parseNumericText(text, v)) {
    case ParseStatus::Ok:
        return v;
    case ParseStatus::TooLarge:
        throw Overflow("Overflow: \"" + text.toStdString() + "\" is too large");
    case ParseStatus::NotNumeric:
        break;
    }
    throw TypeMismatch("Type mismatch: \"" + text.toStdString() + "\" is not a number");
}

int16_t cInt(const QString &text)
{
    return cInt(cDbl(text));
}

int32_t cLng(const QString &text)
{
    return cLng(cDbl(text));
}

std::optional<double> toNumber(const QString &text)
{
    double v = 0;
    if (parseNumericText(text, v) == ParseStatus::Ok)
        return v;
    return std::nullopt;
}

bool isNumeric(const QString &text)
{
    return toNumber(text).has_value();
}

double val(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            s += c;
    }

    if (s.size() >= 2 && s[0] == u'&') {
        const int radix = literalRadix(s[1]);
        if (radix == 0)
            return 0;
        qsizetype pos = 2;
        quint64 bits = 0;
        int count = 0;
        if (!readRadixDigits(s, pos, radix, bits, count))
            throw Overflow("Overflow: hexadecimal or octal literal wider than 32 bits");
        return count == 0 ? 0.0 : radixLiteralValue(bits);
    }

    std::string clean;
    qsizetype i = 0;
    appendSign(s, i, clean);
    int mantissaDigits = appendDigits(s, i, clean);
    mantissaDigits += appendFraction(s, i, clean);
    if (mantissaDigits == 0)
        return 0;
    if (i < s.size() && isExponentMark(s[i])) {
        // An exponent without digits is not part of the number.
        std::string exponent;
        if (readExponent(s, i, exponent) > 0)
            clean += exponent;
    }
    const double v = std::strtod(clean.c_str(), nullptr);
    if (!std::isfinite(v))
        throw Overflow("Overflow: \"" + text.toStdString() + "\" is too large");
    return v;
}

QString cStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("-1.#IND");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("1.#INF") : QStringLiteral("-1.#INF");
    if (value == 0)
        return QStringLiteral("0");

    // printf rounds to the 15 significant digits: d.dddddddddddddde±x.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string text(buffer);
    const std::size_t mark = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, mark - 2);
    const int exponent = std::atoi(text.c_str() + mark + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int count = static_cast<int>(digits.size());

    std::string out = value < 0 ? "-" : "";
    const int decimals = count - 1 - exponent;
    if (exponent <= 14 && decimals <= 15) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else if (decimals <= 0) {
            out += digits + std::string(static_cast<std::size_t>(-decimals), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "."
                + digits.substr(static_cast<std::size_t>(exponent + 1));
        }
    } else {
        out += digits.substr(0, 1);
        if (count > 1)
            out += "." + digits.substr(1);
        char exponentText[16];
        std::snprintf(
            exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += exponentText;
    }
    return QString::fromStdString(out);
}

} // namespace veltra::vb
