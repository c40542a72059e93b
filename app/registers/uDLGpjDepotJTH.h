// The stock in/return dialog ("配件进 (退) 货") of the spare-parts register: books a purchase
// (进货) or a return to the supplier (退货) of the stock list's current part. The stock figure and
// the movement are written in one transaction, the stock by its stored figure ("F_amount ± n", a
// return only while the stock suffices), so two stations moving one part keep both moves and a
// failed movement leaves the stock as it was.
#pragma once

#include "gui/Forms.h"

class TfrmPJdepotGL;
class TButton;
class TEdit;
class TComboBox;
class TMemo;
class TKxCalcEdit;
class TCurrencyEdit;
class TGroupBox;
class TLabel;
class TRadioGroup;

inline const String MsgStockInQuantity = "进货数量必须大于0，请检查！";
inline const String MsgReturnQuantity = "退货数量必须大于0，请检查！";
inline const String MsgStockShort = "库存货品已经不足，请检查！";

class TDLGpjDepotJTH : public TForm {
public:
    explicit TDLGpjDepotJTH(TfrmPJdepotGL* list);
    ~TDLGpjDepotJTH() override;
    String ClassName() const override { return "TDLGpjDepotJTH"; }

    TGroupBox* GroupBox1; // 配件信息
    TEdit* edtcode;
    TEdit* edtname;
    TEdit* edtspec;
    TEdit* edtunit;
    TEdit* edtAddress;
    TCurrencyEdit* ceprice1;
    TCurrencyEdit* cePrice2;
    TKxCalcEdit* rceAmount;
    TRadioGroup* RadioGroup1; // 进货, 退货
    TLabel* lblflag;
    TKxCalcEdit* rceAddAmount;
    TMemo* Memo1;
    TComboBox* cbbXQname;
    TButton* Button1; // 确定
    TButton* Button2; // 取消

    // Loads the list's current part and shows the dialog modally.
    int ShowStockDialog();
    void LoadStockDialog();
    // 确定: true when the move was booked (the dialog then closes).
    bool SaveStockMove();

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    TfrmPJdepotGL* FList;
    int FPartId = 0;
    String FPartCode;
};
