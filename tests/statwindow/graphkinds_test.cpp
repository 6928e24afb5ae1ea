// Graph creation of the real-value, symbol, ranking, pyramid and flow kinds
// on fixture statistics: what the tally-only kinds leave behind, the ranking
// order, the pyramid's rows, names, frame and item-list checks, the flow
// map's checks, and the refusals of each kind.
#include "graphcreatebed.h"
#include "graphs/clsdrawgraph.h"
#include "graphs/clsstatisticsitem.h"
#include "graphs/ctlselect.h"
#include "graphs/globals.h"
#include "graphs/picturebox.h"
#include "platform/ui/twips.h"
#include "statwindow/globals.h"
#include "statwindow/graphcreaterules.h"
#include "statwindow/statarea.h"
#include "statwindow/statistictree.h"
#include "statwindowfixture.h"

#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

using namespace veltra;
using namespace veltra::statwindow;
using test::GraphCreateBed;

namespace {

constexpr std::int32_t Blue = 0xFF0000; // RGB(0, 0, 255)

bool shown(const QWidget *w)
{
    return !w->isHidden();
}

QStringList recordNames()
{
    QStringList names;
    for (std::size_t i = 1; i < gtypStatArea.size(); ++i)
        names << gtypStatArea[i].AreaName;
    return names;
}

class GraphKindsTest : public test::StatWindowFixture
{
protected:
    // A prefecture value folder: "CODE,..." and one line per row.
    QString prefFolder(const QString &name, const QStringList &rows)
    {
        const QString path = folder(QStringLiteral("etc/") + name);
        write(path + QStringLiteral("\\a.txt"), QStringList{QStringLiteral("CODE,v")} + rows);
        return path;
    }

    // An item list offering the two-class item "年齢5歳階級別" (or `item`)
    // at the given units: 男 and 女 before their classes.
    QString pyramidList(const QStringList &units, const QString &item = QStringLiteral("年齢5歳階級別"))
    {
        QStringList lines{QStringLiteral("[ﾃﾞｰﾀ種類]")};
        for (int i = 0; i < units.size(); ++i)
            lines << QStringLiteral("Entry%1=%2").arg(i + 1).arg(units[i]);
        for (const QString &unit : units)
            lines << QStringLiteral("[%1]").arg(unit) << QStringLiteral("Entry1=人口")
                  << QStringLiteral("Entry2=%1").arg(item);
        lines << QStringLiteral("[%1]").arg(item) << QStringLiteral("DataCnt=2") << QStringLiteral("StartField1=2")
              << QStringLiteral("StartField2=5") << QStringLiteral("Entry1=男,男")
              << QStringLiteral("Entry2=0～4歳(男),0～4歳(男)") << QStringLiteral("Entry3=5歳以上(男)")
              << QStringLiteral("Entry4=女,女") << QStringLiteral("Entry5=0～4歳(女),0～4歳(女)")
              << QStringLiteral("Entry6=5歳以上(女)");
        const QString path = dir.path() + QStringLiteral("etc/A調査.txt");
        write(path, lines);
        return path;
    }

    // Puts a pyramid item into list 0 as the item tree makes it.
    static void addPyramidItem(GraphCreateBed &bed, const QString &name, const QString &folder,
        const QString &listFile)
    {
        frmStatisticsMap *w = bed.window();
        auto *leaf = new QTreeWidgetItem(w->treeStatistic, QStringList{name});
        w->treeStatistic->setCurrentItem(leaf);
        const PyramidFields fields = readPyramidFields(name, listFile);
        w->m_ctlSelect->setStatItem(std::make_shared<const clsStatisticsItem>(
            pyramidAttributes(folder, 2, fields, listFile, QStringLiteral("R2"))));
        w->m_ctlSelect->cmdSelect_Click(1);
        delete leaf;
    }

