#include "zorvik/widget/pointershapehandler.h"

namespace zorvik {

void PointerShapeHandler::move(GestureHost &host, const Gesture &g, const Gesture *, bool)
{
    host.setPointerAt(g.world);
}

} // namespace zorvik
