// The map window's tool modes: datum comparison, map image cut and area
// reference, against the real engine on small documents.
#include "fakemaphost.h"
#include "areadoc.h"
#include "mapwindow/areasanshou.h"
#include "mapwindow/comcuttingimage.h"
#include "mapwindow/frmsamplecoordinate.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapeventbridge.h"
#include "mapwindow/maptoolsregistry.h"
#include "mapwindow/mdlelement.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/commonm1.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/core/engine.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::AreaDoc;
using veltra::ui::DialogScript;

namespace {

// --- Datum comparison ---------------------------------------------------------

struct DatumCase
{
    std::int32_t x, y;
    const char *world;
    const char *tokyo; // nullptr: not checked
};

TEST(DatumTexts, WorldAndTokyoDatum)
{
    const DatumCase cases[] = {
        {6480000, 4320000, "北緯 036.00.00 東経 140.00.00", "北緯 035.59.48 東経 140.00.11"},
        {6300000, 4200000, "北緯 035.40.00 東経 139.30.00", "北緯 035.39.48 東経 139.30.11"},
        // South of 24° N the world text reads as a proper position.
        {6480000, -1, "北緯 023.59.59 東経 140.00.00", "北緯 023.59.43 東経 140.00.09"},
        {6480000, -100, "北緯 023.59.59 東経 140.00.00", nullptr},
        {-1, 0, "北緯 024.00.00 東経 121.59.59", nullptr},
    };
    for (const DatumCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(mapwindow::worldDatumText(c.x, c.y), QString::fromUtf8(c.world));
        if (c.tokyo) {
            EXPECT_EQ(mapwindow::tokyoDatumText(c.x, c.y), QString::fromUtf8(c.tokyo));
        }
    }
}

// A map control on a document of areas, current for the handlers.
class MapToolTest : public ::testing::Test
{
protected:
    explicit MapToolTest(bool townBlocks = false)
        : doc(townBlocks)
    { }

    void SetUp() override
    {
        ASSERT_TRUE(doc.ok);
        map.resize(400, 300);
        map.setDocumentPath(doc.zor);
        ASSERT_EQ(map.InitializeMap(0), zorvik::code::Ok);
        map.InitDisplay();
        map.setScale(50000);
        map.setCenterX(AreaDoc::centreX(2));
        map.setCenterY(AreaDoc::centreY());
        savedEngine = gobjZor;
        gobjZor = &map;
        savedRegistry = shell::modeRegistry();
        gintStoryStepEnd = 0;
    }

    void TearDown() override
    {
        shell::modeRegistry() = savedRegistry;
        gobjZor = savedEngine;
        gintModeNo = 0;
        glngElmHandle = 0;
    }

    // A pointer move with no button held, as the control receives it.
    void hover(QPoint p)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(map.mapToGlobal(p)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&map, &move);
    }

    QPoint worldAt(QPoint px) const
    {
        const QPointF w = map.viewTransform().deviceToWorld(QPointF(px));
        return QPoint(zorvik::ViewTransform::roundWorld(w.x()), zorvik::ViewTransform::roundWorld(w.y()));
    }

    AreaDoc doc;
    zorvik::Zorvik map;
    zorvik::Zorvik *savedEngine = nullptr;
    shell::ModeRegistry savedRegistry;
};

TEST_F(MapToolTest, DatumWindowFollowsThePointerUntilClosed)
{
    auto *window = new frmSampleCoordinate;
    window->setZorvik(&map);
    const QPoint p(120, 80);
    hover(p);
    const QPoint world = worldAt(p);
    EXPECT_EQ(window->txtNew->text(), mapwindow::worldDatumText(world.x(), world.y()));
    EXPECT_EQ(window->txtOld->text(), mapwindow::tokyoDatumText(world.x(), world.y()));
    EXPECT_TRUE(window->txtNew->text().startsWith(QStringLiteral("北緯 ")));

    window->close();
    EXPECT_EQ(gintStoryStepEnd, -1);
    const QString before = window->txtNew->text();
    hover(QPoint(300, 200));
    EXPECT_EQ(window->txtNew->text(), before);
    delete window;
    hover(QPoint(10, 10)); // nothing left connected to a deleted window
}

