#pragma once
// AreaPickHandler: Mode 9 (area reference): a left click finds the area polygon of SpaceID at
// the point and the elements inside it (as SearchElements mode 4); without a
// polygon it falls back to a point search. The result goes out with SearchEnd.
#include "zorvik/widget/gesturehandler.h"

#include <vector>

namespace zorvik {

class AreaPickHandler : public GestureHandler
{
public:
    GestureOutcome release(
        GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged) override;
};

} // namespace zorvik
