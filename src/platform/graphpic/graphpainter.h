#pragma once
// Paints the pie and bar graphs of VoVuderParam records into images: the
// drawing itself, apart from checking the record and writing the files.
// Sizes are in picture pixels; `scale` multiplies every measure (the second
// picture of a call is the same graph at scale 2).
#include <QColor>
#include <QImage>
#include <cstdint>
#include <span>

struct VoVuderItem;

namespace veltra::graphpic {

// The outline of slices and bars.
inline const QColor OutlineColour(0x40, 0x40, 0x40);

// A BGR Long (&H00BBGGRR) as an opaque colour.
QColor colourOfBgr(std::int32_t bgr);

// A transparent ARGB image of width x height times scale with the graph, or
// a null image when Qt cannot allocate it.
QImage paintPie(std::span<const VoVuderItem> items, int width, int height, int scale);
QImage paintBars(std::span<const VoVuderItem> items, int width, int height, int scale);

} // namespace veltra::graphpic
