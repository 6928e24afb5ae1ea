#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
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

MultiPolygon landOf(const MultiPolygon &outline)
{
    MultiPolygon land;
    for (const Polygon &part : outline) {
        MultiPolygon merged;
        bg::union_(land, part, merged);
        land = std::move(merged);
    }
    return land;
}

namespace {

double cosLatitude(double worldY)
{
    return std::cos((worldY / WorldPerDegree + OriginLat) * std::numbers::pi / 180);
}

struct EdgePoint
{
    double d2 = std::numeric_limits<double>::infinity(); // squared, X shrunk by kx
    Point at;
};

// The point of the land's edges (outer and inner rings) nearest to `p`.
EdgePoint nearestEdgePoint(const MultiPolygon &land, const Point &p, double kx)
{
    EdgePoint best;
    auto visit = [&](const Ring &ring) {
        for (size_t k = 0; k + 1 < ring.size(); ++k) {
            const double ax = (ring[k].x() - p.x()) * kx, ay = ring[k].y() - p.y();
            const double dx = (ring[k + 1].x() - p.x()) * kx - ax, dy = ring[k + 1].y() - p.y() - ay;
            const double len2 = dx * dx + dy * dy;
            const double t = len2 > 0 ? std::clamp(-(ax * dx + ay * dy) / len2, 0.0, 1.0) : 0.0;
            const double qx = ax + t * dx, qy = ay + t * dy;
            const double d2 = qx * qx + qy * qy;
            if (d2 < best.d2)
                best = EdgePoint{d2, Point(p.x() + qx / kx, p.y() + qy)};
        }
    };
    for (const Polygon &part : land) {
        visit(part.outer());
        for (const Ring &inner : part.inners())
            visit(inner);
    }
    return best;
}

} // namespace

double distanceKm(const Point &a, const Point &b)
{
    const double kx = cosLatitude((a.y() + b.y()) / 2);
    return std::hypot((b.x() - a.x()) * kx, b.y() - a.y()) * KmPerWorldY;
}

std::optional<WorldPoint> nearestInside(const MultiPolygon &land, const Point &p, double inset)
{
    const double kx = cosLatitude(p.y());
    auto fits = [&](const WorldPoint &w) {
        const Point q(w.x, w.y);
        return bg::within(q, land) && nearestEdgePoint(land, q, 1.0).d2 >= inset * inset;
    };
    const WorldPoint own = rounded(p);
    if (fits(own))
        return own;
    // Whole-unit points in growing squares around the nearest edge point;
    // the nearest to `p` of those that fit, looked for a little beyond the
    // first square that has one.
    const EdgePoint edge = nearestEdgePoint(land, p, kx);
    if (edge.d2 == std::numeric_limits<double>::infinity())
        return std::nullopt;
    const WorldPoint c = rounded(edge.at);
    constexpr int Reach = 64;
    std::optional<WorldPoint> best;
    double bestD2 = std::numeric_limits<double>::infinity();
    int firstFound = -1;
    for (int r = 0; r <= Reach && (firstFound < 0 || r <= firstFound + 2); ++r) {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != r)
                    continue;
                const WorldPoint w{c.x + dx, c.y + dy};
                if (!fits(w))
                    continue;
                const double ex = (w.x - p.x()) * kx, ey = w.y - p.y();
                const double d2 = ex * ex + ey * ey;
                if (d2 < bestD2) {
                    bestD2 = d2;
                    best = w;
                }
                if (firstFound < 0)
                    firstFound = r;
            }
        }
    }
    return best;
}

VertexSnap::VertexSnap(const std::vector<MultiPolygon> &areas)
{
    constexpr double Eps = 1.0;
    std::vector<Point> all;
    for (const MultiPolygon &area : areas)
        for (const Polygon &part : area)
            all.insert(all.end(), part.outer().begin(), part.outer().end());
    std::sort(all.begin(), all.end(),
        [](const Point &a, const Point &b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
    // Union-find over the sorted vertices. A group takes the place of its
    // first whole-unit member (a vertex of the outline, which the
    // prefecture's own outline shares), else of its first member; so the
    // result does not depend on the order of the areas.
    std::vector<size_t> parent(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        parent[i] = i;
    auto root = [&](size_t i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    auto whole = [&](size_t i) {
        return all[i].x() == std::round(all[i].x()) && all[i].y() == std::round(all[i].y());
    };
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size() && all[j].x() - all[i].x() < Eps; ++j)
            if (std::abs(all[j].y() - all[i].y()) < Eps
                && !(whole(i) && whole(j) && !bg::equals(all[i], all[j]))) {
                const size_t a = root(i), b = root(j);
                parent[std::max(a, b)] = std::min(a, b);
            }
    std::vector<size_t> place(all.size(), SIZE_MAX);
    for (size_t i = 0; i < all.size(); ++i) {
        size_t &p = place[root(i)];
        if (p == SIZE_MAX || (!whole(p) && whole(i)))
            p = i;
    }
    for (size_t i = 0; i < all.size(); ++i)
        place_.emplace(std::pair(all[i].x(), all[i].y()), rounded(all[place[root(i)]]));
}

WorldPoint VertexSnap::operator()(const Point &p) const
{
    auto it = place_.find({p.x(), p.y()});
    return it != place_.end() ? it->second : rounded(p);
}

std::vector<WorldPoint> toWorldRing(const Ring &ring, const VertexSnap *snap)
{
    std::vector<WorldPoint> out;
    for (const Point &p : ring) {
        const WorldPoint w = snap ? (*snap)(p) : rounded(p);
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
