// The engine's events of a real map control, driven by mouse and key events
// on the offscreen platform, reach the dispatcher with the right state and
// the shared map-window state filled first.
#include "fakemaphost.h"
#include "kinddoc.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapeventbridge.h"
#include "mapwindow/mdlscale.h"
#include "mapwindow/pointertext.h"
#include "mapwindow/scalebar.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace veltra::test;
using veltra::mapwindow::MapEventBridge;

namespace {

// What the running tool saw at each state.
struct Seen
{
    std::int16_t state;
    std::array<std::int32_t, 2> x, y;
    std::int32_t handle;
    std::int16_t key, button;
    std::int32_t downX, downY, upX, upY;
};

using FakeHost = veltra::test::FakeMapHost;

class EventBridge : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc = std::make_unique<KindDoc>(std::vector<zorvik::ElementRecord>{
            vectorRecord(RoadKind, {0, 0, 3600, 3600}, QStringLiteral("道"))});
        doc->engine.CloseMap();
        map = std::make_unique<zorvik::Zorvik>();
        map->resize(200, 150);
        map->setDocumentPath(doc->zor);
        ASSERT_EQ(map->InitializeMap(0), zorvik::code::Ok);
        map->InitDisplay();
        map->setScale(25000);
        map->setCenterX(17 * 360000);
        map->setCenterY(12 * 360000);
        savedEngine = gobjZor;
        gobjZor = map.get();
        bridge = std::make_unique<MapEventBridge>(map.get(), &host);

