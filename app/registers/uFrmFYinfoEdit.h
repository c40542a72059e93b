// The fee-item dialog ("费用项目"): one item of T_FYinfo. The code is proposed (three digits,
// read-only; a taken code gives way to the next free one); the name is unique among all items,
// whatever their method and letter case. Renaming an item renames its rows of the fee ledger
// (T_wyFYrec) and of the shared-fee register (t_wyGTrec) in the same transaction: the item and its
// rows change together or not at all.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmFYinfoGL;
class TEdit;
class TComboBox;
class TMemo;
class TCurrencyEdit;
class TGroupBox;
class TLabel;
struct TSqlStatement;

inline const String MsgFeeItemNameTaken = "费项名称重复，请修改！";

class TfrmFYinfoEdit : public TEditDialog {
public:
    explicit TfrmFYinfoEdit(TfrmFYinfoGL* list);
    String ClassName() const override { return "TfrmFYinfoEdit"; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TEdit* edtName;
    TComboBox* cbbSFtype;
    TCurrencyEdit* ceSFprice;
    TComboBox* cbbSFcycle;
    TComboBox* cbbXQname;
    TMemo* Memo1;
    TLabel* lblGuide;

    void LoadEditorFields(bool fromList) override;

protected:
    void DoShow() override;
    int WriteRecord() override;
    TWinControl* FirstField() const override;

private:
    void SetParams(TSqlStatement& statement, const String& code);
    String FOldName; // the name the item had when loaded (editing)
};
