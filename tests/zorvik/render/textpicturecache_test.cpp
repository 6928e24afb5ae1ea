// Names drawn through pictures against the same names drawn as glyphs: the
// same pixels at fractional positions and under a translation, a picture
// only from a text's second request, glyphs wherever a picture could not
// look the same (scaled, other composition, half opacity, not a raster
// image), and a cache that never holds more than its budget.
#include "zorvik/render/connectorrenderer.h"
#include "zorvik/render/textpicturecache.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QTransform>
#include <functional>
#include <gtest/gtest.h>

namespace zorvik {
namespace {

struct Name
{
    QPointF at;
    QString text;
    double size;
    QColor colour, halo;
};

const std::vector<Name> Names = {
    {{40.3, 30.7}, QStringLiteral("千代田区"), 12, Qt::black, Qt::white},
    {{180.55, 32.1}, QStringLiteral("Minato 3-chome"), 10.4, QColor(30, 60, 200), Qt::white},
    {{60.02, 90.49}, QStringLiteral("札幌市中央区"), 18, Qt::darkRed, QColor(255, 255, 200)},
    {{220.9, 95.33}, QStringLiteral("丸の内一丁目"), 9, Qt::black, QColor()}, // no halo
    {{120.5, 150.5}, QStringLiteral("北海道"), 26, QColor(0, 0, 0, 160), Qt::white},
};

void drawNames(QPainter &p)
{
    for (const Name &n : Names)
        drawMapText(p, n.at, n.text, n.size, n.colour, n.halo, 1.0);
}

// Pixels whose colour differs by more than `step` in any channel.
int differing(const QImage &a, const QImage &b, int step)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > step || std::abs(qGreen(p) - qGreen(q)) > step
                || std::abs(qBlue(p) - qBlue(q)) > step || std::abs(qAlpha(p) - qAlpha(q)) > step)
                ++n;
        }
    return n;
}

QImage draw(const std::function<void(QPainter &)> &prepare, int frames, bool glyphsOnly)
{
    const TextPictureCache::Suspension off(glyphsOnly);
    QImage image(320, 200, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < frames; ++i) {
        image.fill(QColor(200, 220, 240));
        QPainter p(&image);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        prepare(p);
        drawNames(p);
    }
    return image;
}

class TextPictureCacheTest : public ::testing::Test
{
protected:
    void SetUp() override { TextPictureCache::forThread().clear(); }
    void TearDown() override { TextPictureCache::forThread().clear(); }
};

TEST_F(TextPictureCacheTest, PicturesCoverTheSamePixelsAsGlyphs)
{
    const std::vector<std::function<void(QPainter &)>> states = {
        [](QPainter &) {},
        [](QPainter &p) { p.translate(3.25, -1.6); },
        [](QPainter &p) { p.setClipRect(QRect(50, 20, 150, 100)); },
    };
    for (std::size_t i = 0; i < states.size(); ++i) {
        SCOPED_TRACE(i);
        TextPictureCache::forThread().clear();
        const QImage glyphs = draw(states[i], 1, true);
        EXPECT_EQ(TextPictureCache::forThread().pictureCount(), 0);
        const QImage pictures = draw(states[i], 3, false);
        EXPECT_EQ(TextPictureCache::forThread().pictureCount(), static_cast<qsizetype>(Names.size()));
        EXPECT_EQ(differing(glyphs, pictures, 4), 0);
    }
}

TEST_F(TextPictureCacheTest, APictureIsMadeOnTheSecondRequestOnly)
{
    TextPictureCache &cache = TextPictureCache::forThread();
    draw([](QPainter &) {}, 1, false);
    EXPECT_EQ(cache.pictureCount(), 0);
    EXPECT_EQ(cache.bytes(), 0);
    draw([](QPainter &) {}, 1, false);
    EXPECT_EQ(cache.pictureCount(), static_cast<qsizetype>(Names.size()));
    EXPECT_GT(cache.bytes(), 0);
    // Moved by a fraction of a pixel, the names need pictures of their own.
    draw([](QPainter &p) { p.translate(0.5, 0); }, 2, false);
    EXPECT_EQ(cache.pictureCount(), 2 * static_cast<qsizetype>(Names.size()));
}

TEST_F(TextPictureCacheTest, GlyphsWhereAPictureCouldNotLookTheSame)
{
    const std::vector<std::pair<const char *, std::function<void(QPainter &)>>> states = {
        {"scaled", [](QPainter &p) { p.scale(1.5, 1.5); }},
        {"rotated", [](QPainter &p) { p.rotate(10); }},
        {"multiply", [](QPainter &p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); }},
        {"half opacity", [](QPainter &p) { p.setOpacity(0.5); }},
    };
    for (const auto &[name, prepare] : states) {
        SCOPED_TRACE(name);
        TextPictureCache::forThread().clear();
        const QImage glyphs = draw(prepare, 1, true);
        const QImage again = draw(prepare, 3, false);
        EXPECT_EQ(TextPictureCache::forThread().pictureCount(), 0);
        EXPECT_EQ(differing(glyphs, again, 0), 0);
    }
    // A recording painter replays the glyphs themselves.
    QPicture recording;
    for (int i = 0; i < 2; ++i) {
        QPainter p(&recording);
        drawNames(p);
    }
    EXPECT_EQ(TextPictureCache::forThread().pictureCount(), 0);
    EXPECT_FALSE(recording.boundingRect().isEmpty());
}

TEST_F(TextPictureCacheTest, TheCacheStaysWithinItsBudgetAndSuspensionsNest)
{
    TextPictureCache &cache = TextPictureCache::forThread();
    QImage image(900, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    qsizetype most = 0;
    for (int i = 0; i < 70; ++i) {
        const QString text = QStringLiteral("第%1地区").arg(i);
        for (int twice = 0; twice < 2; ++twice)
            drawMapText(p, QPointF(450, 150), text, 120, Qt::black, Qt::white, 1.0);
        EXPECT_LE(cache.bytes(), TextPictureCache::byteBudget());
        most = std::max(most, cache.pictureCount());
    }
    // The budget was reached and the cache started afresh.
    EXPECT_LT(cache.pictureCount(), most);
    EXPECT_GT(most, 10);

    ASSERT_TRUE(cache.isEnabled());
    {
        const TextPictureCache::Suspension off(true);
        EXPECT_FALSE(cache.isEnabled());
        {
            const TextPictureCache::Suspension keep(false);
            EXPECT_FALSE(cache.isEnabled());
        }
        EXPECT_FALSE(cache.isEnabled());
    }
    EXPECT_TRUE(cache.isEnabled());
}

} // namespace
} // namespace zorvik
