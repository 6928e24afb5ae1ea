// The statistics item tree of the statistics map window: which era years,
// statistics, data kinds and items a level and map kind offer, the items
// behind the selectable nodes, the click that hands one to the selector and
// the selector's entries carried over a rebuild. On small CP932 etc trees,
// and on the generated default data.
#include "graphs/ctlselect.h"
#include "platform/fs/fs.h"
#include "platform/text/text.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/globals.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "statdata/statfileformat.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindow/statistictree.h"
#include "statwindow/statwindowregistration.h"
#include "testsupport.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <gtest/gtest.h>

namespace {

using namespace veltra;
using test::u;

constexpr int Choropleth = 0;
constexpr int Pyramid = 6;
constexpr int Flow = 7;

// "key text" of every node in tree order, indented by two blanks a level.
QStringList dump(const QTreeWidget *tree)
{
    QStringList lines;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(tree)); *it; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
            ++depth;
        lines << QString(depth * 2, u' ') + frmStatisticsMap::treeNodeKey(*it) + u' ' + (*it)->text(0);
    }
    return lines;
}

QStringList strings(const std::vector<QVariant> &values)
{
    QStringList out;
    for (const QVariant &v : values)
        out << v.toString();
    return out;
}

QTreeWidgetItem *nodeByKey(QTreeWidget *tree, const QString &key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if (frmStatisticsMap::treeNodeKey(*it) == key)
            return *it;
    }
    return nullptr;
}

// One statistics of a fixture: its year line and its item list.
struct Statistics
{
    const char *yearLine;
    const char *name; // the list file's base name
    QStringList list; // UTF-8 lines of the item list
};

class StatisticTreeBed : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        shell::setProgramFolder(dir.path() + QStringLiteral("program/"));
        ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("program")));
        gstrDataPath = dir.path() + QStringLiteral("data/");
        ASSERT_TRUE(QDir().mkpath(gstrDataPath + QStringLiteral("DB/TempPImage")));
        statdata::MeshDatabase db;
        ASSERT_TRUE(db.create(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
        db.close();
        statwindow::registerStatisticsWindow();
        etc = gstrDataPath + QStringLiteral("etc/");
    }

    static void write(const QString &path, const QStringList &lines)
    {
        QByteArray bytes;
        ASSERT_TRUE(text::encodeCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), bytes));
        QDir().mkpath(QFileInfo(path).path());
        test::writeBytes(path, bytes);
    }
    // Writes the year file, the item lists (".txt", found for ".TXT") and
    // the value folders named.
    void makeTree(const std::vector<Statistics> &statistics, const QStringList &folders)
    {
        QStringList years;
        for (const Statistics &s : statistics) {
            years << u(s.yearLine);
            if (!s.list.isEmpty())
                write(etc + u(s.name) + QStringLiteral(".txt"), s.list);
        }
        write(etc + statdata::yearFileName(), years);
        for (const QString &f : folders)
            ASSERT_TRUE(QDir().mkpath(etc + f));
    }

    frmStatisticsMap *build(std::int32_t level, int kind)
    {
        frmStatisticsMap *w = ui::form<frmStatisticsMap>();
        w->setAnaRange(level);
        w->optAnaUnit(static_cast<std::int16_t>(kind))->setChecked(true);
        w->CreateStatisticTree();
        return w;
    }

    // Selects a node and clicks it.
    static void click(frmStatisticsMap *w, QTreeWidgetItem *node)
    {
        w->treeStatistic->setCurrentItem(node);
        w->treeStatistic_Click();
    }

    static std::vector<QString> details(frmStatisticsMap *w, std::int32_t list, std::int32_t entry)
    {
        std::vector<QString> d;
        w->m_ctlSelect->GetSubItemData(list, entry, d);
        return d;
    }

    test::RunStateGuard guard;
    test::TempDir dir;
    QString etc;
};

// An item list in the shipped form: title, area units, Path relative to the
// list, data kinds and items.
QStringList census(const char *folder, const QStringList &units, const QStringList &kinds,
    const QStringList &items = {u("Entry1=総人口,総人口")})
{
    QStringList l{u("[統計内容]"), u("Entry1=国勢調査"), u("[ﾃﾞｰﾀ種類]")};
    for (int i = 0; i < units.size(); ++i)
        l << QStringLiteral("Entry%1=").arg(i + 1) + units[i];
    for (const QString &unit : units) {
        l << u'[' + unit + u']' << QStringLiteral("Path=") + u(folder) + u'\\' + unit + u'\\';
        for (int j = 0; j < kinds.size(); ++j)
            l << QStringLiteral("Entry%1=").arg(j + 1) + kinds[j];
    }
    for (const QString &kind : kinds)
        l << u'[' + kind + u']' << items;
    return l;
}

