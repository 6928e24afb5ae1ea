// The pyramid and the ranking on the generated default data folder: the
// five-year age classes of the prefectures of 関東 summed into one pyramid,
// and the prefectures ranked by population, each with its tallied list.
// With VELTRA_SHOT_DIR set, each preview and list is saved as a picture there
// (and shown for VELTRA_SHOW_SECONDS).
#include "defaultdatashowcase.h"
#include "graphcreatebed.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "runstateguard.h"
#include "statwindow/frmtotallist.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace veltra::statwindow;
using veltra::test::GraphCreateBed;
using veltra::test::showcase;

namespace {

const QString kData = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");

// The key of the first node of the window's item tree with this text.
QString nodeKey(frmStatisticsMap *w, const QString &text)
{
    for (QTreeWidgetItemIterator it(w->treeStatistic); *it; ++it)
        if ((*it)->text(0) == text)
            return frmStatisticsMap::treeNodeKey(*it);
    return QString();
}

QStringList column(const QTableWidget *grid, int c)
{
    QStringList out;
    for (int r = 1; r < grid->rowCount(); ++r)
        out << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
    return out;
}

class DefaultDataKinds : public ::testing::Test
{
protected:
    veltra::test::RunStateGuard guard;
};

TEST_F(DefaultDataKinds, PyramidOfTheKantoPrefectures)
{
    GraphCreateBed bed(kData);
    bed.choose(MapKindPyramid, AnaRangePref);
    for (int pref = 8; pref <= 14; ++pref)
        bed.addArea(pref);
    frmStatisticsMap *w = bed.window();
    w->CreateStatisticTree();
    const QString key = nodeKey(w, QStringLiteral("年齢5歳階級別"));
    ASSERT_FALSE(key.isEmpty()) << "build the target veltra_default_statistics";
    bed.addTreeItem(0, key);
    EXPECT_TRUE(bed.create().isEmpty());
    EXPECT_EQ(glngGraphKind, GraphKindPyramid);
    ASSERT_EQ(w->m_Graph->pyramidLeft().size(), 21u);
    EXPECT_EQ(w->m_Graph->segmentList()[0].Name, QStringLiteral("男"));
    EXPECT_EQ(w->m_Graph->segmentList()[1].Name, QStringLiteral("女"));
    ASSERT_EQ(w->ageClassNames().size(), 22u);
    EXPECT_EQ(w->ageClassNames()[1], QStringLiteral("0～4歳"));
    EXPECT_EQ(w->ageClassNames()[21], QStringLiteral("100歳以上"));
    // About 0.8 million boys under five lived in 関東 in 2020, and more
    // women than men were a hundred or older.
    EXPECT_GT(w->m_Graph->pyramidLeft()[0], 700'000);
    EXPECT_LT(w->m_Graph->pyramidLeft()[0], 900'000);
    EXPECT_GT(w->m_Graph->pyramidRight()[20], w->m_Graph->pyramidLeft()[20]);
    showcase(w, "i43-pyramid");

    w->cmdListOut_Click();
    EXPECT_TRUE(bed.script.requests().empty());
    const QTableWidget *grid = w->totalList()->MSFlexGridList;
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("男"));
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("女"));
    const QStringList names = column(grid, 0);
    const qsizetype tokyo = names.indexOf(QStringLiteral("東京都 100歳以上"));
    ASSERT_GE(tokyo, 0) << names.join(u'|').toStdString();
    EXPECT_EQ(names.value(tokyo + 20).trimmed(), QStringLiteral("0～4歳"));
    EXPECT_EQ(grid->rowCount(), 1 + 7 * 21);
    showcase(w->totalList(), "i43-pyramid-list");
}

TEST_F(DefaultDataKinds, DescendingRankingOfPrefecturePopulation)
{
    GraphCreateBed bed(kData);
    bed.choose(MapKindRanking, AnaRangePref);
    for (int pref = 1; pref <= 47; ++pref)
        bed.addArea(pref);
    bed.addItem(0, QStringLiteral("総人口"), kData + QStringLiteral("etc/R2国勢調査/都道府県/人口"), 1);
    frmStatisticsMap *w = bed.window();
    w->m_ctlSelect->optRank[1]->setChecked(true);
    EXPECT_TRUE(bed.create().isEmpty());
    EXPECT_EQ(glngGraphKind, GraphKindRanking);
    ASSERT_EQ(gtypStatArea.size(), 48u);
    for (std::size_t i = 2; i < gtypStatArea.size(); ++i)
        EXPECT_GE(statNumber(gtypStatArea[i - 1].Value[1]), statNumber(gtypStatArea[i].Value[1])) << i;
    EXPECT_EQ(gtypStatArea[1].AreaName, QStringLiteral("東京都"));
    EXPECT_EQ(gtypStatArea[47].AreaName, QStringLiteral("鳥取県"));
    showcase(w, "i43-ranking");

    w->cmdListOut_Click();
    const QTableWidget *grid = w->totalList()->MSFlexGridList;
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("総人口"));
    EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("東京都"));
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("14047594"));
    showcase(w->totalList(), "i43-ranking-list");
}

} // namespace
