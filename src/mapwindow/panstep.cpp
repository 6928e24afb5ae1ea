#include "mapwindow/panstep.h"

#include "platform/vb/convert.h"

#include <array>
#include <cmath>
#include <numbers>

namespace veltra::mapwindow {

QPointF panDirection(int button)
{
    static constexpr std::array<std::array<int, 2>, 8> directions{
        {{-1, 1}, {0, 1}, {1, 1}, {-1, 0}, {1, 0}, {-1, -1}, {0, -1}, {1, -1}}};
    if (button < 0 || button >= static_cast<int>(directions.size()))
        return {};
    const auto &d = directions[static_cast<std::size_t>(button)];
    return QPointF(d[0], d[1]);
}

QPointF panTarget(int button, double angle, double scale, double centerX, double centerY)
{
    const QPointF d = panDirection(button);
    const double whole = std::fmod(vb::roundHalfEven(angle), 360.0);
    const double a = -whole * std::numbers::pi / 180.0;
    const double dx = d.x() * std::cos(a) - d.y() * std::sin(a);
    const double dy = d.y() * std::cos(a) + d.x() * std::sin(a);
    return QPointF(scale / 3.0 * dx + centerX, scale / 3.0 * dy + centerY);
}

} // namespace veltra::mapwindow
