#include "zorvik/render/spanfill.h"

#include "zorvik/render/plaintarget.h"

#include <QImage>
#include <QRegion>
#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zorvik {

namespace {
// Crossings keep x in 1/256 px from two pixels left of the area, so that
// clamped ones stay positive.
constexpr int FixedOne = 256;
constexpr int FixedMargin = 2 * FixedOne;
// A run of pixels in one colour; four at a time where SSE2 is there (every
// x86-64), as most runs are tens of pixels long.
inline void fillRun(QRgb *p, int n, QRgb colour)
{
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(static_cast<int>(colour));
    for (; n >= 4; n -= 4, p += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(p), four);
#endif
    std::fill(p, p + n, colour);
}

} // namespace

SpanFill SpanFill::forPainter(QPainter &painter)
{
    SpanFill spans;
    QImage *image = plainImageTarget(painter);
    if (!image)
        return spans;
    const QTransform &t = painter.deviceTransform();
    QRect area = image->rect();
    if (painter.hasClipping()) {
        const QRegion clip = painter.clipRegion();
        if (clip.rectCount() > 1)
            return spans;
        area &= clip.boundingRect().translated(qRound(t.dx()), qRound(t.dy()));
    }
    if (area.isEmpty())
        return spans;
    spans.m_bits = image->bits();
    spans.m_stride = image->bytesPerLine();
    spans.m_area = area;
    spans.m_shift = QPointF(t.dx(), t.dy());
    return spans;
}

void SpanFill::fill(const QPointF *points, int count, QRgb colour)
{
    if (!m_bits || count < 3)
        return;
    m_crossings.clear();
    const int rows = m_area.height();
    const double width = m_area.width();
    // A point's row boundary: the first row (from the area's top) whose
    // centre lies below it, clamped to the area. An edge crosses the rows
    // from its upper end's boundary up to its lower end's.
    const double toRow = 0.5 - m_area.top() + m_shift.y();
    auto rowOf = [&](double y) {
        const double v = std::clamp(y + toRow, 0.0, rows + 1.0);
        const int i = static_cast<int>(v);
        return std::clamp(i + (i < v) - 1, 0, rows);
    };
    const double dx = m_shift.x() - m_area.left(), dy = m_shift.y() - m_area.top();
    int low = rows, high = -1;
    QPointF a = points[count - 1];
    int ra = rowOf(a.y());
    for (int i = 0; i < count; ++i) {
        const QPointF b = points[i];
        const int rb = rowOf(b.y());
        if (ra != rb) {
            const bool down = ra < rb;
            const QPointF &p0 = down ? a : b;
            const QPointF &p1 = down ? b : a;
            const int r0 = down ? ra : rb, r1 = down ? rb : ra;
            low = std::min(low, r0);
            high = std::max(high, r1 - 1);
            // x from the area's left, at the centre of row r0.
            const double slope = (p1.x() - p0.x()) / (p1.y() - p0.y());
            double x = p0.x() + dx + (r0 + 0.5 - p0.y() - dy) * slope;
            for (int row = r0; row < r1; ++row, x += slope) {
                // Clamping keeps the order, so the pairs stay the same.
                const double cx = std::clamp(x, -1.0, width + 1.0);
                m_crossings.push_back({row, static_cast<std::uint32_t>(cx * FixedOne + FixedMargin)});
            }
        }
        a = b;
        ra = rb;
    }
    if (m_crossings.empty())
        return;
    // Sorted by row (counting), then by x within each row (a few each).
    m_rowEnd.assign(static_cast<std::size_t>(high - low + 1), 0);
    for (const Crossing &c : m_crossings)
        ++m_rowEnd[static_cast<std::size_t>(c.row - low)];
    int sum = 0;
    for (int &end : m_rowEnd)
        end = sum += end;
    m_sorted.resize(m_crossings.size());
    for (auto it = m_crossings.rbegin(); it != m_crossings.rend(); ++it)
        m_sorted[static_cast<std::size_t>(--m_rowEnd[static_cast<std::size_t>(it->row - low)])] = it->x;
    // m_rowEnd now holds each row's start.
    const int areaLeft = m_area.left(), areaRight = m_area.right();
    // The first pixel whose centre lies at or right of a crossing.
    auto pixelFrom = [&](std::uint32_t fx) {
        const int v = static_cast<int>(fx) - FixedMargin - FixedOne / 2;
        return ((v + FixedOne - 1) >> 8) + areaLeft;
    };
    const std::size_t total = m_sorted.size();
    for (std::size_t r = 0; r < m_rowEnd.size(); ++r) {
        const std::size_t begin = static_cast<std::size_t>(m_rowEnd[r]);
        const std::size_t end = r + 1 < m_rowEnd.size() ? static_cast<std::size_t>(m_rowEnd[r + 1]) : total;
        std::uint32_t *xs = m_sorted.data();
        for (std::size_t i = begin + 1; i < end; ++i) // insertion sort
            for (std::size_t j = i; j > begin && xs[j - 1] > xs[j]; --j)
                std::swap(xs[j - 1], xs[j]);
        auto *line = reinterpret_cast<QRgb *>(m_bits + (m_area.top() + low + static_cast<int>(r)) * m_stride);
        // Odd-even: between the first and second crossing, the third and fourth...
        for (std::size_t i = begin; i + 1 < end; i += 2) {
            const int x0 = std::max(pixelFrom(xs[i]), areaLeft);
            const int x1 = std::min(pixelFrom(xs[i + 1]) - 1, areaRight);
            if (x0 <= x1)
                fillRun(line + x0, x1 - x0 + 1, colour);
        }
    }
}

} // namespace zorvik
