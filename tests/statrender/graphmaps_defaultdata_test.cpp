// Pie, bar and flow maps on the generated default data: analyses written by
// the analysis file class from the census prefecture figures the default
// statistics were made from, drawn through the one drawing road on a copy of
// the default map document with the shipped size classes, then cleared.
#include "defaultmapbed.h"
#include "fakegraphowner.h"
#include "fakeitemselection.h"
#include "graphs/clsanafile.h"
#include "graphs/globals.h"
#include "mapwindow/globals.h"
#include "mapwindow/mdlelement.h"
#include "platform/fs/fs.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statdata/meshdatabase.h"
#include "statrender/clearstatmap.h"
#include "statrender/drawfromfiles.h"
#include "statrender/frmpsyhanreibmp.h"
#include "statrender/frmpsyrank.h"
#include "statrender/globals.h"
#include "testsupport.h"
#include "zorvik/render/statgraphpicture.h"
#include "zorvik/widget/zorvik.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::u;

namespace {

struct Prefecture
{
    std::int32_t code = 0;
    QString name;
    std::int32_t x = 0, y = 0;
    QStringList census2020; // total, male, female as published
    QString total2015;
};

// A graph element on the map: its name's fields.
struct GraphElement
{
    QStringList name;
    std::int32_t x = 0, y = 0;
};

class GraphMapsOnDefaultData : public test::DefaultMapBed
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(openShippedDefaultMap());
        readPrefectures();
        ASSERT_EQ(prefs.size(), 47u);
    }
    void TearDown() override { closeMap(); }

    void readPrefectures()
    {
        db::Statement query = statdata::MeshDatabase::shared().prepare(
            QStringLiteral("SELECT * FROM 都道府県テーブル ORDER BY 都道府県ｺｰﾄﾞ"));
        ASSERT_TRUE(query.isValid());
        while (query.next()) {
            Prefecture p;
            p.code = query.text(0).toInt();
            p.name = query.text(1).trimmed();
            p.x = query.text(6).toInt();
            p.y = query.text(7).toInt();
            prefs.push_back(p);
        }
        for (const char *year : {"2020", "2015"}) {
            QFile census(
                QStringLiteral(VELTRA_CENSUS_SOURCES "/pref_population_%1.csv").arg(QLatin1String(year)));
            ASSERT_TRUE(census.open(QIODevice::ReadOnly));
            census.readLine();
            while (!census.atEnd()) {
                const QStringList fields = QString::fromUtf8(census.readLine()).trimmed().split(u',');
                for (Prefecture &p : prefs) {
                    if (p.code != fields.value(0).toInt())
                        continue;
                    if (QLatin1String(year) == QLatin1String("2020"))
                        p.census2020 = fields.mid(2, 3);
                    else
                        p.total2015 = fields.value(2);
                }
            }
        }
    }

    // A pie or bar analysis of absolute values over every prefecture, as the
    // statistics map window writes it: items (name, colour) and per area its values.
    void writeGraphAnalysis(std::int32_t kind, const std::vector<std::pair<QString, std::int32_t>> &items,
        const std::function<std::vector<QVariant>(const Prefecture &)> &values)
    {
        glngGraphKind = kind;
        FakeItemSelection select;
        select.answers = {{2, 1}}; // absolute values
        clsAnaFile ana;
        ana.SetFormName(&owner);
        ana.SetCtlSelect(&select);
        owner.setAnaRange(0);
        ana.setSegments(static_cast<std::int32_t>(items.size()) - 1);
        std::vector<QString> codes{QString()};
        for (const Prefecture &p : prefs)
            codes.push_back(QStringLiteral("%1").arg(p.code, 2, 10, QLatin1Char('0')));
        ana.setSelectAddress(codes);
        for (std::size_t j = 0; j < items.size(); ++j)
            ana.SetHead5(static_cast<std::int32_t>(j), items[j].first, items[j].second,
                QStringLiteral("20201001"), QStringLiteral("20201001"));
        ana.SetData1Area(static_cast<std::int32_t>(prefs.size()));
        for (std::size_t i = 0; i < prefs.size(); ++i) {
            const Prefecture &p = prefs[i];
            std::vector<QVariant> v{QVariant()};
            for (const QVariant &value : values(p))
                v.push_back(value);
            ana.SetData1(static_cast<std::int32_t>(i + 1), p.x, p.y, p.code, 0, 0, QString(), p.name, v);
        }
        ana.CsvWriteReq(gstrDataPath + QStringLiteral("DB\\"));
    }

    std::vector<GraphElement> graphElements() const
    {
        zorvik::Handle set = 0;
        std::int32_t v = 0, c = 0;
        EXPECT_EQ(map->SearchElementsByKind(0, {}, 1, {180}, set, v, c), 0);
        std::vector<GraphElement> out;
        std::int32_t elem = 0;
        ElementInfo info;
        while (mdlElement::ComZorGetElementInfo(set, elem, info, 1)) {
            if (info.lX.size() == 1)
                out.push_back({info.Key.split(u','), info.lX.at(0), info.lY.at(0)});
        }
        map->ReleaseElements(set);
        return out;
    }

    QStringList pictureFilesLeft() const
    {
        return QDir(fs::tempFolder()).entryList({QStringLiteral("PSY*.tmp")}, QDir::Files);
    }

    // Every prefecture has one graph at its own point, whose two pictures
    // decode at the map size and twice it.
    void expectOneGraphPerPrefecture(const std::vector<GraphElement> &graphs) const
    {
        ASSERT_EQ(graphs.size(), 47u);
        for (const Prefecture &p : prefs) {
            SCOPED_TRACE(p.name.toStdString());
            const auto it = std::find_if(graphs.begin(), graphs.end(), [&](const GraphElement &g) {
                return g.name.value(0)
                    == QStringLiteral("%1").arg(p.code, 2, 10, QLatin1Char('0'))
                    + QStringLiteral("000000000");
            });
            ASSERT_NE(it, graphs.end());
            EXPECT_EQ(std::make_pair(it->x, it->y), std::make_pair(p.x, p.y));
            const QImage small(it->name.value(6)), large(it->name.value(7));
            ASSERT_FALSE(small.isNull());
            ASSERT_FALSE(large.isNull());
            EXPECT_EQ(large.size(), small.size() * 2);
        }
    }

    // Outflows from Tokyo to five prefectures, as the flow analysis writes them.
    static constexpr std::size_t partners[] = {13, 10, 11, 26, 0}; // 神奈川, 埼玉, 千葉, 大阪, 北海道
    void writeTokyoOutflows()
    {
        glngGraphKind = GraphKindRyusen;
        FakeItemSelection select;
        select.answers = {{3, 2}}; // outflow
        clsAnaFile ana;
        ana.SetFormName(&owner);
        ana.SetCtlSelect(&select);
        owner.setAnaRange(0);
        ana.setSelectAddress({QString(), QStringLiteral("13")});
        ana.SetHead5(0, u("転出者数"), 255, QStringLiteral("20201001"), QStringLiteral("20201001"));
        const Prefecture &tokyo = prefs[12];
        const double values[] = {91000, 70000, 62000, 21000, 15000};
        for (std::size_t k = 0; k < 5; ++k) {
            const Prefecture &to = prefs[partners[k]];
            ana.SetDtStreamline(static_cast<std::int32_t>(k + 1), {0, tokyo.x, to.x}, {0, tokyo.y, to.y},
                {0, tokyo.code, to.code}, {QString(), tokyo.name, to.name}, values[k],
                static_cast<std::int32_t>(k + 1));
        }
        ana.CsvWriteReq(gstrDataPath + QStringLiteral("DB\\"));
    }

    // Shows the main frame with the map for `seconds`, the drawn map's pop-ups on it.
    void showFor(int seconds)
    {
        showMapInFrame();
        map->ShowAll();
        map->setScale(map->Scale() / 1.6);
        ComPSY::PSY_DrawFromFiles(map);
        map->Refresh();
        keepShown(seconds);
    }

    ui::DialogScript script;
    FakeGraphOwner owner;
    std::vector<Prefecture> prefs;
};

