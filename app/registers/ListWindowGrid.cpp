// The grid of a list window: read-only, memo texts drawn, one footer row; its designed columns;
// title sort on the client; stopped rows in red; the popup menu of the column chooser and the
// saved layout.
#include "app/registers/ListWindow.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/Colors.h"
#include "gui/Menus.h"
#include "rtl/StrUtils.h"

void TListWindow::BuildGrid() {
    DBGridGx1 = new TDBGridGx(this);
    DBGridGx1->SetName("DBGridGx1");
    DBGridGx1->SetParent(this);
    DBGridGx1->SetAlign(alClient);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->DrawMemoText = true;
    DBGridGx1->SetOptions(DBGridGx1->Options() | dgRowSelect | dgAlwaysShowSelection);
    DBGridGx1->SetFooterRowCount(1);
    DBGridGx1->SumList()->SetActive(true);
    DBGridGx1->SetDataSource(dsTable);
    DBGridGx1->OnDblClick = [this](TObject*) { ClickIfEnabled(tbEdit); };
    DBGridGx1->OnDrawColumnCell = [this](TObject*, const TRect& rect, int dataCol, TColumnGx* column,
                                         TGridDrawState state) {
        // The grid has drawn the cell; a stopped row is drawn once more in red on the button face.
        if (!RowIsStopped || !RowIsStopped()) return;
        DBGridGx1->Canvas()->Font()->SetColor(clRed);
        DBGridGx1->Canvas()->Brush()->SetColor(clBtnFace);
        DBGridGx1->DrawColumnCellStandard(rect, dataCol, column, state);
    };
}

void TListWindow::BuildColumns(const std::vector<TGridColumnSpec>& columns) {
    DBGridGx1->BeginLayout();
    for (const TGridColumnSpec& spec : columns) {
        TColumnGx* column = DBGridGx1->Columns()->AddColumn();
        column->SetFieldName(spec.Field);
        column->Title()->SetCaption(spec.Caption);
        column->Title()->SetAlignment(taCenter);
        column->SetWidth(spec.Width);
        column->Footer()->SetValueType(spec.Footer);
        if (!spec.FooterText.empty()) column->Footer()->SetValue(spec.FooterText);
    }
    DBGridGx1->EndLayout();
}

void SortByTitle(TDBGridGx* grid, TCustomADODataSet* query, TColumnGx* column, bool skipMemo,
                 bool firstClickDescending) {
    if (!query->Active() || !column) return;
    TColumnTitleGx* title = column->Title();
    const TSortMarkerGx marker = title->SortMarker() == smUpGx ? smDownGx : smUpGx;
    for (int i = 0; i < grid->Columns()->Count(); ++i)
        if (grid->Columns()->ColumnAt(i) != column) grid->Columns()->ColumnAt(i)->Title()->SetSortMarker(smNoneGx);
    title->SetSortMarker(marker);
    if (skipMemo && Pos("mem", LowerCase(column->FieldName())) > 0) return;
    const bool descending = (marker == smUpGx) == firstClickDescending;
    query->SetSort(column->FieldName() + (descending ? " DESC" : " ASC"));
}

void TListWindow::EnableTitleSort(bool skipMemo) {
    DBGridGx1->OnTitleClick = [this, skipMemo](TColumnGx* column) {
        SortByTitle(DBGridGx1, QryTable, column, skipMemo, false);
    };
}

void TListWindow::BuildPopupMenu() {
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    N1 = new TMenuItem(this);
    N1->SetName("N1");
    N1->SetCaption("显示字段列表");
    N1->OnClick = [this](TObject*) { ShowFieldList(); };
    PopupMenu1->Items()->Add(N1);
    N2 = new TMenuItem(this);
    N2->SetName("N2");
    N2->SetCaption("保存当前设置");
    N2->OnClick = [this](TObject*) { SaveGridSettings(); };
    PopupMenu1->Items()->Add(N2);
    DBGridGx1->SetPopupMenu(PopupMenu1);
}

void TListWindow::ShowFieldList() {
    dmData->ChooseGridColumns(DBGridGx1);
}

void TListWindow::SaveGridSettings() {
    if (ShowMess(MsgSaveGridQuestion, 1) == 1) dmData->SaveGridLayout(DBGridGx1, FSpec.GridKey);
}
