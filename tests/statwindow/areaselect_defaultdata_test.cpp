// The area selection on the map on a copy of the generated default data: the
// prefectures in view, and a 30 km circle around Tokyo station at the
// municipal level. The last case is a showcase of the circle with the dialog
// and the filled list: skipped unless VELTRA_SHOW_SECONDS is set, when it
// stays up that long (run with -platform xcb on an X display).
#include "fakemaphost.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapeventbridge.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "shell/modecodes.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "statwindow/comsampleprogram2.h"
#include "statwindow/frmpsymaparea.h"
#include "statwindow/frmsampleprogram2.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/statwindowregistration.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace veltra;
using test::u;

namespace {

// Tokyo station (139.7671 E, 35.6812 N) in world units.
constexpr std::int32_t TokyoX = static_cast<std::int32_t>((139.7671 - 122) * 360000);
constexpr std::int32_t TokyoY = static_cast<std::int32_t>((35.6812 - 24) * 360000);

class AreaSelectDefaultData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shell::setProgramFolder(QStringLiteral(VELTRA_PROGRAM_DEFAULTS));
        const QString defaults = QStringLiteral(VELTRA_DEFAULT_DATA);
        ASSERT_TRUE(QFile::exists(defaults + QStringLiteral("/Veltra.zor")))
            << "no default map in " << defaults.toStdString() << " (build veltra_default_data)";
        test::copyTree(defaults, tmp.path());
        gstrDataPath = tmp.path() + QStringLiteral("VeltraData/");
        ASSERT_TRUE(
            statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
        statwindow::registerStatisticsWindow();
        ComSampleProgram2::forgetState();
        gstrDispLevel1 = QStringLiteral("1000000");
        gstrDispLevel2 = QStringLiteral("3000000");

        map.resize(1000, 700);
        map.setDocumentPath(tmp.file(QStringLiteral("Veltra.zor")));
        ASSERT_EQ(map.InitializeMap(0), 0) << map.lastError().toStdString();
        map.InitDisplay();
        map.ShowAll();
        gdtBaseDate = QDate::fromString(map.BaseDate(), QStringLiteral("yyyyMMdd"));
        ASSERT_TRUE(gdtBaseDate.isValid());
        map.setDateFrom(static_cast<std::int32_t>(gdtBaseDate.daysTo(QDate(2020, 10, 1))));
        gobjZor = &map;
        bridge = std::make_unique<mapwindow::MapEventBridge>(&map, &host);
    }
    void TearDown() override
    {
        bridge.reset();
        ui::WindowRegistry::instance().deleteAll();
        gobjZor = nullptr;
    }

    static frmStatisticsMap *window() { return ui::form<frmStatisticsMap>(); }
    static QStringList listed()
    {
        QStringList names;
        for (int i = 0; i < window()->lstSelectAddr->topLevelItemCount(); ++i)
            names << window()->lstSelectAddr->topLevelItem(i)->text(0);
        return names;
    }
    // The prefecture codes whose area connector lies in the view.
    QStringList prefecturesInView() const
    {
        zorvik::Handle set = 0;
        std::int32_t v = 0, c = 0;
        const_cast<zorvik::Zorvik &>(map).SearchElementsByKind(0, {0}, 1, {206}, set, v, c);
        const std::int32_t x0 = map.CenterX() - map.ViewWidth() / 2, x1 = x0 + map.ViewWidth();
        const std::int32_t y0 = map.CenterY() - map.ViewHeight() / 2, y1 = y0 + map.ViewHeight();
        QStringList codes;
        zorvik::Handle elem = 0;
        while (map.GetNextElementHandle(set, elem) == 0 && elem != 0) {
            zorvik::ElementRecord r;
            map.GetElementsInfo(set, elem, r);
            std::vector<std::int32_t> x(1), y(1);
            map.GetElementPoints(set, elem, 1, x, y);
            if (x[0] >= x0 && x[0] <= x1 && y[0] >= y0 && y[0] <= y1)
                codes << r.Key.section(QLatin1Char(','), 0, 0);
        }
        const_cast<zorvik::Zorvik &>(map).ReleaseElements(set);
        codes.sort();
        return codes;
    }
    void circleAroundTokyo()
    {
        window()->show();
        window()->cmdAreaSelect_Click(0);
        auto *d = qobject_cast<frmSampleProgram2 *>(
            ui::WindowRegistry::instance().find(QStringLiteral("frmSampleProgram2")));
        ASSERT_NE(d, nullptr);
        d->optSearchType[2]->setChecked(true);
        d->optHani[1]->setChecked(true);
        d->txtSize->setText(QStringLiteral("30"));
        d->cmdSearch->click();
        QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier,
            map.viewTransform().worldToDevice(TokyoX, TokyoY).toPoint());
        test::flushDeletes();
    }

    test::RunStateGuard guard;
    test::TempDir tmp;
    zorvik::Zorvik map;
    test::FakeMapHost host;
    std::unique_ptr<mapwindow::MapEventBridge> bridge;
};

