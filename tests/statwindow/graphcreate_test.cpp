// Graph creation in the statistics map window on fixture statistics: the
// refusals in their order, the choropleth's values, classes and handles, the
// pie's segments and colours, the list of areas without data, and what the
// window looks like after a refusal or a failure.
#include "graphcreatebed.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "platform/ui/msgbox.h"
#include "shell/frmpsywait.h"
#include "statwindow/frmnotdatarea.h"
#include "statwindow/frmtotallist.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"
#include "statwindow/statarea.h"
#include "statwindowfixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

using namespace veltra;
using namespace veltra::statwindow;
using test::GraphCreateBed;

namespace {

class GraphCreateTest : public test::StatWindowFixture
{
protected:
    // A prefecture value file: "CODE,v1,v2,..." and one line per row.
    QString prefFolder(const QString &name, const QStringList &rows)
    {
        const QString path = folder(QStringLiteral("etc/") + name);
        write(path + QStringLiteral("\\a.txt"), QStringList{QStringLiteral("CODE,v")} + rows);
        return path;
    }
    // n municipalities 1..n of 神奈川県 with the values 1..n.
    QString kanagawa(int n)
    {
        QStringList rows{QStringLiteral("CODE,v")};
        for (int c = 1; c <= n; ++c) {
            db.insertMunicipality(14, c, QStringLiteral("町%1").arg(c), QString(), c, c);
            rows << QStringLiteral("14%1,%2").arg(c, 3, 10, QLatin1Char('0')).arg(c);
        }
        const QString path = indexedFolder(QStringLiteral("etc/k"), {QStringLiteral("14")});
        write(path + QStringLiteral("\\14.txt"), rows);
        return path;
    }
    static bool shown(const QWidget *w) { return !w->isHidden(); }
};

TEST_F(GraphCreateTest, RefusalsComeInOrderInAnOkBoxAndKeepTheChoices)
{
    const QString values = prefFolder(QStringLiteral("p"), {QStringLiteral("13,5")});
    struct Case
    {
        const char *name;
        int areas;
        std::int32_t range;
        int kind;
        QString message;
    };
    const Case cases[] = {
        {"no area", 0, AnaRangeNone, MapKindSanpuzu, QStringLiteral("住所を選択して下さい。")},
        {"no level", 1, AnaRangeNone, MapKindNuri, QStringLiteral("分析範囲が選択されていません。")},
        {"choropleth of one area", 1, AnaRangePref, MapKindNuri, QStringLiteral("グラフ作成する地域を１つ以上選択して下さい。")},
        {"ranking of one area", 1, AnaRangePref, MapKindRanking, QStringLiteral("グラフ作成する地域を１つ以上選択して下さい。")},
        {"flow of municipalities", 2, AnaRangeCity, MapKindRyusen, QStringLiteral("グラフ作成が出来ない項目が指定されています")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GraphCreateBed bed(dir.path());
        bed.choose(c.kind, c.range);
        for (int a = 0; a < c.areas; ++a)
            bed.addArea(13, a ? 101 : 0);
        bed.addItem(0, QStringLiteral("人口"), values, 1);
        frmStatisticsMap *w = bed.window();
        EXPECT_EQ(bed.create(), QStringList{c.message});
        const ui::DialogRequest &box = bed.script.requests().back();
        EXPECT_EQ(box.buttons, ui::vbOKOnly);
        EXPECT_EQ(box.title, QCoreApplication::applicationName());
        EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), c.areas);
        EXPECT_EQ(w->m_ctlSelect->ListCount(0), 1);
        EXPECT_FALSE(shown(w->cmdMapOut));
        EXPECT_TRUE(w->isEnabled());
    }
}

