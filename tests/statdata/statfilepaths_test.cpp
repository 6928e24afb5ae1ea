// The names and code rules that the writers and the readers of the
// statistics data files share.
#include "statdata/statfilepaths.h"

#include <gtest/gtest.h>

using namespace veltra::statdata;

TEST(StatFilePaths, TownRecordIndexReplacesTheFileNameExtension)
{
    const std::pair<const char *, const char *> cases[] = {
        {"C:\\data\\13.txt", "C:\\data\\13Index.txt"},
        {"/home/u/data.v2/町丁字/13.txt", "/home/u/data.v2/町丁字/13Index.txt"},
        {"/home/u/data.v2/13", "/home/u/data.v2/13Index.txt"}, // no extension: appended
        {"a.b.txt", "a.bIndex.txt"},
        {"C:\\x.y\\13.TXT", "C:\\x.y\\13Index.txt"},
    };
    for (const auto &[path, expected] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(townRecordIndexPath(QString::fromUtf8(path)), QString::fromUtf8(expected));
    }
}

TEST(StatFilePaths, JoinAndIndexNames)
{
    EXPECT_EQ(joinPath(QStringLiteral("C:\\a"), QStringLiteral("b.txt")), QStringLiteral("C:\\a\\b.txt"));
    EXPECT_EQ(joinPath(QStringLiteral("C:\\a\\"), QStringLiteral("b.txt")), QStringLiteral("C:\\a\\b.txt"));
    EXPECT_EQ(joinPath(QStringLiteral("/a/"), QStringLiteral("b.txt")), QStringLiteral("/a/b.txt"));
    EXPECT_EQ(joinPath(QString(), QStringLiteral("b.txt")), QStringLiteral("b.txt"));
    EXPECT_EQ(fileIndexPath(QStringLiteral("C:\\g")), QStringLiteral("C:\\g\\FileIndex.txt"));
    EXPECT_EQ(fileIndexKey(1), QStringLiteral("Code1"));
    EXPECT_EQ(fileIndexKey(13), QStringLiteral("Code13"));
    EXPECT_EQ(fileNameOf(QStringLiteral("C:\\a/b\\c.txt")), QStringLiteral("c.txt"));
    EXPECT_EQ(townIndexKey(QStringLiteral("13101001002")), QStringLiteral("13101"));
}

TEST(StatFilePaths, StoredCodesAreCompletedByLength)
{
    const std::tuple<const char *, bool, const char *> cases[] = {
        {"1", true, "01"}, {"13", true, "13"}, {"131", false, ""}, {"1101", true, "01101"},
        {"13101", true, "13101"}, {"131010", false, ""}, {"1310100", true, "1310100"},
        {"13101001", true, "00013101001"}, {"1101001002", true, "01101001002"},
        {"13101001002", true, "13101001002"}, {"131010010021", false, ""}, {"", false, ""},
        {"CODE", true, "CODE"}, // a header title: kept, matches no digit code
    };
    for (const auto &[code, ok, expected] : cases) {
        SCOPED_TRACE(code);
        QString out = QStringLiteral("x");
        EXPECT_EQ(completeStoredAreaCode(QString::fromUtf8(code), out), ok);
        EXPECT_EQ(out, QString::fromUtf8(expected));
    }
}
