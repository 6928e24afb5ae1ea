// Day differences, display texts in both styles, and text <-> day round trips.
#include "platform/vb/errors.h"
#include "shell/comdatectrl.h"

#include <QDate>
#include <QDateTime>
#include <gtest/gtest.h>

namespace {

// Sets the display style for one test and restores the default.
class DateStyle
{
public:
    explicit DateStyle(int16_t style) { ComDateCtrl::gintDateFormat = style; }
    ~DateStyle() { ComDateCtrl::gintDateFormat = 0; }
};

} // namespace

TEST(ShellComDateCtrl, DaysBetween)
{
    struct Case
    {
        QVariant date1, date2;
        int32_t days;
    };
    const Case cases[] = {
        {QDate(2004, 3, 1), QDate(2004, 2, 28), 2},
        {QDate(2005, 3, 1), QDate(2005, 2, 28), 1},
        {QDate(2005, 4, 1), QDate(2005, 4, 1), 0},
        {QDate(2005, 3, 31), QDate(2005, 4, 1), -1},
        {QDateTime(QDate(2005, 4, 2), QTime(0, 0, 1)), QDateTime(QDate(2005, 4, 1), QTime(23, 59, 59)), 1},
        {QStringLiteral("平成元年1月8日"), QStringLiteral("昭和64年01月07日"), 1},
        {QStringLiteral("令和元年05月01日"), QStringLiteral("2019/04/30"), 1},
        {QStringLiteral("昭和45年10月01日"), QDate(1970, 1, 1), 273},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date1.toString().toStdString());
        int32_t days = -999;
        EXPECT_TRUE(ComDateCtrl::DaysBetween(c.date1, c.date2, days));
        EXPECT_EQ(days, c.days);
    }
}

TEST(ShellComDateCtrl, NonDatesLeaveTheDaysUntouched)
{
    for (const QVariant &v : {QVariant(QStringLiteral("未定")), QVariant(), QVariant(20050401),
             QVariant(QStringLiteral("")), QVariant(QDate())}) {
        int32_t days = 42;
        EXPECT_FALSE(ComDateCtrl::DaysBetween(v, QDate(2005, 4, 1), days));
        EXPECT_FALSE(ComDateCtrl::DaysBetween(QDate(2005, 4, 1), v, days));
        EXPECT_EQ(days, 42);
        EXPECT_EQ(ComDateCtrl::FormatDate(v), QString());
        EXPECT_EQ(ComDateCtrl::AddDaysText(v, 1), QString());
    }
}

TEST(ShellComDateCtrl, FormatDateInBothStylesAtEraBoundaries)
{
    struct Case
    {
        QDate date;
        const char *era;
        const char *western;
    };
    const Case cases[] = {
        {QDate(2005, 4, 1), "平成17年04月01日", "2005年04月01日"},
        {QDate(1989, 1, 7), "昭和64年01月07日", "1989年01月07日"},
        {QDate(1989, 1, 8), "平成1年01月08日", "1989年01月08日"},
        {QDate(2019, 4, 30), "平成31年04月30日", "2019年04月30日"},
        {QDate(2019, 5, 1), "令和1年05月01日", "2019年05月01日"},
        {QDate(1926, 12, 24), "大正15年12月24日", "1926年12月24日"},
        {QDate(1926, 12, 25), "昭和1年12月25日", "1926年12月25日"},
        {QDate(1912, 7, 30), "大正1年07月30日", "1912年07月30日"},
        {QDate(1912, 7, 29), "明治45年07月29日", "1912年07月29日"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.western);
        {
            DateStyle style(0);
            EXPECT_EQ(ComDateCtrl::FormatDate(c.date), QString::fromUtf8(c.era));
        }
        {
            DateStyle style(1);
            EXPECT_EQ(ComDateCtrl::FormatDate(c.date), QString::fromUtf8(c.western));
        }
    }
}

TEST(ShellComDateCtrl, AddDaysText)
{
    const QDate base(1989, 1, 1);
    EXPECT_EQ(ComDateCtrl::AddDaysText(base, 0), QStringLiteral("昭和64年01月01日"));
    EXPECT_EQ(ComDateCtrl::AddDaysText(base, -1), QStringLiteral("昭和63年12月31日"));
    EXPECT_EQ(ComDateCtrl::AddDaysText(base, 7), QStringLiteral("平成1年01月08日"));
    EXPECT_EQ(ComDateCtrl::AddDaysText(QDate(2004, 2, 28), 1), QStringLiteral("平成16年02月29日"));
    {
        DateStyle style(1);
        EXPECT_EQ(
            ComDateCtrl::AddDaysText(QStringLiteral("2019/04/30"), 1), QStringLiteral("2019年05月01日"));
        EXPECT_EQ(ComDateCtrl::AddDaysText(QDate(2000, 12, 31), 365), QStringLiteral("2001年12月31日"));
    }
    EXPECT_THROW(ComDateCtrl::AddDaysText(QDate(9999, 12, 31), 1), veltra::vb::Overflow);
}

TEST(ShellComDateCtrl, TextDayRoundTrips)
{
    const QDate base(1970, 1, 1);
    for (int32_t day : {-36000, -1, 0, 1, 6944, 6945, 7000, 17925, 17926, 18000, 25000}) {
        for (int16_t s : {int16_t(0), int16_t(1)}) {
            SCOPED_TRACE(std::to_string(day) + " style " + std::to_string(s));
            DateStyle style(s);
            const QString text = ComDateCtrl::AddDaysText(base, day);
            ASSERT_FALSE(text.isEmpty());
            int32_t back = 0;
            ASSERT_TRUE(ComDateCtrl::DaysBetween(text, base, back)) << text.toStdString();
            EXPECT_EQ(back, day);
            EXPECT_EQ(ComDateCtrl::FormatDate(text), text);
        }
    }
}
