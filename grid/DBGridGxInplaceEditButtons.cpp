// The in-place editor's edit buttons: the main button, whose look follows the edit style, and the
// column's further buttons, laid out at the editor's right edge; what pressing and clicking them
// does (a drop-down, a step of the value, the click events, a button's menu), and a press on the
// main button that drags on into the open list.
#include "grid/DBGridGxInplaceEdit.h"

#include "grid/DBGridGx.h"
#include "grid/ToolCtrlsGxDropDown.h"

#include "gui/ControlInput.h"
#include "gui/ControlPreview.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"
#include "gui/SystemMetrics.h"

#include <algorithm>
#include <climits>

TEditButtonStyleGx MainEditButtonStyle(TInplaceEditStyleGx Style) {
    switch (Style) {
    case iesEllipsis:
        return ebsEllipsisGx;
    case iesUpDown:
        return ebsUpDownGx;
    default:
        return ebsDropDownGx;
    }
}

TEditButtonControlGx* TDBGridInplaceEdit::NewButtonControl() {
    auto* control = new TEditButtonControlGx(this);
    control->SetParent(this);
    control->SetBounds(0, 0, 10, 17);
    control->SetTransparent(false);
    control->SetCursor(crArrow);
    control->SetVisible(true);
    return control;
}

TEditButtonControlGx* TDBGridInplaceEdit::ButtonControl(int Entry) const {
    return FButtons.at(static_cast<size_t>(Entry)).Button;
}

TShape* TDBGridInplaceEdit::ButtonSeparator(int Entry) const {
    return FButtons.at(static_cast<size_t>(Entry)).Separator;
}

void TDBGridInplaceEdit::LayoutButtons() {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    const bool flat = g && g->Flat();
    TEditButtonsGx* items = column ? column->EditButtons() : nullptr;
    const int want = (items ? items->Count() : 0) + 1;
    while (static_cast<int>(FButtons.size()) < want) {
        TButtonPair pair;
        pair.Button = NewButtonControl();
        pair.Separator = new TShape(this);
        pair.Separator->SetParent(this);
        FButtons.push_back(pair);
    }
    for (size_t i = static_cast<size_t>(want); i < FButtons.size(); ++i) {
        FButtons[i].Button->SetVisible(false);
        FButtons[i].Separator->SetVisible(false);
    }
    FButtonCount = want;
    const int standard = flat ? FlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL);
    const int clientHeight = ClientHeight();
    std::vector<int> widths(static_cast<size_t>(want)), lines(static_cast<size_t>(want));
    int height = INT_MAX;
    for (int i = 0; i < want; ++i) {
        TEditButtonControlGx* control = FButtons[static_cast<size_t>(i)].Button;
        bool visible = false, enabled = true;
        int width = standard;
        if (i == 0) {
            visible = FEditStyle != iesSimple;
            control->SetStyle(MainEditButtonStyle(FEditStyle));
            control->SetHint(String());
        } else {
            TEditButtonGx* item = items->ButtonAt(i - 1);
            visible = item->Visible();
            enabled = item->Enabled();
            control->SetStyle(item->Style());
            control->SetNumGlyphs(static_cast<TNumGlyphs>(item->NumGlyphs()));
            control->SetHint(item->Hint());
            if (item->Width() > 0) width = item->Width();
        }
        control->SetFlat(flat);
        control->SetVisible(visible);
        control->SetEnabled(enabled);
        control->SetActive(true);
        control->SetTag(0);
        if (!visible) width = 0;
        widths[static_cast<size_t>(i)] = width;
        if (visible) {
            // A flat button is half again as tall as it is wide, when the editor has the room.
            const int tall = EditButtonHeightFor(width, true);
            height = std::min(height, tall < clientHeight ? EditButtonHeightFor(width, flat) : clientHeight);
        }
        TShape* separator = FButtons[static_cast<size_t>(i)].Separator;
        const bool line = flat && visible;
        lines[static_cast<size_t>(i)] = line ? 1 : 0;
        separator->SetVisible(line);
        separator->Pen()->SetColor(clBtnFace);
        separator->Brush()->SetColor(clBtnFace);
        control->DownHook = [this, control](TObject*, bool Top, bool& AutoRepeat, bool& Handled) {
            ButtonMouseDown(control, Top, AutoRepeat, Handled);
        };
        control->OnClick = [this, control](TObject*) { ButtonClicked(control); };
        control->OnMouseMove = [this, control](TObject*, TShiftState Shift, int X, int Y) {
            ButtonMouseMoved(control, Shift, X, Y);
        };
        control->OnMouseUp = [this, control](TObject*, TMouseButton, TShiftState, int X, int Y) {
            ButtonMouseReleased(control, X, Y);
        };
    }
    if (height == INT_MAX) height = 0;
    // The last item first, from the far edge inwards: each button, then the separator before it.
    const bool rightToLeft = g && g->UseRightToLeftAlignment();
    int x = rightToLeft ? 0 : ClientWidth();
    int total = 0;
    for (int i = want - 1; i >= 0; --i) {
        const int w = widths[static_cast<size_t>(i)], l = lines[static_cast<size_t>(i)];
        TButtonPair& pair = FButtons[static_cast<size_t>(i)];
        if (rightToLeft) {
            pair.Button->SetBounds(x, 0, w, height);
            pair.Separator->SetBounds(x + w, 0, l, height);
            x += w + l;
        } else {
            x -= w;
            pair.Button->SetBounds(x, 0, w, height);
            x -= l;
            pair.Separator->SetBounds(x, 0, l, height);
        }
        total += w + l;
    }
    FButtonsWidth = total;
}

