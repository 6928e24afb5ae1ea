#include "coverage.h"

#include "kinds.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>

namespace veltra::basemap {

namespace {

using WorldRing = std::vector<WorldPoint>; // closed, as written

// Grid points sit off whole units, so they never fall on a vertex and only
// by a rare coincidence on an edge of the rings (whose vertices are whole).
constexpr double OffsetX = 0.37;
constexpr double OffsetY = 0.61;
// Rounding a vertex to whole units moves it by at most 0.71 units; an edge
// between rounded vertices strays from the exact one by no more.
constexpr double EdgeTolerance = 2;

struct Grid
{
    double x0 = 0, y0 = 0, sx = 1, sy = 1;
    int nx = 0, ny = 0;

    Point at(int i, int j) const { return Point(x0 + i * sx, y0 + j * sy); }
};

// Adds one to every grid point inside `ring` (even-odd rule), through a
// per-row difference array of nx + 1 entries.
void addRing(
    const Grid &g, const WorldRing &ring, std::vector<int> &diff, std::vector<std::vector<double>> &cross)
{
    std::vector<int> rows;
    for (size_t k = 0; k + 1 < ring.size(); ++k) {
        const WorldPoint &a = ring[k];
        const WorldPoint &b = ring[k + 1];
        if (a.y == b.y)
            continue;
        const double lo = std::min(a.y, b.y), hi = std::max(a.y, b.y);
        for (int j = std::max(0, static_cast<int>(std::ceil((lo - g.y0) / g.sy))); j < g.ny; ++j) {
            const double y = g.y0 + j * g.sy;
            if (y >= hi)
                break;
            if (y < lo)
                continue;
            if (cross[j].empty())
                rows.push_back(j);
            cross[j].push_back(a.x + (y - a.y) * (b.x - a.x) / double(b.y - a.y));
        }
    }
    for (int j : rows) {
        std::vector<double> &c = cross[j];
        std::sort(c.begin(), c.end());
        for (size_t k = 0; k + 1 < c.size(); k += 2) {
            const int i0 = std::clamp(static_cast<int>(std::ceil((c[k] - g.x0) / g.sx)), 0, g.nx);
            const int i1 = std::clamp(static_cast<int>(std::ceil((c[k + 1] - g.x0) / g.sx)), 0, g.nx);
            if (i0 < i1) {
                ++diff[size_t(j) * (g.nx + 1) + i0];
                --diff[size_t(j) * (g.nx + 1) + i1];
            }
        }
        c.clear();
    }
}

std::vector<int> countInside(const Grid &g, const std::vector<const WorldRing *> &rings)
{
    std::vector<int> diff(size_t(g.ny) * (g.nx + 1), 0);
    std::vector<std::vector<double>> cross(g.ny);
    for (const WorldRing *r : rings)
        addRing(g, *r, diff, cross);
    std::vector<int> count(size_t(g.ny) * g.nx);
    for (int j = 0; j < g.ny; ++j) {
        int run = 0;
        for (int i = 0; i < g.nx; ++i) {
            run += diff[size_t(j) * (g.nx + 1) + i];
            count[size_t(j) * g.nx + i] = run;
        }
    }
    return count;
}

// Even-odd test of one point against one closed ring.
bool inside(const WorldRing &ring, double x, double y)
{
    bool in = false;
    for (size_t k = 0; k + 1 < ring.size(); ++k) {
        const WorldPoint &a = ring[k];
        const WorldPoint &b = ring[k + 1];
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / double(b.y - a.y))
            in = !in;
    }
    return in;
}

// Distance in world units from (x, y) to the nearest edge of the rings.
double edgeDistance(const std::vector<const WorldRing *> &rings, double x, double y)
{
    double best = INFINITY;
    for (const WorldRing *r : rings)
        for (size_t k = 0; k + 1 < r->size(); ++k) {
            const double ax = (*r)[k].x - x, ay = (*r)[k].y - y;
            const double dx = (*r)[k + 1].x - x - ax, dy = (*r)[k + 1].y - y - ay;
            const double len2 = dx * dx + dy * dy;
            const double t = len2 > 0 ? std::clamp(-(ax * dx + ay * dy) / len2, 0.0, 1.0) : 0.0;
            best = std::min(best, std::hypot(ax + t * dx, ay + t * dy));
        }
    return best;
}

QString lonLatText(const Point &p)
{
    return QStringLiteral("%1 E %2 N")
        .arg(p.x() / WorldPerDegree + OriginLon, 0, 'f', 3)
        .arg(p.y() / WorldPerDegree + OriginLat, 0, 'f', 3);
}

QString countText(long long n)
{
    return QLocale::c().toString(n);
}

struct PrefectureRings
{
    std::vector<const WorldRing *> land;
    std::map<int, std::vector<const WorldRing *>> cells; // municipality code -> its parts
};

} // namespace

