#include "zorvik/core/geometry.h"

#include <algorithm>
#include <cmath>

namespace zorvik::geometry {

namespace {

bool onSegment(double px, double py, double ax, double ay, double bx, double by)
{
    const double cross = (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    if (cross != 0.0)
        return false;
    return std::min(ax, bx) <= px && px <= std::max(ax, bx) && std::min(ay, by) <= py
        && py <= std::max(ay, by);
}

double segmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double cx = ax + t * dx - px, cy = ay + t * dy - py;
    return std::sqrt(cx * cx + cy * cy);
}

int orientation(double ax, double ay, double bx, double by, double cx, double cy)
{
    const double v = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    return (v > 0) - (v < 0);
}

bool segmentsMeet(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy)
{
    const int o1 = orientation(ax, ay, bx, by, cx, cy), o2 = orientation(ax, ay, bx, by, dx, dy);
    const int o3 = orientation(cx, cy, dx, dy, ax, ay), o4 = orientation(cx, cy, dx, dy, bx, by);
    if (o1 != o2 && o3 != o4)
        return true;
    return (o1 == 0 && onSegment(cx, cy, ax, ay, bx, by)) || (o2 == 0 && onSegment(dx, dy, ax, ay, bx, by))
        || (o3 == 0 && onSegment(ax, ay, cx, cy, dx, dy)) || (o4 == 0 && onSegment(bx, by, cx, cy, dx, dy));
}

// Even-odd test over n points given by accessors; the ring closes itself.
template <typename GetX, typename GetY> bool inRing(std::size_t n, GetX gx, GetY gy, double px, double py)
{
    if (n == 0)
        return false;
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = gx(i), yi = gy(i), xj = gx(j), yj = gy(j);
        if (onSegment(px, py, xj, yj, xi, yi))
            return true;
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

template <typename GetX, typename GetY> double shoelace(std::size_t n, GetX gx, GetY gy)
{
    double sum = 0;
    for (std::size_t i = 0, j = n ? n - 1 : 0; i < n; j = i++)
        sum += (static_cast<double>(gx(j)) + gx(i)) * (static_cast<double>(gy(j)) - gy(i));
    return std::abs(sum) / 2.0;
}

} // namespace

Ring Ring::fromRecord(const ElementRecord &record)
{
    Ring r;
    const std::int32_t n = std::min<std::int32_t>(record.PNum, std::min(record.X.size(), record.Y.size()));
    r.x.assign(record.X.begin(), record.X.begin() + n);
    r.y.assign(record.Y.begin(), record.Y.begin() + n);
    for (std::int32_t i = 0; i < n; ++i)
        r.box.include(r.x[i], r.y[i]);
    return r;
}

Ring Ring::fromStored(const StoredElement &e)
{
    Ring r;
    r.x.resize(e.pointCount);
    r.y.resize(e.pointCount);
    for (int i = 0; i < e.pointCount; ++i) {
        r.x[i] = e.x(i);
        r.y[i] = e.y(i);
        r.box.include(r.x[i], r.y[i]);
    }
    return r;
}

bool pointInRing(const Ring &ring, double px, double py)
{
    if (ring.box.isEmpty() || px < ring.box.minX || px > ring.box.maxX || py < ring.box.minY
        || py > ring.box.maxY)
        return false;
    return inRing(
        ring.size(), [&](std::size_t i) { return double(ring.x[i]); },
        [&](std::size_t i) { return double(ring.y[i]); }, px, py);
}

bool pointInStored(const StoredElement &e, double px, double py)
{
    return inRing(
        static_cast<std::size_t>(e.pointCount), [&](std::size_t i) { return double(e.x(int(i))); },
        [&](std::size_t i) { return double(e.y(int(i))); }, px, py);
}

double distanceToStored(const StoredElement &e, double px, double py, double stopBelow)
{
    if (e.pointCount <= 0)
        return INFINITY;
    double best = std::hypot(e.x(0) - px, e.y(0) - py);
    for (int i = 1; i < e.pointCount && best > stopBelow; ++i)
        best = std::min(best, segmentDistance(px, py, e.x(i - 1), e.y(i - 1), e.x(i), e.y(i)));
    return best;
}

bool storedMeetsRing(const StoredElement &e, const Ring &ring)
{
    if (e.pointCount <= 0 || ring.size() == 0 || !e.box.intersects(ring.box))
        return false;
    for (int i = 0; i < e.pointCount; ++i)
        if (pointInRing(ring, e.x(i), e.y(i)))
            return true;
    if (e.type != TypeVector)
        return false;
    const std::size_t m = ring.size();
    for (int i = 1; i < e.pointCount; ++i) {
        const double ax = e.x(i - 1), ay = e.y(i - 1), bx = e.x(i), by = e.y(i);
        for (std::size_t k = 0, j = m - 1; k < m; j = k++) {
            const double cx = ring.x[j], cy = ring.y[j], dx = ring.x[k], dy = ring.y[k];
            if (std::max(ax, bx) < std::min(cx, dx) || std::max(cx, dx) < std::min(ax, bx)
                || std::max(ay, by) < std::min(cy, dy) || std::max(cy, dy) < std::min(ay, by))
                continue;
            if (segmentsMeet(ax, ay, bx, by, cx, cy, dx, dy))
                return true;
        }
    }
    // A closed vector may hold the whole ring inside.
    return e.isClosed() && pointInStored(e, ring.x[0], ring.y[0]);
}

double ringArea(const Ring &ring)
{
    return shoelace(
        ring.size(), [&](std::size_t i) { return ring.x[i]; }, [&](std::size_t i) { return ring.y[i]; });
}

double storedArea(const StoredElement &e)
{
    return shoelace(
        static_cast<std::size_t>(e.pointCount), [&](std::size_t i) { return e.x(int(i)); },
        [&](std::size_t i) { return e.y(int(i)); });
}

} // namespace zorvik::geometry
