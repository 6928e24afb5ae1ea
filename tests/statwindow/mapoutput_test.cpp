// The assembly of a map output's analysis from fixture records, legend and
// selector snapshots, kind by kind: value substitution and markers, the
// first five flows and the unknown partner, the scatter's ratios, the symbol
// file, the empty choropleth value, the item lines and their eras.
#include "statwindow/mapoutput.h"

#include <gtest/gtest.h>

using namespace veltra::statwindow;

namespace {

constexpr int Nuri = 0, Pie = 1, Bar = 2, Value = 3, Symbol = 4, Ranking = 5, Pyramid = 6, Ryusen = 7,
              Sanpuzu = 8;

const QString Dash = QStringLiteral("\"-\"");
const QString J = QStringLiteral("\"J\"");

// An area with values 1..n and their statuses.
StatArea area(const QString &name, std::vector<StatValue> values, std::vector<std::int32_t> statuses)
{
    StatArea a;
    a.AreaName = name;
    a.PrefCode = 13;
    a.CityCode = 101;
    a.X = 1000;
    a.Y = 2000;
    a.Value = {StatValue{}};
    a.Value.insert(a.Value.end(), values.begin(), values.end());
    a.DataFlag = {0};
    a.DataFlag.insert(a.DataFlag.end(), statuses.begin(), statuses.end());
    return a;
}

// Sub-item texts of a plain item of survey era `era`.
std::vector<QString> plainItem(const QString &era)
{
    return {
        QStringLiteral("R2国勢調査\\人口\\総人口"), QStringLiteral("etc/R2/人口"), QStringLiteral("1"), era};
}

std::vector<QString> templateItem(const QString &name)
{
    return {QStringLiteral("計算"), name, QStringLiteral("CALC"), QString()};
}

std::vector<StatYearEntry> years()
{
    StatYearEntry r2;
    r2.Name = QStringLiteral("R2国勢調査");
    r2.StartDate = QStringLiteral("20201001");
    r2.EndDate = QStringLiteral("20251001");
    r2.EraCode = QStringLiteral("R2");
    StatYearEntry h27;
    h27.Name = QStringLiteral("H27国勢調査");
    h27.StartDate = QStringLiteral("20151001");
    h27.EndDate = QStringLiteral("20201001");
    h27.EraCode = QStringLiteral("H27");
    return {r2, h27, StatYearEntry{}};
}

struct Bed
{
    std::vector<StatArea> records{StatArea{}};
    std::vector<StatYearEntry> yearList = years();
    OutputSource source;

    explicit Bed(int kind)
    {
        source.mapKind = kind;
        source.records = &records;
        source.years = &yearList;
        source.legend.segments = 0;
        source.legend.entries = {{QStringLiteral("総人口"), 255}};
    }
    void items(int list, std::vector<std::vector<QString>> details)
    {
        source.selector.names[static_cast<std::size_t>(list)].clear();
        for (const auto &d : details)
            source.selector.names[static_cast<std::size_t>(list)].push_back(
                d.empty() ? QString() : d.front());
        source.selector.details[static_cast<std::size_t>(list)] = std::move(details);
    }
    AnalysisCalls run() const { return assembleAnalysis(source); }
};

// The values of area line `i` (from 0) as texts, "<empty>" for none.
QStringList valuesOf(const AnalysisCalls &calls, std::size_t i)
{
    QStringList out;
    const auto &values = calls.areas.at(i).values;
    for (std::size_t k = 1; k < values.size(); ++k)
        out << (values[k].isValid() ? values[k].toString() : QStringLiteral("<empty>"));
    return out;
}

} // namespace

TEST(MapOutputFlows, SevenPartnersGiveFiveFlowsRankedInListOrderInTheChosenDirection)
{
    for (const std::int32_t flowKind : {0, 1}) {
        SCOPED_TRACE(flowKind);
        Bed bed(Ryusen);
        bed.source.selector.flowKind = flowKind;
        bed.items(0, {plainItem(QStringLiteral("R2"))});
        StatArea tokyo = area(QStringLiteral("東京都"), {}, {});
        for (int p = 1; p <= 7; ++p)
            tokyo.Ryusen.push_back({p, 100.0 * p});
        tokyo.Ryusen.insert(tokyo.Ryusen.begin(), RyusenPair{});
        bed.records.push_back(tokyo);
        bed.source.prefLookup = [](std::int32_t code) -> std::optional<PrefPlace> {
            return PrefPlace{QStringLiteral("県%1").arg(code), code * 10, code * 20};
        };
        const AnalysisCalls calls = bed.run();
        EXPECT_TRUE(calls.areas.empty());
        EXPECT_EQ(calls.areaCount, 1);
        ASSERT_EQ(calls.flows.size(), 5u);
        const std::size_t self = flowKind == 1 ? 1 : 2;
        const std::size_t other = 3 - self;
        for (std::size_t h = 0; h < 5; ++h) {
            const AnalysisCalls::Flow &f = calls.flows[h];
            const auto partner = static_cast<std::int32_t>(h + 1);
            EXPECT_EQ(f.ranking, partner);
            EXPECT_EQ(f.index, partner);
            EXPECT_EQ(f.value, 100.0 * partner);
            EXPECT_EQ(f.codes[self], 13);
            EXPECT_EQ(f.names[self], QStringLiteral("東京都"));
            EXPECT_EQ(f.x[self], 1000);
            EXPECT_EQ(f.codes[other], partner);
            EXPECT_EQ(f.names[other], QStringLiteral("県%1").arg(partner));
            EXPECT_EQ(f.y[other], partner * 20);
        }
    }
}

