// The data grid as the source of the exporters, importers and clipboard actions: walks the grid's
// columns (with their fields, titles, cell texts and the column's own cell-parameter event), its
// footer rows, the rows of its data set and the current selection.
//
// The grid keeps no selection of its own yet, so the adapter holds it: the grid's keys and mouse
// set it through SelectAll, SelectRectangle, SelectColumns and MarkedRows, and the actions read it
// back. Footer rows take the grid's footer font and colour; their value types come from
// FooterValueType and FooterFieldName, which describe no totals until the columns carry footers.
#pragma once

#include "grid/DBGridGxImpExp.h"

#include <memory>

class TCustomDBGridGx;
class TColumnGx;

class TDBGridGxImpExpGrid : public TDBGridGxImpExpSource {
public:
    explicit TDBGridGxImpExpGrid(TCustomDBGridGx* Grid);
    ~TDBGridGxImpExpGrid() override;

    TCustomDBGridGx* Grid() const { return FGrid; }
    TColumnGx* ColumnAt(int Col) const;

    // ---- the selection the actions work on ----------------------------------------------------
    void SelectAll() { FKind = gstAll; }
    // Columns are indexes into the grid's Columns; the rows are bookmarks of the data set.
    void SelectRectangle(int LeftCol, int RightCol, const TBookmark& TopRow, const TBookmark& BottomRow);
    void SelectColumns(const std::vector<int>& Columns);
    // Marks or unmarks the current record; the selection holds marked rows while any is marked.
    void MarkCurrentRow(bool Marked);

    // ---- TDBGridGxImpExpSource ----------------------------------------------------------------
    TDataSet* DataSet() const override;
    TDBGridGxSelectionType SelectionKind() const override { return FKind; }
    TBMListGx* MarkedRows() const override;
    int RectLeftCol() const override { return FLeftCol; }
    int RectRightCol() const override { return FRightCol; }
    TBookmark RectTopRow() const override { return FTopRow; }
    TBookmark RectBottomRow() const override { return FBottomRow; }
    std::vector<int> SelectedColumns() const override { return FSelectedColumns; }
    void ClearSelection() override;
    int ColumnCount() const override;
    bool ColumnVisible(int Col) const override;
    TField* ColumnField(int Col) const override;
    int ColumnWidth(int Col) const override;
    void TitleParams(int Col, TCellParamsGx& Params) const override;
    void DataCellParams(int Col, TCellParamsGx& Params) override;
    bool CanModifyCell(int Col) const override;
    int CellKind(int Col) const override;
    const TStrings* PickList(int Col) const override;
    const TStrings* KeyList(int Col) const override;
    int FocusedColumnIndex() const override;
    void FocusColumnAt(int Col) override;
    int FooterRowCount() const override;
    TFooterValueTypeGx FooterValueType(int Col, int Row) const override;
    String FooterFieldName(int Col, int Row) const override;
    void FooterCellParams(int Col, int Row, TCellParamsGx& Params) override;
    bool ShowTitles() const override;
    bool ConfirmDelete() const override;
    bool AllowAppend() const override;
    bool Flat() const override;
    int PixelsPerInch() const override;
    void SaveRowPosition() override;
    void RestoreRowPosition() override;

private:
    class TMarks;
    TCustomDBGridGx* FGrid;
    std::unique_ptr<TMarks> FMarks;
    TDBGridGxSelectionType FKind = gstNon;
    int FLeftCol = 0, FRightCol = 0;
    TBookmark FTopRow, FBottomRow, FSavedRow;
    std::vector<int> FSelectedColumns;
};