        gintModeNo = ModeDistance;
        gintMapMouseMode = -1;
        gintSkipCenter = 0;
        glngElmHandle = 0;
        glngPointX = {0, 0};
        glngPointY = {0, 0};
        veltra::shell::modeRegistry().setHandler(
            ModeDistance, [this](std::int16_t &state, zorvik::Zorvik *engine) {
                EXPECT_EQ(engine, map.get());
                seen.push_back({state, glngPointX, glngPointY, glngElmHandle, gintKeyCode, gintMouseButton,
                    glngMouseDownX, glngMouseDownY, glngMouseUpX, glngMouseUpY});
            });
    }

    void TearDown() override
    {
        veltra::shell::modeRegistry().removeHandler(ModeDistance);
        gintModeNo = 0;
        gintMapMouseMode = 0;
        gintSkipCenter = 0;
        glngElmHandle = 0;
        gintPointType = 0;
        bridge.reset();
        gobjZor = savedEngine;
    }

    std::vector<std::int16_t> states() const
    {
        std::vector<std::int16_t> out;
        for (const Seen &s : seen)
            out.push_back(s.state);
        return out;
    }

    const Seen *last(std::int16_t state) const
    {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it)
            if (it->state == state)
                return &*it;
        return nullptr;
    }

    // The world point the control reports for a pixel.
    QPoint worldAt(QPoint px) const
    {
        const QPointF w = map->viewTransform().deviceToWorld(QPointF(px));
        return QPoint(zorvik::ViewTransform::roundWorld(w.x()), zorvik::ViewTransform::roundWorld(w.y()));
    }

    // A pointer move with no button held (QTest moves the cursor instead,
    // which reaches no hidden widget).
    void hover(QPoint p)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(map->mapToGlobal(p)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(map.get(), &move);
    }

    void doubleClick(QPoint p)
    {
        QTest::mouseClick(map.get(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseDClick(map.get(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(map.get(), Qt::LeftButton, Qt::NoModifier, p);
    }

    std::unique_ptr<KindDoc> doc;
    std::unique_ptr<zorvik::Zorvik> map;
    std::unique_ptr<MapEventBridge> bridge;
    FakeHost host;
    zorvik::Zorvik *savedEngine = nullptr;
    std::vector<Seen> seen;
};

} // namespace

TEST_F(EventBridge, AClickSendsDownUpAndClickWithThePointAndButton)
{
    const QPoint p(50, 40);
    QTest::mouseClick(map.get(), Qt::RightButton, Qt::NoModifier, p);
    EXPECT_EQ(states(), (std::vector<std::int16_t>{StateMouseDown, StateMouseUp, StateClick}));
    const QPoint w = worldAt(p);
    const Seen *click = last(StateClick);
    ASSERT_TRUE(click);
    EXPECT_EQ(click->x[0], w.x());
    EXPECT_EQ(click->y[0], w.y());
    EXPECT_EQ(click->button, 2); // the mouse-up before the click
    // Mouse positions in twips of the control, 15 per pixel at 96 dpi.
    EXPECT_EQ(seen[0].downX, 750);
    EXPECT_EQ(seen[0].downY, 600);
    EXPECT_EQ(seen[1].upX, 750);
    EXPECT_EQ(seen[1].button, 2);
}

TEST_F(EventBridge, ARectangleSendsBothCorners)
{
    map->setMouseEventMode(5);
    const QPoint from(20, 20), to(150, 120);
    QTest::mousePress(map.get(), Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 4; ++i)
        QTest::mouseMove(map.get(), from + (to - from) * i / 4);
    QTest::mouseRelease(map.get(), Qt::LeftButton, Qt::NoModifier, to);
    const Seen *rect = last(StateRect);
    ASSERT_TRUE(rect);
    EXPECT_EQ(states().back(), StateRect);
    EXPECT_EQ(rect->x[0], worldAt(from).x());
    EXPECT_EQ(rect->y[0], worldAt(from).y());
    EXPECT_EQ(rect->x[1], worldAt(to).x());
    EXPECT_EQ(rect->y[1], worldAt(to).y());
    EXPECT_EQ(last(StateClick), nullptr); // a drag is no click
}

TEST_F(EventBridge, KeysSendTheirCode)
{
    map->setEditMode(0);
    QTest::keyClick(map.get(), Qt::Key_Escape);
    QTest::keyClick(map.get(), Qt::Key_Return);
    ASSERT_EQ(states(), (std::vector<std::int16_t>{StateKey, StateKey}));
    EXPECT_EQ(seen[0].key, 27);
    EXPECT_EQ(seen[1].key, 13);
}

TEST_F(EventBridge, DoubleClickRecentresOnlyWithoutATool)
{
    const QPoint p(30, 100);
    const QPoint w = worldAt(p);
    const std::int32_t cx = map->CenterX(), cy = map->CenterY();

    // A tool owns the mouse: the state goes out, the map stays.
    doubleClick(p);
    const Seen *dbl = last(StateDblClick);
    ASSERT_TRUE(dbl);
    EXPECT_EQ(dbl->x[0], w.x());
    EXPECT_EQ(dbl->y[0], w.y());
    const auto sent = states();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), StateClick), 1);
    EXPECT_EQ(map->CenterX(), cx);
    EXPECT_EQ(map->CenterY(), cy);

    // A tool asked to skip one recentring.
    gintMapMouseMode = 0;
    gintSkipCenter = -1;
    doubleClick(p);
    EXPECT_EQ(gintSkipCenter, 0);
    EXPECT_EQ(map->CenterX(), cx);
    EXPECT_EQ(host.placeNames, 0);

    // The plain map recentres on the point.
    doubleClick(p);
    EXPECT_EQ(map->CenterX(), w.x());
    EXPECT_EQ(map->CenterY(), w.y());
    EXPECT_EQ(host.placeNames, 1);
}

