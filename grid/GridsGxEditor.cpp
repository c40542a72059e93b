// The in-place editor of the base grid and its management: when it shows, what it holds, where it
// sits, how its keys reach the grid and when its text goes back to the cell.
#include "grid/GridsGx.h"

#include "classes/MetaBuilder.h"
#include "gui/ControlInput.h"
#include "gui/Forms.h"
#include "gui/SystemMetrics.h"
#include "rtl/CodePage.h"

// ---- TInplaceEdit -------------------------------------------------------------------------------

ORV_META_IMPL(TInplaceEdit)
void TInplaceEdit::DeclareMeta(meta::Class<TInplaceEdit>&) {}

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    SetTabStop(false);
    SetBorderStyle(bsNone);
    SetAutoSelect(false);
    SetVisible(false);
}

void TInplaceEdit::ApplyTextRect() {
    SetTextRect(Rect(2, 2, Width() - 2, Height()));
}

void TInplaceEdit::LoadCellContents() {
    if (!FGrid) return;
    const TGridCoord c = FGrid->CurrentCell();
    ++FLoading;
    try {
        SetText(String());
        SetEditMask(FGrid->GetCellEditMask(c.X, c.Y));
        SetText(FGrid->GetCellEditText(c.X, c.Y));
        const int max = FGrid->GetEditorMaxLength();
        SetMaxLength(max > 0 ? max : 0);
        SetReadOnly(max == -1);
    } catch (...) {
        --FLoading;
        throw;
    }
    --FLoading;
}

void TInplaceEdit::InvalidateEditorArea() {
    Invalidate();
    if (FGrid && Visible()) FGrid->InvalidateGridRect(BoundsRect());
}

void TInplaceEdit::MoveEditor(const TRect& R, bool Redraw) {
    if (IsRectEmpty(R)) {
        HideEditor();
        return;
    }
    if (!Visible()) Redraw = true;
    InvalidateEditorArea();
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    if (!Visible()) Show();
    BringToFront();
    ApplyTextRect();
    if (Redraw) InvalidateEditorArea();
    if (FGrid && FGrid->Focused() && CanFocus()) SetFocus();
}

void TInplaceEdit::HideEditor() {
    if (!Visible()) return;
    const bool hadFocus = Focused();
    InvalidateEditorArea();
    // Hiding a focused window hands its focus on (to the grid): that focus comes from the editor.
    const bool wasFromEditor = FGrid && FGrid->FFocusFromEditor;
    if (FGrid) FGrid->FFocusFromEditor = true;
    try {
        Hide();
        if (hadFocus && FGrid && FGrid->CanFocus()) FGrid->SetFocus();
    } catch (...) {
        if (FGrid) FGrid->FFocusFromEditor = wasFromEditor;
        throw;
    }
    if (FGrid) FGrid->FFocusFromEditor = wasFromEditor;
}

bool TInplaceEdit::IsShowing() const {
    return Visible() && Showing();
}

void TInplaceEdit::FocusIfVisible() {
    if (IsShowing() && CanFocus()) SetFocus();
}

void TInplaceEdit::CaretToEnd() {
    SetCaretPosition(static_cast<int>(WideLength()));
}

int TInplaceEdit::WideLength() const {
    return static_cast<int>(Utf8ToWide(Text()).size());
}

bool TInplaceEdit::CaretAtLeftSide() const {
    const int len = WideLength();
    return CaretPosition() == 0 && SelStart() == 0 && (SelEnd() == 0 || SelEnd() == len);
}

bool TInplaceEdit::CaretAtRightSide() const {
    const int len = WideLength();
    return CaretPosition() == len && (SelStart() == 0 || SelStart() == SelEnd()) && SelEnd() == len;
}

