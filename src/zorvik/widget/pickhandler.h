#pragma once
// PickHandler: Mode 7 (element pick): a left click searches at the point, a left drag
// inside the dragged rectangle, both under the recognition settings; the
// result (0 when nothing was found) goes out with SearchEnd.
#include "zorvik/widget/gesturehandler.h"

#include <vector>

namespace zorvik {

class PickHandler : public GestureHandler
{
public:
    void move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging) override;
    GestureOutcome release(
        GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged) override;
};

} // namespace zorvik
