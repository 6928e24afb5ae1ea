#pragma once
// Registers the statistics map window with the shell: modes 90 and 99
// (without a file), the 統計機能 menu item and its tool-bar button show it.
namespace veltra::statwindow {

void registerStatisticsWindow();

} // namespace veltra::statwindow
