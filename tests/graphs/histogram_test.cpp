// The class histogram on the recording canvas with a stand-in owner and
// selector and the real legend and gradation: what it leaves alone, the
// sort, the statistics labels, the legend rows, the count axis, the bars and
// the boundary handles of the three modes.
#include "fakegraphowner.h"
#include "fakeitemselection.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlgradation.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/recordingcanvas.h"
#include "platform/ui/twips.h"
#include "platform/vb/convert.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int EqualInterval = 3;
constexpr int MapWidth = 400;
constexpr int MapHeight = 300;
constexpr int HandleWidth = 10;

struct Histogram
{
    explicit Histogram(const std::vector<double> &values, const QString &count = QStringLiteral("2"),
        const std::vector<QString> &names = {})
    {
        glngGraphKind = GraphKindNuri;
        graph.SetFormName(&owner);
        graph.SetCtlLegend(&legend);
        graph.SetCtlGradation(&gradation);
        graph.SetCtlSelect(&select);
        select.answers[1] = 1;
        for (std::size_t i = 0; i < values.size(); ++i)
            graph.AddSegment(values[i], i < names.size() ? names[i] : QString(), static_cast<std::int32_t>(i), 0);
        owner.methods[EqualInterval]->setChecked(true);
        owner.furiwake->setEditable(true);
        for (int i = 2; i <= 9; ++i)
            owner.furiwake->addItem(QString::number(i));
        owner.furiwake->setEditText(count);
        owner.map->setBorderStyle(0);
        owner.map->setGeometry(0, 0, MapWidth, MapHeight);
        owner.loadSliders(9);
        for (PictureBox *handle : owner.sliders)
            handle->resize(HandleWidth, 10);
        for (QLabel *label : owner.labels)
            label->setText(QStringLiteral("untouched"));
    }
    ~Histogram() { glngGraphKind = 0; }

    // As the window does: store the call with the switch off and switch it
    // on, which draws; then draw once more to see the status.
    std::int32_t draw(const QString &mode = QStringLiteral("1"), const QString &positions = QString())
    {
        if (!graph.AutoRedraw()) {
            graph.DrawHistogram(&canvas, owner.map, true, mode, 0, positions);
            graph.setAutoRedraw(true);
        }
        canvas.clear();
        return graph.DrawHistogram(&canvas, owner.map, true, mode, 0, positions);
    }
    std::vector<double> values() const
    {
        std::vector<double> out;
        for (int i = 0; i <= graph.Segments(); ++i)
            out.push_back(graph.segmentList()[static_cast<std::size_t>(i)].Value);
        return out;
    }
    int handleLeft(int i) const { return owner.sliders[static_cast<std::size_t>(i)]->x(); }
    // Where the routine puts a handle for a value: its middle on the value
    // along the bar under the x axis (pixels).
    static int handleFor(double fraction)
    {
        const double t = veltra::ui::twipsPerPixelX();
        const double barWidth = MapWidth * t - 60 * t - HandleWidth * t;
        return veltra::ui::twipsToPixelsX(fraction * barWidth + 60 * t - HandleWidth * t / 2);
    }

    FakeGraphOwner owner;
    ctlGradation gradation;
    ctlLegend legend;
    FakeItemSelection select;
    clsDrawGraph graph;
    RecordingCanvas canvas;
};

} // namespace

TEST(Histogram, SwitchOffOrOneSegmentDoesNothing)
{
    Histogram off({3, 1, 2});
    off.graph.setAutoRedraw(false);
    EXPECT_EQ(off.graph.DrawHistogram(&off.canvas, off.owner.map, true, QStringLiteral("1"), 0, QString()), 1);
    EXPECT_TRUE(off.canvas.calls().empty());
    EXPECT_EQ(off.values(), (std::vector<double>{3, 1, 2}));
    EXPECT_EQ(off.owner.lblAverage()->text(), QStringLiteral("untouched"));

    Histogram one({5});
    EXPECT_EQ(one.draw(), 1);
    EXPECT_TRUE(one.canvas.calls().empty());
    EXPECT_EQ(one.owner.lblMax()->text(), QStringLiteral("untouched"));
    EXPECT_EQ(one.graph.GetGradeNum(), 0);
}

