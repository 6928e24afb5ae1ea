#pragma once
// Where the main frame's panes stand in its document area, for the beginner
// and the pro layout, with the list bar or the story player at the left.
//
// All measures are in one unit (the frame works in pixels, the examples of
// the tests in twips): SW and SH are the inner width and height of the
// document area, OH the operation room's own height, LW the width of the
// pane that the left side shows. The beginner layout puts the operation room
// across the bottom; the pro layout has none and the tool bars above.
//
// A placement whose width or height would be negative (a frame shrunk below
// its panes) is left out, so the window keeps its last place instead of
// failing half-way through the layout.
#include <QRect>
#include <optional>

namespace veltra::shell {

struct FrameLayoutInput
{
    bool pro = false; // gbPro == -1
    bool story = false; // gbStoryMode == -1
    int innerWidth = 0; // SW
    int innerHeight = 0; // SH
    int opeRoomHeight = 0; // OH
    int leftPaneWidth = 0; // LW: the story player's width in story mode, else the list bar's
};

struct FrameLayoutPlan
{
    std::optional<QRect> leftPane; // list bar or story player
    std::optional<QRect> opeRoom; // beginner layout only
    std::optional<QRect> mapWindow; // not moved in the beginner layout with the story player
    int toolWindowHeight = 0; // height given to the running tool's window
};

FrameLayoutPlan planFrameLayout(const FrameLayoutInput &in);

// Where the map window is fitted after a tool window closed: beside the left
// pane, down to the operation room in the beginner layout.
std::optional<QRect> arrangedMapRect(const FrameLayoutInput &in);

// Where a tool window stands: at the list bar's width (whatever the left
// pane shows), at the top, with its own width and the map's inner height.
QRect toolPaneRect(int listBarWidth, int width, int mapInnerHeight);

} // namespace veltra::shell
