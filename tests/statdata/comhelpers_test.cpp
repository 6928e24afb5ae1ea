// File, folder and text helpers of the statistics data classes.
#include "statdata/comdirectory.h"
#include "statdata/comfile.h"
#include "statdata/comfunction.h"
#include "statdata/statfileformat.h"
#include "statdatatesthelpers.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::test;

TEST(ComFunction, ByteWidthsCountCp932Bytes)
{
    struct Row
    {
        const char16_t *text;
        bool hankaku;
        bool zenkaku;
    };
    const Row rows[] = {
        {u"", true, true},
        {u"abc 123", true, false},
        {u"ﾃﾞｰﾀｱｲｳ", true, false}, // half-width katakana: one byte each
        {u"\\~", true, false},
        {u"統計データ", false, true},
        {u"①②ⅰⅱ㈱", false, true}, // NEC and IBM extensions: two bytes each
        {u"０１２", false, true}, // full-width digits
        {u"統計a", false, false},
        {u"統計ｱ", false, false},
        {u"統計 ", false, false},
        {u"😀", false, false}, // CP932 cannot hold it: neither
        {u"a😀", false, false},
    };
    for (const Row &row : rows) {
        const QString text = QString::fromUtf16(row.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(ComFunction::IsHankakuOnly(text), row.hankaku);
        EXPECT_EQ(ComFunction::IsZenkakuOnly(text), row.zenkaku);
    }
}

TEST(ComFunction, GetFieldCountCountsOneCharacterSeparators)
{
    EXPECT_EQ(ComFunction::GetFieldCount(QStringLiteral("a,b,,c"), QStringLiteral(",")), 4);
    EXPECT_EQ(ComFunction::GetFieldCount(QString(), QStringLiteral(",")), 1);
    EXPECT_EQ(ComFunction::GetFieldCount(QStringLiteral("a,,b"), QStringLiteral(",,")), 1);
    EXPECT_EQ(ComFunction::GetFieldCount(QStringLiteral("a\tb"), QStringLiteral("\t")), 2);
}

TEST(ComFunction, FormatEraDate)
{
    struct Row
    {
        const char *date;
        int16_t kind;
        const char16_t *expected;
    };
    const Row rows[] = {
        {"2005/10/01", 1, u"平成17年10月1日"},
        {"2005/10/01", 2, u"H17.10.01"},
        {"2000/1/5", 2, u"H12.01.05"},
        {"1970/10/01", 1, u"昭和45年10月1日"},
        {"1989/01/07", 2, u"S64.01.07"},
        {"1989/01/08", 2, u"H1.01.08"},
        {"2019/04/30", 2, u"H31.04.30"},
        {"2019/05/01", 1, u"令和1年5月1日"},
        {"2100/09/30", 2, u"R82.09.30"},
        {"2005/10/01", 3, u""},
        {"2005/10/01", 0, u""},
        {"2005/13/01", 1, u""},
        {"not a date", 1, u""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.date) + " kind " + std::to_string(row.kind));
        EXPECT_EQ(ComFunction::FormatEraDate(QString::fromLatin1(row.date), row.kind),
            QString::fromUtf16(row.expected));
    }
    EXPECT_EQ(veltra::statdata::surveyYearText(QStringLiteral("2000/10/01")), QStringLiteral("平成12年度"));
    EXPECT_EQ(veltra::statdata::surveyYearText(QStringLiteral("2020/10/01")), QStringLiteral("令和2年度"));
    EXPECT_EQ(veltra::statdata::surveyYearText(QStringLiteral("x")), QString());
}

