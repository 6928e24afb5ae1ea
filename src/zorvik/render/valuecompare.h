#pragma once
// The one comparison rule for "did this value change": doubles compare with a
// relative tolerance, so that a value written back as it was read (through a
// text box or a Long) raises no change event.
#include <algorithm>
#include <cmath>

namespace zorvik {

inline bool sameValue(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

} // namespace zorvik
