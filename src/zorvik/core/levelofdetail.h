#pragma once
// Level of detail: simplified copies of a vector element's points for coarse
// scale bands, kept by the element store beside the exact points and read
// only for drawing (searches, measuring and editing use the exact points).
//
// A copy snaps every point to a grid of the band's cell (world units) and
// drops the points that land on the cell of the point before. Snapping looks
// at one point at a time, so two areas that share a border get the same
// simplified border; the first and last points stay, so a closed ring stays
// closed, and an element never loses its last point (a feature smaller than
// a cell still draws as a dot). A band is used for a view whose device pixel
// is at least four cells wide, so a snapped point moves by at most an
// eighth of a pixel on each axis.
#include "zorvik/core/types.h"

#include <QByteArray>
#include <cstdint>

namespace zorvik::lod {

struct Band
{
    int id; // stored band number, 1 = finest
    std::int32_t cell; // grid cell in world units
};

// Finest first; each band four times coarser than the one before. Cell 200
// is about 1/4 px at 1:1,000,000 on a 96-DPI screen.
inline constexpr Band Bands[] = {{1, 200}, {2, 800}, {3, 3200}};

// The coarsest band usable when one device pixel is `worldPerPixel` world
// units wide (the view's smaller axis); 0 = exact points.
int bandFor(double worldPerPixel);

// The band's copy of packed points (int32 LE x, y pairs, `count` of them),
// packed the same way; empty when it would keep more than three quarters of
// the points (the exact points are then read instead).
QByteArray simplified(const unsigned char *points, std::int32_t count, std::int32_t cell);

} // namespace zorvik::lod
