#include "zorvik/render/linestroker.h"

#include <QImage>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace zorvik {

namespace {

// How a segment ends: the pen's caps, or a joint with the next segment of
// the same polyline, which runs one pixel on and fades over it, so that the
// two overlap and the outer side of a turn is closed.
enum class End { Flat, Square, Round, Joint };

End endOf(Qt::PenCapStyle cap)
{
    switch (cap) {
    case Qt::FlatCap:
        return End::Flat;
    case Qt::RoundCap:
        return End::Round;
    default:
        return End::Square;
    }
}

// x * a / 255 on the four channels of a premultiplied pixel.
inline std::uint32_t byteMul(std::uint32_t x, std::uint32_t a)
{
    std::uint32_t t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = x + ((x >> 8) & 0xff00ff) + 0x800080;
    x &= 0xff00ff00;
    return x | t;
}

// ceil(v), at least `low` (>= 0); floor(v), at most `high`; without calls to
// ceil and floor, which the pixel loops would otherwise pay per row.
inline int ceilFrom(float v, int low)
{
    if (!(v > static_cast<float>(low)))
        return low;
    const int i = static_cast<int>(v);
    return i + (static_cast<float>(i) < v);
}
inline int floorTo(float v, int high)
{
    if (!(v < static_cast<float>(high)))
        return high;
    if (v < 0)
        return -1;
    return static_cast<int>(v);
}

inline float clamp01(float v)
{
    return std::clamp(v, 0.0f, 1.0f);
}

// Coverage (0..255) of the pixels of a device area; overlapping marks keep
// the larger value, which is the union of the marked shapes.
class CoverageMask
{
public:
    explicit CoverageMask(const QRect &area)
        : m_area(area)
        , m_cov(static_cast<std::size_t>(area.width()) * static_cast<std::size_t>(area.height()), 0)
    { }

