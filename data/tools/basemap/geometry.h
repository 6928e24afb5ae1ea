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
#include <map>
#include <optional>
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
// Kilometres per world unit along Y (one unit = 1/360000 of a degree).
inline constexpr double KmPerWorldY = 110.574 / WorldPerDegree;

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

// The land of a prefecture: the union of its outline's parts, a valid
// multipolygon. The source draws lakes (屈斜路湖, 朱鞠内湖) as rings inside the
// main island and has islands touching or overlapping it; overlay operations
// on the parts as they are drop whole regions of the result.
MultiPolygon landOf(const MultiPolygon &outline);

// Kilometres between two world points, on a plane whose longitude is shrunk
// by the cosine of their mean latitude.
double distanceKm(const Point &a, const Point &b);

// The whole-unit point nearest to `p` (in kilometres) that lies inside `land`
// at least `inset` world units from its edge: `p` itself (rounded) when it
// does.
// Empty when no such point lies near the edge point nearest to `p` (a land
// thinner than the inset).
std::optional<WorldPoint> nearestInside(const MultiPolygon &land, const Point &p, double inset);

// Whole-unit places for the vertices of areas computed one by one. The same
// vertex, reached by two neighbouring cells through different arithmetic
// (or two vertices a fraction of a unit apart, where three bisectors almost
// meet in one point), could round to two whole units and leave a sliver
// between the cells. Vertices less than a unit apart are taken as one and
// get one place, a whole-unit vertex of the outline where the group has one;
// two different whole-unit vertices are never joined directly.
class VertexSnap
{
public:
    explicit VertexSnap(const std::vector<MultiPolygon> &areas);
    WorldPoint operator()(const Point &p) const;

private:
    std::map<std::pair<double, double>, WorldPoint> place_;
};

// A closed ring of whole world units: rounded (through `snap` when given),
// repeated points dropped, first point repeated at the end. Empty when fewer
// than three distinct points stay.
std::vector<WorldPoint> toWorldRing(const Ring &ring, const VertexSnap *snap = nullptr);

// A point inside the polygon (the area's label and connector point).
Point interiorPoint(const Polygon &polygon);
// The polygon of largest area (empty polygon for an empty input).
const Polygon *largestPart(const MultiPolygon &mp);

} // namespace veltra::basemap
