// Input a control hands on to another: a typed character posted to a control's window, where it
// arrives through the ordinary key path (key-press handling, then the widget) once the events
// queued before it have been handled.
#pragma once

#include "gui/Controls.h"

void PostCharMessage(TWinControl* Target, char16_t Ch);
// A key press sent to a control's window and handled at once, as a sent key-down message is:
// the control's key path runs, then its widget (a list moves its row, a calendar its date).
void SendKeyMessage(TWinControl* Target, Word Key, TShiftState Shift = TShiftState());
// A left-button press (WM_LBUTTONDOWN), move (WM_MOUSEMOVE) or release (WM_LBUTTONUP) sent to a
// control at its client coordinates and handled at once: a control that took a press hands the
// rest of the gesture on to another.
void SendMouseMessage(TControl* Target, Cardinal Msg, int X, int Y, TShiftState Shift = TShiftState());
