#include "mapfixture.h"

namespace zorvik::test {
namespace {

class View : public MapFixture
{
protected:
    void SetUp() override { open({ring(Boundary, CX - 3000, CY - 2000, CX + 3000, CY + 2000)}); }
    int count(const char *name) const { return static_cast<int>(m_log.count(QString::fromLatin1(name))); }
};

TEST_F(View, ChangeEventsComeAtOnceAndOnlyOnChange)
{
    int raisedDuringCall = -1;
    QObject::connect(
        m_view.get(), &Zorvik::ScaleChanged, [&] { raisedDuringCall = static_cast<int>(m_view->Scale()); });
    clearLog();
    m_view->setScale(25000);
    m_view->setScale(QStringLiteral("25000"));
    m_view->setCenterX(m_view->CenterX());
    m_view->setCenterY(m_view->CenterY() + 0.4); // rounds to the same Long
    m_view->setAngle(0);
    EXPECT_TRUE(m_log.isEmpty()) << m_log.join(QLatin1Char(',')).toStdString();

    m_view->setScale(QStringLiteral("30000"));
    EXPECT_EQ(raisedDuringCall, 30000); // raised before the setter returned
    EXPECT_EQ(m_log, QStringList({"ScaleChanged"}));
    clearLog();
    m_view->setCenterX(CX + 1000.6);
    EXPECT_EQ(m_view->CenterX(), CX + 1001);
    EXPECT_EQ(m_log, QStringList({"ViewMoved"}));
    clearLog();
    m_view->setScale(QStringLiteral("abc"));
    m_view->setScale(-5);
    EXPECT_TRUE(m_log.isEmpty());
    EXPECT_EQ(m_view->Scale(), 30000);
    // Values above the application's limit stay readable; the engine clamps far beyond.
    m_view->setScale(20000000);
    EXPECT_EQ(m_view->Scale(), 20000000);
    m_view->setScale(1e12);
    EXPECT_EQ(m_view->Scale(), ViewTransform::MaxScale);
}

TEST_F(View, ZoomWindowScaleIsReadableAtOnce)
{
    clearLog();
    ASSERT_EQ(m_view->ZoomWindow(CX + 500, CY - 500, 60000, 20000), code::Ok);
    EXPECT_EQ(m_view->CenterX(), CX + 500);
    EXPECT_EQ(m_view->CenterY(), CY - 500);
    // A box of another shape than the view: the whole scale nearest the fit.
    EXPECT_EQ(m_view->Scale(), std::nearbyint(m_view->viewTransform().scaleToFit(60000, 20000)));
    EXPECT_GE(m_view->ViewWidth(), 60000 - 1);
    EXPECT_GE(m_view->ViewHeight(), 20000 - 1);
    EXPECT_EQ(count("ScaleChanged"), 1);
    EXPECT_EQ(count("ViewMoved"), 1);
    EXPECT_EQ(m_view->ZoomWindow(CX, CY, 0, 0), code::BadArgument);
}

// The application's zoom step: this view's whole-unit size divided by the
// factor, rounded half to even, handed to ZoomWindow around the centre.
void zoomStep(Zorvik &view, double factor)
{
    view.ZoomWindow(view.CenterX(), view.CenterY(),
        static_cast<std::int32_t>(std::nearbyint(view.ViewWidth() / factor)),
        static_cast<std::int32_t>(std::nearbyint(view.ViewHeight() / factor)));
}

TEST_F(View, ZoomStepsLandOnTheExactProductAndStepBackToTheSameScale)
{
    struct Factors
    {
        double in, out; // the step in and the step that undoes it
    };
    const Factors pairs[] = {{2, 0.5}, {4, 0.25}, {5, 0.2}, {10, 0.1}, {1.25, 0.8}};
    const double starts[] = {3000000, 2000000, 1000000, 750000, 25000, 7500, 2500, 1600, 1561829, 312.5};
    // The whole-unit sizes are coarser, relative to the view, in small windows.
    for (const QSize size : {QSize(200, 150), QSize(1024, 768), QSize(333, 517)}) {
        m_view->resize(size);
        for (const Factors &f : pairs) {
            for (const double start : starts) {
                SCOPED_TRACE(testing::Message()
                    << size.width() << "x" << size.height() << " from 1:" << start << " by " << f.in);
                m_view->setScale(start);
                std::vector<double> scales{start};
                while (scales.size() < 4 && scales.back() / f.in >= ViewTransform::MinScale) {
                    zoomStep(*m_view, f.in);
                    EXPECT_DOUBLE_EQ(m_view->Scale(), scales.back() / f.in);
                    scales.push_back(m_view->Scale());
                }
                scales.pop_back();
                for (auto it = scales.rbegin(); it != scales.rend(); ++it) {
                    zoomStep(*m_view, f.out);
                    EXPECT_EQ(m_view->Scale(), *it);
                }
            }
        }
    }
    // The cases seen in use.
    m_view->resize(800, 600);
    m_view->setScale(2000000);
    zoomStep(*m_view, 2);
    zoomStep(*m_view, 2);
    EXPECT_EQ(m_view->Scale(), 500000);
    m_view->setScale(3000000);
    for (int i = 0; i < 3; ++i)
        zoomStep(*m_view, 2);
    EXPECT_EQ(m_view->Scale(), 375000);
    // A factor with no exact binary value: the decimal product all the same.
    m_view->setScale(1000000);
    zoomStep(*m_view, 3);
    EXPECT_NEAR(m_view->Scale(), 1000000 / 3.0, 1e-6);
    zoomStep(*m_view, 0.25);
    EXPECT_NEAR(m_view->Scale(), 4000000 / 3.0, 1e-5);
}

TEST_F(View, ClickZoomsStepByTheFactorAndARectangleGivesAWholeScale)
{
    m_view->resize(800, 600);
    m_view->setScale(2000000);
    m_view->setZoomInFactor(2);
    m_view->setZoomOutFactor(0.5);
    // Clicks off the centre move the view north and south, where a world unit
    // is another length on the ground: the scale is still the product.
    m_view->setMouseEventMode(1);
    click(CX + 20000, CY + 150000);
    EXPECT_EQ(m_view->Scale(), 1000000);
    click(CX - 30000, CY - 40000);
    EXPECT_EQ(m_view->Scale(), 500000);
    m_view->setMouseEventMode(2);
    click(CX, CY + 70000);
    EXPECT_EQ(m_view->Scale(), 1000000);
    click(CX + 5000, CY + 90000);
    EXPECT_EQ(m_view->Scale(), 2000000);

    // A dragged rectangle: a whole scale at which the rectangle fits.
    m_view->setMouseEventMode(1);
    const ViewTransform before = m_view->viewTransform();
    drag(QPoint(101, 87), QPoint(517, 380));
    const double scale = m_view->Scale();
    EXPECT_EQ(scale, std::nearbyint(scale));
    // (the wider side binds; a world unit is measured at the new centre)
    EXPECT_NEAR(scale, before.scale() * (517 - 101) / 800.0, before.scale() * 0.01);
    const ViewTransform after = m_view->viewTransform();
    for (const QPointF corner : {QPointF(101, 87), QPointF(517, 380)}) {
        const QPointF world = before.deviceToWorld(corner);
        const QPointF now = after.worldToDevice(world.x(), world.y());
        EXPECT_GT(now.x(), -1);
        EXPECT_LT(now.x(), 801);
        EXPECT_GT(now.y(), -1);
        EXPECT_LT(now.y(), 601);
    }
}

TEST_F(View, SetCenterScaleKeepsOrScalesAndShowAllFitsTheMap)
{
    clearLog();
    ASSERT_EQ(m_view->SetCenterScale(m_view->CenterX(), m_view->CenterY(), 1.0), code::Ok);
    EXPECT_TRUE(m_log.isEmpty());
    ASSERT_EQ(m_view->SetCenterScale(CX, CY, 2.0), code::Ok);
    EXPECT_EQ(m_view->Scale(), 50000);
    EXPECT_EQ(m_log, QStringList({"ScaleChanged"}));
    EXPECT_EQ(m_view->SetCenterScale(CX, CY, 0), code::BadArgument);

    m_view->ShowAll();
    std::int32_t cx = 0, cy = 0, w = 0, h = 0;
    ASSERT_EQ(m_view->GetMapExtent(cx, cy, w, h), code::Ok);
    EXPECT_EQ(m_view->CenterX(), cx);
    EXPECT_EQ(m_view->CenterY(), cy);
    EXPECT_GE(m_view->ViewWidth(), w);
    EXPECT_GE(m_view->ViewHeight(), h);
    EXPECT_LT(m_view->ViewWidth(), w * 1.2 + 1);
}

TEST_F(View, TopPanButtonAtAngle90MovesEast)
{
    // The application pans by Scale/3 turned by the angle; the view must agree
    // that the top of the screen is then east: the top-middle pixel is +X.
    m_view->setAngle(90);
    double dx = 0, dy = 0;
    m_view->ConvertCoord(4, m_view->CenterX() + 1000, m_view->CenterY(), dx, dy, 0);
    EXPECT_NEAR(dx, 100, 1e-6);
    EXPECT_LT(dy, 75);
    const QPointF top = m_view->viewTransform().deviceToWorld(QPointF(100, 0));
    EXPECT_GT(top.x(), m_view->CenterX());
    EXPECT_NEAR(top.y(), m_view->CenterY(), 1e-6);
}

TEST_F(View, MouseZoomAndPanModes)
{
    const ViewTransform start = m_view->viewTransform();
    // Mode 1: the dragged rectangle becomes the view.
    m_view->setMouseEventMode(1);
    clearLog();
    drag(QPoint(60, 40), QPoint(160, 110));
    EXPECT_EQ(events(), QStringList({"MouseDown1", "ScaleChanged", "ViewMoved", "MouseUp1"}));
    const QPointF wanted = start.deviceToWorld(QPointF(110, 75));
    EXPECT_NEAR(m_view->CenterX(), wanted.x(), 1);
    EXPECT_NEAR(m_view->Scale(), start.scale() / 2, 1); // 100 x 70 px of 200 x 150
    // A plain click zooms in by the factor around the point.
    m_view->setZoomInFactor(4);
    const double before = m_view->Scale();
    click(m_view->CenterX(), m_view->CenterY());
    EXPECT_NEAR(m_view->Scale(), before / 4, 1);
    // Mode 2: a click zooms out by ZoomOutFactor.
    m_view->setMouseEventMode(2);
    m_view->setZoomOutFactor(0.5);
    const double small = m_view->Scale();
    click(m_view->CenterX(), m_view->CenterY());
    EXPECT_NEAR(m_view->Scale(), small * 2, 1);
    // Mode 3: the point under the press ends under the release; one ViewMoved.
    m_view->setMouseEventMode(3);
    const ViewTransform before3 = m_view->viewTransform();
    const QPointF grabbed = before3.deviceToWorld(QPointF(60, 50));
    clearLog();
    drag(QPoint(60, 50), QPoint(130, 90));
    EXPECT_EQ(events(), QStringList({"MouseDown1", "ViewMoved", "MouseUp1"}));
    const QPointF now = m_view->viewTransform().worldToDevice(grabbed.x(), grabbed.y());
    EXPECT_NEAR(now.x(), 130, 1);
    EXPECT_NEAR(now.y(), 90, 1);
    EXPECT_DOUBLE_EQ(m_view->Scale(), before3.scale());
}

TEST_F(View, UnitsFollowTheViewCentre)
{
    // MeterFactor is Y based: about 308 mm per unit in Japan.
    EXPECT_NEAR(m_view->MeterFactor(), 308, 2);
    EXPECT_NEAR(m_view->XYUnitRatio(), std::cos(36.0 * M_PI / 180), 0.01);
    EXPECT_DOUBLE_EQ(m_view->WorldPerDevice(), m_view->XYUnitRatio());
    double x = 0, y = 0;
    EXPECT_EQ(m_view->ConvertCoord(0, CX, CY, x, y, 9), code::Ok); // plane zone 9
    EXPECT_NE(m_view->ConvertCoord(7, CX, CY, x, y, 0), code::Ok);
}

TEST_F(View, HostGeometryInTwips)
{
    m_view->Move(150 * 15, 30 * 15, 240 * 15, 180 * 15);
    EXPECT_EQ(m_view->geometry(), QRect(150, 30, 240, 180));
    EXPECT_DOUBLE_EQ(m_view->Left(), 2250);
    EXPECT_DOUBLE_EQ(m_view->Width(), 3600);
    // A larger control shows more ground at the same scale and centre.
    EXPECT_EQ(m_view->viewTransform().size(), QSize(240, 180));
    EXPECT_EQ(m_view->Scale(), 25000);
}

} // namespace
} // namespace zorvik::test
