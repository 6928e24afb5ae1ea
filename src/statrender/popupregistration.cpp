#include "statrender/popupregistration.h"

#include "platform/ui/windowregistry.h"
#include "shell/frmmain.h"
#include "shell/globals.h"
#include "statrender/exceloutmode.h"
#include "statrender/frmpsyrank.h"
#include "statrender/mapkindtable.h"
#include "statrender/rankingmap.h"
#include "statrender/valuemap.h"

namespace veltra::statrender {

namespace {

frmPSYRank *rankingPopup()
{
    return ui::form<frmPSYRank>(static_cast<QWidget *>(gfrmMain));
}

} // namespace

void registerLegendPopups()
{
    MapKindTable &table = mapKindTable();
    table.procedures[5] = [](MapKindCall &call) { ComPSY::DrawRankingMap(call.engine, call.header, call.data); };
    table.procedures[6] = [](MapKindCall &call) { ComPSY::DrawValueMap(call.engine, call.header, call.data); };
    table.rankingPopup.load = [] { rankingPopup(); };
    table.rankingPopup.show = [](const QString &mode, const QString &dataPath) {
        frmPSYRank *popup = rankingPopup();
        popup->sMode = mode;
        popup->sFileName = dataPath;
        popup->show();
    };
    setLegendPictureSource([] { return gfrmMain ? gfrmMain->picHanrei.toImage() : QImage(); });
}

} // namespace veltra::statrender
