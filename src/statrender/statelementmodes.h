#pragma once
// Registers the modes that act on statistics elements already on the map
// with the mode dispatcher: graph move (80), parameter file (81), graph
// reference (82) and photo point (5501).
namespace veltra::statrender {

void registerStatElementModes();

} // namespace veltra::statrender
