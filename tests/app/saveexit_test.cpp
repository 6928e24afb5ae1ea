// Saving the map document, the exit order and the map window's closing steps.
#include "app/mdlmain_main.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "programfixture.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "shell/statisticsservices.h"
#include "zorvik/core/engine.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::ProgramFixture;

namespace {

std::vector<QString> &eventLog()
{
    static std::vector<QString> log;
    return log;
}

} // namespace

// Stand-ins for the statistics windows, which log when they close. They live
// in a namespace of their own, apart from the program's real windows of the
// same name; the window registry knows them by their bare class names.
namespace veltra::test::fakes {

class frmStatisticsMap : public QWidget
{
    Q_OBJECT
protected:
    void closeEvent(QCloseEvent *event) override
    {
        eventLog().push_back(QStringLiteral("frmStatisticsMap"));
        event->accept();
    }
};

class frmPyramid : public QWidget
{
    Q_OBJECT
protected:
    void closeEvent(QCloseEvent *event) override
    {
        eventLog().push_back(QStringLiteral("frmPyramid"));
        event->accept();
    }
};

} // namespace veltra::test::fakes

namespace {

// A started program on the fixture, with the statistics services logging.
class SaveExit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fx.ok());
        fx.setView(0, 25000, ProgramFixture::CenterX, ProgramFixture::CenterY);
        eventLog().clear();
        auto &services = shell::statisticsServices();
        services.clearStatisticsMapQuiet
            = [](zorvik::Zorvik *) { eventLog().push_back(QStringLiteral("clear")); };
        services.unloadLegendForms = [] { eventLog().push_back(QStringLiteral("legends")); };
        app::StartOptions options;
        options.lockPath = fx.lockPath();
        options.splashMilliseconds = 0;
        ASSERT_EQ(mdlMain::Main(options), app::StartResult::Running);
        ASSERT_EQ(gintMapInit, 1);
    }

    void TearDown() override
    {
        test::exitProgram();
        shell::statisticsServices() = {};
    }

    // One more element in the document: an unsaved edit.
    void edit()
    {
        zorvik::ElementRecord line;
        line.Type = zorvik::TypeVector;
        line.X = {ProgramFixture::CenterX, ProgramFixture::CenterX + 1000};
        line.Y = {ProgramFixture::CenterY, ProgramFixture::CenterY};
        line.PNum = 2;
        line.iPra = {0, 0, 1};
        line.lPra = {0, 0, zorvik::DayUndecided, zorvik::DayUndecided, 0, 0};
        zorvik::Handle set = 0;
        ASSERT_EQ(gobjZor->CreateElementList(set), 0);
        ASSERT_EQ(gobjZor->AddElementToList(set, line), 0);
        ASSERT_EQ(gobjZor->AddElements(set), 0);
        gobjZor->ReleaseElements(set);
        ASSERT_NE(gobjZor->CanUndo(), 0);
    }

    // Elements of kind 1 in the saved document.
    int savedElements()
    {
        zorvik::Engine engine;
        engine.setDocumentPath(fx.docPath());
        EXPECT_EQ(engine.InitializeMap(0), 0);
        zorvik::Handle set = 0;
        std::int32_t vectors = 0, connectors = 0;
        engine.SearchElementsByKind(1, {1}, 0, {}, set, vectors, connectors);
        engine.ReleaseElements(set);
        engine.CloseMap();
        return vectors;
    }

    ProgramFixture fx;
    ui::DialogScript script;
    shell::ScopedModalHook noDialogs{[](QDialog &) {}};
};

TEST_F(SaveExit, SaveAnsweredNoKeepsTheStatisticsMap)
{
    edit();
    script.answerButton(ui::vbNo);
    gfrmMain->mnuFileSave_Click();
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("保存しますか？"));
    EXPECT_EQ(script.requests()[0].buttons, ui::vbYesNo | ui::vbQuestion);
    EXPECT_EQ(script.requests()[0].title, QStringLiteral("Veltra"));
    EXPECT_TRUE(eventLog().empty());
    EXPECT_NE(gobjZor->CanUndo(), 0);
    EXPECT_EQ(savedElements(), 1);
    script.answerButton(ui::vbNo); // the exit's unsaved-data question
}

TEST_F(SaveExit, SaveAnsweredYesClearsTheStatisticsMapSavesAndSaysSo)
{
    edit();
    script.answerButton(ui::vbYes);
    gfrmMain->mnuFileSave_Click();
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_EQ(script.requests()[1].prompt, QStringLiteral("保存終了"));
    EXPECT_EQ(script.requests()[1].buttons, ui::vbInformation);
    EXPECT_EQ(eventLog(), std::vector<QString>{QStringLiteral("clear")});
    EXPECT_EQ(savedElements(), 2);
}

