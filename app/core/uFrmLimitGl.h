// The operator editor: name, password and its confirmation, description, the rights in two
// columns, the estate scope (all estates or a chosen list) and the disabled flag. In add mode it
// saves operator after operator until closed; in edit mode one save closes it. Each save writes
// the operator row and all of its right rows in one transaction.
#pragma once

#include "gui/Forms.h"

class TButton;
class TCheckBox;
class TCheckListBox;
class TComboBox;
class TEdit;
class TMemo;
class TPanel;
class TRadioGroup;
class TfrmOperGl;

inline const String MsgOperatorNameEmpty = "操作员名称不能为空！";
inline const String MsgPasswordsDiffer = "验正码不正确，请重新确认输入！";
inline const String MsgOperatorNameTaken = "操作员名称重复，请重新输入！";

class TFrmLimitGl : public TForm {
public:
    // The list window owns the editor; a save reopens its list on the saved operator.
    explicit TFrmLimitGl(TfrmOperGl* list);
    String ClassName() const override { return "TFrmLimitGl"; }

    TComboBox* cbbName;
    TEdit* edtPassWord;
    TEdit* edtRepPass;
    TMemo* Mem1;
    TCheckListBox* clbOperLimt;
    TRadioGroup* rgXQflag;
    TPanel* pXQname;
    TEdit* edtXQname;
    TButton* sbDept;
    TCheckBox* chkFlag;
    TButton* btnSave;
    TButton* btnClose;
    TButton* btnAll;
    TButton* btnNone;

    bool Editing() const { return FEditing; }
    // Fills the rights offered, loads the operator (editing) or blanks, shows the editor modally.
    int ShowOperatorEditor(bool editing);
    // Fills the rights from Limits (offered ones, table order).
    void FillRights();
    void LoadOperator(bool editing);
    // "保存": every failure is shown; false when nothing was saved.
    bool btnSaveClick();
    void sbDeptClick();

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;

private:
    void ShowScopePanel();
    TfrmOperGl* FList;
    bool FEditing = false;
};
