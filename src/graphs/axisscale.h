#pragma once
// The value axis of the bar graph, shared by the class histogram's count axis
// and the scatter diagram: a "round" axis top above the largest value and the
// tick interval for it.
//
// axisTop reads the decimal text of a non-negative value (CStr's form) and
// rounds it up on its first two digits: 12 -> 15, 37 -> 40, 95 -> 100,
// 300 stays, 3.7 -> 4 (a one-digit whole part goes up by one), 12.9 -> 15.
// tickInterval picks 1, 5, 10, 50, ... by the top, with no 500000 or
// 5000000 step.
#include <QString>
#include <cstdint>

namespace veltra::graphs {

// Overflow when the result leaves the Long range; TypeMismatch for a text
// that is not a number.
std::int32_t axisTop(const QString &strSuuchi);
std::int32_t tickInterval(double d_Max);

} // namespace veltra::graphs
