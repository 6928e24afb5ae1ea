#pragma once
// The user-data menu items' commands, registered by the user-data windows.
#include <functional>

namespace veltra::shell {

struct UserDataCommands
{
    std::function<void()> openUserDataFolder; // ComG_add.OpenExcelFolder
    std::function<void()> showUserDataForm; // ComG_add.ShowUserDataForm
};

} // namespace veltra::shell
