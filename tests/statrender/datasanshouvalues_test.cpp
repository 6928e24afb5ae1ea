// The lookups of the data reference window without the window: value-line
// matching at the three levels, the grid row, the area level by displayed
// spaces, and the reading of a fixture etc\ tree with its gaps.
#include "sanshoudata.h"
#include "statrender/datasanshouvalues.h"

#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::statrender;
using veltra::test::u;

namespace {

TEST(DataSanshouLines, EachLevelMatchesByItsOwnRule)
{
    enum Level { Pref, City, Town };
    struct Row
    {
        Level level;
        const char *line;
        const char *pref, *city, *town;
        bool matches;
    };
    const Row rows[] = {
        {Pref, "13,100", "13", "", "", true},
        {Pref, "01,200", "1", "", "", true}, // the code is held without zeros
        {Pref, "1,200", "1", "", "", false},
        {Pref, "都道府県コード,総人口", "13", "", "", false},
        {Pref, "13,100", "-1", "", "", false},
        {Pref, "", "", "", "", false}, // no code matches no line
        // The whole first field counts for a municipality.
        {City, "13101,10", "13", "101", "", true},
        {City, "131010,9", "13", "101", "", false},
        {City, "13101 ,10", "13", "101", "", false},
        {City, "01100,5", "1", "100", "", true},
        {City, "13101,10", "13", "-1", "", false},
        // The first 11 characters count for a town block, whatever follows.
        {Town, "13101001001,1", "13", "101", "1001", true},
        {Town, "13101001001abc,1", "13", "101", "1001", true},
        {Town, "1310100100199,1", "13", "101", "1001", true},
        {Town, "1310100100,1", "13", "101", "1001", false},
        {Town, "01101000005,2", "1", "101", "5", true},
        {Town, "13101001001,1", "13", "101", "1002", false},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.line);
        const QString line = u(r.line);
        bool result = false;
        switch (r.level) {
        case Pref:
            result = isPrefectureLine(line, u(r.pref));
            break;
        case City:
            result = isMunicipalityLine(line, u(r.pref), u(r.city));
            break;
        case Town:
            result = isTownBlockLine(line, u(r.pref), u(r.city), u(r.town));
            break;
        }
        EXPECT_EQ(result, r.matches);
    }
}

TEST(DataSanshouLines, FieldsAndGridRows)
{
    const LevelTexts lines{QStringLiteral("13,100,50,50"), std::nullopt, QStringLiteral("13101001001,8")};
    // Item 0 at field 1; a line with too few fields has no value.
    EXPECT_EQ(itemValues(lines, 0), (LevelTexts{QStringLiteral("100"), std::nullopt, QStringLiteral("8")}));
    EXPECT_EQ(itemValues(lines, 1), (LevelTexts{QStringLiteral("50"), std::nullopt, std::nullopt}));
    EXPECT_EQ(lineField(std::nullopt, 0), std::nullopt);
    EXPECT_EQ(lineField(QStringLiteral("a,b"), 2), std::nullopt);

    struct Row
    {
        const char *item;
        LevelTexts values;
        QStringList cells;
    };
    const Row rows[] = {
        {"総人口", itemValues(lines, 0), {u("総人口"), "100", "-", "8"}},
        {"男", itemValues(lines, 1), {u("男"), "50", "-", "-"}},
        // Blanks at both ends of the row go, the ones inside the cells stay.
        {" 女 ", {QStringLiteral(" 1 "), QStringLiteral(" 2 "), QStringLiteral(" 3 ")},
            {u("女 "), " 1 ", " 2 ", " 3"}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.item);
        EXPECT_EQ(gridRow(u(r.item), r.values), r.cells);
    }
}

TEST(DataSanshouLevel, TheFinestDisplayedAreaSpaceWins)
{
    struct Row
    {
        std::vector<std::int16_t> displayed;
        std::int16_t pref, city, town;
        std::int16_t use;
    };
    const Row rows[] = {
        {{}, 1, 2, 3, 3}, // nothing displayed: the town-block level stands in
        {{1}, 1, 2, 3, 1}, {{1, 2}, 1, 2, 3, 2}, {{2}, 1, 2, 3, 2}, {{3}, 1, 2, 3, 3}, {{1, 3}, 1, 2, 3, 3},
        {{1, 2, 3, 100}, 1, 2, 3, 3}, {{100, 101}, 1, 2, 3, 3}, // no area space among them
        {{1, 2, 3}, 0, 0, 0, 0}, // before the area reference mode set the spaces
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(::testing::PrintToString(r.displayed));
        EXPECT_EQ(useSpaceID(r.displayed, r.pref, r.city, r.town), r.use);
    }
    EXPECT_EQ(levelOfSpace(1), AreaLevel::Prefecture);
    EXPECT_EQ(levelOfSpace(2), AreaLevel::Municipality);
    EXPECT_EQ(levelOfSpace(3), AreaLevel::TownBlock);
    EXPECT_EQ(levelOfSpace(0), AreaLevel::TownBlock);
}

TEST(DataSanshouFiles, ListsAndValueLinesOfTheEtcTree)
{
    test::SanshouData data;
    ASSERT_TRUE(data.ok);
    EXPECT_EQ(statisticsNames(data.dataPath), (QStringList{u("R2テスト"), u("H27テスト")}));
    const QString list = itemListPath(data.dataPath, u("R2テスト"));
    EXPECT_EQ(listEntries(list, u("都道府県")), (QStringList{u("人口"), u("世帯")}));
    EXPECT_EQ(listEntries(list, u("人口")), (QStringList{u("総人口"), u("男"), u("女")}));
    EXPECT_TRUE(listEntries(list, u("該当データありません")).isEmpty());
    EXPECT_TRUE(listEntries(itemListPath(data.dataPath, u("H27テスト")), u("都道府県")).isEmpty());

    struct Row
    {
        const char *statistics, *field;
        AreaCodes codes;
        LevelTexts lines;
    };
    const Row rows[] = {
        {"R2テスト", "人口", {"13", "101", "1001"},
            {QStringLiteral("13,100,50,50"), QStringLiteral("13101,10,5,5"),
                QStringLiteral("13101001001abc,1,1,0")}},
        {"R2テスト", "人口", {"13", "103", "3001"},
            {QStringLiteral("13,100,50,50"), std::nullopt, QStringLiteral("13103003001,7,3,4")}},
        // No FileIndex key for prefecture 1; no municipality or town folder for 世帯.
        {"R2テスト", "人口", {"1", "101", "0"},
            {QStringLiteral("01,200,90,110"), std::nullopt, std::nullopt}},
        {"R2テスト", "世帯", {"13", "101", "1001"}, {QStringLiteral("13,40"), std::nullopt, std::nullopt}},
        {"H27テスト", "人口", {"13", "101", "1001"}, {}},
        {"R2テスト", "該当データありません", {"13", "101", "1001"}, {}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.statistics) + " " + r.field + " " + r.codes[1].toStdString());
        EXPECT_EQ(readValueLines(data.dataPath, u(r.statistics), u(r.field), r.codes), r.lines);
    }
}

TEST(DataSanshouFiles, AMissingYearFileGivesNoStatistics)
{
    test::TempDir empty;
    EXPECT_TRUE(statisticsNames(empty.path()).isEmpty());
}

} // namespace
