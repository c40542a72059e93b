// The data grid: shows the records of one data source's data set as rows and a collection of
// columns as grid columns, with an indicator column, a title row and footer rows. The grid holds
// no records: its data rows are the data link's record window. Every change of columns, fonts or
// options goes through the layout lock, so any number of changes in one lock cause one layout.
#pragma once

#include "db/DataSource.h"
#include "grid/DBGridGxColumns.h"
#include "grid/DBGridGxSelection.h"
#include "grid/DBSumLst.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "grid/GridsGx.h"

#include <memory>

class TCustomDBGridGx;
class TDBGridGxStyle;
class TDBGridGxCenter;

enum TDBGridOption : uint16_t {
    dgEditing = 0x0001, dgAlwaysShowEditor = 0x0002, dgTitles = 0x0004, dgIndicator = 0x0008,
    dgColumnResize = 0x0010, dgColLines = 0x0020, dgRowLines = 0x0040, dgTabs = 0x0080, dgRowSelect = 0x0100,
    dgAlwaysShowSelection = 0x0200, dgConfirmDelete = 0x0400, dgCancelOnExit = 0x0800, dgMultiSelect = 0x1000
};
using TDBGridOptions = uint16_t;
enum TDBGridGxOption : uint32_t {
    dghFixed3D = 0x00001, dghFrozen3D = 0x00002, dghFooter3D = 0x00004, dghData3D = 0x00008,
    dghResizeWholeRightPart = 0x00010, dghHighlightFocus = 0x00020, dghClearSelection = 0x00040,
    dghFitRowHeightToText = 0x00080, dghAutoSortMarking = 0x00100, dghMultiSortMarking = 0x00200,
    dghEnterAsTab = 0x00400, dghTraceColSizing = 0x00800, dghIncSearch = 0x01000, dghPreferIncSearch = 0x02000,
    dghRowHighlight = 0x04000, dghDblClickOptimizeColWidth = 0x08000, dghDialogFind = 0x10000,
    dghRecordMoving = 0x20000
};
using TDBGridGxOptions = uint32_t;
enum : uint8_t { alopInsertGx = 1, alopUpdateGx = 2, alopDeleteGx = 4, alopAppendGx = 8 };
using TDBGridGxAllowedOperations = uint8_t;
using TDBGridGxAllowedSelections = uint8_t; // bit n = TDBGridGxSelectionType n

// Options that change the geometry: a change under this mask lays the grid out.
constexpr TDBGridOptions LayoutOptionsMask = 0x036F;

// Cell kinds of GetCellType (high part; the low byte is 1 for a data column, 0 for the indicator).
enum : int { ctFilterRowGx = 0x100, ctDataRowGx = 0x200, ctFooterRowGx = 0x400 };

// Settings of a scroll bar; the vertical one may be disabled instead of hidden.
enum TScrollBarVisibleModeGx { sbAutoShowGx, sbNeverShowGx, sbAlwaysShowGx };
class TDBGridGxScrollBar : public TPersistent {
    ORV_META(TDBGridGxScrollBar, TPersistent)
    bool Visible = true;
    TScrollBarVisibleModeGx VisibleMode = sbAutoShowGx;
};

// Connects the grid to its data source; keeps the map of grid columns to data set fields.
class TGridDataLinkGx : public TDataLink {
public:
    explicit TGridDataLinkGx(TCustomDBGridGx* Grid);
    String ClassName() const override { return "TGridDataLinkGx"; }
    TCustomDBGridGx* Grid() const { return FGrid; }
    bool AppendFieldIndex(const String& FieldName);
    void EmptyFieldMap();
    TField* Fields(int I) const;
    int FieldCount() const { return FFieldCount; }
    int FieldCapacity() const { return static_cast<int>(FFieldMap.size()); }
    bool DefaultFields() const;
    bool SparseMap = false;
    bool Modified = false;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int Distance) override;
    void LayoutChanged() override;
    void RecordChanged(TField* Field) override;
    void EditingChanged() override;
    void UpdateData() override;