TEST_F(GraphMapsOnDefaultData, APieOfThe2020PopulationBySexNamesTokyoAndTottori)
{
    writeGraphAnalysis(GraphKindPie, {{u("男"), 16711680}, {u("女"), 255}}, [](const Prefecture &p) {
        return std::vector<QVariant>{p.census2020.value(1).toDouble(), p.census2020.value(2).toDouble()};
    });
    ComPSY::PSY_DrawFromFiles(map);

    const std::vector<GraphElement> graphs = graphElements();
    expectOneGraphPerPrefecture(graphs);
    for (const GraphElement &g : graphs)
        EXPECT_EQ(g.name.value(3), "20") << "prefecture pies";

    // The shipped size classes make the mean pie 10 to 15 mm at 90 dots per inch.
    double meanSide = 0;
    for (const GraphElement &g : graphs)
        meanSide += QImage(g.name.value(6)).width();
    meanSide /= double(graphs.size());
    EXPECT_GE(meanSide * 25.4 / 90, 9.0);
    EXPECT_LE(meanSide * 25.4 / 90, 16.0);

    auto *legend = qobject_cast<frmPSYHanreiBmp *>(
        ui::WindowRegistry::instance().find(QStringLiteral("frmPSYHanreiBmp")));
    ASSERT_TRUE(legend);
    EXPECT_TRUE(legend->isVisible());
    const Prefecture &tokyo = prefs[12], &tottori = prefs[30];
    ASSERT_EQ(tokyo.name, u("東京都"));
    ASSERT_EQ(tottori.name, u("鳥取県"));
    EXPECT_EQ(legend->lblPMax->text(), u("東京都"));
    EXPECT_EQ(legend->lblMax->text(), tokyo.census2020.value(0));
    EXPECT_EQ(legend->lblPMin->text(), u("鳥取県"));
    EXPECT_EQ(legend->lblMin->text(), tottori.census2020.value(0));
    EXPECT_EQ(legend->lblName.at(0)->text(), u("男"));
    EXPECT_FALSE(frame->picHanrei.isNull());
    EXPECT_EQ(pictureFilesLeft().size(), 94);
    EXPECT_TRUE(script.requests().empty());

    ComPSY::PSY_ClearStatisticsMap(map, false);
    EXPECT_TRUE(graphElements().empty());
    EXPECT_TRUE(pictureFilesLeft().isEmpty()) << pictureFilesLeft().join(u' ').toStdString();
}

