// Finding text in a data grid: the grid text search that walks the records comparing one column
// or every visible column with a text, and the find dialog ("Find text") that runs it once per
// "Find next".
#pragma once

#include "gui/Forms.h"

class TCustomDBGridGx;
class TColumnGx;
class TDBComboBoxGx;
class TDBCheckBoxGx;
class TLabel;
class TButton;

// Search option bits.
enum : int {
    gsoIgnoreCaseGx = 1, // both texts upper-cased before comparing
    gsoAllColumnsGx = 2, // every visible column, not only one
    gsoUseFormatGx = 4,  // the cell's display text instead of the field's AsString
    gsoStopOnKeyGx = 16, // stop when a key press waits to be handled
};
// Directions: towards the first record, towards the last, or from the first record on.
enum : int { gsdUpGx = 0, gsdDownGx = 1, gsdAllGx = 2 };
// Match types: the text anywhere in the cell, the whole cell, the cell's beginning.
enum : int { gsmAnyPartGx = 0, gsmWholeFieldGx = 1, gsmBeginningGx = 2 };

// Walks the grid's data set from the current cell (the first record for gsdAllGx) and leaves it on
// the first record whose cell matches, focusing the matching column; a field name picks that
// column, else the focused one starts the walk. Nothing found leaves record and top row as they
// were. A field name without a column raises "Field name '%s' not found". The tree range is for
// data sets that present a tree and is not used here.
bool SearchGridText(TCustomDBGridGx* Grid, const String& FieldName, const String& Text, int Options,
                    int Direction, int MatchType, int TreeRange);
