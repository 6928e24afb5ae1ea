#pragma once
// BackgroundLayer: BackColor over the whole target.
#include "zorvik/render/maplayer.h"

namespace zorvik {

class BackgroundLayer : public MapLayer
{
public:
    LayerSlot slot() const override { return LayerSlot::Background; }
    bool draw(RenderContext &context, QString &error) const override;
};

} // namespace zorvik
