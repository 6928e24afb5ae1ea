#include "mapwindow/maptoolsregistry.h"

#include "mapwindow/areasanshou.h"
#include "mapwindow/comcuttingimage.h"
#include "mapwindow/frmsamplecoordinate.h"
#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/modecodes.h"
#include "shell/moderegistry.h"

namespace veltra::mapwindow {

void registerMapTools()
{
    auto &registry = shell::modeRegistry();
    registry.mapTools().showDatumWindow = [](zorvik::Zorvik *engine) {
        auto *window = ui::form<frmSampleCoordinate>(static_cast<QWidget *>(gfrmMain));
        window->setZorvik(engine);
        window->show();
        window->raise();
    };
    registry.setHandler(ModeImageCut, &ComCuttingImage::ImageCutMode);
    registry.setHandler(ModeAreaSanshou, &ComCaldoraNeo::AreaSanshouMode);
}

} // namespace veltra::mapwindow
