// Fixed cells that are neither titles nor indicator cells: the filter row's cells, each showing its
// column's filter expression in blue on a lighter fixed colour with the drop-down button of a
// column filtered through a list, and the other fixed cells in their title colour.
#include "grid/DBGridGx.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxText.h"
#include "gui/SystemMetrics.h"

#include <algorithm>
#include <cmath>

namespace {

// The in-cell button's width: the flat button's in a flat grid, else the scroll bar's.
int FilterButtonWidth(bool Flat) {
    return Flat ? FlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL);
}

// The in-cell button's height: the whole default row when a button of that width would be as tall.
int FilterButtonHeight(int Width, bool Flat, int DefaultRowHeight) {
    if (static_cast<int>(std::nearbyint(Width * 1.5)) >= DefaultRowHeight) return DefaultRowHeight;
    return EditButtonHeightFor(Width, Flat);
}

} // namespace

void TCustomDBGridGx::DrawFixedCell(int ACol, int ARow, bool& Highlighted, TGridDrawState State, const TRect& Rect,
                                    int CellType, int DataRow, int DataCol) {
    TCanvas* c = Canvas();
    TColumnGx* col = DataCol >= 0 && DataCol < FColumns->Count() ? FColumns->ColumnAt(DataCol) : nullptr;
    const bool selected = CellSelected(ACol, ARow, TBookmark(), DataCol);
    if (!(CellType & ctFilterRowGx) || !ColumnHasVisibleFilter(DataCol)) {
        TColor back = col ? col->Title()->Color() : FixedColor();
        Highlighted = GetFixedCellColors(ACol, ARow, c->Font(), back, selected, State, CellType, DataRow, DataCol);
        c->Brush()->SetColor(back);
        FillFixedCellBackground(Rect, Highlighted);
        return;
    }
    c->Font()->Assign(*Font());
    c->Font()->SetColor(TColor(RGB(0, 0, 255)));
    TColor back = BrightenColor(FixedColor(), 8);
    Highlighted = GetFixedCellColors(ACol, ARow, c->Font(), back, selected, State, CellType, DataRow, DataCol);
    c->Brush()->SetColor(back);
    TRect text = Rect;
    const bool button = col->STFilter()->HasDropDownButton();
    const int line = Flat() ? 1 : 0;
    const int width = FilterButtonWidth(Flat());
    if (button) text.Right = std::max(text.Left, Rect.Right - width - line);
    PaintCellText(col, c, text, true, 1, 1, FilterExpressionText(DataCol), taLeftJustify, col->Layout(), false, false, 0,
                  0);
    if (!button) return;
    const int height = std::min(FilterButtonHeight(width, Flat(), DefRowHeight()), Rect.Height());
    TRect b(text.Right, Rect.Top, Rect.Right, Rect.Top + height);
    if (line) {
        // A flat grid separates the button by a black line.
        TColor brush = c->Brush()->Color();
        c->Brush()->SetColor(clBlack);
        c->FillRect(TRect(b.Left, Rect.Top, b.Left + 1, Rect.Bottom));
        c->Brush()->SetColor(brush);
        b.Left += 1;
    }
    ::PaintEditButton(c, b, back, bdsDropDownGx, 0, Flat(), false, true, 0);
    if (height < Rect.Height()) c->FillRect(TRect(b.Left, b.Bottom, Rect.Right, Rect.Bottom));
}
