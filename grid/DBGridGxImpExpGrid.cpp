#include "grid/DBGridGxImpExpGrid.h"

#include "grid/DBGridGx.h"

TDBGridGxImpExpGrid::TDBGridGxImpExpGrid(TCustomDBGridGx* Grid) : FGrid(Grid) {}

TDBGridGxImpExpGrid::~TDBGridGxImpExpGrid() = default;

TColumnGx* TDBGridGxImpExpGrid::ColumnAt(int Col) const {
    return FGrid->Columns()->ColumnAt(Col);
}

TDataSet* TDBGridGxImpExpGrid::DataSet() const {
    TDataSource* source = FGrid->DataSource();
    return source ? source->DataSet() : nullptr;
}

TDBGridGxSelectionType TDBGridGxImpExpGrid::SelectionKind() const {
    return FGrid->Selection()->SelectionType();
}

TBMListGx* TDBGridGxImpExpGrid::MarkedRows() const {
    return FGrid->Selection()->Rows();
}

int TDBGridGxImpExpGrid::RectLeftCol() const {
    return FGrid->Selection()->Rect()->GetLeftmostCol();
}

int TDBGridGxImpExpGrid::RectRightCol() const {
    return FGrid->Selection()->Rect()->GetRightmostCol();
}

TBookmark TDBGridGxImpExpGrid::RectTopRow() const {
    return FGrid->Selection()->Rect()->GetTopmostRow();
}

TBookmark TDBGridGxImpExpGrid::RectBottomRow() const {
    return FGrid->Selection()->Rect()->GetBottomRow();
}

std::vector<int> TDBGridGxImpExpGrid::SelectedColumns() const {
    std::vector<int> columns;
    TDBGridGxSelectionCols* selected = FGrid->Selection()->Columns();
    for (int i = 0; i < selected->Count(); ++i)
        columns.push_back(selected->Items(i)->Index());
    return columns;
}

void TDBGridGxImpExpGrid::ClearSelection() {
    FGrid->Selection()->ClearSelection();
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
    const TColumnFooterGx* footer = ColumnAt(Col)->FooterForRow(Row);
    return footer ? footer->ValueType() : fvtNon;
}

String TDBGridGxImpExpGrid::FooterFieldName(int Col, int Row) const {
    const TColumnFooterGx* footer = ColumnAt(Col)->FooterForRow(Row);
    return footer ? footer->FieldName() : String();
}

String TDBGridGxImpExpGrid::FooterDisplayFormat(int Col, int Row) const {
    const TColumnFooterGx* footer = ColumnAt(Col)->FooterForRow(Row);
    return footer ? footer->DisplayFormat() : String();
}

void TDBGridGxImpExpGrid::FooterCellParams(int Col, int Row, TCellParamsGx& Params) {
    TColumnGx* column = ColumnAt(Col);
    TColumnFooterGx* footer = column->FooterForRow(Row);
    Params.Font.Assign(*footer->Font());
    Params.Background = footer->Color();
    Params.Alignment = footer->Alignment();
    // Sums and counts come preset with the exporter's totals; the other kinds show the grid's text.
    if (footer->ValueType() == fvtStaticText || footer->ValueType() == fvtFieldValue)
        Params.Text = FGrid->FooterValueText(Row, column);
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
