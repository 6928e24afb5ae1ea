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
#include "graphs/hanreiitem.h"
#include "mapwindow/elementinfo.h"

#include <QString>
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

// The legend of the last choropleth, read by frmPSYHanreiNuri2 when it loads:
// its title and one class per element from 1 on (element 0 unused).
struct NuriHanreiClass
{
    std::int32_t lngColor = 0; // &H00BBGGRR
    double dblMin = 0; // lower bound
    double dblMax = 0; // upper bound
    std::int32_t lngCount = 0; // areas in the class
    QString strMin; // the bounds as shown
    QString strMax;
};
inline QString gstrNuriHanreiTitle;
inline std::vector<NuriHanreiClass> gtypNuriHanrei{NuriHanreiClass{}};

// The legend of the last pie or bar graph map, read by frmPSYHanreiBmp when
// it loads: one item per element from 1 on (element 0 unused), the areas with
// the largest and the smallest value, and the largest, mean and smallest
// value already cut to whole numbers.
inline std::vector<HanreiItem> gtypHanreiItems{HanreiItem{}};
inline QString gstrHanreiMaxName;
inline QString gstrHanreiMinName;
inline double gdblHanreiMax = 0;
inline double gdblHanreiMin = 0;
inline double gdblHanreiAve = 0;

// State of the graph move mode (mode 80): 0 off, 1 waiting for a pick,
// 2 holding a graph.
inline std::int16_t gintPsyMoveState = 0;
