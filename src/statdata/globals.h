#pragma once
// Program-wide state of the statistics data subsystem. Everything runs on the
// user-interface thread, so no locking.
#include <QString>

// The calculation template last chosen in the template chooser or last
// registered by the template editor; it keeps its value when those windows
// close.
inline QString gstrCalcTemplateFile;
