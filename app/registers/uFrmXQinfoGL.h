// The estate register (action 201, 小区信息设置): every estate of T_XQinfo, whatever the
// operator's scope, edited in a panel above the grid instead of a dialog; 保存 and 取消 end the
// edit. A changed name renames the estate everywhere in the save's transaction (EstateRename.h).
// Names are unique (trimmed, any case) and never empty; an estate that rows still name is not
// deleted.
//
//   uFrmXQinfoGL.cpp      the window, the panel, browse and edit modes
//   uFrmXQinfoGLSave.cpp  保存 and the guarded deletion
#pragma once

#include "app/registers/ListWindow.h"
#include "app/registers/SaveTransaction.h"

class TPanel;
class TGroupBox;
class TEdit;
class TComboBox;
class TMemo;
class TKxCalcEdit;

inline const String MsgEstateCodeEmpty = "小区编号不能为空！";
inline const String MsgEstateCodeTaken = "小区编号重复，请重新输入！";
inline const String MsgEstateNameEmpty = "小区名称不能为空！";
inline const String MsgEstateNameTaken = "小区名称重复，请重新输入！";

class TfrmXQinfoGL : public TListWindow {
public:
    explicit TfrmXQinfoGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmXQinfoGL"; }

    TToolButton* tbSave;
    TToolButton* tbCancel;
    TPanel* Panel1;
    TGroupBox* GroupBox1;
    TEdit* edtCode;
    TEdit* edtName;
    TEdit* edtAddress;
    TKxCalcEdit* rceLDamount;
    TKxCalcEdit* rceDYamount;
    TKxCalcEdit* rceFJamount;
    TMemo* mem1;
    TMemo* mem2;
    TComboBox* cbbLCjiegou;

    // The panel from the current row (fromRow) or emptied for a new estate.
    void LoadEstatePanel(bool fromRow);
    // Browse: panel hidden, list and its commands on, 保存 and 取消 off; edit: the reverse.
    void SetEstatePanelMode(bool browse);
    // 保存: true when the estate was written.
    bool SaveEstate();
    void CancelClick();
    bool Editing() const { return FEditFlag; }
    const String& LoadedName() const { return FLoadedName; }

    void NewClick() override;
    void EditClick() override;

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
    bool ConfirmDelete(const String& question) override;
    int DependentRows(int id) const override;
    String RefusedDeleteMessage(int count) const override;
    bool HandleListKey(Word key, TShiftState shift) override;

private:
    bool CheckEstateFields();
    void WriteEstate(int& id);
    bool FEditFlag = false;
    String FLoadedName;   // F_name of the row last loaded, as stored: the old name of a rename
    TRowSnapshot FLoaded; // that row as loaded
};
