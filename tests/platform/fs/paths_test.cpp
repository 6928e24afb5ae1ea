#include "platform/fs/fs.h"
#include "testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace veltra::fs;
using veltra::test::TempDir;
using veltra::test::writeBytes;

TEST(FsPaths, NormalizeAcceptsBothSeparators)
{
    struct Case
    {
        const char *name;
        QString path;
        QString expected;
    };
    const Case cases[] = {
        {"backslashes", QStringLiteral("DB\\Mesh.mdb"), QStringLiteral("DB/Mesh.mdb")},
        {"mixed", QStringLiteral("..\\Data/地図\\"), QStringLiteral("../Data/地図/")},
        {"doubled separators collapse", QStringLiteral("a\\\\b//c"), QStringLiteral("a/b/c")},
        {"absolute", QStringLiteral("/tmp\\x"), QStringLiteral("/tmp/x")},
        {"empty", QString(), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(normalize(c.path), c.expected);
    }
}

TEST(FsPaths, ResolvesEachNameWithoutCase)
{
    TempDir dir;
    const QString root = dir.path();
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Data/DB")));
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Data/地図")));
    writeBytes(root + QStringLiteral("Data/DB/Mesh.sqlite"), "x");
    writeBytes(root + QStringLiteral("Data/both.txt"), "x");
    writeBytes(root + QStringLiteral("Data/BOTH.TXT"), "x");

    struct Case
    {
        const char *name;
        QString given; // relative to the temporary folder
        QString expected; // relative to the temporary folder
    };
    const Case cases[] = {
        {"exact", QStringLiteral("Data/DB/Mesh.sqlite"), QStringLiteral("Data/DB/Mesh.sqlite")},
        {"every name differs in case", QStringLiteral("data\\db\\MESH.SQLITE"),
            QStringLiteral("Data/DB/Mesh.sqlite")},
        {"folder keeps its trailing separator", QStringLiteral("DATA\\db\\"), QStringLiteral("Data/DB/")},
        {"missing tail kept as given", QStringLiteral("data\\DB\\New\\x.TXT"),
            QStringLiteral("Data/DB/New/x.TXT")},
        {"names after a missing one are not looked up", QStringLiteral("data\\none\\db"),
            QStringLiteral("Data/none/db")},
        {"parent references", QStringLiteral("data\\db\\..\\DB\\mesh.sqlite"),
            QStringLiteral("Data/DB/../DB/Mesh.sqlite")},
        {"exact name wins over a case variant", QStringLiteral("data\\both.txt"),
            QStringLiteral("Data/both.txt")},
        {"case variants: first in name order", QStringLiteral("data\\Both.txt"),
            QStringLiteral("Data/BOTH.TXT")},
        {"Japanese names", QStringLiteral("DATA\\地図\\"), QStringLiteral("Data/地図/")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(resolve(root + c.given), root + c.expected);
    }
}

TEST(FsPaths, WildcardsMatchWithoutCase)
{
    struct Case
    {
        QString pattern;
        QString name;
        bool match;
    };
    const Case cases[] = {
        {QStringLiteral("*.txt"), QStringLiteral("A.TXT"), true},
        {QStringLiteral("*.txt"), QStringLiteral("a.txt.bak"), false},
        {QStringLiteral("*.txt"), QStringLiteral(".txt"), true},
        {QStringLiteral("?.hed"), QStringLiteral("1.HED"), true},
        {QStringLiteral("?.hed"), QStringLiteral("12.hed"), false},
        {QStringLiteral("*"), QString(), true},
        {QStringLiteral("*.*"), QStringLiteral("noextension"), true},
        {QStringLiteral("ab*cd"), QStringLiteral("abXcdYcd"), true},
        {QStringLiteral("ab*cd"), QStringLiteral("abcdX"), false},
        {QStringLiteral("a**b?"), QStringLiteral("aXXbY"), true},
        {QStringLiteral("地図*.ini"), QStringLiteral("地図ａ.INI"), true},
        {QStringLiteral("Ｍｅｓｈ"), QStringLiteral("ｍｅｓｈ"), true},
        {QStringLiteral("exact"), QStringLiteral("exactly"), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.pattern + QStringLiteral(" / ") + c.name).toStdString());
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.match);
    }
}

TEST(FsPaths, RelativePathsResolveFromTheCurrentFolder)
{
    TempDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Program/Data")));
    writeBytes(dir.path() + QStringLiteral("Program/Data/Mesh.sqlite"), "x");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path() + QStringLiteral("Program")));
    EXPECT_EQ(resolve(QStringLiteral("data\\MESH.sqlite")), QStringLiteral("Data/Mesh.sqlite"));
    EXPECT_EQ(resolve(QStringLiteral(".\\DATA\\")), QStringLiteral("./Data/"));
    EXPECT_EQ(resolve(QStringLiteral("..\\program\\data")), QStringLiteral("../Program/Data"));
    EXPECT_TRUE(fileExists(QStringLiteral("DATA\\mesh.SQLITE")));
    QDir::setCurrent(previous);
}
