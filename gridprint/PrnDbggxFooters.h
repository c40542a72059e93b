// What the grid printer needs of one footer cell of the grid: the kind of value, the field it
// sums or counts, its format, alignment, colour and font, and the text the grid shows for the
// other kinds. The grid printer reads footers through TPrintDBGridGx::FooterCell, the one place
// that knows where the grid keeps them.
#pragma once

#include "classes/Alignment.h"
#include "grid/DBGridGxImpExp.h"
#include "gui/Graphics.h"

struct TPrintFooterCell {
    TFooterValueTypeGx ValueType = fvtNon;
    String FieldName; // empty: the column's field
    String DisplayFormat;
    TAlignment Alignment = taLeftJustify;
    TColor Color = clWindow;
    const TFont* Font = nullptr; // nullptr: the grid's footer font
    bool EndEllipsis = false;
    String ShownText; // kinds other than sums and counts: the text the grid shows in the cell
};
