// The statistics map window's tool bar without a map engine: the save and
// load paths of statistics map files through the file dialogs, mode 99, the
// move and data-reference switches, and the two small dialogs. The drawing
// procedures of the map kinds are replaced by a recorder, so "drawn" means
// handed to a map kind's procedure.
#include "analysisfixtures.h"
#include "platform/archive/lhawriter.h"
#include "platform/archive/modlha.h"
#include "platform/fs/fs.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "statrender/globals.h"
#include "statrender/mapkindtable.h"
#include "statwindow/frmpsymaparea.h"
#include "statwindow/frmpsyresize.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindow/statmapfile.h"
#include "statwindow/statwindowregistration.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <gtest/gtest.h>

namespace fake {
// One of the statistics map's legend pop-ups, known by its name only: still
// loaded means the map was not cleared.
class frmPSYHanreiOne : public QWidget
{
    Q_OBJECT
};

// The data reference window, known by its name only.
class frmPSYDataSanshou : public QWidget
{
    Q_OBJECT
};
} // namespace fake

namespace {

using namespace veltra;
using test::u;
using ui::WindowRegistry;

// One scripted answer: a cancelled dialog, a button or a chosen file.
struct Answer
{
    bool cancelled = false;
    int button = 0;
    QString file;
};

void queue(ui::DialogScript &script, const std::vector<Answer> &answers)
{
    for (const Answer &a : answers) {
        if (a.cancelled)
            script.answerCancel();
        else if (a.file.isEmpty())
            script.answerButton(a.button);
        else
            script.answerText(a.file);
    }
}

test::TreeSnapshot snapshot(const QString &folder)
{
    test::TreeSnapshot files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path.mid(folder.size())] = test::readBytes(path);
    }
    return files;
}

