// The gradation control: its ramps, the chosen name, the colour at a
// percentage and the drawn ramp.
#include "graphs/ctlgradation.h"
#include "graphs/gradientramp.h"
#include "graphs/picturebox.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace veltra;

namespace {

std::int32_t bgr(int r, int g, int b)
{
    return r | (g << 8) | (b << 16);
}

std::int32_t colourAt(const ctlGradation &g, std::int32_t per)
{
    return g.Color(per);
}

} // namespace

TEST(Gradation, ThirtyFourRampsWithTheFirstChosen)
{
    ctlGradation g;
    ASSERT_EQ(g.cmbGradient()->count(), 34);
    EXPECT_EQ(g.cmbGradient()->currentIndex(), 0);
    EXPECT_EQ(g.getColorName(), QStringLiteral("赤－白 グラデーション"));
    EXPECT_EQ(g.cmbGradient()->itemText(33), QStringLiteral("オレンジ－浅葱 グラデーション"));
    EXPECT_EQ(g.cmbGradient()->itemText(16), QStringLiteral("青－赤 グラデーション"));
    for (int i = 0; i < 34; ++i)
        EXPECT_EQ(g.cmbGradient()->itemData(i).toInt(), i);
    const auto &ramps = graphs::gradientRamps();
    EXPECT_EQ(ramps[26].ramp.Color1, bgr(109, 76, 51));
    EXPECT_EQ(ramps[26].ramp.Color2, bgr(0, 142, 148));
}

TEST(Gradation, ColourAtAPercentageOfTheThreeHundredThirteenPixelRamp)
{
    ctlGradation g;
    const GradientRamp redWhite = graphs::gradientRamps()[0].ramp;
    struct Case
    {
        std::int32_t per;
        std::int32_t expected;
    };
    const Case cases[] = {
        {1, graphs::rampColour(redWhite, 2, 313)}, // round(3.13 - 1) = 2
        {100, bgr(255, 0, 0)},
        {50, graphs::rampColour(redWhite, 156, 313)},
        {101, 0},
        {-1, 0},
        {1000, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.per);
        EXPECT_EQ(colourAt(g, c.per), c.expected);
    }
    // The left end is white; 1 % is nearly white.
    EXPECT_EQ(graphs::rampColour(redWhite, 0, 313), bgr(255, 255, 255));
    EXPECT_EQ(colourAt(g, 1), bgr(255, 253, 253));
    // Column 156 of 313 is the exact middle.
    EXPECT_EQ(colourAt(g, 50), bgr(255, 128, 128));
}

TEST(Gradation, ZeroPercentIsOnePercentForTheCallerToo)
{
    ctlGradation g;
    std::int32_t per = 0;
    const std::int32_t colour = g.Color(per);
    EXPECT_EQ(per, 1);
    std::int32_t one = 1;
    EXPECT_EQ(colour, g.Color(one));
}

TEST(Gradation, AChoiceRedrawsTheRampAndIsAnnounced)
{
    ctlGradation g;
    g.resize(313, 60);
    g.show();
    QSignalSpy changed(&g, &ctlGradation::GradationChange);
    g.cmbGradient()->setCurrentIndex(1); // 白－赤
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(g.getColorName(), QStringLiteral("白－赤 グラデーション"));
    std::int32_t hundred = 100;
    EXPECT_EQ(g.Color(hundred), bgr(255, 255, 255));
    const QImage &ramp = g.picContainer()->image();
    ASSERT_EQ(ramp.width(), 313);
    EXPECT_EQ(ramp.pixel(0, 10), qRgb(255, 0, 0));
    EXPECT_EQ(ramp.pixel(312, 10), qRgb(255, 255, 255));
    // Every row of a column is the same, and the drawn columns are Color's.
    for (int x : {2, 156, 300}) {
        SCOPED_TRACE(x);
        const std::int32_t c = graphs::rampColour(graphs::gradientRamps()[1].ramp, x, 313);
        const QRgb expected = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        EXPECT_EQ(ramp.pixel(x, 0), expected);
        EXPECT_EQ(ramp.pixel(x, ramp.height() - 1), expected);
    }
}

TEST(Gradation, SetGradationDataChangesNothing)
{
    ctlGradation g;
    g.resize(313, 60);
    g.show();
    g.cmbGradient()->setCurrentIndex(5);
    const QImage before = g.picContainer()->image();
    QSignalSpy changed(&g, &ctlGradation::GradationChange);
    g.setGradationData(QStringLiteral("青－白 グラデーション"));
    g.setGradationData(QString());
    EXPECT_EQ(g.cmbGradient()->currentIndex(), 5);
    EXPECT_EQ(g.picContainer()->image(), before);
    EXPECT_EQ(changed.count(), 0);
}

TEST(Gradation, TheControlKeepsItsMinimumHeightAndTheRampFillsItsWidth)
{
    ctlGradation g;
    g.resize(400, 10);
    g.show();
    EXPECT_EQ(g.height(), 50); // 750 twips at 96 dpi
    EXPECT_EQ(g.cmbGradient()->width(), 400);
    EXPECT_EQ(g.picContainer()->width(), 400);
    EXPECT_EQ(g.picContainer()->y(), 24);
}

TEST(Gradation, TheLabelsShowTheColourUnderTheHeldMouse)
{
    ctlGradation g;
    g.resize(313, 80);
    g.show();
    PictureBox *pic = g.picContainer();
    QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(0, 5));
    EXPECT_EQ(g.lblRGB(0)->text(), QStringLiteral("255"));
    EXPECT_EQ(g.lblRGB(1)->text(), QStringLiteral("255"));
    EXPECT_EQ(g.lblRGB(2)->text(), QStringLiteral("255"));
    QMouseEvent move(QEvent::MouseMove, QPointF(312, 5), pic->mapToGlobal(QPointF(312, 5)), Qt::NoButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pic, &move);
    EXPECT_EQ(g.lblRGB(0)->text(), QStringLiteral("255"));
    EXPECT_EQ(g.lblRGB(1)->text(), QStringLiteral("0"));
    EXPECT_EQ(g.lblRGB(2)->text(), QStringLiteral("0"));
    // Moving without a button held shows nothing new.
    QTest::mouseRelease(pic, Qt::LeftButton, {}, QPoint(312, 5));
    QMouseEvent free(
        QEvent::MouseMove, QPointF(0, 5), pic->mapToGlobal(QPointF(0, 5)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pic, &free);
    EXPECT_EQ(g.lblRGB(1)->text(), QStringLiteral("0"));
}
