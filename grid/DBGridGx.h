// The data grid: shows the records of one data source's data set as rows and a collection of
// columns as grid columns, with an indicator column, a title row and footer rows. The grid holds
// no records: its data rows are the data link's record window. Every change of columns, fonts or
// options goes through the layout lock, so any number of changes in one lock cause one layout.
#pragma once

#include "db/DataSource.h"
#include "grid/DBCtrlsGxInplace.h"
#include "grid/DBGridGxColumns.h"
#include "grid/DBGridGxFooters.h"
#include "grid/DBGridGxIndicatorTitle.h"
#include "grid/DBGridGxSelection.h"
#include "grid/DBGridGxTitleTree.h"
#include "grid/DBSumLst.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "grid/GridsGx.h"

#include <memory>

class TCustomDBGridGx;
class TDBGridGxStyle;
class TDBGridGxCenter;
class TSTDBGridGxFilter;
class TInplaceFilterEditGx;
class IMemTableGx;
class TDBGridInplaceEdit;
struct THintInfo;

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
enum : uint8_t { geaCutGx = 1, geaCopyGx = 2, geaPasteGx = 4, geaDeleteGx = 8, geaSelectAllGx = 16 };
using TDBGridGxAllowedOperations = uint8_t;
using TDBGridGxAllowedSelections = uint8_t; // bit n = TDBGridGxSelectionType n

// Options that change the geometry: a change under this mask lays the grid out.
constexpr TDBGridOptions LayoutOptionsMask = 0x036F;

// Cell kinds of GetCellType (high part; the low byte is 1 for a data column, 0 for the indicator).
enum : int { ctFilterRowGx = 0x100, ctDataRowGx = 0x200, ctFooterRowGx = 0x400 };

// Settings of a scroll bar; the vertical one may be disabled instead of hidden.
enum TScrollBarVisibleModeGx { sbAutoShowGx, sbNeverShowGx, sbAlwaysShowGx };
ORV_ENUM(TScrollBarVisibleModeGx, sbAutoShowGx, sbNeverShowGx, sbAlwaysShowGx)
class TDBGridGxScrollBar : public TPersistent {
    ORV_META(TDBGridGxScrollBar, TPersistent)
    bool Visible = true;
    TScrollBarVisibleModeGx VisibleMode = sbAutoShowGx;

    // ---- external bar and thumb tracking ---------------------------------------------------------
    TDBGridGxScrollBar() = default;
    TDBGridGxScrollBar(TCustomDBGridGx* Grid, TScrollBarKind Kind) : FGrid(Grid), FKind(Kind) {}
    ~TDBGridGxScrollBar() override;
    TScrollBarKind Kind() const { return FKind; }
    // The view follows the thumb while it is dragged.
    bool Tracking = false;
    // A scroll bar control that replaces the grid's own bar of this kind; its scrolling reaches the
    // grid. A bar already serving another grid raises "Possible <name> already attached to the
    // other control."
    TScrollBar* ExtScrollBar() const { return FExtScrollBar; }
    void SetExtScrollBar(TScrollBar* Value);

private:
    void Detach();
    TCustomDBGridGx* FGrid = nullptr;
    TScrollBarKind FKind = sbHorizontal;
    TScrollBar* FExtScrollBar = nullptr;
};

class TVertDBGridGxScrollBar : public TDBGridGxScrollBar {
    ORV_META(TVertDBGridGxScrollBar, TDBGridGxScrollBar)
    explicit TVertDBGridGxScrollBar(TCustomDBGridGx* Grid = nullptr) : TDBGridGxScrollBar(Grid, sbVertical) {}
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

class TCustomDBGridGx : public TCustomGridGx, public IInplaceEditHolderGx {
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
    // Rows between the titles and the data: the filter row when it shows (the lookup grid adds
    // its special row).
    virtual int FilterRowCount() const;
    bool FilterRowShown() const;
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
    bool SelectionAllowedNow(TDBGridGxSelectionType Kind) const;
    bool EditorAlwaysShown() const { return (FOptions & dgAlwaysShowEditor) != 0 && !FilterEditorActive(); }
    void ShowCellEditor() { OpenEditor(); }
    // Reloads the in-place editor from the grid (placed and filled again on the next update); an
    // open drop-down list stays open.
    void InvalidateEditor();
    virtual void InvalidateSelectionAndRow();
    // With dghClearSelection: drops the marked records and the current selection.
    void ClearSelectionIfAllowed();
    // The record where a keyboard extension of the record selection began.
    bool SelectionAnchorSet = false;
    TBookmark SelectionAnchor;
    TNotifyEvent OnSelectionChanged;
    friend class TDBGridGxSelectionRect;

