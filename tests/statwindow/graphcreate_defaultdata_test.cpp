// Graph creation on the generated default data folder: the choropleth of the
// R2 total population over Tokyo's municipalities, a pie of men and women
// over three prefectures and bars of five and of twelve items. With
// VELTRA_SHOT_DIR set, each preview and the tallied list are saved as
// pictures there (and shown for VELTRA_SHOW_SECONDS).
#include "defaultdatagraphs.h"
#include "defaultdatashowcase.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "statwindow/frmtotallist.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace veltra::statwindow;
using veltra::test::GraphCreateBed;
using veltra::test::showcase;

namespace {

const QString kData = veltra::test::defaultDataFolder();
const QString kR2 = veltra::test::defaultR2Folder();

using DefaultDataGraphs = veltra::test::DefaultDataGraphTest;

TEST_F(DefaultDataGraphs, TokyoTotalPopulationChoroplethHasSevenClassesAndEightHandles)
{
    GraphCreateBed bed(kData);
    ASSERT_NO_FATAL_FAILURE(veltra::test::chooseTokyoTotalPopulation(bed, MapKindNuri));
    frmStatisticsMap *w = bed.window();
    EXPECT_TRUE(bed.create().isEmpty());
    EXPECT_EQ(w->m_Graph->Segments(), 61);
    EXPECT_EQ(w->cmbFuriwake()->currentText(), QStringLiteral("7"));
    EXPECT_EQ(w->m_Graph->GetGradeNum(), 7);
    EXPECT_EQ(bed.handleCount(), 8);
    // Every municipality is counted in one class.
    double counted = 0;
    for (int c = 0; c < 7; ++c)
        counted += w->m_Graph->classList()[static_cast<std::size_t>(c)].Kensuu;
    EXPECT_EQ(counted, 62);
    EXPECT_TRUE(bed.script.requests().empty());
    showcase(w, "i42-choropleth");

    // The table of the same records.
    glngGraphKind = GraphKindNuri;
    w->totalList()->ListDisp({QStringLiteral("総人口"), QString()}, 0, {});
    const QTableWidget *grid = w->totalList()->MSFlexGridList;
    EXPECT_EQ(grid->rowCount(), 63);
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("総人口"));
    showcase(w->totalList(), "i42-totallist");
}

TEST_F(DefaultDataGraphs, PieOfMenAndWomenOverThreePrefectures)
{
    GraphCreateBed bed(kData);
    bed.choose(MapKindPie, AnaRangePref);
    for (int pref : {13, 14, 11})
        bed.addArea(pref);
    const QString folder = kR2 + QStringLiteral("都道府県/人口");
    bed.addItem(0, QStringLiteral("男"), folder, 2);
    bed.addItem(0, QStringLiteral("女"), folder, 3);
    frmStatisticsMap *w = bed.window();
    EXPECT_TRUE(bed.create().isEmpty());
    ASSERT_EQ(w->m_Graph->Segments(), 1);
    const auto &s = w->m_Graph->segmentList();
    double men = 0;
    double women = 0;
    for (std::size_t r = 1; r < gtypStatArea.size(); ++r) {
        men += statNumber(gtypStatArea[r].Value[1]);
        women += statNumber(gtypStatArea[r].Value[2]);
    }
    EXPECT_GT(men, 10'000'000);
    EXPECT_DOUBLE_EQ(s[0].Value, men);
    EXPECT_DOUBLE_EQ(s[1].Value, women);
    EXPECT_EQ(s[1].Color, w->graphColor(2));
    showcase(w, "i42-pie");
}

TEST_F(DefaultDataGraphs, BarsOfFiveItemsFitAndTwelveScroll)
{
    const QString people = kR2 + QStringLiteral("都道府県/人口");
    const QString homes = kR2 + QStringLiteral("都道府県/世帯");
    struct Item
    {
        const char *name;
        QString folder;
        int field;
    };
    const std::vector<Item> five{{"総人口", people, 1}, {"男", people, 2}, {"女", people, 3},
        {"世帯数", homes, 1}, {"一般世帯数", homes, 2}};
    {
        GraphCreateBed bed(kData);
        bed.choose(MapKindBar, AnaRangePref);
        bed.addArea(13);
        bed.addArea(27);
        for (const Item &i : five)
            bed.addItem(0, QString::fromUtf8(i.name), i.folder, i.field);
        frmStatisticsMap *w = bed.window();
        EXPECT_TRUE(bed.create().isEmpty());
        EXPECT_EQ(w->m_Graph->Segments(), 4);
        EXPECT_EQ(glngGraphKind, GraphKindBar);
        EXPECT_FALSE(w->picGraph()->isHidden());
        // Five bars fit the frame: the graph keeps its scroll bar hidden.
        EXPECT_TRUE(w->HScroll1()->isHidden());
        showcase(w, "i42-bar5");
    }
    {
        // Twelve items (the five and their copies under other names) scroll.
        GraphCreateBed bed(kData);
        bed.choose(MapKindBar, AnaRangePref);
        bed.addArea(13);
        bed.addArea(27);
        for (int k = 0; k < 12; ++k) {
            const Item &i = five[static_cast<std::size_t>(k % 5)];
            bed.addItem(0, QString::fromUtf8(i.name) + (k < 5 ? QString() : QString::number(k)), i.folder, i.field);
        }
        frmStatisticsMap *w = bed.window();
        EXPECT_TRUE(bed.create().isEmpty());
        EXPECT_EQ(w->m_Graph->Segments(), 11);
        EXPECT_FALSE(w->HScroll1()->isHidden());
        showcase(w, "i42-bar12");
    }
}

} // namespace
