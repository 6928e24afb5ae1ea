// The main frame's menu bar: the tree with its captions and states, the
// enabling around a document, and what the commands start.
#include "framefixture.h"
#include "platform/ui/dialogscript.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/commandline.h"
#include "shell/coolbar.h"
#include "shell/framepanes.h"
#include "shell/frmdirection2.h"
#include "shell/globals.h"
#include "shell/mdlcommon.h"
#include "shell/mdlmain_mode.h"
#include "shell/modaldialog.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "shell/programfolder.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QUrl>

using namespace veltra;
using namespace veltra::shell;
using veltra::test::FrameTest;

namespace {

struct ItemCase
{
    const char *name;
    const char *caption;
    bool checkable;
    bool checked;
    bool enabledWithoutMap;
    bool enabledWithMap;
    bool visible = true;
};

// The menus a user sees, written out here rather than read from the table the
// frame builds them from, so a wrong table entry fails.
const ItemCase kItems[] = {
    {"mnuFile", "ﾌｧｲﾙ", false, false, true, true},
    {"mnuFileOpen", "地図定義を開く", false, false, true, true},
    {"mnuPrevPosMapDraw", "前回位置で地図表示", false, false, true, true},
    {"mnuFileSave", "地図データの保存", false, false, true, true},
    {"mnuFileClose", "閉じる", false, false, false, false},
    {"mnuElmFileH", "ｴﾚﾒﾝﾄﾃｷｽﾄﾃﾞｰﾀ", false, false, false, false},
    {"mnuFilePrint", "印刷", false, false, false, true},
    {"mnuPrintExcel", "ﾚｲｱｳﾄ印刷", false, false, true, true},
    {"mnuTmpDownLoad", "ストーリー＆テンプレートダウンロード", false, false, false, true},
    {"mnuFileExit", "終了", false, false, true, true},
    {"mnuEdit", "編集", false, false, false, false},
    {"mnuView", "表示", false, false, false, true},
    {"mnuTurn", "回転", false, false, false, false},
    {"mnuAllAreaDraw", "全画面表示", false, false, true, true},
    {"mnuExtNotes", "凡例", true, true, true, true},
    {"mnuDirection", "方位", true, true, true, true},
    {"mnuScale", "ｽｹｰﾙ", true, true, true, true},
    {"mnuViewToolBar4", "拡張", true, true, true, true},
    {"mnuToolBarChar", "ﾂｰﾙﾊﾞｰの文字", true, true, false, false}, // beginner layout
    {"mnuToolBarSizeS", "小", true, true, true, true},
    {"mnuToolBarSizeB", "大", true, false, true, true},
    {"mnuViewStatusBar", "ｽﾃｰﾀｽﾊﾞｰ", true, true, true, true},
    {"mnuSerchH", "検索", false, false, false, true},
    {"mnuAttrSearch", "属性検索", false, false, true, true},
    {"mnuAttchSearch", "添付一括検索", false, false, false, false},
    {"mnuDataEditH", "ﾃﾞｰﾀ編集", false, false, false, false},
    {"mnuDataRefH", "データ参照", false, false, false, false},
    {"mnuRastaH", "背景地図", false, false, false, true},
    {"mnuMapDownLoad", "ダウンロード", false, false, false, true},
    {"mnuRastaDo", "実行", true, false, true, true},
    {"mnuRastaMake", "階層化", false, false, false, false},
    {"mnuT", "統計機能", false, false, false, true},
    {"mnuTTemplate", "ｽﾄｰﾘｰとﾃﾝﾌﾟﾚｰﾄ", false, false, true, true},
    {"mnuPt", "写真添付", false, false, false, true},
    {"mnuTools", "ﾂｰﾙ", false, false, false, true},
    {"mnuCalcTool", "計算ﾂｰﾙ", false, false, false, true},
    {"mnuElmIDH", "ｴﾚﾒﾝﾄ操作", false, false, false, false},
    {"mnuOptionElmSetup", "処理対象設定", false, false, false, false},
    {"mnuOptionMainViewB", "ビギナー", true, true, true, true},
    {"mnuOptionMainViewP", "プロ", true, false, true, true},
    {"mnuHelp", "ﾍﾙﾌﾟ", false, false, true, true},
    {"mnuHp6", "収録地図データの解説", false, false, false, false, false}, // hidden: never enabled
    {"mnuHp9", "バージョン情報", false, false, true, true},
    {"mnuWeb", "Web", false, false, true, true},
    {"mnuTourkeiData", "ﾕｰｻｰﾞﾃﾞｰﾀ", false, false, true, true},
    {"mnuWindow", "ｳｨﾝﾄﾞｳ", false, false, false, false, false},
    {"mnuImp", "ｲﾝﾎﾟｰﾄ", false, false, true, true},
};

void expectItems(frmMain &frame, bool withMap)
{
    for (const ItemCase &c : kItems) {
        SCOPED_TRACE(c.name);
        QAction *item = frame.menuItem(QString::fromLatin1(c.name));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(item->isCheckable(), c.checkable);
        if (c.checkable) {
            EXPECT_EQ(item->isChecked(), c.checked);
        }
        EXPECT_EQ(item->isEnabled(), withMap ? c.enabledWithMap : c.enabledWithoutMap);
        EXPECT_EQ(item->isVisible(), c.visible);
    }
}

} // namespace

