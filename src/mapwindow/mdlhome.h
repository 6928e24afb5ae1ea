#pragma once
// mdlHome: the home registration tool, mode 1002. Entering shows the
// registration window frmHome beside the map; leaving unloads it and brings
// the map window to the front.
#include <cstdint>

namespace mdlHome {

// Mode 1002 handler: state 0 shows frmHome, state -1 unloads it.
void HomeMode(std::int16_t &state);

// True while a leave of the mode is unloading the window (the window then
// does not leave the mode a second time).
bool leaving();

} // namespace mdlHome
