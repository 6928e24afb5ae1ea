#include "zorvik/render/plaintarget.h"

namespace zorvik {

QImage *plainImageTarget(const QPainter &painter)
{
    if (!painter.isActive() || painter.compositionMode() != QPainter::CompositionMode_SourceOver
        || painter.opacity() != 1.0 || painter.deviceTransform().type() > QTransform::TxTranslate)
        return nullptr;
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto *image = static_cast<QImage *>(device);
    if (image->format() != QImage::Format_ARGB32_Premultiplied && image->format() != QImage::Format_RGB32)
        return nullptr;
    return image;
}

} // namespace zorvik