TEST_F(FrameTest, MenuBarShowsTheHeadingsInDisplayOrder)
{
    QStringList shown;
    for (QAction *heading : frame->menuBar()->actions()) {
        if (heading->isVisible())
            shown << heading->text();
    }
    EXPECT_EQ(shown,
        QStringList({"ﾌｧｲﾙ", "編集", "表示", "検索", "ﾃﾞｰﾀ編集", "データ参照", "背景地図", "統計機能",
            "写真添付", "ﾂｰﾙ", "ﾍﾙﾌﾟ", "Web", "ﾕｰｻｰﾞﾃﾞｰﾀ"}));
}

TEST_F(FrameTest, MenuTreeBeforeAndAfterADocument)
{
    expectItems(*frame, false);
    // Stored settings that keep the display toggles on.
    gtypWinInfo.dispLegend = 1;
    gtypWinInfo.dispDirction = 1;
    gtypWinInfo.dispScale = 1;
    openDocument();
    expectItems(*frame, true);
    // Enabling twice changes nothing further.
    frame->SetMenuEnabled(true);
    expectItems(*frame, true);
}

TEST_F(FrameTest, MapToolsAreGreyedUntilADocumentOpens)
{
    const QStringList always = {"TB_OPEN", "TB_SAVE", "TB_UNDO", "TB_REDO"};
    const QStringList mapTools = {"TB_NORMAL", "TB_MOVE", "TB_ZOOMIN2", "TB_BACK", "TB_NEXT", "TB_ZOOMIN",
        "TB_ZOOMOUT", "TB_ALLAREA", "TB_WINTYPE1", "TB_WINTYPE2", "TB_HOME1", "TB_HOME2", "TB_HOME3", "TB_1",
        "TB_2", "TB_3", "TB_4", "TB_5", "TB_6"};
    auto expectTools = [&](bool map) {
        for (const QString &key : always)
            EXPECT_TRUE(frame->toolButton(key)->isEnabled()) << key.toStdString();
        for (const QString &key : mapTools)
            EXPECT_EQ(frame->toolButton(key)->isEnabled(), map) << key.toStdString();
        EXPECT_EQ(frame->Combo1->isEnabled(), map);
        EXPECT_EQ(frame->pane(FramePane::ListBar)->isEnabled(), map);
        EXPECT_EQ(frame->pane(FramePane::OpeRoom)->isEnabled(), map);
    };
    expectTools(false);
    openDocument();
    expectTools(true);
}

TEST_F(FrameTest, AFailedDocumentLeavesTheMapCommandsOff)
{
    test::StandInMapWindow::startSucceeds = false;
    setMapWindowFactory([](QWidget *parent) { return new test::StandInMapWindow(parent); });
    frame->LoadNewDoc(2);
    EXPECT_FALSE(frame->mnuView->menuAction()->isEnabled());
    EXPECT_FALSE(frame->toolButton(QStringLiteral("TB_ZOOMIN"))->isEnabled());
}

