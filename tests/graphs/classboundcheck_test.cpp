// The bound check's cases that need no rows on screen: the only row, and the
// last row tested against the maximum both as text and as a number.
#include "graphs/classboundcheck.h"

#include <gtest/gtest.h>

using namespace veltra::graphs;

TEST(ClassBoundCheck, RefusalsAndTheirMessages)
{
    struct Case
    {
        const char *name;
        int row;
        QStringList lower;
        QStringList upper;
        double min;
        double max;
        QString message; // empty: accepted
    };
    const QString kara = QStringLiteral("から");
    const QString made = QStringLiteral("までの範囲で指定して下さい。");
    const Case cases[] = {
        {"only row accepted", 0, {"0"}, {"30"}, 0, 30, {}},
        {"only row equal bounds", 0, {"5"}, {"5"}, 0, 30, {}},
        {"only row empty upper bound", 0, {"0"}, {""}, 1.5, 30, "1.5" + kara + "30" + made},
        {"only row upper below lower", 0, {"7"}, {" 5"}, 0, 30, "0" + kara + " 5" + made},
        {"only row above the maximum", 0, {" 0"}, {"31"}, 0, 30, " 0" + kara + "30" + made},
        {"first row empty upper bound", 0, {"0", ""}, {"", "20"}, 0, 30, "0" + kara + "20" + made},
        {"first row above the next", 0, {"0", ""}, {"21", "20"}, 0, 30, "0" + kara + "20" + made},
        {"first row lower above upper", 0, {"15", ""}, {"10", "20"}, -1, 30, "-1" + kara + "10" + made},
        {"thousands separator ends the number", 0, {"0", ""}, {"1,000", "20"}, 0, 30, {}},
        {"not a number reads as 0", 0, {"abc", ""}, {"x", "20"}, 0, 30, {}},
        {"middle row equal to both neighbours", 1, {"", "", ""}, {"20", "20", "20"}, 0, 30, {}},
        {"middle row empty reads as 0", 1, {"", "", ""}, {"10", "", "30"}, 0, 30, "10" + kara + "30" + made},
        {"last row equal to the maximum", 2, {"", "", ""}, {"10", "20", "30"}, 0, 30, {}},
        {"last row below the previous", 2, {"", "", ""}, {"10", "20", "15"}, 0, 30,
            "20" + kara + "30" + made},
        // 2/3 is written 0.666666666666667, a little above itself: a bound
        // typed as that text passes the text test and fails the number test.
        {"last row between the text and the maximum", 2, {"", "", ""}, {"0.1", "0.2", "0.666666666666667"}, 0,
            2.0 / 3.0, QStringLiteral("最大値は0.666666666666667までで指定して下さい。")},
        {"maximum in exponent form", 1, {"", ""}, {"0", "2E+15"}, 0, 1e15, "0" + kara + "1E+15" + made},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QString> refusal = classBoundRefusal(c.row, c.lower, c.upper, c.min, c.max);
        if (c.message.isEmpty())
            EXPECT_FALSE(refusal.has_value()) << refusal->toStdString();
        else
            EXPECT_EQ(refusal.value_or(QString()), c.message);
    }
}
