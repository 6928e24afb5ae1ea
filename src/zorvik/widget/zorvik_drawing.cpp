// Zorvik: drawings that are not document changes, the back buffer and the
// feedback painted over it.
#include "zorvik/render/elementstyle.h"
#include "zorvik/widget/zorvik.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace zorvik {

using style::fromBgr;

Result Zorvik::DrawElements(Handle set, int mode, int a, int b, int c)
{
    if (mode == 1) {
        if (m_drawings.removeSet(set))
            update();
        return code::Ok;
    }
    if (mode != 0 && mode != 2 && mode != 3 && mode != 16)
        return code::BadArgument;
    if (!m_engine.sets().find(set)) {
        // Mode 0 on a set that is gone only takes its old drawing off.
        if (mode == 0) {
            if (m_drawings.removeSet(set))
                update();
            return code::Ok;
        }
        return code::BadHandle;
    }
    if ((mode == 2 || mode == 3) && (a < 0 || a >= PaletteSize))
        return code::BadArgument;
    if (mode == 3 && (c < 0 || c >= PaletteSize))
        return code::BadArgument;
    SetDrawing drawing{set, mode, a, b, c, {}};
    Handle elem = 0;
    while (m_engine.GetNextElementHandle(set, elem) == code::Ok && elem != 0) {
        ElementRecord record;
        if (m_engine.elementRecord(set, elem, record) == code::Ok)
            drawing.elements.push_back(std::move(record));
    }
    m_drawings.putSet(std::move(drawing));
    update();
    return code::Ok;
}

void Zorvik::ClearDrawElements()
{
    m_drawings.clearEditing();
    update();
}

Result Zorvik::EraseElements(std::int32_t drawingId)
{
    if (!m_drawings.erasePolygons(drawingId))
        return code::BadHandle;
    update();
    return code::Ok;
}

Result Zorvik::DrawElements_Polygon_RGB(std::int32_t polyCount, const std::vector<std::int32_t> &pointCounts,
    const std::vector<std::int32_t> &x, const std::vector<std::int32_t> &y,
    const std::vector<std::int16_t> &colour1, const std::vector<std::int16_t> &modes,
    const std::vector<std::int16_t> &colour2, std::int32_t &drawingId)
{
    drawingId = 0;
    (void)colour2; // the callers pass the class colour twice; the first one is drawn
    const auto n = static_cast<std::size_t>(std::max(0, polyCount));
    if (polyCount <= 0 || pointCounts.size() < n || colour1.size() < 3 * n || modes.size() < n)
        return code::BadArgument;
    std::size_t total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (pointCounts[i] < 0)
            return code::BadArgument;
        total += static_cast<std::size_t>(pointCounts[i]);
    }
    if (x.size() < total || y.size() < total)
        return code::BadArgument;
    std::vector<ChoroplethPolygon> polygons(n);
    std::size_t at = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ChoroplethPolygon &p = polygons[i];
        const auto count = static_cast<std::size_t>(pointCounts[i]);
        p.x.assign(x.begin() + at, x.begin() + at + count);
        p.y.assign(y.begin() + at, y.begin() + at + count);
        for (std::size_t k = 0; k < count; ++k)
            p.box.include(p.x[k], p.y[k]);
        at += count;
        auto channel = [&](std::size_t k) { return std::clamp<int>(colour1[3 * i + k], 0, 255); };
        p.colour = QColor(channel(0), channel(1), channel(2));
        p.mode = modes[i];
    }
    drawingId = m_drawings.addPolygons(std::move(polygons));
    update();
    return code::Ok;
}

void Zorvik::SetTempShapeStyle(int a, int b)
{
    m_shapeStyleA = a;
    m_shapeStyleB = b;
}

Result Zorvik::DrawTempShape(
    std::int32_t count, const std::vector<std::int32_t> &x, const std::vector<std::int32_t> &y)
{
    if (count < 0 || x.size() < static_cast<std::size_t>(count) || y.size() < static_cast<std::size_t>(count))
        return code::BadArgument;
    m_shapeX.assign(x.begin(), x.begin() + count);
    m_shapeY.assign(y.begin(), y.begin() + count);
    update();
    return code::Ok;
}

void Zorvik::ClearTempShape()
{
    m_shapeX.clear();
    m_shapeY.clear();
    update();
}

void Zorvik::xorLine(QPointF a, QPointF b, const QColor &colour, int widthPx)
{
    m_xorLines.push_back({a, b, colour, std::max(1, widthPx)});
    update();
}

