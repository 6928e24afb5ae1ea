#pragma once
// The 背景地図 menu's base-map mesh commands, registered by the map window.
#include <functional>

namespace veltra::shell {

struct BaseMapCommands
{
    std::function<void()> mapDownload; // base-map mesh download
    std::function<void()> mapDelete; // base-map mesh removal
    std::function<void()> showMeshImportRemoval; // frmPSYAnInport
};

} // namespace veltra::shell
