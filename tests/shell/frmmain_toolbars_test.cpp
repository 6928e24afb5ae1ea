// The main frame's tool bars and scale box.
#include "framefixture.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "shell/coolbar.h"
#include "shell/framepanes.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolBar>

using namespace veltra;
using namespace veltra::shell;
using veltra::test::FrameTest;

TEST_F(FrameTest, ToolBarsHoldTheirButtonsInOrder)
{
    auto keys = [](QToolBar *bar) {
        QStringList list;
        for (QAction *button : bar->actions())
            list << button->objectName();
        return list;
    };
    EXPECT_EQ(keys(frame->Toolbar1),
        QStringList({"TB_OPEN", "TB_SAVE", "TB_UNDO", "TB_REDO", "TB_NORMAL", "TB_MOVE", "TB_ZOOMIN2",
            "TB_BACK", "TB_NEXT", "TB_ZOOMIN", "TB_ZOOMOUT", "TB_ALLAREA", "TB_WINTYPE1", "TB_WINTYPE2"}));
    EXPECT_EQ(keys(frame->Toolbar2), QStringList({"TB_HOME1", "TB_HOME2", "TB_HOME3"}));
    EXPECT_EQ(keys(frame->Toolbar3), QStringList({"TB_1", "TB_2", "TB_3", "TB_4", "TB_5", "TB_6"}));
    // Bands: standard, extension, home, scale box.
    EXPECT_EQ(frame->CoolBar1->bandChild(1), frame->Toolbar1);
    EXPECT_EQ(frame->CoolBar1->bandChild(2), frame->Toolbar3);
    EXPECT_EQ(frame->CoolBar1->bandChild(3), frame->Toolbar2);
    EXPECT_EQ(frame->CoolBar1->bandChild(4), frame->Combo1);
    EXPECT_EQ(frame->CoolBar1->bandCaption(4), QStringLiteral("縮尺率　１／"));
    EXPECT_EQ(
        frame->toolButton(QStringLiteral("TB_OPEN"))->toolTip(), QStringLiteral("地図定義ファイルを開く"));
    EXPECT_EQ(frame->toolButton(QStringLiteral("TB_HOME2"))->toolTip(),
        QStringLiteral("ﾎｰﾑ2に登録された位置に移動"));
    EXPECT_EQ(frame->Combo1->count(), 13);
    EXPECT_EQ(frame->Combo1->itemText(0), QStringLiteral("1000000"));
}

TEST_F(FrameTest, CaptionSwitchEmptiesAndRefillsEveryButton)
{
    EXPECT_EQ(frame->toolButton(QStringLiteral("TB_1"))->text(), QStringLiteral("ピラミッド"));
    gbPro = -1; // the caption menu belongs to the pro layout
    frame->MP_OpeMode(gbPro);
    QAction *chars = frame->menuItem(QStringLiteral("mnuToolBarChar"));
    chars->trigger();
    EXPECT_FALSE(chars->isChecked());
    int buttons = 0;
    for (QToolBar *bar : {frame->Toolbar1, frame->Toolbar2, frame->Toolbar3}) {
        for (QAction *button : bar->actions()) {
            EXPECT_TRUE(button->text().isEmpty()) << button->objectName().toStdString();
            EXPECT_FALSE(button->toolTip().isEmpty());
            ++buttons;
        }
    }
    EXPECT_EQ(buttons, 23);
    chars->trigger();
    EXPECT_EQ(frame->toolButton(QStringLiteral("TB_1"))->text(), QStringLiteral("人口ﾋﾟﾗﾐｯﾄﾞ"));
    EXPECT_EQ(frame->toolButton(QStringLiteral("TB_ZOOMIN2"))->text(), QStringLiteral("選択拡大"));
}

