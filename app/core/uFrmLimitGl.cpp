#include "app/core/uFrmLimitGl.h"

#include "app/core/AppErrors.h"
#include "app/core/DataDm.h"
#include "app/core/EstateScope.h"
#include "app/core/FormControls.h"
#include "app/core/TypedInput.h"
#include "app/core/Vardessa.h"
#include "app/core/uDLGselectXQname.h"
#include "app/core/uFrmModPass.h"
#include "app/core/uFrmOperGl.h"

#include "db/ADODB.h"
#include "db/DB.h"
#include "gui/CheckLst.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"

#include <memory>

namespace {

// A refusal inside the save: its message and the box to put the focus on.
struct TSaveRefusal {
    String Message;
    TWinControl* Focus;
};

void ExecWith(TADOQuery* query, const String& sql,
              const std::vector<std::pair<const char*, Variant>>& params) {
    query->Close();
    query->SQL()->SetText(sql);
    for (const auto& [name, value] : params)
        query->Parameters()->ParamByName(name)->SetValue(value);
    query->ExecSQL();
}

} // namespace

TFrmLimitGl::TFrmLimitGl(TfrmOperGl* list) : TForm(list), FList(list) {
    SetName("FrmLimitGl");
    SetCaption("操作员");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetKeyPreview(true);
    SetClientWidth(560);
    SetClientHeight(420);

    cbbName = AddCombo(this, this, "cbbName", "用户名称：", 12, 12, 180,
                       "select distinct F_name from t_code where (F_name <> '') and F_type = 'empname' ");
    edtPassWord = AddEdit(this, this, "edtPassWord", "初始密码：", 12, 44, 180);
    edtRepPass = AddEdit(this, this, "edtRepPass", "密码确认：", 12, 76, 180);
    for (TEdit* edit : {edtPassWord, edtRepPass}) {
        edit->SetPasswordChar('*');
        edit->SetMaxLength(MaxPasswordBytes);
    }
    Mem1 = AddMemo(this, this, "Mem1", "详细描述：", 12, 108, 180, 96);

    chkFlag = new TCheckBox(this);
    chkFlag->SetName("chkFlag");
    chkFlag->SetParent(this);
    chkFlag->SetBounds(82, 212, 120, 20);
    chkFlag->SetCaption("用户禁用");

    rgXQflag = new TRadioGroup(this);
    rgXQflag->SetName("rgXQflag");
    rgXQflag->SetParent(this);
    rgXQflag->SetBounds(12, 240, 250, 70);
    rgXQflag->SetCaption("小区范围");
    rgXQflag->Items()->Add("全部 全部 小区");
    rgXQflag->Items()->Add("显示 部分 小区");
    rgXQflag->SetItemIndex(0);
    rgXQflag->OnClick = [this](TObject*) { ShowScopePanel(); };
    pXQname = new TPanel(this);
    pXQname->SetName("pXQname");
    pXQname->SetParent(this);
    pXQname->SetBounds(12, 316, 250, 32);
    pXQname->SetCaption("");
    pXQname->SetBevelOuter(bvNone);
    edtXQname = new TEdit(this);
    edtXQname->SetName("edtXQname");
    edtXQname->SetParent(pXQname);
    edtXQname->SetBounds(0, 5, 214, 22);
    edtXQname->SetText("");
    sbDept = new TButton(this);
    sbDept->SetName("sbDept");
    sbDept->SetParent(pXQname);
    sbDept->SetBounds(218, 4, 30, 24);
    sbDept->SetCaption("...");
    sbDept->OnClick = [this](TObject*) { sbDeptClick(); };
    pXQname->SetVisible(false);

    auto* lblRights = new TLabel(this);
    lblRights->SetParent(this);
    lblRights->SetBounds(278, 16, 100, 16);
    lblRights->SetCaption("权限属性：");
    clbOperLimt = new TCheckListBox(this);
    clbOperLimt->SetName("clbOperLimt");
    clbOperLimt->SetParent(this);
    clbOperLimt->SetBounds(278, 36, 270, 312);
    clbOperLimt->SetColumns(2);

    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new TButton(this);
        b->SetName(name);
        b->SetParent(this);
        b->SetBounds(left, 380, 80, 26);
        b->SetCaption(caption);
        return b;
    };
    btnAll = button("btnAll", "全选", 12);
    btnAll->OnClick = [this](TObject*) {
        for (int i = 0; i < clbOperLimt->Count(); ++i)
            clbOperLimt->SetChecked(i, true);
    };
    btnNone = button("btnNone", "清除", 100);
    btnNone->OnClick = [this](TObject*) {
        for (int i = 0; i < clbOperLimt->Count(); ++i)
            clbOperLimt->SetChecked(i, false);
    };
    btnSave = button("btnSave", "保存", 380);
    btnSave->OnClick = [this](TObject*) { btnSaveClick(); };
    btnClose = button("btnClose", "关闭", 468);
    btnClose->SetModalResult(mrCancel);
    btnClose->SetCancel(true);
    DoCreate();

    LimitToColumns("OperList", {{cbbName, "F_Name"}});
}

