// The base grid and the mouse: selecting, sizing columns and rows by dragging their lines, moving
// rows and columns by dragging their fixed cells, the cell click, the cursor over a line, the
// auto-scroll timer; and the keys and characters the base grid handles itself.
#include "grid/GridsGx.h"

#include "gui/ControlPaint.h"
#include "gui/CursorPos.h"
#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "gui/SystemMetrics.h"

#include <algorithm>

// ---- sizing hit test ----------------------------------------------------------------------------

int TCustomGridGx::SearchSizingLine(const AxisLayout& A, int P, bool Columns, int& Index,
                                    int& LinePos) const {
    if (Columns && UseRightToLeftAlignment()) P = ClientWidth() - P;
    int range = A.LineGap, back = 0;
    if (A.LineGap < 7) {
        range = 7;
        back = (7 - A.LineGap) / 2;
    }
    auto hit = [&](int line) { return line - back <= P && P <= line - back + range; };
    // The lines after the cells First .. Last, walking from Line.
    auto search = [&](int line, int first, int last, int limit) {
        for (int i = first; i <= last; ++i) {
            line += A.Extent(i);
            if (line > limit) break;
            if (hit(line)) {
                Index = i;
                LinePos = line;
                return true;
            }
            line += A.LineGap;
        }
        return false;
    };
    if (search(A.FrozenStart, A.FixedCells - A.FrozenCells, A.FixedCells - 1, A.ScrollEnd)) return P;
    if (search(A.FixedEnd, A.FirstScrollCell, A.CellCount - 1, A.ScrollEnd)) return P;
    // The grid's end.
    if (A.ScrollEnd == A.ScrollLimit && A.ScrollLimit - back <= P && P <= A.ScrollLimit) {
        Index = A.FullVisibleEnd == A.FixedEnd ? A.LastFullCell : A.LastFullCell + 1;
        LinePos = A.ScrollLimit;
        return P;
    }
    if (A.ContraCells > 0) {
        if (A.ContraStart <= P && P <= A.ContraStart + back) {
            Index = A.CellCount;
            LinePos = A.ContraStart;
            return P;
        }
        if (search(A.ContraStart + A.LineGap, A.CellCount, A.TotalCells - 2, A.WholeEnd)) {
            ++Index; // contra cells are sized at their left edge
            return P;
        }
    }
    Index = -1;
    return P;
}

TCustomGridGx::TSizingHit TCustomGridGx::HitTestSizing(int X, int Y, const GridLayout& Layout) const {
    TSizingHit h;
    if (!FGridOptions.Contains(goColSizing) && !FGridOptions.Contains(goRowSizing)) return h;
    const bool rtl = UseRightToLeftAlignment();
    const bool rightOfTitles =
        rtl ? X < ClientWidth() - Layout.Cols.FrozenStart : X > Layout.Cols.FrozenStart;
    const bool inTitleCols = rtl ? X > ClientWidth() - Layout.Cols.FrozenStart : X < Layout.Cols.FrozenStart;
    int index = -1, linePos = 0, p = 0;
    if (rightOfTitles && FGridOptions.Contains(goColSizing)) {
        if (Y < Layout.Rows.FrozenStart) {
            p = SearchSizingLine(Layout.Cols, X, true, index, linePos);
            if (index >= 0) h.Activity = gaColSizing;
        }
    } else if (Y > Layout.Rows.FrozenStart && FGridOptions.Contains(goRowSizing) && inTitleCols) {
        p = SearchSizingLine(Layout.Rows, Y, false, index, linePos);
        if (index >= 0) h.Activity = gaRowSizing;
    }
    if (h.Activity != gaNormal) {
        h.Index = index;
        h.Pos = linePos;
        h.Offset = linePos - p;
    }
    return h;
}

bool TCustomGridGx::IsOverSizingLine(int X, int Y) {
    if (FGridActivity != gaNormal) return true;
    return HitTestSizing(X, Y, CalcGridLayout()).Activity != gaNormal;
}

