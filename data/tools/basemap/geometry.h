#pragma once
// Plane geometry of the base-map generator, in engine world units
// (hundredths of an arc-second from 122° E / 24° N, X east, Y north), on top
// of Boost.Geometry. Rings are closed and clockwise as Boost.Geometry's
// default polygon wants them; outlines of the sources are corrected on entry.
#include "sources.h"

#include <boost/geometry.hpp>
#include <boost/geometry/algorithms/point_on_surface.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <cstdint>
#include <vector>

namespace veltra::basemap {

namespace bg = boost::geometry;
using Point = bg::model::d2::point_xy<double>;
using Polygon = bg::model::polygon<Point>;
using MultiPolygon = bg::model::multi_polygon<Polygon>;
using Ring = Polygon::ring_type;

inline constexpr double WorldPerDegree = 360000.0;
inline constexpr double OriginLon = 122.0;
inline constexpr double OriginLat = 24.0;

// A world point rounded to whole units, as the engine stores it.
struct WorldPoint
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const WorldPoint &) const = default;
};

Point toWorld(const LonLat &p);
WorldPoint rounded(const Point &p);

// The outline of a prefecture as valid polygons: one per ring, corrected for
// orientation and closure. A ring that crosses itself (the coarse source has
// a few small loops) is cut at each crossing, keeping the larger loop; one
// still invalid after that is repaired by a zero buffer.
MultiPolygon outlineOf(const Prefecture &prefecture);

// A closed ring of whole world units: rounded, repeated points dropped, first
// point repeated at the end. Empty when fewer than three distinct points stay.
std::vector<WorldPoint> toWorldRing(const Ring &ring);

// A point inside the polygon (the area's label and connector point).
Point interiorPoint(const Polygon &polygon);
// The polygon of largest area (empty polygon for an empty input).
const Polygon *largestPart(const MultiPolygon &mp);

} // namespace veltra::basemap
