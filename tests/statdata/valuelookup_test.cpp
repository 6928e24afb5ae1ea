// Reading single values from the statistics value files: the line and column
// rules, the status, the town-block record index and the file choice.
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/valuefileindex.h"
#include "valuefixture.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>

using veltra::test::ValueFixture;

namespace {

enum class File { Pref, City13, City01, Town13 };

QString pathOf(const ValueFixture &f, File file)
{
    switch (file) {
    case File::Pref:
        return f.prefFile();
    case File::City13:
        return f.cityFile13();
    case File::City01:
        return f.cityFile01();
    case File::Town13:
        return f.townFile13();
    }
    return {};
}

} // namespace

TEST(ValueLookup, LinesColumnsAndStatus)
{
    ValueFixture f;
    struct Case
    {
        const char *what;
        File file;
        const char *code;
        int32_t n;
        int16_t level;
        int32_t first;
        int32_t last;
        bool range;
        double value;
        int32_t status;
    };
    const Case cases[] = {
        {"prefecture written as 1 matches 01", File::Pref, "01", 2, 0, 1, 0, false, 100, 0},
        {"no data", File::Pref, "01", 2, 0, 2, 0, false, 0, 1},
        {"empty field reads as 0, found", File::Pref, "01", 2, 0, 3, 0, false, 0, 0},
        {"range", File::Pref, "13", 2, 0, 1, 3, true, 2600, 0},
        {"reversed range", File::Pref, "13", 2, 0, 3, 1, true, 2600, 0},
        {"range ending in -", File::Pref, "13", 2, 0, 2, 4, true, 1300, 1},
        {"range with - before a number", File::Pref, "01", 2, 0, 2, 4, true, 40, 0},
        {"text value leaves not found", File::Pref, "47", 2, 0, 1, 0, false, 0, 2},
        {"later column of that line", File::Pref, "47", 2, 0, 4, 0, false, 3, 0},
        {"no such area", File::Pref, "02", 2, 0, 1, 0, false, 0, 2},
        {"column = field count ends the search", File::Pref, "47", 2, 0, 5, 0, false, 0, 2},
        {"column beyond every line", File::Pref, "13", 2, 0, 7, 0, false, 0, 2},
        {"range end = field count", File::Pref, "13", 2, 0, 1, 6, true, 0, 2},
        {"item not listed (-1)", File::Pref, "13", 2, 0, -1, 0, false, 0, 2},
        {"range with an unlisted end", File::Pref, "13", 2, 0, 1, -1, true, 0, 2},
        {"municipality", File::City13, "13101", 5, 2, 1, 0, false, 5, 0},
        {"municipality no data", File::City13, "13101", 5, 2, 2, 0, false, 0, 1},
        {"seven-character line", File::City13, "1310100", 7, 2, 3, 0, false, 10, 0},
        {"n = 5 matches a seven-character line", File::City13, "13104", 5, 2, 2, 0, false, 12, 0},
        {"a line with too few fields is skipped", File::City13, "13102", 5, 2, 3, 0, false, 5, 0},
        {"first matching line wins", File::City13, "13102", 5, 2, 1, 0, false, 1, 0},
        {"all no data", File::City13, "13103", 5, 2, 1, 3, true, 0, 1},
        {"a code with blanks never matches", File::City13, "13105", 5, 2, 1, 0, false, 0, 2},
        {"1101 matches 01101", File::City01, "01101", 5, 2, 3, 0, false, 30, 0},
        {"full-width comma separates", File::City01, "01102", 5, 2, 2, 0, false, 2, 0},
        {"town block after its index entry", File::Town13, "13101001002", 11, 3, 1, 0, false, 3, 0},
        {"town block before its index entry", File::Town13, "13101001001", 11, 3, 1, 0, false, 0, 2},
        {"town block no data", File::Town13, "13102001002", 11, 3, 2, 0, false, 0, 1},
        {"town index miss searches from line 1", File::Town13, "13103001001", 11, 3, 1, 2, true, 18, 0},
        {"municipality prefix in a town file", File::Town13, "13102", 5, 3, 1, 0, false, 5, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = pathOf(f, c.file);
        const QString code = QString::fromUtf8(c.code);
        int32_t status = 99;
        const double value
            = ComCaldoraNeo::ReadAreaValue(file, code, c.n, c.level, c.first, c.last, c.range, status);
        EXPECT_DOUBLE_EQ(value, c.value);
        EXPECT_EQ(status, c.status);
        // The plain top-to-bottom scan gives the same answer.
        int32_t scanStatus = 99;
        const double scanned
            = veltra::statdata::scanAreaValue(file, code, c.n, c.level, c.first, c.last, c.range, scanStatus);
        EXPECT_DOUBLE_EQ(scanned, c.value);
        EXPECT_EQ(scanStatus, c.status);
    }
}

TEST(ValueLookup, UnreadableFileReportsNotFound)
{
    ValueFixture f;
    const QString missing[] = {QString(), f.prefFolder() + QStringLiteral("\\none.txt"), f.prefFolder()};
    for (const QString &file : missing) {
        SCOPED_TRACE(file.toStdString());
        int32_t status = 0; // as left by an earlier successful lookup
        EXPECT_EQ(ComCaldoraNeo::ReadAreaValue(file, QStringLiteral("13"), 2, 0, 1, 0, false, status), 0);
        EXPECT_EQ(status, 2);
    }
}

TEST(ValueLookup, ChangedFileIsReadAgain)
{
    ValueFixture f;
    const QString file = f.prefFolder() + QStringLiteral("\\PREF.TXT");
    int32_t status = 0;
    EXPECT_EQ(ComCaldoraNeo::ReadAreaValue(file, QStringLiteral("13"), 2, 0, 1, 0, false, status), 1300);
    // Same size, new contents and time: the index must not answer from before.
    ValueFixture::write(file,
        {QStringLiteral("CODE,人口総数,男,女,世帯数,計"), QStringLiteral("1,100,-,,40,0"),
            QStringLiteral("13,1301,600,700,-,1300"), QStringLiteral(""), QStringLiteral("47,abc,1,2,3")});
    QFile touched(QString(file).replace(u'\\', u'/'));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        touched.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    touched.close();
    EXPECT_EQ(ComCaldoraNeo::ReadAreaValue(file, QStringLiteral("13"), 2, 0, 1, 0, false, status), 1301);

    QFile::remove(QString(file).replace(u'\\', u'/'));
    EXPECT_EQ(ComCaldoraNeo::ReadAreaValue(file, QStringLiteral("13"), 2, 0, 1, 0, false, status), 0);
    EXPECT_EQ(status, 2);
}

TEST(ValueLookup, DataFileOfAFolder)
{
    ValueFixture f;
    struct Case
    {
        const char *what;
        QString folder;
        int32_t pref;
        int16_t level;
        QString expected;
    };
    const QString missingFolder = f.prefFolder() + QStringLiteral("X");
    const Case cases[] = {
        {"first text file by name, indexes skipped", f.prefFolder(), 13, 0, f.prefFile()},
        {"level 1 alike", f.prefFolder(), 13, 1, f.prefFile()},
        {"file index", f.cityFolder(), 13, 2, f.cityFile13()},
        {"prefecture without leading zero", f.cityFolder(), 1, 2, f.cityFile01()},
        {"no entry", f.cityFolder(), 14, 2, QString()},
        {"town level", f.townFolder(), 13, 3, f.townFile13()},
        {"missing folder", missingFolder, 13, 0, QString()},
        {"missing folder, index", missingFolder, 13, 2, QString()},
        {"folder without text files", f.dir.path() + QStringLiteral("etc\\人口"), 13, 0, QString()},
        {"empty folder name", QString(), 13, 0, QString()},
        {"unknown level", f.cityFolder(), 13, 4, QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ComCaldoraNeo::GetDataFileName(c.pref, c.folder, c.level), c.expected);
    }
}

TEST(ValueLookup, MalformedFilesNeverMatchWrongly)
{
    veltra::test::TempDir dir;
    struct Case
    {
        const char *what;
        QByteArray bytes;
        double value;
        int32_t status;
    };
    // The text with its byte-order mark, in either byte order.
    const auto utf16 = [](const char16_t *text, bool bigEndian) {
        QByteArray bytes = bigEndian ? QByteArray("\xfe\xff") : QByteArray("\xff\xfe");
        for (const char16_t *c = text; *c; ++c) {
            const char high = char(*c >> 8);
            const char low = char(*c & 0xff);
            bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1}
                               : QByteArray{&low, 1} + QByteArray{&high, 1};
        }
        return bytes;
    };
    const Case cases[] = {
        {"empty file", QByteArray(), 0, 2},
        {"header only", QByteArray("CODE,a\r\n"), 0, 2},
        {"code only", QByteArray("CODE,a\r\n13101\r\n"), 0, 2},
        {"trailing comma reads 0", QByteArray("CODE,a\r\n13101,\r\n"), 0, 0},
        // (FF FE first would be a UTF-16 byte-order mark.)
        {"invalid bytes and NUL", QByteArray("\xff\xff\x00\x81,1\r\n13101,7\r\n", 17), 7, 0},
        {"UTF-16 with its BOM", utf16(u"CODE,a\r\n13101,6\r\n", false), 6, 0},
        {"UTF-16 big endian", utf16(u"CODE,a\n13101,5", true), 5, 0},
        {"LF line ends", QByteArray("CODE,a\n13101,8\n"), 8, 0},
        {"lone CR line ends", QByteArray("CODE,a\r13101,9\r"), 9, 0},
        {"code of three characters", QByteArray("CODE,a\r\n131,1\r\n13101,2\r\n"), 2, 0},
        {"long line", QByteArray("13101") + QByteArray(",1").repeated(50000) + "\r\n", 1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = dir.file(QStringLiteral("v.txt"));
        veltra::test::writeBytes(file, c.bytes);
        veltra::statdata::ValueFileIndex::clearCache();
        int32_t status = 99;
        EXPECT_DOUBLE_EQ(
            ComCaldoraNeo::ReadAreaValue(file, QStringLiteral("13101"), 5, 2, 1, 0, false, status), c.value);
        EXPECT_EQ(status, c.status);
        int32_t scanStatus = 99;
        EXPECT_DOUBLE_EQ(
            veltra::statdata::scanAreaValue(file, QStringLiteral("13101"), 5, 2, 1, 0, false, scanStatus),
            c.value);
        EXPECT_EQ(scanStatus, c.status);
    }
}

TEST(ValueLookup, PathsResolveWithoutCase)
{
    ValueFixture f;
    QString folder = f.cityFolder();
    folder.replace(QStringLiteral("\\etc\\"), QStringLiteral("\\ETC\\"));
    const QString file = ComCaldoraNeo::GetDataFileName(13, folder, 2);
    ASSERT_FALSE(file.isEmpty());
    int32_t status = 2;
    EXPECT_DOUBLE_EQ(
        ComCaldoraNeo::ReadAreaValue(file, QStringLiteral("13101"), 5, 2, 3, 0, false, status), 7);
    EXPECT_EQ(status, 0);

    QString prefFolder = f.prefFolder();
    prefFolder.replace(QStringLiteral("\\etc\\"), QStringLiteral("\\Etc\\"));
    EXPECT_TRUE(ComCaldoraNeo::GetDataFileName(13, prefFolder, 0).endsWith(QStringLiteral("PREF.TXT")));
}
