// The data reference window on a fixture data folder, offscreen: the opening
// state, the area lists, the values and the grid, AddressCode, SetBunya and
// closing.
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "sanshoudata.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "statdata/meshdatabase.h"
#include "statrender/datareferenceregistry.h"
#include "statrender/frmpsydatasanshou.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace veltra;
using statrender::AreaLevel;
using veltra::test::u;

namespace {

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList gridRow(const QTableWidget *grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
    return cells;
}

QStringList codesOf(const frmPSYDataSanshou *w)
{
    return {w->sCode()[0], w->sCode()[1], w->sCode()[2]};
}

class DataSanshouWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.ok);
        ASSERT_TRUE(
            statdata::MeshDatabase::shared().open(statdata::MeshDatabase::pathInDataFolder(data.dataPath)));
        gstrDataPath = data.dataPath;
        frame = new frmMain;
        gfrmMain = frame;
        statrender::registerDataReference();
    }
    void TearDown() override
    {
        ui::WindowRegistry::instance().deleteAll();
        gfrmMain = nullptr;
        delete frame.data();
    }

    frmPSYDataSanshou *window() { return ui::form<frmPSYDataSanshou>(static_cast<QWidget *>(gfrmMain)); }
    bool frameItemsEnabled() const
    {
        return frame->menuItem(QStringLiteral("mnuOptionTime"))->isEnabled()
            && frame->statusBar()->isEnabled();
    }
    QStringList names()
    {
        return {window()->DBCombo1[0]->currentText(), window()->DBCombo1[1]->currentText(),
            window()->DBCombo1[2]->currentText()};
    }
    void chooseLevel(int option)
    {
        window()->Option1[option]->setChecked(true);
        window()->Option1_Click(option);
    }
    void chooseItem(int index)
    {
        window()->Combo1[1]->setCurrentIndex(index);
        window()->Combo1_Click(1);
    }

    test::RunStateGuard guard;
    test::SanshouData data;
    QPointer<frmMain> frame; // registered: the registry deletes it
};

TEST_F(DataSanshouWindow, OpensOnTokyoWithTheFirstStatisticsAtThePrefectureLevel)
{
    ASSERT_TRUE(frameItemsEnabled());
    frmPSYDataSanshou *w = window();
    EXPECT_EQ(w->windowTitle(), u("統計データ参照"));
    EXPECT_EQ(names(), (QStringList{u("東京都"), u("千代田区"), u("丸の内一丁目")}));
    EXPECT_EQ(codesOf(w), (QStringList{"13", "101", "1001"}));
    EXPECT_EQ(itemsOf(w->DBCombo1[0]), (QStringList{u("北海道"), u("東京都"), u("神奈川県")}));
    EXPECT_EQ(itemsOf(w->DBCombo1[1]), (QStringList{u("千代田区"), u("中央区"), u("港'区")}));
    EXPECT_EQ(itemsOf(w->DBCombo1[2]), (QStringList{u("丸の内一丁目"), u("大手町一丁目")}));
    EXPECT_EQ(itemsOf(w->cmbNendo), (QStringList{u("R2テスト"), u("H27テスト")}));
    EXPECT_EQ(w->cmbNendo->currentText(), u("R2テスト"));
    EXPECT_TRUE(w->Option1[0]->isChecked());
    EXPECT_EQ(w->level(), AreaLevel::Prefecture);
    EXPECT_EQ(itemsOf(w->Combo1[0]), (QStringList{u("人口"), u("世帯")}));
    EXPECT_EQ(itemsOf(w->Combo1[1]), (QStringList{u("総人口"), u("男"), u("女")}));
    EXPECT_EQ(w->Combo1[1]->currentText(), u("総人口"));
    EXPECT_EQ(w->lblData->text(), "100");
    EXPECT_FALSE(w->Check1->isChecked());
    EXPECT_EQ(w->formHeightTwips(), 3600);
    EXPECT_EQ(w->width(), ui::twipsToPixelsX(7335));
    EXPECT_EQ(w->highlightSet(), 0);
    EXPECT_FALSE(frameItemsEnabled());
}

