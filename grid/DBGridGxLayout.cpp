// The layout: columns from the data set's fields or the stored definitions, the column count,
// fixed, frozen and contra columns, row and title heights, column widths and auto-fit.
#include "grid/DBGridGx.h"

#include "gui/DeferredCall.h"
#include "rtl/Format.h"
#include "gui/Geometry.h"

#include <algorithm>
#include <cmath>

void TCustomDBGridGx::BuildFieldMap() {
    TDBGridColumnsGx* cols = FColumns.get();
    if (cols->State() == csCustomizedGx) {
        FDataLink->SparseMap = true;
        for (int i = 0; i < cols->Count(); ++i) FDataLink->AppendFieldIndex(cols->ColumnAt(i)->FieldName());
    } else {
        FDataLink->SparseMap = false;
        for (TField* f : FDataLink->DataSet()->Fields())
            if (f->Visible()) FDataLink->AppendFieldIndex(f->FieldName());
    }
}

void TCustomDBGridGx::SetColCountChecked(int Cols) { SetColsCount(std::max(1, Cols)); }

void TCustomDBGridGx::PerformLayout() {
    if (ComponentState().Contains(csLoading)) return;
    DiscardDeferredCall(this);
    ++FLayoutCount;
    BeginPaintLock();
    try {
        TDBGridColumnsGx* cols = FColumns.get();
        // An automatic column followed by a user-defined one: the automatic ones go.
        bool seenAuto = false, mixed = false;
        for (int i = 0; i < cols->Count(); ++i) {
            if (cols->ColumnAt(i)->IsAutoColumn())
                seenAuto = true;
            else if (seenAuto)
                mixed = true;
        }
        if (mixed)
            for (int i = cols->Count() - 1; i >= 0; --i)
                if (cols->ColumnAt(i)->IsAutoColumn()) delete cols->ColumnAt(i);

        FIndicatorOffset = (FOptions & dgIndicator) ? 1 : 0;
        FDataLink->EmptyFieldMap();
        bool active = FDataLink->Active();
        if (active) BuildFieldMap();

        if (cols->State() == csCustomizedGx) {
            for (int i = 0; i < cols->Count(); ++i) cols->ColumnAt(i)->BindField(nullptr);
        } else {
            if (active || !FDataLink->DefaultFields()) {
                for (int i = cols->Count() - 1; i >= 0; --i) {
                    TField* f = cols->ColumnAt(i)->Field();
                    bool mapped = false;
                    for (int k = 0; k < FDataLink->FieldCount() && !mapped; ++k) mapped = FDataLink->Fields(k) == f;
                    if (!f || !mapped) delete cols->ColumnAt(i);
                }
            } else {
                cols->Clear();
            }
            int n = FDataLink->FieldCount();
            if (n == 0 && cols->Count() == 0) n = 1;
            for (int i = 0; i < n; ++i) {
                TField* f = FDataLink->Fields(i);
                TColumnGx* col = nullptr;
                if (f) {
                    for (int j = i; j < cols->Count() && !col; ++j)
                        if (cols->ColumnAt(j)->BoundField() == f) col = cols->ColumnAt(j);
                    if (!col) {
                        col = cols->AddAutoColumn();
                        col->BindField(f);
                    }
                } else {
                    col = cols->AddAutoColumn();
                }
                col->SetIndex(i);
            }
        }

        // Visible columns; hidden columns in the frozen range do not count against FrozenCols.
        FVisibleColumns.Clear();
        for (int i = 0; i < cols->Count(); ++i)
            if (cols->ColumnAt(i)->Visible()) FVisibleColumns.Add(cols->ColumnAt(i));
        int hidden = 0, visibleSeen = 0, i = 0;
        for (; i < cols->Count() && visibleSeen < FFrozenCols; ++i) {
            if (cols->ColumnAt(i)->Visible())
                ++visibleSeen;
            else
                ++hidden;
        }
        for (; i < cols->Count() && !cols->ColumnAt(i)->Visible(); ++i) ++hidden;
        int noVisible = FVisibleColumns.Count() == 0 ? 1 : 0;
        int n = cols->Count();
        // The frozen part is limited to the columns there are (one scrolling column stays), and the
        // contra part to what is left: a larger FrozenCols would make every layout fail.
        int frozen = std::min(FFrozenCols, std::max(0, n - hidden - 1));
        if (active || cols->State() == csCustomizedGx) {
            int contra = std::max(0, std::min(FContraColCountGx, n - frozen - hidden - 1));
            SetContraCounts(0, ContraRowCount());
            SetColCountChecked(n + FIndicatorOffset - contra);
            SetContraCounts(contra, ContraRowCount());
            SetFixedColsCount(std::max(0, std::min(FIndicatorOffset + frozen + hidden - noVisible, ColsCount() - 1)));
            SetFrozenColCount(frozen);
        } else {
            SetContraCounts(0, ContraRowCount());
            SetColCountChecked(n + FIndicatorOffset);
            SetFixedColsCount(std::max(0, std::min(hidden + FIndicatorOffset - noVisible, ColsCount() - 1)));
            SetFrozenColCount(0);
        }
        FTitleOffset = TitleRowCount() + FilterRowCount();

        // Row heights.
        TTextMetric tm = MeasureMetrics(Font());
        int k = (Flat() ? 1 : 3) + ((FOptions & dgRowLines) ? LineWidth() : 0);
        int h = std::max(1, MeasureTextHeight(Font(), "Wg"));
        int titleHeight = RowsCount() > 0 ? RowHeightAt(0) : 0;
        if (FRowHeight > 0 || FRowLines > 0)
            SetDefRowHeight(FRowHeight + (tm.tmExternalLeading + tm.tmHeight) * FRowLines);
        else
            SetDefRowHeight(h + k);
        if (FOptionsGx & dghFitRowHeightToText) {
            int q = (DefRowHeight() - k) / h, r = (DefRowHeight() - k) % h;
            SetDefRowHeight(r <= h / 2 && q != 0 ? q * h + k : (q + 1) * h + k);
            FRowLines = (DefRowHeight() - k) / h;
            FRowHeight = k;
        }
        FMultiLineRows = tm.tmExternalLeading + tm.tmHeight + tm.tmInternalLeading + FInterlinear < DefRowHeight();
        if (TitleRowCount() > 0 && RowsCount() > 0) {
            // The tallest title font of the columns (TitleFont without columns) sets the title row.
            TFont* tallest = FTitleFont.get();
            titleHeight = 0;
            for (int c = 0; c < cols->Count(); ++c) {
                TFont* font = cols->ColumnAt(c)->Title()->Font();
                const int h = MeasureTextHeight(font, "Wg") + FInterlinear;
                if (h > titleHeight) titleHeight = h, tallest = font;
            }
            if (cols->Count() == 0) titleHeight = MeasureTextHeight(FTitleFont.get(), "Wg") + FInterlinear;
            if (FTitleHeight != 0 || FTitleLines != 0) {
                TTextMetric ttm = MeasureMetrics(tallest);
                FComputedTitleHeight = FTitleLines * ttm.tmHeight + ttm.tmExternalLeading + FTitleHeight + 2 +
                                       ((FOptions & dgRowLines) ? 1 : 0);
                titleHeight = FComputedTitleHeight;
            }
            SetRowHeightAt(0, titleHeight);
            if (FUseMultiTitle) {
                BuildTitleTree();
                titleHeight = MeasureTitleTree(FTitleRoot.get()) - ((FOptionsGx & dghFixed3D) ? 1 : 3);
                SetRowHeightAt(0, titleHeight);
            }
        }

        ApplyColumnWidths();
        if (FAutoFitColWidths) AutoFitColumns();
        ApplyColumnWidths();
        AdjustRowCount();
        SyncCurrentRow();
        InvalidateWholeGrid();
    } catch (...) {
        EndPaintLock();
        throw;
    }
    EndPaintLock();
}

