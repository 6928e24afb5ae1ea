#pragma once
// The geometry of the area selection's search shapes and the area codes of
// the area elements a search found, free of the engine:
//
// - circlePoints: a closed ring of `count` points around a centre; only the
//   X offsets are stretched by xStretch (1 / the engine's X/Y unit ratio), so
//   that the ring is round on the ground.
// - bandOutline: a band of constant half width around a polyline. The line
//   and the width are first reduced to hundredths (every coordinate divided
//   by 100 and rounded), the side points of each segment are offset by the
//   width, inner corners are the intersections of the offset lines (their
//   distance from the line is not limited), the ends are straight cuts, and
//   the outline of 2n + 1 points (left side forward, right side back, the
//   first point again) is scaled up by 100. A segment of zero length after
//   the reduction, or two consecutive segments on parallel lines (a straight
//   run or a turn straight back), gives no band. The products are taken in
//   64 bits, so lines of any length on the map give a band.
// - areaCode: the code an area element's name gives at an area kind
//   (206 prefectures, 211 municipalities, 227 town blocks).
//
// All coordinates are world Longs; every conversion from a real to a whole
// number rounds halves to the even neighbour.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace veltra::statwindow {

struct PointList
{
    std::vector<std::int32_t> x;
    std::vector<std::int32_t> y;
};

// `count` (>= 2) points of the ring of radius `radius` around (cx, cy), at
// angles of 360 / (count - 1) degrees from the +X axis; the last equals the
// first.
PointList circlePoints(
    std::int32_t count, std::int32_t radius, std::int32_t cx, std::int32_t cy, double xStretch);

struct Band
{
    std::int32_t reducedHalfWidth = 0; // the half width in hundredths
    PointList outline; // 2n + 1 points
};

// The band around the line (x[i], y[i]); nothing for fewer than two points,
// a zero-length segment or parallel consecutive segments.
std::optional<Band> bandOutline(const PointList &line, std::int32_t halfWidth);

// Whether the engine's display period starts on or before 30 September 1970
// decides which municipality names are codes.
enum class CodePeriod {
    UpTo1970, // five digits (completed with "00") or seven
    After1970, // five digits as they are
};

// The area code of an element named `name` whose kind (iPra(2)) is
// `elementKind`, collected at `areaKind`; nothing when the element gives none.
std::optional<QString> areaCode(
    std::int16_t areaKind, const QString &name, std::int16_t elementKind, CodePeriod period);

} // namespace veltra::statwindow