int TCustomGridGx::NewSizingExtent(const GridLayout& L) const {
    const bool cols = FGridActivity == gaColSizing;
    const AxisLayout& a = cols ? L.Cols : L.Rows;
    const int i = FSizingIndex;
    if (i >= a.CellCount) {
        int end = a.ContraStart - a.LineGap;
        for (int k = a.CellCount; k <= i; ++k)
            end += a.Extent(k) + a.LineGap;
        return end - FSizingPos;
    }
    int start;
    if (i < a.FixedCells) {
        start = a.FrozenStart;
        for (int k = a.FixedCells - a.FrozenCells; k < i; ++k)
            start += a.Extent(k) + a.LineGap;
    } else {
        start = a.FixedEnd;
        for (int k = a.FirstScrollCell; k < i; ++k)
            start += a.Extent(k) + a.LineGap;
    }
    return FSizingPos - start;
}

// ---- the sizing line and the move marker ---------------------------------------------------------

TRect TCustomGridGx::OverlayRect() const {
    const GridLayout l = CalcGridLayout();
    const bool rtl = UseRightToLeftAlignment();
    switch (FGridActivity) {
    case gaColSizing:
        return Rect(FSizingPos - 1, 0, FSizingPos + 2, l.Rows.WholeEnd);
    case gaRowSizing:
        return rtl ? Rect(ClientWidth() - l.Cols.WholeEnd, FSizingPos - 1, ClientWidth(), FSizingPos + 2)
                   : Rect(0, FSizingPos - 1, l.Cols.WholeEnd, FSizingPos + 2);
    case gaColMoving: {
        const TRect c = CellScreenRect(FMoveToIndex, 0);
        const bool right = (FMoveToIndex > FMoveFromIndex) != rtl;
        const int x = right ? c.Right : c.Left;
        return Rect(x - 4, 0, x + 4, ClientHeight());
    }
    case gaRowMoving: {
        const TRect c = CellScreenRect(0, FMoveToIndex);
        const int y = FMoveToIndex > FMoveFromIndex ? c.Bottom : c.Top;
        return Rect(0, y - 4, ClientWidth(), y + 4);
    }
    default:
        return TRect();
    }
}

void TCustomGridGx::ShowOverlay(bool Show) {
    if (Show == FOverlayShown) return;
    InvalidateGridRect(OverlayRect());
    FOverlayShown = Show;
}

void TCustomGridGx::DrawOverlay() {
    TCanvas* cv = Canvas();
    TPen saved;
    saved.Assign(*cv->Pen());
    const GridLayout l = CalcGridLayout();
    TPen* pen = cv->Pen();
    pen->SetStyle(psDot);
    pen->SetMode(pmXor);
    pen->SetColor(clWhite);
    pen->SetWidth(1);
    const TRect r = OverlayRect();
    switch (FGridActivity) {
    case gaColSizing:
        cv->MoveTo(FSizingPos, 0);
        cv->LineTo(FSizingPos, l.Rows.WholeEnd);
        break;
    case gaRowSizing:
        cv->MoveTo(r.Left, FSizingPos);
        cv->LineTo(r.Right, FSizingPos);
        break;
    case gaColMoving:
        pen->SetWidth(5);
        cv->MoveTo((r.Left + r.Right) / 2, 0);
        cv->LineTo((r.Left + r.Right) / 2, ClientHeight());
        break;
    case gaRowMoving:
        pen->SetWidth(5);
        cv->MoveTo(0, (r.Top + r.Bottom) / 2);
        cv->LineTo(ClientWidth(), (r.Top + r.Bottom) / 2);
        break;
    default:
        break;
    }
    cv->Pen()->Assign(saved);
}

// ---- mouse --------------------------------------------------------------------------------------

void TCustomGridGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    HideEditorWindow();
    TCustomForm* form = GetParentForm();
    if (PressTakesFocus() && (!form || CanFocus())) {
        if (CanFocus() && !Focused()) SetFocus();
        if (form && !IsActiveControl()) {
            ReleaseCapture();
            return;
        }
    }
    bool handled = false;
    if (Shift.Contains(ssDouble)) {
        // The double click itself was handed to DblClick.
        handled = true;
    } else if (Button == mbLeft) {
        const GridLayout l = CalcGridLayout();
        const TSizingHit hit = HitTestSizing(X, Y, l);
        if (hit.Activity != gaNormal) {
            FGridActivity = hit.Activity;
            FSizingIndex = hit.Index;
            FSizingPos = hit.Pos;
            FSizingOffset = hit.Offset;
            if (UseRightToLeftAlignment() && FGridActivity == gaColSizing)
                FSizingPos = ClientWidth() - FSizingPos;
            ShowOverlay(true);
            handled = true;
        } else {
            const TGridCoord cell = CellAtPoint(X, Y);
            const bool dataPart = cell.X >= FFixedColsCount - FFrozenColCount && cell.Y >= FFixedRowsCount &&
                                  cell.X < FColsCount && cell.Y < FRowsCount;
            if (dataPart) {
                if (FGridOptions.Contains(goEditing)) {
                    if (cell == FCurrentCell) {
                        OpenEditor();
                    } else {
                        MoveFocus(cell.X, cell.Y, true, true);
                        SyncEditor();
                    }
                } else {
                    FGridActivity = gaSelecting;
                    FTimer->SetEnabled(true);
                    if (Shift.Contains(ssShift))
                        MoveAnchorTo(cell);
                    else
                        MoveFocus(cell.X, cell.Y, true, true);
                }
            } else if (FGridOptions.Contains(goRowMoving) && cell.X >= 0 && cell.X < FFixedColsCount &&
                       cell.Y >= FFixedRowsCount && cell.Y < FRowsCount) {
                FMoveFromIndex = FMoveToIndex = cell.Y;
                if (StartRowDrag(FMoveFromIndex, FMoveToIndex, TPoint(X, Y))) {
                    FGridActivity = gaRowMoving;
                    if (Showing()) PaintPending(this);
                    ShowOverlay(true);
                    FTimer->SetEnabled(true);
                }
            } else if (FGridOptions.Contains(goColMoving) && cell.Y >= 0 && cell.Y < FFixedRowsCount &&
                       cell.X >= FFixedColsCount && cell.X < FColsCount) {
                FMoveFromIndex = FMoveToIndex = cell.X;
                if (StartColumnDrag(FMoveFromIndex, FMoveToIndex, TPoint(X, Y))) {
                    FGridActivity = gaColMoving;
                    if (Showing()) PaintPending(this);
                    ShowOverlay(true);
                    FTimer->SetEnabled(true);
                }
            }
        }
    }
    if (!handled) {
        try {
            TCustomControl::MouseDown(Button, Shift, X, Y);
        } catch (...) {
            if (FGridActivity == gaColMoving || FGridActivity == gaRowMoving) ShowOverlay(false);
        }
    }
    if (Button == mbLeft) {
        if (FCellEditor) FCellEditor->ClickTime = GetMessageTime();
        FMouseDownCell = MouseCell(X, Y);
    }
}