TEST_F(GraphCreateTest, AZeroDenominatorDrawsTheAreaWithZeroAndDoesNotListIt)
{
    const QString item = prefFolder(QStringLiteral("a"), {"01,10", "13,20", "14,30"});
    const QString denominator = prefFolder(QStringLiteral("b"), {"01,5", "13,0", "14,10"});
    struct Case
    {
        int calcKind;
        double hokkaido, tokyo, kanagawa;
    };
    for (const Case &c : {Case{0, 200, 0, 300}, Case{1, 2, 0, 3}, Case{2, 100, 0, 200}}) {
        SCOPED_TRACE(c.calcKind);
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindNuri, AnaRangePref);
        for (int pref : {1, 13, 14})
            bed.addArea(pref);
        bed.addItem(0, QStringLiteral("人口"), item, 1);
        bed.addItem(1, QStringLiteral("面積"), denominator, 1);
        frmStatisticsMap *w = bed.window();
        w->m_ctlSelect->optCalc[static_cast<std::size_t>(c.calcKind)]->setChecked(true);
        EXPECT_TRUE(bed.create().isEmpty());
        EXPECT_EQ(glngGraphKind, GraphKindNuri);
        EXPECT_EQ(w->m_Graph->Segments(), 2);
        ASSERT_EQ(gtypStatArea.size(), 4u);
        EXPECT_DOUBLE_EQ(statNumber(gtypStatArea[1].CalcValue.at(1)), c.hokkaido);
        EXPECT_DOUBLE_EQ(statNumber(gtypStatArea[2].CalcValue.at(1)), c.tokyo);
        EXPECT_DOUBLE_EQ(statNumber(gtypStatArea[3].CalcValue.at(1)), c.kanagawa);
        EXPECT_TRUE(bed.notDatAreas().isEmpty());
        EXPECT_TRUE(w->notDatArea()->isHidden());
        EXPECT_EQ(w->m_Graph->NoticeName(), QStringLiteral("人口"));
        EXPECT_EQ(w->m_Graph->CompName(), QStringLiteral("面積"));
        EXPECT_EQ(w->FrameMap->title(), QStringLiteral("ヒストグラム"));
        EXPECT_TRUE(shown(w->cmdMapOut));
        EXPECT_TRUE(shown(w->cmdListOut));
        EXPECT_TRUE(w->findChild<frmPSYWait *>()->isHidden());
    }
}

TEST_F(GraphCreateTest, ClassCountFollowsTheAreasWithDataAndHandlesAreNeverLeft)
{
    const QString values = kanagawa(300);
    const std::pair<int, int> cases[] = {{2, 2}, {3, 3}, {64, 7}, {300, 9}};
    for (const auto &[areas, classes] : cases) {
        SCOPED_TRACE(areas);
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindNuri, AnaRangeCity);
        for (int c = 1; c <= areas; ++c)
            bed.addArea(14, c);
        bed.addItem(0, QStringLiteral("人口"), values, 1);
        frmStatisticsMap *w = bed.window();
        for (int run = 1; run <= 2; ++run) {
            SCOPED_TRACE(run);
            EXPECT_TRUE(bed.create().isEmpty());
            EXPECT_EQ(w->cmbFuriwake()->currentText(), QString::number(classes));
            EXPECT_EQ(w->m_Graph->GetGradeNum(), classes);
            EXPECT_EQ(w->sliderCount(), classes);
            EXPECT_EQ(w->m_Graph->classList().size(), static_cast<std::size_t>(classes) + 2);
            // c + 1 boundary handles, handle 0 among them, each one showing.
            EXPECT_EQ(bed.handleCount(), classes + 1);
            for (int h = 0; h <= classes; ++h)
                ASSERT_TRUE(w->picSlider(static_cast<std::int16_t>(h)) && !w->picSlider(static_cast<std::int16_t>(h))->isHidden()) << h;
            EXPECT_EQ(w->picSlider(static_cast<std::int16_t>(classes + 1)), nullptr);
            EXPECT_TRUE(w->optMethod(3)->isChecked());
        }
    }
}

