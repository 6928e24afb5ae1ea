// Data references, item lists, template expressions and the evaluation of a
// template field for one area.
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "valuefixture.h"

#include <gtest/gtest.h>

using veltra::test::ValueFixture;

TEST(DataReference, SplitEntryData)
{
    struct Case
    {
        const char *reference;
        int16_t count;
        const char *parts[3];
    };
    const Case cases[] = {
        {"{[市区町村][人口][総数]}", 3, {"市区町村", "人口", "総数"}},
        {"{[a][b][c]}", 3, {"a", "b", "c"}},
        {"{[][][]}", 0, {"", "", ""}}, // no longer than the empty form
        {"{[a][b]}", 0, {"", "", ""}},
        {"{[ab][][cd]}", 2, {"ab", "", "cd"}},
        {"{[a][b][c]}x", 3, {"a", "b", "c]}x"}}, // "]}" not at the end stays
        {"[aa][bb][cc]", 3, {"[aa", "bb", "cc]"}}, // without "{[" nothing is dropped
        {"no brackets here", 1, {"no brackets here", "", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reference);
        std::array<QString, 3> parts{QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("x")};
        EXPECT_EQ(ComCaldoraNeo::SplitEntryData(QString::fromUtf8(c.reference), parts), c.count);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(parts[std::size_t(i)], QString::fromUtf8(c.parts[i])) << i;
    }
}

TEST(DataReference, RangeAndLevel)
{
    QString left = QStringLiteral("x");
    QString right = QStringLiteral("y");
    EXPECT_FALSE(ComCaldoraNeo::SplitRangeEntry(QStringLiteral("{[a][b][c]}"), left, right));
    EXPECT_TRUE(left.isEmpty() && right.isEmpty());
    EXPECT_TRUE(ComCaldoraNeo::SplitRangeEntry(QStringLiteral("{[a][b][c]}:{[a][b][d]}:z"), left, right));
    EXPECT_EQ(left, QStringLiteral("{[a][b][c]}"));
    EXPECT_EQ(right, QStringLiteral("{[a][b][d]}:z"));

    EXPECT_EQ(ComCaldoraNeo::GetAreaLevel(QStringLiteral("{[市区町村][人口][総数]}")), 2);
    EXPECT_EQ(ComCaldoraNeo::GetAreaLevel(QStringLiteral("{[町丁字][人口][総数]}")), 3);
    EXPECT_EQ(ComCaldoraNeo::GetAreaLevel(QStringLiteral("{[都道府県][人口][総数]}")), 0);
    EXPECT_EQ(ComCaldoraNeo::GetAreaLevel(QStringLiteral("{[ 市区町村][人口][総数]}")), 0);
    EXPECT_EQ(ComCaldoraNeo::GetAreaLevel(QString()), 0);
}

TEST(DataReference, EntryIndexAndValueFolder)
{
    ValueFixture f;
    struct Case
    {
        const char *reference;
        int32_t entry;
    };
    const Case cases[] = {
        {"{[都道府県][人口P][人口総数]}", 1},
        {"{[都道府県][人口P][女]}", 3},
        {"{[都道府県][人口P][男,女計]}", 5}, // quoted item name with a comma
        {"{[都道府県][人口P][総数]}", -1}, // the abbreviation is not the name
        {"{[都道府県][人口P][空きの後]}", -1}, // after the first missing entry
        {"{[都道府県][人口P][男 ]}", -1}, // exact comparison
        {"{[都道府県][人口X][男]}", -1},
        {"{[都道府県][][男]}", -1},
        {"{[市区町村][人口C][c]}", 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reference);
        EXPECT_EQ(ComCaldoraTable::GetEntryIndex(f.itemList(), QString::fromUtf8(c.reference)), c.entry);
    }
    EXPECT_EQ(ComCaldoraTable::GetEntryIndex(
                  f.itemList() + QStringLiteral("x"), QStringLiteral("{[都道府県][人口P][男]}")),
        -1);

    EXPECT_EQ(ComCaldoraTable::GetValueFolder(f.itemList(), QStringLiteral("{[都道府県][人口P][男]}")),
        f.prefFolder());
    EXPECT_EQ(
        ComCaldoraTable::GetValueFolder(f.itemList(), QStringLiteral("{[情報点][人口P][男]}")), QString());
    EXPECT_EQ(
        ComCaldoraTable::GetValueFolder(f.itemList(), QStringLiteral("{[都道府県][人口P]}")), QString());
}

TEST(DataReference, CalcExpressionJoinsThePieces)
{
    veltra::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("t.cal"));
    ValueFixture::write(file,
        {
            QStringLiteral("[Calc1]"),
            QStringLiteral("Cnt=3"),
            QStringLiteral("Data1=({[都道府県][人口P][男]}"),
            QStringLiteral("Data2=+{[都道府県][人口P][女]})"),
            QStringLiteral("Data3=/2"),
            QStringLiteral("[Calc2]"),
            QStringLiteral("Cnt=-1"),
            QStringLiteral("Data1=x"),
            QStringLiteral("[Calc3]"),
            QStringLiteral("Cnt=abc"),
            QStringLiteral("Data1=x"),
            QStringLiteral("[Calc4]"),
            QStringLiteral("Cnt=0"),
            QStringLiteral("Data1=x"),
            QStringLiteral("[Calc5]"),
            QStringLiteral("Cnt=2"),
            QStringLiteral("Data2=y"),
        });
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 1),
        QStringLiteral("({[都道府県][人口P][男]}+{[都道府県][人口P][女]})/2"));
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 2), QString());
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 3), QString());
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 4), QString());
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 5), QStringLiteral("y"));
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 6), QString());
    EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(dir.file(QStringLiteral("none.cal")), 1), QString());
}

