#pragma once
// RenderInput: the const snapshot one render works from. Everything the
// layers read comes from here (and from the view transform), so a render
// changes nothing and any target - screen, paper, image, overview - draws the
// same map from the same input.
#include "zorvik/core/document.h"
#include "zorvik/core/temporalstate.h"
#include "zorvik/render/drawingstore.h"

#include <QColor>
#include <cstdint>

namespace zorvik {

class Engine;

struct RenderInput
{
    const Document *document = nullptr; // nullptr: background only
    DateRange dates; // display date range
    QColor background = Qt::white;
    bool vectorsOnly = false; // overview: vectors only, no texts, markers or drawings
    const DrawingStore *drawings = nullptr; // set and choropleth drawings (may be null)
    // Draw the exact points of every element, wide lines and fills with
    // QPainter's plain calls and names as glyphs, instead of the
    // level-of-detail copies and the faster equivalents: the control
    // pictures of tests and benchmarks.
    bool referenceDrawing = false;
};

// The input that draws what `engine` has open: its document and display date
// range on `backColor` (BGR, as the control's BackColor). The screen passes
// its drawings; a second engine drawing an overview has none.
RenderInput renderInputOf(
    const Engine &engine, std::uint32_t backColor, bool vectorsOnly, const DrawingStore *drawings = nullptr);

} // namespace zorvik