namespace {

struct ModeRecord
{
    std::int16_t mode = 0;
    std::int16_t subType = 0;
    QString param;
    bool seen = false;
};

// Records every entry of the modes the menus start.
ModeRecord &recordModes()
{
    static ModeRecord last;
    last = ModeRecord{};
    auto enter = [](std::int16_t state, const QString &param) {
        if (state == StateEnter)
            last = ModeRecord{gintModeNo, gintModeSub, param, true};
    };
    auto &r = modeRegistry();
    for (std::int16_t code : {ModeSearchElement, ModeEditElement, ModeDeleteElement, ModeCircle, ModeArea})
        r.setParamHandler(code, [enter](std::int16_t &s, zorvik::Zorvik *, QString &p) { enter(s, p); });
    for (std::int16_t code : {ModeDistance, ModeImageCut, ModeAreaSanshou, ModePhotoPoint})
        r.setHandler(
            code, [enter](std::int16_t &s, zorvik::Zorvik *) { enter(s, QStringLiteral("(none)")); });
    r.setStateHandler(ModeHome, [enter](std::int16_t &s) { enter(s, QStringLiteral("(none)")); });
    r.mapTools().showDatumWindow = [enter](zorvik::Zorvik *) { enter(StateEnter, QStringLiteral("(none)")); };
    r.search().showAddressSearch = [enter](zorvik::Zorvik *) { enter(StateEnter, QStringLiteral("(none)")); };
    return last;
}

} // namespace

