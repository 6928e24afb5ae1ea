// The ranking sort of the statistics map window: a quicksort on the first
// value of each area record whose order of equal values is part of the
// ranking shown (an area's rank number follows its place), so it keeps its
// own partitioning instead of a library sort.
#include "statwindow/frmstatisticsmap.h"

#include <utility>

namespace {

double rankKey(const StatArea &area)
{
    return area.Value.size() > 1 ? statNumber(area.Value[1]) : 0;
}

} // namespace

void frmStatisticsMap::QuickSort2Value(
    std::vector<StatArea> &areas, std::int32_t first, std::int32_t last, bool ascending)
{
    // The two parts are sorted independently; recursing into the smaller one
    // and looping over the larger keeps the depth logarithmic even when many
    // values are equal (they all stay on the right of the pivot).
    while (first < last) {
        const std::int32_t middle = first + (last - first) / 2;
        const double pivot = rankKey(areas[static_cast<std::size_t>(middle)]);
        StatArea kept = std::move(areas[static_cast<std::size_t>(middle)]);
        // Record first is not read again before it is overwritten below.
        if (middle != first)
            areas[static_cast<std::size_t>(middle)] = std::move(areas[static_cast<std::size_t>(first)]);
        std::int32_t m = first;
        for (std::int32_t j = first + 1; j <= last; ++j) {
            const double key = rankKey(areas[static_cast<std::size_t>(j)]);
            if (ascending ? key < pivot : key > pivot) {
                ++m;
                std::swap(areas[static_cast<std::size_t>(m)], areas[static_cast<std::size_t>(j)]);
            }
        }
        if (m != first)
            areas[static_cast<std::size_t>(first)] = std::move(areas[static_cast<std::size_t>(m)]);
        areas[static_cast<std::size_t>(m)] = std::move(kept);

        if (m - first < last - m) {
            QuickSort2Value(areas, first, m - 1, ascending);
            first = m + 1;
        } else {
            QuickSort2Value(areas, m + 1, last, ascending);
            last = m - 1;
        }
    }
}
