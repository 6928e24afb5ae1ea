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
    auto &actions = registry.actions();
    actions.setNormalMode = &mdlDispCom::SetNormalMode;
    actions.setDragMoveMode = &mdlDispCom::SetDragMoveMode;
    actions.setSelectZoomMode = &mdlDispCom::SetSelectZoomMode;
    actions.showAllArea = &mdlDispCom::ShowAllArea;
    actions.redraw = &mdlDispCom::Redraw;
    actions.showOverview = &showOverview;
    actions.unloadOverview = &unloadOverview;
    actions.overviewShown = &overviewShown;
    // The frame registers its own overview command for mode 203 when it
    // has one; until then the overview toggles itself.
    if (!actions.toggleOverview)
        actions.toggleOverview = &toggleOverview;
    actions.showViewDate = [](const QString &mode) { shell::showViewDateDialog(mode); };
    actions.showPointOptions = [] { showSingle<frmOptionPoint>(); };
    actions.showViewOptions = [] { showSingle<frmOptionView>(); };
}

} // namespace veltra::mapwindow
