#pragma once
// Registration of the map window's navigation with the shell: the handlers of
// mode 1 (mdlDispCom.DisplayMode) and mode 1002 (mdlHome.HomeMode), and the
// actions the frame's menus, tool bars and status bar call (pointer modes,
// whole view, redraw, overview toggle, the view-date dialog and the two view
// option windows). Called once at start-up.
namespace veltra::mapwindow {

void registerNavigation();

} // namespace veltra::mapwindow
