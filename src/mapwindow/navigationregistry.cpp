#include "mapwindow/navigationregistry.h"

#include "mapwindow/frmallareaview.h"
#include "mapwindow/frmoptionpoint.h"
#include "mapwindow/frmoptionview.h"
#include "mapwindow/mdldispcom.h"
#include "mapwindow/mdlhome.h"
#include "platform/ui/windowplacement.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/frmoptions.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"

namespace veltra::mapwindow {

namespace {

// A settings window: one instance, modeless, owned by the main frame.
template <class Window> void showSingle()
{
    auto *window = ui::form<Window>(static_cast<QWidget *>(gfrmMain));
    ui::showToolWindow(*window, gfrmMain);
    window->raise();
}

} // namespace

void registerNavigation()
{
    auto &registry = shell::modeRegistry();
    registry.setHandler(ModeDisplay, &mdlDispCom::DisplayMode);
    registry.setStateHandler(ModeHome, &mdlHome::HomeMode);
    auto &navigation = registry.navigation();
    navigation.setNormalMode = &mdlDispCom::SetNormalMode;
    navigation.setDragMoveMode = &mdlDispCom::SetDragMoveMode;
    navigation.setSelectZoomMode = &mdlDispCom::SetSelectZoomMode;
    navigation.showAllArea = &mdlDispCom::ShowAllArea;
    navigation.redraw = &mdlDispCom::Redraw;
    navigation.showViewDate = [](const QString &mode) { shell::showViewDateDialog(mode); };
    navigation.showPointOptions = [] { showSingle<frmOptionPoint>(); };
    navigation.showViewOptions = [] { showSingle<frmOptionView>(); };
    auto &overview = registry.overview();
    overview.show = &showOverview;
    overview.unload = &unloadOverview;
    overview.shown = &overviewShown;
    // Mode 203 runs the frame's overview command when there is a frame.
    overview.toggle = &toggleOverview;
}

} // namespace veltra::mapwindow
