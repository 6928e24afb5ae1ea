// The pie, bar, symbol, picture-symbol and flow maps against recording
// stand-ins of their outside calls: what each area's graph picture is asked
// to show, which graph elements and flow lines are added, and what the
// legends say. Headers and data lines are written here as the analysis file
// class lays them out.
#include "analysisfixtures.h"
#include "mapwindow/elementinfo.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/programfolder.h"
#include "statrender/barmap.h"
#include "statrender/flowmap.h"
#include "statrender/frmpsyhanreibmp.h"
#include "statrender/frmpsyhanreipra.h"
#include "statrender/frmpsyhanreisym.h"
#include "statrender/frmpsyrank.h"
#include "statrender/globals.h"
#include "statrender/graphmapcalls.h"
#include "statrender/picturemap.h"
#include "statrender/piemap.h"
#include "statrender/symbolmap.h"
#include "testsupport.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace veltra;
using veltra::test::u;

namespace {

// One added graph element: its name's fields and its points.
struct Graph
{
    QStringList name;
    std::int32_t x = 0, y = 0, baseX = 0, baseY = 0;
};

// Items as (value, colour) pairs.
using Items = std::vector<std::pair<std::int32_t, std::int32_t>>;

struct Picture
{
    Items items;
    std::int32_t width = 0, height = 0;
    QString file1, file2;
};

struct FlowLine
{
    QString name;
    std::int16_t kind = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> points;
};

constexpr std::int32_t Red = 255, Green = 65280, Blue = 16711680;

// Records every outside call of the graph maps; no file is written and no
// engine is needed.
class GraphMapsRecorded : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedProgramFolder = shell::programFolder();
        shell::setProgramFolder(tmp.path());
        GraphMapCalls &calls = statrender::graphMapCalls();
        auto record = [this](const VoVuderParam &p, QString *error) {
            if (failPictures) {
                *error = QStringLiteral("書けません");
                return std::int32_t(VoVuderWriteFailed);
            }
            Picture pic{{}, p.Width, p.Height, p.OutFile1, p.OutFile2};
            for (std::int32_t k = 0; k < p.ItemCount; ++k)
                pic.items.emplace_back(
                    p.Items[static_cast<std::size_t>(k)].Value, p.Items[static_cast<std::size_t>(k)].Color);
            pictures.push_back(pic);
            return std::int32_t(VoVuderOk);
        };
        calls.circle = record;
        calls.bar = record;
        calls.makePictureFile = [this] { return QStringLiteral("/t/PSY%1.tmp").arg(++files); };
        calls.addGraph = [this](zorvik::Zorvik *, const QString &name, std::int32_t x, std::int32_t y,
                             std::int32_t bx, std::int32_t by) {
            graphs.push_back({name.split(QLatin1Char(',')), x, y, bx, by});
        };
        calls.drawFlowLine = [this](zorvik::Zorvik *, const ElementInfo &record) {
            FlowLine line{record.Key, record.iPra[2], {}};
            for (std::size_t p = 0; p < record.lX.size(); ++p)
                line.points.emplace_back(record.lX[p], record.lY[p]);
            flows.push_back(line);
            return true;
        };
        calls.mapScale = [this] { return scale; };
    }
    void TearDown() override { shell::setProgramFolder(savedProgramFolder); }

    using GraphMapCalls = statrender::GraphMapCalls;

    // Header of a graph map: H2 field 5 the unit level, 7 the kind, 8 the
    // expression kind, 9 the item count, 10 the flow direction; one H5 line
    // per item.
    static std::vector<QString> header(std::int32_t kind, std::int32_t level, std::int32_t expression,
        const QStringList &names, const QStringList &colours, std::int32_t direction = 0)
    {
        std::vector<QString> lines{QString(),
            QStringLiteral("H1,0,0,50000,20240401,\"\",\"\",tempdata001.dat"),
            QStringLiteral("H2,4,13,0,0,%1,0,%2,%3,%4,%5,0,0")
                .arg(level)
                .arg(kind)
                .arg(expression)
                .arg(names.size())
                .arg(direction),
            QStringLiteral("H3,\"\",\"\",0,,\"\",0,0"), QStringLiteral("H4,0,0,0,0,\"\"")};
        for (qsizetype j = 0; j < names.size(); ++j)
            lines.push_back(QStringLiteral("H5,\"%1\",%2,20200101,20201231").arg(names[j], colours.value(j)));
        return lines;
    }
    static std::vector<QString> pieHeader(std::int32_t level, std::int32_t expression, std::int32_t items)
    {
        const QStringList names{u("男"), u("女"), u("不詳")};
        const QStringList colours{QString::number(Red), QString::number(Green), QString::number(Blue)};
        return header(2, level, expression, names.mid(0, items), colours.mid(0, items));
    }

    // Area i (from 1) at (i * 1000, i * 2000) with the values given.
    static std::vector<QString> areas(const std::vector<QStringList> &values)
    {
        std::vector<QString> lines{QString()};
        for (std::size_t i = 0; i < values.size(); ++i) {
            const QString n = QString::number(i + 1);
            lines.push_back(test::dataLine(QString::number((i + 1) * 1000), QString::number((i + 1) * 2000),
                QStringLiteral("0"), QStringLiteral("0"), u("地域") + n, values[i]));
        }
        return lines;
    }

    // hanreiinfo.txt in the program folder: a title and the class lines.
    void writeClasses(const QStringList &classLines)
    {
        test::writeAnalysisFile(tmp.file(QStringLiteral("hanreiinfo.txt")),
            QStringList{u("単位,大きさ(mm),区分,以上,未満")} + classLines);
    }
    void writeThreeLevelClasses()
    {
        QStringList lines;
        for (int level = 0; level < 3; ++level)
            lines << QStringLiteral("a,10,x,0,200") << QStringLiteral("a,15,x,200,1000")
                  << QStringLiteral("a,20,x,1000,999999");
        writeClasses(lines);
    }

    static bool loaded(const char *form)
    {
        return ui::WindowRegistry::instance().isLoaded(QString::fromLatin1(form));
    }
    template <class Form> static Form *find(const char *form)
    {
        return qobject_cast<Form *>(ui::WindowRegistry::instance().find(QString::fromLatin1(form)));
    }

    test::RunStateGuard guard;
    test::TempDir tmp;
    statrender::GraphMapCallsGuard callsGuard;
    ui::DialogScript script;
    QString savedProgramFolder;
    std::vector<Picture> pictures;
    std::vector<Graph> graphs;
    std::vector<FlowLine> flows;
    int files = 0;
    bool failPictures = false;
    double scale = 10000;
    const QString dataPath = QStringLiteral("/d/DB/tempdata001.dat");
};

