#pragma once
// ComSampleProgram2: the area selection on the map (mode ModeAreaSelect) and
// the statistics map window's selection of every area in view.
//
// The mode's dialog (frmSampleProgram2) arms the engine for one mark of the
// chosen search type; the mark arrives as a finished search (rectangle,
// clicked area, drawn line) or as a click (the circle's centre). The areas
// of the chosen level inside the shape become area-code lines handed to the
// statistics map window's selected-area list (SetAddrList).
//
// Search types: 0 dragged rectangle (engine pick, mouse mode 7), 1 clicked
// areas one at a time (area pick, mouse mode 9; stays armed), 2 circle of
// the range around a click (mouse mode 4), 3 band of the range along a drawn
// line (mouse mode 10), 4 the current view (the statistics map window calls
// the handler with StateFound). -1 while nothing is armed.
// Area kinds: 206 prefectures (space 1), 211 municipalities (space 2),
// 227 town blocks (space 3).
//
// The temporary shape (circle, band or view rectangle) lives alone in one
// engine set until the next shape replaces it or the mode is left or its
// search type changed; every replaced set is released. World units; the range
// is in kilometres (1 km = 1500 world units as the radius is taken).
//
// Common use:
//   modeRegistry().setHandler(ModeAreaSelect, &ComSampleProgram2::AreaSelectMode);
//   ComSampleProgram2::SetAreaKind(211); ComSampleProgram2::SetSearchType(4);
//   std::int16_t state = StateFound; ComSampleProgram2::AreaSelectMode(state, gobjZor);
#include <QString>
#include <cstdint>
#include <vector>

namespace zorvik {
class Zorvik;
}

namespace ComSampleProgram2 {

// The dialog's own states: run the search settings ("検索") and the search
// type changed.
inline constexpr std::int16_t StateAreaSearch = 99;
inline constexpr std::int16_t StateSearchTypeChanged = 111;

// The handler of mode ModeAreaSelect.
void AreaSelectMode(std::int16_t &state, zorvik::Zorvik *engine);

void SetSearchType(std::int16_t intType);
void SetAreaKind(std::int16_t intKind);
void SetSearchRange(double dblKm);

// The module state, for the window and tests.
std::int16_t searchType();
std::int16_t areaKind();
double searchRange();
std::int32_t shapeHandle();

// Puts the module state back to its start (nothing armed, no shape held).
void forgetState();

// The radius or half width in world units of a range in kilometres.
std::int32_t rangeInWorld(double km);

// ---- search shapes (each alone in the set lngShape, which is replaced)

// A polygon of the points X, Y (0 to the last index of X) whose kind is
// intIPra2.
void MakePolygonShape(zorvik::Zorvik &engine, const std::vector<std::int32_t> &X,
    const std::vector<std::int32_t> &Y, std::int16_t intIPra2, std::int32_t &lngShape);
// A 91-point circle around (lngX, lngY).
void MakeCircleShape(zorvik::Zorvik &engine, std::int32_t lngX, std::int32_t lngY, std::int32_t lngRadius,
    std::int32_t &lngShape);
// lngCount circle points around (lngX, lngY) into X, Y; the X offsets are
// divided by the engine's X/Y unit ratio.
void GetCirclePoints(zorvik::Zorvik &engine, std::int32_t lngRadius, std::int32_t lngCount, std::int32_t lngX,
    std::int32_t lngY, std::vector<std::int32_t> &X, std::vector<std::int32_t> &Y);
// A band around the first element of lngLineSet; lngHalfWidth is left in
// hundredths. False, with lngShape untouched, when the line gives no band.
bool MakeBandShape(
    zorvik::Zorvik &engine, std::int32_t lngLineSet, std::int32_t &lngHalfWidth, std::int32_t &lngShape);

// ---- area codes

// The area-code lines of the set's elements at area kind intKind: element 0
// "0,0,0", then "X,Y,code" per area, X and Y its first point. The number of
// lines after element 0, or 0 when the wait dialog's cancel stopped the
// collection (the lines so far stay).
std::int32_t CollectAreaCodes(
    zorvik::Zorvik &engine, std::int32_t lngSet, std::int16_t intKind, std::vector<QString> &strCodes);

} // namespace ComSampleProgram2
