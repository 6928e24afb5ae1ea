#pragma once
// Registers the ranking and real-value maps (map kinds 5 and 6) with the
// drawing road, the ranking pop-up it loads before kinds 5 and 8 and shows
// after them, and the main frame's legend picture as the one the
// spreadsheet export pastes.
namespace veltra::statrender {

void registerLegendPopups();

} // namespace veltra::statrender
