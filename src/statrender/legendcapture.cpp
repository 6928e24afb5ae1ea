#include "statrender/legendcapture.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"

#include <QPointer>
#include <QWidget>

namespace veltra::statrender {

void showAndCaptureLegend(QWidget *legend)
{
    QPointer<QWidget> shown(legend);
    legend->show();
    ui::DoEvents();
    // The events just run may have closed it (a clear of the map).
    if (!shown)
        return;
    legend->activateWindow();
    legend->setFocus();
    ui::DoEvents();
    if (shown && gfrmMain)
        gfrmMain->picHanrei = legend->grab();
}

} // namespace veltra::statrender
