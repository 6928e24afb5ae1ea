#include "mapwindow/compassfigure.h"

#include "platform/vb/convert.h"

#include <cmath>
#include <numbers>

namespace veltra::mapwindow {

namespace {

int roundPx(double v)
{
    return static_cast<int>(vb::roundHalfEven(v));
}

QPoint turn(double x, double y, double c, double s, double cx, double cy)
{
    return QPoint(roundPx(x * c - y * s + cx), roundPx(x * s + y * c + cy));
}

} // namespace

CompassFigure compassFigure(double angle, QSize pixels)
{
    CompassFigure f;
    const double g = -angle;
    const double cx = roundPx(pixels.width() / 2.0);
    const double cy = roundPx(pixels.height() / 2.0);
    f.centre = QPoint(static_cast<int>(cx), static_cast<int>(cy));

    for (int j = 0; j < 8; ++j) {
        const double theta = (g + 45.0 * j) * std::numbers::pi / 180.0;
        const double c = std::cos(theta), s = std::sin(theta);
        const double shorten = (j % 2 == 1) ? 10.0 : 0.0;
        QPolygon arrow;
        arrow << turn(-10, 0 + shorten, c, s, cx, cy) << turn(0, -38 + shorten, c, s, cx, cy)
              << turn(10, 0 + shorten, c, s, cx, cy);
        f.arrows[static_cast<std::size_t>(j)] = arrow;
        f.colours[static_cast<std::size_t>(j)]
            = j == 0 ? QColor(255, 0, 0) : (j == 4 ? QColor(0, 0, 255) : QColor(255, 255, 255));
    }

    const double gr = g * std::numbers::pi / 180.0;
    const double c = std::cos(gr), s = std::sin(gr);
    const double nx = cx + 43.0 * s, ny = cy - 43.0 * c;
    const std::array<std::array<double, 2>, 4> n{{{-4, 4}, {-4, -4}, {4, 4}, {4, -4}}};
    for (std::size_t i = 0; i < n.size(); ++i)
        f.letterN[i] = turn(n[i][0], n[i][1], c, s, nx, ny);
    return f;
}

} // namespace veltra::mapwindow