TEST_F(FrameTest, MenuCommandsStartTheirModes)
{
    openDocument();
    // The list-bar items that four menus run.
    commandItemSources().listItem = [](std::int16_t item) -> QString {
        switch (item) {
        case 7:
            return QStringLiteral("7,\"住所検索\",KEY_AdrSeek,1001,0");
        case 20:
            return QStringLiteral("20,\"同心円\",KEY_Circle,41,0,5");
        case 21:
            return QStringLiteral("21,\"空間面積\",KEY_Area,520,1,\"a,b\"");
        case 22:
            return QStringLiteral("22,\"面積\",KEY_Area,520,2");
        default:
            return QString();
        }
    };
    struct Case
    {
        const char *item;
        std::int16_t mode;
        std::int16_t subType;
        const char *param;
    };
    const Case cases[] = {
        {"mnuSerchStr", ModeSearchElement, 1, "-1"},
        {"mnuAttrSearch", ModeSearchElement, 0, "-1,0,-1,0"},
        {"mnuPtSrch", ModeSearchElement, 0, "-1,2,1,1"},
        {"mnuPtMove", ModeEditElement, 2, "0,5,-1,1,2"},
        {"mnuPtDel", ModeDeleteElement, 0, "0,5,0,2"},
        {"mnuCalcRen", ModeDistance, 0, "(none)"},
        {"mnuTMapCut", ModeImageCut, 0, "(none)"},
        {"mnuTXY", ModeDatumCompare, 0, "(none)"},
        {"mnuHomeReg", ModeHome, 0, "(none)"},
        {"mnuAddressSearch", ModeAddressSearch, 0, "(none)"},
        {"mnuDrawCircle", ModeCircle, 0, "5"},
        {"mnuCalcArea", ModeArea, 1, "a,b"},
        {"mnuCalcArea2", ModeArea, 2, ""},
        {"mnuTTouikeiShow", ModeAreaSanshou, 0, "(none)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        ModeRecord &last = recordModes();
        frame->menuItem(QString::fromLatin1(c.item))->trigger();
        ASSERT_TRUE(last.seen);
        EXPECT_EQ(last.mode, c.mode);
        EXPECT_EQ(last.subType, c.subType);
        EXPECT_EQ(last.param, QString::fromUtf8(c.param));
    }
}

TEST_F(FrameTest, StatisticsDataReferenceWarnsAboveTheTownBlockScale)
{
    openDocument();
    int shown = 0;
    modeRegistry().dataReference().show = [&] { ++shown; };
    gstrDispLevel1 = QStringLiteral("10001");
    for (const double scale : {10000.0, 10001.0}) {
        SCOPED_TRACE(scale);
        gobjZor->setScale(scale);
        ui::DialogScript script;
        frame->toolButton(QStringLiteral("TB_MOVE"))->setChecked(true);
        frame->mnuTTouikeiShow_Click();
        EXPECT_TRUE(frame->toolButton(QStringLiteral("TB_NORMAL"))->isChecked());
        EXPECT_EQ(gintModeNo, ModeAreaSanshou); // the mode stays either way
        if (scale <= 10000) {
            EXPECT_TRUE(script.requests().empty());
        } else {
            ASSERT_EQ(script.requests().size(), 1u);
            EXPECT_EQ(script.requests()[0].prompt,
                QStringLiteral("地図から選ぶ場合は、縮尺を 1/10000以下にしてください"));
        }
    }
    EXPECT_EQ(shown, 2);
}

TEST_F(FrameTest, PhotoAttachmentAsksForAPictureAndADirection)
{
    openDocument();
    ModeRecord &last = recordModes();
    {
        // Cancelled in the file dialog: nothing changes.
        ui::DialogScript script;
        script.answerCancel();
        gobjZor->setMouseEventMode(0);
        frame->menuItem(QStringLiteral("mnuPtAdd"))->trigger();
        EXPECT_FALSE(last.seen);
        EXPECT_EQ(gobjZor->MouseEventMode(), 0);
    }
    ui::DialogScript script;
    script.answerText(dir.file(QStringLiteral("photo.jpg")));
    ScopedModalHook hook([](QDialog &dialog) {
        if (auto *direction = qobject_cast<frmDirection2 *>(&dialog))
            direction->Command1[2]->click();
    });
    frame->menuItem(QStringLiteral("mnuPtAdd"))->trigger();
    ASSERT_TRUE(last.seen);
    EXPECT_EQ(last.mode, ModePhotoPoint);
    EXPECT_EQ(gstrPhotoFile, dir.file(QStringLiteral("photo.jpg")));
    EXPECT_EQ(gintPhotoDir, frmDirection2::codeOf(2));
    EXPECT_EQ(gobjZor->MouseEventMode(), 4);
}

TEST_F(FrameTest, DisplayTogglesNeedAMap)
{
    int calls = 0;
    modeRegistry().viewWindows().setLegendWindowVisible = [&](bool) { ++calls; };
    for (QAction *item : {frame->mnuExtNotes, frame->mnuDirection, frame->mnuAllAreaMap, frame->mnuScale}) {
        SCOPED_TRACE(item->objectName().toStdString());
        const bool before = item->isChecked();
        item->trigger();
        EXPECT_EQ(item->isChecked(), before);
    }
    EXPECT_EQ(calls, 0);
}

TEST_F(FrameTest, DisplayTogglesInvertTheirChecksAndWindows)
{
    openDocument();
    std::vector<std::pair<QString, bool>> calls;
    auto &r = modeRegistry();
    r.viewWindows().setLegendWindowVisible
        = [&](bool on) { calls.emplace_back(QStringLiteral("legend"), on); };
    r.viewWindows().setCompassVisible = [&](bool on) { calls.emplace_back(QStringLiteral("compass"), on); };
    r.viewWindows().setScaleBarVisible = [&](bool on) { calls.emplace_back(QStringLiteral("scale"), on); };
    r.overview().show = [&](zorvik::Zorvik *) { calls.emplace_back(QStringLiteral("overview"), true); };
    r.overview().unload = [&] { calls.emplace_back(QStringLiteral("overview"), false); };
    const bool legend = frame->mnuExtNotes->isChecked();
    frame->mnuExtNotes->trigger();
    EXPECT_EQ(frame->mnuExtNotes->isChecked(), !legend);
    frame->mnuScale->setChecked(true);
    frame->mnuScale->trigger();
    EXPECT_FALSE(frame->mnuScale->isChecked());
    EXPECT_EQ(gtypWinInfo.dispScale, 0);
    // The overview opens and, chosen again, closes.
    frame->mnuAllAreaMap->trigger();
    EXPECT_TRUE(frame->mnuAllAreaMap->isChecked());
    frame->mnuAllAreaMap->trigger();
    EXPECT_FALSE(frame->mnuAllAreaMap->isChecked());
    const std::vector<std::pair<QString, bool>> expected = {
        {QStringLiteral("legend"), !legend},
        {QStringLiteral("scale"), false},
        {QStringLiteral("overview"), true},
        {QStringLiteral("overview"), false},
    };
    EXPECT_EQ(calls, expected);
    // Mode 201 runs the same toggle.
    changeMode(ModeToggleLegend, 0, noParameterText());
    EXPECT_EQ(frame->mnuExtNotes->isChecked(), legend);
    EXPECT_EQ(gintModeNo, 0);
}

TEST_F(FrameTest, StoredTogglesApplyOnceAndReopeningKeepsTheChecks)
{
    std::map<QString, bool> shown;
    auto &r = modeRegistry();
    r.viewWindows().setLegendWindowVisible = [&](bool on) { shown[QStringLiteral("legend")] = on; };
    r.viewWindows().setCompassVisible = [&](bool on) { shown[QStringLiteral("compass")] = on; };
    r.viewWindows().setScaleBarVisible = [&](bool on) { shown[QStringLiteral("scale")] = on; };
    gtypWinInfo.dispLegend = 1;
    gtypWinInfo.dispScale = 0;
    gtypWinInfo.dispDirction = 1;
    openDocument();
    EXPECT_TRUE(frame->mnuExtNotes->isChecked());
    EXPECT_TRUE(frame->mnuDirection->isChecked());
    EXPECT_FALSE(frame->mnuScale->isChecked());
    EXPECT_FALSE(frame->mnuAllAreaMap->isChecked());
    EXPECT_TRUE(shown[QStringLiteral("legend")]);
    EXPECT_FALSE(shown[QStringLiteral("scale")]);
    // The user switches the legend off; two reopenings keep it off and the
    // new windows follow the checks.
    frame->mnuExtNotes->trigger();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        frame->ReopenDocument();
        ASSERT_EQ(gintMapInit, 1);
        EXPECT_FALSE(frame->mnuExtNotes->isChecked());
        EXPECT_TRUE(frame->mnuDirection->isChecked());
        EXPECT_FALSE(frame->mnuScale->isChecked());
        EXPECT_FALSE(shown[QStringLiteral("legend")]);
        EXPECT_TRUE(shown[QStringLiteral("compass")]);
    }
}

