// The area selection on the map (mode 71) and the statistics map window's
// map buttons on the real engine, with the map's mouse: a document with the
// three area levels (prefecture, municipalities, a town block), names for
// their codes, and the engine members the selection relies on.
#include "areadoc.h"
#include "fakemaphost.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapeventbridge.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modaldialog.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "statrender/globals.h"
#include "statwindow/comsampleprogram2.h"
#include "statwindow/frmpsymaparea.h"
#include "statwindow/frmsampleprogram2.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindow/statwindowregistration.h"
#include "testsupport.h"
#include "zorvik/testmap/testdoc.h"
#include "zorvik/widget/zorvik.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <gtest/gtest.h>

using namespace veltra;
using test::AreaDoc;
using test::u;

namespace {

const QString RangeMessage = QStringLiteral("1km～30kmの範囲で指定してください。");
const QString NotNumberMessage = QStringLiteral("不正な数値です.");
const QString NoBandMessage = QStringLiteral("指定した線から範囲を作成できませんでした。");

class AreaSelectOnMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.ok);
        shell::setProgramFolder(dir.path() + QStringLiteral("program/"));
        ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("program")));
        gstrDataPath = dir.path() + QStringLiteral("data/");
        ASSERT_TRUE(QDir().mkpath(gstrDataPath + QStringLiteral("DB/TempPImage")));
        {
            statdata::MeshDatabase names;
            ASSERT_TRUE(names.create(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
            names.insertPrefecture(13, u("東京都"), 0, 0);
            names.insertPrefecture(14, u("神奈川県"), 0, 0);
            names.insertMunicipality(13, 101, u("千代田区"), QString(), 0, 0);
            names.insertMunicipality(13, 999, u("テスト区"), QString(), 0, 0);
            names.insertMunicipality(14, 100, u("横浜市"), QString(), 0, 0);
            names.insertTownBlock(13, 999, 1001, u("テスト一丁目"), 0, 0);
            names.insertTownBlock(13, 999, 1000, u("テスト零丁目"), 0, 0);
        }
        ASSERT_TRUE(
            statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
        statwindow::registerStatisticsWindow();
        ComSampleProgram2::forgetState();
        gdtBaseDate = QDate(1900, 1, 1);
        gstrDispLevel1 = QStringLiteral("25000");
        gstrDispLevel2 = QStringLiteral("3000000");

        map.resize(800, 600);
        map.setDocumentPath(doc.zor);
        ASSERT_EQ(map.InitializeMap(0), zorvik::code::Ok);
        map.InitDisplay();
        map.ShowAll();
        map.setDateFrom(static_cast<std::int32_t>(gdtBaseDate.daysTo(QDate(2000, 1, 1))));
        map.show();
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
    static frmSampleProgram2 *dialog()
    {
        return qobject_cast<frmSampleProgram2 *>(
            ui::WindowRegistry::instance().find(QStringLiteral("frmSampleProgram2")));
    }
    static QStringList listed()
    {
        QStringList names;
        for (int i = 0; i < window()->lstSelectAddr->topLevelItemCount(); ++i)
            names << window()->lstSelectAddr->topLevelItem(i)->text(0);
        return names;
    }
    QPoint at(std::int32_t x, std::int32_t y) const
    {
        return map.viewTransform().worldToDevice(x, y).toPoint();
    }
    void click(std::int32_t x, std::int32_t y)
    {
        QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier, at(x, y));
    }
    void doubleClick(std::int32_t x, std::int32_t y)
    {
        const QPoint p = at(x, y);
        QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseDClick(&map, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(&map, Qt::LeftButton, Qt::NoModifier, p);
    }
    // Enters mode 71 from the statistics map window's first button.
    void startMode()
    {
        window()->show();
        window()->cmdAreaSelect_Click(0);
        ASSERT_NE(dialog(), nullptr);
    }
    // Chooses type, level and range in the dialog and presses 検索.
    static void search(int type, int level, const QString &range = QString())
    {
        frmSampleProgram2 *d = dialog();
        d->optSearchType[type]->setChecked(true);
        d->optHani[level]->setChecked(true);
        d->txtSize->setText(range);
        d->cmdSearch->click();
    }
    // Adds document elements (each marked as displayed, as the area
    // document's own).
    void addElements(std::vector<zorvik::ElementRecord> records)
    {
        zorvik::Handle set = 0;
        ASSERT_EQ(map.CreateElementList(set), zorvik::code::Ok);
        for (zorvik::ElementRecord &r : records) {
            r.iPra[0] = 1;
            ASSERT_EQ(map.AddElementToList(set, r), zorvik::code::Ok);
        }
        ASSERT_EQ(map.AddElements(set), zorvik::code::Ok);
        map.ReleaseElements(set);
    }
    // The view selection of the window's second button at the chooser's level
    // index; -1 closes the chooser.
    void selectInView(int level)
    {
        shell::ScopedModalHook hook([level](QDialog &d) {
            auto *chooser = qobject_cast<frmPSYMapArea *>(&d);
            ASSERT_NE(chooser, nullptr);
            if (level < 0) {
                chooser->cmdCancel->click();
                return;
            }
            chooser->optHani[level]->setChecked(true);
            chooser->cmdSearch->click();
        });
        window()->cmdAreaSelect_Click(1);
    }
    std::size_t liveSets() const { return map.core().sets().size(); }

    test::RunStateGuard guard;
    AreaDoc doc{true};
    test::TempDir dir;
    zorvik::Zorvik map;
    test::FakeMapHost host;
    std::unique_ptr<mapwindow::MapEventBridge> bridge;
};

TEST_F(AreaSelectOnMap, TheFirstButtonHidesTheWindowAndOpensTheDialogInItsMode)
{
    frmStatisticsMap *w = window();
    w->show();
    w->SetAddrList({QStringLiteral("0,0,0")});
    w->setAnaRange(AnaRangeCity);
    w->SetAddrList({QStringLiteral("0,0,0"), QStringLiteral("1,1,13101")});
    ASSERT_EQ(listed().size(), 1);
    w->cmdAreaSelect_Click(0);
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(w->lblSelectCnt->text().isEmpty());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(gintModeNo, ModeAreaSelect);
    frmSampleProgram2 *d = dialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->windowTitle(), u("地域選択"));
    EXPECT_EQ(d->Frame1->title(), u("検索方法選択"));
    EXPECT_TRUE(d->optSearchType[0]->isChecked());
    EXPECT_TRUE(d->optHani[0]->isChecked());
    EXPECT_EQ(d->Label1->text(), u("範囲（Km）："));
    EXPECT_TRUE(d->txtSize->text().isEmpty());
    EXPECT_EQ(ComSampleProgram2::searchType(), -1);

    // A third character cannot be typed.
    QTest::keyClicks(d->txtSize, QStringLiteral("123"));
    EXPECT_EQ(d->txtSize->text(), QStringLiteral("12"));

    // 終了 leaves the mode and brings the window back.
    d->cmdCancel->click();
    test::flushDeletes();
    EXPECT_EQ(gintModeNo, 0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(AreaSelectOnMap, TheRangeIsCheckedForTheCircleAndTheBandOnly)
{
    startMode();
    struct Row
    {
        int type;
        const char *range;
        QString message; // empty: accepted
        int mouseMode; // the engine's after 検索
    };
    const Row rows[] = {
        {2, "30", {}, 4},
        {2, "1", {}, 4},
        {3, "30", {}, 10},
        {2, "31", RangeMessage, 0},
        {2, "0", RangeMessage, 0},
        {3, "-1", RangeMessage, 0},
        {2, ".5", RangeMessage, 0},
        {3, "ab", NotNumberMessage, 0},
        {2, "", NotNumberMessage, 0},
        {0, "ab", {}, 7},
        {1, "ab", {}, 9},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.type) + " \"" + row.range + "\"");
        map.setMouseEventMode(0);
        ComSampleProgram2::SetSearchRange(-7);
        ui::DialogScript script;
        search(row.type, 1, QString::fromUtf8(row.range));
        EXPECT_EQ(map.MouseEventMode(), row.mouseMode);
        if (row.message.isEmpty()) {
            EXPECT_TRUE(script.requests().empty());
            EXPECT_EQ(map.SpaceID(), 2);
            EXPECT_EQ(ComSampleProgram2::areaKind(), 211);
            EXPECT_EQ(gintSkipCenter, -1);
            if (row.type >= 2)
                EXPECT_EQ(ComSampleProgram2::searchRange(), QString::fromUtf8(row.range).toDouble());
            else
                EXPECT_EQ(ComSampleProgram2::searchRange(), -7); // the box is not read
        } else {
            ASSERT_EQ(script.requests().size(), 1u);
            EXPECT_EQ(script.requests()[0].prompt, row.message);
            EXPECT_EQ(script.requests()[0].buttons & ui::vbExclamation, ui::vbExclamation);
            EXPECT_EQ(ComSampleProgram2::searchRange(), -7);
        }
        gintSkipCenter = 0;
    }
    EXPECT_EQ(ComSampleProgram2::rangeInWorld(1), 1500);
    EXPECT_EQ(ComSampleProgram2::rangeInWorld(30), 45000);
}

TEST_F(AreaSelectOnMap, ACircleAroundAClickListsTheAreasInsideAndEndsTheMode)
{
    // The municipality connector 13101 lies 3000 units west of area 0's
    // centre: a 1 km circle (1500 units in Y) around the centre misses it.
    struct Row
    {
        const char *km;
        std::int32_t x;
        QStringList names;
    };
    const Row rows[] = {
        {"1", AreaDoc::centreX(0), {}},
        {"1", AreaDoc::centreX(0) - 3000, {u("東京都千代田区")}},
        // 54000 units east and west of the centre: inside 30 km (45000 in Y,
        // about 55700 in X at this latitude).
        {"30", AreaDoc::centreX(0) - 3000 + 54000, {u("東京都千代田区"), u("東京都テスト区")}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.km);
        startMode();
        search(2, 1, QString::fromUtf8(row.km));
        ui::DialogScript script;
        click(row.x, AreaDoc::centreY());
        test::flushDeletes();
        EXPECT_EQ(listed(), row.names);
        if (row.names.isEmpty()) {
            ASSERT_EQ(script.requests().size(), 1u);
            EXPECT_EQ(script.requests()[0].prompt,
                u("市区町村は縮尺１／25000以上～１／3000000以下で指定してください"));
        } else {
            EXPECT_TRUE(script.requests().empty());
        }
        EXPECT_EQ(window()->AnaRange(), AnaRangeCity);
        EXPECT_EQ(window()->lblArea->text(), u("市区町村"));
        EXPECT_EQ(dialog(), nullptr);
        EXPECT_EQ(gintModeNo, 0);
        EXPECT_TRUE(window()->isVisible());
        EXPECT_EQ(ComSampleProgram2::shapeHandle(), 0);
        EXPECT_TRUE(map.drawings().sets().empty());
        EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYWait")));
    }
}

TEST_F(AreaSelectOnMap, ClickedAreasStayArmedEachClickRebuildsTheTreeAndATypeChangeTakesTheHighlightsOff)
{
    addElements({zorvik::test::connector(
        211, AreaDoc::centreX(2) + 3000, AreaDoc::centreY(), QStringLiteral("14100"))});
    startMode();
    search(1, 1);
    frmStatisticsMap *w = window();
    const QStringList expected{u("東京都千代田区"), u("神奈川県横浜市"), u("東京都テスト区")};
    const int areas[] = {0, 2, 3};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        auto *sentinel = new QTreeWidgetItem(QStringList{QStringLiteral("sentinel")});
        w->treeStatistic->addTopLevelItem(sentinel);
        click(AreaDoc::centreX(areas[i]), AreaDoc::centreY());
        EXPECT_EQ(listed(), expected.mid(0, i + 1));
        EXPECT_EQ(w->lblSelectCnt->text(), QString::number(i + 1));
        EXPECT_TRUE(w->treeStatistic->findItems(QStringLiteral("sentinel"), Qt::MatchExactly).isEmpty())
            << "the item tree was not rebuilt";
        EXPECT_EQ(map.MouseEventMode(), 9); // armed for the next click
        EXPECT_EQ(gintModeNo, ModeAreaSelect);
        ASSERT_NE(dialog(), nullptr);
        EXPECT_TRUE(dialog()->isVisible());
        EXPECT_EQ(glngHighlightSets.size(), static_cast<std::size_t>(i + 2));
        EXPECT_EQ(glngElmHandle, 0);
    }
    EXPECT_FALSE(map.drawings().sets().empty());

    dialog()->optSearchType[0]->click();
    EXPECT_TRUE(map.drawings().sets().empty());
    EXPECT_EQ(glngHighlightSets, std::vector<std::int32_t>{0});
    EXPECT_EQ(listed(), expected);
    EXPECT_EQ(map.MouseEventMode(), 0);
    EXPECT_EQ(ComSampleProgram2::searchType(), -1);
}

