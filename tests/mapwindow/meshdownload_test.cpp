// The base-map mesh download and removal, end to end: the real frame, map
// window and engine on a temporary program folder, archives made with our
// LHA writer served by a loopback FTP server.
#include "ftptestserver.h"
#include "mapwindow/meshdownload.h"
#include "meshprogram.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QTcpServer>
#include <gtest/gtest.h>
#include <memory>

using namespace veltra;
using test::MeshProgram;
using ui::DialogScript;

namespace {

const QString User = QStringLiteral("veltra");
const QString Password = QStringLiteral("s2500pw");
const QString StartQuestion = QStringLiteral("ダウンロードを開始します。よろしいですか？");
const QString CancelQuestion = QStringLiteral("処理を中止します。よろしいですか？");
const QString BadArchive = QStringLiteral("正しく認識できませんでした。ファイルが正しいか確認してください");
const QString GetFailed = QStringLiteral("FTPダウンロードできませんでした。");

QString lzh(int col, int row)
{
    return MeshProgram::meshName(col, row) + QStringLiteral(".LZH");
}

// The entries of a folder as one text, for readable comparisons.
QString files(const QString &folder)
{
    return test::entriesOf(folder).join(u' ');
}

QString files(QStringList names)
{
    names.sort();
    return names.join(u' ');
}

QStringList pair(int col, int row)
{
    const QString n = MeshProgram::meshName(col, row);
    return {n + QStringLiteral(".mfc"), n + QStringLiteral(".mfv")};
}

// The prompts a script saw, for failure messages.
std::string prompts(const DialogScript &script)
{
    std::string all;
    for (const auto &r : script.requests())
        all += "[" + r.prompt.toStdString() + "] ";
    return all;
}

frmPSYWait *waitDialog()
{
    return qobject_cast<frmPSYWait *>(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYWait")));
}

bool frameEnabled()
{
    return gfrmMain && gfrmMain->menuBar()->isEnabled() && gfrmMain->centralWidget()->isEnabled();
}

class MeshDownload : public ::testing::Test
{
protected:
    // The view centre lies in the low-X, low-Y quarter of the middle mesh.
    MeshDownload()
        : program(MeshProgram::centreX(1) - 600, MeshProgram::centreY(1) - 400)
    { }

    void SetUp() override
    {
        ASSERT_TRUE(program.ok());
        ASSERT_TRUE(QDir(remote.path()).mkpath(QStringLiteral("httpdocs/S2500")));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                ASSERT_TRUE(MeshProgram::writeMeshArchive(
                    remoteFolder(), MeshProgram::meshName(col, row), col, row, newKey(col, row)));
    }

    static QString newKey(int col, int row)
    {
        return QStringLiteral("new ") + MeshProgram::meshName(col, row);
    }
    static QString oldKey(int col, int row)
    {
        return QStringLiteral("old ") + MeshProgram::meshName(col, row);
    }
    QString remoteFolder() const { return remote.path() + QStringLiteral("httpdocs/S2500/"); }

    // Starts the server and configures it as the download server.
    std::unique_ptr<test::FtpTestServer> startServer()
    {
        auto server = std::make_unique<test::FtpTestServer>(remote.path(), User, Password);
        EXPECT_TRUE(server->isRunning()) << server->error().toStdString();
        gtypFtp = FtpServerSettings{server->hostWithPort(), User, Password};
        return server;
    }

    bool writeOld(int col, int row)
    {
        return MeshProgram::writeMeshFiles(
            program.meshFolder(), MeshProgram::meshName(col, row), col, row, oldKey(col, row));
    }

    // The real fetch, counted, with a look at the frame while it runs.
    mapwindow::MeshArchiveFetcher countingFetch()
    {
        return [this](const QString &archive) {
            fetched << archive;
            frameEnabledWhileFetching = frameEnabledWhileFetching || frameEnabled();
            return mapwindow::FetchMeshArchive(archive);
        };
    }

    static QString areaAtMesh(int col, int row)
    {
        return MeshProgram::areaAt(MeshProgram::centreX(col), MeshProgram::centreY(row));
    }

    MeshProgram program;
    test::TempDir remote;
    QStringList fetched;
    bool frameEnabledWhileFetching = false;
};

TEST_F(MeshDownload, ReplacesTheMeshesAroundTheViewAndReopensTheMap)
{
    ASSERT_TRUE(writeOld(0, 0));
    ASSERT_TRUE(writeOld(2, 2));
    program.openMap();
    ASSERT_EQ(gintMapInit, 1);
    EXPECT_EQ(areaAtMesh(0, 0), oldKey(0, 0));
    EXPECT_EQ(areaAtMesh(1, 1), QString());
    const auto server = startServer();
    ASSERT_TRUE(server->isRunning());

    DialogScript script;
    script.answerButton(ui::vbYes);
    mapwindow::MapDataDownload(countingFetch());

    // The mesh of the centre, its diagonal neighbour towards the south-west,
    // then the one to the south and the one to the west.
    EXPECT_EQ(fetched, (QStringList{lzh(1, 1), lzh(0, 0), lzh(1, 0), lzh(0, 1)}));
    EXPECT_FALSE(frameEnabledWhileFetching);
    ASSERT_EQ(script.requests().size(), 1u) << prompts(script);
    EXPECT_EQ(script.requests()[0].prompt, StartQuestion);
    EXPECT_EQ(script.requests()[0].title, QStringLiteral("確認"));
    EXPECT_EQ(script.requests()[0].buttons, ui::vbYesNo | ui::vbQuestion);

    // The reopened map reads the new meshes, keeps the one not fetched, and
    // stands at the view it had.
    ASSERT_EQ(gintMapInit, 1);
    ASSERT_NE(gobjZor, nullptr);
    EXPECT_EQ(gobjZor->CenterX(), MeshProgram::centreX(1) - 600);
    EXPECT_EQ(gobjZor->CenterY(), MeshProgram::centreY(1) - 400);
    for (const auto &[col, row] : {std::pair{1, 1}, {0, 0}, {1, 0}, {0, 1}})
        EXPECT_EQ(areaAtMesh(col, row), newKey(col, row));
    EXPECT_EQ(areaAtMesh(2, 2), oldKey(2, 2));
    EXPECT_EQ(areaAtMesh(2, 1), QString());
    // No archive and no extraction folder is left.
    QStringList expected = pair(0, 0) + pair(0, 1) + pair(1, 0) + pair(1, 1) + pair(2, 2);
    expected.sort();
    EXPECT_EQ(files(program.meshFolder()), files(expected));
    EXPECT_EQ(files(program.data() + QStringLiteral("MeshData")), files(QStringList{QStringLiteral("0")}));
    EXPECT_TRUE(frameEnabled());
    EXPECT_EQ(waitDialog(), nullptr);
}

TEST_F(MeshDownload, CancelIsAskedBetweenArchives)
{
    struct Case
    {
        const char *what;
        int answer;
        QStringList fetched;
    };
    const Case cases[] = {
        {"cancel confirmed", ui::vbYes, {lzh(1, 1)}},
        {"cancel withdrawn", ui::vbNo, {lzh(1, 1), lzh(0, 0), lzh(1, 0), lzh(0, 1)}},
    };
    const auto server = startServer();
    ASSERT_TRUE(server->isRunning());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeOld(0, 0));
        const QByteArray oldBytes = test::readBytes(program.meshFolder() + QStringLiteral("m00.mfv"));
        program.openMap();
        ASSERT_EQ(gintMapInit, 1);
        const shell::MapWindowHost *before = gfrmZorvik;
        fetched.clear();
        bool cancelUsable = false;
        const mapwindow::MeshArchiveFetcher fetch = [&](const QString &archive) {
            fetched << archive;
            const bool ok = mapwindow::FetchMeshArchive(archive);
            // The user presses キャンセル while the first archive comes.
            if (fetched.size() == 1) {
                frmPSYWait *wait = waitDialog();
                cancelUsable = wait && wait->cmdCancel->isVisible() && wait->cmdCancel->isEnabled();
                if (wait)
                    wait->cmdCancel->click();
            }
            return ok;
        };
        DialogScript script;
        script.answerButton(ui::vbYes);
        script.answerButton(c.answer);
        mapwindow::MapDataDownload(fetch);

        EXPECT_TRUE(cancelUsable);
        EXPECT_EQ(fetched, c.fetched);
        ASSERT_EQ(script.requests().size(), 2u) << prompts(script);
        EXPECT_EQ(script.requests()[1].prompt, CancelQuestion);
        EXPECT_EQ(script.requests()[1].buttons, ui::vbYesNo | ui::vbQuestion);
        EXPECT_TRUE(frameEnabled());
        EXPECT_EQ(waitDialog(), nullptr);
        ASSERT_EQ(gintMapInit, 1);
        if (c.answer == ui::vbYes) {
            // The map was never closed; the old mesh is in place and the
            // archive fetched so far stays beside it.
            EXPECT_EQ(gfrmZorvik, before);
            EXPECT_EQ(areaAtMesh(0, 0), oldKey(0, 0));
            EXPECT_EQ(test::readBytes(program.meshFolder() + QStringLiteral("m00.mfv")), oldBytes);
            QStringList expected = pair(0, 0) << lzh(1, 1);
            expected.sort();
            EXPECT_EQ(files(program.meshFolder()), files(expected));
        } else {
            EXPECT_EQ(areaAtMesh(0, 0), newKey(0, 0));
            EXPECT_EQ(areaAtMesh(0, 1), newKey(0, 1));
        }
        // The next row starts from a closed map and an empty mesh folder.
        ui::WindowRegistry::instance().unload(gfrmZorvik->widget());
        test::flushDeletes();
        QDir(program.meshFolder()).removeRecursively();
    }
}

