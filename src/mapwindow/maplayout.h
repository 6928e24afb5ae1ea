#pragma once
// The geometry of the map window: the map control framed by a ring of eight
// pan buttons, the scale bar in the map's lower right corner and the compass
// in its lower left corner. All values are twips in the window's inner area.
//
// Button 0 (upper left) is placed once and never moved; its width B and
// height H size the ring. The map starts 50 twips right of and below the
// ring's left and top buttons and ends 20 twips before its right and bottom
// buttons. Each placement that would give a negative width or height is
// skipped and the next one runs from the current positions, so a window that
// is too small keeps the map where it was and places the buttons around it.
#include <array>

namespace veltra::mapwindow {

struct TwipsRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const TwipsRect &) const = default;
};

// Pan buttons by index: 0 upper left, 1 top, 2 upper right, 3 left, 4 right,
// 5 lower left, 6 bottom, 7 lower right.
struct MapWindowGeometry
{
    TwipsRect map;
    std::array<TwipsRect, 8> buttons;
    TwipsRect scaleBar;
    TwipsRect compass;
    bool operator==(const MapWindowGeometry &) const = default;
};

// The geometry after a resize to an inner size of `scaleWidth` x
// `scaleHeight`, computed from the current one.
MapWindowGeometry layoutMapWindow(const MapWindowGeometry &current, double scaleWidth, double scaleHeight);

} // namespace veltra::mapwindow
