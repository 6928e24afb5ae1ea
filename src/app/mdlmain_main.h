#pragma once
// mdlMain::Main: the program's start-up, run once on the user-interface
// thread before the event loop.
//
// In order: the single-instance test (a second copy ends here and reads or
// writes nothing), the configuration (the start count is raised and written
// back), the place-name database opened for the run, the splash window,
// the main frame loaded (a document named on the command line opens in a map
// window) and shown, the statistics drawing lists emptied, the questionnaire
// on the 6th to 10th start, the initial-display choice, then the default
// document Veltra.zor of the program folder opened in a new map window
// inside the wait dialog, the jump to the chosen view, the centre place name
// and the snapshot of the statistics styles.
//
// A configuration the program cannot run with, or a place-name database that
// does not open, ends in a message and an orderly end; when the default
// document does not open, the steps that need a running map are skipped and
// the frame stays usable.
//
// Shut-down is the closing of the main frame (frmMain).
#include <QString>

namespace veltra::app {

struct StartOptions
{
    QString commandLine; // the document to open first ("" for none)
    QString lockPath; // single-instance lock file ("" for the user's default)
    int splashMilliseconds = 1000; // how long the splash window blocks
};

enum class StartResult {
    Running, // the frame is up; run the event loop
    AlreadyRunning, // another copy runs: end at once
    Failed, // the user was told why; end
};

} // namespace veltra::app

namespace mdlMain {

veltra::app::StartResult Main(const veltra::app::StartOptions &options = {});

} // namespace mdlMain
