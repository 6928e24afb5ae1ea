#pragma once
// The search windows that a mode opens inline, registered by the search
// subsystem. The element searches are handlers of the mode registry.
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

struct SearchWindows
{
    std::function<void(zorvik::Zorvik *)> showAddressSearch; // 1001: place-name search, modal
};

} // namespace veltra::shell
