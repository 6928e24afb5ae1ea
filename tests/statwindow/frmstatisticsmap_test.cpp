// The statistics map window as a whole: how it opens, the state it opens
// in, what closing does, and the graph colours passing through
// HanreiColor.ini.
#include "graphs/ctlselect.h"
#include "graphs/picturebox.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/twips.h"
#include "platform/ui/windowregistry.h"
#include "runstateguard.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mdlmain_mode.h"
#include "shell/modecodes.h"
#include "shell/operationroom.h"
#include "shell/programfolder.h"
#include "statdata/meshdatabase.h"
#include "statwindow/frmpyramid.h"
#include "statwindow/frmstatisticsmap.h"
#include "statwindow/globals.h"
#include "statwindow/graphcolors.h"
#include "statwindow/statwindowregistration.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

// One of the statistics map's legend pop-ups, known by its name only (the
// namespace keeps it apart from the real window of the rendering library).
namespace popup {
class frmPSYHanreiOne : public QWidget
{
    Q_OBJECT
};
} // namespace popup

namespace {

using namespace veltra;
using test::u;
using ui::WindowRegistry;

class StatisticsMapWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        programFolder = dir.path() + QStringLiteral("program/");
        ASSERT_TRUE(QDir().mkpath(programFolder));
        shell::setProgramFolder(programFolder);
        gstrDataPath = dir.path() + QStringLiteral("data/");
        ASSERT_TRUE(QDir().mkpath(gstrDataPath + QStringLiteral("DB/TempPImage")));
        statdata::MeshDatabase db;
        ASSERT_TRUE(db.create(statdata::MeshDatabase::pathInDataFolder(gstrDataPath)));
        ASSERT_TRUE(db.insertPrefecture(13, u("東京都"), 100, 200));
        db.close();
        statwindow::registerStatisticsWindow();
    }

    static frmStatisticsMap *window() { return ui::form<frmStatisticsMap>(); }
    static bool loaded() { return WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")); }
    static void unload()
    {
        WindowRegistry::instance().unload(QStringLiteral("frmStatisticsMap"));
        test::flushDeletes();
    }
    QString colorFile() const { return statwindow::hanreiColorPath(programFolder); }
    void writeColorFile(const QStringList &lines) const
    {
        QByteArray bytes;
        ASSERT_TRUE(text::encodeCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), bytes));
        test::writeBytes(colorFile(), bytes);
    }
    QString written(const QString &section, const QString &key) const
    {
        return profile::getString(section, key, QStringLiteral("(none)"), colorFile());
    }

    test::RunStateGuard guard;
    test::TempDir dir;
    QString programFolder;
};

TEST_F(StatisticsMapWindow, MenuModeNinetyAndNinetyNineWithoutAFileShowOneWindow)
{
    frmMain frame;
    gfrmMain = &frame;
    frame.SetMenuEnabled(true);
    QAction *item = frame.menuItem(QStringLiteral("mnuTToukeiMap"));
    ASSERT_NE(item, nullptr);

    item->trigger();
    ASSERT_TRUE(loaded());
    QWidget *first = WindowRegistry::instance().find(QStringLiteral("frmStatisticsMap"));
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parentWidget(), &frame);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("統計地図作成"));

    first->hide();
    shell::changeMode(ModeStatisticsMap, 0, shell::noParameterText());
    EXPECT_EQ(WindowRegistry::instance().find(QStringLiteral("frmStatisticsMap")), first);
    EXPECT_TRUE(first->isVisible());

    first->hide();
    shell::changeMode(ModeStatMapFile, 0, QString());
    EXPECT_EQ(WindowRegistry::instance().find(QStringLiteral("frmStatisticsMap")), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(gintModeNo, 0);

    unload();
    gfrmMain = nullptr;
}

TEST_F(StatisticsMapWindow, LoadingClosesThePyramidWindow)
{
    ui::form<frmPyramid>()->show();
    window();
    test::flushDeletes();
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPyramid")));
    EXPECT_TRUE(loaded());
}