// --- Map image cut --------------------------------------------------------------

using FakeHost = veltra::test::FakeMapHost;

class ImageCutTest : public MapToolTest
{
protected:
    void SetUp() override
    {
        MapToolTest::SetUp();
        map.show();
        shell::modeRegistry().navigation().setNormalMode = [this](zorvik::Zorvik *) { ++normalModes; };
        shell::modeRegistry().operationRoom().selectFirstMapMode = nullptr;
        shell::modeRegistry().setHandler(ModeImageCut, &ComCuttingImage::ImageCutMode);
        gintModeNo = ModeImageCut;
        QGuiApplication::clipboard()->clear();
        // A temporary folder of this test alone: other test programs running
        // beside it use the shared one.
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(privateTemp.path()));
    }
    void TearDown() override
    {
        if (savedTmp.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
        shell::modeRegistry().removeHandler(ModeImageCut);
        MapToolTest::TearDown();
    }

    // Press and release points in twips on the control, as the events leave them.
    void setDrag(QPoint from, QPoint to)
    {
        glngMouseDownX = static_cast<std::int32_t>(ui::pixelsToTwipsX(from.x()));
        glngMouseDownY = static_cast<std::int32_t>(ui::pixelsToTwipsY(from.y()));
        glngMouseUpX = static_cast<std::int32_t>(ui::pixelsToTwipsX(to.x()));
        glngMouseUpY = static_cast<std::int32_t>(ui::pixelsToTwipsY(to.y()));
    }

    QImage cutWith(QPoint from, QPoint to)
    {
        QGuiApplication::clipboard()->clear();
        DialogScript script;
        std::int16_t state = StateEnter;
        ComCuttingImage::ImageCutMode(state, &map);
        EXPECT_EQ(map.MouseEventMode(), 5);
        setDrag(from, to);
        state = StateRect;
        ComCuttingImage::ImageCutMode(state, &map);
        EXPECT_EQ(map.MouseEventMode(), 0);
        EXPECT_EQ(script.requests().size(), 2u);
        if (script.requests().size() == 2u) {
            EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("マウスドラッグで範囲を指定して下さい."));
            EXPECT_EQ(script.requests()[1].prompt, QStringLiteral("クリップボードへ出力しました."));
        }
        return QGuiApplication::clipboard()->image();
    }

    int normalModes = 0;
    test::TempDir privateTemp;
    QByteArray savedTmp;
};

TEST_F(ImageCutTest, EitherDragDirectionGivesTheSamePictureAndNoTemporaryFile)
{
    const QStringList tempBefore = test::entriesOf(CommonM1::GetTempDir());
    const QImage forward = cutWith(QPoint(100, 50), QPoint(300, 200));
    const QImage backward = cutWith(QPoint(300, 200), QPoint(100, 50));
    ASSERT_FALSE(forward.isNull());
    EXPECT_EQ(forward.size(), QSize(200, 150));
    EXPECT_EQ(forward.convertToFormat(QImage::Format_RGB32), backward.convertToFormat(QImage::Format_RGB32));
    // The cut is the map's own picture of that rectangle.
    const QImage whole = map.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(forward.convertToFormat(QImage::Format_RGB32), whole.copy(QRect(100, 50, 200, 150)));
    EXPECT_EQ(normalModes, 2);
    EXPECT_EQ(gintStoryStepEnd, -1);
    EXPECT_EQ(test::entriesOf(CommonM1::GetTempDir()), tempBefore);
}

