#include "zorvik/render/viewtransform.h"

#include "zorvik/core/geo.h"
#include "zorvik/render/valuecompare.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace zorvik {

ViewTransform::ViewTransform(
    double centerX, double centerY, double scale, double angleDeg, QSize sizePx, double dpi)
    : m_centerX(centerX)
    , m_centerY(centerY)
    , m_scale(clampScale(scale))
    , m_angle(angleDeg)
    , m_size(sizePx)
    , m_dpi(dpi)
{
    update();
}

double ViewTransform::clampScale(double scale)
{
    if (!std::isfinite(scale))
        return MaxScale;
    return tidyScale(std::clamp(scale, MinScale, MaxScale));
}

double ViewTransform::tidyScale(double scale)
{
    if (!std::isfinite(scale) || scale <= 0)
        return scale;
    constexpr int Digits = 12;
    // Powers of ten up to 1e22 are exact doubles; dividing by one (rather than
    // multiplying by its inexact inverse) gives the double nearest the decimal.
    const int last = static_cast<int>(std::floor(std::log10(scale))) - (Digits - 1);
    if (last >= 0) {
        const double step = std::pow(10.0, last);
        return std::round(scale / step) * step;
    }
    const double per = std::pow(10.0, -last);
    return std::round(scale * per) / per;
}

