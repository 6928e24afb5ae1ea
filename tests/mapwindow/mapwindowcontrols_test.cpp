// The map window's controls on a real map control: the ring of pan buttons
// and the overlays placed by the layout, pan steps by button, the measuring
// panel and dragging an overlay.
#include "kinddoc.h"
#include "mapwindow/compasswidget.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapwindowcontrols.h"
#include "mapwindow/measurepanel.h"
#include "mapwindow/scalebar.h"
#include "platform/ui/dialogscript.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace veltra::test;
using veltra::mapwindow::MapWindowControls;

namespace {

class Controls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc = std::make_unique<KindDoc>();
        doc->engine.CloseMap();
        window = std::make_unique<QWidget>();
        map = new zorvik::Zorvik(window.get());
        map->setDocumentPath(doc->zor);
        ASSERT_EQ(map->InitializeMap(0), zorvik::code::Ok);
        map->InitDisplay();
        map->setScale(30000);
        map->setCenterX(17 * 360000);
        map->setCenterY(12 * 360000);
        savedEngine = gobjZor;
        gobjZor = map;
        controls = new MapWindowControls(window.get(), map, nullptr);
        window->resize(660, 520); // 9900 x 7800 twips at 96 dpi
        controls->layOut();
    }
    void TearDown() override
    {
        window.reset();
        gobjZor = savedEngine;
        glngElmHandle = 0;
    }

    std::unique_ptr<KindDoc> doc;
    std::unique_ptr<QWidget> window;
    zorvik::Zorvik *map = nullptr;
    MapWindowControls *controls = nullptr;
    zorvik::Zorvik *savedEngine = nullptr;
};

} // namespace

