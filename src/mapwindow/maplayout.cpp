#include "mapwindow/maplayout.h"

namespace veltra::mapwindow {

namespace {

// A control refuses a negative size; its old place stays.
void place(TwipsRect &target, double left, double top, double width, double height)
{
    if (width < 0 || height < 0)
        return;
    target = {left, top, width, height};
}

} // namespace

MapWindowGeometry layoutMapWindow(const MapWindowGeometry &current, double scaleWidth, double scaleHeight)
{
    MapWindowGeometry g = current;
    auto &b = g.buttons;
    const double bw = b[0].width, bh = b[0].height;

    place(g.map, bw + 50, bh + 50, scaleWidth - 100 - 2 * bw, scaleHeight - 100 - 2 * bh);
    place(b[1], g.map.left, b[0].top, g.map.width, bh);
    place(b[2], g.map.left + g.map.width + 20, b[0].top, bw, bh);
    place(b[3], b[0].left, g.map.top, bw, g.map.height);
    place(b[4], b[2].left, g.map.top, bw, g.map.height);
    place(b[5], b[0].left, g.map.top + g.map.height + 20, bw, bh);
    place(b[6], b[1].left, b[5].top, b[1].width, bh);
    place(b[7], b[2].left, b[5].top, bw, bh);
    place(g.scaleBar, g.map.width + bw - g.scaleBar.width, g.map.height + bh - g.scaleBar.height,
        g.scaleBar.width, g.scaleBar.height);
    place(g.compass, bw + 100, g.map.height + bh - g.compass.height, g.compass.width, g.compass.height);
    return g;
}

} // namespace veltra::mapwindow
