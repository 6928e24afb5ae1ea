#include "geometry.h"

#include <cmath>

namespace veltra::basemap {

Point toWorld(const LonLat &p)
{
    return Point((p.lon - OriginLon) * WorldPerDegree, (p.lat - OriginLat) * WorldPerDegree);
}

WorldPoint rounded(const Point &p)
{
    return WorldPoint{
        static_cast<std::int32_t>(std::llround(p.x())), static_cast<std::int32_t>(std::llround(p.y()))};
}

MultiPolygon outlineOf(const Prefecture &prefecture)
{
    MultiPolygon out;
    for (const LonLatRing &r : prefecture.rings) {
        Polygon poly;
        for (const LonLat &ll : r) {
            // Round to whole world units first, so the outline and the
            // elements drawn from it are the same shape.
            const WorldPoint w = rounded(toWorld(ll));
            Point p(w.x, w.y);
            if (!poly.outer().empty() && bg::equals(poly.outer().back(), p))
                continue;
            poly.outer().push_back(p);
        }
        bg::correct(poly);
        if (poly.outer().size() < 4)
            continue;
        if (bg::is_valid(poly)) {
            out.push_back(std::move(poly));
            continue;
        }
        // Self-touching rings of the coarse source: a zero-width buffer
        // splits them into valid parts.
        MultiPolygon repaired;
        bg::strategy::buffer::distance_symmetric<double> zero(0.0);
        bg::strategy::buffer::side_straight side;
        bg::strategy::buffer::join_miter join;
        bg::strategy::buffer::end_flat end;
        bg::strategy::buffer::point_square point;
        bg::buffer(poly, repaired, zero, side, join, end, point);
        for (Polygon &part : repaired)
            if (bg::area(part) > 0)
                out.push_back(std::move(part));
    }
    return out;
}

std::vector<WorldPoint> toWorldRing(const Ring &ring)
{
    std::vector<WorldPoint> out;
    for (const Point &p : ring) {
        const WorldPoint w = rounded(p);
        if (out.empty() || !(out.back() == w))
            out.push_back(w);
    }
    if (out.size() >= 2 && out.front() == out.back())
        out.pop_back();
    if (out.size() < 3)
        return {};
    out.push_back(out.front());
    return out;
}

Point interiorPoint(const Polygon &polygon)
{
    Point p;
    bg::point_on_surface(polygon, p);
    return p;
}

const Polygon *largestPart(const MultiPolygon &mp)
{
    const Polygon *best = nullptr;
    double bestArea = -1;
    for (const Polygon &p : mp) {
        const double a = std::abs(bg::area(p));
        if (a > bestArea) {
            bestArea = a;
            best = &p;
        }
    }
    return best;
}

} // namespace veltra::basemap
