// Line arrays of the analysis files: reading with the 50,000-line bound,
// writing, the header listing and the comma fields.
#include "analysisfixtures.h"
#include "platform/vb/errors.h"
#include "statrender/analysislines.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

QByteArray numberedLines(int count)
{
    QByteArray out;
    out.reserve(count * 8);
    for (int i = 1; i <= count; ++i)
        out += "L" + QByteArray::number(i) + "\r\n";
    return out;
}

} // namespace

TEST(ReadLines, EmptyFileIsTrueWithUpperBoundZero)
{
    TempDir tmp;
    writeBytes(tmp.file("empty.dat"), {});
    std::vector<QString> lines{"stale", "stale"};
    EXPECT_TRUE(ComPSY::ReadLines(tmp.file("empty.dat"), lines));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].isEmpty());
}

TEST(ReadLines, FiftyThousandLinesReadAndOneMoreFails)
{
    TempDir tmp;
    writeBytes(tmp.file("full.dat"), numberedLines(ComPSY::kMaxLines));
    writeBytes(tmp.file("over.dat"), numberedLines(ComPSY::kMaxLines + 1));

    std::vector<QString> lines;
    ASSERT_TRUE(ComPSY::ReadLines(tmp.file("full.dat"), lines));
    ASSERT_EQ(lines.size(), 50001u);
    EXPECT_TRUE(lines[0].isEmpty());
    EXPECT_EQ(lines[1], "L1");
    EXPECT_EQ(lines[50000], "L50000");

    EXPECT_FALSE(ComPSY::ReadLines(tmp.file("over.dat"), lines));
    EXPECT_EQ(lines.size(), 1u) << "a failed read leaves no lines behind";
}

TEST(ReadLines, LinesOfCp932FileInOrderWithoutLineEnds)
{
    TempDir tmp;
    const QStringList header = choroplethHeader();
    writeAnalysisFile(tmp.file("tempheader000.hed"), header);
    std::vector<QString> lines;
    ASSERT_TRUE(ComPSY::ReadLines(tmp.file("tempheader000.hed"), lines));
    ASSERT_EQ(lines.size(), static_cast<size_t>(header.size()) + 1);
    for (qsizetype i = 0; i < header.size(); ++i)
        EXPECT_EQ(lines[static_cast<size_t>(i) + 1], header[i]);

    // The last line may lack its line end; a blank line in between stays.
    writeBytes(tmp.file("short.dat"), "a,b\r\n\r\nlast");
    ASSERT_TRUE(ComPSY::ReadLines(tmp.file("short.dat"), lines));
    EXPECT_EQ(lines, (std::vector<QString>{"", "a,b", "", "last"}));
}

TEST(ReadLines, MissingFileOrFolderFails)
{
    TempDir tmp;
    std::vector<QString> lines;
    EXPECT_FALSE(ComPSY::ReadLines(tmp.file("absent.hed"), lines));
    EXPECT_FALSE(ComPSY::ReadLines(tmp.path(), lines));
}

TEST(WriteLines, WritesLinesOneToCountAsCp932WithCrLf)
{
    TempDir tmp;
    const std::vector<QString> lines{"ignored", "H1,\"千代田区\"", "1,2,,3", "not written"};
    ASSERT_TRUE(ComPSY::WriteLines(tmp.file("out.dat"), lines, 2));
    EXPECT_EQ(readBytes(tmp.file("out.dat")), cp932Lines({"H1,\"千代田区\"", "1,2,,3"}));

    std::vector<QString> back;
    ASSERT_TRUE(ComPSY::ReadLines(tmp.file("out.dat"), back));
    EXPECT_EQ(back, (std::vector<QString>{"", "H1,\"千代田区\"", "1,2,,3"}));

    ASSERT_TRUE(ComPSY::WriteLines(tmp.file("out.dat"), lines, 0));
    EXPECT_TRUE(readBytes(tmp.file("out.dat")).isEmpty()) << "count 0 empties the file";
}

TEST(WriteLines, FailureLeavesTheOldFile)
{
    TempDir tmp;
    const QByteArray old = cp932Lines({"old"});
    writeBytes(tmp.file("out.dat"), old);

    const std::vector<QString> lines{"", "a", "b"};
    EXPECT_FALSE(ComPSY::WriteLines(tmp.file("out.dat"), lines, 3)) << "count beyond the array";
    EXPECT_FALSE(ComPSY::WriteLines(tmp.file("out.dat"), {"", "ok", QStringLiteral("emoji \U0001F600")}, 2))
        << "a character CP932 cannot hold";
    EXPECT_FALSE(ComPSY::WriteLines(tmp.file("no/such/folder/out.dat"), lines, 2));
    EXPECT_EQ(readBytes(tmp.file("out.dat")), old);
    EXPECT_EQ(entriesOf(tmp.path()), QStringList{"out.dat"}) << "no temporary file left";
}

TEST(ListHeaderFiles, HeaderFilesOnlySortedFromElementOne)
{
    TempDir tmp;
    for (const char *name : {"tempheader002.hed", "tempheader000.hed", "TEMPHEADER001.HED", "tempdata000.dat",
             "tempheader003.hed.bak", "Mesh.sqlite"})
        writeBytes(tmp.file(name), "x\r\n");
    QDir(tmp.path()).mkdir("folder.hed");

    std::vector<QString> names{"stale"};
    ASSERT_TRUE(ComPSY::ListHeaderFiles(tmp.path().chopped(1), names));
    EXPECT_EQ(
        names, (std::vector<QString>{"", "tempheader000.hed", "TEMPHEADER001.HED", "tempheader002.hed"}));

    ASSERT_TRUE(ComPSY::ListHeaderFiles(tmp.file("empty"), names)) << "a missing folder lists nothing";
    EXPECT_EQ(names, std::vector<QString>{""});

    QDir(tmp.path()).mkdir("empty");
    ASSERT_TRUE(ComPSY::ListHeaderFiles(tmp.file("empty"), names));
    EXPECT_EQ(names, std::vector<QString>{""});
}

TEST(GetLineField, SplitsAtEveryCommaKeepingQuotes)
{
    const std::vector<QString> lines{"", "H3,\"人口総数\",\"\",0,,\"a\"", "single", "", "1,\"x,y\",2"};
    struct Case
    {
        int32_t line;
        int32_t field;
        const char *expected;
    } const cases[] = {
        {1, 0, "H3"},
        {1, 1, "\"人口総数\""},
        {1, 2, "\"\""},
        {1, 4, ""},
        {1, 5, "\"a\""},
        {2, 0, "single"},
        // No quote handling: a comma inside quotes splits too.
        {4, 1, "\"x"},
        {4, 2, "y\""},
        {4, 3, "2"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ComPSY::GetLineField(lines, c.line, c.field), QString::fromUtf8(c.expected))
            << "line " << c.line << " field " << c.field;
}

TEST(GetLineField, MissingLineOrFieldRaises)
{
    const std::vector<QString> lines{"", "a,b", ""};
    const std::pair<int32_t, int32_t> missing[] = {
        {1, 2}, // past the last field
        {1, -1},
        {0, 0}, // element 0 is empty: an empty line has no fields
        {2, 0},
        {3, 0}, // past the last line
        {-1, 0},
    };
    for (const auto &[line, field] : missing)
        EXPECT_THROW(ComPSY::GetLineField(lines, line, field), veltra::vb::SubscriptOutOfRange)
            << "line " << line << " field " << field;
}
