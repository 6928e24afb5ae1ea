// The decisions of graph creation without a window: the refusals in their
// order, the choropleth graph value, the colour slots and the class count.
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"

#include <gtest/gtest.h>

using namespace veltra::statwindow;

namespace {

const QString kNoArea = QStringLiteral("住所を選択して下さい。");
const QString kNoRange = QStringLiteral("分析範囲が選択されていません。");
const QString kTwoAreas = QStringLiteral("グラフ作成する地域を１つ以上選択して下さい。");
const QString kFlowLevel = QStringLiteral("グラフ作成が出来ない項目が指定されています");

TEST(GraphCreateRules, RefusalsComeInTheirOrder)
{
    struct Case
    {
        const char *name;
        int areas;
        std::int32_t range;
        int kind;
        QString refusal;
    };
    const Case cases[] = {
        {"no area wins over everything", 0, AnaRangeNone, MapKindRyusen, kNoArea},
        {"no level before the area count", 1, AnaRangeNone, MapKindNuri, kNoRange},
        {"scatter needs two areas", 1, AnaRangePref, MapKindSanpuzu, kTwoAreas},
        {"choropleth needs two areas", 1, AnaRangeCity, MapKindNuri, kTwoAreas},
        {"ranking needs two areas", 1, AnaRangeTown, MapKindRanking, kTwoAreas},
        {"a pie takes one area", 1, AnaRangeCity, MapKindPie, QString()},
        {"a bar takes one area", 1, AnaRangeNation, MapKindBar, QString()},
        {"choropleth over two areas", 2, AnaRangeCity, MapKindNuri, QString()},
        {"flow only at the prefecture level", 1, AnaRangeCity, MapKindRyusen, kFlowLevel},
        {"flow over the nation", 1, AnaRangeNation, MapKindRyusen, kFlowLevel},
        {"flow at the prefecture level", 1, AnaRangePref, MapKindRyusen, QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(graphCreateRefusal(c.areas, c.range, c.kind), c.refusal);
    }
}

TEST(GraphCreateRules, GraphValueByCalculationKindAndZeroForADenominatorOfZero)
{
    struct Case
    {
        double a, b;
        std::int32_t kind;
        double value;
    };
    const Case cases[] = {
        {30, 120, 0, 25}, // 割合(%)
        {30, 120, 1, 0.25}, // 比率
        {150, 120, 2, 25}, // 増加率
        {90, 120, 2, -25},
        {30, 0, 0, 0},
        {30, 0, 1, 0},
        {30, 0, 2, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b << " kind " << c.kind);
        EXPECT_DOUBLE_EQ(graphValue(c.a, c.b, c.kind), c.value);
    }
}

TEST(GraphCreateRules, ColourSlotsRepeatEveryFifteen)
{
    const std::pair<int, int> cases[] = {{1, 1}, {14, 14}, {15, 15}, {16, 1}, {30, 15}, {31, 1}};
    for (const auto &[i, slot] : cases)
        EXPECT_EQ(graphColorSlot(i), slot) << i;
}

TEST(GraphCreateRules, SturgesClassCountHeldToTheListedCounts)
{
    // log2(s) + 1 rounded: 22 areas give 5.46 -> 5, 23 give 5.52 -> 6,
    // 62 give 6.95 -> 7, 300 give 9.23 -> 9.
    const std::pair<int, int> cases[] = {
        {2, 2}, {3, 3}, {4, 3}, {22, 5}, {23, 6}, {62, 7}, {64, 7}, {300, 9}, {5000, 9}};
    for (const auto &[s, classes] : cases)
        EXPECT_EQ(sturgesClassCount(s), classes) << s;
}

} // namespace