TEST(MapOutputFlows, AnUnknownPartnerIsLeftOutAndTheOthersKeepTheirRanks)
{
    Bed bed(Ryusen);
    bed.source.selector.flowKind = 1;
    StatArea a = area(QStringLiteral("大阪府"), {}, {});
    a.Ryusen = {RyusenPair{}, {13, 5}, {99, 7}, {14, 9}};
    bed.records.push_back(a);
    bed.source.prefLookup = [](std::int32_t code) -> std::optional<PrefPlace> {
        if (code == 99)
            return std::nullopt;
        return PrefPlace{QStringLiteral("県%1").arg(code), 1, 2};
    };
    const AnalysisCalls calls = bed.run();
    ASSERT_EQ(calls.flows.size(), 2u);
    EXPECT_EQ(calls.flows[0].ranking, 1);
    EXPECT_EQ(calls.flows[0].names[2], QStringLiteral("県13"));
    EXPECT_EQ(calls.flows[1].ranking, 3);
    EXPECT_EQ(calls.flows[1].names[2], QStringLiteral("県14"));
}

TEST(MapOutputValues, ItemOneWithoutDataRulesRankingAndPyramidLinesAndOnlyValueOneOfASymbolLine)
{
    struct Case
    {
        int kind;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {Ranking, {Dash, Dash}},
        {Pyramid, {Dash, Dash, Dash}},
        {Symbol, {Dash, QStringLiteral("2"), QStringLiteral("C:/sym/star.bmp")}},
        {Value, {Dash, QStringLiteral("2")}},
        {Bar, {Dash, QStringLiteral("2")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        Bed bed(c.kind);
        bed.items(0, {plainItem(QStringLiteral("R2"))});
        bed.source.selector.symbolFile = QStringLiteral("C:/sym/star.bmp");
        std::vector<StatValue> values{1.0, 2.0};
        std::vector<std::int32_t> statuses{1, 0};
        if (c.kind == Pyramid) {
            values = {QStringLiteral("13000000000.bmp"), 3.0, 4.0};
            statuses = {1, 0, 0};
        }
        bed.records.push_back(area(QStringLiteral("a"), values, statuses));
        const AnalysisCalls calls = bed.run();
        EXPECT_EQ(valuesOf(calls, 0), c.expected);
        // The records are the caller's and stay as they were.
        EXPECT_EQ(bed.records[1].Value.size(), values.size() + 1);
    }
}

TEST(MapOutputValues, TheSymbolFileIsTheLastValueOfEveryLine)
{
    Bed bed(Symbol);
    bed.items(0, {plainItem(QStringLiteral("R2"))});
    bed.source.selector.symbolFile = QStringLiteral("C:/sym/star.bmp");
    bed.records.push_back(area(QStringLiteral("a"), {5.0}, {0}));
    bed.records.push_back(area(QStringLiteral("b"), {6.0, 7.0}, {2, 0}));
    const AnalysisCalls calls = bed.run();
    EXPECT_EQ(valuesOf(calls, 0), (QStringList{QStringLiteral("5"), QStringLiteral("C:/sym/star.bmp")}));
    EXPECT_EQ(valuesOf(calls, 1),
        (QStringList{QStringLiteral("\"R2\""), QStringLiteral("7"), QStringLiteral("C:/sym/star.bmp")}));
    EXPECT_EQ(bed.records[1].Value.size(), 2u);
    EXPECT_EQ(bed.records[2].DataFlag.size(), 3u);
}

TEST(MapOutputItems, APieEntryFromATemplateTakesItsNameAndTheTemplateMarker)
{
    Bed bed(Pie);
    bed.source.legend.segments = 1;
    bed.source.legend.entries = {{QStringLiteral("男"), 16711680}, {QStringLiteral("計算1"), 255}};
    bed.items(0, {plainItem(QStringLiteral("R2")), templateItem(QStringLiteral("人口密度"))});
    bed.records.push_back(area(QStringLiteral("a"), {10.0, 20.0}, {2, 2}));
    bed.records.push_back(area(QStringLiteral("b"), {10.0, 20.0}, {0, 1}));
    const AnalysisCalls calls = bed.run();
    ASSERT_EQ(calls.head5.size(), 2u);
    EXPECT_EQ(calls.head5[0].name, QStringLiteral("男"));
    EXPECT_EQ(calls.head5[0].startDate, QStringLiteral("20201001"));
    EXPECT_EQ(calls.head5[0].endDate, QStringLiteral("20251001"));
    EXPECT_EQ(calls.head5[1].name, QStringLiteral("人口密度"));
    EXPECT_EQ(calls.head5[1].color, 255);
    EXPECT_TRUE(calls.head5[1].startDate.isEmpty());
    EXPECT_EQ(calls.markers.at(1), QVariant(QStringLiteral("\"R2\"")));
    EXPECT_EQ(calls.markers.at(2), QVariant(J));
    EXPECT_EQ(valuesOf(calls, 0), (QStringList{QStringLiteral("\"R2\""), J}));
    EXPECT_EQ(valuesOf(calls, 1), (QStringList{QStringLiteral("10"), Dash}));
}

TEST(MapOutputItems, EraMatchingAndMissingLegend)
{
    struct Case
    {
        const char *what;
        int kind;
        std::vector<QString> details;
        std::int32_t segments;
        std::size_t head5;
        QString start, marker;
    };
    std::vector<QString> pyramidItem(10);
    pyramidItem[3] = QStringLiteral("18");
    pyramidItem[9] = QStringLiteral("H27");
    const std::vector<Case> cases{
        {"matched era", Ranking, plainItem(QStringLiteral("H27")), 0, 1, QStringLiteral("20151001"),
            QStringLiteral("\"H27\"")},
        {"unmatched era", Ranking, plainItem(QStringLiteral("S55")), 0, 1, QString(), QString()},
        {"empty era is no era", Ranking, plainItem(QString()), 0, 1, QString(), QString()},
        {"no era text at all", Value, {QStringLiteral("p"), QStringLiteral("f"), QStringLiteral("1")}, 0, 1,
            QString(), QString()},
        {"pyramid era is text 9", Pyramid, pyramidItem, 1, 2, QStringLiteral("20151001"),
            QStringLiteral("\"H27\"")},
        {"no segment, no item line", Value, plainItem(QStringLiteral("R2")), -1, 0, QString(),
            QStringLiteral("\"R2\"")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Bed bed(c.kind);
        bed.source.legend.segments = c.segments;
        bed.items(0, {c.details});
        bed.records.push_back(area(QStringLiteral("a"), {1.0}, {2}));
        const AnalysisCalls calls = bed.run();
        ASSERT_EQ(calls.head5.size(), c.head5);
        if (c.head5 > 0) {
            EXPECT_EQ(calls.head5[0].startDate, c.start);
            EXPECT_EQ(calls.head5[0].endDate.isEmpty(), c.start.isEmpty());
        }
        EXPECT_EQ(calls.markers.at(1).toString(), c.marker);
        // Status 2 writes the marker, an empty one as nothing.
        EXPECT_EQ(valuesOf(calls, 0).value(0), c.marker.isEmpty() ? QStringLiteral("<empty>") : c.marker);
    }
}

TEST(MapOutputChoropleth, ClassValuesStatusesAndTheRateMarker)
{
    struct Case
    {
        const char *what;
        bool denominator;
        std::vector<StatValue> calcValue;
        std::int32_t status;
        QString expected;
    };
    const std::vector<Case> cases{
        {"a value", false, {StatValue{}, 12.5}, 0, QStringLiteral("12.5")},
        {"no value made (missing denominator)", true, {StatValue{}, StatValue{}}, 0,
            QStringLiteral("<empty>")},
        {"no value list at all", false, {}, 0, QStringLiteral("<empty>")},
        {"no data", false, {StatValue{}, 3.0}, 1, Dash},
        {"not found, plain item", false, {StatValue{}, 3.0}, 2, QStringLiteral("\"R2\"")},
        {"not found, a rate", true, {StatValue{}, 3.0}, 2, J},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Bed bed(Nuri);
        bed.source.legend.segments = 1;
        bed.source.legend.entries = {{QStringLiteral("総人口"), 0}, {QStringLiteral("総人口"), 0}};
        bed.source.legend.gradeNum = 2;
        bed.source.legend.classes = {{255, 0, 10}, {65535, 10, 20}};
        bed.items(0, {plainItem(QStringLiteral("R2"))});
        if (c.denominator)
            bed.items(1, {plainItem(QStringLiteral("R2"))});
        StatArea a = area(QStringLiteral("a"), {1.0, 2.0}, {c.status, 0});
        a.CalcValue = c.calcValue;
        bed.records.push_back(a);
        const AnalysisCalls calls = bed.run();
        EXPECT_EQ(valuesOf(calls, 0), QStringList{c.expected});
        EXPECT_EQ(calls.head4.size(), 2u);
        EXPECT_EQ(calls.head5.size(), 2u);
    }
}

TEST(MapOutputScatter, AxesWithAndWithoutDenominators)
{
    struct Case
    {
        const char *what;
        bool xDenominator, yDenominator;
        std::vector<StatValue> values; // 1.. as the reader orders them
        std::vector<std::int32_t> statuses;
        std::int32_t calcKind2, calcKind3;
        QStringList expected;
    };
    const std::vector<Case> cases{
        {"plain axes", false, false, {3.0, 4.0}, {0, 2}, 0, 0,
            {QStringLiteral("3"), QStringLiteral("\"R2\"")}},
        {"share of a denominator", true, false, {1.0, 4.0, 3.0}, {0, 0, 0}, 0, 0,
            {QStringLiteral("33.3333"), QStringLiteral("4")}},
        {"ratio and growth", true, true, {1.0, 150.0, 8.0, 120.0}, {0, 0, 0, 0}, 1, 2,
            {QStringLiteral("0.125"), QStringLiteral("25")}},
        {"denominator without data", true, false, {1.0, 4.0, 3.0}, {0, 0, 1}, 0, 0,
            {Dash, QStringLiteral("4")}},
        {"denominator of 0", true, false, {1.0, 4.0, 0.0}, {0, 0, 0}, 0, 0,
            {QStringLiteral("0"), QStringLiteral("4")}},
        {"numerator without data", true, false, {1.0, 4.0, 3.0}, {1, 0, 0}, 0, 0,
            {Dash, QStringLiteral("4")}},
        {"numerator not found", true, false, {1.0, 4.0, 3.0}, {2, 0, 0}, 0, 0, {J, QStringLiteral("4")}},
        {"Y denominator after the X one", true, true, {1.0, 2.0, 4.0, 8.0}, {0, 0, 0, 1}, 1, 1,
            {QStringLiteral("0.25"), Dash}},
        {"Y denominator alone sits at 3", false, true, {1.0, 2.0, 8.0}, {0, 0, 0}, 1, 1,
            {QStringLiteral("1"), QStringLiteral("0.25")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Bed bed(Sanpuzu);
        bed.source.selector.calcKind2 = c.calcKind2;
        bed.source.selector.calcKind3 = c.calcKind3;
        bed.items(0, {plainItem(QStringLiteral("R2"))});
        bed.items(2, {plainItem(QStringLiteral("R2"))});
        if (c.xDenominator)
            bed.items(1, {plainItem(QStringLiteral("R2"))});
        if (c.yDenominator)
            bed.items(3, {plainItem(QStringLiteral("R2"))});
        bed.records.push_back(area(QStringLiteral("a"), c.values, c.statuses));
        const AnalysisCalls calls = bed.run();
        EXPECT_EQ(valuesOf(calls, 0), c.expected);
        ASSERT_EQ(calls.head5.size(), 2u);
        EXPECT_EQ(calls.head5[0].color, 0);
        EXPECT_EQ(calls.markers.at(1).toString(), c.xDenominator ? J : QStringLiteral("\"R2\""));
    }
}

TEST(MapOutputScatter, ATemplateAxisIsNamedAfterItsTemplate)
{
    Bed bed(Sanpuzu);
    bed.items(0, {templateItem(QStringLiteral("高齢化率"))});
    bed.items(2, {plainItem(QStringLiteral("H27"))});
    bed.records.push_back(area(QStringLiteral("a"), {1.0, 2.0}, {2, 2}));
    const AnalysisCalls calls = bed.run();
    ASSERT_EQ(calls.head5.size(), 2u);
    EXPECT_EQ(calls.head5[0].name, QStringLiteral("高齢化率"));
    EXPECT_EQ(calls.head5[1].name, plainItem(QString()).front());
    EXPECT_EQ(calls.head5[1].startDate, QStringLiteral("20151001"));
    EXPECT_EQ(valuesOf(calls, 0), (QStringList{J, QStringLiteral("\"H27\"")}));
}
