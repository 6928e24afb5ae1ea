// Labels that shrink their font rather than cut off a figure.
#include "platform/ui/fittinglabel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using veltra::ui::FittingLabel;
using veltra::ui::fittedFont;

namespace {

// The columns of `image` holding dark ink, as [first, last]; {-1, -1} when blank.
std::pair<int, int> inkColumns(const QImage &image)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

} // namespace

TEST(FittingLabel, TheFontShrinksOnlyAsFarAsTheTextNeeds)
{
    QFont font;
    font.setPointSizeF(9);
    const QString figure = QStringLiteral("502,634,123,456.00");
    const qreal natural = QFontMetricsF(font).horizontalAdvance(figure);

    struct Case
    {
        int width;
        bool shrinks;
    };
    for (const Case c : {Case{int(natural) + 2, false}, Case{int(natural * 0.7), true}, Case{int(natural * 0.9), true}}) {
        const QFont fitted = fittedFont(figure, font, c.width);
        EXPECT_EQ(fitted.pointSizeF() < font.pointSizeF(), c.shrinks) << c.width;
        EXPECT_LE(QFontMetricsF(fitted).horizontalAdvance(figure), c.width) << c.width;
    }
    // Nothing to draw, or no room at all: the font stays; so does a floor of 5 points.
    EXPECT_EQ(fittedFont(QString(), font, 10), font);
    EXPECT_EQ(fittedFont(figure, font, 0), font);
    EXPECT_DOUBLE_EQ(fittedFont(figure, font, 3).pointSizeF(), 5.0);
}

TEST(FittingLabel, APaddedFigureTooWideIsDrawnWholeAtTheRight)
{
    FittingLabel label(QStringLiteral("    226,572.40"));
    QFont font;
    font.setPointSizeF(9);
    label.setFont(font);
    const int natural = int(QFontMetricsF(font).horizontalAdvance(QStringLiteral("226,572.40")));
    label.resize(natural * 2 / 3, 20);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(palette);
    label.setAutoFillBackground(true);

    const QImage image = label.grab().toImage();
    const auto [first, last] = inkColumns(image);
    ASSERT_GE(first, 0) << "nothing drawn";
    // A cut-off text would run into the left edge; the whole one starts inside.
    EXPECT_GT(first, 0);
    EXPECT_GE(last, image.width() - 4);

    // A short text that fits keeps the label's own drawing.
    label.setText(QStringLiteral("12"));
    const auto [shortFirst, shortLast] = inkColumns(label.grab().toImage());
    EXPECT_GE(shortFirst, 0);
    EXPECT_LT(shortLast, image.width() / 2);
}
