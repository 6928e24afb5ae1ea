// The bar graph and its value axis on the recording canvas, and the axis
// top and tick interval rules.
#include "fakegraphowner.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/globals.h"
#include "graphs/recordingcanvas.h"

#include <QScrollBar>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct BarGraph
{
    explicit BarGraph(const std::vector<double> &values)
    {
        glngGraphKind = GraphKindBar;
        graph.SetFormName(&owner);
        for (double v : values)
            graph.AddSegment(v, QString(), 0x0000FF, 0);
        owner.graph->resize(355, 240);
        owner.scroll->setVisible(true);
    }
    ~BarGraph() { glngGraphKind = 0; }

    std::int32_t draw(bool labels = false)
    {
        graph.setAutoRedraw(true);
        return graph.DrawRectangle(&canvas, owner.graph, labels);
    }

    FakeGraphOwner owner;
    clsDrawGraph graph;
    RecordingCanvas canvas;
};

} // namespace

TEST(BarGraph, AxisTopAndTickInterval)
{
    const clsDrawGraph graph;
    const std::pair<const char *, std::int32_t> tops[] = {{"7", 7}, {"10", 10}, {"12", 15}, {"15", 20}, {"95", 100},
        {"3.7", 4}, {"0", 0}, {"12.9", 15}, {"1234", 1500}, {"1750", 2000}, {"9999", 10000}, {"300", 300},
        {"0.25", 1}, {"3499", 3500}};
    for (const auto &[text, top] : tops)
        EXPECT_EQ(graph.get_MaxSuuchi(QString::fromLatin1(text)), top) << text;
    const std::pair<double, std::int32_t> intervals[] = {{10, 1}, {10.5, 5}, {15, 5}, {16, 10}, {150, 50},
        {151, 100}, {1500000, 1000000}, {5000000, 1000000}, {20000000, 10000000}};
    for (const auto &[top, interval] : intervals)
        EXPECT_EQ(graph.get_Y_Kankaku(top), interval) << top;
}

TEST(BarGraph, ThreeBarsOnTheNarrowPicture)
{
    BarGraph bar({10, 20, 30});
    ASSERT_EQ(bar.draw(true), 1);
    const auto lines = bar.canvas.callsOf(CanvasCall::Line);
    ASSERT_EQ(lines.size(), 3U);
    for (int j = 1; j <= 3; ++j) {
        const int y = static_cast<int>(std::lrint(225 - 215.0 / 30 * 10 * j));
        EXPECT_EQ(lines[static_cast<std::size_t>(j - 1)].from, QPoint(-2, y));
        EXPECT_EQ(lines[static_cast<std::size_t>(j - 1)].to, QPoint(355, y));
    }
    const auto boxes = bar.canvas.callsOf(CanvasCall::Rectangle);
    // Two white fills (before and after the pitch is chosen), then the bars.
    ASSERT_EQ(boxes.size(), 5U);
    const int xs[3][2] = {{59, 117}, {147, 205}, {235, 293}};
    for (int k = 0; k < 3; ++k) {
        const CanvasCall &b = boxes[static_cast<std::size_t>(2 + k)];
        EXPECT_EQ(b.box.left, xs[k][0]);
        EXPECT_EQ(b.box.right, xs[k][1]);
        EXPECT_EQ(b.box.bottom, 225);
        EXPECT_EQ(b.box.top, static_cast<int>(std::lrint(225 - (k + 1) * 10 * 215.0 / 30)));
        EXPECT_EQ(b.brush, GraphBrush::solid(0x0000FF));
    }
    const auto texts = bar.canvas.callsOf(CanvasCall::Text);
    ASSERT_EQ(texts.size(), 3U);
    EXPECT_EQ(texts[2].text, QStringLiteral("30"));
    EXPECT_EQ(texts[2].from, QPoint(264, 10 + 3));
    EXPECT_FALSE(bar.owner.scroll->isVisible());
}

TEST(BarGraph, MoreThanNineBarsWidenThePictureAndShowTheScrollBar)
{
    BarGraph ten({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    ten.owner.window.show();
    ASSERT_EQ(ten.draw(), 1);
    EXPECT_EQ(ten.owner.graph->width(), 407);
    EXPECT_TRUE(ten.owner.scroll->isVisible());
    EXPECT_EQ(ten.owner.scroll->value(), 0);
    EXPECT_GT(ten.owner.scroll->maximum(), 0);
    const auto boxes = ten.canvas.callsOf(CanvasCall::Rectangle);
    EXPECT_EQ(boxes.back().box.left, 9 * 37 + 37 - 12);

    BarGraph nine({1, 2, 3, 4, 5, 6, 7, 8, 9});
    nine.owner.window.show();
    ASSERT_EQ(nine.draw(), 1);
    EXPECT_FALSE(nine.owner.scroll->isVisible());
    const auto bars = nine.canvas.callsOf(CanvasCall::Rectangle);
    EXPECT_EQ(bars.back().box.left, 8 * 35 + 35 - 11); // pitch 355 \ 10 = 35
}

TEST(BarGraph, TensOfThousandsCountInTheUnitWord)
{
    BarGraph bar({12000, 34000});
    ASSERT_EQ(bar.draw(true), 1);
    EXPECT_EQ(bar.canvas.callsOf(CanvasCall::Text).back().text, QStringLiteral("3.4"));

    RecordingCanvas axis;
    PictureBox picture;
    picture.resize(50, 245);
    glngGraphKind = GraphKindBarAxis;
    ASSERT_EQ(bar.graph.DrawMemori(&axis, &picture, true), 1);
    const auto texts = axis.callsOf(CanvasCall::Text);
    ASSERT_EQ(texts.size(), 5U); // top 4 (万), interval 1: four ticks and the unit
    EXPECT_EQ(texts[0].text, QStringLiteral("      1"));
    EXPECT_EQ(texts[3].text, QStringLiteral("      4"));
    EXPECT_EQ(texts[4].text, QStringLiteral("万"));
    const int bottom = picture.clientRect().bottom;
    EXPECT_EQ(texts[4].from, QPoint(10, bottom - 15));
    const auto ticks = axis.callsOf(CanvasCall::Line);
    ASSERT_EQ(ticks.size(), 4U);
    EXPECT_EQ(ticks[0].from, QPoint(40, static_cast<int>(std::lrint(bottom - 20 - 215.0 / 4))));
}

TEST(BarGraph, NoPositiveValueFailsAndNoSegmentDrawsNothing)
{
    BarGraph flat({0, -5});
    EXPECT_EQ(flat.draw(), 2);
    BarGraph none({});
    EXPECT_EQ(none.draw(), 1);
    EXPECT_TRUE(none.canvas.callsOf(CanvasCall::Line).empty());
}

TEST(BarGraph, SwitchingAutoRedrawOnDrawsTheStoredBars)
{
    BarGraph bar({10, 20, 30});
    EXPECT_EQ(bar.graph.DrawRectangle(&bar.canvas, bar.owner.graph, false), 1);
    EXPECT_TRUE(bar.canvas.calls().empty());
    bar.graph.setAutoRedraw(true);
    EXPECT_EQ(bar.canvas.callsOf(CanvasCall::Rectangle).size(), 5U);
}
