#include "statwindow/searchshapes.h"

#include "platform/vb/convert.h"

#include <cmath>
#include <numbers>

namespace veltra::statwindow {

namespace {

std::int32_t rounded(double v)
{
    return static_cast<std::int32_t>(vb::roundHalfEven(v));
}

struct Point
{
    std::int64_t x = 0;
    std::int64_t y = 0;
};

struct Segment
{
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    std::int64_t length = 0;
};

// The side points at `p` of a segment: A on the left, B on the right.
void sidePoints(Point p, const Segment &s, std::int64_t w, Point &a, Point &b)
{
    const double f = static_cast<double>(w) / static_cast<double>(s.length);
    a = {rounded(f * static_cast<double>(-s.dy) + static_cast<double>(p.x)),
        rounded(f * static_cast<double>(s.dx) + static_cast<double>(p.y))};
    b = {rounded(f * static_cast<double>(s.dy) + static_cast<double>(p.x)),
        rounded(f * static_cast<double>(-s.dx) + static_cast<double>(p.y))};
}

// Where the offset line through `before` along `prev` meets the one through
// `at` along `next`.
Point corner(Point before, Point at, const Segment &prev, const Segment &next, std::int64_t d)
{
    const std::int64_t c = (at.y - before.y) * prev.dx - prev.dy * (at.x - before.x);
    const double t = static_cast<double>(c) / static_cast<double>(d);
    return {rounded(t * static_cast<double>(next.dx) + static_cast<double>(at.x)),
        rounded(t * static_cast<double>(next.dy) + static_cast<double>(at.y))};
}

} // namespace

PointList circlePoints(
    std::int32_t count, std::int32_t radius, std::int32_t cx, std::int32_t cy, double xStretch)
{
    PointList ring;
    if (count < 2)
        return ring;
    const double pi = 4.0 * std::atan(1.0);
    const double step = 360.0 / static_cast<double>(count - 1);
    ring.x.resize(static_cast<std::size_t>(count));
    ring.y.resize(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const double a = (i * step) * 2.0 * pi / 360.0;
        ring.x[i] = rounded(radius * std::cos(a) * xStretch + cx);
        ring.y[i] = rounded(radius * std::sin(a) + cy);
    }
    ring.x[count - 1] = ring.x[0];
    ring.y[count - 1] = ring.y[0];
    return ring;
}

std::optional<Band> bandOutline(const PointList &line, std::int32_t halfWidth)
{
    const std::size_t n = std::min(line.x.size(), line.y.size());
    if (n < 2)
        return std::nullopt;
    std::vector<Point> p(n);
    for (std::size_t i = 0; i < n; ++i)
        p[i] = {rounded(line.x[i] / 100.0), rounded(line.y[i] / 100.0)};
    const std::int64_t w = rounded(halfWidth / 100.0);

    std::vector<Segment> seg(n - 1);
    std::vector<Point> a(n), b(n);
    for (std::size_t j = 0; j + 1 < n; ++j) {
        Segment &s = seg[j];
        s.dx = p[j + 1].x - p[j].x;
        s.dy = p[j + 1].y - p[j].y;
        s.length = rounded(std::sqrt(static_cast<double>(s.dx * s.dx + s.dy * s.dy)));
        if (s.length == 0)
            return std::nullopt;
        sidePoints(p[j], s, w, a[j], b[j]);
    }
    sidePoints(p[n - 1], seg[n - 2], w, a[n - 1], b[n - 1]);

    std::vector<Point> left(a), right(b);
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const Segment &prev = seg[k - 1];
        const Segment &next = seg[k];
        const std::int64_t d = next.dx * prev.dy - next.dy * prev.dx;
        if (d == 0)
            return std::nullopt;
        left[k] = corner(a[k - 1], a[k], prev, next, d);
        right[k] = corner(b[k - 1], b[k], prev, next, d);
    }

    Band band;
    band.reducedHalfWidth = static_cast<std::int32_t>(w);
    const auto put = [&band](Point q) {
        band.outline.x.push_back(static_cast<std::int32_t>(q.x * 100));
        band.outline.y.push_back(static_cast<std::int32_t>(q.y * 100));
    };
    for (std::size_t i = 0; i < n; ++i)
        put(left[i]);
    for (std::size_t i = n; i-- > 0;)
        put(right[i]);
    put(left[0]);
    return band;
}

std::optional<QString> areaCode(
    std::int16_t areaKind, const QString &name, std::int16_t elementKind, CodePeriod period)
{
    QString code;
    switch (areaKind) {
    case 206:
        if (name.size() == 2)
            code = name;
        break;
    case 211:
        if (period == CodePeriod::UpTo1970) {
            if (name.size() == 5)
                code = name + QStringLiteral("00");
            else if (name.size() == 7)
                code = name;
        } else if (name.size() == 5) {
            code = name;
        }
        break;
    case 227:
        if (elementKind == 227 || elementKind == 228)
            code = (name + QStringLiteral("00000000000")).left(11);
        break;
    default:
        break;
    }
    if (code.isEmpty() || !vb::isNumeric(code))
        return std::nullopt;
    return code;
}

} // namespace veltra::statwindow
