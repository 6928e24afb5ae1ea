// The population pyramid on the recording canvas: when it draws nothing or
// fails, the count scale and its unit word, percentages held at the edge
// while the rows keep their values, the row geometry and the bar outlines;
// and the age rows of 東京都 in the generated census data.
#include "fakegraphowner.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/globals.h"
#include "graphs/recordingcanvas.h"
#include "platform/fs/fs.h"
#include "platform/vb/convert.h"
#include "shell/mdlspcom.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comcaldoratable.h"

#include <gtest/gtest.h>

namespace {

constexpr int Width = 410; // plot area 400 wide: half-width 200, centre 205
constexpr int Height = 425; // plot area 400 high
constexpr std::int32_t Men = 0xFF0000;
constexpr std::int32_t Women = 0x0000FF;
constexpr int Counts = 0;
constexpr int Percent = 1;

struct Pyramid
{
    Pyramid(const std::vector<std::pair<double, double>> &rows, int segments = 2)
    {
        glngGraphKind = GraphKindPyramid;
        if (segments > 0)
            graph.AddSegment(0, QStringLiteral("男"), Men, 0);
        if (segments > 1)
            graph.AddSegment(0, QStringLiteral("女"), Women, 0);
        for (const auto &[left, right] : rows)
            graph.AddPyramidSegment(left, right);
        picture.setBorderStyle(0);
        picture.resize(Width, Height);
    }
    ~Pyramid() { glngGraphKind = 0; }

    std::int32_t draw(int kind, std::int32_t habaMax = 0, bool outlined = true)
    {
        graph.DrawPyramid(&canvas, &picture, kind, habaMax, outlined, true);
        graph.setAutoRedraw(true);
        canvas.clear();
        return graph.DrawPyramid(&canvas, &picture, kind, habaMax, outlined, true);
    }
    std::vector<CanvasCall> dottedLines() const
    {
        std::vector<CanvasCall> out;
        for (const CanvasCall &c : canvas.callsOf(CanvasCall::Line))
            if (c.pen.style == GraphPen::Dot)
                out.push_back(c);
        return out;
    }
    // The bars: every rectangle after the white fill.
    std::vector<CanvasCall> bars() const
    {
        auto boxes = canvas.callsOf(CanvasCall::Rectangle);
        boxes.erase(boxes.begin());
        return boxes;
    }
    QString unitWord() const
    {
        for (const CanvasCall &c : canvas.callsOf(CanvasCall::Text))
            if (c.from == QPoint(195, Height - 15))
                return c.text;
        return QStringLiteral("(none)");
    }

    PictureBox picture;
    clsDrawGraph graph;
    RecordingCanvas canvas;
};

} // namespace

TEST(Pyramid, NoRowOrNoSegmentDrawsNothing)
{
    Pyramid noRow({});
    EXPECT_EQ(noRow.draw(Counts), 1);
    EXPECT_TRUE(noRow.canvas.calls().empty());
    Pyramid noSegment({{1, 2}}, 0);
    EXPECT_EQ(noSegment.draw(Counts), 1);
    EXPECT_TRUE(noSegment.canvas.calls().empty());
}

TEST(Pyramid, BadInputFails)
{
    EXPECT_EQ(Pyramid({{1, 2}}, 1).draw(Counts), 2);
    EXPECT_EQ(Pyramid({{0, 0}, {0, 0}}).draw(Counts), 2);
    EXPECT_EQ(Pyramid({{1, 2}}).draw(Percent, 0), 2);
}

TEST(Pyramid, CountScaleAndUnitWord)
{
    struct Case
    {
        double largest;
        const char *unit;
        int steps;
        double divisor;
    };
    const Case cases[] = {
        {85, "十", 9, 10},
        {5, "", 5, 1},
        {250000, "十万", 3, 100000},
        {4500, "千", 5, 1000},
        {450, "百", 5, 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.largest);
        Pyramid p({{c.largest / 2, c.largest}, {c.largest, 1}});
        ASSERT_EQ(p.draw(Counts), 1);
        EXPECT_EQ(p.unitWord(), QString::fromUtf8(c.unit));
        const auto grid = p.dottedLines();
        ASSERT_EQ(grid.size(), static_cast<std::size_t>(2 * c.steps));
        // The outermost grid lines stand at the plot's edges, labelled n.
        EXPECT_EQ(grid.front().from.x(), 5);
        EXPECT_EQ(grid.back().from.x(), 405);
        // The largest value's bar reaches s * value from the centre.
        const double s = 200 / (c.steps * c.divisor);
        const auto bars = p.bars();
        ASSERT_EQ(bars.size(), 4U);
        EXPECT_EQ(bars[1].box.left, veltra::vb::cLng(205 - s * c.largest));
        EXPECT_EQ(bars[2].box.right, veltra::vb::cLng(205 + s * c.largest));
    }
}

