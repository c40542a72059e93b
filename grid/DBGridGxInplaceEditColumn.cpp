// The column's side of the in-place editor: its edit style, the width its edit buttons take, its
// drop-down settings and the values it keeps for the editor.
#include "grid/DBGridGx.h"
#include "grid/DBGridGxInplaceEdit.h"

#include "classes/MetaBuilder.h"
#include "db/DataSource.h"
#include "gui/ControlInput.h"
#include "gui/ControlPreview.h"
#include "gui/SystemMetrics.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

// ---- the drop-down box ---------------------------------------------------------------------------

ORV_META_IMPL(TColumnDropDownBoxGx)
void TColumnDropDownBoxGx::DeclareMeta(meta::Class<TColumnDropDownBoxGx>& c) {
    using T = TColumnDropDownBoxGx;
    c.Property("AutoFitColWidths", &T::AutoFitColWidths, &T::SetAutoFitColWidths).Default(true);
    c.Property("ListSource", &T::ListSource, &T::SetListSource);
    c.Property("UseMultiTitle", &T::UseMultiTitle, &T::SetUseMultiTitle).Default(false);
}

TPersistent* TColumnDropDownBoxGx::GetOwner() const {
    return FColumn;
}

void TColumnDropDownBoxGx::SetListSource(TDataSource* Value) {
    if (Value == FListSource) return;
    FListSource = Value;
    TCustomDBGridGx* grid = FColumn ? FColumn->Grid() : nullptr;
    if (Value && grid) Value->FreeNotification(grid);
}

void TColumnDropDownBoxGx::Assign(const TPersistent* Source) {
    auto* box = dynamic_cast<const TColumnDropDownBoxGx*>(Source);
    if (!box) {
        TPersistent::Assign(Source);
        return;
    }
    FAutoFitColWidths = box->FAutoFitColWidths;
    FUseMultiTitle = box->FUseMultiTitle;
    SetListSource(box->FListSource);
}

// ---- the column ----------------------------------------------------------------------------------

namespace {

bool IsDateType(TFieldType t) {
    return t == ftDate || t == ftDateTime || t == ftTimeStamp;
}

int StandardButtonWidth(bool Flat) {
    return Flat ? FlatButtonWidth() : GetSystemMetrics(SM_CXVSCROLL);
}

} // namespace

std::unique_ptr<TEditButtonsGx> TColumnGx::NewEditButtons() {
    auto buttons = std::make_unique<TEditButtonsGx>(this, TVisibleEditButtonGx::StaticClassInfo());
    buttons->CollectionHook = [this](TCollectionItem*) { Changed(false); };
    return buttons;
}

TColumnDropDownBoxGx* TColumnGx::DropDownBox() const {
    if (!FDropDownBox) FDropDownBox = std::make_unique<TColumnDropDownBoxGx>(const_cast<TColumnGx*>(this));
    return FDropDownBox.get();
}

TInplaceEditStyleGx TColumnGx::DefaultEditStyle() {
    switch (FButtonStyle) {
    case cbsEllipsis:
        return iesEllipsis;
    case cbsUpDown:
        return iesUpDown;
    case cbsDropDown:
        return iesDropDown;
    case cbsNone:
        return iesSimple;
    case cbsAuto:
        break;
    }
    TField* f = Field();
    if (!f) return iesSimple;
    TCustomDBGridGx* g = Grid();
    if (f->Lookup()) {
        const bool designing = g && g->ComponentState().Contains(csDesigning);
        bool allowed = !f->KeyFields().empty() && (designing || TCustomDBGridGx::FieldCanModify(f));
        allowed = allowed && !(Flagged(cvReadOnly) && FReadOnly);
        if (g) allowed = allowed && !g->ReadOnly() && g->DataLink()->Active() && !g->DataLink()->ReadOnly();
        return allowed ? iesDataList : iesSimple;
    }
    if (HasPickList() && !ReadOnly()) return iesPickList;
    if (IsDateType(f->DataType()) && !ReadOnly()) return iesDateCalendar;
    return iesSimple;
}

int TColumnGx::EditButtonsWidth() {
    TCustomDBGridGx* g = Grid();
    const bool flat = g && g->Flat();
    int width = 0;
    if (DefaultEditStyle() != iesSimple)
        width += flat ? FlatButtonWidth() + 1 : GetSystemMetrics(SM_CXVSCROLL);
    for (int i = 0; i < FEditButtons->Count(); ++i) {
        TEditButtonGx* button = FEditButtons->ButtonAt(i);
        if (!button->Visible()) continue;
        width += button->Width() >= 1 ? button->Width() : StandardButtonWidth(flat);
        if (flat) ++width;
    }
    return width;
}

void TColumnGx::SetDropDownWidth(int Value) {
    if (Value == FDropDownWidth) return;
    FDropDownWidth = Value;
    Changed(false);
}

namespace {
// A flag's own value when the column has one, else the grid's column default.
bool OwnOrDefault(const TColumnGx* Column, TColumnGxValue Value, bool Own,
                  bool TColumnDefValuesGx::*Default) {
    if (Column->Flagged(Value)) return Own;
    TCustomDBGridGx* g = Column->Grid();
    return g && g->ColumnDefValues()->*Default;
}
} // namespace

