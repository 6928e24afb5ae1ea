// The pictures of a population pyramid map: each area's rows (absolute, or
// shares of its own totals to four decimals), the incomplete area that gets
// no picture and loses an older one, the rewritten value lists, the single-
// year item drawn without outlines, and the preview summed over all areas.
#include "graphs/clsdrawgraph.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "graphs/recordingcanvas.h"
#include "statwindow/pyramidpictures.h"
#include "testsupport.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace veltra::statwindow;

namespace {

constexpr std::int32_t Men = 0xFF0000;
constexpr std::int32_t Women = 0x0000FF;

StatArea pyramidArea(const QString &code, std::vector<double> men, std::vector<double> women,
    std::vector<std::int32_t> statuses)
{
    StatArea a;
    a.AreaCode = code;
    a.ManValue = {0};
    a.ManValue.insert(a.ManValue.end(), men.begin(), men.end());
    a.WomanValue = {0};
    a.WomanValue.insert(a.WomanValue.end(), women.begin(), women.end());
    a.DataFlag = {0};
    a.DataFlag.insert(a.DataFlag.end(), statuses.begin(), statuses.end());
    a.Value = {StatValue{}, 0.0};
    return a;
}

std::vector<QString> itemTexts(const QString &path)
{
    std::vector<QString> texts(10);
    texts[0] = path;
    texts[3] = QStringLiteral("3");
    texts[7] = QStringLiteral("男");
    texts[8] = QStringLiteral("女");
    return texts;
}

using Rows = std::vector<std::pair<double, double>>;

} // namespace

TEST(PyramidPlan, RowsTotalsAndCompleteness)
{
    struct Case
    {
        const char *what;
        StatArea area;
        std::int32_t expressionKind;
        bool drawable;
        double left, right;
        Rows rows;
    };
    const std::vector<Case> cases{
        {"absolute rows are the class values", pyramidArea("a", {1, 2, 3}, {4, 5, 6}, {0, 0, 0}), 0, true, 6,
            15, {{1, 4}, {2, 5}, {3, 6}}},
        {"relative rows are shares of the area's totals, four decimals",
            pyramidArea("a", {1, 2, 3}, {4, 5, 6}, {0, 0, 0}), 1, true, 6, 15,
            {{16.6667, 26.6667}, {33.3333, 33.3333}, {50, 40}}},
        {"a left total of 0 gives relative 0", pyramidArea("a", {0, 0, 0}, {1, 1, 2}, {0, 0, 0}), 1, true, 0,
            4, {{0, 25}, {0, 25}, {0, 50}}},
        {"a class without data makes the area incomplete", pyramidArea("a", {1, 1, 1}, {2, 2, 2}, {0, 1, 0}),
            0, false, 3, 6, {{1, 2}, {1, 2}, {1, 2}}},
        {"a class not found too", pyramidArea("a", {1, 1, 1}, {2, 2, 2}, {0, 0, 2}), 0, false, 3, 6,
            {{1, 2}, {1, 2}, {1, 2}}},
        {"totals are four-decimal fixed point",
            pyramidArea("a", {0.00004, 0.00004, 1}, {0.5, 0.25, 0}, {0, 0, 0}), 0, true, 1, 0.75,
            {{0.00004, 0.5}, {0.00004, 0.25}, {1, 0}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const PyramidPlan plan = pyramidPlan(c.area, 3, c.expressionKind);
        EXPECT_EQ(plan.drawable, c.drawable);
        EXPECT_DOUBLE_EQ(plan.leftTotal, c.left);
        EXPECT_DOUBLE_EQ(plan.rightTotal, c.right);
        ASSERT_EQ(plan.rows.size(), c.rows.size());
        for (std::size_t j = 0; j < c.rows.size(); ++j) {
            EXPECT_DOUBLE_EQ(plan.rows[j].first, c.rows[j].first) << j;
            EXPECT_DOUBLE_EQ(plan.rows[j].second, c.rows[j].second) << j;
        }
    }
}

TEST(PyramidPlan, TheSummaryAddsEveryAreaPerClass)
{
    const std::vector<StatArea> records{StatArea{}, pyramidArea("a", {1, 2, 3}, {4, 5, 6}, {0, 0, 0}),
        pyramidArea("b", {3, 2, 1}, {0, 0, 5}, {0, 1, 0})};
    EXPECT_EQ(pyramidSummary(records, 3, 0), (Rows{{4, 4}, {4, 5}, {4, 11}}));
    // Relative: shares of the grand totals 12 and 20.
    EXPECT_EQ(pyramidSummary(records, 3, 1), (Rows{{33.3333, 20}, {33.3333, 25}, {33.3333, 55}}));
    EXPECT_EQ(pyramidSummary({StatArea{}}, 3, 1), (Rows{{0, 0}, {0, 0}, {0, 0}}));
}

class PyramidPictures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        glngGraphKind = GraphKindPyramid;
        picture.setBorderStyle(0);
        picture.resize(120, 100);
        source.itemTexts = itemTexts(QStringLiteral("R2国勢調査\\人口\\年齢5歳階級別(男女別)"));
        source.leftColor = Men;
        source.rightColor = Women;
        source.pictureFolder = folder.path();
        records = {StatArea{}, pyramidArea(QStringLiteral("13101000000"), {1, 2, 3}, {4, 5, 6}, {0, 0, 0}),
            pyramidArea(QStringLiteral("13102000000"), {1, 1, 1}, {2, 2, 2}, {0, 1, 0}),
            pyramidArea(QStringLiteral("13103000000"), {0, 0, 0}, {1, 1, 2}, {0, 0, 0})};
    }
    void TearDown() override { glngGraphKind = 0; }

    // The bars drawn borderless in the left series' colour.
    int borderlessBars() const
    {
        int n = 0;
        for (const CanvasCall &c : canvas.callsOf(CanvasCall::Rectangle))
            if (c.pen == (GraphPen{GraphPen::Solid, 1, Men}))
                ++n;
        return n;
    }

    veltra::test::TempDir folder;
    PictureBox picture;
    clsDrawGraph graph;
    RecordingCanvas canvas;
    PyramidPictureSource source;
    std::vector<StatArea> records;
};

