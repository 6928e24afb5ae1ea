// What the user is told when the map document or the program's own settings
// cannot be written: a map save that wrote nothing says so with the file and
// never "保存終了"; a failed settings write is told once in a run. Every
// failure here also stops a process running as root.
#include "app/instancelock.h"
#include "app/mdlmain_main.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "programfixture.h"
#include "shell/frmmain.h"
#include "shell/frmoptions.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "zorvik/widget/zorvik.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::ProgramFixture;

namespace {

// The program folder moved aside and a regular file put in its place: no
// file of the folder can be written until restore().
class BlockedFolder
{
public:
    explicit BlockedFolder(const QString &folder)
        : m_folder(QDir::cleanPath(folder))
        , m_kept(m_folder + QStringLiteral(".kept"))
    {
        m_ok = QDir().rename(m_folder, m_kept);
        if (m_ok)
            test::writeBytes(m_folder, "not a folder");
    }
    ~BlockedFolder() { restore(); }
    bool ok() const { return m_ok; }
    void restore()
    {
        if (!m_ok)
            return;
        m_ok = false;
        QFile::remove(m_folder);
        QDir().rename(m_kept, m_folder);
    }

private:
    QString m_folder;
    QString m_kept;
    bool m_ok = false;
};

// Byte 18 of a SQLite file is its write version: above 2, SQLite opens the
// file for reading only, whoever runs it.
void markStoreReadOnly(const QString &store)
{
    QFile file(store);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(18));
    ASSERT_EQ(file.write("\x03", 1), 1);
}

std::vector<QString> prompts(const ui::DialogScript &script)
{
    std::vector<QString> out;
    for (const ui::DialogRequest &r : script.requests())
        out.push_back(r.prompt);
    return out;
}

class SaveFailures : public ::testing::Test
{
protected:
    void TearDown() override { test::exitProgram(); }

    void SetUp() override
    {
        ASSERT_TRUE(fx.ok());
        fx.setView(0, 25000, ProgramFixture::CenterX, ProgramFixture::CenterY);
    }

    // Starts the program on `folder`.
    static app::StartResult start(ProgramFixture &folder)
    {
        app::StartOptions options;
        options.lockPath = folder.lockPath();
        options.splashMilliseconds = 0;
        return mdlMain::Main(options);
    }
    app::StartResult start() { return start(fx); }

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
    }

    // The view-date dialog's OK with "today".
    void applyViewDate()
    {
        shell::showViewDateDialog();
        auto *dialog
            = qobject_cast<frmOptions *>(ui::WindowRegistry::instance().find(QStringLiteral("frmOptions")));
        ASSERT_NE(dialog, nullptr);
        dialog->optSetDate[0]->setChecked(true);
        dialog->cmdOK_Click();
    }

    ProgramFixture fx;
    ui::DialogScript script;
    shell::ScopedModalHook noDialogs{[](QDialog &) {}};
};

TEST_F(SaveFailures, ASaveIntoAReadOnlyStoreSaysSoWithTheFileAndNeverSavedEnd)
{
    const QString store = fx.folder() + QStringLiteral("Veltra.zdb");
    markStoreReadOnly(store);
    ASSERT_EQ(start(), app::StartResult::Running);
    ASSERT_EQ(gintMapInit, 1);

    for (const bool withEdit : {false, true}) {
        SCOPED_TRACE(withEdit);
        if (withEdit)
            edit();
        const std::size_t before = script.requests().size();
        script.answerButton(ui::vbYes);
        gfrmMain->mnuFileSave_Click();
        const std::vector<QString> shown = prompts(script);
        ASSERT_EQ(shown.size(), before + 2) << "the question and one answer";
        EXPECT_EQ(shown[before], QStringLiteral("保存しますか？"));
        const QString &answer = shown[before + 1];
        EXPECT_TRUE(answer.startsWith(QStringLiteral("地図データを保存できませんでした。\n")))
            << answer.toStdString();
        EXPECT_TRUE(answer.contains(store)) << answer.toStdString();
        EXPECT_FALSE(answer.contains(QStringLiteral("保存終了")));
        EXPECT_EQ(script.requests().back().buttons, ui::vbExclamation);
        EXPECT_EQ(gobjZor->CanUndo() != 0, withEdit) << "an edit stays unsaved";
    }

    // At the map window's close the failed save names the file too.
    script.answerButton(ui::vbYes);
    script.answerButton(ui::vbCancel);
    test::exitProgram();
    const std::vector<QString> shown = prompts(script);
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_TRUE(shown[5].contains(store)) << shown[5].toStdString();
    EXPECT_TRUE(shown[5].endsWith(QStringLiteral("\n再試行しますか？")));
}

