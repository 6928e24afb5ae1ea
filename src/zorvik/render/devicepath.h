#pragma once
// Builds device-pixel polylines from world points for drawing: vertices
// closer than half a pixel to the last kept one are merged, and the line is
// cut into runs that stay near the target, so that long lines far outside the
// view cost nothing (dashed pens would otherwise walk their whole length).
#include "zorvik/render/viewtransform.h"

#include <QPolygonF>
#include <QRectF>
#include <algorithm>
#include <vector>

namespace zorvik {

class DevicePathBuilder
{
public:
    // `target` is the device area that matters, already grown by a margin.
    DevicePathBuilder(const ViewTransform &view, const QRectF &target);

    // Calls `run` with each drawable run of at least two points (the run may
    // be moved from; it is reused for the next run otherwise). With `cut` false (filled shapes) the whole merged ring
    // comes back as one run. `worldPoint(i)` gives point i in world units.
    template <class PointFn, class RunFn>
    void build(int count, PointFn &&worldPoint, RunFn &&run, bool cut = true) const
    {
        if (count <= 0)
            return;
        // The run grows in a buffer kept from one element to the next and is
        // handed out in m_run, so a redraw does not allocate per element.
        if (m_line.size() < static_cast<std::size_t>(count))
            m_line.resize(static_cast<std::size_t>(count));
        QPointF *out = m_line.data();
        auto flush = [&](std::size_t n) {
            if (n >= 2) {
                m_run.resize(static_cast<qsizetype>(n));
                std::copy(out, out + n, m_run.begin());
                run(m_run);
            }
        };
        // Every point is written and kept only when it moved far enough, so
        // that the loop has no branch on the merge (its outcome is random on
        // dense lines); a cut, rare, takes the slow way.
        std::size_t n = 0;
        QPointF last = m_view.worldToDevice(worldPoint(0).x(), worldPoint(0).y());
        out[n++] = last;
        for (int i = 1; i < count; ++i) {
            const QPointF w = worldPoint(i);
            const QPointF p = m_view.worldToDevice(w.x(), w.y());
            const double dx = p.x() - last.x(), dy = p.y() - last.y();
            const double d2 = dx * dx + dy * dy;
            const bool keep = int(d2 >= 0.25) | (int(i == count - 1) & int(d2 != 0));
            // Bitwise, so that only the rare cut is a branch.
            if (int(cut) & int(keep) & int(!segmentNear(last, p))) {
                flush(n);
                n = 0;
            }
            out[n] = p;
            n += keep ? 1 : 0;
            last = keep ? p : last;
        }
        flush(n);
    }

    const ViewTransform &view() const { return m_view; }
    const QRectF &target() const { return m_target; }

private:
    bool segmentNear(QPointF a, QPointF b) const
    {
        return int(std::max(a.x(), b.x()) >= m_target.left()) & int(std::min(a.x(), b.x()) <= m_target.right())
            & int(std::max(a.y(), b.y()) >= m_target.top()) & int(std::min(a.y(), b.y()) <= m_target.bottom());
    }

    const ViewTransform &m_view;
    QRectF m_target;
    mutable std::vector<QPointF> m_line;
    mutable QPolygonF m_run;
};

} // namespace zorvik