void TCustomDBGridGx::ApplyColumnWidths() {
    for (int i = 0; i < FColumns->Count(); ++i) {
        TColumnGx* col = FColumns->ColumnAt(i);
        int c = i + FIndicatorOffset;
        if (c >= TotalColsCount()) break;
        TField* f = col->Field();
        bool tab = col->Visible() && !col->ReadOnly() && FDataLink->Active() && f && !f->Calculated() &&
                   !(f->Lookup() && f->ReadOnly());
        SetColTabStopAt(c, tab ? 1 : 0);
        SetColWidthAt(c, col->Visible() ? col->Width() : (FOptions & dgColLines) ? -1 : 0);
    }
    if (FOptions & dgIndicator) {
        if (!ShowSerialNo) {
            SetColWidthAt(0, 11);
        } else if (TDataSet* ds = FDataLink->DataSet(); ds && ds->Active()) {
            // Measured in the font the numbers are written in, whatever the canvas holds now.
            SetColWidthAt(0, MeasureTextWidth(Font(), IntToStr(ds->RecordCount())) + 11);
        }
    }
}

void TCustomDBGridGx::AutoFitColumns() {
    std::vector<TColumnGx*> vis = FVisibleColumns.Items();
    for (TColumnGx* c : vis) c->HeldByLimits = false;
    int indicator = (FOptions & dgIndicator) ? ColWidthAt(0) : 0;
    int W = 0, S = 0;
    std::vector<int> widths(vis.size());
    for (size_t i = 0; i < vis.size(); ++i) widths[i] = ColWidthAt(vis[i]->Index() + FIndicatorOffset);
    for (size_t round = 0; round <= vis.size(); ++round) {
        int B = 0, F = 0;
        for (size_t i = 0; i < vis.size(); ++i) {
            if (vis[i]->AutoFitColWidth() && !vis[i]->HeldByLimits)
                B += vis[i]->AutoFitBaseWidth;
            else
                F += widths[i];
        }
        W = std::max(0, std::max(ClientWidth(), FMinAutoFitWidth) - F);
        if (FOptions & dgIndicator) W -= indicator;
        if (FOptions & dgColLines) W -= static_cast<int>(vis.size());
        if ((FOptions & dgIndicator) && (FOptions & dgColLines)) W -= 1;
        S = 0;
        bool newlyHeld = false;
        for (size_t i = 0; i < vis.size(); ++i) {
            if (!vis[i]->AutoFitColWidth() || vis[i]->HeldByLimits) continue;
            // A base sum of 0 gives the free columns nothing; the remainder goes to the last below.
            int w = B != 0 ? MulDiv(vis[i]->AutoFitBaseWidth, W, B) : 0;
            vis[i]->SetWidth(w);
            widths[i] = vis[i]->Width();
            if (widths[i] != w) {
                vis[i]->HeldByLimits = true;
                newlyHeld = true;
            }
            S += widths[i];
        }
        if (!newlyHeld) break;
    }
    if (S != W)
        for (size_t i = vis.size(); i-- > 0;)
            if (vis[i]->AutoFitColWidth() && !vis[i]->HeldByLimits) {
                vis[i]->SetWidth(std::max(0, widths[i] + (W - S)));
                break;
            }
}

void TCustomDBGridGx::Resize() {
    TCustomGridGx::Resize();
    PaintFlatBorder();
    if (FAutoFitColWidths && FLayoutLock == 0)
        RequestLayout();
    else
        AdjustRowCount();
    if (FFilterActive) PlaceFilterEditor(false);
}
