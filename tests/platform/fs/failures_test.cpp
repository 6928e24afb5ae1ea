// The messages of failed reads and writes: what failed on which file, then
// why in Japanese, with the cause found for the common faults.
#include "platform/fs/fs.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <gtest/gtest.h>

using namespace veltra::fs;
using veltra::test::TempDir;
using veltra::test::writeBytes;

namespace {

std::string utf8(const QString &s)
{
    return s.toStdString();
}

} // namespace

TEST(FileFailures, WritesNameTheFileAndTheCause)
{
    TempDir dir;
    const QString root = dir.path();
    writeBytes(root + "plain.txt", "x");
    QDir().mkpath(root + "Folder.ini");
    const QString longName = root + QString(300, QLatin1Char('n')) + ".ini";
    struct Row
    {
        const char *name;
        QString path;
        QString reason;
    };
    const Row rows[] = {
        {"a file where a folder should be", root + "plain.txt/sub/ZORPAK.INI",
            "フォルダの代わりにファイルがあります: " + root + "plain.txt"},
        {"no such folder", root + "missing/deeper/ZORPAK.INI",
            "フォルダがありません: " + root + "missing/deeper"},
        {"a folder where the file should be", root + "Folder.ini",
            "ファイルではなくフォルダです: " + root + "Folder.ini"},
        {"too long a name", longName, "ファイル名またはパスが長すぎます。"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QString error;
        EXPECT_FALSE(writeFileAtomic(row.path, "data", &error));
        EXPECT_EQ(utf8(error), utf8("ファイルに書き込めません: " + row.path + "\n" + row.reason));
        error.clear();
        EXPECT_FALSE(appendFile(row.path, "data", &error));
        EXPECT_EQ(utf8(error), utf8("ファイルに書き込めません: " + row.path + "\n" + row.reason));
    }
}

TEST(FileFailures, AFullDiskIsNamed)
{
    if (!QFileInfo(QStringLiteral("/dev/full")).exists())
        GTEST_SKIP() << "no /dev/full";
    QString error;
    EXPECT_FALSE(appendFile(QStringLiteral("/dev/full"), QByteArray(100, 'x'), &error));
    EXPECT_EQ(utf8(error), "ファイルに書き込めません: /dev/full\nディスクの空き容量が足りません。");
}

TEST(FileFailures, ReadsNameTheFileAndTheCause)
{
    TempDir dir;
    const QString root = dir.path();
    writeBytes(root + "plain.txt", "x");
    struct Row
    {
        QString path;
        QString reason;
    };
    const Row rows[] = {
        {root + "absent.ini", "ファイルがありません。"},
        {root + "plain.txt/ZORPAK.INI", "フォルダの代わりにファイルがあります: " + root + "plain.txt"},
        {root + "gone/ZORPAK.INI", "フォルダがありません: " + root + "gone"},
        {root.chopped(1), "ファイルではなくフォルダです: " + root.chopped(1)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(utf8(row.path));
        QByteArray bytes = "old";
        QString error;
        EXPECT_FALSE(readFile(row.path, bytes, &error));
        EXPECT_TRUE(bytes.isEmpty());
        EXPECT_EQ(utf8(error), utf8("ファイルを読み込めません: " + row.path + "\n" + row.reason));
    }
}

// The causes a test cannot bring about as root come from the saved error number.
TEST(FileFailures, ErrorNumbersReadAsJapanese)
{
    const std::pair<int, const char *> rows[] = {
        {EACCES, "アクセスする権限がありません。"},
        {EPERM, "アクセスする権限がありません。"},
        {EROFS, "読み取り専用のファイルシステムです。"},
        {ENOSPC, "ディスクの空き容量が足りません。"},
        {ENAMETOOLONG, "ファイル名またはパスが長すぎます。"},
        {EBUSY, "ファイルが使用中です。"},
        {0, ""},
        {EXDEV, ""},
    };
    for (const auto &[err, reason] : rows) {
        SCOPED_TRACE(err);
        EXPECT_EQ(utf8(errorNumberReason(err)), reason);
    }
    TempDir dir;
    const QString file = dir.path() + "settings.ini";
    writeBytes(file, "x");
    // The number decides where the file system shows nothing wrong; an
    // unknown one is still said in Japanese, with its number.
    EXPECT_EQ(utf8(failureReason(file, EROFS, true)), "読み取り専用のファイルシステムです。");
    EXPECT_EQ(utf8(failureReason(file, EXDEV, true)),
        utf8(QStringLiteral("システムのエラーです（エラー番号 %1）。").arg(EXDEV)));
    EXPECT_EQ(utf8(failureReason(file, 0, true)), "書き込みに失敗しました。");
}