TEST_F(GraphMapsRecorded, PieSharesAreWholePercentOfTheNonZeroItems)
{
    struct Case
    {
        QStringList values;
        Items items;
    };
    const Case cases[] = {
        {{"1", "0", "299"}, {{1, Red}, {100, Blue}}}, // 0.33 % raised to 1
        {{"1", "1"}, {{50, Red}, {50, Green}}},
        {{"1", "2", "5"}, {{12, Red}, {25, Green}, {62, Blue}}}, // 12.5 and 62.5 to the even neighbour
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.values.join(QLatin1Char(' ')).toStdString());
        pictures.clear();
        graphs.clear();
        ASSERT_TRUE(ComPSY::DrawPieMap(nullptr, pieHeader(2, 2, static_cast<std::int32_t>(c.values.size())),
            areas({c.values}), dataPath, 2));
        ASSERT_EQ(pictures.size(), 1u);
        EXPECT_EQ(pictures[0].items, c.items);
        EXPECT_EQ(pictures[0].width, 100) << "a relative pie is always 100 x 100";
        EXPECT_EQ(pictures[0].height, 100);
        ASSERT_EQ(graphs.size(), 1u);
        const QStringList expected{QStringLiteral("13101000000"), dataPath, "1", "200", "1000", "2000",
            pictures[0].file1, pictures[0].file2};
        EXPECT_EQ(graphs[0].name, expected);
        EXPECT_EQ(std::tie(graphs[0].baseX, graphs[0].baseY), std::make_tuple(1000, 2000));
    }
    EXPECT_FALSE(QFile::exists(tmp.file(QStringLiteral("hanreiinfo.txt"))))
        << "relative pies need no size classes";
}