TEST_F(GraphCreateTest, PieSegmentsSumTheItemsAndTakeTheColourSlotsAgainAfterFifteen)
{
    QStringList header{QStringLiteral("CODE")};
    QStringList tokyo{QStringLiteral("13")};
    QStringList kanagawaRow{QStringLiteral("14")};
    for (int k = 1; k <= 16; ++k) {
        header << QStringLiteral("v%1").arg(k);
        tokyo << QString::number(k);
        kanagawaRow << QString::number(100 * k);
    }
    const QString values = folder(QStringLiteral("etc/p16"));
    write(values + QStringLiteral("\\a.txt"), {header.join(u','), tokyo.join(u','), kanagawaRow.join(u',')});

    GraphCreateBed bed(dir.path());
    bed.choose(MapKindPie, AnaRangePref);
    bed.addArea(13);
    bed.addArea(14);
    for (int k = 1; k <= 16; ++k)
        bed.addItem(0, QStringLiteral("項目%1").arg(k), values, k);
    frmStatisticsMap *w = bed.window();
    ASSERT_EQ(w->m_ctlSelect->ListCount(0), 16);
    EXPECT_TRUE(bed.create().isEmpty());
    EXPECT_EQ(glngGraphKind, GraphKindPie);
    ASSERT_EQ(w->m_Graph->Segments(), 15);
    const auto &segments = w->m_Graph->segmentList();
    for (int k = 1; k <= 16; ++k) {
        SCOPED_TRACE(k);
        const GraphSegment &s = segments[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(s.Name, QStringLiteral("項目%1").arg(k));
        EXPECT_DOUBLE_EQ(s.Value, 101.0 * k);
        EXPECT_EQ(s.Color, w->graphColor(k == 16 ? 1 : k));
    }
    EXPECT_EQ(segments[15].Color, segments[0].Color);
    EXPECT_TRUE(shown(w->FrameMap));
    EXPECT_EQ(w->FrameMap->title(), QStringLiteral("円グラフ地図"));
    EXPECT_TRUE(shown(w->cmdListOut));
}

TEST_F(GraphCreateTest, ItemsWithoutDataAddNoSegmentAndTheirAreasAreListedOnce)
{
    // v2 and v3 hold "-" everywhere; 北海道 has no line at all.
    const QString values = folder(QStringLiteral("etc/d"));
    write(values + QStringLiteral("\\a.txt"), {"CODE,v1,v2,v3", "13,5,-,-", "14,7,-,-"});
    GraphCreateBed bed(dir.path());
    bed.choose(MapKindBar, AnaRangePref);
    for (int pref : {13, 14, 1})
        bed.addArea(pref);
    bed.addItem(0, QStringLiteral("有"), values, 1);
    bed.addItem(0, QStringLiteral("無"), values, 2);
    bed.addItem(0, QStringLiteral("無2"), values, 3);
    frmStatisticsMap *w = bed.window();
    EXPECT_TRUE(bed.create().isEmpty());
    ASSERT_EQ(w->m_Graph->Segments(), 0);
    EXPECT_EQ(w->m_Graph->segmentList()[0].Name, QStringLiteral("有"));
    EXPECT_DOUBLE_EQ(w->m_Graph->segmentList()[0].Value, 12);
    EXPECT_EQ(bed.notDatAreas(), (QStringList{"東京都", "神奈川県", "北海道"}));
    EXPECT_FALSE(w->notDatArea()->isHidden());
    EXPECT_EQ(glngGraphKind, GraphKindBar);
    EXPECT_TRUE(shown(w->picGraph()));
    EXPECT_TRUE(shown(w->picWaku()));
    // One bar fits the frame, so the graph takes its scroll bar away again.
    EXPECT_TRUE(w->HScroll1()->isHidden());

    // The next run starts with a new, empty list.
    bed.create();
    EXPECT_EQ(bed.notDatAreas().size(), 3);
}

TEST_F(GraphCreateTest, WithoutAnyItemWithDataTheKindsMessageComesAndNothingIsDrawn)
{
    const QString values = folder(QStringLiteral("etc/n"));
    write(values + QStringLiteral("\\a.txt"), {"CODE,v1,v2", "13,-,-", "14,-,-"});
    struct Case
    {
        int kind;
        QString message;
    };
    const Case cases[] = {
        {MapKindPie, QStringLiteral("選択した統計項目では円グラフ地図の作成が出来ません")},
        {MapKindBar, QStringLiteral("選択した統計項目では棒グラフ地図の作成が出来ません")},
        {MapKindNuri, QStringLiteral("選択した統計項目では塗り分け地図の作成が出来ません")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        GraphCreateBed bed(dir.path());
        bed.choose(c.kind, AnaRangePref);
        bed.addArea(13);
        bed.addArea(14);
        bed.addItem(0, QStringLiteral("無"), values, 1);
        if (c.kind != MapKindNuri)
            bed.addItem(0, QStringLiteral("無2"), values, 2);
        frmStatisticsMap *w = bed.window();
        EXPECT_EQ(bed.create(), QStringList{c.message});
        EXPECT_EQ(w->m_Graph->Segments(), -1);
        EXPECT_TRUE(w->FrameMap->isHidden());
        EXPECT_TRUE(w->cmdMapOut->isHidden());
        EXPECT_TRUE(w->cmdListOut->isHidden());
        // Only the designed handle 0, hidden.
        EXPECT_EQ(bed.handleCount(), 1);
        EXPECT_TRUE(w->picSlider(0)->isHidden());
    }
}

TEST_F(GraphCreateTest, ChoroplethMessagesForMissingItemsAndTooFewAreasWithData)
{
    const QString values = prefFolder(QStringLiteral("c"), {"13,5", "14,-"});
    {
        SCOPED_TRACE("a denominator without an item");
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindNuri, AnaRangePref);
        bed.addArea(13);
        bed.addArea(14);
        bed.addItem(1, QStringLiteral("面積"), values, 1);
        EXPECT_EQ(bed.create(), QStringList{QStringLiteral("グラフ作成する統計項目を選択して下さい。")});
    }
    {
        SCOPED_TRACE("one area with data");
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindNuri, AnaRangePref);
        bed.addArea(13);
        bed.addArea(14);
        bed.addItem(0, QStringLiteral("人口"), values, 1);
        EXPECT_EQ(bed.create(), QStringList{QStringLiteral("選択した地域では塗り分け地図の作成が出来ません")});
        EXPECT_EQ(bed.notDatAreas(), QStringList{QStringLiteral("神奈川県")});
    }
    {
        SCOPED_TRACE("a pie without items");
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindPie, AnaRangePref);
        bed.addArea(13);
        EXPECT_EQ(bed.create(), QStringList{QStringLiteral("グラフ作成する統計項目を１つ以上選択して下さい。")});
    }
}

