#include "zorvik/widget/rectzoomhandler.h"

namespace zorvik {

void RectZoomHandler::move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging)
{
    if (dragging && pressedAt)
        host.setRubberBand(dragRect(*pressedAt, g));
}

GestureOutcome RectZoomHandler::release(
    GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged)
{
    host.setRubberBand(std::nullopt);
    if (g.button != 1)
        return {};
    const ViewTransform &view = host.view();
    if (dragged) {
        const QRectF r = dragRect(pressedAt, g);
        if (r.width() < 1 && r.height() < 1)
            return {};
        const QPointF centre = view.deviceToWorld(r.center());
        host.zoomTo(centre.x(), centre.y(), view.viewWidth() * r.width() / view.size().width(),
            view.viewHeight() * r.height() / view.size().height());
        return {};
    }
    const double factor = host.zoomInFactor() > 0 ? host.zoomInFactor() : 2.0;
    host.zoomAt(g.world.x(), g.world.y(), factor);
    return {};
}

} // namespace zorvik