private:
    TCustomDBGridGx* FGrid;
    std::vector<int> FFieldMap;
    int FFieldCount = 0;
    bool FInUpdateData = false;
};

class TCustomDBGridGx : public TCustomGridGx {
    ORV_META(TCustomDBGridGx, TCustomGridGx)
    explicit TCustomDBGridGx(TComponent* AOwner);
    ~TCustomDBGridGx() override;

    // ---- data --------------------------------------------------------------------------------
    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    TGridDataLinkGx* DataLink() const { return FDataLink.get(); }
    TDBGridColumnsGx* Columns() const { return FColumns.get(); }
    TColumnDefValuesGx* ColumnDefValues() const { return FColumnDefValues.get(); }
    TDBSumListProducer* SumList() const { return FSumList.get(); }
    TColumnsGxList& VisibleColumns() { return FVisibleColumns; }
    TColumnsGxList& SortMarkedColumns() { return FSortMarkedColumns; }
    void RebuildSortMarkedList();
    TColumnGx* ColumnByFieldName(const String& Name) const;
    int FocusedColumnIndex() const { return CurrentCell().X - FIndicatorOffset; }
    TField* SelectedField() const;
    int GetCellType(int ACol, int ARow, int& DataCol, int& DataRow) const;

    // ---- options -----------------------------------------------------------------------------
    TDBGridOptions Options() const { return FOptions; }
    void SetOptions(TDBGridOptions Value);
    TDBGridGxOptions OptionsGx() const { return FOptionsGx; }
    void SetOptionsGx(TDBGridGxOptions Value);
    TDBGridGxAllowedOperations AllowedOperations = 0x0F;
    TDBGridGxAllowedSelections AllowedSelections = 0x1E;
    uint8_t EditActions = 0;
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool DrawMemoText = false;
    bool DefaultDrawing = true;
    bool SortLocal = false;
    bool ShowSerialNo = false;
    bool RowSizingAllowed() const { return FRowSizingAllowed; }
    void SetRowSizingAllowed(bool Value);
    TColor FooterColor() const { return FFooterColor; }
    void SetFooterColor(TColor Value);
    TFont* TitleFont() const { return FTitleFont.get(); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    TDBGridGxScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TDBGridGxScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    TColor EvenRowColor() const { return FEvenRowColorAssigned ? FEvenRowColor : Color(); }
    void SetEvenRowColor(TColor Value);
    TColor OddRowColor() const { return FOddRowColorAssigned ? FOddRowColor : Color(); }
    void SetOddRowColor(TColor Value);
    bool EvenRowColorAssigned() const { return FEvenRowColorAssigned; }
    bool OddRowColorAssigned() const { return FOddRowColorAssigned; }

    // ---- layout values -------------------------------------------------------------------------
    int RowHeight() const { return FRowHeight; }
    void SetRowHeight(int Value);
    int RowLines() const { return FRowLines; }
    void SetRowLines(int Value);
    int TitleHeight() const { return FTitleHeight; }
    void SetTitleHeight(int Value);
    int TitleLines() const { return FTitleLines; }
    void SetTitleLines(int Value);
    int VTitleMargin() const { return FVTitleMargin; }
    void SetVTitleMargin(int Value);
    bool UseMultiTitle() const { return FUseMultiTitle; }
    void SetUseMultiTitle(bool Value);
    int FrozenCols() const { return FFrozenCols; }
    void SetFrozenCols(int Value);
    int ContraColCountGx() const { return FContraColCountGx; }
    void SetContraColCountGx(int Value);
    int FooterRowCount() const { return FFooterRowCount; }
    void SetFooterRowCount(int Value);
    bool AutoFitColWidths() const { return FAutoFitColWidths; }
    void SetAutoFitColWidths(bool Value);
    int MinAutoFitWidth() const { return FMinAutoFitWidth; }
    void SetMinAutoFitWidth(int Value);
    int IndicatorOffset() const { return FIndicatorOffset; }
    int TitleOffset() const { return FTitleOffset; }
    int Interlinear() const { return FInterlinear; }
    bool MultiLineRows() const { return FMultiLineRows; }
    int TitleRowCount() const { return (FOptions & dgTitles) ? 1 : 0; }
    int FilterRowCount() const { return 0; }
    // Set when the grid re-lays out after a change of the data set's fields.
    bool InLinkLayout() const { return FInLinkLayout; }

    // ---- layout lock ---------------------------------------------------------------------------
    void BeginUpdate() { ++FUpdateLock; }
    void EndUpdate() {
        if (FUpdateLock > 0) --FUpdateLock;
    }
    int UpdateLock() const { return FUpdateLock; }
    int LayoutLock() const { return FLayoutLock; }
    void BeginLayout();
    void EndLayout();
    void CancelLayout();
    bool AcquireLayoutLock();
    virtual void RequestLayout();
    void DeferLayout();
    // Runs the deferred layout (the handler of the posted request).
    void DeferredLayoutDue();
    int LayoutCount() const { return FLayoutCount; }

    // ---- rows ----------------------------------------------------------------------------------
    int RowPitch() const;
    virtual void AdjustRowCount();
    virtual void SyncCurrentRow();
    virtual void AdjustVertScrollBar();
    virtual void ApplyDataSetScroll(int Distance);
    void ActivateRow(int I);
    void RestoreActiveRecord();
    // What the vertical bar last received.
    TScrollInfo LastVertScroll() const { return FLastVertScroll; }
    bool VertBarDisabled() const { return FVertBarDisabled; }

    // ---- selection -----------------------------------------------------------------------------
    TDBGridGxSelection* Selection() const { return FSelection.get(); }
    // The marked records (the store of a record selection).
    TBookmarkListGx* SelectedRows() const { return FBookmarks.get(); }
    // Sets AllowedSelections; a selection of a kind no longer allowed is cleared.
    void SetAllowedSelections(TDBGridGxAllowedSelections Value);
    // Whether a selection of the kind may be made: multi-select on, the kind allowed, and neither
    // rectangles nor columns while whole rows are selected.
    bool SelectionKindAllowed(TDBGridGxSelectionType Kind) const;
    bool EditorAlwaysShown() const { return (FOptions & dgAlwaysShowEditor) != 0; }
    void ShowCellEditor() { OpenEditor(); }
    // Reloads the in-place editor from the grid (placed and filled again on the next update).
    void InvalidateEditor() { RefreshEditor(); }
    virtual void InvalidateSelectionAndRow();
    // With dghClearSelection: drops the marked records and the current selection.
    void ClearSelectionIfAllowed();
    // The record where a keyboard extension of the record selection began.
    bool SelectionAnchorSet = false;
    TBookmark SelectionAnchor;
    TNotifyEvent OnSelectionChanged;
    friend class TDBGridGxSelectionRect;

    // ---- availability of the edit actions -------------------------------------------------------
    bool CanCopySelection() const;
    bool CanCutSelection() const;
    bool CanPasteToSelection() const;
    bool CanDeleteSelection() const;
    bool CanSelectAll() const;
    bool CanModifyData() const;

    // ---- style and centre ----------------------------------------------------------------------
    TDBGridGxStyle* Style() const { return FStyle; }
    void SetStyle(TDBGridGxStyle* Value);
    TDBGridGxCenter* Center() const { return FCenter; }
    void SetCenter(TDBGridGxCenter* Value);

    // Row number text and its x place in the indicator (clamped at 0 when it does not fit).
    static int SerialNoX(int IndicatorWidth, int TextWidth);

    // Measures text with the grid's canvas, also before the window exists.
    int MeasureTextWidth(TFont* Font, const String& Text);
    TTextMetric MeasureMetrics(TFont* Font);
    int MeasureTextHeight(TFont* Font, const String& Text);

    // ---- cell text and images on the grid's canvas (right-to-left aware) -----------------------
    void PaintCellText(TColumnGx* Column, TCanvas* ACanvas, const TRect& ARect, bool Fill, int DX, int DY,
                       const String& Text, TAlignment Alignment, TTextLayout Layout, bool WordWrap,
                       bool EndEllipsis, int LeftMargin, int RightMargin);
    void PaintCheckBox(TCanvas* ACanvas, const TRect& ARect, TCheckBoxState State, bool Enabled, bool Pressed,
                       bool IsFlat, bool Hot, TColor ParentColor);
    void PaintEditButton(TColumnGx* Column, TCanvas* ACanvas, TBitmap* Glyph, TColor ButtonColor, bool Enabled,
                         bool IsFlat, bool Pressed, bool Hot, const TRect& CellRect, TRect ButtonRect,
                         TEditButtonStyleGx Style);
    // Mirrors the grid's canvas horizontally (on) or maps it plainly (off).
    void MapCanvasRightToLeft(bool On);
    // The rectangle in unmirrored device coordinates of the grid's canvas.
    TRect UnmirroredRect(const TRect& R);

protected:
    friend class TGridDataLinkGx;
    friend class TColumnGx;
    friend class TDBGridColumnsGx;
    virtual void PerformLayout();
    virtual void BuildFieldMap();
    virtual void ApplyLinkActive(bool Active);
    virtual void ApplyDataSetChange();
    virtual void ApplyRecordChange(TField* Field);
    virtual void ApplyColumnWidths();
    void AutoFitColumns();
    void ColumnsUpdated(TColumnGx* Column);
    void PaintCell(int Col, int Row, const TRect& Rect, TGridDrawState State) override;
    void Resize() override;
    TRect RowRect(int Row) const;

private:
    void SetColCountChecked(int Cols);
    void SetRowCountKeeping(int Rows);
    void ApplyGridOptions();

    std::unique_ptr<TGridDataLinkGx> FDataLink;
    std::unique_ptr<TDBGridGxColumnDefValuesGx> FColumnDefValues;
    std::unique_ptr<TDBGridColumnsGx> FColumns;
    std::unique_ptr<TDBSumListProducer> FSumList;
    std::unique_ptr<TFont> FTitleFont, FFooterFont;
    std::unique_ptr<TDBGridGxScrollBar> FHorzScrollBar, FVertScrollBar;
    TColumnsGxList FVisibleColumns, FSortMarkedColumns;
    TDBGridGxStyle* FStyle = nullptr;
    TDBGridGxCenter* FCenter = nullptr;
    TDBGridOptions FOptions = 0;
    TDBGridGxOptions FOptionsGx = 0;
    bool FReadOnly = false;
    bool FRowSizingAllowed = false;
    TColor FFooterColor = clWindow;
    TColor FEvenRowColor = clWindow, FOddRowColor = clWindow;
    bool FEvenRowColorAssigned = false, FOddRowColorAssigned = false;
    int FRowHeight = 0, FRowLines = 0, FTitleHeight = 0, FTitleLines = 0, FVTitleMargin = 10;
    int FComputedTitleHeight = 0;
    bool FUseMultiTitle = false;
    int FFrozenCols = 0, FContraColCountGx = 0, FFooterRowCount = 0;
    bool FAutoFitColWidths = false;
    int FMinAutoFitWidth = 0;
    int FIndicatorOffset = 1, FTitleOffset = 0, FInterlinear = 4;
    bool FMultiLineRows = false;
    bool FInLinkLayout = false, FInDataSetChange = false;
    int FUpdateLock = 0, FLayoutLock = 0, FLayoutCount = 0;
    int FSavedActiveRecord = -1;
    int FSelectedIndicatorRow = -1;
    TScrollInfo FLastVertScroll{};
    bool FVertBarDisabled = false;
    TScrollBarVisibleModeGx FLastVisibleMode = sbAutoShowGx;
    // selection
    std::unique_ptr<TBookmarkListGx> FBookmarks;
    std::unique_ptr<TDBGridGxSelection> FSelection;
};

// The grid placed on forms: publishes the properties of TCustomDBGridGx.
class TDBGridGx : public TCustomDBGridGx {
    ORV_META(TDBGridGx, TCustomDBGridGx)
    using TCustomDBGridGx::TCustomDBGridGx;
};
