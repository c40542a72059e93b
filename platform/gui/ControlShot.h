// Pictures of controls and forms, drawn offscreen, for tests and for checking a window by eye.
#pragma once

#include "gui/Controls.h"

class TBitmap;
class TMenuItem;

// The control as it shows now (a form with its client area and menu), into a 24-bit bitmap.
void GrabControl(TControl* Control, TBitmap& Bitmap);
// The control as a PNG file; false when it cannot be written.
bool SaveControlAsPng(TControl* Control, const String& FileName);
// The drop-down of a menu item's sub-items as it shows (captions, images, checks, shortcuts);
// an empty bitmap when the item has no sub-items.
void GrabMenu(TMenuItem* Item, TBitmap& Bitmap);
