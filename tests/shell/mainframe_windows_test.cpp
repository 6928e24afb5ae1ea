// The main frame's caption and captions from the string table, the status
// text, the wait dialog's cancel protocol and the small windows of the shell.
#include "platform/profile/profile.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/compsy.h"
#include "shell/frmdirection2.h"
#include "shell/frmmain.h"
#include "shell/frmpsyank.h"
#include "shell/frmpsyinfo.h"
#include "shell/frmpsywait.h"
#include "shell/frmselectzor.h"
#include "shell/frmtest2.h"
#include "shell/globals.h"
#include "shell/mdlmain_ui.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "shell/stringtable.h"
#include "testsupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace veltra;

TEST(MainFrame, CaptionIsTitleTwoSpacesAndVersionWithMinorAndRevisionRunTogether)
{
    struct Row
    {
        int major, minor, revision;
        const char *caption;
    };
    for (const Row &row :
        {Row{1, 2, 5, "Veltra  v1.25"}, Row{0, 1, 0, "Veltra  v0.10"}, Row{3, 10, 12, "Veltra  v3.1012"}}) {
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(shell::frameCaption(QStringLiteral("Veltra"), row.major, row.minor, row.revision),
            QString::fromLatin1(row.caption));
    }
}

TEST(StringTable, HoldsTheMenuTextsAndOnlyThem)
{
    using shell::StringLanguage;
    EXPECT_EQ(shell::loadResString(1309), QStringLiteral("凡例"));
    EXPECT_EQ(shell::loadResString(1000), QStringLiteral("ﾌｧｲﾙ"));
    EXPECT_EQ(shell::loadResString(2222), QStringLiteral("統計機能"));
    EXPECT_EQ(shell::loadResString(1151), QStringLiteral("ストーリー＆テンプレートダウンロード"));
    EXPECT_EQ(shell::loadResString(1000, StringLanguage::English), QStringLiteral("File(&F)"));
    EXPECT_EQ(shell::loadResString(1001, StringLanguage::English), QStringLiteral("編集"));
    EXPECT_FALSE(shell::loadResString(20).has_value());
    EXPECT_FALSE(shell::loadResString(21).has_value());
    EXPECT_FALSE(shell::loadResString(2401).has_value());
}

TEST(LocalizeForm, ReplacesNumbersFoundInTheTableAndLeavesEverythingElse)
{
    QWidget form;
    form.setProperty("Tag", QStringLiteral("1011"));
    QMenu menu(&form);
    QAction *legend = menu.addAction(QStringLiteral("1309"));
    QAction *photo = menu.addAction(QStringLiteral("写真添付"));
    QAction *unknown = menu.addAction(QStringLiteral("2401"));
    auto *tagged = new QLabel(QStringLiteral("design"), &form);
    tagged->setProperty("Tag", QStringLiteral("1101"));
    auto *untagged = new QLabel(QStringLiteral("design"), &form);
    auto *button = new QPushButton(QStringLiteral("design"), &form);
    button->setProperty("Tag", QStringLiteral("1109 exit"));
    button->setToolTip(QStringLiteral("1306"));
    auto *plain = new QPushButton(QStringLiteral("design"), &form);
    plain->setProperty("Tag", QStringLiteral("abc"));
    plain->setToolTip(QStringLiteral("tip"));

    mdlMain::LocalizeForm(form);

    EXPECT_EQ(form.windowTitle(), QStringLiteral("ﾍﾙﾌﾟ"));
    EXPECT_EQ(legend->text(), QStringLiteral("凡例"));
    EXPECT_EQ(photo->text(), QStringLiteral("写真添付"));
    EXPECT_EQ(unknown->text(), QStringLiteral("2401"));
    EXPECT_EQ(tagged->text(), QStringLiteral("地図データの保存"));
    EXPECT_EQ(untagged->text(), QStringLiteral("design"));
    EXPECT_EQ(button->text(), QStringLiteral("終了"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("再表示"));
    EXPECT_EQ(plain->text(), QStringLiteral("design"));
    EXPECT_EQ(plain->toolTip(), QStringLiteral("tip"));
}

TEST(MainFrame, LoadsWithLocalisedMenusAndWritesStatusPanels)
{
    test::TempDir dir;
    gstrIniPath = dir.file(QStringLiteral("ZORPAK.INI"));
    gstrTitle = QStringLiteral("Veltra");
    ui::DialogScript script;
    EXPECT_FALSE(mdlMain::SetStatusText(1, QStringLiteral("標準"))); // no frame yet
    auto *frame = new frmMain;
    gfrmMain = frame;
    frame->MDIForm_Load();
    EXPECT_TRUE(frame->windowTitle().startsWith(QStringLiteral("Veltra  v")));
    EXPECT_EQ(frame->mnuFile->title(), QStringLiteral("ﾌｧｲﾙ"));
    EXPECT_EQ(frame->mnuFileExit->text(), QStringLiteral("終了"));
    EXPECT_EQ(frame->mnuPrevPosMapDraw->text(), QStringLiteral("前回位置で地図表示"));
    EXPECT_FALSE(frame->mnuFileClose->isEnabled());
    // No map yet: the map menus are off, the file menu is on.
    EXPECT_FALSE(frame->mnuView->menuAction()->isEnabled());
    EXPECT_TRUE(frame->mnuFileSave->isEnabled());
    EXPECT_TRUE(mdlMain::SetStatusText(1, QStringLiteral("標準")));
    EXPECT_EQ(frame->statusPanelText(1), QStringLiteral("標準"));
    EXPECT_FALSE(mdlMain::SetStatusText(9, QStringLiteral("x"))); // eight panels
    EXPECT_FALSE(mdlMain::SetStatusText(0, QStringLiteral("x")));
    EXPECT_FALSE(frame->statusPanel(4)->isEnabled());
    // Without a map window subsystem no map window opens and nothing jumps.
    frame->LoadNewDoc(0);
    EXPECT_EQ(gfrmZorvik, nullptr);
    EXPECT_FALSE(frame->fncSeveAreaJump(5));
    EXPECT_TRUE(frame->fncSeveAreaJump(0));
    ui::WindowRegistry::instance().unload(frame);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gfrmMain, nullptr);
}

