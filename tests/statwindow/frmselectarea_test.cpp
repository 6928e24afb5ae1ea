// The area list chooser and the statistics map window's selected-area list
// on the fixture's place-name database: the level switch and the cascade of
// the three lists, the events of "選択決定", closing and placement, and what
// the window makes of the chosen areas and of a map-kind switch.
#include "graphs/ctlselect.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "shell/globals.h"
#include "shell/programfolder.h"
#include "statwindow/frmselectarea.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindowfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace veltra;
using namespace veltra::statwindow;
using namespace Qt::StringLiterals;

namespace {

QStringList column(const QTreeWidget *list, int c)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(c);
    return out;
}

QStringList names(const QTreeWidget *list)
{
    return column(list, 0);
}

// Selects the rows whose first column is one of the names, as a click with
// Ctrl would, and runs the list's click handler.
void pick(frmSelectArea *chooser, int index, const QStringList &rows)
{
    QTreeWidget *list = chooser->lstAddr[index];
    list->clearSelection();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (rows.contains(list->topLevelItem(i)->text(0)))
            list->topLevelItem(i)->setSelected(true);
    }
    chooser->lstAddr_Click(index);
}

void chooseLevel(frmSelectArea *chooser, int level)
{
    chooser->optAnaRange[level]->setChecked(true);
    chooser->optAnaRange_Click(level);
}

class AreaListTest : public test::StatWindowFixture
{
protected:
    void SetUp() override
    {
        StatWindowFixture::SetUp();
        gstrDataPath = dir.path();
        QDir().mkpath(dir.path() + QStringLiteral("program"));
        shell::setProgramFolder(dir.path() + QStringLiteral("program/"));
        ASSERT_TRUE(statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
    }

    frmStatisticsMap *window()
    {
        if (!m_window)
            m_window = ui::form<frmStatisticsMap>();
        return m_window;
    }
    frmSelectArea *chooser()
    {
        window()->cmdAreaSelect_Click(2);
        return window()->frmSel;
    }
    // Chooses areas in the chooser and reports them to the window.
    void choose(int level, int parentList, const QStringList &parents, const QStringList &areas)
    {
        frmSelectArea *c = chooser();
        chooseLevel(c, level);
        if (parentList >= 0)
            pick(c, parentList, parents);
        pick(c, level == 0 ? 0 : level - 1, areas);
        c->cmdSelect_Click();
    }

    frmStatisticsMap *m_window = nullptr;
    ui::DialogScript script;
};

TEST_F(AreaListTest, TheChooserOpensAtThePrefectureLevelBelowTheWindow)
{
    frmStatisticsMap *w = window();
    w->show();
    w->move(40, 30);
    frmSelectArea *c = chooser();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->windowTitle(), QStringLiteral("地域の選択"));
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->parentWidget(), w);
    EXPECT_TRUE(c->optAnaRange[1]->isChecked());
    EXPECT_EQ(c->pos(), w->pos() + QPoint(0, ui::twipsToPixelsY(5500)));

    const QTreeWidget *prefectures = c->lstAddr[0];
    EXPECT_TRUE(prefectures->isVisible());
    EXPECT_FALSE(c->lstAddr[1]->isVisible());
    EXPECT_FALSE(c->lstAddr[2]->isVisible());
    EXPECT_EQ(names(prefectures), (QStringList{u"北海道"_s, u"東京都"_s, u"神奈川県"_s}));
    ASSERT_EQ(prefectures->columnCount(), 5);
    EXPECT_EQ(prefectures->headerItem()->text(0), QStringLiteral("都道府県"));
    EXPECT_EQ(prefectures->columnWidth(0), ui::twipsToPixelsX(1100));
    for (int col = 1; col < 5; ++col)
        EXPECT_TRUE(prefectures->isColumnHidden(col)) << col;
    const QTreeWidgetItem *tokyo = prefectures->topLevelItem(1);
    EXPECT_EQ(tokyo->text(1), QStringLiteral("1300"));
    EXPECT_EQ(tokyo->text(2), QStringLiteral("1301"));
    EXPECT_EQ(tokyo->text(3), QStringLiteral("13"));
    EXPECT_EQ(tokyo->text(4), QStringLiteral("東京都"));
    EXPECT_EQ(prefectures->selectionMode(), QAbstractItemView::ExtendedSelection);

    // Each activation puts it back below the window.
    c->move(0, 0);
    w->move(60, 20);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(c, &activate);
    EXPECT_EQ(c->pos(), w->pos() + QPoint(0, ui::twipsToPixelsY(5500)));
    EXPECT_NE(c->pos(), QPoint(0, 0));
    EXPECT_EQ(script.unanswered(), 0);
}

