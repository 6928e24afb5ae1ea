#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace veltra::profile;
using veltra::test::entriesOf;
using veltra::test::readBytes;
using veltra::test::TempDir;
using veltra::test::u;
using veltra::test::writeBytes;

namespace {

// A file with comments, odd spacing, an LF-only line, CP932 text and no line
// end on its last line: every line a rewrite must keep byte for byte.
const QByteArray original("; \x90\xDD\x92\xE8 settings\r\n"
                          "[Main]\r\n"
                          "  Path = ..\\Data\\  \r\n"
                          "Title=\x92\x6E\x90\x7D\n"
                          "Count=3\r\n"
                          "\r\n"
                          "[Sub]\r\n"
                          "Key=v");

struct ProfileWrite : ::testing::Test
{
    TempDir dir;
    QString path;
    void SetUp() override
    {
        clearCache();
        path = dir.file("doc.ini");
        writeBytes(path, original);
    }
};

} // namespace

TEST_F(ProfileWrite, EditsTouchOnlyTheirLine)
{
    struct Case
    {
        const char *name;
        QString section;
        QString key;
        std::optional<QString> value;
        QByteArray expected;
    };
    const Case cases[] = {
        {"replace a value, keeping the file's key name", u("MAIN"), u("count"), u("12"),
            QByteArray(
                "; \x90\xDD\x92\xE8 settings\r\n[Main]\r\n  Path = ..\\Data\\  \r\nTitle=\x92\x6E\x90\x7D\n"
                "Count=12\r\n\r\n[Sub]\r\nKey=v")},
        {"new key after the section's last key", u("main"), u("New"), u("\xE2\x91\xA0"),
            QByteArray(
                "; \x90\xDD\x92\xE8 settings\r\n[Main]\r\n  Path = ..\\Data\\  \r\nTitle=\x92\x6E\x90\x7D\n"
                "Count=3\r\nNew=\x87\x40\r\n\r\n[Sub]\r\nKey=v")},
        {"new key in the last section ends the unterminated line", u("Sub"), u("K2"), u("x"),
            QByteArray(
                "; \x90\xDD\x92\xE8 settings\r\n[Main]\r\n  Path = ..\\Data\\  \r\nTitle=\x92\x6E\x90\x7D\n"
                "Count=3\r\n\r\n[Sub]\r\nKey=v\r\nK2=x\r\n")},
        {"new section at the end", u("\xE5\x9C\xB0\xE5\x9B\xB3"), u("A"), u("1"),
            QByteArray(
                "; \x90\xDD\x92\xE8 settings\r\n[Main]\r\n  Path = ..\\Data\\  \r\nTitle=\x92\x6E\x90\x7D\n"
                "Count=3\r\n\r\n[Sub]\r\nKey=v\r\n[\x92\x6E\x90\x7D]\r\nA=1\r\n")},
        {"null value deletes the key", u("main"), u("TITLE"), std::nullopt,
            QByteArray("; \x90\xDD\x92\xE8 settings\r\n[Main]\r\n  Path = ..\\Data\\  \r\n"
                       "Count=3\r\n\r\n[Sub]\r\nKey=v")},
        {"deleting a missing key changes nothing", u("main"), u("none"), std::nullopt, original},
        {"empty value", u("Sub"), u("key"), QString(),
            QByteArray("; \x90\xDD\x92\xE8 settings\r\n[Main]\r\n"
                       "  Path = ..\\Data\\  \r\nTitle=\x92\x6E\x90\x7D\n"
                       "Count=3\r\n\r\n[Sub]\r\nKey=")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path, original);
        QString error;
        ASSERT_TRUE(writeString(c.section, c.key, c.value, path, &error)) << error.toStdString();
        EXPECT_EQ(readBytes(path), c.expected);
        EXPECT_EQ(entriesOf(dir.path()), QStringList({QStringLiteral("doc.ini")})); // no temporary left
        if (c.value)
            EXPECT_EQ(getString(c.section, c.key, u("def"), path), *c.value);
        else
            EXPECT_FALSE(hasKey(c.section, c.key, path));
    }
}

TEST_F(ProfileWrite, MissingFileIsCreated)
{
    const QString fresh = dir.file("New.ini");
    ASSERT_TRUE(writeString(u("Sec"), u("Key"), u("値"), fresh));
    ASSERT_TRUE(writeString(u("Sec"), u("Two"), u("2"), dir.path() + u("NEW.INI")));
    EXPECT_EQ(readBytes(fresh), QByteArray("[Sec]\r\nKey=\x92\x6C\r\nTwo=2\r\n"));
    EXPECT_EQ(entriesOf(dir.path()), QStringList({QStringLiteral("New.ini"), QStringLiteral("doc.ini")}));

    // Deleting from a missing file creates nothing.
    EXPECT_TRUE(writeString(u("Sec"), u("Key"), std::nullopt, dir.file("other.ini")));
    EXPECT_TRUE(deleteSection(u("Sec"), dir.file("other.ini")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("other.ini")));

    QString error;
    EXPECT_FALSE(writeString(u("Sec"), u("Key"), u("v"), dir.file("none/x.ini"), &error));
    EXPECT_EQ(error,
        u("ファイルに書き込めません: ") + dir.file("none/x.ini") + u("\nフォルダがありません: ") + dir.path()
            + u("none"));
}

