// The base grid: a self-painting control that keeps a matrix of cells addressed by column and row,
// their widths and heights, fixed title cells, frozen columns, contra columns and rows pinned to the
// far edges (footers), the current cell, the selection anchor and the first visible scrolling cell.
// It turns them into pixel positions, scrolls, draws grid lines, sizes and moves columns and rows
// with the mouse and keeps an in-place editor. It knows nothing of data: every cell is drawn by the
// virtual PaintCell of a descendant (the data grid).
//
// The geometry is pure integer arithmetic over a client size (CalcGridLayoutFor), so it can be
// exercised without a window. The implementation is split by concern:
//   GridsGxLayout.cpp      extents, axis layouts, hit testing, cell rectangles, count changes
//   GridsGxNavigation.cpp  current cell, anchor, first visible cell, window scrolling, scroll bars
//   GridsGxPainting.cpp    painting the areas and the grid lines, line colours
//   GridsGxMouse.cpp       mouse selecting, sizing and moving, cell clicks, keys, the timer
//   GridsGxEditor.cpp      the in-place editor and its management
#pragma once

#include "gui/Controls.h"
#include "gui/ExtCtrls.h"
#include "gui/Mask.h"
#include "gui/StdCtrls.h"

#include <functional>
#include <memory>
#include <vector>

ORV_DECLARE_EXCEPTION(EInvalidGridOperationGx, Exception)

// A cell address: column X, row Y; -1 means no cell.
struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A rectangle of cells, both corners included.
struct GridCellRange {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend constexpr bool operator==(const GridCellRange&, const GridCellRange&) = default;
};

// Per-cell extents (widths, heights or tab-stop flags), one entry per cell including the contra
// cells; empty until the first individual value is set.
using TIntegerArray = std::vector<int>;

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
ORV_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
         goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs,
         goRowSelect, goAlwaysShowEditor, goThumbTracking)
using TGridOptions = TSet<TGridOption>;
ORV_SET(TGridOptions)

enum TGridDrawStateElement { gdSelected, gdFocused, gdFixed };
ORV_ENUM(TGridDrawStateElement, gdSelected, gdFocused, gdFixed)
using TGridDrawState = TSet<TGridDrawStateElement>;
ORV_SET(TGridDrawState)

enum TGridActivity { gaNormal, gaSelecting, gaRowSizing, gaColSizing, gaRowMoving, gaColMoving };

// Directions of one auto-scroll step while the mouse selects outside the visible cells.
enum TGridScrollDirection { sdLeft, sdRight, sdUp, sdDown };
using TGridScrollDirections = TSet<TGridScrollDirection>;

// The pixel layout of one axis (columns or rows) for one client extent. Positions run from 0 at the
// left (top) edge; the line of a cell is drawn after it.
struct AxisLayout {
    int LineGap = 0;         // effective line width (0 when the axis has no lines)
    int FixedEnd = 0;        // where the first scrolling cell starts
    int FrozenStart = 0;     // where the frozen cells start
    int FixedCells = 0;      // fixed cell count
    int FrozenCells = 0;     // frozen cell count (0 for rows)
    int FirstScrollCell = 0; // first visible scrolling cell
    int CellCount = 0;       // cells excluding the contra cells
    int ContraCells = 0;     // contra cells
    int TotalCells = 0;      // CellCount + ContraCells
    int ClientExtent = 0;    // the client width (height) the layout was made for
    int ContraStart = 0;     // the left (top) line of the contra strip
    int ScrollLimit = 0;     // scrolling cells end before it
    int ScrollEnd = 0;       // where the visible scrolling cells end
    int LastFullCell = 0;    // last scrolling cell that fits whole
    int FullVisibleEnd = 0;  // where it ends
    int WholeEnd = 0;        // ClientExtent with contra cells, else ScrollEnd
    const TIntegerArray* Extents = nullptr;
    int DefaultExtent = 0;
    // The extent of cell I: its entry when there is one, else the default.
    int Extent(int I) const {
        return Extents && I >= 0 && I < static_cast<int>(Extents->size()) ? (*Extents)[static_cast<size_t>(I)]
                                                                          : DefaultExtent;
    }
};