struct ShapeCase
{
    const char *name;
    std::vector<Statistics> statistics;
    QStringList folders;
    std::int32_t level;
    int kind;
    QStringList tree; // UTF-8 lines as dump gives them
};

TEST_F(StatisticTreeBed, TreeShapesByLevelAndMapKind)
{
    const QString pref = u("都道府県");
    const QString city = u("市区町村");
    const std::vector<ShapeCase> cases{
        {"an empty year file", {}, {}, 1, Choropleth, {}},
        {"two statistics of one era year share the first one's top node",
            {{"A調査,20200101,20201231", "A調査", census("A調査", {pref}, {u("人口")})},
                {"B調査,20201001,20210930", "B調査", census("B調査", {pref}, {u("人口")})}},
            {u("A調査/都道府県/人口"), u("B調査/都道府県/人口")}, 1, Choropleth,
            {u("S0 令和2年"), u("  S0T 国勢調査"), u("    S0TC1 人口"), u("      S0TC1D1 総人口"),
                u("  S1T 国勢調査"), u("    S1TC1 人口"), u("      S1TC1D1 総人口")}},
        {"a statistics without the level's unit goes with its top node",
            {{"A調査,20200101,20201231", "A調査", census("A調査", {pref}, {u("人口")})},
                {"C調査,20151001,20200930", "C調査", census("C調査", {pref, city}, {u("人口")})}},
            {u("A調査/都道府県/人口"), u("C調査/市区町村/人口")}, 2, Choropleth,
            {u("S1 平成27年"), u("  S1T 国勢調査"), u("    S1TC1 人口"), u("      S1TC1D1 総人口")}},
        {"the nation level uses the prefecture unit",
            {{"A調査,20200101,20201231", "A調査", census("A調査", {pref}, {u("人口")})}},
            {u("A調査/都道府県/人口")}, 0, Choropleth,
            {u("S0 令和2年"), u("  S0T 国勢調査"), u("    S0TC1 人口"), u("      S0TC1D1 総人口")}},
        {"missing folders, a missing list and dates that are no day offer nothing",
            {{"A調査,20200101,20201231", "A調査", census("A調査", {pref}, {u("人口"), u("世帯"), u("面積")})},
                {"欠け調査,20100101,20141231", "欠け調査", {}},
                {"D調査,20201301,20211231", "D調査", census("D調査", {pref}, {u("人口")})},
                {"E調査,2020,20211231", "E調査", census("E調査", {pref}, {u("人口")})}, {"一つだけ", "", {}}},
            {u("A調査/都道府県/面積"), u("D調査/都道府県/人口"), u("E調査/都道府県/人口")}, 1, Choropleth,
            {u("S0 令和2年"), u("  S0T 国勢調査"), u("    S0TC3 面積"), u("      S0TC3D1 総人口")}},
        {"the pyramid keeps its six data kinds, without leaves",
            {{"A調査,20200101,20201231", "A調査",
                census("A調査", {pref},
                    {u("人口"), u("年齢5歳階級別"), u("年齢各歳別(男女別)"), u("平成12年"), u("平成22年"),
                        u("平成32年"), u("平成42年"), u("平成52年")})}},
            {u("A調査/都道府県/人口"), u("A調査/都道府県/年齢5歳階級別"),
                u("A調査/都道府県/年齢各歳別(男女別)"), u("A調査/都道府県/平成12年"),
                u("A調査/都道府県/平成22年"), u("A調査/都道府県/平成32年"), u("A調査/都道府県/平成42年"),
                u("A調査/都道府県/平成52年")},
            1, Pyramid,
            {u("S0 令和2年"), u("  S0T 国勢調査"), u("    S0TC2 年齢5歳階級別"),
                u("    S0TC3 年齢各歳別(男女別)"), u("    S0TC4 平成12年"), u("    S0TC5 平成22年"),
                u("    S0TC6 平成32年"), u("    S0TC7 平成42年")}},
        // A data kind whose text is an era year is no parent of a statistics.
        {"a pyramid data kind named like a later era year",
            {{"H7調査,19951001,20000930", "H7調査", census("H7調査", {pref}, {u("平成12年")})},
                {"H12調査,20001001,20050930", "H12調査", census("H12調査", {pref}, {u("年齢5歳階級別")})}},
            {u("H7調査/都道府県/平成12年"), u("H12調査/都道府県/年齢5歳階級別")}, 1, Pyramid,
            {u("S0 平成7年"), u("  S0T 国勢調査"), u("    S0TC1 平成12年"), u("S1 平成12年"),
                u("  S1T 国勢調査"), u("    S1TC1 年齢5歳階級別")}},
        {"the flow map keeps the migration kind and sees the migration report",
            {{"A調査,20200101,20201231", "A調査", census("A調査", {pref}, {u("人口")})},
                {"住民基本台帳人口移動報告,20190101,20191231", "住民基本台帳人口移動報告",
                    census("住民基本台帳人口移動報告", {pref},
                        {u("人口"), u("移動前の住所地別転入者数及び移動後の住所地別転出者数")})}},
            {u("A調査/都道府県/人口"), u("住民基本台帳人口移動報告/都道府県/人口"),
                u("住民基本台帳人口移動報告/都道府県/移動前の住所地別転入者数及び移動後の住所地別転出者数")},
            1, Flow,
            {u("S1 平成31年"), u("  S1T 国勢調査"),
                u("    S1TC2 移動前の住所地別転入者数及び移動後の住所地別転出者数")}},
        {"other map kinds never see the migration report",
            {{"A調査,20200101,20201231", "A調査", census("A調査", {pref}, {u("人口")})},
                {"住民基本台帳人口移動報告,20190101,20191231", "住民基本台帳人口移動報告",
                    census("住民基本台帳人口移動報告", {pref}, {u("人口")})}},
            {u("A調査/都道府県/人口"), u("住民基本台帳人口移動報告/都道府県/人口")}, 1, Choropleth,
            {u("S0 令和2年"), u("  S0T 国勢調査"), u("    S0TC1 人口"), u("      S0TC1D1 総人口")}},
    };
    for (const ShapeCase &c : cases) {
        SCOPED_TRACE(c.name);
        makeTree(c.statistics, c.folders);
        frmStatisticsMap *w = build(c.level, c.kind);
        EXPECT_EQ(dump(w->treeStatistic), c.tree);
        // Every selectable node, and only those, has an item.
        for (QTreeWidgetItemIterator it(w->treeStatistic); *it; ++it) {
            const bool selectable = (*it)->childCount() == 0;
            EXPECT_EQ(w->statisticsItem(frmStatisticsMap::treeNodeKey(*it)) != nullptr, selectable)
                << frmStatisticsMap::treeNodeKey(*it).toStdString();
        }
        if (c.tree.isEmpty()) {
            EXPECT_TRUE(w->statisticsItem(QStringLiteral("S0TC1D1")) == nullptr);
            EXPECT_EQ(w->yearList().size(), 1u);
        }
        ui::WindowRegistry::instance().unload(QStringLiteral("frmStatisticsMap"));
        test::flushDeletes();
        QDir(etc).removeRecursively();
    }
}

