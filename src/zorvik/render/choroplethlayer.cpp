#include "zorvik/render/choroplethlayer.h"

#include "zorvik/render/devicepath.h"

namespace zorvik {

bool ChoroplethLayer::draw(RenderContext &context, QString &) const
{
    const DrawingStore *drawings = context.input().drawings;
    if (!drawings || drawings->polygons().empty())
        return true;
    QPainter &p = context.painter();
    const WorldBox visible = context.view().visibleBox();
    const DevicePathBuilder paths(context.view(), context.target());
    const double ratio = context.pixelRatio();
    for (const auto &[id, polygons] : drawings->polygons()) {
        for (const ChoroplethPolygon &poly : polygons) {
            if (!poly.box.intersects(visible))
                continue;
            const QColor colour = poly.mode == 4 ? QColor(100, 100, 100) : poly.colour;
            p.setPen(QPen(colour.darker(140), ratio));
            p.setBrush(poly.mode == 2 ? QBrush(colour, Qt::BDiagPattern) : QBrush(colour));
            const int n = static_cast<int>(std::min(poly.x.size(), poly.y.size()));
            paths.build(
                n, [&](int i) { return QPointF(poly.x[i], poly.y[i]); },
                [&](const QPolygonF &ring) { p.drawPolygon(ring); }, false);
        }
    }
    p.setBrush(Qt::NoBrush);
    return true;
}

} // namespace zorvik