TEST_F(GraphCreateTest, AFailureShowsTheReasonOnASecondLineAndLeavesTheWindowUsable)
{
    const QString values = prefFolder(QStringLiteral("f"), {"13,5", "14,6"});
    GraphCreateBed bed(dir.path(), false); // no Slider.bmp
    bed.choose(MapKindNuri, AnaRangePref);
    bed.addArea(13);
    bed.addArea(14);
    bed.addItem(0, QStringLiteral("人口"), values, 1);
    frmStatisticsMap *w = bed.window();
    const QStringList shown = bed.create();
    ASSERT_EQ(shown.size(), 1);
    const QStringList lines = shown[0].split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("選択した統計項目では塗り分け地図の作成が出来ません"));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Slider.bmp"))) << lines[1].toStdString();
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(w->cmdMapOut->isHidden());
    EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), 2);
    EXPECT_EQ(w->m_ctlSelect->ListCount(0), 1);
}

TEST_F(GraphCreateTest, TheWindowIsDisabledWhileTheRunLetsMessagesThrough)
{
    const QString values = prefFolder(QStringLiteral("r"), {"13,5", "14,6"});
    GraphCreateBed bed(dir.path());
    bed.choose(MapKindNuri, AnaRangePref);
    bed.addArea(13);
    bed.addArea(14);
    bed.addItem(0, QStringLiteral("人口"), values, 1);
    frmStatisticsMap *w = bed.window();
    // A second press arriving while the first run yields finds the window
    // disabled; the wait dialog is up.
    bool enabledDuringRun = true;
    bool waitShown = false;
    QTimer::singleShot(0, w, [&] {
        enabledDuringRun = w->isEnabled();
        waitShown = w->findChild<frmPSYWait *>() && !w->findChild<frmPSYWait *>()->isHidden();
    });
    EXPECT_TRUE(bed.create().isEmpty());
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_TRUE(waitShown);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(w->findChild<frmPSYWait *>()->isHidden());
}

} // namespace
