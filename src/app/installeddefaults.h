#pragma once
// The installed defaults an empty program folder is filled from on first
// start: the configuration files (ZORPAK.INI, ZORPAK.MNU) and the generated
// default map document with its store and data folder.
#include "shell/programfolder.h"

#include <vector>

namespace veltra::app {

std::vector<shell::DefaultsSource> installedDefaults();

} // namespace veltra::app
