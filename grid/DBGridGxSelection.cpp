// The data grid's selection and its three stores.
#include "grid/DBGridGxSelection.h"

#include "grid/DBGridGx.h"
#include "grid/GxLibVCL.h"

#include <algorithm>

namespace {

// Makes each record of the data link's window active in turn and gives it to Visit (position,
// bookmark); the active record comes back afterwards, also when a step fails. Visit answers false
// to stop the walk.
template <typename F> void WalkBuffer(TCustomDBGridGx* Grid, F Visit) {
    TGridDataLinkGx* link = Grid->DataLink();
    TDataSet* ds = link->DataSet();
    int saved = link->ActiveRecord();
    try {
        for (int i = 0; i < link->RecordCount(); ++i) {
            link->SetActiveRecord(i);
            if (!Visit(i, ds->GetBookmark())) break;
        }
    } catch (...) {
        link->SetActiveRecord(saved);
        throw;
    }
    link->SetActiveRecord(saved);
}

// A grid placed on a parent has a window to repaint.
bool GridHasWindow(TCustomDBGridGx* Grid) {
    return Grid->Parent() != nullptr;
}

} // namespace

// ---- TBookmarkListGx ----------------------------------------------------------------------------

TBookmarkListGx::TBookmarkListGx(TCustomDBGridGx* Grid) : FGrid(Grid) {}

TBookmarkListGx::~TBookmarkListGx() {
    ReleaseMarks();
}

TDataSet* TBookmarkListGx::ListDataSet() const {
    TDataSource* source = FGrid->DataSource();
    return source ? source->DataSet() : nullptr;
}

void TBookmarkListGx::MarksChanged() {
    if (!FGrid->ComponentState().Contains(csDestroying)) FGrid->InvalidateWholeGrid();
}

void TBookmarkListGx::ListCleared() {
    if (FGrid->Selection() && !FGrid->ComponentState().Contains(csDestroying))
        FGrid->Selection()->DropEmptySelection();
}

void TBookmarkListGx::SetCurrentRowMarked(bool Value) {
    TBMListGx::SetCurrentRowMarked(Value);
    FGrid->InvalidateOneRow(FGrid->CurrentCell().Y);
    TDBGridGxSelection* sel = FGrid->Selection();
    if (!sel) return;
    if (sel->SelectionType() != gstRecordBookmarks && BookmarkCount() > 0) {
        sel->ClearSelection();
        sel->SetSelectionType(gstRecordBookmarks);
    }
    sel->DropEmptySelection();
    sel->NotifyChanged();
}

void TBookmarkListGx::Clear() {
    RemoveAllMarks();
    if (FGrid->Selection()) FGrid->Selection()->NotifyChanged();
}

TGridRect TBookmarkListGx::ToGridRect() {
    int first = -1, last = -1;
    if (FGrid->DataLink()->Active() && BookmarkCount() > 0)
        WalkBuffer(FGrid, [&](int i, const TBookmark& bm) {
            if (IndexOfBookmark(bm) >= 0) {
                if (first < 0) first = i;
                last = i;
            }
            return true;
        });
    if (first < 0) return NoGridRect;
    return TGridRect{0, FGrid->TitleOffset() + first, FGrid->ColsCount() - 1, FGrid->TitleOffset() + last};
}

// ---- TDBGridGxSelectionCols ---------------------------------------------------------------------

TDBGridGxSelection* TDBGridGxSelectionCols::Selection() const {
    return FGrid->Selection();
}

bool TDBGridGxSelectionCols::Contains(const TColumnGx* Column) const {
    return std::find(FItems.begin(), FItems.end(), Column) != FItems.end();
}

void TDBGridGxSelectionCols::Erase(std::vector<TColumnGx*>& List, TColumnGx* Column) {
    List.erase(std::remove(List.begin(), List.end(), Column), List.end());
}

void TDBGridGxSelectionCols::Remove(TColumnGx* Column) {
    Erase(FItems, Column);
}

void TDBGridGxSelectionCols::RepaintColumn(TColumnGx* Column) {
    FGrid->InvalidateOneColumn(Column->Index() + FGrid->IndicatorOffset());
}

void TDBGridGxSelectionCols::InsertInOrder(TColumnGx* Column) {
    auto at = std::find_if(FItems.begin(), FItems.end(),
                           [&](TColumnGx* c) { return c->Index() > Column->Index(); });
    FItems.insert(at, Column);
}

