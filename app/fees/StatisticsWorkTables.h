// The work tables of the statistics (tempFYrec, tempJYrec, tempDepot) as tables of one
// connection: made from the default schema's own declarations, defaults of 0 included, as
// temporary tables that shadow the file's tables of those names, so each station fills and reads
// its own rows and the file's tables stay untouched.
#pragma once

#include "rtl/Types.h"

#include <vector>

class TADOConnection;

// The schema's CREATE TABLE of a table (case ignored); raises when the schema has none.
String WorkTableDeclaration(const String& table);
// Makes the tables on the connection where it does not hold them yet: before a member's first
// statement, and again after the connection was closed (compaction, restore) and reopened.
void PrepareWorkTables(TADOConnection* connection, const std::vector<String>& tables);