TEST_F(GraphMapsRecorded, AnAreaWithATextValueIsLeftOutOfMeanLargestAndSmallest)
{
    ASSERT_TRUE(ComPSY::DrawPieMap(nullptr, pieHeader(1, 2, 2),
        areas({{"10", "20"}, {"\"-\"", "500"}, {"1", "1"}, {"0", "0"}}), dataPath, 2));
    ASSERT_EQ(graphs.size(), 2u) << "the text value and the zero total get no pie";
    EXPECT_EQ(graphs[0].name.value(2), "1");
    EXPECT_EQ(graphs[1].name.value(2), "3");
    EXPECT_EQ(gdblHanreiMax, 30);
    EXPECT_EQ(gstrHanreiMaxName, u("地域1"));
    EXPECT_EQ(gdblHanreiMin, 0);
    EXPECT_EQ(gstrHanreiMinName, u("地域4"));
    EXPECT_EQ(gdblHanreiAve, 10) << "(30 + 2 + 0) / 3, cut to a whole number";
    auto *legend = find<frmPSYHanreiBmp>("frmPSYHanreiBmp");
    ASSERT_TRUE(legend);
    EXPECT_TRUE(legend->isVisible());
    ASSERT_EQ(gtypHanreiItems.size(), 3u);
    EXPECT_EQ(gtypHanreiItems[1].strName, u("男"));
    EXPECT_EQ(gtypHanreiItems[2].lngColor, Green);
    EXPECT_EQ(legend->lblMax->text(), "30");
    EXPECT_EQ(legend->lblPMin->text(), u("地域4"));
}

TEST_F(GraphMapsRecorded, EqualLargestTotalsNameTheEarlierArea)
{
    ASSERT_TRUE(
        ComPSY::DrawPieMap(nullptr, pieHeader(1, 2, 1), areas({{"5"}, {"9"}, {"9"}, {"5"}}), dataPath, 2));
    EXPECT_EQ(gstrHanreiMaxName, u("地域2"));
    EXPECT_EQ(gstrHanreiMinName, u("地域1"));

    ASSERT_TRUE(ComPSY::DrawBarMap(
        nullptr, header(3, 0, 1, {u("人口")}, {"255"}), areas({{"5"}, {"9"}, {"9"}, {"5"}}), dataPath, 3));
    EXPECT_EQ(gstrHanreiMaxName, u("地域2"));
    EXPECT_EQ(gstrHanreiMinName, u("地域1"));
}

TEST_F(GraphMapsRecorded, AnAbsolutePieTakesItsSizeFromTheClassOfTheMean)
{
    writeClasses({"a,10,x,0,200", "a,15,x,200,1000", "a,20,x,1000,999999", "b,1,x,0,1", "b,1,x,1,2",
        "b,1,x,2,3", "c,1,x,0,1", "c,1,x,1,2", "c,1,x,2,3"});
    // Mean (1000 + 0 + 0 + 0) / 4 = 250: the second class, 15 mm = 53 dots.
    ASSERT_TRUE(
        ComPSY::DrawPieMap(nullptr, pieHeader(1, 1, 1), areas({{"1000"}, {"0"}, {"0"}, {"0"}}), dataPath, 2));
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].width, 106) << "53 x sqrt(1000 / 250)";
    EXPECT_EQ(pictures[0].height, 106);
    ASSERT_EQ(graphs.size(), 1u);
    EXPECT_EQ(graphs[0].name.value(3), "20");
}

TEST_F(GraphMapsRecorded, SizeFiguresByUnitLevel)
{
    writeThreeLevelClasses();
    const std::pair<std::int32_t, std::pair<QString, QString>> levels[] = {{1, {"20", "10"}},
        {2, {"200", "100"}}, {3, {"1000", "500"}}, {0, {"200", "100"}}, {9, {"200", "100"}}};
    for (const auto &[level, figures] : levels) {
        SCOPED_TRACE(level);
        graphs.clear();
        ASSERT_TRUE(ComPSY::DrawPieMap(nullptr, pieHeader(level, 2, 1), areas({{"7"}}), dataPath, 2));
        ASSERT_TRUE(ComPSY::DrawBarMap(
            nullptr, header(3, level, 1, {u("人口")}, {"255"}), areas({{"7"}}), dataPath, 3));
        ASSERT_EQ(graphs.size(), 2u);
        EXPECT_EQ(graphs[0].name.value(3), figures.first);
        EXPECT_EQ(graphs[1].name.value(3), figures.second);
    }
}

