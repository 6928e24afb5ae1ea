#pragma once
// The statistics-map services that start-up, saving, exit and the map
// window's closing call, registered by the statistics rendering subsystem
// when it starts. An entry nobody registered does nothing: without that
// subsystem there is no statistics map to clear, list or snapshot.
#include <functional>

namespace zorvik {
class Zorvik;
}

namespace veltra::shell {

struct StatisticsServices
{
    // ComPSY.ResetDrawIdLists: empties the two drawing lists.
    std::function<void()> resetDrawIdLists;
    // ComPSY.PSY_SaveElmStyle: snapshot of the statistics kinds' styles.
    std::function<void()> saveElmStyle;
    // ComPSY.PSY_ClearStatisticsMapQuiet: removes every statistics element
    // from the engine and deletes the statistics map's files.
    std::function<void(zorvik::Zorvik *engine)> clearStatisticsMapQuiet;
    // ComPSY.PSY_UnloadLegendForms: closes the legend and ranking pop-ups.
    std::function<void()> unloadLegendForms;
};

StatisticsServices &statisticsServices();

// Each runs the registered service, or nothing.
void resetDrawIdLists();
void saveElmStyle();
void clearStatisticsMapQuiet(zorvik::Zorvik *engine);
void unloadLegendForms();

} // namespace veltra::shell