TEST_F(AreaListTest, SelectRaisesOneEventPerChosenAreaInListOrder)
{
    frmSelectArea *c = chooser();
    std::vector<std::pair<std::int32_t, QStringList>> events;
    QObject::connect(c, &frmSelectArea::SelectArea,
        [&events](std::int32_t level, const QStringList &texts) { events.emplace_back(level, texts); });

    struct Case
    {
        const char *name;
        int level;
        int parentList;
        QStringList parents;
        QStringList areas;
        QStringList expected;
        int columns;
    } cases[] = {
        {"nation: every prefecture of the hidden list", 0, -1, {}, {}, {u"北海道"_s, u"東京都"_s, u"神奈川県"_s}, 5},
        {"prefectures in list order", 1, -1, {}, {u"神奈川県"_s, u"北海道"_s}, {u"北海道"_s, u"神奈川県"_s}, 5},
        {"nothing selected", 1, -1, {}, {}, {}, 5},
        {"municipalities", 2, 0, {u"東京都"_s}, {u"五桁市"_s, u"中央区"_s}, {u"中央区"_s, u"五桁市"_s}, 7},
        {"town blocks", 3, 1, {u"千代田区"_s}, {u"丸の内二丁目"_s}, {u"丸の内二丁目"_s}, 9},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        events.clear();
        chooseLevel(c, k.level);
        if (k.level == 0) {
            for (const QTreeWidget *list : c->lstAddr)
                EXPECT_FALSE(list->isVisible());
        }
        if (k.parentList >= 0)
            pick(c, k.parentList, k.parents);
        if (k.level > 0)
            pick(c, k.level - 1, k.areas);
        c->cmdSelect_Click();
        ASSERT_EQ(events.size(), static_cast<std::size_t>(k.expected.size()));
        for (std::size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(events[i].first, k.level);
            const QStringList &texts = events[i].second;
            EXPECT_EQ(texts.size(), k.columns);
            EXPECT_EQ(texts.value(0), k.expected[static_cast<qsizetype>(i)]);
        }
    }
    // The town block carried its whole ancestry.
    const QStringList block = events.at(0).second;
    EXPECT_EQ(block, (QStringList{u"丸の内二丁目"_s, u"7"_s, u"8"_s, u"13"_s, u"東京都"_s, u"101"_s,
                         u"千代田区"_s, u"1002"_s, u"丸の内二丁目"_s}));
}