TEST_F(MeshDownload, ABadArchiveKeepsTheOldMeshFilesAndReopensTheMap)
{
    const QByteArray good = test::readBytes(remoteFolder() + lzh(1, 0));
    struct Case
    {
        const char *what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"not an archive", QByteArray("this is no LHA archive")},
        {"cut short", good.left(good.size() - 40)},
    };
    const auto server = startServer();
    ASSERT_TRUE(server->isRunning());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        test::writeBytes(remoteFolder() + lzh(1, 0), c.bytes);
        ASSERT_TRUE(writeOld(0, 0));
        ASSERT_TRUE(writeOld(1, 0));
        const QByteArray old00 = test::readBytes(program.meshFolder() + QStringLiteral("m00.mfv"));
        const QByteArray old10 = test::readBytes(program.meshFolder() + QStringLiteral("m10.mfv"));
        program.openMap();
        ASSERT_EQ(gintMapInit, 1);

        DialogScript script;
        script.answerButton(ui::vbYes);
        mapwindow::MapDataDownload();

        ASSERT_EQ(script.requests().size(), 2u) << prompts(script);
        EXPECT_EQ(script.requests()[1].prompt, BadArchive);
        EXPECT_EQ(script.requests()[1].title, QStringLiteral("ファイル確認"));
        EXPECT_EQ(script.requests()[1].buttons, ui::vbInformation);
        // Nothing of the other archives came in, the old files are whole,
        // and the archives stay for the user to look at.
        EXPECT_EQ(test::readBytes(program.meshFolder() + QStringLiteral("m00.mfv")), old00);
        EXPECT_EQ(test::readBytes(program.meshFolder() + QStringLiteral("m10.mfv")), old10);
        QStringList expected = pair(0, 0) + pair(1, 0);
        expected << lzh(0, 0) << lzh(0, 1) << lzh(1, 0) << lzh(1, 1);
        expected.sort();
        EXPECT_EQ(files(program.meshFolder()), files(expected));
        EXPECT_EQ(
            test::entriesOf(program.data() + QStringLiteral("MeshData")), QStringList{QStringLiteral("0")});
        // The map is back, with the old meshes.
        ASSERT_EQ(gintMapInit, 1);
        EXPECT_EQ(areaAtMesh(0, 0), oldKey(0, 0));
        EXPECT_EQ(areaAtMesh(1, 1), QString());
        EXPECT_TRUE(frameEnabled());
        EXPECT_EQ(waitDialog(), nullptr);

        ui::WindowRegistry::instance().unload(gfrmZorvik->widget());
        test::flushDeletes();
        QDir(program.meshFolder()).removeRecursively();
    }
}

