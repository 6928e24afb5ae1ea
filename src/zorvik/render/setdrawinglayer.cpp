#include "zorvik/render/setdrawinglayer.h"

#include "zorvik/render/elementpainter.h"
#include "zorvik/render/elementstyle.h"

namespace zorvik {

namespace {

TemporalState drawnState(const ElementRecord &record, DateRange dates)
{
    const TemporalState s = temporalState(record.lPra, dates);
    return s == TemporalState::Absent ? TemporalState::Existing : s;
}

void drawRecord(const ElementPainter &painter, const Catalog &catalog, const SetDrawing &drawing,
    const ElementRecord &record, DateRange dates, double ratio)
{
    QPainter &p = painter.painter();
    const TemporalState state = drawnState(record, dates);
    const bool plain = drawing.mode == 0 || drawing.mode == 16;
    if (record.Type == TypeConnector) {
        if (record.X.empty() || record.Y.empty())
            return;
        const ConnectorKind *kind = catalog.connectorKind(record.kind());
        if (plain) {
            painter.drawConnector(kind, record.X[0], record.Y[0], record.Key, state);
            return;
        }
        const QColor colour = style::paletteColour(catalog, drawing.a);
        const QRectF box = painter.drawConnector(kind, record.X[0], record.Y[0], record.Key, state, colour);
        p.setPen(QPen(colour, (drawing.c == 1 ? 3 : 2) * ratio));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box.adjusted(-2 * ratio, -2 * ratio, 2 * ratio, 2 * ratio));
        return;
    }
    if (plain) {
        if (const VectorKind *kind = catalog.vectorKind(record.kind()))
            painter.drawVector(record, painter.vectorPen(*kind, state));
        else
            painter.drawVector(record,
                QPen(style::temporaryLineColour(catalog), style::TemporaryLineWidth * ratio, Qt::SolidLine,
                    Qt::RoundCap, Qt::RoundJoin));
        return;
    }
    const QColor colour = style::paletteColour(catalog, drawing.a);
    if (drawing.mode == 2) {
        const double width = (drawing.c == 1 ? 5 : 3) * ratio;
        painter.drawVector(record, QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        return;
    }
    // Mode 3: outline in colour a, hatch b in colour c.
    const QBrush fill = style::hatchBrush(catalog, drawing.b, style::paletteColour(catalog, drawing.c));
    painter.drawVector(record, QPen(colour, 2 * ratio, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin), fill);
}

} // namespace

bool SetDrawingLayer::draw(RenderContext &context, QString &) const
{
    const RenderInput &input = context.input();
    if (!input.drawings || input.drawings->sets().empty())
        return true;
    const Catalog &catalog = context.catalog();
    const ElementPainter painter = context.elementPainter();
    for (const SetDrawing &drawing : input.drawings->sets())
        for (const ElementRecord &record : drawing.elements)
            drawRecord(painter, catalog, drawing, record, input.dates, context.pixelRatio());
    return true;
}

} // namespace zorvik
