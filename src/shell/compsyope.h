#pragma once
// ComPSYOpe: folder operations of the statistics-map side, and the
// direction and arrow head of a flow line.
//
// Flow lines are in engine world units (Long); the arrow head has barbs of a
// fixed length, 10000 units, 20 degrees to either side of the line.
#include <QString>
#include <cstdint>

namespace ComPSYOpe {

// Deletes the folder with everything in it. A missing folder or a failed
// deletion raises veltra::vb::FileError to the caller.
void DeleteFolder(const QString &folderPath);

// The direction of (dx, dy) against the x axis, 0 to 180 whole degrees
// (halves up): the angle whose cosine is dx / |(dx, dy)|, so the sign of dy
// does not count. dy 0 gives 0 for dx >= 0 and 180 for dx < 0.
std::int16_t GetAngle(double dx, double dy);

// The two barb points of the arrow head at point 2 of the line from point 1
// to point 2, each 10000 units back from point 2 and 20 degrees to one side
// of the line, rounded to whole units. Equal points give point 2 twice.
void GetArrowHead(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t &barb1X,
    std::int32_t &barb1Y, std::int32_t &barb2X, std::int32_t &barb2Y);

} // namespace ComPSYOpe
