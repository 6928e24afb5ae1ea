#pragma once
// The program's run state in one place: every global, registry, kept place
// and open shared resource that lives from one call to the next, and the one
// call that puts them all back to how a fresh process starts.
//
// After the reset no subsystem is registered (no mode handler, map window
// factory or frame pane), no window exists, no program folder is chosen and
// every spec-named global holds its initial value. The statistics library's
// messages still reach the message box: that route is part of every process
// (the program and the test programs wire it before anything runs), and a
// reset that dropped it would lose the messages silently.
//
// Start-up registers the subsystems again (registerSubsystems); tests
// register what they drive.
namespace veltra::app {

// Sends what the statistics library has to tell the user to the message box.
void routeStatisticsMessages();

// Puts every piece of run state back to its start. Windows still registered
// are deleted without being asked to close, so nothing may hold them
// elsewhere (a window on the stack outlives no reset).
void resetRunState();

} // namespace veltra::app