TEST_F(EventBridge, SearchEndKeepsOneSetForTheRunningTool)
{
    zorvik::Handle a = 0, b = 0;
    ASSERT_EQ(map->CreateElementList(a), zorvik::code::Ok);
    ASSERT_EQ(map->CreateElementList(b), zorvik::code::Ok);
    auto alive = [this](zorvik::Handle h) {
        zorvik::Handle elem = 0;
        return map->GetNextElementHandle(h, elem) == zorvik::code::Ok;
    };

    emit map->SearchEnd(a);
    ASSERT_EQ(states(), std::vector<std::int16_t>{StateFound});
    EXPECT_EQ(seen.back().handle, a);

    // The same set again: kept and sent again.
    emit map->SearchEnd(a);
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_TRUE(alive(a));

    // Another set: the previous one is released.
    emit map->SearchEnd(b);
    EXPECT_EQ(glngElmHandle, b);
    EXPECT_FALSE(alive(a));

    // Nothing found: the previous set goes, nothing is sent.
    emit map->SearchEnd(0);
    EXPECT_EQ(glngElmHandle, 0);
    EXPECT_FALSE(alive(b));
    EXPECT_EQ(seen.size(), 3u);

    // No tool: the new set is released at once.
    zorvik::Handle c = 0;
    ASSERT_EQ(map->CreateElementList(c), zorvik::code::Ok);
    gintModeNo = 0;
    emit map->SearchEnd(c);
    EXPECT_FALSE(alive(c));
    EXPECT_EQ(glngElmHandle, 0);
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(EventBridge, PointerTextInEachFormOnTheStatusBar)
{
    auto *frame = new frmMain;
    gfrmMain = frame;
    const QPoint p(120, 60);
    const QPoint w = worldAt(p);
    double px = 0, py = 0, dx = 0, dy = 0;
    map->ConvertCoord(0, w.x(), w.y(), px, py, map->PlaneZoneNo());
    map->ConvertCoord(4, w.x(), w.y(), dx, dy, 0);
    const QString expected[4] = {
        veltra::mapwindow::worldPointerText(w.x(), w.y()),
        veltra::mapwindow::planePointerText(px, py),
        veltra::mapwindow::latLonPointerText(w.x(), w.y()),
        veltra::mapwindow::devicePointerText(dx, dy),
    };
    for (std::int16_t type = 0; type < 4; ++type) {
        SCOPED_TRACE(type);
        gintPointType = type;
        frame->setStatusPanelText(2, QString());
        hover(p);
        EXPECT_EQ(frame->statusPanelText(2), expected[type]);
    }
    EXPECT_TRUE(expected[2].startsWith(QStringLiteral("緯度: 036.")));
    EXPECT_TRUE(expected[2].contains(QStringLiteral("経度: 139.")));
    EXPECT_EQ(frame->statusPanelText(2), expected[3]);
    delete frame;
    EXPECT_EQ(gfrmMain, nullptr);
}

TEST_F(EventBridge, DragMoveModeTakesTheAnchorFirstThenPans)
{
    gintMapMouseMode = 1;
    gintModeNo = 0;
    const std::int32_t cx = map->CenterX(), cy = map->CenterY();
    const QPoint from(100, 75);
    const QPoint grabbed = worldAt(from);
    QTest::mousePress(map.get(), Qt::LeftButton, Qt::NoModifier, from);
    EXPECT_EQ(bridge->dragState(), -1);
    EXPECT_EQ(map->cursor().shape(), Qt::ClosedHandCursor);

    // The first pointer event only takes the anchor.
    QTest::mouseMove(map.get(), from + QPoint(1, 0), Qt::LeftButton);
    EXPECT_EQ(bridge->dragState(), 1);
    EXPECT_EQ(glngDragX, worldAt(from + QPoint(1, 0)).x());
    EXPECT_EQ(map->CenterX(), cx);

    // From the second on, the grabbed point follows the pointer.
    const QPoint to(140, 95);
    QTest::mouseMove(map.get(), to, Qt::LeftButton);
    EXPECT_NE(map->CenterX(), cx);
    EXPECT_NE(map->CenterY(), cy);
    const QPoint under = worldAt(to);
    EXPECT_NEAR(under.x(), glngDragX, 2);
    EXPECT_NEAR(under.y(), glngDragY, 2);
    (void)grabbed;

    QTest::mouseRelease(map.get(), Qt::LeftButton, Qt::NoModifier, to);
    EXPECT_EQ(bridge->dragState(), 0);
}

TEST_F(EventBridge, PointerShapeFollowsTheMouseMode)
{
    gintMapMouseMode = 0;
    struct Case
    {
        int mode;
        Qt::CursorShape shape;
    };
    for (const Case &c : {Case{0, Qt::ArrowCursor}, Case{1, Qt::CrossCursor}, Case{2, Qt::CrossCursor},
             Case{3, Qt::SizeAllCursor}, Case{4, Qt::ArrowCursor}, Case{12, Qt::ArrowCursor}}) {
        SCOPED_TRACE(c.mode);
        map->setMouseEventMode(c.mode);
        hover(QPoint(10 + c.mode, 10));
        EXPECT_EQ(map->cursor().shape(), c.shape);
    }
    gintMapMouseMode = 1;
    hover(QPoint(40, 10));
    EXPECT_EQ(map->cursor().shape(), Qt::OpenHandCursor);
}

TEST_F(EventBridge, ScaleChangesReachTheScaleBarAndTheLinks)
{
    veltra::mapwindow::ScaleBar bar;
    bridge->setScaleBar(&bar);
    auto *frame = new frmMain;
    frame->Combo1 = new QComboBox(frame);
    frame->Combo1->setEditable(true);
    gfrmMain = frame;
    std::vector<std::int32_t> roomScales, rasterScales;
    auto &links = veltra::mapwindow::mapEventLinks();
    links.setOperationRoomScale = [&](std::int32_t s) { roomScales.push_back(s); };
    links.reloadImageFolders = [&](std::int32_t s) { rasterScales.push_back(s); };
    map->setScale(250000);
    links = {};
    EXPECT_EQ(bar.text(), QStringLiteral("10km"));
    EXPECT_EQ(frame->Combo1->currentText(), QStringLiteral("250000"));
    // A window that is no longer the current one keeps its own scale bar but
    // leaves the frame's box to the current map.
    gobjZor = nullptr;
    map->setScale(100000);
    gobjZor = map.get();
    EXPECT_EQ(bar.text(), veltra::mapwindow::scaleText(100000));
    EXPECT_EQ(frame->Combo1->currentText(), QStringLiteral("250000"));
    delete frame;
    EXPECT_EQ(roomScales, std::vector<std::int32_t>{250000});
    EXPECT_EQ(rasterScales, std::vector<std::int32_t>{250000});
}

TEST_F(EventBridge, ThePointerOnTheMapShowsTheScaleBarWhenItsMenuIsChecked)
{
    auto *frame = new frmMain;
    gfrmMain = frame;
    ASSERT_TRUE(frame->mnuScale);
    veltra::mapwindow::ScaleBar bar;
    bar.setGeometry(100, 80, bar.width(), bar.height());
    bridge->setScaleBar(&bar);

    // Over the bar's place the bar stays as it is.
    frame->mnuScale->setCheckable(true);
    frame->mnuScale->setChecked(true);
    hover(QPoint(105, 85));
    EXPECT_FALSE(bar.isVisible());
    // Elsewhere on the map it comes back.
    hover(QPoint(10, 10));
    EXPECT_TRUE(bar.isVisible());

    // Not while its menu is unchecked.
    bar.hide();
    frame->mnuScale->setChecked(false);
    hover(QPoint(12, 10));
    EXPECT_FALSE(bar.isVisible());
    delete frame;
}

TEST_F(EventBridge, FocusAndDragPanningAskForTheCentrePlaceName)
{
    emit map->GotFocus();
    EXPECT_EQ(host.placeNames, 1);
    // A view move outside the drag-move mode names nothing.
    map->setCenterX(map->CenterX() + 1000);
    EXPECT_EQ(host.placeNames, 1);
    gintMapMouseMode = 1;
    map->setCenterX(map->CenterX() + 1000);
    EXPECT_EQ(host.placeNames, 2);
}

TEST_F(EventBridge, APickOnTheMapHandsTheFoundSetToTheTool)
{
    const std::int32_t cx = map->CenterX(), cy = map->CenterY();
    zorvik::Handle add = 0;
    ASSERT_EQ(map->CreateElementList(add), zorvik::code::Ok);
    ASSERT_EQ(map->AddElementToList(
                  add, vectorRecord(BorderKind, {cx - 5000, cy, cx + 5000, cy}, QStringLiteral("線"))),
        zorvik::code::Ok);
    ASSERT_EQ(map->AddElements(add), zorvik::code::Ok);
    map->ReleaseElements(add);
    map->setMouseEventMode(7);
    map->setRecognizeElementType(3);

    double dx = 0, dy = 0;
    map->ConvertCoord(4, cx, cy, dx, dy, 0);
    QTest::mouseClick(map.get(), Qt::LeftButton, Qt::NoModifier, QPoint(qRound(dx), qRound(dy)));
    EXPECT_EQ(states(), (std::vector<std::int16_t>{StateMouseDown, StateMouseUp, StateClick, StateFound}));
    const Seen *found = last(StateFound);
    ASSERT_TRUE(found);
    ASSERT_NE(found->handle, 0);
    EXPECT_EQ(glngElmHandle, found->handle);
    zorvik::Handle elem = 0;
    ASSERT_EQ(map->GetNextElementHandle(found->handle, elem), zorvik::code::Ok);
    zorvik::ElementRecord record;
    ASSERT_EQ(map->GetElementsInfo(found->handle, elem, record), zorvik::code::Ok);
    EXPECT_EQ(record.Key, QStringLiteral("線"));
}
