#include "app/core/uFrmModPass.h"

#include "app/core/DataDm.h"
#include "app/core/FormControls.h"
#include "app/core/PubUnit.h"
#include "app/core/TypedInput.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"
#include "rtl/ScopeGuards.h"

bool PasswordFits(const String& clear) {
    return SavePass(clear).size() <= 255;
}

TfrmModPass::TfrmModPass(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmModPass");
    SetCaption("更改当前用户密码");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetKeyPreview(true);
    SetClientWidth(300);
    SetClientHeight(188);

    lblOper = new TLabel(this);
    lblOper->SetName("lblOper");
    lblOper->SetParent(this);
    lblOper->SetBounds(24, 14, 260, 18);
    lblOper->SetCaption("当前操作员：" + OperName + " ");
    edtOldPass = AddEdit(this, this, "edtOldPass", "旧密码：", 30, 42, 170);
    edtNewPass = AddEdit(this, this, "edtNewPass", "新密码：", 30, 74, 170);
    edtAdjustPass = AddEdit(this, this, "edtAdjustPass", "再输一遍：", 30, 106, 170);
    for (TEdit* edit : {edtOldPass, edtNewPass, edtAdjustPass}) {
        edit->SetPasswordChar('*');
        edit->SetMaxLength(MaxPasswordBytes);
    }

    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(106, 148, 84, 26);
    btnOk->SetCaption("确定(&O)");
    btnOk->OnClick = [this](TObject*) { btnOkClick(); };
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(200, 148, 84, 26);
    btnCancel->SetCaption("取消(&C)");
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetCancel(true);
    DoCreate();
}

void TfrmModPass::btnOkClick() {
    TScopeExit close([this] { SetModalResult(mrOk); });
    TADOQuery query;
    query.SetConnection(dmData->ADOcnn());
    query.SQL()->SetText("Select F_ID,F_PassWord From OperList Where (F_Name = :name)");
    query.Parameters()->ParamByName("name")->SetValue(OperName);
    query.Open();
    if (query.IsEmpty()) return;
    if (GetPass(query.FieldByName("F_PassWord")->AsString()) != TypedMemo(edtOldPass->Text())) {
        ShowMess(MsgOldPasswordWrong, 2);
        return;
    }
    // The login compares the password exactly as typed, so the two must be equal as typed: a
    // blank typed once would otherwise be stored and lock the operator out.
    const String fresh = TypedMemo(edtNewPass->Text());
    if (fresh != TypedMemo(edtAdjustPass->Text())) {
        ShowMess(MsgNewPasswordWrong, 0);
        return;
    }
    if (!PasswordFits(fresh)) {
        ShowMess(MsgPasswordTooLong, 0);
        return;
    }
    const int id = query.FieldByName("F_ID")->AsInteger();
    query.Close();
    query.SQL()->SetText("Update OperList Set F_PassWord = :pass Where F_ID = :id");
    query.Parameters()->ParamByName("pass")->SetValue(SavePass(fresh));
    query.Parameters()->ParamByName("id")->SetValue(id);
    query.ExecSQL();
    ShowMess(MsgPasswordChanged, 0);
}

void TfrmModPass::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && !Shift.Contains(ssCtrl)) {
        Key = 0;
        SelectNext(ActiveControl(), true, true);
        return;
    }
    TForm::KeyDown(Key, Shift);
}

void TfrmModPass::KeyPress(char16_t& Key) {
    if (Key == u'\r') Key = 0;
    TForm::KeyPress(Key);
}
