#pragma once
// MapLayer: one slot of the drawing order and how it draws. A layer reads the
// render context only; it keeps no state between renders. A layer that fails
// returns false with a message, and the render goes on with the next one.
#include "zorvik/render/layerslot.h"
#include "zorvik/render/renderinput.h"
#include "zorvik/render/textplacement.h"
#include "zorvik/render/viewtransform.h"

#include <QPainter>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

namespace zorvik {

class Catalog;
class ElementBatch;
class ElementPainter;

// What every layer of one render shares.
class RenderContext
{
public:
    RenderContext(QPainter &painter, const ViewTransform &view, const RenderInput &input,
        std::vector<DrawnText> *drawnTexts = nullptr);
    ~RenderContext();

    QPainter &painter() const { return m_painter; }
    const ViewTransform &view() const { return m_view; }
    const RenderInput &input() const { return m_input; }
    // DPI / 96: pen widths and text sizes follow the target's resolution.
    double pixelRatio() const { return m_view.dpi() / 96.0; }
    // The device area worth drawing: the target grown by a margin.
    QRectF target() const { return m_target; }
    // The document's catalog; an empty one when there is no document.
    const Catalog &catalog() const;
    // Draws elements on this render's painter and view, with the catalog's
    // styles and the background as the halo of texts.
    ElementPainter elementPainter() const;
    // The document's visible elements in drawing order, collected on first
    // use, with the frame's texts placed.
    const ElementBatch &batch();
    // Where the layers report the texts they wrote (may be null).
    std::vector<DrawnText> *drawnTexts() const { return m_drawnTexts; }

private:
    QPainter &m_painter;
    const ViewTransform &m_view;
    const RenderInput &m_input;
    QRectF m_target;
    std::vector<DrawnText> *m_drawnTexts;
    std::unique_ptr<ElementBatch> m_batch;
};

class MapLayer
{
public:
    virtual ~MapLayer() = default;
    virtual LayerSlot slot() const = 0;
    virtual bool draw(RenderContext &context, QString &error) const = 0;
};

} // namespace zorvik
