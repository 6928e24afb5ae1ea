#include "shell/statisticsservices.h"

namespace veltra::shell {

StatisticsServices &statisticsServices()
{
    static StatisticsServices services;
    return services;
}

void resetDrawIdLists()
{
    if (statisticsServices().resetDrawIdLists)
        statisticsServices().resetDrawIdLists();
}

void saveElmStyle()
{
    if (statisticsServices().saveElmStyle)
        statisticsServices().saveElmStyle();
}

void clearStatisticsMapQuiet(zorvik::Zorvik *engine)
{
    if (engine && statisticsServices().clearStatisticsMapQuiet)
        statisticsServices().clearStatisticsMapQuiet(engine);
}

void unloadLegendForms()
{
    if (statisticsServices().unloadLegendForms)
        statisticsServices().unloadLegendForms();
}

} // namespace veltra::shell
