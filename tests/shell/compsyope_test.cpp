// Flow-line directions and arrow heads.
#include "shell/compsyope.h"

#include <QtMath>
#include <cmath>
#include <gtest/gtest.h>

TEST(FlowLineAngle, WholeDegreesAgainstTheXAxis)
{
    struct Case
    {
        double dx, dy;
        int expected;
    };
    const Case cases[] = {
        {1, 0, 0},
        {-1, 0, 180},
        {0, 0, 0},
        {1, 1, 45},
        {0, 1, 90},
        {0, -1, 90},
        {-1, -1, 135}, // the sign of dy does not count
        {std::sqrt(3.0), 1, 30},
        {1, std::tan(qDegreesToRadians(10.5)), 11}, // halves go up
        {1, std::tan(qDegreesToRadians(10.49)), 10},
        // Cosines that compute as exactly 1 or -1.
        {1, 1e-12, 0},
        {-1, 1e-12, 180},
        {1e9, -1e-9, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        EXPECT_EQ(ComPSYOpe::GetAngle(c.dx, c.dy), c.expected);
    }
}

namespace {

struct Barbs
{
    std::int32_t x1, y1, x2, y2;
};

Barbs arrowHead(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    Barbs b{-1, -1, -1, -1};
    ComPSYOpe::GetArrowHead(x1, y1, x2, y2, b.x1, b.y1, b.x2, b.y2);
    return b;
}

} // namespace

TEST(FlowLineArrowHead, OneRowPerDirection)
{
    // Barbs 10000 back from point 2, 20 degrees to either side; the expected
    // points are cos 20 = 0.93969, sin 20 = 0.34202 and, for the diagonals
    // (45 degrees), cos 65 = sin 25 = 0.42262, sin 65 = cos 25 = 0.90631.
    struct Case
    {
        const char *direction;
        std::int32_t x1, y1, x2, y2;
        Barbs expected;
    };
    const Case cases[] = {
        {"x equal, y up", 0, 0, 0, 100000, {-3420, 90603, 3420, 90603}},
        {"x equal, y down", 0, 100000, 0, 0, {3420, 9397, -3420, 9397}},
        {"x up, y equal", 0, 0, 100000, 0, {90603, 3420, 90603, -3420}},
        {"x down, y equal", 100000, 0, 0, 0, {9397, -3420, 9397, 3420}},
        {"both up", 0, 0, 50000, 50000, {45774, 40937, 40937, 45774}},
        {"both down", 50000, 50000, 0, 0, {4226, 9063, 9063, 4226}},
        {"x down, y up", 50000, 0, 0, 50000, {9063, 45774, 4226, 40937}},
        {"x up, y down", 0, 50000, 50000, 0, {40937, 4226, 45774, 9063}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.direction);
        const Barbs b = arrowHead(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(b.x1, c.expected.x1);
        EXPECT_EQ(b.y1, c.expected.y1);
        EXPECT_EQ(b.x2, c.expected.x2);
        EXPECT_EQ(b.y2, c.expected.y2);
        // Both barbs lie 10000 back from point 2.
        EXPECT_NEAR(std::hypot(b.x1 - c.x2, b.y1 - c.y2), 10000, 1);
        EXPECT_NEAR(std::hypot(b.x2 - c.x2, b.y2 - c.y2), 10000, 1);
    }
}

TEST(FlowLineArrowHead, ZeroLengthGivesPointTwoTwice)
{
    const Barbs b = arrowHead(1234, -5678, 1234, -5678);
    EXPECT_EQ(b.x1, 1234);
    EXPECT_EQ(b.y1, -5678);
    EXPECT_EQ(b.x2, 1234);
    EXPECT_EQ(b.y2, -5678);
}

TEST(FlowLineArrowHead, AShortLineGetsBarbsBeyondItsStart)
{
    // A line 2000 long: its barbs reach 9397 back, past its start at x 8000.
    const Barbs b = arrowHead(8000, 500, 10000, 500);
    EXPECT_EQ(b.x1, 603);
    EXPECT_EQ(b.x2, 603);
    EXPECT_LT(b.x1, 8000);
}
