#pragma once
// The fixed drawing order of the map, bottom to top. Written once here; the
// renderer paints its layers in this order and nowhere else decides it.
// Interaction feedback (pointer shape, rubber bands, XOR marks) is not a layer:
// the widget paints it over the finished map and it never reaches paper.
#include <cstdint>

namespace zorvik {

enum class LayerSlot : std::uint8_t {
    Background, // BackColor
    Rasters, // registered raster pictures (drawn by a later raster layer)
    Choropleth, // DrawElements_Polygon_RGB drawings
    BaseMap, // document vectors, then connectors, of displayed kinds
    Statistics, // level-9 (statistics) elements, above the base map
    SetDrawings, // DrawElements drawings of sets, in call order
};

inline constexpr int LayerSlotCount = 6;

} // namespace zorvik
