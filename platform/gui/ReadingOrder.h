// A control's reading order: left to right, or right to left with the layout mirrored
// (bdRightToLeft), only the text running right to left (bdRightToLeftReadingOnly) or right to left
// without mirrored alignment (bdRightToLeftNoAlign).
#pragma once

#include "gui/Controls.h"

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
ORV_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)

TBiDiMode ControlBiDiMode(const TControl* Control);
void SetControlBiDiMode(TControl* Control, TBiDiMode Mode);
// The control's layout is mirrored (bdRightToLeft).
bool UseRightToLeftAlignment(const TControl* Control);
// Its text reads right to left (any mode but bdLeftToRight).
bool UseRightToLeftReading(const TControl* Control);

// The reading order the application asks its windows for (the platform's Application.BiDiMode);
// left to right unless set.
TBiDiMode ApplicationBiDiMode();
void SetApplicationBiDiMode(TBiDiMode Mode);
// Mirrors the controls a window holds for right-to-left layout: each one's left edge goes to the
// same distance from the right edge, left and right alignments and anchors swap; AllLevels
// mirrors inside the held windows as well.
void FlipChildren(TWinControl* Control, bool AllLevels);