void TInplaceEdit::SendToGrid(Word& Key, TShiftState Shift) {
    if (FGrid) FGrid->KeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (!FGrid) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    const bool forward = FGrid->GridOptions().Contains(goAlwaysShowEditor);
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        SendToGrid(Key, Shift);
        return;
    case VK_TAB:
        if (!Shift.Contains(ssAlt)) {
            SendToGrid(Key, Shift);
            return;
        }
        break;
    case VK_INSERT:
        if (Shift.Empty()) {
            SendToGrid(Key, Shift);
            return;
        }
        if (Shift == TShiftState{ssShift} && !FGrid->EditorCanModify()) {
            Key = 0;
            return;
        }
        break;
    case VK_LEFT:
    case VK_HOME:
        if (forward && (Shift.Contains(ssCtrl) || CaretAtLeftSide())) {
            SendToGrid(Key, Shift);
            return;
        }
        break;
    case VK_RIGHT:
    case VK_END:
        if (forward && (Shift.Contains(ssCtrl) || CaretAtRightSide())) {
            SendToGrid(Key, Shift);
            return;
        }
        break;
    case VK_DELETE:
        if (Shift.Contains(ssCtrl)) {
            SendToGrid(Key, Shift);
            return;
        }
        if (!FGrid->EditorCanModify()) {
            Key = 0;
            return;
        }
        break;
    case VK_F2:
        if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
        if (Key == VK_F2) {
            CaretToEnd();
            Key = 0;
        }
        return;
    default:
        break;
    }
    if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
    if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char16_t& Key) {
    if (!FGrid) {
        TCustomMaskEdit::KeyPress(Key);
        return;
    }
    FGrid->GridKeyPress(Key);
    if (Key >= 32 && !FGrid->EditorAcceptsKey(Key)) {
        Key = 0;
        MessageBeep(0);
        return;
    }
    switch (Key) {
    case 0:
        return;
    case 9:
    case 27:
        Key = 0;
        return;
    case 13: {
        // Enter switches between the whole text selected and the caret at its end.
        if (SelStart() == 0 && SelEnd() == WideLength())
            CaretToEnd();
        else
            SelectAll();
        Key = 0;
        return;
    }
    default:
        break;
    }
    if ((Key == 8 || Key == 0x16 || Key == 0x18 || Key >= 32) && !FGrid->EditorCanModify()) {
        Key = 0;
        return;
    }
    TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
    if (FGrid) FGrid->KeyUp(Key, Shift);
}

bool TInplaceEdit::WantsKey(Word Key, TShiftState Shift) const {
    if (Key == VK_RETURN || Key == VK_ESCAPE) return true;
    if (Key == VK_TAB) return FGrid && FGrid->GridOptions().Contains(goTabs);
    return TCustomMaskEdit::WantsKey(Key, Shift);
}

void TInplaceEdit::PasteFromClipboard() {
    if (FGrid && FGrid->EditorCanModify()) TCustomMaskEdit::PasteFromClipboard();
}

void TInplaceEdit::CutToClipboard() {
    if (FGrid && FGrid->EditorCanModify()) TCustomMaskEdit::CutToClipboard();
}

void TInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // A press soon after the grid's own press (which showed the editor) is the double click's
    // second half.
    if (Button == mbLeft && ClickTime != 0 && GetMessageTime() - ClickTime < GetDoubleClickTime()) {
        ClickTime = 0;
        DblClick();
        return;
    }
    ClickTime = 0;
    TCustomMaskEdit::MouseDown(Button, Shift, X, Y);
}

void TInplaceEdit::DblClick() {
    if (FGrid) FGrid->DblClick();
}

bool TInplaceEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    return FGrid ? FGrid->DoMouseWheel(Shift, WheelDelta, MousePos) : false;
}

void TInplaceEdit::Change() {
    TCustomMaskEdit::Change();
    if (FGrid && FLoading == 0) FGrid->PostEditorText();
}

// ---- editor management of the grid --------------------------------------------------------------

TInplaceEdit* TCustomGridGx::CreateCellEditor() {
    return new TInplaceEdit(this);
}

bool TCustomGridGx::CanShowEditor() const {
    return FGridOptions.Contains(goEditing) && !FGridOptions.Contains(goRowSelect) && FEditingActive &&
           (FGridOptions.Contains(goAlwaysShowEditor) || IsActiveControl());
}

void TCustomGridGx::SyncEditor() {
    // Focus changes while the editor is placed come back here; the first call finishes the work.
    if (FSyncingEditor || !CanShowEditor()) return;
    FSyncingEditor = true;
    try {
        SyncEditorNow();
    } catch (...) {
        FSyncingEditor = false;
        throw;
    }
    FSyncingEditor = false;
}

