// LineStroker: which targets take the coverage drawing, and that what it
// draws sits where QPainter's stroke does - widths, ends and dash gaps.
#include "zorvik/render/linestroker.h"

#include <QImage>
#include <QPicture>
#include <cmath>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

TEST(LineStroker, CoverageOnlyForWideAntiAliasedLinesOnPlainImages)
{
    QImage argb(40, 40, QImage::Format_ARGB32_Premultiplied);
    QImage rgb(40, 40, QImage::Format_RGB32);
    QImage indexed(40, 40, QImage::Format_Indexed8);
    QPicture picture;
    const struct
    {
        const char *name;
        QPaintDevice *device;
        double width;
        bool antialiased;
        double angle;
        bool expected;
    } cases[] = {
        {"2 px on ARGB32", &argb, 2, true, 0, true},
        {"3 px on RGB32", &rgb, 3, true, 0, true},
        {"1 px (QPainter's cosmetic stroke)", &argb, 1, true, 0, false},
        {"aliased", &argb, 2, false, 0, false},
        {"rotated painter", &argb, 2, true, 30, false},
        {"indexed image", &indexed, 2, true, 0, false},
        {"picture (vector target)", &picture, 2, true, 0, false},
    };
    for (const auto &c : cases) {
        QPainter painter(c.device);
        painter.setRenderHint(QPainter::Antialiasing, c.antialiased);
        painter.translate(3, 4);
        painter.rotate(c.angle);
        EXPECT_EQ(LineStroker::usesCoverage(painter, QPen(Qt::black, c.width)), c.expected) << c.name;
    }
}

// Darkness (0..255) of the pixels of one column or row.
std::vector<int> darkness(const QImage &image, int fixed, bool column)
{
    std::vector<int> v;
    const int n = column ? image.height() : image.width();
    for (int i = 0; i < n; ++i)
        v.push_back(255 - qGray(column ? image.pixel(fixed, i) : image.pixel(i, fixed)));
    return v;
}

QImage stroke(const QPen &pen, const QPolygonF &line, bool reference, QPointF offset = {})
{
    QImage image(80, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(offset);
    LineStroker::strokeRuns(painter, pen, {line}, reference);
    return image;
}

TEST(LineStroker, WidthsAndSquareEndsMatchQPainter)
{
    // Horizontal lines on and between pixel centres, with square ends, also
    // through a translated painter (a page rectangle).
    for (double width : {2.0, 3.0})
        for (double y : {20.0, 20.5, 20.3})
            for (QPointF offset : {QPointF(), QPointF(2, 1)}) {
                const QPen pen(Qt::black, width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
                const QPolygonF line({QPointF(10, y), QPointF(60, y)});
                const QImage fast = stroke(pen, line, false, offset),
                             reference = stroke(pen, line, true, offset);
                for (int x : {8, 9, 10, 35, 60, 61, 62}) {
                    const auto a = darkness(fast, x, true), b = darkness(reference, x, true);
                    for (std::size_t i = 0; i < a.size(); ++i)
                        EXPECT_NEAR(a[i], b[i], 3)
                            << "width " << width << " y " << y << " column " << x << " row " << i;
                }
            }
}

TEST(LineStroker, DashesFallWhereQPainterPutsThem)
{
    for (Qt::PenStyle style : {Qt::DashLine, Qt::DotLine, Qt::DashDotLine}) {
        const QPen pen(Qt::black, 2, style, Qt::FlatCap, Qt::BevelJoin);
        // Two legs, so that the pattern runs on around the corner.
        const QPolygonF line({QPointF(5, 20), QPointF(50, 20), QPointF(50, 39)});
        const auto a = darkness(stroke(pen, line, false), 20, false);
        const auto b = darkness(stroke(pen, line, true), 20, false);
        for (int x = 0; x < 49; ++x)
            EXPECT_NEAR(a[static_cast<std::size_t>(x)], b[static_cast<std::size_t>(x)], 8)
                << "style " << style << " column " << x;
    }
}

TEST(LineStroker, ManyRunsDrawnInBandsAsOneByOne)
{
    // Enough points that the frame is split into bands across threads; the
    // runs do not touch, so stroking them one call each (below the split)
    // must give exactly the same pixels, whatever the pen.
    std::vector<QPolygonF> runs;
    for (int row = 0; row < 60; ++row)
        for (int col = 0; col < 6; ++col) {
            QPolygonF run;
            for (int i = 0; i < 90; ++i)
                run << QPointF(7.3 + col * 80 + i * 0.8, 5.6 + row * 8.5 + 1.5 * std::sin(i * 0.7 + row));
            runs.push_back(run);
        }
    const struct
    {
        const char *name;
        QPen pen;
    } pens[] = {{"2 px", QPen(QColor(30, 60, 200), 2)},
        {"3 px round", QPen(Qt::darkRed, 3, Qt::SolidLine, Qt::RoundCap)},
        {"2 px dashed", QPen(Qt::black, 2, Qt::DashLine)}, {"1 px", QPen(Qt::darkGreen, 1)}};
    for (const auto &[name, pen] : pens) {
        QImage together(500, 520, QImage::Format_ARGB32_Premultiplied), apart = together;
        together.fill(Qt::white);
        apart.fill(Qt::white);
        for (QImage *image : {&together, &apart}) {
            QPainter p(image);
            p.setRenderHint(QPainter::Antialiasing);
            p.translate(3, 2);
            if (image == &together)
                LineStroker::strokeRuns(p, pen, runs);
            else
                for (const QPolygonF &run : runs)
                    LineStroker::strokeRuns(p, pen, {run});
        }
        int differing = 0;
        for (int y = 0; y < together.height(); ++y)
            for (int x = 0; x < together.width(); ++x)
                differing += together.pixel(x, y) != apart.pixel(x, y);
        // QPainter's 1-px stroke restarts its steps at a band's edge.
        EXPECT_LE(differing, pen.widthF() > 1 ? 0 : together.width() * 7) << name;
        EXPECT_NE(together.pixel(10, 7), qRgb(255, 255, 255)) << name;
    }
}

} // namespace
} // namespace zorvik
