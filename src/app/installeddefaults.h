#pragma once
// The installed defaults an empty program folder is filled from on first
// start: the configuration files (ZORPAK.INI, ZORPAK.MNU) and the generated
// default map document with its store and data folder.
#include "shell/programfolder.h"

#include <vector>

namespace veltra::app {

// The defaults for the program in `programDir`: the shared data installed
// beside it (<prefix>/share/veltra/program and .../default, found from the
// program's folder so the installed tree can move), or the source and build
// folders when it is the program of the build folder.
std::vector<shell::DefaultsSource> installedDefaults(const QString &programDir);
// The same for this running program.
std::vector<shell::DefaultsSource> installedDefaults();

} // namespace veltra::app
