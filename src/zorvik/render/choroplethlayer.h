#pragma once
// ChoroplethLayer: Filled polygon drawings (the choropleth), under the base-map lines. Mode 0
// fills with the class colour, mode 4 with grey, mode 2 hatches the class
// colour; each polygon gets a thin outline in a darker shade.
#include "zorvik/render/maplayer.h"

namespace zorvik {

class ChoroplethLayer : public MapLayer
{
public:
    LayerSlot slot() const override { return LayerSlot::Choropleth; }
    bool draw(RenderContext &context, QString &error) const override;
};

} // namespace zorvik
