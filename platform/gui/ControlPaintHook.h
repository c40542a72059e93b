// A window control's own painting, taken over or added to by the control itself: an edit that
// paints its text when unfocused, draws a mark over the native edit or its own border.
#pragma once

#include "gui/Controls.h"

#include <functional>

// Before: runs before the native painting; returning true paints instead of it. After: runs after
// the native painting (not when Before took over). Canvas draws on the control's client area.
struct TControlPaintHook {
    std::function<bool(TCanvas* Canvas)> Before;
    std::function<void(TCanvas* Canvas)> After;
};
// Sets (or, with empty functions, removes) the hook of a window control.
void SetControlPaintHook(TWinControl* Control, TControlPaintHook Hook);

// Draws a control's own border along the edge of its client area: a 1-pixel frame in Color.
void DrawControlBorder(TCanvas* Canvas, const TRect& Rect, TColor Color);