TEST_F(AreaSelectOnMap, ALevelChangeBetweenClicksSearchesTheNewLevelAndTheMessageKeepsTheLastSearchs)
{
    // A town block in area 0 whose only connector names no code.
    const std::int32_t x0 = AreaDoc::X0 + 2000;
    addElements({zorvik::test::pointsRecord(zorvik::TypeVector, 32,
                     {x0, AreaDoc::Y0, x0 + 8000, AreaDoc::Y0, x0 + 8000, AreaDoc::Y0 + 8000, x0,
                         AreaDoc::Y0 + 8000, x0, AreaDoc::Y0}),
        zorvik::test::connector(227, x0 + 4000, AreaDoc::Y0 + 4000, u("未定"))});
    startMode();
    search(1, 0);
    EXPECT_EQ(glngAreaSelectLevel, 1);
    click(AreaDoc::centreX(0), AreaDoc::centreY());
    EXPECT_EQ(listed(), QStringList{u("東京都")});
    EXPECT_EQ(window()->AnaRange(), AnaRangePref);

    dialog()->optHani[2]->click();
    EXPECT_EQ(map.SpaceID(), 3);
    EXPECT_EQ(ComSampleProgram2::areaKind(), 227);
    click(AreaDoc::townConnectorX(), AreaDoc::centreY());
    EXPECT_EQ(listed(), (QStringList{u("東京都"), u("東京都テスト区テスト一丁目")}));
    EXPECT_EQ(window()->AnaRange(), AnaRangeTown);
    EXPECT_EQ(window()->lblArea->text(), u("町丁字"));
    EXPECT_EQ(glngAreaSelectLevel, 1);

    ui::DialogScript script;
    click(x0 + 4000, AreaDoc::Y0 + 4000);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, u("都道府県は縮尺１／3000000以上で指定してください"));
    EXPECT_EQ(listed().size(), 2);
    EXPECT_EQ(map.MouseEventMode(), 9);
}

