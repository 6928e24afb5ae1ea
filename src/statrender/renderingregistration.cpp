#include "statrender/renderingregistration.h"

#include "shell/moderegistry.h"
#include "shell/statisticsservices.h"
#include "statrender/choroplethmap.h"
#include "statrender/clearstatmap.h"
#include "statrender/drawfromfiles.h"
#include "statrender/graphmapregistration.h"
#include "statrender/popupregistration.h"
#include "statrender/statelementmodes.h"
#include "statrender/viewdate.h"

namespace veltra::statrender {

void registerStatisticsRendering()
{
    auto &services = shell::statisticsServices();
    services.resetDrawIdLists = ComPSY::ResetDrawIdLists;
    services.saveElmStyle = ComPSY::PSY_SaveElmStyle;
    services.clearStatisticsMapQuiet = ComPSY::PSY_ClearStatisticsMapQuiet;
    services.unloadLegendForms = ComPSY::PSY_UnloadLegendForms;

    auto &actions = shell::modeRegistry().statistics();
    actions.unloadLegendForms = ComPSY::PSY_UnloadLegendForms;
    actions.clearStatisticsMap = ComPSY::PSY_ClearStatisticsMap;

    registerLegendPopups();
    registerChoroplethMap();
    registerGraphMaps();
    registerStatElementModes();
}

} // namespace veltra::statrender
