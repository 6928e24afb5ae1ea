#include "shell/operationroom.h"

namespace veltra::shell {

OperationRoomLabels &operationRoomLabels()
{
    static OperationRoomLabels labels;
    return labels;
}

OperationRoomChecks &operationRoomChecks()
{
    static OperationRoomChecks checks;
    return checks;
}

void setOpeRoomPlaceName(const QString &text)
{
    const auto set = operationRoomLabels().setPlaceName; // the entry may change while it runs
    if (set)
        set(text);
}

void setOpeRoomDateLabel(const QString &text)
{
    const auto set = operationRoomLabels().setDateLabel;
    if (set)
        set(text);
}

void untickOpeRoomStatisticsMap()
{
    const auto untick = operationRoomChecks().untickStatisticsMap;
    if (untick)
        untick();
}

} // namespace veltra::shell