    // ---- cell edit values -----------------------------------------------------------------------
    // The answers to the base grid's editing questions, translating between the editor's text and
    // the fields (pick lists, key lists, lookup fields, memo fields, the special row).
    bool EditAcceptsKey(char16_t Key);
    bool EditModifyAllowed();
    bool EditorShowAllowed();
    int EditTextLimit();
    String EditTextMask(int ACol);
    String EditTextOf(int ACol, int ARow);
    void StoreEditText(int ACol, int ARow, const String& Text);
    // Writes the kept edit text to the field of the current cell (the data link asks for it).
    void WriteEditedValue();
    bool ColumnEditable(int DataCol);
    static bool FieldCanModify(TField* Field);
    bool LookupKeyInList(TColumnGx* Column);
    void MarkModified() { FDataLink->Modified = true; }
    const String& EditText() const { return FEditText; }
    void SetEditText(const String& Value) { FEditText = Value; }
    const Variant& EditKeyValue() const { return FEditKeyValue; }
    void SetEditKeyValue(const Variant& Value) { FEditKeyValue = Value; }
    // The in-place editor's read-only state and whether the cell's parameter events set it.
    bool EditorReadOnly = false;
    bool EditorReadOnlyByParams = false;
    bool IncSearchActive() const { return FIncSearchActive; }
    const String& IncSearchText() const { return FIncSearchText; }

    // ---- in-place editor ------------------------------------------------------------------------
    // The grid's editor once it exists, nullptr before.
    TDBGridInplaceEdit* InplaceEditor() const;
    // The editor gained or lost the focus: the focus look repaints when it changed.
    void EditorFocusChanged();
    // The main button of an ellipsis or drop-down editor was clicked.
    TNotifyEvent OnEditButtonClick;

    // ---- messages: scrolling, focus, cancel mode ---------------------------------------------------
    void Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Feeds an attached external horizontal bar on its fixed 0..127 scale.
    virtual void UpdateHorzExtScrollBar();
    // Ends mouse tracking and the auto-scroll timer.
    virtual void CancelMode();
    // The hint of the point: a title's own hint, else a tool tip with the text of a cell whose
    // text does not fit (or whose right-aligned text the grid's edge cuts).
    void CellHint(THintInfo& Info);
    friend class TDBGridGxScrollBar;

    // ---- keyboard, incremental search and mouse -------------------------------------------------
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DblClick() override;
    // Each wheel step down moves one record forward, each step up one back.
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    // The UTF-8 text of the character being handled.
    const String& KeyPressText() const { return FKeyPressText; }
    // Makes a grid column current; Direction skips hidden columns that way; ExtendRect extends a
    // rectangle selection to the new cell.
    void MoveToColumn(int RawCol, int Direction, bool ExtendRect);
    void SetCurrentColumn(int RawCol);
    // Direction 0 searches upwards, 1 downwards, 2 from the first record; PauseMs -1 runs no pause.
    void IncrementalSearch(const String& Text, int PauseMs, int Direction);
    void StopIncrementalSearch();
    void StartIncSearchTimer();
    void StopIncSearchTimer();
    TTimer* IncSearchTimer() const { return FIncSearchTimer.get(); }
    TTimer* AutoScrollTimer() const { return FAutoScrollTimer.get(); }
    void CopyFromPriorRecord();
    void OptimizeColumnWidth(TColumnGx* Column);
    void OptimizeColumnsWidth(const std::vector<TColumnGx*>& Columns);
    // Title-button clicks: the column's marker steps (others cleared without Ctrl).
    void StepSortMarking(TColumnGx* Column, bool Ctrl);
    void SortMarkingChanged();
    bool CtrlSortPending() const { return FCtrlSortPending; }
    int TrackingState() const { return FTrackingState; }
    std::function<void(TColumnGx* Column)> OnTitleClick;
    std::function<void(TColumnGx* Column)> OnCellClick;
    std::function<void(TObject* Sender, int ACol, TColumnGx* Column)> OnTitleBtnClick;
    std::function<void(TObject* Sender, int ACol, TColumnGx* Column, bool& Enabled)> OnCheckButton;
    TNotifyEvent OnSortMarkingChanged;
    TNotifyEvent OnColEnter;
    TNotifyEvent OnColExit;