TEST_F(FrameTest, IconSizeFollowsTheSizeMenu)
{
    EXPECT_TRUE(frame->menuItem(QStringLiteral("mnuToolBarSizeS"))->isChecked());
    EXPECT_EQ(frame->Toolbar1->iconSize(), QSize(16, 16));
    frame->menuItem(QStringLiteral("mnuToolBarSizeB"))->trigger();
    EXPECT_TRUE(frame->menuItem(QStringLiteral("mnuToolBarSizeB"))->isChecked());
    EXPECT_FALSE(frame->menuItem(QStringLiteral("mnuToolBarSizeS"))->isChecked());
    for (QToolBar *bar : {frame->Toolbar1, frame->Toolbar2, frame->Toolbar3}) {
        EXPECT_EQ(bar->iconSize(), QSize(32, 32));
        for (QAction *button : bar->actions())
            EXPECT_FALSE(button->icon().isNull()) << button->objectName().toStdString();
    }
    EXPECT_GE(frame->CoolBar1->bandMinHeight(1), frame->Toolbar1->sizeHint().height());
    EXPECT_EQ(gintBandResize, 0);
    // The frame's load starts small again whatever was chosen.
    frame->SetToolBarIcons(0);
    EXPECT_EQ(frame->Toolbar3->iconSize(), QSize(16, 16));
}

TEST_F(FrameTest, HidingEveryBandHidesTheCoolBar)
{
    gbPro = -1;
    frame->MP_OpeMode(gbPro);
    ASSERT_TRUE(frame->CoolBar1->isVisible());
    const char *items[] = {"mnuViewToolBar1", "mnuViewToolBar2", "mnuViewToolBar3", "mnuViewToolBar4"};
    for (const char *item : items)
        frame->menuItem(QString::fromLatin1(item))->trigger();
    EXPECT_FALSE(frame->CoolBar1->isVisible());
    for (int band = 1; band <= 4; ++band)
        EXPECT_FALSE(frame->CoolBar1->bandVisible(band));
    frame->menuItem(QStringLiteral("mnuViewToolBar3"))->trigger();
    EXPECT_TRUE(frame->CoolBar1->isVisible());
    EXPECT_TRUE(frame->CoolBar1->bandVisible(4));
    EXPECT_FALSE(frame->CoolBar1->bandVisible(1));
}

TEST_F(FrameTest, PointerButtonsPressOneAnotherOut)
{
    openDocument();
    QString last;
    auto &r = modeRegistry();
    r.navigation().setNormalMode = [&](zorvik::Zorvik *) { last = QStringLiteral("normal"); };
    r.navigation().setDragMoveMode = [&](zorvik::Zorvik *) { last = QStringLiteral("move"); };
    r.navigation().setSelectZoomMode = [&](zorvik::Zorvik *) { last = QStringLiteral("zoom"); };
    EXPECT_TRUE(frame->toolButton(QStringLiteral("TB_NORMAL"))->isChecked()); // pressed at opening
    frame->toolButton(QStringLiteral("TB_MOVE"))->trigger();
    EXPECT_EQ(last, QStringLiteral("move"));
    EXPECT_TRUE(frame->toolButton(QStringLiteral("TB_MOVE"))->isChecked());
    EXPECT_FALSE(frame->toolButton(QStringLiteral("TB_NORMAL"))->isChecked());
    frame->toolButton(QStringLiteral("TB_ZOOMIN2"))->trigger();
    EXPECT_EQ(last, QStringLiteral("zoom"));
    EXPECT_FALSE(frame->toolButton(QStringLiteral("TB_MOVE"))->isChecked());
}

