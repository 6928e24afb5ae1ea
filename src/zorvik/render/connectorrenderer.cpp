#include "zorvik/render/connectorrenderer.h"

#include "zorvik/render/textpicturecache.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace zorvik {
namespace {

enum class Shape {
    Circle,
    DoubleCircle,
    OutlinedCircle,
    CrossedCircle,
    Ring,
    Diamond,
    Triangle,
    Square,
    CrossedSquare,
    Star,
    OutgoingLine,
    Arrow,
};

QPainterPath starPath(QPointF c, double r)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double rr = (i % 2) ? r * 0.45 : r;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF p(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// An arrow pointing along (dx, dy) in device axes, centred on c.
QPainterPath arrowPath(QPointF c, double r, double dx, double dy)
{
    const double len = std::hypot(dx, dy);
    const double ux = dx / len, uy = dy / len; // along
    const double vx = -uy, vy = ux; // across
    auto at = [&](double along, double across) {
        return QPointF(c.x() + ux * along * r + vx * across * r, c.y() + uy * along * r + vy * across * r);
    };
    QPainterPath path(at(1, 0));
    path.lineTo(at(0.1, 0.6));
    path.lineTo(at(0.1, 0.22));
    path.lineTo(at(-1, 0.22));
    path.lineTo(at(-1, -0.22));
    path.lineTo(at(0.1, -0.22));
    path.lineTo(at(0.1, -0.6));
    path.closeSubpath();
    return path;
}

QRectF paintShape(QPainter &p, Shape shape, QPointF c, double size, const QColor &colour, const QBrush &fill,
    double ratio, QPointF direction = {})
{
    const double r = size / 2;
    const QRectF box(c.x() - r, c.y() - r, size, size);
    p.save();
    QPen outline(colour.darker(160), std::max(1.0, ratio));
    p.setPen(outline);
    p.setBrush(fill);
    switch (shape) {
    case Shape::Circle:
        p.setPen(QPen(colour, std::max(1.0, ratio)));
        p.drawEllipse(box);
        break;
    case Shape::OutlinedCircle:
        p.setPen(QPen(Qt::black, std::max(1.0, ratio)));
        p.drawEllipse(box);
        break;
    case Shape::DoubleCircle:
        p.drawEllipse(box);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r * 0.55, r * 0.55);
        break;
    case Shape::CrossedCircle:
        p.drawEllipse(box);
        p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
        break;
    case Shape::Ring: {
        QPainterPath ring;
        ring.addEllipse(box);
        ring.addEllipse(c, r * 0.5, r * 0.5);
        ring.setFillRule(Qt::OddEvenFill);
        p.drawPath(ring);
        break;
    }
    case Shape::Diamond:
        p.drawPolygon(QPolygonF({QPointF(c.x(), c.y() - r), QPointF(c.x() + r, c.y()),
            QPointF(c.x(), c.y() + r), QPointF(c.x() - r, c.y())}));
        break;
    case Shape::Triangle:
        p.drawPolygon(QPolygonF({QPointF(c.x(), c.y() - r), QPointF(c.x() + r, c.y() + r * 0.8),
            QPointF(c.x() - r, c.y() + r * 0.8)}));
        break;
    case Shape::Square:
        p.drawRect(box.adjusted(r * 0.15, r * 0.15, -r * 0.15, -r * 0.15));
        break;
    case Shape::CrossedSquare: {
        const QRectF sq = box.adjusted(r * 0.15, r * 0.15, -r * 0.15, -r * 0.15);
        p.drawRect(sq);
        p.drawLine(sq.topLeft(), sq.bottomRight());
        p.drawLine(sq.topRight(), sq.bottomLeft());
        break;
    }
    case Shape::Star:
        p.drawPath(starPath(c, r));
        break;
    case Shape::OutgoingLine:
        p.drawEllipse(c, r * 0.4, r * 0.4);
        p.setPen(QPen(colour, std::max(1.0, 2 * ratio)));
        p.drawLine(c, QPointF(c.x() + r, c.y() - r));
        break;
    case Shape::Arrow:
        p.drawPath(arrowPath(c, r, direction.x(), direction.y()));
        break;
    }
    p.restore();
    return box;
}

double textFloor(const ConnectorPaint &c)
{
    return c.textFloorPx > 0 ? c.textFloorPx : MinTextPixels * c.pixelRatio;
}

class TextRenderer : public ConnectorRenderer
{
public:
    explicit TextRenderer(bool lastField)
        : m_lastField(lastField)
    { }
    QRectF paint(QPainter &p, const ConnectorPaint &c) const override
    {
        if (!c.withText)
            return {};
        return drawMapText(
            p, c.at, shown(c), std::max(c.sizePx, textFloor(c)), c.colour, c.halo, haloPixels(c.pixelRatio));
    }
    ConnectorText text(const ConnectorPaint &c) const override
    {
        const double size = std::max(c.sizePx, textFloor(c));
        const QString text = shown(c);
        return {text, mapTextBox(c.at, text, size, haloPixels(c.pixelRatio)), size};
    }

private:
    QString shown(const ConnectorPaint &c) const
    {
        return m_lastField ? c.key.section(QLatin1Char(','), -1) : c.key;
    }
    bool m_lastField;
};

class MarkerRenderer : public ConnectorRenderer
{
public:
    explicit MarkerRenderer(Shape shape, QPointF direction = {})
        : m_shape(shape)
        , m_direction(direction)
    { }
    QRectF paint(QPainter &p, const ConnectorPaint &c) const override
    {
        return paintShape(p, m_shape, c.at, c.sizePx, c.colour, c.fill, c.pixelRatio, m_direction);
    }

private:
    Shape m_shape;
    QPointF m_direction;
};

// A symbol with the key written beside it (also the fallback for unknown names).
class MarkerTextRenderer : public ConnectorRenderer
{
public:
    MarkerTextRenderer(Shape shape, double markerShare)
        : m_shape(shape)
        , m_markerShare(markerShare)
    { }
    QRectF paint(QPainter &p, const ConnectorPaint &c) const override
    {
        const QRectF box = paintShape(p, m_shape, c.at, marker(c), c.colour, c.fill, c.pixelRatio);
        if (!c.withText)
            return box;
        return box.united(
            drawMapText(p, textAt(c), c.key, textSize(c), c.colour, c.halo, haloPixels(c.pixelRatio), true));
    }
    ConnectorText text(const ConnectorPaint &c) const override
    {
        return {
            c.key, mapTextBox(textAt(c), c.key, textSize(c), haloPixels(c.pixelRatio), true), textSize(c)};
    }

private:
    double marker(const ConnectorPaint &c) const
    {
        return std::max(4.0 * c.pixelRatio, c.sizePx * m_markerShare);
    }
    QPointF textAt(const ConnectorPaint &c) const
    {
        return QPointF(c.at.x() + marker(c) / 2 + 2 * c.pixelRatio, c.at.y());
    }
    static double textSize(const ConnectorPaint &c) { return std::max(c.sizePx, textFloor(c)); }

