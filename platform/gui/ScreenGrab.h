// What the screen shows where a control is: its pixels read back from the display (under a real or
// virtual X server), not drawn anew. For checking a window as the user sees it.
#pragma once

#include "gui/Controls.h"

class TBitmap;

// The control's area as the screen shows it now, into a 24-bit bitmap; false when the display
// gives no pixels (an offscreen platform).
bool GrabControlFromScreen(TControl* Control, TBitmap& Bitmap);
