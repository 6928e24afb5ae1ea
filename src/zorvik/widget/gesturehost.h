#pragma once
// GestureHost: what a mouse-mode handler may do to the widget - read the view,
// move or zoom it, show interaction feedback, and run the engine's searches.
// The widget implements it; handlers never see the widget itself.
#include "zorvik/core/engine.h"
#include "zorvik/render/viewtransform.h"

#include <QPolygonF>
#include <QRectF>
#include <optional>

namespace zorvik {

class GestureHost
{
public:
    virtual ~GestureHost() = default;
    virtual ViewTransform view() const = 0;
    virtual Engine &engine() = 0;
    virtual double zoomInFactor() const = 0;
    virtual double zoomOutFactor() const = 0;
    // Centre on (x, y) and fit w x h world units, at a whole scale.
    virtual void zoomTo(double x, double y, double w, double h) = 0;
    // Centre on (x, y) and divide the view's extent by `divisor` (a zoom
    // step: the scale becomes the exact quotient).
    virtual void zoomAt(double x, double y, double divisor) = 0;
    virtual void panTo(double x, double y) = 0;

    // Feedback painted over the map (never printed).
    virtual void setRubberBand(std::optional<QRectF> deviceRect) = 0;
    virtual void setRubberLine(const QPolygonF &worldPoints, std::optional<QPointF> pointer) = 0;
    virtual void setPanOffset(QPointF devicePx) = 0;
    virtual void setPointerAt(std::optional<QPointF> world) = 0;
};

} // namespace zorvik
