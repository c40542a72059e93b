// The view of a list box's own window: its scroll bars (an owner that draws a scroll bar of its
// own turns them off; a drop-down list never scrolls sideways) and the frame around its rows.
#pragma once

#include "gui/StdCtrls.h"

void SetListBoxScrollBarsShown(TCustomListBox* ListBox, bool Vertical, bool Horizontal);
// The height the frame takes from the list box's rows (top and bottom together).
int ListBoxFrameHeight(const TCustomListBox* ListBox);
