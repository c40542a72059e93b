// The lookup grid's rows: the position of the list's current record among the held records, the
// current row kept on the key record, the height set in whole rows, the vertical scroll bar and
// its scrolling by records, and the columns fitted to the width.
#include "grid/DBLookupGridsGx.h"

#include "rtl/ScopeGuards.h"

#include <algorithm>

// ---- heights --------------------------------------------------------------------------------------------

int TDBLookupGridGx::FrameSize() { return std::max(0, Height() - ClientHeight()); }

int TDBLookupGridGx::SpecialRowHeight() { return DefRowHeight() + ((Options() & dgRowLines) ? LineWidth() : 0); }

int TDBLookupGridGx::DataRowHeight() { return DefRowHeight() + ((Options() & dgRowLines) ? LineWidth() : 0); }

int TDBLookupGridGx::TitlesHeight() { return (Options() & dgTitles) && RowsCount() > 0 ? RowHeightAt(0) : 0; }

int TDBLookupGridGx::FilterRowCount() const {
    return TCustomDBGridGx::FilterRowCount() + (FSpecRow && FSpecRow->Visible() ? 1 : 0);
}

// ---- sizing by rows -------------------------------------------------------------------------------------

void TDBLookupGridGx::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FSpecRow) {
        FSpecRowHeight = FSpecRow->Visible() ? SpecialRowHeight() : 0;
        const int pitch = std::max(1, DataRowHeight());
        const int titles = TitlesHeight(), frame = FrameSize();
        FRowCount = std::max(1, (AHeight - frame - titles - FSpecRowHeight) / pitch);
        AHeight = titles + frame + FRowCount * pitch + FSpecRowHeight + ((Options() & dgRowLines) ? LineWidth() : 0);
    }
    TCustomDBGridGx::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TDBLookupGridGx::SetRowCount(int Value) {
    Value = std::clamp(Value, 1, 100);
    const bool lines = (Options() & dgRowLines) != 0;
    const int height = TitlesHeight() + (lines ? LineWidth() : 0) + Value * DefRowHeight() +
                       (lines ? Value * LineWidth() : 0) + FrameSize() +
                       (FSpecRow->Visible() ? SpecialRowHeight() : 0);
    FRowCount = Value;
    SetHeight(height);
}

void TDBLookupGridGx::ReapplyRowCount() {
    if (FInRowAdjust || !FSpecRow || ComponentState().Contains(csLoading) ||
        ComponentState().Contains(csDestroying))
        return;
    FInRowAdjust = true;
    const TScopeExit done([this] { FInRowAdjust = false; });
    SetRowCount(FRowCount);
}

void TDBLookupGridGx::SetShowTitles(bool Value) {
    if (Value == ShowTitles()) return;
    SetOptions(Value ? static_cast<TDBGridOptions>(Options() | dgTitles)
                     : static_cast<TDBGridOptions>(Options() & ~dgTitles));
    SetHeight(DataRowHeight() * FRowCount + FrameSize() + TitlesHeight() +
              (FSpecRow->Visible() ? SpecialRowHeight() : 0) + ((Options() & dgRowLines) ? LineWidth() : 0));
}

void TDBLookupGridGx::RequestLayout() {
    TCustomDBGridGx::RequestLayout();
    // The title row's height comes from the layout: the rows are fitted to it again.
    ReapplyRowCount();
}

void TDBLookupGridGx::AdjustRowCount() {
    TCustomDBGridGx::AdjustRowCount();
    // The record window holds exactly the rows the height was made for.
    TGridDataLinkGx* link = DataLink();
    if (!link || !FSpecRow) return;
    const TScopeExit bar([this] { AdjustVertScrollBar(); });
    if (!link->Active() || link->RecordCount() == 0 || link->BufferCount() == FRowCount) return;
    link->SetBufferCount(FRowCount);
    const int rows = link->RecordCount() + TitleOffset();
    const TGridCoord current = CurrentCell();
    if (current.Y >= rows && current.X >= 0 && current.X < ColsCount()) MoveFocus(current.X, rows - 1, false, false);
    SetRowsCount(rows);
    SyncCurrentRow();
    InvalidateWholeGrid();
}

TRect TDBLookupGridGx::DataRect() {
    const int gap = (Options() & dgRowLines) ? LineWidth() : 0;
    const int first = FSpecRow->Visible() ? TitleOffset() - 1 : TitleOffset();
    int top = 0;
    for (int i = 0; i < first && i < RowsCount(); ++i) top += RowHeightAt(i) + gap;
    const int bottom = top + (FSpecRow->Visible() ? SpecialRowHeight() : 0) + FRowCount * DataRowHeight();
    int left = 0;
    const int colGap = (Options() & dgColLines) ? LineWidth() : 0;
    for (int i = 0; i < IndicatorOffset(); ++i) left += ColWidthAt(i) + colGap;
    return TRect(left, top, ClientWidth(), std::min(bottom, ClientHeight()));
}

