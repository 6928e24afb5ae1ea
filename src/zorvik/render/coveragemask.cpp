#include "zorvik/render/coveragemask.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zorvik {

namespace {

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

// One segment in the frame of its start point: u along it, v across it.
struct Shape
{
    float ax, ay; // start point
    float ux, uy; // unit direction
    float len;
    float reach; // the farthest pixel centre with any coverage, across
    float before, after; // the same along, beyond each end
    bool roundStart, roundEnd;

    // Coverage of the pixel centre at (u, v): across times along, as a
    // pixel's share of a rectangle, or the distance from a round end.
    float at(float u, float v) const
    {
        if (u < 0 && roundStart)
            return clamp01(reach - std::sqrt(u * u + v * v));
        if (u > len && roundEnd)
            return clamp01(reach - std::sqrt((u - len) * (u - len) + v * v));
        return clamp01(reach - std::abs(v)) * clamp01(before + u) * clamp01(after + len - u);
    }
};

#if defined(__SSE2__)

inline __m128 clamp01(__m128 v)
{
    return _mm_min_ps(_mm_max_ps(v, _mm_setzero_ps()), _mm_set1_ps(1.0f));
}

inline __m128 select(__m128 mask, __m128 a, __m128 b)
{
    return _mm_or_ps(_mm_and_ps(mask, a), _mm_andnot_ps(mask, b));
}

// Shape::at for four pixel centres.
inline __m128 coverage4(const Shape &s, __m128 u, __m128 v)
{
    const __m128 reach = _mm_set1_ps(s.reach);
    const __m128 sign = _mm_set1_ps(-0.0f);
    __m128 c = _mm_mul_ps(clamp01(_mm_sub_ps(reach, _mm_andnot_ps(sign, v))),
        _mm_mul_ps(clamp01(_mm_add_ps(_mm_set1_ps(s.before), u)),
            clamp01(_mm_sub_ps(_mm_set1_ps(s.after + s.len), u))));
    if (s.roundEnd) {
        const __m128 w = _mm_sub_ps(u, _mm_set1_ps(s.len));
        const __m128 r = clamp01(
            _mm_sub_ps(reach, _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(w, w), _mm_mul_ps(v, v)))));
        c = select(_mm_cmpgt_ps(w, _mm_setzero_ps()), r, c);
    }
    if (s.roundStart) {
        const __m128 r = clamp01(
            _mm_sub_ps(reach, _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(u, u), _mm_mul_ps(v, v)))));
        c = select(_mm_cmplt_ps(u, _mm_setzero_ps()), r, c);
    }
    return c;
}

// Coverage bytes (0..255) of eight pixel centres, at (u0, v0) and (u1, v1),
// in the low half.
inline __m128i bytes8(const Shape &s, __m128 u0, __m128 v0, __m128 u1, __m128 v1)
{
    const __m128 scale = _mm_set1_ps(255), half = _mm_set1_ps(0.5f);
    const __m128i c0 = _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(coverage4(s, u0, v0), scale), half));
    const __m128i c1 = _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(coverage4(s, u1, v1), scale), half));
    const __m128i words = _mm_packs_epi32(c0, c1);
    return _mm_packus_epi16(words, words);
}

inline void keepLarger8(std::uint8_t *cov, __m128i bytes)
{
    const __m128i old = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(cov));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(cov), _mm_max_epu8(old, bytes));
}

inline void keepLarger4(std::uint8_t *cov, __m128i bytes)
{
    std::int32_t old;
    std::memcpy(&old, cov, 4);
    const std::int32_t larger = _mm_cvtsi128_si32(_mm_max_epu8(_mm_cvtsi32_si128(old), bytes));
    std::memcpy(cov, &larger, 4);
}

// Marks the eight pixels from `cov` on, the first with its centre at (u, v).
inline void markRun(const Shape &s, std::uint8_t *cov, float u, float v)
{
    const __m128 ux = _mm_set1_ps(s.ux), uy = _mm_set1_ps(s.uy);
    const __m128 low = _mm_setr_ps(0, 1, 2, 3), high = _mm_setr_ps(4, 5, 6, 7);
    const __m128 bu = _mm_set1_ps(u), bv = _mm_set1_ps(v);
    keepLarger8(cov,
        bytes8(s, _mm_add_ps(bu, _mm_mul_ps(low, ux)), _mm_sub_ps(bv, _mm_mul_ps(low, uy)),
            _mm_add_ps(bu, _mm_mul_ps(high, ux)), _mm_sub_ps(bv, _mm_mul_ps(high, uy))));
}

