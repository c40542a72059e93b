// The payment-notice query (action 401, 缴费通知单查询): fee rows of the ledger chosen by estate,
// building, room, owner, handler, fee item, memo, payment deadline and fee month, paid or not
// (the receipt number shows which), printed as a list or as one notice per row.
#pragma once

#include "app/fees/StatisticsWindow.h"

class TfrmJFTZbillTJ : public TStatisticsWindow {
public:
    explicit TfrmJFTZbillTJ(TComponent* AOwner);

    TCheckBox* CheckBox1; // 指定月份
    TDateTimePicker* dtpMonth;
    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtptoDate;
    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TEdit* edtFZcode;
    TEdit* edtFZname;
    TComboBox* cbbEmpName;
    TComboBox* cbbSFname;
    TEdit* edtMemo1;

    // "打印缴费通知单列表": the list with its "memDate" text object set to the period first.
    void tbprint1Click();
    // "打印缴费通知单表格": a notice per fee row.
    void tbprint2Click();
    void tbset1Click();
    void tbset2Click();

protected:
    TSqlStatement ResultStatement() override;
    void ResultOpened() override;
};
