// The new-space dialog ("车位档案 - 新增"): creates one parking space with its code, location,
// asking prices and remarks, free of any house (dates "1900-08-14" and "3000-08-14"). The code is
// required and unique. It has no navigator and no continuous add.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmCarPosGL;
class TEdit;
class TMemo;
class TCurrencyEdit;
class TGroupBox;

inline const String MsgSpaceCodeEmpty = "当前车位编号不能为空！";
inline const String MsgSpaceCodeTaken = "车位编号重复，请重新输入！";

class TfrmCarPosEdit : public TEditDialog {
public:
    explicit TfrmCarPosEdit(TfrmCarPosGL* list);
    String ClassName() const override { return "TfrmCarPosEdit"; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TCurrencyEdit* ceYSprice;
    TEdit* edtAddress;
    TCurrencyEdit* ceYZprice;
    TMemo* Memo1;

    void LoadEditorFields(bool fromList) override;

protected:
    bool CheckFields() override;
    int WriteRecord() override;
    bool ContinuousAddAllowed() const override { return false; }
};
