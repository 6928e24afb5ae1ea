// The placement rule of tool windows and stored window places, on made-up
// sets of screens.
#include "platform/ui/windowplacement.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>
#include <gtest/gtest.h>

using namespace veltra::ui;

// Failures name the rectangles (found by argument-dependent lookup).
static std::ostream &operator<<(std::ostream &out, const QRect &r)
{
    return out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace {

// Two screens side by side, the second one lower and with a panel at its top.
const QRect kLeftScreen(0, 0, 1920, 1040);
const QRect kRightScreen(1920, 100, 1280, 980);

} // namespace

TEST(WindowPlacement, StoredPlacesStayOnTheirScreenOrArePulledInside)
{
    struct Case
    {
        const char *name;
        QList<QRect> screens;
        QRect stored;
        QRect expected;
    };
    const QList<QRect> one{QRect(0, 0, 800, 600)};
    const QList<QRect> two{kLeftScreen, kRightScreen};
    const Case cases[] = {
        {"inside the only screen", one, QRect(100, 50, 300, 200), QRect(100, 50, 300, 200)},
        {"filling the screen exactly", one, QRect(0, 0, 800, 600), QRect(0, 0, 800, 600)},
        {"far right of the only screen", one, QRect(5000, 50, 300, 200), QRect(500, 50, 300, 200)},
        {"far above and left", one, QRect(-4000, -3000, 300, 200), QRect(0, 0, 300, 200)},
        {"below the bottom", one, QRect(100, 900, 300, 200), QRect(100, 400, 300, 200)},
        {"half off the right edge", one, QRect(700, 100, 300, 200), QRect(500, 100, 300, 200)},
        {"wider and taller than the screen", one, QRect(-50, 300, 1000, 700), QRect(0, 0, 1000, 700)},
        {"on the second screen", two, QRect(2500, 400, 300, 200), QRect(2500, 400, 300, 200)},
        {"under the second screen's panel", two, QRect(2500, 20, 300, 200), QRect(2500, 100, 300, 200)},
        {"beyond the second screen", two, QRect(4000, 500, 300, 200), QRect(2900, 500, 300, 200)},
        {"mostly on the left screen", two, QRect(1700, 300, 300, 200), QRect(1620, 300, 300, 200)},
        {"mostly on the right screen", two, QRect(1850, 300, 300, 200), QRect(1920, 300, 300, 200)},
        {"in the gap below the left screen", two, QRect(200, 1500, 300, 200), QRect(200, 840, 300, 200)},
        {"no screens at all", {}, QRect(5000, 5000, 300, 200), QRect(5000, 5000, 300, 200)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pulledOntoScreens(c.stored, c.screens), c.expected);
    }
}

TEST(WindowPlacement, ToolWindowsAreCentredOnTheAreaAndKeptOnItsScreen)
{
    struct Case
    {
        const char *name;
        QSize size;
        QRect area;
        QRect expected;
    };
    const QList<QRect> two{kLeftScreen, kRightScreen};
    const Case cases[] = {
        {"centred", QSize(200, 100), QRect(100, 80, 600, 400), QRect(300, 230, 200, 100)},
        {"taller than the area: at its top", QSize(200, 500), QRect(100, 80, 600, 400),
            QRect(300, 80, 200, 500)},
        {"area on the second screen", QSize(200, 100), QRect(2000, 200, 1000, 600),
            QRect(2400, 450, 200, 100)},
        {"area hanging off the right screen: kept inside it", QSize(400, 200), QRect(2800, 300, 1000, 400),
            QRect(2800, 400, 400, 200)},
        {"area hanging off the top left: kept inside", QSize(400, 300), QRect(-900, -500, 1000, 600),
            QRect(0, 0, 400, 300)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(centredToolRect(c.size, c.area, two), c.expected);
    }
}

TEST(WindowPlacement, TheScreenOfARectIsTheOneHoldingMostOfItElseTheNearest)
{
    const QList<QRect> two{kLeftScreen, kRightScreen};
    EXPECT_EQ(screenFor(QRect(100, 100, 10, 10), two), 0);
    EXPECT_EQ(screenFor(QRect(1900, 500, 100, 10), two), 1); // 20 px left, 80 px right
    EXPECT_EQ(screenFor(QRect(-500, 500, 10, 10), two), 0);
    EXPECT_EQ(screenFor(QRect(3500, 500, 10, 10), two), 1);
    EXPECT_EQ(screenFor(QRect(0, 0, 10, 10), {}), -1);
}

// A real frame: the area below its menu bar, and a window placed on it.
TEST(WindowPlacement, ToolWindowOpensCentredBelowTheMenuBarOfItsFrame)
{
    QMainWindow frame;
    frame.menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ"));
    frame.setCentralWidget(new QWidget);
    frame.setGeometry(60, 40, 640, 480);
    frame.show();
    QApplication::processEvents();
    const QRect menu(frame.menuBar()->mapToGlobal(QPoint(0, 0)), frame.menuBar()->size());
    const QRect area = toolWindowArea(frame);
    EXPECT_EQ(area.top(), menu.bottom() + 1);
    EXPECT_EQ(area.bottom(), frame.geometry().bottom());

    QWidget tool(&frame, Qt::Tool);
    tool.resize(200, 100);
    placeToolWindow(tool, &frame);
    tool.show();
    QApplication::processEvents();
    const QRect placed = tool.frameGeometry();
    EXPECT_TRUE(frame.frameGeometry().contains(placed));
    EXPECT_FALSE(placed.intersects(menu));
    EXPECT_LE(std::abs(placed.center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(placed.center().y() - area.center().y()), 1);

    QWidget hidden(nullptr, Qt::Tool);
    EXPECT_TRUE(toolWindowArea(hidden).isEmpty());
}

TEST(WindowPlacement, KeptPlacesLastForTheRunUntilForgotten)
{
    forgetKeptPlaces();
    EXPECT_FALSE(keptPlace(QStringLiteral("frmA")).has_value());
    keepPlace(QStringLiteral("frmA"), QPoint(10, 20));
    keepPlace(QStringLiteral("frmB"), QPoint(-5, 7));
    keepPlace(QStringLiteral("frmA"), QPoint(30, 40)); // the last close counts
    EXPECT_EQ(keptPlace(QStringLiteral("frmA")), QPoint(30, 40));
    EXPECT_EQ(keptPlace(QStringLiteral("frmB")), QPoint(-5, 7));
    forgetKeptPlaces();
    EXPECT_FALSE(keptPlace(QStringLiteral("frmB")).has_value());
}
