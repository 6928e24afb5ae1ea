// The population pyramid window on the real engine and a copy of the default
// data, driven as the operation room drives it: the 2020 census age classes
// of the 47 prefectures give 47 pictures, one analysis pair and 47 pyramids
// on the map, and an open statistics map window is closed first.
//
// With VELTRA_SHOT_DIR set, the map with the pyramids and the window's small
// tool bar is saved as a picture there (shown for VELTRA_SHOW_SECONDS).
#include "graphcreatebed.h"
#include "platform/fs/fs.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "statrender/renderingregistration.h"
#include "statwindow/frmnotdatarea.h"
#include "statwindow/frmpyramid.h"
#include "statwindow/globals.h"
#include "testsupport.h"
#include "zorvik/core/types.h"
#include "zorvik/widget/zorvik.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::statwindow;

namespace {

class PyramidOnDefaultData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(privateTemp.path()));
        const QString defaults = QStringLiteral(VELTRA_DEFAULT_DATA);
        ASSERT_TRUE(QFile::exists(defaults + QStringLiteral("/Veltra.zor")))
            << "no default map in " << defaults.toStdString() << " (build veltra_default_data)";
        test::copyTree(defaults, tmp.path());
        data = tmp.path() + QStringLiteral("VeltraData/");
        gstrDataPath = data;
        ASSERT_TRUE(statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(data)));

        frame = new frmMain;
        gfrmMain = frame;
        map = new zorvik::Zorvik;
        map->resize(800, 600);
        map->setDocumentPath(tmp.file(QStringLiteral("Veltra.zor")));
        ASSERT_EQ(map->InitializeMap(0), 0) << map->lastError().toStdString();
        map->InitDisplay();
        map->ShowAll();
        gobjZor = map;
        gintMapInit = 1;
        gstrLimitPie = gstrLimitBar = gstrLimitSymbol = gstrLimitPyramid = QStringLiteral("100");
        statrender::registerStatisticsRendering();
        shell::setProgramFolder(QStringLiteral(VELTRA_PROGRAM_DEFAULTS));
    }
    void TearDown() override
    {
        ui::WindowRegistry::instance().deleteAll();
        gobjZor = nullptr;
        delete map;
        gfrmMain = nullptr;
        delete frame.data();
        if (savedTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
    }

    // As the operation room does: show, the six properties, draw.
    frmPyramid *drawPrefectures()
    {
        frmPyramid *w = ui::form<frmPyramid>(static_cast<QWidget *>(gfrmMain));
        w->show();
        w->setStatisticalDataName(QStringLiteral("R2国勢調査"));
        w->setStartGeneratDate(QStringLiteral("20201001"));
        w->setEndGeneratDate(QStringLiteral("21000930"));
        w->setItemName(QStringLiteral("年齢5歳階級別"));
        w->setAnaRange(AnaRangePref);
        std::vector<QString> codes{QString()};
        for (int pref = 47; pref >= 1; --pref)
            codes.push_back(QStringLiteral("%1").arg(pref, 2, 10, QLatin1Char('0')));
        w->setArea(codes);
        w->PyramidDraw();
        return w;
    }
    // Graphs and their leader lines (kind 180) on the map.
    std::int32_t graphs() const
    {
        const std::vector<std::int16_t> kinds{zorvik::FirstStatKind};
        zorvik::Handle set = 0;
        std::int32_t v = 0, c = 0;
        EXPECT_EQ(map->SearchElementsByKind(1, kinds, 1, kinds, set, v, c), 0);
        map->ReleaseElements(set);
        return v + c;
    }
    QStringList pictures() const
    {
        return fs::listFiles(data + QStringLiteral("DB/TempPImage/"), QStringLiteral("*.bmp"));
    }
    QStringList pairs() const { return fs::listFiles(data + QStringLiteral("DB/"), QStringLiteral("temp*")); }

    test::RunStateGuard guard;
    test::TempDir privateTemp;
    test::TempDir tmp;
    QByteArray savedTmp;
    QString data;
    QPointer<frmMain> frame;
    zorvik::Zorvik *map = nullptr;
    ui::DialogScript script;
};

TEST_F(PyramidOnDefaultData, The47PrefecturesGive47PicturesOnePairAnd47Pyramids)
{
    test::GraphCreateBed bed(data);
    shell::setProgramFolder(QStringLiteral(VELTRA_PROGRAM_DEFAULTS));
    ASSERT_TRUE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")));

    frmPyramid *w = drawPrefectures();
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")));
    ASSERT_EQ(script.requests().size(), 0u) << script.requests().front().prompt.toStdString();
    EXPECT_EQ(pictures().size(), 47);
    EXPECT_EQ(pairs(), (QStringList{QStringLiteral("tempdata000.dat"), QStringLiteral("tempheader000.hed")}));
    EXPECT_EQ(graphs(), 2 * 47); // each pyramid with its leader line
    EXPECT_EQ(w->eraLabel(), QStringLiteral("R2"));
    EXPECT_EQ(w->notDatArea()->isVisible(), false);
    // The small tool bar.
    EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(w->cmdEnd->geometry().bottom() < w->height());
}

// Shows the pyramids of the 47 prefectures over Japan with the tool bar,
// saved in VELTRA_SHOT_DIR and kept up for VELTRA_SHOW_SECONDS.
TEST_F(PyramidOnDefaultData, Showcase)
{
    if (qEnvironmentVariableIsEmpty("VELTRA_SHOT_DIR")
        && qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS") <= 0)
        GTEST_SKIP() << "set VELTRA_SHOT_DIR or VELTRA_SHOW_SECONDS to see the pyramids";
    frame->setGeometry(0, 0, 1280, 900);
    frame->show();
    QMdiSubWindow *sub = frame->mdiArea()->addSubWindow(map);
    sub->showMaximized();
    QCoreApplication::processEvents();
    frmPyramid *w = drawPrefectures();
    ASSERT_EQ(script.requests().size(), 0u);
    // Over the Pacific, clear of the pyramids.
    w->move(frame->x() + 740, frame->y() + 780);
    const QString shots = qEnvironmentVariable("VELTRA_SHOT_DIR");
    const auto shoot = [&](double lon, double lat, double scale, const char *name) {
        map->setCenterX((lon - 122) * 360000);
        map->setCenterY((lat - 24) * 360000);
        map->setScale(scale);
        map->Refresh();
        QCoreApplication::processEvents();
        if (shots.isEmpty())
            return;
        QDir().mkpath(shots);
        // The main frame with the tool bar drawn where it stands.
        QImage shot = frame->grab().toImage();
        {
            QPainter painter(&shot);
            painter.drawPixmap(w->geometry().topLeft() - frame->geometry().topLeft(), w->grab());
        }
        EXPECT_TRUE(shot.save(shots + QLatin1Char('/') + QString::fromUtf8(name) + QStringLiteral(".png")));
    };
    shoot(137.5, 37.5, 7000000, "i49-pyramids-japan");
    shoot(139.6, 35.9, 1500000, "i49-pyramids-kanto");
    if (!shots.isEmpty()) {
        EXPECT_TRUE(w->grab().save(shots + QStringLiteral("/i49-pyramid-toolbar.png")));
    }
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS") * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    sub->setWidget(nullptr);
    map->setParent(nullptr);
}

} // namespace
