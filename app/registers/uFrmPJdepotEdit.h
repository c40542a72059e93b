// The part card ("配件资料"): one part of T_PJinfo. Six checks stop a save in this order: code,
// name, selling price above 0, purchase price above 0, category, and the code taken by another
// card of the same estate (as saved, trimmed). A new card sets the opening stock; an edited card
// leaves the stock alone, since stock moves and repairs change it meanwhile.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmPJdepotGL;
class TEdit;
class TComboBox;
class TMemo;
class TKxCalcEdit;
class TCurrencyEdit;
class TGroupBox;
struct TSqlStatement;

inline const String MsgPartCodeEmpty = "编号不能为空！";
inline const String MsgPartNameEmpty = "名称不能为空！";
inline const String MsgPartPrice1 = "预售单价必须大于0！";
inline const String MsgPartPrice2 = "进货价格必须大于0！";
inline const String MsgPartTypeEmpty = "货品类型不能为空！";
inline const String MsgPartCodeTaken = "商品编号重复，请重新输入！";

class TfrmPJdepotEdit : public TEditDialog {
public:
    explicit TfrmPJdepotEdit(TfrmPJdepotGL* list);
    String ClassName() const override { return "TfrmPJdepotEdit"; }

    TGroupBox* GroupBox1;
    TEdit* edtcode;
    TEdit* edtname;
    TComboBox* cbbtype;
    TEdit* edtspec;
    TComboBox* cbbunit;
    TEdit* edtAddress;
    TCurrencyEdit* ceprice1;
    TCurrencyEdit* cePrice2;
    TKxCalcEdit* rceAmount;
    TComboBox* cbbXQname;
    TMemo* Memo1;

    void LoadEditorFields(bool fromList) override;
    void SetEditorMode(bool editMode) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    bool CheckFields() override;
    int WriteRecord() override;
    TWinControl* FirstField() const override;

private:
    void SetParams(TSqlStatement& statement);
};