TEST_F(AreaSelectOnMap, ABandAlongADrawnLineListsTheAreasItCrosses)
{
    startMode();
    search(3, 1, QStringLiteral("1"));
    const std::int32_t y = AreaDoc::centreY();
    click(AreaDoc::centreX(0) - 9000, y + 600);
    doubleClick(AreaDoc::centreX(0), y + 600);
    test::flushDeletes();
    EXPECT_EQ(listed(), QStringList{u("東京都千代田区")});
    EXPECT_EQ(gintModeNo, 0);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(map.drawings().sets().empty());

    // A line that gives no band: said so, nothing searched, armed again.
    startMode();
    search(3, 1, QStringLiteral("1"));
    const std::size_t setsBefore = liveSets();
    ui::DialogScript script;
    click(AreaDoc::centreX(3), y);
    doubleClick(AreaDoc::centreX(3), y);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, NoBandMessage);
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(map.MouseEventMode(), 10);
    EXPECT_EQ(gintModeNo, ModeAreaSelect);
    EXPECT_NE(dialog(), nullptr);
    EXPECT_EQ(glngElmHandle, 0);
    EXPECT_EQ(liveSets(), setsBefore);
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYWait")));
}

TEST_F(AreaSelectOnMap, TheViewSelectionListsTheAreasOfTheChosenLevelInView)
{
    struct Row
    {
        int level;
        QStringList names;
        std::int32_t anaRange;
        int space;
    };
    const Row rows[] = {
        {0, {u("東京都")}, AnaRangePref, 1},
        {1, {u("東京都千代田区"), u("東京都テスト区")}, AnaRangeCity, 2},
        {2, {u("東京都テスト区テスト零丁目"), u("東京都テスト区テスト一丁目")}, AnaRangeTown, 3},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.level);
        map.setSpaceID(-1);
        selectInView(row.level);
        test::flushDeletes();
        EXPECT_EQ(listed(), row.names);
        EXPECT_EQ(window()->AnaRange(), row.anaRange);
        EXPECT_EQ(map.SpaceID(), row.space);
        EXPECT_EQ(glngAreaSelectLevel, row.level + 1);
        EXPECT_EQ(dialog(), nullptr);
        EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYWait")));
    }
    // The town codes themselves (hidden column 7).
    EXPECT_EQ(window()->lstSelectAddr->topLevelItem(1)->text(7), QStringLiteral("1001"));

    // A closed chooser empties the list and searches nothing.
    selectInView(-1);
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(window()->AnaRange(), AnaRangeTown);
}

