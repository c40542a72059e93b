// The operator list (action 103, 用户权限管理): operators with their description and estate
// scope. Any holder of right 103 adds operators; only "admin" edits and deletes them, and the
// operator "admin" itself can be neither edited nor deleted.
#pragma once

#include "gui/Forms.h"

class TADOQuery;
class TButton;
class TCheckBox;
class TDataSource;
class TDBGridGx;
class TEdit;
class TLabel;
class TMemo;
class TPanel;
class TRadioGroup;

inline const String MsgListEmptyNothingToEdit = "此表为空，没有记录需要修改！";
inline const String MsgAdminCannotBeEdited = "此用户为系统默认用户，不能修改和编辑！";
inline const String MsgAdminCannotBeDeleted = "此用户为系统默认用户，不能删除！";

// The question before an operator is deleted: 真的要删除当前操作员 "li" 吗？
String DeleteOperatorQuestion(const String& name);

class TfrmOperGl : public TForm {
public:
    explicit TfrmOperGl(TComponent* AOwner);
    ~TfrmOperGl() override;
    String ClassName() const override { return "TfrmOperGl"; }

    TADOQuery* QryTable;
    TDataSource* dsTable;
    TDBGridGx* DBGridGx1;
    TMemo* DBMemo1;
    TCheckBox* chkShowDisabled;
    TPanel* pScope;
    TRadioGroup* rgXQflag;
    TEdit* edtXQname;
    TButton* btnNew;
    TButton* btnEdit;
    TButton* btnDelete;
    TButton* btnClose;

    // Opens the list again: enabled operators, or all with "显示禁用操作员", by F_ID.
    void RefreshOperList();
    // Moves to the operator of the name (case ignored); false when it is not listed.
    bool LocateOperator(const String& name);
    void btnNewClick();
    void btnEditClick();
    void btnDeleteClick();

protected:
    void DoShow() override;

private:
    // The description and scope of the current operator.
    void ShowCurrent();
    // Creates the editor, runs it for a new operator (false) or the current one (true), frees it.
    void RunEditor(bool editing);
};