TEST(WaitDialog, CancelProtocolOfTheConfirmingCheck)
{
    struct Row
    {
        std::int16_t flag;
        int answer; // 0: no question expected
        bool stops;
        std::int16_t after;
    };
    const Row rows[] = {
        {0, 0, false, 0},
        {-1, 0, false, -1},
        {1, ui::vbYes, true, 2},
        {1, ui::vbNo, false, 0},
        {2, 0, true, 2},
        {3, 0, true, 3},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.flag);
        ui::DialogScript script;
        if (row.answer)
            script.answerButton(row.answer);
        gintWaitCancel = row.flag;
        EXPECT_EQ(ComPSY::PSY_CheckCancel(), row.stops);
        EXPECT_EQ(gintWaitCancel, row.after);
        ASSERT_EQ(script.requests().size(), row.answer ? 1u : 0u);
        if (row.answer) {
            EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("処理を中止します。よろしいですか？"));
            EXPECT_EQ(script.requests()[0].buttons, ui::vbYesNo | ui::vbQuestion);
        }
    }
    gintWaitCancel = 0;
}

TEST(WaitDialog, LoadingResetsTheFlagAndCancelRequests)
{
    gintWaitCancel = 2;
    auto *wait = ui::form<frmPSYWait>();
    EXPECT_EQ(gintWaitCancel, 0);
    EXPECT_EQ(wait->windowTitle(), QStringLiteral("しばらくお待ちください・・・"));
    EXPECT_FALSE(wait->cmdCancel->isVisibleTo(wait));
    wait->cmdCancel->setVisible(true);
    wait->cmdCancel->click();
    EXPECT_EQ(gintWaitCancel, 1);
    ui::WindowRegistry::instance().unload(wait);
    gintWaitCancel = 0;
}

TEST(UnloadFormsExcept, UnloadsEveryOtherWindow)
{
    auto *keep = ui::form<frmPSYInfo>();
    ui::form<frmDirection2>();
    ui::form<frmPSYWait>();
    ComPSY::PSY_UnloadFormsExcept(QStringLiteral("frmPSYInfo"));
    ASSERT_EQ(ui::WindowRegistry::instance().forms().size(), 1);
    EXPECT_EQ(ui::WindowRegistry::instance().forms().front(), keep);
    ui::WindowRegistry::instance().unload(keep);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SmallWindows, InitialDisplayChoice)
{
    {
        frmPSYInfo info;
        EXPECT_TRUE(info.bZenkai);
        EXPECT_TRUE(info.optInfo[0]->isChecked());
        EXPECT_EQ(shell::execModal(info), QDialog::Rejected); // closed without OK: headless, no hook
        EXPECT_TRUE(info.bZenkai);
    }
    {
        frmPSYInfo info;
        info.optInfo[1]->setChecked(true);
        info.Command1_Click();
        EXPECT_FALSE(info.bZenkai);
        EXPECT_EQ(info.result(), QDialog::Accepted);
    }
}

TEST(SmallWindows, DirectionCodesFollowTheNumericKeypad)
{
    const int expected[9] = {107, 108, 109, 104, 105, 106, 101, 102, 103};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        frmDirection2 picker;
        picker.Command1[static_cast<std::size_t>(i)]->click();
        EXPECT_EQ(picker.sValue, QString::number(expected[i]));
    }
    frmDirection2 closed;
    closed.reject();
    EXPECT_TRUE(closed.sValue.isEmpty());
}