TEST_F(AreaSelectOnMap, TheViewSelectionEndsTheRunningMapModeAndHoldsNoMoreSetsOverTenSearches)
{
    std::vector<std::int16_t> states;
    shell::modeRegistry().setHandler(
        ModeAreaSanshou, [&states](std::int16_t &state, zorvik::Zorvik *) { states.push_back(state); });
    shell::changeMode(ModeAreaSanshou, 0, shell::noParameterText());
    ASSERT_EQ(gintModeNo, ModeAreaSanshou);
    selectInView(2);
    test::flushDeletes();
    EXPECT_EQ(gintModeNo, 0);
    EXPECT_EQ(states, (std::vector<std::int16_t>{StateEnter, StateLeave}));
    EXPECT_EQ(listed().size(), 2);

    const std::size_t sets = liveSets();
    for (int i = 0; i < 10; ++i) {
        selectInView(i % 3);
        test::flushDeletes();
    }
    EXPECT_EQ(liveSets(), sets);
    startMode();
    search(1, 1);
    ui::DialogScript script; // area 1's connector names no code
    for (int i = 0; i < 10; ++i)
        click(AreaDoc::centreX(i % 4), AreaDoc::centreY());
    dialog()->cmdCancel->click();
    test::flushDeletes();
    EXPECT_EQ(liveSets(), sets - 1) << "leaving the mode releases the view rectangle too";
}

