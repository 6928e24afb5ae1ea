// Inputs that must not take the statistics readers further than the data
// allow: the value-file index (its cache stamp, its memory, its lines read
// back), FileIndex.txt entries that are no file names, a calculation
// template's piece count, and value files in UTF-16.
#include "platform/text/text.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/comfile.h"
#include "statdata/valuefileindex.h"
#include "testsupport.h"
#include "valuefixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

using veltra::statdata::ValueFileIndex;
using veltra::test::ValueFixture;

namespace {

double valueOf(const QString &file, const QString &code, int32_t &status)
{
    return ComCaldoraNeo::ReadAreaValue(file, code, int32_t(code.size()), 2, 1, 0, false, status);
}

// Sets a file's access and modification times (whole seconds).
void setTimes(const QString &path, time_t when)
{
    const utimbuf times{when, when};
    ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
}

// A file replaced by one of the same size and modification time, as cp -p,
// rsync -t or an unpacked archive leave it, is read anew.
TEST(ValueFileIndex, SameSizeAndTimeReplacementIsReadAnew)
{
    struct Case
    {
        const char *what;
        bool atomic; // a new file renamed over the old one; else rewritten in place
    };
    const Case cases[] = {{"renamed over", true}, {"rewritten in place", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        veltra::test::TempDir dir;
        const QString file = dir.file(QStringLiteral("13.txt"));
        veltra::test::writeBytes(file, "CODE,a\r\n13101,7\r\n");
        setTimes(file, 1600000000);
        ValueFileIndex::clearCache();
        int32_t status = 2;
        EXPECT_EQ(valueOf(file, QStringLiteral("13101"), status), 7);

        if (c.atomic) {
            const QString other = dir.file(QStringLiteral("new.txt"));
            veltra::test::writeBytes(other, "CODE,a\r\n13101,8\r\n");
            setTimes(other, 1600000000);
            ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(file).constData()), 0);
        } else {
            QFile f(file);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.seek(14));
            ASSERT_EQ(f.write("8"), 1);
            f.close();
            setTimes(file, 1600000000);
        }
        EXPECT_EQ(QFileInfo(file).size(), 17);
        EXPECT_EQ(valueOf(file, QStringLiteral("13101"), status), 8);
        EXPECT_EQ(status, 0);
    }
    ValueFileIndex::clearCache();
}

// The lines an index gives back are the lines the read rule gives, in every
// encoding and with every line end.
TEST(ValueFileIndex, LinesReadBackAsTheReadRuleReadsThem)
{
    const QString text = QStringLiteral("コード,人口\r\n13101,7\n13102,８\r\r\n13103, 9 \r13104,-");
    QByteArray cp932;
    ASSERT_TRUE(veltra::text::encodeCp932(text, cp932));
    QByteArray utf16le("\xff\xfe");
    QByteArray utf16be("\xfe\xff");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xff);
        utf16le.append(low).append(high);
        utf16be.append(high).append(low);
    }
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"CP932", cp932},
        {"UTF-8", text.toUtf8()},
        {"UTF-8 with its BOM", "\xEF\xBB\xBF" + text.toUtf8()},
        {"UTF-16 little endian", utf16le},
        {"UTF-16 big endian", utf16be},
        {"final line end", cp932 + "\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        veltra::test::TempDir dir;
        const QString file = dir.file(QStringLiteral("v.txt"));
        veltra::test::writeBytes(file, c.bytes);
        QStringList expected;
        ASSERT_TRUE(veltra::text::readLines(file, expected));
        ASSERT_EQ(expected.size(), 6);
        ValueFileIndex::clearCache();
        const auto index = ValueFileIndex::load(file);
        ASSERT_TRUE(index);
        ASSERT_EQ(index->lineCount(), expected.size());
        for (int i = 0; i < index->lineCount(); ++i)
            EXPECT_EQ(index->line(i), expected.at(i)) << i;
        EXPECT_EQ(index->findFirst(QStringLiteral("13103"), 0, 2), 4);
        EXPECT_EQ(index->findFirst(QStringLiteral("131"), 2, 2), 2);
        EXPECT_EQ(index->findFirst(QStringLiteral("131"), 3, 2), 4); // line 3 is empty
        EXPECT_EQ(index->findFirst(QStringLiteral("13104"), 0, 3), -1);
        int32_t status = 2;
        EXPECT_EQ(valueOf(file, QStringLiteral("13103"), status), 9);
        EXPECT_EQ(status, 0);
    }
    ValueFileIndex::clearCache();
}

// An index holds offsets and codes, not the lines: a file of short lines (the
// worst case) takes under twice its size, with a lookup's table built.
TEST(ValueFileIndex, MemoryStaysWithinTwiceTheFile)
{
    veltra::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("town.txt"));
    QByteArray bytes("CODE,a\r\n");
    for (int i = 0; i < 200000; ++i)
        bytes += QByteArray::number(10000 + i % 90000) + ',' + QByteArray::number(i % 10) + "\r\n";
    veltra::test::writeBytes(file, bytes);
    ValueFileIndex::clearCache();
    const auto index = ValueFileIndex::load(file);
    ASSERT_TRUE(index);
    EXPECT_EQ(index->findFirst(QStringLiteral("13101"), 0, 2), 3102);
    EXPECT_EQ(index->line(3102), QStringLiteral("13101,1"));
    EXPECT_LT(index->memoryBytes(), std::size_t(2 * bytes.size()));
    ValueFileIndex::clearCache();
}

