#include "statwindow/drawstored.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmpsywait.h"
#include "shell/globals.h"
#include "statrender/clearstatmap.h"
#include "statrender/drawfromfiles.h"
#include "zorvik/widget/zorvik.h"

#include <QGuiApplication>

namespace veltra::statwindow {

void drawStoredAnalyses(QWidget *window, bool &pointerBusy)
{
    QGuiApplication::restoreOverrideCursor();
    pointerBusy = false;
    window->setCursor(Qt::WaitCursor);
    auto *wait = veltra::ui::form<frmPSYWait>(window);
    wait->show();
    veltra::ui::DoEvents();
    ComPSY::PSY_ClearStatisticsMap(gobjZor, true);
    ComPSY::PSY_DrawFromFiles(gobjZor, QString());
    veltra::ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYWait"));
    window->unsetCursor();
    if (gobjZor)
        gobjZor->Refresh();
}

} // namespace veltra::statwindow
