// The cell texts of the tallied list, built from area records by graph
// kind: the item columns, the pyramid rows and the flow partner columns.
#include "graphs/globals.h"
#include "statwindow/totallistcontent.h"

#include <gtest/gtest.h>

using namespace veltra::statwindow;

namespace {

StatArea area(const char *name, std::vector<StatValue> values, std::vector<std::int32_t> flags)
{
    StatArea a;
    a.AreaName = QString::fromUtf8(name);
    a.Value = std::move(values);
    a.Value.insert(a.Value.begin(), StatValue{});
    a.DataFlag = std::move(flags);
    a.DataFlag.insert(a.DataFlag.begin(), 0);
    return a;
}

StatArea pyramidArea(const char *name, std::vector<double> left, std::vector<double> right,
    std::vector<std::int32_t> flags)
{
    StatArea a;
    a.AreaName = QString::fromUtf8(name);
    a.ManValue = std::move(left);
    a.ManValue.insert(a.ManValue.begin(), 0);
    a.WomanValue = std::move(right);
    a.WomanValue.insert(a.WomanValue.begin(), 0);
    a.DataFlag = std::move(flags);
    a.DataFlag.insert(a.DataFlag.begin(), 0);
    return a;
}

StatArea flowArea(const char *name, std::vector<RyusenPair> partners)
{
    StatArea a;
    a.AreaName = QString::fromUtf8(name);
    a.Ryusen = std::move(partners);
    a.Ryusen.insert(a.Ryusen.begin(), RyusenPair{});
    return a;
}

QString prefName(const QString &code)
{
    static const std::map<QString, QString> names{{QStringLiteral("01000000000"), QStringLiteral("北海道")},
        {QStringLiteral("13000000000"), QStringLiteral("東京都")},
        {QStringLiteral("14000000000"), QStringLiteral("神奈川県")}};
    const auto it = names.find(code);
    return it == names.end() ? QString() : it->second;
}

TotalListTable build(std::vector<StatArea> records, std::int32_t kind, std::vector<QString> item,
    std::int32_t expression = 0, std::vector<QString> ages = {})
{
    records.insert(records.begin(), StatArea{});
    return buildTotalList(records, kind, item, expression, ages, prefName);
}

TEST(TotalListContent, KindZeroKeepsOnlyTheNameHeaderAndTheGridHidden)
{
    const TotalListTable t = build({area("東京都", {1.0}, {0})}, 0, {QStringLiteral("人口"), QString()});
    EXPECT_FALSE(t.visible);
    ASSERT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.rows[0], QStringList{QStringLiteral("名称")});
}

TEST(TotalListContent, ItemColumnsShowTheValueTextOrADashForFlagsOneAndTwo)
{
    // Every kind that lists item values, with the unused last item name.
    for (std::int32_t kind : {GraphKindNuri, GraphKindPie, GraphKindBar, GraphKindSymbol, GraphKindRanking,
             GraphKindValue, GraphKindSanpuzu}) {
        SCOPED_TRACE(kind);
        const TotalListTable t = build(
            {
                area("千代田区", {66680.0, 0.25, QStringLiteral("sym.bmp")}, {0, 0, 0}),
                area("中央区", {StatValue{}, 1.0 / 3, 1e15}, {1, 2, 0}),
            },
            kind, {QStringLiteral("総人口"), QStringLiteral("割合"), QStringLiteral("記号"), QString()});
        EXPECT_TRUE(t.visible);
        ASSERT_EQ(t.rowCount(), 3);
        EXPECT_EQ(t.rows[0], (QStringList{"名称", "総人口", "割合", "記号"}));
        EXPECT_EQ(t.rows[1], (QStringList{"千代田区", "66680", "0.25", "sym.bmp"}));
        EXPECT_EQ(t.rows[2], (QStringList{"中央区", "-", "-", "1E+15"}));
    }
}

TEST(TotalListContent, ARecordWithMoreValuesThanNamedColumnsWidensTheGrid)
{
    const TotalListTable t = build({area("港区", {1.0, 2.0}, {0, 0})}, GraphKindPie, {QStringLiteral("男"), QString()});
    ASSERT_EQ(t.columnCount(), 3);
    EXPECT_EQ(t.rows[0], (QStringList{"名称", "男", ""}));
    EXPECT_EQ(t.rows[1], (QStringList{"港区", "1", "2"}));
}

TEST(TotalListContent, PyramidRowsRunFromTheHighestClassWithShares)
{
    const std::vector<QString> ages{QString(), QStringLiteral("0～4歳"), QStringLiteral("5～9歳"),
        QStringLiteral("10～14歳")};
    const std::vector<StatArea> records{
        pyramidArea("甲市", {10, 30, 60}, {0, 0, 0}, {0, 1, 0}),
        pyramidArea("乙町", {1.23456, 2, 3}, {4, 5, 6}, {0, 0, 0}),
    };
    const std::vector<QString> item{QStringLiteral("男"), QStringLiteral("女"), QString()};

    const TotalListTable absolute = build(records, GraphKindPyramid, item, 0, ages);
    ASSERT_EQ(absolute.rowCount(), 7);
    EXPECT_EQ(absolute.rows[0], (QStringList{"名称", "男", "女"}));
    EXPECT_EQ(absolute.rows[1], (QStringList{"甲市 10～14歳", "60", "0"}));
    EXPECT_EQ(absolute.rows[2], (QStringList{" 5～9歳", "-", "-"}));
    EXPECT_EQ(absolute.rows[3], (QStringList{" 0～4歳", "10", "0"}));
    // Four decimals, halves to even.
    EXPECT_EQ(absolute.rows[6], (QStringList{" 0～4歳", "1.2346", "4"}));

    // Shares of the series total; a series total of 0 shows 0.
    const TotalListTable relative = build(records, GraphKindPyramid, item, 1, ages);
    EXPECT_EQ(relative.rows[1], (QStringList{"甲市 10～14歳", "60", "0"}));
    EXPECT_EQ(relative.rows[3], (QStringList{" 0～4歳", "10", "0"}));
    // 4 / 15 x 100 = 26.6666... -> 26.6667; 1.2346 / 6.2346 x 100 = 19.8024
    EXPECT_EQ(relative.rows[6], (QStringList{" 0～4歳", "19.8024", "26.6667"}));
}

TEST(TotalListContent, FlowColumnsAreHeadedByTheFirstRecordsPartners)
{
    const TotalListTable t = build(
        {
            flowArea("東京都", {{13, 500}, {14, 300}, {1, 20}}),
            flowArea("神奈川県", {{13, 9}, {14, 8}, {1, 7}, {2, 6}, {3, 5}, {4, 4}, {5, 3}}),
        },
        GraphKindRyusen, {QStringLiteral("転入"), QString()});
    ASSERT_EQ(t.columnCount(), 6);
    EXPECT_EQ(t.rows[0], (QStringList{"名称", "東京都 転入", "神奈川県 転入", "北海道 転入", "", ""}));
    EXPECT_EQ(t.rows[1], (QStringList{"東京都", "500", "300", "20", "", ""}));
    EXPECT_EQ(t.rows[2], (QStringList{"神奈川県", "9", "8", "7", "6", "5"}));
}

TEST(TotalListContent, OtherKindsListNoColumnsBeyondTheName)
{
    const TotalListTable t = build({area("東京都", {1.0}, {0})}, GraphKindBarAxis, {QStringLiteral("人口"), QString()});
    EXPECT_TRUE(t.visible);
    ASSERT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.rows[0], QStringList{QStringLiteral("名称")});
}

} // namespace