TEST_F(SaveExit, AFailedSaveIsReportedAndTheEditsStayUnsaved)
{
    edit();
    // The document file can no longer be replaced.
    gobjZor->setPlaneZoneNo(5);
    ASSERT_TRUE(QFile::remove(fx.docPath()));
    ASSERT_TRUE(QDir().mkdir(fx.docPath()));
    script.answerButton(ui::vbYes);
    gfrmMain->mnuFileSave_Click();
    ASSERT_EQ(script.requests().size(), 2u);
    EXPECT_TRUE(script.requests()[1].prompt.startsWith(QStringLiteral("地図データを保存できませんでした。")))
        << script.requests()[1].prompt.toStdString();
    EXPECT_EQ(script.requests()[1].buttons, ui::vbExclamation);
    EXPECT_NE(gobjZor->CanUndo(), 0);

    // At exit the question comes again; a failed save offers to try again.
    script.answerButton(ui::vbYes);
    script.answerButton(ui::vbCancel);
    test::exitProgram();
    ASSERT_EQ(script.requests().size(), 4u);
    EXPECT_EQ(
        script.requests()[2].prompt, QStringLiteral("保存されていないデータがあります。\n保存しますか？"));
    EXPECT_EQ(script.requests()[3].buttons, ui::vbRetryCancel | ui::vbExclamation);
    EXPECT_EQ(gfrmMain, nullptr);
}

TEST_F(SaveExit, ExitWithoutEditsAsksNothingAndClosesInOrder)
{
    ui::form<test::fakes::frmStatisticsMap>()->show();
    ui::form<test::fakes::frmPyramid>()->show();
    test::exitProgram();
    EXPECT_TRUE(script.requests().empty());
    const std::vector<QString> expected = {QStringLiteral("legends"), QStringLiteral("frmStatisticsMap"),
        QStringLiteral("frmPyramid"), QStringLiteral("clear")};
    EXPECT_EQ(eventLog(), expected);
    EXPECT_EQ(gfrmMain, nullptr);
}

TEST_F(SaveExit, ExitWithEditsAnsweredNoLeavesTheDocumentAndStoresTheView)
{
    edit();
    gobjZor->setScale(70000.0);
    script.answerButton(ui::vbNo);
    test::exitProgram();
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(
        script.requests()[0].prompt, QStringLiteral("保存されていないデータがあります。\n保存しますか？"));
    EXPECT_EQ(script.requests()[0].buttons, ui::vbYesNo | ui::vbQuestion);
    EXPECT_EQ(savedElements(), 1);
    EXPECT_EQ(
        ProgramFixture::iniOf(fx.docIniPath(), QStringLiteral("ZORPAK_MAP0_SAVE"), QStringLiteral("scale")),
        QStringLiteral("70000"));
}

TEST_F(SaveExit, ClosingTheFrameByItsCloseBoxAlsoStoresTheMenuStates)
{
    gfrmMain->mnuScale->setChecked(false);
    gobjZor->setScale(45000.0);
    gfrmMain->close();
    test::flushDeletions();
    EXPECT_EQ(gfrmMain, nullptr);
    EXPECT_EQ(gintMapInit, 0);
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("dispScale")), QStringLiteral("0"));
    EXPECT_EQ(
        ProgramFixture::iniOf(fx.docIniPath(), QStringLiteral("ZORPAK_MAP0_SAVE"), QStringLiteral("scale")),
        QStringLiteral("45000"));
    EXPECT_EQ(eventLog(), std::vector<QString>{QStringLiteral("clear")});
}

TEST_F(SaveExit, ThePositionMenusReopenTheDocumentAtTheChosenView)
{
    // Home 1 as the home registration leaves it.
    gtypWinInfo.Home[1] = {90000, ProgramFixture::CenterX - 700, ProgramFixture::CenterY, 0};
    gobjZor->setScale(33000.0);
    gfrmMain->mnuInitPosMapDraw_Click();
    ASSERT_EQ(gintMapInit, 1);
    EXPECT_EQ(gobjZor->Scale(), 90000.0);
    EXPECT_EQ(gobjZor->CenterX(), ProgramFixture::CenterX - 700);
    // The reopening stored the view it left as view 0.
    EXPECT_EQ(gtypWinInfo.Home[0].scale, 33000);
    gfrmMain->mnuPrevPosMapDraw_Click();
    EXPECT_EQ(gobjZor->Scale(), 90000.0); // the view left by the last reopening
    EXPECT_TRUE(script.requests().empty());
    // Each reopening replaced the map window.
    test::flushDeletions();
    int maps = 0;
    for (QWidget *w : ui::WindowRegistry::instance().forms())
        maps += ui::WindowRegistry::nameOf(w) == QStringLiteral("frmZorvik") ? 1 : 0;
    EXPECT_EQ(maps, 1);
}

} // namespace

#include "saveexit_test.moc"
