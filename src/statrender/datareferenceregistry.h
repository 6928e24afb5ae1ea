#pragma once
// Plugs the data reference window (frmPSYDataSanshou) into the shell's data
// reference table: mode 91, the menu command and the tool-bar button show
// it; the area reference mode hands it the clicked area's code and point,
// the graph reference mode the graph's area code and data field.
// The window is created on first use, owned by the main frame.
namespace veltra::statrender {

void registerDataReference();

} // namespace veltra::statrender