bool TColumnGx::AutoDropDown() const {
    return OwnOrDefault(this, cvAutoDropDown, FAutoDropDown, &TColumnDefValuesGx::AutoDropDown);
}
void TColumnGx::SetAutoDropDown(bool Value) {
    FAutoDropDown = Value;
    Flag(cvAutoDropDown);
}
bool TColumnGx::DblClickNextVal() const {
    return OwnOrDefault(this, cvDblClickNextVal, FDblClickNextVal, &TColumnDefValuesGx::DblClickNextVal);
}
void TColumnGx::SetDblClickNextVal(bool Value) {
    FDblClickNextVal = Value;
    Flag(cvDblClickNextVal);
}
bool TColumnGx::DropDownSizing() const {
    return OwnOrDefault(this, cvDropDownSizing, FDropDownSizing, &TColumnDefValuesGx::DropDownSizing);
}
void TColumnGx::SetDropDownSizing(bool Value) {
    FDropDownSizing = Value;
    Flag(cvDropDownSizing);
}
bool TColumnGx::DropDownShowTitles() const {
    return OwnOrDefault(this, cvDropDownShowTitles, FDropDownShowTitles,
                        &TColumnDefValuesGx::DropDownShowTitles);
}
void TColumnGx::SetDropDownShowTitles(bool Value) {
    FDropDownShowTitles = Value;
    Flag(cvDropDownShowTitles);
}

void TColumnGx::AssignEditorSettings(const TColumnGx* Source) {
    SetDropDownWidth(Source->FDropDownWidth);
    SetAutoDropDown(Source->AutoDropDown());
    SetDblClickNextVal(Source->DblClickNextVal());
    SetDropDownSizing(Source->DropDownSizing());
    SetDropDownShowTitles(Source->DropDownShowTitles());
    OnNotInList = Source->OnNotInList;
    OnEditButtonClick = Source->OnEditButtonClick;
    OnEditButtonDown = Source->OnEditButtonDown;
    FEditButtons->Assign(Source->FEditButtons.get());
    DropDownBox()->Assign(Source->DropDownBox());
    FMRUList->Assign(Source->FMRUList.get());
    EditMask = Source->EditMask;
}

// ---- the grid's side -----------------------------------------------------------------------------

TInplaceEdit* TCustomDBGridGx::CreateCellEditor() {
    return new TDBGridInplaceEdit(this);
}

TDBGridInplaceEdit* TCustomDBGridGx::InplaceEditor() const {
    return dynamic_cast<TDBGridInplaceEdit*>(CellEditor());
}

void TCustomDBGridGx::InvalidateEditor() {
    TDBGridInplaceEdit* editor = InplaceEditor();
    if (!editor || !editor->ListVisible()) {
        RefreshEditor();
        return;
    }
    // The open list stays open while the editor reloads.
    const bool saved = editor->CloseLock;
    editor->CloseLock = true;
    const TScopeExit unlock([editor, saved] { editor->CloseLock = saved; });
    RefreshEditor();
}

void TCustomDBGridGx::EditorFocusChanged() {
    const bool focused = Focused() || (CellEditor() && CellEditor()->Focused());
    if (focused != FFocusPainted) InvalidateSelectionAndRow();
}

void TCustomDBGridGx::ForgetListSource(TComponent* AComponent) {
    if (!FColumns) return;
    for (int i = 0; i < FColumns->Count(); ++i) {
        TColumnDropDownBoxGx* box = FColumns->ColumnAt(i)->DropDownBox();
        if (box->ListSource() == AComponent) box->SetListSource(nullptr);
    }
}

bool TCustomDBGridGx::PressEditButton(TGridCoord Cell, int X, int Y, bool WasCurrent) {
    const int dataCol = Cell.X - FIndicatorOffset;
    if (dataCol < 0 || dataCol >= FColumns->Count()) return false;
    TColumnGx* column = FColumns->ColumnAt(dataCol);
    const TRect r = CellScreenRect(Cell.X, Cell.Y);
    const int zone = column->EditButtonsWidth();
    const bool inZone = zone > 0 && (UseRightToLeftAlignment() ? X < r.Left + zone : X >= r.Right - zone);
    if (((FOptions & dgEditing) && (WasCurrent || inZone)) || (FOptions & dgAlwaysShowEditor))
        SetEditingActive(true);
    TDBGridInplaceEdit* editor = InplaceEditor();
    if (!inZone || !editor || !editor->Visible()) return false;
    const TPoint screen = ClientToScreen(TPoint(X, Y));
    TControl* target = editor->ControlAtPos(editor->ScreenToClient(screen));
    if (!target) return false;
    // One click presses the button: the press goes on to it, and so do the moves and the release.
    FEditButtonPress = target;
    const TPoint p = target->ScreenToClient(screen);
    SendMouseMessage(target, WM_LBUTTONDOWN, p.X, p.Y, TShiftState{ssLeft});
    return true;
}

bool TCustomDBGridGx::ForwardEditButtonMouse(Cardinal Msg, TShiftState Shift, int X, int Y) {
    TControl* target = FEditButtonPress;
    if (!target) return false;
    if (Msg == WM_LBUTTONUP) FEditButtonPress = nullptr;
    const TPoint p = target->ScreenToClient(ClientToScreen(TPoint(X, Y)));
    SendMouseMessage(target, Msg, p.X, p.Y, Shift);
    return true;
}