void TDBGridGxSelectionCols::Clear() {
    for (TColumnGx* c : FItems)
        RepaintColumn(c);
    FItems.clear();
    FAnchorColumn = nullptr;
    Selection()->NotifyChanged();
}

void TDBGridGxSelectionCols::SelectColumn(TColumnGx* Column, bool AddSel) {
    if (Selection()->SelectionType() != gstColumns) Selection()->ClearSelection();
    if (!AddSel) Clear();
    if (!Contains(Column)) InsertInOrder(Column);
    FAnchorColumn = FShiftColumn = Column;
    Selection()->SetSelectionType(gstColumns);
    FShiftAdded.clear();
}

void TDBGridGxSelectionCols::ToggleColumn(TColumnGx* Column) {
    if (Selection()->SelectionType() != gstColumns) Selection()->ClearSelection();
    if (Contains(Column))
        Remove(Column);
    else
        InsertInOrder(Column);
    FAnchorColumn = FShiftColumn = Column;
    Selection()->SetSelectionType(FItems.empty() ? gstNon : gstColumns);
    FShiftAdded.clear();
}

void TDBGridGxSelectionCols::ExtendTo(TColumnGx* Column) {
    if (Selection()->SelectionType() != gstColumns) Selection()->ClearSelection();
    if (!FAnchorColumn) {
        SelectColumn(Column, true);
        FAnchorColumn = Column;
    } else {
        int A = FAnchorColumn->Index();
        int S = FShiftColumn ? FShiftColumn->Index() : A;
        int C = Column->Index();
        int from = C, to = C, step = 1, pivot = -1;
        bool extend = true;
        auto undo = [&](int end, int dir, bool pivotAtAnchor) {
            from = S, to = end, step = dir, extend = false;
            pivot = pivotAtAnchor ? A : -1;
        };
        if (A < S) {
            if (C > S)
                from = S, to = C, step = 1;
            else if (C < S)
                C < A ? undo(C, -1, true) : undo(C + 1, -1, false);
        } else if (A > S) {
            if (C < S)
                from = S, to = C, step = -1;
            else if (C > S)
                C > A ? undo(C, 1, true) : undo(C - 1, 1, false);
        } else {
            from = A, to = C, step = C < A ? -1 : 1;
        }
        bool selecting = Contains(FAnchorColumn);
        TDBGridColumnsGx* cols = FGrid->Columns();
        for (int i = from;; i += step) {
            if (i == pivot) extend = true;
            if (i >= 0 && i < cols->Count()) {
                TColumnGx* c = cols->ColumnAt(i);
                bool listed = Contains(c);
                bool changed = false;
                if (selecting == extend) {
                    // Extending a selecting walk, or undoing a deselecting one: the column comes in.
                    if (!listed && c->Visible()) {
                        InsertInOrder(c);
                        if (extend)
                            FShiftAdded.push_back(c);
                        else
                            Erase(FShiftAdded, c);
                        changed = true;
                    }
                } else if (listed && c != FAnchorColumn) {
                    Remove(c);
                    if (extend)
                        FShiftAdded.push_back(c);
                    else
                        Erase(FShiftAdded, c);
                    changed = true;
                }
                if (changed) {
                    RepaintColumn(c);
                    Selection()->NotifyChanged();
                }
            }
            if (i == to) break;
        }
    }
    FShiftColumn = Column;
    Selection()->SetSelectionType(FItems.empty() ? gstNon : gstColumns);
}

void TDBGridGxSelectionCols::Revalidate() {
    TDBGridColumnsGx* cols = FGrid->Columns();
    auto isItem = [&](TColumnGx* c) {
        for (int i = 0; i < cols->Count(); ++i)
            if (cols->ColumnAt(i) == c) return true;
        return false;
    };
    FItems.erase(std::remove_if(FItems.begin(), FItems.end(), [&](TColumnGx* c) { return !isItem(c); }),
                 FItems.end());
    FShiftAdded.erase(
        std::remove_if(FShiftAdded.begin(), FShiftAdded.end(), [&](TColumnGx* c) { return !isItem(c); }),
        FShiftAdded.end());
    // The anchor and the last reached column are kept only while they still belong to the grid.
    if (FAnchorColumn && !isItem(FAnchorColumn)) FAnchorColumn = nullptr;
    if (FShiftColumn && !isItem(FShiftColumn)) FShiftColumn = nullptr;
    std::stable_sort(FItems.begin(), FItems.end(),
                     [](TColumnGx* a, TColumnGx* b) { return a->Index() < b->Index(); });
}

