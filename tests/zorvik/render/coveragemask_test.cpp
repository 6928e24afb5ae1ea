// CoverageMask: a line cut into short segments (marked box by box, rows in
// pairs) covers the same pixels as the line marked as one long segment
// (marked row span by row span), at every angle, width and end, also where
// it runs off the mask's area.
#include "zorvik/render/coveragemask.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

TEST(CoverageMask, ShortSegmentsCoverWhatOneLongSegmentCovers)
{
    const QRect area(3, 2, 61, 47);
    const struct
    {
        const char *name;
        QPointF a, b;
    } lines[] = {
        {"horizontal", {8.3, 20.5}, {57.9, 20.5}},
        {"vertical", {30.5, 5.2}, {30.5, 44.6}},
        {"diagonal", {9.1, 8.4}, {45.7, 45.0}},
        {"shallow", {6.2, 30.1}, {58.4, 36.9}},
        {"steep, upwards", {40.3, 46.2}, {25.8, 4.1}},
        {"off the right and bottom edges", {20.2, 15.7}, {75.4, 60.3}},
        {"off the left and top edges", {30.6, 25.2}, {-8.1, -5.5}},
    };
    for (const auto &line : lines)
        for (double width : {2.0, 3.0})
            for (SegmentEnd cap : {SegmentEnd::Flat, SegmentEnd::Square, SegmentEnd::Round}) {
                SCOPED_TRACE(testing::Message() << line.name << ", width " << width << ", end "
                                                << static_cast<int>(cap));
                CoverageMask whole(area), pieces(area);
                whole.segment(line.a, line.b, width / 2, cap, cap);
                // Pieces of about 1.3 px, the length of a detailed outline's segments.
                const QPointF d = line.b - line.a;
                const int n = static_cast<int>(std::hypot(d.x(), d.y()) / 1.3);
                std::vector<QPointF> points;
                for (int i = 0; i <= n; ++i)
                    points.push_back(line.a + d * (static_cast<double>(i) / n));
                pieces.polyline(points.data(), static_cast<int>(points.size()), width / 2, cap);

                int marked = 0, full = 0;
                for (int y = area.top(); y <= area.bottom(); ++y)
                    for (int x = area.left(); x <= area.right(); ++x) {
                        marked += whole.coverage(x, y) > 0;
                        full += whole.coverage(x, y) == 255;
                        ASSERT_NEAR(pieces.coverage(x, y), whole.coverage(x, y), 1) << "pixel " << x << ", " << y;
                    }
                // Every line crosses the area for more than 30 px.
                EXPECT_GE(marked, 30 * (width + 1));
                EXPECT_GT(full, 30);
            }
}

} // namespace
} // namespace zorvik
