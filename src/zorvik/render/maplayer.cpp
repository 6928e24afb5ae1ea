#include "zorvik/render/maplayer.h"

#include "zorvik/render/elementbatch.h"

namespace zorvik {

RenderContext::RenderContext(QPainter &painter, const ViewTransform &view, const RenderInput &input,
    std::vector<DrawnText> *drawnTexts)
    : m_painter(painter)
    , m_view(view)
    , m_input(input)
    , m_target(QRectF(QPointF(0, 0), QSizeF(view.size())).adjusted(-16, -16, 16, 16))
    , m_drawnTexts(drawnTexts)
{ }

RenderContext::~RenderContext() = default;

const Catalog &RenderContext::catalog() const
{
    static const Catalog empty;
    return m_input.document ? m_input.document->catalog() : empty;
}

ElementPainter RenderContext::elementPainter() const
{
    return ElementPainter(
        m_painter, catalog(), m_view, pixelRatio(), m_input.background, m_target, m_input.referenceDrawing);
}

const ElementBatch &RenderContext::batch()
{
    if (!m_batch) {
        m_batch = std::make_unique<ElementBatch>(
            catalog(), m_view, m_input.dates, m_target, m_input.vectorsOnly);
        if (m_input.document) {
            m_batch->collect(*m_input.document, m_input.referenceDrawing);
            m_batch->placeTexts(elementPainter(), QRectF(QPointF(0, 0), QSizeF(m_view.size())));
        }
    }
    return *m_batch;
}

} // namespace zorvik
