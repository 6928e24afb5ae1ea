#pragma once
// The two layouts of the statistics map window around a map output: the
// compact tool bar (one row of commands, the step frames hidden) and the
// full wizard that "統計地図設定" brings back. Heights are the window's
// outer heights in twips, title bar included.
//
// The compact row sits at the top of the window's inside, the one place a
// window of about a thousand twips shows.
class frmStatisticsMap;

namespace veltra::statwindow {

inline constexpr int CompactHeightAfterOutput = 1100;
inline constexpr int FullLayoutHeight = 11000;

// cmdObjClear, cmdLoad, cmdSave, chkObjMove, cmdReSize and chkDataSansho in
// one row, each 5 twips right of the one before; cmdEnd in the row and
// cmdReDisp where cmdMapOut stands; the step frames hidden.
void showCompactRow(frmStatisticsMap &window, int heightTwips);

// The three step frames, cmdEnd at 672 twips, cmdReDisp hidden, the clear
// and load buttons in the top row and the other tool-bar commands hidden.
// The check boxes keep their state: a running mode goes on.
void showFullLayout(frmStatisticsMap &window);

} // namespace veltra::statwindow
