// Strokes drawn in exclusive-or mode on a shown control outside its paint: a rubber band or a
// cross-hair that follows the mouse without repainting what lies under it. A stroke shows at
// once; drawing the same stroke again erases it. The strokes stay over the control's own painting
// until they are erased (or cleared), also when the control repaints meanwhile.
#pragma once

#include "gui/Colors.h"
#include "gui/Controls.h"
#include "rtl/TickCount.h" // GetTickCount, which callers of these routines time drags with

#include <functional>
#include <vector>

// A line from From to To (both ends drawn) in client pixels, with its colour and dotted or solid.
struct TScreenStroke {
    TPoint From, To;
    TColor Color = clSilver;
    bool Dotted = false;
    bool operator==(const TScreenStroke& o) const {
        return From == o.From && To == o.To && Color == o.Color && Dotted == o.Dotted;
    }
};

// Draws the stroke in exclusive-or mode, or erases it when it is shown already.
void DrawXorStroke(TControl* Control, const TScreenStroke& Stroke);
// The four sides of a rectangle (right and bottom edges inside) as strokes.
void DrawXorFrame(TControl* Control, const TRect& Rect, TColor Color, bool Dotted);
// The strokes shown now, in the order drawn.
std::vector<TScreenStroke> XorStrokes(const TControl* Control);
// Erases every stroke of the control.
void ClearXorStrokes(TControl* Control);

// Calls Handler whenever the control's window moves on the screen: the control, or a window
// that holds it, moved (a scrolling parent scrolled, the form was dragged). Nullptr stops it.
void SetWindowMovedHandler(TControl* Control, std::function<void()> Handler);