TEST_F(FrameTest, StoryButtonSwitchesStoryModeBothWays)
{
    openDocument();
    int cleared = 0;
    modeRegistry().statistics().clearStatisticsMap = [&](zorvik::Zorvik *, bool) { ++cleared; };
    QAction *story = frame->toolButton(QStringLiteral("TB_4"));
    story->trigger();
    EXPECT_TRUE(story->isChecked());
    EXPECT_EQ(gbStoryMode, -1);
    EXPECT_TRUE(frame->pane(FramePane::StoryPlayer)->isVisible());
    EXPECT_FALSE(frame->pane(FramePane::ListBar)->isVisible());
    story->trigger();
    EXPECT_EQ(gbStoryMode, 0);
    EXPECT_TRUE(frame->pane(FramePane::ListBar)->isVisible());
    EXPECT_EQ(cleared, 2);
}

TEST_F(FrameTest, ExtensionButtonsStartTheirModes)
{
    openDocument();
    int dataWindow = 0;
    modeRegistry().dataReference().show = [&] { ++dataWindow; };
    QString param;
    modeRegistry().setHandler(ModeImageCut, [](std::int16_t &, zorvik::Zorvik *) {});
    modeRegistry().setHandler(ModeAreaSanshou, [](std::int16_t &, zorvik::Zorvik *) {});
    frame->toolButton(QStringLiteral("TB_2"))->trigger();
    EXPECT_EQ(dataWindow, 1);
    EXPECT_EQ(gintModeNo, ModeAreaSanshou);
    frame->toolButton(QStringLiteral("TB_5"))->trigger();
    EXPECT_EQ(gintModeNo, ModeImageCut);
}

TEST_F(FrameTest, HomeButtonWithAnEmptySlotAsksAndStillRefreshes)
{
    openDocument();
    gobjZor->setScale(50000.0);
    gtypWinInfo.Home[2] = HomePosition{};
    ui::DialogScript script;
    script.answerButton(ui::vbNo);
    frame->toolButton(QStringLiteral("TB_HOME2"))->trigger();
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt,
        QStringLiteral("登録されていません、「ﾂｰﾙ」「ﾎｰﾑ登録」で設定してください。\n全体を表示しますか？"));
    EXPECT_DOUBLE_EQ(gobjZor->Scale(), 50000.0);
}

TEST_F(FrameTest, ScaleBoxEnterClampsAndListChoiceReachesTheOperationRoom)
{
    openDocument();
    QStringList opeRoom;
    modeRegistry().operationRoom().setOpeRoomScale = [&](const QString &text) { opeRoom << text; };
    gobjZor->setScale(25000.0);
    frame->Combo1->setEditText(QStringLiteral("500"));
    frame->Combo1_KeyUp(13);
    EXPECT_EQ(frame->Combo1->currentText(), QStringLiteral("1600"));
    EXPECT_DOUBLE_EQ(gobjZor->Scale(), 1600.0);
    frame->Combo1->setEditText(QStringLiteral("20000000"));
    frame->Combo1_KeyUp(13);
    EXPECT_EQ(frame->Combo1->currentText(), QStringLiteral("15000000"));
    EXPECT_DOUBLE_EQ(gobjZor->Scale(), 15000000.0);
    frame->Combo1->setEditText(QStringLiteral("abc"));
    frame->Combo1_KeyUp(13);
    EXPECT_EQ(frame->Combo1->currentText(), QStringLiteral("abc"));
    EXPECT_DOUBLE_EQ(gobjZor->Scale(), 15000000.0);
    EXPECT_TRUE(opeRoom.isEmpty()); // Enter does not copy
    frame->Combo1->setCurrentIndex(7);
    frame->Combo1_Click();
    EXPECT_DOUBLE_EQ(gobjZor->Scale(), 25000.0);
    EXPECT_EQ(opeRoom, QStringList({"25000"}));
}

