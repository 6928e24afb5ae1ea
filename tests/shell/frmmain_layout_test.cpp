// The main frame's two layouts and the placing of the map and tool windows.
#include "framefixture.h"
#include "shell/coolbar.h"
#include "shell/framepanes.h"
#include "shell/globals.h"
#include "shell/mdlwindow.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

using namespace veltra;
using namespace veltra::shell;
using veltra::test::FrameTest;

namespace {

QRect holderRect(QWidget *pane)
{
    return pane->parentWidget()->geometry();
}

} // namespace

TEST_F(FrameTest, ProLayoutPutsTheMapBesideTheListBar)
{
    openDocument();
    frame->menuItem(QStringLiteral("mnuOptionMainViewP"))->trigger();
    QApplication::processEvents();
    ASSERT_EQ(gbPro, -1);
    const QSize inner = frame->innerSize();
    QWidget *listBar = frame->pane(FramePane::ListBar);
    const int lw = holderRect(listBar).width();
    EXPECT_EQ(holderRect(listBar), QRect(0, 0, lw, inner.height()));
    EXPECT_EQ(frame->mapSubWindow()->geometry(), QRect(lw, 0, inner.width() - lw, inner.height()));
    EXPECT_FALSE(frame->pane(FramePane::OpeRoom)->parentWidget()->isVisible());
    EXPECT_TRUE(frame->CoolBar1->isVisible());
    EXPECT_TRUE(frame->menuItem(QStringLiteral("mnuViewToolBar"))->isEnabled());
    EXPECT_TRUE(frame->menuItem(QStringLiteral("mnuToolBarChar"))->isEnabled());
    EXPECT_TRUE(frame->menuItem(QStringLiteral("mnuOptionMainViewP"))->isChecked());
    EXPECT_FALSE(frame->menuItem(QStringLiteral("mnuOptionMainViewB"))->isChecked());

    // A frame resize keeps the arrangement.
    frame->resize(900, 650);
    QApplication::processEvents();
    const QSize smaller = frame->innerSize();
    EXPECT_EQ(frame->mapSubWindow()->geometry(), QRect(lw, 0, smaller.width() - lw, smaller.height()));
}

TEST_F(FrameTest, BeginnerLayoutPutsTheOperationRoomAcrossTheBottom)
{
    openDocument();
    gbPro = -1;
    frame->MP_OpeMode(gbPro);
    frame->menuItem(QStringLiteral("mnuOptionMainViewB"))->trigger();
    QApplication::processEvents();
    ASSERT_EQ(gbPro, 0);
    const QSize inner = frame->innerSize();
    QWidget *opeRoom = frame->pane(FramePane::OpeRoom);
    const int oh = holderRect(opeRoom).height();
    EXPECT_EQ(holderRect(opeRoom), QRect(0, inner.height() - oh, inner.width(), oh));
    EXPECT_TRUE(opeRoom->isVisible());
    const int lw = holderRect(frame->pane(FramePane::ListBar)).width();
    EXPECT_EQ(holderRect(frame->pane(FramePane::ListBar)), QRect(0, 0, lw, inner.height() - oh));
    EXPECT_EQ(frame->mapSubWindow()->geometry(), QRect(lw, 0, inner.width() - lw, inner.height() - oh));
    EXPECT_FALSE(frame->CoolBar1->isVisible());
    EXPECT_FALSE(frame->menuItem(QStringLiteral("mnuToolBarSize"))->isEnabled());
    EXPECT_TRUE(frame->menuItem(QStringLiteral("mnuOptionMainViewB"))->isChecked());
}

TEST_F(FrameTest, OnlyMinusOneGivesTheProLayout)
{
    for (std::int16_t value : {std::int16_t(1), std::int16_t(0), std::int16_t(-2)}) {
        SCOPED_TRACE(value);
        std::int16_t pro = value;
        frame->MP_OpeMode(pro);
        EXPECT_FALSE(frame->CoolBar1->isVisible());
        EXPECT_TRUE(frame->pane(FramePane::OpeRoom)->isVisible());
    }
}

