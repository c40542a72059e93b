// Selecting a list box entry by the text it begins with, as the platform's select-string request
// does: the search starts after StartIndex (65535 or -1: from the first entry), wraps around, and
// compares without regard to case.
#pragma once

#include "gui/StdCtrls.h"

// Selects and returns the entry found; -1 (and no change) when none begins with Prefix.
int ListBoxSelectString(TCustomListBox* ListBox, int StartIndex, const String& Prefix);