    // Value lines "code,男,m1,m2,女,w1,w2".
    QString ageFolder(const QStringList &rows)
    {
        const QString path = folder(QStringLiteral("etc/age"));
        write(path + QStringLiteral("\\a.txt"), QStringList{QStringLiteral("CODE,男,m1,m2,女,w1,w2")} + rows);
        return path;
    }
};

TEST_F(GraphKindsTest, TallyKindsReadTheValuesAndDrawNothing)
{
    // 北海道's figure is "-"; 神奈川県 has no line.
    const QString values = prefFolder(QStringLiteral("p"), {"01,-,1", "13,5,2"});
    QImage symbol(16, 16, QImage::Format_RGB32);
    symbol.fill(Qt::red);
    const QString symbolFile = dir.file(QStringLiteral("sym.bmp"));
    ASSERT_TRUE(symbol.save(symbolFile, "BMP"));

    struct Case
    {
        int kind;
        std::int32_t graphKind;
    };
    for (const Case &c : {Case{MapKindValue, GraphKindValue}, Case{MapKindSymbol, GraphKindSymbol},
             Case{MapKindRanking, GraphKindRanking}}) {
        SCOPED_TRACE(c.kind);
        GraphCreateBed bed(dir.path());
        bed.choose(c.kind, AnaRangePref);
        for (int pref : {1, 13, 14})
            bed.addArea(pref);
        // These lists take one item; a second replaces the first.
        bed.addItem(0, QStringLiteral("世帯"), values, 2);
        bed.addItem(0, QStringLiteral("人口"), values, 1);
        frmStatisticsMap *w = bed.window();
        ASSERT_EQ(w->m_ctlSelect->ListCount(0), 1);
        if (c.kind == MapKindSymbol) {
            ASSERT_FALSE(w->m_ctlSelect->AddSymble(symbolFile).toString().isEmpty());
            w->m_ctlSelect->lstSymbol->item(0)->setSelected(true);
        }
        EXPECT_TRUE(bed.create().isEmpty());
        EXPECT_EQ(glngGraphKind, c.graphKind);
        ASSERT_EQ(w->m_Graph->Segments(), 0);
        const GraphSegment &s = w->m_Graph->segmentList()[0];
        // Named after the first entry of the list.
        EXPECT_EQ(s.Name, QStringLiteral("人口"));
        EXPECT_EQ(s.Color, Blue);
        EXPECT_EQ(s.Value, 0);
        EXPECT_FALSE(shown(w->FrameMap));
        EXPECT_TRUE(shown(w->lblCalcEnd));
        EXPECT_TRUE(shown(w->cmdMapOut));
        EXPECT_TRUE(shown(w->cmdListOut));
        EXPECT_EQ(bed.notDatAreas(), (QStringList{"北海道", "神奈川県"}));
        ASSERT_EQ(gtypStatArea.size(), 4u);
        for (const StatArea &a : gtypStatArea) {
            if (a.AreaName != QStringLiteral("東京都"))
                continue;
            EXPECT_EQ(statNumber(a.Value.at(1)), 5);
        }
    }
}

TEST_F(GraphKindsTest, TallyKindRefusals)
{
    const QString values = prefFolder(QStringLiteral("p"), {"13,-", "14,-"});
    struct Case
    {
        const char *name;
        int kind;
        bool item;
        QString message;
    };
    const Case cases[] = {
        {"value without items", MapKindValue, false, QStringLiteral("グラフ作成する統計項目を１つ以上選択して下さい。")},
        {"ranking without items", MapKindRanking, false, QStringLiteral("グラフ作成する統計項目を１つ以上選択して下さい。")},
        {"symbol without a picture", MapKindSymbol, true, QStringLiteral("シンボルファイルを選択して下さい。")},
        {"value without data", MapKindValue, true, QStringLiteral("選択した統計項目では実数値地図の作成が出来ません")},
        {"ranking without data", MapKindRanking, true, QStringLiteral("選択した統計項目ではランキングの作成が出来ません")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GraphCreateBed bed(dir.path());
        bed.choose(c.kind, AnaRangePref);
        bed.addArea(13);
        bed.addArea(14);
        if (c.item)
            bed.addItem(0, QStringLiteral("人口"), values, 1);
        frmStatisticsMap *w = bed.window();
        EXPECT_EQ(bed.create(), QStringList{c.message});
        EXPECT_FALSE(shown(w->cmdMapOut));
        EXPECT_FALSE(shown(w->lblCalcEnd));
        EXPECT_TRUE(w->isEnabled());
    }
    // A symbol map whose items have no data says so in its own words.
    QImage symbol(8, 8, QImage::Format_RGB32);
    symbol.fill(Qt::blue);
    ASSERT_TRUE(symbol.save(dir.file(QStringLiteral("s.bmp")), "BMP"));
    GraphCreateBed bed(dir.path());
    bed.choose(MapKindSymbol, AnaRangePref);
    bed.addArea(13);
    bed.addItem(0, QStringLiteral("人口"), values, 1);
    bed.window()->m_ctlSelect->AddSymble(dir.file(QStringLiteral("s.bmp")));
    bed.window()->m_ctlSelect->lstSymbol->item(0)->setSelected(true);
    EXPECT_EQ(bed.create(), QStringList{QStringLiteral("選択した統計項目でシンボルの作成が出来ません")});
}

TEST_F(GraphKindsTest, RankingSortsTheRecordsByTheFirstValue)
{
    struct Case
    {
        const char *name;
        QStringList rows;
        int rankOption;
        QStringList order;
    };
    const Case cases[] = {
        // A, B, C = 北海道, 東京都, 神奈川県 with 5, 9, 5.
        {"ascending", {"01,5", "13,9", "14,5"}, 0, {"神奈川県", "北海道", "東京都"}},
        {"descending", {"01,5", "13,9", "14,5"}, 1, {"東京都", "北海道", "神奈川県"}},
        // Two areas without data ("-" and no line) sort as zeros.
        {"without data, ascending", {"01,-", "13,9"}, 0, {"神奈川県", "北海道", "東京都"}},
        {"without data, descending", {"01,-", "13,9"}, 1, {"東京都", "北海道", "神奈川県"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString values = prefFolder(QStringLiteral("r"), c.rows);
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindRanking, AnaRangePref);
        for (int pref : {1, 13, 14})
            bed.addArea(pref);
        bed.addItem(0, QStringLiteral("人口"), values, 1);
        bed.window()->m_ctlSelect->optRank[static_cast<std::size_t>(c.rankOption)]->setChecked(true);
        EXPECT_TRUE(bed.create().isEmpty());
        EXPECT_EQ(recordNames(), c.order);
    }
}

TEST_F(GraphKindsTest, PyramidSumsTheAreasAndNamesTheClasses)
{
    const QString list = pyramidList({QStringLiteral("都道府県")});
    const QString values = ageFolder({"13,30,10,20,33,11,22", "14,3,1,2,5,2,3.00004", "01,-,-,-,-,-,-"});
    GraphCreateBed bed(dir.path());
    bed.choose(MapKindPyramid, AnaRangePref);
    for (int pref : {13, 14, 1})
        bed.addArea(pref);
    addPyramidItem(bed, QStringLiteral("年齢5歳階級別"), values, list);
    frmStatisticsMap *w = bed.window();
    EXPECT_TRUE(bed.create().isEmpty());
    EXPECT_EQ(glngGraphKind, GraphKindPyramid);
    ASSERT_EQ(w->m_Graph->Segments(), 1);
    EXPECT_EQ(w->m_Graph->segmentList()[0].Name, QStringLiteral("男"));
    EXPECT_EQ(w->m_Graph->segmentList()[1].Name, QStringLiteral("女"));
    EXPECT_EQ(w->m_Graph->segmentList()[0].Color, w->pyramidColor(1));
    EXPECT_EQ(w->m_Graph->segmentList()[1].Color, w->pyramidColor(2));
    // Class 1 first; each term to four decimals (3.00004 -> 3).
    EXPECT_EQ(w->m_Graph->pyramidLeft(), (std::vector<double>{11, 22}));
    EXPECT_EQ(w->m_Graph->pyramidRight(), (std::vector<double>{13, 25}));
    EXPECT_EQ(w->ageClassNames(), (std::vector<QString>{QString(), "0～4歳", "5歳以上"}));
    EXPECT_EQ(bed.notDatAreas(), QStringList{"北海道"});
    EXPECT_TRUE(shown(w->FrameMap));
    EXPECT_EQ(w->FrameMap->y(), 362);
    EXPECT_EQ(w->FrameMap->height(), 303);
    EXPECT_EQ(w->picMap()->height(), ui::twipsToPixelsY(4185));
    EXPECT_TRUE(shown(w->cmdMapOut));
    EXPECT_TRUE(shown(w->cmdListOut));
    EXPECT_FALSE(shown(w->lblCalcEnd));
    // The preview is drawn.
    EXPECT_TRUE(w->m_Graph->AutoRedraw());
    EXPECT_NE(w->picMap()->image().pixel(5, 5), w->picMap()->image().pixel(w->picMap()->width() / 2, 10));
}

TEST_F(GraphKindsTest, RelativePyramidWithAnEmptyRightSeries)
{
    const QString list = pyramidList({QStringLiteral("都道府県")});
    const QString values = ageFolder({"13,4,1,3,0,0,0", "14,4,0,4,0,0,0"});
    GraphCreateBed bed(dir.path());
    bed.choose(MapKindPyramid, AnaRangePref);
    bed.addArea(13);
    bed.addArea(14);
    addPyramidItem(bed, QStringLiteral("年齢5歳階級別"), values, list);
    frmStatisticsMap *w = bed.window();
    w->m_ctlSelect->optExpressionKind[1]->setChecked(true);
    ASSERT_EQ(w->m_ctlSelect->ExpressionKind(), 1);
    EXPECT_TRUE(bed.create().isEmpty());
    EXPECT_EQ(w->m_Graph->pyramidLeft(), (std::vector<double>{12.5, 87.5}));
    EXPECT_EQ(w->m_Graph->pyramidRight(), (std::vector<double>{0, 0}));
}

TEST_F(GraphKindsTest, TheSingleYearTableIsDrawnWithoutOutlines)
{
    // The same rows drawn under two item names: outlined bars lose fill
    // pixels to their outline.
    auto fillPixels = [&](const QString &item) {
        const QString list = pyramidList({QStringLiteral("都道府県")}, item);
        const QString values = ageFolder({"13,30,10,20,33,11,22"});
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindPyramid, AnaRangePref);
        bed.addArea(13);
        addPyramidItem(bed, item, values, list);
        EXPECT_TRUE(bed.create().isEmpty());
        const std::int32_t bgr = bed.window()->pyramidColor(1);
        const QRgb fill = qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
        const QImage image = bed.window()->picMap()->image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += (image.pixel(x, y) & 0xFFFFFF) == (fill & 0xFFFFFF);
        return count;
    };
    const int framed = fillPixels(QStringLiteral("年齢5歳階級別"));
    const int borderless = fillPixels(QStringLiteral("年齢各歳別(男女別)"));
    EXPECT_GT(framed, 0);
    EXPECT_GT(borderless, framed);
}

TEST_F(GraphKindsTest, PyramidRefusals)
{
    const QString values = ageFolder({"13,30,10,20,33,11,22", "13101001001,3,1,2,3,1,2"});
    const QString town = indexedFolder(QStringLiteral("etc/town"), {QStringLiteral("13")});
    write(town + QStringLiteral("\\13.txt"), {"CODE,男,m1,m2,女,w1,w2", "13101001001,3,1,2,3,1,2"});
    const QString zeros = folder(QStringLiteral("etc/zeros"));
    write(zeros + QStringLiteral("\\a.txt"), {"CODE,男,m1,m2,女,w1,w2", "13,0,0,0,0,0,0"});
    const QString onlyPrefAndCity = pyramidList({QStringLiteral("都道府県"), QStringLiteral("市区町村")});
    struct Case
    {
        const char *name;
        int items; // pyramid items; -1 an ordinary item
        std::int32_t level;
        QString folder;
        QString list;
        QString message;
    };
    const Case cases[] = {
        {"no item", 0, AnaRangePref, values, onlyPrefAndCity, QStringLiteral("グラフ作成する統計項目を選択して下さい。")},
        {"fewer than six details", -1, AnaRangePref, values, onlyPrefAndCity,
            QStringLiteral("グラフ作成する統計項目を再選択して下さい。")},
        {"only zeros", 1, AnaRangePref, zeros, onlyPrefAndCity,
            QStringLiteral("選択した統計項目では人口ピラミッドの作成が出来ません")},
        {"town blocks, a list without 町丁字", 1, AnaRangeTown, town, onlyPrefAndCity,
            QStringLiteral("指定した分析単位のデータ種類がありません")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindPyramid, c.level);
        if (c.level == AnaRangeTown)
            bed.addArea(13, 101, 1001);
        else
            bed.addArea(13);
        if (c.items < 0)
            bed.addItem(0, QStringLiteral("年齢5歳階級別"), c.folder, 2);
        for (int i = 0; i < c.items; ++i)
            addPyramidItem(bed, QStringLiteral("年齢5歳階級別"), c.folder, c.list);
        frmStatisticsMap *w = bed.window();
        EXPECT_EQ(bed.create(), QStringList{c.message});
        EXPECT_FALSE(shown(w->cmdMapOut));
    }

    // The item list changed after the item was chosen: the item is no
    // longer listed under its unit, or the list is gone.
    const QStringList withoutItem{"[ﾃﾞｰﾀ種類]", "Entry1=都道府県", "[都道府県]", "Entry1=人口"};
    for (bool removed : {false, true}) {
        SCOPED_TRACE(removed);
        const QString list = pyramidList({QStringLiteral("都道府県")});
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindPyramid, AnaRangePref);
        bed.addArea(13);
        addPyramidItem(bed, QStringLiteral("年齢5歳階級別"), values, list);
        if (removed)
            ASSERT_TRUE(QFile::remove(list));
        else
            write(list, withoutItem);
        EXPECT_EQ(bed.create(), QStringList{removed ? QStringLiteral("指定した分析単位のデータ種類がありません")
                                                    : QStringLiteral("指定した分析単位の統計項目はありません")});
    }
}

TEST_F(GraphKindsTest, FlowMapOfOnePrefecture)
{
    const QString flow = folder(QStringLiteral("etc/flow"));
    write(flow + QStringLiteral("\\a.txt"), {"CODE,partner,in,out", "13,1,100,5", "13,14,300,0", "14,13,0,0"});
    struct Case
    {
        const char *name;
        QList<int> prefs;
        std::int32_t level;
        int flowKind;
        QString message;
    };
    const Case cases[] = {
        {"inflow", {13}, AnaRangePref, 0, QString()},
        {"outflow", {13}, AnaRangePref, 1, QString()},
        {"two prefectures", {13, 14}, AnaRangePref, 0,
            QStringLiteral("流線図を作成するためには都道府県を１つだけを選択して下さい。")},
        {"only zero counts", {14}, AnaRangePref, 0, QStringLiteral("選択した統計項目では流線図の作成が出来ません")},
        {"no line", {1}, AnaRangePref, 0, QStringLiteral("選択した統計項目では流線図の作成が出来ません")},
        {"municipalities", {13, 13}, AnaRangeCity, 0, QStringLiteral("グラフ作成が出来ない項目が指定されています")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        GraphCreateBed bed(dir.path());
        bed.choose(MapKindRyusen, c.level);
        for (int i = 0; i < c.prefs.size(); ++i)
            bed.addArea(c.prefs[i], c.level == AnaRangeCity ? 101 + i : 0);
        bed.addItem(0, QStringLiteral("転入"), flow, 1);
        frmStatisticsMap *w = bed.window();
        w->m_ctlSelect->optFlow[static_cast<std::size_t>(c.flowKind)]->setChecked(true);
        const QStringList messages = bed.create();
        if (!c.message.isEmpty()) {
            EXPECT_EQ(messages, QStringList{c.message});
            EXPECT_FALSE(shown(w->cmdMapOut));
            continue;
        }
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(glngGraphKind, GraphKindRyusen);
        ASSERT_EQ(w->m_Graph->Segments(), 0);
        EXPECT_EQ(w->m_Graph->segmentList()[0].Name, QStringLiteral("転入"));
        EXPECT_EQ(w->m_Graph->segmentList()[0].Color, Blue);
        ASSERT_EQ(gtypStatArea.size(), 2u);
        const auto &pairs = gtypStatArea[1].Ryusen;
        ASSERT_EQ(pairs.size(), 3u);
        EXPECT_EQ(pairs[1].PartnerCode, c.flowKind == 0 ? 14 : 1);
        EXPECT_FALSE(shown(w->FrameMap));
        EXPECT_TRUE(shown(w->lblCalcEnd));
        EXPECT_TRUE(shown(w->cmdListOut));
        // Areas without data are not listed for this kind.
        EXPECT_TRUE(w->notDatArea()->isHidden());
    }
}

} // namespace
