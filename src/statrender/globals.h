#pragma once
// The statistics map rendering's own globals: what it has put on the map
// outside the document (choropleth drawings, highlighted areas, flow-line
// sets) and the style snapshot of the statistics kinds.
//
// The drawing lists are used from element 1 on, element 0 staying unused, so
// bounds 0 to 0 mean an empty list; the flow-line sets are used from element
// 0 on, and an empty vector means that no flow line was drawn since the last
// clear. The snapshot arrays hold kind IDs and styles from element 1 on;
// style k belongs to kind ID k of its ID array.
#include "mapwindow/elementinfo.h"

#include <cstdint>
#include <vector>

// Drawing IDs of the choropleth polygons (EraseElements removes them).
inline std::vector<std::int32_t> glngNuriDrawIds{0};
// Element sets of the highlighted areas.
inline std::vector<std::int32_t> glngHighlightSets{0};
// Temporary element sets of the drawn flow lines.
inline std::vector<std::int32_t> glngRyusenSets;

// Vector and connector kinds of the statistics space with their styles, as
// they were when the snapshot was taken (ComPSY::PSY_SaveElmStyle).
inline std::vector<std::int16_t> gintSaveVectID{0};
inline std::vector<ElmKindStyle> gtypSaveVectStyle{ElmKindStyle{}};
inline std::vector<std::int16_t> gintSaveCnectID{0};
inline std::vector<ElmKindStyle> gtypSaveCnectStyle{ElmKindStyle{}};
