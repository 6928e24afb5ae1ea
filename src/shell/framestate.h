#pragma once
// The main frame's part of saving the window record at exit: its window
// state, its position and size in twips, and the check marks of six view
// menus, captured into gtypWinInfo and saved with mdlSave::SaveSettings.
//
// The frame window fills a FrameState from its widgets; the capture itself
// needs no window, so it is tested headless.
#include "shell/wininfo.h"

#include <QString>
#include <cstdint>

namespace veltra::shell {

struct FrameState
{
    std::int32_t windowState = 0; // 0 normal, 1 minimised, 2 maximised
    double top = 0; // twips
    double left = 0;
    double width = 0;
    double height = 0;
    bool statusBarChecked = false; // mnuViewStatusBar
    bool toolBarChecked = false; // mnuViewToolBar
    bool legendChecked = false; // mnuExtNotes
    bool compassChecked = false; // mnuDirection
    bool overviewChecked = false; // mnuAllAreaMap
    bool scaleChecked = false; // mnuScale
};

// Copies the frame's state into the record (geometry rounded to whole twips).
void captureFrameState(WindowInfo &info, const FrameState &frame);

// captureFrameState into gtypWinInfo, then mdlSave::SaveSettings.
bool saveWindowInfo(const FrameState &frame, QString *error = nullptr);

} // namespace veltra::shell
