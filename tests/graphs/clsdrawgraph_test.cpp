// The graph-drawing object: counters, legend forwarding, the redraw switch,
// colours, the header readers, angles and the axis unit.
#include "graphs/clsdrawgraph.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "graphs/recordingcanvas.h"
#include "graphs/tani.h"
#include "platform/vb/errors.h"

#include <gtest/gtest.h>

using namespace veltra;

namespace {

class DrawGraph : public ::testing::Test
{
protected:
    void SetUp() override { glngGraphKind = GraphKindPie; }
    void TearDown() override { glngGraphKind = 0; }
};

void addSegments(clsDrawGraph &graph, std::initializer_list<double> values)
{
    std::int32_t colour = 0x0000FF;
    for (double v : values)
        graph.AddSegment(v, QStringLiteral("区域%1").arg(v), colour++, 0);
}

} // namespace

TEST_F(DrawGraph, CountersAreLastIndexesAndGraphCntCountsTheListEvenWhenEmpty)
{
    struct Case
    {
        int added;
        std::int32_t segments, graphCnt;
    };
    const Case cases[] = {{0, -1, 1}, {1, 0, 1}, {3, 2, 3}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.added);
        clsDrawGraph graph;
        addSegments(graph, {9, 9, 9, 9});
        graph.Clear();
        for (int i = 0; i < c.added; ++i)
            graph.AddSegment(i, QString(), 0, 0);
        EXPECT_EQ(graph.Segments(), c.segments);
        EXPECT_EQ(graph.GraphCnt(), c.graphCnt);
    }
}

TEST_F(DrawGraph, ClearKeepsNamesAndSwitchButEmptiesTheClassCountAndLists)
{
    clsDrawGraph graph;
    graph.SetNoticeName(QStringLiteral("総人口"));
    graph.SetCompName(QStringLiteral("世帯数"));
    graph.SetGradeNum(5);
    graph.setAutoRedraw(true);
    addSegments(graph, {1, 2});
    graph.Clear();
    EXPECT_EQ(graph.GetGradeNum(), 0);
    EXPECT_EQ(graph.NoticeName(), QStringLiteral("総人口"));
    EXPECT_EQ(graph.CompName(), QStringLiteral("世帯数"));
    EXPECT_TRUE(graph.AutoRedraw());
    // The one element left is zeroed.
    QString name = QStringLiteral("x");
    std::int32_t colour = -1;
    graph.GetHead5(0, name, colour);
    EXPECT_TRUE(name.isEmpty());
    EXPECT_EQ(colour, 0);
}

TEST_F(DrawGraph, SegmentsReachTheLegendExceptOnTheChoropleth)
{
    struct Case
    {
        std::int32_t kind;
        bool linked;
        std::int32_t legendCount; // entries of the legend's list after two adds
    };
    const Case cases[] = {
        {GraphKindPie, true, 1},
        {GraphKindBar, true, 1},
        {GraphKindNuri, true, -1},
        {GraphKindPie, false, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << (c.linked ? " linked" : " alone"));
        glngGraphKind = c.kind;
        ctlLegend legend;
        clsDrawGraph graph;
        if (c.linked)
            graph.SetCtlLegend(&legend);
        graph.Clear();
        graph.AddSegment(30, QStringLiteral("男"), 0x0000FF, 0);
        graph.AddSegment(70, QStringLiteral("女"), 0xFF0000, 0);
        EXPECT_EQ(graph.Segments(), 1);
        EXPECT_EQ(legend.lngCount(), c.legendCount);
        if (c.legendCount == 1) {
            ASSERT_EQ(legend.legendSegments().size(), 2u);
            EXPECT_EQ(legend.legendSegments()[1].strName, QStringLiteral("女"));
            EXPECT_EQ(legend.legendSegments()[1].lngColor, 0xFF0000);
            EXPECT_EQ(legend.legendSegments()[1].dblValue, 70);
        }
    }
}

