#pragma once
// VB's Currency: a fixed-point number of ten-thousandths in 64 bits
// (-922,337,203,685,477.5808 to 922,337,203,685,477.5807). Class bounds and
// values are compared as Currency so that a value printed with four decimals
// and read back lands on the same side of a bound as the bound itself.
//
// Conversions round the fifth decimal half to the even neighbour (CCur:
// 0.00005 -> 0, 0.00015 -> 0.0002); a value outside the range, or not
// finite, raises Overflow; a text that is not a number raises TypeMismatch.
#include <QString>
#include <compare>
#include <cstdint>

namespace veltra::vb {

class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t tenThousandths) { return Currency(tenThousandths); }
    static Currency fromDouble(double value);
    // The text reads by IsNumeric's rule (see convert.h).
    static Currency fromText(const QString &text);

    constexpr std::int64_t raw() const { return m_value; }
    double toDouble() const { return static_cast<double>(m_value) / Scale; }

    // Sums and differences outside the range raise Overflow.
    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;

    constexpr auto operator<=>(const Currency &) const = default;

private:
    constexpr explicit Currency(std::int64_t value)
        : m_value(value)
    { }
    std::int64_t m_value = 0;
};

// CCur.
inline Currency cCur(double value)
{
    return Currency::fromDouble(value);
}
inline Currency cCur(const QString &text)
{
    return Currency::fromText(text);
}

} // namespace veltra::vb