TEST_F(StatisticsMapWindow, OpensOnTheChoroplethWithNoAreasNoPreviewAndNoOutput)
{
    ui::DialogScript script;
    frmStatisticsMap *w = window();
    EXPECT_TRUE(script.requests().empty());

    EXPECT_TRUE(w->optAnaUnit(0)->isChecked());
    EXPECT_EQ(w->AnaRange(), AnaRangeNone);
    EXPECT_FALSE(w->lblArea->isHidden());
    EXPECT_TRUE(w->lblArea->text().isEmpty());
    for (QWidget *hidden : std::initializer_list<QWidget *>{w->cmdMapOut, w->cmdListOut, w->lblCalcEnd, w->cmdReDisp,
             w->FrameMap, w->FrameHistoSelect, w->FrameBaseTokei, w->FrameKeisuu, w->richY, w->lblX, w->HScroll1(),
             w->picWaku(), w->picGraph(), w->shpBar(), w->picSlider(0), w->Command1, w->Text1, w->cmdSave,
             w->chkObjMove, w->cmdReSize, w->chkDataSansho})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_EQ(w->sliderCount(), -1);
    EXPECT_EQ(w->picSlider(1), nullptr);

    // The clear and load buttons side by side in the top row.
    EXPECT_FALSE(w->cmdObjClear->isHidden());
    EXPECT_FALSE(w->cmdLoad->isHidden());
    EXPECT_EQ(w->cmdObjClear->y(), ui::twipsToPixelsY(672));
    EXPECT_EQ(w->cmdLoad->y(), ui::twipsToPixelsY(672));
    EXPECT_NEAR(w->cmdLoad->x(), w->cmdObjClear->x() + w->cmdObjClear->width(), 1);

    QStringList classes;
    for (int i = 0; i < w->cmbFuriwake()->count(); ++i)
        classes << w->cmbFuriwake()->itemText(i);
    EXPECT_EQ(classes, (QStringList{"2", "3", "4", "5", "6", "7", "8", "9"}));

    const QStringList headers{u("選択住所"), "X", "Y", u("都道府県コード"), u("都道府県"), u("市区町村コード"),
        u("市区町村"), u("町丁字コード"), u("町丁字")};
    ASSERT_EQ(w->lstSelectAddr->columnCount(), 9);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(w->lstSelectAddr->headerItem()->text(c), headers[c]);
        EXPECT_EQ(w->lstSelectAddr->isColumnHidden(c), c != 0) << c;
    }
    EXPECT_EQ(w->lstSelectAddr->columnWidth(0), ui::twipsToPixelsX(4500));

    EXPECT_EQ(w->HScroll1()->minimum(), 0);
    EXPECT_EQ(w->HScroll1()->maximum(), 4235);
    EXPECT_EQ(w->HScroll1()->pageStep(), 424);
    EXPECT_EQ(w->HScroll1()->singleStep(), 42);

    const QStringList areaButtons{u("地図上から\n地域選択"), u("地図表示\n画面の範囲"), u("地域リスト\nから選択"),
        u("地域の\nクリア")};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(w->cmdAreaSelect[i]->text(), areaButtons[i]);
    EXPECT_EQ(w->appPath(), programFolder);
    EXPECT_EQ(w->dbPath(), gstrDataPath + QStringLiteral("DB\\"));
    EXPECT_TRUE(w->meshDatabase().isOpen());
}

TEST_F(StatisticsMapWindow, AnaRangeReachesTheItemSelectorAndTheScrollBarMovesTheBarGraph)
{
    frmStatisticsMap *w = window();
    w->setAnaRange(AnaRangeCity);
    EXPECT_EQ(w->AnaRange(), AnaRangeCity);
    EXPECT_EQ(w->m_ctlSelect->AnaRange(), AnaRangeCity);

    w->HScroll1()->setValue(424);
    EXPECT_EQ(w->picGraph()->x(), -ui::twipsToPixelsX(424));
    w->HScroll1()->setValue(0);
    EXPECT_EQ(w->picGraph()->x(), 0);
}