TEST_F(GraphMapsRecorded, AnAbsoluteBarScalesEveryAreaByTheLargestValue)
{
    writeThreeLevelClasses();
    const auto h = header(3, 1, 1, {u("男"), u("女"), u("不詳")}, {"255", "65280", "16711680"});
    ASSERT_TRUE(ComPSY::DrawBarMap(nullptr, h, areas({{"0.5", "50", "0"}, {"10", "10", "10"}}), dataPath, 3));
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].items, (Items{{2, Red}, {100, Green}, {0, 0}})) << "0.5 is 1, raised to 2";
    EXPECT_EQ(pictures[1].items, (Items{{20, Red}, {20, Green}, {20, Blue}}));
    // Mean 40.25 and largest total 50.5 (rounded 40 and 50): the first class, 10 mm = 35 dots.
    for (const Picture &p : pictures) {
        EXPECT_EQ(p.width, 30);
        EXPECT_EQ(p.height, 55) << "35 x sqrt(2 x 50 / 40), one size for every bar graph";
    }
    EXPECT_EQ(gdblHanreiMax, 50);
    EXPECT_EQ(gdblHanreiMin, 30);
    EXPECT_EQ(gdblHanreiAve, 40);
}

TEST_F(GraphMapsRecorded, ARelativeBarShowsSharesAndBlanksTheLegendValues)
{
    writeThreeLevelClasses();
    gdblHanreiMax = 777;
    gstrHanreiMaxName = u("前の地図");
    const auto h = header(3, 1, 2, {u("男"), u("女")}, {"255", "65280"});
    ASSERT_TRUE(ComPSY::DrawBarMap(nullptr, h, areas({{"0", "0"}, {"1", "3"}}), dataPath, 3));
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].items, (Items{{0, 0}, {0, 0}})) << "an all-zero area is still drawn";
    EXPECT_EQ(std::tie(pictures[0].width, pictures[0].height), std::make_tuple(30, 200));
    EXPECT_EQ(pictures[1].items, (Items{{25, Red}, {75, Green}}));
    EXPECT_EQ(graphs.size(), 2u);
    EXPECT_EQ(gdblHanreiMax, 777) << "a relative bar map leaves the earlier values";
    EXPECT_EQ(gstrHanreiMaxName, u("前の地図"));
    auto *legend = find<frmPSYHanreiBmp>("frmPSYHanreiBmp");
    ASSERT_TRUE(legend);
    for (QLabel *label : {legend->lblPMax, legend->lblMax, legend->lblAve, legend->lblPMin, legend->lblMin})
        EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
    EXPECT_EQ(legend->lblName.at(1)->text(), u("女"));
}