TEST_F(AreaListTest, TheListsFollowTheLevelAndTheClickedParents)
{
    frmSelectArea *c = chooser();
    chooseLevel(c, 2);
    EXPECT_EQ(c->lstAddr[0]->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(c->lstAddr[1]->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(c->lstAddr[1]->isVisible());
    EXPECT_FALSE(c->lstAddr[2]->isVisible());

    // A prefecture lists its municipalities in code order.
    pick(c, 0, {u"東京都"_s});
    const QTreeWidget *cities = c->lstAddr[1];
    EXPECT_EQ(names(cities), (QStringList{u"千代田区"_s, u"中央区"_s, u"九九九村"_s, u"五桁市"_s}));
    EXPECT_EQ(column(cities, 5), (QStringList{u"101"_s, u"102"_s, u"999"_s, u"12345"_s}));
    ASSERT_EQ(cities->columnCount(), 7);
    EXPECT_EQ(cities->headerItem()->text(0), QStringLiteral("市区町村"));
    EXPECT_EQ(cities->columnWidth(0), ui::twipsToPixelsX(2600));
    pick(c, 0, {u"神奈川県"_s});
    EXPECT_EQ(cities->topLevelItemCount(), 0);
    EXPECT_EQ(cities->columnCount(), 7);

    // A click in the municipality list changes only the selection there.
    pick(c, 0, {u"東京都"_s});
    const QTreeWidgetItem *first = cities->topLevelItem(0);
    pick(c, 1, {u"中央区"_s});
    EXPECT_EQ(cities->topLevelItem(0), first);
    EXPECT_EQ(cities->selectedItems().size(), 1);

    // Town blocks follow the selected municipality ...
    chooseLevel(c, 3);
    EXPECT_TRUE(c->lstAddr[2]->isVisible());
    EXPECT_EQ(c->lstAddr[2]->topLevelItemCount(), 0);
    pick(c, 1, {u"千代田区"_s});
    EXPECT_EQ(names(c->lstAddr[2]), (QStringList{u"丸の内一丁目"_s, u"丸の内二丁目"_s}));
    EXPECT_EQ(c->lstAddr[2]->columnCount(), 9);
    EXPECT_EQ(c->lstAddr[2]->columnWidth(0), ui::twipsToPixelsX(3300));
    // ... and a prefecture click refills both lists below it; nothing is
    // selected in the refilled municipalities, so no town block is listed.
    pick(c, 0, {u"東京都"_s});
    EXPECT_EQ(cities->topLevelItemCount(), 4);
    EXPECT_TRUE(cities->selectedItems().isEmpty());
    EXPECT_EQ(c->lstAddr[2]->topLevelItemCount(), 0);
    EXPECT_EQ(c->lstAddr[2]->columnCount(), 9);

    // Back to prefectures: the lower lists are emptied, the selection lost.
    chooseLevel(c, 1);
    EXPECT_EQ(c->lstAddr[1]->columnCount(), 0);
    EXPECT_EQ(c->lstAddr[2]->columnCount(), 0);
    EXPECT_EQ(c->lstAddr[1]->topLevelItemCount(), 0);
    EXPECT_EQ(c->lstAddr[0]->topLevelItemCount(), 3);
    EXPECT_TRUE(c->lstAddr[0]->selectedItems().isEmpty());
    EXPECT_EQ(script.unanswered(), 0);
}

TEST_F(AreaListTest, TheCloseBoxHidesAndClosingDestroys)
{
    frmSelectArea *c = chooser();
    chooseLevel(c, 2);
    pick(c, 0, {u"東京都"_s});
    c->close();
    test::flushDeletes();
    ASSERT_EQ(window()->frmSel, c);
    EXPECT_FALSE(c->isVisible());

    EXPECT_EQ(chooser(), c);
    EXPECT_TRUE(c->optAnaRange[2]->isChecked());
    EXPECT_EQ(c->lstAddr[1]->topLevelItemCount(), 4);

    c->cmdEnd_Click();
    test::flushDeletes();
    EXPECT_EQ(window()->frmSel, nullptr);
    frmSelectArea *fresh = chooser();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->optAnaRange[1]->isChecked());
    EXPECT_EQ(fresh->lstAddr[0]->topLevelItemCount(), 3);
    EXPECT_EQ(fresh->lstAddr[1]->topLevelItemCount(), 0);

    // The statistics map window's unload takes the chooser with it.
    const QPointer<frmSelectArea> last(fresh);
    ui::WindowRegistry::instance().unload(window());
    test::flushDeletes();
    m_window = nullptr;
    EXPECT_TRUE(last.isNull());
}

TEST_F(AreaListTest, AFailingQueryLeavesTheColumnsAndOneMessage)
{
    // The town-block table is gone.
    ASSERT_TRUE(db.database().exec(QStringLiteral("DROP TABLE 町丁字テーブル")));
    frmSelectArea *c = chooser();
    chooseLevel(c, 3);
    pick(c, 0, {u"東京都"_s});
    pick(c, 1, {u"千代田区"_s});
    ASSERT_EQ(script.requests().size(), 1u);
    const QString message = script.requests().at(0).prompt;
    EXPECT_TRUE(message.startsWith(frmSelectArea::queryFailedMessage())) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Mesh.sqlite"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("町丁字テーブル"))) << message.toStdString();
    EXPECT_EQ(c->lstAddr[2]->topLevelItemCount(), 0);
    EXPECT_EQ(c->lstAddr[2]->columnCount(), 9);
    EXPECT_EQ(c->lstAddr[1]->topLevelItemCount(), 4);
}

TEST_F(AreaListTest, AMissingDatabaseIsNamedOnce)
{
    db.close();
    ASSERT_TRUE(QFile::remove(dir.file(QStringLiteral("DB/Mesh.sqlite"))));
    frmSelectArea *c = chooser();
    EXPECT_EQ(c->lstAddr[0]->topLevelItemCount(), 0);
    EXPECT_EQ(c->lstAddr[0]->columnCount(), 5);
    int listMessages = 0;
    for (const ui::DialogRequest &r : script.requests())
        listMessages += r.prompt.startsWith(frmSelectArea::queryFailedMessage()) ? 1 : 0;
    EXPECT_EQ(listMessages, 1);
}

TEST_F(AreaListTest, ChosenAreasAreListedOncePerKeyAtTheirLevel)
{
    frmStatisticsMap *w = window();
    // A node that only survives as long as the tree is not rebuilt.
    const auto markTree = [w] { new QTreeWidgetItem(w->treeStatistic, QStringList{QStringLiteral("mark")}); };
    const auto treeRebuilt = [w] { return w->treeStatistic->findItems(u"mark"_s, Qt::MatchExactly).isEmpty(); };

    markTree();
    choose(1, -1, {}, {u"東京都"_s});
    EXPECT_TRUE(treeRebuilt());
    markTree();
    choose(1, -1, {}, {u"東京都"_s, u"神奈川県"_s});
    EXPECT_FALSE(treeRebuilt());
    EXPECT_EQ(names(w->lstSelectAddr), (QStringList{u"東京都"_s, u"神奈川県"_s}));
    EXPECT_EQ(w->lblSelectCnt->text(), QStringLiteral("2"));
    EXPECT_EQ(w->lblArea->text(), QStringLiteral("都道府県"));
    EXPECT_EQ(w->AnaRange(), AnaRangePref);
    EXPECT_EQ(w->m_ctlSelect->AnaRange(), AnaRangePref);

    // A municipality empties the prefectures and rebuilds the tree.
    choose(2, 0, {u"東京都"_s}, {u"千代田区"_s});
    EXPECT_TRUE(treeRebuilt());
    EXPECT_EQ(names(w->lstSelectAddr), QStringList{u"東京都千代田区"_s});
    EXPECT_EQ(w->lblArea->text(), QStringLiteral("市区町村"));
    EXPECT_EQ(w->AnaRange(), AnaRangeCity);
    const QTreeWidgetItem *row = w->lstSelectAddr->topLevelItem(0);
    EXPECT_EQ(row->text(1), QStringLiteral("1310"));
    EXPECT_EQ(row->text(5), QStringLiteral("101"));
    EXPECT_EQ(row->text(6), QStringLiteral("千代田区"));
    EXPECT_TRUE(row->text(7).isEmpty());

    // One municipality by its three-digit and its five-digit code text.
    const QStringList fiveDigits{u"千代田区"_s, u"1"_s, u"2"_s, u"13"_s, u"東京都"_s, u"00101"_s, u"千代田区"_s};
    w->frmSel_SelectArea(AnaRangeCity, fiveDigits);
    w->frmSel_SelectArea(AnaRangeCity, fiveDigits);
    EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), 2);
    EXPECT_EQ(w->lblSelectCnt->text(), QStringLiteral("2"));
    EXPECT_EQ(w->selectedAreaList().size(), 2);
    EXPECT_EQ(script.unanswered(), 0);
}

