// Map output from the statistics map window on the real engine and a copy of
// the default data: two outputs in a row are two analysis pairs, both drawn;
// the window is then its 1100-twip tool bar and "統計地図設定" brings the
// wizard back; a refused or failed write shows the "中止" box, puts the
// wizard back and leaves the map and DB as they were; no level, no output.
//
// With VELTRA_SHOT_DIR set, the choropleth and pie outputs are shown on a
// map window with the compact tool bar and saved as pictures there (shown
// for VELTRA_SHOW_SECONDS); run under a real display for whole-screen shots.
#include "defaultdatashowcase.h"
#include "defaultmapbed.h"
#include "graphcreatebed.h"
#include "graphs/clsanafile.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlselect.h"
#include "mapwindow/mdlelement.h"
#include "platform/fs/fs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "statrender/globals.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"
#include "statwindow/outputlayout.h"
#include "testsupport.h"
#include "zorvik/core/types.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <algorithm>
#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::statwindow;
using test::u;

namespace {

const QString kR2 = QStringLiteral("etc/R2国勢調査/");

class MapOutputOnEngine : public test::DefaultMapBed
{
protected:
    void SetUp() override
    {
        usePrivateTemp();
        ASSERT_NO_FATAL_FAILURE(copyDefaultData());
        data = gstrDataPath;
        db = data + QStringLiteral("DB/");
        ASSERT_NO_FATAL_FAILURE(openStatisticsDatabase());
        useShippedGraphLimits();
        ASSERT_NO_FATAL_FAILURE(openMap());

        bed = std::make_unique<test::GraphCreateBed>(data);
        // The drawing reads the pie sizes of the shipped program folder.
        shell::setProgramFolder(QStringLiteral(VELTRA_PROGRAM_DEFAULTS));
        w = bed->window();
    }
    void TearDown() override
    {
        bed.reset();
        closeMap();
    }

    // A pie of men and women over every prefecture, ready for output.
    void createPie()
    {
        bed->choose(MapKindPie, AnaRangePref);
        for (int pref = 1; pref <= 47; ++pref)
            bed->addArea(pref);
        const QString folder = data + kR2 + QStringLiteral("都道府県/人口");
        bed->addItem(0, u("男"), folder, 2);
        bed->addItem(0, u("女"), folder, 3);
        ASSERT_EQ(bed->create(), QStringList());
        ASSERT_TRUE(w->cmdMapOut->isVisibleTo(w));
    }

    // Statistics elements (graphs and their lines, numbers) on the map.
    std::int32_t statElements() const
    {
        std::vector<std::int16_t> kinds;
        for (std::int16_t k = zorvik::FirstStatKind; k <= zorvik::LastStatKind; ++k)
            kinds.push_back(k);
        zorvik::Handle set = 0;
        std::int32_t v = 0, c = 0;
        EXPECT_EQ(map->SearchElementsByKind(static_cast<std::int16_t>(kinds.size()), kinds,
                      static_cast<std::int16_t>(kinds.size()), kinds, set, v, c),
            0);
        map->ReleaseElements(set);
        return v + c;
    }
    QStringList pairs() const
    {
        return fs::listFiles(db, QStringLiteral("*.hed")) + fs::listFiles(db, QStringLiteral("*.dat"));
    }
    int outerHeightTwips() const { return qRound(ui::pixelsToTwipsY(w->height())) + 440; }
    QStringList shown()
    {
        QStringList out;
        for (std::size_t i = seen; i < bed->script.requests().size(); ++i)
            out << bed->script.requests()[i].prompt;
        seen = bed->script.requests().size();
        return out;
    }

