#pragma once
// CoverageMask: the coverage (0..255) of the pixels of a device area, marked
// segment by segment for LineStroker's wide lines and blended once in the
// pen's colour. Overlapping marks keep the larger value, which is the union
// of the marked shapes, so overlaps never darken a line.
//
// A segment covers the pixels within half the pen width of it, with one
// anti-aliased pixel at the edge; its coverage is that across the line times
// that along it, each end fading out as its End says. Pixels are evaluated
// eight at a time: a short segment (the common case on detailed outlines,
// whose segments are a pixel or two long) over the whole box of its pixels,
// a longer one over the span of each of its rows. Pixels outside the shape
// get coverage 0, so evaluating a few of them costs nothing but time.
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <vector>

namespace zorvik {

// How a segment ends: the pen's caps, or a joint with the next segment of
// the same polyline, which runs one pixel on and fades over it, so that the
// two overlap and the outer side of a turn is closed.
enum class SegmentEnd { Flat, Square, Round, Joint };

class CoverageMask
{
public:
    explicit CoverageMask(const QRect &area);

    // The pixels within `half` of segment a-b, each end closed as `start`/`end` says.
    void segment(QPointF a, QPointF b, double half, SegmentEnd start, SegmentEnd end);
    // A polyline: `cap` at both ends, its segments overlapping at joints.
    void polyline(const QPointF *points, int count, double half, SegmentEnd cap);
    // Blends the marked pixels into `image` (premultiplied or RGB32) in `colour`.
    void blendInto(QImage &image, const QColor &colour) const;

    // Coverage of a device pixel of the area (for tests).
    int coverage(int x, int y) const
    {
        return m_cov[static_cast<std::size_t>(y - m_area.top()) * m_stride + (x - m_area.left())];
    }

    // Pixels evaluated together; rows carry this many spare bytes on the
    // right, so that a group starting at the area's last pixel stays in its row.
    static constexpr int Lanes = 8;

private:
    QRect m_area;
    int m_stride;
    std::vector<std::uint8_t> m_cov;
};

} // namespace zorvik
