#pragma once
// The points of a scatter diagram from the area records: which areas take
// part, whether there is anything to compare, and each area's X and Y after
// its denominators.
//
// Values of an area are 1-based (slot 1 X, slot 2 Y, then the X denominator
// and the Y denominator when chosen); calculation kinds are 0 "割合(%)"
// 100 x v / d, 1 "比率" v / d, 2 "増加率" 100 x (v - d) / d, 0 when d is 0.
#include "statwindow/statarea.h"

#include <cstdint>
#include <vector>

namespace veltra::statwindow {

struct ScatterSlots
{
    bool xDenominator = false;
    bool yDenominator = false;
    std::int32_t xCalcKind = 0;
    std::int32_t yCalcKind = 0;
};

struct ScatterPoint
{
    double x = 0;
    double y = 0;
    std::int32_t area = 0; // index in the area records
};

// An area takes part when it has 2 to 4 values and every one was read.
bool takesPartInScatter(const StatArea &area);

// Some area with two values or more has a first value other than 0, and some
// has a second value other than 0 (element 0 of the records is unused).
bool scatterHasValues(const std::vector<StatArea> &areas);

// The points of the areas that take part, in area order.
std::vector<ScatterPoint> scatterPoints(const std::vector<StatArea> &areas, const ScatterSlots &layout);

} // namespace veltra::statwindow
