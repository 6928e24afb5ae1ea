// HanreiColor.ini: which keys are read over the default colours, and what is
// written back.
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "statwindow/graphcolors.h"
#include "testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using namespace veltra::statwindow;
using veltra::test::u;

void writeIni(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    ASSERT_TRUE(veltra::text::encodeCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), bytes));
    veltra::test::writeBytes(path, bytes);
}

TEST(GraphColors, DefaultsAreTheDesignedTables)
{
    const GraphColors c = defaultColors();
    EXPECT_EQ(c.graph[1], rgbColor(0, 0, 255));
    EXPECT_EQ(c.graph[8], rgbColor(186, 85, 211));
    EXPECT_EQ(c.graph[15], rgbColor(230, 230, 255));
    EXPECT_EQ(c.pyramid[1], rgbColor(80, 160, 245));
    EXPECT_EQ(c.pyramid[2], rgbColor(245, 100, 100));
    EXPECT_EQ(colorText(rgbColor(0, 0, 255)), QStringLiteral("0,0,255"));
    EXPECT_EQ(colorText(rgbColor(255, 1, 128)), QStringLiteral("255,1,128"));
}

TEST(GraphColors, ReadingStopsAtTheFirstEmptyKeyAndSkipsMalformedValues)
{
    struct Row
    {
        const char *name;
        QStringList lines; // UTF-8 sources; no lines: no file
        std::vector<std::pair<int, std::int32_t>> graph; // entries that differ from the defaults
        std::vector<std::pair<int, std::int32_t>> pyramid;
    };
    const Row rows[] = {
        {"no file", {}, {}, {}},
        {"GRAPH3 empty ends the section",
            {u("[グラフカラー]"), "GRAPH1=1,2,3", "GRAPH2=4,5,6", "GRAPH3=", "GRAPH4=7,8,9"},
            {{1, rgbColor(1, 2, 3)}, {2, rgbColor(4, 5, 6)}}, {}},
        {"GRAPH3 missing ends it too", {u("[グラフカラー]"), "GRAPH1=1,2,3", "GRAPH4=7,8,9"},
            {{1, rgbColor(1, 2, 3)}}, {}},
        {"two fields keep the default, the next key is read",
            {u("[グラフカラー]"), "GRAPH1=1,2,3", "GRAPH2=10,20", "GRAPH3=11,12,13"},
            {{1, rgbColor(1, 2, 3)}, {3, rgbColor(11, 12, 13)}}, {}},
        {"four fields keep the default", {u("[グラフカラー]"), "GRAPH1=1,2,3,4", "GRAPH2=5,6,7"},
            {{2, rgbColor(5, 6, 7)}}, {}},
        {"full-width commas", {u("[グラフカラー]"), u("GRAPH1=10，20，30"), u("GRAPH2=40，50,60")},
            {{1, rgbColor(10, 20, 30)}, {2, rgbColor(40, 50, 60)}}, {}},
        {"a field that is no number is 0", {u("[グラフカラー]"), "GRAPH1=x,20,30", "GRAPH2=1,,3"},
            {{1, rgbColor(0, 20, 30)}, {2, rgbColor(1, 0, 3)}}, {}},
        {"components held to 0-255 and rounded", {u("[グラフカラー]"), "GRAPH1=300,-5,12.5", "GRAPH2= 7 , 8 , 9 "},
            {{1, rgbColor(255, 0, 12)}, {2, rgbColor(7, 8, 9)}}, {}},
        {"the pyramid section on its own",
            {u("[人口ピラミッド]"), "GRAPH1=1,2,3", u("[グラフカラー]"), "GRAPH1="}, {}, {{1, rgbColor(1, 2, 3)}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        veltra::test::TempDir dir;
        const QString path = hanreiColorPath(dir.path());
        if (!row.lines.isEmpty())
            writeIni(path, row.lines);
        GraphColors expected = defaultColors();
        for (const auto &[i, c] : row.graph)
            expected.graph[i] = c;
        for (const auto &[i, c] : row.pyramid)
            expected.pyramid[i] = c;
        const GraphColors got = readGraphColors(path);
        EXPECT_EQ(got.graph, expected.graph);
        EXPECT_EQ(got.pyramid, expected.pyramid);
    }
}

TEST(GraphColors, WritingStoresAllSeventeenKeysAndReadsBackTheSame)
{
    veltra::test::TempDir dir;
    const QString path = hanreiColorPath(dir.path());
    // An old file with a key the program does not know: it stays.
    writeIni(path, {u("[グラフカラー]"), "GRAPH1=1,2,3", "GRAPH3=", "[Other]", "Key=kept"});
    GraphColors colours = readGraphColors(path);
    colours.graph[15] = rgbColor(9, 8, 7);
    ASSERT_TRUE(writeGraphColors(path, colours));

    EXPECT_EQ(veltra::profile::keyNames(graphColorSection(), path).size(), 15);
    EXPECT_EQ(veltra::profile::keyNames(pyramidColorSection(), path),
        (QStringList{QStringLiteral("GRAPH1"), QStringLiteral("GRAPH2")}));
    EXPECT_EQ(veltra::profile::getString(graphColorSection(), "GRAPH1", "", path), QStringLiteral("1,2,3"));
    EXPECT_EQ(veltra::profile::getString(graphColorSection(), "GRAPH3", "", path), QStringLiteral("173,255,47"));
    EXPECT_EQ(veltra::profile::getString(pyramidColorSection(), "GRAPH2", "", path), QStringLiteral("245,100,100"));
    EXPECT_EQ(veltra::profile::getString("Other", "Key", "", path), QStringLiteral("kept"));
    const GraphColors back = readGraphColors(path);
    EXPECT_EQ(back.graph, colours.graph);
    EXPECT_EQ(back.pyramid, colours.pyramid);
}

TEST(GraphColors, AFileThatCannotBeWrittenIsReportedAndNothingIsMade)
{
    veltra::test::TempDir dir;
    const QString path = hanreiColorPath(dir.path() + QStringLiteral("missing/"));
    QString error;
    EXPECT_FALSE(writeGraphColors(path, defaultColors(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QDir(dir.path() + QStringLiteral("missing")).exists());
}

} // namespace
