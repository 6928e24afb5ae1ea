#include "zorvik/render/statisticslayer.h"

#include "zorvik/render/elementbatch.h"

namespace zorvik {

bool StatisticsLayer::draw(RenderContext &context, QString &) const
{
    if (context.input().document)
        context.batch().paint(context.elementPainter(), true, context.drawnTexts());
    return true;
}

} // namespace zorvik
