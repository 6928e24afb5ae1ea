#include "shell/scalebox.h"

#include <gtest/gtest.h>

using namespace veltra::shell;

TEST(ScaleBox, FixedListIsTheThirteenScalesLargestFirst)
{
    const auto list = fixedScaleList();
    ASSERT_EQ(list.size(), 13u);
    EXPECT_EQ(list.front(), 1000000);
    EXPECT_EQ(list[7], 25000);
    EXPECT_EQ(list.back(), 1600);
}

TEST(ScaleBox, ListChoiceAndEnterCorrectIntoTheBounds)
{
    struct Case
    {
        const char *typed;
        bool applied;
        const char *boxText;
        double scale;
    };
    const Case cases[] = {
        {"500", true, "1600", 1600},
        {"20000000", true, "15000000", 15000000},
        {"1600", true, "1600", 1600},
        {"15000000", true, "15000000", 15000000},
        {"25000", true, "25000", 25000},
        {" 2500 ", true, " 2500 ", 2500},
        {"1599.9", true, "1600", 1600},
        {"-3", true, "1600", 1600},
        {"abc", false, "", 0},
        {"", false, "", 0},
        {"   ", false, "", 0},
        {"12a", false, "", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        const auto choice = scaleBoxChoice(QString::fromUtf8(c.typed));
        ASSERT_EQ(choice.has_value(), c.applied);
        if (!c.applied)
            continue;
        EXPECT_EQ(choice->boxText, QString::fromUtf8(c.boxText));
        EXPECT_DOUBLE_EQ(choice->scale, c.scale);
    }
}

TEST(ScaleBox, FocusOutAppliesNoBoundsButIgnoresWhatTheEngineCannotTake)
{
    struct Case
    {
        const char *typed;
        double current;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"500", 25000, 500}, // below the list's bounds, still taken
        {"20000000", 25000, 20000000},
        {"25000.4", 25000, std::nullopt}, // rounds to the current scale
        {"2.5", 25000, 2}, // halves to the even neighbour
        {"3.5", 25000, 4},
        {"1e3", 25000, 1000},
        {"0", 25000, std::nullopt},
        {"-5", 25000, std::nullopt},
        {"0.4", 25000, std::nullopt}, // rounds to 0
        {"3000000000", 25000, std::nullopt}, // beyond the 32-bit range
        {"abc", 25000, std::nullopt},
        {"", 25000, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(scaleBoxFocusOut(QString::fromUtf8(c.typed), c.current), c.expected);
    }
}

TEST(ScaleBox, TheBoxShowsTheScaleAsAWholeNumber)
{
    struct Case
    {
        double scale;
        const char *text;
    };
    const Case cases[] = {
        {25000, "25000"}, {12345.5, "12346"}, // halves to the even neighbour
        {12344.5, "12344"}, {1600.2, "1600"}, {3e9, "2147483647"}, // beyond the 32-bit range
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(scaleBoxText(c.scale), QString::fromLatin1(c.text));
    }
}

TEST(ScaleBox, ZoomStepRoundsHalvesToEven)
{
    struct Case
    {
        std::int32_t w, h;
        double factor;
        std::int32_t ew, eh;
    };
    const Case cases[] = {
        {1001, 1000, 2, 500, 500}, // 500.5 -> 500
        {1003, 1000, 2, 502, 500}, // 501.5 -> 502
        {1000, 600, 0.5, 2000, 1200}, // zoom out grows the view
        {3, 5, 2, 2, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << "/" << c.factor);
        const auto size = zoomStepSize(c.w, c.h, c.factor);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->width, c.ew);
        EXPECT_EQ(size->height, c.eh);
    }
    EXPECT_FALSE(zoomStepSize(1000, 1000, 0));
    EXPECT_FALSE(zoomStepSize(1000, 1000, -2));
    EXPECT_FALSE(zoomStepSize(2000000000, 1000, 0.1)); // beyond the 32-bit range
}
