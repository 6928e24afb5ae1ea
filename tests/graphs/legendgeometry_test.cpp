// The legend's row geometry and scroll rule in twips.
#include "graphs/legendgeometry.h"

#include <gtest/gtest.h>

using namespace veltra::graphs;

TEST(LegendGeometry, RowsFollowAtAPitchOf265AndTheCanvasGrows280PerRow)
{
    EXPECT_EQ(legendRowTop(0), 40);
    EXPECT_EQ(legendRowTop(1), 305);
    EXPECT_EQ(legendRowTop(9), 40 + 9 * 265);
    EXPECT_EQ(legendCanvasHeight(1), 600);
    EXPECT_EQ(legendCanvasHeight(9), 2840); // ten rows
}

TEST(LegendGeometry, ScrollRangeAndSteps)
{
    struct Case
    {
        const char *name;
        int canvas;
        int inner;
        LegendScroll expected;
    };
    const Case cases[] = {
        {"ten rows in a box 2190 high", 2840, 2190, {true, 0, -650, 2190, 438}},
        {"canvas as high as the box", 2190, 2190, {false, 0, 0, 0, 0}},
        {"a twip more", 2191, 2190, {true, 0, -1, 2190, 438}},
        {"small step rounded down", 6000, 5937, {true, 0, -63, 5937, 1187}}, // 1187.4
        // 200 rows: far beyond a 16-bit range.
        {"two hundred rows", legendCanvasHeight(199), 2190, {true, 0, 2190 - 56040, 2190, 438}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LegendScroll s = legendScroll(c.canvas, c.inner);
        EXPECT_EQ(s.needed, c.expected.needed);
        EXPECT_EQ(s.min, c.expected.min);
        EXPECT_EQ(s.max, c.expected.max);
        EXPECT_EQ(s.largeStep, c.expected.largeStep);
        EXPECT_EQ(s.smallStep, c.expected.smallStep);
    }
    // A fifth of the inside goes to the nearest whole number.
    EXPECT_EQ(legendScroll(3000, 2193).smallStep, 439); // 438.6
    EXPECT_EQ(legendScroll(3000, 2192).smallStep, 438); // 438.4
}
