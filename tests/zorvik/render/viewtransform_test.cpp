#include "zorvik/core/geo.h"
#include "zorvik/render/viewtransform.h"

#include <gtest/gtest.h>

namespace zorvik {
namespace {

const QSize Size(400, 300);
constexpr double Cx = 17 * 360000.0, Cy = 12 * 360000.0; // 139°E 36°N

TEST(ViewTransform, WorldDeviceRoundTripAtAnyAngle)
{
    for (double angle : {0.0, 30.0, 90.0, -179.0, 450.0}) {
        SCOPED_TRACE(angle);
        const ViewTransform v(Cx, Cy, 50000, angle, Size, 96);
        for (QPointF device : {QPointF(0, 0), QPointF(399, 10), QPointF(123.5, 287.25)}) {
            const QPointF w = v.deviceToWorld(device);
            const QPointF back = v.worldToDevice(w.x(), w.y());
            EXPECT_NEAR(back.x(), device.x(), 1e-6);
            EXPECT_NEAR(back.y(), device.y(), 1e-6);
        }
        const QPointF centre = v.worldToDevice(Cx, Cy);
        EXPECT_DOUBLE_EQ(centre.x(), 200);
        EXPECT_DOUBLE_EQ(centre.y(), 150);
    }
}

TEST(ViewTransform, PositiveAngleTurnsTheMapCounterClockwise)
{
    // Angle 0: north is up. Angle 90: east is up, so the point at the top
    // middle of the view lies east (+X) of the centre, and north points left.
    const ViewTransform north(Cx, Cy, 50000, 0, Size, 96);
    const QPointF top0 = north.deviceToWorld(QPointF(200, 0));
    EXPECT_NEAR(top0.x(), Cx, 1e-6);
    EXPECT_GT(top0.y(), Cy);

    const ViewTransform east = north.withAngle(90);
    const QPointF top90 = east.deviceToWorld(QPointF(200, 0));
    EXPECT_GT(top90.x(), Cx);
    EXPECT_NEAR(top90.y(), Cy, 1e-6);
    const QPointF northward = east.worldToDevice(Cx, Cy + 1000);
    EXPECT_LT(northward.x(), 200); // the north arrow points left
    EXPECT_NEAR(northward.y(), 150, 1e-9);

    // 450 degrees is the same picture as 90.
    const ViewTransform wrapped = north.withAngle(450);
    const QPointF a = east.worldToDevice(Cx + 1234, Cy - 567), b = wrapped.worldToDevice(Cx + 1234, Cy - 567);
    EXPECT_NEAR(a.x(), b.x(), 1e-6);
    EXPECT_NEAR(a.y(), b.y(), 1e-6);
}

TEST(ViewTransform, ScaleIsTheGroundLengthOfOneCentimetre)
{
    // At 96 dpi and 1:10000, 96 px = 1 inch = 254 m on the ground.
    const ViewTransform v(Cx, Cy, 10000, 0, Size, 96);
    const double metres = 254.0;
    const QPointF east = v.worldToDevice(Cx + metres / v.metresPerUnitX(), Cy);
    const QPointF north = v.worldToDevice(Cx, Cy + metres / v.metresPerUnitY());
    EXPECT_NEAR(east.x() - 200, 96, 1e-6);
    EXPECT_NEAR(150 - north.y(), 96, 1e-6);
    // Metres per unit at the centre latitude.
    EXPECT_DOUBLE_EQ(v.metresPerUnitX(), geo::metresPerUnitX(36.0));
    EXPECT_DOUBLE_EQ(v.metresPerUnitY(), geo::metresPerUnitY(36.0));
    // View size: px * (0.0254 / dpi) * Scale / metres per unit, on the unrotated axes.
    EXPECT_NEAR(v.viewWidth(), 400 * 0.0254 / 96 * 10000 / v.metresPerUnitX(), 1e-9);
    EXPECT_NEAR(v.viewHeight(), 300 * 0.0254 / 96 * 10000 / v.metresPerUnitY(), 1e-9);
    EXPECT_NEAR(v.withAngle(37).viewWidth(), v.viewWidth(), 1e-9);
}

TEST(ViewTransform, ScaleToFitShowsTheWholeBoxOnTheTighterAxis)
{
    const ViewTransform v(Cx, Cy, 10000, 0, Size, 96);
    struct Case
    {
        double w, h;
    } cases[] = {{100000, 1000}, {1000, 100000}, {40000, 30000}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.w);
        const ViewTransform fit = v.withScale(v.scaleToFit(c.w, c.h));
        EXPECT_GE(fit.viewWidth() + 1e-6, c.w);
        EXPECT_GE(fit.viewHeight() + 1e-6, c.h);
        EXPECT_TRUE(std::abs(fit.viewWidth() - c.w) < 1e-6 || std::abs(fit.viewHeight() - c.h) < 1e-6);
    }
}

TEST(ViewTransform, ScalesAreKeptToTwelveDigitsAndFittedScalesAreWhole)
{
    // Products of factors with no exact binary value land on the decimal.
    struct Row
    {
        double scale, factor, product;
    };
    for (const Row &r :
        {Row{1000000, 0.1, 100000}, Row{200000, 1 / 0.2, 1000000}, Row{480000, 1 / 0.8, 600000},
            Row{3, 0.1, 0.3}, Row{156.25, 1, 156.25}, Row{312.5, 0.5, 156.25}}) {
        SCOPED_TRACE(r.scale * r.factor);
        EXPECT_EQ(ViewTransform::tidyScale(r.scale * r.factor), r.product);
    }
    EXPECT_EQ(ViewTransform::tidyScale(1234567.891234567), 1234567.89123);
    const ViewTransform v(Cx, Cy, 25000, 0, Size, 96);
    EXPECT_EQ(v.withScale(25000.1 * 3).scale(), 75000.3);
    EXPECT_EQ(v.wholeScaleToFit(33333, 12345), std::nearbyint(v.scaleToFit(33333, 12345)));
    EXPECT_NE(v.scaleToFit(33333, 12345), std::nearbyint(v.scaleToFit(33333, 12345)));
    // A whole-unit box of another shape than the view is no zoom step.
    EXPECT_EQ(v.scaleToFitWhole(33333, 1000), std::nearbyint(v.scaleToFit(33333, 1000)));
    // This view's own whole-unit size stands for this very scale.
    const ViewTransform odd = v.withScale(24999.75);
    EXPECT_EQ(odd.scaleToFitWhole(static_cast<std::int32_t>(std::lround(odd.viewWidth())),
                  static_cast<std::int32_t>(std::lround(odd.viewHeight()))),
        24999.75);
}

TEST(ViewTransform, ScaleIsClampedAndCopiesLeaveTheOriginal)
{
    const ViewTransform v(Cx, Cy, 25000, 0, Size, 96);
    EXPECT_EQ(v.withScale(1).scale(), ViewTransform::MinScale);
    EXPECT_EQ(v.withScale(1e12).scale(), ViewTransform::MaxScale);
    EXPECT_EQ(v.withScale(15000001).scale(), 15000001);
    const ViewTransform moved = v.withCenter(Cx + 10, Cy);
    EXPECT_EQ(v.centerX(), Cx);
    EXPECT_FALSE(moved == v);
    EXPECT_TRUE(v.withScale(25000 * (1 + 1e-13)) == v); // a value written back as read
    EXPECT_FALSE(ViewTransform().isValid());
    EXPECT_TRUE(v.isValid());
}

TEST(ViewTransform, TwipsAndRounding)
{
    const ViewTransform v(Cx, Cy, 25000, 0, Size, 96);
    EXPECT_DOUBLE_EQ(v.pixelsToTwips(1), 15);
    EXPECT_DOUBLE_EQ(v.withDpi(120).pixelsToTwips(1), 12);
    EXPECT_DOUBLE_EQ(v.twipsToPixels(1440), 96);
    EXPECT_EQ(ViewTransform::roundWorld(2.5), 3);
    EXPECT_EQ(ViewTransform::roundWorld(-2.5), -3);
    EXPECT_EQ(ViewTransform::roundWorld(1e12), std::numeric_limits<std::int32_t>::max());
}

TEST(ViewTransform, VisibleBoxHoldsTheTurnedView)
{
    const ViewTransform v(Cx, Cy, 25000, 30, Size, 96);
    const WorldBox box = v.visibleBox();
    for (QPointF corner : {QPointF(0, 0), QPointF(400, 0), QPointF(0, 300), QPointF(400, 300)}) {
        const QPointF w = v.deviceToWorld(corner);
        EXPECT_TRUE(box.contains(static_cast<std::int32_t>(w.x()), static_cast<std::int32_t>(w.y())));
    }
}

} // namespace
} // namespace zorvik
