#pragma once
// ComPSY: the graph move mode (mode 80). The user moves the graph of one area
// of a statistics map with two clicks: the first picks the graph under the
// pointer and highlights it, the second drops it at the click with a new
// leader line to the position its name records (where it stood when the map
// was drawn), and writes the new place into fields 3 and 4 of the area's line
// in the analysis data file, so that a redraw from the files keeps it.
//
// gintPsyMoveState says what a click does (1 pick, 2 drop, 0 nothing); the
// pick holds the graph's set in glngPsyMoveSet and its leader line's in
// glngPsyMoveLineSet until the drop (statrender/globals.h). The statistics
// windows' move switches set the state to 1 and 0.
//
// What the mode guarantees beyond the plain steps:
// - Only the graph's own leader lines are deleted: the line search is not
//   limited to the statistics space, so what else it finds (a base-map line
//   near the graph's position) is dropped from the line set at the pick.
// - A drop whose re-entry is refused puts the graph and its old leader line
//   back where they were and writes no file.
// - Only an analysis data file of this program is written: a name
//   "tempdataNNN.dat" in the data folder's DB; a graph named after any other
//   file (a header from a loaded statistics map file can name any path) moves
//   on the map only, as does one whose file cannot be read.
// - The picked sets are released when the drop ends, whatever its outcome,
//   and when the mode is left between pick and drop (the graph then stays
//   where it was and the state goes back to waiting for a pick).
#include "mapwindow/elementinfo.h"

#include <array>
#include <cstdint>
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

// The mode's handler: StateClick picks or drops by gintPsyMoveState;
// StateLeave lets go of a picked graph.
void PSY_MoveElementsMode(std::int16_t &state, zorvik::Zorvik *engine);

// One click of the mode at (x[0], y[0]): step 0 picks, step 1 drops. The
// engine's mouse mode is 0 during the step; a pick that found a graph sets it
// to 4 again and gives True (as does every drop); a pick that found none gives
// False.
bool PSY_MoveStep(zorvik::Zorvik *engine, std::int16_t step, const std::array<std::int32_t, 2> &x,
    const std::array<std::int32_t, 2> &y);

// The pick at (x, y): fills glngPsyMoveSet (0 when no graph lies there) and
// glngPsyMoveLineSet, and highlights the graph.
void PSY_StartMoveElecments(zorvik::Zorvik *engine, std::int32_t x, std::int32_t y);

// The drop of the graph in `graphSet` (with the leader lines in `lineSet`)
// at (x, y). Both sets are released and the two globals cleared.
void PSY_EndMoveElecments(
    zorvik::Zorvik *engine, std::int32_t graphSet, std::int32_t lineSet, std::int32_t x, std::int32_t y);

} // namespace ComPSY

namespace veltra::statrender {

// How a drop enters an element into the document: PSY_AddElement.
using ElementEntry = std::function<bool(zorvik::Zorvik *engine, ElementInfo &record)>;
// Puts another entry in its place (tests make the engine refuse with it); an
// empty function restores PSY_AddElement.
void setMoveElementEntry(ElementEntry entry);

} // namespace veltra::statrender