TEST_F(AreaSelectDefaultData, TheViewSelectionAtThePrefectureLevelListsThePrefecturesInView)
{
    map.setCenterX(TokyoX);
    map.setCenterY(TokyoY);
    map.setScale(2000000);
    const QStringList expected = prefecturesInView();
    ASSERT_GE(expected.size(), 5);
    ASSERT_LT(expected.size(), 47);
    shell::ScopedModalHook hook([](QDialog &d) {
        auto *chooser = qobject_cast<frmPSYMapArea *>(&d);
        chooser->optHani[0]->setChecked(true);
        chooser->cmdSearch->click();
    });
    window()->cmdAreaSelect_Click(1);
    test::flushDeletes();
    QStringList codes;
    for (int i = 0; i < window()->lstSelectAddr->topLevelItemCount(); ++i)
        codes << QStringLiteral("%1").arg(
            window()->lstSelectAddr->topLevelItem(i)->text(3).toInt(), 2, 10, QLatin1Char('0'));
    codes.sort();
    EXPECT_EQ(codes, expected);
    EXPECT_TRUE(listed().contains(u("東京都")));
    EXPECT_EQ(window()->lblArea->text(), u("都道府県"));
}

TEST_F(AreaSelectDefaultData, AThirtyKilometreCircleAroundTokyoStationListsChiyodaAndItsNeighbours)
{
    map.setCenterX(TokyoX);
    map.setCenterY(TokyoY);
    map.setScale(400000);
    circleAroundTokyo();
    const QStringList names = listed();
    for (const char *ward : {"東京都千代田区", "東京都中央区", "東京都港区", "東京都新宿区", "東京都文京区",
             "東京都台東区", "東京都江東区"})
        EXPECT_TRUE(names.contains(u(ward))) << ward;
    EXPECT_FALSE(names.contains(u("東京都八王子市"))) << "about 40 km west";
    EXPECT_EQ(window()->lblArea->text(), u("市区町村"));
}

TEST_F(AreaSelectDefaultData, ShowcaseOfTheCircleWithTheDialogAndTheList)
{
    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    if (seconds <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    map.setGeometry(0, 0, 1280, 900);
    map.show();
    map.setCenterX(TokyoX);
    map.setCenterY(TokyoY);
    map.setScale(400000);
    circleAroundTokyo();
    // The search ends the mode, which takes the circle off and closes the
    // dialog: both are put back for the picture.
    std::int32_t shape = 0;
    ComSampleProgram2::MakeCircleShape(map, TokyoX, TokyoY, ComSampleProgram2::rangeInWorld(30), shape);
    map.DrawElements(shape, 0, 0, 0, 0);
    map.Refresh();
    frmStatisticsMap *w = window();
    w->move(700, 60);
    auto *d = ui::form<frmSampleProgram2>(static_cast<QWidget *>(w));
    d->optSearchType[2]->setChecked(true);
    d->optHani[1]->setChecked(true);
    d->txtSize->setText(QStringLiteral("30"));
    d->move(40, 40);
    d->show();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    map.ReleaseElements(shape);
}

} // namespace