// ---- record position ------------------------------------------------------------------------------------

void TDBLookupGridGx::UpdateRecordPosition() {
    TGridDataLinkGx* link = DataLink();
    if (FListActive && link && link->Active()) {
        FRecordIndex = link->ActiveRecord();
        FRecordCount = link->RecordCount();
    } else {
        FRecordIndex = FRecordCount = 0;
    }
}

void TDBLookupGridGx::RefreshRecordPosition() {
    UpdateRecordPosition();
    AdjustVertScrollBar();
    RequestLayout();
}

void TDBLookupGridGx::SyncCurrentRow() {
    if (IncSearchActive()) StopIncrementalSearch();
    FKeyRowPositioned = false;
    TGridDataLinkGx* link = DataLink();
    if (!link || !link->Active() || ComponentState().Contains(csLoading)) return;
    const int held = HeldKeyRecord();
    if (held < 0) return;
    const int row = held + TitleOffset();
    const TGridCoord current = CurrentCell();
    if (row != current.Y && row < RowsCount()) {
        if (!EditorAlwaysShown()) HideEditorWindow();
        MoveFocus(std::clamp(current.X, 0, ColsCount() - 1), row, false, false);
        InvalidateEditor();
    }
    FKeyRowPositioned = true;
}

void TDBLookupGridGx::ApplyDataSetScroll(int Distance) {
    TCustomDBGridGx::ApplyDataSetScroll(Distance);
    UpdateRecordPosition();
}

void TDBLookupGridGx::ApplyDataSetChange() {
    if (FInDataSetChange) return;
    FInDataSetChange = true;
    const TScopeExit done([this] { FInDataSetChange = false; });
    TCustomDBGridGx::ApplyDataSetChange();
    UpdateRecordPosition();
    AdjustVertScrollBar();
}

void TDBLookupGridGx::ApplyLinkActive(bool Active) {
    if (ComponentState().Contains(csDestroying)) {
        TCustomDBGridGx::ApplyLinkActive(Active);
        return;
    }
    // The fields are resolved before the layout builds the columns from them.
    try {
        ResolveListFields();
    } catch (...) {
        TCustomDBGridGx::ApplyLinkActive(Active);
        throw;
    }
    TCustomDBGridGx::ApplyLinkActive(Active);
    if (FListActive)
        KeyValueUpdated();
    else
        RefreshRecordPosition();
}

void TDBLookupGridGx::BuildFieldMap() {
    if (Columns()->State() == csCustomizedGx) {
        TCustomDBGridGx::BuildFieldMap();
        return;
    }
    // The fields may have been made anew since they were resolved.
    ResolveListFields();
    if (!FListActive) {
        TCustomDBGridGx::BuildFieldMap();
        return;
    }
    DataLink()->SparseMap = false;
    for (TField* f : FListFields) DataLink()->AppendFieldIndex(f->FieldName());
}

// ---- vertical scroll bar --------------------------------------------------------------------------------

void TDBLookupGridGx::AdjustVertScrollBar() {
    TGridDataLinkGx* link = DataLink();
    if (!link || !FSpecRow) return;
    TScrollInfo info{};
    info.fMask = SIF_ALL;
    if (!link->Active()) {
        info.nMax = 2;
    } else if (TDataSet* ds = link->DataSet(); ds->IsSequenced()) {
        info.nMax = std::max(0, ds->RecordCount() - 1);
        info.nPage = static_cast<Cardinal>(FRowCount);
        info.nPos = ds->State() >= dsInsert ? 0 : link->FirstRecord();
    } else {
        info.nMax = link->RecordCount() < FRowCount ? 0 : 4;
        info.nPos = info.nMax == 0 ? 0 : ds->Bof() ? 0 : ds->Eof() ? 4 : 2;
    }
    if (FVertInfoSet && info.nMin == FLastVertInfo.nMin && info.nMax == FLastVertInfo.nMax &&
        info.nPage == FLastVertInfo.nPage && info.nPos == FLastVertInfo.nPos)
        return;
    SetScrollInfo(SB_VERT, info, true);
    FLastVertInfo = info;
    FVertInfoSet = true;
}