TEST(Pyramid, PercentagesAreHeldAtTheEdgeWhileTheRowsKeepTheirValues)
{
    Pyramid p({{7.5, 2}});
    ASSERT_EQ(p.draw(Percent, 5), 1);
    EXPECT_EQ(p.unitWord(), QStringLiteral("％"));
    EXPECT_EQ(p.dottedLines().size(), 10U);
    EXPECT_EQ(p.bars()[0].box.left, 5);
    EXPECT_EQ(p.graph.pyramidLeft()[0], 7.5);

    // A redraw with a wider maximum shows the stored value.
    ASSERT_EQ(p.draw(Percent, 10), 1);
    EXPECT_EQ(p.bars()[0].box.left, veltra::vb::cLng(205 - 20 * 7.5));
}

TEST(Pyramid, TwentyRowsOfTwentyPixelsFromTheBottom)
{
    std::vector<std::pair<double, double>> rows;
    for (int r = 0; r < 20; ++r)
        rows.emplace_back(r + 1, 20 - r);
    Pyramid p(rows);
    ASSERT_EQ(p.draw(Counts), 1);
    const auto bars = p.bars();
    ASSERT_EQ(bars.size(), 40U);
    for (int r = 0; r < 20; ++r) {
        SCOPED_TRACE(r);
        const CanvasCall &left = bars[static_cast<std::size_t>(r)];
        const CanvasCall &right = bars[static_cast<std::size_t>(20 + r)];
        EXPECT_EQ(left.box.bottom, Height - 20 - 20 * r);
        EXPECT_EQ(left.box.top, Height - 20 - 20 * (r + 1));
        EXPECT_EQ(left.box.right, 205);
        EXPECT_EQ(right.box.left, 205);
        EXPECT_EQ(left.brush, GraphBrush::solid(Men));
        EXPECT_EQ(right.brush, GraphBrush::solid(Women));
    }
}

TEST(Pyramid, OutlinedOrBorderlessBars)
{
    Pyramid p({{3, 4}});
    ASSERT_EQ(p.draw(Counts, 0, true), 1);
    EXPECT_EQ(p.bars()[0].pen, GraphPen{});
    ASSERT_EQ(p.draw(Counts, 0, false), 1);
    EXPECT_EQ(p.bars()[0].pen, (GraphPen{GraphPen::Solid, 1, Men}));
    EXPECT_EQ(p.bars()[1].pen, (GraphPen{GraphPen::Solid, 1, Women}));
    // The pen is given back after the bars.
    EXPECT_EQ(p.canvas.currentPen(), GraphPen{});
}

namespace {

// The 2020 five-year age groups of 東京都 from the generated data: men and
// women row by row from 0-4 years, and both sexes' unknown age.
struct AgeRows
{
    std::vector<std::pair<double, double>> rows;
    double unknown = 0;
};

AgeRows tokyoAgeRows()
{
    const QString list = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/etc/R2国勢調査.txt");
    AgeRows out;
    if (!veltra::fs::fileExists(list))
        return out;
    const QString section = QStringLiteral("年齢5歳階級別");
    QString count, men, women;
    mdlSpCom::GetIniValue(section, QStringLiteral("DataCnt"), count, list);
    mdlSpCom::GetIniValue(section, QStringLiteral("StartField1"), men, list);
    mdlSpCom::GetIniValue(section, QStringLiteral("StartField2"), women, list);
    const auto reference = [&](const QString &item) {
        return QStringLiteral("{[都道府県][年齢5歳階級別][%1]}").arg(item);
    };
    const QString folder = ComCaldoraTable::GetValueFolder(list, reference(QStringLiteral("男")));
    const QString file = ComCaldoraNeo::GetDataFileName(13, folder, 0);
    const auto value = [&](std::int32_t column) {
        std::int32_t status = -1;
        const double v = ComCaldoraNeo::ReadAreaValue(file, QStringLiteral("13"), 2, 0, column, 0, false, status);
        EXPECT_EQ(status, 0) << column;
        return v;
    };
    for (int i = 0; i < count.toInt(); ++i)
        out.rows.emplace_back(value(men.toInt() + i), value(women.toInt() + i));
    out.unknown = value(ComCaldoraTable::GetEntryIndex(list, reference(QStringLiteral("年齢不詳(男)"))))
        + value(ComCaldoraTable::GetEntryIndex(list, reference(QStringLiteral("年齢不詳(女)"))));
    return out;
}

} // namespace

TEST(Pyramid, TokyoAgeRowsAddUpToItsPublishedTotal)
{
    const AgeRows tokyo = tokyoAgeRows();
    ASSERT_EQ(tokyo.rows.size(), 21U) << "build the target veltra_default_statistics";
    double total = tokyo.unknown;
    double largest = 0;
    for (const auto &[men, women] : tokyo.rows) {
        total += men + women;
        largest = std::max({largest, men, women});
    }
    EXPECT_EQ(total, 14047594);

    // The largest row (several hundred thousand) is counted in 十万.
    ASSERT_GT(largest, 99999);
    ASSERT_LE(largest, 999999);
    Pyramid p(tokyo.rows);
    ASSERT_EQ(p.draw(Counts), 1);
    EXPECT_EQ(p.unitWord(), QStringLiteral("十万"));
    EXPECT_EQ(p.dottedLines().size(), 2 * static_cast<std::size_t>(std::ceil(largest / 100000)));
}
