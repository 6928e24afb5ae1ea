// Format patterns of numbers and dates, and the era table at its boundaries.
#include "platform/vb/dates.h"
#include "platform/vb/era.h"
#include "platform/vb/format.h"

#include <gtest/gtest.h>

using namespace veltra::vb;

TEST(VbFormat, NumberPatterns)
{
    struct Case
    {
        double value;
        const char *pattern;
        const char *out;
    };
    const Case cases[] = {
        {5, "0", "5"},
        {7, "00", "07"},
        {123, "00", "123"},
        {7, "000", "007"},
        {1101, "00000", "01101"},
        {13101001001.0, "00000000000", "13101001001"},
        {1101001, "00000000000", "00001101001"},
        {0, "#0", "0"},
        {9, "#0", "9"},
        {0, "#", ""},
        {1234567, "###,##0", "1,234,567"},
        {12, "###,##0", "12"},
        {0, "#,##0", "0"},
        {1234, "#,##0", "1,234"},
        {-1234567, "#,##0", "-1,234,567"},
        {3.14159, "0.00", "3.14"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {1.005, "0.00", "1.01"},
        {0.125, "0.00", "0.13"},
        {0.5, "#0.00", "0.50"},
        {12.34567, "0.0000", "12.3457"},
        {2.5, "####0.0000", "2.5000"},
        {1.25, "0.0", "1.3"},
        {123.45, "#############0.0", "123.5"},
        {0.5, "#.##", ".5"},
        {5, "#.##", "5."},
        {-0.001, "0.00", "0.00"},
        {9.999, "0.00", "10.00"},
        {5, "構成点###000", "構成点005"},
        {1000, "構成点###000", "構成点1000"},
        {1234567, "000-0000", "123-4567"},
        {12345678, "000-0000", "1234-5678"}, // surplus digits go to the first placeholder
        {0.256, "0%", "26%"},
        {1234567, "#,##0,", "1,235"},
        {1234567, "#,##0,,", "1"}, // each closing comma scales by a thousand
        {-5, "0;(0)", "(5)"},
        {0, "0;(0);\"zero\"", "zero"},
        {5, "\"No.\"0", "No.5"},
        {1.5, "", "1.5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + std::to_string(c.value));
        EXPECT_EQ(format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.out));
    }
}

TEST(VbFormat, TextArgumentsAreNumbersOrDatesOrLeftAlone)
{
    EXPECT_EQ(format(QStringLiteral("1"), QStringLiteral("00")), QStringLiteral("01"));
    EXPECT_EQ(format(QStringLiteral(" 1101 "), QStringLiteral("00000000000")), QStringLiteral("00000001101"));
    EXPECT_EQ(format(QStringLiteral("2005/4/1"), QStringLiteral("YYYYMMDD")), QStringLiteral("20050401"));
    EXPECT_EQ(format(QStringLiteral("未定"), QStringLiteral("00")), QStringLiteral("未定"));
    EXPECT_EQ(format(QString(), QStringLiteral("00")), QString());
}

TEST(VbFormat, DatePatterns)
{
    const QDateTime t = makeDateTime(QDate(2005, 4, 1), QTime(9, 5, 7));
    struct Case
    {
        const char *pattern;
        const char *out;
    };
    const Case cases[] = {
        {"YYYYMMDD", "20050401"},
        {"yyyymmdd", "20050401"},
        {"yyyy/mm/dd", "2005/04/01"},
        {"yyyy年mm月dd日", "2005年04月01日"},
        {"ggge年mm月dd日", "平成17年04月01日"},
        {"ggge年m月d日", "平成17年4月1日"},
        {"ge.mm.dd", "H17.04.01"},
        {"ge", "H17"},
        {"ggge", "平成17"},
        {"ggge年度", "平成17年度"},
        {"gg", "平"},
        {"ee", "17"},
        {"yyyymmddhhmm", "200504010905"},
        {"YYMMDDHHMM", "0504010905"},
        {"ggge年m月d日h時m分(aaaa)", "平成17年4月1日9時5分(金曜日)"},
        {"yyyy年m月d日 hh:mm", "2005年4月1日 09:05"},
        {"h:nn:ss", "9:05:07"},
        {"aaa", "金"},
        {"m:ss", "5:07"},
        {"y", "91"},
        {"\"day\" d", "day 1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(format(t, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.out));
    }
}

TEST(VbEra, Boundaries)
{
    struct Case
    {
        QDate date;
        const char *text;
    };
    const Case cases[] = {
        {QDate(1868, 1, 1), "明治1年01月01日"},
        {QDate(1912, 7, 29), "明治45年07月29日"},
        {QDate(1912, 7, 30), "大正1年07月30日"},
        {QDate(1926, 12, 24), "大正15年12月24日"},
        {QDate(1926, 12, 25), "昭和1年12月25日"},
        {QDate(1989, 1, 7), "昭和64年01月07日"},
        {QDate(1989, 1, 8), "平成1年01月08日"},
        {QDate(2019, 4, 30), "平成31年04月30日"},
        {QDate(2019, 5, 1), "令和1年05月01日"},
        {QDate(2024, 2, 29), "令和6年02月29日"},
        {QDate(1867, 12, 31), "1867年12月31日"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(format(c.date, QStringLiteral("ggge年mm月dd日")), QString::fromUtf8(c.text));
    }
}
