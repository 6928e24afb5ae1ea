#pragma once
// ComPSY: the areas highlighted by the area selection on the current map
// (gobjZor). Each highlight is the element set found at a point, drawn with
// an outline and hatching and kept in glngHighlightSets (from element 1 on)
// until all highlights are cleared at once. The search space is the one the
// caller set on the engine.
#include <cstdint>

namespace ComPSY {

// Highlights the area element at (x, y), if there is one. A refused search
// shows "P_DrawCaldoraArea OCXエラーコード [code]".
void P_DrawCaldoraArea(std::int32_t x, std::int32_t y);

// Takes every highlight off, releases the sets and empties the list. A
// refused redraw shows "P_DrawClearCaldoraArea OCXエラーコード [code]" and
// leaves the list as it was.
void P_DrawClearCaldoraArea();

} // namespace ComPSY
