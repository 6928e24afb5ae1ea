#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace veltra::profile;
using veltra::test::TempDir;
using veltra::test::u;
using veltra::test::writeBytes;

namespace {

QByteArray cp932(const QString &text)
{
    QByteArray out;
    EXPECT_TRUE(veltra::text::encodeCp932(text, out));
    return out;
}

struct ProfileRead : ::testing::Test
{
    TempDir dir;
    QString path;
    void SetUp() override
    {
        clearCache();
        path = dir.file("Setting.ini");
        writeBytes(path,
            cp932(u("; comment line\r\n"
                    "Orphan=before any section\r\n"
                    "[General]\r\n"
                    "  Name =  地図 太郎  \r\n"
                    "Quoted=\"  spaced  \"\r\n"
                    "Single='x'\r\n"
                    "Mismatch=\"abc'\r\n"
                    "OneQuote=\"\r\n"
                    "Empty=\r\n"
                    "Blank=   \r\n"
                    "FullWidth=　全角　\r\n"
                    "Table=表示\r\n"
                    "Inline=1 ; not a comment\r\n"
                    ";Hidden=1\r\n"
                    "no equals sign\r\n"
                    "Dup=first\r\n"
                    "DUP=second\r\n"
                    "Num=  42abc\r\n"
                    "Neg=-17\r\n"
                    "Hex=0x1F\r\n"
                    "Plus=+5\r\n"
                    "Junk=abc\r\n"
                    "QuotedNum=\"12\"\r\n"
                    "Big=4294967297\r\n"
                    "\r\n"
                    "[ Other ]\r\n"
                    "Key=other\r\n"
                    "[general]\r\n"
                    "Name=shadowed\r\n"
                    "[ＪＰ]\r\n"
                    "ａ=full-width names\r\n")));
    }
};

} // namespace

