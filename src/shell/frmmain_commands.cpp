// What the main frame's menu items do.
//
// Most items switch the tool mode, run a list-bar item or open a window of
// another subsystem; the display toggles, the layout switch, the story mode,
// the photo attachment and the statistics data reference are members of the
// frame, since other parts of the program run them too.
#include "shell/frmmain_commands.h"

#include "platform/ui/filedialogs.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/commandline.h"
#include "shell/coolbar.h"
#include "shell/dialogfilter.h"
#include "shell/frmabout.h"
#include "shell/frmdirection2.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/mdlcommon.h"
#include "shell/mdlmain_mode.h"
#include "shell/modaldialog.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "zorvik/widget/zorvik.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

using namespace veltra;
using namespace veltra::shell;

namespace {

template <typename F, typename... Args> void run(const F &action, Args &&...args)
{
    const auto copy = action; // the action may change the registry
    if (copy)
        copy(std::forward<Args>(args)...);
}

bool mapReady()
{
    return gintMapInit == 1;
}

MenuCommand mode(std::int16_t code, std::int16_t subType, const QString &param)
{
    return [=](frmMain &) { changeMode(code, subType, param); };
}

// A mode whose tool window stands beside the list bar: lay the frame out
// again once the window is there.
MenuCommand toolMode(std::int16_t code, std::int16_t subType, const QString &param)
{
    return [=](frmMain &frame) {
        changeMode(code, subType, param);
        frame.MP_OpeMode(gbPro);
    };
}

MenuCommand listItem(std::int16_t itemNo)
{
    return [=](frmMain &frame) { frame.ChangeCommand2ItemNo(itemNo); };
}

MenuCommand openTarget(const QString *target)
{
    return [=](frmMain &) { mdlCommon::OpenWithShell(*target); };
}

// An entry of a subsystem's table, looked up when the item is chosen: the
// table may be filled or emptied after the menus are built.
template <class Table> using TableOf = Table &(ModeRegistry::*)();

template <class Table>
MenuCommand engineAction(TableOf<Table> table, std::function<void(zorvik::Zorvik *)> Table::*member)
{
    return [=](frmMain &) { run((modeRegistry().*table)().*member, gobjZor); };
}

template <class Table> MenuCommand windowAction(TableOf<Table> table, std::function<void()> Table::*member)
{
    return [=](frmMain &) { run((modeRegistry().*table)().*member); };
}

// The tool-bar band of a 表示 > ﾂｰﾙﾊﾞｰ item: its check shows or hides the
// band, and the strip itself hides when no band is left.
void toggleBand(frmMain &frame, const QString &item, int band)
{
    QAction *action = frame.menuItem(item);
    action->setChecked(!action->isChecked());
    frame.CoolBar1->setBandVisible(band, action->isChecked());
    bool any = false;
    for (const char *name : {"mnuViewToolBar1", "mnuViewToolBar2", "mnuViewToolBar3", "mnuViewToolBar4"})
        any = any || frame.menuItem(QString::fromLatin1(name))->isChecked();
    frame.CoolBar1->setVisible(any);
    frame.MP_OpeMode(gbPro);
}

void toolBarSize(frmMain &frame, bool large)
{
    frame.menuItem(QStringLiteral("mnuToolBarSizeB"))->setChecked(large);
    frame.menuItem(QStringLiteral("mnuToolBarSizeS"))->setChecked(!large);
    frame.SetToolBarIcons(1);
}

const QString kNoParam = QStringLiteral("\"");

} // namespace

