#pragma once
// modSort: in-place ascending quicksort of a range of an array.
//
// Each sorts array[low] … array[high] (inclusive) and touches nothing outside
// the range; low >= high does nothing. The pivot is the middle element; the
// sort is not stable (elements equal to the pivot end up right of it).
// Strings compare by UTF-16 code unit, so "B" sorts before "a". An index of
// the range outside the array raises veltra::vb::SubscriptOutOfRange.
#include <QString>
#include <cstdint>
#include <vector>

namespace modSort {

void QuickSortLong(std::vector<int32_t> &values, int32_t low, int32_t high);
void QuickSortString(std::vector<QString> &values, int32_t low, int32_t high);
void QuickSortDouble(std::vector<double> &values, int32_t low, int32_t high);

} // namespace modSort