TEST(Histogram, ValuesAreSortedWhileNamesStayAndLabelsAreRightAligned)
{
    Histogram h({3, 1, 2}, QStringLiteral("2"), {QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")});
    ASSERT_EQ(h.draw(), 1);
    EXPECT_EQ(h.values(), (std::vector<double>{1, 2, 3}));
    const QString names[] = {QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")};
    for (int i = 0; i < 3; ++i) {
        QString name;
        std::int32_t colour = -1;
        h.graph.GetHead5(i, name, colour);
        EXPECT_EQ(name, names[i]);
        EXPECT_EQ(colour, i);
    }
    EXPECT_EQ(h.owner.lblAverage()->text(), QStringLiteral("          2.00"));
    EXPECT_EQ(h.owner.lblBunsan()->text(), QStringLiteral("            0.67"));
    EXPECT_EQ(h.owner.lblStandard()->text(), QStringLiteral("          0.82"));
    EXPECT_EQ(h.owner.lblMax()->text(), QStringLiteral("          3.00"));
    EXPECT_EQ(h.owner.lblMin()->text(), QStringLiteral("          1.00"));
    EXPECT_EQ(h.owner.lblRange()->text(), QStringLiteral("          2.00"));
}

TEST(Histogram, LargeFiguresKeepTheirThousandsInTheLabels)
{
    Histogram h({14047594, 553407});
    ASSERT_EQ(h.draw(), 1);
    EXPECT_EQ(h.owner.lblMax()->text(), QStringLiteral(" 14,047,594.00"));
    EXPECT_EQ(h.owner.lblRange()->text(), QStringLiteral(" 13,494,187.00"));
}

TEST(Histogram, AnEmptyClassKeepsAZeroBarItsRowAndItsHandles)
{
    // Equal interval over 0..9, three classes of width 3: 0, 1, 2 | none | 9.
    Histogram h({0, 1, 2, 9}, QStringLiteral("3"));
    ASSERT_EQ(h.draw(), 1);
    ASSERT_EQ(h.graph.GetGradeNum(), 3);
    EXPECT_EQ(h.graph.classList()[1].Kensuu, 0);

    // White fill, then three red bars of equal width on the x axis.
    const auto boxes = h.canvas.callsOf(CanvasCall::Rectangle);
    ASSERT_EQ(boxes.size(), 4U);
    const double width = (MapWidth - 60.0 - HandleWidth) / 3;
    for (int i = 0; i < 3; ++i) {
        const CanvasCall &bar = boxes[static_cast<std::size_t>(1 + i)];
        EXPECT_EQ(bar.brush, GraphBrush::solid(0x0000FF));
        EXPECT_EQ(bar.box.left, veltra::vb::cLng(60 + i * width));
        EXPECT_EQ(bar.box.right, veltra::vb::cLng(60 + (i + 1) * width));
        EXPECT_EQ(bar.box.bottom, MapHeight - 35);
    }
    EXPECT_EQ(boxes[2].box.top, MapHeight - 35);
    EXPECT_LT(boxes[1].box.top, boxes[3].box.top);

    EXPECT_EQ(h.legend.PSY_GetTextCount(), 3);
    EXPECT_EQ(h.legend.GetHanrei(1), QStringLiteral("         3.0/         6.0"));
    EXPECT_EQ(h.handleLeft(1), Histogram::handleFor(3.0 / 9));
    EXPECT_EQ(h.handleLeft(2), Histogram::handleFor(6.0 / 9));
    EXPECT_EQ(h.handleLeft(3), Histogram::handleFor(1));
    EXPECT_LT(h.handleLeft(1), h.handleLeft(2));
}

TEST(Histogram, LegendRowsFollowTheCalculationKind)
{
    struct Case
    {
        std::int16_t calculation;
        double lowest;
        double highest;
        const char *row0;
    };
    const Case cases[] = {
        {2, 0.1234, 1, "    0.1234/    0.5617"},
        {3, 0.1234, 1, "    0.1234/    0.5617"},
        {1, 0.1, 2.1, "         0.1/         1.1"},
        {255, 0.1, 2.1, "         0.1/         1.1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.calculation);
        Histogram h({c.lowest, c.highest});
        h.select.answers[1] = c.calculation;
        ASSERT_EQ(h.draw(), 1);
        EXPECT_EQ(h.legend.GetHanrei(0), QString::fromLatin1(c.row0));
    }
}

TEST(Histogram, WithoutASelectorTheDrawingFails)
{
    Histogram h({1, 2, 3});
    h.graph.SetCtlSelect(nullptr);
    EXPECT_EQ(h.draw(), 2);
}

TEST(Histogram, TickLabelsRunFromTheIntervalToTheLargestMultipleNotAboveTheTop)
{
    // 32 values in the first class: top 35, interval 10, ticks 10, 20, 30.
    std::vector<double> values(32, 0);
    values.push_back(10);
    Histogram h(values);
    ASSERT_EQ(h.draw(), 1);
    const auto texts = h.canvas.callsOf(CanvasCall::Text);
    ASSERT_EQ(texts.size(), 3U);
    const double perCount = (MapHeight - 45.0) / 35;
    for (int j = 1; j <= 3; ++j) {
        const CanvasCall &text = texts[static_cast<std::size_t>(j - 1)];
        EXPECT_EQ(text.text, (QString(7, QLatin1Char(' ')) + QString::number(10 * j)).right(7));
        const double y = MapHeight - 35 - perCount * 10 * j;
        EXPECT_EQ(text.from, QPoint(20, veltra::vb::cLng(y - 6)));
    }
    // Three axis lines, then the three grid lines from x 55 to the handle margin.
    const auto lines = h.canvas.callsOf(CanvasCall::Line);
    ASSERT_EQ(lines.size(), 6U);
    EXPECT_EQ(lines[3].from, QPoint(55, veltra::vb::cLng(MapHeight - 35 - perCount * 10)));
    EXPECT_EQ(lines[3].to.x(), MapWidth - HandleWidth);
}

TEST(Histogram, HandlesInTheThreeModes)
{
    Histogram h({0, 5, 10});
    ASSERT_EQ(h.draw(), 1);
    const double t = veltra::ui::twipsPerPixelX();
    EXPECT_EQ(h.handleLeft(0), Histogram::handleFor(0));
    EXPECT_EQ(h.handleLeft(1), Histogram::handleFor(0.5));
    EXPECT_EQ(h.handleLeft(2), Histogram::handleFor(1));
    for (int i = 0; i <= 2; ++i) {
        EXPECT_EQ(h.owner.sliders[static_cast<std::size_t>(i)]->BorderStyle(), 0);
        EXPECT_EQ(h.owner.sliders[static_cast<std::size_t>(i)]->y(),
            veltra::ui::twipsToPixelsY(MapHeight * t - 35 * t + 70));
    }
    EXPECT_EQ(h.owner.bar->x(), 60);
    EXPECT_EQ(h.owner.bar->width(), MapWidth - 60 - HandleWidth);

    // "2": the bounds typed into the legend; the picture is not cleared and
    // only the axes are drawn again.
    h.legend.PSY_SetText(0, QStringLiteral("0"), QStringLiteral("4"));
    h.legend.PSY_SetText(1, QStringLiteral("4"), QStringLiteral("10"));
    ASSERT_EQ(h.draw(QStringLiteral("2")), 1);
    EXPECT_EQ(h.handleLeft(1), Histogram::handleFor(0.4));
    EXPECT_TRUE(h.canvas.callsOf(CanvasCall::Rectangle).empty());
    EXPECT_EQ(h.canvas.callsOf(CanvasCall::Line).size(), 3U);

    // Anything else: the positions given, in twips.
    ASSERT_EQ(h.draw(QStringLiteral("0"), QStringLiteral("150/1500/4500")), 1);
    EXPECT_EQ(h.handleLeft(0), veltra::ui::twipsToPixelsX(150));
    EXPECT_EQ(h.handleLeft(1), veltra::ui::twipsToPixelsX(1500));
    EXPECT_EQ(h.handleLeft(2), veltra::ui::twipsToPixelsX(4500));
}

TEST(Histogram, BadHandlePositionsFail)
{
    const char *const positions[] = {"150/1500", "150/abc/4500", ""};
    for (const char *p : positions) {
        SCOPED_TRACE(p);
        Histogram h({0, 5, 10});
        ASSERT_EQ(h.draw(), 1);
        EXPECT_EQ(h.draw(QStringLiteral("0"), QString::fromLatin1(p)), 2);
    }
}

TEST(Histogram, TheRedrawSwitchRepeatsTheStoredCall)
{
    Histogram h({3, 1, 2});
    h.graph.setAutoRedraw(false);
    h.graph.DrawHistogram(&h.canvas, h.owner.map, true, QStringLiteral("1"), 0, QString());
    EXPECT_TRUE(h.canvas.calls().empty());
    h.graph.setAutoRedraw(true);
    EXPECT_EQ(h.values(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(h.canvas.callsOf(CanvasCall::Rectangle).size(), 3U);
}
