#pragma once
// The panes of guided operation that the frame drives: the operation room,
// the list bar and the stories, each registered by the pane that implements
// it. The operation room's labels have their own entries (operationroom.h).
#include <QString>
#include <functional>

namespace veltra::shell {

struct OperationRoomCommands
{
    std::function<void()> pyramidCommand; // frmPSYOpeRoom.cmdPiramid_Click
    std::function<void()> selectFirstMapMode; // frmPSYOpeRoom.optMapMode(0)
    std::function<void(const QString &)> setOpeRoomScale; // frmPSYOpeRoom.cmbScale text
    std::function<void(bool)> enableOpeRoom; // frmPSYOpeRoom.MP_WndEnable
};

struct ListBarCommands
{
    std::function<void(bool)> enableListBar; // frmListBar's command list and group box
    std::function<bool()> showListOption; // frmListOption, modal; true when saved
    std::function<void()> rebuildListBar; // listBarInit, ListBarGrpMake, ListBarMake
};

struct StoryCommands
{
    std::function<bool()> showStoryEditor; // frmPSYStoryOption, modal; true when saved
    std::function<void()> rebuildStoryList; // frmPSYStory.ListBarGrpMake 0
};

} // namespace veltra::shell
