#include "graphs/paintercanvas.h"

#include "zorvik/render/elementstyle.h"

#include <QImage>
#include <QPainter>
#include <QtMath>
#include <utility>

using zorvik::style::fromBgr;

namespace {

// The angle of a radial through p from the centre of the box, in degrees
// counter-clockwise from three o'clock (QPainter's convention).
double radialDegrees(const QRectF &box, QPoint p)
{
    const QPointF c = box.center();
    return qRadiansToDegrees(std::atan2(-(p.y() - c.y()), p.x() - c.x()));
}

} // namespace

PainterCanvas::PainterCanvas(QImage &image, const QFont &font)
    : m_image(image)
    , m_font(font)
{ }

GraphPen PainterCanvas::selectPen(const GraphPen &pen)
{
    return std::exchange(m_pen, pen);
}

GraphBrush PainterCanvas::selectBrush(const GraphBrush &brush)
{
    return std::exchange(m_brush, brush);
}

QFont PainterCanvas::selectFont(const QFont &font)
{
    return std::exchange(m_font, font);
}

void PainterCanvas::begin(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_pen.isNull()) {
        painter.setPen(Qt::NoPen);
    } else {
        QPen pen(fromBgr(static_cast<std::uint32_t>(m_pen.color)));
        pen.setWidth(std::max(1, m_pen.width));
        pen.setStyle(m_pen.style == GraphPen::Dot ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
    }
    painter.setBrush(m_brush.null ? QBrush() : QBrush(fromBgr(static_cast<std::uint32_t>(m_brush.color))));
}

namespace {

// The rectangle QPainter is given for a box: a one-pixel outline of it covers
// left to right - 1, and a fill without a pen left to right - 2, as on a
// device context.
QRect shapeRect(const GraphBox &box)
{
    return QRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

} // namespace

void PainterCanvas::rectangle(const GraphBox &box)
{
    if (m_image.isNull() || box.right <= box.left || box.bottom <= box.top)
        return;
    QPainter painter(&m_image);
    begin(painter);
    if (m_pen.isNull()) {
        if (!m_brush.null && box.right - box.left > 1 && box.bottom - box.top > 1)
            painter.fillRect(shapeRect(box), painter.brush());
        return;
    }
    painter.drawRect(shapeRect(box));
}

void PainterCanvas::ellipse(const GraphBox &box)
{
    if (m_image.isNull() || box.right <= box.left || box.bottom <= box.top)
        return;
    QPainter painter(&m_image);
    begin(painter);
    painter.drawEllipse(shapeRect(box));
}

void PainterCanvas::pie(const GraphBox &box, QPoint from, QPoint to)
{
    if (m_image.isNull() || box.right <= box.left || box.bottom <= box.top)
        return;
    QPainter painter(&m_image);
    begin(painter);
    const QRect rect = shapeRect(box);
    const double start = radialDegrees(QRectF(rect), from);
    double span = radialDegrees(QRectF(rect), to) - start;
    while (span <= 0)
        span += 360;
    while (span > 360)
        span -= 360;
    painter.drawPie(rect, qRound(start * 16), qRound(span * 16));
}

void PainterCanvas::moveTo(QPoint at)
{
    m_position = at;
}

void PainterCanvas::lineTo(QPoint to)
{
    const QPoint from = std::exchange(m_position, to);
    if (m_image.isNull() || m_pen.isNull() || from == to)
        return;
    QPainter painter(&m_image);
    begin(painter);
    // A flat cap leaves the end pixel out, as the device context does.
    painter.drawLine(from, to);
}

void PainterCanvas::textOut(QPoint at, const QString &text)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.setFont(m_font);
    // The text colour of a picture box: black; the routines never change it.
    painter.setPen(Qt::black);
    const QFontMetrics metrics(m_font);
    painter.drawText(QPoint(at.x(), at.y() + metrics.ascent()), text);
}
