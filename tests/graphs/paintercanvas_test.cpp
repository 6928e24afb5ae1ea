// The QPainter canvas covers the pixels a device context covers.
#include "graphs/paintercanvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Red = 0xFFFF0000;

QImage blank()
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TEST(PainterCanvas, LinesLeaveTheirEndPixelOut)
{
    QImage image = blank();
    PainterCanvas dc(image, QFont());
    dc.moveTo(QPoint(2, 3));
    dc.lineTo(QPoint(10, 3));
    EXPECT_EQ(image.pixel(2, 3), Black);
    EXPECT_EQ(image.pixel(9, 3), Black);
    EXPECT_EQ(image.pixel(10, 3), White);
    dc.lineTo(QPoint(10, 12));
    EXPECT_EQ(image.pixel(10, 3), Black);
    EXPECT_EQ(image.pixel(10, 11), Black);
    EXPECT_EQ(image.pixel(10, 12), White);
}

TEST(PainterCanvas, RectanglesCoverTheirBoxWithoutTheRightAndBottomEdges)
{
    QImage image = blank();
    PainterCanvas dc(image, QFont());
    dc.selectBrush(GraphBrush::solid(0x0000FF));
    dc.rectangle({2, 2, 8, 6});
    EXPECT_EQ(image.pixel(2, 2), Black);
    EXPECT_EQ(image.pixel(7, 5), Black);
    EXPECT_EQ(image.pixel(3, 3), Red);
    EXPECT_EQ(image.pixel(6, 4), Red);
    EXPECT_EQ(image.pixel(8, 4), White);
    EXPECT_EQ(image.pixel(4, 6), White);

    // Without a pen the fill stops one pixel earlier still.
    dc.selectPen({GraphPen::Null, 0, 0});
    dc.rectangle({10, 10, 14, 14});
    EXPECT_EQ(image.pixel(10, 10), Red);
    EXPECT_EQ(image.pixel(12, 12), Red);
    EXPECT_EQ(image.pixel(13, 12), White);
    EXPECT_EQ(image.pixel(12, 13), White);
}
