// The data reference window with a real engine: the area level by the
// spaces displayed at the scale, the highlight of a clicked area through the
// area reference mode on a document with town blocks, and AddressCode on the
// generated default data against the census table.
#include "fakemaphost.h"
#include "areadoc.h"
#include "mapwindow/areasanshou.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapeventbridge.h"
#include "mapwindow/maptoolsregistry.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "sanshoudata.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "statdata/meshdatabase.h"
#include "statrender/datareferenceregistry.h"
#include "statrender/frmpsydatasanshou.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace veltra;
using statrender::AreaLevel;
using veltra::test::AreaDoc;
using veltra::test::u;

namespace {

using FakeHost = veltra::test::FakeMapHost;

QStringList gridRow(const QTableWidget *grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
    return cells;
}

frmPSYDataSanshou *dataWindow()
{
    return ui::form<frmPSYDataSanshou>(static_cast<QWidget *>(gfrmMain));
}

QStringList shownNames()
{
    frmPSYDataSanshou *w = dataWindow();
    return {w->DBCombo1[0]->currentText(), w->DBCombo1[1]->currentText(), w->DBCombo1[2]->currentText()};
}

// The area document with town blocks, the fixture data folder (with names and
// a town-block line for the document's town block 13999001001) and a frame.
class DataSanshouMap : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.ok);
        ASSERT_TRUE(data.ok);
        ASSERT_TRUE(
            statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(data.dataPath)));
        statdata::MeshDatabase::shared().insertMunicipality(13, 999, u("テスト区"), QString(), 0, 0);
        statdata::MeshDatabase::shared().insertTownBlock(13, 999, 1001, u("テスト一丁目"), 0, 0);
        gstrDataPath = data.dataPath;
        frame = new frmMain;
        gfrmMain = frame;
        statrender::registerDataReference();
        mapwindow::registerMapTools();
        gdtBaseDate = QDate(1900, 1, 1);
        gstrDispLevel1 = QStringLiteral("25000");
    }
    void TearDown() override
    {
        ui::WindowRegistry::instance().deleteAll();
        gobjZor = nullptr;
        gfrmMain = nullptr;
        delete frame.data();
    }

    // Opens the document in the map (after any change of its definition files).
    void openMap(double scale, int area)
    {
        map.resize(400, 300);
        map.setDocumentPath(doc.zor);
        ASSERT_EQ(map.InitializeMap(0), zorvik::code::Ok);
        map.InitDisplay();
        map.setScale(scale);
        map.setCenterX(AreaDoc::centreX(area));
        map.setCenterY(AreaDoc::centreY());
        map.setDateFrom(static_cast<std::int32_t>(gdtBaseDate.daysTo(QDate(2000, 1, 1))));
        gobjZor = &map;
    }
    bool frameItemsEnabled() const
    {
        return frame->menuItem(QStringLiteral("mnuOptionTime"))->isEnabled()
            && frame->statusBar()->isEnabled();
    }

    test::RunStateGuard guard;
    AreaDoc doc{true};
    test::SanshouData data{{QStringLiteral("13999001001,11,5,6")}};
    QPointer<frmMain> frame; // registered: the registry deletes it
    zorvik::Zorvik map;
};

