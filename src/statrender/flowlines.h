#pragma once
// ComPSY: the flow lines of a flow map. Each flow line is a temporary element
// set drawn in its kind's style (DrawElements mode 16) and never entered into
// the document; the sets are kept in glngRyusenSets (from element 0 on) until
// the statistics map is cleared, which takes their drawings off and releases
// them. An empty glngRyusenSets means no flow line was drawn since then.
#include "mapwindow/elementinfo.h"

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

// Draws the record (a five-point line of kinds 181 to 186) as one more flow
// line. A refusal of the engine shows "DrawRyusen OCXエラーコード [code]" and
// gives False; the set stays in the list either way, so the clear releases it.
bool DrawRyusen(zorvik::Zorvik *engine, const ElementInfo &record);

// Takes every flow line off the map, releases the sets and empties the list.
// False, doing nothing, when no flow line was drawn.
bool UnDrawRyusen(zorvik::Zorvik *engine);

} // namespace ComPSY
