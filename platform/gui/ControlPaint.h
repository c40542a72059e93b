// Painting services of a self-painting control beyond Invalidate: marking one rectangle for
// repainting, moving already painted pixels of a rectangle (window scrolling) and the area the
// paint running now has to cover. Rectangles are in client coordinates of the control.
#pragma once

#include "gui/Controls.h"

#include <vector>

// Marks R (the whole client area when nullptr) for repainting at the next paint.
void InvalidateControlRect(TControl* Control, const TRect* R);
// Moves the pixels inside R by (Dx, Dy); what the move uncovers inside R is marked for repainting.
// Pixels moved out of R are dropped; nothing outside R changes.
void ScrollControlRect(TControl* Control, int Dx, int Dy, const TRect& R);
// Paints now what is marked for repainting in the control's window, and only that.
void PaintPending(TControl* Control);
// The bounding rectangle of what the paint running now repaints (the whole client area outside a
// paint); drawing outside it does not reach the screen.
TRect ControlPaintRect(const TControl* Control);
// The rectangles that make up what the paint running now repaints (ControlPaintRect alone outside
// a paint): two rows far apart repaint as two rectangles, not as everything between them.
std::vector<TRect> ControlPaintRects(const TControl* Control);
