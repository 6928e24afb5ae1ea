#pragma once
// Registers the statistics map rendering with the shell: the statistics
// services that start-up, saving, exit and the map window's closing call,
// and the statistics actions of the mode dispatcher (mode 98, story start
// and end), the ranking and real-value maps with their pop-ups, and the
// modes that act on drawn statistics elements (80, 81, 82, 5501).
namespace veltra::statrender {

void registerStatisticsRendering();

} // namespace veltra::statrender
