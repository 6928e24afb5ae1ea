#pragma once
// SetDrawingLayer: The DrawElements drawings of sets, in call order: mode 0 and 16 in the
// kinds' styles (undefined kinds in the temporary style), mode 2 as a
// highlight in palette colour a (c = 1 a thicker pen), mode 3 outlined in
// colour a and filled with hatch b in colour c.
#include "zorvik/render/maplayer.h"

namespace zorvik {

class SetDrawingLayer : public MapLayer
{
public:
    LayerSlot slot() const override { return LayerSlot::SetDrawings; }
    bool draw(RenderContext &context, QString &error) const override;
};

} // namespace zorvik
