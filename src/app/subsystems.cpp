#include "app/subsystems.h"

#include "mapwindow/frmzorvik.h"

namespace veltra::app {

void registerSubsystems()
{
    mapwindow::registerMapWindow();
}

} // namespace veltra::app