TEST_F(FrameTest, BandResizeGuardStopsTheLayout)
{
    openDocument();
    const QRect before = frame->mapSubWindow()->geometry();
    gintBandResize = -1;
    gbPro = -1;
    frame->MP_OpeMode(gbPro);
    EXPECT_EQ(frame->mapSubWindow()->geometry(), before);
    EXPECT_FALSE(frame->CoolBar1->isVisible());
    gintBandResize = 0;
}

TEST_F(FrameTest, StoryModeInTheBeginnerLayoutLeavesTheMapUntilARefit)
{
    openDocument();
    const QRect before = frame->mapSubWindow()->geometry();
    gbStoryMode = -1;
    frame->MP_OpeMode(gbPro);
    QWidget *story = frame->pane(FramePane::StoryPlayer);
    EXPECT_TRUE(story->isVisible());
    EXPECT_FALSE(frame->pane(FramePane::ListBar)->isVisible());
    EXPECT_EQ(frame->mapSubWindow()->geometry(), before);
    // A tool window closed: the map is fitted beside the story player,
    // above the operation room.
    gintWndRearrange = 1;
    frame->MP_OpeMode(gbPro);
    const QSize inner = frame->innerSize();
    const int sw = holderRect(story).width();
    const int oh = holderRect(frame->pane(FramePane::OpeRoom)).height();
    EXPECT_EQ(frame->mapSubWindow()->geometry(), QRect(sw, 0, inner.width() - sw, inner.height() - oh));
}

TEST_F(FrameTest, ArrangeMapWindowKeepsTheViewCentre)
{
    openDocument();
    gbPro = -1;
    frame->MP_OpeMode(gbPro);
    gobjZor->setScale(30000.0);
    const std::int32_t cx = gobjZor->CenterX() + 1234;
    const std::int32_t cy = gobjZor->CenterY() - 567;
    gobjZor->setCenterX(cx);
    gobjZor->setCenterY(cy);
    frame->mapSubWindow()->setGeometry(10, 10, 200, 150);
    mdlWindow::ArrangeMapWindow();
    QApplication::processEvents();
    const QSize inner = frame->innerSize();
    const int lw = holderRect(frame->pane(FramePane::ListBar)).width();
    EXPECT_EQ(frame->mapSubWindow()->geometry(), QRect(lw, 0, inner.width() - lw, inner.height()));
    EXPECT_EQ(gobjZor->CenterX(), cx);
    EXPECT_EQ(gobjZor->CenterY(), cy);
}

TEST_F(FrameTest, ToolPaneStandsAtTheListBarsWidthAndShiftMovesNothing)
{
    // A story player wider than the list bar.
    framePaneMakers().storyPlayer = [](QWidget *parent) {
        auto *player = new QWidget(parent);
        player->resize(260, 400);
        return player;
    };
    openDocument();
    gbPro = -1;
    gbStoryMode = -1;
    frame->MP_OpeMode(gbPro);
    auto *tool = new QWidget;
    std::int32_t width = 3500;
    mdlWindow::PlaceToolPane(width, *tool);
    const int lw = holderRect(frame->pane(FramePane::ListBar)).width();
    const QRect placed = tool->parentWidget()->geometry();
    EXPECT_EQ(placed.left(), lw);
    EXPECT_EQ(placed.top(), 0);
    EXPECT_NEAR(placed.width(), 3500 / 15, 1);
    const QRect map = frame->mapSubWindow()->geometry();
    std::int32_t shift = 5900;
    mdlWindow::ShiftMapWindow(shift);
    EXPECT_EQ(frame->mapSubWindow()->geometry(), map);
    EXPECT_EQ(tool->parentWidget()->geometry(), placed);
    // The map window itself stands beside the story player.
    EXPECT_EQ(map.left(), 260);
    EXPECT_NE(lw, 260);
    framePaneMakers().storyPlayer = nullptr;
}
