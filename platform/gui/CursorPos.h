// Where the mouse pointer is now, in screen coordinates (the platform's GetCursorPos).
#pragma once

#include "gui/Geometry.h"

TPoint GetCursorPos();