TEST_F(FrameTest, RasterChecksFollowTheEngineWhenTheMenuOpens)
{
    openDocument();
    int visible = 0;
    modeRegistry().rasters().rasterVisible = [&](zorvik::Zorvik *) { return visible; };
    frame->mnuRastaH_Click();
    EXPECT_FALSE(frame->menuItem(QStringLiteral("mnuRastaDo"))->isChecked());
    EXPECT_TRUE(frame->menuItem(QStringLiteral("mnuRastaStop"))->isChecked());
    visible = -1;
    frame->mnuRastaH_Click();
    EXPECT_TRUE(frame->menuItem(QStringLiteral("mnuRastaDo"))->isChecked());
    EXPECT_FALSE(frame->menuItem(QStringLiteral("mnuRastaStop"))->isChecked());
}

TEST_F(FrameTest, GroupEditorRebuildsTheListBarOnlyWhenSaved)
{
    int rebuilt = 0;
    bool saved = false;
    modeRegistry().listBar().showListOption = [&] { return saved; };
    modeRegistry().listBar().rebuildListBar = [&] { ++rebuilt; };
    frame->EditListBarGroups();
    EXPECT_EQ(rebuilt, 0);
    saved = true;
    frame->EditListBarGroups();
    EXPECT_EQ(rebuilt, 1);
}

// ---- help targets and the story menus ----------------------------------------

