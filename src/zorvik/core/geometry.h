#pragma once
// Exact planar tests on world coordinates used by the searches: point in
// ring (even-odd, edges count as inside), distance from a point to a
// polyline, polyline-ring intersection and ring area. Computations are in
// doubles on world units.
#include "zorvik/core/storedelement.h"

#include <cstdint>
#include <vector>

namespace zorvik::geometry {

// A closed ring; the last point may or may not repeat the first.
struct Ring
{
    std::vector<std::int32_t> x, y;
    WorldBox box;

    static Ring fromRecord(const ElementRecord &record);
    static Ring fromStored(const StoredElement &element);
    std::size_t size() const { return x.size(); }
};

bool pointInRing(const Ring &ring, double px, double py);
// Same test on a stored closed vector without copying it.
bool pointInStored(const StoredElement &element, double px, double py);
// Smallest distance from the point to the element's polyline (a connector or
// one-point vector: to its point). Stops early once below `stopBelow`.
double distanceToStored(const StoredElement &element, double px, double py, double stopBelow = 0.0);
// True when the element lies inside or crosses the ring: a connector when its
// point is inside; a vector when a vertex is inside, an edge crosses the
// ring, or (closed vector) it encloses the ring.
bool storedMeetsRing(const StoredElement &element, const Ring &ring);
// Absolute area of a ring in square world units.
double ringArea(const Ring &ring);
double storedArea(const StoredElement &element);

} // namespace zorvik::geometry