TEST(SmallWindows, QuestionnaireRecordsOnlyAnAnswer)
{
    struct Row
    {
        int option;
        const char *flag;
    };
    for (const Row &row : {Row{0, "1"}, Row{1, "1"}, Row{2, "0"}}) {
        SCOPED_TRACE(row.option);
        test::TempDir dir;
        gstrIniPath = dir.file(QStringLiteral("ZORPAK.INI"));
        gstrDataPath = dir.path();
        gstrUseUrl.clear();
        ASSERT_TRUE(profile::writeString(
            QStringLiteral("USE"), QStringLiteral("FLG"), QStringLiteral("0"), gstrIniPath));
        frmPSYAnk ank;
        EXPECT_TRUE(ank.Option1[0]->isChecked());
        ank.Option1[static_cast<std::size_t>(row.option)]->setChecked(true);
        ank.Command1_Click();
        EXPECT_EQ(profile::getString(QStringLiteral("USE"), QStringLiteral("FLG"), QString(), gstrIniPath),
            QString::fromLatin1(row.flag));
    }
}

TEST(SmallWindows, DocumentChooserListsTheFolderAndRemembersIt)
{
    test::TempDir program;
    test::TempDir docs;
    gstrIniPath = program.file(QStringLiteral("ZORPAK.INI"));
    for (const char *name : {"a.b.zor", "c.zor", "d.txt"})
        test::writeBytes(docs.file(QString::fromLatin1(name)), "x");
    ASSERT_TRUE(
        profile::writeString(QStringLiteral("DirList"), QStringLiteral("Path"), docs.path(), gstrIniPath));
    const QString oldCurrent = QDir::currentPath();
    {
        frmSelectZor chooser;
        QStringList names;
        for (int i = 0; i < chooser.ListView1->count(); ++i)
            names << chooser.ListView1->item(i)->text();
        names.sort();
        EXPECT_EQ(names, (QStringList{QStringLiteral("a.b"), QStringLiteral("c")}));
        chooser.Command1_Click(0); // nothing selected: nothing happens
        EXPECT_EQ(gintSelectZor, 0);
        chooser.ListView1->setCurrentItem(
            chooser.ListView1->findItems(QStringLiteral("a.b"), Qt::MatchExactly).front());
        chooser.Command1_Click(0);
        EXPECT_EQ(gintSelectZor, -1);
        EXPECT_EQ(gstrDocPath, docs.path() + QStringLiteral("a.b.zor"));
    }
    // A remembered folder that is gone: nothing is written back on Cancel.
    ASSERT_TRUE(profile::writeString(QStringLiteral("DirList"), QStringLiteral("Path"),
        docs.path() + QStringLiteral("gone/"), gstrIniPath));
    const QByteArray before = test::readBytes(gstrIniPath);
    {
        frmSelectZor chooser;
        EXPECT_TRUE(chooser.folder().isEmpty());
        chooser.Command1_Click(1);
        EXPECT_EQ(gintSelectZor, 0);
    }
    EXPECT_EQ(test::readBytes(gstrIniPath), before);
    QDir::setCurrent(oldCurrent);
    gstrDocPath.clear();
}

TEST(SmallWindows, GridWindowCopiesAndWritesTheGrid)
{
    QTableWidget source(2, 3);
    source.setItem(0, 0, new QTableWidgetItem(QStringLiteral("番号")));
    source.setItem(0, 1, new QTableWidgetItem(QStringLiteral("名前")));
    source.setItem(1, 0, new QTableWidgetItem(QStringLiteral("1")));
    source.setItem(1, 1, new QTableWidgetItem(QStringLiteral("say \"hi\"")));
    frmTest2 grid;
    grid.SetSpread(source);
    EXPECT_EQ(grid.MSFlexGrid1->rowCount(), 2);
    EXPECT_EQ(grid.MSFlexGrid1->columnCount(), 3);
    EXPECT_EQ(grid.MSFlexGrid1->columnWidth(0), ui::twipsToPixelsX(400));
    EXPECT_EQ(grid.MSFlexGrid1->columnWidth(1), ui::twipsToPixelsX(1600));
    test::TempDir dir;
    ASSERT_TRUE(grid.writeGrid(dir.file(QStringLiteral("OutPut.txt"))));
    const QByteArray expected
        = QByteArray("\"\x94\xd4\x8d\x86,\x96\xbc\x91\x4f,\"\r\n") + "\"1,say \"\"hi\"\",\"\r\n";
    EXPECT_EQ(test::readBytes(dir.file(QStringLiteral("OutPut.txt"))), expected);
}