void TCustomGridGx::MouseMove(TShiftState Shift, int X, int Y) {
    switch (FGridActivity) {
    case gaSelecting:
    case gaRowMoving:
    case gaColMoving: {
        const GridLayout l = CalcGridLayout();
        const TGridCoord cell = CellAtPoint(X, Y);
        if (cell.X >= FFixedColsCount - FFrozenColCount &&
            cell.X <= std::min(l.Cols.LastFullCell + 1, FColsCount - 1) && cell.Y >= FFixedRowsCount &&
            cell.Y <= std::min(l.Rows.LastFullCell + 1, FRowsCount - 1)) {
            if (FGridActivity == gaSelecting) {
                if (!(cell == FAnchorCell)) MoveAnchorTo(cell);
            } else if (FGridActivity == gaRowMoving) {
                TrackMoveTarget(Y, cell.Y, false, TPoint(X, Y));
            } else {
                TrackMoveTarget(X, cell.X, true, TPoint(X, Y));
            }
        }
        break;
    }
    case gaRowSizing:
    case gaColSizing:
        ShowOverlay(false);
        FSizingPos = (FGridActivity == gaColSizing ? X : Y) + FSizingOffset;
        ShowOverlay(true);
        break;
    case gaNormal: {
        // The cursor tells whether a press would size a column or a row.
        const TGridActivity a = HitTestSizing(X, Y, CalcGridLayout()).Activity;
        SetCursor(a == gaRowSizing ? crVSplit : a == gaColSizing ? crHSplit : crDefault);
        break;
    }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

bool TCustomGridGx::CanRaiseCellClick(int X, int Y) const {
    return FGridActivity == gaNormal && X >= 0 && Y >= 0;
}

void TCustomGridGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool raiseClick = Button == mbLeft && CanRaiseCellClick(X, Y);
    try {
        switch (FGridActivity) {
        case gaSelecting:
            MouseMove(Shift, X, Y);
            FTimer->SetEnabled(false);
            SyncEditor();
            break;
        case gaColSizing:
        case gaRowSizing: {
            ShowOverlay(false);
            if (UseRightToLeftAlignment() && FGridActivity == gaColSizing)
                FSizingPos = ClientWidth() - FSizingPos;
            const int extent = NewSizingExtent(CalcGridLayout());
            if (extent > 1) {
                if (FGridActivity == gaColSizing)
                    SetColWidthAt(FSizingIndex, extent);
                else
                    SetRowHeightAt(FSizingIndex, extent);
            }
            break;
        }
        case gaColMoving:
        case gaRowMoving: {
            ShowOverlay(false);
            FTimer->SetEnabled(false);
            int from = FMoveFromIndex, to = FMoveToIndex;
            const bool cols = FGridActivity == gaColMoving;
            const bool agreed =
                cols ? FinishColumnDrag(from, to, TPoint(X, Y)) : FinishRowDrag(from, to, TPoint(X, Y));
            FGridActivity = gaNormal;
            if (agreed && from != to) {
                if (cols)
                    MoveColumnTo(from, to);
                else
                    MoveRowTo(from, to);
            }
            SyncEditor();
            break;
        }
        case gaNormal:
            SyncEditor();
            break;
        }
    } catch (...) {
        FGridActivity = gaNormal;
        throw;
    }
    FGridActivity = gaNormal;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (raiseClick) {
        const TGridCoord cell = MouseCell(X, Y);
        if (FMouseDownCell.X >= 0 && FMouseDownCell.Y >= 0 && cell == FMouseDownCell) {
            const TRect r = CellScreenRect(cell.X, cell.Y);
            CellMouseClick(cell, mbLeft, Shift, X - r.Left, Y - r.Top);
        }
    }
}

void TCustomGridGx::CellMouseClick(TGridCoord Cell, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnCellMouseClick)
        OnCellMouseClick(this, Cell, Button, Shift, X, Y);
    else
        DefaultCellMouseClick(Cell, Button, Shift, X, Y);
}

void TCustomGridGx::TrackMoveTarget(int P, int C, bool Columns, TPoint MousePt) {
    if (Columns && UseRightToLeftAlignment()) P = ClientWidth() - P;
    GridLayout l = CalcGridLayout();
    const AxisLayout* a = Columns ? &l.Cols : &l.Rows;
    if (C == FMoveToIndex) return;
    if (FMoveToIndex == a->FixedCells && P < a->FixedEnd) return;
    if (FMoveToIndex == a->CellCount - 1 && P > a->ScrollEnd) return;
    ShowOverlay(false);
    const TScrollAxis axis = Columns ? saHorizontal : saVertical;
    if (P < a->FixedEnd) {
        if (FMoveToIndex > a->FixedCells) {
            ApplyScrollCommand(axis, scLineUp, 0, false);
            if (Showing()) PaintPending(this);
            l = CalcGridLayout();
            a = Columns ? &l.Cols : &l.Rows;
        }
        C = a->FirstScrollCell;
    } else if (P >= a->FullVisibleEnd) {
        if (FMoveToIndex == a->LastFullCell && FMoveToIndex < a->CellCount - 1) {
            ApplyScrollCommand(axis, scLineDown, 0, false);
            if (Showing()) PaintPending(this);
            l = CalcGridLayout();
            a = Columns ? &l.Cols : &l.Rows;
        }
        C = a->LastFullCell;
    } else if (C < 0) {
        C = FMoveToIndex;
    }
    int origin = FMoveFromIndex;
    if (Columns ? CheckColumnDragTarget(origin, C, MousePt) : CheckRowDragTarget(origin, C, MousePt))
        FMoveToIndex = C;
    ShowOverlay(true);
}

