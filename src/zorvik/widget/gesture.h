#pragma once
// Gesture: one mouse event as the engine's events need it, converted once by
// the widget - device pixels, twips relative to the control, world Longs, and
// the button and shift codes of the events (button 1 left, 2 right, 4 middle;
// shift 1 Shift, 2 Ctrl, 4 Alt).
#include <QPointF>
#include <cstdint>

namespace zorvik {

struct Gesture
{
    QPointF device; // px, relative to the control
    double twipsX = 0, twipsY = 0;
    std::int32_t worldX = 0, worldY = 0; // rounded
    QPointF world; // exact
    int button = 0; // the button that changed (press / release), else the held buttons
    int shift = 0;
};

// What a handler asks the widget to raise after the standard events of the
// gesture (MouseUp, Click or DblClick).
struct GestureOutcome
{
    bool rectSelect = false;
    std::int32_t rect[4] = {0, 0, 0, 0}; // press corner, release corner
    bool searchEnd = false;
    std::int32_t set = 0;
};

} // namespace zorvik