// Records what the desktop is asked to open instead of starting a program.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    OpenedUrls()
    {
        for (const char *scheme : {"file", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~OpenedUrls() override
    {
        for (const char *scheme : {"file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

// The statistics map window, as the registry knows it by name.
class frmStatisticsMap : public QWidget
{
    Q_OBJECT
};

namespace {

// A program folder holding the help pages the configuration names, in its
// own Windows-style spelling.
class ProgramFolderHelp
{
public:
    ProgramFolderHelp()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Help"));
        setProgramFolder(dir.path());
    }
    ~ProgramFolderHelp() { setProgramFolder(QString()); }
    QString page(const QString &name)
    {
        const QString path = dir.path() + QStringLiteral("Help/") + name;
        test::writeBytes(path, "<html></html>");
        return path;
    }
    test::TempDir dir;
};

} // namespace

TEST_F(FrameTest, HelpItemsOpenTheirTargetsInTheProgramFolder)
{
    openDocument(); // mnuTmpDownLoad needs a map
    ProgramFolderHelp help;
    struct Case
    {
        const char *item;
        QString *target;
        const char *value;
        const char *page; // the file in Help/, or nothing for a web address
    };
    const Case cases[] = {
        {"mnuHp1", &gstrHP1, "Help\\about.html", "about.html"},
        {"mnuHp2", &gstrHP2, "Help\\notes.html", "notes.html"},
        {"mnuHp3", &gstrHP3, "Help\\graphs.html", "graphs.html"},
        {"mnuHp4", &gstrHP4, "Help\\manual.html", "manual.html"},
        {"mnuHp5", &gstrHP5, "https://example.org/statistics", nullptr},
        {"mnuHp7", &gstrHP7, "Help\\examples.html", "examples.html"},
        {"mnuHp8", &gstrHP8, "http://example.org/timespace", nullptr},
        {"mnuTmpDownLoad", &gstrStoryDownloadSite, "https://example.org/stories/", nullptr},
    };
    for (const Case &c : cases)
        *c.target = QString::fromLatin1(c.value);
    // The process runs from elsewhere: the pages are found all the same.
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::rootPath());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        const QUrl expected = c.page ? QUrl::fromLocalFile(help.page(QString::fromLatin1(c.page)))
                                     : QUrl(QString::fromLatin1(c.value));
        OpenedUrls opened;
        frame->menuItem(QString::fromLatin1(c.item))->trigger();
        EXPECT_EQ(opened.urls, QList<QUrl>({expected}));
    }
    // The public help member that no menu calls.
    gstrHelpLoc = QStringLiteral("HELP\\INDEX.HTML");
    const QString index = help.page(QStringLiteral("index.html"));
    OpenedUrls opened;
    frame->mnuVeltraHelp_Click();
    EXPECT_EQ(opened.urls, QList<QUrl>({QUrl::fromLocalFile(index)}));
    QDir::setCurrent(before);
}

TEST_F(FrameTest, EmptyOrMissingHelpTargetsOpenNothing)
{
    ProgramFolderHelp help;
    gstrHP2 = QString();
    gstrHP3 = QStringLiteral("Help\\missing.html");
    OpenedUrls opened;
    ui::DialogScript script;
    frame->menuItem(QStringLiteral("mnuHp2"))->trigger();
    frame->menuItem(QStringLiteral("mnuHp3"))->trigger();
    EXPECT_TRUE(opened.urls.isEmpty());
    EXPECT_TRUE(script.requests().empty()); // and nothing is said
}

TEST_F(FrameTest, TheDeliveredConfigurationNamesOnlyPagesThatShip)
{
    const QString program = QStringLiteral(VELTRA_DEFAULT_PROGRAM_FILES "/");
    ASSERT_TRUE(QFileInfo::exists(program + "ZORPAK.INI"));
    struct Reset
    {
        ~Reset() { setProgramFolder(QString()); }
    } reset;
    setProgramFolder(QDir(program).absolutePath() + QLatin1Char('/'));
    const std::pair<const char *, const char *> keys[] = {{"URL", "STORYDOWNLOADSITE"},
        {"URL", "MAPDOWNLOADSITE"}, {"URL", "HPSITE"}, {"URL", "HELPSITE"}, {"URL", "FAQSITE"},
        {"URL", "HELPLOC"}, {"URL", "MANUALLOC"}, {"HELP", "HP1"}, {"HELP", "HP2"}, {"HELP", "HP3"},
        {"HELP", "HP4"}, {"HELP", "HP5"}, {"HELP", "HP6"}, {"HELP", "HP7"}, {"HELP", "HP8"}, {"HELP", "HP9"}};
    int named = 0;
    for (const auto &[section, key] : keys) {
        SCOPED_TRACE(key);
        QString value;
        mdlCommon::ReadIniString(
            QString::fromLatin1(section), QString::fromLatin1(key), value, program + "ZORPAK.INI");
        if (value.isEmpty())
            continue;
        ++named;
        OpenedUrls opened;
        EXPECT_TRUE(mdlCommon::OpenWithShell(value));
        ASSERT_EQ(opened.urls.size(), 1);
        EXPECT_TRUE(QFileInfo(opened.urls[0].toLocalFile()).isFile());
    }
    EXPECT_GE(named, 9);
}

TEST_F(FrameTest, StoryModeStartClearsTheMapAndShowsTheStoryPlayer)
{
    openDocument();
    std::vector<QString> calls;
    auto &r = modeRegistry();
    r.statistics().unloadLegendForms = [&] { calls.push_back(QStringLiteral("legends")); };
    r.statistics().clearStatisticsMap = [&](zorvik::Zorvik *engine, bool keepFiles) {
        EXPECT_EQ(engine, gobjZor);
        EXPECT_FALSE(keepFiles);
        calls.push_back(QStringLiteral("clear"));
    };
    ui::form<frmStatisticsMap>();
    frame->menuItem(QStringLiteral("mnuStoryStart"))->trigger();
    test::flushDeletes();
    EXPECT_EQ(calls, std::vector<QString>({QStringLiteral("legends"), QStringLiteral("clear")}));
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")));
    EXPECT_EQ(gbStoryMode, -1);
    QWidget *player = frame->loadedPane(FramePane::StoryPlayer);
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(player->parentWidget()->isVisible());
    EXPECT_FALSE(frame->loadedPane(FramePane::ListBar)->parentWidget()->isVisible());

    // Ending brings the list bar back.
    calls.clear();
    frame->menuItem(QStringLiteral("mnuStoryEnd"))->trigger();
    EXPECT_EQ(calls, std::vector<QString>({QStringLiteral("legends"), QStringLiteral("clear")}));
    EXPECT_EQ(gbStoryMode, 0);
    EXPECT_TRUE(frame->loadedPane(FramePane::ListBar)->parentWidget()->isVisible());
    EXPECT_FALSE(player->parentWidget()->isVisible());
}

TEST_F(FrameTest, StoryModeEndWhenAlreadyOffStillClears)
{
    openDocument();
    int cleared = 0, unloaded = 0;
    modeRegistry().statistics().unloadLegendForms = [&] { ++unloaded; };
    modeRegistry().statistics().clearStatisticsMap = [&](zorvik::Zorvik *, bool) { ++cleared; };
    ui::form<frmStatisticsMap>();
    ASSERT_EQ(gbStoryMode, 0);
    frame->menuItem(QStringLiteral("mnuStoryEnd"))->trigger();
    test::flushDeletes();
    EXPECT_EQ(unloaded, 1);
    EXPECT_EQ(cleared, 1);
    EXPECT_FALSE(ui::WindowRegistry::instance().isLoaded(QStringLiteral("frmStatisticsMap")));
    EXPECT_EQ(gbStoryMode, 0);
    EXPECT_TRUE(frame->loadedPane(FramePane::ListBar)->parentWidget()->isVisible());
}

TEST_F(FrameTest, StoryEditorRebuildsTheStoryListOnlyWhenSaved)
{
    openDocument();
    int rebuilt = 0;
    bool saved = false;
    modeRegistry().stories().showStoryEditor = [&] { return saved; };
    modeRegistry().stories().rebuildStoryList = [&] { ++rebuilt; };
    frame->menuItem(QStringLiteral("mnuStoryEntry"))->trigger();
    EXPECT_EQ(rebuilt, 0);
    saved = true;
    frame->menuItem(QStringLiteral("mnuStoryEntry"))->trigger();
    EXPECT_EQ(rebuilt, 1);
}

#include "frmmain_menus_test.moc"
