#pragma once
// Program-wide state of the statistics map window and the pyramid window.
//
// gtypStatArea holds the area records of the last statistics graph, areas
// from index 1; element 0 exists and holds nothing. Each build replaces all
// records; the tallied list, map output and the pyramid window read them.
// User-interface thread only.
#include "statwindow/statarea.h"

#include <cstdint>
#include <vector>

// Area levels of a statistics graph.
inline constexpr std::int32_t AnaRangeNone = -1;
inline constexpr std::int32_t AnaRangeNation = 0;
inline constexpr std::int32_t AnaRangePref = 1;
inline constexpr std::int32_t AnaRangeCity = 2;
inline constexpr std::int32_t AnaRangeTown = 3;

inline std::vector<StatArea> gtypStatArea{StatArea{}};

// The area level chosen last in an area dialog: 1 prefectures,
// 2 municipalities, 3 town blocks (0 before any choice).
inline std::int32_t glngAreaSelectLevel = 0;