TEST_F(Controls, LayoutPlacesTheMapInsideTheRing)
{
    // Twips 410, 410, 9080 x 6980 round to these pixels (15 twips each).
    EXPECT_EQ(map->geometry(), QRect(27, 27, 605, 465));
    EXPECT_EQ(controls->Command4[0]->geometry(), QRect(0, 0, 24, 24));
    EXPECT_EQ(controls->Command4[1]->geometry(), QRect(27, 0, 605, 24));
    EXPECT_EQ(controls->Command4[2]->geometry(), QRect(634, 0, 24, 24)); // 9510 twips
    EXPECT_EQ(controls->Command4[3]->geometry(), QRect(0, 27, 24, 465));
    EXPECT_EQ(controls->Command4[5]->geometry(), QRect(0, 494, 24, 24)); // 7410 twips
    EXPECT_EQ(controls->Command4[7]->geometry(), QRect(634, 494, 24, 24));
    // The scale bar in the lower right, the compass in the lower left corner.
    const QRect bar = controls->Picture3->geometry();
    EXPECT_NEAR(bar.right() + 1, map->geometry().right() + 1 - 3, 1);
    EXPECT_NEAR(bar.bottom() + 1, map->geometry().bottom() + 1 - 3, 1);
    EXPECT_NEAR(controls->Picture5->x(), map->x() + 3, 1);
    EXPECT_EQ(controls->Picture3->text(), QStringLiteral("1200m"));

    // Dragged away, the scale bar comes back with the next layout.
    const QPoint home = controls->Picture3->pos();
    QTest::mousePress(controls->Picture3, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(controls->Picture3, QPoint(5 - 100, 5 - 50));
    QTest::mouseRelease(controls->Picture3, Qt::LeftButton, Qt::NoModifier, QPoint(5 - 100, 5 - 50));
    EXPECT_EQ(controls->Picture3->pos(), home - QPoint(100, 50));
    controls->layOut();
    EXPECT_EQ(controls->Picture3->pos(), home);
}

TEST_F(Controls, PanButtonsStepAThirdOfTheScaleTurnedWithTheMap)
{
    const std::int32_t cx = map->CenterX(), cy = map->CenterY();
    QTest::mouseClick(controls->Command4[1], Qt::LeftButton);
    EXPECT_EQ(map->CenterX(), cx);
    EXPECT_EQ(map->CenterY(), cy + 10000);

    map->setAngle(450);
    QTest::mouseClick(controls->Command4[1], Qt::LeftButton);
    EXPECT_EQ(map->CenterX(), cx + 10000);
    EXPECT_EQ(map->CenterY(), cy + 10000);

    map->setAngle(0);
    QTest::mouseClick(controls->Command4[5], Qt::LeftButton);
    EXPECT_EQ(map->CenterX(), cx);
    EXPECT_EQ(map->CenterY(), cy);
    // The compass follows the map's angle at the next layout.
    map->setAngle(90);
    controls->layOut();
    EXPECT_EQ(controls->Picture5->angle(), 90);
}

TEST_F(Controls, MeasuringPanelShowsPromptsAndDistances)
{
    veltra::mapwindow::MeasurePanel &panel = *controls->Picture1;
    EXPECT_FALSE(panel.isVisibleTo(window.get()));
    panel.Label1->setText(QStringLiteral("前の表示"));
    panel.openCalcWindow(0);
    EXPECT_TRUE(panel.isVisibleTo(window.get()));
    EXPECT_EQ(panel.Label1->text(), QStringLiteral("前の表示")); // other modes keep the labels
    EXPECT_EQ(panel.pos(), map->pos() + QPoint(3, 3)); // 50 twips inside the map
    panel.openCalcWindow(1);
    EXPECT_EQ(panel.Label1->text(), QStringLiteral("区間を指定してください。"));
    EXPECT_EQ(panel.Label2->text(), QStringLiteral("確定するにはダブルクリックしてください。"));
    EXPECT_EQ(panel.Label4->text(), QStringLiteral("※距離、面積は目安です。"));
    panel.ViewCalcDistance(1234.5);
    EXPECT_EQ(panel.Label1->text(), QStringLiteral("距離: 1234.50[m]です。"));
    EXPECT_EQ(panel.Label2->text(), QString());

    // No measured line: closing only hides.
    veltra::ui::DialogScript script;
    panel.closeCalcWindow();
    EXPECT_FALSE(panel.isVisibleTo(window.get()));
    EXPECT_TRUE(script.requests().empty());

    // The measured line is taken off the map; the set stays the tool's.
    zorvik::Handle set = 0;
    ASSERT_EQ(map->CreateElementList(set), zorvik::code::Ok);
    ASSERT_EQ(
        map->AddElementToList(set,
            vectorRecord(RoadKind, {17 * 360000, 12 * 360000, 17 * 360000 + 900, 12 * 360000}, QString())),
        zorvik::code::Ok);
    ASSERT_EQ(map->DrawElements(set, 2, 1, 0, 0), zorvik::code::Ok);
    ASSERT_EQ(map->drawings().sets().size(), 1u);
    glngElmHandle = set;
    panel.openCalcWindow(1);
    panel.closeCalcWindow();
    EXPECT_TRUE(map->drawings().sets().empty());
    EXPECT_EQ(glngElmHandle, set);
    zorvik::Handle elem = 0;
    EXPECT_EQ(map->GetNextElementHandle(set, elem), zorvik::code::Ok);
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(Controls, ClosingThePanelEndsTheDistanceTool)
{
    std::vector<std::int16_t> states;
    veltra::shell::modeRegistry().setHandler(
        ModeDistance, [&](std::int16_t &state, zorvik::Zorvik *) { states.push_back(state); });
    veltra::shell::changeMode(ModeDistance, 0, veltra::shell::noParameterText());
    states.clear();
    gintStoryStepEnd = 0;

    controls->Picture1->openCalcWindow(1);
    controls->Picture1->Command2->click();
    EXPECT_EQ(states, (std::vector<std::int16_t>{StateLeave, StateEnter})); // clear: the tool starts again
    EXPECT_EQ(gintModeNo, ModeDistance);
    EXPECT_TRUE(controls->Picture1->isVisibleTo(window.get()));

    states.clear();
    controls->Picture1->Command3->click();
    EXPECT_EQ(states, (std::vector<std::int16_t>{StateLeave, StateEnter, StateLeave}));
    EXPECT_EQ(gintModeNo, 0);
    EXPECT_EQ(gintStoryStepEnd, -1);
    EXPECT_FALSE(controls->Picture1->isVisibleTo(window.get()));
    veltra::shell::modeRegistry().removeHandler(ModeDistance);
    gintStoryStepEnd = 0;
}
