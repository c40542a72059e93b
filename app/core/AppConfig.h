// The settings file config.ini beside the program and the database connection it names.
//
// Section "config": `ds` the folder of the database file, `ibak` the automatic backup schedule;
// `CurOperName` (same section, written "Config") the last operator to log in. The folder in `ds`
// may be written with "\" or "/" and with or without a trailing separator; a relative folder is
// taken under the program's folder. When `ds` is blank the database is looked for in "data"
// under the program's folder.
#pragma once

#include "rtl/IniFiles.h"
#include "rtl/Types.h"

inline const String ConfigFileName = "config.ini";
inline const String DatabaseFileName = "wuyegl.mdb";
inline const String DatabasePassword = "tomervalix";
inline const String ConfigSection = "config";

// ProgramFolder() + "config.ini".
String ConfigFilePath();

// The database folder that a value of `ds` names, with a trailing "/".
String DatabaseFolderFromDs(const String& ds);
// The folder of the database file as config.ini names it.
String ReadDatabaseFolder(TCustomIniFile& ini);
// The value written to `ds` when the user picks a database file: its folder with a trailing "/".
String DsForPickedFile(const String& fileName);
void WriteDatabaseFolder(TCustomIniFile& ini, const String& folder);

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder + "wuyegl.mdb;Persist Security
// Info=True;Jet OLEDB:Database Password=" + the database password.
String ConnectionStringFor(const String& folder);
// The path of the database file in a folder.
String DatabaseFileIn(const String& folder);

// `ibak`: 0 none, 1 every start, 2 Mondays, 3 first day of a month; 0 when absent.
int ReadAutoBackupMode(TCustomIniFile& ini);
// Whether the schedule asks for a backup on that day.
bool AutoBackupDue(int mode, TDateTime today);

String ReadCurOperName(TCustomIniFile& ini);
void WriteCurOperName(TCustomIniFile& ini, const String& name);