void Zorvik::xorClear()
{
    m_xorLines.clear();
    update();
}

// ---- the back buffer

RenderInput Zorvik::renderInput() const
{
    return renderInputOf(m_engine, m_backColor, m_overview != 0, &m_drawings);
}

MapImageKey Zorvik::mapKey() const
{
    MapImageKey key;
    key.view = bufferView();
    key.document = m_engine.document().get();
    if (key.document) {
        key.documentRevision = key.document->revision();
        key.catalogRevision = key.document->catalog().revision();
    }
    key.polygonRevision = m_drawings.polygonRevision();
    key.generation = m_generation;
    key.dateFrom = m_engine.DateFrom();
    key.dateTo = m_engine.DateTo();
    key.background = fromBgr(m_backColor).rgb();
    key.vectorsOnly = m_overview != 0;
    return key;
}

void Zorvik::ensureFrame()
{
    if (!view().isValid()) {
        m_frame = QImage();
        return;
    }
    const MapImageKey key = mapKey();
    const RenderInput input = renderInput();
    bool baseChanged = false;
    const ViewTransform buffer = bufferView();
    const qreal ratio = devicePixelRatioF();
    if (!m_mapCache.matches(key)) {
        QImage base(buffer.size(), QImage::Format_ARGB32_Premultiplied);
        base.fill(input.background);
        QPainter painter(&base);
        m_renderer.render(painter, buffer, input, LayerSlot::Background, LayerSlot::Statistics);
        painter.end();
        base.setDevicePixelRatio(ratio);
        m_mapCache.store(key, std::move(base));
        baseChanged = true;
    }
    if (baseChanged || m_frameDirty || m_frameSetRevision != m_drawings.setRevision() || m_frame.isNull()) {
        m_frame = m_mapCache.image().copy();
        if (!m_drawings.sets().empty()) {
            m_frame.setDevicePixelRatio(1);
            QPainter painter(&m_frame);
            m_renderer.render(painter, buffer, input, LayerSlot::SetDrawings, LayerSlot::SetDrawings);
            painter.end();
            m_frame.setDevicePixelRatio(ratio);
        }
        m_frameSetRevision = m_drawings.setRevision();
        m_frameDirty = false;
    }
}

ViewTransform Zorvik::bufferView() const
{
    // On a high-density screen the back buffer has the screen's own pixels:
    // the same view with more pixels per inch.
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0)
        return view();
    const QSize size(qRound(view().size().width() * ratio), qRound(view().size().height() * ratio));
    return view().withSize(size).withDpi(view().dpi() * ratio);
}

QImage Zorvik::backBuffer()
{
    ensureFrame();
    return m_frame;
}

void Zorvik::paintEvent(QPaintEvent *)
{
    ensureFrame();
    QPainter painter(this);
    if (!m_panOffset.isNull())
        painter.fillRect(rect(), fromBgr(m_backColor));
    if (m_xorLines.empty()) {
        painter.drawImage(m_panOffset, m_frame);
    } else {
        // XOR marks combine with the map pixels, so a second identical mark
        // restores them.
        QImage surface = m_frame.convertToFormat(QImage::Format_RGB32);
        QPainter xorPainter(&surface);
        xorPainter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (const XorLine &line : m_xorLines) {
            xorPainter.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::FlatCap));
            xorPainter.drawLine(line.a, line.b);
        }
        xorPainter.end();
        painter.drawImage(m_panOffset, surface);
    }
    paintFeedback(painter);
}

void Zorvik::paintFeedback(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (m_rubberBand) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(QColor(0, 0, 255, 30));
        painter.drawRect(*m_rubberBand);
        painter.setBrush(Qt::NoBrush);
    }
    if (!m_rubberLine.isEmpty()) {
        QPolygonF line;
        for (const QPointF &w : m_rubberLine)
            line << view().worldToDevice(w.x(), w.y());
        if (m_rubberPointer)
            line << view().worldToDevice(m_rubberPointer->x(), m_rubberPointer->y());
        painter.setPen(QPen(Qt::red, 1));
        painter.drawPolyline(line);
    }
    if (m_mouseMode == 12 && m_pointerWorld && !m_shapeX.empty()) {
        QPolygonF shape;
        for (std::size_t i = 0; i < m_shapeX.size(); ++i)
            shape << view().worldToDevice(
                m_pointerWorld->x() + m_shapeX[i], m_pointerWorld->y() + m_shapeY[i]);
        painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
        painter.drawPolygon(shape);
    }
}

} // namespace zorvik
