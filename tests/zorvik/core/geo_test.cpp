#include "zorvik/core/engine.h"
#include "zorvik/core/geo.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

TEST(Geo, ZoneOriginsMapToZero)
{
    for (int zone = 1; zone <= 19; ++zone) {
        SCOPED_TRACE(zone);
        geo::ZoneOrigin o{};
        ASSERT_TRUE(geo::zoneOrigin(zone, o));
        double n = 1, e = 1;
        ASSERT_TRUE(geo::toPlane(zone, geo::worldX(o.lon), geo::worldY(o.lat), n, e));
        EXPECT_NEAR(n, 0.0, 1e-6);
        EXPECT_NEAR(e, 0.0, 1e-6);
    }
}

TEST(Geo, KnownPointsMatchProjCommandLine)
{
    // Expected values from `cs2cs -f %.4f EPSG:6668 EPSG:66xx` (JGD2011 zones,
    // northing first) for the latitude and longitude of these world points.
    struct Row
    {
        int zone;
        std::int32_t x, y;
        double northing, easting;
    };
    const Row rows[] = {
        {9, 6396165, 4205245, -35363.2254, -5992.9196},
        {12, 6966272, 6984718, -66042.8400, -72838.3207},
        {15, 2165136, 799464, 24554.4240, 51385.8860},
    };
    Engine engine;
    for (const Row &r : rows) {
        SCOPED_TRACE(r.zone);
        double x = 0, y = 0;
        ASSERT_EQ(engine.ConvertCoord(0, r.x, r.y, x, y, r.zone), code::Ok);
        EXPECT_NEAR(x, r.northing, 0.001);
        EXPECT_NEAR(y, r.easting, 0.001);
        double wx = 0, wy = 0;
        ASSERT_TRUE(geo::fromPlane(r.zone, x, y, wx, wy));
        EXPECT_NEAR(wx, r.x, 1e-3);
        EXPECT_NEAR(wy, r.y, 1e-3);
    }
}

TEST(Geo, ConvertCoordRejectsOtherModesAndZones)
{
    Engine engine;
    double x = 0, y = 0;
    EXPECT_EQ(engine.ConvertCoord(0, 0, 0, x, y, 0), code::BadArgument);
    EXPECT_EQ(engine.ConvertCoord(0, 0, 0, x, y, 20), code::BadArgument);
    EXPECT_EQ(engine.ConvertCoord(7, 0, 0, x, y, 9), code::BadArgument);
}

TEST(Geo, UnitsAtCentreLatitude)
{
    // About 0.308 m per Y unit and cos(35°) as the X/Y ratio in central Japan.
    EXPECT_EQ(geo::meterFactor(35.0), 308.0);
    EXPECT_NEAR(geo::xyUnitRatio(35.0), std::cos(35.0 * M_PI / 180.0), 0.005);
    EXPECT_NEAR(geo::metresPerUnitX(35.0), 0.254, 0.001);

    // Against PROJ: on the central meridian of zone 9 (scale 0.9999) a short
    // step of 1000 units measures 1000 * metres-per-unit * 0.9999.
    geo::ZoneOrigin o{};
    ASSERT_TRUE(geo::zoneOrigin(9, o));
    const double cx = geo::worldX(o.lon), cy = geo::worldY(o.lat);
    double n1, e1, n2, e2;
    ASSERT_TRUE(geo::toPlane(9, cx - 500, cy, n1, e1));
    ASSERT_TRUE(geo::toPlane(9, cx + 500, cy, n2, e2));
    EXPECT_NEAR(std::hypot(n2 - n1, e2 - e1) / (1000 * 0.9999), geo::metresPerUnitX(o.lat), 1e-5);
    ASSERT_TRUE(geo::toPlane(9, cx, cy - 500, n1, e1));
    ASSERT_TRUE(geo::toPlane(9, cx, cy + 500, n2, e2));
    EXPECT_NEAR(std::hypot(n2 - n1, e2 - e1) / (1000 * 0.9999), geo::metresPerUnitY(o.lat), 1e-5);

    Engine engine;
    ViewMetrics view;
    view.centerY = static_cast<std::int32_t>(geo::worldY(35.0));
    EXPECT_EQ(engine.MeterFactor(view), 308.0);
    EXPECT_DOUBLE_EQ(engine.WorldPerDevice(view), engine.XYUnitRatio(view));
}

} // namespace
} // namespace zorvik
