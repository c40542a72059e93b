// Pictures of controls and forms, drawn offscreen, for tests and for checking a window by eye.
#pragma once

#include "gui/Controls.h"

class TBitmap;

// The control as it shows now (a form with its client area and menu), into a 24-bit bitmap.
void GrabControl(TControl* Control, TBitmap& Bitmap);
// The control as a PNG file; false when it cannot be written.
bool SaveControlAsPng(TControl* Control, const String& FileName);