namespace veltra::shell {

const std::map<QString, MenuCommand> &menuCommands()
{
    static const std::map<QString, MenuCommand> commands = {
        // ﾌｧｲﾙ
        {QStringLiteral("mnuPrevPosMapDraw"), [](frmMain &f) { f.mnuPrevPosMapDraw_Click(); }},
        {QStringLiteral("mnuInitPosMapDraw"), [](frmMain &f) { f.mnuInitPosMapDraw_Click(); }},
        {QStringLiteral("mnuFileSave"), [](frmMain &f) { f.mnuFileSave_Click(); }},
        {QStringLiteral("mnuPrintMap"), windowAction(&ModeRegistry::frame, &FrameCommands::printMap)},
        {QStringLiteral("mnuPrintScreen"), windowAction(&ModeRegistry::frame, &FrameCommands::printScreen)},
        {QStringLiteral("mnuPrintExcel"),
            windowAction(&ModeRegistry::statistics, &StatisticsWindows::showExcelLayout)},
        {QStringLiteral("mnuTmpDownLoad"), openTarget(&gstrStoryDownloadSite)},
        {QStringLiteral("mnuFileExit"), [](frmMain &f) { f.mnuFileExit_Click(); }},
        // 表示
        {QStringLiteral("mnuViewStd"),
            engineAction(&ModeRegistry::navigation, &NavigationCommands::setNormalMode)},
        {QStringLiteral("mnuMove"),
            engineAction(&ModeRegistry::navigation, &NavigationCommands::setDragMoveMode)},
        {QStringLiteral("mnuZoomIn2"),
            engineAction(&ModeRegistry::navigation, &NavigationCommands::setSelectZoomMode)},
        {QStringLiteral("mnuZoomIn"), [](frmMain &f) { f.ZoomStep(true); }},
        {QStringLiteral("mnuZoomOut"), [](frmMain &f) { f.ZoomStep(false); }},
        {QStringLiteral("mnuRefresh"), engineAction(&ModeRegistry::navigation, &NavigationCommands::redraw)},
        {QStringLiteral("mnuAllAreaDraw"),
            engineAction(&ModeRegistry::navigation, &NavigationCommands::showAllArea)},
        {QStringLiteral("mnuViewInfo"),
            windowAction(&ModeRegistry::viewWindows, &ViewWindows::showDisplaySettings)},
        {QStringLiteral("mnuExtNotes"), [](frmMain &f) { f.mnuExtNotes_Click(); }},
        {QStringLiteral("mnuDirection"), [](frmMain &f) { f.mnuDirection_Click(); }},
        {QStringLiteral("mnuAllAreaMap"), [](frmMain &f) { f.mnuAllAreaMap_Click(); }},
        {QStringLiteral("mnuScale"), [](frmMain &f) { f.mnuScale_Click(); }},
        {QStringLiteral("mnuViewToolBar1"),
            [](frmMain &f) { toggleBand(f, QStringLiteral("mnuViewToolBar1"), 1); }},
        {QStringLiteral("mnuViewToolBar4"),
            [](frmMain &f) { toggleBand(f, QStringLiteral("mnuViewToolBar4"), 2); }},
        {QStringLiteral("mnuViewToolBar2"),
            [](frmMain &f) { toggleBand(f, QStringLiteral("mnuViewToolBar2"), 3); }},
        {QStringLiteral("mnuViewToolBar3"),
            [](frmMain &f) { toggleBand(f, QStringLiteral("mnuViewToolBar3"), 4); }},
        {QStringLiteral("mnuToolBarChar"),
            [](frmMain &f) {
                QAction *item = f.menuItem(QStringLiteral("mnuToolBarChar"));
                item->setChecked(!item->isChecked());
                f.SetToolBarCaptions();
            }},
        {QStringLiteral("mnuToolBarSizeB"), [](frmMain &f) { toolBarSize(f, true); }},
        {QStringLiteral("mnuToolBarSizeS"), [](frmMain &f) { toolBarSize(f, false); }},
        {QStringLiteral("mnuViewStatusBar"),
            [](frmMain &f) {
                f.mnuViewStatusBar->setChecked(!f.mnuViewStatusBar->isChecked());
                f.statusBar()->setVisible(f.mnuViewStatusBar->isChecked());
                f.MP_OpeMode(gbPro);
            }},
        // 検索
        {QStringLiteral("mnuAddressSearch"), listItem(7)},
        {QStringLiteral("mnuSerchStr"), mode(ModeSearchElement, 1, QStringLiteral("-1"))},
        {QStringLiteral("mnuAttrSearch"), mode(ModeSearchElement, 0, QStringLiteral("-1,0,-1,0"))},
        // 背景地図
        {QStringLiteral("mnuMapDownLoad"),
            windowAction(&ModeRegistry::baseMap, &BaseMapCommands::mapDownload)},
        {QStringLiteral("mnuMapDelete"), windowAction(&ModeRegistry::baseMap, &BaseMapCommands::mapDelete)},
        {QStringLiteral("mnuRastaDo"),
            [](frmMain &) { run(modeRegistry().rasters().rasterCommand, std::int16_t(0), gobjZor); }},
        {QStringLiteral("mnuRastaStop"),
            [](frmMain &) { run(modeRegistry().rasters().rasterCommand, std::int16_t(1), gobjZor); }},
        {QStringLiteral("mnuRastaMove"),
            windowAction(&ModeRegistry::rasters, &RasterCommands::showRasterMove)},
        // 統計機能
        {QStringLiteral("mnuTPiramid"),
            windowAction(&ModeRegistry::operationRoom, &OperationRoomCommands::pyramidCommand)},
        {QStringLiteral("mnuTTouikeiShow"), [](frmMain &f) { f.mnuTTouikeiShow_Click(); }},
        {QStringLiteral("mnuTXY"), mode(ModeDatumCompare, 0, kNoParam)},
        {QStringLiteral("mnuTToukeiMap"),
            windowAction(&ModeRegistry::statistics, &StatisticsWindows::showStatisticsMap)},
        {QStringLiteral("mnuStoryStart"), [](frmMain &f) { f.mnuStoryStart_Click(); }},
        {QStringLiteral("mnuStoryEnd"), [](frmMain &f) { f.mnuStoryEnd_Click(); }},
        {QStringLiteral("mnuStoryEntry"),
            [](frmMain &) {
                const auto editor = modeRegistry().stories().showStoryEditor;
                if (editor && editor())
                    run(modeRegistry().stories().rebuildStoryList);
            }},
        {QStringLiteral("mnuTMapCut"), mode(ModeImageCut, 0, kNoParam)},
        // 写真添付
        {QStringLiteral("mnuPtSrch"), mode(ModeSearchElement, 0, QStringLiteral("-1,2,1,1"))},
        {QStringLiteral("mnuPtAdd"), [](frmMain &f) { f.mnuPtAdd_Click(); }},
        {QStringLiteral("mnuPtMove"), toolMode(ModeEditElement, 2, QStringLiteral("0,5,-1,1,2"))},
        {QStringLiteral("mnuPtDel"), toolMode(ModeDeleteElement, 0, QStringLiteral("0,5,0,2"))},
        // ﾂｰﾙ
        {QStringLiteral("mnuCalcRen"), mode(ModeDistance, 0, kNoParam)},
        {QStringLiteral("mnuCalcArea"), listItem(21)},
        {QStringLiteral("mnuCalcArea2"), listItem(22)},
        {QStringLiteral("mnuDrawCircle"), listItem(20)},
        {QStringLiteral("mnuHomeReg"), mode(ModeHome, 0, kNoParam)},
        {QStringLiteral("mnuGrpReg"), [](frmMain &f) { f.EditListBarGroups(); }},
        {QStringLiteral("mnuOptionTime"),
            [](frmMain &) { run(modeRegistry().navigation().showViewDate, QString()); }},
        {QStringLiteral("mnuOptionPoint"),
            windowAction(&ModeRegistry::navigation, &NavigationCommands::showPointOptions)},
        {QStringLiteral("mnuOptionView"),
            windowAction(&ModeRegistry::navigation, &NavigationCommands::showViewOptions)},
        {QStringLiteral("mnuOptionMainViewB"), [](frmMain &f) { f.mnuOptionMainViewB_Click(); }},
        {QStringLiteral("mnuOptionMainViewP"), [](frmMain &f) { f.mnuOptionMainViewP_Click(); }},
        // ﾍﾙﾌﾟ, Web, ﾕｰｻｰﾞﾃﾞｰﾀ
        {QStringLiteral("mnuHp1"), [](frmMain &f) { f.mnuHp1_Click(); }},
        {QStringLiteral("mnuHp2"), openTarget(&gstrHP2)},
        {QStringLiteral("mnuHp3"), openTarget(&gstrHP3)},
        {QStringLiteral("mnuHp4"), openTarget(&gstrHP4)},
        {QStringLiteral("mnuHp5"), openTarget(&gstrHP5)},
        {QStringLiteral("mnuHp7"), openTarget(&gstrHP7)},
        {QStringLiteral("mnuHp8"), openTarget(&gstrHP8)},
        {QStringLiteral("mnuHp9"), windowAction(&ModeRegistry::frame, &FrameCommands::showAbout)},
        {QStringLiteral("mnuLuncher"), windowAction(&ModeRegistry::frame, &FrameCommands::showLauncher)},
        {QStringLiteral("mnuTourkeiDataEdit"),
            windowAction(&ModeRegistry::userData, &UserDataCommands::openUserDataFolder)},
        {QStringLiteral("mnuTourkeiDataAdd"),
            windowAction(&ModeRegistry::userData, &UserDataCommands::showUserDataForm)},
        {QStringLiteral("mnuImp"), [](frmMain &f) { f.mnuImp_Click(); }},
        {QStringLiteral("mnuAnImp"),
            windowAction(&ModeRegistry::baseMap, &BaseMapCommands::showMeshImportRemoval)},
    };
    return commands;
}

} // namespace veltra::shell