    QString data;
    QString db;
    std::unique_ptr<test::GraphCreateBed> bed;
    frmStatisticsMap *w = nullptr;
    std::size_t seen = 0;
};

TEST_F(MapOutputOnEngine, TwoOutputsInARowAreTwoPairsBothDrawnAndTheWindowIsItsToolBar)
{
    createPie();
    const int leftBefore = w->x();
    w->cmdMapOut_Click();
    EXPECT_EQ(shown(), QStringList());
    EXPECT_EQ(pairs(), (QStringList{QStringLiteral("tempheader000.hed"), QStringLiteral("tempdata000.dat")}));
    const std::int32_t once = statElements();
    EXPECT_GT(once, 0);

    // The compact tool bar, where the window stood.
    EXPECT_EQ(outerHeightTwips(), CompactHeightAfterOutput);
    EXPECT_EQ(w->x(), leftBefore);
    EXPECT_TRUE(w->isEnabled());
    for (QWidget *frameBox : {static_cast<QWidget *>(w->FrameAnaRange),
             static_cast<QWidget *>(w->FrameAnaWay), static_cast<QWidget *>(w->FrameStatistic)})
        EXPECT_FALSE(frameBox->isVisibleTo(w));
    QWidget *previous = w->cmdObjClear;
    for (QWidget *c : std::initializer_list<QWidget *>{w->cmdLoad, w->cmdSave, w->chkObjMove, w->cmdReSize,
             w->chkDataSansho, w->cmdReDisp, w->cmdEnd}) {
        EXPECT_TRUE(c->isVisibleTo(w)) << c->objectName().toStdString();
        EXPECT_EQ(c->y(), w->cmdObjClear->y()) << c->objectName().toStdString();
        EXPECT_LT(c->geometry().bottom(), w->height()) << c->objectName().toStdString();
        if (c != w->cmdReDisp && c != w->cmdEnd) {
            EXPECT_EQ(c->x(), previous->geometry().right() + 1 + ui::twipsToPixelsX(5))
                << c->objectName().toStdString();
            previous = c;
        }
    }
    EXPECT_EQ(w->cmdReDisp->x(), w->cmdMapOut->x());

    // Back to the wizard, the same pie again: a second pair, and every
    // analysis drawn.
    w->chkObjMove->setChecked(true);
    w->cmdReDisp_Click();
    EXPECT_EQ(outerHeightTwips(), FullLayoutHeight);
    EXPECT_TRUE(w->FrameAnaRange->isVisibleTo(w));
    EXPECT_FALSE(w->cmdReDisp->isVisibleTo(w));
    EXPECT_FALSE(w->cmdSave->isVisibleTo(w));
    EXPECT_FALSE(w->chkObjMove->isVisibleTo(w));
    EXPECT_TRUE(w->chkObjMove->isChecked()); // a running mode goes on
    EXPECT_TRUE(w->cmdLoad->isVisibleTo(w));
    EXPECT_EQ(w->cmdEnd->y(), ui::twipsToPixelsY(672));
    EXPECT_EQ(w->cmdLoad->y(), ui::twipsToPixelsY(672));

    w->cmdMapOut_Click();
    EXPECT_EQ(shown(), QStringList());
    EXPECT_EQ(pairs().size(), 4);
    EXPECT_TRUE(QFile::exists(db + QStringLiteral("tempheader001.hed")));
    EXPECT_TRUE(QFile::exists(db + QStringLiteral("tempdata001.dat")));
    EXPECT_EQ(statElements(), 2 * once);
    EXPECT_EQ(outerHeightTwips(), CompactHeightAfterOutput);
}

TEST_F(MapOutputOnEngine, ARefusedOrFailedWriteShowsTheAbortBoxAndChangesNothing)
{
    struct Case
    {
        const char *what;
        std::function<void(const QString &db)> spoil;
        QString code;
        QString reason;
    };
    const std::vector<Case> cases{
        {"no free number",
            [](const QString &db) {
                for (int n = 0; n < 1000; ++n)
                    QFile(db + QStringLiteral("tempheader%1.hed").arg(n, 3, 10, QLatin1Char('0')))
                        .open(QIODevice::WriteOnly);
            },
            QStringLiteral("67"), clsAnaFile::noFreeNumberMessage()},
        {"the data file cannot be written",
            [](const QString &db) { QDir().mkpath(db + QStringLiteral("tempdata000.dat")); },
            QStringLiteral("75"), QStringLiteral("tempdata000.dat")},
    };
    createPie();
    w->cmdMapOut_Click();
    ASSERT_EQ(shown(), QStringList());
    const std::int32_t drawn = statElements();
    const QByteArray header = test::readBytes(db + QStringLiteral("tempheader000.hed"));
    ASSERT_TRUE(fs::deleteFiles(db + QStringLiteral("tempheader000.hed")));
    ASSERT_TRUE(fs::deleteFiles(db + QStringLiteral("tempdata000.dat")));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        w->cmdReDisp_Click();
        c.spoil(db);
        const QStringList before = pairs();
        const int leftBefore = w->x();
        w->cmdMapOut_Click();
        const QStringList box = shown();
        ASSERT_EQ(box.size(), 1);
        const ui::DialogRequest &request = bed->script.requests().back();
        EXPECT_EQ(request.title, u("中止"));
        EXPECT_EQ(request.buttons & 0x70, ui::vbCritical);
        EXPECT_TRUE(box[0].startsWith(c.code + QStringLiteral(":\n"))) << box[0].toStdString();
        EXPECT_TRUE(box[0].contains(c.reason)) << box[0].toStdString();
        EXPECT_TRUE(box[0].endsWith(u("\n\nエラーが発生しました。処理を中止します。")));
        // The wizard, where the window stood; DB and the map as they were.
        EXPECT_EQ(outerHeightTwips(), FullLayoutHeight);
        EXPECT_TRUE(w->FrameAnaRange->isVisibleTo(w));
        EXPECT_EQ(w->x(), leftBefore);
        EXPECT_TRUE(w->isEnabled());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(pairs(), before);
        EXPECT_EQ(statElements(), drawn);
        fs::deleteFiles(db + QStringLiteral("tempheader*.hed"));
        QDir(db + QStringLiteral("tempdata000.dat")).removeRecursively();
    }
    EXPECT_FALSE(header.isEmpty());
}