TEST_F(MeshDownload, AFailedConnectionEndsTheCommandWithTheMapOpen)
{
    const auto server = startServer();
    ASSERT_TRUE(server->isRunning());
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refusing = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
    closed.close(); // nothing listens there any more: the connection is refused

    struct Case
    {
        const char *what;
        FtpServerSettings settings;
        QString message; // a part of the message shown
    };
    const Case cases[] = {
        {"no server configured", {}, QStringLiteral("ZORPAK.INI")},
        {"connection refused", {refusing, User, Password}, GetFailed},
        {"login refused", {server->hostWithPort(), User, QStringLiteral("wrong")}, GetFailed},
    };
    ASSERT_TRUE(writeOld(0, 0));
    program.openMap();
    ASSERT_EQ(gintMapInit, 1);
    const shell::MapWindowHost *before = gfrmZorvik;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        gtypFtp = c.settings;
        fetched.clear();
        DialogScript script;
        script.answerButton(ui::vbYes);
        mapwindow::MapDataDownload(countingFetch());
        EXPECT_EQ(fetched, QStringList{lzh(1, 1)});
        ASSERT_EQ(script.requests().size(), 2u) << prompts(script);
        EXPECT_TRUE(script.requests()[1].prompt.contains(c.message))
            << script.requests()[1].prompt.toStdString();
        EXPECT_EQ(gfrmZorvik, before);
        EXPECT_EQ(gintMapInit, 1);
        EXPECT_EQ(areaAtMesh(0, 0), oldKey(0, 0));
        EXPECT_EQ(files(program.meshFolder()), files(pair(0, 0)));
        EXPECT_TRUE(frameEnabled());
        EXPECT_EQ(waitDialog(), nullptr);
    }
}