TEST_F(DrawGraph, TheSwitchRedrawsOnlyOnAChangeWithTheStoredArguments)
{
    PictureBox pic;
    pic.resize(201, 150);
    RecordingCanvas canvas;
    clsDrawGraph graph;
    graph.Clear();
    addSegments(graph, {30, 70});
    // With the switch off the call only stores its arguments.
    EXPECT_EQ(graph.DrawPie(&canvas, &pic, true), 1);
    EXPECT_TRUE(canvas.calls().empty());
    graph.setAutoRedraw(false);
    EXPECT_TRUE(canvas.calls().empty());

    graph.setAutoRedraw(true);
    // Once: the white ground, two slices and their labels.
    EXPECT_EQ(canvas.callsOf(CanvasCall::Rectangle).size(), 1u);
    EXPECT_EQ(canvas.callsOf(CanvasCall::Pie).size(), 2u);
    EXPECT_EQ(canvas.callsOf(CanvasCall::Text).size(), 2u);
    const std::size_t once = canvas.calls().size();
    graph.setAutoRedraw(true);
    EXPECT_EQ(canvas.calls().size(), once);
    // Switching off runs the dispatch too, but the pie draws only while on.
    graph.setAutoRedraw(false);
    EXPECT_EQ(canvas.calls().size(), once);
}

TEST_F(DrawGraph, KindsWithoutTheirRoutineAndUnknownKindsDrawNothing)
{
    PictureBox pic;
    pic.resize(201, 150);
    RecordingCanvas canvas;
    clsDrawGraph graph;
    addSegments(graph, {30, 70});
    graph.DrawPie(&canvas, &pic, false);
    for (std::int32_t kind : {0, 4, 5, 6, 8, 11, -1}) {
        SCOPED_TRACE(kind);
        glngGraphKind = kind;
        graph.setAutoRedraw(true);
        graph.setAutoRedraw(false);
        EXPECT_TRUE(canvas.calls().empty());
    }
}

TEST_F(DrawGraph, ChangeColorChangesTheClassOrTheSegmentByKind)
{
    ctlLegend legend;
    clsDrawGraph graph;
    graph.SetCtlLegend(&legend);

    glngGraphKind = GraphKindNuri;
    graph.Clear();
    graph.AddSegment(5, QStringLiteral("A"), 0x111111, 0);
    legend.AddSegment(0, QStringLiteral("0.0/10.0/1"), 0);
    graph.ChangeColor(0, 0x00FF00);
    std::int32_t colour = 0;
    double lower = -1, upper = -1;
    graph.GetHead4(0, colour, lower, upper);
    EXPECT_EQ(colour, 0x00FF00);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 0);
    EXPECT_TRUE(graph.colorChanged());
    QString name;
    graph.GetHead5(0, name, colour);
    EXPECT_EQ(colour, 0x111111);
    EXPECT_EQ(legend.hanreiItems()[0].lngColor, 0x00FF00);
    graph.ChangeColorFlgInit();
    EXPECT_FALSE(graph.colorChanged());

    glngGraphKind = GraphKindPie;
    graph.Clear();
    graph.AddSegment(5, QStringLiteral("A"), 0x111111, 0);
    graph.ChangeColor(0, 0x0000FF);
    graph.GetHead5(0, name, colour);
    EXPECT_EQ(colour, 0x0000FF);
    EXPECT_FALSE(graph.colorChanged());
    EXPECT_EQ(legend.legendSegments()[0].lngColor, 0x0000FF);
}

TEST_F(DrawGraph, ChangeColorFailsToItsCallerWithTheStateChangedUpToTheFailure)
{
    clsDrawGraph graph;
    // No legend: the colour and the flag are stored, then the call fails.
    glngGraphKind = GraphKindNuri;
    EXPECT_THROW(graph.ChangeColor(0, 0x00FF00), vb::ObjectNotSet);
    std::int32_t colour = 0;
    double lower = 0, upper = 0;
    graph.GetHead4(0, colour, lower, upper);
    EXPECT_EQ(colour, 0x00FF00);
    EXPECT_TRUE(graph.colorChanged());

    // An index outside the list fails before anything changes.
    graph.ChangeColorFlgInit();
    EXPECT_THROW(graph.ChangeColor(1, 0x0000FF), vb::SubscriptOutOfRange);
    EXPECT_THROW(graph.ChangeColor(-1, 0x0000FF), vb::SubscriptOutOfRange);
    EXPECT_FALSE(graph.colorChanged());
    glngGraphKind = GraphKindPie;
    graph.AddSegment(1, QString(), 0, 0);
    EXPECT_THROW(graph.ChangeColor(1, 0x0000FF), vb::SubscriptOutOfRange);
}