// Marks a box of `rows` rows of at most eight pixels from `cov` on, the
// first with its centre at (u, v); rows of at most four go two at a time.
inline void markBox(const Shape &s, std::uint8_t *cov, int stride, int columns, int rows, float u, float v)
{
    const __m128 ux = _mm_set1_ps(s.ux), uy = _mm_set1_ps(s.uy);
    const __m128 low = _mm_setr_ps(0, 1, 2, 3);
    __m128 u0 = _mm_add_ps(_mm_set1_ps(u), _mm_mul_ps(low, ux));
    __m128 v0 = _mm_sub_ps(_mm_set1_ps(v), _mm_mul_ps(low, uy));
    if (columns <= 4) {
        // The next row: one down, u on by uy and v by ux.
        __m128 u1 = _mm_add_ps(u0, uy), v1 = _mm_add_ps(v0, ux);
        const __m128 du = _mm_add_ps(uy, uy), dv = _mm_add_ps(ux, ux);
        for (int y = 0; y < rows; y += 2, cov += 2 * stride) {
            const __m128i bytes = bytes8(s, u0, v0, u1, v1);
            keepLarger4(cov, bytes);
            keepLarger4(cov + stride, _mm_srli_si128(bytes, 4));
            u0 = _mm_add_ps(u0, du);
            v0 = _mm_add_ps(v0, dv);
            u1 = _mm_add_ps(u1, du);
            v1 = _mm_add_ps(v1, dv);
        }
        return;
    }
    const __m128 four = _mm_set1_ps(4);
    __m128 u1 = _mm_add_ps(u0, _mm_mul_ps(four, ux)), v1 = _mm_sub_ps(v0, _mm_mul_ps(four, uy));
    for (int y = 0; y < rows; ++y, cov += stride) {
        keepLarger8(cov, bytes8(s, u0, v0, u1, v1));
        u0 = _mm_add_ps(u0, uy);
        v0 = _mm_add_ps(v0, ux);
        u1 = _mm_add_ps(u1, uy);
        v1 = _mm_add_ps(v1, ux);
    }
}

// byteMul on 16-bit channels: x * a / 255.
inline __m128i mul255(__m128i x, __m128i a)
{
    const __m128i t = _mm_mullo_epi16(x, a);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), _mm_set1_epi16(0x80)), 8);
}

// Two pixels of `src` (16-bit channels) under coverage `c` (each pixel's in
// its four channels) over the two pixels `d`.
inline __m128i over2(__m128i src, __m128i c, __m128i d)
{
    const __m128i s = mul255(src, c);
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xff), 0xff);
    return _mm_add_epi16(s, mul255(d, _mm_sub_epi16(_mm_set1_epi16(255), alpha)));
}

// The scalar blend of four pixels of `line` under the coverage bytes `four`.
inline void blend4(std::uint32_t *line, std::uint32_t four, __m128i src16)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i c = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), zero);
    c = _mm_unpacklo_epi16(c, c);
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(line));
    const __m128i low = over2(src16, _mm_unpacklo_epi32(c, c), _mm_unpacklo_epi8(d, zero));
    const __m128i high = over2(src16, _mm_unpackhi_epi32(c, c), _mm_unpackhi_epi8(d, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(line), _mm_packus_epi16(low, high));
}

#else

inline void markPixel(const Shape &s, std::uint8_t *cov, float u, float v)
{
    *cov = std::max(*cov, static_cast<std::uint8_t>(s.at(u, v) * 255 + 0.5f));
}

inline void markRun(const Shape &s, std::uint8_t *cov, float u, float v)
{
    for (int i = 0; i < CoverageMask::Lanes; ++i)
        markPixel(s, cov + i, u + static_cast<float>(i) * s.ux, v - static_cast<float>(i) * s.uy);
}

inline void markBox(const Shape &s, std::uint8_t *cov, int stride, int columns, int rows, float u, float v)
{
    for (int y = 0; y < rows; ++y, cov += stride, u += s.uy, v += s.ux)
        for (int i = 0; i < columns; ++i)
            markPixel(s, cov + i, u + static_cast<float>(i) * s.ux, v - static_cast<float>(i) * s.uy);
}

#endif

} // namespace

CoverageMask::CoverageMask(const QRect &area)
    : m_area(area)
    , m_stride(std::max(0, area.width()) + Lanes)
    , m_cov(static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(std::max(0, area.height()) + 1), 0)
{ }

void CoverageMask::polyline(const QPointF *points, int count, double half, SegmentEnd cap)
{
    for (int i = 1; i < count; ++i)
        segment(points[i - 1], points[i], half, i == 1 ? cap : SegmentEnd::Joint,
            i == count - 1 ? cap : SegmentEnd::Joint);
}