TEST_F(AreaListTest, DoubleClickAndClearRemoveEntries)
{
    frmStatisticsMap *w = window();
    choose(1, -1, {}, {u"北海道"_s, u"東京都"_s, u"神奈川県"_s});
    w->lstSelectAddr_DblClick();
    EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), 3);

    w->lstSelectAddr->setCurrentItem(w->lstSelectAddr->topLevelItem(1));
    w->lstSelectAddr_DblClick();
    EXPECT_EQ(names(w->lstSelectAddr), (QStringList{u"北海道"_s, u"神奈川県"_s}));
    EXPECT_EQ(w->lblSelectCnt->text(), QStringLiteral("2"));
    // The removed area can be chosen again; the others stay single.
    choose(1, -1, {}, {u"北海道"_s, u"東京都"_s});
    EXPECT_EQ(names(w->lstSelectAddr), (QStringList{u"北海道"_s, u"神奈川県"_s, u"東京都"_s}));
    EXPECT_EQ(w->selectedAreaList().size(), 3);

    w->cmdAreaSelect_Click(3);
    EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), 0);
    EXPECT_TRUE(w->selectedAreaList().isEmpty());
    EXPECT_TRUE(w->lblSelectCnt->text().isEmpty());
}

TEST_F(AreaListTest, MapKindsSetTheSelectorLayout)
{
    frmStatisticsMap *w = window();
    const int layouts[] = {1, 2, 2, 4, 5, 8, 6, 7, 3};
    for (int index = 0; index < 9; ++index) {
        SCOPED_TRACE(index);
        w->optAnaUnit(static_cast<std::int16_t>(index))->setChecked(true);
        w->optAnaUnit_MouseUp(index);
        EXPECT_EQ(w->m_ctlSelect->SelectItem(), layouts[index]);
    }
}

