#pragma once
// ElementPainter: draws single elements on a target in a given style - a
// vector as a device polyline (or a dot for one point), a connector through
// its kind's renderer, or a statistics graph as its picture. Shared by the
// base-map batch and the set drawings, so an element looks the same in both.
#include "zorvik/core/catalog.h"
#include "zorvik/core/temporalstate.h"
#include "zorvik/render/connectorrenderer.h"
#include "zorvik/render/devicepath.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <optional>

namespace zorvik {

class ElementPainter
{
public:
    ElementPainter(QPainter &painter, const Catalog &catalog, const ViewTransform &view, double pixelRatio,
        const QColor &halo, const QRectF &target, bool referenceDrawing = false);

    // Pen of a vector kind in a temporal state (Qt::NoPen for "no line").
    QPen vectorPen(const VectorKind &kind, TemporalState state) const;
    QColor stateColour(const Style6 &style, TemporalState state) const;

    // Draws a polyline (closed or not) with the painter's current pen; a
    // single point, or a non-degenerate line that shrinks below half a pixel,
    // as a dot. With a brush set and `fill`, closed rings are filled.
    void drawVector(const ElementRecord &record, const QPen &pen, const QBrush &fill = Qt::NoBrush) const;

    // Draws a connector of a kind (nullptr: the temporary style, key in black)
    // in its state colour, or in `colour` when given. Returns its device box.
    // Without `withText` only its marker or picture is drawn, not its text.
    QRectF drawConnector(const ConnectorKind *kind, double x, double y, const QString &key,
        TemporalState state, std::optional<QColor> colour = std::nullopt, bool withText = true) const;
    // The text drawConnector would write for a connector of a kind, measured
    // without drawing; empty for markers and statistics graphs.
    ConnectorText connectorText(const ConnectorKind &kind, double x, double y, const QString &key) const;

    QPainter &painter() const { return m_painter; }
    double pixelRatio() const { return m_ratio; }
    const DevicePathBuilder &paths() const { return m_paths; }
    // QPainter's plain calls instead of the faster equivalents (RenderInput).
    bool referenceDrawing() const { return m_reference; }

private:
    bool isStatGraph(const ConnectorKind &kind) const;
    ConnectorPaint paintOf(
        const ConnectorKind &kind, QPointF at, const QString &key, const QColor &colour) const;
    QRectF drawStatGraph(const ConnectorKind &kind, QPointF at, const QString &key) const;

    QPainter &m_painter;
    const Catalog &m_catalog;
    const ViewTransform &m_view;
    double m_ratio;
    QColor m_halo;
    DevicePathBuilder m_paths;
    bool m_reference;
};

} // namespace zorvik
