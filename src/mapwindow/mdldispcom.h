#pragma once
// mdlDispCom: the plain navigation commands of the map. The pointer modes
// (normal, rectangle zoom, click zoom-out, engine pan, drag move), the
// whole-country view, the redraw, the rotation window and the three
// display-settings windows. Menus, tool bars and the operation room call them
// directly (through the mode registry's navigation table); list-bar items and
// story steps reach them as mode 1 with a sub-type, whose handler is
// DisplayMode.
//
// A pointer mode stays until another pointer mode or a tool replaces it;
// leaving mode 1 in sub-types 0, 1, 2 and 7 returns the map to the normal
// pointer. Status texts go to panel 1 of the main frame.
#include <cstdint>
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace mdlDispCom {

// Mode 1 handler; acts on the current sub-type gintModeSub.
void DisplayMode(std::int16_t &state, zorvik::Zorvik *engine);

void SetSelectZoomMode(zorvik::Zorvik *engine);
void SetZoomOutMode(zorvik::Zorvik *engine);
void SetMoveMode(zorvik::Zorvik *engine);
void SetNormalMode(zorvik::Zorvik *engine);
void SetDragMoveMode(zorvik::Zorvik *engine);
// The whole country: scale 1:15000000 around the current centre (gobjZor).
void ShowAllArea(zorvik::Zorvik *engine);
// The map drawn again at its own centre and scale.
void Redraw(zorvik::Zorvik *engine);
// The rotation window with the map's angle, modeless, owned by the main frame.
void ShowTurnDialog(zorvik::Zorvik *engine);
void ShowDisplaySettings();
void ShowKindStyles();
void ShowAddDefinition();

} // namespace mdlDispCom

namespace veltra::mapwindow {

// The display-settings window (frmView) and the kind-definition window
// (frmAddDef) belong to later subsystems, which register how to show them.
// The kind-style window (frmView2) is showDisplaySettings of the mode
// registry's view windows, which the frame's menu uses too.
struct DisplayWindows
{
    std::function<void()> showDisplaySettings; // frmView
    std::function<void()> showAddDefinition; // frmAddDef
};
DisplayWindows &displayWindows();

} // namespace veltra::mapwindow
