// The work tables of the statistics (tempFYrec, tempJYrec, tempDepot) as tables of one
// connection: temporary tables made from the file's own declarations (defaults of 0 included,
// which the pivots rely on) that shadow the file's tables of those names, so each station fills
// and reads its own rows and the file's tables stay untouched.
#pragma once

#include "rtl/Types.h"

#include <vector>

class TADOConnection;

// The default schema's CREATE TABLE of a table (case ignored); raises when the schema has none.
String WorkTableDeclaration(const String& table);
// Asks the connection for the tables as its own (TADOConnection::AddTemporaryTable): made now,
// before a member's first statement (the connection opened first), and again after every later
// opening (compaction and restore close it). Raises when the file lacks a table.
void PrepareWorkTables(TADOConnection* connection, const std::vector<String>& tables);
