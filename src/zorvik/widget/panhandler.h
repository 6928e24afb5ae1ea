#pragma once
// PanHandler: Mode 3 (engine pan): dragging with the left button slides the map picture
// under the pointer; the view itself moves once, at the release.
#include "zorvik/widget/gesturehandler.h"

#include <vector>

namespace zorvik {

class PanHandler : public GestureHandler
{
public:
    void move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging) override;
    GestureOutcome release(
        GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged) override;
};

} // namespace zorvik
