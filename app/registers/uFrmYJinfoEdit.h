// The owners' suggestion dialog ("建议意见资料"): one record of T_YJinfo. The record number
// (单据编号) is proposed with three digits and may be typed over while adding; it is required and
// unique: an empty or taken number stops the save with its message and the focus on it.
#pragma once

#include "app/registers/EditDialog.h"

class TfrmYJinfoGL;
class TEdit;
class TComboBox;
class TMemo;
class TDateTimePicker;
class TGroupBox;
struct TSqlStatement;

inline const String MsgSuggestionCodeEmpty = "单据编号不能为空！";
inline const String MsgSuggestionCodeTaken = "单据编号重复，请重新输入！";

class TfrmYJinfoEdit : public TEditDialog {
public:
    explicit TfrmYJinfoEdit(TfrmYJinfoGL* list);
    String ClassName() const override { return "TfrmYJinfoEdit"; }

    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TEdit* edtYZcode;
    TEdit* edtYZname;
    TDateTimePicker* dtpDate;
    TComboBox* cbbJDemp;
    TMemo* Memo1;
    TComboBox* cbbContenttype;
    TDateTimePicker* dtpSLDate;
    TComboBox* cbbSLtype;
    TComboBox* cbbSLemp;
    TMemo* Memo2;
    TComboBox* cbbXQname;

    void LoadEditorFields(bool fromList) override;
    void SetEditorMode(bool editMode) override;

protected:
    bool CheckFields() override;
    int WriteRecord() override;
    TWinControl* FirstField() const override;

private:
    void SetParams(TSqlStatement& statement, const String& code);
};
