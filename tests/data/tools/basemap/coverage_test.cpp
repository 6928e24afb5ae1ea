// The grid check of the written base map, on small hand-made maps where the
// fault is known, and on the default map built from the shipped sources.
#include "basemap/coverage.h"
#include "basemap/kinds.h"
#include "defaultmodel.h"

#include <gtest/gtest.h>

using namespace veltra::basemap;

namespace {

// About 36° N, as in the power-cell tests.
constexpr std::int32_t Y0 = 12 * 360000;

std::vector<WorldPoint> ring(std::vector<std::pair<int, int>> corners)
{
    std::vector<WorldPoint> r;
    for (const auto &[x, y] : corners)
        r.push_back(WorldPoint{x, Y0 + y});
    r.push_back(r.front());
    return r;
}

std::vector<WorldPoint> box(int x0, int y0, int x1, int y1)
{
    return ring({{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}});
}

// Prefecture 1 is the square [0, 10000]²; its cells and database points are
// the case's.
BaseMapModel squareMap(std::vector<AreaOutline> cells, std::vector<std::pair<int, WorldPoint>> points)
{
    BaseMapModel m;
    m.prefectureRows.push_back(PrefectureRow{1, QString::fromUtf8("北海道"), WorldPoint{5000, Y0 + 5000}});
    m.outlines.push_back(AreaOutline{kind::PrefectureBoundary, 1, box(0, 0, 10000, 10000)});
    for (AreaOutline &c : cells) {
        c.kind = kind::MunicipalityBoundary;
        m.outlines.push_back(std::move(c));
    }
    for (const auto &[code, at] : points)
        m.municipalityRows.push_back(
            MunicipalityRow{1, code % 1000, QStringLiteral("m%1").arg(code), {}, at});
    return m;
}

WorldPoint at(int x, int y)
{
    return WorldPoint{x, Y0 + y};
}

struct Case
{
    const char *name;
    std::vector<AreaOutline> cells;
    std::vector<std::pair<int, WorldPoint>> points;
    bool holes, overlaps, outside;
    int pointsOutside;
    const char *fault; // a part of the first fault; empty when none
};

} // namespace

TEST(BaseMapCoverage, FindsHolesOverlapsCellsOffTheLandAndPointsOutsideTheirCell)
{
    const Case cases[] = {
        {"two halves", {{0, 1001, box(0, 0, 5000, 10000)}, {0, 1002, box(5000, 0, 10000, 10000)}},
            {{1001, at(2500, 5000)}, {1002, at(7500, 5000)}}, false, false, false, 0, ""},
        {"a cell missing", {{0, 1001, box(0, 0, 5000, 10000)}}, {{1001, at(2500, 5000)}}, true, false, false,
            0, "北海道 (01): "},
        {"a hole between the cells",
            {{0, 1001, box(0, 0, 4000, 10000)}, {0, 1002, box(6000, 0, 10000, 10000)}}, {}, true, false,
            false, 0, "lie in no municipal cell (hole)"},
        {"overlapping cells", {{0, 1001, box(0, 0, 6000, 10000)}, {0, 1002, box(4000, 0, 10000, 10000)}}, {},
            false, true, false, 0, "in more than one municipal cell (overlap)"},
        {"a cell beyond the coast",
            {{0, 1001, box(0, 0, 5000, 10000)}, {0, 1002, box(5000, 0, 14000, 10000)}}, {}, false, false,
            true, 0, "lie off its land"},
        {"a point in its neighbour's cell",
            {{0, 1001, box(0, 0, 5000, 10000)}, {0, 1002, box(5000, 0, 10000, 10000)}},
            {{1001, at(7500, 5000)}, {1002, at(7000, 5000)}}, false, false, false, 1,
            "01001 m1001: its database point"},
        {"a cell of two parts",
            {{0, 1001, box(0, 0, 5000, 5000)}, {0, 1001, box(0, 5000, 5000, 10000)},
                {0, 1002, box(5000, 0, 10000, 10000)}},
            {{1001, at(2500, 7500)}}, false, false, false, 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CoverageCheck r = checkCoverage(squareMap(c.cells, c.points), 0.05);
        EXPECT_GT(r.landPoints, 2000); // the square is about 2.5 km by 3 km
        EXPECT_EQ(r.holes > 0, c.holes);
        EXPECT_EQ(r.overlaps > 0, c.overlaps);
        EXPECT_EQ(r.outside > 0, c.outside);
        EXPECT_EQ(r.pointsOutsideOwnCell, c.pointsOutside);
        EXPECT_EQ(r.ok(), *c.fault == 0);
        if (*c.fault) {
            EXPECT_TRUE(r.faults.join(u'\n').contains(QString::fromUtf8(c.fault)))
                << r.faults.join(u'\n').toStdString();
        }
    }
}

TEST(BaseMapCoverage, AHoleOfAboutAThirdOfTheLandIsCountedAsSuch)
{
    const CoverageCheck r = checkCoverage(
        squareMap({{0, 1001, box(0, 0, 3333, 10000)}, {0, 1002, box(6667, 0, 10000, 10000)}}, {}), 0.05);
    EXPECT_NEAR(double(r.holes) / r.landPoints, 1.0 / 3, 0.02);
}

TEST(BaseMapCoverage, ASliverWithinTheRoundingOfAnEdgeIsNoFault)
{
    // Two cells along a slanting border a unit apart, as rounding to whole
    // units may leave them; a fine grid finds points in the gap.
    const CoverageCheck r = checkCoverage(
        squareMap({{0, 1001, ring({{0, 0}, {0, 10000}, {7000, 10000}, {3000, 0}})},
                      {0, 1002, ring({{3001, 0}, {7001, 10000}, {10000, 10000}, {10000, 0}})}},
            {}),
        0.001);
    EXPECT_GT(r.onEdge, 0);
    EXPECT_EQ(r.holes, 0);
    EXPECT_TRUE(r.ok()) << r.faults.join(u'\n').toStdString();
}

TEST(BaseMapCoverage, TheDefaultMapCoversEveryPrefectureAndHoldsItsPoints)
{
    const CoverageCheck r = checkCoverage(test::defaultModel(), 0.5);
    EXPECT_GT(r.landPoints, 1'000'000); // about 370,000 km² of land
    EXPECT_EQ(r.holes, 0);
    EXPECT_EQ(r.overlaps, 0);
    EXPECT_EQ(r.outside, 0);
    EXPECT_EQ(r.pointsOutsideOwnCell, 0);
    EXPECT_TRUE(r.ok()) << r.faults.join(u'\n').toStdString();
}
