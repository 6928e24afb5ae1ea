#include "zorvik/render/choroplethlayer.h"

#include "zorvik/render/imagebands.h"
#include "zorvik/render/renderthreads.h"
#include "zorvik/render/spanfill.h"

#include <QPolygonF>
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace zorvik {

namespace {

// The polygon's ring in device pixels, merged as DevicePathBuilder merges a
// filled shape: a point closer than half a pixel to the last kept one is
// dropped, except a distinct closing point. Written into `ring` (grown as
// needed, never shrunk, so one buffer serves every polygon); returns the
// number of points.
int deviceRing(const ViewTransform &view, const ChoroplethPolygon &poly, std::vector<QPointF> &ring)
{
    const int n = static_cast<int>(std::min(poly.x.size(), poly.y.size()));
    if (ring.size() < static_cast<std::size_t>(n))
        ring.resize(static_cast<std::size_t>(n));
    QPointF *out = ring.data();
    int kept = 0;
    QPointF last;
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QPointF p = view.worldToDevice(poly.x[k], poly.y[k]);
        if (kept > 0) {
            const double dx = p.x() - last.x(), dy = p.y() - last.y();
            const double d2 = dx * dx + dy * dy;
            if (d2 < 0.25 && (i != n - 1 || d2 == 0))
                continue;
        }
        out[kept++] = p;
        last = p;
    }
    return kept;
}

// The ring without the vertices closer than `distance` to the last kept one.
QPolygonF thinned(const QPointF *ring, int count, double distance)
{
    QPolygonF out;
    out.reserve(count);
    const double d2 = distance * distance;
    for (int i = 0; i < count; ++i) {
        if (!out.isEmpty()) {
            const QPointF d = ring[i] - out.back();
            if (d.x() * d.x() + d.y() * d.y() < d2)
                continue;
        }
        out.append(ring[i]);
    }
    return out;
}

// The rows of device pixels the polygon's box covers (any rotation).
std::pair<double, double> deviceRowsOf(const ViewTransform &view, const WorldBox &box)
{
    double top = std::numeric_limits<double>::infinity(), bottom = -top;
    for (const auto &[x, y] : {std::pair(box.minX, box.minY), std::pair(box.minX, box.maxY),
             std::pair(box.maxX, box.minY), std::pair(box.maxX, box.maxY)}) {
        const double row = view.worldToDevice(x, y).y();
        top = std::min(top, row);
        bottom = std::max(bottom, row);
    }
    return {top, bottom};
}

} // namespace

bool ChoroplethLayer::draw(RenderContext &context, QString &) const
{
    const DrawingStore *drawings = context.input().drawings;
    if (!drawings || drawings->polygons().empty())
        return true;
    QPainter &painter = context.painter();
    const ViewTransform &view = context.view();
    const WorldBox visible = view.visibleBox();
    const double ratio = context.pixelRatio();
    const bool reference = context.input().referenceDrawing;
    std::size_t points = 0;
    for (const auto &[id, polygons] : drawings->polygons())
        for (const ChoroplethPolygon &poly : polygons)
            if (poly.box.intersects(visible))
                points += poly.x.size();

    // Draws the polygons that reach `rows` (painter coordinates), in order.
    auto drawPolygons = [&](QPainter &p, double top, double bottom) {
        // The outline hides the fill's edge, so the fill goes without
        // anti-aliasing: into the image row by row where it can, else through
        // QPainter on a ring thinned to a pixel. The outline is stroked on top.
        SpanFill spans = SpanFill::forPainter(p);
        std::vector<QPointF> ring;
        p.setBrush(Qt::NoBrush);
        for (const auto &[id, polygons] : drawings->polygons()) {
            for (const ChoroplethPolygon &poly : polygons) {
                if (!poly.box.intersects(visible))
                    continue;
                if (top > -std::numeric_limits<double>::infinity()) {
                    const auto [first, last] = deviceRowsOf(view, poly.box);
                    if (last < top || first > bottom)
                        continue;
                }
                const int n = deviceRing(view, poly, ring);
                if (n < 2)
                    continue;
                const QColor colour = poly.mode == 4 ? QColor(100, 100, 100) : poly.colour;
                const QPen outline(colour.darker(140), ratio);
                const QBrush fill = poly.mode == 2 ? QBrush(colour, Qt::BDiagPattern) : QBrush(colour);
                if (reference) {
                    p.setPen(outline);
                    p.setBrush(fill);
                    p.drawPolygon(ring.data(), n);
                    p.setBrush(Qt::NoBrush);
                    continue;
                }
                if (spans.valid() && poly.mode != 2 && colour.alpha() == 255) {
                    spans.fill(ring.data(), n, colour.rgb());
                } else {
                    p.setPen(Qt::NoPen);
                    p.setBrush(fill);
                    p.setRenderHint(QPainter::Antialiasing, false);
                    p.drawPolygon(thinned(ring.data(), n, 1.0));
                    p.setRenderHint(QPainter::Antialiasing, true);
                    p.setBrush(Qt::NoBrush);
                }
                p.setPen(outline);
                p.drawPolygon(ring.data(), n);
            }
        }
    };
    if (reference || points < renderthreads::WorthSplittingPoints || !ImageBands::available(painter)) {
        drawPolygons(painter, -std::numeric_limits<double>::infinity(), 0);
        return true;
    }
    ImageBands::draw(painter, [&](QPainter &band, const QRect &rows) {
        // The view's device rows are the painter's; a margin for the outline.
        const double top = -band.deviceTransform().dy() - 2;
        drawPolygons(band, top, top + rows.height() + 4);
    });
    return true;
}

} // namespace zorvik
