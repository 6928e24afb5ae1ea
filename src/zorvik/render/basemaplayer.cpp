#include "zorvik/render/basemaplayer.h"

#include "zorvik/render/elementbatch.h"

namespace zorvik {

bool BaseMapLayer::draw(RenderContext &context, QString &) const
{
    if (!context.input().document)
        return true;
    const ElementPainter painter(context.painter(), context.input().document->catalog(), context.view(),
        context.pixelRatio(), context.input().background, context.target());
    context.batch().paint(painter, false, context.drawnTexts());
    return true;
}

} // namespace zorvik
