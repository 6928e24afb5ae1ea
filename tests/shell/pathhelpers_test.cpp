// Path texts, file and folder tests, temporary files and folder deletion.
#include "platform/vb/errors.h"
#include "shell/commonm1.h"
#include "shell/compsyope.h"
#include "shell/mdlcommon.h"
#include "shell/mdlspcom.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(ShellPathTexts, Table)
{
    struct Case
    {
        const char *path;
        const char *folderPath; // mdlCommon::GetFolderPath
        const char *folderName; // CommonM1::GetFolderName
        const char *fileTitle; // CommonM1::GetFileTitle
        const char *cutExtension; // mdlSpCom::CutExtension
        const char *extension; // mdlSpCom::GetExtension
    };
    const Case cases[] = {
        {R"(C:\Maps\Tokyo.zor)", R"(C:\Maps\)", R"(C:\Maps)", "Tokyo", R"(C:\Maps\Tokyo)", "zor"},
        {R"(C:\Maps\Tokyo.old.zor)", R"(C:\Maps\)", R"(C:\Maps)", "Tokyo", R"(C:\Maps\Tokyo.old)", "zor"},
        {R"(C:\my.maps\Tokyo)", R"(C:\my.maps\)", R"(C:\my.maps)", "Tokyo", R"(C:\my.maps\Tokyo)", ""},
        {"Tokyo", "", "", "Tokyo", "Tokyo", ""},
        {R"(C:\Maps\)", R"(C:\Maps\)", R"(C:\Maps)", "", R"(C:\Maps\)", ""},
        {"/home/u/data/a.csv", "/home/u/data/", "/home/u/data", "a", "/home/u/data/a", "csv"},
        {R"(..\Data\elm.csv)", R"(..\Data\)", R"(..\Data)", "elm", R"(..\Data\elm)", "csv"},
        {"", "", "", "", "", ""},
        {"a.", "", "", "a", "a", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(mdlCommon::GetFolderPath(path), QString::fromUtf8(c.folderPath));
        EXPECT_EQ(CommonM1::GetFolderName(path), QString::fromUtf8(c.folderName));
        EXPECT_EQ(CommonM1::GetFileTitle(path), QString::fromUtf8(c.fileTitle));
        EXPECT_EQ(mdlSpCom::CutExtension(path), QString::fromUtf8(c.cutExtension));
        EXPECT_EQ(mdlSpCom::GetExtension(path), QString::fromUtf8(c.extension));
    }
}

TEST(ShellPathTexts, DotlessDocumentKeepsItsSettingsBesideIt)
{
    // The settings file of a document is CutExtension + ".INI": never a bare
    // ".INI" in the current folder, never a name built from a folder's dot.
    EXPECT_EQ(mdlSpCom::CutExtension(QStringLiteral("Tokyo")) + QStringLiteral(".INI"),
        QStringLiteral("Tokyo.INI"));
    EXPECT_EQ(mdlSpCom::CutExtension(QStringLiteral(R"(C:\v1.2\map)")) + QStringLiteral(".INI"),
        QStringLiteral(R"(C:\v1.2\map.INI)"));
}

TEST(ShellPathTexts, GetFolderNameTrimsSpaces)
{
    EXPECT_EQ(CommonM1::GetFolderName(QStringLiteral("  C:\\a\\b.txt  ")), QStringLiteral("C:\\a"));
}

TEST(ShellPathTexts, AddPathSep)
{
    struct Case
    {
        const char *in;
        const char *out;
    };
    const Case cases[] = {
        {R"(C:\Data)", R"(C:\Data\)"},
        {R"(C:\Data\)", R"(C:\Data\)"},
        {"/home/u/data", "/home/u/data/"},
        {"/home/u/data/", "/home/u/data/"},
        {"data", R"(data\)"},
        {"", R"(\)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(mdlCommon::AddPathSep(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
    }
}

TEST(ShellFileTests, FileAndFolderExists)
{
    veltra::test::TempDir dir;
    veltra::test::writeBytes(dir.file(QStringLiteral("Mesh.CSV")), "x");
    QDir(dir.path()).mkdir(QStringLiteral("Sub"));
    const QString win = QDir::toNativeSeparators(dir.path()).replace(u'/', u'\\');

    EXPECT_TRUE(mdlCommon::FileExists(dir.file(QStringLiteral("Mesh.CSV"))));
    EXPECT_TRUE(mdlCommon::FileExists(win + QStringLiteral("mesh.csv")));
    EXPECT_FALSE(mdlCommon::FileExists(dir.file(QStringLiteral("Sub"))));
    EXPECT_FALSE(mdlCommon::FileExists(dir.file(QStringLiteral("*.CSV"))));
    EXPECT_FALSE(mdlCommon::FileExists(dir.file(QStringLiteral("Mesh.CS?"))));
    EXPECT_FALSE(mdlCommon::FileExists(QString()));
    EXPECT_FALSE(mdlCommon::FileExists(dir.file(QStringLiteral("none.csv"))));

    EXPECT_TRUE(mdlCommon::FolderExists(dir.file(QStringLiteral("Sub"))));
    EXPECT_TRUE(mdlCommon::FolderExists(win + QStringLiteral("sub\\")));
    EXPECT_FALSE(mdlCommon::FolderExists(dir.file(QStringLiteral("Mesh.CSV"))));
    EXPECT_FALSE(mdlCommon::FolderExists(QString()));
}

TEST(ShellTempFiles, OwnFolderAndDistinctFiles)
{
    const QString tempDir = CommonM1::GetTempDir();
    ASSERT_FALSE(tempDir.isEmpty());
    EXPECT_TRUE(tempDir.endsWith(u'/'));
    EXPECT_NE(QDir(tempDir).absolutePath(), QDir(QDir::tempPath()).absolutePath());
    EXPECT_TRUE(QFileInfo(tempDir).isDir());

    const QString a = CommonM1::GetTempFile();
    const QString b = CommonM1::GetTempFile();
    ASSERT_FALSE(a.isEmpty());
    EXPECT_NE(a, b);
    for (const QString &f : {a, b}) {
        const QFileInfo info(f);
        EXPECT_TRUE(info.isFile());
        EXPECT_EQ(info.size(), 0);
        EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("eg6")));
        EXPECT_EQ(QDir(info.absolutePath()).absolutePath(), QDir(tempDir).absolutePath());
        QFile::remove(f);
    }
}

TEST(ShellDeleteFolder, DeletesContentAndRaisesOnFailure)
{
    veltra::test::TempDir dir;
    const QString folder = dir.file(QStringLiteral("Work"));
    QDir().mkpath(folder + QStringLiteral("/Inner"));
    veltra::test::writeBytes(folder + QStringLiteral("/Inner/a.txt"), "a");
    ComPSYOpe::DeleteFolder(folder);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_THROW(ComPSYOpe::DeleteFolder(folder), veltra::vb::FileError);
    EXPECT_THROW(ComPSYOpe::DeleteFolder(QString()), veltra::vb::FileError);
}

TEST(ShellOpenWithShell, MissingTargetsAreFalse)
{
    veltra::test::TempDir dir;
    EXPECT_FALSE(mdlCommon::OpenWithShell(QString()));
    EXPECT_FALSE(mdlCommon::OpenWithShell(dir.file(QStringLiteral("missing.pdf"))));
}
