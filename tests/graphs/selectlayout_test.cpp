// The selector layouts: the pure twip function over the map kinds and widths,
// and the control laid out by it (symbols listed once, the same code again
// empties the lists, the pyramid's maximum and the ranking order).
#include "fakestatisticstree.h"
#include "graphs/ctlselect.h"
#include "graphs/selectlayout.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

using veltra::graphs::selectLayout;
using veltra::graphs::Shown;
using veltra::graphs::TwipRect;

TEST(SelectLayout, TopsAndSizesOfTheMapKinds)
{
    struct Row
    {
        const char *name;
        int code;
        int width;
        std::function<void(const veltra::graphs::SelectLayout &)> check;
    };
    const Row rows[] = {
        {"scatter frames", 3, 5825,
            [](const auto &l) {
                EXPECT_EQ(l.lists[0].frame.top, 0);
                EXPECT_EQ(l.lists[1].frame.top, 600);
                EXPECT_EQ(l.FrameCalc2.rect.top, 1364);
                EXPECT_EQ(l.lists[2].frame.top, 2129);
                EXPECT_EQ(l.lists[3].frame.top, 2893);
                EXPECT_EQ(l.FrameCalc3.rect.top, 3657);
                EXPECT_LE(l.FrameCalc3.rect.bottom(), l.controlHeight);
                EXPECT_EQ(l.FrameCalc2.shown, Shown::No) << "reserved, shown with a denominator";
                EXPECT_EQ(l.lists[3].caption, QStringLiteral("Y軸 割合・率の計算項目(分母)"));
                for (const auto &s : l.lists)
                    EXPECT_TRUE(s.templateButton);
            }},
        {"scatter frames in a narrow control", 3, 2000,
            [](const auto &l) {
                EXPECT_EQ(l.FrameCalc2.rect.top, 1364);
                EXPECT_EQ(l.FrameCalc3.rect.top, 3657);
            }},
        {"pie breakdown", 2, 5825,
            [](const auto &l) {
                EXPECT_EQ(l.lists[0].frame.height, 2360);
                EXPECT_EQ(l.lists[0].list.height, 2075);
                EXPECT_EQ(l.lists[0].caption, QStringLiteral("内訳を見る項目"));
                EXPECT_FALSE(l.lists[0].templateButton);
                EXPECT_EQ(l.FrameExpressionKind.rect.top, 2420);
                EXPECT_EQ(l.FrameExpressionKind.shown, Shown::Yes);
                EXPECT_EQ(l.chkColorOrg.rect.top, 3185);
                EXPECT_EQ(l.chkColorOrg.rect.left, 0);
                EXPECT_EQ(l.chkColorOrg.shown, Shown::Yes);
                EXPECT_TRUE(l.untickColorOrg);
            }},
        {"pyramid", 6, 5825,
            [](const auto &l) {
                EXPECT_EQ(l.FrameExpressionKind.rect.top, 625);
                EXPECT_EQ(l.FrameHaba.rect.top, 1240);
                EXPECT_EQ(l.chkColorOrg.rect.top, 2005);
                EXPECT_TRUE(l.habaFollowsExpression);
                EXPECT_FALSE(l.lists[0].templateButton);
            }},
        {"symbols", 5, 5825,
            [](const auto &l) {
                EXPECT_EQ(l.lstSymbol.rect.top, 625);
                EXPECT_EQ(l.lstSymbol.rect.width, 5775);
                EXPECT_EQ(l.cmdLoad.rect.top, 2230);
                EXPECT_EQ(l.cmdLoad.rect.left + l.cmdLoad.rect.width, 5775);
                EXPECT_TRUE(l.refillSymbols);
                EXPECT_EQ(l.chkColorOrg.shown, Shown::No);
            }},
        {"width 4215 with a template button", 1, 4215,
            [](const auto &l) {
                EXPECT_EQ(l.lists[0].frame.width, 4165);
                EXPECT_EQ(l.lists[0].list.width, 2665);
                EXPECT_EQ(l.lists[0].button.left, 3675);
                EXPECT_EQ(l.lists[1].list.width, 2665);
                EXPECT_EQ(l.FrameCalc.rect, (TwipRect{0, 1200, 2535, 855}));
            }},
        {"width 4215 without a template button", 7, 4215,
            [](const auto &l) {
                EXPECT_EQ(l.lists[0].frame.width, 4165);
                EXPECT_EQ(l.lists[0].list.width, 3065);
                EXPECT_EQ(l.FrameFlow.rect.top, 625);
                EXPECT_EQ(l.FrameFlow.shown, Shown::Yes);
            }},
        {"ranking", 8, 5825,
            [](const auto &l) {
                EXPECT_TRUE(l.chooseDescending);
                EXPECT_EQ(l.FrameRank.rect.top, 625);
            }},
        {"narrower than 1550: lists clamped at 0", 4, 1000,
            [](const auto &l) {
                EXPECT_EQ(l.lists[0].frame.width, 950);
                EXPECT_EQ(l.lists[0].list.width, 0);
            }},
        {"narrower than the margin", 4, 20,
            [](const auto &l) {
                EXPECT_EQ(l.lists[0].frame.width, 0);
                EXPECT_EQ(l.lists[0].list.width, 0);
            }},
        {"unknown code", 9, 5825,
            [](const auto &l) {
                EXPECT_FALSE(l.known);
                EXPECT_EQ(l.controlHeight, 0);
                EXPECT_FALSE(l.lists[0].setUp);
                EXPECT_EQ(l.lists[1].shown, Shown::No);
                EXPECT_EQ(l.FrameExpressionKind.shown, Shown::Keep);
                EXPECT_EQ(l.chkColorOrg.shown, Shown::Keep);
            }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto l = selectLayout(row.code, row.width);
        if (l.known) {
            EXPECT_EQ(l.controlHeight, 4400);
            EXPECT_EQ(l.FrameCalc.shown, Shown::No);
            EXPECT_EQ(l.FrameRank.shown, row.code == 8 ? Shown::Yes : Shown::No);
        }
        row.check(l);
    }
}

TEST(SelectLayout, ListsShownPerMapKind)
{
    // code -> lists shown, option frame shown under list 0.
    const int shownLists[9] = {0, 2, 1, 4, 1, 1, 1, 1, 1};
    for (int code = 1; code <= 8; ++code) {
        SCOPED_TRACE(code);
        const auto l = selectLayout(code, 5825);
        int shown = 0;
        for (const auto &s : l.lists)
            shown += s.shown == Shown::Yes ? 1 : 0;
        EXPECT_EQ(shown, shownLists[code]);
        EXPECT_EQ(l.lists[0].caption.isEmpty(), false);
        EXPECT_EQ(l.FrameHaba.shown, code == 6 ? Shown::Yes : Shown::Keep);
        EXPECT_EQ(l.FrameFlow.shown, code == 7 ? Shown::Yes : Shown::Keep);
    }
}

namespace {

class LaidOutSelect : public ::testing::Test
{
protected:
    void SetUp() override
    {
        select.setTreeCtl(&tree);
        select.resize(281, 300); // 4215 twips
        // Shown, so that a resize reaches the control at once, as on screen.
        select.show();
    }
    QRect px(const TwipRect &r) const { return QRect(r.left / 15, r.top / 15, r.width / 15, r.height / 15); }

    FakeStatisticsTree tree;
    ctlSelect select;
};

} // namespace

TEST_F(LaidOutSelect, WidgetsTakeTheTwipGeometry)
{
    ASSERT_EQ(select.logicalDpiX(), 96);
    select.setSelectItem(1);
    EXPECT_EQ(select.height(), 293) << "4400 twips";
    EXPECT_EQ(select.FrameSelect[0]->width(), 278); // 4165 twips, to the nearest pixel
    EXPECT_EQ(select.lstSelect[0]->width(), 178); // 2665
    EXPECT_EQ(select.cmdCalSel[0]->x(), 245); // 3675
    EXPECT_TRUE(select.cmdCalSel[1]->isVisibleTo(&select));
    EXPECT_FALSE(select.FrameSelect[2]->isVisibleTo(&select));
    EXPECT_EQ(select.FrameSelect[1]->title(), QStringLiteral("割合・率の計算項目(分母)"));
    for (QTreeWidget *list : select.lstSelect)
        EXPECT_EQ(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    select.setSelectItem(7);
    EXPECT_EQ(select.lstSelect[0]->width(), 204); // 3065
    EXPECT_FALSE(select.cmdCalSel[0]->isVisibleTo(&select));
    EXPECT_FALSE(select.FrameSelect[1]->isVisibleTo(&select));
    EXPECT_TRUE(select.FrameFlow->isVisibleTo(&select));
    EXPECT_FALSE(select.chkColorOrg->isVisibleTo(&select));
}

TEST_F(LaidOutSelect, WritingTheSameCodeEmptiesTheLists)
{
    select.setSelectItem(1);
    select.setStatItem(tree.selectLeaf(QStringLiteral("R2国勢調査\\都道府県\\人口\\総人口"), QStringLiteral("総人口")));
    select.cmdSelect_Click(1);
    select.setStatItem(tree.selectLeaf(QStringLiteral("R2国勢調査\\都道府県\\世帯\\世帯数"), QStringLiteral("世帯数")));
    select.cmdSelect_Click(3);
    ASSERT_EQ(select.ListCount(0) + select.ListCount(1), 2);
    ASSERT_TRUE(select.FrameCalc->isVisibleTo(&select));
    // A resize keeps the lists and the frame their denominator calls for.
    select.resize(385, 300);
    EXPECT_EQ(select.ListCount(1), 1);
    EXPECT_TRUE(select.FrameCalc->isVisibleTo(&select));

    select.setSelectItem(1);
    EXPECT_EQ(select.ListCount(0), 0);
    EXPECT_EQ(select.ListCount(1), 0);
    EXPECT_FALSE(select.FrameCalc->isVisibleTo(&select));
    select.setStatItem(tree.selectLeaf(QStringLiteral("R2国勢調査\\都道府県\\人口\\男"), QStringLiteral("男")));
    select.cmdSelect_Click(1);
    select.setAnaRange(2);
    EXPECT_EQ(select.ListCount(0), 0) << "writing AnaRange clears as well";
}

TEST_F(LaidOutSelect, PyramidMaximumFollowsTheExpressionKind)
{
    select.setSelectItem(6);
    EXPECT_TRUE(select.FrameHaba->isVisibleTo(&select));
    EXPECT_TRUE(select.chkColorOrg->isVisibleTo(&select));
    EXPECT_FALSE(select.cmbHaba->isEnabled()) << "絶対値 is chosen";
    select.optExpressionKind[1]->click();
    EXPECT_TRUE(select.cmbHaba->isEnabled());
    select.optExpressionKind[0]->click();
    EXPECT_FALSE(select.cmbHaba->isEnabled());
    select.cmbHaba->setCurrentText(QStringLiteral("7"));
    EXPECT_EQ(select.HabaMax(), 7);
    EXPECT_EQ(select.FrameHaba->y(), select.FrameExpressionKind->y() + select.FrameExpressionKind->height());
}

TEST_F(LaidOutSelect, RankingChoosesDescendingEveryTime)
{
    select.setSelectItem(8);
    EXPECT_EQ(select.RankKind(), 1);
    select.optRank[0]->setChecked(true);
    EXPECT_EQ(select.RankKind(), 0);
    select.UserControl_Resize();
    EXPECT_EQ(select.RankKind(), 1);
    select.optRank[0]->setChecked(true);
    select.setSelectItem(8);
    EXPECT_EQ(select.RankKind(), 1);
}

TEST_F(LaidOutSelect, SymbolLayoutListsEachBitmapOnce)
{
    veltra::test::TempDir dir;
    QImage a(24, 24, QImage::Format_RGB32);
    a.fill(Qt::red);
    ASSERT_TRUE(a.save(dir.file("a.bmp")));
    ASSERT_TRUE(a.scaled(120, 120).save(dir.file("too_big.bmp")));
    ASSERT_TRUE(a.save(dir.file("b.bmp")));
    ASSERT_TRUE(a.save(dir.file("not_a_bitmap.png")));
    select.setSymbolPath(dir.path());
    select.setSelectItem(5);
    EXPECT_EQ(select.lstSymbol->count(), 2);
    EXPECT_TRUE(select.lstSymbol->isVisibleTo(&select));
    EXPECT_TRUE(select.cmdLoad->isVisibleTo(&select));
    EXPECT_EQ(select.lstSymbol->y(), 42); // 625 twips
    EXPECT_EQ(select.cmdLoad->y(), 149); // 2230 twips
    select.UserControl_Resize();
    EXPECT_EQ(select.lstSymbol->count(), 2) << "a second layout lists each bitmap once";
    EXPECT_EQ(select.iList().size(), 2u);

    veltra::test::TempDir empty;
    select.setSymbolPath(empty.path());
    select.setSelectItem(5);
    EXPECT_EQ(select.lstSymbol->count(), 0);
    EXPECT_TRUE(select.iList().empty());

    select.setSelectItem(1);
    EXPECT_FALSE(select.lstSymbol->isVisibleTo(&select));
    EXPECT_FALSE(select.cmdLoad->isVisibleTo(&select));
}

TEST_F(LaidOutSelect, NarrowControlKeepsListWidthsAtZero)
{
    select.setSelectItem(1);
    select.resize(60, 300); // 900 twips
    EXPECT_EQ(select.lstSelect[0]->width(), 0);
    EXPECT_EQ(select.FrameSelect[0]->width(), 57);
}