TEST_F(StatisticsMapWindow, TheHiddenTestButtonReadsAHeaderBackIntoTheWindow)
{
    test::writeBytes(gstrDataPath + QStringLiteral("DB/tempheader007.CSV"),
        "H1,0,0,25000,20240401,\"\",\"\",tempdata000.dat\r\nH2,4,13,0,0,1,0,2,1,3,0,0,0\r\n");
    frmStatisticsMap *w = window();
    w->optAnaUnit(0)->setChecked(true);
    w->Text1->setText(QStringLiteral("007"));
    w->Command1_Click();
    EXPECT_EQ(w->AnaRange(), AnaRangePref);
    EXPECT_EQ(w->m_ctlSelect->AnaRange(), AnaRangePref);
}

TEST_F(StatisticsMapWindow, ClosingClearsTheMapWithItsFilesAndEndsTheStep)
{
    const QString db = gstrDataPath + QStringLiteral("DB/");
    test::writeBytes(db + QStringLiteral("tempheader000.hed"), "H1,0,0,25000,20240401,\"\",\"\",tempdata000.dat\r\n");
    test::writeBytes(db + QStringLiteral("tempdata000.dat"), "x\r\n");
    test::writeBytes(db + QStringLiteral("TempPImage/13.bmp"), "BM");
    int unticked = 0;
    shell::operationRoomChecks().untickStatisticsMap = [&] { ++unticked; };
    gintStoryStepEnd = 0;

    window()->show();
    ui::form<popup::frmPSYHanreiOne>()->show();
    ui::DialogScript script;
    window()->cmdEnd->click();
    test::flushDeletes();

    EXPECT_FALSE(loaded());
    EXPECT_FALSE(WindowRegistry::instance().isLoaded(QStringLiteral("frmPSYHanreiOne")));
    // Keep-files False: the analysis files and the area pictures are gone.
    EXPECT_EQ(test::entriesOf(db), (QStringList{QStringLiteral("Mesh.sqlite"), QStringLiteral("TempPImage")}));
    EXPECT_TRUE(test::entriesOf(db + QStringLiteral("TempPImage")).isEmpty());
    EXPECT_EQ(unticked, 1);
    EXPECT_EQ(gintStoryStepEnd, -1);
    EXPECT_TRUE(script.requests().empty());

    // The close box does the same, and the next use loads a new window.
    gintStoryStepEnd = 0;
    window()->show();
    window()->close();
    test::flushDeletes();
    EXPECT_FALSE(loaded());
    EXPECT_EQ(unticked, 2);
    EXPECT_EQ(gintStoryStepEnd, -1);
}

