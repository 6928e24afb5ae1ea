#include "platform/vb/currency.h"

#include "platform/vb/convert.h"
#include "platform/vb/errors.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace veltra::vb {

namespace {

[[noreturn]] void overflow(double value)
{
    throw Overflow("Overflow: " + std::to_string(value) + " is outside the Currency range");
}

} // namespace

// The double is taken as the shortest decimal that reads back as it (what
// the user typed or a text printed), so 0.00015 is fifteen hundred-
// thousandths and rounds to 0.0002, not the binary 0.000149999...
Currency Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        overflow(value);
    char text[64];
    const auto written
        = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific);
    const std::string_view shortest(text, static_cast<std::size_t>(written.ptr - text));
    const std::size_t e = shortest.find('e');
    std::uint64_t digits = 0;
    int count = 0;
    for (char c : shortest.substr(0, e)) {
        if (c != '.') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++count;
        }
    }
    int exponent = 0;
    const char *exponentText = shortest.data() + e + 1;
    if (*exponentText == '+') // from_chars reads no plus sign
        ++exponentText;
    std::from_chars(exponentText, shortest.data() + shortest.size(), exponent);
    // value = digits * 10^(exponent - count + 1); in ten-thousandths:
    int shift = exponent - count + 1 + 4;
    std::uint64_t magnitude = digits;
    if (shift >= 0) {
        for (; shift > 0; --shift) {
            if (__builtin_mul_overflow(magnitude, std::uint64_t{10}, &magnitude))
                overflow(value);
        }
    } else if (shift < -19) {
        magnitude = 0; // below half a ten-thousandth
    } else {
        std::uint64_t divisor = 1;
        for (; shift < 0; ++shift)
            divisor *= 10;
        const std::uint64_t whole = magnitude / divisor;
        const std::uint64_t rest = magnitude % divisor;
        const std::uint64_t half = divisor / 2;
        magnitude = whole + ((rest > half || (rest == half && whole % 2 == 1)) ? 1 : 0);
    }
    constexpr std::uint64_t top = std::uint64_t{1} << 63; // -2^63 is the lowest value
    if (value < 0) {
        if (magnitude > top)
            overflow(value);
        return Currency(magnitude == top ? std::numeric_limits<std::int64_t>::min()
                                         : -static_cast<std::int64_t>(magnitude));
    }
    if (magnitude >= top)
        overflow(value);
    return Currency(static_cast<std::int64_t>(magnitude));
}

Currency Currency::fromText(const QString &text)
{
    return fromDouble(cDbl(text));
}

Currency Currency::operator+(Currency other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_value, other.m_value, &sum))
        throw Overflow("Overflow: Currency sum outside the range");
    return Currency(sum);
}

Currency Currency::operator-(Currency other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_value, other.m_value, &difference))
        throw Overflow("Overflow: Currency difference outside the range");
    return Currency(difference);
}

} // namespace veltra::vb