TEST_F(GraphMapsOnDefaultData, ABarMapOfThe2015And2020Totals)
{
    writeGraphAnalysis(
        GraphKindBar, {{u("2015年"), 65280}, {u("2020年"), 16711680}}, [](const Prefecture &p) {
            return std::vector<QVariant>{p.total2015.toDouble(), p.census2020.value(0).toDouble()};
        });
    ComPSY::PSY_DrawFromFiles(map);

    const std::vector<GraphElement> graphs = graphElements();
    expectOneGraphPerPrefecture(graphs);
    const QImage first(graphs.front().name.value(6));
    for (const GraphElement &g : graphs) {
        EXPECT_EQ(g.name.value(3), "10");
        EXPECT_EQ(QImage(g.name.value(6)).size(), first.size()) << "absolute bars share one size";
    }
    EXPECT_EQ(first.width(), 30);
    // The engine reads the map picture back as the graph's look.
    const zorvik::StatGraphKey key = zorvik::parseStatGraphKey(graphs.front().name.join(u','));
    ASSERT_TRUE(key.valid);
    EXPECT_EQ(zorvik::statGraphPicture(key.picture).size(), first.size());

    EXPECT_EQ(gstrHanreiMaxName, u("東京都"));
    EXPECT_EQ(gdblHanreiMax, prefs[12].census2020.value(0).toDouble() + prefs[12].total2015.toDouble())
        << "the area total of both years";
    EXPECT_EQ(gstrHanreiMinName, u("鳥取県"));

    ComPSY::PSY_ClearStatisticsMap(map, false);
    EXPECT_TRUE(graphElements().empty());
    EXPECT_TRUE(pictureFilesLeft().isEmpty());
}