    // ---- mouse tracking, cursors, auto-scroll, clipboard keys, menus and user sizing ---------------
    // The grid's own mouse-tracking states (TrackingState).
    enum : int {
        gtsNone = 0,
        gtsRowSelecting = 1,
        gtsColSelecting = 2,
        gtsRectSelecting = 3,
        gtsIndicatorTitleDown = 5,
        gtsRecordMoving = 7
    };
    TDBGridGxIndicatorTitle* IndicatorTitle() const { return FIndicatorTitle.get(); }
    // The cursor over a point: the column-select and row-select cursors where a press selects,
    // the sizing cursor over a title edge, else the base grid's.
    TCursor CursorAt(int X, int Y) override;
    // The column whose right edge the point lies on within the title rows, -1 when none.
    int TitleEdgeZoneColumn(int X, int Y);
    // The pixels and the grid cells of the data cells.
    TRect DataCellsRect() const;
    GridCellRange DataCellsBox() const;
    // The pause before the hint of a point: 0 over cells whose tool tips are on, else the
    // application's.
    int HintPauseAt(const TPoint& P);
    // One step of selecting beyond the data cells (also timer 1): scrolls and extends towards the
    // pointer's last position, and sets the timer's next interval.
    void AutoScrollStep();
    void StartAutoScrollTimer(int Interval);
    void StopAutoScrollTimer();
    // The interval the auto-scroll timer runs at, -1 when stopped.
    int AutoScrollInterval() const { return FAutoScrollInterval; }
    // A title button held down (its raw column, -1 when none); TitleHot tells whether it paints pressed.
    int PressedTitleCol() const { return FPressedTitleCol; }
    bool DragArmed() const { return FDragArmed; }
    // Whether the grid runs a clipboard or select-all key (Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+A, Ctrl+Delete,
    // Ctrl+Insert, Shift+Insert, Shift+Delete); true when the key was one of them.
    bool ClipboardKey(Word Key, TShiftState Shift);
    // Opens the find dialog (Ctrl+F): through the centre, else through the find-dialog hook.
    void OpenFindDialog(const String& Text, const String& FieldName, bool Modal);
    // The indicator-title menu: the event's when assigned, else the centre's.
    virtual TPopupMenu* BuildIndicatorTitleMenu();
    // A press on the indicator title (Point relative to the cell): the event's, else the centre's.
    virtual void IndicatorTitleMouseDown(TMouseButton Button, TShiftState Shift, TPoint Point);
    // The grid's own handling of that press: the menu, or selecting everything.
    void DefaultIndicatorTitleMouseDown(TMouseButton Button, TShiftState Shift, TPoint Point);
    std::function<void(TCustomDBGridGx* Grid, TPopupMenu*& PopupMenu)> OnBuildIndicatorTitleMenu;
    std::function<void(TObject* Sender, TGridCoord Cell, TMouseButton Button, TShiftState Shift,
                       TPoint Point)>
        OnIndicatorTitleMouseDown;
    // The user sized columns; the user moved a column (data indexes).
    TNotifyEvent OnColWidthsChanged;
    std::function<void(TObject* Sender, int FromIndex, int ToIndex)> OnColumnMoved;

    // ---- availability of the edit actions -------------------------------------------------------
    bool CanCopySelection() const;
    bool CanCutSelection() const;
    bool CanPasteIntoGrid() const;
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

    // ---- find ----------------------------------------------------------------------------------
    // Finds text in the grid's cells under a busy cursor: through the data set class's registered
    // features when it has some, else with SearchGridText (grid/DBGridGxFindDlgs.h).
    virtual bool CenterLocateText(const String& FieldName, const String& Text, int Options, int Direction,
                                  int MatchType, int TreeRange);

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
    // ---- footers ------------------------------------------------------------------------------
    // Copies the items of another sum list; every column's footers then register again.
    void SetSumList(const TDBSumListProducer* Value);
    // The text of one footer cell; a field the data set lacks gives an empty text.
    virtual String FooterValueText(int FooterRow, TColumnGx* Column);
    // Invalidates the footer rows, from the last upwards.
    void RepaintFooterRows();
    std::function<void(TDBSumListProducer* SumList)> OnSumListRecalcAll, OnSumListAfterRecalcAll;

