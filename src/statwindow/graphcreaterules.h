#pragma once
// The decisions of graph creation that need no window: which refusal a set
// of choices meets first, the value a choropleth area is drawn with, the
// colour slot of a segment and the class count of a class histogram.
//
// Map kinds are the option index of optAnaUnit (0 choropleth ... 8 scatter);
// area levels are AnaRangeNone to AnaRangeTown.
#include <QString>
#include <cstdint>

namespace veltra::statwindow {

// Option indexes of the map kinds graph creation tells apart.
inline constexpr int MapKindNuri = 0;
inline constexpr int MapKindPie = 1;
inline constexpr int MapKindBar = 2;
inline constexpr int MapKindValue = 3;
inline constexpr int MapKindSymbol = 4;
inline constexpr int MapKindRanking = 5;
inline constexpr int MapKindPyramid = 6;
inline constexpr int MapKindRyusen = 7;
inline constexpr int MapKindSanpuzu = 8;

// The first refusal the choices meet, in the order the user should fix
// them (areas, level, area count, flow level); empty when none.
QString graphCreateRefusal(int areaCount, std::int32_t anaRange, int mapKind);

// The graph value of an area with numerator a and denominator b, by the
// selector's calculation kind: 0 a / b x 100, 1 a / b, 2 (a - b) / b x 100;
// 0 when b is 0.
double graphValue(double a, double b, std::int32_t calcKind);

// The graph-colour slot (1 to 15) of area or item number i: i mod 15, with
// 0 read as 15.
std::int32_t graphColorSlot(std::int32_t i);

// The class count for s values (s >= 2): log2(s) + 1 rounded (Sturges'
// rule), 9 at most, 2 at least.
std::int32_t sturgesClassCount(std::int32_t s);

// The message that a kind's map cannot be made from the chosen items
// (kinds 0 to 2); empty for other kinds.
QString cannotCreateMessage(int mapKind);

} // namespace veltra::statwindow