// ---- display toggles --------------------------------------------------------

void frmMain::mnuExtNotes_Click()
{
    if (!mapReady())
        return;
    mnuExtNotes->setChecked(!mnuExtNotes->isChecked());
    run(modeRegistry().viewWindows().setLegendWindowVisible, mnuExtNotes->isChecked());
}

void frmMain::mnuDirection_Click()
{
    if (!mapReady())
        return;
    mnuDirection->setChecked(!mnuDirection->isChecked());
    run(modeRegistry().viewWindows().setCompassVisible, mnuDirection->isChecked());
}

void frmMain::mnuAllAreaMap_Click()
{
    if (!mapReady())
        return;
    if (mnuAllAreaMap->isChecked()) {
        run(modeRegistry().overview().unload);
        mnuAllAreaMap->setChecked(false);
    } else {
        run(modeRegistry().overview().show, gobjZor);
        mnuAllAreaMap->setChecked(true);
    }
}

void frmMain::mnuScale_Click()
{
    if (!mapReady())
        return;
    mnuScale->setChecked(!mnuScale->isChecked());
    run(modeRegistry().viewWindows().setScaleBarVisible, mnuScale->isChecked());
    gtypWinInfo.dispScale = mnuScale->isChecked() ? 1 : 0;
}

void frmMain::applyDisplayToggles()
{
    // The first opening of the run applies the stored settings; a reopening
    // keeps the checks the user has now and makes the new windows follow
    // them, instead of inverting them at every opening.
    if (!m_displayTogglesSet) {
        m_displayTogglesSet = true;
        mnuExtNotes->setChecked(gtypWinInfo.dispLegend != 0);
        mnuDirection->setChecked(gtypWinInfo.dispDirction != 0);
        mnuScale->setChecked(gtypWinInfo.dispScale != 0);
    }
    run(modeRegistry().viewWindows().setLegendWindowVisible, mnuExtNotes->isChecked());
    run(modeRegistry().viewWindows().setCompassVisible, mnuDirection->isChecked());
    run(modeRegistry().viewWindows().setScaleBarVisible, mnuScale->isChecked());
    // The overview starts hidden at every opening.
    mnuAllAreaMap->setChecked(false);
}

