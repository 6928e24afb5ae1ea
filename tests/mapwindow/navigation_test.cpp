// Navigation mode (mode 1 and its sub-types), the rotation window and the
// status texts of the pointer modes.
#include "mapwindow/compasswidget.h"
#include "mapwindow/frmturn.h"
#include "mapwindow/frmzorvik.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapwindowcontrols.h"
#include "mapwindow/mdldispcom.h"
#include "mapwindow/navigationregistry.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QCoreApplication>
#include <QDial>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace veltra;

class Navigation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new frmMain;
        gfrmMain = m_frame;
        m_map.resize(400, 300);
        gobjZor = &m_map;
        gintModeNo = 0;
        shell::modeRegistry().clear();
        mapwindow::registerNavigation();
    }
    void TearDown() override
    {
        gintModeNo = 0;
        ui::WindowRegistry::instance().unload(QStringLiteral("frmTurn"));
        ui::WindowRegistry::instance().unload(m_frame);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::modeRegistry().clear();
        gfrmMain = nullptr;
        gobjZor = nullptr;
    }
    QString status() const { return m_frame->statusPanelText(1); }

    frmMain *m_frame = nullptr;
    zorvik::Zorvik m_map;
};

TEST_F(Navigation, PointerSubTypesSetTheEngineModeAndLeavingReturnsToNormal)
{
    struct Row
    {
        std::int16_t sub;
        int engineMode;
        std::int16_t mapMouseMode;
        const char *status;
    };
    for (const Row &row : {Row{0, 1, 0, "選択拡大"}, Row{1, 2, 0, "縮小"}, Row{2, 3, 0, "移動"},
             Row{7, 0, 1, "移動"}, Row{6, 0, 0, "標準"}}) {
        SCOPED_TRACE(row.sub);
        m_map.setMouseEventMode(4);
        gintMapMouseMode = -1;
        gintStoryStepEnd = 0;
        shell::changeMode(ModeDisplay, row.sub, shell::noParameterText());
        EXPECT_EQ(m_map.MouseEventMode(), row.engineMode);
        EXPECT_EQ(gintMapMouseMode, row.mapMouseMode);
        EXPECT_EQ(status(), QString::fromUtf8(row.status));
        EXPECT_EQ(gintStoryStepEnd, -1);
        m_map.setMouseEventMode(4);
        shell::dispatchMode(StateLeave, shell::noParameterText());
        EXPECT_EQ(gintModeNo, 0);
        if (row.sub == 6) {
            EXPECT_EQ(m_map.MouseEventMode(), 4); // nothing on leave
        } else {
            EXPECT_EQ(m_map.MouseEventMode(), 0);
            EXPECT_EQ(gintMapMouseMode, 0);
            EXPECT_EQ(status(), QStringLiteral("標準"));
        }
    }
}

TEST_F(Navigation, WholeViewKeepsTheCentreAndRedrawKeepsRotationCentreAndScale)
{
    m_map.setScale(25000);
    m_map.setCenterX(6000000);
    m_map.setCenterY(4300000);
    m_map.setAngle(30);
    shell::changeMode(ModeDisplay, 4, shell::noParameterText());
    EXPECT_DOUBLE_EQ(m_map.Scale(), 25000);
    EXPECT_DOUBLE_EQ(m_map.Angle(), 30);
    EXPECT_EQ(m_map.CenterX(), 6000000);
    EXPECT_EQ(m_map.CenterY(), 4300000);
    shell::changeMode(ModeDisplay, 3, shell::noParameterText());
    EXPECT_DOUBLE_EQ(m_map.Scale(), 15000000);
    EXPECT_EQ(m_map.CenterX(), 6000000);
    EXPECT_EQ(m_map.CenterY(), 4300000);
    // A leave of either still ends the story step.
    for (std::int16_t sub : {3, 4}) {
        gintModeNo = ModeDisplay;
        gintModeSub = sub;
        gintStoryStepEnd = 0;
        shell::dispatchMode(StateLeave, shell::noParameterText());
        EXPECT_EQ(gintStoryStepEnd, -1);
    }
}

TEST_F(Navigation, DragMoveClearsTheAnchorAtEveryEntry)
{
    for (int i = 0; i < 2; ++i) {
        glngDragX = 123;
        glngDragY = 456;
        shell::changeMode(ModeDisplay, 7, shell::noParameterText());
        EXPECT_EQ(glngDragX, 0);
        EXPECT_EQ(glngDragY, 0);
        EXPECT_EQ(gintMapMouseMode, 1);
    }
}