// Settings that cannot be written at the view-date dialog, or first at the
// exit (each map window and the frame store the views and the frame's place),
// are told once.
TEST_F(SaveFailures, SettingsThatCannotBeWrittenAreToldOnceInARun)
{
    for (const bool viaViewDate : {true, false}) {
        SCOPED_TRACE(viaViewDate);
        ProgramFixture run; // a fresh program folder and a fresh start
        ui::DialogScript scoped;
        ASSERT_TRUE(run.ok());
        run.setView(0, 25000, ProgramFixture::CenterX, ProgramFixture::CenterY);
        ASSERT_EQ(start(run), app::StartResult::Running);
        ASSERT_EQ(gintMapInit, 1);
        ASSERT_TRUE(scoped.requests().empty());

        BlockedFolder blocked(run.folder());
        ASSERT_TRUE(blocked.ok());
        if (viaViewDate) {
            applyViewDate();
            ASSERT_EQ(scoped.requests().size(), 1u);
        }
        test::exitProgram();
        ASSERT_EQ(gfrmMain, nullptr);
        const std::vector<QString> shown = prompts(scoped);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(shown[0].startsWith(QStringLiteral("設定を保存できませんでした。\n")))
            << shown[0].toStdString();
        // The first file that failed: the document's view date, else the
        // program's own settings.
        const QString file = viaViewDate ? run.docIniPath() : run.iniPath();
        EXPECT_TRUE(shown[0].contains(file)) << shown[0].toStdString();
        EXPECT_EQ(scoped.requests()[0].buttons, ui::vbExclamation);
        blocked.restore();
    }
}

TEST_F(SaveFailures, AStartCountThatCannotBeWrittenIsToldAndTheRunGoesOn)
{
    ASSERT_EQ(fx.ini(QStringLiteral("USE"), QStringLiteral("COUNT")), QStringLiteral("3"));
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        const std::size_t before = script.requests().size();
        // The lock file is written before the limit, which would refuse it.
        ASSERT_TRUE(app::acquireInstanceLock(fx.lockPath()));
        {
            test::NoFileWrites limit;
            ASSERT_TRUE(limit.ok());
            ASSERT_EQ(start(), app::StartResult::Running);
        }
        ASSERT_EQ(gintMapInit, 1);
        const std::vector<QString> shown = prompts(script);
        ASSERT_EQ(shown.size(), before + 1) << "one report in each run";
        EXPECT_TRUE(shown[before].startsWith(QStringLiteral("設定を保存できませんでした。\n")))
            << shown[before].toStdString();
        EXPECT_TRUE(shown[before].contains(fx.iniPath())) << shown[before].toStdString();
        EXPECT_EQ(fx.ini(QStringLiteral("USE"), QStringLiteral("COUNT")), QStringLiteral("3"));

        // Later failures of the same run say nothing more.
        BlockedFolder blocked(fx.folder());
        ASSERT_TRUE(blocked.ok());
        applyViewDate();
        test::exitProgram();
        EXPECT_EQ(script.requests().size(), before + 1);
        blocked.restore();
        fx.startNewRun();
    }
}

} // namespace
