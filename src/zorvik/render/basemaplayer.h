#pragma once
// BaseMapLayer: Document vectors, then connectors, of displayed kinds in their scale and
// date ranges, each in its temporal state's style (level 9 excluded).
#include "zorvik/render/maplayer.h"

namespace zorvik {

class BaseMapLayer : public MapLayer
{
public:
    LayerSlot slot() const override { return LayerSlot::BaseMap; }
    bool draw(RenderContext &context, QString &error) const override;
};

} // namespace zorvik
