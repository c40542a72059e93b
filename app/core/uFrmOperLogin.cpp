#include "app/core/uFrmOperLogin.h"

#include "app/core/AppConfig.h"
#include "app/core/DataDm.h"
#include "app/core/EstateScope.h"
#include "app/core/PubUnit.h"
#include "app/core/Rights.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmMain.h"

#include "gui/StdCtrls.h"
#include "rtl/StrUtils.h"

#include <memory>

TfrmOperLogin::TfrmOperLogin(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmOperLogin");
    SetCaption("登录窗口");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{});
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    SetClientWidth(360);
    SetClientHeight(170);

    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetAutoSize(false);
    Label1->SetWordWrap(true);
    Label1->SetBounds(16, 12, 330, 36);
    Label1->SetCaption("请输入正确的操作员编号及密码，系统超级用户“admin”，系统初始密码为空：");

    Label2 = new TLabel(this);
    Label2->SetParent(this);
    Label2->SetBounds(40, 62, 60, 20);
    Label2->SetCaption("姓  名：");
    cbbOperName = new TComboBox(this);
    cbbOperName->SetName("cbbOperName");
    cbbOperName->SetParent(this);
    cbbOperName->SetBounds(104, 58, 200, 24);

    Label3 = new TLabel(this);
    Label3->SetParent(this);
    Label3->SetBounds(40, 96, 60, 20);
    Label3->SetCaption("密  码：");
    edtPassWord = new TEdit(this);
    edtPassWord->SetName("edtPassWord");
    edtPassWord->SetParent(this);
    edtPassWord->SetBounds(104, 92, 200, 24);
    edtPassWord->SetPasswordChar('*');

    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(104, 132, 80, 26);
    btnOk->SetCaption("确定");
    btnOk->OnClick = [this](TObject*) { btnOkClick(); };
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(224, 132, 80, 26);
    btnCancel->SetCaption("取消");
    btnCancel->OnClick = [this](TObject*) { btnCancelClick(); };

    // Enter in the name list moves to the password; Enter in the password confirms.
    cbbOperName->OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_RETURN) {
            key = 0;
            edtPassWord->SetFocus();
        }
    };
    edtPassWord->OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_RETURN) {
            key = 0;
            btnOkClick();
        }
    };
    // The dialog closes only through its buttons (Alt+F4 and the window's close box do nothing).
    OnCloseQuery = [this](TObject*, bool& canClose) { canClose = FClosingByButton; };

    FCheck.EnabledOperatorId = [](const String& name) {
        return dmData->GetInteger(EnabledOperatorSQL(name));
    };
    FCheck.StoredPassword = [](const String& name) -> std::optional<String> {
        String stored;
        if (!dmData->TryGetString(StoredPasswordSQL(name), stored)) return std::nullopt;
        return stored;
    };
    SetActiveControl(cbbOperName);
    DoCreate();
}

void TfrmOperLogin::PrepareLogin() {
    dmData->FillCombo(OperatorListSQL, *cbbOperName->Items());
    cbbOperName->SetText(IniFile ? ReadCurOperName(*IniFile) : String());
}

void TfrmOperLogin::DoShow() {
    TForm::DoShow();
    cbbOperName->SelectAll();
}

void TfrmOperLogin::CloseWith(TModalResult result) {
    FClosingByButton = true;
    SetModalResult(result);
}

void TfrmOperLogin::btnOkClick() {
    switch (FCheck.Check(cbbOperName->Text(), edtPassWord->Text())) {
    case TLoginResult::EmptyName:
        ShowMess("请选择用户！", 0);
        cbbOperName->SetFocus();
        return;
    case TLoginResult::UnknownOperator:
        ShowMess("此操作员并不存在，请重新选择操作员！", 0);
        cbbOperName->SetFocus();
        return;
    case TLoginResult::Accepted:
        // A scope that cannot be read keeps the dialog open: the operator must not get every
        // estate in its place.
        if (!ApplyLogin(cbbOperName->Text())) return;
        CloseWith(mrOk);
        return;
    case TLoginResult::WrongPassword:
        ShowMess("用户名或密码不正确，请重新输入！", 0);
        return;
    case TLoginResult::Failed:
        if (Mode == 1) {
            dmData->WriteLog("更换操作员失败！");
            ShowMess("更换操作员失败!", 3);
        } else {
            dmData->WriteLog("登录失败！");
            ShowMess("非法操作员!", 3);
            Application()->Terminate();
        }
        CloseWith(mrCancel);
        return;
    }
}

void TfrmOperLogin::btnCancelClick() {
    if (Mode != 1) Application()->Terminate();
    CloseWith(mrCancel);
}

bool ApplyLogin(const String& typedName) {
    const String name = Trim(typedName);
    int scopeFlag = 0;
    String scopeList;
    if (!IsAdminName(name) && !dmData->ReadOperatorScope(name, scopeFlag, scopeList)) return false;
    OperName = name;
    // Remembering the name is a convenience: a settings file that cannot be written (neither
    // beside the program nor in the user's folder) does not keep the operator out.
    if (IniFile) {
        try {
            WriteCurOperName(*IniFile, OperName);
        } catch (const EIniFileException&) {
        }
    }
    XQScopeSQL.clear();
    XQNameScopeSQL.clear();
    XQScopeFlag = scopeFlag;
    OperXQList = scopeList;
    if (XQScopeFlag == 1) {
        XQScopeSQL = BuildXQScopeSQL(OperXQList);
        XQNameScopeSQL = BuildXQNameScopeSQL(OperXQList);
    }
    const std::vector<int> visible =
        VisibleActions(OperName, [](const String& code) { return dmData->HasRight(code); });
    IsAdmin = IsAdminName(OperName);
    if (FrmMain) {
        FrmMain->SetLimits(visible);
        FrmMain->ShowOperator();
    }
    return true;
}

std::unique_ptr<TfrmOperLogin> PrepareLoginDialog(int mode) {
    auto dialog = std::make_unique<TfrmOperLogin>(Application());
    dialog->Mode = mode;
    dialog->PrepareLogin();
    return dialog;
}

bool RunLogin(std::unique_ptr<TfrmOperLogin> dialog) {
    return dialog->ShowModal() == mrOk;
}

bool ShowLogin(int mode) {
    return RunLogin(PrepareLoginDialog(mode));
}
