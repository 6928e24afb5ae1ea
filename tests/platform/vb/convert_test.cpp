// CInt / CLng rounding and ranges, Val and IsNumeric.
#include "platform/vb/convert.h"
#include "platform/vb/errors.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace veltra::vb;

TEST(VbConvert, CIntRoundsHalvesToEven)
{
    struct Case
    {
        double in;
        int16_t out;
    };
    const Case cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999, 2},
        {2.5001, 3},
        {-2.5001, -3},
        {32767.4, 32767},
        {-32768.5, -32768},
        {32766.5, 32766},
        {-32767.5, -32768},
        {0.0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(cInt(c.in), c.out);
    }
}

TEST(VbConvert, CIntOverflowsOutsideSixteenBits)
{
    for (double v : {32767.5, 32768.0, -32768.6, -40000.0, 1e300}) {
        SCOPED_TRACE(v);
        EXPECT_THROW(cInt(v), Overflow);
    }
    EXPECT_THROW(cInt(std::numeric_limits<double>::quiet_NaN()), Overflow);
    EXPECT_THROW(cInt(std::numeric_limits<double>::infinity()), Overflow);
}

TEST(VbConvert, CLngRangeAndRounding)
{
    EXPECT_EQ(cLng(2147483647.0), 2147483647);
    EXPECT_EQ(cLng(-2147483648.0), -2147483647 - 1);
    EXPECT_EQ(cLng(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(cLng(100000.5), 100000);
    EXPECT_EQ(cLng(100001.5), 100002);
    EXPECT_THROW(cLng(2147483647.5), Overflow);
    EXPECT_THROW(cLng(-2147483649.0), Overflow);
}

TEST(VbConvert, TextConversions)
{
    EXPECT_EQ(cInt(QStringLiteral(" 12.5 ")), 12);
    EXPECT_EQ(cInt(QStringLiteral("-3.5")), -4);
    EXPECT_EQ(cInt(QStringLiteral("&HFFFF")), -1);
    EXPECT_EQ(cLng(QStringLiteral("1,234")), 1234);
    EXPECT_THROW(cInt(QStringLiteral("abc")), TypeMismatch);
    EXPECT_THROW(cInt(QString()), TypeMismatch);
    EXPECT_THROW(cInt(QStringLiteral("40000")), Overflow);
    EXPECT_THROW(cDbl(QStringLiteral("1e999")), Overflow);
    EXPECT_DOUBLE_EQ(cDbl(QStringLiteral("1.5D2")), 150.0);
    // The same without exceptions.
    EXPECT_EQ(tryCInt(QStringLiteral(" 12.5 ")), std::optional<int16_t>(12));
    EXPECT_EQ(tryCInt(QStringLiteral("abc")), std::nullopt);
    EXPECT_EQ(tryCInt(QStringLiteral("40000")), std::nullopt);
}

TEST(VbConvert, ValReadsTheLeadingNumber)
{
    struct Case
    {
        const char *in;
        double out;
    };
    const Case cases[] = {
        {"", 0},
        {"abc", 0},
        {"123abc", 123},
        {"  12 34 ", 1234},
        {"\t-5", -5},
        {"- 5", -5},
        {"+7", 7},
        {"1.5.3", 1.5},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1E", 1},
        {"2d2x", 200},
        {"1e-2", 0.01},
        {"1,234", 1},
        {"&H1F", 31},
        {"&hff", 255},
        {"&HFFFF", -1},
        {"&H8000", -32768},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&O17", 15},
        {"&H", 0},
        {"&X12", 0},
        {"12\n3", 123},
        {"-", 0},
        {"0012", 12},
        {"3 .1 4", 3.14},
        {"１２", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_DOUBLE_EQ(val(QString::fromUtf8(c.in)), c.out);
    }
    EXPECT_THROW(val(QStringLiteral("&H100000000")), Overflow);
    EXPECT_THROW(val(QStringLiteral("9e999")), Overflow);
}

TEST(VbConvert, IsNumericTable)
{
    struct Case
    {
        const char *in;
        bool numeric;
    };
    const Case cases[] = {
        {"12", true},
        {" 12 ", true},
        {"-12.5", true},
        {"+.5", true},
        {"5.", true},
        {"1e5", true},
        {"1,234", true},
        {"&H1F", true},
        {"01101", true},
        {"", false},
        {" ", false},
        {"-", false},
        {".", false},
        {"12a", false},
        {"1 2", false},
        {"1e", false},
        {",12", false},
        {"12,", false},
        {"未定", false},
        {"&H", false},
        {"&HG", false},
        {"1.2.3", false},
        {"1e999", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(isNumeric(QString::fromUtf8(c.in)), c.numeric);
    }
    EXPECT_DOUBLE_EQ(*toNumber(QStringLiteral(" -1,234.5 ")), -1234.5);
}

TEST(VbConvert, CStrWritesFifteenSignificantDigits)
{
    struct Case
    {
        double in;
        const char *out;
    };
    const Case cases[] = {
        {1234.5, "1234.5"},
        {0.25, "0.25"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {100.0, "100"},
        {0.1 + 0.2, "0.3"},
        {-1234.5, "-1234.5"},
        {-2.0, "-2"},
        {0.0, "0"},
        {-0.0, "0"},
        // Large values: 15 whole digits stay plain, the 16th switches.
        {999999999999999.0, "999999999999999"},
        {123456789012345.6, "123456789012346"},
        {999999999999999.5, "1E+15"},
        {1e15, "1E+15"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {-1234567890123456.0, "-1.23456789012346E+15"},
        {12345678901234.5, "12345678901234.5"},
        {1.5e22, "1.5E+22"},
        {1e100, "1E+100"},
        // Small values: up to 15 decimals stay plain, the 16th switches.
        {0.00001, "0.00001"},
        {-0.00001, "-0.00001"},
        {5e-15, "0.000000000000005"},
        {5e-16, "5E-16"},
        {-5e-16, "-5E-16"},
        {1.234567e-9, "0.000000001234567"},
        {1.2345678e-9, "1.2345678E-09"},
        {1.0 / 30.0, "3.33333333333333E-02"},
        {1.0 / 7.0, "0.142857142857143"},
        {1e-300, "1E-300"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.out);
        EXPECT_EQ(cStr(c.in), QString::fromLatin1(c.out));
    }
}

TEST(VbConvert, CStrReadsBackThroughVal)
{
    // The texts of the legend's messages are read back by Val in the bound
    // check; a 15-digit text reads back within the last digit.
    for (const double v : {30.0, 1234.5, 1.0 / 3.0, 1e20, 2.5e-7, -987.125}) {
        SCOPED_TRACE(v);
        EXPECT_NEAR(val(cStr(v)), v, std::fabs(v) * 1e-14);
    }
}
