#pragma once
// StatisticsLayer: The level-9 statistics elements (graphs, leader lines, numbers), drawn
// above the base map.
#include "zorvik/render/maplayer.h"

namespace zorvik {

class StatisticsLayer : public MapLayer
{
public:
    LayerSlot slot() const override { return LayerSlot::Statistics; }
    bool draw(RenderContext &context, QString &error) const override;
};

} // namespace zorvik
