// The screen's table of cursors registered by number (Screen.Cursors on the platform): a library
// loads a cursor picture and gives it a number above the standard cursors; controls and the
// screen then show it by that number as they show the standard ones.
#pragma once

#include "gui/Controls.h"

class TBitmap;

// A cursor, bitmap or other resource the program could not load.
ORV_DECLARE_EXCEPTION(EOutOfResources, Exception)

// Registers a cursor from a picture; pixels of the bitmap's transparent colour stay see-through.
// (HotX, HotY) is the point of the picture that the mouse position names. Registering a number
// again replaces its cursor.
void RegisterScreenCursor(TCursor Id, const TBitmap& Image, int HotX, int HotY);
bool ScreenCursorRegistered(TCursor Id);
