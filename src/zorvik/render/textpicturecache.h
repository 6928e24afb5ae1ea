#pragma once
// TextPictureCache: map names drawn as small pictures instead of glyphs. A
// name with its halo is nine glyph runs (the text and its eight shifted
// copies); a view draws the same names at the same places frame after frame,
// so each name is rasterised once into a premultiplied image and later frames
// blend that image in one call. Pictures are per thread and keyed by text,
// font size, colours, halo width, render hints and the position's fraction of
// a device pixel (in 1/64 px), so a picture lands on exactly the pixels its
// glyphs would have covered. A text becomes a picture on its second request:
// names seen once (while zooming) cost nothing extra.
//
// The cache stands aside - draw() returns false and the caller draws the
// glyphs itself - whenever a picture could not look the same: a painter that
// is not on a plain 32-bit image, a transform other than a translation
// (device pixel ratios included), a composition mode other than SourceOver,
// an opacity below 1, or a text too large. The reference drawing turns it off with a
// Suspension. Units: device px.
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>

namespace zorvik {

class TextPictureCache
{
public:
    // What makes two pictures the same, but for where they are drawn.
    struct Key
    {
        QString text;
        int pixelSize = 0;
        QRgb colour = 0;
        QRgb halo = 0;
        double haloPx = 0;
        bool operator==(const Key &) const = default;
    };

    // Turns the calling thread's cache off for its lifetime (when `off`),
    // and back to what it was afterwards.
    class Suspension
    {
    public:
        explicit Suspension(bool off);
        ~Suspension();
        Suspension(const Suspension &) = delete;
        Suspension &operator=(const Suspension &) = delete;

    private:
        bool m_wasEnabled;
    };

    // The calling thread's cache.
    static TextPictureCache &forThread();

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // Draws a text through its picture when the painter allows it. `origin`
    // is where `drawGlyphs` puts the glyphs (painter coordinates), `inkBox`
    // a box around everything they cover relative to `origin`. drawGlyphs
    // is called with a painter and an origin to draw the same glyphs there.
    // Returns false when nothing was drawn and the caller must draw.
    bool draw(QPainter &painter, QPointF origin, const Key &key, const QRectF &inkBox,
        const std::function<void(QPainter &, QPointF)> &drawGlyphs);

    // Bytes held in pictures; the cache starts afresh past byteBudget().
    qsizetype bytes() const { return m_bytes; }
    static constexpr qsizetype byteBudget() { return 16 * 1024 * 1024; }
    qsizetype pictureCount() const;
    void clear();

    // A painter whose state allows pictures (see above).
    static bool usable(const QPainter &painter);

private:
    struct FullKey
    {
        Key key;
        int phaseX = 0, phaseY = 0;
        int hints = 0;
        bool operator==(const FullKey &) const = default;
    };
    friend size_t qHash(const FullKey &k, size_t seed) noexcept;

    struct Picture
    {
        QImage image; // null until the second request
        QPoint offset; // image's top-left from the glyphs' whole-pixel origin
    };

    QHash<FullKey, Picture> m_pictures;
    qsizetype m_bytes = 0;
    bool m_enabled = true;
};

} // namespace zorvik