TEST_F(DataSanshouMap, TheLevelFollowsTheSpacesDisplayedAtTheScale)
{
    // Prefecture kind 31 from 1:1,000, municipality kind 30 from 1:30,000 to
    // 1:3,000,000, town-block kind 32 up to 1:25,000.
    test::writeBytes(doc.dir.file(QStringLiteral("DefFolder/DispVectDef.csv")),
        "KindID,Range1,Range2,Flag\r\n31,1000,100000000,0\r\n30,30000,3000000,0\r\n32,1,25000,0\r\n");
    openMap(50000, 2);
    frmPSYDataSanshou *w = dataWindow();
    EXPECT_EQ(w->GetUseSpaceID(&map), 0); // before the area reference mode
    std::int16_t state = StateEnter;
    ComCaldoraNeo::AreaSanshouMode(state, &map);
    ASSERT_EQ(gintTownSpaceID, 3);

    struct Row
    {
        double scale;
        std::vector<std::int16_t> areaSpaces;
        std::int16_t use;
        AreaLevel level;
    };
    const Row rows[] = {
        {5000000, {1}, 1, AreaLevel::Prefecture},
        {50000, {1, 2}, 2, AreaLevel::Municipality},
        {500, {3}, 3, AreaLevel::TownBlock},
        {10000, {1, 3}, 3, AreaLevel::TownBlock},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.scale);
        map.setScale(r.scale);
        std::vector<std::int16_t> shown;
        w->GetDispSpaceID(&map, shown);
        std::vector<std::int16_t> areaSpaces;
        for (const std::int16_t id : shown) {
            if (id >= 1 && id <= 3)
                areaSpaces.push_back(id);
        }
        std::sort(areaSpaces.begin(), areaSpaces.end());
        EXPECT_EQ(areaSpaces, r.areaSpaces);
        EXPECT_EQ(w->GetUseSpaceID(&map), r.use);
        w->setAddressCode(QStringLiteral("13101001001"));
        EXPECT_EQ(w->level(), r.level);
    }
}

TEST_F(DataSanshouMap, AClickedAreaIsShownAndHighlightedUntilClosed)
{
    openMap(20000, 3);
    map.show();
    FakeHost host;
    mapwindow::MapEventBridge bridge(&map, &host);
    const std::size_t liveSets = map.core().sets().size();
    ASSERT_TRUE(frameItemsEnabled());

    // The tool-bar button: the window, then the area reference mode.
    shell::modeRegistry().dataReference().show();
    shell::changeMode(ModeAreaSanshou, 0, shell::noParameterText());
    frmPSYDataSanshou *w = dataWindow();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(frameItemsEnabled());

    const QPointF px = map.viewTransform().worldToDevice(AreaDoc::townConnectorX(), AreaDoc::centreY());
    QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier, px.toPoint());
    EXPECT_EQ(shownNames(), (QStringList{u("東京都"), u("テスト区"), u("テスト一丁目")}));
    EXPECT_EQ(w->level(), AreaLevel::TownBlock);
    EXPECT_EQ(w->lblData->text(), "11");
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), (QStringList{u("総人口"), "100", "-", "11"}));
    ASSERT_GT(w->highlightSet(), 0);
    ASSERT_EQ(map.drawings().sets().size(), 1u);
    const zorvik::SetDrawing &drawn = map.drawings().sets().front();
    EXPECT_EQ(drawn.set, w->highlightSet());
    EXPECT_EQ((std::vector<int>{drawn.mode, drawn.a, drawn.b, drawn.c}), (std::vector<int>{3, 29, 6, 29}));
    ASSERT_EQ(drawn.elements.size(), 1u);
    EXPECT_EQ(drawn.elements[0].iPra[2], 32); // the town-block polygon
    EXPECT_EQ(gintModeNo, ModeAreaSanshou);

    // A second click on the same area keeps one highlight.
    QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier, px.toPoint());
    EXPECT_EQ(map.drawings().sets().size(), 1u);
    EXPECT_EQ(map.core().sets().size(), liveSets + 1);

    w->Command1->click();
    EXPECT_TRUE(map.drawings().sets().empty());
    EXPECT_EQ(map.core().sets().size(), liveSets);
    EXPECT_EQ(gintModeNo, 0);
    EXPECT_TRUE(frameItemsEnabled());
}

TEST_F(DataSanshouMap, AClickOnNoAreaLeavesNothingHighlighted)
{
    openMap(20000, 3);
    const std::size_t liveSets = map.core().sets().size();
    std::int16_t state = StateEnter;
    ComCaldoraNeo::AreaSanshouMode(state, &map);
    frmPSYDataSanshou *w = dataWindow();
    w->DrawCaldoraArea(AreaDoc::townConnectorX(), AreaDoc::centreY());
    ASSERT_GT(w->highlightSet(), 0);
    // East of the town block: no town-block polygon there.
    w->DrawCaldoraArea(AreaDoc::townX1() + 3000, AreaDoc::centreY());
    EXPECT_EQ(w->highlightSet(), 0);
    EXPECT_TRUE(map.drawings().sets().empty());
    EXPECT_EQ(map.core().sets().size(), liveSets);
    EXPECT_EQ(map.SpaceID(), 3); // stays at the level's space
}