struct GridLayout {
    AxisLayout Cols;
    AxisLayout Rows;
};

class TCustomGridGx;
class TGridLineColorsGx;

// The cell click event: the cell, the button, the shift state and the position relative to the
// cell's top-left corner.
using TGridGxCellMouseEvent = std::function<void(TCustomGridGx* Grid, TGridCoord Cell, TMouseButton Button,
                                                 TShiftState Shift, int X, int Y)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// The grid's in-place editor: a single-line masked edit over the current cell.
class TInplaceEdit : public TCustomMaskEdit {
    ORV_META(TInplaceEdit, TCustomMaskEdit)
    explicit TInplaceEdit(TComponent* AOwner);
    TCustomGridGx* Grid() const { return FGrid; }
    void SetGrid(TCustomGridGx* Grid) { FGrid = Grid; }
    // The time of the grid's last left press, for the double-click test (0: none).
    Cardinal ClickTime = 0;

    // The text rectangle (2, 2) - (width - 2, height), caret scrolled into view.
    virtual void ApplyTextRect();
    // Text cleared, then mask, text and maximum length taken from the grid for the current cell.
    virtual void LoadCellContents();
    // Moves the editor onto a cell rectangle; an empty rectangle hides it.
    void MoveEditor(const TRect& R, bool Redraw);
    void HideEditor();
    // The editor's window shows on screen; focusing it when it does.
    bool IsShowing() const;
    void FocusIfVisible();
    // Caret after the last character, nothing selected.
    void CaretToEnd();

    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void PasteFromClipboard();
    void CutToClipboard();

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void Change() override;
    // Data grid editor: text put while loading is not the user's change.
    bool Loading() const { return FLoading > 0; }
    void BeginLoading() { ++FLoading; }
    void EndLoading() { --FLoading; }

private:
    void InvalidateEditorArea();
    void SendToGrid(Word& Key, TShiftState Shift);
    bool CaretAtLeftSide() const;
    bool CaretAtRightSide() const;
    // The text's length in characters (UTF-16 units, as caret positions count).
    int WideLength() const;
    TCustomGridGx* FGrid = nullptr;
    int FLoading = 0;
};

// Line colours of a grid. Every setting starts as the platform's default colour, so each query
// answers its fallback.
class TGridLineColorsGx : public TPersistent {
    ORV_META(TGridLineColorsGx, TPersistent)
    explicit TGridLineColorsGx(TCustomGridGx* Grid = nullptr);
    TCustomGridGx* Grid() const { return FGrid; }
    virtual TColor DarkColor() const;
    virtual TColor BrightColor() const;
    virtual TColor CellLineColor(int Col, int Row) const;
    virtual TColor VertLineColorAt(int Col) const;
    virtual TColor HorzLineColorAt(int Row) const;
    virtual TColor FrozenVertLineColor(int Col) const;
    virtual TColor FrozenHorzLineColor(int Row) const;
    TColor FrozenLineColor() const;
    TColor ContraVertLineColor() const;
    TColor ContraHorzLineColor() const;

    TColor DarkSetting = clDefault;
    TColor BrightSetting = clDefault;
    TColor FrozenLineSetting = clDefault;
    TColor ContraVertLineSetting = clDefault;
    TColor ContraHorzLineSetting = clDefault;

private:
    TCustomGridGx* FGrid;
};

class TCustomGridGx : public TCustomControl {
    ORV_META(TCustomGridGx, TCustomControl)
    explicit TCustomGridGx(TComponent* AOwner);
    ~TCustomGridGx() override;

    // --- counts and extents ---------------------------------------------------------------------
    int ColsCount() const { return FColsCount; }
    void SetColsCount(int Value);
    int RowsCount() const { return FRowsCount; }
    void SetRowsCount(int Value);
    int FixedColsCount() const { return FFixedColsCount; }
    void SetFixedColsCount(int Value);
    int FixedRowsCount() const { return FFixedRowsCount; }
    void SetFixedRowsCount(int Value);
    int FrozenColCount() const { return FFrozenColCount; }
    void SetFrozenColCount(int Value);
    int ContraColCount() const { return FContraColCount; }
    void SetContraColCount(int Value);
    int ContraRowCount() const { return FContraRowCount; }
    void SetContraRowCount(int Value);
    virtual void SetContraCounts(int Cols, int Rows);
    int TotalColsCount() const { return FColsCount + FContraColCount; }
    int TotalRowsCount() const { return FRowsCount + FContraRowCount; }
    void ResizeGrid(int NewColCount, int NewRowCount);

