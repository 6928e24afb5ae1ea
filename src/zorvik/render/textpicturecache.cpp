#include "zorvik/render/textpicturecache.h"

#include "zorvik/render/plaintarget.h"

#include <cmath>

namespace zorvik {

namespace {

// Fractions of a pixel a position is rounded to. Finer than the raster
// engine's own sub-pixel glyph positions, so a picture never sits where the
// glyphs would not.
constexpr int Phases = 64;
// Names seen once still take an entry; past this many, start afresh.
constexpr qsizetype MaxEntries = 50000;
// Texts larger than this (device px) are drawn as glyphs: they are rare and
// their pictures would crowd out the names.
constexpr int MaxSide = 1024;

// The whole pixel at or left of a coordinate and the fraction past it.
void splitPixel(double v, int &whole, int &phase)
{
    const double floor = std::floor(v);
    whole = static_cast<int>(floor);
    phase = static_cast<int>(std::lround((v - floor) * Phases));
    if (phase == Phases) {
        ++whole;
        phase = 0;
    }
}

} // namespace

size_t qHash(const TextPictureCache::FullKey &k, size_t seed) noexcept
{
    return qHashMulti(seed, k.key.text, k.key.pixelSize, k.key.colour, k.key.halo, k.key.haloPx, k.phaseX,
        k.phaseY, k.hints);
}

TextPictureCache::Suspension::Suspension(bool off)
    : m_wasEnabled(TextPictureCache::forThread().isEnabled())
{
    if (off)
        TextPictureCache::forThread().setEnabled(false);
}

TextPictureCache::Suspension::~Suspension()
{
    TextPictureCache::forThread().setEnabled(m_wasEnabled);
}

TextPictureCache &TextPictureCache::forThread()
{
    thread_local TextPictureCache cache;
    return cache;
}

bool TextPictureCache::usable(const QPainter &painter)
{
    // Opacity below 1 would let the halo show through the text where a
    // picture, blended once, cannot.
    return plainImageTarget(painter) != nullptr;
}

qsizetype TextPictureCache::pictureCount() const
{
    qsizetype n = 0;
    for (const Picture &p : m_pictures)
        n += p.image.isNull() ? 0 : 1;
    return n;
}

void TextPictureCache::clear()
{
    m_pictures.clear();
    m_bytes = 0;
}

bool TextPictureCache::draw(QPainter &painter, QPointF origin, const Key &key, const QRectF &inkBox,
    const std::function<void(QPainter &, QPointF)> &drawGlyphs)
{
    if (!m_enabled || !usable(painter))
        return false;
    const QTransform t = painter.deviceTransform();
    int x = 0, y = 0;
    FullKey full{key, 0, 0, static_cast<int>(painter.renderHints())};
    splitPixel(origin.x() + t.dx(), x, full.phaseX);
    splitPixel(origin.y() + t.dy(), y, full.phaseY);

    auto it = m_pictures.find(full);
    if (it == m_pictures.end()) {
        if (m_pictures.size() >= MaxEntries)
            clear();
        m_pictures.insert(full, Picture{});
        return false;
    }
    if (it->image.isNull()) {
        // Everything the glyphs touch, with two pixels to spare for their
        // anti-aliased and hinted edges.
        const QPointF phase(double(full.phaseX) / Phases, double(full.phaseY) / Phases);
        const QRectF box = inkBox.translated(phase);
        const int left = static_cast<int>(std::floor(box.left())) - 2;
        const int top = static_cast<int>(std::floor(box.top())) - 2;
        const int width = static_cast<int>(std::ceil(box.right())) + 2 - left;
        const int height = static_cast<int>(std::ceil(box.bottom())) + 2 - top;
        if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide)
            return false;
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHints(painter.renderHints());
            drawGlyphs(p, phase - QPointF(left, top));
        }
        if (m_bytes + image.sizeInBytes() > byteBudget()) {
            clear();
            it = m_pictures.insert(full, Picture{});
        }
        m_bytes += image.sizeInBytes();
        it->image = std::move(image);
        it->offset = QPoint(left, top);
    }
    // The picture's top-left on whole device pixels, back in the painter's
    // coordinates (a translation at most).
    painter.drawImage(QPointF(x + it->offset.x() - t.dx(), y + it->offset.y() - t.dy()), it->image);
    return true;
}

} // namespace zorvik
