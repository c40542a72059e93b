// Opening the fee ledger, choosing the charging method and the fee item, and the list statement.
#include "app/fees/uFrmWYFYscgl.h"

#include "app/fees/FeeRules.h"
#include "app/fees/FeeTables.h"

#include "app/registers/ListSearchPanel.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "controls/WnPageControl.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

namespace {

const String MeterMethod = "按用量"; // exactly this method shows the meter page

String JetDate(TDateTime date) {
    return "#" + FormatDateTime("yyyy-mm-dd", date) + "# ";
}

} // namespace

void TfrmWYFYscgl::DoShow() {
    if (!FShown) {
        FShown = true;
        {
            // One list at the end of opening, not one per step.
            FOpening = true;
            const TScopeExit done([this] { FOpening = false; });
            dtpFromDate->SetDate(StartOfTheMonth(Date()));
            dtpToDate->SetDate(Date());
            dtpFromDate->SetChecked(true);
            dtpToDate->SetChecked(true);
            dmData->LoadGridLayout(DBGridGx2, "wuyeFYscgl2");
            dmData->ApplyColumnFormats(DBGridGx2, 1);
            dmData->FillCombo("select f_name from t_code where f_type = 'sftype'", *cbbListType->Items());
            cbbListType->SetItemIndex(cbbListType->Items()->Count() > 0 ? 0 : -1);
            SelectFeeType();
        }
    }
    TListWindow::DoShow(); // the usage grid's layout and formats, the company name, the list
}

void TfrmWYFYscgl::LoadFeeItems(const String& method) {
    const auto click = vleList->OnSelectItem;
    vleList->OnSelectItem = nullptr;
    const TScopeExit attach([this, click] { vleList->OnSelectItem = click; });
    vleList->ClearItems();
    vleList->Column(0)->SetCaption("");
    vleList->Column(1)->SetCaption(method);
    TSqlStatement statement;
    statement.Add("select F_name from T_FYinfo where F_SFtype = :method ").Param("method", method);
    TADOQuery* query = dmData->QryPub();
    if (!OpenStatement(query, statement)) return;
    for (query->First(); !query->Eof(); query->Next()) {
        TListItem* item = vleList->AddItem();
        item->SetCaption(IntToStr(query->RecNo()));
        item->SubItems()->Add(query->Fields()[0]->AsString());
    }
    query->Close();
    if (vleList->ItemCount() > 0) vleList->SetItemIndex(0);
}

void TfrmWYFYscgl::SelectFeeType() {
    if (Pending()) return;
    CurSFtype = Trim(cbbListType->Text());
    LoadFeeItems(CurSFtype);
    rpcList->HideAllTabs();
    rpcList->SetActivePageIndex(CurSFtype == MeterMethod ? 0 : 1);
    const TListItem* first = vleList->ItemCount() > 0 ? vleList->Items(0) : nullptr;
    CurSFname = first && first->SubItems()->Count() > 0 ? first->SubItems()->Strings(0) : String();
    CurSFprice = FeeItemPrice(CurSFtype, CurSFname);
    SetCaption(FeeLedgerCaption + "-->" + CurSFname);
    QueryFeeLedger();
}

void TfrmWYFYscgl::SelectFeeItem(int row) {
    if (Pending() || row < 0 || row >= vleList->ItemCount()) return;
    const TListItem* item = vleList->Items(row);
    CurSFname = item->SubItems()->Count() > 0 ? item->SubItems()->Strings(0) : String();
    CurSFprice = FeeItemPrice(CurSFtype, CurSFname);
    SetCaption(FeeLedgerCaption + "-->" + CurSFname);
    QueryFeeLedger();
}

void TfrmWYFYscgl::RefreshList() {
    // Nothing reloads the list over pending rows, and opening runs it once at its end.
    if (Pending() || FOpening) return;
    TListWindow::RefreshList();
}

bool TfrmWYFYscgl::BuildListStatement(TSqlStatement& statement) {
    statement
        .Add("select * from T_wyFYrec where F_GTflag = 0 and(F_SFtype = :SFtype and F_SFname = :SFname) " +
             XQScopeSQL)
        .Param("SFtype", CurSFtype)
        .Param("SFname", CurSFname);
    if (dtpFromDate->Checked()) statement.Add("and F_editDate >= " + JetDate(dtpFromDate->Date()));
    if (dtpToDate->Checked()) statement.Add("and F_editDate <= " + JetDate(dtpToDate->Date()));
    SearchPanel->AddCondition(statement);
    statement.Add("order by F_Editdate");
    return true;
}

void TfrmWYFYscgl::QueryOpened() {
    AttachFeeRules(QryTable);
}

String TfrmWYFYscgl::TableLayoutFile() const {
    return rpcList->ActivePageIndex() == 0 ? "frWYFYscgl1.di3" : "frWYFYscgl2.di3";
}