TEST_F(FrameTest, ScaleBoxRealKeysAndFocusOut)
{
    openDocument();
    gobjZor->setScale(25000.0);
    frame->Combo1->setEditText(QStringLiteral("7000"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(frame->Combo1, &release);
    EXPECT_DOUBLE_EQ(gobjZor->Scale(), 7000.0);
    struct Case
    {
        const char *typed;
        double expected;
    };
    // Leaving the box applies no bounds, but never 0, negatives or numbers
    // beyond the 32-bit range.
    const Case cases[]
        = {{"500", 500}, {"0", 500}, {"-20", 500}, {"99999999999", 500}, {"abc", 500}, {"30000", 30000}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        frame->Combo1->setEditText(QString::fromUtf8(c.typed));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(frame->Combo1, &out);
        EXPECT_DOUBLE_EQ(gobjZor->Scale(), c.expected);
    }
}

// Leaving the box, by Tab or by a click elsewhere, always leaves it showing
// the scale the map really has: a text that changed nothing is replaced.
TEST_F(FrameTest, LeavingTheScaleBoxShowsTheMapsRealScale)
{
    openDocument();
    struct Case
    {
        const char *typed;
        Qt::FocusReason reason;
        double scale; // of the map afterwards
        const char *box;
    };
    const Case cases[] = {
        {"0", Qt::TabFocusReason, 25000, "25000"},
        {"-5000", Qt::MouseFocusReason, 25000, "25000"},
        {"99999999999999", Qt::TabFocusReason, 25000, "25000"},
        {"abc", Qt::MouseFocusReason, 25000, "25000"},
        {"", Qt::TabFocusReason, 25000, "25000"},
        {"25000.4", Qt::TabFocusReason, 25000, "25000"}, // rounds to the same scale
        {"7000", Qt::MouseFocusReason, 7000, "7000"},
        {" 12345.5 ", Qt::TabFocusReason, 12346, "12346"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        gobjZor->setScale(25000.0);
        frame->Combo1->setEditText(QString::fromUtf8(c.typed));
        QFocusEvent out(QEvent::FocusOut, c.reason);
        QApplication::sendEvent(frame->Combo1, &out);
        EXPECT_DOUBLE_EQ(gobjZor->Scale(), c.scale);
        EXPECT_EQ(frame->Combo1->currentText(), QString::fromUtf8(c.box));
    }
    // Opening the box's own list is not leaving it: the typed text stays.
    frame->Combo1->setEditText(QStringLiteral("0"));
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(frame->Combo1, &popup);
    EXPECT_EQ(frame->Combo1->currentText(), QStringLiteral("0"));
}

// The map window writes the box after every zoom; the frame itself only
// writes it for a choice or a typed scale (its stand-in window has no writer).
TEST_F(FrameTest, ScaleBoxIsLeftToTheMapWindowOnZooms)
{
    openDocument();
    frame->Combo1->setEditText(QStringLiteral("written by the map window"));
    gobjZor->setScale(40000.0);
    gdblZoomIn = 2.0;
    frame->toolButton(QStringLiteral("TB_ZOOMIN"))->trigger();
    EXPECT_NEAR(gobjZor->Scale(), 20000.0, 200.0);
    openDocument(); // a new map window
    gobjZor->setScale(30000.0);
    EXPECT_EQ(frame->Combo1->currentText(), QStringLiteral("written by the map window"));
}

TEST_F(FrameTest, ZoomButtonsStepAroundTheCentre)
{
    openDocument();
    gdblZoomIn = 2.0;
    gdblZoomOut = 0.5;
    gobjZor->setScale(40000.0);
    const std::int32_t cx = gobjZor->CenterX();
    const std::int32_t cy = gobjZor->CenterY();
    const double before = gobjZor->Scale();
    frame->toolButton(QStringLiteral("TB_ZOOMIN"))->trigger();
    EXPECT_NEAR(gobjZor->Scale(), before / 2, before * 0.01);
    EXPECT_NEAR(gobjZor->CenterX(), cx, 1);
    EXPECT_NEAR(gobjZor->CenterY(), cy, 1);
    frame->menuItem(QStringLiteral("mnuZoomOut"))->trigger();
    EXPECT_NEAR(gobjZor->Scale(), before, before * 0.01);
}
