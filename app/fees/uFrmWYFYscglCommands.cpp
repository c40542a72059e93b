// Deleting a fee row (never a paid one), printing and designing the three formats, and the
// question before a delete.
#include "app/fees/uFrmWYFYscgl.h"

#include "app/fees/FeeTables.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"
#include "report/vrClass.h"
#include "report/vrClassMemo.h"
#include "rtl/CodePage.h"

namespace {

const String ListLayout = "frWYFYscgl.di3";

} // namespace

String TfrmWYFYscgl::DeleteQuestion() const {
    return "真的要删除当前日期为 \"" + QryTable->FieldByName("F_SFdate")->AsString() + "\" 物业费用记录吗？";
}

int TfrmWYFYscgl::DependentRows(int id) const {
    // A paid row is refused: counted inside the delete's transaction, so a collection another
    // station made meanwhile counts too.
    TADOQuery paid;
    paid.SetConnection(dmData->ADOcnn());
    paid.SQL()->SetText("select count(*) from T_wyFYrec where F_ID = :ID and F_JFflag = True");
    paid.Parameters()->ParamByName("ID")->SetValue(id);
    paid.Open();
    return paid.Fields()[0]->AsInteger();
}

String TfrmWYFYscgl::RefusedDeleteMessage(int count) const {
    (void)count;
    return MsgFeePaidNoDelete;
}

void TfrmWYFYscgl::PrintListClick() {
    if (ListEmpty()) return;
    const String period = dmData->PeriodCaption(dtpFromDate, dtpToDate);
    dmData->ShowLayoutReport(vrReport1, ListLayout, QryTable, nullptr, [&](TvrReport* report) {
        // A layout without the period's text object still prints.
        if (auto* memo = dynamic_cast<TvrCustomMemoView*>(report->FindObject("MemoDate")))
            memo->SetText(Utf8ToWide(period));
    });
}

void TfrmWYFYscgl::PrintTableClick() {
    if (ListEmpty()) return;
    try {
        dmData->ShowLayoutReport(vrReport1, TableLayoutFile(), QryTable);
    } catch (const std::exception&) {
        // A layout that does not load prints nothing.
    }
}

void TfrmWYFYscgl::DesignListClick() {
    dmData->DesignLayoutReport(vrReport1, ListLayout, QryTable);
}

void TfrmWYFYscgl::DesignTableClick() {
    dmData->DesignLayoutReport(vrReport1, TableLayoutFile(), QryTable);
}
