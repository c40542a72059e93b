#include "app/fees/uFrmJFTZbillTJ.h"

#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrClassMemo.h"
#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

namespace {

const String NoticeList = "frJFTZbillTJ.di3";
const String NoticeTable = "frJFTZbillTJ1.di3";

std::vector<TGridColumnSpec> NoticeColumns() {
    return {
        {"F_XQname", "小区名称", 90, fvtStaticText, "合  计"},
        {"F_LDcode", "楼幢号", 60},
        {"F_FZcode", "房间编号", 70},
        {"F_fromDate", "费用起收日期", 84},
        {"F_toDate", "费用截止日期", 84},
        {"F_SFdate", "交费限期", 80},
        {"F_amount", "计费单位", 70, fvtSum},
        {"F_price", "单位价格", 70},
        {"F_totalPrice", "应交费用", 80, fvtSum},
        {"F_SFname", "费项名称", 80},
        {"F_JFcode", "流水编号", 100},
        {"F_memo1", "备注", 120},
    };
}

} // namespace

TfrmJFTZbillTJ::TfrmJFTZbillTJ(TComponent* AOwner) : TStatisticsWindow(AOwner, "TfrmJFTZbillTJ") {
    SetName("frmJFTZbillTJ");
    CheckBox1 = new TCheckBox(this);
    CheckBox1->SetName("CheckBox1");
    CheckBox1->SetParent(GroupBox1);
    CheckBox1->SetCaption("指定月份");
    CheckBox1->SetBounds(10, 18, 76, 17);
    CheckBox1->SetChecked(false);
    dtpMonth = new TDateTimePicker(this);
    dtpMonth->SetName("dtpMonth");
    dtpMonth->SetParent(GroupBox1);
    dtpMonth->SetBounds(88, 16, 88, 21);
    dtpMonth->SetFormat("yyyy-MM");
    dtpMonth->SetDateMode(dmUpDown);
    dtpMonth->SetDate(Date());
    // The picker follows the box once it is clicked; until then it stays enabled.
    CheckBox1->OnClick = [this](TObject*) { dtpMonth->SetEnabled(CheckBox1->Checked()); };
    dtpFromDate = AddDatePicker("dtpFromDate", "交费限期：自", 190, 16, true);
    dtptoDate = AddDatePicker("dtptoDate", "至", 374, 16, false);
    cbbXQname = AddEstateCombo(10, 42);
    edtLDcode = AddEdit("edtLDcode", "楼 幢 号：", 200, 42);
    edtFZcode = AddEdit("edtFZcode", "房间编号：", 390, 42);
    edtFZname = AddEdit("edtFZname", "业主姓名：", 580, 42);
    cbbEmpName = AddCombo("cbbEmpName", "经 手 人：", 10, 68, [] {
        return String("select distinct F_name from t_code where (F_name <> '') and F_type = 'empname' ");
    });
    cbbSFname = AddCombo("cbbSFname", "费项名称：", 200, 68, [] {
        return String("select distinct F_name from T_FYinfo where F_name <> '' group by F_name ");
    });
    edtMemo1 = AddEdit("edtMemo1", "备    注：", 390, 68, 300);
    PeriodFrom = dtpFromDate;
    PeriodTo = dtptoDate;
    BuildColumns(NoticeColumns());
    AddPrintEntry("nPrint1", "打印缴费通知单列表", [this] { tbprint1Click(); });
    AddPrintEntry("nPrint2", "打印缴费通知单表格", [this] { tbprint2Click(); });
    AddSetEntry("nSet1", "设置缴费通知单列表", [this] { tbset1Click(); });
    AddSetEntry("nSet2", "设置缴费通知单表格", [this] { tbset2Click(); });
}

TSqlStatement TfrmJFTZbillTJ::ResultStatement() {
    TSqlStatement statement;
    statement.Add("select * from T_wyFYrec Where (1=1) " + XQScopeSQL);
    if (CheckBox1->Checked()) {
        // The fee period overlaps the chosen month.
        const TDateTime month = dtpMonth->Date();
        statement.Add("And F_toDate >= #" + FormatDateTime("yyyy-mm-01", month) + "# and F_fromDate <= #" +
                      FormatDateTime("yyyy-MM-", month) + IntToStr(DaysInMonth(month)) + "# ");
    }
    AddDateBound(statement, "and F_SFdate >=", dtpFromDate);
    AddDateBound(statement, "and F_SFdate <=", dtptoDate);
    AddContains(statement, "And F_XQname Like", cbbXQname->Text());
    AddPrefix(statement, "And F_LDcode Like", edtLDcode->Text());
    AddPrefix(statement, "and F_FZcode Like", edtFZcode->Text());
    AddContains(statement, "and F_FZname Like", edtFZname->Text());
    AddContains(statement, "and F_empName Like", cbbEmpName->Text());
    AddContains(statement, "and F_SFname Like", cbbSFname->Text());
    AddContains(statement, "and F_memo1 Like", edtMemo1->Text());
    statement.Add("Order By F_XQname,F_LDcode,F_FZcode");
    return statement;
}

void TfrmJFTZbillTJ::ResultOpened() {
    for (const char* name : {"F_fromDate", "F_toDate"})
        if (TField* field = QryTable->FindField(name)) ShowNotSetDateEmpty(*field);
}

void TfrmJFTZbillTJ::tbprint1Click() {
    const String period = MemDate();
    ShowLayout(NoticeList, nullptr, [&](TvrReport* report) {
        // A layout without the period's text object still prints.
        if (auto* memo = dynamic_cast<TvrCustomMemoView*>(report->FindObject("memDate")))
            memo->SetText(Utf8ToWide(period));
    });
}

void TfrmJFTZbillTJ::tbprint2Click() {
    ShowLayout(NoticeTable);
}

void TfrmJFTZbillTJ::tbset1Click() {
    DesignLayout(NoticeList);
}

void TfrmJFTZbillTJ::tbset2Click() {
    DesignLayout(NoticeTable);
}
