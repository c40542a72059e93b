// Rows: the data link's record window sized to the rows that fit, the current row kept on the
// current record, scrolling with the data set, and the vertical scroll bar fed from its position.
#include "grid/DBGridGx.h"

#include "grid/ToolCtrlsGxMemTable.h"
#include "gui/ControlPaint.h"

#include <algorithm>
#include <cstdlib>

int TCustomDBGridGx::RowPitch() const {
    return DefRowHeight() + ((FOptions & dgRowLines) ? LineWidth() : 0);
}

void TCustomDBGridGx::SetRowCountKeeping(int Rows) {
    TGridCoord cur = CurrentCell();
    if (cur.Y >= Rows && Rows >= 1 && cur.X >= 0 && cur.X < ColsCount()) {
        // Straight to the last row that stays, without moving the anchor or scrolling.
        MoveFocus(cur.X, Rows - 1, false, false);
    }
    SetRowsCount(Rows);
}

void TCustomDBGridGx::AdjustRowCount() {
    if (!FDataLink) return;
    int oldRows = RowsCount();
    if (FTitleOffset >= RowsCount()) SetRowCountKeeping(FTitleOffset + 1);
    SetFixedRowsCount(std::min(FTitleOffset, RowsCount() - 1));
    int pitch = RowPitch();
    int fixedHeight = 0;
    if (FOptions & dgTitles) fixedHeight += RowHeightAt(0) + LineWidth();
    fixedHeight += (FTitleOffset - TitleRowCount()) * pitch;
    if (FFooterRowCount > 0) fixedHeight += FFooterRowCount * pitch + LineWidth();
    int titleHeight = RowsCount() > 0 ? RowHeightAt(0) : 0;
    SetDefRowHeight(DefRowHeight());
    if ((FOptions & dgTitles) && RowsCount() > 0) SetRowHeightAt(0, titleHeight);
    if (FMemTable) {
        AdjustRowCountByRows();
        if (RowsCount() != oldRows) InvalidateWholeGrid();
        return;
    }
    SetFirstVisibleRow(FixedRowsCount());
    if (FDataLink->Active() && FDataLink->RecordCount() > 0) {
        int n = pitch > 0 ? (ClientHeight() - fixedHeight) / pitch : 1;
        FDataLink->SetBufferCount(n > 0 ? n : 1);
        SetRowCountKeeping(FDataLink->RecordCount() + FTitleOffset);
        SetContraCounts(ContraColCount(), FFooterRowCount);
        SyncCurrentRow();
    } else {
        SetRowCountKeeping(FTitleOffset + 1);
        SetContraCounts(ContraColCount(), FFooterRowCount);
    }
    if (RowsCount() != oldRows) InvalidateWholeGrid();
}

void TCustomDBGridGx::SyncCurrentRow() {
    if (FMemTable) {
        SyncCurrentRowByRows();
        return;
    }
    if (!FDataLink->Active() || ComponentState().Contains(csLoading)) return;
    int row = FDataLink->ActiveRecord() + FTitleOffset;
    TGridCoord cur = CurrentCell();
    if (row != cur.Y && row < RowsCount()) {
        if (!(FOptions & dgAlwaysShowEditor)) HideEditorWindow();
        MoveFocus(std::clamp(cur.X, 0, ColsCount() - 1), row, false, false);
        RefreshEditor();
    }
}

void TCustomDBGridGx::ActivateRow(int I) {
    if (FMemTable) {
        FMemTable->InstantReadEnter(I);
        FInstantRead = true;
        return;
    }
    FSavedActiveRecord = FDataLink->ActiveRecord();
    FDataLink->SetActiveRecord(I);
}

void TCustomDBGridGx::RestoreActiveRecord() {
    if (FInstantRead) {
        FInstantRead = false;
        if (FMemTable) FMemTable->InstantReadLeave();
        return;
    }
    if (FSavedActiveRecord < 0) return;
    FDataLink->SetActiveRecord(FSavedActiveRecord);
    FSavedActiveRecord = -1;
}

TRect TCustomDBGridGx::RowRect(int Row) const {
    TRect r = CellScreenRect(0, Row);
    r.Left = 0;
    r.Right = ClientWidth();
    return r;
}