TEST_F(DataSanshouWindow, TheGridListsEveryItemAtTheThreeLevels)
{
    frmPSYDataSanshou *w = window();
    const QTableWidget *grid = w->MSFlexGrid1;
    ASSERT_EQ(grid->columnCount(), 4);
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), u("都道府県 "));
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), u("市区町村 "));
    EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), u("町丁字 "));
    ASSERT_EQ(grid->rowCount(), 3);
    // The municipality line 131010 comes first in its file and is passed
    // over; the town-block line matches on its first 11 characters.
    EXPECT_EQ(gridRow(grid, 0), (QStringList{u("総人口"), "100", "10", "1"}));
    EXPECT_EQ(gridRow(grid, 1), (QStringList{u("男"), "50", "5", "1"}));
    EXPECT_EQ(gridRow(grid, 2), (QStringList{u("女"), "50", "5", "0"}));
    for (int c = 1; c < 4; ++c)
        EXPECT_EQ(grid->columnWidth(c), ui::twipsToPixelsX(1200));
    const QFontMetrics metrics(grid->font());
    EXPECT_EQ(grid->columnWidth(0),
        ui::twipsToPixelsX(ui::pixelsToTwipsX(metrics.horizontalAdvance(u("総人口"))) + 128));

    // The grid comes into view below the lists only while ticked.
    w->Check1->setChecked(true);
    w->Check1_Click();
    EXPECT_EQ(w->formHeightTwips(), 7320);
    EXPECT_LT(grid->geometry().bottom(), w->height());
    w->Check1->setChecked(false);
    w->Check1_Click();
    EXPECT_EQ(w->formHeightTwips(), 3600);
    EXPECT_GT(grid->geometry().top(), w->height() - 1);
    EXPECT_LE(w->Command1->geometry().bottom(), w->height() - 1);
    EXPECT_LE(w->Check1->geometry().bottom(), w->height() - 1);
}

TEST_F(DataSanshouWindow, TheValueLineShowsTheChosenLevel)
{
    struct Row
    {
        int option;
        int item;
        const char *value;
        QStringList fields;
    };
    const Row rows[] = {
        {1, 0, "10", {u("人口")}},
        {2, 0, "1", {u("人口")}},
        {2, 2, "0", {u("人口")}},
        {0, 1, "50", {u("人口"), u("世帯")}},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.option * 10 + r.item);
        chooseLevel(r.option);
        EXPECT_EQ(itemsOf(window()->Combo1[0]), r.fields);
        chooseItem(r.item);
        EXPECT_EQ(window()->lblData->text(), r.value);
    }
}

TEST_F(DataSanshouWindow, AMunicipalityNameWithAnApostropheIsLookedUp)
{
    frmPSYDataSanshou *w = window();
    w->DBCombo1[1]->setEditText(u("港'区"));
    EXPECT_EQ(codesOf(w), (QStringList{"13", "103", "3001"}));
    EXPECT_EQ(itemsOf(w->DBCombo1[2]), QStringList{u("台場'一丁目")});
    EXPECT_EQ(w->DBCombo1[2]->currentText(), u("台場'一丁目"));
    // No municipality line: that column alone shows "-".
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), (QStringList{u("総人口"), "100", "-", "7"}));
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 1), (QStringList{u("男"), "50", "-", "3"}));
    chooseLevel(1);
    EXPECT_EQ(w->lblData->text(), QString());
}

TEST_F(DataSanshouWindow, ANameWithoutARowGivesMinusOneAndEmptyLowerLists)
{
    frmPSYDataSanshou *w = window();
    w->DBCombo1[0]->setEditText(u("存在しない県"));
    EXPECT_EQ(w->sCode()[0], "-1");
    EXPECT_EQ(w->DBCombo1[1]->count(), 0);
    EXPECT_EQ(w->DBCombo1[2]->count(), 0);
    EXPECT_EQ(w->DBCombo1[1]->currentText(), QString());
    EXPECT_EQ(w->DBCombo1[2]->currentText(), QString());
    EXPECT_EQ(w->lblData->text(), QString());
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), (QStringList{u("総人口"), "-", "-", "-"}));

    // Back on a known name, the lists follow again.
    w->DBCombo1[0]->setEditText(u("東京都"));
    EXPECT_EQ(names(), (QStringList{u("東京都"), u("千代田区"), u("丸の内一丁目")}));
    w->DBCombo1[2]->setEditText(u("大手町"));
    EXPECT_EQ(codesOf(w), (QStringList{"13", "101", "-1"}));
}

TEST_F(DataSanshouWindow, AShortValueLineLeavesThatItemWithoutAValue)
{
    frmPSYDataSanshou *w = window();
    w->DBCombo1[1]->setEditText(u("中央区"));
    EXPECT_EQ(names(), (QStringList{u("東京都"), u("中央区"), u("銀座一丁目")}));
    chooseLevel(2);
    EXPECT_EQ(w->lblData->text(), "8");
    chooseItem(1);
    EXPECT_EQ(w->lblData->text(), QString());
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), (QStringList{u("総人口"), "100", "20", "8"}));
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 1), (QStringList{u("男"), "50", "10", "-"}));
}

