// The scatter diagram in the statistics map window on fixture statistics:
// the points after their denominators, the failure display, and the point
// click that offers to centre the map.
#include "graphcreatebed.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctllegend.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "shell/globals.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"
#include "statwindow/scatterpoints.h"
#include "statwindowfixture.h"
#include "zorvik/testmap/tinymap.h"
#include "zorvik/widget/zorvik.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace veltra;
using namespace veltra::statwindow;
using test::GraphCreateBed;

namespace {

class ScatterTest : public test::StatWindowFixture
{
protected:
    // A prefecture value file with one line per prefecture: "13,x,y,d,e".
    QString values(const QStringList &rows)
    {
        const QString path = folder(QStringLiteral("etc/s%1").arg(++m_files));
        write(path + QStringLiteral("\\a.txt"), QStringList{QStringLiteral("CODE,x,y,d,e")} + rows);
        return path;
    }
    // A scatter over Hokkaido, Tokyo and Kanagawa: X field 1, Y field 2, the
    // denominators (field 3 and 4) in the lists given.
    QStringList scatter(GraphCreateBed &bed, const QString &folder, bool xDen, bool yDen)
    {
        bed.choose(MapKindSanpuzu, AnaRangePref);
        for (int pref : {1, 13, 14})
            bed.addArea(pref);
        bed.addItem(0, QStringLiteral("人口(ｼﾞﾝｺｳ)"), folder, 1);
        bed.addItem(2, QStringLiteral("世帯数ABC"), folder, 2);
        if (xDen)
            bed.addItem(1, QStringLiteral("面積"), folder, 3);
        if (yDen)
            bed.addItem(3, QStringLiteral("人数"), folder, 4);
        return bed.create();
    }
    static std::vector<std::pair<double, double>> points(const frmStatisticsMap *w)
    {
        std::vector<std::pair<double, double>> out;
        for (std::int32_t i = 0; i <= w->m_Graph->Segments(); ++i)
            out.emplace_back(w->m_Graph->segmentList()[static_cast<std::size_t>(i)].Setaisuu,
                w->m_Graph->segmentList()[static_cast<std::size_t>(i)].Value);
        return out;
    }
    static bool shown(const QWidget *w) { return !w->isHidden(); }
    int m_files = 0;
};

TEST_F(ScatterTest, DenominatorsTurnThePointsAndAZeroDenominatorGivesZero)
{
    // Hokkaido's X denominator is 0; Kanagawa has no Y.
    const QString folder = values({"01,10,20,0,4", "13,30,50,10,5", "14,40,-,20,8"});
    using Points = std::vector<std::pair<double, double>>;
    struct Case
    {
        const char *name;
        bool xDen, yDen;
        Points expected;
    };
    const Case cases[] = {
        {"no denominators", false, false, {{10, 20}, {30, 50}}},
        {"X over field 3, 0 for a denominator of 0", true, false, {{0, 20}, {300, 50}}},
        {"Y over the third value when X has none", false, true, {{10, 500}, {30, 1000}}},
        {"both", true, true, {{0, 500}, {300, 1000}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GraphCreateBed bed(dir.path());
        EXPECT_TRUE(scatter(bed, folder, c.xDen, c.yDen).isEmpty());
        frmStatisticsMap *w = bed.window();
        EXPECT_EQ(points(w), c.expected);
        EXPECT_EQ(glngGraphKind, GraphKindSanpuzu);
        EXPECT_EQ(w->FrameMap->title(), QStringLiteral("散布図"));
        EXPECT_EQ(bed.notDatAreas(), QStringList{QStringLiteral("神奈川県")});
        EXPECT_TRUE(shown(w->FrameMap) && shown(w->FrameKeisuu) && shown(w->lblX) && shown(w->richY));
        EXPECT_FALSE(shown(w->m_ctlLegend));
        EXPECT_TRUE(shown(w->cmdListOut));
        EXPECT_FALSE(shown(w->cmdMapOut));
        EXPECT_EQ(w->lblX->text(), QStringLiteral("人口(ｼﾞﾝｺｳ)"));
        EXPECT_EQ(w->richY->text(), QStringLiteral("世帯数ＡＢＣ"));
        EXPECT_FALSE(w->lblKeisuu()->text().isEmpty());
    }
}

TEST_F(ScatterTest, RefusalsAndTheFailureDisplay)
{
    struct Case
    {
        const char *name;
        QStringList rows;
        bool yItem;
        QString message;
        bool kindSet; // glngGraphKind 9 and the caption were set before the failure
    };
    const QString cannot = QStringLiteral("選択した統計項目では散布図の作成が出来ません");
    const Case cases[] = {
        {"no Y item", {"01,1,2,0,0", "13,2,3,0,0"}, false, QStringLiteral("グラフ作成する統計項目を選択して下さい。"), false},
        {"all X values 0", {"01,0,2,0,0", "13,0,3,0,0", "14,0,4,0,0"}, true, cannot, false},
        {"all X values equal", {"01,5,2,0,0", "13,5,3,0,0", "14,5,4,0,0"}, true, cannot, true},
        {"one area with both values", {"01,5,2,0,0", "13,-,3,0,0"}, true, cannot, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = values(c.rows);
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindSanpuzu, AnaRangePref);
        for (int pref : {1, 13, 14})
            bed.addArea(pref);
        bed.addItem(0, QStringLiteral("X"), folder, 1);
        if (c.yItem)
            bed.addItem(2, QStringLiteral("Y"), folder, 2);
        glngGraphKind = 0;
        EXPECT_EQ(bed.create(), QStringList{c.message});
        frmStatisticsMap *w = bed.window();
        EXPECT_EQ(bed.script.requests().back().buttons, ui::vbOKOnly);
        EXPECT_FALSE(shown(w->FrameMap));
        EXPECT_FALSE(shown(w->FrameKeisuu));
        EXPECT_FALSE(shown(w->cmdListOut));
        EXPECT_FALSE(shown(w->cmdMapOut));
        EXPECT_EQ(glngGraphKind == GraphKindSanpuzu, c.kindSet);
        if (c.kindSet) {
            EXPECT_TRUE(shown(w->m_ctlLegend));
            EXPECT_FALSE(shown(w->richY));
            EXPECT_EQ(w->FrameMap->title(), QStringLiteral("散布図"));
        }
    }
}

TEST_F(ScatterTest, AClickOnAPointOffersToCentreTheMapOnItsArea)
{
    zorvik::test::TinyMap map;
    ASSERT_TRUE(map.ok()) << map.error().toStdString();
    zorvik::Zorvik engine;
    engine.resize(200, 150);
    engine.setDocumentPath(map.zorPath());
    ASSERT_EQ(engine.InitializeMap(0), zorvik::code::Ok);
    engine.InitDisplay();
    engine.setCenterX(zorvik::test::CX);
    engine.setCenterY(zorvik::test::CY);
    zorvik::Zorvik *saved = gobjZor;
    gobjZor = &engine;

    // Tokyo and Kanagawa on the same place, Hokkaido apart.
    const QString folder = values({"01,10,20,0,0", "13,30,50,0,0", "14,30,50,0,0"});
    GraphCreateBed bed(dir.path());
    ASSERT_TRUE(scatter(bed, folder, false, false).isEmpty());
    frmStatisticsMap *w = bed.window();
    w->show();
    QCoreApplication::processEvents();
    PictureBox *pic = w->picMap();
    const auto pixel = [&](int i) {
        const GraphSegment &s = w->m_Graph->segmentList()[static_cast<std::size_t>(i)];
        return QPoint(ui::twipsToPixelsX(s.PlotX), ui::twipsToPixelsY(s.PlotY)) + pic->contentsRect().topLeft();
    };
    const QPoint tokyo = pixel(1);
    const QPoint hokkaido = pixel(0);
    ASSERT_EQ(tokyo, pixel(2));
    ASSERT_NE(tokyo, hokkaido);

    // Between the points: nothing.
    QTest::mouseClick(pic, Qt::LeftButton, {}, (tokyo + hokkaido) / 2);
    EXPECT_TRUE(bed.script.requests().empty());

    // On the overlapping points: the first added, Tokyo; No leaves the map.
    bed.script.answerButton(ui::vbNo);
    QTest::mouseClick(pic, Qt::LeftButton, {}, tokyo);
    ASSERT_EQ(bed.script.requests().size(), 1u);
    EXPECT_EQ(bed.script.requests()[0].prompt, QStringLiteral("東京都\nに移動しますか？"));
    EXPECT_EQ(bed.script.requests()[0].buttons, ui::vbYesNo);
    EXPECT_EQ(engine.CenterX(), zorvik::test::CX);
    EXPECT_EQ(engine.CenterY(), zorvik::test::CY);

    // Yes, with the right button too: the map centres on Hokkaido's point.
    bed.script.answerButton(ui::vbYes);
    QTest::mouseClick(pic, Qt::RightButton, {}, hokkaido + QPoint(2, -2));
    ASSERT_EQ(bed.script.requests().size(), 2u);
    EXPECT_EQ(bed.script.requests()[1].prompt, QStringLiteral("北海道\nに移動しますか？"));
    EXPECT_EQ(engine.CenterX(), 100);
    EXPECT_EQ(engine.CenterY(), 101);

    // Another kind shown: a click does nothing.
    glngGraphKind = GraphKindNuri;
    QTest::mouseClick(pic, Qt::LeftButton, {}, tokyo);
    EXPECT_EQ(bed.script.requests().size(), 2u);
    gobjZor = saved;
}

TEST(ScatterPoints, TakingPartAndValues)
{
    const auto area = [](std::vector<std::int32_t> flags, std::vector<double> values) {
        StatArea a;
        a.DataFlag.push_back(0);
        a.Value.emplace_back();
        for (std::int32_t f : flags)
            a.DataFlag.push_back(f);
        for (double v : values)
            a.Value.emplace_back(v);
        return a;
    };
    EXPECT_FALSE(takesPartInScatter(area({0}, {1})));
    EXPECT_TRUE(takesPartInScatter(area({0, 0}, {1, 2})));
    EXPECT_TRUE(takesPartInScatter(area({0, 0, 0, 0}, {1, 2, 3, 4})));
    EXPECT_FALSE(takesPartInScatter(area({0, 0, 0, 0, 0}, {1, 2, 3, 4, 5})));
    EXPECT_FALSE(takesPartInScatter(area({0, 0, 2}, {1, 2, 0})));

    // The check looks at every area with two values, taking part or not.
    const std::vector<StatArea> someX{StatArea{}, area({0, 1}, {3, 0}), area({0, 0}, {0, 4})};
    EXPECT_TRUE(scatterHasValues(someX));
    const std::vector<StatArea> noY{StatArea{}, area({0, 0}, {3, 0}), area({0}, {0})};
    EXPECT_FALSE(scatterHasValues(noY));

    struct Case
    {
        std::int32_t kind;
        double x;
    };
    for (const Case &c : {Case{0, 250}, Case{1, 2.5}, Case{2, 150}}) {
        SCOPED_TRACE(c.kind);
        const std::vector<StatArea> areas{StatArea{}, area({0, 0, 0}, {10, 7, 4})};
        const auto points = scatterPoints(areas, ScatterSlots{true, false, c.kind, 0});
        ASSERT_EQ(points.size(), 1u);
        EXPECT_DOUBLE_EQ(points[0].x, c.x);
        EXPECT_DOUBLE_EQ(points[0].y, 7);
        EXPECT_EQ(points[0].area, 1);
    }
}

} // namespace