    // ---- cell painting -------------------------------------------------------------------------
    bool CellIs3D(int ACol, int ARow, TGridDrawState State) const;
    // Whether the grid's selection holds the cell (the indicator column: the record; title,
    // filter and footer rows: the column). The one place painting asks about the selection.
    bool CellSelected(int ACol, int ARow, const TBookmark& Bookmark, int DataCol) const;
    // Colours of a selected fixed, filter-row or footer cell; answers whether it is highlighted.
    virtual bool GetFixedCellColors(int ACol, int ARow, TFont* AFont, TColor& Background, bool Selected,
                                    TGridDrawState State, int CellType, int DataRow, int DataCol);
    // Colours of a data cell of the drawn record; answers whether it is highlighted.
    virtual bool GetDataCellColors(int ACol, int ARow, int DataCol, int DataRow, TFont* AFont, TColor& Background,
                                   TGridDrawState State, bool InSelection);
    // The highlight decision shared by the built-in and the style's data-cell colours: a cell of
    // the selection, or a selected (or current-row) cell shown while focused or always.
    bool DataCellHighlighted(int ACol, int ARow, TGridDrawState& State, bool InSelection, bool& FocusHighlight) const;
    // Draws one data cell the standard way with the canvas's font and brush (for OnDrawColumnCell).
    void DrawColumnCellStandard(const TRect& Rect, int DataCol, TColumnGx* Column, TGridDrawState State);
    // The grid row of the current record's indicator image, -1 before it was drawn.
    int SelectedIndicatorRow() const { return FSelectedIndicatorRow; }
    std::function<void(TObject* Sender, const TRect& Rect, int DataCol, TColumnGx* Column, TGridDrawState State)>
        OnDrawColumnCell;
    // Painting events: a data cell's font and background before its colours are decided; a
    // footer cell's font, background, alignment and text; drawing over a footer cell; drawing
    // over a data cell while the columns are the default ones.
    std::function<void(TObject* Sender, TColumnGx* Column, TFont* AFont, TColor& Background, TGridDrawState State)>
        OnGetCellParams;
    std::function<void(TObject* Sender, int DataCol, int Row, TColumnGx* Column, TFont* AFont, TColor& Background,
                       TAlignment& Alignment, TGridDrawState State, String& Text)>
        OnGetFooterParams;
    std::function<void(TObject* Sender, int DataCol, TGridDrawState State, const TRect& Rect, TColumnGx* Column,
                       int FooterRow)>
        OnDrawFooterCell;
    std::function<void(TObject* Sender, const TRect& Rect, TField* Field, TGridDrawState State)> OnDrawDataCell;

    // ---- title tree (multi-level titles) ---------------------------------------------------------
    THeadTreeNode* TitleRoot() const { return FTitleRoot.get(); }
    // The leaf of a column by its collection index (nullptr before the first multi-title layout).
    THeadTreeNode* TitleLeaf(int ColumnIndex) const;
    // Rebuilds the tree from the column captions; answers nothing, measuring is separate.
    void BuildTitleTree();
    // The height of everything below Node; sets the heights of Node and its children.
    int MeasureTitleTree(THeadTreeNode* Node);
    // The leaf's own caption area in a title cell rectangle R.
    static TRect LeafCaptionRect(const TRect& R, const THeadTreeNode* Leaf);
    // The cell of Ancestor above a leaf whose caption area is LeafArea.
    TRect AncestorCellRect(const TRect& LeafArea, const THeadTreeNode* Leaf, const THeadTreeNode* Ancestor) const;

    // Mirrors the grid's canvas horizontally (on) or maps it plainly (off).
    void MapCanvasRightToLeft(bool On);
    // The rectangle in unmirrored device coordinates of the grid's canvas.
    TRect UnmirroredRect(const TRect& R);

