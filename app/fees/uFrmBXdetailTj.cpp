#include "app/fees/uFrmBXdetailTj.h"

#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "gui/StdCtrls.h"

namespace {

std::vector<TGridColumnSpec> RepairColumns() {
    return {
        {"F_code", "编号", 60, fvtStaticText, "合  计"},
        {"F_JDemp", "接待人员", 70},
        {"F_bxDate", "报修日期", 80},
        {"F_WXemp", "维修人员", 70},
        {"F_memo1", "故障现象", 140},
        {"F_fwPrice", "服务费用", 80, fvtSum},
        {"F_wlPrice", "材料费用", 80, fvtSum},
        {"F_FZname", "业主姓名", 80},
        {"F_FZcode", "业主编号", 70},
        {"F_xfDate", "修复日期", 80},
        {"F_totalprice", "费用合计", 80, fvtSum},
        {"F_memo2", "处理结果", 140},
        {"F_MYtype", "满 意 度", 70},
    };
}

std::function<String()> CodeList(const char* type) {
    return [type] { return "select F_name from t_code where f_type = '" + String(type) + "' "; };
}

} // namespace

TfrmBXdetailTj::TfrmBXdetailTj(TComponent* AOwner) : TStatisticsWindow(AOwner, "TfrmBXdetailTj") {
    SetName("frmBXdetailTj");
    dtpFromDate = AddDatePicker("dtpFromDate", "报修日期：自", 10, 16, true);
    dtpToDate = AddDatePicker("dtpToDate", "至", 194, 16, false);
    dtpFromDate1 = AddDatePicker("dtpFromDate1", "修复日期：自", 390, 16, true);
    dtptoDate1 = AddDatePicker("dtptoDate1", "至", 574, 16, false);
    cbbXQname = AddEstateCombo(10, 42);
    edtFZname = AddEdit("edtFZname", "业主姓名：", 200, 42);
    edtFZcode = AddEdit("edtFZcode", "房间编号：", 390, 42);
    cbbJDemp = AddCombo("cbbJDemp", "接待人员：", 580, 42, CodeList("JDemp"));
    cbbWXemp = AddCombo("cbbWXemp", "维修人员：", 10, 68, CodeList("WXemp"));
    edtMemo1 = AddEdit("edtMemo1", "故障现象：", 200, 68);
    edtMemo2 = AddEdit("edtMemo2", "处理结果：", 390, 68);
    cbbMYtype = AddCombo("cbbMYtype", "满 意 度：", 580, 68, CodeList("MYtype"));
    PeriodFrom = dtpFromDate;
    PeriodTo = dtpToDate;
    BuildColumns(RepairColumns());
    AddPrintEntry("nPrint", "打印格式一", [this] { PrintClick(); });
    AddPrintEntry("nPrint1", "打印格式二", [this] { PrintSecondClick(); });
}

TSqlStatement TfrmBXdetailTj::ResultStatement() {
    TSqlStatement statement;
    statement.Add("select * from T_ZHBX Where (1=1) " + XQScopeSQL);
    AddDateBound(statement, "and F_bxDate >=", dtpFromDate);
    AddDateBound(statement, "and F_bxDate <=", dtpToDate);
    // A repair not yet done holds the date that is not set: a repair-date bound keeps only
    // repaired records.
    if (dtpFromDate1->Checked() || dtptoDate1->Checked()) statement.Add("and F_xfDate >= #1901-08-14# ");
    AddDateBound(statement, "and F_xfDate >=", dtpFromDate1);
    AddDateBound(statement, "and F_xfDate <=", dtptoDate1);
    AddContains(statement, "And F_XQname Like", cbbXQname->Text());
    AddContains(statement, "And F_FZname Like", edtFZname->Text());
    AddPrefix(statement, "And F_FZcode Like", edtFZcode->Text());
    AddPrefix(statement, "And F_JDemp Like", cbbJDemp->Text());
    AddPrefix(statement, "and F_WXemp Like", cbbWXemp->Text());
    AddContains(statement, "and F_memo1 Like", edtMemo1->Text());
    AddContains(statement, "and F_memo2 Like", edtMemo2->Text());
    AddPrefix(statement, "and F_MYtype Like", cbbMYtype->Text());
    statement.Add("Order By F_code");
    return statement;
}

void TfrmBXdetailTj::ResultOpened() {
    if (TField* field = QryTable->FindField("F_xfDate")) ShowNotSetDateEmpty(*field);
}
