// The header and data accessors on analysis files in the writer's layout.
#include "analysisfixtures.h"
#include "platform/vb/errors.h"
#include "statrender/analysisfields.h"
#include "statrender/analysislines.h"

#include <gtest/gtest.h>

using namespace veltra::test;

namespace {

std::vector<QString> readBack(const QStringList &fileLines)
{
    TempDir tmp;
    writeAnalysisFile(tmp.file("analysis.txt"), fileLines);
    std::vector<QString> lines;
    EXPECT_TRUE(ComPSY::ReadLines(tmp.file("analysis.txt"), lines));
    return lines;
}

} // namespace

TEST(HeaderAccessors, ChoroplethHeaderFields)
{
    const std::vector<QString> header = readBack(choroplethHeader());
    EXPECT_EQ(ComPSY::GetDataFileName(header), "tempdata000.dat");
    EXPECT_EQ(ComPSY::GetSizeMode(header), 2);
    EXPECT_EQ(ComPSY::GetGraphKind(header), 1);
    EXPECT_EQ(ComPSY::GetExpressionKind(header), 1);
    EXPECT_EQ(ComPSY::GetItemCount(header), 1);
    EXPECT_EQ(ComPSY::GetClassCount(header), 5);

    struct Expected
    {
        int32_t classNo, color;
        double lower, upper;
    } const classes[] = {
        {1, 255, 0, 100},
        {2, 16711680, 100, 200.5},
        {3, 65280, 200.5, 300},
        {4, 0, -300, 400},
        {5, 16777215, 400, 1e15},
    };
    for (int32_t k = 0; k < 5; ++k) {
        const ComPSY::ClassRange range = ComPSY::GetClassRange(header, 4 + k);
        EXPECT_EQ(range.ClassNo, classes[k].classNo) << "class " << k + 1;
        EXPECT_EQ(range.Color, classes[k].color) << "class " << k + 1;
        EXPECT_DOUBLE_EQ(range.Lower, classes[k].lower) << "class " << k + 1;
        EXPECT_DOUBLE_EQ(range.Upper, classes[k].upper) << "class " << k + 1;
        EXPECT_EQ(range.Name, "\"\"") << "the name keeps its quotes";
    }
}

TEST(HeaderAccessors, PieItemColoursWhiteWhenNotNumeric)
{
    const std::vector<QString> header = readBack(pieHeader());
    EXPECT_EQ(ComPSY::GetGraphKind(header), 2);
    EXPECT_EQ(ComPSY::GetExpressionKind(header), 2);
    EXPECT_EQ(ComPSY::GetItemCount(header), 3);
    EXPECT_EQ(ComPSY::GetItemColor(header, 1), 8421504);
    EXPECT_EQ(ComPSY::GetItemColor(header, 2), 16777215) << "empty colour field";
    EXPECT_EQ(ComPSY::GetItemColor(header, 3), 16777215) << "a quoted number is text";
    EXPECT_THROW(ComPSY::GetItemColor(header, 4), veltra::vb::SubscriptOutOfRange) << "no fourth item";
}

TEST(HeaderAccessors, MissingOrTextFieldsRaiseToTheCaller)
{
    // A header cut after H1, an H2 whose graph kind is text, an H3 too short.
    const std::vector<QString> onlyH1{"", "H1,0,0,25000,20240401,\"\",\"\",tempdata000.dat"};
    EXPECT_THROW(ComPSY::GetGraphKind(onlyH1), veltra::vb::SubscriptOutOfRange);
    EXPECT_THROW(ComPSY::GetClassCount(onlyH1), veltra::vb::SubscriptOutOfRange);

    const std::vector<QString> broken{"", "H1,0,0,25000", "H2,5,13,101,0,2,0,\"1\",x,,0,0,0", "H3,\"a\""};
    EXPECT_THROW(ComPSY::GetDataFileName(broken), veltra::vb::SubscriptOutOfRange);
    EXPECT_EQ(ComPSY::GetSizeMode(broken), 2);
    EXPECT_THROW(ComPSY::GetGraphKind(broken), veltra::vb::TypeMismatch);
    EXPECT_THROW(ComPSY::GetExpressionKind(broken), veltra::vb::TypeMismatch);
    EXPECT_THROW(ComPSY::GetItemCount(broken), veltra::vb::TypeMismatch) << "an empty field is no number";
    EXPECT_THROW(ComPSY::GetClassCount(broken), veltra::vb::SubscriptOutOfRange);
    EXPECT_THROW(ComPSY::GetClassRange(broken, 1), veltra::vb::SubscriptOutOfRange) << "no field 4";

    const std::vector<QString> badClass{"", "", "", "", "H4,1,red,0,100,\"\"", "H4,1,255,low,100,\"\""};
    EXPECT_THROW(ComPSY::GetClassRange(badClass, 4), veltra::vb::TypeMismatch);
    EXPECT_THROW(ComPSY::GetClassRange(badClass, 5), veltra::vb::TypeMismatch);
}

