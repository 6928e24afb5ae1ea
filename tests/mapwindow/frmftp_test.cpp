// The download server's FTP client against a loopback pyftpdlib server.
#include "ftptestserver.h"
#include "mapwindow/compsy_ftp.h"
#include "mapwindow/frmftp.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "shell/globals.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>

using veltra::test::FtpTestServer;
using veltra::test::TempDir;
using veltra::ui::DialogScript;

namespace {

const QString kUser = QStringLiteral("veltra");
const QString kPassword = QStringLiteral("p@ss:w0rd/x");
const QString kGetFailed = QStringLiteral("FTPダウンロードできませんでした。");

class FtpServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(remote.path()).mkpath(QStringLiteral("httpdocs/S2500"));
        veltra::test::writeBytes(remote.file(QStringLiteral("httpdocs/S2500/533946.LZH")), payload());
    }

    // Starts the server; a test fails, not skips, when none can start.
    std::unique_ptr<FtpTestServer> start(int rate = 0)
    {
        auto server = std::make_unique<FtpTestServer>(remote.path(), kUser, kPassword, rate);
        EXPECT_TRUE(server->isRunning()) << server->error().toStdString();
        return server;
    }

    void configure(frmFtp &ftp, const FtpTestServer &server, const QString &password = kPassword)
    {
        ASSERT_TRUE(ftp.P_FtpSetPropatys(
            server.hostWithPort(), QString(), kUser, password, false, 0, 20, 0, 0, true, 0));
    }

    static QByteArray payload()
    {
        QByteArray bytes;
        for (int i = 0; i < 70000; ++i)
            bytes.append(static_cast<char>(i * 7 % 251));
        return bytes;
    }

    TempDir remote;
    TempDir local;
};

TEST_F(FtpServerTest, GetsAFileUnderTheMeshFolder)
{
    const auto server = start();
    ASSERT_TRUE(server->isRunning());
    frmFtp ftp;
    configure(ftp, *server);
    DialogScript script;
    const QString target = local.file(QStringLiteral("533946.LZH"));
    ASSERT_TRUE(ftp.P_FtpGet(QStringLiteral("/httpdocs/S2500/533946.LZH"), target));
    EXPECT_EQ(veltra::test::readBytes(target), payload());
    EXPECT_TRUE(script.requests().empty());
    EXPECT_EQ(veltra::test::entriesOf(local.path()), QStringList{QStringLiteral("533946.LZH")});

    // A Windows-style local path lands in the folder it names, whatever its case.
    ASSERT_TRUE(QDir().mkpath(local.path() + QStringLiteral("MeshData/0")));
    ASSERT_TRUE(ftp.P_FtpGet(QStringLiteral("/httpdocs/S2500/533946.LZH"),
        local.path() + QStringLiteral("meshdata\\0\\533946.LZH")));
    EXPECT_EQ(veltra::test::readBytes(local.path() + QStringLiteral("MeshData/0/533946.LZH")), payload());
}

TEST_F(FtpServerTest, FailedGetsLeaveNoFileAndNeverShowThePassword)
{
    const auto server = start();
    ASSERT_TRUE(server->isRunning());
    struct Case
    {
        QString remotePath;
        QString password;
    };
    const Case cases[] = {{QStringLiteral("/httpdocs/S2500/missing.LZH"), kPassword},
        {QStringLiteral("/httpdocs/S2500/533946.LZH"), QStringLiteral("wrong@pass")}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.remotePath.toStdString() + " " + c.password.toStdString());
        frmFtp ftp;
        configure(ftp, *server, c.password);
        DialogScript script;
        const QString target = local.file(QStringLiteral("out.LZH"));
        EXPECT_FALSE(ftp.P_FtpGet(c.remotePath, target));
        ASSERT_EQ(script.requests().size(), 1u);
        EXPECT_EQ(script.requests()[0].prompt, kGetFailed);
        EXPECT_EQ(script.requests()[0].buttons, veltra::ui::vbExclamation);
        EXPECT_TRUE(ftp.P_FtpLastErr().startsWith(QStringLiteral("FtpGetｴﾗｰ, 番号: ")));
        EXPECT_TRUE(ftp.P_FtpLastErr().contains(QStringLiteral(" 解説: ")));
        EXPECT_FALSE(ftp.P_FtpLastErr().contains(c.password));
        EXPECT_TRUE(veltra::test::entriesOf(local.path()).isEmpty());
    }
}

TEST_F(FtpServerTest, AFailedGetKeepsTheOldFile)
{
    const auto server = start();
    ASSERT_TRUE(server->isRunning());
    frmFtp ftp;
    configure(ftp, *server);
    DialogScript script;
    const QString target = local.file(QStringLiteral("533946.LZH"));
    veltra::test::writeBytes(target, "old");
    EXPECT_FALSE(ftp.P_FtpGet(QStringLiteral("/httpdocs/S2500/none.LZH"), target));
    EXPECT_EQ(veltra::test::readBytes(target), QByteArray("old"));
    EXPECT_EQ(veltra::test::entriesOf(local.path()), QStringList{QStringLiteral("533946.LZH")});
}

