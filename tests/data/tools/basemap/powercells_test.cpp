#include "basemap/powercells.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace veltra::basemap;

namespace {

// A square outline of side `s` world units with its lower-left corner at (x, y).
MultiPolygon square(double x, double y, double s)
{
    Polygon p;
    bg::append(p.outer(), Point(x, y));
    bg::append(p.outer(), Point(x, y + s));
    bg::append(p.outer(), Point(x + s, y + s));
    bg::append(p.outer(), Point(x + s, y));
    bg::append(p.outer(), Point(x, y));
    bg::correct(p);
    return MultiPolygon{p};
}

// About 36° N, where the generator's local plane is well conditioned.
constexpr double Y0 = 12 * WorldPerDegree;
constexpr double Side = 0.2 * WorldPerDegree;

} // namespace

TEST(PowerCells, EqualWeightsSplitAtTheBisectorAndCoverTheOutline)
{
    const MultiPolygon outline = square(0, Y0, Side);
    const std::vector<Site> sites{
        {Point(Side * 0.25, Y0 + Side / 2), 0}, {Point(Side * 0.75, Y0 + Side / 2), 0}};
    const auto cells = powerCells(sites, outline);
    ASSERT_EQ(cells.size(), 2u);
    const double total = bg::area(outline);
    EXPECT_NEAR(bg::area(cells[0]), total / 2, total * 1e-9);
    EXPECT_NEAR(bg::area(cells[1]), total / 2, total * 1e-9);
    EXPECT_TRUE(bg::within(sites[0].world, cells[0]));
    EXPECT_TRUE(bg::within(sites[1].world, cells[1]));
    // The cells do not overlap.
    MultiPolygon overlap;
    bg::intersection(cells[0], cells[1], overlap);
    EXPECT_NEAR(bg::area(overlap), 0, total * 1e-9);
}

TEST(PowerCells, AHeavierSiteGetsTheLargerCell)
{
    const MultiPolygon outline = square(0, Y0, Side);
    // The square is about 18 km wide: weights of 150 and 10 km² shift the split.
    const std::vector<Site> sites{
        {Point(Side * 0.25, Y0 + Side / 2), 150}, {Point(Side * 0.75, Y0 + Side / 2), 10}};
    const auto cells = powerCells(sites, outline);
    EXPECT_GT(bg::area(cells[0]), bg::area(cells[1]) * 1.5);
    EXPECT_NEAR(bg::area(cells[0]) + bg::area(cells[1]), bg::area(outline), bg::area(outline) * 1e-9);
}

TEST(PowerCells, CellsAreClippedToTheOutlineAndDuplicatesGetNothing)
{
    const MultiPolygon outline = square(0, Y0, Side);
    const std::vector<Site> sites{
        {Point(Side * 0.5, Y0 + Side * 0.5), 0},
        {Point(Side * 3, Y0 + Side * 0.5), 0}, // far east of the outline: nothing of it is nearer
        {Point(Side * 0.5, Y0 + Side * 0.5), 0}, // same point as the first
    };
    const auto cells = powerCells(sites, outline);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_NEAR(bg::area(cells[0]), bg::area(outline), bg::area(outline) * 1e-9);
    EXPECT_TRUE(cells[1].empty());
    EXPECT_TRUE(cells[2].empty());
}

TEST(PowerCells, NoSitesOrNoOutlineGiveNoCells)
{
    EXPECT_TRUE(powerCells({}, square(0, Y0, Side)).empty());
    const auto cells = powerCells({{Point(1, Y0 + 1), 0}}, MultiPolygon{});
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_TRUE(cells[0].empty());
}

TEST(PowerCells, CellsClippedToALandWithALakeRingCoverItWhole)
{
    // A prefecture whose source has a lake ring inside the main ring: its
    // land is one area, and the cells cover all of it without overlapping.
    const LonLatRing main{{140, 36}, {140, 36.2}, {140.2, 36.2}, {140.2, 36}, {140, 36}};
    const LonLatRing lake{
        {140.05, 36.05}, {140.05, 36.08}, {140.08, 36.08}, {140.08, 36.05}, {140.05, 36.05}};
    Prefecture p;
    p.rings = {main, lake};
    const MultiPolygon land = landOf(outlineOf(p));
    const std::vector<Site> sites{{toWorld(LonLat{140.03, 36.03}), 30}, {toWorld(LonLat{140.15, 36.05}), 100},
        {toWorld(LonLat{140.1, 36.15}), 5}, {toWorld(LonLat{140.07, 36.065}), 10}};
    const auto cells = powerCells(sites, land);
    double sum = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        EXPECT_TRUE(bg::within(sites[i].world, cells[i])) << i;
        sum += bg::area(cells[i]);
        for (size_t j = i + 1; j < cells.size(); ++j) {
            MultiPolygon overlap;
            bg::intersection(cells[i], cells[j], overlap);
            EXPECT_NEAR(bg::area(overlap), 0, bg::area(land) * 1e-7);
        }
    }
    EXPECT_NEAR(sum, bg::area(land), bg::area(land) * 1e-7);
}
