// The lookup grid as a drop-down: a pop-up that never takes the focus, whose choice follows the
// pointer, that closes on a release (accepting over a record or the special row, cancelling
// outside it) and that keeps a size grip in the corner its placement asks for.
#include "grid/DBLookupGridsGx.h"

#include "classes/MetaBuilder.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "gui/ClassicEdges.h"
#include "gui/MouseTracking.h"
#include "gui/SystemMetrics.h"
#include "rtl/ScopeGuards.h"

ORV_META_IMPL(TPopupDataGridGx)
void TPopupDataGridGx::DeclareMeta(meta::Class<TPopupDataGridGx>&) {}

TPopupDataGridGx::TPopupDataGridGx(TComponent* AOwner) : TDBLookupGridGx(AOwner) {
    SetPopupMode(true);
    SetShowHint(true);
    SetVisible(false);
    // The choice follows the pointer also while no button is down.
    SetMouseTracking(this, true);
    FSizeGrip = new TSizeGripGx(this);
    FSizeGrip->SetParent(this);
    FSizeGrip->SetTriangleShape(true);
    FSizeGrip->SnapToCorner();
}

void TPopupDataGridGx::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying)) {
        AWidth = std::max(AWidth, GetSystemMetrics(SM_CXVSCROLL));
        AHeight = std::max(AHeight, GetSystemMetrics(SM_CYVSCROLL));
    }
    const int oldWidth = Width(), oldHeight = Height();
    TDBLookupGridGx::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Width() == oldWidth && Height() == oldHeight) return;
    if (FSizeGrip) FSizeGrip->SnapToCorner();
    FUserResized = true;
}

unsigned TPopupDataGridGx::RimEdge() const {
    return BDR_RAISEDOUTER;
}

Integer TPopupDataGridGx::Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    if (Msg == GripSideMessage) {
        if (FSizeGrip) FSizeGrip->MoveGripToSide(static_cast<int>(WParam));
        return 0;
    }
    return TDBLookupGridGx::Perform(Msg, WParam, LParam);
}

void TPopupDataGridGx::KeyDown(Word& Key, TShiftState Shift) {
    const bool saved = FInUserAction;
    FInUserAction = true;
    const TScopeExit restore([this, saved] { FInUserAction = saved; });
    TDBLookupGridGx::KeyDown(Key, Shift);
}

void TPopupDataGridGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool saved = FInUserAction;
    FInUserAction = true;
    const TScopeExit restore([this, saved] { FInUserAction = saved; });
    FPressedInList = true;
    TDBLookupGridGx::MouseDown(Button, Shift, X, Y);
}

void TPopupDataGridGx::MouseMove(TShiftState Shift, int X, int Y) {
    const bool saved = FInUserAction;
    FInUserAction = true;
    const TScopeExit restore([this, saved] { FInUserAction = saved; });
    const bool buttonDown = Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle);
    if (!buttonDown && !Tracking() && !ReadOnly() && CanModify()) ChooseItemAt(X, Y);
    TDBLookupGridGx::MouseMove(Shift, X, Y);
}

void TPopupDataGridGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool normal = GridActivity() == gaNormal;
    const bool pressed = FPressedInList;
    FPressedInList = false;
    TDBLookupGridGx::MouseUp(Button, Shift, X, Y);
    if (!normal || !pressed || Button != mbLeft) return;
    const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    if (!inside) {
        if (CloseUpHook) CloseUpHook(this, false);
        return;
    }
    const TRect data = DataRect();
    const TGridCoord cell = MouseCell(X, Y);
    const bool overRecord = cell.X >= IndicatorOffset() && cell.Y >= TitleOffset() && cell.Y < RowsCount();
    const bool overSpecRow = SpecRow()->Visible() && Y >= data.Top && Y < data.Top + SpecRowHeight();
    // A release over the titles or the indicator leaves the drop-down open.
    if ((overRecord || overSpecRow) && CloseUpHook) CloseUpHook(this, true);
}

// ---- the in-place editor's drop-down ------------------------------------------------------------

void TPopupDataGridGx::PrepareDropDown(const TDataListDropDownGx& Settings) {
    SetColor(Settings.Color);
    if (Settings.Font) Font()->Assign(*Settings.Font);
    if (Settings.SpecRow) SetSpecRow(Settings.SpecRow);
    SetRowCount(Settings.RowCount);
    SetShowTitles(Settings.ShowTitles);
    SetKeyField(Settings.KeyFieldNames);
    SetListFieldIndex(0);
    SetListField(Settings.ListFieldNames);
    SetAutoFitColWidths(false);
    SetUseMultiTitle(Settings.UseMultiTitle);
    SetListSource(Settings.ListSource);
}

void TPopupDataGridGx::FinishDropDown() {
    SetAutoFitColWidths(false);
    SetListSource(nullptr);
}

void TPopupDataGridGx::SetCloseUpHook(std::function<void(bool Accept)> Hook) {
    if (Hook)
        CloseUpHook = [Hook](TObject*, bool Accept) { Hook(Accept); };
    else
        CloseUpHook = nullptr;
}

void TPopupDataGridGx::SetColumnMovedHook(std::function<void()> Hook) {
    if (Hook)
        OnColumnMoved = [Hook](TObject*, int, int) { Hook(); };
    else
        OnColumnMoved = nullptr;
}
