#include "zorvik/widget/rectreporthandler.h"

namespace zorvik {

void RectReportHandler::move(GestureHost &host, const Gesture &g, const Gesture *pressedAt, bool dragging)
{
    if (dragging && pressedAt)
        host.setRubberBand(dragRect(*pressedAt, g));
}

GestureOutcome RectReportHandler::release(
    GestureHost &host, const Gesture &g, const Gesture &pressedAt, bool dragged)
{
    host.setRubberBand(std::nullopt);
    GestureOutcome out;
    if (!dragged || g.button != 1)
        return out;
    out.rectSelect = true;
    out.rect[0] = pressedAt.worldX;
    out.rect[1] = pressedAt.worldY;
    out.rect[2] = g.worldX;
    out.rect[3] = g.worldY;
    return out;
}

} // namespace zorvik