TEST_F(ImageCutTest, ASecondDragWithoutEnteringAgainCutsNothing)
{
    ASSERT_FALSE(cutWith(QPoint(10, 10), QPoint(60, 40)).isNull());
    shell::MapWindowHost *savedHost = gfrmZorvik;
    FakeHost host;
    mapwindow::MapEventBridge bridge(&map, &host);
    QGuiApplication::clipboard()->clear();
    DialogScript script;
    QTest::mousePress(&map, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(&map, QPoint(80, 70), Qt::LeftButton);
    QTest::mouseRelease(&map, Qt::LeftButton, Qt::NoModifier, QPoint(80, 70));
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
    EXPECT_TRUE(script.requests().empty());
    gfrmZorvik = savedHost;
}

TEST_F(ImageCutTest, AFailedPictureSaysSoAndLeavesTheClipboard)
{
    const QStringList tempBefore = test::entriesOf(CommonM1::GetTempDir());
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    DialogScript script;
    std::int16_t state = StateRect;
    setDrag(QPoint(50, 50), QPoint(50, 50)); // an empty rectangle: the engine writes nothing
    ComCuttingImage::ImageCutMode(state, &map);
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("地図画像を取得できませんでした。"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    EXPECT_EQ(test::entriesOf(CommonM1::GetTempDir()), tempBefore);
    EXPECT_NE(gintStoryStepEnd, -1);
}

// --- Area reference --------------------------------------------------------------

TEST(ClickedAreaCode, RulesByKindAndDate)
{
    struct Row
    {
        std::int16_t kind;
        const char *name;
        bool before1965;
        const char *code;
    };
    const Row rows[] = {
        {227, "13101001001", false, "13101001001"},
        {227, "1310100100", false, "1310100100"},
        {227, "131010010", false, ""}, // nine digits are no town-block code
        {227, "1310100100a", false, ""},
        {211, "13101", true, "1310100"},
        {211, "1310100", true, "1310100"},
        {211, "131010", true, ""},
        {211, "13101", false, "13101"},
        {211, "131010", false, "131010"},
        {211, "1310", false, ""},
        {211, "横浜市", false, ""},
        {206, "13", false, ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.name) + " " + std::to_string(r.kind));
        EXPECT_EQ(ComCaldoraNeo::clickedAreaCode(r.kind, QString::fromUtf8(r.name), r.before1965),
            QString::fromUtf8(r.code));
    }
}

class AreaSanshouTest : public MapToolTest
{
protected:
    AreaSanshouTest()
        : MapToolTest(true)
    { }

    void SetUp() override
    {
        MapToolTest::SetUp();
        savedBase = gdtBaseDate;
        savedLevel = gstrDispLevel1;
        gdtBaseDate = QDate(1900, 1, 1);
        gstrDispLevel1 = QStringLiteral("25000");
        map.setScale(20000);
        auto &window = shell::modeRegistry().dataReference();
        window.setAddressCode = [this](const QString &code) { codes << code; };
        window.drawArea = [this](std::int32_t x, std::int32_t y) { points.push_back({x, y}); };
        shell::modeRegistry().setHandler(ModeAreaSanshou, &ComCaldoraNeo::AreaSanshouMode);
        gintModeNo = ModeAreaSanshou;
        std::int16_t state = StateEnter;
        ComCaldoraNeo::AreaSanshouMode(state, &map);
    }
    void TearDown() override
    {
        shell::modeRegistry().removeHandler(ModeAreaSanshou);
        gdtBaseDate = savedBase;
        gstrDispLevel1 = savedLevel;
        MapToolTest::TearDown();
    }

    void showFrom(const QDate &date) { map.setDateFrom(static_cast<std::int32_t>(gdtBaseDate.daysTo(date))); }

    // A finished search holding the municipality connector at area i's first
    // point, with the click at (x, y).
    void finishSearchOn(int area, std::int32_t x, std::int32_t y)
    {
        std::int32_t set = 0;
        const std::int32_t cx = AreaDoc::centreX(area) - 3000;
        ASSERT_GT(ComCaldoraNeo::SearchAreaConnectors(
                      &map, 211, cx - 100, AreaDoc::centreY() - 100, cx + 100, AreaDoc::centreY() + 100, set),
            0);
        glngElmHandle = set;
        glngPointX = {x, 0};
        glngPointY = {y, 0};
        std::int16_t state = StateFound;
        ComCaldoraNeo::AreaSanshouMode(state, &map);
    }

    QStringList codes;
    std::vector<std::pair<std::int32_t, std::int32_t>> points;
    QDate savedBase;
    QString savedLevel;
};

TEST_F(AreaSanshouTest, EnteringSetsTheClickSearchAndTheSpaceByDate)
{
    struct Row
    {
        QDate from;
        int space;
    };
    for (const Row &r : {Row{QDate(1970, 10, 1), 2}, Row{QDate(1970, 10, 2), 3}}) {
        showFrom(r.from);
        std::int16_t state = StateEnter;
        ComCaldoraNeo::AreaSanshouMode(state, &map);
        EXPECT_EQ(map.SpaceID(), r.space);
        EXPECT_EQ(map.MouseEventMode(), 9);
        EXPECT_EQ(map.RecognizeElementType(), 2);
        EXPECT_EQ(map.RecognizeSearchNum(), 100);
        EXPECT_EQ(map.RecognizeOption(), 0);
        EXPECT_EQ(gintTownSpaceID, 3);
        EXPECT_EQ(gintAreaCnectKind, 227);
    }
}

TEST_F(AreaSanshouTest, MunicipalCodeByTheShownDate)
{
    struct Row
    {
        QDate from;
        const char *code;
    };
    const Row rows[] = {{QDate(1965, 10, 1), "1310100"}, {QDate(1965, 10, 2), "13101"}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.code);
        codes.clear();
        showFrom(r.from);
        finishSearchOn(0, AreaDoc::centreX(0), AreaDoc::centreY());
        ASSERT_EQ(codes.size(), 1);
        EXPECT_EQ(codes[0], QString::fromUtf8(r.code));
        EXPECT_EQ(glngElmHandle, 0);
    }
}

