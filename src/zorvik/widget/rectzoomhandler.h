#pragma once
// RectZoomHandler: Mode 1 (rectangle zoom): a dragged rectangle becomes the view, as
// ZoomWindow; a plain left click zooms in by ZoomInFactor around the point.
#include "zorvik/widget/gesturehandler.h"

#include <vector>

namespace zorvik {

class RectZoomHandler : public GestureHandler
{
public:
    void move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging) override;
    GestureOutcome release(
        GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged) override;
};

} // namespace zorvik
