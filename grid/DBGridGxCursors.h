// The data grid's own cursors, drawn by tools/grid_cursors.py: DOWNCURGX over the lower edge of a
// title (a press there selects columns), RIGHTCURGX and LEFTCURGX over the indicator (a press
// there selects rows; the second for right-to-left reading).
#pragma once

#include "grid/DBGridGxPaint.h"
#include "gui/Controls.h"

extern const TGridGxResource GridGxCursorResources[];
extern const int GridGxCursorResourceCount;

enum : TCursor { crDownCurGx = 14100, crRightCurGx = 14101, crLeftCurGx = 14102 };

// Registers the three cursors with the screen, once for the process. A picture that cannot be
// loaded raises EOutOfResources "Cannot load cursor resource".
void LoadGridGxCursors();
// The same from a table of pictures (for a test's table).
void RegisterGridGxCursors(const TGridGxResource* Table, int Count);