// The cache keeps recent indexes within its total size; the most recent one
// stays even when it alone is larger.
TEST(ValueFileIndex, CacheIsBoundedByTotalSize)
{
    veltra::test::TempDir dir;
    QStringList files;
    for (int f = 0; f < 3; ++f) {
        QByteArray bytes("CODE,a\r\n");
        for (int i = 0; i < 20000; ++i)
            bytes += QByteArray::number(10000 + i) + ",1\r\n";
        files << dir.file(QStringLiteral("%1.txt").arg(f));
        veltra::test::writeBytes(files.back(), bytes);
    }
    const struct
    {
        std::size_t limit;
        int kept; // indexes still cached after loading the three
    } cases[] = {{std::size_t(1) << 30, 3}, {1000, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.limit);
        ValueFileIndex::clearCache();
        ValueFileIndex::setCacheLimit(c.limit);
        // Held, so that a new index cannot take an old one's address.
        std::vector<std::shared_ptr<const ValueFileIndex>> first;
        for (const QString &file : files)
            first.push_back(ValueFileIndex::load(file));
        int kept = 0;
        for (int f = 2; f >= 0; --f) {
            // Loaded again from the newest back: a cached index is the same one.
            if (ValueFileIndex::load(files.at(f)) == first[std::size_t(f)])
                ++kept;
            else
                break;
        }
        EXPECT_EQ(kept, c.kept);
        if (c.kept < 3) {
            EXPECT_GT(ValueFileIndex::cachedBytes(), 0u);
        }
    }
    ValueFileIndex::setCacheLimit(std::size_t(512) * 1024 * 1024);
    ValueFileIndex::clearCache();
}

// FileIndex.txt lists file names of its own folder: an entry with a path
// component is refused, so a lookup never reads outside the data tree.
TEST(FileIndexEntries, EntriesWithAPathComponentAreRefused)
{
    ValueFixture f;
    const QString folder = ValueFixture::windowsForm(f.dir.path()) + QStringLiteral("etc\\x\\");
    const QString index = f.dir.path() + QStringLiteral("etc/x/FileIndex.txt");
    // A value file outside the folder that an entry could reach.
    ValueFixture::write(f.dir.path() + QStringLiteral("outside.txt"), {"CODE,a", "13101,5"});
    ValueFixture::write(f.dir.path() + QStringLiteral("etc/x/13.txt"), {"CODE,a", "13101,6"});
    const struct
    {
        const char *entry;
        bool accepted;
    } cases[] = {
        {"13.txt", true},
        {"..\\..\\outside.txt", false},
        {"../../outside.txt", false},
        {"sub\\13.txt", false},
        {"..", false},
        {".", false},
        {"", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry);
        ValueFixture::write(index, {"[FileName]", QStringLiteral("Code13=") + QString::fromUtf8(c.entry)});
        const QString file = ComCaldoraNeo::GetDataFileName(13, folder, 2);
        EXPECT_EQ(file.isEmpty(), !c.accepted) << file.toStdString();
        int32_t status = 0;
        const double value = valueOf(file, QStringLiteral("13101"), status);
        EXPECT_EQ(status, c.accepted ? 0 : 2);
        EXPECT_EQ(value, c.accepted ? 6 : 0);
    }
}

// A template's piece count is read as it stands, but only the pieces the
// section has are looked up: a count near 2^31 ends at once.
TEST(CalcTemplate, PieceCountBeyondTheFileIsBounded)
{
    veltra::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("t.cal"));
    const struct
    {
        QStringList section;
        const char *expression;
    } cases[] = {
        {{"Cnt=2147483647", "Data1=a", "Data2=b"}, "ab"},
        {{"Cnt=2147483647", "Data3=c", "Data1=a"}, "ac"},
        {{"Cnt=2", "Data1=a", "Data2=b", "Data3=c"}, "ab"},
        {{"Cnt=3", "data2=b", "DATA1=a"}, "ab"},
        {{"Cnt=2147483647", "Data01=x", "Data+1=y", "Data-1=z", "Data2147483647=w"}, "w"},
        {{"Cnt=2147483648", "Data1=a"}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.section.join(u' ').toStdString());
        ValueFixture::write(file, QStringList{"[Calc1]"} + c.section);
        EXPECT_EQ(ComCaldoraNeo::GetCalcExpression(file, 1), QString::fromUtf8(c.expression));
    }
}

// Appending lines to a UTF-16 file writes it anew, wholly in CP932.
TEST(ComFile, AppendToUtf16WritesTheFileInCp932)
{
    veltra::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("a.txt"));
    QByteArray utf16("\xff\xfe");
    for (const QChar c : QStringLiteral("統計,1\r\n"))
        utf16.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    veltra::test::writeBytes(file, utf16);
    QStringList lines;
    ASSERT_EQ(ComFile::ReadAllLines(file, lines), 1);
    EXPECT_EQ(lines, QStringList{QStringLiteral("統計,1")});
    ASSERT_EQ(ComFile::WriteAllLines(file, {QStringLiteral("人口,2")}, false), 0);
    QByteArray expected;
    ASSERT_TRUE(veltra::text::encodeCp932(QStringLiteral("統計,1\r\n人口,2\r\n"), expected));
    EXPECT_EQ(veltra::test::readBytes(file), expected);
}

} // namespace
