// Pictures of controls and forms, drawn offscreen, for tests and for checking a window by eye.
#pragma once

#include "gui/Forms.h"

class TBitmap;
class TMenuItem;

// The control as it shows now (a form with its client area and menu), into a 24-bit bitmap.
void GrabControl(TControl* Control, TBitmap& Bitmap);
// The control as a PNG file; false when it cannot be written.
bool SaveControlAsPng(TControl* Control, const String& FileName);
// The drop-down of a menu item's sub-items as it shows (captions, images, checks, shortcuts);
// an empty bitmap when the item has no sub-items.
void GrabMenu(TMenuItem* Item, TBitmap& Bitmap);

// The window frame of a form as it shows, read back from its window (an MDI child's sub-window
// or the top-level window): the title-bar buttons, as border icons, and whether the user can
// drag the window to another size.
TBorderIcons ShownBorderIcons(TCustomForm* Form);
bool ShownSizeable(TCustomForm* Form);
// The outer frame of a form's window on the screen: the window manager's frame and title bar
// around its bounds (the bounds alone where there is none), as the window system reports them.
TRect ShownFrameRect(TCustomForm* Form);
// The window system's number of a form's top-level window, in decimal (for tools that read the
// window manager's properties of it); "" when it has none.
String WindowSystemId(TCustomForm* Form);