TEST(ComDirectory, GetParentFoldersListsEveryLevel)
{
    struct Row
    {
        QString path;
        QStringList expected;
    };
    const Row rows[] = {
        {QStringLiteral("C:\\a\\b\\"), {"C:/", "C:/a/", "C:/a/b/"}},
        {QStringLiteral("C:\\a\\b"), {"C:/", "C:/a/", "C:/a/b/"}},
        {QStringLiteral("C:\\"), {"C:/"}},
        {QStringLiteral("/x/y"), {"/", "/x/", "/x/y/"}},
        {QStringLiteral("/"), {"/"}},
        {QString(), {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        QStringList list{QStringLiteral("old")};
        const int16_t n = ComDirectory::GetParentFolders(row.path, list);
        EXPECT_EQ(n, row.expected.size());
        if (!row.expected.isEmpty()) {
            EXPECT_EQ(list, row.expected);
        }
    }
}

TEST(ComDirectory, CreateFolderAndTree)
{
    TempDir tmp;
    const QString deep = tmp.path() + QStringLiteral("a\\b\\統計");
    EXPECT_FALSE(ComDirectory::CreateFolder(deep)) << "parent missing";
    EXPECT_TRUE(ComDirectory::CreateFolderTree(deep));
    EXPECT_TRUE(QDir(tmp.path() + QStringLiteral("a/b/統計")).exists());
    EXPECT_TRUE(ComDirectory::CreateFolderTree(deep)) << "all present";
    EXPECT_TRUE(ComDirectory::CreateFolderTree(QString()));
    EXPECT_FALSE(ComDirectory::CreateFolder(deep)) << "already exists";
    EXPECT_TRUE(ComDirectory::CreateFolder(deep + QStringLiteral("\\c")));

    // A file in the way stops the tree.
    writeBytes(tmp.file("f"), "x");
    EXPECT_FALSE(ComDirectory::CreateFolderTree(tmp.path() + QStringLiteral("f/g")));
}

TEST(ComDirectory, TreeListPutsChildrenBeforeTheirFolder)
{
    TempDir tmp;
    const QString root = tmp.path() + QStringLiteral("root");
    QDir().mkpath(root + QStringLiteral("/sub"));
    writeBytes(root + QStringLiteral("/x.txt"), "x");
    QStringList list;
    EXPECT_EQ(ComDirectory::GetTreeList(root, list), 3);
    EXPECT_EQ(list, QStringList({root + "/sub/", root + "/x.txt", root + "/"}));

    EXPECT_EQ(ComDirectory::GetTreeList(tmp.path() + "missing", list), 3) << "list keeps what it had";
    EXPECT_EQ(ComDirectory::GetFileCount(root), 1);
    EXPECT_EQ(ComDirectory::GetSubFolderCount(root), 1);
    EXPECT_EQ(ComDirectory::GetFileCount(tmp.path() + "missing"), 0);
    EXPECT_TRUE(ComDirectory::SetTreeHidden(root, true));
    EXPECT_TRUE(ComDirectory::SetTreeHidden(root, false));
    EXPECT_TRUE(ComDirectory::SetTreeHidden(tmp.path() + "missing", true)) << "nothing to do";
}

TEST(ComDirectory, FileOperations)
{
    TempDir tmp;
    const QString a = tmp.file("a.txt"), b = tmp.file("b.txt");
    EXPECT_FALSE(ComDirectory::CopyFile(a, b)) << "missing source";
    writeBytes(a, "new");
    writeBytes(b, "old");
    EXPECT_TRUE(ComDirectory::CopyFile(a, b));
    EXPECT_EQ(readBytes(b), "new");
    EXPECT_FALSE(ComDirectory::CopyFile(a, tmp.path() + "no/such/b.txt"));

    QFile::setPermissions(b, QFileDevice::ReadOwner);
    EXPECT_TRUE(ComDirectory::DeleteFile(b)) << "read-only";
    EXPECT_FALSE(ComDirectory::IsFileExist(b));
    EXPECT_FALSE(ComDirectory::DeleteFile(b)) << "missing";
    EXPECT_FALSE(ComDirectory::IsFileExist(tmp.path())) << "a folder is no file";
    EXPECT_FALSE(ComDirectory::IsFolderExist(a));

    // A case-insensitive name is found, but only that file goes.
    writeBytes(tmp.file("C.TXT"), "1");
    writeBytes(tmp.file("c.txt"), "2");
    EXPECT_TRUE(ComDirectory::DeleteFile(tmp.file("c.txt")));
    EXPECT_EQ(readBytes(tmp.file("C.TXT")), "1");

    QDir().mkpath(tmp.path() + "d/e");
    EXPECT_TRUE(ComDirectory::DeleteFolder(tmp.path() + "d"));
    EXPECT_FALSE(ComDirectory::DeleteFolder(tmp.path() + "d"));
}

TEST(ComFile, ReadAllLinesAcceptsEveryLineEndAndUtf8)
{
    TempDir tmp;
    QStringList lines{QStringLiteral("keep")};
    EXPECT_EQ(ComFile::ReadAllLines(tmp.file("missing.txt"), lines), -1);
    writeBytes(tmp.file("empty.txt"), QByteArray());
    EXPECT_EQ(ComFile::ReadAllLines(tmp.file("empty.txt"), lines), 0);
    EXPECT_EQ(lines, QStringList{QStringLiteral("keep")});

    writeBytes(tmp.file("mixed.txt"), cp932(QStringLiteral("ｺｰﾄﾞ,人口")) + "\r\n13,1\n14,2\r15,3");
    EXPECT_EQ(ComFile::ReadAllLines(tmp.file("mixed.txt"), lines), 4);
    EXPECT_EQ(lines, QStringList({"ｺｰﾄﾞ,人口", "13,1", "14,2", "15,3"}));

    writeBytes(tmp.file("utf8.txt"), "\xEF\xBB\xBF" + QStringLiteral("人口\n\n①").toUtf8());
    EXPECT_EQ(ComFile::ReadAllLines(tmp.file("utf8.txt"), lines), 3);
    EXPECT_EQ(lines, QStringList({"人口", "", "①"}));
}

TEST(ComFile, WriteAllLinesWritesCp932CrLf)
{
    TempDir tmp;
    const QString path = tmp.file("w.txt");
    EXPECT_EQ(ComFile::WriteAllLines(path, {"ﾃﾞｰﾀ", "①"}, false), 0) << "append creates";
    EXPECT_EQ(readBytes(path), cp932Lines({"ﾃﾞｰﾀ", "①"}));
    EXPECT_EQ(ComFile::WriteAllLines(path, {"統計"}, false), 0);
    EXPECT_EQ(readBytes(path), cp932Lines({"ﾃﾞｰﾀ", "①", "統計"}));
    EXPECT_EQ(ComFile::WriteAllLines(path, {"a"}, true), 0);
    EXPECT_EQ(readBytes(path), "a\r\n");

    // A character CP932 cannot hold fails the write and keeps the old file.
    EXPECT_EQ(ComFile::WriteAllLines(path, {"😀"}, true), -2);
    EXPECT_EQ(ComFile::WriteAllLines(path, {"😀"}, false), -2);
    EXPECT_EQ(readBytes(path), "a\r\n");
    EXPECT_EQ(ComFile::WriteAllLines(tmp.path() + "no/w.txt", {"a"}, true), -1);

    // Appending never runs on from a last line without its line end, and a
    // file saved as UTF-8 becomes CP932 as a whole.
    writeBytes(path, "x\r\ny");
    EXPECT_EQ(ComFile::WriteAllLines(path, {"z"}, false), 0);
    EXPECT_EQ(readBytes(path), "x\r\ny\r\nz\r\n");
    writeBytes(path, QStringLiteral("人口\n").toUtf8());
    EXPECT_EQ(ComFile::WriteAllLines(path, {"世帯"}, false), 0);
    EXPECT_EQ(readBytes(path), cp932Lines({"人口", "世帯"}));
}

TEST(StatFileFormat, CodePaddingAndPathParts)
{
    using namespace veltra::statdata;
    EXPECT_EQ(padAreaCode("1"), "01");
    EXPECT_EQ(padAreaCode("1101"), "01101");
    EXPECT_EQ(padAreaCode("1310100100"), "01310100100");
    EXPECT_EQ(padAreaCode("13101"), "13101");
    EXPECT_EQ(padAreaCode("123"), "123");
    EXPECT_EQ(areaCodeLength(areaUnitPref()), 2);
    EXPECT_EQ(areaCodeLength(areaUnitCity()), 5);
    EXPECT_EQ(areaCodeLength(areaUnitTown()), 11);
    EXPECT_EQ(areaCodeLength("情報点"), 0);
    EXPECT_EQ(prefNumberFromText("01"), 1);
    EXPECT_EQ(prefNumberFromText(" 13 "), 13);
    EXPECT_EQ(prefNumberFromText("0"), std::nullopt);
    EXPECT_EQ(prefNumberFromText("1a"), std::nullopt);
    EXPECT_EQ(prefNumberFromText(""), std::nullopt);
    const QStringList parts = splitPath("C:\\data/etc\\x.txt");
    EXPECT_EQ(parts, QStringList({"C:", "data", "etc", "x.txt"}));
    EXPECT_EQ(joinParts(parts, 0, 2), "C:/data/etc");
    EXPECT_EQ(joinParts(splitPath("/a/b"), 0, 1), "/a");
    EXPECT_EQ(folderOf("C:\\data\\x.txt"), "C:/data/");
}
