// Internal to platform/gui: virtual-key codes and shift states to and from Qt keys and modifiers.
#pragma once

#include "gui/Input.h"

#include <QString>
#include <Qt>

// The virtual-key code of a Qt key; keypad keys (KeypadModifier) give the numeric-pad codes.
// 0 for a key the platform has no code for.
Word VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// The Qt key of a virtual-key code; keypad is set for the numeric-pad codes. 0 when none.
int QtKeyFromVirtualKey(Word vk, bool* keypad = nullptr);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
Qt::KeyboardModifiers QtModifiersFromShift(TShiftState shift);
Qt::MouseButton QtButton(TMouseButton button);
// The text a key types with the shift state (US layout), empty for keys that type nothing.
QString TypedTextOfKey(Word vk, TShiftState shift);
