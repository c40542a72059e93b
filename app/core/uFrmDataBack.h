// The backup window (action 104, 数据备份恢复), "数据备份及恢复": the backup folder with the folder
// chooser, the automatic backup schedule, and the buttons 备份 (DataBackup.h), 恢复 (a chosen
// backup over the database, behind the access code), 确定 (the folder and schedule saved) and 关闭.
#pragma once

#include "gui/Forms.h"

class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TOpenDialog;
class TRadioGroup;

inline const String RestoreAccessCode = "864209";
inline const String DataBackCaption = "数据备份及恢复";
inline const String RestoringCaption = "正在恢复数据....";
inline const String MsgRestoreCodeWrong = "对不起,恢复密码错误，你没有恢复数据的权限！";
inline const String MsgRestoreQuestion = "此操作将使上次备份以来的所有数据丢失，是否继续？";
inline const String MsgRestoreNotBackup = "所选文件不是有效的备份文件，数据未恢复！";
inline const String MsgDatabaseInUse = "数据库正在被使用！请确定已关闭其它使用该数据库程序！";
inline const String MsgRestoreFailed = "恢复失败！";
inline const String MsgRestoreRestart = "数据恢复成功,重新启动当前程序吗？";
inline const String MsgRestoreBroken = "恢复失败,数据文件已破坏，请联系技术人员处理...";
inline const String BackupFileFilter = "备份文件 (*.back)|*.back|所有文件 (*.*)|*.*";

class TFrmDataBack : public TForm {
public:
    explicit TFrmDataBack(TComponent* AOwner);
    String ClassName() const override { return "TFrmDataBack"; }

    TGroupBox* gbPath;
    TEdit* edtBackPath;
    TButton* btnSelectPath;
    TLabel* lblNote;
    TRadioGroup* rgAutoBackup;
    TButton* btnBackup;
    TButton* btnRestore;
    TButton* btnOk;
    TButton* btnClose;
    TOpenDialog* OpenDialog1;

    // "备份": the edit's folder as it stands (not saved).
    void btnBackupClick();
    // "恢复": the access code through the input box; the connection closed; a chosen file checked
    // (opens with the database password, intact, every table of the schema) before it replaces
    // the database in one step, refused while another program has the database open; on success
    // the program ends (answer 1) or connects again (answer 2). "恢复" is enabled again and the
    // caption put back however it ends.
    void btnRestoreClick();
    // "确定": the folder (trimmed) made when missing and saved, the schedule written to ibak; the
    // window says so and closes only when both were stored.
    void btnOkClick();
    // The folder button: the chooser opens on the edit's folder.
    void btnSelectPathClick();

protected:
    void DoShow() override;

private:
    void Restore(const String& file);
};

// Lets action 104 open the window, action 106 compact, and the start run the automatic backup.
void RegisterDataBackWindow();
