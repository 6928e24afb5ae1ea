#include "statrender/graphmapregistration.h"

#include "statrender/barmap.h"
#include "statrender/flowmap.h"
#include "statrender/mapkindtable.h"
#include "statrender/picturemap.h"
#include "statrender/piemap.h"
#include "statrender/symbolmap.h"

namespace veltra::statrender {

void registerGraphMaps()
{
    MapKindTable &table = mapKindTable();
    table.procedures[2] = [](MapKindCall &call) {
        ComPSY::DrawPieMap(call.engine, call.header, call.data, call.dataPath, call.mapKind);
    };
    table.procedures[3] = [](MapKindCall &call) {
        ComPSY::DrawBarMap(call.engine, call.header, call.data, call.dataPath, call.mapKind);
    };
    table.procedures[4] = [](MapKindCall &call) {
        ComPSY::DrawSymbolMap(call.engine, call.header, call.data, call.dataPath, call.pictureFolder);
    };
    table.procedures[7] = [](MapKindCall &call) {
        ComPSY::DrawPictureMap(call.engine, call.header, call.data, call.dataPath, call.pictureFolder);
    };
    table.procedures[8] = [](MapKindCall &call) { ComPSY::DrawFlowMap(call.engine, call.header, call.data); };
}

} // namespace veltra::statrender
