#pragma once
// The two labels of the operation room panel that the shell and the map
// window write: the place name of the map centre and the view date; and its
// statistics-map check box, which the statistics map window unticks when it
// closes.
//
// The operation room belongs to guided operation, which builds on the shell;
// it registers here how its labels are set (creating the panel when it does
// not exist). An entry nobody registered does nothing: without an operation
// room there is nowhere to show the texts.
#include <QString>
#include <functional>

namespace veltra::shell {

struct OperationRoomLabels
{
    std::function<void(const QString &)> setPlaceName; // frmPSYOpeRoom.MP_SetPlaceName
    std::function<void(const QString &)> setDateLabel; // frmPSYOpeRoom.lblJiki
};

OperationRoomLabels &operationRoomLabels();

struct OperationRoomChecks
{
    std::function<void()> untickStatisticsMap; // frmPSYOpeRoom.chkToukeiMap = 0
};

OperationRoomChecks &operationRoomChecks();

// Each runs the registered entry, or nothing.
void setOpeRoomPlaceName(const QString &text);
void setOpeRoomDateLabel(const QString &text);
void untickOpeRoomStatisticsMap();

} // namespace veltra::shell