    // The pixels within `half` of segment a-b, each end closed as `start`/`end` says.
    void segment(QPointF a, QPointF b, double half, End start, End end);
    // A polyline: `cap` at both ends, its segments overlapping at joints.
    void polyline(const QPointF *points, int count, double half, End cap)
    {
        for (int i = 1; i < count; ++i)
            segment(
                points[i - 1], points[i], half, i == 1 ? cap : End::Joint, i == count - 1 ? cap : End::Joint);
    }
    void blendInto(QImage &image, const QColor &colour) const;

private:
    QRect m_area;
    std::vector<std::uint8_t> m_cov;
};

void CoverageMask::segment(QPointF a, QPointF b, double half, End start, End end)
{
    const float ax = static_cast<float>(a.x()), ay = static_cast<float>(a.y());
    const float dx = static_cast<float>(b.x()) - ax, dy = static_cast<float>(b.y()) - ay;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return;
    const float len = std::sqrt(dx * dx + dy * dy);
    float ux = 1, uy = 0;
    if (len > 1e-6f) {
        ux = dx / len;
        uy = dy / len;
    } else if (start == End::Flat && end == End::Flat) {
        return;
    }
    const float reach = static_cast<float>(half) + 0.5f; // the farthest pixel centre with any coverage
    auto extent = [&](End e) { return e == End::Flat ? 0.5f : e == End::Joint ? 1.0f : reach; };
    const float before = extent(start), after = extent(end);
    // Rows whose centres lie in the rectangle's box.
    const float spanY = std::abs(ux) * reach;
    const float top = std::min(ay - uy * before, ay + dy + uy * after) - spanY;
    const float bottom = std::max(ay - uy * before, ay + dy + uy * after) + spanY;
    const int y0 = ceilFrom(top - 0.5f, m_area.top());
    const int y1 = floorTo(bottom - 0.5f, m_area.bottom());
    const bool alongX = std::abs(ux) > 1e-6f, acrossX = std::abs(uy) > 1e-6f;
    const float invUx = alongX ? 1 / ux : 0, invUy = acrossX ? 1 / uy : 0;
    const int width = m_area.width();
    for (int y = y0; y <= y1; ++y) {
        const float py = static_cast<float>(y) + 0.5f - ay;
        // Columns whose centres can lie in the rectangle: along the line
        // within [-before, len + after], across it within the reach.
        float lo = static_cast<float>(m_area.left()) - ax, hi = static_cast<float>(m_area.right() + 1) - ax;
        if (alongX) {
            float l = (-before - py * uy) * invUx, h = (len + after - py * uy) * invUx;
            if (l > h)
                std::swap(l, h);
            lo = std::max(lo, l);
            hi = std::min(hi, h);
        } else if (py * uy < -before || py * uy > len + after) {
            continue;
        }
        if (acrossX) {
            float l = (py * ux - reach) * invUy, h = (py * ux + reach) * invUy;
            if (l > h)
                std::swap(l, h);
            lo = std::max(lo, l);
            hi = std::min(hi, h);
        } else if (std::abs(py * ux) > reach) {
            continue;
        }
        const int x0 = ceilFrom(lo + ax - 0.5f, m_area.left());
        const int x1 = floorTo(hi + ax - 0.5f, m_area.right());
        if (x1 < x0)
            continue;
        std::uint8_t *row = m_cov.data() + static_cast<std::size_t>(y - m_area.top()) * width - m_area.left();
        const float px0 = static_cast<float>(x0) + 0.5f - ax;
        float u = px0 * ux + py * uy; // along the segment from a
        float v = py * ux - px0 * uy; // across it
        for (int x = x0; x <= x1; ++x, u += ux, v -= uy) {
            // Across times along, as a pixel's share of a rectangle; the
            // ends fade out `before`/`after` beyond the end points.
            float c = clamp01(reach - std::abs(v)) * clamp01(before + u) * clamp01(after + len - u);
            if (u < 0 && start == End::Round)
                c = clamp01(reach - std::sqrt(u * u + v * v));
            else if (u > len && end == End::Round)
                c = clamp01(reach - std::sqrt((u - len) * (u - len) + v * v));
            const auto cov = static_cast<std::uint8_t>(c * 255 + 0.5f);
            row[x] = std::max(row[x], cov);
        }
    }
}

void CoverageMask::blendInto(QImage &image, const QColor &colour) const
{
    const std::uint32_t src = qPremultiply(colour.rgba());
    const bool opaque = qAlpha(src) == 255;
    // The painter paints into the same pixels; the image is not detached
    // (a painter is active on it, so its data is not shared).
    uchar *bits = const_cast<uchar *>(image.constBits());
    const qsizetype stride = image.bytesPerLine();
    const int width = m_area.width();
    for (int y = 0; y < m_area.height(); ++y) {
        auto *line = reinterpret_cast<std::uint32_t *>(bits + (m_area.top() + y) * stride) + m_area.left();
        const std::uint8_t *cov = m_cov.data() + static_cast<std::size_t>(y) * width;
        int x = 0;
        while (x < width) {
            // Skip empty stretches eight pixels at a time.
            if (x + 8 <= width) {
                std::uint64_t eight;
                std::memcpy(&eight, cov + x, 8);
                if (eight == 0) {
                    x += 8;
                    continue;
                }
            }
            const std::uint32_t c = cov[x];
            if (c == 255 && opaque) {
                line[x] = src;
            } else if (c) {
                const std::uint32_t s = byteMul(src, c);
                line[x] = s + byteMul(line[x], 255 - qAlpha(s));
            }
            ++x;
        }
    }
}

// The on-stretches of a run under a dash pattern given in device pixels.
template <class PieceFn>
void forEachDash(const QPolygonF &run, const std::vector<double> &pattern, double offset, PieceFn &&piece)
{
    double total = 0;
    for (double d : pattern)
        total += d;
    if (total <= 0)
        return;
    std::size_t index = 0;
    double phase = std::fmod(std::max(0.0, offset), total);
    while (phase >= pattern[index]) {
        phase -= pattern[index];
        index = (index + 1) % pattern.size();
    }
    double remaining = pattern[index] - phase;
    bool on = index % 2 == 0;
    std::vector<QPointF> points;
    if (on)
        points.push_back(run[0]);
    for (int i = 1; i < run.size(); ++i) {
        const QPointF a = run[i - 1], b = run[i];
        const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
        double t = 0;
        while (len - t > remaining) {
            t += remaining;
            const QPointF p = a + (b - a) * (t / len);
            if (on) {
                points.push_back(p);
                piece(points);
                points.clear();
            } else {
                points.assign(1, p);
            }
            on = !on;
            index = (index + 1) % pattern.size();
            remaining = pattern[index];
        }
        remaining -= len - t;
        if (on)
            points.push_back(b);
    }
    if (on && points.size() >= 2)
        piece(points);
}

} // namespace

