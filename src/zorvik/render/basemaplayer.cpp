#include "zorvik/render/basemaplayer.h"

#include "zorvik/render/elementbatch.h"

namespace zorvik {

bool BaseMapLayer::draw(RenderContext &context, QString &) const
{
    if (context.input().document)
        context.batch().paint(context.elementPainter(), false, context.drawnTexts());
    return true;
}

} // namespace zorvik
