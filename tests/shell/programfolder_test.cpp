// Choosing the program folder, filling it on first start, and the default
// configuration files delivered with the program.
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "shell/globals.h"
#include "shell/mdlmain_settings.h"
#include "shell/programfolder.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using veltra::shell::DefaultsSource;
using veltra::shell::fillProgramFolder;
using veltra::shell::FillResult;
using veltra::shell::resolveProgramFolder;
using veltra::test::readBytes;
using veltra::test::TempDir;
using veltra::test::writeBytes;

// The source tree's default program folder.
QString defaultProgramFolder()
{
    return QStringLiteral(VELTRA_DEFAULT_PROGRAM_FILES "/");
}

TEST(ProgramFolderChoice, OptionThenEnvironmentThenHome)
{
    struct Case
    {
        QStringList args;
        QString env;
        QString home;
        QString folder;
        QStringList remaining;
        bool error;
    };
    const Case cases[] = {
        {{"--program-folder", "/opt/v", "doc.zor"}, "/env", "/home/u", "/opt/v/", {"doc.zor"}, false},
        {{"doc.zor", "--program-folder", "/opt/v/"}, "", "/home/u", "/opt/v/", {"doc.zor"}, false},
        {{"a.zor"}, "/env/veltra", "/home/u", "/env/veltra/", {"a.zor"}, false},
        {{}, "  ", "/home/u", "/home/u/.local/share/veltra/", {}, false},
        {{}, "", "/home/u", "/home/u/.local/share/veltra/", {}, false},
        {{"--program-folder"}, "/env", "/home/u", "", {}, true},
        {{"--program-folder", ""}, "/env", "/home/u", "", {}, true},
        {{}, "", "", "", {}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString() + " env=" + c.env.toStdString());
        const auto choice = resolveProgramFolder(c.args, c.env, c.home);
        EXPECT_EQ(choice.folder, c.folder);
        EXPECT_EQ(choice.remaining, c.remaining);
        EXPECT_EQ(!choice.error.isEmpty(), c.error);
    }
    // A relative folder is taken from the current folder.
    const auto relative = resolveProgramFolder({"--program-folder", "rel"}, "", "/home/u");
    EXPECT_EQ(relative.folder, QDir::current().absoluteFilePath("rel") + "/");
}

class FillFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        QDir().mkpath(root.path() + "defaults/program/Help");
        QDir().mkpath(root.path() + "defaults/data/DefFolder");
        writeBytes(
            root.path() + "defaults/program/ZORPAK.INI", "[VELTRA_DATA_PATH]\r\nPath=VeltraData\\\r\n");
        writeBytes(root.path() + "defaults/program/Help/about.html", "<p>Veltra</p>");
        // Installed defaults are read-only.
        QFile::setPermissions(root.path() + "defaults/program/ZORPAK.INI",
            QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        writeBytes(root.path() + "defaults/data/DefFolder/DispLevel.txt", "1\r\n2\r\n3\r\n");
        sources = {{root.path() + "defaults/program", ""}, {root.path() + "defaults/data/", "VeltraData"}};
    }
    QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    TempDir root;
    std::vector<DefaultsSource> sources;
};

TEST_F(FillFolder, MissingOrEmptyFolderIsFilled)
{
    for (const bool exists : {false, true}) {
        SCOPED_TRACE(exists);
        const QString target = root.path() + (exists ? "empty/veltra" : "new/deeper/veltra");
        if (exists)
            QDir().mkpath(target);
        QString error;
        EXPECT_EQ(fillProgramFolder(target, sources, &error), FillResult::Filled) << error.toStdString();
        EXPECT_EQ(readBytes(target + "/ZORPAK.INI"), "[VELTRA_DATA_PATH]\r\nPath=VeltraData\\\r\n");
        EXPECT_EQ(readBytes(target + "/Help/about.html"), "<p>Veltra</p>");
        EXPECT_EQ(readBytes(target + "/VeltraData/DefFolder/DispLevel.txt"), "1\r\n2\r\n3\r\n");
        // No staging folder is left beside it.
        EXPECT_EQ(entries(QFileInfo(target).absolutePath()), QStringList{"veltra"});
        // The copies can be written (the configuration is rewritten at every start).
        EXPECT_TRUE(QFileInfo(target + "/ZORPAK.INI").isWritable());
    }
}