void TCustomGridGx::TimerTick() {
    if (FGridActivity != gaSelecting && FGridActivity != gaRowMoving && FGridActivity != gaColMoving) return;
    const TPoint pt = ScreenToClient(GetCursorPos());
    const GridLayout l = CalcGridLayout();
    if (FGridActivity == gaSelecting) {
        const int x = UseRightToLeftAlignment() ? ClientWidth() - pt.X : pt.X;
        TGridScrollDirections dirs;
        if (x < l.Cols.FixedEnd) dirs << sdLeft;
        if (x > l.Cols.FullVisibleEnd) dirs << sdRight;
        if (pt.Y < l.Rows.FixedEnd) dirs << sdUp;
        if (pt.Y > l.Rows.FullVisibleEnd) dirs << sdDown;
        if (!dirs.Empty()) AutoScrollStep(dirs);
        return;
    }
    const TGridCoord cell = CellAtPoint(pt.X, pt.Y);
    if (FGridActivity == gaColMoving)
        TrackMoveTarget(pt.X, cell.X, true, pt);
    else
        TrackMoveTarget(pt.Y, cell.Y, false, pt);
}

void TCustomGridGx::AutoScrollStep(TGridScrollDirections Directions) {
    TGridCoord a = FAnchorCell;
    if (Directions.Contains(sdLeft) && a.X > FFixedColsCount) --a.X;
    if (Directions.Contains(sdRight) && a.X < FColsCount - 1) ++a.X;
    if (Directions.Contains(sdUp) && a.Y > FFixedRowsCount) --a.Y;
    if (Directions.Contains(sdDown) && a.Y < FRowsCount - 1) ++a.Y;
    if (!(a == FAnchorCell)) MoveAnchorTo(a);
}

void TCustomGridGx::CancelGridActivity() {
    switch (FGridActivity) {
    case gaSelecting:
        FTimer->SetEnabled(false);
        break;
    case gaRowSizing:
    case gaColSizing:
        ShowOverlay(false);
        break;
    case gaRowMoving:
    case gaColMoving:
        ShowOverlay(false);
        FTimer->SetEnabled(false);
        break;
    case gaNormal:
        break;
    }
    FGridActivity = gaNormal;
}

void TCustomGridGx::DblClick() {
    TCustomControl::DblClick();
}

bool TCustomGridGx::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    return TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos);
}

// ---- keys ---------------------------------------------------------------------------------------

void TCustomGridGx::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_RETURN && !FGridOptions.Contains(goAlwaysShowEditor)) {
        if (FEditingActive)
            CloseEditor();
        else
            OpenEditor();
        Key = 0;
    }
}

void TCustomGridGx::KeyPress(char16_t& Key) {
    if (FGridOptions.Contains(goEditing) && (Key == 8 || Key >= 32)) {
        OpenEditorWithChar(Key);
        Key = 0;
        return;
    }
    GridKeyPress(Key);
}

void TCustomGridGx::GridKeyPress(char16_t& Key) {
    TCustomControl::KeyPress(Key);
}

void TCustomGridGx::KeyUp(Word& Key, TShiftState Shift) {
    TCustomControl::KeyUp(Key, Shift);
}

bool TCustomGridGx::WantsKey(Word Key, TShiftState Shift) const {
    (void)Shift;
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) return true;
    if (FGridOptions.Contains(goRowSelect)) return false;
    if (Key == VK_TAB) return FGridOptions.Contains(goTabs);
    if (Key == VK_RETURN) return FGridOptions.Contains(goEditing);
    return false;
}