TEST_F(Navigation, WindowSubTypesLeaveTheStepToTheirWindowsAndUnknownOnesDoNothing)
{
    int views = 0;
    mapwindow::displayWindows().showDisplaySettings = [&] { ++views; };
    shell::modeRegistry().viewWindows().showDisplaySettings = [&] { views += 10; };
    for (std::int16_t sub : {8, 9, 10, 11, -1}) {
        SCOPED_TRACE(sub);
        gintStoryStepEnd = 0;
        m_map.setMouseEventMode(4);
        shell::changeMode(ModeDisplay, sub, shell::noParameterText());
        EXPECT_EQ(gintStoryStepEnd, 0);
        EXPECT_EQ(m_map.MouseEventMode(), 4);
    }
    EXPECT_EQ(views, 11);
    mapwindow::displayWindows() = {};
    gintStoryStepEnd = 0;
    m_map.setAngle(-45);
    shell::changeMode(ModeDisplay, 5, shell::noParameterText());
    EXPECT_EQ(gintStoryStepEnd, 0);
    auto *turn = qobject_cast<frmTurn *>(ui::WindowRegistry::instance().find(QStringLiteral("frmTurn")));
    ASSERT_NE(turn, nullptr);
    EXPECT_EQ(turn->Text1->text(), QStringLiteral("45"));
}

TEST(TurnAngle, TypedAnglesComeIntoMinus179To180)
{
    struct Row
    {
        const char *text;
        std::optional<std::int16_t> angle;
    };
    for (const Row &row : {Row{"370", 10}, Row{"-190", 170}, Row{"180", 180}, Row{"-180", 180},
             Row{"450", 90}, Row{"-179", -179}, Row{"0", 0}, Row{"12.5", 12}, Row{"13.5", 14},
             Row{"-540", 180}, Row{"abc", {}}, Row{"", {}}, Row{"40000", {}}}) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(mapwindow::turnAngle(QString::fromLatin1(row.text)), row.angle);
    }
}

TEST_F(Navigation, TheRotationWindowTurnsTheMapAndKeepsItsThreeInputsInStep)
{
    // The map of the current map window, whose compass follows the turns.
    frmZorvik window;
    gfrmZorvik = &window;
    zorvik::Zorvik &map = *window.Zorvik1;
    map.setAngle(30);
    mdlDispCom::ShowTurnDialog(&map);
    auto *turn = qobject_cast<frmTurn *>(ui::WindowRegistry::instance().find(QStringLiteral("frmTurn")));
    ASSERT_NE(turn, nullptr);
    EXPECT_EQ(turn->Text1->text(), QStringLiteral("-30"));
    EXPECT_EQ(turn->HScroll1->value(), -30);
    EXPECT_EQ(turn->JogDialCtrl1->value(), -300);

    turn->Command2[2]->click(); // 東を上に
    EXPECT_DOUBLE_EQ(map.Angle(), 90);
    EXPECT_DOUBLE_EQ(window.controls()->Picture5->angle(), 90);
    turn->Command2[3]->click(); // 西を上に
    EXPECT_DOUBLE_EQ(map.Angle(), -90);
    turn->Command2[1]->click(); // 南を上に
    EXPECT_DOUBLE_EQ(map.Angle(), -180);
    EXPECT_EQ(turn->Text1->text(), QStringLiteral("180"));

    turn->Text1->setText(QStringLiteral("370"));
    turn->Command1->click();
    EXPECT_EQ(turn->Text1->text(), QStringLiteral("10"));
    EXPECT_EQ(turn->HScroll1->value(), 10);
    EXPECT_EQ(turn->JogDialCtrl1->value(), 100);
    EXPECT_DOUBLE_EQ(map.Angle(), -10);

    // A text that is no angle changes nothing.
    turn->Text1->setText(QStringLiteral("北"));
    turn->Command1->click();
    EXPECT_DOUBLE_EQ(map.Angle(), -10);

    // The dial snaps to whole degrees and applies when released.
    turn->JogDialCtrl1->setValue(125);
    EXPECT_EQ(turn->Text1->text(), QStringLiteral("12"));
    EXPECT_EQ(turn->HScroll1->value(), 12);
    EXPECT_EQ(turn->JogDialCtrl1->value(), 120);
    turn->JogDial_Released();
    EXPECT_DOUBLE_EQ(map.Angle(), -12);

    // A second command shows the current angle in the open window.
    map.setAngle(-450);
    mdlDispCom::ShowTurnDialog(&map);
    EXPECT_EQ(ui::WindowRegistry::instance().find(QStringLiteral("frmTurn")), turn);
    EXPECT_EQ(turn->Text1->text(), QStringLiteral("450"));
    turn->Command1->click();
    EXPECT_DOUBLE_EQ(map.Angle(), -90);

    turn->Command3->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmTurn")));
    EXPECT_DOUBLE_EQ(map.Angle(), -90);
    EXPECT_DOUBLE_EQ(window.controls()->Picture5->angle(), -90);
    gfrmZorvik = nullptr;
}
