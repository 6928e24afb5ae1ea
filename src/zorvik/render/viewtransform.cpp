#include "zorvik/render/viewtransform.h"

#include "zorvik/core/geo.h"
#include "zorvik/render/valuecompare.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

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
    return std::clamp(scale, MinScale, MaxScale);
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