TEST_F(FillFolder, AFolderInUseIsNeverTouched)
{
    const QString target = root.path() + "used";
    QDir().mkpath(target);
    writeBytes(target + "/ZORPAK.INI", "[USE]\r\nCOUNT=41\r\n");
    EXPECT_EQ(fillProgramFolder(target, sources), FillResult::AlreadyFilled);
    EXPECT_EQ(readBytes(target + "/ZORPAK.INI"), "[USE]\r\nCOUNT=41\r\n");
    EXPECT_EQ(entries(target), QStringList{"ZORPAK.INI"});

    // Even a hidden file counts as use: the folder is not filled, only its
    // missing configuration file comes back.
    const QString hidden = root.path() + "hidden";
    QDir().mkpath(hidden);
    writeBytes(hidden + "/.keep", "");
    EXPECT_EQ(fillProgramFolder(hidden, sources), FillResult::Restored);
    EXPECT_EQ(entries(hidden), (QStringList{".keep", "ZORPAK.INI"}));
}

// A missing configuration file of a folder in use comes back from the
// defaults; everything else of the folder stays as it is.
TEST_F(FillFolder, AMissingConfigurationFileIsRestored)
{
    const QString target = root.path() + "used/";
    QDir().mkpath(target + "VeltraData");
    writeBytes(target + "Veltra.zor", "mine");
    writeBytes(target + "VeltraData/own.txt", "data");
    QString error;
    EXPECT_EQ(fillProgramFolder(target, sources, &error), FillResult::Restored) << error.toStdString();
    EXPECT_EQ(readBytes(target + "ZORPAK.INI"), "[VELTRA_DATA_PATH]\r\nPath=VeltraData\\\r\n");
    EXPECT_TRUE(QFileInfo(target + "ZORPAK.INI").permissions() & QFile::WriteOwner);
    // Nothing else is copied or changed (the defaults have no ZORPAK.MNU here).
    EXPECT_EQ(entries(target), (QStringList{"Veltra.zor", "VeltraData", "ZORPAK.INI"}));
    EXPECT_EQ(entries(target + "VeltraData"), QStringList{"own.txt"});
    EXPECT_EQ(readBytes(target + "Veltra.zor"), "mine");
    EXPECT_EQ(entries(root.path()), (QStringList{"defaults", "used"}));

    // Once there, it is the user's: a later start leaves it alone.
    writeBytes(target + "ZORPAK.INI", "[USE]\r\nCOUNT=7\r\n");
    EXPECT_EQ(fillProgramFolder(target, sources), FillResult::AlreadyFilled);
    EXPECT_EQ(readBytes(target + "ZORPAK.INI"), "[USE]\r\nCOUNT=7\r\n");

    // The program reads the name without case: a lower-case one is there.
    QFile::rename(target + "ZORPAK.INI", target + "zorpak.ini");
    EXPECT_EQ(fillProgramFolder(target, sources), FillResult::AlreadyFilled);
    EXPECT_EQ(entries(target), (QStringList{"Veltra.zor", "VeltraData", "zorpak.ini"}));
}

TEST_F(FillFolder, FailureLeavesNothingBehind)
{
    const QString target = root.path() + "fresh";
    std::vector<DefaultsSource> broken = sources;
    broken.push_back({root.path() + "defaults/nowhere", "x"});
    QString error;
    EXPECT_EQ(fillProgramFolder(target, broken, &error), FillResult::Failed);
    EXPECT_TRUE(error.contains("nowhere"));
    EXPECT_FALSE(QFileInfo::exists(target));

    // A file where the folder should be.
    writeBytes(target, "x");
    EXPECT_EQ(fillProgramFolder(target, sources, &error), FillResult::Failed);
    EXPECT_EQ(readBytes(target), "x");
    EXPECT_EQ(entries(root.path()), (QStringList{"defaults", "fresh"}));
}

