#include "shell/modsort.h"

#include "platform/vb/errors.h"

#include <string>
#include <utility>

namespace modSort {

namespace {

template <class T> void checkRange(const std::vector<T> &values, int32_t low, int32_t high)
{
    if (low < high && (low < 0 || high >= int32_t(values.size())))
        throw veltra::vb::SubscriptOutOfRange("Subscript out of range: sorting " + std::to_string(low)
            + " to " + std::to_string(high) + " of " + std::to_string(values.size()) + " elements");
}

// One partition step around the middle element; returns the pivot's final index.
template <class T> int32_t partition(std::vector<T> &a, int32_t low, int32_t high)
{
    const int32_t mid = low + (high - low) / 2;
    const T pivot = a[mid];
    a[mid] = a[low];
    int32_t boundary = low;
    for (int32_t i = low + 1; i <= high; ++i) {
        if (a[i] < pivot) {
            ++boundary;
            std::swap(a[boundary], a[i]);
        }
    }
    a[low] = a[boundary];
    a[boundary] = pivot;
    return boundary;
}

// The numeric sorts loop over the right part instead of recursing into it.
template <class T> void sortLooping(std::vector<T> &a, int32_t low, int32_t high)
{
    while (low < high) {
        const int32_t b = partition(a, low, high);
        sortLooping(a, low, b - 1);
        low = b + 1;
    }
}

void sortRecursing(std::vector<QString> &a, int32_t low, int32_t high)
{
    if (low >= high)
        return;
    const int32_t b = partition(a, low, high);
    sortRecursing(a, low, b - 1);
    sortRecursing(a, b + 1, high);
}

} // namespace

void QuickSortLong(std::vector<int32_t> &values, int32_t low, int32_t high)
{
    checkRange(values, low, high);
    sortLooping(values, low, high);
}

void QuickSortString(std::vector<QString> &values, int32_t low, int32_t high)
{
    checkRange(values, low, high);
    sortRecursing(values, low, high);
}

void QuickSortDouble(std::vector<double> &values, int32_t low, int32_t high)
{
    checkRange(values, low, high);
    sortLooping(values, low, high);
}

} // namespace modSort