TEST_F(StatisticTreeBed, YearEntriesKeepTheirLinesAndEndInAnEmptyOne)
{
    makeTree({{"A調査,20200101,20201231", "A調査", {}}, {"B調査,19451101,19500930,余り", "B調査", {}},
                 {"D調査,20201301,20211231", "D調査", {}}},
        {});
    frmStatisticsMap *w = build(1, Choropleth);
    const auto &y = w->yearList();
    ASSERT_EQ(y.size(), 4u);
    EXPECT_EQ(y[0].Name, u("A調査"));
    EXPECT_EQ(y[0].EraCode, QStringLiteral("R2"));
    EXPECT_EQ(y[0].EraYearText, u("令和2年"));
    EXPECT_TRUE(fs::normalize(y[0].ListFile).endsWith(u("data/etc/A調査.TXT")))
        << y[0].ListFile.toStdString();
    EXPECT_EQ(y[1].EraCode, QStringLiteral("S20"));
    EXPECT_EQ(y[1].EndDate, QStringLiteral("19500930"));
    EXPECT_EQ(y[2].StartDate, QStringLiteral("20201301"));
    EXPECT_TRUE(y[2].EraCode.isEmpty() && y[2].EraYearText.isEmpty() && y[2].ListFile.isEmpty());
    EXPECT_TRUE(y[3].Name.isEmpty());
}

