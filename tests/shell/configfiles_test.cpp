// Reading ZORPAK.MNU, ZORPAK.INI and DispLevel.txt, the start count, the
// per-document settings file name and the view settings.
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "shell/globals.h"
#include "shell/mdlmain_settings.h"
#include "shell/programfolder.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

using veltra::shell::SettingsReport;
using veltra::test::readBytes;
using veltra::test::TempDir;

// A complete program folder built in code.
class ConfigFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        veltra::shell::setProgramFolder(dir.path());
        writeIni(iniLines());
        writeMnu({"[ZORPAK_MNU]", "title=統計地図", "version=1.0", "logon=0"});
        QDir().mkpath(dir.path() + "VeltraData/DefFolder");
        writeDispLevel({"10001", "250001", "1000001"});
    }
    void TearDown() override { veltra::shell::setProgramFolder(QString()); }

    static QStringList iniLines(
        const std::optional<QString> &count = QStringLiteral("5"), const QString &flag = QStringLiteral("0"))
    {
        QStringList lines = {"[VELTRA_DATA_PATH]", "Path=VeltraData", "[URL]",
            "STORYDOWNLOADSITE=https://stories.example/", "HPSITE=hp", "HELPSITE=help", "FAQSITE=faq",
            "HELPLOC=Help\\index.html", "MANUALLOC=Help\\manual.pdf", "[USE]"};
        if (count)
            lines << "COUNT=" + *count;
        lines << "URL=https://ask.example/"
              << "FLG=" + flag << "[DEBUG]"
              << "MODE=1"
              << "[HELP]"
              << "HP1=Help\\about.html"
              << "HP8=Help\\timespace.html"
              << "[GRAPHLIMIT]"
              << "LIMIT=30"
              << "[MNUINFO]"
              << "State=0";
        return lines;
    }
    void writeIni(const QStringList &lines) { write("ZORPAK.INI", lines); }
    void writeMnu(const QStringList &lines) { write("ZORPAK.MNU", lines); }
    void writeDispLevel(const QStringList &lines) { write("VeltraData/DefFolder/DispLevel.txt", lines); }
    void write(const QString &name, const QStringList &lines)
    {
        ASSERT_TRUE(veltra::text::writeLines(dir.path() + name, lines));
        veltra::profile::clearCache();
    }
    QString iniValue(const QString &section, const QString &key)
    {
        veltra::profile::clearCache();
        return veltra::profile::getString(section, key, "<missing>", dir.path() + "ZORPAK.INI");
    }

    TempDir dir;
};

TEST_F(ConfigFolder, ReadsEveryValue)
{
    const SettingsReport report = mdlMain::ReadSettings();
    EXPECT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(gstrTitle, "統計地図");
    EXPECT_EQ(gstrIniPath, dir.path() + "ZORPAK.INI");
    EXPECT_EQ(gstrMnuPath, dir.path() + "ZORPAK.MNU");
    EXPECT_EQ(gstrLstPath, dir.path() + "ZORPAK.LST");
    EXPECT_EQ(gstrStoryLst, dir.path() + "STORY.LST");
    EXPECT_EQ(gstrStoryMst, dir.path() + "STORY.MST");
    // Relative to the program folder, and ended with a separator.
    EXPECT_EQ(gstrDataPath, dir.path() + "VeltraData/");
    EXPECT_EQ(gstrStoryDownloadSite, "https://stories.example/");
    EXPECT_EQ(gstrHpSite, "hp");
    EXPECT_EQ(gstrHelpSite, "help");
    EXPECT_EQ(gstrFaqSite, "faq");
    EXPECT_EQ(gstrHelpLoc, "Help\\index.html");
    EXPECT_EQ(gstrManualLoc, "Help\\manual.pdf");
    EXPECT_EQ(gstrUseUrl, "https://ask.example/");
    EXPECT_EQ(gstrUseFlg, "0");
    EXPECT_EQ(gstrDebugMode, "1");
    EXPECT_EQ(gstrHP1, "Help\\about.html");
    EXPECT_EQ(gstrHP2, "");
    EXPECT_EQ(gstrHP8, "Help\\timespace.html");
    for (const QString &limit : {gstrLimitPie, gstrLimitBar, gstrLimitPyramid, gstrLimitSymbol})
        EXPECT_EQ(limit, "30");
    EXPECT_EQ(gstrDispLevel1, "10001");
    EXPECT_EQ(gstrDispLevel2, "250001");
    EXPECT_EQ(gstrFtpDir, "/httpdocs/S2500");
    EXPECT_FALSE(veltra::shell::downloadServerConfigured());
    EXPECT_FALSE(veltra::shell::downloadNotConfiguredMessage().isEmpty());
}