CoverageCheck checkCoverage(const BaseMapModel &model, double stepKm)
{
    CoverageCheck result;
    std::map<int, PrefectureRings> prefs;
    for (const AreaOutline &o : model.outlines) {
        if (o.kind == kind::PrefectureBoundary)
            prefs[o.code].land.push_back(&o.ring);
        else if (o.kind == kind::MunicipalityBoundary)
            prefs[o.code / 1000].cells[o.code].push_back(&o.ring);
    }
    std::map<int, QString> prefName;
    for (const PrefectureRow &r : model.prefectureRows)
        prefName[r.code] = r.name;

    for (const auto &[code, rings] : prefs) {
        std::vector<const WorldRing *> cells;
        for (const auto &[muni, parts] : rings.cells)
            cells.insert(cells.end(), parts.begin(), parts.end());
        std::vector<const WorldRing *> all = rings.land;
        all.insert(all.end(), cells.begin(), cells.end());
        double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
        for (const WorldRing *r : all)
            for (const WorldPoint &p : *r) {
                minX = std::min<double>(minX, p.x), maxX = std::max<double>(maxX, p.x);
                minY = std::min<double>(minY, p.y), maxY = std::max<double>(maxY, p.y);
            }
        if (minX > maxX)
            continue;
        Grid g;
        g.sy = stepKm / KmPerWorldY;
        const double lat = OriginLat + (minY + maxY) / 2 / WorldPerDegree;
        g.sx = g.sy / std::cos(lat * std::numbers::pi / 180);
        g.x0 = minX + OffsetX;
        g.y0 = minY + OffsetY;
        g.nx = static_cast<int>((maxX - minX) / g.sx) + 1;
        g.ny = static_cast<int>((maxY - minY) / g.sy) + 1;

        const std::vector<int> land = countInside(g, rings.land);
        const std::vector<int> cover = countInside(g, cells);
        long long onLand = 0, holes = 0, overlaps = 0, outside = 0;
        std::optional<Point> holeAt, overlapAt, outsideAt;
        for (int j = 0; j < g.ny; ++j)
            for (int i = 0; i < g.nx; ++i) {
                const size_t k = size_t(j) * g.nx + i;
                const bool isLand = land[k] > 0;
                onLand += isLand;
                const bool hole = isLand && cover[k] == 0, overlap = cover[k] > 1;
                const bool off = !isLand && cover[k] > 0;
                if (!hole && !overlap && !off)
                    continue;
                const Point p = g.at(i, j);
                if (edgeDistance(all, p.x(), p.y()) < EdgeTolerance) {
                    ++result.onEdge;
                    continue;
                }
                if (hole && !holes++)
                    holeAt = p;
                if (overlap && !overlaps++)
                    overlapAt = p;
                if (off && !outside++)
                    outsideAt = p;
            }
        result.landPoints += onLand;
        result.holes += holes;
        result.overlaps += overlaps;
        result.outside += outside;
        const QString pref = QStringLiteral("%1 (%2)").arg(prefName[code]).arg(code, 2, 10, QLatin1Char('0'));
        if (holes)
            result.faults << QStringLiteral(
                "%1: %2 of %3 grid points of its land lie in no municipal cell (hole), "
                "the first at %4")
                                 .arg(pref, countText(holes), countText(onLand), lonLatText(*holeAt));
        if (overlaps)
            result.faults << QStringLiteral(
                "%1: %2 grid points lie in more than one municipal cell (overlap), "
                "the first at %3")
                                 .arg(pref, countText(overlaps), lonLatText(*overlapAt));
        if (outside)
            result.faults << QStringLiteral("%1: %2 grid points of its municipal cells lie off its land, "
                                            "the first at %3")
                                 .arg(pref, countText(outside), lonLatText(*outsideAt));
    }

    for (const MunicipalityRow &row : model.municipalityRows) {
        const int code = row.prefCode * 1000 + row.code;
        auto pref = prefs.find(row.prefCode);
        if (pref == prefs.end() || !pref->second.cells.contains(code))
            continue;
        const double x = row.point.x, y = row.point.y;
        QStringList in;
        bool own = false;
        for (const auto &[muni, parts] : pref->second.cells)
            for (const WorldRing *r : parts)
                if (inside(*r, x, y)) {
                    own = own || muni == code;
                    if (muni != code)
                        in << QStringLiteral("%1").arg(muni, 5, 10, QLatin1Char('0'));
                }
        const QString what = QStringLiteral("%1 %2").arg(code, 5, 10, QLatin1Char('0')).arg(row.name);
        if (!own) {
            ++result.pointsOutsideOwnCell;
            result.faults << QStringLiteral("%1: its database point %2 lies outside its own cell%3")
                                 .arg(what, lonLatText(Point(x, y)),
                                     in.isEmpty() ? QString()
                                                  : QStringLiteral(" (in %1)").arg(in.join(u' ')));
        } else if (!in.isEmpty()) {
            result.faults << QStringLiteral("%1: its database point %2 lies in its own cell and in %3")
                                 .arg(what, lonLatText(Point(x, y)), in.join(u' '));
        }
    }
    return result;
}

} // namespace veltra::basemap
