// Where the frame's tool windows open (the overview, the view-date dialog,
// the coordinate and view options, the rotation window), and the map
// window's compass and scale bar, which belong to an open map only.
#include "kinddoc.h"
#include "mapwindow/compasswidget.h"
#include "mapwindow/frmallareaview.h"
#include "mapwindow/frmturn.h"
#include "mapwindow/frmzorvik.h"
#include "mapwindow/mapwindowcontrols.h"
#include "mapwindow/navigationregistry.h"
#include "mapwindow/scalebar.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/frmoptions.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace veltra;
using veltra::test::flushDeletes;

namespace {

// The tool windows of the frame, each with the command that opens it.
struct Opener
{
    const char *name;
    std::function<void()> open;
};

std::vector<Opener> openers()
{
    return {
        {"frmAllAreaView", [] { mapwindow::showOverview(gobjZor); }},
        {"frmOptions", [] { shell::showViewDateDialog(); }},
        {"frmOptionPoint", [] { shell::modeRegistry().navigation().showPointOptions(); }},
        {"frmOptionView", [] { shell::modeRegistry().navigation().showViewOptions(); }},
        {"frmTurn", [] { mapwindow::showTurnWindow(gobjZor); }},
    };
}

} // namespace

class ToolWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_doc = std::make_unique<test::KindDoc>(std::vector<zorvik::ElementRecord>{
            test::vectorRecord(test::RoadKind, {0, 0, 36000, 18000}, QStringLiteral("道"))});
        m_doc->engine.CloseMap();
        gstrDocPath = m_doc->zor;
        gstrIniPath = m_doc->dir.file(QStringLiteral("ZORPAK.INI"));
        m_frame = new frmMain;
        gfrmMain = m_frame;
        mdlMain::LocalizeForm(*m_frame);
        // Wholly on the offscreen screen (800 by 600), away from its corner.
        m_frame->setGeometry(60, 40, 640, 480);
        m_frame->show();
        QApplication::processEvents();
        m_map.resize(400, 300);
        m_map.setDocumentPath(m_doc->zor);
        ASSERT_EQ(m_map.InitializeMap(0), 0);
        m_map.InitDisplay();
        m_map.ShowAll();
        gobjZor = &m_map;
        gintMapInit = 1;
        shell::modeRegistry().clear();
        mapwindow::registerNavigation();
        // Earlier tests of this run may have closed an overview somewhere.
        ui::forgetKeptPlaces();
    }
    void TearDown() override
    {
        auto &registry = ui::WindowRegistry::instance();
        for (const Opener &o : openers())
            registry.unload(QString::fromLatin1(o.name));
        registry.unload(m_frame);
        flushDeletes();
        shell::modeRegistry().clear();
        gfrmMain = nullptr;
        gobjZor = nullptr;
        gintMapInit = 0;
        gstrDocPath.clear();
    }
    QRect menuBar() const
    {
        const QMenuBar *bar = m_frame->menuBar();
        return QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    }
    static QWidget *window(const char *name)
    {
        return ui::WindowRegistry::instance().find(QString::fromLatin1(name));
    }

    std::unique_ptr<test::KindDoc> m_doc;
    frmMain *m_frame = nullptr;
    zorvik::Zorvik m_map;
};

