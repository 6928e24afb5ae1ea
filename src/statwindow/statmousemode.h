#pragma once
// The one way a statistics tool window (the statistics map window's tool
// bar, the pyramid window) puts the map's mouse into a statistics mode:
// the main tool bar's "TB_NORMAL" is pressed, the operation room's first map
// mode is selected (without an operation room the map window's normal mode
// is set instead), the engine's MouseEventMode becomes 4 so that clicks
// reach the mode as StateClick, and then the dispatcher changes to the mode
// with sub-type 0 and the no-parameter text.
#include <cstdint>

namespace veltra::statwindow {

enum class RunningMode {
    Leave, // the running mode is left normally (state -1)
    Abandon, // the running mode gets no leave: gintModeNo is zeroed first
};

void startStatisticsMouseMode(std::int16_t mode, RunningMode running = RunningMode::Leave);

} // namespace veltra::statwindow
