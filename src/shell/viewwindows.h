#pragma once
// The windows and overlays beside the map that the frame's 表示 menu shows
// and hides.
//
// ViewWindows is registered by the map window; OverviewWindow (the
// whole-area overview, frmAllAreaView) by the map window's navigation.
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

struct ViewWindows
{
    std::function<void(bool)> setLegendWindowVisible; // frmExpNotes shown or hidden
    std::function<void(bool)> setCompassVisible; // the map window's compass, redrawn when shown
    std::function<void(bool)> setScaleBarVisible; // the map window's scale bar
    std::function<void()> showDisplaySettings; // frmView2
};

struct OverviewWindow
{
    std::function<void(zorvik::Zorvik *)> show; // bitmap, engine, show
    std::function<void()> unload;
    std::function<bool()> shown; // whether the window is open
    // Mode 203 when the frame registers no toggle of its own.
    std::function<void()> toggle;
};

} // namespace veltra::shell
