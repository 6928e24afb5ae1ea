#pragma once
// Windows of the map tools that a mode opens inline, registered by the map
// tools at start-up. The tools' own modes (image cut, area reference, ...)
// are handlers of the mode registry, not entries here.
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

struct MapToolWindows
{
    std::function<void(zorvik::Zorvik *)> showDatumWindow; // 70: hand over the engine, show modeless
};

} // namespace veltra::shell