TEST(DataAccessors, GraphPositionTakesMovedFieldsOnlyWhenNumericAndNotZero)
{
    struct Case
    {
        const char *x, *y, *movedX, *movedY;
        int32_t graphX, graphY, pointX, pointY;
        const char *why;
    } const cases[] = {
        {"1000", "2000", "0", "0", 1000, 2000, 1000, 2000, "never moved"},
        {"1000", "2000", "1500", "-2500", 1500, -2500, 1000, 2000, "moved"},
        {"1000", "2000", "1500", "0", 1500, 2000, 1000, 2000, "X alone moved"},
        {"1000", "2000", "0", "2600", 1000, 2600, 1000, 2000, "Y alone moved"},
        {"1000", "2000", "abc", "\"5\"", 1000, 2000, 1000, 2000, "moved fields of text"},
        {"1000", "2000", "", "", 1000, 2000, 1000, 2000, "moved fields empty"},
        {"1000.5", "2001.5", "0", "0", 1000, 2002, 1000, 2002, "halves to even"},
        {"x", "", "0", "0", 0, 0, 0, 0, "own point not numeric"},
        {"x", "2000", "700", "0", 700, 2000, 0, 2000, "moved X over a text X"},
    };
    std::vector<QString> data{""};
    for (const Case &c : cases)
        data.push_back(dataLine(c.x, c.y, c.movedX, c.movedY, QStringLiteral("港区"), {QStringLiteral("1")}));

    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case &c = cases[i];
        const int32_t line = static_cast<int32_t>(i) + 1;
        int32_t x = -99, y = -99;
        ComPSY::GetGraphPosition(data, line, x, y);
        EXPECT_EQ(x, c.graphX) << c.why;
        EXPECT_EQ(y, c.graphY) << c.why;
        ComPSY::GetAreaPoint(data, line, x, y);
        EXPECT_EQ(x, c.pointX) << c.why;
        EXPECT_EQ(y, c.pointY) << c.why;
    }
}

TEST(DataAccessors, FirstValueCodes)
{
    struct Case
    {
        const char *field;
        double code;
    } const cases[] = {
        {"", 0},
        {"\"-\"", -1},
        {"\"H7\"", -3},
        {"123.5", 123.5},
        {"-4", -4},
        {"0", 0},
        {"abc", -2},
        {"\"12\"", -2},
        {"-", -2},
        {"H7", -2},
        {"\"h7\"", -2},
    };
    std::vector<QString> data{""};
    for (const Case &c : cases)
        data.push_back(dataLine("1", "2", "0", "0", QStringLiteral("区"), {QString::fromUtf8(c.field), "9"}));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const int32_t line = static_cast<int32_t>(i) + 1;
        EXPECT_DOUBLE_EQ(ComPSY::GetValueCode(data, line), cases[i].code)
            << "field [" << cases[i].field << "]";
        EXPECT_EQ(ComPSY::GetFirstValueText(data, line), QString::fromUtf8(cases[i].field));
    }
}

TEST(DataAccessors, ValuesNamesAndTheirFields)
{
    const std::vector<QString> data = readBack({
        dataLine("10", "20", "0", "0", QStringLiteral("千代田区"), {"123.5", "\"7\"", "", "\"-\"", "-8"}),
        // An area without values goes from the name straight to X again.
        dataLine("10", "20", "0", "0", QStringLiteral("中央区"), {}),
    });
    EXPECT_EQ(ComPSY::GetAreaName(data, 1), QStringLiteral("\"千代田区\""));
    EXPECT_DOUBLE_EQ(ComPSY::GetValue(data, 1, 1), 123.5);
    EXPECT_DOUBLE_EQ(ComPSY::GetValue(data, 1, 2), -1) << "quoted";
    EXPECT_DOUBLE_EQ(ComPSY::GetValue(data, 1, 3), -1) << "empty";
    EXPECT_DOUBLE_EQ(ComPSY::GetValue(data, 1, 4), -1) << "missing mark";
    EXPECT_DOUBLE_EQ(ComPSY::GetValue(data, 1, 5), -8);
    EXPECT_DOUBLE_EQ(ComPSY::GetValue(data, 1, 6), 10) << "past the values lies the repeated X";
    EXPECT_THROW(ComPSY::GetValue(data, 1, 11), veltra::vb::SubscriptOutOfRange);

    EXPECT_EQ(ComPSY::GetAreaName(data, 2), QStringLiteral("\"中央区\""));
    EXPECT_EQ(ComPSY::GetFirstValueText(data, 2), "10");

    EXPECT_THROW(ComPSY::GetValueCode(data, 3), veltra::vb::SubscriptOutOfRange) << "no third line";
    int32_t x = 0, y = 0;
    EXPECT_THROW(ComPSY::GetGraphPosition(data, 0, x, y), veltra::vb::SubscriptOutOfRange);
    EXPECT_THROW(ComPSY::GetAreaPoint({"", "1"}, 1, x, y), veltra::vb::SubscriptOutOfRange);
}