TEST_F(ToolWindows, EachOpensCentredOnTheFrameBelowItsMenuBar)
{
    const QRect menu = menuBar();
    ASSERT_FALSE(menu.isEmpty());
    const QRect area = ui::toolWindowArea(*m_frame);
    EXPECT_EQ(area.top(), menu.bottom() + 1);
    for (const Opener &o : openers()) {
        SCOPED_TRACE(o.name);
        o.open();
        QApplication::processEvents();
        QWidget *w = window(o.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        const QRect placed = w->frameGeometry();
        EXPECT_TRUE(m_frame->frameGeometry().contains(placed));
        EXPECT_FALSE(placed.intersects(menu));
        EXPECT_LE(std::abs(placed.center().x() - area.center().x()), 1);
        EXPECT_LE(std::abs(placed.center().y() - area.center().y()), 1);
        ui::WindowRegistry::instance().unload(w);
        flushDeletes();
    }
}

TEST_F(ToolWindows, AnOpenWindowIsNotMovedByItsCommand)
{
    shell::modeRegistry().navigation().showPointOptions();
    QWidget *w = window("frmOptionPoint");
    ASSERT_NE(w, nullptr);
    w->move(120, 300);
    shell::modeRegistry().navigation().showPointOptions();
    EXPECT_EQ(window("frmOptionPoint"), w);
    EXPECT_EQ(w->pos(), QPoint(120, 300));
}

TEST_F(ToolWindows, TheOverviewReopensWhereItWasClosedPulledOntoTheScreen)
{
    const QList<QRect> screens = ui::availableScreens();
    ASSERT_FALSE(screens.isEmpty());
    struct Case
    {
        const char *name;
        QPoint closedAt;
        bool kept; // reopens exactly there
    };
    const Case cases[] = {
        {"on the screen", QPoint(30, 250), true},
        {"beyond the right edge", QPoint(20000, 100), false},
        {"above and left of every screen", QPoint(-9000, -9000), false},
        {"below the bottom", QPoint(100, 20000), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        mapwindow::showOverview(gobjZor);
        QWidget *w = window("frmAllAreaView");
        ASSERT_NE(w, nullptr);
        w->move(c.closedAt);
        mapwindow::unloadOverview();
        flushDeletes();
        mapwindow::showOverview(gobjZor);
        w = window("frmAllAreaView");
        ASSERT_NE(w, nullptr);
        const QRect placed = w->frameGeometry();
        bool onScreen = false;
        for (const QRect &screen : screens)
            onScreen = onScreen || screen.contains(placed);
        EXPECT_TRUE(onScreen);
        if (c.kept) {
            EXPECT_EQ(w->pos(), c.closedAt);
        }
        mapwindow::unloadOverview();
        flushDeletes();
    }
}

// A map window whose document did not open shows neither the compass nor the
// scale bar, whatever the view menus say; one whose document opened shows
// them as the menus say.
TEST(EmptyMapWindow, ShowsNoCompassAndNoScaleBar)
{
    test::KindDoc doc;
    doc.engine.CloseMap();
    gstrIniPath = doc.dir.file(QStringLiteral("ZORPAK.INI"));
    gstrDocIniPath.clear();
    auto *frame = new frmMain;
    gfrmMain = frame;
    frame->mnuScale->setCheckable(true);
    frame->mnuScale->setChecked(true);
    shell::modeRegistry().clear();
    mapwindow::registerMapWindow();
    auto &windows = shell::modeRegistry().viewWindows();

    struct Case
    {
        const char *name;
        QString document;
        bool opens;
    };
    const Case cases[] = {
        {"missing document", doc.dir.file(QStringLiteral("missing.zor")), false},
        {"document that opens", doc.zor, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ui::DialogScript script; // the failure message is answered
        gstrDocPath = c.document;
        auto window = std::make_unique<frmZorvik>();
        gfrmZorvik = window.get();
        window->resize(500, 400);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->load(c.document);
        EXPECT_EQ(window->mapStarted(), c.opens);
        EXPECT_EQ(script.requests().empty(), c.opens);
        auto *controls = window->controls();
        // Nothing shows them before the frame's view menus do.
        EXPECT_FALSE(controls->Picture5->isVisible());
        EXPECT_FALSE(controls->Picture3->isVisible());
        windows.setCompassVisible(true);
        windows.setScaleBarVisible(true);
        EXPECT_EQ(controls->Picture5->isVisible(), c.opens);
        EXPECT_EQ(controls->Picture3->isVisible(), c.opens);
        // The pointer over the map brings a hidden scale bar back only over
        // an open map.
        windows.setScaleBarVisible(false);
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20),
            QPointF(window->Zorvik1->mapToGlobal(QPoint(20, 20))), Qt::NoButton, Qt::NoButton,
            Qt::NoModifier);
        QApplication::sendEvent(window->Zorvik1, &move);
        EXPECT_EQ(controls->Picture3->isVisible(), c.opens);
        windows.setCompassVisible(false);
        EXPECT_FALSE(controls->Picture5->isVisible());
        window->close();
        gfrmZorvik = nullptr;
        gobjZor = nullptr;
        gintMapInit = 0;
    }
    shell::modeRegistry().clear();
    shell::setMapWindowFactory(nullptr);
    gfrmMain = nullptr;
    delete frame;
    gstrDocPath.clear();
}
