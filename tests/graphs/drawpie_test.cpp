// The pie chart, on the recording canvas (exact shapes) and on a picture
// box's pixels.
#include "graphs/clsdrawgraph.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/legendswatch.h"
#include "graphs/picturebox.h"
#include "graphs/recordingcanvas.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double Quarter = 1.570796326794895;
constexpr double Turn = 6.28318530717958;

// The edge point of a slice at `angle` (radians clockwise from twelve) as
// the pie measures it from its rounded box.
QPoint edge(int cx, int cy, int r, double angle)
{
    return QPoint(static_cast<int>(std::nearbyint(cx - r + r + r * std::cos(angle - Quarter))),
        static_cast<int>(std::nearbyint(cy - r + r + r * std::sin(angle - Quarter))));
}

QRgb bgrPixel(std::int32_t bgr)
{
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

class Pie : public ::testing::Test
{
protected:
    void SetUp() override
    {
        glngGraphKind = GraphKindPie;
        pic.setBorderStyle(0);
        pic.resize(201, 150);
        graph.setAutoRedraw(true);
    }
    void TearDown() override { glngGraphKind = 0; }

    std::int32_t draw(const std::vector<double> &values, bool labels = false)
    {
        std::int32_t colour = 0x0000FF;
        for (double v : values) {
            graph.AddSegment(v, QString(), colour, 0);
            colour <<= 8;
        }
        return graph.DrawPie(&canvas, &pic, labels);
    }

    PictureBox pic;
    RecordingCanvas canvas;
    clsDrawGraph graph;
};

} // namespace

TEST_F(Pie, ThePictureIsWhitenedAndThePieIsHalfItsWidth)
{
    ASSERT_EQ(pic.clientRect(), (GraphBox{0, 0, 201, 150}));
    EXPECT_EQ(draw({1}), 1);
    const auto grounds = canvas.callsOf(CanvasCall::Rectangle);
    ASSERT_EQ(grounds.size(), 1u);
    EXPECT_EQ(grounds[0].box, (GraphBox{0, 0, 201, 150}));
    EXPECT_EQ(grounds[0].brush, GraphBrush::solid(0xFFFFFF));
    // Centre (100, 75), radius 50: a 201-pixel width halves to 100 (even).
    const auto circles = canvas.callsOf(CanvasCall::Ellipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].box, (GraphBox{50, 25, 151, 126}));
    EXPECT_EQ(circles[0].brush, GraphBrush::solid(0x0000FF));
    EXPECT_EQ(circles[0].pen, (GraphPen{GraphPen::Solid, 1, 0}));
    EXPECT_TRUE(canvas.callsOf(CanvasCall::Pie).empty());
    // The brush of the picture is put back.
    EXPECT_EQ(canvas.currentBrush(), GraphBrush{});
}