TEST_F(StatisticTreeBed, ItemsCarryTheirLayouts)
{
    // Every data kind's section holds the items and the pyramid keys.
    const QStringList list = census("A調査", {u("都道府県")}, {u("人口"), u("年齢5歳階級別")},
        {u("Entry1=総人口"), u("Entry2=男,男性"), u("Entry3=\"女,計\",女,余り"), QStringLiteral("DataCnt=21"),
            QStringLiteral("StartField1=3"), QStringLiteral("StartField2=x")});
    makeTree({{"A調査,20200101,20201231", "A調査", list}},
        {u("A調査/都道府県/人口"), u("A調査/都道府県/年齢5歳階級別")});
    const QString folder = etc + u("A調査\\都道府県\\人口");

    frmStatisticsMap *w = build(1, Choropleth);
    EXPECT_EQ(nodeByKey(w->treeStatistic, QStringLiteral("S0TC1D3"))->text(0), u("女,計"));
    const std::vector<std::pair<const char *, QStringList>> leaves{
        {"S0TC1D1",
            {folder, QStringLiteral("1"), QStringLiteral("R2"), QStringLiteral("RYAKU"), u("総人口")}},
        {"S0TC1D2", {folder, QStringLiteral("2"), QStringLiteral("R2"), QStringLiteral("RYAKU"), u("男性")}},
        {"S0TC1D3", {folder, QStringLiteral("3"), QStringLiteral("R2"), QStringLiteral("RYAKU"), QString()}}};
    for (const auto &[key, expected] : leaves) {
        SCOPED_TRACE(key);
        const auto item = w->statisticsItem(QString::fromUtf8(key));
        ASSERT_TRUE(item);
        QStringList got = strings(item->StatisticsProperty());
        ASSERT_EQ(got.size(), 5);
        EXPECT_EQ(QFileInfo(fs::resolve(got[0])).canonicalFilePath(),
            QFileInfo(etc + u("A調査/都道府県/人口")).canonicalFilePath());
        got[0] = folder;
        EXPECT_EQ(got, expected);
    }

    ui::WindowRegistry::instance().unload(QStringLiteral("frmStatisticsMap"));
    test::flushDeletes();
    w = build(1, Pyramid);
    const auto pyramid = w->statisticsItem(QStringLiteral("S0TC2"));
    ASSERT_TRUE(pyramid);
    QStringList got = strings(pyramid->StatisticsProperty());
    ASSERT_EQ(got.size(), 11);
    // StartField1 3 names Entry2 ("男,男性": its second field); StartField2
    // is no number, so 0, and Entry-1 gives nothing.
    EXPECT_EQ(got.mid(1),
        (QStringList{QStringLiteral("2"), QStringLiteral("21"), QStringLiteral("3"), QStringLiteral("0"),
            got[5], u("男性"), QString(), QStringLiteral("R2"), QStringLiteral("RYAKU"), QString()}));
    EXPECT_TRUE(got[5].endsWith(u("A調査.TXT")));
    EXPECT_TRUE(got[0].endsWith(u("年齢5歳階級別")));
    // A first age text of more than three characters loses its last three.
    EXPECT_EQ(statwindow::pyramidAbbreviation(u("男0～4歳")), u("男0"));
    EXPECT_EQ(statwindow::pyramidAbbreviation(u("男性計")), QString());
}

TEST_F(StatisticTreeBed, ClickHandsOnlyLeavesToTheSelector)
{
    makeTree(
        {{"A調査,20200101,20201231", "A調査",
            census("A調査", {u("都道府県")}, {u("人口")}, {u("Entry1=総人口,総人口"), u("Entry2=男,男")})}},
        {u("A調査/都道府県/人口")});
    frmStatisticsMap *w = build(1, Choropleth);
    click(w, nodeByKey(w->treeStatistic, QStringLiteral("S0TC1D2")));
    // Clicks on nodes with children keep the item of the leaf.
    for (const char *key : {"S0TC1", "S0T", "S0"})
        click(w, nodeByKey(w->treeStatistic, QString::fromUtf8(key)));
    // The arrow adds the selected leaf with the item last handed over.
    w->treeStatistic->setCurrentItem(nodeByKey(w->treeStatistic, QStringLiteral("S0TC1D1")));
    w->m_ctlSelect->cmdSelect_Click(1);
    ASSERT_EQ(w->m_ctlSelect->ListCount(0), 1);
    const auto d = details(w, 0, 1);
    EXPECT_EQ(d[0], u("総人口"));
    EXPECT_EQ(d[2], QStringLiteral("2"));
}