TEST_F(ConfigFolder, DataFolderFormsAndGraphLimitDefault)
{
    struct Case
    {
        QString configured;
        QString expected; // relative to the program folder unless absolute
    };
    const Case cases[] = {
        {"VeltraData", "VeltraData/"},
        {"VeltraData\\", "VeltraData/"},
        {".\\VeltraData", "VeltraData/"},
        {"sub\\..\\VeltraData/", "VeltraData/"},
        {dir.path() + "VeltraData", dir.path() + "VeltraData/"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.configured.toStdString());
        QStringList lines = iniLines();
        lines[1] = "Path=" + c.configured;
        lines.removeAll("LIMIT=30");
        writeIni(lines);
        const SettingsReport report = mdlMain::ReadSettings();
        EXPECT_TRUE(report.ok()) << report.message().toStdString();
        const QString expected = c.expected.startsWith('/') ? c.expected : dir.path() + c.expected;
        EXPECT_EQ(gstrDataPath, expected);
        for (const QString &limit : {gstrLimitPie, gstrLimitBar, gstrLimitPyramid, gstrLimitSymbol})
            EXPECT_EQ(limit, "100");
    }
}

TEST_F(ConfigFolder, StartCountRisesByOneAndIsWrittenBack)
{
    struct Case
    {
        std::optional<QString> stored;
        QString after;
    };
    const Case cases[] = {{"4", "5"}, {"abc", "1"}, {std::nullopt, "1"}, {"10", "11"}, {" 7 ", "8"},
        {"", "1"}, {"2.5", "3"}, {"99999999999", "1"}, {"-3", "-2"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored.value_or("<none>").toStdString());
        writeIni(iniLines(c.stored));
        mdlMain::ReadSettings();
        EXPECT_EQ(gstrUseCount, c.after);
        EXPECT_EQ(iniValue("USE", "COUNT"), c.after);
    }
    // Two starts in a row.
    writeIni(iniLines("0"));
    mdlMain::ReadSettings();
    mdlMain::ReadSettings();
    EXPECT_EQ(iniValue("USE", "COUNT"), "2");
}

TEST_F(ConfigFolder, CountWriteKeepsTheRestOfTheFile)
{
    const QByteArray before = readBytes(dir.path() + "ZORPAK.INI");
    mdlMain::ReadSettings();
    QByteArray after = readBytes(dir.path() + "ZORPAK.INI");
    EXPECT_TRUE(after.contains("\r\nCOUNT=6\r\n"));
    after.replace("COUNT=6", "COUNT=5");
    EXPECT_EQ(after, before);
}

