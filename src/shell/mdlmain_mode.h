#pragma once
// The tool-mode dispatcher: one current mode (gintModeNo, gintModeSub) and
// the two procedures that switch modes and hand events to the current mode.
//
// ChangeMode leaves the running mode (state -1), stores the new code and
// sub-type and enters it (state 0). DispatchMode runs the current mode's
// action for a state; every leave, whoever sends it and whether or not a mode
// runs, ends with mode 0 and a layout pass of the frame. Handlers come from
// the mode registry; a code without a registered handler or action runs
// nothing. Handlers may re-enter the event loop and the dispatcher, so the
// current mode is read from gintModeNo afresh at every step. Nothing is
// trapped: whatever a handler does reaches the caller.
#include <QString>
#include <cstdint>

namespace mdlMain {

// Leaves the current mode (when one runs), stores mode and sub-type, enters
// the mode with the parameter text.
void ChangeMode(std::int16_t &mode, std::int16_t &subType, const QString &param);

// Hands the state to the current mode's action; a leave (-1) then clears the
// mode and lays the frame out.
void DispatchMode(std::int16_t &state, QString &param);

} // namespace mdlMain

namespace veltra::shell {

// Value-argument forms for callers that pass constants.
void changeMode(std::int16_t mode, std::int16_t subType, const QString &param);
void dispatchMode(std::int16_t state, const QString &param);

} // namespace veltra::shell