TGridRect TDBGridGxSelectionCols::ToGridRect() const {
    if (FItems.empty()) return NoGridRect;
    int lo = FItems.front()->Index(), hi = lo;
    for (TColumnGx* c : FItems)
        lo = std::min(lo, c->Index()), hi = std::max(hi, c->Index());
    int off = FGrid->IndicatorOffset();
    return TGridRect{lo + off, 0, hi + off, FGrid->RowsCount()};
}

// ---- TDBGridGxSelectionRect ---------------------------------------------------------------------

bool TDBGridGxSelectionRect::HasActiveData() const {
    TDataSource* src = FGrid->DataSource();
    return src && src->DataSet() && FGrid->DataLink()->Active();
}

void TDBGridGxSelectionRect::CheckActiveData(const char* Message) const {
    if (!HasActiveData()) throw EInvalidGridOperationGx(Message);
}

int TDBGridGxSelectionRect::Compare(const TBookmark& A, const TBookmark& B) const {
    return CompareBookmarkStrings(FGrid->DataSource()->DataSet(), A, B);
}

TBookmark TDBGridGxSelectionRect::GetTopmostRow() const {
    CheckActiveData("Error in TDBGridGxSelectionRect.GetTopmostRow");
    return Compare(FAnchorCell.Row, FEndCell.Row) <= 0 ? FAnchorCell.Row : FEndCell.Row;
}

TBookmark TDBGridGxSelectionRect::GetBottomRow() const {
    CheckActiveData("Error in TDBGridGxSelectionRect.GetBottomRow");
    return Compare(FAnchorCell.Row, FEndCell.Row) < 0 ? FEndCell.Row : FAnchorCell.Row;
}

int TDBGridGxSelectionRect::GetLeftmostCol() const {
    CheckActiveData("Error in TDBGridGxSelectionRect.GetLeftmostCol");
    return std::min(FAnchorCell.Col, FEndCell.Col);
}

int TDBGridGxSelectionRect::GetRightmostCol() const {
    CheckActiveData("Error in TDBGridGxSelectionRect.GetRightmostCol");
    return std::max(FAnchorCell.Col, FEndCell.Col);
}

bool TDBGridGxSelectionRect::CellSelected(int DataCol, const TBookmark& Bookmark) const {
    CheckActiveData("Error in function TDBGridGxSelectionRect.CellSelected");
    return Compare(Bookmark, GetTopmostRow()) >= 0 && Compare(Bookmark, GetBottomRow()) <= 0 &&
           GetLeftmostCol() <= DataCol && DataCol <= GetRightmostCol();
}

void TDBGridGxSelectionRect::Reset() {
    FAnchorCell = TDBCell{};
    FEndCell = TDBCell{};
    FGrid->InvalidateWholeGrid();
    FGrid->Selection()->NotifyChanged();
}

void TDBGridGxSelectionRect::SelectCell(int DataCol, const TBookmark& Bookmark, bool Extend) {
    TDBGridGxSelection* sel = FGrid->Selection();
    if (sel->SelectionType() != gstRectangle) sel->ClearSelection();
    TDBCell oldAnchor = FAnchorCell, oldEnd = FEndCell;
    if (FAnchorCell.Col == -1 || !Extend) FAnchorCell = TDBCell{DataCol, Bookmark};
    FEndCell = TDBCell{DataCol, Bookmark};
    if (FAnchorCell.Col == FEndCell.Col) {
        if (FAnchorCell.Row != FEndCell.Row)
            sel->SetSelectionType(gstRectangle);
        else if (sel->SelectionType() == gstRectangle)
            sel->SetSelectionType(gstNon);
    } else {
        sel->SetSelectionType(gstRectangle);
    }
    if (!GridHasWindow(FGrid)) return;
    TRect b1 = ScreenBox(oldAnchor.Col, oldAnchor.Row, oldEnd.Col, oldEnd.Row);
    TRect b2 = ScreenBox(FAnchorCell.Col, FAnchorCell.Row, FEndCell.Col, FEndCell.Row);
    for (const TRect& strip : ChangedStrips(b1, b2))
        if (!IsRectEmpty(strip)) FGrid->InvalidateGridRect(strip);
    sel->NotifyChanged();
}