    // ---- remaining painting: title-button hot state, themed fixed cells, cell edges, filter-row
    // cells, the incremental-search mark and the flat border; columns stored with their footers --
    // The pressed title button is hot while the point is over its caption; a change repaints the
    // title row.
    void UpdateTitleHot(int X, int Y);
    // Ends a title-button press: no title is pressed or hot any more.
    void EndTitleTracking();
    bool TitleHot() const { return FTitleHot; }
    // Fixed cells take the visual theme: not flat, themes on, dghFixed3D and both kinds of lines.
    bool FixedCellsThemed() const;
    // The background of a fixed cell: the themed toolbar button (pressed when hot or highlighted)
    // or a plain fill with the brush.
    // Clip defaults to the whole cell being painted.
    void FillFixedCellBackground(const TRect& Rect, bool HotOrHighlighted, const TRect* Clip = nullptr);
    // The 3D frame of a cell: sunken or raised inner edge; top and bottom always, the left and right
    // sides when wanted. A flat grid overdraws bottom and right in the brush colour.
    void DrawCellEdge(const TRect& Rect, bool Sunken, bool LeftSide, bool RightSide);
    // Draws a fixed cell that is neither title nor indicator: filter-row cells and the rest.
    virtual void DrawFixedCell(int ACol, int ARow, bool& Highlighted, TGridDrawState State, const TRect& Rect,
                               int CellType, int DataRow, int DataCol);
    // The search text over the matching beginning of the current cell's text, black on yellow.
    void PaintIncSearchMark(TColumnGx* Column, const TRect& Rect, int DX, int DY, const String& CellText,
                            TAlignment Alignment, bool WordWrap);
    // Shows or hides the one-pixel edge RimEdge asks for around the grid's window.
    virtual void PaintFlatBorder();
    // The edge drawn around the window (BDR_ flags), 0 for none: sunken for a flat single-bordered grid.
    virtual unsigned RimEdge() const;
    void FlatChanged() override;
    void BorderStyleChanged() override;
    // Stores user-defined columns, with their footers, as "Columns".
    void DefineProperties(TFiler& Filer) override;

    // ---- images in titles and cells; the title buttons' paint parameters -----------------------
    // The images of the titles: a title whose ImageIndex is set shows that image instead of its
    // caption. Setting the list lays the grid out; a change of the list repaints it; a freed list
    // is let go.
    TCustomImageList* TitleImages() const { return FTitleImages; }
    void SetTitleImages(TCustomImageList* Value);
    // A title of a column with a field is about to be painted: it may change the sort marker and the
    // background, and (asked a second time, with the title font set) the font. Hot: the title button
    // is held down under the pointer.
    std::function<void(TObject* Sender, TColumnGx* Column, bool Hot, TSortMarkerGx& SortMarker,
                       TColor& Background, TFont* AFont)>
        OnGetBtnParams;

    // ---- filter row: its settings, the editor over its cells, moving between them, applying ----
    TSTDBGridGxFilter* STFilter() const { return FSTFilter.get(); }
    void SetSTFilter(const TSTDBGridGxFilter* Value);
    TInplaceFilterEditGx* FilterEditor() const { return FFilterEditor; }
    // The column (index in Columns) whose filter cell is edited, -1 when none.
    int FilterColumn() const { return FFilterColumn; }
    // The filter row holds the keyboard.
    bool FilterActive() const { return FFilterActive; }
    // The filter row holds the keyboard and no selection exists: the filter editor may show.
    virtual bool FilterEditorActive() const;
    virtual TInplaceFilterEditGx* CreateFilterEditor();
    void ShowFilterEditor(int DataCol);
    void PlaceFilterEditor(bool FirstPlacing);
    void HideFilterEditor();
    void EndFilterEditing();
    virtual void FillFilterEditor(int DataCol);
    // The drop-down's items: the special entries, then the column's values.
    void FillFilterDropDown();
    virtual void StoreFilterText(int DataCol);
    // Stores the editor's text and filters: OnApplyFilter, else the centre.
    void ApplyFilter();
    virtual void CenterApplyFilter();
    void ClearAllFilters();
    bool ColumnHasVisibleFilter(int DataCol) const;
    String FilterExpressionText(int DataCol) const;
    // A column's filter text was set: the editor shows it again when it is on that column.
    void FilterTextChanged(TColumnGx* Column);
    // The code of drop-down item Index: 1 "(Empty)" .. 7 "(Order by descending)", 0 a value.
    int FilterEntryCode(int Index) const;
    TNotifyEvent OnApplyFilter;
    // The filter editor's holder.
    bool HolderAllowsEdit(TWinControl* Control) override;
    void LastMouseDown(TPoint& Pos, Cardinal& Time) override;
    void PreviewMessage(TWinControl* Control, TControlMessage& Message) override;
    void EditorKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void EditorKeyPress(TObject* Sender, char16_t& Key) override;
    void EditorKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;

