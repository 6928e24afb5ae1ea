#include "platform/text/text.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace veltra::text;
using veltra::test::entriesOf;
using veltra::test::readBytes;
using veltra::test::TempDir;
using veltra::test::u;
using veltra::test::writeBytes;

TEST(TextFile, WritesCp932WithCrLf)
{
    TempDir dir;
    const QString path = dir.file("list.txt");
    QString error;
    ASSERT_TRUE(writeLines(path, {u("地図"), QString(), u("①,髙")}, &error)) << error.toStdString();
    EXPECT_EQ(readBytes(path), QByteArray("\x92\x6E\x90\x7D\r\n\r\n\x87\x40,\xFB\xFC\r\n"));

    QStringList lines;
    ASSERT_TRUE(readLines(path, lines));
    EXPECT_EQ(lines, QStringList({u("地図"), QString(), u("①,髙")}));
}

TEST(TextFile, RefusedCharacterLeavesTheOldFileIntact)
{
    TempDir dir;
    const QString path = dir.file("list.txt");
    const QByteArray old("old\r\n\x92\x6E\r\n");
    writeBytes(path, old);

    QString error;
    EXPECT_FALSE(writeLines(path, {u("fine"), u("絵文字😀")}, &error));
    EXPECT_EQ(error,
        u("ファイルに書き込めません: ") + path
            + u("\n2 行目: 文字「😀」(U+1F600、位置 4) はシフトJIS (CP932) で書けません。"));
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(entriesOf(dir.path()), QStringList({QStringLiteral("list.txt")})); // no temporary left

    error.clear();
    EXPECT_FALSE(appendLine(path, u("a😀"), &error));
    EXPECT_EQ(error,
        u("ファイルに書き込めません: ") + path
            + u("\n文字「😀」(U+1F600、位置 2) はシフトJIS (CP932) で書けません。"));
    EXPECT_EQ(readBytes(path), old);
}

TEST(TextFile, ReadsEveryEncodingOfTheReadRule)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"CP932 with CR LF", QByteArray("\x92\x6E\x90\x7D\r\nB\r\n"), {u("地図"), u("B")}},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF\xE5\x9C\xB0\xE5\x9B\xB3\nB"), {u("地図"), u("B")}},
        {"UTF-8 without BOM", QByteArray("\xE2\x91\xA0\r\n"), {u("①")}},
        {"CP932 katakana that is valid UTF-8", QByteArray("\xC3\xB0\r\n\xCC\xA7\r\n"), {u("ﾃｰ"), u("ﾌｧ")}},
        {"ASCII without final line end", QByteArray("a\r\nb"), {u("a"), u("b")}},
        {"empty file", QByteArray(), {}},
    };
    TempDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.file("in.txt");
        writeBytes(path, c.bytes);
        QStringList lines{u("stale")};
        ASSERT_TRUE(readLines(path, lines));
        EXPECT_EQ(lines, c.lines);
    }
}

// The first line alone, with the encoding decided from its own bytes.
TEST(TextFile, FirstLineIsReadByTheReadRule)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        bool found;
        QString line;
    };
    const QByteArray longLine(100000, 'a');
    const Case cases[] = {
        {"CP932 with CR LF", QByteArray("\x92\x6E\x90\x7D,B\r\nC\r\n"), true, u("地図,B")},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF\xE5\x9C\xB0\nB"), true, u("地")},
        {"UTF-8 without BOM", QByteArray("\xE2\x91\xA0\r\n"), true, u("①")},
        {"UTF-16 little endian", QByteArray("\xFF\xFE\x30\x57\x0D\x00\x0A\x00\x42\x00", 10), true, u("地")},
        {"UTF-16 big endian", QByteArray("\xFE\xFF\x57\x30\x00\x0A\x00\x42", 8), true, u("地")},
        // 0x0A as the low byte of a character is no line end.
        {"UTF-16 with a 0A byte", QByteArray("\xFF\xFE\x0A\x30\x41\x00", 6), true, u("\u300AA")},
        {"a lone CR", QByteArray("a\rb"), true, u("a")},
        {"no line end", QByteArray("a,b"), true, u("a,b")},
        {"empty first line", QByteArray("\r\nb"), true, QString()},
        {"empty file", QByteArray(), false, QString()},
        {"only a byte-order mark", QByteArray("\xEF\xBB\xBF"), false, QString()},
        {"a line longer than a block", longLine + "\x92\x6E\r\nb", true, QString::fromLatin1(longLine) + u("地")},
        // Decided from the first line: UTF-8 there, though a later CP932
        // line makes the whole file read as CP932.
        {"UTF-8 line before a CP932 one", QByteArray("\xE5\x9C\xB0\r\n\x92\x6E\r\n"), true, u("地")},
    };
    TempDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.file("in.txt");
        writeBytes(path, c.bytes);
        QString line{u("stale")};
        bool found = !c.found;
        ASSERT_TRUE(readFirstLine(path, line, &found));
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(line, c.line);
    }
    QString line;
    QString error;
    EXPECT_FALSE(readFirstLine(dir.file("none.txt"), line, nullptr, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("none.txt"))) << error.toStdString();
    EXPECT_FALSE(readFirstLine(dir.path(), line)); // a folder is no text file
}

TEST(TextFile, MissingFileFailsWithAReason)
{
    TempDir dir;
    QStringList lines{u("stale")};
    QString error;
    EXPECT_FALSE(readLines(dir.file("none.txt"), lines, &error));
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("none.txt"))) << error.toStdString();

    QString contents;
    EXPECT_FALSE(readText(dir.path(), contents)); // a folder is no text file
}

TEST(TextFile, AppendCreatesAndExtends)
{
    TempDir dir;
    const QString path = dir.file("log.txt");
    ASSERT_TRUE(appendLine(path, u("一")));
    ASSERT_TRUE(appendLine(path, QString()));
    ASSERT_TRUE(appendLine(path, u("b")));
    EXPECT_EQ(readBytes(path), QByteArray("\x88\xEA\r\n\r\nb\r\n"));
}

TEST(TextFile, PathsAreResolvedWindowsStyle)
{
    TempDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Data")));
    writeBytes(dir.file("Data/List.TXT"), QByteArray("x\r\n"));
    QStringList lines;
    ASSERT_TRUE(readLines(dir.path() + QStringLiteral("data\\list.txt"), lines));
    EXPECT_EQ(lines, QStringList({u("x")}));

    // A rewrite lands on the existing file, not on a second one differing in case.
    ASSERT_TRUE(writeLines(dir.path() + QStringLiteral("DATA\\LIST.txt"), {u("y")}));
    EXPECT_EQ(readBytes(dir.file("Data/List.TXT")), QByteArray("y\r\n"));
    EXPECT_EQ(entriesOf(dir.file("Data")), QStringList({QStringLiteral("List.TXT")}));
}
