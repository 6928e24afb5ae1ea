#pragma once
// ImageBands: draws one job on several threads, each into its own horizontal
// band of the painter's image. Very large frames (the whole country with a
// million vertices) spend most of their time in QPainter's rasteriser, which
// is single-threaded; each band gets its own QPainter on the rows it owns, so
// the bands write disjoint memory and need no locking.
//
// The bands are a fixed number of rows each (a multiple of 8, so that the
// 8 x 8 hatch patterns keep their phase), independent of the machine's core
// count: the picture is the same on every machine. Only a painter on a plain
// 32-bit image, drawn 1:1 (a translation at most), with no clip or a
// rectangular one, can be split; available() says when.
#include <QPainter>
#include <QRect>
#include <functional>

namespace zorvik {

class ImageBands
{
public:
    // True when `painter`'s target and state can be drawn in bands.
    static bool available(const QPainter &painter);

    // Calls `draw` once per band, concurrently, with a painter on that band:
    // it has `painter`'s render hints, transform and clip, so the job draws
    // in the same coordinates as on `painter`. `deviceRows` is the band's
    // rows in the image's pixels. `draw` must only read shared state. Falls
    // back to one call on `painter` itself when bands are not available.
    static void draw(
        QPainter &painter, const std::function<void(QPainter &band, const QRect &deviceRows)> &draw);

    // How many bands draw() uses for an image of `height` rows.
    static int bandCount(int height);
};

} // namespace zorvik
