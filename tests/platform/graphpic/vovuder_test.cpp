// Pie and bar graph pictures: files, sizes, and the colour where each slice
// and bar should be.
#include "platform/graphpic/graphpainter.h"
#include "platform/graphpic/vovuder.h"
#include "zorvik/render/statgraphpicture.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtMath>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr std::int32_t Red = 0x0000FF; // BGR Longs
constexpr std::int32_t Green = 0x00FF00;
constexpr std::int32_t Blue = 0xFF0000;
constexpr std::int32_t Orange = 0x0080FF;

class GraphPictures : public testing::Test
{
protected:
    // A record with two new empty files, as the map procedures hand it over.
    VoVuderParam record(const std::vector<std::int32_t> &values, const std::vector<std::int32_t> &colours,
        std::int32_t width, std::int32_t height)
    {
        VoVuderParam param;
        param.OutFile1 = emptyFile("PSY1.tmp");
        param.OutFile2 = emptyFile("PSY2.tmp");
        param.ItemCount = std::int32_t(values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            param.Items[i] = {values[i], colours[i]};
        param.Width = width;
        param.Height = height;
        return param;
    }

    QString emptyFile(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    static QImage picture(const QString &path)
    {
        // Told by content, as the engine reads the .tmp files.
        QImage image;
        EXPECT_TRUE(image.load(path, "PNG")) << path.toStdString();
        return image;
    }

    QTemporaryDir m_dir;
};

QRgb rgbOf(std::int32_t bgr)
{
    return veltra::graphpic::colourOfBgr(bgr).rgb();
}

// The pixel at `fraction` of the radius from the centre, `degrees` clockwise
// from twelve o'clock.
QRgb pieSample(const QImage &image, double degrees, double fraction)
{
    const double radius = std::min(image.width(), image.height()) / 2.0;
    const double x = image.width() / 2.0 + fraction * radius * std::sin(qDegreesToRadians(degrees));
    const double y = image.height() / 2.0 - fraction * radius * std::cos(qDegreesToRadians(degrees));
    return image.pixel(int(x), int(y));
}

} // namespace

TEST_F(GraphPictures, PieSlicesClockwiseFromTwelveByShare)
{
    struct Case
    {
        const char *name;
        std::vector<std::int32_t> values, colours;
        // Angles (clockwise from twelve) inside each drawn slice, and its colour.
        std::vector<std::pair<double, std::int32_t>> probes;
    };
    const Case cases[] = {
        // Slice edges at 108 degrees; probes at least 10 degrees from any edge.
        {"30 and 70", {30, 70}, {Red, Blue}, {{54, Red}, {95, Red}, {121, Blue}, {234, Blue}, {345, Blue}}},
        // Edges at 45 and 135 degrees.
        {"1, 2 and 5 (12.5 %, 25 %, 62.5 %)", {1, 2, 5}, {Red, Green, Blue},
            {{22.5, Red}, {35, Red}, {55, Green}, {90, Green}, {125, Green}, {145, Blue}, {247.5, Blue}}},
        {"a zero item has no slice", {30, 0, 70}, {Red, Green, Blue}, {{54, Red}, {121, Blue}, {234, Blue}}},
        {"one item fills the circle", {100}, {Orange}, {{0, Orange}, {120, Orange}, {240, Orange}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const VoVuderParam param = record(c.values, c.colours, 100, 100);
        ASSERT_EQ(VoVuderCircle(param), VoVuderOk);
        const QImage small = picture(param.OutFile1);
        const QImage large = picture(param.OutFile2);
        ASSERT_EQ(small.size(), QSize(100, 100));
        ASSERT_EQ(large.size(), QSize(200, 200));
        for (const QImage &image : {small, large}) {
            SCOPED_TRACE(image.width());
            for (const auto &[degrees, colour] : c.probes) {
                SCOPED_TRACE(degrees);
                for (double fraction : {0.5, 0.8})
                    EXPECT_EQ(pieSample(image, degrees, fraction), rgbOf(colour)) << fraction;
            }
            // Transparent outside the circle, dark on its rim at twelve.
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
            EXPECT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 0);
            const QColor rim = image.pixelColor(image.width() / 2, 0);
            EXPECT_GT(rim.alpha(), 200); // smoothed edge
            EXPECT_LT(rim.value(), 0x60);
        }
    }
}

TEST_F(GraphPictures, RoundedSharesStillCloseTheCircle)
{
    // Percentages rounded to 12, 25 and 62 add up to 99: the last slice still
    // reaches twelve o'clock (read 3 degrees before it, on the large picture).
    const VoVuderParam param = record({12, 25, 62}, {Red, Green, Blue}, 100, 100);
    ASSERT_EQ(VoVuderCircle(param), VoVuderOk);
    const QImage large = picture(param.OutFile2);
    EXPECT_EQ(pieSample(large, 357, 0.8), rgbOf(Blue));
    EXPECT_EQ(pieSample(large, 3, 0.8), rgbOf(Red));
}

TEST_F(GraphPictures, PieInANonSquarePictureKeepsRound)
{
    const VoVuderParam param = record({50, 50}, {Red, Blue}, 60, 40);
    ASSERT_EQ(VoVuderCircle(param), VoVuderOk);
    const QImage image = picture(param.OutFile1);
    ASSERT_EQ(image.size(), QSize(60, 40));
    EXPECT_EQ(pieSample(image, 90, 0.8), rgbOf(Red));
    EXPECT_EQ(pieSample(image, 270, 0.8), rgbOf(Blue));
    // Beside the circle, left and right, nothing is drawn.
    EXPECT_EQ(qAlpha(image.pixel(3, 20)), 0);
    EXPECT_EQ(qAlpha(image.pixel(56, 20)), 0);
    EXPECT_EQ(picture(param.OutFile2).size(), QSize(120, 80));
}

TEST_F(GraphPictures, BarsFromTheBottomAtValuePercentOfTheHeight)
{
    // 30 x 200, three columns of 10 pixels: 100 %, nothing, 25 %.
    const VoVuderParam param = record({100, 0, 25}, {Red, Green, Blue}, 30, 200);
    ASSERT_EQ(VoVuderBar(param), VoVuderOk);
    const QImage small = picture(param.OutFile1);
    const QImage large = picture(param.OutFile2);
    ASSERT_EQ(small.size(), QSize(30, 200));
    ASSERT_EQ(large.size(), QSize(60, 400));
    for (const QImage &image : {small, large}) {
        const int k = image.width() / 30;
        SCOPED_TRACE(k);
        struct Probe
        {
            int x, y; // in first-picture pixels
            QRgb expected;
        };
        const Probe probes[] = {
            {5, 3, rgbOf(Red)}, // the full bar reaches the top
            {5, 196, rgbOf(Red)},
            {15, 196, 0}, // the zero item's column stays empty
            {15, 100, 0},
            {25, 196, rgbOf(Blue)},
            {25, 153, rgbOf(Blue)}, // 25 % of 200: rows 150 to 199
            {25, 147, 0},
        };
        for (const Probe &p : probes) {
            SCOPED_TRACE(testing::Message() << p.x << ", " << p.y);
            const QRgb pixel = image.pixel(p.x * k + k / 2, p.y * k + k / 2);
            if (p.expected == 0)
                EXPECT_EQ(qAlpha(pixel), 0);
            else
                EXPECT_EQ(pixel, p.expected);
        }
        // The bars' rims are dark: the bottom row under a bar and its top row.
        EXPECT_LT(image.pixelColor(5 * k, image.height() - 1).value(), 0x60);
        EXPECT_LT(image.pixelColor(25 * k, 150 * k).value(), 0x60);
        EXPECT_EQ(qAlpha(image.pixel(25 * k, 150 * k - 1)), 0);
    }
}

TEST_F(GraphPictures, BarValuesAbove100StopAtTheTop)
{
    const VoVuderParam param = record({150, 2}, {Red, Blue}, 30, 100);
    ASSERT_EQ(VoVuderBar(param), VoVuderOk);
    const QImage image = picture(param.OutFile1);
    EXPECT_EQ(image.pixel(7, 2), rgbOf(Red));
    // 2 % of 100 pixels: a two-pixel bar, all rim.
    EXPECT_EQ(qAlpha(image.pixel(22, 97)), 0);
    EXPECT_EQ(image.pixelColor(22, 98).alpha(), 255);
    EXPECT_EQ(image.pixelColor(22, 99).alpha(), 255);
}

TEST_F(GraphPictures, NothingToDrawLeavesTheFilesEmpty)
{
    struct Case
    {
        const char *name;
        std::int32_t width, height;
    };
    const Case cases[] = {{"width 0", 0, 100}, {"height 0", 100, 0}, {"negative width", -5, 100}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const VoVuderParam param = record({30, 70}, {Red, Blue}, c.width, c.height);
        EXPECT_EQ(VoVuderCircle(param), VoVuderOk);
        EXPECT_EQ(VoVuderBar(param), VoVuderOk);
        EXPECT_EQ(QFileInfo(param.OutFile1).size(), 0);
        EXPECT_EQ(QFileInfo(param.OutFile2).size(), 0);
    }
}

TEST_F(GraphPictures, ARecordTheCallsCannotDrawIsRefused)
{
    struct Case
    {
        const char *name;
        std::int32_t itemCount, width, height;
    };
    const Case cases[] = {
        {"65 items", 65, 100, 100},
        {"a negative item count", -1, 100, 100},
        {"a picture too large to make", 2, 100000, 100000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        VoVuderParam param = record({30, 70}, {Red, Blue}, c.width, c.height);
        param.ItemCount = c.itemCount;
        for (auto call : {&VoVuderCircle, &VoVuderBar}) {
            QString error;
            EXPECT_EQ(call(param, &error), VoVuderBadRecord);
            EXPECT_FALSE(error.isEmpty());
            EXPECT_EQ(QFileInfo(param.OutFile1).size(), 0);
            EXPECT_EQ(QFileInfo(param.OutFile2).size(), 0);
        }
    }
    // All 64 items are drawn.
    VoVuderParam full
        = record(std::vector<std::int32_t>(64, 1), std::vector<std::int32_t>(64, Green), 100, 100);
    EXPECT_EQ(VoVuderCircle(full), VoVuderOk);
    EXPECT_EQ(pieSample(picture(full.OutFile1), 200, 0.5), rgbOf(Green));
}

TEST_F(GraphPictures, AFileThatCannotBeWrittenIsReported)
{
    VoVuderParam param = record({30, 70}, {Red, Blue}, 50, 50);
    param.OutFile2 = m_dir.filePath(QStringLiteral("gone/PSY2.tmp"));
    QString error;
    EXPECT_EQ(VoVuderBar(param, &error), VoVuderWriteFailed);
    EXPECT_TRUE(error.contains(QStringLiteral("PSY2.tmp"))) << error.toStdString();
    // The first picture is whole; nothing was left in the missing folder's place.
    EXPECT_EQ(picture(param.OutFile1).size(), QSize(50, 50));
    EXPECT_FALSE(QFileInfo::exists(param.OutFile2));
}

TEST_F(GraphPictures, TheEngineShowsPictureOneOfTheElementName)
{
    const VoVuderParam param = record({30, 70}, {Red, Blue}, 80, 80);
    ASSERT_EQ(VoVuderCircle(param), VoVuderOk);
    const QString name
        = QStringLiteral("13000000000,/data/DB/1.dat,3,20,100,200,%1,%2").arg(param.OutFile1, param.OutFile2);
    const zorvik::StatGraphKey key = zorvik::parseStatGraphKey(name);
    ASSERT_TRUE(key.valid);
    const QImage shown = zorvik::statGraphPicture(key.picture);
    ASSERT_EQ(shown.size(), QSize(80, 80));
    EXPECT_EQ(pieSample(shown, 54, 0.5), rgbOf(Red));
    EXPECT_EQ(pieSample(shown, 234, 0.5), rgbOf(Blue));
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
}
