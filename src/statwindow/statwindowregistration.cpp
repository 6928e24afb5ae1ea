#include "statwindow/statwindowregistration.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/moderegistry.h"
#include "statwindow/frmstatisticsmap.h"

namespace veltra::statwindow {

void registerStatisticsWindow()
{
    shell::modeRegistry().statistics().showStatisticsMap = [] {
        frmStatisticsMap *window = ui::form<frmStatisticsMap>(static_cast<QWidget *>(gfrmMain));
        window->show();
        window->raise();
    };
}

} // namespace veltra::statwindow