TEST_F(FtpServerTest, StoresDeletesMakesAndChangesFolders)
{
    const auto server = start();
    ASSERT_TRUE(server->isRunning());
    frmFtp ftp;
    configure(ftp, *server);
    const QString source = local.file(QStringLiteral("up.txt"));
    veltra::test::writeBytes(source, "uploaded bytes");

    ASSERT_TRUE(ftp.P_FtpMakeDir(QStringLiteral("/incoming")));
    EXPECT_TRUE(QFileInfo(remote.file(QStringLiteral("incoming"))).isDir());
    ASSERT_TRUE(ftp.P_FtpChangeDir(QStringLiteral("/incoming")));
    ASSERT_TRUE(ftp.P_FtpStore(QStringLiteral("up.txt"), source));
    EXPECT_EQ(veltra::test::readBytes(remote.file(QStringLiteral("incoming/up.txt"))),
        QByteArray("uploaded bytes"));
    EXPECT_TRUE(ftp.P_FtpChmod(QStringLiteral("/incoming/up.txt"), 600));
    EXPECT_EQ(QFileInfo(remote.file(QStringLiteral("incoming/up.txt"))).permissions()
            & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
        QFileDevice::Permissions());
    ASSERT_TRUE(ftp.P_FtpDelete(QStringLiteral("up.txt")));
    EXPECT_FALSE(QFileInfo::exists(remote.file(QStringLiteral("incoming/up.txt"))));

    // Failures keep their member's label and leave the current folder.
    EXPECT_FALSE(ftp.P_FtpChangeDir(QStringLiteral("/no-such-folder")));
    EXPECT_TRUE(ftp.P_FtpLastErr().startsWith(QStringLiteral("FtpChangeDirｴﾗｰ, 番号: ")));
    EXPECT_FALSE(ftp.P_FtpDelete(QStringLiteral("up.txt")));
    EXPECT_TRUE(ftp.P_FtpLastErr().startsWith(QStringLiteral("FtpDeleteｴﾗｰ, 番号: ")));
    // A success does not clear the last error.
    EXPECT_TRUE(ftp.P_FtpChangeDir(QStringLiteral("/httpdocs")));
    EXPECT_TRUE(ftp.P_FtpLastErr().startsWith(QStringLiteral("FtpDeleteｴﾗｰ")));
}

TEST_F(FtpServerTest, DirectoryCheckTellsFoldersFromFilesAndLinks)
{
    QDir(remote.path()).mkpath(QStringLiteral("httpdocs/real dir"));
    ASSERT_TRUE(QFile::link(
        remote.file(QStringLiteral("httpdocs/real dir")), remote.file(QStringLiteral("httpdocs/linked"))));
    const auto server = start();
    ASSERT_TRUE(server->isRunning());
    frmFtp ftp;
    configure(ftp, *server);
    EXPECT_EQ(ftp.P_FtpChkDirectory(QStringLiteral("/httpdocs"), QStringLiteral("S2500")), 1);
    EXPECT_EQ(ftp.P_FtpChkDirectory(QStringLiteral("/httpdocs"), QStringLiteral("real dir")), 1);
    EXPECT_EQ(ftp.P_FtpChkDirectory(QStringLiteral("/httpdocs"), QStringLiteral("s2500")), 0);
    EXPECT_EQ(ftp.P_FtpChkDirectory(QStringLiteral("/httpdocs"), QStringLiteral("linked")), 0);
    EXPECT_EQ(ftp.P_FtpChkDirectory(QStringLiteral("/httpdocs/S2500"), QStringLiteral("533946.LZH")), 0);
    EXPECT_EQ(ftp.P_FtpChkDirectory(QStringLiteral("/nowhere"), QStringLiteral("x")), 0);

    std::vector<veltra::ftp::ListingEntry> entries;
    ASSERT_TRUE(ftp.P_FtpGetList(QStringLiteral("/httpdocs"), entries));
    QStringList seen;
    for (const auto &entry : entries)
        seen << entry.name + QLatin1Char('=') + entry.type;
    seen.sort();
    EXPECT_EQ(seen,
        (QStringList{QStringLiteral("S2500=D"), QStringLiteral("linked=L"), QStringLiteral("real dir=D")}));
}

TEST_F(FtpServerTest, LoginLogoutAndRefusedLogin)
{
    const auto server = start();
    ASSERT_TRUE(server->isRunning());
    frmFtp ftp;
    configure(ftp, *server);
    EXPECT_TRUE(ftp.P_FtpLogin());
    ftp.P_FtpLogOut();
    ftp.P_FtpLogOut(); // logged out already: nothing

    frmFtp refused;
    configure(refused, *server, QStringLiteral("bad"));
    EXPECT_FALSE(refused.P_FtpLogin());
    EXPECT_TRUE(refused.P_FtpLastErr().startsWith(QStringLiteral("FtpLoginｴﾗｰ, 番号: ")));
    // Members that log in when needed stop at the login and keep its error.
    EXPECT_FALSE(refused.P_FtpMakeDir(QStringLiteral("/x")));
    EXPECT_TRUE(refused.P_FtpLastErr().startsWith(QStringLiteral("FtpLoginｴﾗｰ")));
    EXPECT_FALSE(QFileInfo::exists(remote.file(QStringLiteral("x"))));
}