TEST_F(MeshDownload, AMeshFolderThatCannotBeMadeStopsBeforeAnyFetch)
{
    // A file stands where the mesh folder must be: no one, root included,
    // can put the archives there.
    const QString blocked = program.data() + QStringLiteral("MeshData/0");
    test::writeBytes(blocked, "in the way");
    program.openMap();
    ASSERT_EQ(gintMapInit, 1);
    const shell::MapWindowHost *before = gfrmZorvik;
    const auto server = startServer();
    ASSERT_TRUE(server->isRunning());

    DialogScript script;
    script.answerButton(ui::vbYes);
    mapwindow::MapDataDownload(countingFetch());

    EXPECT_TRUE(fetched.isEmpty());
    ASSERT_EQ(script.requests().size(), 2u) << prompts(script);
    EXPECT_TRUE(script.requests()[1].prompt.startsWith(QStringLiteral("メッシュファイルを書き込めません：")));
    EXPECT_TRUE(script.requests()[1].prompt.contains(QStringLiteral("MeshData/0")));
    EXPECT_EQ(test::readBytes(blocked), QByteArray("in the way"));
    EXPECT_EQ(gfrmZorvik, before);
    EXPECT_EQ(gintMapInit, 1);
    EXPECT_TRUE(frameEnabled());
    EXPECT_EQ(waitDialog(), nullptr);
}

TEST_F(MeshDownload, NothingToFetchLeavesTheMapOpen)
{
    const QString list = program.data() + QStringLiteral("DefFolder/Meshdef2500.csv");
    const QByteArray shipped = test::readBytes(list);
    const QString unreadable = QStringLiteral("数値地図2500のメッシュ一覧を読み込めません：") + list;
    struct Case
    {
        const char *what;
        QByteArray list; // empty: no list file
        std::int32_t x, y;
        int answer;
        QString message; // empty: no message after the question
    };
    const std::int32_t cx = MeshProgram::centreX(1), cy = MeshProgram::centreY(1);
    const Case cases[] = {
        {"answered No", shipped, cx, cy, ui::vbNo, QString()},
        {"centre in no mesh", shipped, MeshProgram::X0 - 15000, cy, ui::vbYes,
            QStringLiteral("表示範囲に数値地図2500のメッシュがありません。")},
        {"no list", QByteArray(), cx, cy, ui::vbYes, unreadable},
        {"no usable line",
            "MESH,NO,MINX,MINY,MAXX,MAXY\r\nm11,0,a,b,c,d\r\nm00,0,1,2\r\n../m22,0,0,0,9999999,9999999\r\n",
            cx, cy, ui::vbYes, unreadable},
    };
    program.openMap();
    ASSERT_EQ(gintMapInit, 1);
    const shell::MapWindowHost *before = gfrmZorvik;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(list);
        if (!c.list.isEmpty())
            test::writeBytes(list, c.list);
        gobjZor->setCenterX(c.x);
        gobjZor->setCenterY(c.y);
        fetched.clear();
        DialogScript script;
        script.answerButton(c.answer);
        mapwindow::MapDataDownload(countingFetch());
        EXPECT_TRUE(fetched.isEmpty());
        ASSERT_EQ(script.requests().size(), c.message.isEmpty() ? 1u : 2u) << prompts(script);
        if (!c.message.isEmpty()) {
            EXPECT_EQ(script.requests()[1].prompt, c.message);
        }
        EXPECT_EQ(gfrmZorvik, before);
        EXPECT_EQ(gintMapInit, 1);
        EXPECT_FALSE(QFileInfo::exists(program.meshFolder()));
        EXPECT_TRUE(frameEnabled());
        EXPECT_EQ(waitDialog(), nullptr);
    }
}