int TFrmLimitGl::ShowOperatorEditor(bool editing) {
    FillRights();
    LoadOperator(editing);
    return ShowModal();
}

void TFrmLimitGl::FillRights() {
    clbOperLimt->Items()->Clear();
    TADOQuery* query = dmData->QryPub();
    if (!dmData->OpenSQL("select * from limits where F_flag = true", query)) return;
    for (query->First(); !query->Eof(); query->Next())
        clbOperLimt->Items()->Add(query->FieldByName("F_name")->AsString());
    query->Close();
}

void TFrmLimitGl::LoadOperator(bool editing) {
    FEditing = editing;
    for (int i = 0; i < clbOperLimt->Count(); ++i)
        clbOperLimt->SetChecked(i, false);
    if (!editing) {
        cbbName->SetText("");
        edtPassWord->SetText("");
        edtRepPass->SetText("");
        Mem1->SetText("");
        chkFlag->SetChecked(false);
        rgXQflag->SetItemIndex(0);
        edtXQname->SetText("");
        pXQname->SetVisible(false);
        return;
    }
    TADOQuery* row = FList->QryTable;
    const String name = row->FieldByName("F_name")->AsString();
    cbbName->SetText(name);
    const String password = GetPass(row->FieldByName("F_Password")->AsString());
    edtPassWord->SetText(password);
    edtRepPass->SetText(password);
    chkFlag->SetChecked(row->FieldByName("F_Flag")->AsBoolean());
    Mem1->SetText(row->FieldByName("F_mem")->AsString());
    TADOQuery* rights = dmData->QryPub();
    rights->Close();
    rights->SQL()->SetText("select * from OperLimit where F_OperName = :name ");
    rights->Parameters()->ParamByName("name")->SetValue(TypedText(name));
    try {
        rights->Open();
        for (rights->First(); !rights->Eof(); rights->Next()) {
            const int index = clbOperLimt->Items()->IndexOf(rights->FieldByName("F_lmtName")->AsString());
            if (index >= 0) clbOperLimt->SetChecked(index, true);
        }
    } catch (const std::exception&) {
        ShowMess(MsgOpenFailed, 3);
    }
    rights->Close();
    const int flag = row->FieldByName("F_XQflag")->AsInteger();
    rgXQflag->SetItemIndex(flag);
    edtXQname->SetText(flag == 1 ? row->FieldByName("F_XQname")->AsString() : String());
    pXQname->SetVisible(flag == 1);
}

void TFrmLimitGl::ShowScopePanel() {
    pXQname->SetVisible(rgXQflag->ItemIndex() == 1);
}

void TFrmLimitGl::sbDeptClick() {
    auto chooser = std::make_unique<TDLGselectXQname>(this);
    chooser->SetCaption("小区名称列表");
    edtXQname->SetText(chooser->SelectEstates(TypedText(edtXQname->Text())));
}

