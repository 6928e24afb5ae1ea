#pragma once
// The navigation commands and settings windows that the frame's menus, tool
// bars and status bar call, registered by the map window's navigation at
// start-up. Mode 1 and the home mode (1002) are handlers of the mode
// registry, not entries here.
#include <QString>
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

struct NavigationCommands
{
    std::function<void(zorvik::Zorvik *)> setNormalMode; // 標準
    std::function<void(zorvik::Zorvik *)> setDragMoveMode; // 移動
    std::function<void(zorvik::Zorvik *)> setSelectZoomMode; // 選択拡大
    std::function<void(zorvik::Zorvik *)> showAllArea; // 全体表示
    std::function<void(zorvik::Zorvik *)> redraw; // 再表示
    // The view-date dialog; the argument preselects a mode ("Time" from the
    // status bar's 指定日 panel) without changing gstrSetDateMode.
    std::function<void(const QString &preselectedMode)> showViewDate;
    std::function<void()> showPointOptions; // 座標設定
    std::function<void()> showViewOptions; // その他設定
};

} // namespace veltra::shell
