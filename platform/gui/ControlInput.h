// Input a control hands on to another: a typed character posted to a control's window, where it
// arrives through the ordinary key path (key-press handling, then the widget) once the events
// queued before it have been handled.
#pragma once

#include "gui/Controls.h"

void PostCharMessage(TWinControl* Target, char16_t Ch);
