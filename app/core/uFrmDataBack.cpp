#include "app/core/uFrmDataBack.h"

#include "app/core/AppConfig.h"
#include "app/core/DataBackup.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"
#include "app/core/uDlgSelectPath.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmSysInfoGl.h"

#include "db/ADODB.h"
#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"
#include "rtl/StringList.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

namespace {

TButton* NewButton(TForm* form, const char* name, const String& caption, int left, int top) {
    TButton* button = new TButton(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetBounds(left, top, 80, 26);
    button->SetCaption(caption);
    return button;
}

} // namespace

TFrmDataBack::TFrmDataBack(TComponent* AOwner) : TForm(AOwner) {
    SetName("FrmDataBack");
    SetCaption(DataBackCaption);
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(440);
    SetClientHeight(292);

    gbPath = new TGroupBox(this);
    gbPath->SetName("gbPath");
    gbPath->SetParent(this);
    gbPath->SetBounds(12, 8, 416, 92);
    gbPath->SetCaption("备份路径");
    edtBackPath = new TEdit(this);
    edtBackPath->SetName("edtBackPath");
    edtBackPath->SetParent(gbPath);
    edtBackPath->SetBounds(12, 26, 352, 24);
    btnSelectPath = new TButton(this);
    btnSelectPath->SetName("btnSelectPath");
    btnSelectPath->SetParent(gbPath);
    btnSelectPath->SetBounds(370, 25, 34, 26);
    btnSelectPath->SetCaption("...");
    btnSelectPath->OnClick = [this](TObject*) { btnSelectPathClick(); };
    lblNote = new TLabel(this);
    lblNote->SetName("lblNote");
    lblNote->SetParent(gbPath);
    lblNote->SetBounds(12, 60, 392, 20);
    lblNote->Font()->SetColor(clRed);
    lblNote->SetCaption("注意：路径指的是数据库所在机器上的目录");

    rgAutoBackup = new TRadioGroup(this);
    rgAutoBackup->SetName("rgAutoBackup");
    rgAutoBackup->SetParent(this);
    rgAutoBackup->SetBounds(12, 108, 416, 128);
    rgAutoBackup->SetCaption("自动备份");
    for (const char* item : {"不备份", "每次系统启动备份", "每周星期一备份", "每月一号备份"})
        rgAutoBackup->Items()->Add(item);

    btnBackup = NewButton(this, "btnBackup", "备份", 12, 252);
    btnBackup->OnClick = [this](TObject*) { btnBackupClick(); };
    btnRestore = NewButton(this, "btnRestore", "恢复", 100, 252);
    btnRestore->OnClick = [this](TObject*) { btnRestoreClick(); };
    btnOk = NewButton(this, "btnOk", "确定", 260, 252);
    btnOk->OnClick = [this](TObject*) { btnOkClick(); };
    btnClose = NewButton(this, "btnClose", "关闭", 348, 252);
    btnClose->SetModalResult(mrCancel);
    btnClose->SetCancel(true);

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName("OpenDialog1");
    OpenDialog1->SetFilter(BackupFileFilter);
    DoCreate();
}

void TFrmDataBack::DoShow() {
    edtBackPath->SetText(dmData->GetString("Select F_BakPath from SysInfo"));
    rgAutoBackup->SetItemIndex(AutoBackupMode >= 0 && AutoBackupMode <= 3 ? AutoBackupMode : -1);
    TForm::DoShow();
}

void TFrmDataBack::btnSelectPathClick() {
    const String current = Trim(edtBackPath->Text());
    const String chosen = SelectFolder(current, this);
    if (chosen != current) edtBackPath->SetText(chosen);
}

void TFrmDataBack::btnBackupClick() {
    BackupDatabase(edtBackPath->Text());
}

void TFrmDataBack::btnOkClick() {
    const String folder = Trim(edtBackPath->Text());
    const TBackupFolderState state = PrepareBackupFolder(folder, false);
    if (state == TBackupFolderState::Declined) edtBackPath->SetFocus();
    if (state != TBackupFolderState::Exists) return;
    // The folder goes in as a parameter: quotes and percent signs are part of it.
    try {
        TADOQuery* query = dmData->QryPub();
        if (!dmData->ADOcnn()->Connected()) dmData->ADOcnn()->Open();
        query->Close();
        query->SQL()->SetText("update sysInfo set F_bakPath = :path");
        query->Parameters()->ParamByName("path")->SetValue(folder);
        query->ExecSQL();
    } catch (const Exception&) {
        ShowMess(MsgOperationFailed, 3);
        return;
    }
    const int mode = rgAutoBackup->ItemIndex();
    IniFile->WriteInteger("config", "ibak", mode);
    AutoBackupMode = mode;
    ShowMess(MsgSettingsSaved, 0);
    SetModalResult(mrOk);
}

void TFrmDataBack::btnRestoreClick() {
    String code;
    if (!InputQuery("密码提示", "请输入恢复密码", code)) return;
    if (code != RestoreAccessCode) {
        ShowMess(MsgRestoreCodeWrong, 3);
        return;
    }
    dmData->ADOcnn()->Close();
    btnRestore->SetEnabled(false);
    SetCaption(RestoringCaption);
    TScopeExit restoreState([this] {
        btnRestore->SetEnabled(true);
        SetCaption(DataBackCaption);
    });
    OpenDialog1->SetFileName("");
    OpenDialog1->SetInitialDir(BackupFolderPath(edtBackPath->Text()));
    if (!OpenDialog1->Execute()) return;
    if (ShowMess(MsgRestoreQuestion, 1) != 1) return;
    Restore(OpenDialog1->FileName());
}

void TFrmDataBack::Restore(const String& file) {
    TADOConnection* connection = dmData->ADOcnn();
    {
        Screen()->SetCursor(crHourGlass);
        TScopeExit normalCursor([] { Screen()->SetCursor(crDefault); });
        try {
            TADOConnection::CheckDatabaseFile(file, connection->DatabasePassword(), DefaultDatabaseTables());
        } catch (const Exception&) {
            Screen()->SetCursor(crDefault);
            ShowMess(MsgRestoreNotBackup, 3);
            return;
        }
        try {
            connection->RestoreFrom(file);
            connection->Close();
        } catch (const Exception&) {
            connection->Close();
            Screen()->SetCursor(crDefault);
            ShowMess(MsgDatabaseInUse, 2);
            ShowMess(MsgRestoreFailed, 3);
            return;
        }
    }
    if (ShowMess(MsgRestoreRestart, 1) == 2) {
        try {
            connection->Close();
            connection->Open();
        } catch (const Exception&) {
            ShowMess(MsgRestoreBroken, 3);
        }
        return;
    }
    // The program ends without the exit question; the user starts it again.
    Application()->Terminate();
}

void RegisterDataBackWindow() {
    RegisterActionWindow(104, ModalActionWindow<TFrmDataBack>(1));
    RegisterDataBackup();
}
