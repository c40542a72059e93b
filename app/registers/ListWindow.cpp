#include "app/registers/ListWindow.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "report/vrClass.h"
#include "rtl/Format.h"

TListWindow::TListWindow(TComponent* AOwner, const TListWindowSpec& spec) : TForm(AOwner), FSpec(spec) {
    SetCaption(spec.Caption);
    SetBounds(0, 0, 900, 560);
    SetKeyPreview(true);
    QryTable = new TADOQuery(this);
    QryTable->SetName("QryTable");
    QryTable->SetConnection(dmData->ADOcnn());
    QryTable->SQL()->SetText("Select * From " + spec.Table);
    dsTable = new TDataSource(this);
    dsTable->SetName("dsTable");
    dsTable->SetDataSet(QryTable);
    vrReport1 = new TvrReport(this);
    vrReport1->SetName("vrReport1");

    ToolBar1 = new TToolBar(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->SetParent(this);
    ToolBar1->SetAlign(alTop);
    ToolBar1->SetShowCaptions(true);
    ToolBar1->SetFlat(true);
    ToolBar1->SetButtonWidth(44);
    ToolBar1->SetButtonHeight(42);
    ToolBar1->SetHeight(46);
    BuildStatusBar();
    BuildGrid();
    BuildPopupMenu();
    // A list window is freed by whoever showed it; closing only ends its modal loop.
}

TListWindow::~TListWindow() {
    DestroyComponents();
}

void TListWindow::BuildStatusBar() {
    StatusBar = new TStatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    for (int width : {150, 150, 100, 50})
        StatusBar->AddPanel()->SetWidth(width);
    StatusBar->Panels(3)->SetAlignment(taRightJustify);
}

void TListWindow::DoShow() {
    if (!FOpened) {
        FOpened = true;
        dmData->LoadGridLayout(DBGridGx1, FSpec.GridKey);
        if (FSpec.ColumnFormatMode > 0) dmData->ApplyColumnFormats(DBGridGx1, FSpec.ColumnFormatMode);
        StatusBar->Panels(3)->SetText(CompanyName + "  ");
        if (vleList) RefillGroupList(); // which lists once with "全部"
        RefreshList();
    }
    TForm::DoShow();
}

void TListWindow::RefreshList() {
    TSqlStatement statement;
    if (!BuildListStatement(statement)) return;
    FStatement = statement;
    if (OpenStatement(QryTable, FStatement)) ShowRowCount();
}

int TListWindow::CurrentId() const {
    if (ListEmpty()) return 0;
    TField* id = QryTable->FindField("F_ID");
    return id ? id->AsInteger() : 0;
}

bool TListWindow::ListEmpty() const {
    return !QryTable->Active() || QryTable->IsEmpty();
}

void TListWindow::ShowRowCount() {
    StatusBar->Panels(2)->SetText("记录数：" + IntToStr(QryTable->Active() ? QryTable->RecordCount() : 0));
}