// Every error ends the drawing with False and no legend; graphs added before stay.
TEST_F(GraphMapsRecorded, RunTimeErrorsEndTheDrawingWithoutALegend)
{
    QStringList many, oneOfMany, colours;
    for (int j = 1; j <= 65; ++j) {
        many << QString::number(j);
        oneOfMany << (j == 1 ? QStringLiteral("1") : QStringLiteral("0"));
        colours << QStringLiteral("255");
    }
    struct Case
    {
        const char *what;
        std::function<bool()> draw;
        std::size_t graphsAdded;
    };
    const auto relativePie = [this](std::vector<QString> h, std::vector<QString> d) {
        return [this, h, d] { return ComPSY::DrawPieMap(nullptr, h, d, dataPath, 2); };
    };
    const Case cases[] = {
        {"absolute pie without size classes", relativePie(pieHeader(1, 1, 1), areas({{"5"}})), 0},
        {"bar without size classes",
            [this] { return ComPSY::DrawBarMap(nullptr, pieHeader(1, 2, 1), areas({{"5"}}), dataPath, 3); },
            0},
        {"65 pie items", relativePie(header(2, 1, 2, many, colours), areas({oneOfMany, many})), 1},
        {"65 bar items",
            [&, this] {
                return ComPSY::DrawBarMap(
                    nullptr, header(3, 0, 2, many, colours), areas({many}), dataPath, 3);
            },
            0},
        {"no valid area", relativePie(pieHeader(1, 2, 1), areas({{"\"-\""}, {"-1"}})), 0},
        {"colour no number", relativePie(header(2, 1, 2, {u("男")}, {u("赤")}), areas({{"5"}})), 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ui::WindowRegistry::instance().deleteAll();
        graphs.clear();
        EXPECT_FALSE(c.draw());
        EXPECT_EQ(graphs.size(), c.graphsAdded);
        EXPECT_FALSE(loaded("frmPSYHanreiBmp"));
    }
}

TEST_F(GraphMapsRecorded, APictureThatCannotBeWrittenEndsTheDrawing)
{
    failPictures = true;
    EXPECT_FALSE(ComPSY::DrawPieMap(nullptr, pieHeader(1, 2, 1), areas({{"5"}, {"6"}}), dataPath, 2));
    EXPECT_TRUE(graphs.empty());
    EXPECT_FALSE(loaded("frmPSYHanreiBmp"));
}

TEST_F(GraphMapsRecorded, SymbolFiguresFollowTheMeanOverEveryLine)
{
    auto data = areas({{"10", "\"c:/s/a.bmp\""}, {"20", "\"c:/s/b.bmp\""}, {"0", "x"}, {"\"-\"", "y"}});
    const auto h = header(4, 2, 1, {u("人口総数")}, {"255"});
    ASSERT_TRUE(ComPSY::DrawSymbolMap(nullptr, h, data, dataPath, QStringLiteral("/d/Symbol_data/")));
    ASSERT_EQ(graphs.size(), 2u);
    EXPECT_EQ(graphs[0].name.value(3), "75") << "7.5 / 10 x 100";
    EXPECT_EQ(graphs[1].name.value(3), "38") << "37.5 to the even neighbour";
    EXPECT_EQ(graphs[0].name.value(6), "\"c:/s/a.bmp\"") << "the symbol path as the line holds it";
    EXPECT_EQ(graphs[0].name.size(), 7) << "no second picture";
    auto *legend = find<frmPSYHanreiSym>("frmPSYHanreiSym");
    ASSERT_TRUE(legend);
    EXPECT_EQ(legend->lblAve->text(), "7");
    EXPECT_EQ(legend->lblMax->text(), "20");
    EXPECT_EQ(legend->lblMin->text(), "10");
    EXPECT_EQ(legend->lblPMax->text(), u("地域2"));
    EXPECT_EQ(legend->lblPMin->text(), u("地域1"));
    EXPECT_EQ(legend->lblInfo->text(), u("人口総数"));

    graphs.clear();
    ASSERT_TRUE(
        ComPSY::DrawSymbolMap(nullptr, header(4, 0, 1, {u("人口総数")}, {"255"}), data, dataPath, QString()));
    ASSERT_EQ(graphs.size(), 2u);
    EXPECT_EQ(graphs[0].name.value(3), "0");
    EXPECT_EQ(graphs[1].name.value(3), "0");
}

TEST_F(GraphMapsRecorded, ASymbolMapWithoutPositiveValuesAddsNothing)
{
    ASSERT_TRUE(ComPSY::DrawSymbolMap(nullptr, header(4, 1, 1, {u("人口")}, {"255"}),
        areas({{"0", "a"}, {"\"-\"", "b"}}), dataPath, QString()));
    EXPECT_TRUE(graphs.empty());
    auto *legend = find<frmPSYHanreiSym>("frmPSYHanreiSym");
    ASSERT_TRUE(legend);
    EXPECT_EQ(legend->lblMax->text(), "0");
    EXPECT_EQ(legend->lblMin->text(), "99999999999999");
    EXPECT_EQ(legend->lblPMax->text(), QString());

    ui::WindowRegistry::instance().deleteAll();
    EXPECT_FALSE(ComPSY::DrawSymbolMap(nullptr, header(4, 3, 1, {u("人口")}, {"255"}),
        areas({{"1E+9", "a"}, {"0.0000001", "b"}}), dataPath, QString()))
        << "a figure beyond a Long";
    EXPECT_EQ(graphs.size(), 1u) << "the area drawn before stays";
    EXPECT_FALSE(loaded("frmPSYHanreiSym"));
}

TEST_F(GraphMapsRecorded, PictureFiguresFollowTheScaleAndOnlyLowerCaseBmpIsDrawn)
{
    const auto h = header(7, 1, 0, {u("男性人口数"), u("女性人口数")}, {"16711680", "255"});
    const auto data = areas({{"p1.bmp"}, {"p2.BMP"}, {"p3.png"}});
    const std::pair<double, QString> scales[]
        = {{10000, "4000"}, {10001, "400"}, {250000, "400"}, {250001, "50"}};
    for (const auto &[s, figure] : scales) {
        SCOPED_TRACE(s);
        graphs.clear();
        scale = s;
        ASSERT_TRUE(ComPSY::DrawPictureMap(nullptr, h, data, dataPath, QStringLiteral("/d/DB/TempPImage/")));
        ASSERT_EQ(graphs.size(), 1u);
        EXPECT_EQ(graphs[0].name.value(0), u("13101000000|男性人口数"));
        EXPECT_EQ(graphs[0].name.value(3), figure);
        EXPECT_EQ(graphs[0].name.value(6), QStringLiteral("/d/DB/TempPImage/p1.bmp"));
    }
    auto *legend = find<frmPSYHanreiPra>("frmPSYHanreiPra");
    ASSERT_TRUE(legend);
    EXPECT_EQ(legend->lblName[0]->text(), u("男性人口数"));
    EXPECT_EQ(legend->lblName[1]->text(), u("女性人口数"));
    EXPECT_EQ(legend->lblTitle->text(), u("男性")) << "the first name less its last three characters";
    EXPECT_TRUE(script.requests().empty());
}

TEST_F(GraphMapsRecorded, PictureLegendTitleAndEmptyData)
{
    const auto seven
        = header(7, 1, 0, {u("ＡＢＣＤ男性計"), u("ＡＢＣＤ女性計"), u("第三")}, {"255", "65280", "0"});
    ASSERT_TRUE(ComPSY::DrawPictureMap(nullptr, seven, areas({{"p.bmp"}}), dataPath, QString()));
    auto *legend = find<frmPSYHanreiPra>("frmPSYHanreiPra");
    ASSERT_TRUE(legend);
    EXPECT_EQ(legend->lblTitle->text(), u("ＡＢＣＤ"));
    EXPECT_EQ(legend->lblName[1]->text(), u("第三")) << "the last H5 line takes the second row";

    ui::WindowRegistry::instance().deleteAll();
    graphs.clear();
    EXPECT_TRUE(ComPSY::DrawPictureMap(
        nullptr, header(7, 1, 0, {u("男")}, {"255"}), areas({{"p.bmp"}}), dataPath, QString()))
        << "the pictures are drawn even when the title fails";
    EXPECT_EQ(graphs.size(), 1u);
    EXPECT_FALSE(loaded("frmPSYHanreiPra") && find<frmPSYHanreiPra>("frmPSYHanreiPra")->isVisible());

    EXPECT_TRUE(ComPSY::DrawPictureMap(nullptr, seven, {QString()}, dataPath, QString()));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt,
        u("地図縮尺を都道府県は1/250001以上、市区町村は1/10001～1/250000以下、町丁字は、1/"
          "10000以下にしてください。"));
}

