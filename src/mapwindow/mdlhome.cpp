#include "mapwindow/mdlhome.h"

#include "mapwindow/frmhome.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/mapwindowhost.h"
#include "shell/mdlwindow.h"
#include "shell/modecodes.h"

#include <QWidget>

namespace mdlHome {

namespace {
bool g_leaving = false;
}

bool leaving()
{
    return g_leaving;
}

void HomeMode(std::int16_t &state)
{
    auto &registry = veltra::ui::WindowRegistry::instance();
    if (state == StateEnter) {
        std::int32_t shift = 3500; // beside the list bar
        mdlWindow::ShiftMapWindow(shift);
        auto *window = registry.form<frmHome>(static_cast<QWidget *>(gfrmMain));
        window->show();
        window->raise();
    } else if (state == StateLeave) {
        std::int32_t shift = 0;
        mdlWindow::ShiftMapWindow(shift);
        auto *window = qobject_cast<frmHome *>(registry.find(QStringLiteral("frmHome")));
        if (window && !window->unloading()) {
            g_leaving = true;
            registry.unload(window);
            g_leaving = false;
        }
        if (gfrmZorvik) {
            gfrmZorvik->widget()->raise();
            gfrmZorvik->widget()->activateWindow();
        }
    }
}

} // namespace mdlHome
