#include "statwindow/scatterpoints.h"

namespace veltra::statwindow {

namespace {

std::size_t valueCount(const StatArea &area)
{
    return area.Value.empty() ? 0 : area.Value.size() - 1;
}

double valueAt(const StatArea &area, std::size_t slot)
{
    return slot < area.Value.size() ? statNumber(area.Value[slot]) : 0;
}

// A value over its denominator, in the order of operations the diagram has
// always used (100 first).
double overDenominator(double v, double d, std::int32_t calcKind)
{
    if (d == 0)
        return 0;
    switch (calcKind) {
    case 0:
        return 100 * v / d;
    case 1:
        return v / d;
    case 2:
        return 100 * (v - d) / d;
    default:
        return v;
    }
}

} // namespace

bool takesPartInScatter(const StatArea &area)
{
    const std::size_t n = area.DataFlag.empty() ? 0 : area.DataFlag.size() - 1;
    if (n < 2 || n > 4)
        return false;
    for (std::size_t k = 1; k <= n; ++k)
        if (area.DataFlag[k] != 0)
            return false;
    return true;
}

bool scatterHasValues(const std::vector<StatArea> &areas)
{
    bool x = false;
    bool y = false;
    for (std::size_t i = 1; i < areas.size(); ++i) {
        if (valueCount(areas[i]) < 2)
            continue;
        x = x || valueAt(areas[i], 1) != 0;
        y = y || valueAt(areas[i], 2) != 0;
    }
    return x && y;
}

std::vector<ScatterPoint> scatterPoints(const std::vector<StatArea> &areas, const ScatterSlots &layout)
{
    const std::size_t xSlot = 3;
    const std::size_t ySlot = layout.xDenominator ? 4 : 3;
    std::vector<ScatterPoint> points;
    for (std::size_t i = 1; i < areas.size(); ++i) {
        const StatArea &area = areas[i];
        if (!takesPartInScatter(area))
            continue;
        ScatterPoint p{valueAt(area, 1), valueAt(area, 2), static_cast<std::int32_t>(i)};
        if (layout.xDenominator)
            p.x = overDenominator(p.x, valueAt(area, xSlot), layout.xCalcKind);
        if (layout.yDenominator)
            p.y = overDenominator(p.y, valueAt(area, ySlot), layout.yCalcKind);
        points.push_back(p);
    }
    return points;
}

} // namespace veltra::statwindow
