#pragma once
// ComCuttingImage: the map image cut mode. The user drags a rectangle over
// the map; the engine writes the picture of that screen rectangle to a
// temporary file, which is put on the clipboard as an image and deleted.
//
// A cut needs the mode to be entered again: after one rectangle the engine
// is back in its normal mouse mode while the mode itself stays.
#include <QRect>
#include <cstdint>

namespace zorvik {
class Zorvik;
}

namespace ComCuttingImage {

void ImageCutMode(std::int16_t &state, zorvik::Zorvik *engine);

// The screen rectangle (pixels; right and bottom the first pixels outside)
// of a drag from press to release point, both in twips on the map control,
// whichever way it was dragged. Halves go to even.
QRect screenRect(
    const zorvik::Zorvik &engine, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

} // namespace ComCuttingImage