TEST_F(ProfileRead, StringRules)
{
    struct Case
    {
        const char *name;
        QString section;
        QString key;
        QString def;
        QString expected;
        int copied; // CP932 bytes
    };
    const Case cases[] = {
        {"names without case, value trimmed", u("GENERAL"), u("name"), u("d"), u("地図 太郎"), 9},
        {"matching double quotes go", u("General"), u("Quoted"), u("d"), u("  spaced  "), 10},
        {"matching single quotes go", u("General"), u("Single"), u("d"), u("x"), 1},
        {"mismatched quotes stay", u("General"), u("Mismatch"), u("d"), u("\"abc'"), 5},
        {"one quote stays", u("General"), u("OneQuote"), u("d"), u("\""), 1},
        {"empty value is found", u("General"), u("Empty"), u("d"), QString(), 0},
        {"blank value is empty", u("General"), u("Blank"), u("d"), QString(), 0},
        {"full-width spaces are no blanks", u("General"), u("FullWidth"), u("d"), u("　全角　"), 8},
        {"CP932 trail byte 0x5C", u("General"), u("Table"), u("d"), u("表示"), 4},
        {"no inline comments", u("General"), u("Inline"), u("d"), u("1 ; not a comment"), 17},
        {"comment is no key", u("General"), u(";Hidden"), u("d"), u("d"), 1},
        {"line without '=' is no key", u("General"), u("no equals sign"), u("d"), u("d"), 1},
        {"first key wins", u("General"), u("dup"), u("d"), u("first"), 5},
        {"first section wins", u("general"), u("NAME"), u("d"), u("地図 太郎"), 9},
        {"section name trimmed", u("other"), u("key"), u("d"), u("other"), 5},
        {"full-width names without case", u("ｊｐ"), u("Ａ"), u("d"), u("full-width names"), 16},
        {"key before any section is in none", QString(), u("Orphan"), u("d"), u("d"), 1},
        {"missing key gives the default", u("General"), u("None"), u("dflt"), u("dflt"), 4},
        {"default loses trailing blanks", u("General"), u("None"), u(" dflt  "), u(" dflt"), 5},
        {"missing section gives the default", u("None"), u("Name"), QString(), QString(), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int copied = -1;
        EXPECT_EQ(getString(c.section, c.key, c.def, path, 512, &copied), c.expected);
        EXPECT_EQ(copied, c.copied);
    }
    EXPECT_TRUE(hasKey(u("general"), u("EMPTY"), path));
    EXPECT_FALSE(hasKey(u("general"), u("none"), path));
}

TEST_F(ProfileRead, MissingFileGivesTheDefault)
{
    int copied = -1;
    EXPECT_EQ(getString(u("General"), u("Name"), QString(), dir.file("none.ini"), 256, &copied), QString());
    EXPECT_EQ(copied, 0);
    EXPECT_EQ(getInt(u("General"), u("Num"), 7, dir.file("none.ini")), 7);
    EXPECT_TRUE(sectionNames(dir.file("none.ini")).isEmpty());
    EXPECT_FALSE(QDir(dir.path()).exists(QStringLiteral("none.ini"))); // reading creates nothing
}

TEST_F(ProfileRead, PathsResolveWithoutCase)
{
    EXPECT_EQ(getString(u("General"), u("Single"), QString(), dir.path() + u("SETTING.INI")), u("x"));
}

TEST_F(ProfileRead, IntegerRules)
{
    struct Case
    {
        const char *key;
        int def;
        int expected;
    };
    const Case cases[] = {
        {"Num", 7, 42},
        {"Neg", 7, -17},
        {"Hex", 7, 31},
        {"Plus", 7, 5},
        {"Junk", 7, 0},
        {"Empty", 7, 7},
        {"Blank", 7, 7},
        {"None", 7, 7},
        {"QuotedNum", 7, 12},
        {"Big", 7, 1},
        {"FullWidth", 7, 0},
        {"Mismatch", 7, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(getInt(u("general"), QString::fromLatin1(c.key), c.def, path), c.expected);
    }
}

TEST_F(ProfileRead, BufferLimitCutsInCp932Bytes)
{
    const QString ascii300(300, QLatin1Char('a'));
    const QString kana200 = QString(200, QChar(0x3042)); // あ, 400 bytes
    const QString mixed = QStringLiteral("a") + QString(200, QChar(0x3042));
    writeBytes(
        path, cp932(u("[S]\r\nA=") + ascii300 + u("\r\nK=") + kana200 + u("\r\nM=") + mixed + u("\r\n")));

    struct Case
    {
        const char *key;
        int bufferSize;
        QString expected;
        int copied;
    };
    const Case cases[] = {
        {"A", 256, ascii300.left(255), 255}, // the 255-byte reader
        {"A", 512, ascii300, 300}, // the 511-byte reader
        {"K", 256, kana200.left(127), 254}, // 255 bytes hold 127 double-byte characters
        {"M", 256, mixed.left(128), 255},
        {"K", 512, kana200, 400},
        {"A", 1, QString(), 0},
        {"A", 0, QString(), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.bufferSize));
        int copied = -1;
        EXPECT_EQ(getString(u("S"), QString::fromLatin1(c.key), QString(), path, c.bufferSize, &copied),
            c.expected);
        EXPECT_EQ(copied, c.copied);
    }
    // The default is cut the same way.
    int copied = -1;
    EXPECT_EQ(getString(u("S"), u("none"), kana200, path, 4, &copied), kana200.left(1));
    EXPECT_EQ(copied, 2);
}

TEST_F(ProfileRead, Listings)
{
    EXPECT_EQ(sectionNames(path), QStringList({u("General"), u("Other"), u("ＪＰ")}));
    EXPECT_EQ(keyNames(u("other"), path), QStringList({u("Key")}));
    const QStringList keys = keyNames(u("GENERAL"), path);
    EXPECT_EQ(keys.first(), u("Name"));
    EXPECT_TRUE(keys.contains(u("Dup")));
    EXPECT_FALSE(keys.contains(u("DUP")));
    EXPECT_FALSE(keys.contains(u(";Hidden")));
    EXPECT_FALSE(keys.contains(u("no equals sign")));
    EXPECT_EQ(keys.size(), 18);

    const auto entries = sectionEntries(u("general"), path);
    ASSERT_EQ(entries.size(), 18u);
    EXPECT_EQ(entries[0], std::make_pair(u("Name"), u("地図 太郎")));
    EXPECT_EQ(entries[1], std::make_pair(u("Quoted"), u("  spaced  ")));
    EXPECT_TRUE(keyNames(u("none"), path).isEmpty());
}

TEST_F(ProfileRead, Utf8FilesAreRead)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF[S]\r\nK=\xE5\x9C\xB0\xE5\x9B\xB3\r\n")},
        {"UTF-8 without BOM", QByteArray("[S]\nK=\xE5\x9C\xB0\xE5\x9B\xB3\n")},
        {"CP932", QByteArray("[S]\r\nK=\x92\x6E\x90\x7D")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file
            = dir.file(QString::fromLatin1(c.name).replace(QLatin1Char(' '), QLatin1Char('_')));
        writeBytes(file, c.bytes);
        int copied = -1;
        EXPECT_EQ(getString(u("s"), u("k"), QString(), file, 256, &copied), u("地図"));
        EXPECT_EQ(copied, 4);
    }
}
