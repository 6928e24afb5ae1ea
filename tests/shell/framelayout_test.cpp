#include "shell/framelayout.h"

#include <gtest/gtest.h>

using namespace veltra::shell;

namespace {

FrameLayoutInput input(bool pro, bool story, int sw, int sh, int oh, int lw)
{
    FrameLayoutInput in;
    in.pro = pro;
    in.story = story;
    in.innerWidth = sw;
    in.innerHeight = sh;
    in.opeRoomHeight = oh;
    in.leftPaneWidth = lw;
    return in;
}

} // namespace

TEST(FrameLayout, EachArrangementPlacesItsPanes)
{
    struct Case
    {
        const char *name;
        FrameLayoutInput in;
        std::optional<QRect> left, opeRoom, map;
        int toolHeight;
    };
    const Case cases[] = {
        {"pro, list bar", input(true, false, 15000, 9000, 2000, 2400), QRect(0, 0, 2400, 9000), std::nullopt,
            QRect(2400, 0, 12600, 9000), 9000},
        {"pro, story player", input(true, true, 15000, 9000, 2000, 3000), QRect(0, 0, 3000, 9000),
            std::nullopt, QRect(3000, 0, 12000, 9000), 9000},
        {"beginner, list bar", input(false, false, 15000, 9000, 2000, 2400), QRect(0, 0, 2400, 7000),
            QRect(0, 7000, 15000, 2000), QRect(2400, 0, 12600, 7000), 7000},
        // The map window keeps its place beside the story player.
        {"beginner, story player", input(false, true, 15000, 9000, 2000, 3000), QRect(0, 0, 3000, 7000),
            QRect(0, 7000, 15000, 2000), std::nullopt, 7000},
        // A frame lower than the operation room: the panes keep their places.
        {"beginner, tiny frame", input(false, false, 15000, 1500, 2000, 2400), std::nullopt,
            QRect(0, -500, 15000, 2000), std::nullopt, -500},
        {"pro, narrow frame", input(true, false, 2000, 9000, 2000, 2400), QRect(0, 0, 2400, 9000),
            std::nullopt, std::nullopt, 9000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const FrameLayoutPlan plan = planFrameLayout(c.in);
        EXPECT_EQ(plan.leftPane, c.left);
        EXPECT_EQ(plan.opeRoom, c.opeRoom);
        EXPECT_EQ(plan.mapWindow, c.map);
        EXPECT_EQ(plan.toolWindowHeight, c.toolHeight);
    }
}

TEST(FrameLayout, ArrangedMapStandsBesideTheLeftPane)
{
    EXPECT_EQ(arrangedMapRect(input(true, false, 15000, 9000, 2000, 2400)), QRect(2400, 0, 12600, 9000));
    EXPECT_EQ(arrangedMapRect(input(false, false, 15000, 9000, 2000, 2400)), QRect(2400, 0, 12600, 7000));
    // In story mode the left edge is the story player's width.
    EXPECT_EQ(arrangedMapRect(input(false, true, 15000, 9000, 2000, 3000)), QRect(3000, 0, 12000, 7000));
}

TEST(FrameLayout, ToolPaneStandsAtTheListBarsWidth)
{
    EXPECT_EQ(toolPaneRect(2400, 3500, 8000), QRect(2400, 0, 3500, 8000));
}
