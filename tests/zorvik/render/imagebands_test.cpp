// Drawing in bands on the renderer's threads against drawing on one painter:
// every row is drawn exactly once and in the same coordinates (translation
// and clip included), anti-aliased lines and hatched fills come out the same,
// a failing band neither hangs nor hides the failure, and targets that cannot
// be split get one call on the painter itself.
#include "zorvik/render/imagebands.h"
#include "zorvik/render/renderthreads.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <vector>

namespace zorvik {
namespace {

const QSize Size(501, 333); // bands of uneven height, the last one short

using Job = std::function<void(QPainter &)>;

// The same job on one painter and in bands; the painter is translated and
// clipped as `prepare` says.
std::pair<QImage, QImage> drawBoth(const Job &job, const Job &prepare)
{
    std::pair<QImage, QImage> out;
    for (bool banded : {false, true}) {
        QImage image(Size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        prepare(painter);
        if (banded) {
            EXPECT_TRUE(ImageBands::available(painter));
            ImageBands::draw(painter, [&](QPainter &band, const QRect &) { job(band); });
        } else {
            job(painter);
        }
        painter.end();
        (banded ? out.second : out.first) = image;
    }
    return out;
}

int differingPixels(const QImage &a, const QImage &b, int step, int skipNearEdges = -1)
{
    const int rows
        = (Size.height() + ImageBands::bandCount(Size.height()) - 1) / ImageBands::bandCount(Size.height());
    const int edge = (rows + 7) / 8 * 8;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        if (skipNearEdges < 0 || std::min(y % edge, edge - y % edge) > skipNearEdges)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                n += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                         std::abs(qBlue(p) - qBlue(q))})
                    > step;
            }
    return n;
}

const struct
{
    const char *name;
    Job prepare;
} Painters[] = {
    {"plain", [](QPainter &) {}},
    {"translated", [](QPainter &p) { p.translate(13.5, -21); }},
    {"translated and clipped",
        [](QPainter &p) {
            p.translate(7, 11);
            p.setClipRect(QRect(20, 30, 400, 211));
        }},
};

TEST(ImageBands, EveryRowIsDrawnOnceInThePaintersCoordinates)
{
    // A translucent fill darkens a pixel drawn twice; a band drawn at the
    // wrong place leaves white or misplaces the edge.
    const Job job = [](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRectF(-50, -50, 1000, 1000), QColor(0, 0, 200, 100));
        p.fillRect(QRectF(30.25, 40.5, 300, 250), QColor(200, 0, 0, 120));
    };
    for (const auto &painter : Painters) {
        const auto [one, bands] = drawBoth(job, painter.prepare);
        EXPECT_EQ(differingPixels(one, bands, 0), 0) << painter.name;
    }
    EXPECT_EQ(ImageBands::bandCount(Size.height()), 7);
    EXPECT_EQ(ImageBands::bandCount(8), 1);
}

TEST(ImageBands, AntiAliasedLinesAndHatchedFillsMatchOnePainter)
{
    // Dense random polylines crossing every band edge, and hatched and
    // outlined polygons: the shapes a large map frame draws.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(-20, 520), step(-6, 6);
    std::vector<QPolygonF> lines;
    for (int i = 0; i < 200; ++i) {
        QPolygonF line;
        QPointF p(at(random), at(random) * 0.65);
        for (int k = 0; k < 80; ++k) {
            line << p;
            p += QPointF(step(random), step(random));
        }
        lines.push_back(line);
    }
    const Job job = [&](QPainter &p) {
        p.setPen(QPen(QColor(40, 90, 160), 1));
        for (const QPolygonF &line : lines)
            p.drawPolyline(line);
        p.setPen(QPen(Qt::darkGreen, 1));
        p.setBrush(QBrush(QColor(220, 120, 60), Qt::BDiagPattern));
        p.drawPolygon(QPolygonF({{60.3, 50.7}, {410.2, 80.1}, {380.6, 300.4}, {90.9, 260.2}}));
        p.setBrush(QColor(120, 200, 90, 160));
        p.drawEllipse(QPointF(250.5, 170.25), 120, 90);
    };
    for (const auto &painter : Painters) {
        const auto [one, bands] = drawBoth(job, painter.prepare);
        // A line clipped at a band's edge starts its anti-aliasing steps
        // there, so its pixels may differ by a level or two along the way,
        // and a few pixels right at the edge by more. A misplaced or doubled
        // band would differ in thousands.
        const int pixels = Size.width() * Size.height();
        EXPECT_LE(differingPixels(one, bands, 40), pixels / 10000) << painter.name;
        EXPECT_LE(differingPixels(one, bands, 4), pixels / 2000) << painter.name;
    }
}

