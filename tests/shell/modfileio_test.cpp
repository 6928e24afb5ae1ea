// Whole-file reading and line appending.
#include "shell/modfileio.h"
#include "testsupport.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(ShellReadTextLines, Table)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        std::vector<QString> lines; // from index 1
    };
    const Case cases[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"empty lines kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"empty file", "", {}},
        {"one line end", "\r\n", {""}},
        {"cp932", "\x93\x8c\x8b\x9e\r\n\x87\x40\r\n", {"東京", "①"}},
        {"utf-8", "\xe6\x9d\xb1\xe4\xba\xac\n", {"東京"}},
    };
    veltra::test::TempDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.file(QStringLiteral("lines.txt"));
        veltra::test::writeBytes(path, c.bytes);
        std::vector<QString> lines{"stale"};
        int32_t count = -1;
        ASSERT_TRUE(modFileIO::ReadTextLines(path, lines, count));
        EXPECT_EQ(count, int32_t(c.lines.size()));
        ASSERT_EQ(lines.size(), c.lines.size() + 1);
        EXPECT_TRUE(lines[0].isEmpty());
        EXPECT_EQ(std::vector<QString>(lines.begin() + 1, lines.end()), c.lines);
    }
}

TEST(ShellReadTextLines, FailuresGiveFalseAndNothing)
{
    veltra::test::TempDir dir;
    std::vector<QString> lines{"stale", "stale"};
    int32_t count = 5;
    EXPECT_FALSE(modFileIO::ReadTextLines(dir.file(QStringLiteral("missing.txt")), lines, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(lines, std::vector<QString>{QString()});

    count = 5;
    EXPECT_FALSE(modFileIO::ReadTextLines(dir.path(), lines, count));
    EXPECT_EQ(count, 0);
}

TEST(ShellReadTextLines, LineLimit)
{
    veltra::test::TempDir dir;
    const QString atLimit = dir.file(QStringLiteral("limit.txt"));
    const QString overLimit = dir.file(QStringLiteral("over.txt"));
    QByteArray bytes;
    for (int i = 0; i < modFileIO::MaxTextLines; ++i)
        bytes += "1\r\n";
    veltra::test::writeBytes(atLimit, bytes);
    veltra::test::writeBytes(overLimit, bytes + "x");
    std::vector<QString> lines;
    int32_t count = 0;
    EXPECT_TRUE(modFileIO::ReadTextLines(atLimit, lines, count));
    EXPECT_EQ(count, modFileIO::MaxTextLines);
    EXPECT_FALSE(modFileIO::ReadTextLines(overLimit, lines, count));
    EXPECT_EQ(count, 0);
}

TEST(ShellReadTextLines, WindowsStylePathAndCaseInsensitiveName)
{
    veltra::test::TempDir dir;
    veltra::test::writeBytes(dir.file(QStringLiteral("Data.TXT")), "x\r\n");
    std::vector<QString> lines;
    int32_t count = 0;
    QString windowsPath = dir.path() + QStringLiteral("data.txt");
    windowsPath.replace(u'/', u'\\');
    EXPECT_TRUE(modFileIO::ReadTextLines(windowsPath, lines, count));
    EXPECT_EQ(count, 1);
}

TEST(ShellAppendTextLine, WritesCp932WithCrLf)
{
    veltra::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("out.txt"));
    EXPECT_TRUE(modFileIO::AppendTextLine(path, QString()));
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(veltra::test::readBytes(path), QByteArray());
    EXPECT_TRUE(modFileIO::AppendTextLine(path, QStringLiteral("東京")));
    EXPECT_TRUE(modFileIO::AppendTextLine(path, QStringLiteral("a")));
    EXPECT_EQ(veltra::test::readBytes(path), QByteArray("\x93\x8c\x8b\x9e\r\na\r\n"));

    // A character CP932 cannot hold fails and writes nothing.
    EXPECT_FALSE(modFileIO::AppendTextLine(path, QStringLiteral("x\U0001F600")));
    EXPECT_EQ(veltra::test::readBytes(path), QByteArray("\x93\x8c\x8b\x9e\r\na\r\n"));

    EXPECT_FALSE(
        modFileIO::AppendTextLine(dir.file(QStringLiteral("no/such/folder/x.txt")), QStringLiteral("a")));
}
