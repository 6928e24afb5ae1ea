// Home registration (mode 1002) with its round trip through the document's
// settings file, the overview picture and window, and the view date applied
// by the map window.
#include "areadoc.h"
#include "mapwindow/combirdview.h"
#include "mapwindow/frmallareaview.h"
#include "mapwindow/frmhome.h"
#include "mapwindow/frmturn.h"
#include "mapwindow/frmzorvik.h"
#include "mapwindow/navigationregistry.h"
#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/datepanels.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/mdlmain_settings.h"
#include "shell/mdlsave.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "shell/operationroom.h"
#include "zorvik/render/viewtransform.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineF>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::flushDeletes;

class MapViews : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_doc.ok);
        gstrDocPath = m_doc.zor;
        mdlMain::SetDocumentNames();
        gstrIniPath = m_doc.dir.file(QStringLiteral("ZORPAK.INI"));
        m_frame = new frmMain;
        gfrmMain = m_frame;
        m_map.resize(400, 300);
        m_map.setDocumentPath(m_doc.zor);
        ASSERT_EQ(m_map.InitializeMap(0), 0);
        m_map.InitDisplay();
        m_map.ShowAll();
        gobjZor = &m_map;
        gintMapInit = 1;
        gintModeNo = 0;
        gtypWinInfo = WindowInfo{};
        shell::modeRegistry().clear();
        mapwindow::registerNavigation();
    }
    void TearDown() override
    {
        gintModeNo = 0;
        auto &registry = ui::WindowRegistry::instance();
        registry.unload(QStringLiteral("frmHome"));
        registry.unload(QStringLiteral("frmAllAreaView"));
        registry.unload(m_frame);
        flushDeletes();
        shell::modeRegistry().clear();
        gfrmMain = nullptr;
        gobjZor = nullptr;
        gintMapInit = 0;
        gstrDocPath.clear();
        gstrDocIniPath.clear();
    }
    frmHome *home() const
    {
        return qobject_cast<frmHome *>(ui::WindowRegistry::instance().find(QStringLiteral("frmHome")));
    }
    frmAllAreaView *overview() const
    {
        return qobject_cast<frmAllAreaView *>(
            ui::WindowRegistry::instance().find(QStringLiteral("frmAllAreaView")));
    }

    test::AreaDoc m_doc;
    frmMain *m_frame = nullptr;
    zorvik::Zorvik m_map;
};

TEST_F(MapViews, HomesRegisteredInTheToolSurviveTheSettingsFileAndAreJumpedTo)
{
    shell::changeMode(ModeHome, 0, shell::noParameterText());
    ASSERT_NE(home(), nullptr);
    EXPECT_FALSE(home()->isHidden());
    // In the tool pane of the frame's document area.
    EXPECT_EQ(home()->window(), m_frame);

    m_map.setScale(50000);
    m_map.setCenterX(test::AreaDoc::centreX(0));
    m_map.setCenterY(test::AreaDoc::centreY());
    m_map.setAngle(12.5);
    home()->Command1->click();
    m_map.setCenterX(test::AreaDoc::centreX(1));
    m_map.setAngle(-30);
    home()->Command2->click();
    m_map.setScale(100000);
    m_map.setCenterX(test::AreaDoc::centreX(2));
    home()->Command2->click(); // registering again keeps the second view
    EXPECT_EQ(gtypWinInfo.Home[1].rotateAngle, 12);
    EXPECT_EQ(gtypWinInfo.Home[2],
        (HomePosition{100000, test::AreaDoc::centreX(2), test::AreaDoc::centreY(), -30}));
    EXPECT_EQ(gtypWinInfo.Home[3].scale, 0);

    ASSERT_TRUE(mdlSave::SaveSettings(gtypWinInfo));
    gtypWinInfo = WindowInfo{};
    mdlSave::LoadHomeViews(gtypWinInfo);
    EXPECT_EQ(gtypWinInfo.Home[2],
        (HomePosition{100000, test::AreaDoc::centreX(2), test::AreaDoc::centreY(), -30}));

    m_map.ShowAll();
    m_map.setAngle(0);
    ASSERT_TRUE(m_frame->fncSeveAreaJump(1));
    EXPECT_DOUBLE_EQ(m_map.Scale(), 50000);
    EXPECT_EQ(m_map.CenterX(), test::AreaDoc::centreX(0));
    EXPECT_DOUBLE_EQ(m_map.Angle(), 12);
    ASSERT_TRUE(m_frame->fncSeveAreaJump(2));
    EXPECT_DOUBLE_EQ(m_map.Scale(), 100000);
    EXPECT_EQ(m_map.CenterX(), test::AreaDoc::centreX(2));
    EXPECT_DOUBLE_EQ(m_map.Angle(), -30);
}

