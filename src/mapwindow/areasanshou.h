#pragma once
// The area reference mode: a click on the map finds the code of the area
// under it and hands code and point to the statistics data reference window.
// Town-block area connectors inside the town-block polygon at the point win;
// otherwise the clicked area connector's own name is used.
//
// These belong with the area-code services of statdata/comcaldoraneo.h but
// read elements through the map window, which builds on statdata; they live
// here, in the same namespace.
#include <QString>
#include <cstdint>

namespace zorvik {
class Zorvik;
}

namespace ComCaldoraNeo {

// The mode handler: acts on entering (0) and on a finished search (5).
void AreaSanshouMode(std::int16_t &state, zorvik::Zorvik *engine);

// The name of the town-block area connector inside the town-block polygon
// at the point, "" when none.
QString FindAreaAtPoint(std::int32_t x, std::int32_t y);

// Element type, mouse mode, search count and option of the click search on
// the current map, in that order.
void SetRecognizeMode(
    std::int16_t elementType, std::int16_t mouseMode, std::int16_t searchNum, std::int16_t option);

// The connectors of `kind` inside the rectangle into `set`; their count, 0
// on any error.
std::int32_t SearchAreaConnectors(zorvik::Zorvik *engine, std::int16_t kind, std::int32_t x1, std::int32_t y1,
    std::int32_t x2, std::int32_t y2, std::int32_t &set);

// The area code a clicked connector's name gives: kind 227 a number of at
// least 10 digits; kind 211 on or before 1965-10-01 five digits (completed
// with "00") or seven; kind 211 later at least five digits. "" otherwise.
QString clickedAreaCode(std::int16_t kind, const QString &name, bool before1965);

} // namespace ComCaldoraNeo
