#include "zorvik/widget/panhandler.h"

namespace zorvik {

void PanHandler::move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging)
{
    if (dragging && pressedAt)
        host.setPanOffset(g.device - pressedAt->device);
}

GestureOutcome PanHandler::release(
    GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged)
{
    host.setPanOffset({});
    if (!dragged || g.button != 1)
        return {};
    const ViewTransform view = host.view();
    const QPointF middle(view.size().width() / 2.0, view.size().height() / 2.0);
    const QPointF centre = view.deviceToWorld(middle - (g.device - pressedAt.device));
    host.panTo(centre.x(), centre.y());
    return {};
}

} // namespace zorvik
