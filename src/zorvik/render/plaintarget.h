#pragma once
// The state in which the renderer's own rasterisers (span fills, bands of
// the image, text pictures) give the pixels QPainter would: a painter on a
// plain 32-bit image, drawn 1:1 (a translation at most), SourceOver at full
// opacity. Any other target or state is drawn with QPainter's own calls.
#include <QImage>
#include <QPainter>

namespace zorvik {

// The painter's image when it is such a target, else nullptr.
QImage *plainImageTarget(const QPainter &painter);

} // namespace zorvik