TEST_F(GraphMapsOnDefaultData, AFlowMapFromTokyoShowsItsArrows)
{
    writeTokyoOutflows();
    const Prefecture &tokyo = prefs[12];
    ComPSY::PSY_DrawFromFiles(map);

    ASSERT_EQ(glngRyusenSets.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        std::int32_t elem = 0;
        ElementInfo info;
        ASSERT_TRUE(mdlElement::ComZorGetElementInfo(glngRyusenSets[k], elem, info, 1));
        EXPECT_EQ(info.Key, QStringLiteral("RYUSEN%1").arg(k + 1));
        EXPECT_EQ(info.iPra[2], 181 + static_cast<int>(k));
        ASSERT_EQ(info.lX.size(), 5u);
        const Prefecture &to = prefs[partners[k]];
        EXPECT_EQ(std::make_pair(info.lX[0], info.lY[0]), std::make_pair(tokyo.x, tokyo.y));
        EXPECT_EQ(std::make_pair(info.lX[1], info.lY[1]), std::make_pair(to.x, to.y));
        EXPECT_EQ(std::make_pair(info.lX[3], info.lY[3]), std::make_pair(to.x, to.y));
        EXPECT_NE(std::make_pair(info.lX[2], info.lY[2]), std::make_pair(info.lX[4], info.lY[4]));
    }
    auto *rank
        = qobject_cast<frmPSYRank *>(ui::WindowRegistry::instance().find(QStringLiteral("frmPSYRank")));
    ASSERT_TRUE(rank);
    EXPECT_TRUE(rank->isVisible());
    EXPECT_EQ(rank->sOpt, u("流出"));
    EXPECT_EQ(rank->sMode, u("流線図"));
    EXPECT_EQ(rank->lblP[0]->text(), u("神奈川県"));
    EXPECT_EQ(rank->lblP[4]->text(), u("北海道"));

    ComPSY::PSY_ClearStatisticsMap(map, false);
    EXPECT_TRUE(glngRyusenSets.empty());
    EXPECT_TRUE(graphElements().empty());
}

// A look at the pie map and the flow map in the main frame with their
// pop-ups: skipped unless VELTRA_SHOW_SECONDS is set, when the windows stay up
// that long (run with -platform xcb on an X display to see them).
TEST_F(GraphMapsOnDefaultData, ShowcaseOfThePieMap)
{
    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    if (seconds <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    writeGraphAnalysis(GraphKindPie, {{u("男"), 16711680}, {u("女"), 255}}, [](const Prefecture &p) {
        return std::vector<QVariant>{p.census2020.value(1).toDouble(), p.census2020.value(2).toDouble()};
    });
    showFor(seconds);
    EXPECT_EQ(graphElements().size(), 47u);
}

TEST_F(GraphMapsOnDefaultData, ShowcaseOfTheFlowMap)
{
    const int seconds = qEnvironmentVariableIntValue("VELTRA_SHOW_SECONDS");
    if (seconds <= 0)
        GTEST_SKIP() << "set VELTRA_SHOW_SECONDS to show the windows";
    writeTokyoOutflows();
    showFor(seconds);
    EXPECT_EQ(glngRyusenSets.size(), 5u);
}

} // namespace