    int DefColWidth() const { return FDefColWidth; }
    void SetDefColWidth(int Value);
    int DefRowHeight() const { return FDefRowHeight; }
    void SetDefRowHeight(int Value);
    int ColWidthAt(int Index) const;
    int RowHeightAt(int Index) const;
    int ColTabStopAt(int Index) const;
    void SetColWidthAt(int Index, int Value);
    void SetRowHeightAt(int Index, int Value);
    void SetColTabStopAt(int Index, int Value);
    const TIntegerArray& ColWidths() const { return FColWidths; }
    const TIntegerArray& RowHeights() const { return FRowHeights; }
    int LineWidth() const { return FLineWidth; }
    void SetLineWidth(int Value);

    void MoveColumnTo(int FromIndex, int ToIndex);
    void MoveRowTo(int FromIndex, int ToIndex);
    virtual void RemoveColumnAt(int Index);
    virtual void RemoveRowAt(int Index);

    // --- geometry -------------------------------------------------------------------------------
    GridLayout CalcGridLayout() const;
    GridLayout CalcGridLayoutFor(int Width, int Height) const;
    TGridCoord CellAtPoint(int X, int Y) const;
    TGridCoord MouseCell(int X, int Y) const;
    TRect RangeScreenRect(const GridCellRange& Range, bool IncludeLines) const;
    TRect CellScreenRect(int Col, int Row) const;
    TRect BoxScreenRect(int Left, int Top, int Right, int Bottom) const;
    GridCellRange SelectedRange() const;
    TGridCoord MaxTopLeftFor(TGridCoord Cell, const GridLayout& Layout) const;
    int VisibleColsCount() const;
    int VisibleRowsCount() const;
    int GridPixelWidth() const;
    int GridPixelHeight() const;
    // Where cell I begins on the axis (0 when it lies outside the window).
    static int CellStartPos(const AxisLayout& Axis, int I);
    // Right-to-left reading order mirrors the columns.
    bool UseRightToLeftAlignment() const;

    // --- invalidation ---------------------------------------------------------------------------
    void InvalidateOneCell(int Col, int Row);
    void InvalidateCellRange(const GridCellRange& Range);
    void InvalidateWholeGrid();
    void InvalidateOneColumn(int Col);
    void InvalidateOneRow(int Row);
    void BeginPaintLock() { ++FPaintLockCount; }
    void EndPaintLock() {
        if (FPaintLockCount > 0) --FPaintLockCount;
    }
    bool PaintLocked() const { return FPaintLockCount > 0; }

