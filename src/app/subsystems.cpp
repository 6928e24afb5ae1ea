#include "app/subsystems.h"

#include "app/runstate.h"
#include "mapwindow/frmzorvik.h"
#include "mapwindow/maptoolsregistry.h"
#include "mapwindow/navigationregistry.h"
#include "statdataui/comg_add.h"

namespace veltra::app {

void registerSubsystems()
{
    mapwindow::registerMapWindow();
    mapwindow::registerNavigation();
    mapwindow::registerMapTools();
    statdataui::registerUserDataWindows();
    routeStatisticsMessages();
}

} // namespace veltra::app
