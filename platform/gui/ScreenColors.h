// The number of colours of the screen device (NUMCOLORS): -1 for a true-colour screen. Tests can
// pretend a palette screen to reach the paths of one.
#pragma once

int ScreenColorCount();
// Count 0 returns to the real screen.
void SetScreenColorCountOverride(int Count);

#include "gui/Graphics.h"

// The screen's nearest colour to a colour (GetNearestColor): the colour itself on a true-colour
// screen; on a palette screen the nearest of the twenty static colours.
TColor ScreenNearestColor(TColor Color);
