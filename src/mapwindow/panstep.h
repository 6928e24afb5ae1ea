#pragma once
// One step of the map window's pan buttons: a third of the scale denominator
// in world units, in the button's direction turned with the map's rotation
// (the angle rounded to whole degrees, halves to even, then taken modulo 360).
// World Y grows upwards; a positive angle turns the map counter-clockwise.
#include <QPointF>

namespace veltra::mapwindow {

// The step direction (dx, dy) of pan button 0..7; (0, 0) for other indexes.
QPointF panDirection(int button);

// The new view centre, as real numbers, after a step of `button` from
// (centerX, centerY) at `scale` and map `angle` in degrees.
QPointF panTarget(int button, double angle, double scale, double centerX, double centerY);

} // namespace veltra::mapwindow