void TCustomDBGridGx::AdjustVertScrollBar() {
    if (!FDataLink) return;
    if (FMemTable) {
        AdjustVertScrollBarByRows();
        return;
    }
    TScrollInfo si{};
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = 1;
    si.nPage = 2;
    si.nPos = 0;
    if (FDataLink->Active()) {
        TDataSet* ds = FDataLink->DataSet();
        if (ds->IsSequenced()) {
            si.nMin = 1;
            si.nPage = static_cast<Cardinal>(std::max(0, RowsCount() - FTitleOffset));
            si.nMax = ds->RecordCount() + static_cast<int>(si.nPage) - 1;
            si.nPos = ds->State() >= dsInsert ? FLastVertScroll.nPos : ds->RecNo();
        } else {
            si.nMin = 0;
            si.nPage = 0;
            si.nMax = 4;
            si.nPos = ds->Bof() ? 0 : ds->Eof() ? 4 : 2;
        }
    }
    if (!FVertScrollBar->Visible) si.nMax = si.nMin;
    bool nothing = si.nMin >= si.nMax || static_cast<int>(si.nPage) >= si.nMax - si.nMin;
    bool differs = si.nMin != FLastVertScroll.nMin || si.nMax != FLastVertScroll.nMax ||
                   si.nPage != FLastVertScroll.nPage || si.nPos != FLastVertScroll.nPos ||
                   FVertScrollBar->VisibleMode != FLastVisibleMode;
    if (!differs) return;
    if (FVertScrollBar->VisibleMode == sbAlwaysShowGx) {
        si.fMask |= SIF_DISABLENOSCROLL;
        FVertBarDisabled = nothing;
        EnableScrollBar(SB_VERT, !nothing);
        ShowScrollBar(SB_VERT, true);
    } else if (FVertScrollBar->VisibleMode != FLastVisibleMode) {
        FVertBarDisabled = false;
        if (nothing) {
            EnableScrollBar(SB_VERT, true);
            ShowScrollBar(SB_VERT, false);
        }
    }
    if (TScrollBar* ext = FVertScrollBar->ExtScrollBar()) {
        // The external bar shows the range; the grid's own bar stays empty.
        TScrollInfo own = si;
        own.nMin = own.nMax = own.nPos = 0;
        own.nPage = 0;
        SetScrollInfo(SB_VERT, own, true);
        ext->SetPageSize(0);
        ext->SetParams(si.nPos, si.nMin, std::max(si.nMin, si.nMax));
        ext->SetPageSize(static_cast<int>(si.nPage));
    } else {
        SetScrollInfo(SB_VERT, si, true);
    }
    FLastVertScroll = si;
    FLastVisibleMode = FVertScrollBar->VisibleMode;
}

void TCustomDBGridGx::ApplyDataSetScroll(int Distance) {
    const TRect r1 = RowRect(CurrentCell().Y);
    if (FDataLink->ActiveRecord() >= RowsCount() - FTitleOffset) AdjustRowCount();
    AdjustVertScrollBar();
    SyncCurrentRow();
    const TRect r2 = RowRect(CurrentCell().Y);
    InvalidateGridRect(r1);
    InvalidateGridRect(r2);
    if (Distance != 0) {
        HideEditorWindow();
        const int dataRows = RowsCount() - FTitleOffset;
        if (std::abs(Distance) > dataRows) {
            InvalidateWholeGrid();
        } else {
            if ((FOptions & dgIndicator) && FSelectedIndicatorRow >= 0)
                InvalidateOneCell(0, FSelectedIndicatorRow);
            // The rows already drawn move by Distance rows in one window scroll (what is already
            // marked for repainting moves with them); the rows uncovered at the edge repaint.
            const int pitch = RowPitch();
            const TRect first = RowRect(FTitleOffset), last = RowRect(RowsCount() - 1);
            ScrollControlRect(this, 0, -Distance * pitch, TRect{0, first.Top, ClientWidth(), last.Bottom});
            TRect exposed{0, 0, ClientWidth(), 0};
            if (Distance > 0) {
                exposed.Top = last.Bottom - Distance * pitch;
                exposed.Bottom = last.Bottom;
            } else {
                exposed.Top = first.Top;
                exposed.Bottom = first.Top - Distance * pitch;
            }
            InvalidateGridRect(exposed);
            if (FOptions & dgIndicator) InvalidateGridRect(r2);
            // A column that hides duplicates shows the first row's value, which the row above decided.
            for (int i = 0; i < FColumns->Count(); ++i)
                if (FColumns->ColumnAt(i)->HideDuplicates()) {
                    InvalidateGridRect(RowRect(FTitleOffset));
                    break;
                }
        }
    }
    FSelectedIndicatorRow = CurrentCell().Y;
    for (int i = 0; i < ContraRowCount(); ++i)
        InvalidateGridRect(RowRect(RowsCount() + i));
}

void TCustomDBGridGx::ApplyLinkActive(bool Active) {
    RefreshMemTable();
    if (!Active) HideEditorWindow();
    if (!ComponentState().Contains(csDestroying)) FSelection->SetLinkActive(Active);
    FSumList->SetDataSet(DataSource() ? DataSource()->DataSet() : nullptr);
    RequestLayout();
    if (Active && (FOptions & dgAlwaysShowEditor)) OpenEditor();
    AdjustVertScrollBar();
    FColumns->ResetFieldBindings();
}

void TCustomDBGridGx::ApplyDataSetChange() {
    if (FInDataSetChange) return;
    FInDataSetChange = true;
    try {
        AdjustRowCount();
        AdjustVertScrollBar();
        SyncCurrentRow();
        RefreshEditor();
        InvalidateWholeGrid();
    } catch (...) {
        FInDataSetChange = false;
        throw;
    }
    FInDataSetChange = false;
}

void TCustomDBGridGx::ApplyRecordChange(TField* Field) {
    if (Field) {
        for (int i = 0; i < FColumns->Count(); ++i)
            if (FColumns->ColumnAt(i)->BoundField() == Field) InvalidateOneRow(CurrentCell().Y);
    } else {
        InvalidateWholeGrid();
    }
    TField* sel = SelectedField();
    if (!sel || (Field && Field != sel)) return;
    InvalidateEditor();
}