TEST_F(DrawGraph, ChangeColorRedrawsWhileTheSwitchIsOn)
{
    PictureBox pic;
    pic.resize(201, 150);
    RecordingCanvas canvas;
    ctlLegend legend;
    clsDrawGraph graph;
    graph.SetCtlLegend(&legend);
    addSegments(graph, {30, 70});
    graph.DrawPie(&canvas, &pic, false);
    graph.setAutoRedraw(true);
    canvas.clear();
    graph.ChangeColor(1, 0x00FFFF);
    const auto pies = canvas.callsOf(CanvasCall::Pie);
    ASSERT_EQ(pies.size(), 2u);
    EXPECT_EQ(pies[1].brush, GraphBrush::solid(0x00FFFF));
}

TEST_F(DrawGraph, HeaderReadersFailPastTheEndOfTheirList)
{
    clsDrawGraph graph;
    addSegments(graph, {1, 2, 3});
    QString name;
    std::int32_t colour = 0;
    double lower = 0, upper = 0;
    graph.GetHead5(2, name, colour);
    EXPECT_EQ(name, QStringLiteral("区域3"));
    EXPECT_EQ(colour, 0x000101);
    EXPECT_THROW(graph.GetHead5(3, name, colour), vb::SubscriptOutOfRange);
    EXPECT_THROW(graph.GetHead5(-1, name, colour), vb::SubscriptOutOfRange);
    // An empty class list still holds its one element.
    graph.GetHead4(0, colour, lower, upper);
    EXPECT_THROW(graph.GetHead4(1, colour, lower, upper), vb::SubscriptOutOfRange);
}

TEST_F(DrawGraph, ScatterIndexesAndPyramidRowsCountFromMinusOne)
{
    clsDrawGraph graph;
    graph.AddSanpuIDX(7);
    graph.AddSanpuIDX(9);
    graph.AddPyramidSegment(10, 12);
    // Feeding them leaves the segment counters alone.
    EXPECT_EQ(graph.Segments(), -1);
    EXPECT_EQ(graph.GraphCnt(), 1);
}

TEST(DrawGraphGeometry, DegreesAreClockwiseFromTwelveOClock)
{
    struct Case
    {
        double degree;
        std::int32_t x, y;
    };
    const Case cases[] = {{90, 150, 100}, {0, 100, 50}, {180, 100, 150}, {270, 50, 100}, {45, 135, 65}};
    const clsDrawGraph graph;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.degree);
        std::int32_t x = 0, y = 0;
        graph.DegreesToXY(100, 100, c.degree, 50, 50, x, y);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
    }
}

TEST(DrawGraphGeometry, TheAxisUnitIsTheLargestTheValueStrictlyExceeds)
{
    struct Case
    {
        double value;
        const char16_t *word;
        double divisor;
    };
    const Case cases[] = {
        {999, u"", 1},
        {1000, u"千", 1E3},
        {9999, u"千", 1E3},
        {10000, u"万", 1E4},
        {123456, u"十万", 1E5},
        {1E6, u"百万", 1E6},
        {1E7, u"千万", 1E7},
        {126146099, u"億", 1E8},
        {1E9, u"十億", 1E9},
        {9999999999.0, u"十億", 1E9},
        {1E10, u"百億", 1E10},
        {1.5E10, u"百億", 1E10},
        {-5000, u"", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        const graphs::Tani tani = graphs::taniFor(c.value);
        EXPECT_EQ(tani.word, QString::fromUtf16(c.word));
        EXPECT_EQ(tani.divisor, c.divisor);
    }
}