int TDBGridGxSelectionRect::BufferIndexOfBookmark(const TBookmark& Bookmark) const {
    TGridDataLinkGx* link = FGrid->DataLink();
    TDataSet* ds = link->DataSet();
    for (int i = 0; i < link->RecordCount(); ++i) {
        link->SetActiveRecord(i);
        if (Compare(ds->GetBookmark(), Bookmark) == 0) return i;
    }
    return -1;
}

TRect TDBGridGxSelectionRect::ScreenBox(int Col1, const TBookmark& Row1, int Col2,
                                        const TBookmark& Row2) const {
    if (Col1 > Col2) std::swap(Col1, Col2);
    TBookmark r1 = Row1, r2 = Row2;
    if (!r1.empty() && !r2.empty() && HasActiveData() && Compare(r1, r2) > 0) std::swap(r1, r2);
    int top = 0, bottom = 0;
    TGridDataLinkGx* link = FGrid->DataLink();
    if (link->Active() && link->RecordCount() > 0) {
        TDataSet* ds = link->DataSet();
        int saved = link->ActiveRecord();
        try {
            link->SetActiveRecord(0);
            if (Compare(r1, ds->GetBookmark()) < 0) {
                top = 0;
            } else {
                top = BufferIndexOfBookmark(r1);
                if (top == -1) top = link->RecordCount();
            }
            link->SetActiveRecord(link->RecordCount() - 1);
            if (Compare(r2, ds->GetBookmark()) <= 0)
                bottom = BufferIndexOfBookmark(r2);
            else
                bottom = std::max(0, FGrid->RowsCount() - FGrid->TitleOffset());
        } catch (...) {
            link->SetActiveRecord(saved);
            throw;
        }
        link->SetActiveRecord(saved);
    }
    int off = FGrid->TitleOffset();
    int ind = FGrid->IndicatorOffset();
    return FGrid->BoxScreenRect(Col1 + ind, top + off, Col2 + ind, bottom + off);
}

TGridRect TDBGridGxSelectionRect::ToGridRect() const {
    TGridRect r = NoGridRect;
    int left = GetLeftmostCol() + FGrid->IndicatorOffset();
    int right = GetRightmostCol() + FGrid->IndicatorOffset();
    if (!FGrid->DataLink()->Active()) return r;
    TBookmark topRow = GetTopmostRow(), bottomRow = GetBottomRow();
    int top = -1, bottom = -1;
    WalkBuffer(FGrid, [&](int i, const TBookmark& bm) {
        if (top < 0 && Compare(bm, topRow) >= 0) top = i;
        if (Compare(bm, bottomRow) <= 0) bottom = i;
        return true;
    });
    if (top >= 0 && bottom >= 0 && top <= bottom)
        r = TGridRect{left, FGrid->TitleOffset() + top, right, FGrid->TitleOffset() + bottom};
    return r;
}

// ---- ChangedStrips ------------------------------------------------------------------------------

std::array<TRect, 4> ChangedStrips(const TRect& R1, const TRect& R2) {
    std::array<TRect, 4> strips{};
    TRect I{};
    if (!IntersectRect(I, R1, R2)) {
        strips[0] = R1;
        strips[1] = R2;
        return strips;
    }
    TRect U{std::min(R1.Left, R2.Left), std::min(R1.Top, R2.Top), std::max(R1.Right, R2.Right),
            std::max(R1.Bottom, R2.Bottom)};
    auto in = [](const TRect& r, TPoint p) {
        return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
    };
    auto covered = [&](TPoint p) { return in(R1, p) || in(R2, p); };
    auto build = [&](TPoint P, TPoint Q, TPoint S) {
        TRect r{};
        if (covered(P)) {
            TPoint br = covered(S) ? S : Q;
            r = TRect{P.X, P.Y, br.X, br.Y};
        } else if (covered(Q)) {
            r = TRect{Q.X, Q.Y, S.X, S.Y};
        } else {
            return std::pair<TRect, bool>{r, false};
        }
        return std::pair<TRect, bool>{r, true};
    };
    if (auto [r, ok] = build({U.Left, U.Top}, {U.Left, I.Top}, {U.Left, I.Bottom}); ok) {
        r.Right = I.Left;
        strips[0] = r;
    }
    if (auto [r, ok] = build({I.Left, U.Top}, {I.Right, U.Top}, {U.Right, U.Top}); ok) {
        r.Bottom = I.Top;
        strips[1] = r;
    }
    if (auto [r, ok] = build({U.Right, I.Top}, {U.Right, I.Bottom}, {U.Right, U.Bottom}); ok) {
        r.Left = I.Right;
        strips[2] = r;
    }
    if (auto [r, ok] = build({U.Left, U.Bottom}, {I.Left, U.Bottom}, {I.Right, U.Bottom}); ok) {
        r.Top = I.Bottom;
        strips[3] = r;
    }
    return strips;
}

