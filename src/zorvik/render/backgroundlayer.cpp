#include "zorvik/render/backgroundlayer.h"

namespace zorvik {

bool BackgroundLayer::draw(RenderContext &context, QString &) const
{
    context.painter().fillRect(
        QRectF(QPointF(0, 0), QSizeF(context.view().size())), context.input().background);
    return true;
}

} // namespace zorvik
