// What the platform tells about the user's settings and the input being handled: scroll-bar
// thickness, the double-click time and rectangle, the time of the current input event, and moving
// the mouse cursor.
#pragma once

#include "gui/Geometry.h"

enum : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYVSCROLL = 20,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
};

// The metric asked (0 for one not known).
int GetSystemMetrics(int Index);
// Longest time between the two presses of a double click, in milliseconds.
Cardinal GetDoubleClickTime();
// When the input event being handled now arrived, in milliseconds on a clock that only moves on
// (outside input handling: now).
Cardinal GetMessageTime();
// Moves the mouse cursor to a point in screen coordinates (GetCursorPos in gui/CursorPos.h reads
// it).
void SetCursorPos(const TPoint& P);