void frmMain::mnuRastaH_Click()
{
    if (!mapReady())
        return;
    const auto visible = modeRegistry().rasters().rasterVisible;
    const bool shown = visible && visible(gobjZor) != 0;
    menuItem(QStringLiteral("mnuRastaDo"))->setChecked(shown);
    menuItem(QStringLiteral("mnuRastaStop"))->setChecked(!shown);
}

// ---- statistics, stories, photos, help -------------------------------------

void frmMain::mnuTTouikeiShow_Click()
{
    if (QAction *normal = toolButton(QStringLiteral("TB_NORMAL")))
        normal->setChecked(true);
    run(modeRegistry().operationRoom().selectFirstMapMode);
    run(modeRegistry().dataReference().show);
    changeMode(ModeAreaSanshou, 0, kNoParam);
    if (!gobjZor)
        return;
    // The town-block level from DispLevel.txt; without a number no check can
    // be made.
    const std::optional<double> level = vb::toNumber(gstrDispLevel1);
    if (!level)
        return;
    const double limit = vb::roundHalfEven(*level) - 1;
    const double scale = vb::roundHalfEven(gobjZor->Scale());
    if (scale > limit) {
        ui::MsgBox(QStringLiteral("地図から選ぶ場合は、縮尺を 1/")
                + QString::number(static_cast<qint64>(limit)) + QStringLiteral("以下にしてください"),
            ui::vbOKOnly);
    }
}

