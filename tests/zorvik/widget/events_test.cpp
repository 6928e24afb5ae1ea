#include "mapfixture.h"

namespace zorvik::test {
namespace {

class EventOrder : public MapFixture
{
protected:
    void SetUp() override
    {
        open({line(Road, {CX - 2000, CX + 2000}, {CY, CY}),
            ring(Boundary, CX - 1500, CY - 1500, CX + 1500, CY + 1500),
            connector(Marker, CX + 600, CY + 700, QStringLiteral("中")),
            connector(Marker, CX + 1900, CY + 1900, QStringLiteral("外"))});
        m_view->setRecognizeLength(5);
    }
};

TEST_F(EventOrder, ClickAndDoubleClickInEveryReportingMode)
{
    for (int mode : {0, 4, 5, 14}) {
        SCOPED_TRACE(mode);
        m_view->setMouseEventMode(mode);
        clearLog();
        click(CX + 300, CY - 400);
        EXPECT_EQ(events(), QStringList({"MouseDown1", "MouseUp1", "Click1"}));
        // The world position of the click, within a pixel.
        EXPECT_NEAR(m_lastClick[2], CX + 300, 30);
        EXPECT_NEAR(m_lastClick[3], CY - 400, 30);
        clearLog();
        doubleClick(CX + 300, CY - 400);
        EXPECT_EQ(events(),
            QStringList({"MouseDown1", "MouseUp1", "Click1", "MouseDown1", "DblClick1", "MouseUp1"}));
        clearLog();
        click(CX, CY, Qt::RightButton);
        EXPECT_EQ(events(), QStringList({"MouseDown2", "MouseUp2", "Click2"}));
    }
}

TEST_F(EventOrder, MovesReportTwipsAndWorldInEveryMode)
{
    double twipsX = -1;
    std::int32_t worldX = 0;
    QObject::connect(m_view.get(), &Zorvik::MouseMove, [&](int, int, double x, double) { twipsX = x; });
    QObject::connect(
        m_view.get(), &Zorvik::CursorPos, [&](int, int, std::int32_t x, std::int32_t) { worldX = x; });
    for (int mode : {0, 1, 3, 7, 12}) {
        SCOPED_TRACE(mode);
        m_view->setMouseEventMode(mode);
        QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTest::mouseMove(m_view.get(), QPoint(20, 10));
        EXPECT_DOUBLE_EQ(twipsX, 20 * 1440.0 / m_view->viewTransform().dpi());
        EXPECT_EQ(
            worldX, ViewTransform::roundWorld(m_view->viewTransform().deviceToWorld(QPointF(20, 10)).x()));
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    }
}

TEST_F(EventOrder, DraggedRectangleReportsPressAndReleaseCorners)
{
    m_view->setMouseEventMode(5);
    const QPoint from(150, 120), to(40, 20); // dragged up and to the left
    drag(from, to);
    EXPECT_EQ(events(), QStringList({"MouseDown1", "MouseUp1", "RectSelect"}));
    const ViewTransform &v = m_view->viewTransform();
    EXPECT_EQ(m_lastRect[0], ViewTransform::roundWorld(v.deviceToWorld(from).x()));
    EXPECT_EQ(m_lastRect[1], ViewTransform::roundWorld(v.deviceToWorld(from).y()));
    EXPECT_EQ(m_lastRect[2], ViewTransform::roundWorld(v.deviceToWorld(to).x()));
    EXPECT_EQ(m_lastRect[3], ViewTransform::roundWorld(v.deviceToWorld(to).y()));
    // In the plain mode a drag is neither a click nor a rectangle.
    m_view->setMouseEventMode(4);
    clearLog();
    drag(from, to);
    EXPECT_EQ(events(), QStringList({"MouseDown1", "MouseUp1"}));
}

TEST_F(EventOrder, ElementPickRaisesSearchEndAfterTheClick)
{
    m_view->setMouseEventMode(7);
    m_view->setRecognizeElementType(3);
    m_view->setRecognizeSearchNum(1);
    click(CX - 900, CY); // on the road
    EXPECT_EQ(events(), QStringList({"MouseDown1", "MouseUp1", "Click1", "SearchEnd"}));
    ASSERT_GT(m_lastSet, 0);
    Handle elem = 0;
    ASSERT_EQ(m_view->GetNextElementHandle(m_lastSet, elem), code::Ok);
    ElementRecord found;
    ASSERT_EQ(m_view->GetElementsInfo(m_lastSet, elem, found), code::Ok);
    EXPECT_EQ(found.kind(), Road);
    m_view->ReleaseElements(m_lastSet);

    clearLog();
    click(CX - 900, CY + 1000); // nothing there
    EXPECT_EQ(events(), QStringList({"MouseDown1", "MouseUp1", "Click1", "SearchEnd"}));
    EXPECT_EQ(m_lastSet, 0);
    EXPECT_EQ(m_view->MouseEventMode(), 7); // the mode stays

    // A drag picks inside the rectangle: only the inner marker.
    clearLog();
    m_view->setRecognizeElementType(2);
    m_view->setRecognizeSearchNum(0);
    drag(at(CX + 300, CY + 1000), at(CX + 900, CY + 400));
    EXPECT_EQ(events(), QStringList({"MouseDown1", "MouseUp1", "SearchEnd"}));
    ASSERT_GT(m_lastSet, 0);
    QStringList keys;
    for (Handle e = 0; m_view->GetNextElementHandle(m_lastSet, e) == code::Ok && e != 0;) {
        ElementRecord r;
        m_view->GetElementsInfo(m_lastSet, e, r);
        keys << r.Key;
    }
    EXPECT_EQ(keys, QStringList({QStringLiteral("中")}));
}

TEST_F(EventOrder, AreaReferenceFindsTheConnectorsOfTheClickedArea)
{
    m_view->setMouseEventMode(9);
    m_view->setRecognizeElementType(2);
    m_view->setRecognizeSearchNum(100);
    m_view->setSpaceID(Space);
    click(CX - 700, CY + 900); // inside the ring, away from everything
    EXPECT_EQ(events(), QStringList({"MouseDown1", "MouseUp1", "Click1", "SearchEnd"}));
    ASSERT_GT(m_lastSet, 0);
    Handle e = 0;
    ASSERT_EQ(m_view->GetNextElementHandle(m_lastSet, e), code::Ok);
    ElementRecord r;
    m_view->GetElementsInfo(m_lastSet, e, r);
    EXPECT_EQ(r.Key, QStringLiteral("中"));
    EXPECT_EQ(m_view->GetNextElementHandle(m_lastSet, e), code::Ok);
    EXPECT_EQ(e, 0); // the outer marker is not in the area
}

TEST_F(EventOrder, PolylineEndsWithTheDoubleClick)
{
    m_view->setMouseEventMode(10);
    click(CX - 1000, CY + 300);
    click(CX, CY + 800);
    doubleClick(CX + 1000, CY + 300);
    EXPECT_EQ(events(),
        QStringList({"MouseDown1", "MouseUp1", "Click1", "MouseDown1", "MouseUp1", "Click1", "MouseDown1",
            "MouseUp1", "Click1", "MouseDown1", "DblClick1", "SearchEnd", "MouseUp1"}));
    ASSERT_GT(m_lastSet, 0);
    Handle e = 0;
    ASSERT_EQ(m_view->GetNextElementHandle(m_lastSet, e), code::Ok);
    ElementRecord r;
    ASSERT_EQ(m_view->GetElementsInfo(m_lastSet, e, r), code::Ok);
    EXPECT_EQ(r.Type, TypeVector);
    ASSERT_EQ(r.PNum, 3); // the double-click point once
    std::vector<std::int32_t> x, y;
    m_view->GetElementPoints(m_lastSet, e, 3, x, y);
    EXPECT_NEAR(x[0], CX - 1000, 30);
    EXPECT_NEAR(y[1], CY + 800, 30);
    EXPECT_NEAR(x[2], CX + 1000, 30);
}

TEST_F(EventOrder, ListenersMayCallBackIntoTheControl)
{
    // The application's drag pan: centre writes and Refresh inside CursorPos;
    // the pick tool: releasing the set and leaving the mode inside SearchEnd.
    bool panning = false;
    QObject::connect(m_view.get(), &Zorvik::MouseDown, [&](int, int, double, double) { panning = true; });
    QObject::connect(m_view.get(), &Zorvik::MouseUp, [&](int, int, double, double) { panning = false; });
    QObject::connect(m_view.get(), &Zorvik::CursorPos, [&](int, int, std::int32_t, std::int32_t) {
        if (panning) {
            m_view->setCenterX(m_view->CenterX() - 100);
            m_view->Refresh();
        }
    });
    QObject::connect(m_view.get(), &Zorvik::SearchEnd, [&](std::int32_t set) {
        EXPECT_EQ(m_view->ReleaseElements(set), code::Ok);
        m_view->setMouseEventMode(0);
    });
    const std::int32_t before = m_view->CenterX();
    drag(QPoint(100, 75), QPoint(160, 75));
    EXPECT_EQ(m_view->CenterX(), before - 400);
    m_view->setMouseEventMode(7);
    click(CX - 900, CY);
    EXPECT_EQ(m_view->MouseEventMode(), 0);
    clearLog();
    click(CX - 900, CY);
    EXPECT_FALSE(events().contains(QStringLiteral("SearchEnd")));
}

TEST_F(EventOrder, KeysArriveAsVirtualKeyCodes)
{
    struct Case
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString expected;
    } cases[] = {{Qt::Key_Return, Qt::NoModifier, "KeyDown13/0"},
        {Qt::Key_Escape, Qt::NoModifier, "KeyDown27/0"}, {Qt::Key_Left, Qt::NoModifier, "KeyDown37/0"},
        {Qt::Key_Up, Qt::ShiftModifier, "KeyDown38/1"}, {Qt::Key_Right, Qt::ControlModifier, "KeyDown39/2"},
        {Qt::Key_Down, Qt::AltModifier, "KeyDown40/4"}, {Qt::Key_A, Qt::NoModifier, "KeyDown65/0"},
        {Qt::Key_Delete, Qt::NoModifier, "KeyDown46/0"}};
    m_view->setEditMode(0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        clearLog();
        QTest::keyClick(m_view.get(), c.key, c.modifiers);
        // A modifier is a key of its own first (16 Shift, 17 Ctrl, 18 Alt).
        ASSERT_FALSE(events().isEmpty());
        EXPECT_EQ(events().last(), c.expected);
        EXPECT_EQ(events().size(), c.modifiers == Qt::NoModifier ? 1 : 2);
    }
    // With EditMode on, the arrows also pan the map.
    m_view->setEditMode(1);
    clearLog();
    const std::int32_t y = m_view->CenterY();
    QTest::keyClick(m_view.get(), Qt::Key_Up);
    EXPECT_EQ(events(), QStringList({"ViewMoved", "KeyDown38/0"}));
    EXPECT_GT(m_view->CenterY(), y);
}

TEST_F(EventOrder, ANonInteractiveControlRaisesNothing)
{
    m_view->setInteractiveMode(0);
    m_view->setMouseEventMode(7);
    click(CX - 900, CY);
    QTest::keyClick(m_view.get(), Qt::Key_Return);
    m_view->setScale(50000);
    EXPECT_TRUE(movesToo().isEmpty());
    EXPECT_EQ(m_view->Scale(), 50000);
}

} // namespace
} // namespace zorvik::test

namespace zorvik::test {
namespace {

TEST_F(EventOrder, SetFocusGivesTheKeysToTheMap)
{
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    m_view->setParent(&other);
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    other.setFocus();
    clearLog();
    m_view->SetFocus();
    EXPECT_EQ(events(), QStringList({"GotFocus"}));
    EXPECT_TRUE(m_view->hasFocus());
    m_view->setParent(nullptr);
}

} // namespace
} // namespace zorvik::test
