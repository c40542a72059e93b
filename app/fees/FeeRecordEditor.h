// The fee record editors of the ledger's "新增" and "修改", on the register family's edit dialog:
// the metered-record editor TfrmWYFYscEdit (page 0: previous and current reading, the usage their
// difference) and the quantity-record editor TfrmWYFYscEdit1 (page 1: floor area, residents or a
// typed quantity). Both add or edit one row of T_wyFYrec for the ledger's current fee item; they
// reach the ledger through frmWYFYscgl for CurSFtype, CurSFname and CurSFprice.
//
// This file holds what the two share:
//   - the house: chosen in the house picker (sbFind) or looked up by Enter in 房间编号; a house
//     so found fills 房间编号, 小区名称, 楼幢号 and 业主姓名 (the last three read-only) and proposes
//     the item's price when 单价 is 0, then the member's readings or quantity;
//   - a record is saved only for a looked-up house: with none, or with a room code typed over the
//     looked-up one, "当前房间编号不能为空！" and the focus on 房间编号 (a row never carries the id
//     -1, nor one house's id with another's code);
//   - 本次日期 sets 交费期限 one month later (IncMonth);
//   - amounts: 应交费用 := 单价 × the usage or quantity as exact money on every change of either
//     (typed or set), and may be typed over afterwards;
//   - a paid row opens with its house, readings, quantity, price and amount due read-only;
//   - the save: one transaction (the family's), adding with the ledger's method and item, editing
//     keeping the row's method and item, both writing the operator who saves.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmWYFYscgl;
class TADOQuery;
class TComboBox;
class TCurrencyEdit;
class TDateTimePicker;
class TEdit;
class TGroupBox;
class TKxCalcEdit;
class TMemo;
class TSpeedButton;

inline const String MsgFeeHouseEmpty = "当前房间编号不能为空！";

class TFeeRecordEditor : public TEditDialog {
public:
    TFeeRecordEditor(TfrmWYFYscgl* ledger, const String& title, bool metered);

    TGroupBox* GroupBox1;
    TEdit* edtFZcode;   // 房间编号
    TSpeedButton* sbFind;
    TEdit* edtXQname;   // 小区名称 (from the house)
    TEdit* edtLDcode;   // 楼 幢 号 (from the house)
    TEdit* edtFZname;   // 业主姓名 (from the house)
    TDateTimePicker* dtpFromDate; // 上次日期
    TDateTimePicker* dtpToDate;   // 本次日期
    TDateTimePicker* dtpSFdate;   // 交费期限
    TKxCalcEdit* rceBamount = nullptr; // 上次读数 (metered editor)
    TKxCalcEdit* rceEamount = nullptr; // 本次读数 (metered editor)
    TKxCalcEdit* rceAmount;            // 本次用量 / 计费单位
    TCurrencyEdit* cePrice;            // 单    价
    TCurrencyEdit* ceTotalPrice;       // 应交费用
    TComboBox* cbbEmpName;             // 经 手 人
    TEdit* edtOperName;                // 录入人员 (read-only)
    TDateTimePicker* dtpEditDate;      // 编辑日期
    TMemo* Memo1;                      // 备    注

    bool Metered() const { return FMetered; }
    // The house of the record (-1 while none is looked up).
    int HouseId() const { return FHouseId; }

    void LoadEditorFields(bool fromList) override;
    // sbFind: the house picker; a house chosen there (not unsold, within the scope) is taken.
    void PickHouse();
    // Enter in 房间编号: the one house of the typed code is taken; none or several open the picker.
    // True when the focus may move on.
    bool LookUpRoomCode();

protected:
    void DoShow() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool CheckFields() override;
    int WriteRecord() override;
    TWinControl* FirstField() const override;

    // The member's part of taking a house: the readings (metered) or the quantity.
    virtual void TakeHouseFigures(TADOQuery& house) = 0;
    // The house columns the member reads beyond F_ID, F_code, F_XQname, F_LDcode and F_FZname.
    virtual String ExtraHouseColumns() const { return String(); }

    TfrmWYFYscgl* Ledger() const { return FLedger; }
    // 应交费用 := 单价 × 本次用量 / 计费单位.
    void ProposeTotal();

private:
    // Reads the house by id (the picker's road: not unsold) within the scope and takes it.
    void TakeHouse(int id, bool soldOnly);
    void LockPaidFigures(bool paid);
    TfrmWYFYscgl* FLedger;
    bool FMetered;
    int FHouseId = -1;
    String FHouseCode; // the room code of the looked-up house
};
