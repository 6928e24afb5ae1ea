#include "powercells.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace veltra::basemap {

namespace {

struct Vec
{
    double x, y;
};

// Keeps the part of a convex polygon where a·p <= b.
std::vector<Vec> clipHalfPlane(const std::vector<Vec> &poly, Vec a, double b)
{
    std::vector<Vec> out;
    const size_t n = poly.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec &p = poly[i];
        const Vec &q = poly[(i + 1) % n];
        const double fp = a.x * p.x + a.y * p.y - b;
        const double fq = a.x * q.x + a.y * q.y - b;
        if (fp <= 0)
            out.push_back(p);
        if ((fp < 0 && fq > 0) || (fp > 0 && fq < 0)) {
            const double t = fp / (fp - fq);
            out.push_back(Vec{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    return out;
}

} // namespace

std::vector<MultiPolygon> powerCells(const std::vector<Site> &sites, const MultiPolygon &outline)
{
    std::vector<MultiPolygon> cells(sites.size());
    if (sites.empty() || outline.empty())
        return cells;

    bg::model::box<Point> box;
    bg::envelope(outline, box);
    for (const Site &s : sites)
        bg::expand(box, s.world);
    const double cx = (box.min_corner().x() + box.max_corner().x()) / 2;
    const double cy = (box.min_corner().y() + box.max_corner().y()) / 2;
    const double kx
        = std::cos(cy / WorldPerDegree * std::numbers::pi / 180 + OriginLat * std::numbers::pi / 180);

    // Local plane in km around the box centre, for well-conditioned sums.
    auto toKm = [&](const Point &p) {
        return Vec{(p.x() - cx) * kx * KmPerWorldY, (p.y() - cy) * KmPerWorldY};
    };
    auto toWorldPt
        = [&](const Vec &v) { return Point(v.x / (kx * KmPerWorldY) + cx, v.y / KmPerWorldY + cy); };

    std::vector<Vec> s(sites.size());
    std::vector<double> w(sites.size());
    for (size_t i = 0; i < sites.size(); ++i) {
        s[i] = toKm(sites[i].world);
        w[i] = sites[i].areaKm2 / std::numbers::pi;
    }
    // A site stays inside its own cell when no neighbour outweighs it by more
    // than their squared distance; capping each weight below the squared
    // distance to its nearest neighbour guarantees that, so a small town
    // beside a large one keeps a cell of its own.
    for (size_t i = 0; i < s.size(); ++i) {
        double nearest = std::numeric_limits<double>::infinity();
        for (size_t j = 0; j < s.size(); ++j) {
            const double d2 = (s[j].x - s[i].x) * (s[j].x - s[i].x) + (s[j].y - s[i].y) * (s[j].y - s[i].y);
            if (j != i && d2 > 0)
                nearest = std::min(nearest, d2);
        }
        w[i] = std::min(w[i], 0.9 * nearest);
    }
    const Vec lo = toKm(box.min_corner());
    const Vec hi = toKm(box.max_corner());
    const double margin = 1 + std::max(hi.x - lo.x, hi.y - lo.y);
    const std::vector<Vec> frame{{lo.x - margin, lo.y - margin}, {lo.x - margin, hi.y + margin},
        {hi.x + margin, hi.y + margin}, {hi.x + margin, lo.y - margin}};

    for (size_t i = 0; i < sites.size(); ++i) {
        std::vector<Vec> cell = frame;
        const double si2 = s[i].x * s[i].x + s[i].y * s[i].y;
        for (size_t j = 0; j < sites.size() && !cell.empty(); ++j) {
            if (j == i)
                continue;
            const Vec a{2 * (s[j].x - s[i].x), 2 * (s[j].y - s[i].y)};
            if (a.x == 0 && a.y == 0) {
                if (j < i) // same point: the earlier site keeps the cell
                    cell.clear();
                continue;
            }
            const double sj2 = s[j].x * s[j].x + s[j].y * s[j].y;
            cell = clipHalfPlane(cell, a, sj2 - si2 + w[i] - w[j]);
        }
        if (cell.size() < 3)
            continue;
        Polygon convex;
        for (const Vec &v : cell)
            convex.outer().push_back(toWorldPt(v));
        bg::correct(convex);
        bg::intersection(convex, outline, cells[i]);
    }
    return cells;
}

} // namespace veltra::basemap
