#pragma once
// ComPSY: the graph reference mode (mode 82). A click on a graph of a
// statistics map shows the data reference window (frmPSYDataSanshou) for the
// graph's area: the area code of its name, and for a graph of the
// picture-symbol map, whose name carries the first item's name after "|",
// the data field that is the third blank-separated word of that item name.
// The graph is highlighted while the window is filled. Leaving the mode
// unticks the statistics map window's data-reference switch. Both windows
// are reached through the shell's tables (modeRegistry().dataReference() and
// .statistics()); an entry nobody registered is skipped.
#include <cstdint>

namespace zorvik {
class Zorvik;
}

namespace ComPSY {

// StateClick at the last clicked point; StateLeave.
void ComPSYProc2(std::int16_t &state, zorvik::Zorvik *engine);

} // namespace ComPSY
