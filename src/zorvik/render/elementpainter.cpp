#include "zorvik/render/elementpainter.h"

#include "zorvik/render/elementstyle.h"
#include "zorvik/render/statgraphpicture.h"

#include <algorithm>

namespace zorvik {

namespace {
int stateIndex(TemporalState state)
{
    return state == TemporalState::Absent ? 0 : static_cast<int>(state);
}
} // namespace

ElementPainter::ElementPainter(QPainter &painter, const Catalog &catalog, const ViewTransform &view,
    double pixelRatio, const QColor &halo, const QRectF &target, bool referenceDrawing)
    : m_painter(painter)
    , m_catalog(catalog)
    , m_view(view)
    , m_ratio(pixelRatio)
    , m_halo(halo)
    , m_paths(view, target)
    , m_reference(referenceDrawing)
{ }

QColor ElementPainter::stateColour(const Style6 &style, TemporalState state) const
{
    return style::paletteColour(m_catalog, style.n[static_cast<std::size_t>(2 * stateIndex(state))]);
}

QPen ElementPainter::vectorPen(const VectorKind &kind, TemporalState state) const
{
    const int s = stateIndex(state);
    return style::linePen(m_catalog, kind.style.n[static_cast<std::size_t>(2 * s + 1)],
        stateColour(kind.style, state), m_ratio);
}

void ElementPainter::drawVector(const ElementRecord &record, const QPen &pen, const QBrush &fill) const
{
    const int n = std::min<int>(record.PNum, static_cast<int>(std::min(record.X.size(), record.Y.size())));
    if (n <= 0)
        return;
    m_painter.setPen(pen);
    auto point = [&](int i) { return QPointF(record.X[i], record.Y[i]); };
    const bool closed = n >= 4 && record.X[0] == record.X[n - 1] && record.Y[0] == record.Y[n - 1];
    if (closed && fill.style() != Qt::NoBrush) {
        m_painter.setBrush(fill);
        m_paths.build(
            n, point, [&](const QPolygonF &ring) { m_painter.drawPolygon(ring); }, false);
        m_painter.setBrush(Qt::NoBrush);
        return;
    }
    bool drawn = false;
    m_paths.build(n, point, [&](const QPolygonF &run) {
        m_painter.drawPolyline(run);
        drawn = true;
    });
    if (drawn)
        return;
    const bool degenerate = std::all_of(record.X.begin(), record.X.begin() + n, [&](auto v) {
        return v == record.X[0];
    }) && std::all_of(record.Y.begin(), record.Y.begin() + n, [&](auto v) { return v == record.Y[0]; });
    if (n == 1 || !degenerate) {
        // A one-point figure, or a feature smaller than a pixel: a dot.
        const QPointF p = m_view.worldToDevice(record.X[0], record.Y[0]);
        if (!m_paths.target().contains(p) || pen.style() == Qt::NoPen)
            return;
        QPen dot = pen;
        dot.setStyle(Qt::SolidLine);
        dot.setCapStyle(Qt::RoundCap);
        dot.setWidthF(std::max(3.0 * m_ratio, pen.widthF()));
        m_painter.setPen(dot);
        m_painter.drawPoint(p);
    }
}

namespace {
// STRING_oe's text is chosen by shownConnectorText; its renderer then writes it as a plain text.
const ConnectorRenderer &rendererOf(const ConnectorKind &kind)
{
    return connectorRenderer(
        kind.dll.trimmed().compare(QLatin1String("STRING_oe.DLL"), Qt::CaseInsensitive) == 0
            ? QStringLiteral("STRING.DLL")
            : kind.dll);
}
} // namespace

bool ElementPainter::isStatGraph(const ConnectorKind &kind) const
{
    return kind.id == FirstStatKind && m_catalog.isStatisticsKind(TypeConnector, kind.id);
}

ConnectorPaint ElementPainter::paintOf(
    const ConnectorKind &kind, QPointF at, const QString &key, const QColor &colour) const
{
    ConnectorPaint paint;
    paint.at = at;
    paint.key = shownConnectorText(kind.dll, key);
    paint.colour = colour;
    paint.fill = kind.hatchFlag ? style::hatchBrush(m_catalog, kind.hatchNo, colour) : QBrush(colour);
    paint.sizePx = connectorSizePixels(kind.size, m_view.worldLengthToPixels(1.0), m_ratio);
    paint.pixelRatio = m_ratio;
    paint.textFloorPx = textFloorPixels(kind.size, m_ratio);
    paint.halo = m_halo;
    return paint;
}

QRectF ElementPainter::drawConnector(const ConnectorKind *kind, double x, double y, const QString &key,
    TemporalState state, std::optional<QColor> colour, bool withText) const
{
    const QPointF at = m_view.worldToDevice(x, y);
    if (!kind) {
        if (!withText)
            return {};
        return drawMapText(
            m_painter, at, key, 12 * m_ratio, colour.value_or(Qt::black), m_halo, haloPixels(m_ratio));
    }
    if (!colour && isStatGraph(*kind)) {
        const QRectF box = drawStatGraph(*kind, at, key);
        if (!box.isNull())
            return box;
    }
    ConnectorPaint paint = paintOf(*kind, at, key, colour.value_or(stateColour(kind->style, state)));
    paint.withText = withText;
    return rendererOf(*kind).paint(m_painter, paint);
}

ConnectorText ElementPainter::connectorText(
    const ConnectorKind &kind, double x, double y, const QString &key) const
{
    if (isStatGraph(kind) && parseStatGraphKey(key).valid)
        return {};
    // The colour does not change the box.
    return rendererOf(kind).text(paintOf(kind, m_view.worldToDevice(x, y), key, Qt::black));
}

QRectF ElementPainter::drawStatGraph(const ConnectorKind &kind, QPointF at, const QString &key) const
{
    const StatGraphKey graph = parseStatGraphKey(key);
    if (!graph.valid)
        return {};
    const QImage picture = statGraphPicture(graph.picture);
    const double worldPerPixel = statGraphWorldPerPixel(kind.size, graph.sizeFigure);
    if (picture.isNull() || worldPerPixel <= 0)
        return {};
    const double k = m_view.worldLengthToPixels(worldPerPixel);
    const QSizeF size(picture.width() * k, picture.height() * k);
    const QRectF box(at.x() - size.width() / 2, at.y() - size.height() / 2, size.width(), size.height());
    if (box.intersects(m_paths.target()))
        m_painter.drawImage(box, picture);
    return box;
}

} // namespace zorvik
