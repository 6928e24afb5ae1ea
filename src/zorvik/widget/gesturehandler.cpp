#include "zorvik/widget/gesturehandler.h"

namespace zorvik {

void GestureHandler::leave(GestureHost &host)
{
    host.setRubberBand(std::nullopt);
    host.setRubberLine({}, std::nullopt);
    host.setPanOffset({});
    host.setPointerAt(std::nullopt);
}

QRectF dragRect(const Gesture &from, const Gesture &to)
{
    return QRectF(from.device, to.device).normalized();
}

} // namespace zorvik
