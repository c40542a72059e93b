// The data grid's window reactions that are not key or mouse input: vertical scrolling by records,
// thumb tracking, external scroll bars, focus entry and exit, and the end of mouse tracking.
#include "grid/DBGridGx.h"

#include "grid/DBGridGxFilterEdit.h"
#include "grid/DBGridGxIndicatorTitle.h"

#include "rtl/Format.h"

#include <map>

namespace {

// The external bars in use and the settings object each one serves.
std::map<TScrollBar*, TDBGridGxScrollBar*>& AttachedBars() {
    static std::map<TScrollBar*, TDBGridGxScrollBar*> bars;
    return bars;
}

} // namespace

// ---- TDBGridGxScrollBar -------------------------------------------------------------------------

TDBGridGxScrollBar::~TDBGridGxScrollBar() {
    Detach();
}

void TDBGridGxScrollBar::Detach() {
    if (!FExtScrollBar) return;
    AttachedBars().erase(FExtScrollBar);
    FExtScrollBar->OnScroll = nullptr;
    if (FGrid) FExtScrollBar->RemoveFreeNotification(FGrid);
    FExtScrollBar = nullptr;
}

void TDBGridGxScrollBar::SetExtScrollBar(TScrollBar* Value) {
    if (Value == FExtScrollBar) return;
    if (Value) {
        auto it = AttachedBars().find(Value);
        if (it != AttachedBars().end() && it->second != this)
            throw EInvalidGridOperationGx("Possible " + Value->Name() +
                                          " already attached to the other control.");
    }
    Detach();
    FExtScrollBar = Value;
    if (!Value) return;
    AttachedBars()[Value] = this;
    if (FGrid) Value->FreeNotification(FGrid);
    Value->OnScroll = [this](TObject*, TScrollCode Code, int& Pos) {
        if (FGrid) FGrid->Scroll(FKind, Code, Pos);
    };
    Value->SetVisible(Visible);
    if (FGrid && FKind == sbHorizontal) FGrid->UpdateHorzExtScrollBar();
    if (FGrid && FKind == sbVertical) {
        FGrid->FLastVertScroll.nMax = -1; // the new bar gets the range even when nothing changed
        FGrid->AdjustVertScrollBar();
        FGrid->RequestLayout();
    }
}

// ---- scrolling ----------------------------------------------------------------------------------

void TCustomDBGridGx::Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) {
    if (Kind == sbHorizontal) {
        if (FHorzScrollBar->Tracking && Code == scTrack) Code = scPosition;
        TCustomGridGx::Scroll(Kind, Code, Pos);
        UpdateHorzExtScrollBar();
        return;
    }
    TWinControl::Scroll(Kind, Code, Pos);
    if (!CanFocus() || !FDataLink->Active()) return;
    if (MemTable()) {
        ScrollByRows(Code, Pos);
        return;
    }
    TDataSet* ds = FDataLink->DataSet();
    int page = std::max(1, VisibleRowsCount());
    switch (Code) {
    case scLineUp:
        FDataLink->MoveBy(-(FDataLink->ActiveRecord() + 1));
        break;
    case scLineDown:
        FDataLink->MoveBy(FDataLink->RecordCount() - FDataLink->ActiveRecord());
        break;
    case scPageUp:
        FDataLink->MoveBy(-page);
        break;
    case scPageDown:
        FDataLink->MoveBy(page);
        break;
    case scTop:
        ds->First();
        break;
    case scBottom:
        ds->Last();
        break;
    case scTrack:
        if (FVertScrollBar->Tracking) {
            ds->MoveBy(Pos - ds->RecNo());
            FSkipThumbPosition = true;
        }
        break;
    case scPosition:
        if (FSkipThumbPosition) {
            FSkipThumbPosition = false;
            break;
        }
        if (!ds->IsSequenced()) {
            switch (Pos) {
            case 0:
                ds->First();
                break;
            case 1:
                FDataLink->MoveBy(-page);
                break;
            case 3:
                FDataLink->MoveBy(page);
                break;
            case 4:
                ds->Last();
                break;
            default:
                break;
            }
        } else if (Pos > 1 && Pos < ds->RecordCount()) {
            ds->SetRecNo(Pos);
        } else if (Pos >= ds->RecordCount()) {
            ds->Last();
        } else {
            ds->First();
        }
        break;
    case scEndScroll:
        break;
    }
}

