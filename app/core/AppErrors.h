// The errors that reach the user: a platform error text (English, from the database, the file
// system or the runtime) is shown inside the program's own Chinese message, so the user reads
// what went wrong in the program's language and the detail stays for whoever helps.
#pragma once

#include "rtl/Types.h"

#include <exception>

inline const String MsgFileFailed = "文件读写失败，请检查文件和文件夹的权限... ";
inline const String MsgProgramError = "操作失败... ";
// A save that failed and was rolled back, and one that met a row another station changed or
// deleted since it was read.
inline const String MsgSaveFailed = "保存失败，请检测数据库连接！";
inline const String MsgRecordChanged = "当前记录已被其他用户修改或删除，请刷新后重试！";

// The program's message for the error, a blank line, then the error's own text: database errors
// under "操作失败，请检查数据连接... ", file errors under MsgFileFailed, the rest under
// MsgProgramError.
String UserErrorText(const std::exception& error);

// Shows the error being handled as UserErrorText in the error box (ShowMess kind 3); the
// application's handler of the errors no window caught.
void ShowAppException(const std::exception& error);