bool LineStroker::usesCoverage(const QPainter &painter, const QPen &pen)
{
    if (!painter.isActive() || pen.style() == Qt::NoPen || pen.brush().style() != Qt::SolidPattern
        || pen.widthF() <= 1.0 || !(painter.renderHints() & QPainter::Antialiasing)
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.opacity() != 1.0
        || painter.deviceTransform().type() > QTransform::TxTranslate)
        return false;
    QPaintDevice *device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return false;
    const auto *image = static_cast<const QImage *>(device);
    return image->format() == QImage::Format_ARGB32_Premultiplied || image->format() == QImage::Format_RGB32;
}

void LineStroker::strokeRuns(
    QPainter &painter, const QPen &pen, const std::vector<QPolygonF> &runs, bool reference)
{
    if (runs.empty() || pen.style() == Qt::NoPen)
        return;
    if (reference || !usesCoverage(painter, pen)) {
        painter.setPen(pen);
        for (const QPolygonF &run : runs)
            painter.drawPolyline(run);
        return;
    }
    auto *image = static_cast<QImage *>(painter.device());
    const QTransform &t = painter.deviceTransform();
    QRect area = image->rect();
    if (painter.hasClipping()) {
        const QRegion clip = painter.clipRegion();
        if (clip.rectCount() > 1) {
            strokeRuns(painter, pen, runs, true);
            return;
        }
        area &= clip.boundingRect().translated(qRound(t.dx()), qRound(t.dy()));
    }
    const double width = pen.widthF();
    QRectF bounds;
    for (const QPolygonF &run : runs)
        bounds |= run.boundingRect();
    bounds.translate(t.dx(), t.dy());
    area &= bounds.adjusted(-width - 2, -width - 2, width + 2, width + 2).toAlignedRect();
    if (area.isEmpty())
        return;

    CoverageMask mask(area);
    const double half = width / 2;
    const End cap = endOf(pen.capStyle());
    const QPointF shift(t.dx(), t.dy());
    std::vector<QPointF> points;
    // Vertices closer than half the width to the last kept one are merged
    // (the ends are kept): their turns hide inside the line.
    const double merge2 = half * half;
    auto mark = [&](const QPointF *p, int n) {
        points.clear();
        points.push_back(p[0] + shift);
        for (int i = 1; i < n; ++i) {
            const QPointF q = p[i] + shift;
            const QPointF d = q - points.back();
            if (i < n - 1 && d.x() * d.x() + d.y() * d.y() < merge2)
                continue;
            points.push_back(q);
        }
        mask.polyline(points.data(), static_cast<int>(points.size()), half, cap);
    };
    if (pen.style() == Qt::SolidLine) {
        for (const QPolygonF &run : runs)
            mark(run.constData(), static_cast<int>(run.size()));
    } else {
        // Dash lengths are in pen widths; the pattern restarts with every run, as in drawPolyline.
        std::vector<double> pattern;
        const double unit = std::max(1.0, width);
        for (qreal d : pen.dashPattern())
            pattern.push_back(d * unit);
        if (pattern.size() % 2)
            pattern.push_back(pattern.back());
        const double offset = pen.dashOffset() * unit;
        for (const QPolygonF &run : runs)
            forEachDash(run, pattern, offset,
                [&](const std::vector<QPointF> &p) { mark(p.data(), static_cast<int>(p.size())); });
    }
    mask.blendInto(*image, pen.color());
}

} // namespace zorvik