void CoverageMask::segment(QPointF a, QPointF b, double half, SegmentEnd start, SegmentEnd end)
{
    Shape s;
    s.ax = static_cast<float>(a.x());
    s.ay = static_cast<float>(a.y());
    const float dx = static_cast<float>(b.x()) - s.ax, dy = static_cast<float>(b.y()) - s.ay;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return;
    s.len = std::sqrt(dx * dx + dy * dy);
    s.ux = 1;
    s.uy = 0;
    if (s.len > 1e-6f) {
        s.ux = dx / s.len;
        s.uy = dy / s.len;
    } else if (start == SegmentEnd::Flat && end == SegmentEnd::Flat) {
        return;
    }
    s.reach = static_cast<float>(half) + 0.5f;
    auto extent = [&](SegmentEnd e) {
        return e == SegmentEnd::Flat ? 0.5f : e == SegmentEnd::Joint ? 1.0f : s.reach;
    };
    s.before = extent(start);
    s.after = extent(end);
    s.roundStart = start == SegmentEnd::Round;
    s.roundEnd = end == SegmentEnd::Round;

    // The box of the pixel centres in the rectangle.
    const float spanX = std::abs(s.uy) * s.reach, spanY = std::abs(s.ux) * s.reach;
    const float x0 = s.ax - s.ux * s.before, x1 = s.ax + dx + s.ux * s.after;
    const float y0 = s.ay - s.uy * s.before, y1 = s.ay + dy + s.uy * s.after;
    const int left = ceilFrom(std::min(x0, x1) - spanX - 0.5f, m_area.left());
    const int right = floorTo(std::max(x0, x1) + spanX - 0.5f, m_area.right());
    const int top = ceilFrom(std::min(y0, y1) - spanY - 0.5f, m_area.top());
    const int bottom = floorTo(std::max(y0, y1) + spanY - 0.5f, m_area.bottom());
    if (right < left || bottom < top)
        return;

    const auto rowAt = [&](int y) {
        return m_cov.data() + static_cast<std::size_t>(y - m_area.top()) * m_stride - m_area.left();
    };
    if (right - left < Lanes) {
        const float px = static_cast<float>(left) + 0.5f - s.ax, py = static_cast<float>(top) + 0.5f - s.ay;
        markBox(s, rowAt(top) + left, m_stride, right - left + 1, bottom - top + 1, px * s.ux + py * s.uy,
            py * s.ux - px * s.uy);
        return;
    }
    const bool alongX = std::abs(s.ux) > 1e-6f, acrossX = std::abs(s.uy) > 1e-6f;
    const float invUx = alongX ? 1 / s.ux : 0, invUy = acrossX ? 1 / s.uy : 0;
    for (int y = top; y <= bottom; ++y) {
        const float py = static_cast<float>(y) + 0.5f - s.ay;
        // Columns whose centres can lie in the rectangle: along the line
        // within [-before, len + after], across it within the reach.
        float lo = static_cast<float>(left) - 0.5f - s.ax, hi = static_cast<float>(right) + 1.5f - s.ax;
        if (alongX) {
            float l = (-s.before - py * s.uy) * invUx, h = (s.len + s.after - py * s.uy) * invUx;
            if (l > h)
                std::swap(l, h);
            lo = std::max(lo, l);
            hi = std::min(hi, h);
        }
        if (acrossX) {
            float l = (py * s.ux - s.reach) * invUy, h = (py * s.ux + s.reach) * invUy;
            if (l > h)
                std::swap(l, h);
            lo = std::max(lo, l);
            hi = std::min(hi, h);
        }
        const int from = ceilFrom(lo + s.ax - 0.5f, left);
        const int to = floorTo(hi + s.ax - 0.5f, right);
        std::uint8_t *row = rowAt(y);
        for (int x = from; x <= to; x += Lanes) {
            const float px = static_cast<float>(x) + 0.5f - s.ax;
            markRun(s, row + x, px * s.ux + py * s.uy, py * s.ux - px * s.uy);
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
    const auto blendPixel = [&](std::uint32_t &pixel, std::uint32_t c) {
        if (c == 255 && opaque) {
            pixel = src;
        } else if (c) {
            const std::uint32_t s = byteMul(src, c);
            pixel = s + byteMul(pixel, 255 - qAlpha(s));
        }
    };
#if defined(__SSE2__)
    const __m128i src16 = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(src)), _mm_setzero_si128());
    const __m128i solid = _mm_set1_epi32(static_cast<int>(src));
    // Four pixels from `line` under four coverage bytes; empty and full ones are common.
    const auto blendFour = [&](std::uint32_t *line, const std::uint8_t *cov) {
        std::uint32_t four;
        std::memcpy(&four, cov, 4);
        if (four == 0)
            return;
        if (four == 0xffffffff && opaque)
            _mm_storeu_si128(reinterpret_cast<__m128i *>(line), solid);
        else
            blend4(line, four, src16);
    };
#endif
    for (int y = 0; y < m_area.height(); ++y) {
        auto *line = reinterpret_cast<std::uint32_t *>(bits + (m_area.top() + y) * stride) + m_area.left();
        const std::uint8_t *cov = m_cov.data() + static_cast<std::size_t>(y) * m_stride;
        int x = 0;
#if defined(__SSE2__)
        for (; x + 16 <= width; x += 16) {
            const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i *>(cov + x));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, _mm_setzero_si128())) == 0xffff)
                continue;
            for (int i = 0; i < 16; i += 4)
                blendFour(line + x + i, cov + x + i);
        }
        for (; x + 4 <= width; x += 4)
            blendFour(line + x, cov + x);
#endif
        for (; x < width; ++x)
            blendPixel(line[x], cov[x]);
    }
}

} // namespace zorvik
