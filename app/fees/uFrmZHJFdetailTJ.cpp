#include "app/fees/uFrmZHJFdetailTJ.h"

#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "gui/StdCtrls.h"

namespace {

std::vector<TGridColumnSpec> ReceiptColumns() {
    return {
        {"F_XQname", "小区名称", 90},
        {"F_LDcode", "楼幢号", 60},
        {"F_FZcode", "房间编号", 70},
        {"F_FZname", "业主姓名", 70},
        {"F_XDnum", "交款笔数", 60},
        {"F_FKprice", "付款金额", 80, fvtSum},
        {"F_YSprice", "应收金额", 80, fvtSum},
        {"F_YHprice", "优惠金额", 80, fvtSum},
        {"F_SKtype", "收款方式", 70},
        {"F_SKprice", "实收金额", 80, fvtSum},
        {"F_ZLprice", "找零金额", 80, fvtSum},
        {"F_JFdate", "交款日期", 80},
        {"F_memo1", "备注", 120},
        {"F_code", "流水号", 100},
    };
}

} // namespace

TfrmZHJFdetailTJ::TfrmZHJFdetailTJ(TComponent* AOwner) : TStatisticsWindow(AOwner, "TfrmZHJFdetailTJ") {
    SetName("frmZHJFdetailTJ");
    dtpFromDate = AddDatePicker("dtpFromDate", "交款日期：自", 10, 16, true);
    dtptoDate = AddDatePicker("dtptoDate", "至", 194, 16, false);
    cbbXQname = AddEstateCombo(390, 16);
    edtLDcode = AddEdit("edtLDcode", "楼 幢 号：", 580, 16);
    edtFZcode = AddEdit("edtFZcode", "房间编号：", 10, 42);
    edtFZname = AddEdit("edtFZname", "业主姓名：", 200, 42);
    cbbSKtype = AddCombo("cbbSKtype", "收款方式：", 390, 42,
                         [] { return String("select F_Name from t_code where F_type='SKtype' "); });
    cbbSKtype->Items()->Add("现    金");
    cbbSKtype->Items()->Add("预收款");
    PeriodFrom = dtpFromDate;
    PeriodTo = dtptoDate;
    BuildColumns(ReceiptColumns());
    AddPrintEntry("nPrint", "打印格式一", [this] { PrintClick(); });
    AddPrintEntry("nPrint1", "打印格式二", [this] { PrintSecondClick(); });
}

TSqlStatement TfrmZHJFdetailTJ::ResultStatement() {
    TSqlStatement statement;
    statement.Add("select * from T_wyFKrec Where (F_code <> '') " + XQScopeSQL);
    AddDateBound(statement, "and F_JFdate >=", dtpFromDate);
    AddDateBound(statement, "and F_JFdate <=", dtptoDate);
    AddContains(statement, "And F_XQname Like", cbbXQname->Text());
    AddPrefix(statement, "And F_LDcode Like", edtLDcode->Text());
    AddContains(statement, "and F_FZcode Like", edtFZcode->Text());
    AddContains(statement, "and F_FZname Like", edtFZname->Text());
    AddContains(statement, "and F_SKtype Like", cbbSKtype->Text());
    statement.Add("Order By F_ID");
    return statement;
}
