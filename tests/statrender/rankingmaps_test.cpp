// Ranking and real-value maps on the generated default data: analysis pairs
// written by the analysis file class from the 2020 prefecture totals the
// default statistics were made from, drawn through the one drawing road on
// a copy of the default map document, with the main frame present to keep
// the legend's picture.
#include "defaultmapbed.h"
#include "graphs/globals.h"
#include "mapwindow/globals.h"
#include "mapwindow/mdlelement.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "prefectureanalyses.h"
#include "runstateguard.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/clearstatmap.h"
#include "statrender/drawfromfiles.h"
#include "statrender/exceloutmode.h"
#include "statrender/frmpsyhanreione.h"
#include "statrender/frmpsyrank.h"
#include "statrender/rankingmap.h"
#include "statrender/valuemap.h"
#include "testsupport.h"
#include "zorvik/widget/zorvik.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

using namespace veltra;
using veltra::test::u;

namespace {

// A number element on the map: its kind and text.
struct Number
{
    std::int16_t kind = 0;
    QString text;
    bool operator==(const Number &) const = default;
};

void PrintTo(const Number &n, std::ostream *os)
{
    *os << n.kind << " \"" << n.text.toStdString() << '"';
}

class RankingMapsOnDefaultData : public test::DefaultMapBed
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(copyDefaultData());
        ASSERT_NO_FATAL_FAILURE(openStatisticsDatabase());
        prefs = test::readPrefectures();
        ASSERT_EQ(prefs.size(), 47u);
        ASSERT_NO_FATAL_FAILURE(openMap());
    }
    void TearDown() override { closeMap(); }

    // The numbers of the statistics map by their points.
    std::multimap<std::pair<std::int32_t, std::int32_t>, Number> numbers() const
    {
        const std::vector<std::int16_t> kinds = {181, 182, 183, 184, 185, 186};
        zorvik::Handle set = 0;
        std::int32_t v = 0, c = 0;
        EXPECT_EQ(map->SearchElementsByKind(0, {}, 6, kinds, set, v, c), 0);
        std::multimap<std::pair<std::int32_t, std::int32_t>, Number> out;
        std::int32_t elem = 0;
        ElementInfo info;
        while (mdlElement::ComZorGetElementInfo(set, elem, info, 1))
            out.emplace(std::pair{info.lX.at(0), info.lY.at(0)}, Number{info.iPra[2], info.Key});
        map->ReleaseElements(set);
        return out;
    }

    frmPSYRank *rankPopup() const
    {
        return qobject_cast<frmPSYRank *>(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYRank")));
    }
    frmPSYHanreiOne *legend() const
    {
        return qobject_cast<frmPSYHanreiOne *>(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYHanreiOne")));
    }

    ui::DialogScript script;
    std::vector<test::Prefecture> prefs;
    QString dataPath;
};

TEST_F(RankingMapsOnDefaultData, TheRealValueMapWritesEveryPublishedTotal)
{
    dataPath = test::writeAnalysis(GraphKindValue, prefs, test::totals(prefs));
    ComPSY::PSY_DrawFromFiles(map);

    const auto found = numbers();
    ASSERT_EQ(found.size(), 47u);
    for (const test::Prefecture &p : prefs) {
        SCOPED_TRACE(p.name.toStdString());
        ASSERT_EQ(found.count({p.x, p.y}), 1u);
        EXPECT_EQ(found.find({p.x, p.y})->second, (Number{186, p.total}));
    }
    EXPECT_EQ(found.find({prefs[12].x, prefs[12].y})->second.text, QStringLiteral("14047594")); // 東京都
    ASSERT_TRUE(legend());
    EXPECT_TRUE(legend()->isVisible());
    EXPECT_EQ(legend()->lblInfo1->text(), u("総人口"));
    EXPECT_EQ(legend()->lblInfo2->text(), u("数字:実数値"));
    EXPECT_FALSE(rankPopup()) << "the ranking pop-up belongs to ranking and flow maps";
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(RankingMapsOnDefaultData, ARankingInDescendingOrderNumbersTheAreasAndFillsThePopUp)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's text"));
    const std::vector<test::Prefecture> sorted = test::descending(prefs);
    dataPath = test::writeAnalysis(GraphKindRanking, sorted, test::totals(sorted));
    ComPSY::PSY_DrawFromFiles(map);

    const auto found = numbers();
    ASSERT_EQ(found.size(), 47u);
    for (std::size_t r = 0; r < sorted.size(); ++r) {
        SCOPED_TRACE(sorted[r].name.toStdString());
        const auto kind = static_cast<std::int16_t>(r < 5 ? 181 + r : 186);
        ASSERT_EQ(found.count({sorted[r].x, sorted[r].y}), 1u);
        EXPECT_EQ(found.find({sorted[r].x, sorted[r].y})->second, (Number{kind, QString::number(r + 1)}));
    }

    frmPSYRank *rank = rankPopup();
    ASSERT_TRUE(rank);
    EXPECT_TRUE(rank->isVisible());
    EXPECT_EQ(rank->parentWidget(), frame);
    const QStringList names{u("東京都"), u("神奈川県"), u("大阪府"), u("愛知県"), u("埼玉県")};
    for (int r = 0; r < 5; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(rank->lblP[r]->text(), names[r]);
        EXPECT_EQ(rank->lblNum[r]->text(), sorted[static_cast<std::size_t>(r)].total);
    }
    EXPECT_EQ(rank->sMode, u("ランキング"));
    EXPECT_EQ(rank->sFileName, dataPath);

    ASSERT_TRUE(legend());
    EXPECT_EQ(legend()->lblInfo2->text(), u("数字:ランキング"));
    EXPECT_EQ(legend()->parentWidget(), frame);
    EXPECT_FALSE(frame->picHanrei.isNull());
    EXPECT_EQ(frame->picHanrei.size(), legend()->size());
    EXPECT_EQ(statrender::legendPicture().size(), legend()->size()) << "the export pastes the frame's picture";
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the user's text"));
}

TEST_F(RankingMapsOnDefaultData, AreasWithoutAValueUseNoNumberAndUnfilledRowsStay)
{
    const std::vector<test::Prefecture> sorted = test::descending(prefs);
    dataPath = test::writeAnalysis(GraphKindRanking, sorted, test::totals(sorted));
    ComPSY::PSY_DrawFromFiles(map);
    ComPSY::PSY_ClearStatisticsMap(map, false);

    // 30, a quoted minus sign, 20, nothing and 10 over the first five prefectures.
    const std::vector<test::Prefecture> five(prefs.begin(), prefs.begin() + 5);
    dataPath = test::writeAnalysis(GraphKindRanking, five,
        {QVariant(30.0), QVariant(QStringLiteral("\"-\"")), QVariant(20.0), QVariant(), QVariant(10.0)});
    ComPSY::PSY_DrawFromFiles(map);

    const auto found = numbers();
    ASSERT_EQ(found.size(), 4u);
    const std::pair<std::size_t, Number> expected[] = {
        {0, {181, "1"}}, {2, {182, "2"}}, {3, {183, "3"}}, {4, {184, "4"}}};
    for (const auto &[area, number] : expected) {
        SCOPED_TRACE(five[area].name.toStdString());
        ASSERT_EQ(found.count({five[area].x, five[area].y}), 1u);
        EXPECT_EQ(found.find({five[area].x, five[area].y})->second, number);
    }
    EXPECT_EQ(found.count({five[1].x, five[1].y}), 0u);

    frmPSYRank *rank = rankPopup();
    ASSERT_TRUE(rank);
    const QStringList names{five[0].name, five[2].name, five[3].name, five[4].name};
    const QStringList values{"30", "20", "", "10"};
    for (int r = 0; r < 4; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(rank->lblP[r]->text(), names[r]);
        EXPECT_EQ(rank->lblNum[r]->text(), values[r]);
    }
    EXPECT_EQ(rank->lblP[4]->text(), u("埼玉県")) << "the fifth row keeps the earlier ranking's";
    EXPECT_EQ(rank->lblNum[4]->text(), sorted[4].total);
    EXPECT_EQ(rank->sFileName, dataPath);
}

// A look at the 2020 prefecture ranking in the main frame with its two
// pop-ups: skipped unless VELTRA_SHOW_SECONDS is set, when the windows stay
// up that long (run with -platform xcb on an X display to see them).
TEST_F(RankingMapsOnDefaultData, ShowcaseOfThePrefectureRanking)
{
    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    if (seconds <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    showMapInFrame();
    map->ShowAll();
    map->setScale(map->Scale() / 1.6);
    const std::vector<test::Prefecture> sorted = test::descending(prefs);
    dataPath = test::writeAnalysis(GraphKindRanking, sorted, test::totals(sorted));
    ComPSY::PSY_DrawFromFiles(map);
    map->Refresh();
    keepShown(seconds);
    EXPECT_TRUE(rankPopup() && rankPopup()->isVisible());
}

// The legend without an H5 line keeps the name as loaded and still says
// what the numbers are; a data line without its value field stops the
// drawing before the legend.
TEST(RankingMapLegends, NoItemLineKeepsTheNameAndAShortLineShowsNoLegend)
{
    test::RunStateGuard guard;
    const std::vector<QString> header{QString(), QStringLiteral("H1,0,0,0,0,\"\",\"\",tempdata000.dat")};
    struct Row
    {
        const char *name;
        bool (*draw)(zorvik::Zorvik *, const std::vector<QString> &, const std::vector<QString> &);
        QString note;
    };
    const Row rows[] = {{"real values", ComPSY::DrawValueMap, u("数字:実数値")},
        {"ranking", ComPSY::DrawRankingMap, u("数字:ランキング")}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ui::WindowRegistry::instance().deleteAll();
        EXPECT_TRUE(row.draw(nullptr, header, {QString()}));
        auto *legend = qobject_cast<frmPSYHanreiOne *>(
            ui::WindowRegistry::instance().find(QStringLiteral("frmPSYHanreiOne")));
        ASSERT_TRUE(legend);
        EXPECT_EQ(legend->lblInfo1->text(), QString());
        EXPECT_EQ(legend->lblInfo2->text(), row.note);

        ui::WindowRegistry::instance().deleteAll();
        EXPECT_FALSE(row.draw(nullptr, header, {QString(), QStringLiteral("1,2,3")}));
        EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYHanreiOne")));
    }
}

} // namespace
