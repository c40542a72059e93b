// The meter dialog ("公表分摊项目"): adds a shared meter with its households or edits a saved one.
// The households are the meter register's household list (QryDetail): picked in the household
// picker (TDLGgtcltXZ) or deleted, they stay pending until the save writes them with the meter in
// one transaction. The save stamps the meter's saved code into every household, so households
// picked before the code was typed or changed still belong to it.
#pragma once

#include "app/registers/EditDialog.h"

class TAction;
class TActionList;
class TButton;
class TComboBox;
class TCurrencyEdit;
class TDBGridGx;
class TEdit;
class TfrmGTFYinfoGL;
class TGroupBox;
class TMemo;
class TPanel;
class TPopupMenu;

inline const String MeterDialogTitle = "公表分摊项目";
inline const String MsgMeterCodeEmpty = "项目编号不能为空！";
inline const String MsgMeterCodeTaken = "费项编号重复，请修改！";
inline const String MsgMeterNameTaken = "费项名称重复，请修改！";
inline const String MsgMeterSaveFailed = "保存失败，请检测数据库连接！";

class TfrmGTFYinfoEdit : public TEditDialog {
public:
    explicit TfrmGTFYinfoEdit(TfrmGTFYinfoGL* list);
    ~TfrmGTFYinfoEdit() override;
    String ClassName() const override { return "TfrmGTFYinfoEdit"; }

    TfrmGTFYinfoGL* Register() const { return FRegister; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TEdit* edtName;
    TComboBox* cbbType;
    TCurrencyEdit* rceAmount;
    TComboBox* cbbXQname;
    TMemo* Memo1;
    TPanel* PanelHouseholds;
    TButton* btnAdd;
    TButton* btnDel;
    TActionList* ActionList1;
    TAction* Action1; // 新增 (Ctrl+A): the household picker
    TAction* Action2; // 删除 (Ctrl+D): the current household
    TDBGridGx* DBGridGx2;
    TPopupMenu* PopupMenu1;

    void SetEditorMode(bool editMode) override;
    void LoadEditorFields(bool fromList) override;

    // 新增: the pool of houses not yet on the meter, then the picker.
    void PickMeterHouseholds();
    // 删除: the current household, after the question, out of the batch.
    void DeleteHousehold();
    // "确定" / Ctrl+S. True when the meter was written.
    bool SaveMeter();

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    int WriteRecord() override { return 0; }

private:
    void BuildHouseholds();
    TfrmGTFYinfoGL* FRegister;
};