TEST_F(PyramidPictures, CompleteAreasGetPicturesEveryAreaGetsNameAndTotals)
{
    // A picture an earlier output left for the incomplete area.
    QImage old(10, 10, QImage::Format_RGB32);
    old.fill(Qt::red);
    ASSERT_TRUE(old.save(folder.file(QStringLiteral("13102000000.bmp")), "BMP"));

    makePyramidPictures(records, source, graph, canvas, picture);

    EXPECT_FALSE(QImage(folder.file(QStringLiteral("13101000000.bmp"))).isNull());
    EXPECT_FALSE(QImage(folder.file(QStringLiteral("13103000000.bmp"))).isNull());
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("13102000000.bmp"))));
    EXPECT_EQ(QImage(folder.file(QStringLiteral("13101000000.bmp"))).size(), picture.image().size());

    struct Expected
    {
        const char *name;
        double left, right;
    };
    const Expected expected[]
        = {{"13101000000.bmp", 6, 15}, {"13102000000.bmp", 3, 6}, {"13103000000.bmp", 0, 4}};
    for (std::size_t i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const StatArea &a = records[i];
        ASSERT_EQ(a.Value.size(), 4u);
        EXPECT_EQ(std::get<QString>(a.Value[1]), QString::fromUtf8(expected[i - 1].name));
        EXPECT_EQ(std::get<double>(a.Value[2]), expected[i - 1].left);
        EXPECT_EQ(std::get<double>(a.Value[3]), expected[i - 1].right);
        // The series stay: a second output writes the same lists.
        EXPECT_EQ(a.ManValue.size(), 4u);
    }

    // The preview: the three areas summed, drawn without a legend.
    ASSERT_GE(graph.pyramidLeft().size(), 3u);
    EXPECT_EQ(graph.pyramidLeft()[0], 2);
    EXPECT_EQ(graph.pyramidLeft()[2], 4);
    EXPECT_EQ(graph.pyramidRight()[2], 10);
    EXPECT_TRUE(graph.AutoRedraw());
    EXPECT_EQ(graph.Segments(), 1);

    // Running again gives the same lists.
    const auto before = records;
    makePyramidPictures(records, source, graph, canvas, picture);
    for (std::size_t i = 1; i <= 3; ++i)
        EXPECT_EQ(records[i].Value, before[i].Value);
}

TEST_F(PyramidPictures, SingleYearItemsAreDrawnWithoutOutlines)
{
    makePyramidPictures(records, source, graph, canvas, picture);
    EXPECT_EQ(borderlessBars(), 0);
    canvas.clear();
    source.itemTexts = itemTexts(QStringLiteral("R2国勢調査\\人口\\年齢各歳別(男女別)"));
    makePyramidPictures(records, source, graph, canvas, picture);
    // Two complete areas and the preview, three classes each.
    EXPECT_EQ(borderlessBars(), 9);
}

TEST_F(PyramidPictures, RelativeRowsAreFedForEachArea)
{
    source.expressionKind = 1;
    source.habaMax = 60;
    records.erase(records.begin() + 2, records.end());
    makePyramidPictures(records, source, graph, canvas, picture);
    // With one area the preview's shares are the area's own.
    ASSERT_GE(graph.pyramidLeft().size(), 3u);
    EXPECT_EQ(graph.pyramidLeft()[0], 16.6667);
    EXPECT_EQ(graph.pyramidRight()[2], 40);
    EXPECT_EQ(std::get<double>(records[1].Value[2]), 6);
}