bool TFrmLimitGl::btnSaveClick() {
    const int id = FEditing ? FList->QryTable->FieldByName("F_ID")->AsInteger() : 0;
    const String name = TypedText(cbbName->Text());
    if (name.empty()) {
        ShowMess(MsgOperatorNameEmpty, 0);
        cbbName->SetFocus();
        return false;
    }
    const String password = TypedMemo(edtPassWord->Text());
    if (password != TypedMemo(edtRepPass->Text())) {
        ShowMess(MsgPasswordsDiffer, 0);
        edtRepPass->SetFocus();
        return false;
    }
    if (!PasswordFits(password)) {
        ShowMess(MsgPasswordTooLong, 0);
        edtPassWord->SetFocus();
        return false;
    }
    const int flag = rgXQflag->ItemIndex() == 1 ? 1 : 0;
    const String estates = flag == 1 ? FormatXQList(ParseXQList(TypedText(edtXQname->Text()))) : String();
    std::vector<String> rights;
    for (int i = 0; i < clbOperLimt->Count(); ++i)
        if (clbOperLimt->Checked(i)) rights.push_back(clbOperLimt->Items()->Strings(i));

    TADOConnection* connection = dmData->ADOcnn();
    TADOQuery* query = dmData->QryPub();
    bool begun = false;
    auto rollBack = [&] {
        query->Close();
        if (!begun) return;
        try {
            connection->RollbackTrans();
        } catch (const std::exception&) {
            // The connection is gone and the transaction with it.
        }
    };
    try {
        if (!connection->Connected()) connection->Open();
        connection->BeginTrans();
        begun = true;
        // The name must be free: another operator of the name (in any letter case) refuses it.
        // The unique index refuses it too when another station wrote it meanwhile.
        query->Close();
        query->SQL()->SetText("Select F_ID from OperList Where F_Name = :name ");
        query->Parameters()->ParamByName("name")->SetValue(name);
        query->Open();
        const int found = query->IsEmpty() ? 0 : query->FieldByName("F_ID")->AsInteger();
        query->Close();
        if (found > 0 && (!FEditing || found != id)) throw TSaveRefusal{MsgOperatorNameTaken, cbbName};
        const std::vector<std::pair<const char*, Variant>> values = {{"fName", name},
                                                                     {"fPassword", SavePass(password)},
                                                                     {"mem", TypedMemo(Mem1->Text())},
                                                                     {"fFlag", chkFlag->Checked()},
                                                                     {"XQflag", flag},
                                                                     {"XQname", estates}};
        if (FEditing) {
            auto params = values;
            params.emplace_back("iID", id);
            ExecWith(query,
                     "Update OperList Set F_Name = :fName,F_Password = :fPassword, F_mem = :mem,F_Flag = "
                     ":fFlag,F_XQflag = :XQflag,F_XQname = :XQname Where F_ID = :iID",
                     params);
            // Another station deleted the operator meanwhile: nothing to update.
            if (query->RowsAffected() == 0) throw TSaveRefusal{MsgRecordChanged, nullptr};
        } else {
            ExecWith(query,
                     "Insert into OperList(F_Name,F_password,F_mem,F_flag,F_XQflag,F_XQname) "
                     "Values(:fName,:fPassword,:mem,:fFlag,:XQflag,:XQname) ",
                     values);
        }
        ExecWith(query, "delete from OperLimit where F_OperName = :name ", {{"name", name}});
        for (const String& right : rights)
            ExecWith(query, "insert into OperLimit(F_OperName,F_lmtName)Values(:name,:right)",
                     {{"name", name}, {"right", right}});
        query->Close();
        connection->CommitTrans();
    } catch (const TSaveRefusal& refusal) {
        rollBack();
        ShowMess(refusal.Message, refusal.Message == MsgRecordChanged ? 3 : 0);
        if (refusal.Focus && refusal.Focus->CanFocus()) refusal.Focus->SetFocus();
        return false;
    } catch (const EDatabaseKeyViolation&) {
        rollBack();
        ShowMess(MsgOperatorNameTaken, 0);
        if (cbbName->CanFocus()) cbbName->SetFocus();
        return false;
    } catch (const std::exception&) {
        rollBack();
        ShowMess(MsgSaveFailed, 3);
        return false;
    }
    FList->RefreshOperList();
    FList->LocateOperator(name);
    if (FEditing) {
        SetModalResult(mrOk);
    } else {
        LoadOperator(false);
        if (cbbName->CanFocus()) cbbName->SetFocus();
    }
    return true;
}

void TFrmLimitGl::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && !Shift.Contains(ssCtrl) && !dynamic_cast<TCustomMemo*>(ActiveControl())) {
        Key = 0;
        SelectNext(ActiveControl(), true, true);
        return;
    }
    TForm::KeyDown(Key, Shift);
}

void TFrmLimitGl::KeyPress(char16_t& Key) {
    if (Key == u'\r' && !dynamic_cast<TCustomMemo*>(ActiveControl())) Key = 0;
    TForm::KeyPress(Key);
}
