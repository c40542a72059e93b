// The data grid's selection: one kind at a time (whole records, a rectangle of cells, whole
// columns or everything), the stores that hold it, and the grid ranges that must be repainted
// when it changes. The gestures that build a selection check first whether its kind is allowed;
// the operations here do not.
#pragma once

#include "grid/DBGridGxImpExp.h"
#include "grid/GridsGx.h"
#include "grid/ToolCtrlsGxData.h"

#include <array>
#include <vector>

class TCustomDBGridGx;
class TColumnGx;
class TDBGridGxSelection;

// A grid range in grid cells; -1 on every side means nothing.
using TGridRect = GridCellRange;
constexpr TGridRect NoGridRect{-1, -1, -1, -1};

// One data cell: an index into the grid's Columns (-1 for none) and the record's bookmark.
struct TDBCell {
    int Col = -1;
    TBookmark Row;
};

// The grid's marked records, kept in data set order.
class TBookmarkListGx : public TBMListGx {
public:
    explicit TBookmarkListGx(TCustomDBGridGx* Grid);
    ~TBookmarkListGx() override;
    String ClassName() const override { return "TBookmarkListGx"; }
    TCustomDBGridGx* Grid() const { return FGrid; }

    bool CurrentRowSelected() { return CurrentRowMarked(); }
    void SetCurrentRowSelected(bool Value) { SetCurrentRowMarked(Value); }
    void SetCurrentRowMarked(bool Value) override;
    // Empties the list and tells the grid's listeners, also when it was empty.
    void Clear();
    TGridRect ToGridRect();

protected:
    TDataSet* ListDataSet() const override;
    void MarksChanged() override;
    void ListCleared() override;

private:
    TCustomDBGridGx* FGrid;
};

// Whole columns, ordered by their index in the grid's Columns.
class TDBGridGxSelectionCols {
public:
    explicit TDBGridGxSelectionCols(TCustomDBGridGx* Grid) : FGrid(Grid) {}
    int Count() const { return static_cast<int>(FItems.size()); }
    TColumnGx* Items(int I) const { return FItems.at(static_cast<size_t>(I)); }
    bool Contains(const TColumnGx* Column) const;
    TColumnGx* AnchorColumn() const { return FAnchorColumn; }
    TColumnGx* ShiftColumn() const { return FShiftColumn; }
    const std::vector<TColumnGx*>& ShiftAdded() const { return FShiftAdded; }

    void InsertInOrder(TColumnGx* Column);
    void SelectColumn(TColumnGx* Column, bool AddSel);
    // Ctrl gesture: adds or removes one column and makes it the anchor.
    void ToggleColumn(TColumnGx* Column);
    // Shift gesture: walks from the last reached column to Column, selecting (or, when the anchor
    // was toggled off, deselecting) what it passes and undoing what a walk back returns over.
    void ExtendTo(TColumnGx* Column);
    // Drops columns that are no longer the grid's and sorts the rest by index.
    void Revalidate();
    void Clear();
    TGridRect ToGridRect() const;

private:
    TDBGridGxSelection* Selection() const;
    void Remove(TColumnGx* Column);
    void RepaintColumn(TColumnGx* Column);
    static void Erase(std::vector<TColumnGx*>& List, TColumnGx* Column);
    TCustomDBGridGx* FGrid;
    std::vector<TColumnGx*> FItems;
    std::vector<TColumnGx*> FShiftAdded;
    TColumnGx* FAnchorColumn = nullptr;
    TColumnGx* FShiftColumn = nullptr;
};

// A rectangle of data cells between two corners.
class TDBGridGxSelectionRect {
public:
    explicit TDBGridGxSelectionRect(TCustomDBGridGx* Grid) : FGrid(Grid) {}
    const TDBCell& AnchorCell() const { return FAnchorCell; }
    const TDBCell& EndCell() const { return FEndCell; }

    bool HasActiveData() const;
    TBookmark GetTopmostRow() const;
    TBookmark GetBottomRow() const;
    int GetLeftmostCol() const;
    int GetRightmostCol() const;
    bool CellSelected(int DataCol, const TBookmark& Bookmark) const;
    void Reset();
    void SelectCell(int DataCol, const TBookmark& Bookmark, bool Extend);
    TRect ScreenBox(int Col1, const TBookmark& Row1, int Col2, const TBookmark& Row2) const;
    TGridRect ToGridRect() const;

private:
    int Compare(const TBookmark& A, const TBookmark& B) const;
    void CheckActiveData(const char* Message) const;
    int BufferIndexOfBookmark(const TBookmark& Bookmark) const;
    TCustomDBGridGx* FGrid;
    TDBCell FAnchorCell;
    TDBCell FEndCell;
};

// The four rectangles that cover what changes between box R1 and box R2: left, top, right and
// bottom strips outside their intersection; an empty strip is all zero.
std::array<TRect, 4> ChangedStrips(const TRect& R1, const TRect& R2);

class TDBGridGxSelection : public TObject {
public:
    explicit TDBGridGxSelection(TCustomDBGridGx* Grid);
    ~TDBGridGxSelection() override;
    String ClassName() const override { return "TDBGridGxSelection"; }

    TCustomDBGridGx* Grid() const { return FGrid; }
    TDBGridGxSelectionCols* Columns() const { return FColumns.get(); }
    TDBGridGxSelectionRect* Rect() const { return FRect.get(); }
    TBookmarkListGx* Rows() const;
    TDBGridGxSelectionType SelectionType() const { return FSelectionType; }

    bool CellSelected(int DataCol, const TBookmark& Bookmark) const;
    void ClearSelection();
    void SelectAll();
    void SetSelectionType(TDBGridGxSelectionType T);
    void DropEmptySelection();
    TGridRect ToGridRect() const;
    virtual void NotifyChanged();
    void SetLinkActive(bool Active);

private:
    TCustomDBGridGx* FGrid;
    std::unique_ptr<TDBGridGxSelectionCols> FColumns;
    std::unique_ptr<TDBGridGxSelectionRect> FRect;
    TDBGridGxSelectionType FSelectionType = gstNon;
};