TEST_F(ProfileWrite, UnwritableValuesAreRefusedAndTheFileKept)
{
    struct Case
    {
        const char *name;
        QString section;
        QString key;
        QString value;
        QString says;
    };
    const Case cases[] = {
        {"emoji", u("Main"), u("Count"), u("😀"), u("U+1F600")},
        {"line break in a value", u("Main"), u("Count"), u("a\r\nEvil=1"),
            u("キー「Count」の値に改行は含められません。")},
        {"'=' in a key", u("Main"), u("a=b"), u("1"), u("キー名「a=b」は使えません。")},
        {"empty key", u("Main"), QString(), u("1"), u("キー名「」は使えません。")},
        {"']' in a section", u("Ma]in"), u("k"), u("1"), u("セクション名「Ma]in」は使えません。")},
        {"empty section", QString(), u("k"), u("1"), u("セクション名「」は使えません。")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(writeString(c.section, c.key, c.value, path, &error));
        EXPECT_TRUE(error.startsWith(u("ファイルに書き込めません: ") + path + u("\n")))
            << error.toStdString();
        EXPECT_TRUE(error.contains(c.says)) << error.toStdString();
        EXPECT_EQ(readBytes(path), original);
        EXPECT_EQ(entriesOf(dir.path()), QStringList({QStringLiteral("doc.ini")}));
    }
    QString error;
    EXPECT_FALSE(writeSection(u("Main"), {{u("a"), u("ok")}, {u("b"), u("😀")}}, path, &error));
    EXPECT_EQ(readBytes(path), original);
}

TEST_F(ProfileWrite, SectionsAreDeletedAndReplaced)
{
    writeBytes(path, "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n; note\r\n\r\n[a]\r\nz=3\r\n[C]\r\nw=4\r\n");
    ASSERT_TRUE(deleteSection(u("a"), path));
    // Both sections of that name go, so neither shows through afterwards.
    EXPECT_EQ(readBytes(path), QByteArray("[B]\r\ny=2\r\n; note\r\n\r\n[C]\r\nw=4\r\n"));
    EXPECT_EQ(sectionNames(path), QStringList({u("B"), u("C")}));

    ASSERT_TRUE(writeSection(u("b"), {{u("p"), u("1")}, {u("q"), u("二")}}, path));
    EXPECT_EQ(readBytes(path), QByteArray("[B]\r\np=1\r\nq=\x93\xF1\r\n\r\n[C]\r\nw=4\r\n"));
    ASSERT_TRUE(writeSection(u("D"), {{u("r"), u("5")}}, path));
    EXPECT_EQ(readBytes(path), QByteArray("[B]\r\np=1\r\nq=\x93\xF1\r\n\r\n[C]\r\nw=4\r\n[D]\r\nr=5\r\n"));
    EXPECT_EQ(keyNames(u("B"), path), QStringList({u("p"), u("q")}));
}

TEST_F(ProfileWrite, Utf8FileIsRewrittenInCp932)
{
    writeBytes(path, "\xEF\xBB\xBF[S]\r\nA=\xE5\x9C\xB0\xE5\x9B\xB3\r\n");
    ASSERT_TRUE(writeString(u("S"), u("B"), u("1"), path));
    EXPECT_EQ(readBytes(path), QByteArray("[S]\r\nA=\x92\x6E\x90\x7D\r\nB=1\r\n"));
    EXPECT_EQ(getString(u("S"), u("A"), QString(), path), u("地図"));
}

TEST_F(ProfileWrite, CacheFollowsTheFileOnDisk)
{
    EXPECT_EQ(getString(u("Main"), u("Count"), QString(), path), u("3"));

    // Through this layer: read back at once.
    ASSERT_TRUE(writeString(u("Main"), u("Count"), u("4"), path));
    EXPECT_EQ(getString(u("Main"), u("Count"), QString(), path), u("4"));
    EXPECT_EQ(getInt(u("Main"), u("Count"), 0, path), 4);

    // Another program replaces the file (new inode, same size, maybe same tick).
    QByteArray changed = readBytes(path);
    changed.replace("Count=4", "Count=5");
    writeBytes(dir.file("swap.tmp"), changed);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(dir.file("swap.tmp"), path));
    EXPECT_EQ(getString(u("Main"), u("Count"), QString(), path), u("5"));

    // Another program rewrites it in place with a different size.
    changed.replace("Count=5", "Count=66");
    writeBytes(path, changed);
    EXPECT_EQ(getString(u("Main"), u("Count"), QString(), path), u("66"));

    // In place, same size, a later modification time.
    changed.replace("Count=66", "Count=77");
    writeBytes(path, changed);
    struct timespec times[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    EXPECT_EQ(getString(u("Main"), u("Count"), QString(), path), u("77"));

    // Removed: the default again.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(getString(u("Main"), u("Count"), u("gone"), path), u("gone"));
}
