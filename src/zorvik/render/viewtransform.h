#pragma once
// ViewTransform: the complete, immutable description of one view of the map
// and every conversion between its coordinate systems. Built from the centre
// (world units), the scale denominator, the rotation angle, the size in
// device pixels and the logical DPI; the metres per world unit along X and Y
// are taken at the centre latitude, so the mapping is one affine transform.
//
// Units: world = hundredths of an arc-second (X east, Y north); device = px of
// the target, Y down; twips = px * 1440 / DPI. Scale 1:N means 1 cm on the
// target is N cm on the ground, with 0.0254 / DPI metres per pixel. Angle is in
// degrees, counter-clockwise on the target (90 puts east at the top).
// Invariants: the scale is clamped to MinScale..MaxScale; a transform is valid
// when its size is not empty and its DPI is positive. Changes go through the
// with...() methods, which return a changed copy.
//
// Rounding: world values handed to callers are rounded half away from zero
// (roundWorld); nothing else in the engine rounds world coordinates. A scale
// is kept to 12 significant digits (tidyScale), so that a product of zoom
// factors such as 0.1 or 0.8 lands on its decimal value and a step back
// returns to the scale it came from; a scale fitted to a box is a whole
// number (wholeScaleToFit, scaleToFitWhole), so the scale box and the
// kinds' display ranges agree on it.
#include "zorvik/core/types.h"
#include "zorvik/core/viewmetrics.h"

#include <QPointF>
#include <QPolygonF>
#include <QSize>
#include <QTransform>
#include <cstdint>

namespace zorvik {

class ViewTransform
{
public:
    static constexpr double MinScale = 100.0;
    static constexpr double MaxScale = 100000000.0;
    static constexpr double MetresPerInch = 0.0254;

    ViewTransform() = default; // not valid
    ViewTransform(double centerX, double centerY, double scale, double angleDeg, QSize sizePx, double dpi);

    bool isValid() const { return !m_size.isEmpty() && m_dpi > 0; }

    double centerX() const { return m_centerX; }
    double centerY() const { return m_centerY; }
    double scale() const { return m_scale; }
    double angle() const { return m_angle; }
    QSize size() const { return m_size; }
    double dpi() const { return m_dpi; }
    double metresPerUnitX() const { return m_mX; }
    double metresPerUnitY() const { return m_mY; }

    ViewTransform withCenter(double x, double y) const;
    ViewTransform withScale(double scale) const;
    ViewTransform withAngle(double angleDeg) const;
    ViewTransform withSize(QSize sizePx) const;
    ViewTransform withDpi(double dpi) const;

    // Device pixels per metre on the ground.
    double pixelsPerMetre() const { return m_dpi / (MetresPerInch * m_scale); }
    // Size of the (unrotated) view in world units along X and Y.
    double viewWidth() const;
    double viewHeight() const;
    // The scale at which w x h world units just fill the view.
    double scaleToFit(double worldWidth, double worldHeight) const;
    // scaleToFit rounded to a whole number, halves to even: the scale of a
    // dragged rectangle or of the whole map.
    double wholeScaleToFit(double worldWidth, double worldHeight) const;
    // The scale for a box given in whole world units (ZoomWindow). Callers
    // make such a box from this view's whole-unit size divided by a zoom
    // factor and rounded again, so it fixes the scale only to within those
    // two roundings. Within that range the scale is this one divided by the
    // shortest decimal factor (at most four significant digits), so that a
    // zoom step lands on the exact product; failing that the whole number
    // nearest to the fit, else the fit itself.
    double scaleToFitWhole(std::int32_t worldWidth, std::int32_t worldHeight) const;
    // Device length of `units` world units along Y (sizes of symbols, texts).
    double worldLengthToPixels(double unitsY) const { return unitsY * m_mY * pixelsPerMetre(); }

    QPointF worldToDevice(double x, double y) const
    {
        return {m_a11 * x + m_a12 * y + m_b1, m_a21 * x + m_a22 * y + m_b2};
    }
    QPointF deviceToWorld(QPointF device) const;
    // Affine world -> device transform, for QPainter.
    QTransform toDevice() const;
    // Axis-aligned world box around the whole (possibly rotated) view.
    WorldBox visibleBox() const;

    // What the engine's searches and unit ratios read of this view (the
    // centre rounded as callers see it).
    ViewMetrics metrics() const { return {m_scale, m_dpi, roundWorld(m_centerY)}; }

    double pixelsToTwips(double px) const { return px * 1440.0 / m_dpi; }
    double twipsToPixels(double twips) const { return twips * m_dpi / 1440.0; }

    // Clamped to MinScale..MaxScale and tidied; any scale a view takes.
    static double clampScale(double scale);
    // `scale` rounded to 12 significant digits, which drops the binary drift
    // of a product of decimal factors and keeps every decimal scale.
    static double tidyScale(double scale);
    static std::int32_t roundWorld(double v);

    bool operator==(const ViewTransform &o) const;

private:
    void update();

    double m_centerX = 0, m_centerY = 0;
    double m_scale = 25000, m_angle = 0;
    QSize m_size;
    double m_dpi = 0;
    double m_mX = 0, m_mY = 0;
    double m_a11 = 0, m_a12 = 0, m_a21 = 0, m_a22 = 0, m_b1 = 0, m_b2 = 0;
};

} // namespace zorvik
