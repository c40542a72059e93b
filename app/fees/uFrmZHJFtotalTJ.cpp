#include "app/fees/uFrmZHJFtotalTJ.h"

#include "gui/StdCtrls.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

TfrmZHJFtotalTJ::TfrmZHJFtotalTJ(TComponent* AOwner)
    : TStatisticsTotals(AOwner, "TfrmZHJFtotalTJ",
                        {TTotalsPage{"frZHJFtotalTJ.di3", "住户交费(按用户)汇总统计列表", "ZHJFtotalTJ"},
                         TTotalsPage{"frZHJFtotalTJ1.di3", "住户交费(按楼幢)汇总统计列表", "ZHJFtotalTJ1"},
                         TTotalsPage{"frZHJFtotalTJ2.di3", "住户交费(按小区)汇总统计列表", "ZHJFtotalTJ2"}}) {
    SetName("frmZHJFtotalTJ");
    dtpFromDate = AddDatePicker("dtpFromDate", "交费日期：自", 10, 16, true);
    dtptoDate = AddDatePicker("dtptoDate", "至", 194, 16, false);
    cbbXQname = AddEstateCombo(390, 16);
    edtLDcode = AddEdit("edtLDcode", "楼 幢 号：", 580, 16);
    edtFZcode = AddEdit("edtFZcode", "房间编号：", 10, 42);
    edtFZname = AddEdit("edtFZname", "业主姓名：", 200, 42);
    PeriodFrom = dtpFromDate;
    PeriodTo = dtptoDate;
}

TSqlStatement TfrmZHJFtotalTJ::ItemStatement(int position, const String& name) {
    TSqlStatement statement;
    statement.Add("insert into tempFYrec(F_MainID,F_XQname,F_LDcode,F_FZcode,F_FZname, F_Month,F_SZ" +
                  IntToStr(position) +
                  ",F_flag,F_SFdate) select FY.F_MainID,FY.F_XQname,FY.F_LDcode,FY.F_FZcode,FY.F_FZname, "
                  "FY.F_fromDate,FY.F_totalPrice,0,FK.F_JFdate "
                  "from T_wyFYrec as FY inner join T_wyFKrec as FK on FY.F_JFcode = FK.F_code "
                  "where (FY.F_SFname = :" +
                  statement.NewParam(name) + ") and (FY.F_JFflag = true) ");
    AddContains(statement, "And FK.F_XQname Like", cbbXQname->Text());
    AddPrefix(statement, "And FK.F_LDcode Like", edtLDcode->Text());
    AddPrefix(statement, "and FK.F_FZcode Like", edtFZcode->Text());
    AddContains(statement, "and FK.F_FZname Like", edtFZname->Text());
    statement.Add(QualifiedScope("FY."));
    AddDateBound(statement, "and FK.F_JFdate >=", dtpFromDate);
    AddDateBound(statement, "and FK.F_JFdate <=", dtptoDate);
    return statement;
}