    // --- state ----------------------------------------------------------------------------------
    TGridCoord CurrentCell() const { return FCurrentCell; }
    TGridCoord AnchorCell() const { return FAnchorCell; }
    TGridCoord TopLeftCell() const { return FTopLeftCell; }
    int ColPixelOffset() const { return FColPixelOffset; }
    TGridOptions GridOptions() const { return FGridOptions; }
    void SetGridOptions(TGridOptions Value);
    TScrollStyle ScrollBarsShown() const { return FScrollBarsShown; }
    void SetScrollBarsShown(TScrollStyle Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool CellBackgroundFill() const { return FCellBackgroundFill; }
    void SetCellBackgroundFill(bool Value) { FCellBackgroundFill = Value; }
    bool SaveExtents() const { return FSaveExtents; }
    void SetSaveExtents(bool Value) { FSaveExtents = Value; }
    // The individual widths and heights as extra stored properties, while SaveExtents is set.
    void DefineProperties(TFiler& Filer) override;
    bool FullRepaintOnResize() const { return FFullRepaintOnResize; }
    void SetFullRepaintOnResize(bool Value) { FFullRepaintOnResize = Value; }
    TGridLineColorsGx* GridLineColors() const { return FGridLineColors.get(); }
    TGridActivity GridActivity() const { return FGridActivity; }
    int SizingIndex() const { return FSizingIndex; }
    int SizingPos() const { return FSizingPos; }
    int MoveFromIndex() const { return FMoveFromIndex; }
    int MoveToIndex() const { return FMoveToIndex; }
    TGridCoord MouseDownCell() const { return FMouseDownCell; }
    TGridCoord EditorCell() const { return FEditorCell; }
    bool EditingActive() const { return FEditingActive; }
    bool EditorWritable() const { return FEditorWritable; }
    TInplaceEdit* CellEditor() const { return FCellEditor; }
    TTimer* ScrollTimer() const { return FTimer; }

    // --- navigation -----------------------------------------------------------------------------
    void MoveFocus(int Col, int Row, bool MoveAnchor, bool Show);
    void FocusCellAndClick(int Col, int Row, bool MoveAnchor);
    void SetFocusCol(int Index);
    void SetFocusRow(int Index);
    void MoveAnchorTo(TGridCoord Cell);
    void MoveTopLeftTo(int Left, int Top);
    void SetFirstVisibleCol(int Index);
    void SetFirstVisibleRow(int Index);
    void ScrollIntoView(TGridCoord Cell);
    enum TScrollAxis { saHorizontal, saVertical };
    void ApplyScrollCommand(TScrollAxis Axis, TScrollCode Code, int Pos, bool UseRightToLeft);
    void UpdateScrollBarsRange();
    void UpdateScrollBarsPos();

    // --- editor ---------------------------------------------------------------------------------
    void OpenEditor();
    void CloseEditor();
    void OpenEditorWithChar(char16_t Ch);
    void SetEditingActive(bool Value);
    void RefreshEditor();
    void SyncEditor();
    void HideEditorWindow();
    void PostEditorText();
    bool IsOverSizingLine(int X, int Y);
    // The grid is the active control of its form (without a form: the focus is in the grid).
    bool IsActiveControl() const;

    // Mouse activity entry points (also reached through the mouse events).
    void CancelGridActivity();
    // One tick of timer 1 (auto-scroll while selecting, tracking while moving).
    void TimerTick();

    TGridGxCellMouseEvent OnCellMouseClick;

    // Key handling of the grid (the editor forwards keys here).
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoEnter() override;
    void DoExit() override;
    void Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

    // Right-to-left reading order of the grid.
    void SetRightToLeft(bool Value);

protected:
    friend class TInplaceEdit;
    friend class TGridLineColorsGx;

    // Virtual operations of the base grid.
    virtual TInplaceEdit* CreateCellEditor();
    struct TSizingHit {
        TGridActivity Activity = gaNormal;
        int Index = -1;
        int Pos = 0;
        int Offset = 0;
    };
    virtual TSizingHit HitTestSizing(int X, int Y, const GridLayout& Layout) const;
    // ---- the cursor over a point, and column sizing that a descendant tracks itself --------------
    // The cursor the pointer shows at a client point while nothing is being sized or moved: the
    // sizing cursor over a line, else the default.
    virtual TCursor CursorAt(int X, int Y);
    // Enters the sizing state of a hit without drawing the sizing line; the descendant moves the
    // sizing position and sizes the column as the pointer moves, then leaves the state.
    void EnterTrackedSizing(const TSizingHit& Hit);
    void MoveTrackedSizing(int Pos) { FSizingPos = Pos; }
    int SizingOffset() const { return FSizingOffset; }
    // The width (height) the sized cell would get at the sizing position now.
    int TrackedSizingExtent() const { return NewSizingExtent(CalcGridLayout()); }
    void LeaveTrackedSizing() { FGridActivity = gaNormal; }
    virtual void CellMouseClick(TGridCoord Cell, TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual bool CanShowEditor() const;
    virtual bool CanRaiseCellClick(int X, int Y) const;
    virtual void FlatChanged() {}
    virtual void BorderStyleChanged() {}
    virtual void PaintCell(int Col, int Row, const TRect& Rect, TGridDrawState State) = 0;
    virtual bool CanSelectCell(int Col, int Row) {
        (void)Col;
        (void)Row;
        return true;
    }
    virtual void UpdateFlatStyle() {}
    virtual std::unique_ptr<TGridLineColorsGx> CreateGridLineColors();
    virtual void DefaultCellMouseClick(TGridCoord Cell, TMouseButton Button, TShiftState Shift, int X,
                                       int Y) {
        (void)Cell, (void)Button, (void)Shift, (void)X, (void)Y;
    }

    // Overridable hooks.
    virtual void ShiftAxisCells(int Index, int Delta, bool Rows);
    virtual bool EditorAcceptsKey(char16_t Key) {
        (void)Key;
        return true;
    }
    virtual bool GridAcceptsKey(Word Key, TShiftState Shift) {
        (void)Key, (void)Shift;
        return true;
    }
    virtual bool EditorCanModify() { return FEditorWritable; }
    virtual String GetCellEditText(int Col, int Row) {
        (void)Col, (void)Row;
        return String();
    }
    virtual void SetCellEditText(int Col, int Row, const String& Text) { (void)Col, (void)Row, (void)Text; }
    virtual int GetEditorMaxLength() { return 0; }
    virtual String GetCellEditMask(int Col, int Row) {
        (void)Col, (void)Row;
        return String();
    }
    virtual void ColumnWasMoved(int FromIndex, int ToIndex) { (void)FromIndex, (void)ToIndex; }
    virtual void RowWasMoved(int FromIndex, int ToIndex) { (void)FromIndex, (void)ToIndex; }
    virtual void GridSizeChanged(int OldColCount, int OldRowCount) { (void)OldColCount, (void)OldRowCount; }
    virtual void TopLeftWasChanged();
    virtual void AutoScrollStep(TGridScrollDirections Directions);
    virtual void ColWidthsWereChanged();
    virtual void RowHeightsWereChanged();
    virtual bool StartColumnDrag(int& Origin, int& Destination, TPoint MousePt) {
        (void)Origin, (void)Destination, (void)MousePt;
        return true;
    }
    virtual bool StartRowDrag(int& Origin, int& Destination, TPoint MousePt) {
        (void)Origin, (void)Destination, (void)MousePt;
        return true;
    }
    virtual bool CheckColumnDragTarget(int& Origin, int& Destination, TPoint MousePt) {
        (void)Origin, (void)Destination, (void)MousePt;
        return true;
    }
    virtual bool CheckRowDragTarget(int& Origin, int& Destination, TPoint MousePt) {
        (void)Origin, (void)Destination, (void)MousePt;
        return true;
    }
    virtual bool FinishColumnDrag(int& Origin, int& Destination, TPoint MousePt) {
        (void)Origin, (void)Destination, (void)MousePt;
        return true;
    }
    virtual bool FinishRowDrag(int& Origin, int& Destination, TPoint MousePt) {
        (void)Origin, (void)Destination, (void)MousePt;
        return true;
    }

    // Draws over the painted cells (marks that follow the mouse), after the sizing line.
    virtual void PaintOverCells() {}

    // The grid's own character handling (OnKeyPress); the editor hands its characters here first.
    virtual void GridKeyPress(char16_t& Key);

    // ---- drop-down grids ---------------------------------------------------------------------------
    // Whether a mouse press focuses the grid first; a drop-down grid leaves the focus where it is.
    virtual bool PressTakesFocus() const { return true; }

    // The platform's input and painting.
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Resize() override;
    void FontChanged() override;

    // Marks a client rectangle of the grid for repainting (every invalidation goes through here).
    virtual void InvalidateGridRect(const TRect& R);

    // Painting.
    void PaintWholeGrid();
    void PolylineMirrored(const TPoint* Points, int Count);
    void PolyLinesMirrored(const TPoint* Points, const int* Strokes, int PointCount);
    void SetGridOrientation(bool RightToLeft);

private:
    struct TDrawLinesInfo;
    // Layout and counts.
    AxisLayout CalcAxis(int Extent, bool Rows) const;
    void ResetTopLeftAndFocus();
    void ResizeGridSteps(int OldCols, int OldRows, const TGridCoord& OldTopLeft);
    static void ResizeExtents(TIntegerArray& A, int NewCount, int Default);
    static void ShiftExtentsKeepingContra(TIntegerArray& A, int Index, int Amount, int Default, int Contra);
    static void MoveExtentEntry(TIntegerArray& A, int FromIndex, int ToIndex);
    bool SetExtentEntry(TIntegerArray& A, int Index, int Total, int Default, int Value);
    void CheckExtentIndex(int Index, int Total) const;
    // Navigation.
    void TopLeftMovedFrom(TGridCoord Old);
    void ScrollContent(int Dx, int Dy, const GridLayout& L);
    void RepaintSelectionDifference(const GridCellRange& OldSel);
    int ScrollStep(const AxisLayout& A, int Current, TScrollCode Code, int Pos, int M, int Factor,
                   int PageUp) const;
    void SyncEditorNow();
    // Painting.
    void DrawGridLines(const GridLayout& L, bool HorzOn, bool VertOn, int StartCol, int StartRow,
                       const TRect& Bounds, TColor OnColor, TColor OffColor, TDrawLinesInfo& Info);
    void DrawLineSet(const AxisLayout& Axis, const TRect& Bounds, int StartCell, int Major, int LastCell,
                     bool UseOn, TColor OnColor, TColor OffColor, TDrawLinesInfo& Info);
    void DrawSegment(int X1, int Y1, int X2, int Y2, TColor Color);
    void SetLinePen(TColor Color);
    void DrawCellBlock(const GridLayout& L, int StartCol, int StartRow, int StartX, int StartY, int StopX,
                       int StopY, TGridDrawState Included, bool Contra);
    void PaintContraAreas(const GridLayout& L);
    void FillArea(const TRect& R, TColor Color);
    bool CellAreaVisible(const TRect& R);
    // Mouse.
    int SearchSizingLine(const AxisLayout& A, int P, bool Columns, int& Index, int& LinePos) const;
    int NewSizingExtent(const GridLayout& L) const;
    void TrackMoveTarget(int P, int C, bool Columns, TPoint MousePt);
    // The sizing line or move marker: shown or taken away (its area repainted), and drawn by Paint.
    void ShowOverlay(bool Show);
    TRect OverlayRect() const;
    void DrawOverlay();

    int FColsCount = 5;
    int FRowsCount = 5;
    int FFixedColsCount = 1;
    int FFixedRowsCount = 1;
    int FFrozenColCount = 0;
    int FContraColCount = 0;
    int FContraRowCount = 0;
    int FColPixelOffset = 0;
    int FDefColWidth = 64;
    int FDefRowHeight = 24;
    int FLineWidth = 1;
    TIntegerArray FColWidths;
    TIntegerArray FRowHeights;
    TIntegerArray FColTabStops;
    TGridCoord FAnchorCell{1, 1};
    TGridCoord FCurrentCell{1, 1};
    TGridCoord FTopLeftCell{1, 1};
    TGridCoord FEditorCell{-1, -1};
    TGridCoord FMouseDownCell{-1, -1};
    TBorderStyle FBorderStyle = bsSingle;
    bool FEditorWritable = true;
    bool FCellBackgroundFill = true;
    bool FEditingActive = false;
    bool FFlat = false;
    bool FSaveExtents = true;
    bool FFullRepaintOnResize = false;
    bool FRightToLeft = false;
    bool FInScrollRange = false;
    bool FFocusFromEditor = false;
    bool FSyncingEditor = false;
    bool FScrollRangePending = false;
    TColor FFixedColor = clBtnFace;
    std::unique_ptr<TGridLineColorsGx> FGridLineColors;
    TInplaceEdit* FCellEditor = nullptr;
    TTimer* FTimer = nullptr;
    TGridOptions FGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TScrollStyle FScrollBarsShown = ssBoth;
    TGridActivity FGridActivity = gaNormal;
    int FSizingIndex = -1;
    int FSizingPos = 0;
    int FSizingOffset = 0;
    int FMoveFromIndex = 0;
    int FMoveToIndex = 0;
    int FPaintLockCount = 0;
    // The sizing line or move marker shown over the cells (painted after them).
    bool FOverlayShown = false;
    bool FInPaint = false;
    bool FMirrored = false;
    TRect FPaintArea;
};