void TCustomDBGridGx::UpdateHorzExtScrollBar() {
    TScrollBar* bar = FHorzScrollBar->ExtScrollBar();
    if (!bar) return;
    int fixed = FixedColsCount();
    bool allVisible = VisibleColsCount() + fixed >= ColsCount();
    int max = allVisible ? 0 : 127;
    GridLayout l = CalcGridLayout();
    int last = MaxTopLeftFor(TGridCoord{ColsCount() - 1, 0}, l).X;
    // When no column can scroll the position stays at the start instead of a division by zero.
    int pos = last > fixed ? std::clamp(MulDiv(TopLeftCell().X - fixed, 127, last - fixed), 0, 127) : 0;
    if (pos == bar->Position() && bar->Min() == 0 && bar->Max() == max) return;
    bar->SetPageSize(0);
    bar->SetParams(std::min(pos, max), 0, max);
}

// ---- focus --------------------------------------------------------------------------------------

namespace {
bool GridOrEditorFocused(TCustomDBGridGx* Grid) {
    return Grid->Focused() || (Grid->CellEditor() && Grid->CellEditor()->Focused());
}
} // namespace

void TCustomDBGridGx::DoEnter() {
    TCustomGridGx::DoEnter();
    // The filter row keeps the keyboard while it is being edited.
    if (FilterEditorActive() && FilterEditor() && FilterEditor()->Visible()) FilterEditor()->SetFocus();
    if (GridOrEditorFocused(this) != FFocusPainted) InvalidateSelectionAndRow();
}

void TCustomDBGridGx::DoExit() {
    if (FDataLink->Active()) {
        TDataSet* ds = FDataLink->DataSet();
        try {
            if ((FOptions & dgCancelOnExit) && ds->State() == dsInsert && !ds->Modified() &&
                !FDataLink->Modified)
                ds->Cancel();
            else
                FDataLink->UpdateRecord();
        } catch (...) {
            if (CanFocus()) SetFocus();
            throw;
        }
    }
    // A sort marking changed with Ctrl held is reported when the focus leaves, unless it goes to
    // the in-place editor.
    if (FCtrlSortPending && !(CellEditor() && CellEditor()->Focused())) {
        FCtrlSortPending = false;
        SortMarkingChanged();
    }
    TCustomGridGx::DoExit();
    if (GridOrEditorFocused(this) != FFocusPainted) InvalidateSelectionAndRow();
}

void TCustomDBGridGx::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomGridGx::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    ForgetListSource(AComponent);
    // A freed menu is forgotten by the columns and the indicator title that show it (the menu is
    // compared by address: its own parts are gone by now).
    if (FColumns)
        for (int i = 0; i < FColumns->Count(); ++i)
            if (FColumns->ColumnAt(i)->PopupMenu() == AComponent)
                FColumns->ColumnAt(i)->SetPopupMenu(nullptr);
    if (FIndicatorTitle && FIndicatorTitle->DropdownMenu() == AComponent)
        FIndicatorTitle->SetDropdownMenu(nullptr);
    // A freed image list is let go by the titles and by every column that shows it.
    if (AComponent == FTitleImages) SetTitleImages(nullptr);
    if (FColumns)
        for (int i = 0; i < FColumns->Count(); ++i)
            if (FColumns->ColumnAt(i)->ImageList() == AComponent)
                FColumns->ColumnAt(i)->SetImageList(nullptr);
    if (!FVertScrollBar) return;
    if (AComponent == FVertScrollBar->ExtScrollBar())
        FVertScrollBar->SetExtScrollBar(nullptr);
    else if (AComponent == FHorzScrollBar->ExtScrollBar())
        FHorzScrollBar->SetExtScrollBar(nullptr);
}
