#pragma once
// The choropleth's polygon buffer and its colouring: every outline of one
// analysis is appended here and drawn by one DrawElements_Polygon_RGB call.
//
// Polygons count from 0. lngPointNum and intMode have room for 501 entries
// at the start and grow by 500 when lngPolyCount reaches intMode's last
// index; the colour arrays (three entries, red, green, blue, per polygon)
// grow by 1500 in step; lngX and lngY keep one spare element after the last
// point. Modes: 0 the value lies in a class, 4 in none (grey 100, 100, 100),
// 2 a town block whose value is "H7".
//
// Class of a value: classes are tried in list order (from element 1);
// class c holds the value when lower <= value < upper, the last class also
// when value = upper; both sides are compared as Currency (four decimals).
#include "mapwindow/elementinfo.h"
#include "statrender/analysisfields.h"

#include <cstdint>
#include <vector>

namespace ComPSY {

struct PolygonBuffer
{
    std::int32_t lngPolyCount = 0;
    std::vector<std::int32_t> lngPointNum;
    std::vector<std::int32_t> lngX;
    std::vector<std::int32_t> lngY;
    std::vector<std::int16_t> intColor1;
    std::vector<std::int16_t> intMode;
    std::vector<std::int16_t> intColor2;

    // Empty, with the room of a new call.
    void reset();
    // Points stored so far.
    std::size_t pointCount() const { return lngX.size() - 1; }
};

// Appends the element's PNum points as polygon number `polygon`.
void AddElementPolygon(PolygonBuffer &buffer, const ElementInfo &element, std::int32_t &polygon);

// Colours polygon `polygon` (colour entries from colourIndex): grey with mode
// 4, then the colour of the first class (classes from element 1) holding
// `value`, with mode 0.
void SetPolygonClassColour(const std::vector<ClassRange> &classes, PolygonBuffer &buffer,
    std::int32_t &colourIndex, double &value, std::int32_t &polygon);

// Whether class c (1 to classes.size() - 1) holds the value.
bool ClassHolds(const std::vector<ClassRange> &classes, std::size_t c, double value);

} // namespace ComPSY
