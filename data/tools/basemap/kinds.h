#pragma once
// Space and kind numbers of the default map document and its display levels,
// shared by the model builder and the definition writer.
#include <cstdint>

namespace veltra::basemap {

namespace kind {
// spaces
inline constexpr std::int16_t PrefectureSpace = 1;
inline constexpr std::int16_t MunicipalitySpace = 2;
inline constexpr std::int16_t TownBlockSpace = 3;
inline constexpr std::int16_t StatisticsSpace = 100;
inline constexpr std::int16_t PhotoSpace = 101;
inline constexpr std::int16_t AttachmentSpace = 102;
// vector kinds
inline constexpr std::int16_t PrefectureBoundary = 1;
inline constexpr std::int16_t MunicipalityBoundary = 2;
inline constexpr std::int16_t TownBlockBoundary = 3;
// connector kinds
inline constexpr std::int16_t PrefectureName = 205;
inline constexpr std::int16_t PrefectureArea = 206;
inline constexpr std::int16_t MunicipalityName = 210;
inline constexpr std::int16_t MunicipalityArea = 211;
inline constexpr std::int16_t TownBlockName = 224;
inline constexpr std::int16_t TownBlockArea = 227;
inline constexpr std::int16_t TownBlockArea2 = 228;
inline constexpr std::int16_t Attachment = 250;
} // namespace kind

// Display levels (scale denominators) of DispLevel.txt: line 1 is the finest
// area level shown and picked on the map (here municipalities, as the default
// data has no town blocks), line 2 separates prefecture from municipality
// picking, line 3 is kept for the town-block scale.
inline constexpr std::int32_t DispLevelArea = 1000000;
inline constexpr std::int32_t DispLevelPrefecture = 3000000;
inline constexpr std::int32_t DispLevelTownBlock = 25000;

// Scale limits of the place names: municipal names from 1:500,000 in (coarser,
// the names of the dense areas run into each other), prefecture names down to
// 1:250,000 (finer, a prefecture fills the screen and its name says nothing).
inline constexpr std::int32_t MunicipalNameCoarsestScale = 500000;
inline constexpr std::int32_t PrefectureNameFinestScale = 250000;

} // namespace veltra::basemap