TEST_F(AreaListTest, TheFlowMapEmptiesOtherLevelsButKeepsTheLevel)
{
    frmStatisticsMap *w = window();
    choose(2, 0, {u"東京都"_s}, {u"千代田区"_s, u"中央区"_s});
    ASSERT_EQ(w->lstSelectAddr->topLevelItemCount(), 2);
    w->optAnaUnit(7)->setChecked(true);
    w->optAnaUnit_MouseUp(7);
    EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), 0);
    EXPECT_TRUE(w->lblSelectCnt->text().isEmpty());
    EXPECT_EQ(w->AnaRange(), AnaRangeCity);
    EXPECT_EQ(w->m_ctlSelect->SelectItem(), 7);

    // Prefectures stay when the flow map is chosen.
    choose(1, -1, {}, {u"東京都"_s});
    w->optAnaUnit_MouseUp(7);
    EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), 1);
}

TEST_F(AreaListTest, AddressLinesJoinTheListAtTheWindowsLevel)
{
    frmStatisticsMap *w = window();
    choose(2, 0, {u"東京都"_s}, {u"千代田区"_s});
    const QString before = w->lblSelectCnt->text();

    w->SetAddrList({QStringLiteral("0,0,0")});
    EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), 1);
    EXPECT_EQ(w->lblSelectCnt->text(), before);

    w->SetAddrList({u"0,0,0"_s, u"9,9,13102"_s, u"8,8,13101"_s, u"7,7,13102"_s});
    EXPECT_EQ(names(w->lstSelectAddr), (QStringList{u"東京都千代田区"_s, u"東京都中央区"_s}));
    EXPECT_EQ(w->lblSelectCnt->text(), QStringLiteral("2"));
    EXPECT_EQ(w->lstSelectAddr->topLevelItem(1)->text(1), QStringLiteral("9"));

    // A cancel already requested stops before the first line; the count
    // still shows what is listed.
    gintWaitCancel = 1;
    w->lblSelectCnt->setText(QStringLiteral("stale"));
    w->SetAddrList({u"0,0,0"_s, u"1,1,13999"_s});
    EXPECT_EQ(w->lstSelectAddr->topLevelItemCount(), 2);
    EXPECT_EQ(w->lblSelectCnt->text(), QStringLiteral("2"));
}

} // namespace