TEST_F(Pie, SlicesRunClockwiseFromTwelveInSegmentOrder)
{
    struct Case
    {
        const char *name;
        std::vector<double> values;
        std::vector<std::pair<double, double>> slices; // start, end (degrees)
        std::vector<std::int32_t> colours;
    };
    const std::vector<Case> cases = {
        {"30, 70", {30, 70}, {{0, 108}, {108, 360}}, {0x0000FF, 0x00FF00}},
        {"0, 50, 50", {0, 50, 50}, {{0, 180}, {180, 360}}, {0x00FF00, 0xFF0000}},
        {"25 x 4", {25, 25, 25, 25}, {{0, 90}, {90, 180}, {180, 270}, {270, 360}}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        graph.Clear();
        canvas.clear();
        EXPECT_EQ(draw(c.values), 1);
        const auto pies = canvas.callsOf(CanvasCall::Pie);
        ASSERT_EQ(pies.size(), c.slices.size());
        for (std::size_t i = 0; i < pies.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(pies[i].box, (GraphBox{50, 25, 151, 126}));
            const double start = c.slices[i].first / 360 * Turn;
            const double end = c.slices[i].second / 360 * Turn;
            // Counter-clockwise from the end edge to the start edge.
            EXPECT_EQ(pies[i].from, edge(100, 75, 50, end));
            EXPECT_EQ(pies[i].to, edge(100, 75, 50, start));
            EXPECT_EQ(pies[i].pen, (GraphPen{GraphPen::Solid, 0, 0}));
            if (!c.colours.empty()) {
                EXPECT_EQ(pies[i].brush, GraphBrush::solid(c.colours[i]));
            }
        }
        EXPECT_TRUE(canvas.callsOf(CanvasCall::Ellipse).empty());
    }
    // 108 degrees lies just past three o'clock: (148, 90).
    graph.Clear();
    canvas.clear();
    draw({30, 70});
    EXPECT_EQ(canvas.callsOf(CanvasCall::Pie)[0].from, QPoint(148, 90));
    EXPECT_EQ(canvas.callsOf(CanvasCall::Pie)[0].to, QPoint(100, 25));
}

TEST_F(Pie, ASegmentAndItsNegativeDrawOneFullCircle)
{
    EXPECT_EQ(draw({5, -5}), 1);
    ASSERT_EQ(canvas.callsOf(CanvasCall::Ellipse).size(), 1u);
    EXPECT_EQ(canvas.callsOf(CanvasCall::Ellipse)[0].brush, GraphBrush::solid(0x0000FF));
    EXPECT_TRUE(canvas.callsOf(CanvasCall::Pie).empty());
}

TEST_F(Pie, AZeroSumStartingWithZeroFailsAndKeepsWhatWasDrawn)
{
    EXPECT_EQ(draw({0, 0}), 2);
    ASSERT_EQ(canvas.calls().size(), 1u);
    EXPECT_EQ(canvas.calls()[0].kind, CanvasCall::Rectangle);
}

TEST_F(Pie, ASliceTooThinForTwoEdgePointsIsSkippedButAdvancesTheAngle)
{
    // 0.01 of 100000 is 0.036 degrees: both edges round to (100, 25).
    EXPECT_EQ(draw({0.01, 49999.99, 50000}, true), 1);
    const auto pies = canvas.callsOf(CanvasCall::Pie);
    ASSERT_EQ(pies.size(), 2u);
    const double thin = 0.01 / 100000 * Turn;
    EXPECT_EQ(pies[0].to, edge(100, 75, 50, thin));
    EXPECT_EQ(pies[0].from, edge(100, 75, 50, thin + 49999.99 / 100000 * Turn));
    // No label for the skipped slice.
    const auto texts = canvas.callsOf(CanvasCall::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("49999.99"));
    EXPECT_EQ(texts[1].text, QStringLiteral("50000"));
}

TEST_F(Pie, LabelsStandAtTheStartEdgesOnlyWithTheSwitchOn)
{
    draw({30, 70}, false);
    EXPECT_TRUE(canvas.callsOf(CanvasCall::Text).empty());

    graph.Clear();
    canvas.clear();
    draw({30, 70}, true);
    const auto texts = canvas.callsOf(CanvasCall::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("30"));
    EXPECT_EQ(texts[0].from, QPoint(100, 25));
    EXPECT_EQ(texts[1].text, QStringLiteral("70"));
    EXPECT_EQ(texts[1].from, QPoint(148, 90));
    EXPECT_EQ(texts[0].font.family(), QStringLiteral("IPAexGothic"));
    EXPECT_EQ(texts[0].font.pixelSize(), 10);

    // A whole circle's label stands at the middle of its box, (100.5, 75.5)
    // rounded half to even.
    graph.Clear();
    canvas.clear();
    draw({12.5}, true);
    ASSERT_EQ(canvas.callsOf(CanvasCall::Text).size(), 1u);
    EXPECT_EQ(canvas.callsOf(CanvasCall::Text)[0].from, QPoint(100, 76));
    EXPECT_EQ(canvas.callsOf(CanvasCall::Text)[0].text, QStringLiteral("12.5"));
}

TEST_F(Pie, NothingToDrawWithoutSegmentsOrWithTheSwitchOff)
{
    EXPECT_EQ(graph.DrawPie(&canvas, &pic, true), 1);
    EXPECT_TRUE(canvas.calls().empty());
    graph.setAutoRedraw(false);
    draw({1, 2});
    EXPECT_TRUE(canvas.calls().empty());
}

TEST_F(Pie, TheLinkedLegendIsShown)
{
    ctlLegend legend;
    graph.SetCtlLegend(&legend);
    graph.Clear();
    draw({30, 70});
    EXPECT_EQ(legend.PSY_GetTextCount(), 2);
    EXPECT_FALSE(legend.picLegendItem(1)->isHidden());
}

TEST_F(Pie, OnRealPixelsOneSegmentIsAFullCircleWithAOnePixelBlackOutline)
{
    graph.AddSegment(42, QString(), 0x0000FF, 0);
    EXPECT_EQ(graph.DrawPie(&pic.canvas(), &pic, false), 1);
    const QImage &img = pic.image();
    const QRgb red = bgrPixel(0x0000FF);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(img.pixel(100, 75), red);
    // Along both axes through the centre (100, 75), radius 50.
    struct Probe
    {
        int x, y;
        QRgb colour;
    };
    const Probe probes[] = {
        {100, 24, white}, {100, 25, black}, {100, 26, red}, {100, 124, red}, {100, 125, black}, {100, 126, white},
        {49, 75, white}, {50, 75, black}, {51, 75, red}, {149, 75, red}, {150, 75, black}, {151, 75, white},
        // The white ground is outlined with the picture's black pen.
        {0, 0, black}, {1, 1, white}, {200, 149, black}, {199, 148, white},
    };
    for (const Probe &p : probes) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(img.pixel(p.x, p.y), p.colour);
    }
}

TEST_F(Pie, OnRealPixelsThirtySeventyFillsTheRightQuadrantsByShare)
{
    graph.AddSegment(30, QString(), 0x0000FF, 0); // red
    graph.AddSegment(70, QString(), 0xFF0000, 0); // blue
    EXPECT_EQ(graph.DrawPie(&pic.canvas(), &pic, false), 1);
    const QImage &img = pic.image();
    // 30 % covers 0 to 108 degrees, just past three o'clock; the rest is blue.
    auto at = [&](double degrees) {
        const double a = degrees / 180 * M_PI;
        return img.pixel(qRound(100 + 30 * std::sin(a)), qRound(75 - 30 * std::cos(a)));
    };
    EXPECT_EQ(at(20), bgrPixel(0x0000FF));
    EXPECT_EQ(at(90), bgrPixel(0x0000FF));
    EXPECT_EQ(at(120), bgrPixel(0xFF0000));
    EXPECT_EQ(at(200), bgrPixel(0xFF0000));
    EXPECT_EQ(at(350), bgrPixel(0xFF0000));
}
