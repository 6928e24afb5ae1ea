#include "statrender/graphlegend.h"

#include "platform/ui/windowregistry.h"
#include "platform/vb/convert.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/frmpsyhanreibmp.h"
#include "statrender/globals.h"
#include "statrender/graphmapcalls.h"
#include "statrender/legendcapture.h"

#include <QLabel>

namespace veltra::statrender {

void ShowGraphLegend(const std::vector<QString> &header, bool blankValues)
{
    gtypHanreiItems.assign(1, HanreiItem{});
    ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYHanreiBmp"));
    for (const ItemLine &line : ItemLines(header)) {
        HanreiItem item;
        item.strName = line.name;
        item.lngColor = vb::cLng(line.colour);
        gtypHanreiItems.push_back(item);
    }
    auto *legend = ui::form<frmPSYHanreiBmp>(static_cast<QWidget *>(gfrmMain));
    if (blankValues) {
        for (QLabel *label :
            {legend->lblPMax, legend->lblMax, legend->lblAve, legend->lblPMin, legend->lblMin})
            label->clear();
    }
    showAndCaptureLegend(legend);
}

} // namespace veltra::statrender
