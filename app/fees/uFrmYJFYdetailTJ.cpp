#include "app/fees/uFrmYJFYdetailTJ.h"

#include "app/core/FormControls.h"
#include "app/core/PubUnit.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"

namespace {

std::vector<TGridColumnSpec> DetailKeys() {
    return {
        {"F_FZcode", "房间编号", 70, fvtStaticText, "合  计"},
        {"F_FZname", "业主姓名", 70},
        {"F_XQname", "小区名称", 90},
        {"F_LDcode", "楼幢号", 60},
        {"F_SFdate", "交费期限", 80},
    };
}

} // namespace

TfrmYJFYdetailTJ::TfrmYJFYdetailTJ(TComponent* AOwner) : TStatisticsPivot(AOwner, "TfrmYJFYdetailTJ") {
    SetName("frmYJFYdetailTJ");
    FFilters = AddReceivableFilters();
    cbbXQname = FFilters.Estate;
    edtLDcode = FFilters.Building;
    edtFZcode = FFilters.Room;
    edtFZname = FFilters.Owner;
    cbbEmpName = FFilters.Handler;
    edtMemo1 = FFilters.Memo;
    dtpFromDate = FFilters.From;
    dtptoDate = FFilters.To;
    RadioGroup1 = new TRadioGroup(this);
    RadioGroup1->SetName("RadioGroup1");
    RadioGroup1->SetParent(GroupBox1);
    RadioGroup1->SetBounds(10, 64, 330, 28);
    RadioGroup1->SetCaption("");
    RadioGroup1->SetColumns(3);
    RadioGroup1->Items()->Add("所有应交费用");
    RadioGroup1->Items()->Add("应交费用超过");
    RadioGroup1->Items()->Add("交费期限超过");
    RadioGroup1->SetItemIndex(0);
    RadioGroup1->OnClick = [this](TObject*) { ChoiceChanged(); };
    ceS = AddCurrencyEdit(this, GroupBox1, "ceS", "", 350, 68, 90);
    ceS->SetDecimalPlaces(4);
    ceS->SetDisplayFormat(PriceEditFormat);
    rceT = AddCalcEdit(this, GroupBox1, "rceT", "", 350, 68, 90);
    lblT = new TLabel(this);
    lblT->SetName("lblT");
    lblT->SetParent(GroupBox1);
    lblT->SetBounds(446, 72, 20, 16);
    ChoiceChanged();
    BuildColumns(PivotColumns(DetailKeys()));
    AddPrintEntry("nPrint", "打印格式一", [this] { PrintClick(); });
    AddPrintEntry("nPrint1", "打印格式二", [this] { PrintSecondClick(); });
}

void TfrmYJFYdetailTJ::ChoiceChanged() {
    const int choice = RadioGroup1->ItemIndex();
    ceS->SetVisible(choice == 1);
    rceT->SetVisible(choice == 2);
    lblT->SetVisible(choice == 1 || choice == 2);
    if (choice == 1) {
        ceS->SetValue(0);
        lblT->SetCaption("元");
    } else if (choice == 2) {
        rceT->SetValue(0);
        lblT->SetCaption("天");
    }
}

TSqlStatement TfrmYJFYdetailTJ::ItemStatement(int position, const String& name) {
    String overdue;
    if (RadioGroup1->ItemIndex() == 2) {
        const int days = static_cast<int>(rceT->Value());
        overdue = "And F_SFdate <= #" + FormatDateTime("yyyy-mm-dd", Date() - days) + "# ";
    }
    return ReceivableItemStatement(position, name, FFilters, overdue);
}

std::vector<TSqlStatement> TfrmYJFYdetailTJ::WorkStatements() {
    std::vector<TSqlStatement> statements = StageStatements();
    for (TSqlStatement& statement : HouseStatements(true)) statements.push_back(std::move(statement));
    return statements;
}

TSqlStatement TfrmYJFYdetailTJ::ResultStatement() {
    TSqlStatement statement;
    statement.Add("select * from tempFYrec where (1=1) ");
    // The amount bound as a number: a value of 0 keeps every row.
    if (RadioGroup1->ItemIndex() == 1) statement.Add("And F_totalPrice >= :" + statement.NewParam(MoneyOf(ceS)) + " ");
    statement.Add("order by F_XQname,F_LDcode,F_FZcode,F_SFdate");
    return statement;
}
