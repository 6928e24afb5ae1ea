// The map window with its controls plugged in: the layout frames the map
// with the pan buttons, a click on the map reaches the running tool, and the
// window's measuring and compass members reach the overlays.
#include "kinddoc.h"
#include "mapwindow/compasswidget.h"
#include "mapwindow/frmzorvik.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapwindowcontrols.h"
#include "mapwindow/measurepanel.h"
#include "mapwindow/scalebar.h"
#include "runstateguard.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace veltra::test;

TEST(MapWindowControlsInWindow, EventsLayoutAndOverlays)
{
    RunStateGuard runState; // the registrations and globals below go with the test
    KindDoc doc;
    doc.engine.CloseMap();
    frmZorvik window;
    ASSERT_NE(window.controls(), nullptr);
    zorvik::Zorvik &map = *window.Zorvik1;
    map.setDocumentPath(doc.zor);
    ASSERT_EQ(map.InitializeMap(0), zorvik::code::Ok);
    map.InitDisplay();
    map.setScale(25000);
    map.setCenterX(17 * 360000);
    map.setCenterY(12 * 360000);

    window.resize(660, 520);
    window.show(); // a hidden window gets its resize event only when shown
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(map.geometry(), QRect(27, 27, 605, 465));
    EXPECT_EQ(window.panButtonWidth(), 360);
    EXPECT_EQ(window.controls()->Picture3->parentWidget(), &window);

    std::vector<std::int16_t> states;
    std::int32_t clickedX = 0;
    veltra::shell::modeRegistry().setHandler(ModeDistance, [&](std::int16_t &state, zorvik::Zorvik *) {
        states.push_back(state);
        if (state == StateClick)
            clickedX = glngPointX[0];
    });
    gobjZor = &map;
    gintModeNo = ModeDistance;
    gintMapMouseMode = -1;
    QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    EXPECT_EQ(states, (std::vector<std::int16_t>{StateMouseDown, StateMouseUp, StateClick}));
    const QPointF world = map.viewTransform().deviceToWorld(QPointF(300, 200));
    EXPECT_EQ(clickedX, zorvik::ViewTransform::roundWorld(world.x()));

    EXPECT_FALSE(window.measuringPanelShown());
    window.openCalcWindow(1);
    EXPECT_TRUE(window.controls()->Picture1->isVisibleTo(&window));
    EXPECT_TRUE(window.measuringPanelShown());
    window.ViewCalcDistance(12.345);
    EXPECT_EQ(window.controls()->Picture1->Label1->text(), QStringLiteral("距離: 12.35[m]です。"));
    window.closeCalcWindow();
    EXPECT_FALSE(window.controls()->Picture1->isVisibleTo(&window));
    EXPECT_FALSE(window.measuringPanelShown());
    window.CompassDrawData(-30);
    EXPECT_EQ(window.controls()->Picture5->angle(), -30);

    // The frame's view menus reach the current window's overlays.
    veltra::mapwindow::registerMapWindow();
    auto &windows = veltra::shell::modeRegistry().viewWindows();
    gfrmZorvik = &window;
    map.setAngle(45);
    windows.setCompassVisible(false);
    EXPECT_FALSE(window.controls()->Picture5->isVisible());
    windows.setCompassVisible(true);
    EXPECT_TRUE(window.controls()->Picture5->isVisible());
    EXPECT_EQ(window.controls()->Picture5->angle(), 45);
    windows.setScaleBarVisible(false);
    EXPECT_FALSE(window.controls()->Picture3->isVisible());
}
