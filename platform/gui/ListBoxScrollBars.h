// The scroll bars of a list box's own window: an owner that draws a scroll bar of its own turns
// them off.
#pragma once

#include "gui/StdCtrls.h"

void SetListBoxScrollBarsShown(TCustomListBox* ListBox, bool Shown);