void TCustomGridGx::SyncEditorNow() {
    auto load = [this] {
        FEditorCell = FCurrentCell;
        FCellEditor->LoadCellContents();
        FEditorWritable = GetEditorMaxLength() != -1;
        FCellEditor->SelectAll();
    };
    if (!FCellEditor) {
        FCellEditor = CreateCellEditor();
        FCellEditor->SetGrid(this);
        FCellEditor->SetFont(Font());
        FCellEditor->SetParent(this);
        load();
    } else if (!(FEditorCell == FCurrentCell)) {
        HideEditorWindow();
        load();
    }
    if (CanShowEditor()) FCellEditor->MoveEditor(CellScreenRect(FCurrentCell.X, FCurrentCell.Y), true);
}

void TCustomGridGx::HideEditorWindow() {
    if (!FCellEditor) return;
    try {
        PostEditorText();
    } catch (...) {
        FEditorCell = TGridCoord{-1, -1};
        FCellEditor->HideEditor();
        throw;
    }
    FEditorCell = TGridCoord{-1, -1};
    FCellEditor->HideEditor();
}

void TCustomGridGx::PostEditorText() {
    if (FCellEditor && FEditorCell.X >= 0 && FEditorCell.Y >= 0)
        SetCellEditText(FEditorCell.X, FEditorCell.Y, FCellEditor->Text());
}

void TCustomGridGx::OpenEditor() {
    FEditingActive = true;
    SyncEditor();
}

void TCustomGridGx::CloseEditor() {
    FEditingActive = false;
    HideEditorWindow();
}

void TCustomGridGx::OpenEditorWithChar(char16_t Ch) {
    OpenEditor();
    if (FCellEditor && FCellEditor->Visible()) PostCharMessage(FCellEditor, Ch);
}

void TCustomGridGx::SetEditingActive(bool Value) {
    if (Value) {
        OpenEditor();
        if (FCellEditor) FCellEditor->CaretToEnd();
    } else {
        CloseEditor();
    }
}

void TCustomGridGx::RefreshEditor() {
    FEditorCell = TGridCoord{-1, -1};
    SyncEditor();
}

void TCustomGridGx::SetGridOptions(TGridOptions Value) {
    if (Value == FGridOptions) return;
    if (Value.Contains(goRowSelect)) Value >> goAlwaysShowEditor;
    FGridOptions = Value;
    if (!FEditingActive) {
        if (Value.Contains(goAlwaysShowEditor))
            OpenEditor();
        else
            CloseEditor();
    }
    if (Value.Contains(goRowSelect)) MoveFocus(FCurrentCell.X, FCurrentCell.Y, true, false);
    InvalidateWholeGrid();
}

void TCustomGridGx::SetFlat(bool Value) {
    if (Value == FFlat) return;
    FFlat = Value;
    UpdateFlatStyle();
    FlatChanged();
    InvalidateWholeGrid();
}

void TCustomGridGx::SetFixedColor(TColor Value) {
    if (Value == FFixedColor) return;
    FFixedColor = Value;
    InvalidateWholeGrid();
}

void TCustomGridGx::SetBorderStyle(TBorderStyle Value) {
    if (Value == FBorderStyle) return;
    FBorderStyle = Value;
    BorderStyleChanged();
    InvalidateWholeGrid();
}

void TCustomGridGx::SetScrollBarsShown(TScrollStyle Value) {
    if (Value == FScrollBarsShown) return;
    FScrollBarsShown = Value;
    if (Value == ssNone || Value == ssVertical) ShowScrollBar(SB_HORZ, false);
    if (Value == ssNone || Value == ssHorizontal) ShowScrollBar(SB_VERT, false);
    UpdateScrollBarsRange();
}

void TCustomGridGx::DoEnter() {
    TCustomControl::DoEnter();
    if (FFocusFromEditor) return;
    InvalidateCellRange(SelectedRange());
    SyncEditor();
}

void TCustomGridGx::DoExit() {
    TCustomControl::DoExit();
    InvalidateCellRange(SelectedRange());
    // The focus going into the editor leaves the editor be.
    TCustomForm* form = GetParentForm();
    TWinControl* next = form ? form->ActiveControl() : FindFocusedControl();
    if (FCellEditor && next == FCellEditor) return;
    if (!FGridOptions.Contains(goAlwaysShowEditor)) HideEditorWindow();
}

void TCustomGridGx::FontChanged() {
    TCustomControl::FontChanged();
    if (FCellEditor) FCellEditor->SetFont(Font());
}
