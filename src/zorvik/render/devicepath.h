#pragma once
// Builds device-pixel polylines from world points for drawing: vertices
// closer than half a pixel to the last kept one are merged, and the line is
// cut into runs that stay near the target, so that long lines far outside the
// view cost nothing (dashed pens would otherwise walk their whole length).
#include "zorvik/render/viewtransform.h"

#include <QPolygonF>
#include <QRectF>
#include <functional>

namespace zorvik {

class DevicePathBuilder
{
public:
    // `target` is the device area that matters, already grown by a margin.
    DevicePathBuilder(const ViewTransform &view, const QRectF &target);

    // Calls `run` with each drawable run of at least two points. With `cut`
    // false (filled shapes) the whole merged ring comes back as one run.
    void build(int count, const std::function<QPointF(int)> &worldPoint,
        const std::function<void(const QPolygonF &)> &run, bool cut = true) const;

    const ViewTransform &view() const { return m_view; }
    const QRectF &target() const { return m_target; }

private:
    bool segmentNear(QPointF a, QPointF b) const;

    const ViewTransform &m_view;
    QRectF m_target;
};

} // namespace zorvik