TEditButtonGx* TDBGridInplaceEdit::EditButtonForShortCut(TShortCut ShortCut) const {
    TColumnGx* column = Column();
    if (!column || ShortCut == 0) return nullptr;
    TEditButtonsGx* items = column->EditButtons();
    for (int i = 0; i < items->Count(); ++i)
        if (items->ButtonAt(i)->ShortCut() == ShortCut) return items->ButtonAt(i);
    return nullptr;
}

// ---- pressing and clicking -----------------------------------------------------------------------

namespace {

int EntryOf(const TEditButtonControlGx* Button, int Count,
            const std::function<TEditButtonControlGx*(int)>& At) {
    for (int i = 0; i < Count; ++i)
        if (At(i) == Button) return i;
    return -1;
}

} // namespace

void TDBGridInplaceEdit::ButtonMouseDown(TEditButtonControlGx* Button, bool TopButton, bool& AutoRepeat,
                                         bool& Handled) {
    FocusIfVisible();
    Handled = false;
    TColumnGx* column = Column();
    const int entry = EntryOf(Button, FButtonCount, [this](int i) { return ButtonControl(i); });
    if (!column || entry < 0) return;
    if (entry == 0) {
        if (column->OnEditButtonDown) column->OnEditButtonDown(Button, TopButton, AutoRepeat, Handled);
        if (!Handled) ButtonPressed(!TopButton);
        return;
    }
    TEditButtonGx* item = column->EditButtons()->ButtonAt(entry - 1);
    if (item->OnDown) item->OnDown(Button, TopButton, AutoRepeat, Handled);
    if (!Handled && item->DropdownMenu()) PopDropdownMenu(item, Button);
}

void TDBGridInplaceEdit::PopDropdownMenu(TEditButtonGx* Item, TEditButtonControlGx* Control) {
    TPopupMenu* menu = Item->DropdownMenu();
    const bool right = menu->Alignment() == paRight;
    const TPoint p = Control->ClientToScreen(TPoint(right ? Control->Width() : 0, Control->Height()));
    menu->SetPopupComponent(this);
    menu->Popup(p.X, p.Y);
    // A press that closed the menu on this button does not press it again; the button comes up.
    DiscardClickOnControl(Control);
    Control->SetHeldDown(false);
}

void TDBGridInplaceEdit::ButtonPressed(bool Down) {
    if (FEditStyle == iesUpDown) {
        StepUpDown(Down);
        return;
    }
    if (!FDroppedDown) {
        DropDown();
        FNoClickCloseUp = true;
    }
}

void TDBGridInplaceEdit::StepUpDown(bool Down) {
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    if (!g || !column || !column->CanModify(true)) return;
    // What the user typed goes to the field before it is stepped.
    const String typed = Text();
    const TGridCoord cell = g->CurrentCell();
    if (g->EditTextOf(cell.X, cell.Y) != typed) {
        g->SetEditText(typed);
        g->WriteEditedValue();
    } else {
        g->SetEditText(typed);
    }
    // The upper half counts up in a plain cell and goes to the previous entry of a list.
    const double increment = column->Increment;
    const bool plain = column->GetCellKind() == 0;
    column->StepValue(Down == plain ? -increment : increment);
}

void TDBGridInplaceEdit::ButtonClicked(TEditButtonControlGx* Button) {
    bool handled = false;
    TCustomDBGridGx* g = DBGrid();
    TColumnGx* column = Column();
    const int entry = EntryOf(Button, FButtonCount, [this](int i) { return ButtonControl(i); });
    if (entry == 0) {
        if ((FEditStyle == iesEllipsis || FEditStyle == iesDropDown) && g && g->OnEditButtonClick)
            g->OnEditButtonClick(g);
        if (column && column->OnEditButtonClick) column->OnEditButtonClick(Button, handled);
    } else if (entry > 0 && column) {
        column->EditButtons()->ButtonAt(entry - 1)->ExecuteClick(Button, handled);
    }
    if (!handled && entry == 0 && FDroppedDown && !FNoClickCloseUp) CloseUp(false);
    FNoClickCloseUp = false;
}

void TDBGridInplaceEdit::ButtonMouseReleased(TEditButtonControlGx* Button, int X, int Y) {
    if (FDragList) {
        ForwardMouseToList(WM_LBUTTONUP, Button, X, Y, TShiftState());
        FDragList = nullptr;
        FNoClickCloseUp = false;
        return;
    }
    if (!PtInRect(TRect(0, 0, Button->Width(), Button->Height()), TPoint(X, Y))) FNoClickCloseUp = false;
}

void TDBGridInplaceEdit::ForwardMouseToList(Cardinal Msg, TEditButtonControlGx* Button, int X, int Y,
                                            TShiftState Shift) {
    const TPoint p = FDragList->ScreenToClient(Button->ClientToScreen(TPoint(X, Y)));
    SendMouseMessage(FDragList, Msg, p.X, p.Y, Shift);
}

void TDBGridInplaceEdit::ButtonMouseMoved(TEditButtonControlGx* Button, TShiftState Shift, int X, int Y) {
    if (FButtonCount == 0 || Button != ButtonControl(0) || !Shift.Contains(ssLeft)) return;
    if (FDragList) {
        ForwardMouseToList(WM_MOUSEMOVE, Button, X, Y, Shift);
        return;
    }
    if (!FListVisible || !FActiveList) return;
    const TPoint p = FActiveList->ScreenToClient(Button->ClientToScreen(TPoint(X, Y)));
    const TRect area = FDataList && FActiveList == FDataList->ListControl() ? FDataList->DataRect()
                                                                            : FActiveList->ClientRect();
    if (!PtInRect(area, p)) return;
    // The press goes on in the list: press, drag and release there choose a row.
    Button->SetHeldDown(true);
    FDragList = FActiveList;
    SendMouseMessage(FDragList, WM_LBUTTONDOWN, p.X, p.Y, Shift);
}
