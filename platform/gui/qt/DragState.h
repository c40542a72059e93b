// Internal to platform/gui: the one drag that may run at a time, fed by the bridge's mouse events.
#pragma once

#include "gui/Controls.h"

// Every mouse event of a control passes its screen point here first (the point a drag that
// waits for its threshold measures from).
void NoteMousePoint(TControl* Control, const TPoint& Screen);
// The pointer moved with a button held: a waiting drag of the control starts past its threshold.
void DragMouseMoved(TControl* Control, const TPoint& Screen);
// The button was released: a drag of the control ends over what lies under the point.
void DragMouseReleased(TControl* Control, const TPoint& Screen);
// The control goes away: a drag of it is forgotten.
void ForgetDrag(TControl* Control);
