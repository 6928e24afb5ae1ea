#include "geometry.h"

#include <cmath>
#include <optional>

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

namespace {

// Intersection of segments ab and cd when they cross (shared end points do
// not count as crossing).
std::optional<Point> crossing(const Point &a, const Point &b, const Point &c, const Point &d)
{
    const double d1x = b.x() - a.x(), d1y = b.y() - a.y();
    const double d2x = d.x() - c.x(), d2y = d.y() - c.y();
    const double den = d1x * d2y - d1y * d2x;
    if (den == 0)
        return std::nullopt;
    const double t = ((c.x() - a.x()) * d2y - (c.y() - a.y()) * d2x) / den;
    const double u = ((c.x() - a.x()) * d1y - (c.y() - a.y()) * d1x) / den;
    if (t <= 0 || t >= 1 || u <= 0 || u >= 1)
        return std::nullopt;
    return Point(a.x() + t * d1x, a.y() + t * d1y);
}

double ringArea(const std::vector<Point> &pts)
{
    double a = 0;
    for (size_t i = 0, n = pts.size(); i < n; ++i)
        a += pts[i].x() * pts[(i + 1) % n].y() - pts[(i + 1) % n].x() * pts[i].y();
    return std::abs(a) / 2;
}

// The coarse source has rings that cross themselves in small loops. Cuts the
// ring at each crossing and keeps the larger of the two loops, until no
// crossing is left. `pts` is open (first point not repeated).
void removeSelfCrossings(std::vector<Point> &pts)
{
    for (bool again = true; again && pts.size() >= 4;) {
        again = false;
        const size_t n = pts.size();
        for (size_t i = 0; i < n && !again; ++i) {
            for (size_t j = i + 2; j < n && !again; ++j) {
                if (i == 0 && j == n - 1)
                    continue; // neighbours through the closing edge
                const auto x = crossing(pts[i], pts[(i + 1) % n], pts[j], pts[(j + 1) % n]);
                if (!x)
                    continue;
                // Loop A: x, i+1 .. j. Loop B: x, j+1 .. i (around the end).
                std::vector<Point> a{*x}, b{*x};
                for (size_t k = i + 1; k <= j; ++k)
                    a.push_back(pts[k]);
                for (size_t k = j + 1; k < n; ++k)
                    b.push_back(pts[k]);
                for (size_t k = 0; k <= i; ++k)
                    b.push_back(pts[k]);
                pts = ringArea(a) > ringArea(b) ? std::move(a) : std::move(b);
                again = true;
            }
        }
    }
}

} // namespace

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
        if (!bg::is_valid(poly)) {
            std::vector<Point> open(poly.outer().begin(), poly.outer().end() - 1);
            removeSelfCrossings(open);
            poly.outer().assign(open.begin(), open.end());
            if (!open.empty())
                poly.outer().push_back(open.front());
            bg::correct(poly);
        }
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
