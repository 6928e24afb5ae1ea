#include "zorvik/render/choroplethlayer.h"

#include "zorvik/render/devicepath.h"

namespace zorvik {

namespace {

// The ring without the vertices closer than `distance` to the last kept one.
QPolygonF thinned(const QPolygonF &ring, double distance)
{
    QPolygonF out;
    out.reserve(ring.size());
    const double d2 = distance * distance;
    for (const QPointF &p : ring) {
        if (!out.isEmpty()) {
            const QPointF d = p - out.back();
            if (d.x() * d.x() + d.y() * d.y() < d2)
                continue;
        }
        out.append(p);
    }
    return out;
}

} // namespace

bool ChoroplethLayer::draw(RenderContext &context, QString &) const
{
    const DrawingStore *drawings = context.input().drawings;
    if (!drawings || drawings->polygons().empty())
        return true;
    QPainter &p = context.painter();
    const WorldBox visible = context.view().visibleBox();
    const DevicePathBuilder paths(context.view(), context.target());
    const double ratio = context.pixelRatio();
    const bool reference = context.input().referenceDrawing;
    for (const auto &[id, polygons] : drawings->polygons()) {
        for (const ChoroplethPolygon &poly : polygons) {
            if (!poly.box.intersects(visible))
                continue;
            const QColor colour = poly.mode == 4 ? QColor(100, 100, 100) : poly.colour;
            const QPen outline(colour.darker(140), ratio);
            const QBrush fill = poly.mode == 2 ? QBrush(colour, Qt::BDiagPattern) : QBrush(colour);
            const int n = static_cast<int>(std::min(poly.x.size(), poly.y.size()));
            paths.build(
                n, [&](int i) { return QPointF(poly.x[i], poly.y[i]); },
                [&](const QPolygonF &ring) {
                    if (reference) {
                        p.setPen(outline);
                        p.setBrush(fill);
                        p.drawPolygon(ring);
                        return;
                    }
                    // The outline hides the fill's edge: the fill goes without
                    // anti-aliasing (several times faster) and on a ring
                    // thinned to a pixel, and the outline is stroked on top.
                    p.setPen(Qt::NoPen);
                    p.setBrush(fill);
                    p.setRenderHint(QPainter::Antialiasing, false);
                    p.drawPolygon(thinned(ring, 1.0));
                    p.setRenderHint(QPainter::Antialiasing, true);
                    p.setPen(outline);
                    p.setBrush(Qt::NoBrush);
                    p.drawPolygon(ring);
                },
                false);
        }
    }
    p.setBrush(Qt::NoBrush);
    return true;
}

} // namespace zorvik