// The delivered ZORPAK.INI and ZORPAK.MNU: CP932 with CR LF, every key the
// configuration reader takes, and no download credentials.
TEST(DefaultConfiguration, FilesHoldEveryKeyAndNoCredentials)
{
    const QString folder = defaultProgramFolder();
    for (const QString name : {"ZORPAK.INI", "ZORPAK.MNU"}) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = readBytes(folder + name);
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
        QByteArray reencoded;
        ASSERT_TRUE(veltra::text::encodeCp932(veltra::text::decodeCp932(bytes), reencoded));
        EXPECT_EQ(reencoded, bytes);
    }

    const QString ini = folder + "ZORPAK.INI";
    const std::pair<const char *, QStringList> expected[] = {
        {"VELTRA_DATA_PATH", {"Path"}},
        {"URL",
            {"STORYDOWNLOADSITE", "MAPDOWNLOADSITE", "HPSITE", "HELPSITE", "FAQSITE", "HELPLOC",
                "MANUALLOC"}},
        {"USE", {"COUNT", "URL", "FLG"}},
        {"TOUKEI", {"OFFSETX", "OFFSETY"}},
        {"DEBUG", {"MODE"}},
        {"DOWNLOAD", {"HOST", "ACCOUNT", "PASSWORD"}},
        {"HELP", {"HP1", "HP2", "HP3", "HP4", "HP5", "HP6", "HP7", "HP8", "HP9"}},
        {"GRAPHLIMIT", {"LIMIT"}},
        {"MNUINFO",
            {"State", "Top", "Left", "Width", "Height", "stsBar", "toolBar", "toolBarSize", "toolBarMoji",
                "listBarIndex", "ListBarPos", "dispLegend", "dispDirction", "dispAllAreaView", "dispScale"}},
        {"DirList", {"Path"}},
    };
    for (const auto &[section, keys] : expected) {
        for (const QString &key : keys)
            EXPECT_TRUE(veltra::profile::hasKey(section, key, ini)) << section << " " << key.toStdString();
    }
    for (const char *key : {"HOST", "ACCOUNT", "PASSWORD"})
        EXPECT_EQ(veltra::profile::getString("DOWNLOAD", key, "?", ini), "") << key;
    EXPECT_EQ(veltra::profile::getString("GRAPHLIMIT", "LIMIT", "", ini), "100");
    EXPECT_EQ(veltra::profile::getString("ZORPAK_MNU", "title", "", folder + "ZORPAK.MNU"), "Veltra");
    EXPECT_FALSE(veltra::profile::getString("ZORPAK_MNU", "version", "", folder + "ZORPAK.MNU").isEmpty());
    for (const char *key : {"version", "logon"})
        EXPECT_TRUE(veltra::profile::hasKey("ZORPAK_MNU", key, folder + "ZORPAK.MNU")) << key;
}

// A program folder filled from the delivered files (with a data folder of
// our own) starts with a sound configuration and leaves the defaults alone.
TEST(DefaultConfiguration, FilledFolderReadsCleanly)
{
    TempDir root;
    QDir().mkpath(root.path() + "data/DefFolder");
    writeBytes(root.path() + "data/DefFolder/DispLevel.txt", "10001\r\n250001\r\n1000001\r\n");
    const QByteArray delivered = readBytes(defaultProgramFolder() + "ZORPAK.INI");
    const QString target = root.path() + "home/veltra";
    ASSERT_EQ(fillProgramFolder(target, {{defaultProgramFolder(), ""}, {root.path() + "data", "VeltraData"}}),
        FillResult::Filled);

    veltra::shell::setProgramFolder(target);
    const auto report = mdlMain::ReadSettings();
    veltra::shell::setProgramFolder(QString());
    EXPECT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(gstrTitle, "Veltra");
    EXPECT_EQ(gstrDataPath, target + "/VeltraData/");
    EXPECT_EQ(gstrLimitSymbol, "100");
    EXPECT_EQ(gstrUseCount, "1");
    EXPECT_FALSE(veltra::shell::questionnaireDue());
    EXPECT_FALSE(veltra::shell::downloadServerConfigured());
    EXPECT_EQ(readBytes(defaultProgramFolder() + "ZORPAK.INI"), delivered);
}

// Removing a damaged ZORPAK.INI or ZORPAK.MNU from a program folder in use
// brings the delivered one back at the next start, which then runs.
TEST(DefaultConfiguration, RemovedConfigurationFilesComeBackAtTheNextStart)
{
    TempDir root;
    QDir().mkpath(root.path() + "data/DefFolder");
    writeBytes(root.path() + "data/DefFolder/DispLevel.txt", "10001\r\n250001\r\n1000001\r\n");
    const std::vector<DefaultsSource> installed
        = {{defaultProgramFolder(), ""}, {root.path() + "data", "VeltraData"}};
    const QString target = root.path() + "home/veltra/";
    ASSERT_EQ(fillProgramFolder(target, installed), FillResult::Filled);
    // Damaged by some accident, then removed by the user as the message says.
    writeBytes(target + "ZORPAK.INI", QByteArray("\0\0\0", 3));
    veltra::shell::setProgramFolder(target);
    EXPECT_FALSE(mdlMain::ReadSettings().ok());
    QFile::remove(target + "ZORPAK.INI");
    QFile::remove(target + "ZORPAK.MNU");

    QString error;
    EXPECT_EQ(fillProgramFolder(target, installed, &error), FillResult::Restored) << error.toStdString();
    for (const char *name : {"ZORPAK.INI", "ZORPAK.MNU"})
        EXPECT_EQ(readBytes(target + name), readBytes(defaultProgramFolder() + name)) << name;
    veltra::profile::clearCache();
    const auto report = mdlMain::ReadSettings();
    veltra::shell::setProgramFolder(QString());
    EXPECT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(gstrTitle, "Veltra");
}

} // namespace