TEST_F(StatisticsMapWindow, ColoursPassThroughTheFileFromOpenToClose)
{
    struct Row
    {
        const char *name;
        QStringList lines; // no lines: no file
        QString graph1, graph3, graph4, graph15, pyramid1, pyramid2; // as written at close
    };
    const QString g = u("[グラフカラー]");
    const QString p = u("[人口ピラミッド]");
    const Row rows[] = {
        {"no file", {}, "0,0,255", "173,255,47", "255,246,150", "230,230,255", "80,160,245", "245,100,100"},
        {"GRAPH3 empty, GRAPH4 set", {g, "GRAPH1=1,2,3", "GRAPH2=4,5,6", "GRAPH3=", "GRAPH4=7,8,9"}, "1,2,3",
            "173,255,47", "255,246,150", "230,230,255", "80,160,245", "245,100,100"},
        {"GRAPH2 of two numbers", {g, "GRAPH1=1,2,3", "GRAPH2=4,5", "GRAPH3=7,8,9"}, "1,2,3", "7,8,9",
            "255,246,150", "230,230,255", "80,160,245", "245,100,100"},
        {"full-width commas", {g, u("GRAPH1=10，20，30")}, "10,20,30", "173,255,47", "255,246,150",
            "230,230,255", "80,160,245", "245,100,100"},
        {"first field x", {g, "GRAPH1=x,20,30"}, "0,20,30", "173,255,47", "255,246,150", "230,230,255",
            "80,160,245", "245,100,100"},
        {"300", {g, "GRAPH1=300,20,30"}, "255,20,30", "173,255,47", "255,246,150", "230,230,255", "80,160,245",
            "245,100,100"},
        {"changed colours come back unchanged",
            {g, "GRAPH1=1,1,1", "GRAPH2=2,2,2", "GRAPH3=3,3,3", "GRAPH4=4,4,4", "GRAPH5=5,5,5", "GRAPH6=6,6,6",
                "GRAPH7=7,7,7", "GRAPH8=8,8,8", "GRAPH9=9,9,9", "GRAPH10=10,10,10", "GRAPH11=11,11,11",
                "GRAPH12=12,12,12", "GRAPH13=13,13,13", "GRAPH14=14,14,14", "GRAPH15=15,15,15", p,
                "GRAPH1=21,22,23", "GRAPH2=24,25,26"},
            "1,1,1", "3,3,3", "4,4,4", "15,15,15", "21,22,23", "24,25,26"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(colorFile());
        if (!row.lines.isEmpty())
            writeColorFile(row.lines);
        frmStatisticsMap *w = window();
        EXPECT_EQ(statwindow::colorText(w->graphColor(1)), row.graph1);
        EXPECT_EQ(statwindow::colorText(w->pyramidColor(2)), row.pyramid2);
        unload();

        const QString gs = statwindow::graphColorSection();
        const QString ps = statwindow::pyramidColorSection();
        EXPECT_EQ(profile::keyNames(gs, colorFile()).size(), 15);
        EXPECT_EQ(profile::keyNames(ps, colorFile()).size(), 2);
        EXPECT_EQ(written(gs, "GRAPH1"), row.graph1);
        EXPECT_EQ(written(gs, "GRAPH3"), row.graph3);
        EXPECT_EQ(written(gs, "GRAPH4"), row.graph4);
        EXPECT_EQ(written(gs, "GRAPH15"), row.graph15);
        EXPECT_EQ(written(ps, "GRAPH1"), row.pyramid1);
        EXPECT_EQ(written(ps, "GRAPH2"), row.pyramid2);
    }
}

TEST_F(StatisticsMapWindow, AMissingPlaceNameDatabaseIsReportedAndTheWindowStillSetsUp)
{
    const QString meshPath = statdata::MeshDatabase::pathInDataFolder(gstrDataPath);
    ASSERT_TRUE(QFile::remove(meshPath));
    ui::DialogScript script;
    frmStatisticsMap *w = window();
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_EQ(script.requests()[0].prompt, frmStatisticsMap::meshDatabaseMessage() + meshPath);
    EXPECT_FALSE(w->meshDatabase().isOpen());
    EXPECT_EQ(w->cmbFuriwake()->count(), 8);
    EXPECT_EQ(w->lstSelectAddr->columnCount(), 9);
    EXPECT_EQ(w->HScroll1()->maximum(), 4235);
    unload();
    EXPECT_EQ(script.requests().size(), 1u);
    EXPECT_FALSE(loaded());
}

TEST_F(StatisticsMapWindow, AColourFileThatCannotBeWrittenIsReportedAndTheWindowStillCloses)
{
    // A folder where the file should be: no write can replace it.
    ASSERT_TRUE(QDir().mkpath(colorFile()));
    window();
    ui::DialogScript script;
    unload();
    EXPECT_FALSE(loaded());
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_TRUE(script.requests()[0].prompt.contains(frmStatisticsMap::colorSaveMessage()));
    EXPECT_TRUE(QFileInfo(colorFile()).isDir());
}

} // namespace

#include "frmstatisticsmap_test.moc"
