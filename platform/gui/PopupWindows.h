// Drop-down windows: a windowed control shown as a top-level pop-up at a screen point without
// taking the activation or the focus from the window that owns it, and window regions that cut
// a window to a shape (a size grip's triangle).
#pragma once

#include "gui/Controls.h"

// Detaches the control from its parent window and shows it as a frameless tool window on top,
// at the screen point, without activating it: the focus stays where it was.
void ShowPopupNoActivate(TWinControl* Control, int ScreenX, int ScreenY);
// Hides a pop-up shown that way.
void HidePopup(TWinControl* Control);
bool PopupShowing(TWinControl* Control);
// Cuts the control's window to the region (client coordinates); nullptr gives the whole window
// back.
void SetWindowRegion(TWinControl* Control, const TRegion* Region);
// Whether the window's region holds the client point (true everywhere without a region).
bool WindowRegionContains(TWinControl* Control, const TPoint& Point);
