// The edit buttons a column with AlwaysShowEditButton shows in every data cell: the button of its
// edit style, then its visible further buttons, from the text area's end to the cell's end.
#include "grid/DBGridGx.h"

#include "gui/SystemMetrics.h"

#include <algorithm>

void TCustomDBGridGx::PaintCellEditButtons(TColumnGx* Column, const TRect& TextArea, const TRect& Cell,
                                           TColor ButtonColor) {
    TCanvas* c = Canvas();
    const bool flat = Flat();
    const bool rightToLeft = UseRightToLeftAlignment();
    const bool enabled = FDataLink->Active();
    const int h = flat ? 1 : 0;
    const int standard = flat ? FlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL);
    const int height = std::min(EditButtonHeightFor(standard, flat), Cell.Height());
    const int shift = (FOptionsGx & dghData3D) ? 1 : 0;
    int x = rightToLeft ? TextArea.Left : TextArea.Right;
    auto paint = [&](int Width, TEditButtonStyleGx Style, int Offset) {
        const TRect button = rightToLeft ? TRect(x - Width, Cell.Top, x, Cell.Top + height)
                                         : TRect(x, Cell.Top, x + Width, Cell.Top + height);
        TRect moved = button;
        OffsetRect(moved, rightToLeft ? -Offset : Offset, -Offset);
        PaintEditButton(Column, c, nullptr, ButtonColor, enabled, flat, false, false, Cell, moved, Style);
        x = rightToLeft ? x - Width : x + Width;
    };
    const TInplaceEditStyleGx style = Column->DefaultEditStyle();
    if (style != iesSimple) paint(standard + h, MainEditButtonStyle(style), shift);
    TEditButtonsGx* items = Column->EditButtons();
    for (int i = 0; i < items->Count(); ++i) {
        TEditButtonGx* item = items->ButtonAt(i);
        if (item->Visible()) paint((item->Width() >= 1 ? item->Width() : standard) + h, item->Style(), 0);
    }
    if (height < Cell.Height()) {
        const TRect below = rightToLeft ? TRect(Cell.Left, Cell.Top + height, TextArea.Left, Cell.Bottom)
                                        : TRect(TextArea.Right, Cell.Top + height, Cell.Right, Cell.Bottom);
        c->Brush()->SetColor(ButtonColor);
        c->FillRect(below);
    }
    c->Brush()->SetColor(ButtonColor);
}
