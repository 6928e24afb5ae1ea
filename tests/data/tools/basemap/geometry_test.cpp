#include "basemap/geometry.h"

#include <algorithm>
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

TEST(BaseMapGeometry, TheLandJoinsALakeRingAndAnOverlappingIslandIntoOneValidArea)
{
    // The source draws lakes as rings inside the main island, and some
    // islands overlap it: as separate parts the outline is no valid area.
    Prefecture p = withRing({{130, 30}, {130, 31}, {131, 31}, {131, 30}, {130, 30}});
    p.rings.push_back({{130.4, 30.4}, {130.4, 30.5}, {130.5, 30.5}, {130.5, 30.4}, {130.4, 30.4}});
    p.rings.push_back({{130.9, 30.2}, {130.9, 30.3}, {131.2, 30.3}, {131.2, 30.2}, {130.9, 30.2}});
    const MultiPolygon outline = outlineOf(p);
    ASSERT_EQ(outline.size(), 3u);
    EXPECT_FALSE(bg::is_valid(outline));
    const MultiPolygon land = landOf(outline);
    EXPECT_TRUE(bg::is_valid(land));
    ASSERT_EQ(land.size(), 1u);
    EXPECT_TRUE(land[0].inners().empty()); // the lake is part of the land
    const double deg2 = WorldPerDegree * WorldPerDegree;
    EXPECT_NEAR(bg::area(land), 1.02 * deg2, 1e-9 * deg2);
}

TEST(BaseMapGeometry, APointOnTheLandStaysAndOneOffItMovesToTheNearestPointInside)
{
    const MultiPolygon land = outlineOf(withRing({{130, 30}, {130, 31}, {131, 31}, {131, 30}, {130, 30}}));
    const Point onLand = toWorld(LonLat{130.5, 30.5});
    EXPECT_EQ(nearestInside(land, onLand, 2), rounded(onLand));

    // 0.01° east of the east coast, at 30.5° N: about 0.96 km.
    const Point offshore = toWorld(LonLat{131.01, 30.5});
    const std::optional<WorldPoint> moved = nearestInside(land, offshore, 2);
    ASSERT_TRUE(moved);
    const double coastX = (131 - OriginLon) * WorldPerDegree;
    EXPECT_GE(coastX - moved->x, 2); // inside by the inset
    EXPECT_LE(coastX - moved->x, 4); // and no further
    EXPECT_NEAR(moved->y, offshore.y(), 1);
    EXPECT_NEAR(distanceKm(offshore, Point(moved->x, moved->y)), 0.96, 0.01);

    // Off a corner: to the corner.
    const std::optional<WorldPoint> corner = nearestInside(land, toWorld(LonLat{131.01, 31.01}), 2);
    ASSERT_TRUE(corner);
    EXPECT_NEAR(corner->x, coastX, 4);
    EXPECT_NEAR(corner->y, (31 - OriginLat) * WorldPerDegree, 4);

    // A point just inside but on the very edge moves in by the inset.
    const std::optional<WorldPoint> edge = nearestInside(land, Point(coastX - 1, offshore.y()), 2);
    ASSERT_TRUE(edge);
    EXPECT_EQ(edge->x, coastX - 2);
    EXPECT_FALSE(nearestInside(MultiPolygon{}, offshore, 2));
}

TEST(BaseMapGeometry, NeighbouringCellsGetOneWholeUnitPlaceForTheirSharedVertex)
{
    auto triangle = [](Point a, Point b, Point c) {
        Polygon p;
        for (const Point &q : {a, b, c, a})
            bg::append(p.outer(), q);
        bg::correct(p);
        return MultiPolygon{p};
    };
    // The same vertex reached by two cells: 100.45 and 100.55 would round
    // apart. Whole-unit vertices a unit apart stay apart.
    const std::vector<MultiPolygon> cells{triangle(Point(0, 0), Point(100.45, 50.2), Point(200, 0)),
        triangle(Point(100.55, 50.2), Point(0, 100), Point(200, 0)),
        triangle(Point(300, 0), Point(301, 0), Point(300, 7))};
    const VertexSnap snap(cells);
    EXPECT_EQ(snap(Point(100.45, 50.2)), snap(Point(100.55, 50.2)));
    EXPECT_EQ(snap(Point(300, 0)), (WorldPoint{300, 0}));
    EXPECT_EQ(snap(Point(301, 0)), (WorldPoint{301, 0}));
    // A group with a whole-unit vertex of the outline takes that vertex.
    const VertexSnap coast({triangle(Point(500, 500), Point(600.4, 500.3), Point(500, 600)),
        triangle(Point(600, 500), Point(700, 500), Point(650, 600))});
    EXPECT_EQ(coast(Point(600.4, 500.3)), (WorldPoint{600, 500}));
    // A ring through the snap uses the places.
    const std::vector<WorldPoint> r0 = toWorldRing(cells[0][0].outer(), &snap);
    const std::vector<WorldPoint> r1 = toWorldRing(cells[1][0].outer(), &snap);
    EXPECT_NE(std::find(r0.begin(), r0.end(), snap(Point(100.45, 50.2))), r0.end());
    EXPECT_NE(std::find(r1.begin(), r1.end(), snap(Point(100.45, 50.2))), r1.end());
}