TEST_F(MapViews, ClosingTheHomeWindowEitherWayEndsTheModeAndTheStepOnce)
{
    int layouts = 0;
    shell::modeRegistry().frame().layOut = [&](std::int16_t &) { ++layouts; };
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        layouts = 0;
        gintStoryStepEnd = 0;
        gintWndRearrange = 0;
        shell::changeMode(ModeHome, 0, shell::noParameterText());
        ASSERT_NE(home(), nullptr);
        if (way == 0)
            home()->Command4->click(); // 閉じる
        else if (way == 1)
            home()->close(); // the close box
        else
            shell::dispatchMode(StateLeave, shell::noParameterText()); // another tool takes over
        flushDeletes();
        EXPECT_EQ(home(), nullptr);
        EXPECT_EQ(gintModeNo, 0);
        EXPECT_EQ(gintStoryStepEnd, -1);
        EXPECT_EQ(layouts, 1);
        // Closed by the user, the map window is fitted again.
        EXPECT_EQ(gintWndRearrange, way < 2 ? 1 : 0);
    }
}

TEST_F(MapViews, TheOverviewPictureIsMadeOnceAndAgainWhenTheDocumentChanges)
{
    const QString bitmap = mapwindow::overviewBitmapPath(m_doc.zor);
    EXPECT_EQ(bitmap, m_doc.dir.file(QStringLiteral("Areas.bmp")));
    EXPECT_EQ(mapwindow::overviewBitmapPath(QStringLiteral("/maps/v1.2/Map")),
        QStringLiteral("/maps/v1.2/Map.bmp"));
    EXPECT_EQ(mapwindow::overviewBitmapPath(QString()), QString());
    ASSERT_FALSE(QFile::exists(bitmap));

    EXPECT_EQ(ComBirdView::MakeOverviewBitmap(), 0);
    ASSERT_TRUE(QFile::exists(bitmap));
    QImageReader reader(bitmap);
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    const QImage picture = reader.read();
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    m_map.GetMapExtent(cx, cy, w, h);
    EXPECT_EQ(picture.height(), ui::twipsToPixelsY(3200));
    // The picture has the extent's shape on the ground; it shows the extent
    // with the margin ShowAll leaves, so the extent's edges (the prefecture
    // outline) run just inside the picture's edges, where the mapping of
    // clicks puts them.
    const zorvik::ViewTransform probe(cx, cy, 25000, 0, QSize(100, 100), 96);
    EXPECT_NEAR(
        picture.width(), picture.height() * (w * probe.metresPerUnitX()) / (h * probe.metresPerUnitY()), 1.0);
    EXPECT_EQ(picture.size(), mapwindow::overviewPictureSize(m_map, picture.height()));
    const QRgb background = qRgb(255, 255, 255);
    const auto drawnIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x)
                n += picture.pixel(x, y) != background ? 1 : 0;
        }
        return n;
    };
    const int right = picture.width() - 1;
    const int foot = picture.height() - 1;
    EXPECT_EQ(drawnIn(0, 0, 0, foot), 0);
    EXPECT_EQ(drawnIn(right, 0, right, foot), 0);
    EXPECT_EQ(drawnIn(0, 0, right, 0), 0);
    EXPECT_EQ(drawnIn(0, foot, right, foot), 0);
    const QPointF nw = mapwindow::overviewWorldToPoint(
        cx - w / 2.0, cy + h / 2.0, picture.width(), picture.height(), cx, cy, w, h);
    const QPointF se = mapwindow::overviewWorldToPoint(
        cx + w / 2.0, cy - h / 2.0, picture.width(), picture.height(), cx, cy, w, h);
    const int west = qRound(nw.x()), north = qRound(nw.y()), east = qRound(se.x()), south = qRound(se.y());
    ASSERT_GE(west, 2);
    ASSERT_GE(north, 2);
    ASSERT_LE(east, right - 2);
    ASSERT_LE(south, foot - 2);
    const int tall = south - north, wide = east - west;
    EXPECT_GT(drawnIn(west - 1, north, west + 1, south), tall / 2);
    EXPECT_GT(drawnIn(east - 1, north, east + 1, south), tall / 2);
    EXPECT_GT(drawnIn(west, north - 1, east, north + 1), wide / 2);
    EXPECT_GT(drawnIn(west, south - 1, east, south + 1), wide / 2);
    EXPECT_LT(drawnIn(0, foot / 4, right, foot / 4), right / 2); // inside, only the area borders
    // Outside the extent (and the 2 px outline on its edge), nothing.
    EXPECT_EQ(drawnIn(0, 0, west - 3, foot), 0);
    EXPECT_EQ(drawnIn(east + 3, 0, right, foot), 0);
    EXPECT_EQ(drawnIn(0, 0, right, north - 3), 0);
    EXPECT_EQ(drawnIn(0, south + 3, right, foot), 0);

    // Current: not made again.
    QFile file(bitmap);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime old = QDateTime::currentDateTime().addSecs(3600);
    file.setFileTime(old, QFileDevice::FileModificationTime);
    file.close();
    ComBirdView::MakeOverviewBitmap();
    EXPECT_EQ(QFileInfo(bitmap).lastModified(), old);
    // A newer picture of another size was made another way (say, of the
    // extent without the margin): its clicks would land elsewhere, so it is
    // made again.
    ASSERT_TRUE(picture.scaled(picture.width() - 30, picture.height()).save(bitmap, "BMP"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(old, QFileDevice::FileModificationTime);
    file.close();
    ComBirdView::MakeOverviewBitmap();
    EXPECT_EQ(QImageReader(bitmap).size(), picture.size());
    // Older than the document: made again; deleted: made again.
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    file.close();
    ComBirdView::MakeOverviewBitmap();
    EXPECT_GT(QFileInfo(bitmap).lastModified(), QDateTime::currentDateTime().addSecs(-60));
    QFile::remove(bitmap);
    ComBirdView::MakeOverviewBitmap();
    EXPECT_TRUE(QFile::exists(bitmap));
}

TEST(OverviewPoint, CornersOfThePictureAreCornersOfTheExtentWithShowAllsMargin)
{
    // Extent centre (1000, 2000), 600 x 400, so the box is 624 x 416 from
    // (688, 1792); picture 150 x 100.
    ASSERT_EQ(zorvik::Zorvik::ShowAllMargin, 1.04);
    struct Row
    {
        double x, y;
        std::int32_t wx, wy;
    };
    for (const Row &row : {Row{0, 0, 688, 2208}, Row{150, 100, 1312, 1792}, Row{75, 50, 1000, 2000},
             Row{150, 0, 1312, 2208}, Row{0.375, 0, 690, 2208}, Row{0.125, 0.5, 689, 2206},
             Row{150.0 * 12 / 624, 100.0 * 8 / 416, 700, 2200}}) {
        std::int32_t wx = 0, wy = 0;
        mapwindow::overviewPointToWorld(row.x, row.y, 150, 100, 1000, 2000, 600, 400, wx, wy);
        EXPECT_EQ(wx, row.wx) << row.x << "," << row.y;
        EXPECT_EQ(wy, row.wy) << row.x << "," << row.y;
        const QPointF back = mapwindow::overviewWorldToPoint(wx, wy, 150, 100, 1000, 2000, 600, 400);
        EXPECT_NEAR(back.x(), row.x, 150.0 / 624 / 2 + 1e-9);
        EXPECT_NEAR(back.y(), row.y, 100.0 / 416 / 2 + 1e-9);
    }
    // Halves go to the even neighbour: 0.5 unit in from the west edge.
    std::int32_t wx = 0, wy = 0;
    mapwindow::overviewPointToWorld(150.0 * 0.5 / 624, 0, 150, 100, 1000, 2000, 600, 400, wx, wy);
    EXPECT_EQ(wx, 688);
}

// The overview box's edges as whole world units, halves to even.
struct OverviewBoxCorners
{
    std::int32_t left, bottom, right, top;
};
OverviewBoxCorners boxCorners(std::int32_t cx, std::int32_t cy, std::int32_t w, std::int32_t h)
{
    const mapwindow::OverviewBox box = mapwindow::overviewBox(cx, cy, w, h);
    const auto whole = [](double v) { return static_cast<std::int32_t>(std::nearbyint(v)); };
    return {whole(box.left), whole(box.bottom), whole(box.left + box.width), whole(box.bottom + box.height)};
}

TEST_F(MapViews, TheOverviewWindowShowsTheViewAndRecentresTheMapOnAPlainLeftClick)
{
    m_frame->mnuAllAreaMap->setChecked(false);
    m_map.setScale(200000);
    m_map.setAngle(20);
    shell::changeMode(ModeToggleOverview, 0, shell::noParameterText());
    frmAllAreaView *window = overview();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(m_frame->mnuAllAreaMap->isChecked());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("全域図（表示したい場所をクリックしてください）"));
    EXPECT_EQ(window->FormID(), 1);
    ASSERT_FALSE(window->Picture2.isNull());
    const QSize size = window->Picture2.size();
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    m_map.GetMapExtent(cx, cy, w, h);
    // The view is drawn over the clean picture, and nothing else: every pixel
    // that differs lies on the outline of the view rectangle.
    const QImage shown = window->Picture1->pixmap().toImage();
    const auto viewCorners = [&] {
        QPolygonF corners;
        const zorvik::ViewTransform &view = m_map.viewTransform();
        for (const QPointF device : {QPointF(0, 0), QPointF(view.size().width(), 0),
                 QPointF(view.size().width(), view.size().height()), QPointF(0, view.size().height())}) {
            const QPointF world = view.deviceToWorld(device);
            corners << mapwindow::overviewWorldToPoint(
                world.x(), world.y(), size.width(), size.height(), cx, cy, w, h);
        }
        return corners;
    };
    const auto onOutline = [](const QPolygonF &corners, QPointF p) {
        for (int i = 0; i < 4; ++i) {
            const QLineF edge(corners[i], corners[(i + 1) % 4]);
            const QPointF d = edge.p2() - edge.p1();
            const double t = std::clamp(
                QPointF::dotProduct(p - edge.p1(), d) / std::max(1e-9, QPointF::dotProduct(d, d)), 0.0, 1.0);
            if (QLineF(p, edge.p1() + t * d).length() <= 1.5)
                return true;
        }
        return false;
    };
    const auto strayPixels = [&](const QImage &now) {
        const QPolygonF corners = viewCorners();
        int changed = 0, stray = 0;
        for (int y = 0; y < now.height(); ++y) {
            for (int x = 0; x < now.width(); ++x) {
                if (now.pixel(x, y) != window->Picture2.pixel(x, y)) {
                    ++changed;
                    stray += onOutline(corners, QPointF(x, y)) ? 0 : 1;
                }
            }
        }
        EXPECT_GT(changed, 8); // the rectangle is drawn
        return stray;
    };
    EXPECT_EQ(strayPixels(shown), 0);
    EXPECT_EQ(shown.pixel(0, 0), window->Picture2.pixel(0, 0));

    const OverviewBoxCorners box = boxCorners(cx, cy, w, h);
    const std::int32_t left = box.left, bottom = box.bottom;
    // A click on the picture (through the window's own event handling).
    QTest::mouseClick(window->Picture1, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
    std::int32_t x = 0, y = 0;
    mapwindow::overviewPointToWorld(3, 4, size.width(), size.height(), cx, cy, w, h, x, y);
    EXPECT_EQ(m_map.CenterX(), x);
    EXPECT_EQ(m_map.CenterY(), y);
    EXPECT_NE(window->Picture1->pixmap().toImage(), shown); // the view rectangle followed
    // The corners.
    window->Picture1_MouseUp(Qt::LeftButton, Qt::NoModifier, 0, 0);
    EXPECT_EQ(m_map.CenterX(), left);
    EXPECT_EQ(m_map.CenterY(), box.top);
    EXPECT_DOUBLE_EQ(m_map.Scale(), 200000);
    EXPECT_DOUBLE_EQ(m_map.Angle(), 20);
    EXPECT_EQ(strayPixels(window->Picture1->pixmap().toImage()), 0); // turned, partly outside
    window->Picture1_MouseUp(Qt::LeftButton, Qt::NoModifier, size.width(), size.height());
    EXPECT_EQ(m_map.CenterX(), box.right);
    EXPECT_EQ(m_map.CenterY(), bottom);

    // The red top edge of the view lies north of the view's centre, and
    // east of it with east at the top of the map.
    const auto topEdge = [&] {
        const QImage now = window->Picture1->pixmap().toImage();
        QPointF sum;
        int n = 0;
        for (int y = 0; y < now.height(); ++y) {
            for (int x = 0; x < now.width(); ++x) {
                if (now.pixel(x, y) == qRgb(255, 0, 0) && window->Picture2.pixel(x, y) != qRgb(255, 0, 0)) {
                    sum += QPointF(x, y);
                    ++n;
                }
            }
        }
        return n > 0 ? sum / n : QPointF(-1, -1);
    };
    window->Picture1_MouseUp(Qt::LeftButton, Qt::NoModifier, size.width() / 2.0, size.height() / 2.0);
    const QPointF middle(size.width() / 2.0, size.height() / 2.0);
    m_map.setScale(50000); // a view well inside the map
    m_map.setAngle(0);
    window->DrawDispAreaRect();
    EXPECT_LT(topEdge().y(), middle.y() - 2);
    EXPECT_NEAR(topEdge().x(), middle.x(), 2);
    // Turned in the rotation window (東を上に), the rectangle follows.
    mapwindow::showTurnWindow(&m_map);
    auto *turn = qobject_cast<frmTurn *>(ui::WindowRegistry::instance().find(QStringLiteral("frmTurn")));
    ASSERT_NE(turn, nullptr);
    turn->Command2[2]->click();
    ui::WindowRegistry::instance().unload(turn);
    EXPECT_DOUBLE_EQ(m_map.Angle(), 90);
    EXPECT_GT(topEdge().x(), middle.x() + 2);
    EXPECT_NEAR(topEdge().y(), middle.y(), 2);
    m_map.setAngle(20);
    m_map.setScale(200000);
    window->Picture1_MouseUp(Qt::LeftButton, Qt::NoModifier, size.width(), size.height());

    // A right click or a shift-click does nothing.
    QTest::mouseClick(window->Picture1, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseClick(window->Picture1, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    EXPECT_EQ(m_map.CenterX(), box.right);
    EXPECT_EQ(m_map.CenterY(), bottom);

    // The same command again unloads the window, which ends the story step.
    gintStoryStepEnd = 0;
    shell::changeMode(ModeToggleOverview, 0, shell::noParameterText());
    flushDeletes();
    EXPECT_EQ(overview(), nullptr);
    EXPECT_FALSE(m_frame->mnuAllAreaMap->isChecked());
    EXPECT_EQ(gintStoryStepEnd, -1);
}

TEST_F(MapViews, AnOverviewThatCannotBeSavedIsStillShown)
{
    const QString bitmap = mapwindow::overviewBitmapPath(m_doc.zor);
    QDir().mkpath(bitmap); // a folder where the picture file would go
    QString error;
    EXPECT_FALSE(mapwindow::makeOverviewBitmap(m_map, m_doc.zor, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(mapwindow::unsavedOverview(bitmap).isNull());
    shell::modeRegistry().overview().show(&m_map);
    ASSERT_NE(overview(), nullptr);
    EXPECT_FALSE(overview()->Picture2.isNull());
}

TEST_F(MapViews, TheOverviewGoesWithTheEngineItFollows)
{
    auto *other = new zorvik::Zorvik;
    other->resize(200, 100);
    other->setDocumentPath(m_doc.zor);
    ASSERT_EQ(other->InitializeMap(0), 0);
    mapwindow::showOverview(other);
    ASSERT_NE(overview(), nullptr);
    gintStoryStepEnd = 0;
    delete other;
    flushDeletes();
    EXPECT_EQ(overview(), nullptr);
    EXPECT_EQ(gintStoryStepEnd, -1);
}

TEST_F(MapViews, TheMapWindowAppliesTheStoredViewDate)
{
    gdtBaseDate = QDate(1970, 1, 1);
    QString label = QStringLiteral("untouched");
    shell::operationRoomLabels().setDateLabel = [&](const QString &text) { label = text; };
    frmZorvik window;
    window.Zorvik1->setDateFrom(5);
    window.Zorvik1->setDateTo(6);
    gstrViewDate = QStringLiteral("kept");
    window.SetViewDate(); // no settings file: nothing but the texts change
    EXPECT_EQ(window.Zorvik1->DateFrom(), 5);
    EXPECT_EQ(window.Zorvik1->DateTo(), 6);
    EXPECT_EQ(gstrViewDate, QStringLiteral("kept"));
    EXPECT_EQ(label, QString());
    EXPECT_EQ(m_frame->statusPanelText(3), QString());

    profile::writeString(
        QStringLiteral("SetDate"), QStringLiteral("MODE"), QStringLiteral("Time"), gstrDocIniPath);
    profile::writeString(QStringLiteral("SetDate"), QStringLiteral("Date1"),
        QStringLiteral("昭和45年10月01日"), gstrDocIniPath);
    window.SetViewDate();
    EXPECT_EQ(window.Zorvik1->DateFrom(), 273);
    EXPECT_EQ(window.Zorvik1->DateTo(), 273);
    EXPECT_EQ(gstrViewDate, QStringLiteral("19701001"));
    EXPECT_EQ(m_frame->statusPanelText(3), QStringLiteral("設定日  昭和45年10月01日"));
    EXPECT_EQ(label, QStringLiteral("昭和45年10月01日"));
    EXPECT_TRUE(shell::datePanelSelected(6));
    shell::operationRoomLabels() = {};
}
