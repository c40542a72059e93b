// Input waiting in the program's queue: key presses and mouse presses posted to a control are
// delivered later, from the event loop, as the user's input is. A caller that works through a
// long list can ask whether a key press waits (and stop to let it through), and a control that
// closed a drop-down can drop the left press that would open it again.
#pragma once

#include "gui/Controls.h"

// Posts a key press (with the character it types) to the control; delivered by the event loop.
void PostKeyDown(TWinControl* Target, Word Key, TShiftState Shift = TShiftState());
// Posts a mouse press at client coordinates of the windowed control.
void PostMouseDown(TWinControl* Target, TMouseButton Button, int X, int Y, TShiftState Shift = TShiftState());
// True while a posted key press has not been delivered yet (looked at, nothing removed).
bool KeyDownWaiting();
// The first left press (or double click) waiting for the windowed control, in its client
// coordinates; false when none waits.
bool PeekWaitingLeftPress(TWinControl* Window, TPoint& ClientPoint);
// Removes the first left press waiting for the windowed control; false when none waited.
bool DropWaitingLeftPress(TWinControl* Window);
