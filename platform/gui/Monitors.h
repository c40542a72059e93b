// The monitors of the desktop: the work area (the monitor's area without panels and docks) of the
// monitor nearest a rectangle, as drop-down windows use it to stay on one screen.
#pragma once

#include "gui/Geometry.h"

// The work area of the monitor that shares the most area with R, or, when none does, of the one
// closest to it. A fixed 1024 x 768 area when there is no screen at all.
TRect WorkAreaNearestRect(const TRect& R);
// Window bounds saved on a desktop that had another monitor: the rectangle as it is when some
// monitor shows part of it, else moved (and shrunk where it is larger) into the work area nearest
// to it.
TRect RectOnSomeMonitor(const TRect& R);
