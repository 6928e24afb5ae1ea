#pragma once
// The full wizard layout of the statistics map window, which "統計地図設定"
// and a failed map output bring back, and the window heights around an
// output (outer heights in twips, title bar included). The compact row
// itself is frmStatisticsMap::ShowCompactToolBar.
class frmStatisticsMap;

namespace veltra::statwindow {

inline constexpr int CompactHeightAfterOutput = 1100;
inline constexpr int FullLayoutHeight = 11000;

// The three step frames, cmdEnd at 672 twips, cmdReDisp hidden, the clear
// and load buttons in the top row and the other tool-bar commands hidden.
// The check boxes keep their state: a running mode goes on.
void showFullLayout(frmStatisticsMap &window);

} // namespace veltra::statwindow
