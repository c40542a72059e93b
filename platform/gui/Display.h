// Whether windows can be shown at all: a program started over ssh without a desktop session has
// no display, and a display named in DISPLAY may not answer (its server stopped, another user's,
// a typing error). The program must say so instead of running invisibly or aborting in the
// toolkit.
#pragma once

#include "rtl/Types.h"

// What the program prints when there is no display.
inline const String NoDisplayMessage = "no display: set DISPLAY or run under a desktop session";

// True when a display server is named (DISPLAY or WAYLAND_DISPLAY, not empty) or a platform of
// the toolkit is chosen explicitly (QT_QPA_PLATFORM; tests choose the offscreen one).
bool DisplayAvailable();

// Why no window can be shown, in one line for the terminal (which display, what to do); empty
// when windows can be shown. Beyond DisplayAvailable, the displays the toolkit would try in turn
// (the platforms of QT_QPA_PLATFORM, else the Wayland display named in WAYLAND_DISPLAY and then
// the X display of DISPLAY) are opened once to see that one answers and lets this user in; a
// Wayland display counts only where the toolkit has its Wayland platform.
String DisplayProblem();
