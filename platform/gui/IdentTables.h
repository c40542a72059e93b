// The name tables of colours, font charsets and cursors: conversions between a value and its
// identifier ("clRed", "GB2312_CHARSET", "crHourGlass") and enumerations of the names in table
// order, which property editors offer as their value lists.
#pragma once

#include "gui/Colors.h"

#include <functional>

// Called once per name of an enumeration.
using TGetStrProc = std::function<void(const String& name)>;

// The colour names of ColorToIdent and IdentToColor, in table order (52 names).
void GetColorValues(const TGetStrProc& proc);

// Font charsets: "ANSI_CHARSET" 0 ... "OEM_CHARSET" 255. Names compare without regard to case.
bool CharsetToIdent(Integer charset, String& ident);
bool IdentToCharset(const String& ident, Integer& charset);
void GetCharsetValues(const TGetStrProc& proc);

// Cursors: "crDefault" 0 ... "crSizeAll" -22 (crSize, the same cursor, is read but not listed).
bool CursorToIdent(Integer cursor, String& ident);
bool IdentToCursor(const String& ident, Integer& cursor);
void GetCursorValues(const TGetStrProc& proc);