TEST_F(ConfigFolder, QuestionnaireBetweenTheSixthAndTenthStart)
{
    struct Case
    {
        QString storedCount;
        QString flag;
        bool due;
    };
    const Case cases[] = {{"4", "0", false}, {"5", "0", true}, {"9", "0", true}, {"10", "0", false},
        {"5", "1", false}, {"7", "abc", false}, {"abc", "0", false}, {"5", " 0 ", true}, {"5", "", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE((c.storedCount + "/" + c.flag).toStdString());
        writeIni(iniLines(c.storedCount, c.flag));
        mdlMain::ReadSettings();
        EXPECT_EQ(veltra::shell::questionnaireDue(), c.due);
    }
}

TEST_F(ConfigFolder, DownloadServerComesFromTheConfiguration)
{
    QStringList lines = iniLines();
    lines << "[DOWNLOAD]"
          << "HOST=ftp.example.org"
          << "ACCOUNT=mesh"
          << "PASSWORD=secret1";
    writeIni(lines);
    mdlMain::ReadSettings();
    EXPECT_TRUE(veltra::shell::downloadServerConfigured());
    EXPECT_EQ(gtypFtp.host, "ftp.example.org");
    EXPECT_EQ(gtypFtp.account, "mesh");
    EXPECT_EQ(gtypFtp.password, "secret1");

    lines.removeAll("ACCOUNT=mesh");
    writeIni(lines);
    mdlMain::ReadSettings();
    EXPECT_FALSE(veltra::shell::downloadServerConfigured());
}

TEST_F(ConfigFolder, BrokenConfigurationsAreReportedInOrder)
{
    struct Case
    {
        const char *name;
        std::function<void()> breakIt;
        QString message; // part of the expected message
        bool iniUntouched;
    };
    const QString ini = dir.path() + "ZORPAK.INI";
    const Case cases[] = {
        {"no ZORPAK.INI", [&] { QFile::remove(ini); }, "設定ファイルが見つかりません", true},
        {"no ZORPAK.MNU", [&] { QFile::remove(dir.path() + "ZORPAK.MNU"); }, "ZORPAK.MNU", false},
        {"binary ZORPAK.INI",
            [&] { veltra::test::writeBytes(ini, QByteArray("[USE]\r\nCOUNT=3\r\n\0\0\xff", 20)); },
            "壊れています", true},
        {"ZORPAK.INI is a folder",
            [&] {
                QFile::remove(ini);
                QDir().mkdir(ini);
            },
            "ZORPAK.INI", true},
        {"no data section",
            [&] {
                writeIni({"[USE]", "COUNT=1"});
            },
            "[VELTRA_DATA_PATH]", false},
        {"empty data path",
            [&] {
                writeIni({"[VELTRA_DATA_PATH]", "Path="});
            },
            "データフォルダが設定されていません", false},
        {"missing data folder",
            [&] {
                writeIni({"[VELTRA_DATA_PATH]", "Path=Nowhere"});
            },
            "Nowhere", false},
        {"MNU without its section", [&] { writeMnu({"title=x"}); }, "[ZORPAK_MNU]", false},
        {"no DispLevel.txt", [&] { QFile::remove(dir.path() + "VeltraData/DefFolder/DispLevel.txt"); },
            "DispLevel.txt", false},
        {"short DispLevel.txt",
            [&] {
                writeDispLevel({"10001", "250001"});
            },
            "3 行", false},
        {"DispLevel.txt not numbers",
            [&] {
                writeDispLevel({"10001", "abc", "1"});
            },
            "2 行目", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.breakIt();
        veltra::profile::clearCache();
        const QByteArray before = readBytes(ini);
        const SettingsReport report = mdlMain::ReadSettings();
        EXPECT_FALSE(report.ok());
        EXPECT_TRUE(report.message().contains(c.message)) << report.message().toStdString();
        // The globals still hold an orderly configuration.
        EXPECT_TRUE(gstrLimitPie == "100" || gstrLimitPie == "30");
        EXPECT_TRUE(gstrUseCount.toInt() > 0);
        if (c.iniUntouched) {
            EXPECT_EQ(readBytes(ini), before);
            EXPECT_EQ(QFileInfo(ini).isFile(), !before.isEmpty());
        }
        QDir(ini).removeRecursively();
    }
}

// A configuration file the program cannot start with is named, with the way
// out: removing it (or the whole program folder) brings the shipped one back.
TEST_F(ConfigFolder, ABrokenConfigurationFileNamesItsWayOut)
{
    const QString folder = dir.path();
    const QString ini = folder + "ZORPAK.INI";
    const QString mnu = folder + "ZORPAK.MNU";
    auto removeIt = [&](const QString &path) {
        return QStringLiteral("このファイル %1 を削除すると、次回の起動時に既定の内容に戻ります"
                              "（プログラムフォルダ %2 ごと削除すると、すべてが既定の状態に戻ります）。")
            .arg(path, folder);
    };
    struct Case
    {
        const char *name;
        std::function<void()> breakIt;
        QString message;
    };
    const Case cases[] = {
        {"binary ZORPAK.INI", [&] { veltra::test::writeBytes(ini, QByteArray("[USE]\r\n\0\0", 9)); },
            "設定ファイルが壊れています（テキストではありません）: " + ini + "\n" + removeIt(ini)},
        {"ZORPAK.INI without its section",
            [&] {
                writeIni({"[USE]", "COUNT=1"});
            },
            "設定ファイルが壊れています（[VELTRA_DATA_PATH] セクションがありません）: " + ini + "\n"
                + removeIt(ini)},
        {"ZORPAK.MNU without its section", [&] { writeMnu({"title=x"}); },
            "設定ファイルが壊れています（[ZORPAK_MNU] セクションがありません）: " + mnu + "\n"
                + removeIt(mnu)},
        {"ZORPAK.INI is a folder",
            [&] {
                QFile::remove(ini);
                QDir().mkdir(ini);
            },
            "設定ファイルを読み込めません。\nファイルを読み込めません: " + ini
                + "\nファイルではなくフォルダです: " + ini + "\n" + removeIt(ini)},
        {"no ZORPAK.MNU", [&] { QFile::remove(mnu); },
            "設定ファイルが見つかりません: " + mnu + "\nプログラムフォルダ " + folder
                + " を削除すると、次回の起動時に既定の内容で作り直されます。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.breakIt();
        veltra::profile::clearCache();
        const SettingsReport report = mdlMain::ReadSettings();
        ASSERT_FALSE(report.errors.isEmpty());
        EXPECT_EQ(report.errors.front().toStdString(), c.message.toStdString());
        QDir(ini).removeRecursively();
    }
}

TEST(ConfigWithoutFolder, NothingIsReadOrWrittenInTheCurrentFolder)
{
    TempDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    veltra::shell::setProgramFolder(QString());
    const SettingsReport report = mdlMain::ReadSettings();
    QDir::setCurrent(previous);
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(DocumentIniPath, ReplacesOnlyTheLastExtensionOfTheFileName)
{
    const std::pair<QString, QString> cases[] = {
        {"/p/Veltra.zor", "/p/Veltra.INI"},
        {"/p/Tokyo.old.zor", "/p/Tokyo.old.INI"},
        {"/p/maps.d/plain", "/p/maps.d/plain.INI"},
        {"C:\\maps.d\\plain", "C:\\maps.d\\plain.INI"},
        {"plain", "plain.INI"},
        {"", ""},
        {"a\\b.zor", "a\\b.INI"},
    };
    for (const auto &[doc, expected] : cases) {
        SCOPED_TRACE(doc.toStdString());
        gstrDocPath = doc;
        mdlMain::SetDocumentNames();
        EXPECT_EQ(gstrDocIniPath, expected);
    }
    gstrDocPath.clear();
}

struct FakeEngine
{
    double ZoomInFactor() const { return 2.0; }
    double ZoomOutFactor() const { return 0.5; }
};

TEST(ViewSettings, FromTheEngineAndTheDocumentFile)
{
    TempDir dir;
    gstrDocPath = dir.path() + "Map.zor";
    mdlMain::SetDocumentNames();
    ASSERT_TRUE(veltra::text::writeLines(
        gstrDocIniPath, {"[SetDate]", "MODE=Span", "Date1=令和2年01月01日", "Date2=2020年12月31日"}));
    veltra::profile::clearCache();
    gdtBaseDate = QDate(2020, 1, 1);

    veltra::shell::applyViewSettings(3.0, 0.25, QDate(2020, 3, 1));
    EXPECT_EQ(gintPointType, 2);
    EXPECT_EQ(gdblZoomIn, 3.0);
    EXPECT_EQ(gdblZoomOut, 0.25);
    EXPECT_EQ(glngEditDate, 60); // 2020 is a leap year
    EXPECT_EQ(gintRasterLevel, 4);
    EXPECT_EQ(glngRasterSplitW, 256);
    EXPECT_EQ(glngRasterSplitH, 256);
    EXPECT_EQ(gstrSetDateMode, "Span");
    EXPECT_EQ(gstrSetDate1, "令和2年01月01日");
    EXPECT_EQ(gstrSetDate2, "2020年12月31日");

    FakeEngine engine;
    mdlMain::ReadViewSettings(engine);
    EXPECT_EQ(gdblZoomIn, 2.0);
    EXPECT_EQ(gdblZoomOut, 0.5);
    EXPECT_EQ(glngEditDate, gdtBaseDate.daysTo(QDate::currentDate()));
    gstrDocPath.clear();
    gstrDocIniPath.clear();
}

} // namespace
