#pragma once
// Program-wide state of the graphs and their controls.
//
// glngGraphKind is the kind of graph being made. The statistics map window
// and the pyramid window write it before they feed, draw or output a graph;
// the graph class, the analysis files and the legend read it at the moment of
// each call and never write it; 20 stands in while a bar graph's value axis
// is drawn. User-interface thread only.
#include <cstdint>

inline constexpr std::int32_t GraphKindNuri = 1; // choropleth classes
inline constexpr std::int32_t GraphKindPie = 2;
inline constexpr std::int32_t GraphKindBar = 3;
inline constexpr std::int32_t GraphKindSymbol = 4;
inline constexpr std::int32_t GraphKindRanking = 5;
inline constexpr std::int32_t GraphKindValue = 6;
inline constexpr std::int32_t GraphKindPyramid = 7;
inline constexpr std::int32_t GraphKindRyusen = 8; // flow
inline constexpr std::int32_t GraphKindSanpuzu = 9; // scatter
inline constexpr std::int32_t GraphKindBarAxis = 20; // a bar graph's value axis

inline std::int32_t glngGraphKind = 0;
