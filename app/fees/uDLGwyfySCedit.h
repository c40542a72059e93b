// The batch generation dialog (TDLGwyfySCedit, "物业费用台帐生成") of the fee ledger's
// "批量增加记录": one row of the ledger's current fee item for every house of one estate, with
// the period, the deadline, the unit price and a quantity by the charging method. The rows go
// into the ledger's client batch (nothing is written here); the ledger then stands pending, for
// the operator to review and save or cancel.
//
//   - the estate is taken exactly as named (trimmed, without regard to case) and within the
//     operator's estate scope; houses of every sale state are billed;
//   - the period ends on 本次生成单据日期 and starts one month earlier (IncMonth: 31 March
//     starts on the last day of February), the deadline is 本次费用交费期限;
//   - a method containing "用量" starts each house at its highest earlier reading of the item
//     (0 without one), with usage and amount due 0 until the new reading is typed; "面积" bills
//     the floor area, every other method the number of residents, at the item's price, exactly;
//   - a house that already has a row of the item and period end (stored, or pending in the
//     ledger) is skipped, and "有 n 户本期费用已经存在，未重复生成！" tells how many.
#pragma once

#include "gui/Forms.h"

class TButton;
class TComboBox;
class TDateTimePicker;
class TEdit;
class TfrmWYFYscgl;

class TDLGwyfySCedit : public TForm {
public:
    explicit TDLGwyfySCedit(TfrmWYFYscgl* ledger);
    String ClassName() const override { return "TDLGwyfySCedit"; }

    TComboBox* cbbXQname;       // 小区名称
    TEdit* edtSFname;           // 费项名称 (read-only)
    TDateTimePicker* dtpToDate; // 本次生成单据日期
    TDateTimePicker* dtpSFdate; // 本次费用交费期限
    TButton* btnOk;             // 确定
    TButton* btnCancel;         // 取消

    // Shows the dialog modally and, on 确定, appends the rows to the ledger. Returns the number of
    // rows appended.
    int GenerateFeeRecords();
    // 确定: an empty estate is refused ("当前小区名称不能为空！", the focus on the estate).
    void OkClick();

protected:
    void DoShow() override;

private:
    // Appends the rows for the estate; the number appended.
    int AppendRows(const String& estate);
    TfrmWYFYscgl* FLedger;
};
