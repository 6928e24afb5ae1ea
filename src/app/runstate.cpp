#include "app/runstate.h"

#include "app/instancelock.h"
#include "mapwindow/combirdview.h"
#include "mapwindow/frmzorvik.h"
#include "mapwindow/globals.h"
#include "mapwindow/mapeventbridge.h"
#include "mapwindow/mdldispcom.h"
#include "platform/profile/profile.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "shell/commandline.h"
#include "shell/commonm1.h"
#include "shell/comdatectrl.h"
#include "shell/framepanes.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/modcolordialog.h"
#include "shell/moderegistry.h"
#include "shell/operationroom.h"
#include "shell/programfolder.h"
#include "shell/savefailures.h"
#include "shell/statisticsservices.h"
#include "statdata/clsaddinfo.h"
#include "statdata/comcaldoraneo.h"
#include "statdata/globals.h"
#include "statdata/meshdatabase.h"
#include "statdata/messages.h"
#include "statdata/registrationjournal.h"
#include "statdata/userdataregistration.h"
#include "statdata/valuefileindex.h"
#include "statdataui/comg_add.h"
#include "statrender/exceloutmode.h"
#include "statrender/frmpsyxlsselect.h"
#include "statrender/globals.h"
#include "statrender/mapkindtable.h"
#include "statwindow/globals.h"

