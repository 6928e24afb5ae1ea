// The search shapes of the area selection on the map and the area codes of
// found elements, without an engine: the band's outline around lines of one,
// two and more segments (and the lines that give none), the circle's ring,
// and the code rules by area kind.
#include "statwindow/searchshapes.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace veltra::statwindow;

PointList points(std::initializer_list<std::pair<std::int32_t, std::int32_t>> xy)
{
    PointList list;
    for (const auto &[x, y] : xy) {
        list.x.push_back(x);
        list.y.push_back(y);
    }
    return list;
}

struct BandCase
{
    const char *what;
    PointList line;
    std::int32_t halfWidth;
    std::int32_t reducedWidth;
    PointList outline;
};

TEST(SearchShapes, BandOutlinesFollowTheLineWithStraightEndsAndMitredCorners)
{
    const BandCase cases[] = {
        {"horizontal two-point line: A0, A1, B1, B0, A0", points({{0, 0}, {1000, 0}}), 300, 3,
            points({{0, 300}, {1000, 300}, {1000, -300}, {0, -300}, {0, 300}})},
        {"a 3-4-5 slope", points({{0, 0}, {300, 400}}), 500, 5,
            points({{-400, 300}, {-100, 700}, {700, 100}, {400, -300}, {-400, 300}})},
        {"coordinates and width reduced to hundredths, halves to even", points({{50, 150}, {1050, 150}}), 250,
            2, points({{0, 400}, {1000, 400}, {1000, 0}, {0, 0}, {0, 400}})},
        {"a left turn: the inner corner on the left, the outer on the right",
            points({{0, 0}, {1000, 0}, {1000, 1000}}), 100, 1,
            points({{0, 100}, {900, 100}, {900, 1000}, {1100, 1000}, {1100, -100}, {0, -100}, {0, 100}})},
        // 72000 units after the reduction: the squares and the corner's
        // determinant leave the 32-bit range.
        {"a line of 20 degrees with a corner", points({{0, 0}, {7200000, 0}, {7200000, 7200000}}), 36000, 360,
            points({{0, 36000}, {7164000, 36000}, {7164000, 7200000}, {7236000, 7200000}, {7236000, -36000},
                {0, -36000}, {0, 36000}})},
    };
    for (const BandCase &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Band> band = bandOutline(c.line, c.halfWidth);
        ASSERT_TRUE(band.has_value());
        EXPECT_EQ(band->reducedHalfWidth, c.reducedWidth);
        EXPECT_EQ(band->outline.x, c.outline.x);
        EXPECT_EQ(band->outline.y, c.outline.y);
        EXPECT_EQ(band->outline.x.size(), 2 * c.line.x.size() + 1);
    }
}

TEST(SearchShapes, LinesThatGiveNoBand)
{
    const std::pair<const char *, PointList> cases[] = {
        {"three points on one straight line", points({{0, 0}, {1000, 0}, {2000, 0}})},
        {"a turn straight back", points({{0, 0}, {1000, 0}, {0, 0}})},
        {"two points within 100 units", points({{1000, 1000}, {1049, 1040}})},
        {"a zero-length segment inside a longer line", points({{0, 0}, {1000, 0}, {1030, 20}, {1000, 1000}})},
        {"one point", points({{0, 0}})},
        {"no point", PointList{}},
    };
    for (const auto &[what, line] : cases) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(bandOutline(line, 300).has_value());
    }
}

TEST(SearchShapes, TheCircleHasNinetyOnePointsAndClosesOnItsFirst)
{
    const double k = 1.25;
    const PointList ring = circlePoints(91, 1500, 0, 0, k);
    ASSERT_EQ(ring.x.size(), 91u);
    ASSERT_EQ(ring.y.size(), 91u);
    EXPECT_EQ(ring.x[0], 1875);
    EXPECT_EQ(ring.y[0], 0);
    const double a = 88.0 * std::acos(-1.0) / 180.0;
    EXPECT_EQ(ring.x[22], static_cast<std::int32_t>(std::nearbyint(1500 * std::cos(a) * k)));
    EXPECT_EQ(ring.y[22], static_cast<std::int32_t>(std::nearbyint(1500 * std::sin(a))));
    EXPECT_EQ(ring.y[22], 1499);
    EXPECT_EQ(ring.x[45], -1875); // 180 degrees
    EXPECT_EQ(ring.x[90], ring.x[0]);
    EXPECT_EQ(ring.y[90], ring.y[0]);

    // Only the X offsets are stretched; halves go to the even neighbour
    // (1506 x 1.25 = 1882.5).
    const PointList moved = circlePoints(91, 1506, 1000, -2000, k);
    EXPECT_EQ(moved.x[0], 1000 + 1882);
    EXPECT_EQ(moved.y[0], -2000);
    EXPECT_EQ(moved.y[22], -495); // 1506 sin 88° - 2000 = -494.92
}

struct CodeCase
{
    std::int16_t areaKind;
    const char *name;
    std::int16_t elementKind;
    CodePeriod period;
    const char *code; // nullptr: none
};

TEST(SearchShapes, AreaCodesByKindNameAndPeriod)
{
    using enum CodePeriod;
    const CodeCase cases[] = {
        {206, "13", 206, After1970, "13"},
        {206, "130", 206, After1970, nullptr},
        {206, "1", 206, After1970, nullptr},
        {206, "東京", 206, After1970, nullptr},
        {211, "13101", 211, UpTo1970, "1310100"},
        {211, "1310100", 211, UpTo1970, "1310100"},
        {211, "13101", 211, After1970, "13101"},
        {211, "1310100", 211, After1970, nullptr},
        {211, "131", 211, UpTo1970, nullptr},
        {211, "横浜市中区", 211, After1970, nullptr},
        {227, "139990010", 228, After1970, "13999001000"},
        {227, "13999001001", 227, After1970, "13999001001"},
        {227, "1399900100123", 227, After1970, "13999001001"},
        {227, "1399900A001", 227, After1970, nullptr},
        {227, "13101", 211, After1970, nullptr},
        {0, "13", 206, After1970, nullptr},
    };
    for (const CodeCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.areaKind) + " " + c.name);
        const std::optional<QString> code
            = areaCode(c.areaKind, QString::fromUtf8(c.name), c.elementKind, c.period);
        if (c.code) {
            ASSERT_TRUE(code.has_value());
            EXPECT_EQ(*code, QString::fromUtf8(c.code));
        } else {
            EXPECT_FALSE(code.has_value()) << code->toStdString();
        }
    }
}

} // namespace