// ---- TDBGridGxSelection -------------------------------------------------------------------------

TDBGridGxSelection::TDBGridGxSelection(TCustomDBGridGx* Grid)
    : FGrid(Grid), FColumns(std::make_unique<TDBGridGxSelectionCols>(Grid)),
      FRect(std::make_unique<TDBGridGxSelectionRect>(Grid)) {}

TDBGridGxSelection::~TDBGridGxSelection() = default;

TBookmarkListGx* TDBGridGxSelection::Rows() const {
    return FGrid->SelectedRows();
}

bool TDBGridGxSelection::CellSelected(int DataCol, const TBookmark& Bookmark) const {
    switch (FSelectionType) {
    case gstRecordBookmarks:
        return Rows()->IndexOfBookmark(Bookmark) >= 0;
    case gstRectangle:
        return DataCol >= 0 && FRect->CellSelected(DataCol, Bookmark);
    case gstColumns:
        return DataCol >= 0 && DataCol < FGrid->Columns()->Count() &&
               FColumns->Contains(FGrid->Columns()->ColumnAt(DataCol));
    case gstAll:
        return true;
    case gstNon:
        break;
    }
    return false;
}

void TDBGridGxSelection::ClearSelection() {
    try {
        switch (FSelectionType) {
        case gstRecordBookmarks:
            Rows()->Clear();
            break;
        case gstRectangle:
            FRect->Reset();
            break;
        case gstColumns:
            FColumns->Clear();
            break;
        case gstAll:
            FGrid->InvalidateWholeGrid();
            break;
        case gstNon:
            break;
        }
    } catch (...) {
        FSelectionType = gstNon;
        throw;
    }
    FSelectionType = gstNon;
    if (FGrid->EditorAlwaysShown() && !FGrid->ComponentState().Contains(csDestroying))
        FGrid->ShowCellEditor();
}

void TDBGridGxSelection::SelectAll() {
    if (FSelectionType == gstAll) return;
    if (FSelectionType != gstNon) ClearSelection();
    FSelectionType = gstAll;
    FGrid->InvalidateWholeGrid();
}

void TDBGridGxSelection::SetSelectionType(TDBGridGxSelectionType T) {
    if (T == FSelectionType) return;
    FSelectionType = T;
    FGrid->InvalidateEditor();
}

void TDBGridGxSelection::DropEmptySelection() {
    if ((FSelectionType == gstRecordBookmarks && Rows()->BookmarkCount() == 0) ||
        (FSelectionType == gstColumns && FColumns->Count() == 0)) {
        FSelectionType = gstNon;
        FGrid->InvalidateWholeGrid();
    }
}

TGridRect TDBGridGxSelection::ToGridRect() const {
    switch (FSelectionType) {
    case gstRecordBookmarks:
        return Rows()->ToGridRect();
    case gstRectangle:
        return FRect->ToGridRect();
    case gstColumns:
        return FColumns->ToGridRect();
    case gstAll:
        return TGridRect{0, 0, FGrid->ColsCount(), FGrid->RowsCount()};
    case gstNon:
        break;
    }
    return NoGridRect;
}

void TDBGridGxSelection::NotifyChanged() {
    if (FGrid->OnSelectionChanged && !FGrid->ComponentState().Contains(csDestroying))
        FGrid->OnSelectionChanged(FGrid);
}

void TDBGridGxSelection::SetLinkActive(bool Active) {
    Rows()->SetLinked(Active);
    ClearSelection();
}
