#pragma once
// RectReportHandler: Mode 5 (rectangle report): a left drag shows a rubber rectangle and reports
// RectSelect(press corner, release corner) in world units; clicks are plain.
#include "zorvik/widget/gesturehandler.h"

#include <vector>

namespace zorvik {

class RectReportHandler : public GestureHandler
{
public:
    void move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging) override;
    GestureOutcome release(
        GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged) override;
};

} // namespace zorvik