TEST_F(AreaSanshouTest, ThePointSearchWinsOverTheClickedElement)
{
    showFrom(QDate(2000, 1, 1));
    finishSearchOn(3, AreaDoc::townConnectorX(), AreaDoc::townConnectorY() - 8000);
    finishSearchOn(3, AreaDoc::townX1() + 3000, AreaDoc::centreY()); // outside the town block
    EXPECT_EQ(codes, (QStringList{QStringLiteral("13999001001"), QStringLiteral("13999")}));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].first, AreaDoc::townConnectorX());
    EXPECT_EQ(points[0].second, AreaDoc::townConnectorY() - 8000);
    EXPECT_EQ(ComCaldoraNeo::FindAreaAtPoint(AreaDoc::townConnectorX(), AreaDoc::centreY()),
        QStringLiteral("13999001001"));
    EXPECT_EQ(ComCaldoraNeo::FindAreaAtPoint(AreaDoc::centreX(0), AreaDoc::centreY()), QString());
}

TEST_F(AreaSanshouTest, TheDisplayLimitIsOneBelowTheTownLevel)
{
    showFrom(QDate(2000, 1, 1));
    map.setScale(24999);
    ASSERT_EQ(map.Scale(), 24999);
    {
        DialogScript script;
        finishSearchOn(0, AreaDoc::centreX(0), AreaDoc::centreY());
        EXPECT_TRUE(script.requests().empty());
        EXPECT_EQ(codes, QStringList{QStringLiteral("13101")});
    }
    map.setScale(25000);
    DialogScript script;
    finishSearchOn(0, AreaDoc::centreX(0), AreaDoc::centreY());
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("縮尺を 1/24999以下にしてください"));
    EXPECT_EQ(script.requests()[0].buttons, ui::vbOKOnly);
    EXPECT_EQ(codes.size(), 1); // the data window was not touched
}