TEST_F(AreaSelectOnMap, EmptyResultMessagesNameTheScalesOfTheLevel)
{
    map.setCenterX(AreaDoc::X0 - 20 * AreaDoc::Side);
    const QString messages[] = {u("都道府県は縮尺１／3000000以上で指定してください"),
        u("市区町村は縮尺１／25000以上～１／3000000以下で指定してください"),
        u("町丁字は縮尺１／24999以下で指定してください")};
    for (int level = 0; level < 3; ++level) {
        SCOPED_TRACE(level);
        ui::DialogScript script;
        selectInView(level);
        test::flushDeletes();
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].prompt, messages[level]);
        EXPECT_TRUE(listed().isEmpty());
    }
}

// What the selection relies on of the engine: the X/Y ratio, polygon search
// inside free shapes, and the drawing codes of its shapes.
TEST_F(AreaSelectOnMap, EngineMembersTheSelectionCalls)
{
    const double latitude = (24.0 + map.CenterY() / 360000.0) * std::acos(-1.0) / 180.0;
    EXPECT_NEAR(map.WorldPerDevice(), std::cos(latitude), 0.01);

    map.setRecognizeElementType(2);
    map.setRecognizeSearchNum(0);
    map.setSpaceID(2);
    std::int32_t shape = 0;
    ComSampleProgram2::MakeCircleShape(map, AreaDoc::centreX(0) - 3000, AreaDoc::centreY(), 1500, shape);
    ASSERT_GT(shape, 0);
    zorvik::Handle elem = 0;
    ASSERT_EQ(map.GetNextElementHandle(shape, elem), zorvik::code::Ok);
    zorvik::ElementRecord circle;
    ASSERT_EQ(map.GetElementsInfo(shape, elem, circle), zorvik::code::Ok);
    EXPECT_EQ(circle.PNum, 91);
    EXPECT_EQ(circle.iPra[2], 188);
    EXPECT_EQ(circle.lPra, (std::array<std::int32_t, 6>{0, 0, 65535, 65535, 0, 0}));
    std::vector<std::int32_t> x, y;
    map.GetElementPoints(shape, elem, 91, x, y);
    EXPECT_EQ(x[0] - (AreaDoc::centreX(0) - 3000), std::lround(1500 / map.WorldPerDevice()));
    EXPECT_EQ(y[90], y[0]);

    zorvik::Handle found = 0;
    std::int32_t c1 = 0, c2 = 0, c3 = 0;
    ASSERT_EQ(map.SearchInnerPolygonElements(shape, found, c1, c2, c3), zorvik::code::Ok);
    EXPECT_EQ(c3, 1);
    std::vector<QString> codes;
    EXPECT_EQ(ComSampleProgram2::CollectAreaCodes(map, found, 211, codes), 1);
    EXPECT_EQ(codes,
        (std::vector<QString>{QStringLiteral("0,0,0"),
            QStringLiteral("%1,%2,13101").arg(AreaDoc::centreX(0) - 3000).arg(AreaDoc::centreY())}));
    map.ReleaseElements(found);

    // Another space finds nothing: no set.
    map.setSpaceID(3);
    ASSERT_EQ(map.SearchInnerPolygonElements(shape, found, c1, c2, c3), zorvik::code::Ok);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(c3, 0);
    EXPECT_EQ(ComSampleProgram2::CollectAreaCodes(map, found, 227, codes), 0);
    EXPECT_EQ(codes, std::vector<QString>{QStringLiteral("0,0,0")});

    // The circle shown, the band drawn, then taken off; taking off a
    // released shape is no error.
    const QImage plain = map.grab().toImage();
    EXPECT_EQ(map.DrawElements(shape, 0, 0, 0, 0), zorvik::code::Ok);
    map.Refresh();
    ASSERT_EQ(map.drawings().sets().size(), 1u);
    EXPECT_EQ(map.drawings().sets().front().mode, 0);
    EXPECT_NE(map.grab().toImage(), plain) << "the circle is not visible";
    EXPECT_EQ(map.DrawElements(shape, 3, 64, 1, 64), zorvik::code::Ok);
    map.Refresh();
    ASSERT_EQ(map.drawings().sets().size(), 1u);
    EXPECT_EQ(map.drawings().sets().front().mode, 3);
    EXPECT_EQ(map.DrawElements(shape, 1, 1, 1, 1), zorvik::code::Ok);
    map.Refresh();
    EXPECT_TRUE(map.drawings().sets().empty());
    EXPECT_EQ(map.grab().toImage(), plain);
    EXPECT_EQ(map.ReleaseElements(shape), zorvik::code::Ok);
    EXPECT_EQ(map.DrawElements(shape, 1, 1, 1, 1), zorvik::code::Ok);
}

} // namespace