TEST(ImageBands, AFailingBandIsRethrownAfterEveryBandHasDrawn)
{
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::atomic<int> calls{0};
    EXPECT_THROW(ImageBands::draw(painter,
                     [&](QPainter &band, const QRect &rows) {
                         ++calls;
                         if (rows.top() == 0)
                             throw std::runtime_error("band failed");
                         band.fillRect(QRect(0, 0, Size.width(), Size.height()), Qt::black);
                     }),
        std::runtime_error);
    painter.end();
    EXPECT_EQ(calls.load(), ImageBands::bandCount(Size.height()));
    EXPECT_EQ(image.pixel(5, 2), qRgb(255, 255, 255)); // the failed band
    EXPECT_EQ(image.pixel(5, Size.height() - 1), qRgb(0, 0, 0));
}

TEST(ImageBands, TargetsThatCannotBeSplitGetOneCallOnThePainter)
{
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const struct
    {
        const char *name;
        std::function<void()> set;
    } states[] = {
        {"scaled", [&] { painter.scale(2, 2); }},
        {"rotated", [&] { painter.rotate(10); }},
        {"translucent", [&] { painter.setOpacity(0.5); }},
        {"another composition", [&] { painter.setCompositionMode(QPainter::CompositionMode_Multiply); }},
        {"clip of two rectangles",
            [&] { painter.setClipRegion(QRegion(0, 0, 10, 10) + QRegion(50, 50, 10, 10)); }},
    };
    for (const auto &state : states) {
        painter.save();
        state.set();
        EXPECT_FALSE(ImageBands::available(painter)) << state.name;
        std::vector<QPainter *> painters;
        ImageBands::draw(painter, [&](QPainter &band, const QRect &) { painters.push_back(&band); });
        ASSERT_EQ(painters.size(), 1u) << state.name;
        EXPECT_EQ(painters[0], &painter) << state.name;
        painter.restore();
    }
    QImage grey(Size, QImage::Format_Grayscale8);
    QPainter other(&grey);
    EXPECT_FALSE(ImageBands::available(other));
}

TEST(RenderThreads, EveryPieceRunsOnceAndAFailureComesBack)
{
    for (int count : {0, 1, 3, 200}) {
        std::vector<std::atomic<int>> runs(static_cast<std::size_t>(count));
        renderthreads::forEach(count, [&](int i) { ++runs[static_cast<std::size_t>(i)]; });
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(runs[static_cast<std::size_t>(i)].load(), 1) << count << " pieces, piece " << i;
    }
    std::atomic<int> done{0};
    EXPECT_THROW(renderthreads::forEach(50,
                     [&](int i) {
                         if (i % 7 == 3)
                             throw std::runtime_error("piece failed");
                         ++done;
                     }),
        std::runtime_error);
    EXPECT_EQ(done.load(), 50 - 7);
}

// Pieces that split their own work, as many as the pool has threads and
// more, all finish: the inner pieces run on the outer piece's thread.
TEST(RenderThreads, APieceMaySplitItsOwnWork)
{
    std::vector<std::atomic<int>> runs(64 * 16);
    renderthreads::forEach(64, [&](int outer) {
        renderthreads::forEach(16, [&](int inner) { ++runs[static_cast<std::size_t>(outer * 16 + inner)]; });
    });
    for (std::size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(runs[i].load(), 1) << i;
}

} // namespace
} // namespace zorvik
