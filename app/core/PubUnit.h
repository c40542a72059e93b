// Product constants and the operator state that every window reads: who is logged in, whether
// that is "admin", the estate scope and its statement conditions, the decimal places with their
// display formats, the backup schedule and the settings file.
#pragma once

#include "rtl/IniFiles.h"
#include "rtl/Types.h"

#include <memory>

// Product constants. ProductName and ProductVersion end with a blank: they are joined to other
// texts as they stand (main window caption, exit question, about box).
inline const String ProductName = "Orvanta物业管理软件 ";
inline const String ProductVersion = "v1.0(企业版) ";
inline const String ApplicationTitle = "Orvanta物业管理软件(企业版)";
inline const String CompanyName = "Orvanta软件工作室";
inline const String MakerContactLine = "技术支持：Orvanta软件工作室";
inline const String MakerWebAddress = "http://www.orvanta.example/";
inline const String MakerEmailAddress = "support@orvanta.example";

// The logged-in operator's name, trimmed as typed at login.
extern String OperName;
// True when OperName is "admin" (without regard to case and surrounding blanks).
extern bool IsAdmin;
// 0 all estates, 1 only the estates of OperXQList.
extern int XQScopeFlag;
// The operator's estates as a quoted, comma-separated list such as 'A','B'.
extern String OperXQList;
// Appended to record lists: keeps rows of the operator's estates and rows without an estate.
extern String XQScopeSQL;
// Appended to estate-name lists over T_XQinfo.
extern String XQNameScopeSQL;

// Decimal places of quantities, unit prices and money amounts, and the formats built from them.
extern int DecAmount;
extern int DecPrice;
extern int DecTotal;
extern String FmtAmount;
extern String FmtPrice;
extern String FmtTotal;

// The automatic backup schedule of config.ini: 0 none, 1 every start, 2 Mondays, 3 first of month.
extern int AutoBackupMode;

// The settings file config.ini beside the program.
extern std::unique_ptr<TCustomIniFile> IniFile;

// True when the name, trimmed and lower-cased, is "admin".
bool IsAdminName(const String& name);

// Back to the state before the first login (all texts empty, all numbers 0, IsAdmin false).
void ResetOperatorState();

// The display formats from the decimal places: FmtAmount "0." and one "#" per place; FmtPrice and
// FmtTotal "￥,0." then "0" for the first two places and "#" for further ones.
void BuildDisplayFormats();
String AmountFormat(int places);
String MoneyFormat(int places);
