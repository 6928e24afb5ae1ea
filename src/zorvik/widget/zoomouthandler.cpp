#include "zorvik/widget/zoomouthandler.h"

namespace zorvik {

GestureOutcome ZoomOutHandler::release(GestureHost &host, const Gesture &g, const Gesture &, bool dragged)
{
    if (g.button != 1 || dragged)
        return {};
    const double factor = host.zoomOutFactor() > 0 ? host.zoomOutFactor() : 0.5;
    host.zoomAt(g.world.x(), g.world.y(), factor);
    return {};
}

} // namespace zorvik
