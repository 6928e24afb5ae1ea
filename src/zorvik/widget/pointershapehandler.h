#pragma once
// PointerShapeHandler: Mode 12 (pointer shape): the DrawTempShape outline follows the pointer.
#include "zorvik/widget/gesturehandler.h"

#include <vector>

namespace zorvik {

class PointerShapeHandler : public GestureHandler
{
public:
    void move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging) override;
};

} // namespace zorvik
