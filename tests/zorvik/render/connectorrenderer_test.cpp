#include "zorvik/render/connectorrenderer.h"

#include <QImage>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

QImage paintWith(const QString &name, const QString &key)
{
    QImage image(80, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    ConnectorPaint c;
    c.at = QPointF(40, 30);
    c.key = key;
    c.colour = Qt::blue;
    c.fill = QBrush(Qt::blue);
    c.sizePx = 20;
    connectorRenderer(name).paint(painter, c);
    return image;
}

int inked(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != qRgb(255, 255, 255);
    return n;
}

TEST(ConnectorRenderer, EveryOfferedNameDrawsSomething)
{
    const char *names[] = {"STRING.DLL", "STRING_EX.DLL", "SYMBOL.DLL", "MARU.DLL", "MARU2.DLL", "MaruEx.DLL",
        "MaruEx1.DLL", "Donuts.DLL", "DARROW.DLL", "DLARROW.DLL", "DRARROW.DLL", "LARROW.DLL", "RARROW.DLL",
        "UARROW.DLL", "ULARROW.DLL", "URARROW.DLL", "Figure.DLL ", "PolySquare.DLL", "SquareCross.DLL",
        "StarStr.DLL", "MaruStrX.DLL", "OutGoingLine.DLL", "STRING_oe.DLL"};
    for (const char *name : names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(isKnownRenderer(QString::fromLatin1(name)));
        EXPECT_GT(inked(paintWith(QString::fromLatin1(name), QStringLiteral("名"))), 20);
    }
    // The eight arrows point eight different ways.
    QList<QImage> arrows;
    for (const char *name : {"DARROW.DLL", "DLARROW.DLL", "DRARROW.DLL", "LARROW.DLL", "RARROW.DLL",
             "UARROW.DLL", "ULARROW.DLL", "URARROW.DLL"})
        arrows << paintWith(QString::fromLatin1(name), QString());
    for (int i = 0; i < arrows.size(); ++i)
        for (int j = i + 1; j < arrows.size(); ++j)
            EXPECT_NE(arrows[i], arrows[j]) << i << " " << j;
}

TEST(ConnectorRenderer, NamesMatchTrimmedWithoutCase)
{
    EXPECT_TRUE(isKnownRenderer(QStringLiteral("figure.dll")));
    EXPECT_TRUE(isKnownRenderer(QStringLiteral("  maru.DLL ")));
    EXPECT_FALSE(isKnownRenderer(QStringLiteral("NOSUCH.DLL")));
    EXPECT_EQ(paintWith(QStringLiteral("string_OE.dll"), QStringLiteral("x")),
        paintWith(QStringLiteral("STRING_oe.DLL"), QStringLiteral("x")));
}

TEST(ConnectorRenderer, StringOeShowsTheLastField)
{
    EXPECT_EQ(paintWith(QStringLiteral("STRING_oe.DLL"), QStringLiteral("13101,千代田,東京")),
        paintWith(QStringLiteral("STRING.DLL"), QStringLiteral("東京")));
    EXPECT_NE(paintWith(QStringLiteral("STRING.DLL"), QStringLiteral("13101,千代田,東京")),
        paintWith(QStringLiteral("STRING.DLL"), QStringLiteral("東京")));
    EXPECT_EQ(
        shownConnectorText(QStringLiteral("string_oe.dll"), QStringLiteral("a,b,c")), QStringLiteral("c"));
    EXPECT_EQ(
        shownConnectorText(QStringLiteral("STRING.DLL"), QStringLiteral("a,b,c")), QStringLiteral("a,b,c"));
}

TEST(ConnectorRenderer, UnknownNamesDrawAMarkerAndTheText)
{
    const QImage withText = paintWith(QStringLiteral("Custom.DLL"), QStringLiteral("東京"));
    const QImage markerOnly = paintWith(QStringLiteral("Custom.DLL"), QString());
    EXPECT_GT(inked(markerOnly), 4);
    EXPECT_GT(inked(withText), inked(markerOnly) + 20);
}

TEST(ConnectorRenderer, SizesFollowTheZoomWithinLimits)
{
    EXPECT_DOUBLE_EQ(connectorSizePixels(100, 0.01, 1), 6); // far out: at least 6 px
    EXPECT_DOUBLE_EQ(connectorSizePixels(100, 2, 1), 20); // 10 world units at 2 px each
    EXPECT_DOUBLE_EQ(connectorSizePixels(20000, 2, 1), 200); // never above 200 px
    EXPECT_DOUBLE_EQ(connectorSizePixels(100, 0.01, 3.125), 6 * 3.125); // limits follow the DPI
}

TEST(ConnectorRenderer, LargerTextKindsKeepALargerFloor)
{
    const struct
    {
        double size, ratio, floor;
    } cases[] = {
        {10, 1, MinTextPixels}, // small kinds: the plain floor
        {1000, 1, MinTextPixels}, // the usual size: the plain floor
        {16000, 1, 2 * MinTextPixels}, // fourth root of 16
        {16000, 2, 4 * MinTextPixels}, // follows the DPI
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(textFloorPixels(c.size, c.ratio), c.floor) << c.size << " " << c.ratio;
    EXPECT_LT(textFloorPixels(5000, 1), textFloorPixels(20000, 1));

    // Far out, where the zoom puts both under the floor, the larger kind's
    // text is still drawn larger.
    auto widthOf = [](double floorPx) {
        QImage image(400, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter p(&image);
        ConnectorPaint c;
        c.at = QPointF(200, 50);
        c.key = QStringLiteral("東京都");
        c.colour = Qt::black;
        c.sizePx = connectorSizePixels(1000, 0.0001, 1);
        c.textFloorPx = floorPx;
        return connectorRenderer(QStringLiteral("STRING.DLL")).paint(p, c).width();
    };
    EXPECT_GT(widthOf(textFloorPixels(16000, 1)), widthOf(textFloorPixels(1000, 1)) * 1.5);
    EXPECT_DOUBLE_EQ(widthOf(0), widthOf(textFloorPixels(1000, 1))); // unset: the plain floor
}

// The text box a renderer reports before drawing is the box it draws in, and
// a connector whose text is left out keeps its marker.
TEST(ConnectorRenderer, TextBoxesAreMeasuredAndTheTextCanBeLeftOut)
{
    const struct
    {
        const char *name;
        bool writes, marker;
    } cases[] = {
        {"STRING.DLL", true, false},
        {"STRING_EX.DLL", true, false},
        {"MaruStrX.DLL", true, true},
        {"StarStr.DLL", true, true},
        {"Custom.DLL", true, true},
        {"MARU.DLL", false, true},
        {"RARROW.DLL", false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ConnectorRenderer &r = connectorRenderer(QString::fromLatin1(c.name));
        ConnectorPaint paint;
        paint.at = QPointF(60, 40);
        paint.key = QStringLiteral("大阪");
        paint.colour = Qt::blue;
        paint.fill = QBrush(Qt::blue);
        paint.sizePx = 16;
        paint.pixelRatio = 1;
        const ConnectorText text = r.text(paint);
        EXPECT_EQ(!text.box.isEmpty(), c.writes);
        QImage whole(160, 80, QImage::Format_ARGB32_Premultiplied);
        whole.fill(Qt::white);
        QPainter p(&whole);
        const QRectF drawn = r.paint(p, paint);
        p.end();
        if (c.writes) {
            EXPECT_EQ(text.text, QStringLiteral("大阪"));
            EXPECT_DOUBLE_EQ(text.pixelSize, 16);
            EXPECT_TRUE(drawn.contains(text.box)) << "text outside the drawn box";
        }
        paint.withText = false;
        QImage bare(160, 80, QImage::Format_ARGB32_Premultiplied);
        bare.fill(Qt::white);
        QPainter q(&bare);
        r.paint(q, paint);
        q.end();
        EXPECT_EQ(inked(bare) > 4, c.marker);
        if (!c.writes) {
            EXPECT_EQ(bare, whole);
        }
        // What the text adds lies inside its box.
        for (int y = 0; y < whole.height(); ++y) {
            for (int x = 0; x < whole.width(); ++x) {
                if (whole.pixel(x, y) != bare.pixel(x, y)) {
                    ASSERT_TRUE(text.box.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5)))
                        << x << "," << y;
                }
            }
        }
    }
}

TEST(ConnectorRenderer, HaloWidthFollowsTheDpi)
{
    EXPECT_DOUBLE_EQ(haloPixels(1), 1);
    EXPECT_DOUBLE_EQ(haloPixels(0.5), 1); // never thinner than a pixel
    EXPECT_DOUBLE_EQ(haloPixels(3.125), 3.125); // 300 dpi
    // The box grows by the halo on every side.
    const QRectF thin = mapTextBox(QPointF(50, 50), QStringLiteral("京都"), 12, 1);
    const QRectF wide = mapTextBox(QPointF(50, 50), QStringLiteral("京都"), 12, 3);
    EXPECT_EQ(thin.adjusted(-2, -2, 2, 2), wide);
}

} // namespace
} // namespace zorvik
