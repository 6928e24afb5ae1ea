#include "zorvik/widget/pickhandler.h"

namespace zorvik {

void PickHandler::move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging)
{
    if (dragging && pressedAt)
        host.setRubberBand(dragRect(*pressedAt, g));
}

GestureOutcome PickHandler::release(
    GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged)
{
    host.setRubberBand(std::nullopt);
    GestureOutcome out;
    if (g.button != 1)
        return out;
    Engine &engine = host.engine();
    Handle set = 0;
    std::int32_t a = 0, b = 0, c = 0;
    if (!dragged) {
        engine.SearchElements(0, g.worldX, g.worldY, set, a, b, c, host.view().metrics());
    } else {
        // The dragged rectangle as a closed ring in world units (it may be turned).
        const QRectF r = dragRect(pressedAt, g);
        ElementRecord ring;
        ring.Type = TypeVector;
        for (QPointF corner : {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft(), r.topLeft()}) {
            const QPointF w = host.view().deviceToWorld(corner);
            ring.X.push_back(ViewTransform::roundWorld(w.x()));
            ring.Y.push_back(ViewTransform::roundWorld(w.y()));
        }
        ring.PNum = static_cast<std::int32_t>(ring.X.size());
        Handle poly = 0;
        if (engine.CreateElementList(poly) == code::Ok && engine.AddElementToList(poly, ring) == code::Ok)
            engine.SearchInnerPolygonElements(poly, set, a, b, c, host.view().metrics());
        engine.ReleaseElements(poly);
    }
    out.searchEnd = true;
    out.set = set;
    return out;
}

} // namespace zorvik
