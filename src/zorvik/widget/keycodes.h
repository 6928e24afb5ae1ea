#pragma once
// Input codes of the engine's events: Windows virtual-key codes for Qt keys
// (13 Enter, 27 Escape, 37-40 arrows, letters and digits as their capitals),
// mouse button codes (1 left, 2 right, 4 middle) and the shift mask
// (1 Shift, 2 Ctrl, 4 Alt).
#include <Qt>

namespace zorvik::keys {

// The virtual-key code of a Qt key; 0 for a key without one.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
int buttonCode(Qt::MouseButton button);
int buttonMask(Qt::MouseButtons buttons);
int shiftMask(Qt::KeyboardModifiers modifiers);

} // namespace zorvik::keys
