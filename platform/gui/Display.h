// Whether windows can be shown at all: a program started over ssh without a desktop session has
// no display, and must say so instead of running invisibly.
#pragma once

#include "rtl/Types.h"

// What the program prints when there is no display.
inline const String NoDisplayMessage = "no display: set DISPLAY or run under a desktop session";

// True when a display server is named (DISPLAY or WAYLAND_DISPLAY, not empty) or a platform of
// the toolkit is chosen explicitly (QT_QPA_PLATFORM; tests choose the offscreen one).
bool DisplayAvailable();
