#pragma once
// The actions of the main frame's menu items, by control name. The frame
// connects each item of its menu table to the entry of the same name; an
// item without an entry has no action.
//
// Commands that need an open map test gintMapInit themselves; commands that
// reach windows of later subsystems go through those subsystems' tables in
// the mode registry, so an item whose window has not arrived yet does nothing.
#include <QString>
#include <functional>
#include <map>

class frmMain;

namespace veltra::shell {

using MenuCommand = std::function<void(frmMain &)>;

const std::map<QString, MenuCommand> &menuCommands();

} // namespace veltra::shell
