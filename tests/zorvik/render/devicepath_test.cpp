#include "zorvik/render/devicepath.h"

#include <gtest/gtest.h>

namespace zorvik {
namespace {

std::vector<QPolygonF> runsOf(const std::vector<QPointF> &device, bool cut = true)
{
    const ViewTransform view(17 * 360000.0, 12 * 360000.0, 25000, 0, QSize(200, 150), 96);
    std::vector<QPointF> world;
    for (QPointF p : device)
        world.push_back(view.deviceToWorld(p));
    const DevicePathBuilder builder(view, QRectF(0, 0, 200, 150));
    std::vector<QPolygonF> runs;
    builder.build(
        static_cast<int>(world.size()), [&](int i) { return world[i]; },
        [&](const QPolygonF &run) { runs.push_back(run); }, cut);
    return runs;
}

TEST(DevicePathBuilder, MergesVerticesCloserThanHalfAPixel)
{
    std::vector<QPointF> points{{10, 10}};
    for (int i = 1; i <= 100; ++i)
        points.push_back({10 + i * 0.004, 10}); // 0.4 px in all
    points.push_back({50, 10});
    const auto runs = runsOf(points);
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].size(), 2);
    EXPECT_NEAR(runs[0].back().x(), 50, 1e-6);
}

TEST(DevicePathBuilder, KeepsTheLastPointSoRingsClose)
{
    const auto runs = runsOf({{10, 10}, {100, 10}, {100, 100}, {10.3, 10}});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].size(), 4);
}

TEST(DevicePathBuilder, CutsLinesThatLeaveTheTarget)
{
    struct Case
    {
        const char *name;
        std::vector<QPointF> points;
        std::vector<int> runSizes;
    } cases[] = {
        {"far start", {{-100000, 75}, {-50000, 75}, {100, 75}, {150, 75}}, {3}},
        {"out and back", {{20, 20}, {40, 20}, {40, -100000}, {60, -100000}, {60, 20}, {80, 20}}, {3, 3}},
        {"all outside", {{-1000, -1000}, {-900, -1000}, {-900, -900}}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto runs = runsOf(c.points);
        ASSERT_EQ(runs.size(), c.runSizes.size());
        for (std::size_t i = 0; i < runs.size(); ++i)
            EXPECT_EQ(runs[i].size(), c.runSizes[i]);
    }
    // Filled shapes are never cut.
    EXPECT_EQ(
        runsOf({{20, 20}, {40, 20}, {40, -100000}, {60, -100000}, {60, 20}, {20, 20}}, false).size(), 1u);
}

} // namespace
} // namespace zorvik
