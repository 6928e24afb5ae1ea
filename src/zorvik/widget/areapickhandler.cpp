#include "zorvik/widget/areapickhandler.h"

namespace zorvik {

GestureOutcome AreaPickHandler::release(GestureHost &host, const Gesture &g, const Gesture &, bool dragged)
{
    GestureOutcome out;
    if (g.button != 1 || dragged)
        return out;
    Engine &engine = host.engine();
    Handle set = 0;
    std::int32_t a = 0, b = 0, c = 0;
    const ViewMetrics view = host.view().metrics();
    engine.SearchElements(4, g.worldX, g.worldY, set, a, b, c, view);
    if (set == 0)
        engine.SearchElements(0, g.worldX, g.worldY, set, a, b, c, view);
    out.searchEnd = true;
    out.set = set;
    return out;
}

} // namespace zorvik
