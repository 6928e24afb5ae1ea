// The scatter diagram on the recording canvas: the fitted line, the
// coefficient in lblKeisuu and the status for ordinary and degenerate
// points, the axis units and ticks, and the hit test of the plotted points.
#include "fakegraphowner.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/globals.h"
#include "graphs/recordingcanvas.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"

#include <gtest/gtest.h>

namespace {

constexpr int Right = 370; // 300 pixels of X axis: right - 70
constexpr int Bottom = 245; // 200 pixels of Y axis: bottom - 45

struct Scatter
{
    explicit Scatter(const std::vector<std::pair<double, double>> &points)
    {
        glngGraphKind = GraphKindSanpuzu;
        graph.SetFormName(&owner);
        std::int32_t index = 10;
        for (const auto &[x, y] : points) {
            graph.AddSegment(y, QString(), 0x00FF00, x);
            graph.AddSanpuIDX(index++);
        }
        owner.map->setBorderStyle(0);
        owner.map->resize(Right, Bottom);
        owner.keisuu->setText(QStringLiteral("before"));
    }
    ~Scatter() { glngGraphKind = 0; }

    double draw()
    {
        graph.DrawSanpuzu(&canvas, owner.map, true);
        graph.setAutoRedraw(true);
        canvas.clear();
        return graph.DrawSanpuzu(&canvas, owner.map, true);
    }
    // Lines after the two axes: the fitted line when there is one.
    std::vector<CanvasCall> fittedLines() const
    {
        auto lines = canvas.callsOf(CanvasCall::Line);
        lines.erase(lines.begin(), lines.begin() + std::min<std::ptrdiff_t>(2, lines.size()));
        return lines;
    }

    FakeGraphOwner owner;
    clsDrawGraph graph;
    RecordingCanvas canvas;
};

} // namespace

TEST(Scatter, OnePointLeavesTheCoefficient)
{
    Scatter s({{1, 2}});
    EXPECT_EQ(s.draw(), 1);
    EXPECT_EQ(s.canvas.calls().size(), 1U); // the white fill
    EXPECT_EQ(s.owner.keisuu->text(), QStringLiteral("before"));
}

TEST(Scatter, FittedLineCoefficientAndStatus)
{
    struct Case
    {
        const char *name;
        std::vector<std::pair<double, double>> points;
        const char *coefficient;
        double status;
        bool line;
    };
    const Case cases[] = {
        {"y = 2x", {{1, 2}, {2, 4}, {3, 6}}, "1.00", 1, true},
        {"negative", {{1, 3}, {2, 1}, {3, 2}}, "-0.50", 1, true},
        {"all X equal: no line", {{2, 1}, {2, 5}, {2, 3}}, "0.00", 2, false},
        {"all Y equal: a level line", {{1, 4}, {2, 4}, {3, 4}}, "0.00", 2, true},
        {"all X 0: no scale", {{0, 1}, {0, 2}}, "", 2, false},
        {"all Y 0: no scale", {{1, 0}, {2, 0}}, "", 2, false},
        {"deviations beyond the fixed-point range", {{0, 1}, {200000000, 2}, {100000000, 5}}, "", 2, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Scatter s(c.points);
        EXPECT_EQ(s.draw(), c.status);
        EXPECT_EQ(s.owner.keisuu->text(), QString::fromUtf8(c.coefficient));
        EXPECT_EQ(s.fittedLines().size(), c.line ? 1U : 0U);
    }
}

TEST(Scatter, TheLineOfYEqualsTwoX)
{
    Scatter s({{1, 2}, {2, 4}, {3, 6}});
    ASSERT_EQ(s.draw(), 1);
    // Top X 3 and top Y 6: 100 pixels per X unit, 200/6 per Y unit. Slope 2
    // and intercept 0 put x = 1 at y = 2 and x = 3 at y = 6.
    const auto lines = s.fittedLines();
    ASSERT_EQ(lines.size(), 1U);
    const double sy = 200.0 / 6;
    EXPECT_EQ(lines[0].from, QPoint(160, veltra::vb::cLng(Bottom - 2 * sy - 35)));
    EXPECT_EQ(lines[0].to, QPoint(360, veltra::vb::cLng(Bottom - 6 * sy - 35)));

    // Points are 6-pixel squares in their colour around the plotted centre.
    const auto boxes = s.canvas.callsOf(CanvasCall::Rectangle);
    const CanvasCall &first = boxes[boxes.size() - 3];
    EXPECT_EQ(first.brush, GraphBrush::solid(0x00FF00));
    EXPECT_EQ(first.box, (GraphBox{157, veltra::vb::cLng(Bottom - 2 * sy - 38), 163,
                             veltra::vb::cLng(Bottom - 2 * sy - 32)}));
}

TEST(Scatter, ASteepLineEndsTwentyPixelsBelowTheAxis)
{
    Scatter s({{0, 20}, {1, 10}, {2, 0}});
    RecordingCanvas canvas;
    // Slope -10, intercept 20: at x = 5 the line would reach y = 240.
    const double r = s.graph.DrawLinearFit(&canvas, 0, Bottom, 5, 0, 10, 1);
    EXPECT_NEAR(r, -1, 1e-4);
    const auto lines = canvas.callsOf(CanvasCall::Line);
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].from, QPoint(60, Bottom - 20 - 35));
    EXPECT_EQ(lines[0].to, QPoint(110, Bottom - 15));
}

