// Reading date texts as CDate does in a Japanese locale.
#include "platform/vb/dates.h"
#include "platform/vb/errors.h"

#include <gtest/gtest.h>

using namespace veltra::vb;

TEST(VbDates, TextsThatReadAsDates)
{
    struct Case
    {
        const char *text;
        QDate date;
        QTime time;
    };
    const Case cases[] = {
        {"2005/04/01", QDate(2005, 4, 1), QTime(0, 0)},
        {" 2005/4/1 ", QDate(2005, 4, 1), QTime(0, 0)},
        {"2005-4-1", QDate(2005, 4, 1), QTime(0, 0)},
        {"2005.04.01", QDate(2005, 4, 1), QTime(0, 0)},
        {"05/4/1", QDate(2005, 4, 1), QTime(0, 0)},
        {"45/10/1", QDate(1945, 10, 1), QTime(0, 0)},
        {"2005年04月01日", QDate(2005, 4, 1), QTime(0, 0)},
        {"2005年 4月 1日", QDate(2005, 4, 1), QTime(0, 0)},
        {"昭和45年10月01日", QDate(1970, 10, 1), QTime(0, 0)},
        {"平成元年1月8日", QDate(1989, 1, 8), QTime(0, 0)},
        {"平成1年01月08日", QDate(1989, 1, 8), QTime(0, 0)},
        {"令和元年05月01日", QDate(2019, 5, 1), QTime(0, 0)},
        {"昭和64年1月7日", QDate(1989, 1, 7), QTime(0, 0)},
        {"平成32年1月1日", QDate(2020, 1, 1), QTime(0, 0)},
        {"H17.04.01", QDate(2005, 4, 1), QTime(0, 0)},
        {"h17/4/1", QDate(2005, 4, 1), QTime(0, 0)},
        {"平17年4月1日", QDate(2005, 4, 1), QTime(0, 0)},
        {"2005/04/01 10:30", QDate(2005, 4, 1), QTime(10, 30)},
        {"2005/04/01 10:30:15", QDate(2005, 4, 1), QTime(10, 30, 15)},
        {"平成17年4月1日 9時5分", QDate(2005, 4, 1), QTime(9, 5)},
        {"2004/02/29", QDate(2004, 2, 29), QTime(0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const auto d = parseDateText(QString::fromUtf8(c.text));
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->date(), c.date);
        EXPECT_EQ(d->time(), c.time);
    }
}

TEST(VbDates, TextsThatAreNoDates)
{
    for (const char *text : {"", "未定", "20050401", "2005/13/01", "2005/02/30", "2003/02/29", "2005/4",
             "平成17年", "平成元年1月7日", "令和0年5月1日", "2005/4-1", "2005/4/1 25:00", "2005/4/1 x", "H17",
             "12.5", "2005年4月1", "大阪12/1/1"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseDateText(QString::fromUtf8(text)).has_value());
    }
}

TEST(VbDates, VariantsAndCDate)
{
    EXPECT_TRUE(isDate(QVariant(QDate(2005, 4, 1))));
    EXPECT_TRUE(isDate(QVariant(QDateTime(QDate(2005, 4, 1), QTime(23, 59)))));
    EXPECT_FALSE(isDate(QVariant(QDate())));
    EXPECT_FALSE(isDate(QVariant(20050401)));
    EXPECT_FALSE(isDate(QVariant()));
    EXPECT_EQ(cDate(QVariant(QStringLiteral("昭和45年10月01日"))).date(), QDate(1970, 10, 1));
    EXPECT_THROW(cDate(QVariant(QStringLiteral("未定"))), TypeMismatch);
}