class RelinkBed : public StatisticTreeBed
{
protected:
    void SetUp() override
    {
        StatisticTreeBed::SetUp();
        QStringList list = census("A調査", {u("都道府県"), u("市区町村")}, {u("人口")});
        // 面積 only at the prefecture level.
        list.replaceInStrings(QStringLiteral("Path=") + u("A調査\\都道府県\\"),
            QStringLiteral("Path=") + u("A調査\\都道府県\\") + QStringLiteral("\r\nEntry2=") + u("面積"));
        list << u("[面積]") << u("Entry1=面積,面積");
        makeTree({{"A調査,20200101,20201231", "A調査", list}},
            {u("A調査/都道府県/人口"), u("A調査/都道府県/面積"), u("A調査/市区町村/人口")});
    }

    // Chooses the leaf `key` at the prefecture level, then puts it into list
    // 0 at the municipality level over the leaf `cityKey` as it stood.
    frmStatisticsMap *chosenAtPrefecture(const char *key, const char *cityKey)
    {
        frmStatisticsMap *w = build(1, Choropleth);
        const auto prefItem = w->statisticsItem(QString::fromUtf8(key));
        EXPECT_TRUE(prefItem);
        w->setAnaRange(2);
        w->CreateStatisticTree();
        w->treeStatistic->setCurrentItem(nodeByKey(w->treeStatistic, QString::fromUtf8(cityKey)));
        w->m_ctlSelect->setStatItem(prefItem);
        w->m_ctlSelect->cmdSelect_Click(1);
        EXPECT_EQ(w->m_ctlSelect->ListCount(0), 1);
        return w;
    }
};

TEST_F(RelinkBed, AnEntryTakesTheRebuiltNodesFolder)
{
    frmStatisticsMap *w = chosenAtPrefecture("S0TC1D1", "S0TC1D1");
    EXPECT_TRUE(details(w, 0, 1)[1].contains(u("都道府県")));
    w->CreateStatisticTree();
    ASSERT_EQ(w->m_ctlSelect->ListCount(0), 1);
    const auto d = details(w, 0, 1);
    EXPECT_TRUE(d[1].endsWith(u("市区町村\\人口"))) << d[1].toStdString();
    EXPECT_EQ(d[2], QStringLiteral("1"));
    EXPECT_EQ(d[3], QStringLiteral("R2"));
}

TEST_F(RelinkBed, AListWithoutAMatchClearsTheSelector)
{
    // 面積 has no municipality folder; the entry's node is gone.
    frmStatisticsMap *w = build(1, Choropleth);
    const auto areaItem = w->statisticsItem(QStringLiteral("S0TC2D1"));
    ASSERT_TRUE(areaItem);
    w->setAnaRange(2);
    w->CreateStatisticTree();
    w->treeStatistic->setCurrentItem(nodeByKey(w->treeStatistic, QStringLiteral("S0TC1D1")));
    w->m_ctlSelect->setStatItem(areaItem);
    w->m_ctlSelect->cmdSelect_Click(1);
    ASSERT_EQ(w->m_ctlSelect->ListCount(0), 1);
    // The entry's data kind 面積 has no node at this level.
    EXPECT_TRUE(details(w, 0, 1)[1].endsWith(u("面積")));
    w->CreateStatisticTree();
    EXPECT_EQ(w->m_ctlSelect->ListCount(0), 0);
}

TEST_F(RelinkBed, ATemplateEntrySurvives)
{
    frmStatisticsMap *w = build(2, Choropleth);
    {
        // The chooser is closed without a choice; the choice is made here.
        shell::ScopedModalHook hook([](QDialog &) {});
        w->m_ctlSelect->cmdCalSel_Click(0);
    }
    const QString file = gstrDataPath + u("計算ﾃﾝﾌﾟﾚｰﾄ/人口密度.cal");
    w->m_ctlSelect->frmCalcSel_SelectCalcTemplate(file);
    ASSERT_EQ(w->m_ctlSelect->ListCount(0), 1);
    w->CreateStatisticTree();
    ASSERT_EQ(w->m_ctlSelect->ListCount(0), 1);
    const auto d = details(w, 0, 1);
    EXPECT_EQ(d[0], file);
    EXPECT_EQ(d[1], file);
    EXPECT_EQ(d[2], QStringLiteral("CALC"));
}

