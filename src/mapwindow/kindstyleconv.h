#pragma once
// The two conversions between the engine's style codes and the readable
// forms of ElmKindStyle.
//
// Engine line-type codes 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 no line become the border styles 1, 2, 3, 4, 5, 0 of a line control; the
// engine's hatch codes -1 (no fill), 0..5 (patterns) and 100 (solid) become
// the fill styles 1, 2..7 and 0. A code outside a table has no readable form.
#include <cstdint>
#include <optional>

namespace veltra::mapwindow {

std::optional<std::int16_t> lineTypeFromEngineCode(std::int32_t code);
std::optional<std::int16_t> fillStyleFromHatchCode(std::int32_t code);

} // namespace veltra::mapwindow
