// Backup, automatic backup and compaction of the database the connection uses.
//
// A backup is "dp" + the day as yyyymmdd + ".back" in the backup folder: one file a day, written
// through the database's online backup (a consistent snapshot also while other workstations
// write) into a temporary file that replaces the day's file only when complete. The backup folder
// is stored as typed (SysInfo.F_BakPath); "\" counts as "/", and a relative folder lies under the
// program's folder.
#pragma once

#include "rtl/Types.h"

inline const String MsgBackupDone = "数据备份成功！";
inline const String MsgBackupFailed = "数据备份失败！";
inline const String MsgCompactQuestion = "是否需要压缩当前数据库！";
inline const String MsgCompactDone = "压缩数据库成功！";
inline const String MsgCompactFailed = "压缩数据库失败！";

// The folder a typed backup folder names: trimmed, "\" as "/", under the program's folder when
// relative, without a trailing "/" (the root stays "/").
String BackupFolderPath(const String& typed);
// The backup file of a day in a folder: folder + "/dp" + yyyymmdd + ".back".
String BackupFileName(const String& folder, TDateTime day);
// The database file the connection uses.
String LiveDatabaseFile();

// Makes sure the backup folder exists: a folder that is empty, holds control characters or is
// longer than the 255 characters SysInfo keeps cannot be made; a missing folder is created, with
// its parents, after the question "当前目录" + folder + " 不存在，是否创建！". A folder that cannot be
// made gets "目录" + folder + " 创建失败,请检测路径是否合法!" (without the blank before 创建 when
// blankBeforeFailure is false, as the settings' "确定" says it). Declined: the question answered
// other than 1.
enum class TBackupFolderState { Exists, Declined, Failed };
TBackupFolderState PrepareBackupFolder(const String& typed, bool blankBeforeFailure = true);

// The backup button: the folder prepared, the day's file written (an existing one replaced only
// when the "复盖" question is answered 1), then the compaction question; on 1 the connection is
// closed and the database compacted (a failure says MsgCompactFailed). MsgBackupDone when the
// file was written, MsgBackupFailed when it was not (the day's earlier file then stays). True
// when the backup was written.
bool BackupDatabase(const String& typedFolder);

// The automatic backup at start: into the folder of SysInfo, once a day (a day that has its file
// copies nothing, silently). Never raises: every failure is told (MsgBackupFailed) and the start
// goes on.
void DailyBackup();

// Compaction (action 106): closes the connection and every window inside the main window,
// compacts the database file (MsgCompactDone or MsgCompactFailed) and opens the connection again;
// a failure to open it reaches the caller.
void CompactDatabaseFromMain();

// Lets action 106 compact and the main window's start run DailyBackup.
void RegisterDataBackup();
