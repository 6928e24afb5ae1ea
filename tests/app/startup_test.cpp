// The whole start sequence and the exit against the real engine on a small
// program folder.
#include "app/mdlmain_main.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "programfixture.h"
#include "shell/frmmain.h"
#include "shell/frmpsyank.h"
#include "shell/frmpsyinfo.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/modaldialog.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMenu>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::ProgramFixture;

namespace {

app::StartOptions optionsFor(const ProgramFixture &fx, const QString &commandLine = QString())
{
    app::StartOptions options;
    options.lockPath = fx.lockPath();
    options.splashMilliseconds = 0;
    options.commandLine = commandLine;
    return options;
}

// Records the program's own modal dialogs and answers them: the
// questionnaire with "後で協力する。", the initial display as `initialView`
// (-1 closes it without OK, 0 or 1 chooses an option and presses OK).
struct DialogPlayer
{
    QStringList shown;
    int initialView = -1;
    shell::ScopedModalHook hook{[this](QDialog &dialog) {
        shown << ui::WindowRegistry::nameOf(&dialog);
        if (auto *info = qobject_cast<frmPSYInfo *>(&dialog); info && initialView >= 0) {
            info->optInfo[static_cast<std::size_t>(initialView)]->setChecked(true);
            info->Command1_Click();
        }
        if (auto *ank = qobject_cast<frmPSYAnk *>(&dialog)) {
            ank->Option1[2]->setChecked(true);
            ank->Command1_Click();
        }
    }};
};

QStringList windowNames()
{
    QStringList names;
    for (QWidget *w : ui::WindowRegistry::instance().forms())
        names << ui::WindowRegistry::nameOf(w);
    return names;
}

} // namespace

TEST(StartUp, OpensTheDefaultDocumentAtTheLastViewAndExitStoresFrameAndView)
{
    ProgramFixture fx;
    ASSERT_TRUE(fx.ok());
    fx.setView(0, 25000, ProgramFixture::CenterX + 500, ProgramFixture::CenterY - 300);
    ui::DialogScript script;
    DialogPlayer player;

    ASSERT_EQ(mdlMain::Main(optionsFor(fx)), app::StartResult::Running);

    EXPECT_EQ(fx.ini(QStringLiteral("USE"), QStringLiteral("COUNT")), QStringLiteral("4"));
    EXPECT_EQ(player.shown, QStringList{QStringLiteral("frmPSYInfo")});
    EXPECT_TRUE(script.requests().empty()) << script.requests().front().prompt.toStdString();
    ASSERT_NE(gfrmMain, nullptr);
    EXPECT_EQ(gfrmMain->windowTitle(), QStringLiteral("Veltra  v1.25"));
    EXPECT_EQ(gfrmMain->mnuFileSave->text(), QStringLiteral("地図データの保存"));
    EXPECT_TRUE(gfrmMain->mnuView->menuAction()->isEnabled());
    ASSERT_EQ(gintMapInit, 1);
    ASSERT_NE(gfrmZorvik, nullptr);
    ASSERT_EQ(gobjZor, gfrmZorvik->engine());
    EXPECT_EQ(gfrmZorvik->widget()->windowTitle(), fx.docPath());
    EXPECT_EQ(gobjZor->Scale(), 25000.0);
    EXPECT_EQ(gobjZor->CenterX(), ProgramFixture::CenterX + 500);
    EXPECT_EQ(gobjZor->CenterY(), ProgramFixture::CenterY - 300);
    const QStringList names = windowNames();
    EXPECT_FALSE(names.contains(QStringLiteral("frmSplash")));
    EXPECT_FALSE(names.contains(QStringLiteral("frmPSYWait")));
    EXPECT_FALSE(names.contains(QStringLiteral("frmPSYInfo")));

    // The user moves the map and turns the compass off, then exits.
    gobjZor->setScale(40000.0);
    gobjZor->setCenterX(ProgramFixture::CenterX + 1234);
    gfrmMain->mnuDirection->setChecked(false);
    test::exitProgram();

    EXPECT_EQ(gfrmMain, nullptr);
    EXPECT_EQ(gintMapInit, 0);
    EXPECT_EQ(gobjZor, nullptr);
    EXPECT_TRUE(windowNames().isEmpty());
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("State")), QStringLiteral("0"));
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("dispLegend")), QStringLiteral("1"));
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("dispDirction")), QStringLiteral("0"));
    // The frame stands where it stood: no creeping or growing between runs.
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("Left")), QStringLiteral("300"));
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("Top")), QStringLiteral("150"));
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("Width")), QStringLiteral("6000"));
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("Height")), QStringLiteral("4500"));
    const QString view0 = QStringLiteral("ZORPAK_MAP0_SAVE");
    EXPECT_EQ(
        ProgramFixture::iniOf(fx.docIniPath(), view0, QStringLiteral("scale")), QStringLiteral("40000"));
    EXPECT_EQ(ProgramFixture::iniOf(fx.docIniPath(), view0, QStringLiteral("drawCenterX")),
        QString::number(ProgramFixture::CenterX + 1234));
    EXPECT_TRUE(script.requests().empty());
}