TEST(Scatter, AxisUnitsAndTicks)
{
    // maxX 35: top 40 counted in 十, ticks 1 to 4 at 75 pixels a step.
    Scatter s({{35, 2}, {10, 3}});
    ASSERT_EQ(s.draw(), 1);
    const auto texts = s.canvas.callsOf(CanvasCall::Text);
    ASSERT_GE(texts.size(), 5U);
    EXPECT_EQ(texts[0].text, QStringLiteral("十"));
    EXPECT_EQ(texts[0].from, QPoint(Right - 30, Bottom - 15));
    for (int j = 1; j <= 4; ++j) {
        const CanvasCall &tick = texts[static_cast<std::size_t>(j)];
        const double p = j * 10 * 7.5 + 60;
        EXPECT_EQ(tick.text, QStringLiteral("      %1").arg(j));
        EXPECT_EQ(tick.from, QPoint(veltra::vb::cLng(p - 28), Bottom - 29));
    }
    // maxY 3: no unit word, ticks 1 to 3 on the Y axis.
    EXPECT_EQ(texts.size(), 5U + 3U);
    EXPECT_EQ(texts[7].text, QStringLiteral("      3"));
    EXPECT_EQ(texts[7].from, QPoint(20, veltra::vb::cLng(Bottom - 35 - 200.0 - 6)));
}

TEST(Scatter, LargeFiguresTakeTheUnitWord)
{
    // maxY 14,047,594: top 15,000,000, 千万, ticks 1 (the whole part of 1.5).
    Scatter s({{1, 553407}, {2, 14047594}});
    ASSERT_EQ(s.draw(), 1);
    const auto texts = s.canvas.callsOf(CanvasCall::Text);
    const auto unit = std::find_if(texts.begin(), texts.end(), [](const CanvasCall &c) { return c.from == QPoint(5, 4); });
    ASSERT_NE(unit, texts.end());
    EXPECT_EQ(unit->text, QStringLiteral("千万"));
}

TEST(Scatter, ClicksFindThePlottedPoint)
{
    Scatter s({{1, 2}, {2, 4}, {2, 4}, {3, 6}});
    ASSERT_EQ(s.draw(), 1);
    const double tx = veltra::ui::twipsPerPixelX();
    const double ty = veltra::ui::twipsPerPixelY();
    const GraphSegment &first = s.graph.segmentList()[0];
    EXPECT_DOUBLE_EQ(first.PlotX, 160 * tx);
    const auto click = [&](double x, double y) { return s.graph.chkZahyou(static_cast<float>(x), static_cast<float>(y)); };
    EXPECT_EQ(click(first.PlotX + 2 * tx, first.PlotY - 2 * ty), 10);
    EXPECT_EQ(click(first.PlotX + 4 * tx, first.PlotY), -1);
    EXPECT_EQ(click(first.PlotX, first.PlotY + 4 * ty), -1);
    // Two points on one spot: the one added first.
    const GraphSegment &twin = s.graph.segmentList()[1];
    EXPECT_EQ(click(twin.PlotX, twin.PlotY), 11);
}

TEST(Scatter, TheRedrawSwitchRepeatsTheStoredCall)
{
    Scatter s({{1, 2}, {2, 4}, {3, 6}});
    s.graph.setAutoRedraw(false);
    s.graph.DrawSanpuzu(&s.canvas, s.owner.map, true);
    EXPECT_TRUE(s.canvas.calls().empty());
    s.graph.setAutoRedraw(true);
    EXPECT_EQ(s.owner.keisuu->text(), QStringLiteral("1.00"));
}
