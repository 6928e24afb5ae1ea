#pragma once
// The main frame's own commands that the mode dispatcher runs inline: the
// layout pass after a leave, the 表示 toggles (modes 201, 202, 203, 204),
// import (94), the first help page (96), the launcher (97), printing and
// the about box. The frame registers them when it is built; without a frame
// they do nothing.
#include <cstdint>
#include <functional>

namespace veltra::shell {

struct FrameCommands
{
    std::function<void(std::int16_t &bPro)> layOut; // the frame's layout pass after a leave
    std::function<void()> toggleLegend; // 201
    std::function<void()> toggleCompass; // 202
    // 203; without it the overview window's own toggle runs (OverviewWindow).
    std::function<void()> toggleOverview;
    std::function<void()> toggleScaleBar; // 204
    std::function<void()> importCommand; // 94: the frame's import menu command
    std::function<void()> openHelpPage; // 96: the frame's first help menu item
    std::function<void()> showLauncher; // 97: launcher window
    std::function<void()> printMap; // frmMain.PrintMap
    std::function<void()> printScreen; // the screen print
    std::function<void()> showAbout; // frmAbout, modal
};

} // namespace veltra::shell
