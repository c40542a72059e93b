// The data grid as the source of the exporters, importers and clipboard actions: walks the grid's
// columns (with their fields, titles, cell texts and the column's own cell-parameter event), its
// footer rows, the rows of its data set and the grid's own selection.
//
// Footer rows take the grid's footer font and colour; their value types come from FooterValueType
// and FooterFieldName, which describe no totals until the columns carry footers.
#pragma once

#include "grid/DBGridGxImpExp.h"

class TCustomDBGridGx;
class TColumnGx;

class TDBGridGxImpExpGrid : public TDBGridGxImpExpSource {
public:
    explicit TDBGridGxImpExpGrid(TCustomDBGridGx* Grid);
    ~TDBGridGxImpExpGrid() override;

    TCustomDBGridGx* Grid() const { return FGrid; }
    TColumnGx* ColumnAt(int Col) const;

    // ---- TDBGridGxImpExpSource ----------------------------------------------------------------
    TDataSet* DataSet() const override;
    TDBGridGxSelectionType SelectionKind() const override;
    TBMListGx* MarkedRows() const override;
    int RectLeftCol() const override;
    int RectRightCol() const override;
    TBookmark RectTopRow() const override;
    TBookmark RectBottomRow() const override;
    std::vector<int> SelectedColumns() const override;
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
    String FooterDisplayFormat(int Col, int Row) const override;
    void FooterCellParams(int Col, int Row, TCellParamsGx& Params) override;
    bool ShowTitles() const override;
    bool ConfirmDelete() const override;
    bool AllowAppend() const override;
    bool Flat() const override;
    int PixelsPerInch() const override;
    void SaveRowPosition() override;
    void RestoreRowPosition() override;

private:
    TCustomDBGridGx* FGrid;
    TBookmark FSavedRow;
};
