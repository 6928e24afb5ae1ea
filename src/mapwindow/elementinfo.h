#pragma once
// ElementInfo: one map element as read out of an engine element set, and
// ElmKindStyle: the readable display style of one vector or connector kind.
//
// Both are filled only by mdlElement (element access); every subsystem that
// walks sets or shows kind styles reads them. Coordinates are world Longs;
// dates are engine day numbers from the document's base date. Index bases are
// those of the engine: iPra 0..2, lPra 0..5, the point arrays from 0, the
// temporal states 0 existing, 1 appearing, 2 disappearing.
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

struct ElementInfo
{
    std::int32_t Handle = 0; // element set the element was read from
    std::int32_t IndexH = 0; // element handle within that set
    std::int16_t Type = 0; // 1 vector, 3 connector
    std::int32_t PNum = 0; // number of points
    QString Key; // name text
    // 0 and 1 are the engine's and passed through; 2 is the kind ID.
    std::array<std::int16_t, 3> iPra{0, 0, 0};
    // Appearance start and fixed days, disappearance start and fixed days,
    // height, altitude.
    std::array<std::int32_t, 6> lPra{0, 0, 0, 0, 0, 0};
    std::vector<std::int32_t> lX; // X of the points
    std::vector<std::int32_t> lY; // Y of the points
    QString Comment; // the text after the comma of the key
};

struct ElmKindStyle
{
    QString Name;
    std::int16_t Disp = 0; // display flag
    std::int16_t Pick = 0; // pick flag
    // Per temporal state: line style as a line control's border style
    // (0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot) and width;
    // both 0 for connector kinds.
    std::array<std::int16_t, 3> LineType{0, 0, 0};
    std::array<std::int16_t, 3> LineWidth{0, 0, 0};
    std::array<std::int16_t, 3> R{0, 0, 0};
    std::array<std::int16_t, 3> G{0, 0, 0};
    std::array<std::int16_t, 3> B{0, 0, 0};
    std::int16_t Hatch = 0; // connector kinds: hatching switched on
    // Connector kinds: 0 solid, 1 transparent, 2..7 the six hatch patterns.
    std::int16_t FillStyle = 0;
    // The engine's six display numbers: colour number of state s at 2s,
    // line-type number at 2s + 1.
    std::array<std::int16_t, 6> Pal{0, 0, 0, 0, 0, 0};
    std::int16_t HatchIndex = 0; // connector kinds: the hatching number
};
