#include "shell/operationroom.h"

namespace veltra::shell {

OperationRoomLabels &operationRoomLabels()
{
    static OperationRoomLabels labels;
    return labels;
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

} // namespace veltra::shell
