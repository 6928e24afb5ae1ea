// Table output: the column names handed to the tallied list by graph kind,
// and the refusal when no item is chosen.
#include "graphcreatebed.h"
#include "graphs/clsstatisticsitem.h"
#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "statwindow/frmtotallist.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"
#include "statwindow/listoutcolumns.h"
#include "statwindowfixture.h"

#include <QTableWidget>
#include <QTreeWidget>

using namespace veltra;
using namespace veltra::statwindow;
using test::GraphCreateBed;

namespace {

class ListOutTest : public test::StatWindowFixture
{
};

TEST_F(ListOutTest, ColumnNamesByGraphKind)
{
    const QString f = folder(QStringLiteral("etc/p"));
    struct Case
    {
        const char *name;
        int mapKind;
        std::int32_t graphKind;
        std::vector<std::pair<int, QString>> items; // list, name
        std::vector<QString> columns;
    };
    const Case cases[] = {
        {"choropleth", MapKindNuri, GraphKindNuri, {{0, "人口"}}, {"人口", ""}},
        {"choropleth with a denominator", MapKindNuri, GraphKindNuri, {{0, "人口"}, {1, "面積"}},
            {"人口", "面積", ""}},
        {"pie of five", MapKindPie, GraphKindPie, {{0, "a"}, {0, "b"}, {0, "c"}, {0, "d"}, {0, "e"}},
            {"a", "b", "c", "d", "e", ""}},
        {"scatter with four lists", MapKindSanpuzu, GraphKindSanpuzu, {{0, "X"}, {1, "Xd"}, {2, "Y"}, {3, "Yd"}},
            {"X", "Y", "Xd", "Yd", ""}},
        {"scatter without denominators", MapKindSanpuzu, GraphKindSanpuzu, {{0, "X"}, {2, "Y"}}, {"X", "Y", ""}},
        {"scatter with the Y denominator only", MapKindSanpuzu, GraphKindSanpuzu, {{0, "X"}, {2, "Y"}, {3, "Yd"}},
            {"X", "Y", "Yd", ""}},
        {"real values", MapKindValue, GraphKindValue, {{0, "人口"}}, {"人口", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GraphCreateBed bed(dir.path());
        bed.choose(c.mapKind, AnaRangePref);
        for (const auto &[list, name] : c.items)
            bed.addItem(list, name, f, 1);
        EXPECT_EQ(tableColumnNames(*bed.window()->m_ctlSelect, c.graphKind), c.columns);
    }
}

TEST_F(ListOutTest, APyramidPassesItsSeriesNames)
{
    GraphCreateBed bed(dir.path());
    bed.choose(6, AnaRangePref);
    frmStatisticsMap *w = bed.window();
    auto *leaf = new QTreeWidgetItem(w->treeStatistic, QStringList{QStringLiteral("年齢5歳階級別")});
    w->treeStatistic->setCurrentItem(leaf);
    w->m_ctlSelect->setStatItem(std::make_shared<const clsStatisticsItem>(std::vector<QVariant>{"f", "2", 2, 2,
        5, "list.txt", QStringLiteral("男"), QStringLiteral("女"), "R2", "RYAKU", ""}));
    w->m_ctlSelect->cmdSelect_Click(1);
    delete leaf;
    EXPECT_EQ(tableColumnNames(*w->m_ctlSelect, GraphKindPyramid), (std::vector<QString>{"男", "女", ""}));
}

TEST_F(ListOutTest, WithoutItemsOnlyTheMessageComes)
{
    for (const auto &[mapKind, graphKind] :
        {std::pair{MapKindNuri, GraphKindNuri}, std::pair{MapKindSanpuzu, GraphKindSanpuzu}}) {
        SCOPED_TRACE(graphKind);
        GraphCreateBed bed(dir.path());
        bed.choose(mapKind, AnaRangePref);
        // The list 1 entry alone does not count.
        bed.addItem(1, QStringLiteral("面積"), folder(QStringLiteral("etc/p")), 1);
        glngGraphKind = graphKind;
        frmStatisticsMap *w = bed.window();
        w->cmdListOut_Click();
        ASSERT_EQ(bed.script.requests().size(), 1u);
        EXPECT_EQ(bed.script.requests()[0].prompt, QStringLiteral("グラフ作成する統計項目を選択して下さい。"));
        EXPECT_TRUE(!w->totalList() || w->totalList()->isHidden());
    }
}

TEST_F(ListOutTest, TheListShowsTheRecordsOfTheLastGraph)
{
    const QString values = folder(QStringLiteral("etc/v"));
    write(values + QStringLiteral("\\a.txt"), {"CODE,v", "13,5", "14,7"});
    GraphCreateBed bed(dir.path());
    bed.choose(MapKindValue, AnaRangePref);
    bed.addArea(13);
    bed.addArea(14);
    bed.addItem(0, QStringLiteral("人口"), values, 1);
    EXPECT_TRUE(bed.create().isEmpty());
    frmStatisticsMap *w = bed.window();
    w->cmdListOut_Click();
    EXPECT_TRUE(bed.script.requests().empty());
    ASSERT_TRUE(w->totalList());
    EXPECT_FALSE(w->totalList()->isHidden());
    const QTableWidget *grid = w->totalList()->MSFlexGridList;
    ASSERT_EQ(grid->rowCount(), 3);
    ASSERT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("人口"));
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("東京都"));
    EXPECT_EQ(grid->item(2, 1)->text(), QStringLiteral("7"));
}

} // namespace
