// The PNG encoder against QImage's own PNG writer: the graph pictures and
// images with every alpha must decode to the same pixels either way.
#include "platform/graphpic/graphpainter.h"
#include "platform/graphpic/pngencoder.h"
#include "platform/graphpic/vovuder.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace {

using veltra::graphpic::encodePng;

QImage decoded(const QByteArray &png)
{
    QImage image;
    EXPECT_TRUE(image.loadFromData(png, "PNG"));
    return image;
}

// The pixels as QImage::save would have stored them.
QImage throughQt(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return decoded(png);
}

void expectSamePixels(const QImage &image)
{
    const QImage expected = throughQt(image);
    const QImage actual = decoded(encodePng(image));
    ASSERT_EQ(actual.size(), image.size());
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage e = expected.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != e.pixel(x, y)) {
                ADD_FAILURE() << "first difference at " << x << ", " << y << ": " << std::hex << a.pixel(x, y)
                              << " instead of " << e.pixel(x, y);
                return;
            }
        }
    }
}

std::span<const VoVuderItem> itemsOf(const std::vector<VoVuderItem> &items)
{
    return {items.data(), items.size()};
}

} // namespace

TEST(PngEncoder, GraphPicturesMatchQtsWriter)
{
    struct Case
    {
        const char *name;
        bool pie;
        std::vector<VoVuderItem> items;
        int width, height;
    };
    std::vector<VoVuderItem> many;
    for (int i = 0; i < 64; ++i)
        many.push_back({1 + i % 5, 0x010203 * (i * 3 + 1)});
    const Case cases[] = {
        {"pie 30/70", true, {{30, 0x0000FF}, {70, 0xFF0000}}, 100, 100},
        {"pie 12/25/62, odd size", true, {{12, 0x0000FF}, {25, 0x00FF00}, {62, 0xFF0000}}, 49, 49},
        {"pie of 64 items", true, many, 51, 51},
        {"pie in a wide picture", true, {{50, 0x0080FF}, {50, 0x808080}}, 60, 40},
        {"pie of one item", true, {{100, 0x123456}}, 52, 52},
        {"bars 100/0/25", false, {{100, 0x0000FF}, {0, 0x00FF00}, {25, 0xFF0000}}, 30, 200},
        {"bars of 64 items", false, many, 30, 71},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (int scale : {1, 2}) {
            SCOPED_TRACE(scale);
            const QImage image = c.pie
                ? veltra::graphpic::paintPie(itemsOf(c.items), c.width, c.height, scale)
                : veltra::graphpic::paintBars(itemsOf(c.items), c.width, c.height, scale);
            expectSamePixels(image);
        }
    }
}

TEST(PngEncoder, EveryAlphaAndOtherFormatsMatchQtsWriter)
{
    // Every alpha against a spread of colours, premultiplied as painted; the
    // same colours straight and opaque.
    QImage straight(256, 64, QImage::Format_ARGB32);
    for (int y = 0; y < straight.height(); ++y) {
        for (int x = 0; x < straight.width(); ++x)
            straight.setPixel(x, y, qRgba((y * 37) & 0xFF, (y * 91 + x) & 0xFF, (255 - y * 13) & 0xFF, x));
    }
    struct Case
    {
        const char *name;
        QImage image;
    };
    const Case cases[] = {
        {"premultiplied", straight.convertToFormat(QImage::Format_ARGB32_Premultiplied)},
        {"straight", straight},
        {"opaque", straight.convertToFormat(QImage::Format_RGB32)},
        {"one pixel", straight.copy(200, 3, 1, 1)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        expectSamePixels(c.image);
    }
}

TEST(PngEncoder, ANullImageGivesNoFile)
{
    EXPECT_TRUE(encodePng(QImage()).isEmpty());
}