// ---- the generated default data

class DefaultDataTree : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString data = QStringLiteral(VELTRA_DEFAULT_DATA "/VeltraData/");
        ASSERT_TRUE(QFileInfo::exists(data + QStringLiteral("etc")))
            << "build the target veltra_default_statistics";
        ASSERT_TRUE(dir.isValid());
        shell::setProgramFolder(dir.path());
        gstrDataPath = data;
        statwindow::registerStatisticsWindow();
    }
    frmStatisticsMap *build(std::int32_t level, int kind)
    {
        frmStatisticsMap *w = ui::form<frmStatisticsMap>();
        w->setAnaRange(level);
        w->optAnaUnit(static_cast<std::int16_t>(kind))->setChecked(true);
        w->CreateStatisticTree();
        return w;
    }
    static QStringList topNodes(const QTreeWidget *tree)
    {
        QStringList texts;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            texts << tree->topLevelItem(i)->text(0);
        return texts;
    }

    test::RunStateGuard guard;
    test::TempDir dir;
};

TEST_F(DefaultDataTree, PrefectureChoroplethRunsFromReiwaToTaisho)
{
    frmStatisticsMap *w = build(1, Choropleth);
    const QStringList expected{u("令和2年"), u("平成27年"), u("平成22年"), u("平成17年"), u("平成12年"),
        u("平成7年"), u("平成2年"), u("昭和60年"), u("昭和55年"), u("昭和50年"), u("昭和45年"), u("昭和40年"),
        u("昭和35年"), u("昭和30年"), u("昭和25年"), u("昭和20年"), u("昭和15年"), u("昭和10年"),
        u("昭和5年"), u("大正14年"), u("大正9年")};
    EXPECT_EQ(topNodes(w->treeStatistic), expected);

    // 令和2年 / 国勢調査 / 人口 / 総人口, clicked and moved into list 0.
    QTreeWidgetItem *top = w->treeStatistic->topLevelItem(0);
    ASSERT_GT(top->childCount(), 0);
    QTreeWidgetItem *stat = top->child(0);
    QTreeWidgetItem *population = nullptr;
    for (int i = 0; i < stat->childCount(); ++i) {
        if (stat->child(i)->text(0) == u("人口"))
            population = stat->child(i);
    }
    ASSERT_TRUE(population);
    ASSERT_GT(population->childCount(), 0);
    QTreeWidgetItem *total = population->child(0);
    EXPECT_EQ(total->text(0), u("総人口"));
    w->treeStatistic->setCurrentItem(total);
    w->treeStatistic_Click();
    w->m_ctlSelect->cmdSelect_Click(1);
    ASSERT_EQ(w->m_ctlSelect->ListCount(0), 1);
    std::vector<QString> d;
    w->m_ctlSelect->GetSubItemData(0, 1, d);
    EXPECT_EQ(d[0], u("総人口"));
    EXPECT_EQ(d[3], QStringLiteral("R2"));
    // The folder holds the prefecture value file.
    const QStringList files
        = QDir(veltra::fs::resolve(d[1])).entryList({QStringLiteral("*.txt")}, QDir::Files);
    EXPECT_FALSE(files.isEmpty()) << d[1].toStdString();
    std::vector<QString> texts;
    w->m_ctlSelect->GetItemData(0, texts);
    EXPECT_EQ(texts[0], u("総人口"));
}

TEST_F(DefaultDataTree, MunicipalityLevelKeepsTheLastTwoCounts)
{
    frmStatisticsMap *w = build(2, Choropleth);
    EXPECT_EQ(topNodes(w->treeStatistic), (QStringList{u("令和2年"), u("平成27年")}));
}

TEST_F(DefaultDataTree, PyramidOffersOnlyTheFiveYearAgeClasses)
{
    frmStatisticsMap *w = build(1, Pyramid);
    ASSERT_GT(w->treeStatistic->topLevelItemCount(), 0);
    for (QTreeWidgetItemIterator it(w->treeStatistic); *it; ++it) {
        if ((*it)->childCount() > 0)
            continue;
        EXPECT_EQ((*it)->text(0), u("年齢5歳階級別"));
        const auto item = w->statisticsItem(frmStatisticsMap::treeNodeKey(*it));
        ASSERT_TRUE(item);
        EXPECT_EQ(item->StatisticsProperty().size(), 11u);
    }
}

} // namespace