TEST_F(MapOutputOnEngine, WithoutAnAreaLevelNothingIsWritten)
{
    createPie();
    w->setAnaRange(AnaRangeNone);
    w->cmdMapOut_Click();
    EXPECT_EQ(shown(), QStringList{u("分析範囲が選択されていません。")});
    EXPECT_EQ(pairs(), QStringList());
    EXPECT_EQ(statElements(), 0);
    EXPECT_EQ(outerHeightTwips(), FullLayoutHeight);
    EXPECT_TRUE(w->FrameAnaRange->isVisibleTo(w));
}

// Shows the map in the main frame with the window over it after an output,
// saves the frame's picture in VELTRA_SHOT_DIR and keeps it up for
// VELTRA_SHOW_SECONDS.
class MapOutputShowcase : public MapOutputOnEngine
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("VELTRA_SHOT_DIR")
            && qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS") <= 0)
            GTEST_SKIP() << "set VELTRA_SHOT_DIR or VELTRA_SHOW_SECONDS to see the outputs";
        MapOutputOnEngine::SetUp();
        showMapInFrame();
        w->show();
        // Below the legend pop-up, which opens at the top left.
        w->move(60, 180);
        QCoreApplication::processEvents();
    }
    void output(double centerX, double centerY, double scale, const char *name)
    {
        w->cmdMapOut_Click();
        EXPECT_EQ(shown(), QStringList());
        map->setCenterX(centerX);
        map->setCenterY(centerY);
        map->setScale(scale);
        map->Refresh();
        QCoreApplication::processEvents();
        const QString shots = qEnvironmentVariable("VELTRA_SHOT_DIR");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            EXPECT_TRUE(frame->grab().save(
                shots + QLatin1Char('/') + QString::fromUtf8(name) + QStringLiteral(".png")));
            EXPECT_TRUE(w->grab().save(
                shots + QLatin1Char('/') + QString::fromUtf8(name) + QStringLiteral("-toolbar.png")));
        }
        keepShown(qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS"));
    }
    // The median position of the areas of the last graph (the islands far
    // south of a prefecture do not move it).
    QPointF areaCentre() const
    {
        std::vector<double> xs, ys;
        for (std::size_t i = 1; i < gtypStatArea.size(); ++i) {
            xs.push_back(gtypStatArea[i].X);
            ys.push_back(gtypStatArea[i].Y);
        }
        if (xs.empty())
            return {};
        std::nth_element(xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(xs.size() / 2), xs.end());
        std::nth_element(ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(ys.size() / 2), ys.end());
        return {xs[xs.size() / 2], ys[ys.size() / 2]};
    }
};

TEST_F(MapOutputShowcase, PopulationDensityOverTokyosMunicipalities)
{
    bed->choose(MapKindNuri, AnaRangeCity);
    for (int city : test::municipalities(13))
        bed->addArea(13, city);
    {
        // The chooser is closed without a choice; the shipped template is
        // chosen here.
        shell::ScopedModalHook hook([](QDialog &) {});
        w->m_ctlSelect->cmdCalSel_Click(0);
    }
    w->m_ctlSelect->frmCalcSel_SelectCalcTemplate(data + u("計算ﾃﾝﾌﾟﾚｰﾄ/市区町村/人口密度.cal"));
    ASSERT_EQ(w->m_ctlSelect->ListCount(0), 1);
    ASSERT_EQ(bed->create(), QStringList());
    const QPointF c = areaCentre();
    output(c.x(), c.y(), 250000, "i45-choropleth-density");
}

TEST_F(MapOutputShowcase, MenAndWomenOverThe47Prefectures)
{
    createPie();
    const QPointF c = areaCentre();
    output(c.x(), c.y(), 2500000, "i45-pie-men-women");
}

} // namespace
