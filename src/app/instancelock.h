#pragma once
// The single-instance test: one lock file per user, held for the whole run.
// A second copy of the program finds it held and ends at once. A lock left by
// a crashed run is taken over (the lock file records the holder's process).
#include <QString>

namespace veltra::app {

// The lock file of the user's runs.
QString defaultInstanceLockPath();

// Takes the lock at `path` (the default when empty) for this process; true
// when this process holds it (also when it already did).
bool acquireInstanceLock(const QString &path = QString());
// Gives the lock back (tests, and the process end).
void releaseInstanceLock();

} // namespace veltra::app
