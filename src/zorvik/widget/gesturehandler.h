#pragma once
// GestureHandler: what the mouse does in one MouseEventMode. The widget calls
// enter/leave when the mode changes and press/move/release/doubleClick for
// each gesture; it raises the events itself in their fixed order, after the
// handler has finished changing the state. The base class does nothing, which
// is mode 0 (and every mode without engine behaviour of its own).
#include "zorvik/widget/gesture.h"
#include "zorvik/widget/gesturehost.h"

namespace zorvik {

class GestureHandler
{
public:
    virtual ~GestureHandler() = default;
    virtual void enter(GestureHost &) { }
    virtual void leave(GestureHost &host);
    virtual void press(GestureHost &, const Gesture &) { }
    // `dragging`: the left button is down and the pointer left the click area.
    virtual void move(GestureHost &, const Gesture &, const Gesture * /*pressedAt*/, bool /*dragging*/) { }
    virtual GestureOutcome release(
        GestureHost &, const Gesture &, const Gesture & /*pressedAt*/, bool /*dragged*/)
    {
        return {};
    }
    virtual GestureOutcome doubleClick(GestureHost &, const Gesture &) { return {}; }
};

// Device rectangle of a drag.
QRectF dragRect(const Gesture &from, const Gesture &to);

} // namespace zorvik
