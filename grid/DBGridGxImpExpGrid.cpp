#include "grid/DBGridGxImpExpGrid.h"

#include "grid/DBGridGx.h"

// The marked rows of the grid's data set, in data-set order.
class TDBGridGxImpExpGrid::TMarks : public TBMListGx {
public:
    explicit TMarks(TCustomDBGridGx* Grid) : FGrid(Grid) {}
    ~TMarks() override { ReleaseMarks(); }

protected:
    TDataSet* ListDataSet() const override { return FGrid->DataLink()->DataSet(); }

private:
    TCustomDBGridGx* FGrid;
};

TDBGridGxImpExpGrid::TDBGridGxImpExpGrid(TCustomDBGridGx* Grid)
    : FGrid(Grid), FMarks(std::make_unique<TMarks>(Grid)) {}

TDBGridGxImpExpGrid::~TDBGridGxImpExpGrid() = default;

TColumnGx* TDBGridGxImpExpGrid::ColumnAt(int Col) const {
    return FGrid->Columns()->ColumnAt(Col);
}

TDataSet* TDBGridGxImpExpGrid::DataSet() const {
    TDataSource* source = FGrid->DataSource();
    return source ? source->DataSet() : nullptr;
}

void TDBGridGxImpExpGrid::SelectRectangle(int LeftCol, int RightCol, const TBookmark& TopRow,
                                          const TBookmark& BottomRow) {
    FKind = gstRectangle;
    FLeftCol = std::min(LeftCol, RightCol);
    FRightCol = std::max(LeftCol, RightCol);
    FTopRow = TopRow;
    FBottomRow = BottomRow;
}

void TDBGridGxImpExpGrid::SelectColumns(const std::vector<int>& Columns) {
    FSelectedColumns = Columns;
    FKind = Columns.empty() ? gstNon : gstColumns;
}

void TDBGridGxImpExpGrid::MarkCurrentRow(bool Marked) {
    if (FKind != gstRecordBookmarks) {
        FMarks->RemoveAllMarks();
        FKind = gstNon;
    }
    const bool linked = DataSet() && DataSet()->Active();
    if (FMarks->Linked() != linked) FMarks->SetLinked(linked); // relinking empties the list
    FMarks->SetCurrentRowMarked(Marked);
    FKind = FMarks->BookmarkCount() > 0 ? gstRecordBookmarks : gstNon;
}

TBMListGx* TDBGridGxImpExpGrid::MarkedRows() const {
    return FMarks.get();
}

void TDBGridGxImpExpGrid::ClearSelection() {
    FKind = gstNon;
    FMarks->RemoveAllMarks();
    FSelectedColumns.clear();
    FTopRow.clear();
    FBottomRow.clear();
}

int TDBGridGxImpExpGrid::ColumnCount() const {
    return FGrid->Columns()->Count();
}

bool TDBGridGxImpExpGrid::ColumnVisible(int Col) const {
    return ColumnAt(Col)->Visible();
}

TField* TDBGridGxImpExpGrid::ColumnField(int Col) const {
    return ColumnAt(Col)->Field();
}

int TDBGridGxImpExpGrid::ColumnWidth(int Col) const {
    return ColumnAt(Col)->Width();
}

void TDBGridGxImpExpGrid::TitleParams(int Col, TCellParamsGx& Params) const {
    TColumnTitleGx* title = ColumnAt(Col)->Title();
    Params.Text = title->Caption();
    Params.Font.Assign(*FGrid->TitleFont());
    Params.Background = title->Color();
    Params.Alignment = title->Alignment();
}

void TDBGridGxImpExpGrid::DataCellParams(int Col, TCellParamsGx& Params) {
    TColumnGx* column = ColumnAt(Col);
    TColCellParamsGx cell;
    column->InitCellParams(&cell);
    // The column's event works on a copy of the font, so what it changes stays with this cell.
    Params.Font.Assign(*column->Font());
    cell.Font = &Params.Font;
    column->GetColCellParams(false, &cell);
    Params.Text = cell.Text;
    Params.Background = cell.Background;
    Params.Alignment = cell.Alignment;
}

bool TDBGridGxImpExpGrid::CanModifyCell(int Col) const {
    return ColumnAt(Col)->CanModify(false);
}

int TDBGridGxImpExpGrid::CellKind(int Col) const {
    return ColumnAt(Col)->GetCellKind();
}

const TStrings* TDBGridGxImpExpGrid::PickList(int Col) const {
    return ColumnAt(Col)->PickList();
}

const TStrings* TDBGridGxImpExpGrid::KeyList(int Col) const {
    return ColumnAt(Col)->KeyList();
}

int TDBGridGxImpExpGrid::FocusedColumnIndex() const {
    TColumnsGxList& shown = FGrid->VisibleColumns();
    const int i = FGrid->FocusedColumnIndex();
    if (i >= 0 && i < shown.Count() && shown.ColumnAt(i)) return shown.ColumnAt(i)->Index();
    // No focused data column: the first visible column.
    for (int c = 0; c < ColumnCount(); ++c)
        if (ColumnVisible(c)) return c;
    return 0;
}

void TDBGridGxImpExpGrid::FocusColumnAt(int Col) {
    const int i = FGrid->VisibleColumns().IndexOf(ColumnAt(Col));
    if (i >= 0) FGrid->SetFocusCol(i + FGrid->IndicatorOffset());
}

int TDBGridGxImpExpGrid::FooterRowCount() const {
    return FGrid->FooterRowCount();
}

TFooterValueTypeGx TDBGridGxImpExpGrid::FooterValueType(int Col, int Row) const {
    (void)Col, (void)Row;
    return fvtNon;
}

String TDBGridGxImpExpGrid::FooterFieldName(int Col, int Row) const {
    (void)Col, (void)Row;
    return String();
}

void TDBGridGxImpExpGrid::FooterCellParams(int Col, int Row, TCellParamsGx& Params) {
    (void)Row;
    Params.Font.Assign(*FGrid->FooterFont());
    Params.Background = FGrid->FooterColor();
    Params.Alignment = ColumnAt(Col)->Alignment();
}

bool TDBGridGxImpExpGrid::ShowTitles() const {
    return FGrid->Options() & dgTitles;
}

bool TDBGridGxImpExpGrid::ConfirmDelete() const {
    return FGrid->Options() & dgConfirmDelete;
}

bool TDBGridGxImpExpGrid::AllowAppend() const {
    return FGrid->AllowedOperations & alopAppendGx;
}

bool TDBGridGxImpExpGrid::Flat() const {
    return FGrid->Flat();
}

int TDBGridGxImpExpGrid::PixelsPerInch() const {
    return FGrid->Font()->PixelsPerInch();
}

void TDBGridGxImpExpGrid::SaveRowPosition() {
    TDataSet* ds = DataSet();
    FSavedRow = ds && ds->Active() && !ds->IsEmpty() ? ds->GetBookmark() : TBookmark();
}

void TDBGridGxImpExpGrid::RestoreRowPosition() {
    TDataSet* ds = DataSet();
    if (!ds || !ds->Active() || FSavedRow.empty() || ds->State() == dsInsert) return;
    if (ds->BookmarkValid(FSavedRow)) ds->GotoBookmark(FSavedRow);
}