void frmMain::mnuStoryStart_Click()
{
    run(modeRegistry().statistics().unloadLegendForms);
    run(modeRegistry().statistics().clearStatisticsMap, gobjZor, false);
    ui::WindowRegistry::instance().unload(QStringLiteral("frmStatisticsMap"));
    gbStoryMode = -1;
    MP_OpeMode(gbPro);
}

void frmMain::mnuStoryEnd_Click()
{
    run(modeRegistry().statistics().unloadLegendForms);
    run(modeRegistry().statistics().clearStatisticsMap, gobjZor, false);
    ui::WindowRegistry::instance().unload(QStringLiteral("frmStatisticsMap"));
    gbStoryMode = 0;
    MP_OpeMode(gbPro);
}

void frmMain::mnuPtAdd_Click()
{
    // A cancel anywhere ends the command before the mode or the engine's
    // mouse mode changes.
    const QString file = ui::getOpenFileName(this, QStringLiteral("写真添付"),
        qtFileFilter(QStringLiteral("ピクチャ (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp")), QString());
    if (file.isEmpty())
        return;
    gstrPhotoFile = file;
    frmDirection2 direction;
    execModal(direction);
    const std::optional<double> code = vb::toNumber(direction.sValue);
    if (!code || *code < -32768.5 || *code > 32767.5)
        return;
    gintPhotoDir = vb::cInt(*code);
    if (gobjZor)
        gobjZor->setMouseEventMode(4);
    changeMode(ModePhotoPoint, 0, kNoParam);
}

void frmMain::mnuHp1_Click()
{
    mdlCommon::OpenWithShell(gstrHP1);
}

void frmMain::mnuHp9_Click()
{
    frmAbout about(this);
    ui::placeToolWindow(about, this);
    execModal(about);
}

void frmMain::mnuImp_Click() { }

void frmMain::mnuVeltraHelp_Click()
{
    mdlCommon::OpenWithShell(gstrHelpLoc);
}

void frmMain::EditListBarGroups()
{
    const auto editor = modeRegistry().listBar().showListOption;
    if (editor && editor())
        run(modeRegistry().listBar().rebuildListBar);
}

bool frmMain::ChangeCommand2ItemNo(std::int16_t iItemNo)
{
    return runListBarItem(iItemNo);
}

bool frmMain::PSY_ChangeCommand2ItemNo(std::int16_t iItemNo, const QString &sOpt)
{
    return runStoryItem(iItemNo, sOpt);
}
