// What names an estate: every table that holds an estate name in F_XQname (sixteen of them) and
// the estate lists of restricted operators (OperList.F_XQname). A rename rewrites them all, with
// the names as parameters, inside the caller's transaction; an estate that rows still name is not
// deleted.
#pragma once

#include "rtl/Types.h"

#include <vector>

// The sixteen tables, in the order the rename runs.
const std::vector<String>& EstateNamingTables();

// Rows of the sixteen tables whose F_XQname is the name (compared as the database compares text).
int RowsNamingEstate(const String& name);
// Rewrites F_XQname = oldName to newName in the sixteen tables, and oldName to newName in every
// operator's estate list (each list read with ParseXQList and written with FormatXQList). Runs on
// dmData's connection; errors reach the caller (whose transaction rolls back).
void RenameEstate(const String& oldName, const String& newName);
// The logged-in operator's estate list and its conditions after a committed rename.
void RenameInOperatorScope(const String& oldName, const String& newName);
