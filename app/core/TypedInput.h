// What the dialogs take from their boxes: a NUL typed or pasted into a box is dropped (a
// stored text ends at none), texts are trimmed of surrounding blanks, memos kept as typed; and
// the boxes hold at most the length of the column they are saved into.
#pragma once

#include "rtl/Types.h"

#include <utility>
#include <vector>

class TControl;

// The text without NULs, trimmed of surrounding blanks.
String TypedText(const String& text);
// The text without NULs, otherwise as typed (memos).
String TypedMemo(const String& text);

// Each text box or combo box holds at most the declared length of its column in the table (read
// from the database); boxes over memo and number columns keep no limit.
void LimitToColumns(const String& table, const std::vector<std::pair<TControl*, String>>& boxes);