// The generated default data: AddressCode as the statistics element reference
// passes it, against the census table the statistics were made from.
class DataSanshouDefault : public ::testing::Test
{
protected:
    static QString folder() { return QStringLiteral(VELTRA_DEFAULT_DATA); }

    // Field `column` (by header name) of the census line starting with `code`.
    static QString census(const char *file, const QString &code, const char *column)
    {
        QFile f(QStringLiteral(VELTRA_CENSUS_SOURCES "/") + QString::fromLatin1(file));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QStringList header = QString::fromUtf8(f.readLine()).trimmed().split(u',');
        const int at = static_cast<int>(header.indexOf(QString::fromLatin1(column)));
        while (!f.atEnd()) {
            const QStringList fields = QString::fromUtf8(f.readLine()).trimmed().split(u',');
            if (fields.value(0) == code)
                return fields.value(at);
        }
        return {};
    }

    test::RunStateGuard guard;
};

TEST_F(DataSanshouDefault, AddressCodeOfShinjukuShowsTheCensusValues)
{
    const QString data = folder() + QStringLiteral("/VeltraData/");
    ASSERT_TRUE(statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(data)))
        << "no generated default data in " << folder().toStdString();
    gstrDataPath = data;
    zorvik::Zorvik map;
    map.resize(800, 600);
    map.setDocumentPath(folder() + QStringLiteral("/Veltra.zor"));
    ASSERT_EQ(map.InitializeMap(0), zorvik::code::Ok);
    map.InitDisplay();
    gobjZor = &map;
    std::int16_t state = StateEnter;
    ComCaldoraNeo::AreaSanshouMode(state, &map);

    const QString prefTotal = census("pref_population_2020.csv", QStringLiteral("13"), "total");
    const QString cityTotal = census("muni_population_2020.csv", QStringLiteral("13104"), "total");
    const QString cityMale = census("muni_population_2020.csv", QStringLiteral("13104"), "male");
    ASSERT_FALSE(prefTotal.isEmpty());
    ASSERT_FALSE(cityTotal.isEmpty());

    struct Row
    {
        double scale; // the default map's levels: towns to 1:25,000, municipalities to 1:3,000,000
        AreaLevel level;
        QString value;
    };
    const Row rows[] = {
        {500000, AreaLevel::Municipality, cityTotal},
        {5000000, AreaLevel::Prefecture, prefTotal},
    };
    frmPSYDataSanshou *w = dataWindow();
    EXPECT_EQ(w->cmbNendo->currentText(), u("R2国勢調査"));
    for (const Row &r : rows) {
        SCOPED_TRACE(r.scale);
        map.setScale(r.scale);
        w->setAddressCode(QStringLiteral("13104000000"));
        EXPECT_EQ(shownNames().mid(0, 2), (QStringList{u("東京都"), u("新宿区")}));
        EXPECT_EQ(w->level(), r.level);
        EXPECT_EQ(w->Combo1[0]->currentText(), u("人口"));
        EXPECT_EQ(w->lblData->text(), r.value);
        EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), (QStringList{u("総人口"), prefTotal, cityTotal, "-"}));
        EXPECT_EQ(gridRow(w->MSFlexGrid1, 1).value(2), cityMale);
    }
    // Where town blocks are displayed, the statistics hold no such level.
    map.setScale(20000);
    w->setAddressCode(QStringLiteral("13104000000"));
    EXPECT_EQ(w->level(), AreaLevel::TownBlock);
    EXPECT_EQ(w->Combo1[0]->currentText(), u("該当データありません"));
    EXPECT_EQ(w->lblData->text(), QString());
    ui::WindowRegistry::instance().deleteAll();
    gobjZor = nullptr;
}

} // namespace