    // ---- record moving, tree nodes and row mode (a data set offering IMemTableGx) ----------------
    // The data set's interface while the link is active, else none.
    IMemTableGx* MemTable() const { return FMemTable; }
    // Takes the interface from the data set again; a change lays the grid out.
    void RefreshMemTable();
    bool RecordMoving() const;
    // Starts dragging the record of an indicator cell (with CheckOnly only tells whether a press
    // there would).
    virtual bool CanStartRecordMoving(int X, int Y, TShiftState Shift, bool CheckOnly);
    virtual bool RecordMoveAllowed(int SourceRow, int TargetRow, TPoint Point);
    // The drop target follows the pointer (or the timer, which scrolls).
    virtual void TrackRecordMove(int Y, int Row, TPoint Point, bool FromTimer);
    // Ends dragging; Perform moves the records to the target.
    virtual void EndRecordDrag(int X, int Y, bool Perform);
    void DrawRecordMoveMark(int X, int Right);
    void HideRecordMoveMark();
    virtual bool MoveSelectedRecords(int TargetDataRow, int Level, bool CheckOnly);
    virtual bool MoveRecordsTo(TStrings* BookmarkList, int ToRecNo, int Level, bool CheckOnly);
    virtual bool DefaultMoveRecords(TStrings* BookmarkList, int ToRecNo, int Level, bool CheckOnly);
    // The drop level over a grid row in tree view (-1 without one) and the x where its line starts.
    virtual int TreeRowHit(int Row, TPoint Point, int& Level);
    int RecNoOfDataRow(int DataRow);
    // The tree part of the row the fields read: its node level x 18 pixels, 0 outside tree view.
    int TreeIndentWidth();
    // A press on a tree button of the first visible column flips its node (CheckOnly: only tells).
    virtual bool TreeButtonClick(int X, int Y, bool CheckOnly);
    // Paints the tree part of a first-column cell of the row the fields read.
    virtual void DrawTreeCell(const TRect& Rect, TColor Background, int ARow);
    // Toggles (0), expands (1) or collapses (-1) the current node.
    void StepCurrentNode(int Mode);
    int RecordMoveSourceRow() const { return FMoveSourceRow; }
    int RecordMoveTargetRow() const { return FMoveTargetRow; }
    int RecordMoveTargetLevel() const { return FMoveTargetLevel; }
    bool MoveLineShown() const { return FMoveLineShown; }
    TPoint MoveLineStart() const { return TPoint(FMoveLineX, FMoveLineY); }
    TTimer* RecordMoveTimer() const { return FRecordMoveTimer.get(); }
    std::function<bool(TObject* Sender, TStrings* BookmarkList, int ToRecNo, int TreeLevel, bool CheckOnly)>
        OnMoveRecords;

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
    void PaintOverCells() override;
    void TopLeftWasChanged() override;
    void Resize() override;
    TRect RowRect(int Row) const;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // in-place editor: the grid's editor class; columns let go of a freed list source
    TInplaceEdit* CreateCellEditor() override;
    void ForgetListSource(TComponent* AComponent);
    // A left press on a data cell shows the editor when the cell is current or the press lies in
    // the cell's edit-button zone; a press in the zone goes on to the editor's button. True then.
    bool PressEditButton(TGridCoord Cell, int X, int Y, bool WasCurrent);
    // The rest of a press that went on to an editor button: moves and the release follow it.
    bool ForwardEditButtonMouse(Cardinal Msg, TShiftState Shift, int X, int Y);
    // The edit buttons of a column with AlwaysShowEditButton, painted beside the text area of a
    // data cell (Cell: the whole cell).
    void PaintCellEditButtons(TColumnGx* Column, const TRect& TextArea, const TRect& Cell, TColor ButtonColor);
    TControl* FEditButtonPress = nullptr;
    // mouse tracking, menus and user sizing
    using TCustomGridGx::AutoScrollStep;
    TSizingHit HitTestSizing(int X, int Y, const GridLayout& Layout) const override;
    bool AutoDragOnPress(TShiftState Shift) override;
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    void ColWidthsWereChanged() override;
    void RowHeightsWereChanged() override;
    void ColumnWasMoved(int FromIndex, int ToIndex) override;
    // editing hooks of the base grid
    bool EditorAcceptsKey(char16_t Key) override { return EditAcceptsKey(Key); }
    bool EditorCanModify() override { return EditModifyAllowed(); }
    bool CanShowEditor() const override;
    int GetEditorMaxLength() override { return EditTextLimit(); }
    String GetCellEditMask(int Col, int Row) override {
        (void)Row;
        return EditTextMask(Col);
    }
    String GetCellEditText(int Col, int Row) override { return EditTextOf(Col, Row); }
    void SetCellEditText(int Col, int Row, const String& Text) override { StoreEditText(Col, Row, Text); }
    // ---- lookup grid -------------------------------------------------------------------------------
    // Puts other column and column-default classes in place of the grid's own (a descendant's
    // constructor, before any column exists).
    void ReplaceColumns(std::unique_ptr<TDBGridColumnsGx> Columns, std::unique_ptr<TColumnDefValuesGx> DefValues);

private:
    // What fitting a column needs: its title, its cell in the current record, its footers.
    int OptimizedTitleWidth(TColumnGx* Column);
    int OptimizedCellWidth(TColumnGx* Column);
    int OptimizedFooterWidth(TColumnGx* Column);
    // The room a title's sort marker takes at its right end, with the sort number beside it
    // when several columns are marked; 0 without a marker.
    int SortMarkerRoom(TColumnGx* Column);
    // The width Text takes in Font; with Wrap it is broken into lines no wider than MaxWidth.
    TSize MeasureTextBlock(TFont* Font, const String& Text, bool Wrap, int MaxWidth);
    void InstallSumListEvents();
    void PaintIndicatorCell(int ACol, int ARow, TRect R, TGridDrawState State, int Type, int DataRow, int F,
                            bool& Highlighted);
    void PaintTitleCell(int ACol, int ARow, TRect R, TGridDrawState State, int Type, int DataCol, int F, int T,
                        bool& Highlighted);
    // Cell is the whole title cell, Caption the leaf's own caption area inside its frame.
    void PaintTitleAncestors(int ACol, const TRect& Cell, const TRect& Caption, TColumnGx* Column,
                             TGridDrawState State);
    void PaintDataCell(int ACol, int ARow, TRect R, TGridDrawState State, int DataCol, int DataRow, int F, int T,
                       bool& Highlighted);
    // Writes the row number of the data row drawn in R into the indicator of grid row ARow.
    void PaintSerialNo(int ARow, int RecNo, const TRect& R);
    // The text a data row shows in a column, through the column's cell parameters (for hiding
    // duplicates); leaves the active record at DataRow.
    String ComparedCellText(TColumnGx* Column, int DataRow, int ACol, int ARow);
    void PaintFooterCell(int ACol, int ARow, TRect R, TGridDrawState State, int Type, int DataCol, int DataRow,
                         int F, int T, bool& Highlighted);
    void SetColCountChecked(int Cols);
    void SetRowCountKeeping(int Rows);
    void ApplyGridOptions();

