#include "app/subsystems.h"

#include "mapwindow/frmzorvik.h"
#include "mapwindow/maptoolsregistry.h"
#include "mapwindow/navigationregistry.h"

namespace veltra::app {

void registerSubsystems()
{
    mapwindow::registerMapWindow();
    mapwindow::registerNavigation();
    mapwindow::registerMapTools();
}

} // namespace veltra::app
