// Formatted text with margins (the platform's DrawTextEx) and the slant of an italic font.
#pragma once

#include "gui/Graphics.h"

// Margins of DrawTextEx, in logical units; negative margins widen the layout area.
struct TDrawTextParams {
    int iLeftMargin = 0;
    int iRightMargin = 0;
};

// Lays the text out in r shrunk by the margins and draws it clipped to r (unless DT_NOCLIP);
// with DT_CALCRECT r receives the size the text needs, margins included, and nothing is drawn.
// Returns the height of the text.
int DrawTextEx(TCanvas* Canvas, const String& Text, TRect& R, Cardinal Format, const TDrawTextParams* Params);

// The slope of the canvas font's upright strokes (the outline metrics' caret slope): Rise 1 and
// Run 0 for an upright font; an italic font leans Run pixels right per Rise pixels up.
struct TCharSlope {
    int Rise = 1;
    int Run = 0;
};
TCharSlope FontCharSlope(TCanvas* Canvas);
