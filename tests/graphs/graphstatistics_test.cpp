// The descriptive statistics of the graph object, on small tables and on
// the 2020 census figures of the generated default data folder.
#include "graphs/clsdrawgraph.h"
#include "graphs/globals.h"
#include "platform/fs/fs.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"
#include "statdata/statfileformat.h"

#include <cmath>
#include <vector>
#include <gtest/gtest.h>

namespace {

clsDrawGraph withValues(const std::vector<double> &values)
{
    clsDrawGraph graph;
    for (double v : values)
        graph.AddSegment(v, QString(), 0, 0);
    return graph;
}

} // namespace

TEST(GraphStatistics, SumMeanVarianceAndDeviation)
{
    struct Case
    {
        const char *name;
        std::vector<double> values;
        double sum, average, variance;
    };
    const Case cases[] = {
        {"2, 4, 6", {2, 4, 6}, 12, 4, 8.0 / 3},
        {"one segment", {5}, 5, 0, 0},
        {"none", {}, 0, 0, 0},
        {"equal values", {7, 7, 7, 7}, 28, 7, 0},
        {"negative", {-1, 1}, 0, 0, 1},
    };
    glngGraphKind = GraphKindNuri;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const clsDrawGraph graph = withValues(c.values);
        const double sum = graph.GetSum();
        EXPECT_DOUBLE_EQ(sum, c.sum);
        EXPECT_DOUBLE_EQ(graph.GetAverage(sum), c.average);
        const double variance = graph.GetBunsan(sum);
        EXPECT_NEAR(variance, c.variance, 1e-12);
        EXPECT_GE(variance, 0);
        EXPECT_NEAR(graph.GetStandard(variance), std::sqrt(c.variance), 1e-12);
    }
    glngGraphKind = 0;
}

TEST(GraphStatistics, ScatterSumsTakePercentagesAsFractionsWithTheFlag)
{
    clsDrawGraph graph;
    graph.AddSegment(20, QString(), 0, 50);
    graph.AddSegment(40, QString(), 0, 150);
    struct Case
    {
        std::int32_t nFlg;
        double x, y, xy, xx, yy;
    };
    const Case cases[] = {{1, 2, 0.6, 0.7, 2.5, 0.2}, {0, 200, 60, 7000, 25000, 2000}, {-1, 2, 0.6, 0.7, 2.5, 0.2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.nFlg);
        EXPECT_DOUBLE_EQ(graph.GetSumX(c.nFlg), c.x);
        EXPECT_DOUBLE_EQ(graph.GetSumY(c.nFlg), c.y);
        EXPECT_DOUBLE_EQ(graph.GetSumMul(c.nFlg), c.xy);
        EXPECT_DOUBLE_EQ(graph.GetSumSpaX(c.nFlg), c.xx);
        EXPECT_DOUBLE_EQ(graph.GetSumSpaY(c.nFlg), c.yy);
    }
    const clsDrawGraph empty;
    EXPECT_EQ(empty.GetSumX(1), 0);
    EXPECT_EQ(empty.GetSumSpaY(0), 0);
}

TEST(GraphStatistics, MoreSegmentsThanASixteenBitCounterHoldsAreSummed)
{
    clsDrawGraph graph;
    for (int i = 0; i < 40000; ++i)
        graph.AddSegment(2, QString(), 0, 1);
    EXPECT_EQ(graph.Segments(), 39999);
    const double sum = graph.GetSum();
    EXPECT_EQ(sum, 80000);
    EXPECT_EQ(graph.GetAverage(sum), 2);
    EXPECT_EQ(graph.GetBunsan(sum), 0);
    EXPECT_EQ(graph.GetSumX(0), 40000);
    EXPECT_EQ(graph.GetSumMul(0), 80000);
    EXPECT_EQ(graph.GetSumSpaX(0), 40000);
    EXPECT_EQ(graph.GetSumSpaY(0), 160000);
}

TEST(GraphStatistics, ASumBeyondTheDoubleRangeFails)
{
    const clsDrawGraph graph = withValues({1.5e308, 1.5e308});
    EXPECT_ANY_THROW(graph.GetSum());
}

TEST(GraphStatistics, ThePrefectureTotalsOfThe2020CensusSumToTheNationalTotal)
{
    const QString list = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/etc/R2国勢調査.txt");
    ASSERT_TRUE(veltra::fs::fileExists(list)) << "build the target veltra_default_statistics";
    const QString reference = QStringLiteral("{[都道府県][人口][総人口]}");
    const std::int32_t column = ComCaldoraTable::GetEntryIndex(list, reference);
    const QString folder = ComCaldoraTable::GetValueFolder(list, reference);
    const std::int16_t level = ComCaldoraNeo::GetAreaLevel(reference);
    clsDrawGraph graph;
    for (int pref = 1; pref <= 47; ++pref) {
        const QString code = QStringLiteral("%1").arg(pref, 2, 10, QLatin1Char('0'));
        const QString file = ComCaldoraNeo::GetDataFileName(pref, folder, level);
        std::int32_t status = -1;
        const double value = ComCaldoraNeo::ReadAreaValue(file, code, 2, level, column, 0, false, status);
        ASSERT_EQ(status, 0) << code.toStdString();
        graph.AddSegment(value, code, 0, 0);
    }
    EXPECT_EQ(graph.Segments(), 46);
    EXPECT_EQ(graph.GetSum(), 126146099);
}
