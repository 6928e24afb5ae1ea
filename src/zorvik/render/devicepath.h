#pragma once
// Builds device-pixel polylines from world points for drawing: vertices
// closer than half a pixel to the last kept one are merged, and the line is
// cut into runs that stay near the target, so that long lines far outside the
// view cost nothing (dashed pens would otherwise walk their whole length).
#include "zorvik/render/viewtransform.h"

#include <QPolygonF>
#include <QRectF>
#include <algorithm>

namespace zorvik {

class DevicePathBuilder
{
public:
    // `target` is the device area that matters, already grown by a margin.
    DevicePathBuilder(const ViewTransform &view, const QRectF &target);

    // Calls `run` with each drawable run of at least two points (the run may
    // be moved from). With `cut` false (filled shapes) the whole merged ring
    // comes back as one run. `worldPoint(i)` gives point i in world units.
    template <class PointFn, class RunFn>
    void build(int count, PointFn &&worldPoint, RunFn &&run, bool cut = true) const
    {
        QPolygonF line;
        line.reserve(std::min(count, 4096));
        QPointF last;
        for (int i = 0; i < count; ++i) {
            const QPointF w = worldPoint(i);
            const QPointF p = m_view.worldToDevice(w.x(), w.y());
            if (i == 0) {
                line.append(p);
                last = p;
                continue;
            }
            const double dx = p.x() - last.x(), dy = p.y() - last.y();
            const double d2 = dx * dx + dy * dy;
            if (d2 < 0.25 && (i != count - 1 || d2 == 0))
                continue;
            if (cut && !segmentNear(last, p)) {
                if (line.size() >= 2)
                    run(line);
                line.clear();
            } else if (line.isEmpty()) {
                line.append(last);
            }
            line.append(p);
            last = p;
        }
        if (line.size() >= 2)
            run(line);
    }

    const ViewTransform &view() const { return m_view; }
    const QRectF &target() const { return m_target; }

private:
    bool segmentNear(QPointF a, QPointF b) const
    {
        return std::max(a.x(), b.x()) >= m_target.left() && std::min(a.x(), b.x()) <= m_target.right()
            && std::max(a.y(), b.y()) >= m_target.top() && std::min(a.y(), b.y()) <= m_target.bottom();
    }

    const ViewTransform &m_view;
    QRectF m_target;
};

} // namespace zorvik
