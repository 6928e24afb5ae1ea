#include "statrender/oneitemlegend.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/frmpsyhanreione.h"
#include "statrender/legendcapture.h"

#include <QLabel>

namespace veltra::statrender {

void showOneItemLegend(const std::vector<QString> &header, const QString &note)
{
    ui::WindowRegistry::instance().unload(QStringLiteral("frmPSYHanreiOne"));
    auto *legend = ui::form<frmPSYHanreiOne>(static_cast<QWidget *>(gfrmMain));
    for (std::size_t i = 1; i < header.size(); ++i) {
        const QStringList fields = header[i].split(QLatin1Char(','));
        if (fields.value(0) == QLatin1String("H5")) {
            legend->lblInfo1->setText(fields.value(1).remove(QLatin1Char('"')));
            break;
        }
    }
    legend->lblInfo2->setText(note);
    showAndCaptureLegend(legend);
}

} // namespace veltra::statrender
