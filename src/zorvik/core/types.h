#pragma once
// Basic value types of the map engine: handles, result codes, the element
// record exchanged with callers, and the six style numbers of a kind.
//
// Units: world coordinates are Longs in hundredths of an arc-second from the
// origin 122° E / 24° N (X east, Y north); dates are whole days counted from
// the document's base date, with 0 = "not known" and 65535 = "not yet decided".
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zorvik {

// A set or element handle; 0 means none. Set handles are never reused while
// the program runs, so a stale handle can never reach a newer set.
using Handle = std::int32_t;

// 0 = success, anything else one of the codes below.
using Result = int;

namespace code {
inline constexpr Result Ok = 0;
inline constexpr Result NoDocument = 1; // no document open
inline constexpr Result BadHandle = 2; // unknown or invalid set / element handle
inline constexpr Result UnknownId = 3; // unknown space or kind ID (also "unused ID" for the name getters)
inline constexpr Result IdInUse = 4; // the ID is already defined
inline constexpr Result BadArgument = 5; // bad count, type, point count, mode, name or key length
inline constexpr Result IoError = 6; // file or I/O error
inline constexpr Result NotAllowed = 7; // not allowed in this state (e.g. a change through a shared view)
} // namespace code

// Element types of ElementRecord::Type.
inline constexpr std::int16_t TypeVector = 1;
inline constexpr std::int16_t TypeConnector = 3;

// Special day numbers of lPra(0..3).
inline constexpr std::int32_t DayNotKnown = 0;
inline constexpr std::int32_t DayUndecided = 65535;

// Limits of identifiers and texts.
inline constexpr int MaxSpaceId = 255;
inline constexpr int MaxKindId = 32767;
inline constexpr int MaxNameLength = 127; // characters of a space or kind name
inline constexpr int MaxKeyLength = 511; // characters of an element key
inline constexpr int MaxPointCount = 1000000;

// The statistics space and its kinds (graphs, leader lines, numbers, flows).
// Elements of these kinds are temporary work: never journaled, never saved.
inline constexpr std::int16_t StatSpaceId = 100;
inline constexpr std::int16_t FirstStatKind = 180;
inline constexpr std::int16_t LastStatKind = 186;

// One element as callers exchange it (the application's ElementInfo).
//   Type  1 vector (line or figure; closed when the first point equals the last),
//         3 connector (one point with a text).
//   PNum  number of points; X and Y hold at least PNum values.
//   iPra  0 deletion mark, 1 "both disappearance dates real", 2 kind ID.
//   lPra  0 appearance start, 1 appearance confirmed, 2 disappearance start,
//         3 disappearance confirmed (days), 4 height, 5 altitude (metres).
//   Key   the element's text, stored and returned unchanged.
struct ElementRecord
{
    std::int16_t Type = TypeVector;
    std::int32_t PNum = 0;
    std::array<std::int16_t, 3> iPra{0, 0, 0};
    std::array<std::int32_t, 6> lPra{0, 0, 0, 0, 0, 0};
    std::vector<std::int32_t> X, Y;
    QString Key;

    std::int16_t kind() const { return iPra[2]; }
    bool operator==(const ElementRecord &) const = default;
};

// Style numbers of a kind: colour number and line-type number of the existing,
// appearing and disappearing states, in that order. Connector kinds have no
// line types; their line-type positions are 0.
struct Style6
{
    std::array<std::int16_t, 6> n{0, 0, 0, 0, 0, 0};
    bool operator==(const Style6 &) const = default;
};

// An axis-aligned box in world units, edges included.
struct WorldBox
{
    std::int32_t minX = 0, minY = 0, maxX = -1, maxY = -1;

    bool isEmpty() const { return maxX < minX || maxY < minY; }
    bool intersects(const WorldBox &o) const
    {
        return !isEmpty() && !o.isEmpty() && minX <= o.maxX && o.minX <= maxX && minY <= o.maxY
            && o.minY <= maxY;
    }
    bool contains(std::int32_t x, std::int32_t y) const
    {
        return minX <= x && x <= maxX && minY <= y && y <= maxY;
    }
    void include(std::int32_t x, std::int32_t y)
    {
        if (isEmpty()) {
            minX = maxX = x;
            minY = maxY = y;
            return;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    void include(const WorldBox &o)
    {
        if (o.isEmpty())
            return;
        include(o.minX, o.minY);
        include(o.maxX, o.maxY);
    }
    bool operator==(const WorldBox &) const = default;
};

} // namespace zorvik