TEST(StartUp, SecondStartEndsAtOnceAndWritesNothing)
{
    ProgramFixture fx;
    ASSERT_TRUE(fx.ok());
    QLockFile running(fx.lockPath());
    ASSERT_TRUE(running.tryLock(0));
    const QByteArray before = test::readBytes(fx.iniPath());
    ui::DialogScript script;
    DialogPlayer player;

    EXPECT_EQ(mdlMain::Main(optionsFor(fx)), app::StartResult::AlreadyRunning);

    EXPECT_EQ(test::readBytes(fx.iniPath()), before);
    EXPECT_FALSE(QFile::exists(fx.docIniPath()));
    EXPECT_EQ(gfrmMain, nullptr);
    EXPECT_TRUE(windowNames().isEmpty());
    EXPECT_TRUE(player.shown.isEmpty());
    EXPECT_TRUE(script.requests().empty());
}

TEST(StartUp, QuestionnaireOnlyFromTheSixthToTheTenthStartUntilAnswered)
{
    struct Row
    {
        const char *count;
        const char *flag;
        const char *newCount;
        bool asked;
    };
    const Row rows[] = {
        {"4", "0", "5", false},
        {"5", "0", "6", true},
        {"9", "0", "10", true},
        {"10", "0", "11", false},
        {"7", "1", "8", false},
        {"abc", "0", "1", false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string("COUNT=") + row.count + " FLG=" + row.flag);
        ProgramFixture fx(QString::fromLatin1(row.count), QString::fromLatin1(row.flag));
        ASSERT_TRUE(fx.ok());
        fx.setView(0, 25000, ProgramFixture::CenterX, ProgramFixture::CenterY);
        ui::DialogScript script;
        DialogPlayer player;
        ASSERT_EQ(mdlMain::Main(optionsFor(fx)), app::StartResult::Running);
        EXPECT_EQ(fx.ini(QStringLiteral("USE"), QStringLiteral("COUNT")), QString::fromLatin1(row.newCount));
        EXPECT_EQ(player.shown.contains(QStringLiteral("frmPSYAnk")), row.asked);
        // "後で協力する。" records nothing: the request comes again.
        EXPECT_EQ(fx.ini(QStringLiteral("USE"), QStringLiteral("FLG")), QString::fromLatin1(row.flag));
        test::exitProgram();
    }
}

TEST(StartUp, InitialDisplayChoiceJumpsToTheLastViewOrTheFirstHome)
{
    struct Row
    {
        int choice; // -1 closed without OK
        std::int32_t scale;
    };
    for (const Row row : {Row{-1, 30000}, Row{0, 30000}, Row{1, 60000}}) {
        SCOPED_TRACE(row.choice);
        ProgramFixture fx;
        ASSERT_TRUE(fx.ok());
        fx.setView(0, 30000, ProgramFixture::CenterX + 100, ProgramFixture::CenterY);
        fx.setView(1, 60000, ProgramFixture::CenterX - 200, ProgramFixture::CenterY + 50, 0);
        ui::DialogScript script;
        DialogPlayer player;
        player.initialView = row.choice;
        ASSERT_EQ(mdlMain::Main(optionsFor(fx)), app::StartResult::Running);
        ASSERT_NE(gobjZor, nullptr);
        EXPECT_EQ(gobjZor->Scale(), static_cast<double>(row.scale));
        EXPECT_EQ(gobjZor->CenterX(), ProgramFixture::CenterX + (row.scale == 30000 ? 100 : -200));
        EXPECT_TRUE(script.requests().empty());
        test::exitProgram();
    }
}

TEST(StartUp, AnEmptyViewAsksWhetherToShowTheWholeMap)
{
    ProgramFixture fx;
    ASSERT_TRUE(fx.ok());
    ui::DialogScript script;
    script.answerButton(ui::vbYes);
    script.answerButton(ui::vbYes);
    DialogPlayer player;
    ASSERT_EQ(mdlMain::Main(optionsFor(fx)), app::StartResult::Running);
    // Once when the document opens at view 0, once for the chosen view.
    ASSERT_EQ(script.requests().size(), 2u);
    for (const auto &request : script.requests()) {
        EXPECT_EQ(request.prompt,
            QStringLiteral(
                "登録されていません、「ﾂｰﾙ」「ﾎｰﾑ登録」で設定してください。\n全体を表示しますか？"));
        EXPECT_EQ(request.buttons, ui::vbYesNo | ui::vbQuestion);
        EXPECT_EQ(request.title, QStringLiteral("Veltra"));
    }
    test::exitProgram();
}

