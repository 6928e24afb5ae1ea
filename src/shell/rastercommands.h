#pragma once
// The raster images' switch and move window, which the 背景地図 menu and mode
// 205 use, registered by the raster subsystem.
#include <cstdint>
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

struct RasterCommands
{
    std::function<int(zorvik::Zorvik *)> rasterVisible; // the engine's raster switch
    std::function<void(std::int16_t command, zorvik::Zorvik *)> rasterCommand; // 0 show, 1 hide
    std::function<void()> showRasterMove; // frmImageMove
};

} // namespace veltra::shell
