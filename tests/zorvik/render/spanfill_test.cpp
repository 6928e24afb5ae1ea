// SpanFill against QPainter's own fill without anti-aliasing: the same pixels
// for shapes with sub-pixel edges, holes, parts outside the image, a painter
// translation and a clip; and no filler where the target needs QPainter.
#include "zorvik/render/spanfill.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

const QSize Size(120, 90);
constexpr QRgb Colour = 0xff3366cc;

// A wobbly ring of n points around (cx, cy); `turns` loops make it cross itself.
QPolygonF ring(double cx, double cy, double rx, double ry, int n, int turns = 1)
{
    QPolygonF p;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * turns * i / n;
        const double k = 1 + 0.1 * std::sin(9 * a) + 0.03 * std::sin(31 * a);
        p << QPointF(cx + rx * k * std::cos(a), cy + ry * k * std::sin(a));
    }
    return p;
}

struct Case
{
    const char *name;
    QPolygonF shape;
    QPointF translate;
    QRect clip; // empty: none
};

int differingPixels(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(SpanFill, FillsThePixelsQPainterFills)
{
    QPolygonF star;
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 4 * M_PI / 5;
        star << QPointF(60 + 40 * std::cos(a), 45 + 40 * std::sin(a));
    }
    const Case cases[] = {
        {"dense ring", ring(60.3, 44.7, 40, 30, 900), {}, {}},
        {"small ring", ring(10.6, 12.2, 3.3, 2.1, 40), {}, {}},
        {"star (odd-even hole)", star, {}, {}},
        {"self-crossing loops", ring(60, 45, 35, 25, 300, 3), {}, {}},
        {"beyond every edge", ring(60, 45, 90, 70, 500), {}, {}},
        {"translated", ring(40.2, 30.9, 30, 20, 200), {17.5, 9.25}, {}},
        {"clipped", ring(60, 45, 45, 35, 400), {}, QRect(20, 15, 70, 50)},
        {"axis-aligned box", QPolygonF(QRectF(10.3, 20.6, 50.4, 30.1)), {}, {}},
    };
    for (const Case &c : cases) {
        QImage expected(Size, QImage::Format_ARGB32_Premultiplied), actual = expected;
        expected.fill(Qt::white);
        actual.fill(Qt::white);
        for (QImage *image : {&expected, &actual}) {
            QPainter p(image);
            p.translate(c.translate);
            if (!c.clip.isEmpty())
                p.setClipRect(c.clip.translated(-c.translate.toPoint()));
            if (image == &expected) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor::fromRgb(Colour));
                p.drawPolygon(c.shape);
            } else {
                SpanFill spans = SpanFill::forPainter(p);
                ASSERT_TRUE(spans.valid()) << c.name;
                spans.fill(c.shape.constData(), static_cast<int>(c.shape.size()), Colour);
            }
        }
        int filled = 0;
        for (int y = 0; y < Size.height(); ++y)
            for (int x = 0; x < Size.width(); ++x)
                filled += expected.pixel(x, y) == Colour;
        EXPECT_GT(filled, 10) << c.name;
        // Pixel centres exactly on an edge may go either way.
        EXPECT_LE(differingPixels(expected, actual), 2 + filled / 500) << c.name;
    }
}

TEST(SpanFill, LeavesToQPainterWhatItCannotFill)
{
    QImage plain(Size, QImage::Format_ARGB32_Premultiplied);
    QImage rgb888(Size, QImage::Format_RGB888);
    const struct
    {
        const char *name;
        QImage *image;
        void (*set)(QPainter &);
        bool valid;
    } cases[] = {
        {"plain image", &plain, [](QPainter &) {}, true},
        {"other pixel format", &rgb888, [](QPainter &) {}, false},
        {"rotated", &plain, [](QPainter &p) { p.rotate(10); }, false},
        {"scaled", &plain, [](QPainter &p) { p.scale(2, 2); }, false},
        {"half opaque", &plain, [](QPainter &p) { p.setOpacity(0.5); }, false},
        {"other composition", &plain,
            [](QPainter &p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); }, false},
        {"clip of two rectangles", &plain,
            [](QPainter &p) { p.setClipRegion(QRegion(0, 0, 10, 10) + QRegion(20, 20, 10, 10)); }, false},
        {"clip outside the image", &plain, [](QPainter &p) { p.setClipRect(500, 500, 10, 10); }, false},
    };
    for (const auto &c : cases) {
        QPainter p(c.image);
        c.set(p);
        EXPECT_EQ(SpanFill::forPainter(p).valid(), c.valid) << c.name;
    }
}

} // namespace
} // namespace zorvik