// Flow lines: pairs of DtStreamline lines, start then end.
std::vector<QString> flowData(int lines)
{
    std::vector<QString> data{QString()};
    for (int l = 1; l <= lines; ++l) {
        const int flow = (l + 1) / 2;
        const bool start = l % 2 == 1;
        data.push_back(QStringLiteral("%1,%2,%3,%4,%5,%6")
                           .arg(start ? 0 : flow * 100000)
                           .arg(start ? 0 : 50000)
                           .arg(start ? 13 : flow)
                           .arg(start ? QStringLiteral("東京都") + QString::number(flow)
                                      : QStringLiteral("県") + QString::number(flow))
                           .arg(1000 - flow)
                           .arg(flow));
    }
    return data;
}

TEST_F(GraphMapsRecorded, FlowsGetTheirRankKindsAndArrowHeads)
{
    ASSERT_TRUE(ComPSY::DrawFlowMap(nullptr, header(8, 1, 0, {u("転出")}, {"0"}, 2), flowData(16)));
    ASSERT_EQ(flows.size(), 8u);
    for (std::size_t k = 0; k < flows.size(); ++k) {
        SCOPED_TRACE(k + 1);
        EXPECT_EQ(flows[k].name, QStringLiteral("RYUSEN%1").arg(k + 1));
        EXPECT_EQ(flows[k].kind, k < 5 ? 181 + static_cast<int>(k) : 186);
        ASSERT_EQ(flows[k].points.size(), 5u);
        const std::pair<std::int32_t, std::int32_t> end{static_cast<std::int32_t>(k + 1) * 100000, 50000};
        EXPECT_EQ(flows[k].points[0], std::make_pair(0, 0));
        EXPECT_EQ(flows[k].points[1], end);
        EXPECT_EQ(flows[k].points[3], end);
        EXPECT_LT(flows[k].points[2].first, end.first) << "the barbs lie back from the end";
        EXPECT_NE(flows[k].points[2], flows[k].points[4]);
    }
    auto *rank = find<frmPSYRank>("frmPSYRank");
    ASSERT_TRUE(rank);
    EXPECT_TRUE(rank->isVisible());
    EXPECT_EQ(rank->sOpt, u("流出"));
    EXPECT_EQ(rank->lblP[0]->text(), u("県1")) << "an outflow lists the end areas";
    EXPECT_EQ(rank->lblNum[4]->text(), "995");
}

