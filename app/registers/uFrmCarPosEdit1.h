// The sale/rent dialog ("销售、租赁车位管理"): records the sale or rent of the list's current space
// to a house chosen in the house picker (新增, from 销售) or corrects the deal the space holds
// (修改). A sale or rent needs a house; the dialog closes after each save, so the next buyer is
// always a new 销售 on a free space.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmCarPosGL;
class TEdit;
class TComboBox;
class TMemo;
class TCheckBox;
class TCurrencyEdit;
class TDateTimePicker;
class TGroupBox;
class TSpeedButton;

inline const String MsgSpaceHouseEmpty = "当前房间编号不能为空！";

class TfrmCarPosEdit1 : public TEditDialog {
public:
    explicit TfrmCarPosEdit1(TfrmCarPosGL* list);
    String ClassName() const override { return "TfrmCarPosEdit1"; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TEdit* edtAddress;
    TEdit* edtXQname;
    TEdit* edtFZcode;
    TSpeedButton* sbFind;
    TEdit* edtFZname;
    TEdit* edtCarCode;
    TEdit* edtPhone;
    TEdit* edtHandPhone;
    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtpToDate;
    TComboBox* cbbCQstatus;
    TCurrencyEdit* ceSJprice;
    TComboBox* cbbEmpname;
    TCheckBox* cbFlag;
    TMemo* Memo1;

    void LoadEditorFields(bool fromList) override;
    // The house picker; a house chosen there (not unsold) becomes the deal's house.
    void PickSpaceHouse();
    int HouseId() const { return FHouseId; }

protected:
    void DoShow() override;
    bool CheckFields() override;
    int WriteRecord() override;
    bool ContinuousAddAllowed() const override { return false; }

private:
    int FHouseId = -1;
    String FLDcode; // the building of the chosen house (shown nowhere)
};