TEST_F(FtpServerTest, AbortStopsASlowTransfer)
{
    const auto server = start(8000); // about nine seconds for the payload
    ASSERT_TRUE(server->isRunning());
    frmFtp ftp;
    configure(ftp, *server);
    DialogScript script;
    int aborts = 0;
    QTimer::singleShot(400, [&] { aborts += 1 + ftp.P_FtpAbort(); });
    const QString target = local.file(QStringLiteral("slow.LZH"));
    EXPECT_FALSE(ftp.P_FtpGet(QStringLiteral("/httpdocs/S2500/533946.LZH"), target));
    EXPECT_EQ(aborts, 1);
    EXPECT_TRUE(veltra::test::entriesOf(local.path()).isEmpty());
    // The abort itself leaves no error text; the failed get does.
    EXPECT_TRUE(ftp.P_FtpLastErr().startsWith(QStringLiteral("FtpGetｴﾗｰ")));
}

TEST(FrmFtp, PropertiesReadBackAndAnOverflowingTimeOutFails)
{
    frmFtp ftp;
    ASSERT_TRUE(ftp.P_FtpSetPropatys(QStringLiteral("h"), QStringLiteral("21"), QStringLiteral("u"),
        QStringLiteral("p"), true, 1, 120, 2, 3, false, 0));
    QString host, port, user, password;
    bool allocate = false, passive = true;
    std::int32_t mode = 0, timeout = 0, store = 0, structure = 0;
    ASSERT_TRUE(
        ftp.P_FtpGetPropatys(host, port, user, password, allocate, mode, timeout, store, structure, passive));
    EXPECT_EQ(host, QStringLiteral("h"));
    EXPECT_EQ(port, QStringLiteral("21"));
    EXPECT_EQ(user, QStringLiteral("u"));
    EXPECT_EQ(password, QStringLiteral("p"));
    EXPECT_TRUE(allocate);
    EXPECT_FALSE(passive);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(timeout, 120);
    EXPECT_EQ(store, 2);
    EXPECT_EQ(structure, 3);

    EXPECT_FALSE(ftp.P_FtpSetPropatys(QStringLiteral("h"), {}, {}, {}, false, 0, 2147484, 0, 0, true, 0));
    EXPECT_TRUE(ftp.P_FtpLastErr().startsWith(QStringLiteral("FtpSetPropatysｴﾗｰ, 番号: ")));
    // A non-numeric port still reaches the address.
    ASSERT_TRUE(ftp.P_FtpSetPropatys(QStringLiteral("h"), QStringLiteral("ab"), QStringLiteral("u"),
        QStringLiteral("p"), false, 0, 120, 0, 0, true, 0));
    EXPECT_EQ(ftp.fetchUrl(QStringLiteral("/f")), QStringLiteral("ftp://u:p@h:ab/f"));
}

// The download server record, restored after each test.
class PsyFtpGetFileTest : public FtpServerTest
{
protected:
    void SetUp() override
    {
        FtpServerTest::SetUp();
        saved = gtypFtp;
    }
    void TearDown() override { gtypFtp = saved; }
    FtpServerSettings saved;
};

TEST_F(PsyFtpGetFileTest, FetchesFromTheConfiguredServer)
{
    const auto server = start();
    ASSERT_TRUE(server->isRunning());
    gtypFtp.host = server->hostWithPort();
    gtypFtp.account = kUser;
    gtypFtp.password = kPassword;
    DialogScript script;
    const QString target = local.file(QStringLiteral("533946.LZH"));
    ASSERT_TRUE(ComPSY::PSY_FtpGetFile(QStringLiteral("/httpdocs/S2500/533946.LZH"), target));
    EXPECT_EQ(veltra::test::readBytes(target), payload());

    EXPECT_FALSE(ComPSY::PSY_FtpGetFile(QStringLiteral("/httpdocs/S2500/none.LZH"), local.file("none.LZH")));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, kGetFailed);
    EXPECT_FALSE(QFileInfo::exists(local.file(QStringLiteral("none.LZH"))));
}

TEST_F(PsyFtpGetFileTest, WithoutAServerItSaysSoAndConnectsNowhere)
{
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress::LocalHost));
    gtypFtp.host = QStringLiteral("127.0.0.1:%1").arg(listener.serverPort());
    gtypFtp.account.clear();
    gtypFtp.password.clear();
    DialogScript script;
    EXPECT_FALSE(ComPSY::PSY_FtpGetFile(QStringLiteral("/a.LZH"), local.file(QStringLiteral("a.LZH"))));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_TRUE(script.requests()[0].prompt.contains(QStringLiteral("ZORPAK.INI")));
    EXPECT_FALSE(listener.waitForNewConnection(300));
    EXPECT_TRUE(veltra::test::entriesOf(local.path()).isEmpty());
}

} // namespace