namespace veltra::app {

namespace {

// The globals of the shell (shell/globals.h, shell/comdatectrl.h).
void resetShellGlobals()
{
    gintModeNo = 0;
    gintModeSub = 0;
    gintStoryStepEnd = 0;
    gbPro = 0;
    gbStoryMode = 0;
    gintBandResize = 0;
    gintWndRearrange = 0;
    gfrmTool = nullptr;
    gobjZor = nullptr;
    gfrmMain = nullptr;
    gfrmZorvik = nullptr;
    gintMapInit = 0;
    gintWaitCancel = 0;
    gintTempIPra2 = 188;
    gintSelectZor = 0;
    gstrPhotoFile.clear();
    gintPhotoDir = 0;

    for (QString *path : {&gstrIniPath, &gstrMnuPath, &gstrLstPath, &gstrStoryLst, &gstrStoryMst,
             &gstrDataPath, &gstrDocPath, &gstrDocIniPath})
        path->clear();
    for (QString *text : {&gstrTitle, &gstrStoryDownloadSite, &gstrHpSite, &gstrHelpSite, &gstrFaqSite,
             &gstrHelpLoc, &gstrManualLoc, &gstrUseCount, &gstrUseUrl, &gstrUseFlg, &gstrDebugMode,
             &gstrHP1, &gstrHP2, &gstrHP3, &gstrHP4, &gstrHP5, &gstrHP6, &gstrHP7, &gstrHP8, &gstrHP9,
             &gstrLimitPie, &gstrLimitBar, &gstrLimitPyramid, &gstrLimitSymbol, &gstrDispLevel1,
             &gstrDispLevel2, &gstrDispLevel3, &gstrFtpDir})
        text->clear();
    gtypFtp = FtpServerSettings{};
    gtypWinInfo = WindowInfo{};

    gdtBaseDate = QDate();
    gintPointType = 0;
    gdblZoomIn = 0.0;
    gdblZoomOut = 0.0;
    glngEditDate = 0;
    gintRasterLevel = 0;
    glngRasterSplitW = 0;
    glngRasterSplitH = 0;
    gstrSetDateMode.clear();
    gstrSetDate1.clear();
    gstrSetDate2.clear();
    gstrViewDate.clear();

    ComDateCtrl::gintDateFormat = 0;
}

// The globals of the map window (mapwindow/globals.h).
void resetMapWindowGlobals()
{
    glngPointX = {0, 0};
    glngPointY = {0, 0};
    glngElmHandle = 0;
    gintKeyCode = 0;
    gintMouseButton = 0;
    glngMouseDownX = 0;
    glngMouseDownY = 0;
    glngMouseUpX = 0;
    glngMouseUpY = 0;
    glngDragX = 0;
    glngDragY = 0;
    gintMapMouseMode = 0;
    gintSkipCenter = 0;
    gstrAttachPath.clear();
    gintPrefSpaceID = 0;
    gintCitySpaceID = 0;
    gintTownSpaceID = 0;
    gintAreaCnectKind = 0;
    gstrClickedAreaCode.clear();
}

// The globals of the statistics libraries (statdata/globals.h,
// statdataui/comg_add.h, statrender/frmpsyxlsselect.h, statrender/globals.h,
// statwindow/globals.h).
void resetStatisticsGlobals()
{
    gstrCalcTemplateFile.clear();
    gstrAddDataPath.clear();
    gstrExcelTemplate.clear();
    gstrExcelTitle.clear();
    glngNuriDrawIds.assign(1, 0);
    glngHighlightSets.assign(1, 0);
    glngRyusenSets.clear();
    gintSaveVectID.assign(1, 0);
    gtypSaveVectStyle.assign(1, ElmKindStyle{});
    gintSaveCnectID.assign(1, 0);
    gtypSaveCnectStyle.assign(1, ElmKindStyle{});
    gtypStatArea.assign(1, StatArea{});
    gstrNuriHanreiTitle.clear();
    gtypNuriHanrei.assign(1, NuriHanreiClass{});
    gtypHanreiItems.assign(1, HanreiItem{});
    gstrHanreiMaxName.clear();
    gstrHanreiMinName.clear();
    gdblHanreiMax = 0;
    gdblHanreiMin = 0;
    gdblHanreiAve = 0;
    gintPsyMoveState = 0;
    glngPsyMoveSet = 0;
    glngPsyMoveLineSet = 0;
    glngAreaSelectLevel = 0;
}

// What the subsystems registered with the shell and with each other.
void clearRegistries()
{
    shell::modeRegistry().clear();
    shell::setMapWindowFactory(nullptr);
    shell::framePaneMakers() = shell::FramePaneMakers{};
    shell::commandItemSources() = shell::CommandItemSources{};
    shell::statisticsServices() = shell::StatisticsServices{};
    statrender::mapKindTable() = statrender::MapKindTable{};
    shell::operationRoomLabels() = shell::OperationRoomLabels{};
    shell::operationRoomChecks() = shell::OperationRoomChecks{};
    mapwindow::mapEventLinks() = mapwindow::MapEventLinks{};
    mapwindow::displayWindows() = mapwindow::DisplayWindows{};
    mapwindow::engineStartHooks().clear();
    statdata::setAreaCalculation(nullptr);
    statdata::setAddPipelineHooks({});
    statdata::RegistrationJournal::setStepHook(nullptr);
    clsAddInfo::setClock(nullptr);
    statrender::setLegendPictureSource(nullptr);
}

// What the run keeps for its later calls.
void forgetKeptState()
{
    shell::setProgramFolder(QString());
    shell::startSettingsWriteReports();
    ui::forgetKeptPlaces();
    modColorDialog::ForgetCustomColours();
    CommonM1::ForgetPrinter();
    mapwindow::forgetUnsavedOverview();
    statdata::MeshDatabase::shared().close();
    statdata::ValueFileIndex::clearCache();
    statdata::ValueFileIndex::setCacheLimit(statdata::ValueFileIndex::DefaultCacheLimit);
    profile::clearCache();
    releaseInstanceLock();
}

} // namespace

void routeStatisticsMessages()
{
    statdata::setMessageHook([](const QString &text, int style) { ui::MsgBox(text, style); });
}

void resetRunState()
{
    // The windows go first: their destructors still see the registries and
    // globals they were made with.
    ui::WindowRegistry::instance().deleteAll();
    clearRegistries();
    forgetKeptState();
    resetShellGlobals();
    resetMapWindowGlobals();
    resetStatisticsGlobals();
    routeStatisticsMessages();
}

} // namespace veltra::app
