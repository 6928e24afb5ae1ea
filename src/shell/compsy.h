#pragma once
// ComPSY: the shell's part of the statistics-map helpers: the cancel check
// of long operations and the unloading of windows.
//
// A long operation shows the wait dialog (frmPSYWait), sets gintWaitCancel
// to 0, makes the dialog's Cancel button visible, and calls PSY_CheckCancel
// once per step. The check lets pending window messages run (so the dialog
// repaints and a Cancel click is delivered), then reads the flag: 1 (Cancel
// pressed) asks whether to stop; Yes makes it 2 and stops, No makes it 0 and
// goes on. 2 or more stops without asking; 0 or less goes on.
#include <QString>

namespace ComPSY {

// True when the operation must stop.
bool PSY_CheckCancel();

// Unloads every loaded window whose name differs from `keepName`.
void PSY_UnloadFormsExcept(const QString &keepName);

} // namespace ComPSY