class StatMapToolBar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(privateTemp.path()));
        shell::setProgramFolder(dir.path() + QStringLiteral("program/"));
        QDir().mkpath(shell::programFolder());
        gstrDataPath = dir.path() + QStringLiteral("data/");
        db = gstrDataPath + QStringLiteral("DB/");
        ASSERT_TRUE(QDir().mkpath(db + QStringLiteral("TempPImage")));
        statdata::MeshDatabase mesh;
        ASSERT_TRUE(mesh.create(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
        mesh.close();
        statwindow::registerStatisticsWindow();
        for (QString *limit : {&gstrLimitPie, &gstrLimitBar, &gstrLimitSymbol, &gstrLimitPyramid})
            *limit = QStringLiteral("100");
        auto &table = statrender::mapKindTable();
        for (int kind = 1; kind <= 8; ++kind)
            table.procedures[kind]
                = [this](statrender::MapKindCall &call) { drawn << QFileInfo(call.dataPath).fileName(); };
        table.procedures[1]
            = [this](statrender::MapKindCall &call) { drawn << call.header.at(1).section(',', 7, 7); };
    }
    void TearDown() override
    {
        WindowRegistry::instance().deleteAll();
        if (savedTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
    }

    // Analysis pair `number` (a pie over two areas) with its picture.
    void pair(int number, const QString &picture = QString()) const
    {
        const QString n = QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
        test::writeAnalysisFile(db + QStringLiteral("tempheader%1.hed").arg(n),
            {QStringLiteral("H1,0,0,50000,20240401,\"\",\"\",tempdata%1.dat").arg(n),
                QStringLiteral("H2,4,13,0,0,1,0,2,2,1,0,0,0"), QStringLiteral("H3,\"\",\"\",0,,\"\",0,0"),
                QStringLiteral("H4,0,0,0,0,\"\""), u("H5,\"総人口\",255,20201001,20201001")});
        test::writeAnalysisFile(db + QStringLiteral("tempdata%1.dat").arg(n),
            {test::dataLine("1", "2", "0", "0", u("区") + n, {"5"}),
                test::dataLine("3", "4", "0", "0", u("市") + n, {"7"})});
        if (!picture.isEmpty())
            test::writeBytes(db + QStringLiteral("TempPImage/") + picture, "BM" + n.toLatin1());
    }
    QStringList tempFoldersLeft() const
    {
        return QDir(fs::tempFolder())
            .entryList({statwindow::extractionFolderPrefix() + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden);
    }
    static frmStatisticsMap *window() { return ui::form<frmStatisticsMap>(); }
    static bool compact(const frmStatisticsMap *w)
    {
        return w->FrameAnaRange->isHidden() && !w->cmdSave->isHidden() && !w->cmdReDisp->isHidden();
    }
    QString saveTo(const QString &name)
    {
        ui::DialogScript script;
        script.answerText(dir.file(name));
        script.answerButton(ui::vbYes);
        window()->cmdSave_Click();
        EXPECT_EQ(script.unanswered(), 0);
        return dir.file(name);
    }

    test::RunStateGuard guard;
    test::TempDir dir;
    test::TempDir privateTemp;
    QByteArray savedTmp;
    QString db;
    QStringList drawn;
};

TEST_F(StatMapToolBar, SaveClearAndLoadGiveBackTheSameFilesAndTheCompactToolBar)
{
    pair(0, QStringLiteral("13101.bmp"));
    pair(1);
    test::writeBytes(
        db + QStringLiteral("TempPImage/.13102.bmp"), "BM"); // hidden files belong to the map too
    test::writeBytes(db + QStringLiteral("01.csv"), "cache"); // the outline cache does not
    const test::TreeSnapshot before = snapshot(db);
    const QString file = saveTo(QStringLiteral("map.tok"));
    ASSERT_TRUE(QFile::exists(file));

    window()->cmdObjClear_Click();
    EXPECT_TRUE(statwindow::statMapMembers(gstrDataPath).isEmpty());
    EXPECT_TRUE(test::entriesOf(db + QStringLiteral("TempPImage")).isEmpty());

    ui::DialogScript script;
    script.answerText(file);
    script.answerButton(ui::vbYes);
    window()->cmdLoad_Click();
    ASSERT_EQ(script.requests().size(), 2u) << script.requests().back().prompt.toStdString();
    EXPECT_EQ(script.requests()[0].kind, ui::DialogKind::OpenFile);
    EXPECT_EQ(script.requests()[0].filter, u("統計地図ファイル (*.tok) (*.tok)"));
    EXPECT_EQ(script.requests()[1].prompt, file + u("を読み込みます。よろしいですか？"));
    EXPECT_EQ(script.requests()[1].title, u("読み込み"));
    EXPECT_EQ(script.requests()[1].buttons, ui::vbYesNo + ui::vbQuestion);

    test::TreeSnapshot expected = before;
    expected.erase(QStringLiteral("01.csv"));
    test::TreeSnapshot after = snapshot(db);
    after.erase(QStringLiteral("Mesh.sqlite"));
    expected.erase(QStringLiteral("Mesh.sqlite"));
    EXPECT_EQ(test::treeDifferences(expected, after), "");
    EXPECT_EQ(drawn, (QStringList{"tempdata000.dat", "tempdata001.dat"}));
    EXPECT_TRUE(compact(window()));
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYWait")));
    EXPECT_TRUE(tempFoldersLeft().isEmpty());
}

TEST_F(StatMapToolBar, TheSaveQuestionAndItsFailuresAreReportedAndAnOldFileStaysAsItWas)
{
    struct Row
    {
        const char *name;
        bool analyses; // DB holds a map
        QString target; // relative to the test folder
        std::vector<Answer> answers;
        QStringList prompts; // the message boxes shown, in order
        bool written;
    };
    const auto text = [this](const QString &name) { return Answer{false, 0, dir.file(name)}; };
    const Answer yes{false, ui::vbYes, {}};
    const Answer no{false, ui::vbNo, {}};
    const Answer cancel{true, 0, {}};
    const Row rows[] = {
        {"cancel the save dialog", true, "a.tok", {cancel}, {}, false},
        {"answer No", true, "a.tok", {text("a.tok"), no},
            {dir.file("a.tok") + u("へ保存します。よろしいですか？")}, false},
        {"no extension gets .tok", true, "b.tok", {text("b"), yes},
            {dir.file("b.tok") + u("へ保存します。よろしいですか？")}, true},
        {"nothing to save", false, "c.tok", {}, {u("保存する統計地図がありません。")}, false},
        {"a folder that does not exist", true, "none/d.tok", {text("none/d.tok"), yes},
            {dir.file("none/d.tok") + u("へ保存します。よろしいですか？"),
                u("統計地図ファイルを保存できませんでした：")},
            false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        fs::deleteFiles(db + QStringLiteral("*.hed"));
        fs::deleteFiles(db + QStringLiteral("*.dat"));
        if (row.analyses)
            pair(0);
        ui::DialogScript script;
        queue(script, row.answers);
        window()->cmdSave_Click();
        QStringList prompts;
        for (const ui::DialogRequest &r : script.requests()) {
            if (r.kind == ui::DialogKind::MessageBox)
                prompts << r.prompt;
        }
        ASSERT_EQ(prompts.size(), row.prompts.size()) << prompts.join(" | ").toStdString();
        for (int i = 0; i < prompts.size(); ++i)
            EXPECT_TRUE(prompts[i].startsWith(row.prompts[i])) << prompts[i].toStdString();
        EXPECT_EQ(QFile::exists(dir.file(row.target)), row.written);
        EXPECT_EQ(script.pending(), 0);
    }
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.veltra-*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(StatMapToolBar, SavingOverAnOlderFileLeavesOnlyTheCurrentMembers)
{
    pair(0, QStringLiteral("01.bmp"));
    pair(1);
    const QString file = saveTo(QStringLiteral("map.tok"));
    fs::deleteFiles(db + QStringLiteral("*.hed"));
    fs::deleteFiles(db + QStringLiteral("*.dat"));
    fs::deleteFiles(db + QStringLiteral("TempPImage/*.bmp"));
    pair(2);
    saveTo(QStringLiteral("map.tok"));

    statwindow::StatMapExtraction extraction(file);
    ASSERT_TRUE(extraction.ok());
    EXPECT_EQ(test::entriesOf(extraction.folder()), (QStringList{"tempdata002.dat", "tempheader002.hed"}));
}

TEST_F(StatMapToolBar, BadChoicesInTheLoadPathLeaveTheMapAndItsFilesAlone)
{
    pair(0, QStringLiteral("01.bmp"));
    test::writeBytes(dir.file("text.tok"), "not an archive\r\n");
    QString good = saveTo(QStringLiteral("good.tok"));
    struct Row
    {
        const char *name;
        std::vector<Answer> answers;
        QString prompt, title; // the message, or none
    };
    const Answer yes{false, ui::vbYes, {}};
    const Row rows[] = {
        {"cancel the open dialog", {{true, 0, {}}}, {}, {}},
        {"a missing file", {{false, 0, dir.file("missing.tok")}},
            u("ファイルが見つかりません。ファイルが存在するかどうか確認してください。"), u("確認")},
        {"a text file named .tok", {{false, 0, dir.file("text.tok")}, yes},
            u("正しく認識できませんでした。ファイルが正しいか確認してください"), u("ファイル確認")},
        {"answer No", {{false, 0, good}, {false, ui::vbNo, {}}}, {}, {}},
    };
    const test::TreeSnapshot before = snapshot(db);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ui::form<fake::frmPSYHanreiOne>();
        ui::DialogScript script;
        queue(script, row.answers);
        window()->cmdLoad_Click();
        EXPECT_EQ(script.pending(), 0);
        std::vector<ui::DialogRequest> notices;
        for (const ui::DialogRequest &r : script.requests()) {
            if (r.kind == ui::DialogKind::MessageBox && r.buttons == ui::vbInformation)
                notices.push_back(r);
        }
        ASSERT_EQ(notices.size(), row.prompt.isEmpty() ? 0u : 1u);
        if (!row.prompt.isEmpty()) {
            EXPECT_EQ(notices[0].prompt, row.prompt);
            EXPECT_EQ(notices[0].title, row.title);
        }
        EXPECT_EQ(test::treeDifferences(before, snapshot(db)), "");
        EXPECT_TRUE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYHanreiOne")));
        EXPECT_TRUE(drawn.isEmpty());
        EXPECT_FALSE(compact(window()));
        EXPECT_TRUE(tempFoldersLeft().isEmpty());
        EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYWait")));
    }
}

TEST_F(StatMapToolBar, ArchivesOfPicturesOnlyOrHostileNamesLoadIntoDbAndTwoLoadsInAMinuteBothWork)
{
    const QString source = dir.path() + QStringLiteral("src/");
    QDir().mkpath(source);
    test::writeBytes(source + QStringLiteral("05.bmp"), "BM05");
    test::writeBytes(source + QStringLiteral("x.hed"), "H1,0,0,1,20240401,\"\",\"\",tempdata009.dat\r\n");
    test::writeBytes(source + QStringLiteral("notes.txt"), "dropped");
    QString message;
    const QString pictures = dir.file("pictures.tok");
    ASSERT_TRUE(archive::addFile(pictures, source + "05.bmp", "05.bmp", &message)) << message.toStdString();
    ASSERT_TRUE(archive::addFile(pictures, source + "notes.txt", "notes.txt", &message));
    const QString hostile = dir.file("hostile.tok");
    ASSERT_TRUE(archive::addFile(hostile, source + "x.hed", "../x.hed", &message)) << message.toStdString();

    pair(0);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        drawn.clear();
        ui::DialogScript script;
        script.answerText(pictures);
        script.answerButton(ui::vbYes);
        window()->cmdLoad_Click();
        EXPECT_EQ(script.requests().size(), 2u);
        EXPECT_EQ(test::entriesOf(db), (QStringList{"Mesh.sqlite", "TempPImage"}))
            << "the old map is cleared";
        EXPECT_EQ(test::readBytes(db + "TempPImage/05.bmp"), "BM05");
        EXPECT_TRUE(drawn.isEmpty());
    }

    ui::DialogScript script;
    script.answerText(hostile);
    script.answerButton(ui::vbYes);
    script.answerButton(ui::vbOK); // the drawing's own report on the short file
    window()->cmdLoad_Click();
    EXPECT_TRUE(QFile::exists(db + QStringLiteral("x.hed")));
    EXPECT_FALSE(QFile::exists(gstrDataPath + QStringLiteral("x.hed")));
    EXPECT_TRUE(tempFoldersLeft().isEmpty());
}

TEST_F(StatMapToolBar, ModeNinetyNineDrawsAFileOverTheMapWithTheWindowHidden)
{
    pair(3);
    const QString file = saveTo(QStringLiteral("story.tok"));
    WindowRegistry::instance().unload(QStringLiteral("frmStatisticsMap"));
    test::flushDeletes();
    fs::deleteFiles(db + QStringLiteral("*.hed"));
    fs::deleteFiles(db + QStringLiteral("*.dat"));
    pair(5);
    ui::form<fake::frmPSYHanreiOne>();

    ui::DialogScript script;
    shell::changeMode(ModeStatMapFile, 0, file);
    EXPECT_TRUE(script.requests().empty());
    EXPECT_EQ(drawn, (QStringList{"tempdata003.dat", "tempdata005.dat"})) << "drawn over what was there";
    ASSERT_TRUE(WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")));
    EXPECT_TRUE(window()->isHidden());
    EXPECT_FALSE(compact(window()));
    EXPECT_TRUE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYHanreiOne")));
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYWait")));
    EXPECT_EQ(gintModeNo, 0);

    drawn.clear();
    test::writeBytes(dir.file("text.tok"), "plain text");
    const test::TreeSnapshot before = snapshot(db);
    shell::changeMode(ModeStatMapFile, 0, dir.file("text.tok"));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(
        script.requests()[0].prompt, u("正しく認識できませんでした。ファイルが正しいか確認してください"));
    EXPECT_TRUE(drawn.isEmpty());
    EXPECT_EQ(test::treeDifferences(before, snapshot(db)), "");
    EXPECT_TRUE(tempFoldersLeft().isEmpty());
}

class StatMapSwitches : public StatMapToolBar
{
protected:
    void SetUp() override
    {
        StatMapToolBar::SetUp();
        frame = new frmMain;
        gfrmMain = frame;
        map = new zorvik::Zorvik;
        gobjZor = map;
        auto &registry = shell::modeRegistry();
        registry.operationRoom().selectFirstMapMode = [this] { log << "option 0"; };
        for (std::int16_t mode : {ModeMoveStatElements, ModeStatElementSanshou})
            registry.setHandler(mode, [this, mode](std::int16_t &state, zorvik::Zorvik *) {
                log << QStringLiteral("%1 %2 sub %3 move %4 mouse %5")
                           .arg(mode)
                           .arg(state)
                           .arg(gintModeSub)
                           .arg(gintPsyMoveState)
                           .arg(map->MouseEventMode());
            });
    }
    void TearDown() override
    {
        gobjZor = nullptr;
        delete map;
        gfrmMain = nullptr;
        delete frame;
        StatMapToolBar::TearDown();
    }
    void tick(QCheckBox *box) { box->click(); }

    frmMain *frame = nullptr;
    zorvik::Zorvik *map = nullptr;
    QStringList log;
};

TEST_F(StatMapSwitches, MoveAndDataReferenceExcludeEachOtherThroughTheDispatcher)
{
    frmStatisticsMap *w = window();
    w->ShowCompactToolBar(1000);
    QAction *normal = frame->toolButton(QStringLiteral("TB_NORMAL"));
    ASSERT_NE(normal, nullptr);
    normal->setChecked(false);

    tick(w->chkObjMove);
    EXPECT_TRUE(normal->isChecked());
    EXPECT_EQ(log, (QStringList{"option 0", "80 0 sub 0 move 0 mouse 4"}));
    EXPECT_EQ(gintModeNo, ModeMoveStatElements);
    EXPECT_EQ(gintPsyMoveState, 1);

    // Data reference while moving: the move ends (sub-type -1, state 0)
    // before mode 82 starts, and mode 80 gets no second leave.
    log.clear();
    tick(w->chkDataSansho);
    EXPECT_FALSE(w->chkObjMove->isChecked());
    EXPECT_EQ(log,
        (QStringList{"80 -1 sub 0 move 1 mouse 4", "80 0 sub -1 move 1 mouse 4", "option 0",
            "82 0 sub 0 move 0 mouse 4"}));
    EXPECT_EQ(gintModeNo, ModeStatElementSanshou);

    // Moving while the data reference is on: its window goes and mode 82 is
    // left normally.
    log.clear();
    ui::form<fake::frmPSYDataSanshou>();
    tick(w->chkObjMove);
    EXPECT_FALSE(w->chkDataSansho->isChecked());
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYDataSanshou")));
    EXPECT_EQ(log, (QStringList{"option 0", "82 -1 sub 0 move 0 mouse 4", "80 0 sub 0 move 0 mouse 4"}));
    EXPECT_EQ(gintPsyMoveState, 1);

    // Unticking the move keeps mode 80 with sub-type -1 and the normal mouse.
    log.clear();
    tick(w->chkObjMove);
    EXPECT_EQ(gintModeNo, ModeMoveStatElements);
    EXPECT_EQ(gintModeSub, -1);
    EXPECT_EQ(gintPsyMoveState, 0);
    EXPECT_EQ(map->MouseEventMode(), 0);

    // Unticking the data reference only closes its window.
    tick(w->chkDataSansho);
    ui::form<fake::frmPSYDataSanshou>();
    log.clear();
    tick(w->chkDataSansho);
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYDataSanshou")));
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(gintModeNo, ModeStatElementSanshou);
}

TEST_F(StatMapSwitches, LeavingTheDataReferenceModeUnticksTheSwitchAndClosesTheDataWindow)
{
    const auto untick = shell::modeRegistry().statistics().untickDataSansho;
    ASSERT_TRUE(untick);
    frmStatisticsMap *w = window();
    w->ShowCompactToolBar(1000);
    tick(w->chkDataSansho);
    ui::form<fake::frmPSYDataSanshou>();

    untick();
    EXPECT_FALSE(w->chkDataSansho->isChecked());
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYDataSanshou")));

    // With the window gone there is nothing to untick, and nothing is loaded for it.
    WindowRegistry::instance().unload(w);
    untick();
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")));
}

TEST_F(StatMapSwitches, TheSizeButtonOpensOneModelessDialogOwnedByTheFrame)
{
    window()->cmdReSize->click();
    window()->cmdReSize->click();
    auto *dialog
        = qobject_cast<frmPSYReSize *>(WindowRegistry::instance().find(QStringLiteral("frmPSYReSize")));
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), frame);
    EXPECT_EQ(dialog->windowTitle(), u("サイズ変更"));
}

TEST_F(StatMapToolBar, TheLevelChooserAnswersMinusOneUnlessSearchIsPressed)
{
    struct Row
    {
        const char *name;
        int option; // -1: the start option
        int close; // 0 検索, 1 終了, 2 title bar, 3 Esc
        std::int16_t index;
        std::int32_t level;
    };
    const Row rows[] = {
        {"検索 at the start", -1, 0, 0, 1},
        {"市区町村別", 1, 0, 1, 2},
        {"町丁字別", 2, 0, 2, 3},
        {"終了", 2, 1, -1, 7},
        {"title bar", 1, 2, -1, 7},
        {"Esc", 1, 3, -1, 7},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        glngAreaSelectLevel = 7;
        frmPSYMapArea::SelectIndex = 5;
        auto *dialog = ui::form<frmPSYMapArea>();
        EXPECT_EQ(frmPSYMapArea::SelectIndex, -1);
        EXPECT_TRUE(dialog->optHani[0]->isChecked());
        if (row.option >= 0)
            dialog->optHani[row.option]->setChecked(true);
        switch (row.close) {
        case 0:
            dialog->cmdSearch->click();
            break;
        case 1:
            dialog->cmdCancel->click();
            break;
        case 2:
            dialog->close();
            break;
        default:
            dialog->reject();
            break;
        }
        test::flushDeletes();
        EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYMapArea")));
        EXPECT_EQ(frmPSYMapArea::SelectIndex, row.index);
        EXPECT_EQ(glngAreaSelectLevel, row.level);
    }
}

} // namespace

#include "statmaptoolbar_test.moc"