TEST_F(DataSanshouWindow, SetBunyaSelectsOnlyAFieldOfTheList)
{
    frmPSYDataSanshou *w = window();
    const QStringList before = gridRow(w->MSFlexGrid1, 0);
    EXPECT_FALSE(w->SetBunya(u("面積")));
    EXPECT_EQ(w->Combo1[0]->currentText(), u("人口"));
    EXPECT_EQ(itemsOf(w->Combo1[1]), (QStringList{u("総人口"), u("男"), u("女")}));
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), before);
    EXPECT_EQ(w->lblData->text(), "100");

    EXPECT_TRUE(w->SetBunya(u("世帯")));
    EXPECT_EQ(itemsOf(w->Combo1[1]), QStringList{u("世帯数")});
    EXPECT_EQ(w->lblData->text(), "40");
    ASSERT_EQ(w->MSFlexGrid1->rowCount(), 1);
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), (QStringList{u("世帯数"), "40", "-", "-"}));
}

TEST_F(DataSanshouWindow, StatisticsWithoutAnItemListSayThereIsNoData)
{
    frmPSYDataSanshou *w = window();
    w->cmbNendo->setCurrentIndex(1);
    w->cmbNendo_Click();
    EXPECT_EQ(itemsOf(w->Combo1[0]), QStringList{u("該当データありません")});
    EXPECT_EQ(itemsOf(w->Combo1[1]), QStringList{u("該当データありません")});
    EXPECT_EQ(w->lblData->text(), QString());
    ASSERT_EQ(w->MSFlexGrid1->rowCount(), 1);
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), (QStringList{u("該当データありません"), "-", "-", "-"}));
}

TEST_F(DataSanshouWindow, AMissingYearFileLeavesTheStatisticsListEmpty)
{
    ASSERT_TRUE(QFile::remove(data.dataPath + u("etc/etc2/統計ﾃﾞｰﾀ年度管理.txt")));
    frmPSYDataSanshou *w = window();
    EXPECT_EQ(w->cmbNendo->count(), 0);
    EXPECT_EQ(itemsOf(w->Combo1[0]), QStringList{u("該当データありません")});
    EXPECT_EQ(itemsOf(w->Combo1[1]), QStringList{u("該当データありません")});
    EXPECT_EQ(w->lblData->text(), QString());
    EXPECT_EQ(gridRow(w->MSFlexGrid1, 0), (QStringList{u("該当データありません"), "-", "-", "-"}));
    EXPECT_EQ(names(), (QStringList{u("東京都"), u("千代田区"), u("丸の内一丁目")}));
}

TEST_F(DataSanshouWindow, AddressCodeShowsTheAreaAtTheLevelOfTheDisplayedSpaces)
{
    struct Row
    {
        const char *code;
        QStringList names;
        QStringList codes;
        const char *value;
    };
    // Without a map and before the area reference mode, the spaces are 0:
    // the town-block level.
    const Row rows[] = {
        {"13102002001", {u("東京都"), u("中央区"), u("銀座一丁目")}, {"13", "102", "2001"}, "8"},
        {"abc", {u("東京都"), u("中央区"), u("銀座一丁目")}, {"13", "102", "2001"}, "8"},
        {"13103", {u("東京都"), u("港'区"), u("台場'一丁目")}, {"13", "103", "3001"}, "7"},
        {"13101001002", {u("東京都"), u("千代田区"), u("大手町一丁目")}, {"13", "101", "1002"}, ""},
        // The town list of 横浜市 is empty: no town-block code is kept.
        {"14100", {u("神奈川県"), u("横浜市"), QString()}, {"14", "100", ""}, ""},
    };
    frmPSYDataSanshou *w = window();
    EXPECT_EQ(w->GetUseSpaceID(nullptr), 0);
    for (const Row &r : rows) {
        SCOPED_TRACE(r.code);
        w->setAddressCode(QString::fromLatin1(r.code));
        EXPECT_EQ(names(), r.names);
        EXPECT_EQ(codesOf(w), r.codes);
        EXPECT_TRUE(w->Option1[2]->isChecked());
        EXPECT_EQ(w->lblData->text(), QString::fromLatin1(r.value));
    }
}

TEST_F(DataSanshouWindow, ClosingEndsTheModeAndGivesTheFrameItsItemsBack)
{
    frmPSYDataSanshou *w = window();
    ASSERT_FALSE(frameItemsEnabled());
    gintModeNo = ModeAreaSanshou;
    gintStoryStepEnd = 0;
    w->Command1->click();
    EXPECT_EQ(codesOf(w), (QStringList{"0", "0", "0"}));
    EXPECT_EQ(gintStoryStepEnd, -1);
    EXPECT_EQ(gintModeNo, 0);
    EXPECT_TRUE(frameItemsEnabled());
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYDataSanshou")));
    test::flushDeletes();

    // The next use makes a new window with the opening steps.
    shell::modeRegistry().dataReference().show();
    frmPSYDataSanshou *again = window();
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(codesOf(again), (QStringList{"13", "101", "1001"}));
    EXPECT_FALSE(frameItemsEnabled());
    again->close(); // the close box unloads as the button does
    EXPECT_TRUE(frameItemsEnabled());
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYDataSanshou")));
}

} // namespace
