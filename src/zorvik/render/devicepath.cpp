#include "zorvik/render/devicepath.h"

#include <algorithm>

namespace zorvik {

DevicePathBuilder::DevicePathBuilder(const ViewTransform &view, const QRectF &target)
    : m_view(view)
    , m_target(target)
{ }

bool DevicePathBuilder::segmentNear(QPointF a, QPointF b) const
{
    return std::max(a.x(), b.x()) >= m_target.left() && std::min(a.x(), b.x()) <= m_target.right()
        && std::max(a.y(), b.y()) >= m_target.top() && std::min(a.y(), b.y()) <= m_target.bottom();
}

void DevicePathBuilder::build(int count, const std::function<QPointF(int)> &worldPoint,
    const std::function<void(const QPolygonF &)> &run, bool cut) const
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

} // namespace zorvik