TEST_F(AreaSanshouTest, AClickReleasesEverySetAndEntersTheModeAgain)
{
    showFrom(QDate(2000, 1, 1));
    map.show();
    FakeHost host;
    mapwindow::MapEventBridge bridge(&map, &host);
    std::int16_t state = StateEnter;
    ComCaldoraNeo::AreaSanshouMode(state, &map);
    const std::size_t live = map.core().sets().size();
    // Click inside the town block of area 3.
    const QPointF px = map.viewTransform().worldToDevice(AreaDoc::townConnectorX(), AreaDoc::centreY());
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier, px.toPoint());
        EXPECT_EQ(map.core().sets().size(), live);
        EXPECT_EQ(map.MouseEventMode(), 9); // entered again for the next click
    }
    EXPECT_EQ(codes,
        (QStringList{
            QStringLiteral("13999001001"), QStringLiteral("13999001001"), QStringLiteral("13999001001")}));
}

// A click in area 3 outside its town block, with municipality polygons
// searched: the point search finds nothing, and of the click's set the
// nine-digit town connector met first is passed over for the municipality
// connector after it.
TEST_F(AreaSanshouTest, ANineDigitTownConnectorIsPassedOver)
{
    showFrom(QDate(1970, 10, 1));
    map.show();
    FakeHost host;
    mapwindow::MapEventBridge bridge(&map, &host);
    std::int16_t state = StateEnter;
    ComCaldoraNeo::AreaSanshouMode(state, &map);
    ASSERT_EQ(map.SpaceID(), 2);
    const std::int32_t x = AreaDoc::nineDigitConnectorX();
    const std::int32_t y = AreaDoc::centreY() - 6000;
    std::int32_t set = 0, vectors = 0, connectors = 0, other = 0;
    ASSERT_EQ(map.SearchElements(4, x, y, set, vectors, connectors, other), zorvik::code::Ok);
    std::int32_t elem = 0;
    ElementInfo info;
    ASSERT_TRUE(mdlElement::ComZorGetElementInfo(set, elem, info, 0));
    EXPECT_EQ(info.Key, QStringLiteral("139990010")); // the set's first connector
    map.ReleaseElements(set);

    const QPointF px = map.viewTransform().worldToDevice(x, y);
    QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier, px.toPoint());
    EXPECT_EQ(codes, QStringList{QStringLiteral("13999")});
}

TEST_F(AreaSanshouTest, SearchAreaConnectorsCountsOneKindInARectangle)
{
    std::int32_t set = 0;
    EXPECT_EQ(ComCaldoraNeo::SearchAreaConnectors(&map, 211, AreaDoc::X0, AreaDoc::Y0 + AreaDoc::Side,
                  AreaDoc::X0 + 2 * AreaDoc::Side, AreaDoc::Y0, set),
        2);
    EXPECT_GT(set, 0);
    map.ReleaseElements(set);
    set = 0;
    EXPECT_EQ(ComCaldoraNeo::SearchAreaConnectors(&map, 227, AreaDoc::X0, AreaDoc::Y0 + AreaDoc::Side,
                  AreaDoc::X0 + 2 * AreaDoc::Side, AreaDoc::Y0, set),
        0);
}

} // namespace

namespace {

TEST_F(MapToolTest, RegistrationShowsTheDatumWindowAndFillsTheModes)
{
    auto &registry = shell::modeRegistry();
    registry.removeHandler(ModeImageCut);
    registry.removeHandler(ModeAreaSanshou);
    mapwindow::registerMapTools();
    EXPECT_TRUE(static_cast<bool>(registry.handler(ModeImageCut)));
    EXPECT_TRUE(static_cast<bool>(registry.handler(ModeAreaSanshou)));
    ASSERT_TRUE(static_cast<bool>(registry.mapTools().showDatumWindow));
    registry.mapTools().showDatumWindow(&map);
    auto *window = qobject_cast<frmSampleCoordinate *>(
        ui::WindowRegistry::instance().find(QStringLiteral("frmSampleCoordinate")));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    hover(QPoint(50, 50));
    EXPECT_FALSE(window->txtNew->text().isEmpty());
    ui::WindowRegistry::instance().unload(window);
    test::flushDeletes();
    registry.removeHandler(ModeImageCut);
    registry.removeHandler(ModeAreaSanshou);
}

} // namespace
