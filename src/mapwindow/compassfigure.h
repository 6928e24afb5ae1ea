#pragma once
// The figure of the map window's compass for a map angle, in pixels of the
// compass box: eight arrows around the centre (north red, south blue, the
// others white; the diagonal ones shorter), two discs at the centre and an
// "N" beyond the north arrow. The compass turns against the map angle, so at
// angle 90 north points to the left. Points are rounded, halves to even.
#include <QColor>
#include <QPoint>
#include <QPolygon>
#include <QSize>
#include <array>

namespace veltra::mapwindow {

struct CompassFigure
{
    QPoint centre;
    std::array<QPolygon, 8> arrows; // arrow j points 45·j degrees clockwise from north
    std::array<QColor, 8> colours;
    int outerRadius = 15; // disc filled red
    int innerRadius = 7; // disc filled blue
    std::array<QPoint, 4> letterN; // joined 1-2, 2-3, 3-4 by red lines
};

// The compass for map `angle` in degrees in a box of `pixels`.
CompassFigure compassFigure(double angle, QSize pixels);

} // namespace veltra::mapwindow