TEST(StartUp, ADocumentWithABadBaseDateIsReportedAndTheFrameStaysWithoutAMap)
{
    ProgramFixture fx;
    ASSERT_TRUE(fx.ok());
    fx.makeDocument(QStringLiteral("Veltra.zor"), QStringLiteral("20201301"));
    fx.setView(0, 25000, ProgramFixture::CenterX, ProgramFixture::CenterY);
    ui::DialogScript script;
    DialogPlayer player;
    ASSERT_EQ(mdlMain::Main(optionsFor(fx)), app::StartResult::Running);

    ASSERT_EQ(script.requests().size(), 1u);
    // The document on the second line, then why it did not open.
    EXPECT_EQ(script.requests()[0].prompt.toStdString(),
        ("地図の初期化に失敗しました。\n" + fx.docPath()
            + "\n[ZorvikDocument] の BaseDate が正しい日付ではありません。")
            .toStdString());
    EXPECT_EQ(script.requests()[0].buttons, ui::vbExclamation);
    EXPECT_EQ(script.requests()[0].title, QStringLiteral("Veltra"));
    EXPECT_EQ(gintMapInit, 0);
    ASSERT_NE(gfrmMain, nullptr);
    EXPECT_FALSE(gfrmMain->mnuView->menuAction()->isEnabled());

    test::exitProgram();
    EXPECT_EQ(script.requests().size(), 1u); // no save question
    EXPECT_EQ(fx.ini(QStringLiteral("MNUINFO"), QStringLiteral("dispLegend")), QStringLiteral("1"));
    // The engine never ran: the stored view is left as it was.
    EXPECT_EQ(
        ProgramFixture::iniOf(fx.docIniPath(), QStringLiteral("ZORPAK_MAP0_SAVE"), QStringLiteral("scale")),
        QStringLiteral("25000"));
}

TEST(StartUp, AConfigurationThatCannotRunEndsWithAMessage)
{
    struct Row
    {
        const char *name;
        std::function<void(ProgramFixture &)> damage;
        const char *says;
    };
    const Row rows[] = {
        {"no database",
            [](ProgramFixture &fx) {
                QFile::remove(fx.folder() + QStringLiteral("VeltraData/DB/Mesh.sqlite"));
            },
            "地名データベースを開けません"},
        {"place-name database of another kind",
            [](ProgramFixture &fx) {
                test::writeBytes(
                    fx.folder() + QStringLiteral("VeltraData/DB/Mesh.sqlite"), QByteArray(4096, 'x'));
            },
            "Mesh.sqlite\nデータベースのファイルではありません。\n\nVeltra を終了します。"},
        {"damaged ZORPAK.INI",
            [](ProgramFixture &fx) { test::writeBytes(fx.iniPath(), QByteArray("[USE]\r\n\0\0", 9)); },
            "ZORPAK.INI を削除すると、次回の起動時に既定の内容に戻ります"},
        {"short display levels",
            [](ProgramFixture &fx) {
                test::writeBytes(
                    fx.folder() + QStringLiteral("VeltraData/DefFolder/DispLevel.txt"), "50000\r\n");
            },
            "表示レベルファイル"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ProgramFixture fx;
        ASSERT_TRUE(fx.ok());
        row.damage(fx);
        ui::DialogScript script;
        DialogPlayer player;
        EXPECT_EQ(mdlMain::Main(optionsFor(fx)), app::StartResult::Failed);
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_TRUE(script.requests()[0].prompt.contains(QString::fromUtf8(row.says)))
            << script.requests()[0].prompt.toStdString();
        EXPECT_EQ(script.requests()[0].buttons, ui::vbCritical);
        EXPECT_EQ(gfrmMain, nullptr);
        EXPECT_TRUE(windowNames().isEmpty());
        EXPECT_TRUE(player.shown.isEmpty());
    }
}

TEST(StartUp, ACommandLineDocumentOpensFirstAndTheDefaultOneBecomesCurrent)
{
    ProgramFixture fx;
    ASSERT_TRUE(fx.ok());
    const QString other = fx.makeDocument(QStringLiteral("Other Map.zor"));
    fx.setView(0, 25000, ProgramFixture::CenterX, ProgramFixture::CenterY);
    ui::DialogScript script;
    script.answerButton(ui::vbNo); // the other document has no saved view
    DialogPlayer player;
    ASSERT_EQ(mdlMain::Main(optionsFor(fx, QLatin1Char('"') + other + QLatin1Char('"'))),
        app::StartResult::Running);
    ASSERT_EQ(script.requests().size(), 1u);

    QList<QWidget *> maps;
    for (QWidget *w : ui::WindowRegistry::instance().forms()) {
        if (ui::WindowRegistry::nameOf(w) == QStringLiteral("frmZorvik"))
            maps << w;
    }
    ASSERT_EQ(maps.size(), 2);
    EXPECT_EQ(maps[0]->windowTitle(), other);
    EXPECT_EQ(gfrmZorvik->widget(), maps[1]);
    EXPECT_EQ(QDir::cleanPath(QDir::currentPath()), QDir::cleanPath(fx.folder()));

    // Closing the other window leaves the current map running.
    zorvik::Zorvik *current = gobjZor;
    ui::WindowRegistry::instance().unload(maps[0]);
    test::flushDeletions();
    EXPECT_EQ(gintMapInit, 1);
    EXPECT_EQ(gobjZor, current);
    EXPECT_TRUE(gfrmMain->mnuView->menuAction()->isEnabled());
    test::exitProgram();
    EXPECT_EQ(script.requests().size(), 1u);
}