TEST_F(MeshDownload, RemovalDeletesEveryListedMeshInBothTreesAndReopens)
{
    const QString tree2 = program.data() + QStringLiteral("MeshData2/0/");
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            ASSERT_TRUE(writeOld(col, row));
    ASSERT_TRUE(MeshProgram::writeMeshFiles(tree2, QStringLiteral("m21"), 2, 1, QStringLiteral("2nd")));
    test::writeBytes(tree2 + QStringLiteral("M02.MFV"), "other case");
    test::writeBytes(tree2 + QStringLiteral("other.mfc"), "not listed");
    test::writeBytes(program.meshFolder() + QStringLiteral("other.mfv"), "not listed");
    // A name that leads out of the mesh folder is no mesh.
    const QString outside = program.data() + QStringLiteral("MeshData/escape.mfc");
    test::writeBytes(outside, "outside");
    const QString list = program.data() + QStringLiteral("DefFolder/Meshdef2500.csv");
    QByteArray bytes = test::readBytes(list);
    bytes += "..\\escape,9,0,0,1,1\r\n";
    test::writeBytes(list, bytes);
    program.openMap();
    ASSERT_EQ(gintMapInit, 1);
    // Away from the view too.
    EXPECT_EQ(areaAtMesh(2, 2), oldKey(2, 2));

    DialogScript script;
    script.answerButton(ui::vbYes);
    mapwindow::MapDataDelete();

    ASSERT_EQ(script.requests().size(), 1u) << prompts(script);
    EXPECT_EQ(script.requests()[0].prompt, QStringLiteral("数値地図2500を削除します。よろしいですか？"));
    EXPECT_EQ(script.requests()[0].buttons, ui::vbYesNo | ui::vbQuestion);
    EXPECT_EQ(files(program.meshFolder()), files(QStringList{QStringLiteral("other.mfv")}));
    EXPECT_EQ(files(tree2), files(QStringList{QStringLiteral("other.mfc")}));
    EXPECT_EQ(test::readBytes(outside), QByteArray("outside"));
    ASSERT_EQ(gintMapInit, 1);
    EXPECT_EQ(areaAtMesh(1, 1), QString());
    EXPECT_EQ(areaAtMesh(2, 2), QString());
    EXPECT_EQ(waitDialog(), nullptr);
}

TEST_F(MeshDownload, RemovalWithoutAUsableListDeletesNothing)
{
    struct Case
    {
        const char *what;
        int answer;
        QByteArray list;
        bool reopened;
    };
    const Case cases[] = {
        {"answered No", ui::vbNo, "MESH\r\nm00,0,0,0,1,1\r\n", false},
        {"no list", ui::vbYes, QByteArray(), true},
        {"short lines", ui::vbYes, "MESH\r\nm00,0,0,0,1\r\n", true},
    };
    const QString list = program.data() + QStringLiteral("DefFolder/Meshdef2500.csv");
    ASSERT_TRUE(writeOld(0, 0));
    program.openMap();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(gintMapInit, 1);
        const shell::MapWindowHost *before = gfrmZorvik;
        QFile::remove(list);
        if (!c.list.isEmpty())
            test::writeBytes(list, c.list);
        DialogScript script;
        script.answerButton(c.answer);
        mapwindow::MapDataDelete();
        EXPECT_EQ(script.requests().size(), 1u) << prompts(script);
        EXPECT_EQ(files(program.meshFolder()), files(pair(0, 0)));
        ASSERT_EQ(gintMapInit, 1);
        EXPECT_EQ(areaAtMesh(0, 0), oldKey(0, 0));
        if (!c.reopened) {
            EXPECT_EQ(gfrmZorvik, before);
        }
        test::flushDeletes();
    }
}

} // namespace

namespace {

// The frame's menu items reach the three commands once the map window has
// registered (as at start-up).
TEST_F(MeshDownload, TheFramesMenuItemsRunTheCommands)
{
    program.openMap();
    ASSERT_EQ(gintMapInit, 1);
    const shell::MapWindowHost *before = gfrmZorvik;
    DialogScript script;
    script.answerButton(ui::vbNo);
    script.answerButton(ui::vbNo);
    gfrmMain->menuItem(QStringLiteral("mnuMapDownLoad"))->trigger();
    gfrmMain->menuItem(QStringLiteral("mnuMapDelete"))->trigger();
    ASSERT_EQ(script.requests().size(), 2u) << prompts(script);
    EXPECT_EQ(script.requests()[0].prompt, StartQuestion);
    EXPECT_EQ(script.requests()[1].prompt, QStringLiteral("数値地図2500を削除します。よろしいですか？"));
    EXPECT_EQ(gfrmZorvik, before);

    gfrmMain->menuItem(QStringLiteral("mnuAnImp"))->trigger();
    QWidget *window = ui::WindowRegistry::instance().find(QStringLiteral("frmPSYAnInport"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), gfrmMain);
}

} // namespace
