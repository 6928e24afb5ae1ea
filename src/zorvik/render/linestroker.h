#pragma once
// LineStroker: strokes device polylines (the merged runs of DevicePathBuilder)
// with a pen. Lines of one pixel go to QPainter, whose cosmetic stroker is
// already fast. Wider lines on an image target are drawn by coverage: every
// segment marks the pixels within half the pen width of it (with an
// anti-aliased pixel at the edge) in a coverage mask, taking the larger value
// where segments overlap, and the mask is blended once in the pen's colour.
// Overlaps thus never darken the line, segments need no joins, and the cost
// follows the pixels touched instead of QPainter's outline of every join of
// a line with many sub-pixel turns.
//
// The picture stays that of QPainter's stroke: square or flat ends as the pen
// says (flat at the ends of dashes), the pen's dash pattern restarting with
// every run, and joins round (within a fraction of a pixel of the bevel joins
// the map's pens ask for). Targets other than a plain image - a printer, a
// transformed or clipped painter, another composition mode - and `reference`
// use QPainter::drawPolyline, which is also what the control pictures of the
// tests compare against.
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <vector>

namespace zorvik {

class LineStroker
{
public:
    // Strokes every run with `pen` (the painter's brush is left alone).
    static void strokeRuns(
        QPainter &painter, const QPen &pen, const std::vector<QPolygonF> &runs, bool reference = false);

    // True when `pen` on `painter` is drawn by coverage.
    static bool usesCoverage(const QPainter &painter, const QPen &pen);
};

} // namespace zorvik
