// The calculation-template expression engine: syntax, variables, evaluation.
#include "platform/analyzer/analyzerengine.h"

#include <gtest/gtest.h>

using veltra::analyzer::AnalyzerEngine;

namespace {

const char *const A = "{[都道府県][人口][総人口]}";
const char *const B = "{[都道府県][面積][面積(km2)]}";

QString q(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct Case
{
    QString expression;
    bool valid;
    QStringList variables; // in order
    std::vector<double> values; // element 0 unused
    std::optional<double> result; // nullopt: Calculate fails
};

TEST(AnalyzerEngine, ExpressionTable)
{
    const QString a = q(A), b = q(B);
    const QString range = a + u':' + b;
    const std::vector<Case> cases = {
        {QStringLiteral("1+2*3"), true, {}, {0}, 7},
        {QStringLiteral("(1+2)*3"), true, {}, {0}, 9},
        {QStringLiteral("10-4-3"), true, {}, {0}, 3}, // left to right
        {QStringLiteral("16/4/2"), true, {}, {0}, 2},
        {QStringLiteral("-2*-3"), true, {}, {0}, 6}, // unary minus on a factor
        {QStringLiteral("+.5 + 5."), true, {}, {0}, 5.5},
        {QStringLiteral(" 2 * ( 3 + 4 ) "), true, {}, {0}, 14},
        {QStringLiteral("1/0"), true, {}, {0}, std::nullopt},
        {QStringLiteral("1/(2-2)"), true, {}, {0}, std::nullopt},
        {a + QStringLiteral("/100"), true, {a}, {0, 250}, 2.5},
        {a + u'/' + b, true, {a, b}, {0, 14047594, 2194.05}, 14047594 / 2194.05},
        {a + u'/' + b, true, {a, b}, {0, 5}, std::nullopt}, // fewer values than variables
        {a + u'/' + b, true, {a, b}, {0, 1, 0}, std::nullopt}, // division by zero
        {a + u'+' + a + u'*' + b, true, {a, b}, {0, 2, 3}, 8}, // a repeat is one variable
        {QStringLiteral("SUM(") + range + QStringLiteral(")/") + a, true, {range, a}, {0, 30, 10}, 3},
        {a + QStringLiteral("+SUM(") + range + u')', true, {a, range}, {0, 1, 2}, 3},
        // Invalid texts: nothing is evaluated.
        {QString(), false, {}, {}, std::nullopt},
        {QStringLiteral("   "), false, {}, {}, std::nullopt},
        {QStringLiteral("(1+2"), false, {}, {}, std::nullopt},
        {QStringLiteral("1+2)"), false, {}, {}, std::nullopt},
        {QStringLiteral("1*/2"), false, {}, {}, std::nullopt},
        {QStringLiteral("1+"), false, {}, {}, std::nullopt},
        {QStringLiteral("1..2"), false, {}, {}, std::nullopt},
        {QStringLiteral("."), false, {}, {}, std::nullopt},
        {QStringLiteral("1 2"), false, {}, {}, std::nullopt},
        {QStringLiteral("2^3"), false, {}, {}, std::nullopt},
        {q("{[都道府県][人口]}"), false, {}, {}, std::nullopt}, // two parts
        {q("{[都道府県][人口][総人口][男]}"), false, {}, {}, std::nullopt},
        {q("{[都道府県][][総人口]}"), false, {}, {}, std::nullopt},
        {q("{[都道府県][人口][総人口]"), false, {}, {}, std::nullopt},
        {range, false, {}, {}, std::nullopt}, // ":" outside SUM(
        {QStringLiteral("SUM(") + a + u')', false, {}, {}, std::nullopt},
        {QStringLiteral("SUM(1:2)"), false, {}, {}, std::nullopt},
        {QStringLiteral("SUM (") + range + u')', false, {}, {}, std::nullopt},
        {QStringLiteral("()"), false, {}, {}, std::nullopt},
    };
    AnalyzerEngine engine;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression.toStdString());
        ASSERT_EQ(engine.CheckSyntax(c.expression), c.valid);
        QStringList names;
        for (std::int32_t i = 1; i <= engine.VariableCount(); ++i)
            names << engine.VariableName(i);
        EXPECT_EQ(names, c.variables);
        QVariant result = QStringLiteral("untouched");
        const bool ok = engine.Calculate(c.values, static_cast<std::int32_t>(c.values.size()) - 1, result);
        EXPECT_EQ(ok, c.result.has_value());
        if (c.result) {
            EXPECT_DOUBLE_EQ(result.toDouble(), *c.result);
        }
    }
}

TEST(AnalyzerEngine, LastIndexBoundsTheValuesAndClearForgets)
{
    AnalyzerEngine engine;
    ASSERT_TRUE(engine.CheckSyntax(q(A) + u'+' + q(B)));
    QVariant result;
    // The array is long enough but the caller says only index 1 is filled.
    EXPECT_FALSE(engine.Calculate({0, 1, 2}, 1, result));
    EXPECT_TRUE(engine.Calculate({0, 1, 2}, 2, result));
    EXPECT_EQ(result.toDouble(), 3);
    EXPECT_EQ(engine.VariableName(0), QString());
    EXPECT_EQ(engine.VariableName(3), QString());
    engine.Clear();
    EXPECT_EQ(engine.VariableCount(), 0);
    EXPECT_FALSE(engine.Calculate({0, 1, 2}, 2, result));
    // A refused text leaves no current expression behind.
    ASSERT_TRUE(engine.CheckSyntax(q(A)));
    EXPECT_FALSE(engine.CheckSyntax(QStringLiteral("1+")));
    EXPECT_EQ(engine.VariableCount(), 0);
    EXPECT_FALSE(engine.Calculate({0, 1}, 1, result));
}

TEST(AnalyzerEngine, NonFiniteResultsFail)
{
    AnalyzerEngine engine;
    ASSERT_TRUE(engine.CheckSyntax(q(A) + QStringLiteral("*") + q(A)));
    QVariant result;
    EXPECT_FALSE(engine.Calculate({0, 1e200}, 1, result));
    EXPECT_FALSE(engine.Calculate({0, std::nan("")}, 1, result));
}

} // namespace