void TDBLookupGridGx::Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) {
    if (Kind == sbHorizontal) {
        TCustomDBGridGx::Scroll(Kind, Code, Pos);
        return;
    }
    TWinControl::Scroll(Kind, Code, Pos);
    TGridDataLinkGx* link = DataLink();
    if (!link->Active()) return;
    TDataSet* ds = link->DataSet();
    UpdateRecordPosition();
    // Moves the view so that the first held record is the one at position P.
    auto showFrom = [&](int P) {
        const int first = link->FirstRecord();
        if (P < first)
            ds->SetRecNo(P + 1);
        else if (P > first)
            ds->SetRecNo(std::min(ds->RecordCount(), P + link->BufferCount()));
    };
    switch (Code) {
    case scLineUp:
        link->MoveBy(-FRecordIndex - 1);
        break;
    case scLineDown:
        link->MoveBy(FRecordCount - FRecordIndex);
        break;
    case scPageUp:
        link->MoveBy(1 - FRecordIndex - FRecordCount);
        break;
    case scPageDown:
        link->MoveBy(2 * FRecordCount - FRecordIndex - 2);
        break;
    case scTop:
        ds->First();
        break;
    case scBottom:
        ds->Last();
        break;
    case scTrack:
        if (ds->IsSequenced()) showFrom(Pos);
        break;
    case scPosition:
        if (ds->IsSequenced()) {
            showFrom(Pos);
            break;
        }
        switch (Pos) {
        case 0:
            ds->First();
            break;
        case 1:
            link->MoveBy(1 - FRecordIndex - FRecordCount);
            break;
        case 3:
            link->MoveBy(2 * FRecordCount - FRecordIndex - 2);
            break;
        case 4:
            ds->Last();
            break;
        default:
            break;
        }
        break;
    case scEndScroll:
        break;
    }
}

// ---- column fitting -------------------------------------------------------------------------------------

void TDBLookupGridGx::SetAutoFitColWidths(bool Value) {
    if (Value == FAutoFitColWidths) return;
    FAutoFitColWidths = Value;
    SetScrollBarsShown(Value ? ssNone : ssHorizontal);
    ReapplyRowCount();
    AdjustVertScrollBar();
    FitColumnWidths();
}

void TDBLookupGridGx::FitColumnWidths() {
    if (FInResize) return;
    FInResize = true;
    const TScopeExit done([this] { FInResize = false; });
    if (FAutoFitColWidths) {
        // The data grid fits the columns once; the widths it gave become the columns' own.
        TCustomDBGridGx::SetAutoFitColWidths(true);
        TDBGridColumnsGx* columns = Columns();
        for (int i = 0; i < columns->Count(); ++i) columns->ColumnAt(i)->AutoFitBaseWidth = columns->ColumnAt(i)->Width();
        TCustomDBGridGx::SetAutoFitColWidths(false);
        SetScrollBarsShown(ssNone);
    }
    ReapplyRowCount();
}

void TDBLookupGridGx::Resize() {
    TCustomDBGridGx::Resize();
    if (FAutoFitColWidths) FitColumnWidths();
}

void TDBLookupGridGx::ColWidthsWereChanged() {
    TCustomDBGridGx::ColWidthsWereChanged();
    if (GridActivity() != gaColSizing || !FAutoFitColWidths || FInResize) return;
    // A column border dragged by the user: the grid grows or shrinks with it instead of
    // squeezing the other columns.
    FInResize = true;
    const TScopeExit done([this] { FInResize = false; });
    const int gap = (Options() & dgColLines) ? LineWidth() : 0;
    int width = 0;
    for (int i = 0; i < ColsCount(); ++i)
        if (ColWidthAt(i) >= 0) width += ColWidthAt(i) + gap;
    TDBGridColumnsGx* columns = Columns();
    for (int i = 0; i < columns->Count(); ++i) {
        TColumnGx* column = columns->ColumnAt(i);
        const int grid = i + IndicatorOffset() < ColsCount() ? ColWidthAt(i + IndicatorOffset()) : -1;
        if (grid >= 0 && grid != column->Width()) column->SetWidth(grid);
        column->AutoFitBaseWidth = column->Width();
    }
    SetClientWidth(width);
}

int TDBLookupGridGx::ColumnsWidth() {
    const int gap = (Options() & dgColLines) ? LineWidth() : 0;
    int width = 0;
    TDBGridColumnsGx* columns = Columns();
    for (int i = 0; i < columns->Count(); ++i) {
        TColumnGx* column = columns->ColumnAt(i);
        if (column->Visible()) width += FAutoFitColWidths ? column->AutoFitBaseWidth : column->Width();
        width += gap;
    }
    return width;
}
