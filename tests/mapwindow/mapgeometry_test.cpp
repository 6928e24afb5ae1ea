// The map window's pure arithmetic: layout, pan steps, scale label, pointer
// texts and the compass figure.
#include "mapwindow/compassfigure.h"
#include "mapwindow/maplayout.h"
#include "mapwindow/mdlscale.h"
#include "mapwindow/panstep.h"
#include "mapwindow/pointertext.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace veltra::mapwindow;

namespace veltra::mapwindow {
void PrintTo(const TwipsRect &r, std::ostream *os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ")";
}
} // namespace veltra::mapwindow

namespace {

MapWindowGeometry designGeometry()
{
    MapWindowGeometry g;
    g.buttons[0] = {0, 0, 360, 360};
    g.scaleBar = {0, 0, 2000, 600};
    g.compass = {0, 0, 1500, 1500};
    return g;
}

} // namespace

TEST(MapLayout, RingAndOverlaysAroundTheMap)
{
    const MapWindowGeometry g = layoutMapWindow(designGeometry(), 10000, 8000);
    EXPECT_EQ(g.map, (TwipsRect{410, 410, 9180, 7180}));
    const TwipsRect expected[8] = {
        {0, 0, 360, 360},
        {410, 0, 9180, 360},
        {9610, 0, 360, 360},
        {0, 410, 360, 7180},
        {9610, 410, 360, 7180},
        {0, 7610, 360, 360},
        {410, 7610, 9180, 360},
        {9610, 7610, 360, 360},
    };
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(g.buttons[static_cast<std::size_t>(i)], expected[i]);
    }
    // Lower right and lower left corners 50 twips inside the map's corners.
    EXPECT_EQ(g.scaleBar.right(), g.map.right() - 50);
    EXPECT_EQ(g.scaleBar.bottom(), g.map.bottom() - 50);
    EXPECT_EQ(g.compass.left, g.map.left + 50);
    EXPECT_EQ(g.compass.bottom(), g.map.bottom() - 50);
}

TEST(MapLayout, TooNarrowAWindowKeepsTheMapAndPlacesTheRingAroundIt)
{
    const MapWindowGeometry before = layoutMapWindow(designGeometry(), 10000, 8000);
    const MapWindowGeometry g = layoutMapWindow(before, 2 * 360 + 99, 8000);
    EXPECT_EQ(g.map, before.map);
    EXPECT_EQ(g.buttons[2].left, 9610);
    EXPECT_EQ(g.buttons[6], before.buttons[6]);
    // Growing again places everything anew.
    EXPECT_EQ(layoutMapWindow(g, 12000, 9000).map, (TwipsRect{410, 410, 11180, 8180}));
}

TEST(PanStep, AThirdOfTheScaleTurnedWithTheMap)
{
    struct Case
    {
        int button;
        double angle;
        double dx, dy; // in thirds of the scale
    };
    const Case cases[] = {
        {1, 0, 0, 1},
        {1, 90, 1, 0},
        {1, 450, 1, 0},
        {1, -90, -1, 0},
        {1, 89.5, 1, 0}, // 89.5 rounds to 90 (halves to even)
        {4, 0, 1, 0},
        {4, 90, 0, -1},
        {6, 180, 0, 1},
        {7, 0, 1, -1},
        {0, 90, 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "button " << c.button << " angle " << c.angle);
        const QPointF p = panTarget(c.button, c.angle, 30000, 1000, 2000);
        EXPECT_NEAR(p.x(), 1000 + 10000 * c.dx, 1e-6);
        EXPECT_NEAR(p.y(), 2000 + 10000 * c.dy, 1e-6);
    }
}

TEST(ScaleText, LengthOfFourCentimetres)
{
    struct Case
    {
        double scale;
        const char *text;
    };
    for (const Case &c : {Case{25000, "1000m"}, Case{250000, "10km"}, Case{15000000, "600km"},
             Case{62500, "2500m"}, Case{1600, "64m"}, Case{20, "80cm"}, Case{262500, "10km"},
             Case{287500, "12km"}, Case{24, "96cm"}, Case{25, "1m"}, Case{1000000000, "40000km"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(scaleText(c.scale), QString::fromUtf8(c.text));
    }
}

TEST(PointerText, DegreesMinutesSecondsWithFloorArithmetic)
{
    struct Case
    {
        std::int32_t world;
        const char *text;
    };
    for (const Case &c : {Case{0, "122.00.00"}, Case{360000, "123.00.00"}, Case{6000, "122.01.00"},
             Case{199, "122.00.01"}, Case{17 * 360000 + 45 * 6000 + 30 * 100 + 99, "139.45.30"},
             Case{-1, "121.59.59"}, Case{-100, "121.59.59"}, Case{-101, "121.59.58"},
             Case{-6000, "121.59.00"}, Case{-360000, "121.00.00"}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(dmsText(c.world, 122), QString::fromUtf8(c.text));
    }
    // South of 24° N.
    EXPECT_EQ(latLonPointerText(0, -100), QStringLiteral("緯度: 023.59.59, 経度: 122.00.00"));
    EXPECT_EQ(
        latLonPointerText(17 * 360000, 12 * 360000), QStringLiteral("緯度: 036.00.00, 経度: 139.00.00"));
}

TEST(PointerText, TheOtherForms)
{
    EXPECT_EQ(worldPointerText(6120000, -5), QStringLiteral("ﾜｰﾙﾄﾞ座標  X: 6120000, Y: -5"));
    EXPECT_EQ(planePointerText(-12345.678, 0.5), QStringLiteral("19座標系  X: -12345.678, Y: 0.5"));
    EXPECT_EQ(planePointerText(1000, 0), QStringLiteral("19座標系  X: 1000, Y: 0"));
    EXPECT_EQ(devicePointerText(10.5, 11.5), QStringLiteral("ﾃﾞﾊﾞｲｽ座標  X: 10, Y: 12"));
}

TEST(Compass, NorthTurnsAgainstTheMapAngle)
{
    const CompassFigure up = compassFigure(0, QSize(100, 80));
    EXPECT_EQ(up.centre, QPoint(50, 40));
    EXPECT_EQ(up.arrows[0].at(1), QPoint(50, 2)); // tip 38 px above the centre
    EXPECT_EQ(up.arrows[4].at(1), QPoint(50, 78));
    EXPECT_EQ(up.arrows[2].at(1), QPoint(88, 40)); // east
    EXPECT_EQ(up.arrows[1].at(1), QPoint(70, 20)); // the diagonals are 10 px shorter
    EXPECT_EQ(up.colours[0], QColor(255, 0, 0));
    EXPECT_EQ(up.colours[4], QColor(0, 0, 255));
    EXPECT_EQ(up.colours[3], QColor(255, 255, 255));
    EXPECT_EQ(up.letterN[0], QPoint(46, 1)); // N centred 43 px above the centre
    EXPECT_EQ(up.letterN[3], QPoint(54, -7));

    const CompassFigure left = compassFigure(90, QSize(100, 80));
    EXPECT_EQ(left.arrows[0].at(1), QPoint(12, 40)); // red arrow points left
    QPoint nCentre;
    for (const QPoint &p : left.letterN)
        nCentre += p;
    EXPECT_EQ(nCentre / 4, QPoint(7, 40)); // the N 43 px left of the centre
}
