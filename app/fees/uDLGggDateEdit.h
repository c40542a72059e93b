// The re-dating dialog (TDLGggDateEdit, "修改当前抄表日期") of the fee ledger's "批量修改日期":
// sets 上次日期, 本次日期 and 交费期限 of the rows selected on the ledger's active page, or with
// "作用于所有业主" of every row the ledger lists at that moment. The changes go into the ledger's
// client batch and the ledger then stands pending; nothing is written here.
#pragma once

#include "gui/Forms.h"

class TButton;
class TCheckBox;
class TDateTimePicker;
class TfrmWYFYscgl;

class TDLGggDateEdit : public TForm {
public:
    explicit TDLGggDateEdit(TfrmWYFYscgl* ledger);
    String ClassName() const override { return "TDLGggDateEdit"; }

    TDateTimePicker* dtpFromDate; // 上次日期
    TDateTimePicker* dtpToDate;   // 本次日期
    TDateTimePicker* dtpSFdate;   // 交费期限
    TCheckBox* CheckBox1;         // 作用于所有业主
    TButton* btnOk;
    TButton* btnCancel;

    // Shows the dialog modally and, on 确定, re-dates the rows. Returns the number of rows changed;
    // with no row selected (and not every row asked for) "请选择需要更改交费记录！" and 0.
    int ApplyPeriodDates();

protected:
    void DoShow() override;

private:
    // Sets the three dates of the query's current row; false when the row refused the change.
    bool RedateCurrentRow();
    TfrmWYFYscgl* FLedger;
};