std::int32_t ViewTransform::roundWorld(double v)
{
    const double r = std::round(v);
    if (r >= std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (r <= std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

void ViewTransform::update()
{
    const double lat = geo::latitude(m_centerY);
    m_mX = geo::metresPerUnitX(lat);
    m_mY = geo::metresPerUnitY(lat);
    const double k = m_dpi > 0 ? pixelsPerMetre() : 0;
    const double rad = m_angle * std::numbers::pi / 180.0;
    const double c = std::cos(rad), s = std::sin(rad);
    // Ground metres from the centre, turned counter-clockwise, then Y down.
    m_a11 = k * m_mX * c;
    m_a12 = -k * m_mY * s;
    m_a21 = -k * m_mX * s;
    m_a22 = -k * m_mY * c;
    m_b1 = m_size.width() / 2.0 - m_a11 * m_centerX - m_a12 * m_centerY;
    m_b2 = m_size.height() / 2.0 - m_a21 * m_centerX - m_a22 * m_centerY;
}

ViewTransform ViewTransform::withCenter(double x, double y) const
{
    return ViewTransform(x, y, m_scale, m_angle, m_size, m_dpi);
}

ViewTransform ViewTransform::withScale(double scale) const
{
    return ViewTransform(m_centerX, m_centerY, scale, m_angle, m_size, m_dpi);
}

ViewTransform ViewTransform::withAngle(double angleDeg) const
{
    return ViewTransform(m_centerX, m_centerY, m_scale, angleDeg, m_size, m_dpi);
}

ViewTransform ViewTransform::withSize(QSize sizePx) const
{
    return ViewTransform(m_centerX, m_centerY, m_scale, m_angle, sizePx, m_dpi);
}

ViewTransform ViewTransform::withDpi(double dpi) const
{
    return ViewTransform(m_centerX, m_centerY, m_scale, m_angle, m_size, dpi);
}

double ViewTransform::viewWidth() const
{
    return m_size.width() * (MetresPerInch / m_dpi) * m_scale / m_mX;
}

double ViewTransform::viewHeight() const
{
    return m_size.height() * (MetresPerInch / m_dpi) * m_scale / m_mY;
}

double ViewTransform::scaleToFit(double worldWidth, double worldHeight) const
{
    const double metresPerPixel = MetresPerInch / m_dpi;
    double s = 0;
    if (worldWidth > 0 && m_size.width() > 0)
        s = std::max(s, worldWidth * m_mX / (m_size.width() * metresPerPixel));
    if (worldHeight > 0 && m_size.height() > 0)
        s = std::max(s, worldHeight * m_mY / (m_size.height() * metresPerPixel));
    return clampScale(s > 0 ? s : m_scale);
}

double ViewTransform::wholeScaleToFit(double worldWidth, double worldHeight) const
{
    return clampScale(std::nearbyint(scaleToFit(worldWidth, worldHeight)));
}

namespace {

// The number in [low, high] with the fewest significant decimal digits, at
// most `maxDigits`, a last digit 5 counting as half a digit less than any
// other (1.25 before 1.24, as zoom factors go); among equals the one nearest
// `target`.
std::optional<double> shortestDecimal(double low, double high, double target, int maxDigits)
{
    if (!(low > 0) || !(high >= low) || !std::isfinite(high))
        return std::nullopt;
    const int top = static_cast<int>(std::floor(std::log10(high)));
    for (int digits = 1; digits <= maxDigits; ++digits) {
        const int last = top - digits + 1;
        // n * 10^e, formed by one exact multiplication or division.
        const auto value
            = [](double n, int e) { return e >= 0 ? n * std::pow(10.0, e) : n / std::pow(10.0, -e); };
        const double ten = std::pow(10.0, std::abs(last));
        const auto count = [&](double v) { return last >= 0 ? v / ten : v * ten; };
        const double first = std::ceil(count(low)), end = std::floor(count(high));
        if (first <= end)
            return value(std::clamp(std::round(count(target)), first, end), last);
        // n + 1/2 of the same digit: one more digit, a 5.
        const double firstHalf = std::ceil(count(low) - 0.5), endHalf = std::floor(count(high) - 0.5);
        if (digits < maxDigits && firstHalf <= endHalf) {
            const double n = std::clamp(std::round(count(target) - 0.5), firstHalf, endHalf);
            return value(n * 10 + 5, last - 1);
        }
    }
    return std::nullopt;
}

} // namespace

double ViewTransform::scaleToFitWhole(std::int32_t worldWidth, std::int32_t worldHeight) const
{
    if (!isValid())
        return m_scale;
    const double metresPerPixel = MetresPerInch / m_dpi;
    struct Axis
    {
        double scalePerUnit; // the fitted scale of one world unit
        double side; // the side asked for
        double own; // this view's side
    };
    const Axis axes[]
        = {{m_mX / (m_size.width() * metresPerPixel), static_cast<double>(worldWidth), viewWidth()},
            {m_mY / (m_size.height() * metresPerPixel), static_cast<double>(worldHeight), viewHeight()}};
    // `low`..`high`: the fitted scales of the sides the box may stand for;
    // `stepLow`..`stepHigh`: the scales at which both sides fit at once, when
    // the box has this view's shape (a zoom step).
    double fit = 0, low = 0, high = 0;
    double stepLow = 0, stepHigh = std::numeric_limits<double>::infinity();
    for (const Axis &a : axes) {
        if (a.side <= 0)
            continue;
        // The side's own rounding, and this view's rounded side carried to it
        // by the zoom factor; a hair more for the arithmetic that measured them.
        const double slack = (0.5 + 0.5 * a.side / a.own) * (1 + 1e-9);
        const double sideLow = (a.side - slack) * a.scalePerUnit;
        const double sideHigh = (a.side + slack) * a.scalePerUnit;
        fit = std::max(fit, a.side * a.scalePerUnit);
        low = std::max(low, sideLow);
        high = std::max(high, sideHigh);
        stepLow = std::max(stepLow, sideLow);
        stepHigh = std::min(stepHigh, sideHigh);
    }
    if (!(fit > 0) || !std::isfinite(fit))
        return m_scale;
    if (stepLow > 0 && stepLow <= stepHigh) {
        if (const auto factor = shortestDecimal(m_scale / stepHigh, m_scale / stepLow, m_scale / fit, 4))
            return clampScale(m_scale / *factor);
    }
    const double whole = std::nearbyint(fit);
    return clampScale(whole >= low && whole <= high ? whole : fit);
}

QPointF ViewTransform::deviceToWorld(QPointF device) const
{
    const double det = m_a11 * m_a22 - m_a12 * m_a21;
    if (det == 0)
        return {m_centerX, m_centerY};
    const double u = device.x() - m_b1, v = device.y() - m_b2;
    return {(m_a22 * u - m_a12 * v) / det, (-m_a21 * u + m_a11 * v) / det};
}

QTransform ViewTransform::toDevice() const
{
    return QTransform(m_a11, m_a21, m_a12, m_a22, m_b1, m_b2);
}

WorldBox ViewTransform::visibleBox() const
{
    WorldBox box;
    const double w = m_size.width(), h = m_size.height();
    for (QPointF corner : {QPointF(0, 0), QPointF(w, 0), QPointF(0, h), QPointF(w, h)}) {
        const QPointF p = deviceToWorld(corner);
        box.include(static_cast<std::int32_t>(std::floor(std::clamp(p.x(), -2e9, 2e9))),
            static_cast<std::int32_t>(std::floor(std::clamp(p.y(), -2e9, 2e9))));
        box.include(static_cast<std::int32_t>(std::ceil(std::clamp(p.x(), -2e9, 2e9))),
            static_cast<std::int32_t>(std::ceil(std::clamp(p.y(), -2e9, 2e9))));
    }
    return box;
}

bool ViewTransform::operator==(const ViewTransform &o) const
{
    return sameValue(m_centerX, o.m_centerX) && sameValue(m_centerY, o.m_centerY)
        && sameValue(m_scale, o.m_scale) && sameValue(m_angle, o.m_angle) && m_size == o.m_size
        && sameValue(m_dpi, o.m_dpi);
}

} // namespace zorvik
