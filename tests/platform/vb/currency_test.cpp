#include "platform/vb/currency.h"
#include "platform/vb/errors.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace veltra::vb {
namespace {

TEST(Currency, DoublesRoundTheFifthDecimalHalfToEven)
{
    struct Case
    {
        double value;
        std::int64_t raw;
    };
    const Case cases[] = {
        {0.0, 0}, {1.0, 10000}, {-1.0, -10000}, {0.00005, 0}, // half: to the even 0
        {0.00015, 2}, // half: to the even 2
        {0.00025, 2}, {-0.00015, -2}, {0.000051, 1}, {123.45678, 1234568}, {14047594.0, 140475940000},
        {900000000000000.0, 9000000000000000000}, // near the top, still inside
    };
    for (const Case &c : cases)
        EXPECT_EQ(Currency::fromDouble(c.value).raw(), c.raw) << c.value;
}

TEST(Currency, OutOfRangeAndNonFiniteRaiseOverflow)
{
    for (double v : {922337203685478.0, -922337203685478.0, 1e300, std::numeric_limits<double>::infinity(),
             std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(Currency::fromDouble(v), Overflow) << v;
    const Currency top = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    const Currency bottom = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(top + Currency::fromRaw(1), Overflow);
    EXPECT_THROW(bottom - Currency::fromRaw(1), Overflow);
    EXPECT_EQ((top - Currency::fromRaw(1)).raw(), std::numeric_limits<std::int64_t>::max() - 1);
}

TEST(Currency, TextsReadByTheNumberRuleAndCompareExactly)
{
    EXPECT_EQ(cCur(QStringLiteral(" 1,234.5 ")).raw(), 12345000);
    EXPECT_EQ(cCur(QStringLiteral("-2.5E-3")).raw(), -25);
    EXPECT_THROW(cCur(QStringLiteral("abc")), TypeMismatch);

    // 0.1 + 0.2 is not 0.3 in doubles; as Currency it is.
    EXPECT_NE(0.1 + 0.2, 0.3);
    EXPECT_EQ(cCur(0.1) + cCur(0.2), cCur(0.3));
    EXPECT_LT(cCur(QStringLiteral("99.9999")), cCur(100.0));
    EXPECT_GT(cCur(-0.00004), cCur(-0.0001));
    EXPECT_DOUBLE_EQ(cCur(12.3456).toDouble(), 12.3456);
}

} // namespace
} // namespace veltra::vb
