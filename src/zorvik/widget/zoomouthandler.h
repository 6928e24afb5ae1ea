#pragma once
// ZoomOutHandler: Mode 2 (click zoom-out): a left click shows the view size divided by
// ZoomOutFactor (a factor below 1 widens the view), centred on the point.
#include "zorvik/widget/gesturehandler.h"

#include <vector>

namespace zorvik {

class ZoomOutHandler : public GestureHandler
{
public:
    GestureOutcome release(
        GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged) override;
};

} // namespace zorvik
