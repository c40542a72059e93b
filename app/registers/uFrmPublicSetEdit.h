// The public-facility dialog ("公共设施资料"): one facility of T_publicSet. While adding, the code
// box proposes the next six-digit code and a series of continuous adds stays in one estate; a
// code another facility holds is replaced by the next free one without a message. 金额 follows
// 数量 × 单价 (as money) and can still be typed over.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmPublicSetGL;
class TEdit;
class TComboBox;
class TMemo;
class TCheckBox;
class TKxCalcEdit;
class TCurrencyEdit;
class TGroupBox;

class TfrmPublicSetEdit : public TEditDialog {
public:
    explicit TfrmPublicSetEdit(TfrmPublicSetGL* list);
    String ClassName() const override { return "TfrmPublicSetEdit"; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TEdit* edtName;
    TComboBox* cbbSETtype;
    TComboBox* cbbpinpai;
    TEdit* edtspec;
    TEdit* edtaddress;
    TComboBox* cbbXQname;
    TKxCalcEdit* rceAmount;
    TCurrencyEdit* ceprice;
    TCurrencyEdit* ceTotalprice;
    TMemo* Memo1;
    TCheckBox* cbUseFlag;

    void LoadEditorFields(bool fromList) override;
    void SetEditorMode(bool editMode) override;

protected:
    void DoShow() override;
    int WriteRecord() override;
    TWinControl* FirstField() const override;

private:
    void ProposeTotal();
    void SetParams(class TSqlStatement& statement, const String& code);
};
