#include "zorvik/render/renderer.h"

#include "zorvik/render/backgroundlayer.h"
#include "zorvik/render/basemaplayer.h"
#include "zorvik/render/choroplethlayer.h"
#include "zorvik/render/setdrawinglayer.h"
#include "zorvik/render/statisticslayer.h"
#include "zorvik/render/textpicturecache.h"

#include <algorithm>
#include <chrono>
#include <exception>

namespace zorvik {

Renderer::Renderer()
{
    m_layers.push_back(std::make_unique<BackgroundLayer>());
    m_layers.push_back(std::make_unique<ChoroplethLayer>());
    m_layers.push_back(std::make_unique<BaseMapLayer>());
    m_layers.push_back(std::make_unique<StatisticsLayer>());
    m_layers.push_back(std::make_unique<SetDrawingLayer>());
    std::stable_sort(
        m_layers.begin(), m_layers.end(), [](const auto &a, const auto &b) { return a->slot() < b->slot(); });
}

Renderer::Renderer(std::vector<std::unique_ptr<MapLayer>> layers)
    : m_layers(std::move(layers))
{
    std::stable_sort(
        m_layers.begin(), m_layers.end(), [](const auto &a, const auto &b) { return a->slot() < b->slot(); });
}

Renderer::~Renderer() = default;

QStringList Renderer::render(QPainter &painter, const ViewTransform &view, const RenderInput &input,
    LayerSlot first, LayerSlot last, LayerTimes *times, std::vector<DrawnText> *drawnTexts) const
{
    QStringList errors;
    if (times)
        times->fill(0);
    if (!view.isValid() || !painter.isActive()) {
        errors << QStringLiteral("render: no valid view or painter");
        return errors;
    }
    RenderContext context(painter, view, input, drawnTexts);
    // The reference drawing writes every name as glyphs.
    const TextPictureCache::Suspension glyphsOnly(input.referenceDrawing);
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(view.size())), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const auto &layer : m_layers) {
        if (layer->slot() < first || layer->slot() > last)
            continue;
        QString error;
        bool ok = false;
        const auto start = std::chrono::steady_clock::now();
        painter.save();
        try {
            ok = layer->draw(context, error);
        } catch (const std::exception &e) {
            error = QString::fromUtf8(e.what());
        } catch (...) {
            error = QStringLiteral("unknown failure");
        }
        painter.restore();
        if (times)
            (*times)[static_cast<std::size_t>(layer->slot())]
                += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                       .count();
        if (!ok)
            errors << QStringLiteral("layer %1: %2").arg(static_cast<int>(layer->slot())).arg(error);
    }
    painter.restore();
    return errors;
}

QImage Renderer::renderImage(const ViewTransform &view, const RenderInput &input, QStringList *errors) const
{
    if (!view.isValid())
        return {};
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(qRound(view.dpi() / 0.0254));
    image.setDotsPerMeterY(qRound(view.dpi() / 0.0254));
    image.fill(input.background);
    QPainter painter(&image);
    const QStringList e = render(painter, view, input);
    if (errors)
        *errors = e;
    return image;
}

} // namespace zorvik