TEST(DataReference, RangeCheckRefusesWithTheMessage)
{
    const QString sameKind = QStringLiteral("{[都道府県][人口P][男]}:{[都道府県][人口P][女]}");
    const QString infoPoint = QStringLiteral("{[情報点][施設][数]}:{[情報点][施設][面積]}");
    const QString otherKind = QStringLiteral("{[都道府県][人口P][男]}:{[都道府県][世帯P][数]}");
    const QString otherUnit = QStringLiteral("{[都道府県][人口P][男]}:{[市区町村][人口P][女]}");
    const QString notAReference = QStringLiteral("a:b");

    EXPECT_EQ(veltra::statdata::calcVariablesRefusal({QString(), sameKind, notAReference}), QString());
    EXPECT_EQ(veltra::statdata::calcVariablesRefusal({QString(), infoPoint}),
        QStringLiteral("情報点の項目に対してSUMの演算はできません｡ "));
    const QString expected = QStringLiteral("{[都道府県][人口P][男]}と\r{[都道府県][世帯P][数]}は、\r"
                                            "同一ﾌｧｲﾙになければなりません｡ ");
    EXPECT_EQ(veltra::statdata::calcVariablesRefusal({QString(), sameKind, otherKind, infoPoint}), expected);
    EXPECT_FALSE(veltra::statdata::calcVariablesRefusal({otherUnit}).isEmpty());

    veltra::ui::DialogScript script;
    EXPECT_TRUE(ComCaldoraNeo::CheckCalcVariables({QString(), sameKind}));
    EXPECT_TRUE(script.requests().empty());
    EXPECT_FALSE(ComCaldoraNeo::CheckCalcVariables({QString(), sameKind, otherKind}));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, expected);
    EXPECT_EQ(script.requests()[0].buttons & 0x70, veltra::ui::vbExclamation);
}

class AreaCalculation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        veltra::statdata::setAreaCalculation([this](QVariant &result, const std::vector<double> &values) {
            ++m_calls;
            m_lastValues = values;
            double sum = 0;
            for (double v : values)
                sum += v;
            result = sum;
            return true;
        });
    }
    void TearDown() override { veltra::statdata::setAreaCalculation({}); }

    double calc(const QString &code, int32_t n, const std::vector<QString> &variables, int32_t &status)
    {
        const std::vector<QString> files(variables.size(), m_fixture.itemList());
        return ComCaldoraNeo::CalcAreaValue(code, n, int32_t(variables.size()) - 1, variables, files, status);
    }

    ValueFixture m_fixture;
    int m_calls = 0;
    std::vector<double> m_lastValues;
};

TEST_F(AreaCalculation, EvaluatesWithTheValuesOfEveryVariable)
{
    int32_t status = 9;
    const double value = calc(QStringLiteral("13"), 2,
        {QString(), QStringLiteral("{[都道府県][人口P][人口総数]}"),
            QStringLiteral("{[都道府県][人口P][男]}:{[都道府県][人口P][女]}")},
        status);
    EXPECT_EQ(status, 0);
    EXPECT_DOUBLE_EQ(value, 2600);
    EXPECT_EQ(m_lastValues, (std::vector<double>{0, 1300, 1300}));

    status = 9;
    EXPECT_DOUBLE_EQ(
        calc(QStringLiteral("13101"), 5,
            {QString(), QStringLiteral("{[市区町村][人口C][a]}"), QStringLiteral("{[市区町村][人口C][c]}")},
            status),
        12);
    EXPECT_EQ(status, 0);
}

TEST_F(AreaCalculation, StopsAtTheFirstVariableWithoutValue)
{
    struct Case
    {
        const char *what;
        const char *code;
        int32_t n;
        const char *variable;
        int32_t status;
    };
    const Case cases[] = {
        {"no data", "01", 2, "{[都道府県][人口P][男]}", 1},
        {"item not listed", "13", 2, "{[都道府県][人口P][子]}", 2},
        {"area not in the file", "02", 2, "{[都道府県][人口P][男]}", 2},
        {"prefecture without value file", "14101", 5, "{[市区町村][人口C][a]}", 2},
        {"data kind without folder", "13", 2, "{[都道府県][人口Q][男]}", 2},
        {"code without prefecture", "x1", 2, "{[都道府県][人口P][男]}", 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        m_calls = 0;
        int32_t status = 0;
        const double value = calc(QString::fromUtf8(c.code), c.n,
            {QString(), QString::fromUtf8(c.variable), QStringLiteral("{[都道府県][人口P][人口総数]}")},
            status);
        EXPECT_DOUBLE_EQ(value, 0);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(m_calls, 0);
    }
}

TEST_F(AreaCalculation, FailedOrMissingEvaluationGivesZero)
{
    const std::vector<QString> variables{QString(), QStringLiteral("{[都道府県][人口P][人口総数]}")};
    int32_t status = 9;
    veltra::statdata::setAreaCalculation([](QVariant &, const std::vector<double> &) { return false; });
    EXPECT_DOUBLE_EQ(calc(QStringLiteral("13"), 2, variables, status), 0);
    EXPECT_EQ(status, 0);
    veltra::statdata::setAreaCalculation([](QVariant &result, const std::vector<double> &) {
        result = QStringLiteral("not a number");
        return true;
    });
    EXPECT_DOUBLE_EQ(calc(QStringLiteral("13"), 2, variables, status), 0);
    veltra::statdata::setAreaCalculation([](QVariant &, const std::vector<double> &) -> bool {
        throw std::runtime_error("division by zero");
    });
    EXPECT_DOUBLE_EQ(calc(QStringLiteral("13"), 2, variables, status), 0);
    veltra::statdata::setAreaCalculation({});
    EXPECT_DOUBLE_EQ(calc(QStringLiteral("13"), 2, variables, status), 0);
}
