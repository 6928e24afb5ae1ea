#include "app/subsystems.h"

#include "mapwindow/frmzorvik.h"
#include "mapwindow/maptoolsregistry.h"
#include "mapwindow/navigationregistry.h"
#include "platform/ui/msgbox.h"
#include "statdata/messages.h"
#include "statdataui/comg_add.h"

namespace veltra::app {

void registerSubsystems()
{
    mapwindow::registerMapWindow();
    mapwindow::registerNavigation();
    mapwindow::registerMapTools();
    statdataui::registerUserDataWindows();
    statdata::setMessageHook([](const QString &text, int style) { ui::MsgBox(text, style); });
}

} // namespace veltra::app