    Shape m_shape;
    double m_markerShare;
};

struct Registry
{
    QHash<QString, std::shared_ptr<ConnectorRenderer>> byName; // lower-case, trimmed
    std::shared_ptr<ConnectorRenderer> fallback;

    Registry()
    {
        auto text = std::make_shared<TextRenderer>(false);
        auto add = [&](const char *name, std::shared_ptr<ConnectorRenderer> r) {
            byName.insert(QString::fromLatin1(name).toLower(), std::move(r));
        };
        add("STRING.DLL", text);
        add("STRING_EX.DLL", text);
        add("STRING_oe.DLL", std::make_shared<TextRenderer>(true));
        add("SYMBOL.DLL", std::make_shared<MarkerRenderer>(Shape::Diamond));
        add("MARU.DLL", std::make_shared<MarkerRenderer>(Shape::Circle));
        add("MARU2.DLL", std::make_shared<MarkerRenderer>(Shape::DoubleCircle));
        add("MaruEx.DLL", std::make_shared<MarkerRenderer>(Shape::OutlinedCircle));
        add("MaruEx1.DLL", std::make_shared<MarkerRenderer>(Shape::CrossedCircle));
        add("Donuts.DLL", std::make_shared<MarkerRenderer>(Shape::Ring));
        const struct
        {
            const char *name;
            double dx, dy;
        } arrows[]
            = {{"DARROW.DLL", 0, 1}, {"DLARROW.DLL", -1, 1}, {"DRARROW.DLL", 1, 1}, {"LARROW.DLL", -1, 0},
                {"RARROW.DLL", 1, 0}, {"UARROW.DLL", 0, -1}, {"ULARROW.DLL", -1, -1}, {"URARROW.DLL", 1, -1}};
        for (const auto &a : arrows)
            add(a.name, std::make_shared<MarkerRenderer>(Shape::Arrow, QPointF(a.dx, a.dy)));
        add("Figure.DLL", std::make_shared<MarkerRenderer>(Shape::Triangle));
        add("PolySquare.DLL", std::make_shared<MarkerRenderer>(Shape::Square));
        add("SquareCross.DLL", std::make_shared<MarkerRenderer>(Shape::CrossedSquare));
        add("StarStr.DLL", std::make_shared<MarkerTextRenderer>(Shape::Star, 1.0));
        add("MaruStrX.DLL", std::make_shared<MarkerTextRenderer>(Shape::Circle, 0.8));
        add("OutGoingLine.DLL", std::make_shared<MarkerRenderer>(Shape::OutgoingLine));
        fallback = std::make_shared<MarkerTextRenderer>(Shape::Square, 0.5);
    }
};

const Registry &registry()
{
    static const Registry r;
    return r;
}

} // namespace

