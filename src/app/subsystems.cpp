#include "app/subsystems.h"

#include "app/runstate.h"
#include "mapwindow/frmzorvik.h"
#include "mapwindow/maptoolsregistry.h"
#include "mapwindow/navigationregistry.h"
#include "statdataui/comg_add.h"
#include "statrender/datareferenceregistry.h"
#include "statrender/spreadsheetregistration.h"
#include "statrender/renderingregistration.h"
#include "statwindow/statwindowregistration.h"

namespace veltra::app {

void registerSubsystems()
{
    mapwindow::registerMapWindow();
    mapwindow::registerNavigation();
    mapwindow::registerMapTools();
    statdataui::registerUserDataWindows();
    statrender::registerDataReference();
    statrender::registerSpreadsheetExport();
    statrender::registerStatisticsRendering();
    statwindow::registerStatisticsWindow();
    routeStatisticsMessages();
}

} // namespace veltra::app
