// The tallied list and the list of areas without data as windows: what
// ListDisp puts into the grid and how Disp collects names.
#include "graphs/globals.h"
#include "platform/ui/twips.h"
#include "runstateguard.h"
#include "statwindow/frmnotdatarea.h"
#include "statwindow/frmtotallist.h"
#include "statwindow/globals.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

using veltra::test::RunStateGuard;

TEST(NotDatArea, EachNameOnceInTheOrderGiven)
{
    frmNotDatArea list;
    EXPECT_EQ(list.windowTitle(), QStringLiteral("統計データが無い地域リスト"));
    EXPECT_EQ(list.lstNotDatArea->headerItem()->text(0), QStringLiteral("地域"));
    EXPECT_EQ(list.lstNotDatArea->columnWidth(0), veltra::ui::twipsToPixelsX(4000));
    for (const char *name : {"中央区", "港区", "中央区", "中央区 ", "港区"})
        list.Disp(QString::fromUtf8(name));
    QStringList names;
    for (int i = 0; i < list.lstNotDatArea->topLevelItemCount(); ++i)
        names << list.lstNotDatArea->topLevelItem(i)->text(0);
    EXPECT_EQ(names, (QStringList{"中央区", "港区", "中央区 "}));
}

TEST(TotalList, ListDispFillsTheGridFromTheRecordsOfTheGraphKind)
{
    RunStateGuard guard;
    StatArea a;
    a.AreaName = QStringLiteral("千代田区");
    a.Value = {StatValue{}, 66680.0};
    a.DataFlag = {0, 0};
    StatArea b = a;
    b.AreaName = QStringLiteral("中央区");
    b.DataFlag = {0, 2};
    gtypStatArea = {StatArea{}, a, b};

    frmTotalList list;
    EXPECT_EQ(list.windowTitle(), QStringLiteral("集計データ一覧"));
    EXPECT_EQ(list.cmdEnd->text(), QStringLiteral("閉じる"));
    QTableWidget *grid = list.MSFlexGridList;

    glngGraphKind = 0;
    list.ListDisp({QStringLiteral("総人口"), QString()}, 0, {});
    EXPECT_TRUE(grid->isHidden());
    ASSERT_EQ(grid->rowCount(), 1);
    ASSERT_EQ(grid->columnCount(), 1);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("名称"));

    glngGraphKind = GraphKindNuri;
    list.ListDisp({QStringLiteral("総人口"), QString()}, 0, {});
    EXPECT_FALSE(grid->isHidden());
    ASSERT_EQ(grid->rowCount(), 3);
    ASSERT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("総人口"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("66680"));
    EXPECT_EQ(grid->item(2, 0)->text(), QStringLiteral("中央区"));
    EXPECT_EQ(grid->item(2, 1)->text(), QStringLiteral("-"));
    for (int c = 0; c < 2; ++c)
        EXPECT_EQ(grid->columnWidth(c), veltra::ui::twipsToPixelsX(1400));
    // The cells are shown, never edited.
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    // The grid fills the window above 閉じる, which sits at the bottom right.
    list.resize(600, 400);
    EXPECT_EQ(grid->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(grid->width(), 600);
    EXPECT_EQ(list.cmdEnd->geometry().bottomRight(), QPoint(599, 399));
    EXPECT_LT(grid->geometry().bottom(), list.cmdEnd->y());
}

} // namespace
