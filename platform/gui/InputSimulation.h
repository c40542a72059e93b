// Typing and clicking as a user would, for tests and tools: real Qt key and mouse events sent to a
// control's widget, so they take the same road as the user's (shortcuts, dialog keys, key
// preview, the control's events, then the widget). Works offscreen.
#pragma once

#include "gui/Controls.h"

// A key pressed and released on the control (with the character it types).
void SimulateKey(TWinControl* Target, Word Key, TShiftState Shift = TShiftState());
void SimulateKeyDown(TWinControl* Target, Word Key, TShiftState Shift = TShiftState());
void SimulateKeyUp(TWinControl* Target, Word Key, TShiftState Shift = TShiftState());
// Characters typed into the control, one key event each.
void SimulateTyping(TWinControl* Target, const String& Text);
// Mouse input at client coordinates of the control.
void SimulateMouseDown(TControl* Target, TMouseButton Button, int X, int Y,
                       TShiftState Shift = TShiftState());
void SimulateMouseUp(TControl* Target, TMouseButton Button, int X, int Y, TShiftState Shift = TShiftState());
void SimulateMouseMove(TControl* Target, int X, int Y, TShiftState Shift = TShiftState());
void SimulateClick(TControl* Target, int X, int Y, TMouseButton Button = mbLeft,
                   TShiftState Shift = TShiftState());
void SimulateDblClick(TControl* Target, int X, int Y);
void SimulateWheel(TControl* Target, int WheelDelta, int X, int Y, TShiftState Shift = TShiftState());
