#include "statwindow/statwindowregistration.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"
#include "statwindow/comsampleprogram2.h"
#include "statwindow/frmstatisticsmap.h"

#include <QCheckBox>

namespace veltra::statwindow {

void registerStatisticsWindow()
{
    shell::modeRegistry().setHandler(ModeAreaSelect, &ComSampleProgram2::AreaSelectMode);
    auto &statistics = shell::modeRegistry().statistics();
    statistics.showStatisticsMap = [] {
        frmStatisticsMap *window = ui::form<frmStatisticsMap>(static_cast<QWidget *>(gfrmMain));
        window->show();
        window->raise();
    };
    // Mode 99 with a file: the window is loaded (not shown) to read it.
    statistics.showWaitDialog = [] { ui::form<frmPSYWait>(static_cast<QWidget *>(gfrmMain))->show(); };
    statistics.processEvents = [] { ui::DoEvents(); };
    statistics.readStatisticsMapFile = [](QString &file) {
        ui::form<frmStatisticsMap>(static_cast<QWidget *>(gfrmMain))->MP_ReadFileOnDraw(file);
    };
    statistics.unloadWaitDialog = [] { ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYWait")); };
    // Leaving mode 82 unticks the switch as a click would, so the data window
    // goes with it; a window that is not loaded has nothing to untick.
    statistics.untickDataSansho = [] {
        auto *window = qobject_cast<frmStatisticsMap *>(
            ui::WindowRegistry::instance().find(QStringLiteral("frmStatisticsMap")));
        if (window && window->chkDataSansho->isChecked()) {
            window->chkDataSansho->setChecked(false);
            window->chkDataSansho_Click();
        }
    };
}

} // namespace veltra::statwindow
