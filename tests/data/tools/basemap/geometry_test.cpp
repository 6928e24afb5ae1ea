#include "basemap/geometry.h"

#include <gtest/gtest.h>

using namespace veltra::basemap;

namespace {

Prefecture withRing(std::vector<LonLat> ring)
{
    Prefecture p;
    p.code = 1;
    p.rings.push_back(std::move(ring));
    return p;
}

} // namespace

TEST(BaseMapGeometry, WorldCoordinatesCountHundredthsOfASecondFromTheOrigin)
{
    EXPECT_EQ(rounded(toWorld(LonLat{122, 24})), (WorldPoint{0, 0}));
    EXPECT_EQ(rounded(toWorld(LonLat{123, 25.5})), (WorldPoint{360000, 540000}));
    EXPECT_EQ(rounded(toWorld(LonLat{139.7671, 35.6812})), (WorldPoint{6396156, 4205232}));
}

TEST(BaseMapGeometry, ASmallSelfCrossingLoopIsCutOffAndTheMainAreaKept)
{
    // A 1°x1° square whose east side makes a small crossing loop.
    const Prefecture p = withRing({{130, 30}, {130, 31}, {131, 31}, {131, 30.6}, {131.1, 30.4}, {131.1, 30.5},
        {131, 30.3}, {131, 30}, {130, 30}});
    const MultiPolygon outline = outlineOf(p);
    ASSERT_FALSE(outline.empty());
    EXPECT_TRUE(bg::is_valid(outline));
    const double square = WorldPerDegree * WorldPerDegree;
    EXPECT_NEAR(bg::area(outline), square, square * 0.02);
}

TEST(BaseMapGeometry, OutlineRingsAreClosedAndRoundedWithoutRepeats)
{
    const Prefecture p = withRing({{130, 30}, {130, 30}, {130, 31}, {131, 31}, {131, 30}, {130, 30}});
    const MultiPolygon outline = outlineOf(p);
    ASSERT_EQ(outline.size(), 1u);
    const std::vector<WorldPoint> ring = toWorldRing(outline[0].outer());
    ASSERT_EQ(ring.size(), 5u);
    EXPECT_EQ(ring.front(), ring.back());
    for (size_t i = 1; i < ring.size(); ++i)
        EXPECT_FALSE(ring[i] == ring[i - 1]);
    // Fewer than three distinct points make no ring.
    Ring degenerate;
    bg::append(degenerate, Point(0, 0));
    bg::append(degenerate, Point(1, 1));
    bg::append(degenerate, Point(0, 0));
    EXPECT_TRUE(toWorldRing(degenerate).empty());
}
