#include "app/core/DataBackup.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmMain.h"

#include "db/ADODB.h"
#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {

// What SysInfo.F_BakPath keeps.
constexpr int kFolderLimit = 255;

bool LegalFolder(const String& typed) {
    if (typed.empty() || Utf8Length(typed) > kFolderLimit) return false;
    for (unsigned char c : typed)
        if (c < 0x20 || c == 0x7f) return false;
    return true;
}

// A folder as a message shows it: control characters as "?", and no longer than what could be
// a folder of ours.
String ShownFolder(const String& folder) {
    String shown;
    for (unsigned char c : folder)
        shown += (c < 0x20 || c == 0x7f) ? '?' : static_cast<char>(c);
    if (Utf8Length(shown) > kFolderLimit) shown = Utf8Copy(shown, 1, kFolderLimit) + "…";
    return shown;
}

String OverwriteQuestion(const String& file) {
    return "备份文件 \"" + file + "\" 已经存在，\n真的要复盖当前备份吗？";
}

} // namespace

String BackupFolderPath(const String& typed) {
    String folder = NormalizePath(Trim(typed));
    if (folder.empty()) return folder;
    if (folder[0] != '/') folder = ProgramFolder() + folder;
    return ExcludeTrailingPathDelimiter(folder);
}

String BackupFileName(const String& folder, TDateTime day) {
    return IncludeTrailingPathDelimiter(folder) + "dp" + FormatDateTime("yyyymmdd", day) + ".back";
}

String LiveDatabaseFile() {
    return NormalizePath(dmData->ADOcnn()->DataSourceFile());
}

TBackupFolderState PrepareBackupFolder(const String& typed, bool blankBeforeFailure) {
    const String trimmed = Trim(typed);
    const String folder = LegalFolder(trimmed) ? BackupFolderPath(trimmed) : trimmed;
    const auto failed = [&] {
        ShowMess("目录" + ShownFolder(folder) + (blankBeforeFailure ? " " : "") + "创建失败,请检测路径是否合法!", 3);
        return TBackupFolderState::Failed;
    };
    if (!LegalFolder(trimmed)) return failed();
    if (DirectoryExists(folder)) return TBackupFolderState::Exists;
    if (ShowMess("当前目录" + folder + " 不存在，是否创建！", 1) != 1) return TBackupFolderState::Declined;
    return ForceDirectories(folder) ? TBackupFolderState::Exists : failed();
}

bool BackupDatabase(const String& typedFolder) {
    if (PrepareBackupFolder(typedFolder) != TBackupFolderState::Exists) return false;
    const String file = BackupFileName(BackupFolderPath(typedFolder), Date());
    try {
        if (FileExists(file) && ShowMess(OverwriteQuestion(file), 1) != 1) return false;
        dmData->ADOcnn()->BackupTo(file);
    } catch (const Exception&) {
        ShowMess(MsgBackupFailed, 3);
        return false;
    }
    if (ShowMess(MsgCompactQuestion, 1) == 1) {
        const String database = LiveDatabaseFile();
        const String password = dmData->ADOcnn()->DatabasePassword();
        dmData->ADOcnn()->Close();
        // The backup is written whatever the compaction does.
        if (!CompactDatabase(database, password)) ShowMess(MsgCompactFailed, 3);
    }
    ShowMess(MsgBackupDone, 0);
    return true;
}

void DailyBackup() {
    try {
        String typed;
        if (!dmData->TryGetString("select f_BakPath from sysInfo", typed)) {
            ShowMess(MsgBackupFailed, 3);
            return;
        }
        if (PrepareBackupFolder(typed) != TBackupFolderState::Exists) return;
        const String file = BackupFileName(BackupFolderPath(typed), Date());
        if (FileExists(file)) return; // one automatic backup a day
        dmData->ADOcnn()->BackupTo(file);
    } catch (...) {
        // The start goes on whatever happened; not even the message may stop it.
        try {
            ShowMess(MsgBackupFailed, 3);
        } catch (...) {
        }
    }
}

void CompactDatabaseFromMain() {
    TADOConnection* connection = dmData->ADOcnn();
    const String database = LiveDatabaseFile();
    const String password = connection->DatabasePassword();
    connection->Close();
    if (FrmMain) FrmMain->CloseAllChildren();
    if (CompactDatabase(database, password))
        ShowMess(MsgCompactDone, 0);
    else
        ShowMess(MsgCompactFailed, 3);
    connection->Open();
}

void RegisterDataBackup() {
    RegisterActionWindow(106, [](TFrmMain*) { CompactDatabaseFromMain(); });
    TFrmMain::DailyBackup = [] { DailyBackup(); };
}