    std::unique_ptr<TGridDataLinkGx> FDataLink;
    std::unique_ptr<TColumnDefValuesGx> FColumnDefValues;
    std::unique_ptr<TDBGridColumnsGx> FColumns;
    std::unique_ptr<TDBGridGxSumList> FSumList;
    std::unique_ptr<TFont> FTitleFont, FFooterFont;
    std::unique_ptr<THeadTreeNode> FTitleRoot;
    std::vector<THeadTreeNode*> FTitleLeaves;
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
    // keyboard, search and mouse
    void MoveRowsExtending(int Distance, bool Extend);
    void NextRow(bool Extend);
    void PriorRow(bool Extend);
    void TabStep(bool Backward);
    void CancelPendingEdit();
    void DeleteRecordsConfirmed();
    bool SelectToggleMode = false;
    String FKeyPressText;
    char16_t FPendingSurrogate = 0;
    int FIncPause = -1;
    std::unique_ptr<TTimer> FIncSearchTimer, FAutoScrollTimer;
    bool FCtrlSortPending = false;
    int FTrackingState = 0;
    bool FInColExit = false;
    int FPressedTitleCol = -1;
    TPoint FMouseDownPos{};
    bool FRightAsLeft = false;
    TGridCoord FCheckPressCell{-1, -1};
    std::unique_ptr<TFont> FToolTipFont;
    // scrolling and focus
    bool FSkipThumbPosition = false;
    bool FFocusPainted = false;
    // editing and incremental search
    String FEditText;
    Variant FEditKeyValue;
    bool FIncSearchActive = false;
    String FIncSearchText;
    // mouse tracking, cursors, auto-scroll, menus and user sizing
    void InitInput();
    void MouseDownOnData(TMouseButton Button, TShiftState Shift, TGridCoord Cell, int X, int Y);
    void SelectRowsOnPress(TMouseButton Button, TShiftState Shift, TGridCoord Cell, int Distance);
    bool InTitleLeafPart(int ACol, int X, int Y) const;
    bool TrackTitleButton(int X, int Y);
    bool TrackDrag(TShiftState Shift, int X, int Y);
    void DragRowsBy(int Distance);
    void TraceColumnSizing(int X);
    void StopTracking();
    void AutoScrollColumns();
    void AutoScrollCells();
    std::unique_ptr<TDBGridGxIndicatorTitle> FIndicatorTitle;
    bool FTitlePressed = false;
    TPoint FLastMovePos{};
    TShiftState FLastMoveShift;
    bool FDragArmed = false, FAutoDragPending = false;
    bool FRowDragging = false, FCellDragging = false;
    TBookmark FSelectAnchorBookmark;
    bool FSelectDragValue = false;
    int FAutoScrollInterval = -1;
    bool FRowSizingPending = false;
    // The base grid's next width change comes from the user's dragging.
    bool FUserColSizing = false;
    void RescaleRightPart(TColumnGx* Column, int Width);
    // selection
    std::unique_ptr<TBookmarkListGx> FBookmarks;
    std::unique_ptr<TDBGridGxSelection> FSelection;
    // filter row
    bool FilterRowMouseDown(TMouseButton Button, int X, int Y);
    bool FilterRowKeyDown(Word& Key, TShiftState Shift);
    bool FilterRowKeyPress(char16_t& Key);
    void MoveFilterCell(int Direction, bool ToEnd);
    void FilterCloseUp(bool& Accept);
    std::unique_ptr<TSTDBGridGxFilter> FSTFilter;
    TInplaceFilterEditGx* FFilterEditor = nullptr;
    int FFilterColumn = -1;
    bool FFilterActive = false;
    bool FStoringFilterText = false;
    TPoint FFilterPressPos;
    Cardinal FFilterPressTime = 0;
    std::vector<int> FFilterEntryCodes;
    // record moving, tree nodes and row mode
    bool RecordMoveMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    bool RecordMoveMouseMove(int X, int Y);
    int DataCellsLeft() const;
    void RecordMoveTimerTick();
    TRect MoveLineRect() const;
    void PaintMoveLine();
    void AdjustRowCountByRows();
    void SyncCurrentRowByRows();
    void AdjustVertScrollBarByRows();
    void ScrollByRows(TScrollCode Code, int Pos);
    bool WheelByRows(TShiftState Shift, int WheelDelta);
    IMemTableGx* FMemTable = nullptr;
    int FMoveSourceRow = -1, FMoveTargetRow = -1;
    int FMoveSourceLevel = -1, FMoveTargetLevel = -1;
    TBookmark FMoveBookmark;
    int FMoveLineX = 0, FMoveLineY = 0, FMoveLineRight = 0;
    bool FMoveLineShown = false;
    TPoint FMoveLastPoint;
    std::unique_ptr<TTimer> FRecordMoveTimer;
    bool FInstantRead = false;
    // row mode: the view starts at a row, kept within the rows there are (the search centres its find)
    void ShowRowsFrom(int TopRow);
    // remaining painting: title hot state, the cell being painted, flat border
    bool FTitleHot = false;
    TRect FPaintedCell; // the whole rectangle of the cell being painted
    TCustomControl* FFlatBorder = nullptr; // owned by the grid as a component
    // images in titles and cells
    TCustomImageList* FTitleImages = nullptr;
    std::unique_ptr<TChangeLink> FTitleImageLink;
    // The image area at the left of a data cell whose column shows images beside the text: filled
    // in the column's colour, the image centred in it. Answers the rest of the cell.
    TRect PaintImageBesideText(TColumnGx* Column, const TRect& Rect, int ImageIndex);
    // The indicator title's button is held down with the pointer over it (the cell paints pressed).
    bool IndicatorTitlePressed(int ACol, int ARow) const;
};

// The grid placed on forms: publishes the properties of TCustomDBGridGx.
class TDBGridGx : public TCustomDBGridGx {
    ORV_META(TDBGridGx, TCustomDBGridGx)
    using TCustomDBGridGx::TCustomDBGridGx;
};
