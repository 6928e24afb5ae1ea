#pragma once
// SpanFill: fills polygons in one opaque colour without anti-aliasing,
// straight into the painter's image, row by row: a pixel is filled when its
// centre lies inside the polygon (odd-even rule, QPainter::drawPolygon's
// default). It is for fills whose edge an outline covers, where QPainter's
// per-call state changes and rasteriser set-up would cost more than the
// pixels. The cost follows the rows each edge crosses and the pixels filled,
// so rings with many sub-pixel edges need no thinning.
//
// Only for a painter on a plain 32-bit image, drawn 1:1 (a translation at
// most), with no clip or a rectangular one; forPainter() says when.
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace zorvik {

class SpanFill
{
public:
    // A filler on the painter's image, or one that is not valid() when the
    // painter's target or state needs QPainter's own fill.
    static SpanFill forPainter(QPainter &painter);

    bool valid() const { return m_bits != nullptr; }
    // Fills the polygon (closed implicitly) in an opaque colour.
    void fill(const QPointF *points, int count, QRgb colour);

private:
    SpanFill() = default;

    unsigned char *m_bits = nullptr;
    qsizetype m_stride = 0;
    QRect m_area; // device pixels that may be written
    QPointF m_shift; // painter coordinates to device pixels
    // Where the edges cross the rows' centres (x in fixed point), reused.
    struct Crossing
    {
        int row;
        std::uint32_t x;
    };
    std::vector<Crossing> m_crossings;
    std::vector<std::uint32_t> m_sorted;
    std::vector<int> m_rowEnd;
};

} // namespace zorvik
