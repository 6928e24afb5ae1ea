#pragma once
// Renderer: the one render path of the map. It paints the layers of a const
// RenderInput for a ViewTransform into any QPainter - the widget's back
// buffer, an image, a printer page - in the fixed LayerSlot order. It owns no
// widget, emits nothing and changes nothing; a failing layer is reported in
// the result and the others are still drawn.
//
// Common use:
//   Renderer renderer;
//   QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
//   QPainter painter(&image);
//   QStringList errors = renderer.render(painter, view, input);
// The painter's origin must be the target's top-left corner (translate it for
// a page rectangle); the view's size and DPI must be the target's.
//
// Names: the document's texts are placed once per render - the statistics
// texts first, then the base map's names, each larger first - and a text that
// would overlap a written one is left out of that frame, so every target
// shows the same names for the same view.
// Set drawings are written as the caller drew them, over the map; they are
// not part of that placement, which keeps the map's picture (drawn apart
// from them on screen) independent of them.
#include "zorvik/render/layerslot.h"
#include "zorvik/render/maplayer.h"

#include <QImage>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

namespace zorvik {

// Milliseconds each slot took in one render (0 for slots not drawn).
using LayerTimes = std::array<double, LayerSlotCount>;

class Renderer
{
public:
    Renderer(); // the map's layers
    // Other layers, in any order (they are sorted by slot); for tests.
    explicit Renderer(std::vector<std::unique_ptr<MapLayer>> layers);
    ~Renderer();

    // Paints the slots first..last (both included); returns the errors.
    // `drawnTexts`, when given, receives the document texts written (boxes in
    // device px): the frame's names, none overlapping another.
    QStringList render(QPainter &painter, const ViewTransform &view, const RenderInput &input,
        LayerSlot first = LayerSlot::Background, LayerSlot last = LayerSlot::SetDrawings,
        LayerTimes *times = nullptr, std::vector<DrawnText> *drawnTexts = nullptr) const;

    // A whole map as an image of the view's size.
    QImage renderImage(
        const ViewTransform &view, const RenderInput &input, QStringList *errors = nullptr) const;

private:
    std::vector<std::unique_ptr<MapLayer>> m_layers; // in slot order
};

} // namespace zorvik