const ConnectorRenderer &connectorRenderer(const QString &dllName)
{
    const Registry &r = registry();
    auto it = r.byName.constFind(dllName.trimmed().toLower());
    return it == r.byName.constEnd() ? *r.fallback : **it;
}

bool isKnownRenderer(const QString &dllName)
{
    return registry().byName.contains(dllName.trimmed().toLower());
}

QString shownConnectorText(const QString &dllName, const QString &key)
{
    if (dllName.trimmed().compare(QLatin1String("STRING_oe.DLL"), Qt::CaseInsensitive) == 0)
        return key.section(QLatin1Char(','), -1);
    return key;
}

double connectorSizePixels(double sizeNumber, double pixelsPerWorldUnitY, double pixelRatio)
{
    const double px = sizeNumber * 0.1 * pixelsPerWorldUnitY;
    return std::clamp(px, 6.0 * pixelRatio, 200.0 * pixelRatio);
}

double textFloorPixels(double sizeNumber, double pixelRatio)
{
    return MinTextPixels * pixelRatio * std::pow(std::max(1.0, sizeNumber / 1000.0), 0.25);
}

QFont mapFont(double pixelSize)
{
    QFont font(QStringLiteral("IPAexGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    return font;
}

double haloPixels(double pixelRatio)
{
    return std::max(1.0, pixelRatio);
}

namespace {

// A text shaped once at one pixel size: its advance, the font's metrics and
// the glyph runs, relative to the top-left of its line. A map repeats the
// same names frame after frame, so the shaping is kept for the thread's
// later renders (up to a bound, then started afresh).
struct ShapedText
{
    double width = 0, ascent = 0, descent = 0, height = 0, lineAscent = 0;
    QList<QGlyphRun> runs;
    // The glyphs shifted to the eight neighbours at haloPx, as one run per
    // font, made on the first draw with a halo.
    double haloPx = 0;
    QList<QGlyphRun> haloRuns;
    // Everything the glyphs cover, relative to the top-left of the line.
    QRectF inkBox;
};

ShapedText &shaped(const QString &text, double pixelSize)
{
    struct Cache
    {
        QHash<QPair<int, QString>, ShapedText> texts;
    };
    thread_local Cache cache;
    // The key is mapFont's pixel size, without making the font for a hit.
    const QPair<int, QString> key(std::max(1, static_cast<int>(std::lround(pixelSize))), text);
    auto it = cache.texts.find(key);
    if (it != cache.texts.end())
        return *it;
    if (cache.texts.size() >= 20000)
        cache.texts.clear();
    const QFont font = mapFont(pixelSize);
    ShapedText s;
    const QFontMetricsF metrics(font);
    s.width = metrics.horizontalAdvance(text);
    s.ascent = metrics.ascent();
    s.descent = metrics.descent();
    s.height = metrics.height();
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    s.lineAscent = line.ascent();
    s.runs = layout.glyphRuns();
    for (const QGlyphRun &run : s.runs)
        s.inkBox |= run.boundingRect();
    return *cache.texts.insert(key, std::move(s));
}

// Where a text's glyphs go: the left end of the baseline.
struct TextLayout
{
    double x, baseline;
    ShapedText &text;
};

// The eight shifted copies of every glyph of a run, in one run.
QGlyphRun haloRun(const QGlyphRun &run, double d)
{
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    QList<quint32> haloGlyphs;
    QList<QPointF> haloPositions;
    haloGlyphs.reserve(glyphs.size() * 8);
    haloPositions.reserve(positions.size() * 8);
    for (const QPointF offset : {QPointF(-d, 0), QPointF(d, 0), QPointF(0, -d), QPointF(0, d),
             QPointF(-d, -d), QPointF(d, -d), QPointF(-d, d), QPointF(d, d)})
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            haloGlyphs.append(glyphs[i]);
            haloPositions.append(positions[i] + offset);
        }
    QGlyphRun halo = run;
    halo.setGlyphIndexes(haloGlyphs);
    halo.setPositions(haloPositions);
    return halo;
}

TextLayout layoutText(ShapedText &text, QPointF at, bool leftAligned)
{
    const double x = leftAligned ? at.x() : at.x() - text.width / 2;
    return {x, at.y() + (text.ascent - text.descent) / 2, text};
}

QRectF boxOf(const TextLayout &l, double haloPx)
{
    return QRectF(l.x, l.baseline - l.text.ascent, l.text.width, l.text.height)
        .adjusted(-haloPx, -haloPx, haloPx, haloPx);
}

} // namespace

QRectF mapTextBox(QPointF at, const QString &text, double pixelSize, double haloPx, bool leftAligned)
{
    if (text.isEmpty())
        return QRectF(at, QSizeF(0, 0));
    return boxOf(layoutText(shaped(text, pixelSize), at, leftAligned), haloPx);
}

QRectF drawMapText(QPainter &painter, QPointF at, const QString &text, double pixelSize, const QColor &colour,
    const QColor &halo, double haloPx, bool leftAligned)
{
    if (text.isEmpty())
        return QRectF(at, QSizeF(0, 0));
    const TextLayout l = layoutText(shaped(text, pixelSize), at, leftAligned);
    const QPointF origin(l.x, l.baseline - l.text.lineAscent);
    const bool withHalo = halo.isValid() && halo.alpha() > 0;
    if (withHalo && (l.text.haloRuns.isEmpty() || l.text.haloPx != haloPx)) {
        l.text.haloRuns.clear();
        for (const QGlyphRun &run : l.text.runs)
            l.text.haloRuns.append(haloRun(run, haloPx));
        l.text.haloPx = haloPx;
    }
    // Shaped once; the halo is the glyphs shifted to the eight neighbours,
    // an outline haloPx wide, drawn as one run per font. The pen is put back
    // by hand: a save() and restore() per name costs more than its glyphs.
    const auto drawGlyphs = [&](QPainter &p, QPointF at) {
        const QPen pen = p.pen();
        if (withHalo) {
            p.setPen(halo);
            for (const QGlyphRun &run : l.text.haloRuns)
                p.drawGlyphRun(at, run);
        }
        p.setPen(colour);
        for (const QGlyphRun &run : l.text.runs)
            p.drawGlyphRun(at, run);
        p.setPen(pen);
    };
    const double pad = withHalo ? haloPx : 0;
    const TextPictureCache::Key key{text, std::max(1, static_cast<int>(std::lround(pixelSize))),
        colour.rgba(), withHalo ? halo.rgba() : 0, pad};
    if (!TextPictureCache::forThread().draw(
            painter, origin, key, l.text.inkBox.adjusted(-pad, -pad, pad, pad), drawGlyphs))
        drawGlyphs(painter, origin);
    return boxOf(l, haloPx);
}

} // namespace zorvik
