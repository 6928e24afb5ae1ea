#include "app/mdlmain_main.h"

#include "app/instancelock.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/frmpsyank.h"
#include "shell/frmpsyinfo.h"
#include "shell/frmpsywait.h"
#include "shell/frmsplash.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/mdlmain_settings.h"
#include "shell/modaldialog.h"
#include "shell/programfolder.h"
#include "shell/savefailures.h"
#include "shell/statisticsservices.h"
#include "statdata/meshdatabase.h"

#include <QThread>

using namespace veltra;

namespace {

QString messageTitle()
{
    return gstrTitle.isEmpty() ? QStringLiteral("Veltra") : gstrTitle;
}

// The reason the program cannot start, and its end.
void reportStartFailure(const QString &why)
{
    ui::MsgBox(why + QStringLiteral("\n\nVeltra を終了します。"), ui::vbCritical, messageTitle());
}

bool openPlaceNameDatabase()
{
    auto &db = statdata::MeshDatabase::shared();
    const QString path = statdata::MeshDatabase::pathInDataFolder(gstrDataPath);
    if (db.open(path))
        return true;
    reportStartFailure(QStringLiteral("地名データベースを開けません: %1\n%2").arg(path, db.lastError()));
    return false;
}

void showSplash(int milliseconds)
{
    auto *splash = ui::form<frmSplash>();
    splash->show();
    splash->repaint();
    // A plain pause: the picture stays while nothing else runs yet.
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void askQuestionnaire()
{
    if (!shell::questionnaireDue())
        return;
    auto *ank = ui::form<frmPSYAnk>();
    shell::execModal(*ank);
    ui::WindowRegistry::instance().unload(ank);
}

// The initial-display choice: true for the view of the last exit.
bool askInitialView()
{
    auto *info = ui::form<frmPSYInfo>();
    shell::execModal(*info);
    const bool lastExit = info->bZenkai;
    ui::WindowRegistry::instance().unload(info);
    return lastExit;
}

} // namespace

namespace mdlMain {

app::StartResult Main(const app::StartOptions &options)
{
    // 1. One copy at a time; a second one touches nothing.
    if (!app::acquireInstanceLock(options.lockPath))
        return app::StartResult::AlreadyRunning;

    // 2-3. Configuration (raises the start count), beginner layout. A
    // settings write that fails is told once in a run.
    shell::startSettingsWriteReports();
    const shell::SettingsReport report = ReadSettings();
    if (!report.ok()) {
        reportStartFailure(report.message());
        return app::StartResult::Failed;
    }
    gbPro = 0;

    // 4-5. Place-name database for the whole run.
    if (!openPlaceNameDatabase())
        return app::StartResult::Failed;
    gintTempIPra2 = 188;

    // 6-8. Splash, main frame.
    showSplash(options.splashMilliseconds);
    gfrmMain = new frmMain;
    gfrmMain->MDIForm_Load(options.commandLine);
    ui::WindowRegistry::instance().unload(QStringLiteral("frmSplash"));
    gfrmMain->show();

    // 9-11. Statistics lists, questionnaire, initial view.
    shell::resetDrawIdLists();
    askQuestionnaire();
    const bool lastExit = askInitialView();

    // 12-14. The default document, inside the wait dialog.
    gstrDocPath = shell::programFolder() + QStringLiteral("Veltra.zor");
    ui::DoEvents();
    auto *wait = ui::form<frmPSYWait>(gfrmMain);
    wait->show();
    ui::DoEvents();
    if (gfrmMain)
        gfrmMain->LoadNewDoc(0);

    // 15-16. Only a running map can move and name its centre.
    if (gfrmMain && gintMapInit == 1) {
        gfrmMain->fncSeveAreaJump(lastExit ? 0 : 1);
        if (gfrmZorvik)
            gfrmZorvik->MP_GetCenterPlaceName();
    }

    // 17-18.
    ui::WindowRegistry::instance().unload(wait);
    shell::saveElmStyle();
    return app::StartResult::Running;
}

} // namespace mdlMain