TEST_F(GraphMapsRecorded, AnInflowListsTheStartAreas)
{
    ASSERT_TRUE(ComPSY::DrawFlowMap(nullptr, header(8, 1, 0, {u("転入")}, {"0"}, 1), flowData(20)));
    EXPECT_EQ(flows.size(), 10u);
    auto *rank = find<frmPSYRank>("frmPSYRank");
    ASSERT_TRUE(rank);
    EXPECT_EQ(rank->sOpt, u("流入"));
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(rank->lblP[static_cast<std::size_t>(r)]->text(), u("東京都") + QString::number(r + 1));
}

TEST_F(GraphMapsRecorded, OnlyCompletePairsAreFlows)
{
    const std::pair<int, std::size_t> counts[] = {{7, 3}, {5, 2}, {1, 0}, {0, 0}};
    for (const auto &[lines, expected] : counts) {
        SCOPED_TRACE(lines);
        ui::WindowRegistry::instance().deleteAll();
        flows.clear();
        EXPECT_TRUE(ComPSY::DrawFlowMap(nullptr, header(8, 1, 0, {u("転出")}, {"0"}, 2), flowData(lines)));
        EXPECT_EQ(flows.size(), expected);
        auto *rank = find<frmPSYRank>("frmPSYRank");
        ASSERT_TRUE(rank);
        EXPECT_TRUE(rank->isVisible());
    }
}

TEST_F(GraphMapsRecorded, AFlowWhoseEndsCoincideIsAPoint)
{
    std::vector<QString> data = flowData(2);
    data.push_back(QStringLiteral("7000,8000,13,\"A\",5,2"));
    data.push_back(QStringLiteral("7000,8000,14,\"B\",5,2"));
    ASSERT_TRUE(ComPSY::DrawFlowMap(nullptr, header(8, 1, 0, {u("転出")}, {"0"}, 2), data));
    ASSERT_EQ(flows.size(), 2u);
    for (const auto &point : flows[1].points)
        EXPECT_EQ(point, std::make_pair(7000, 8000)) << "no barbs of the flow before";

    flows.clear();
    data.push_back(QStringLiteral("1,2,13,\"C\",5"));
    data.push_back(QStringLiteral("3,4,14,\"D\",5"));
    ui::WindowRegistry::instance().deleteAll();
    EXPECT_FALSE(ComPSY::DrawFlowMap(nullptr, header(8, 1, 0, {u("転出")}, {"0"}, 2), data))
        << "a line short of its ranking field";
    EXPECT_EQ(flows.size(), 2u) << "the flows drawn before stay";
    EXPECT_FALSE(loaded("frmPSYRank") && find<frmPSYRank>("frmPSYRank")->isVisible());
}

} // namespace
