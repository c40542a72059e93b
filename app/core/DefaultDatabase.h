// The default database wuyegl.mdb: the schema of every table and the rows the system expects
// (schema/wuyegl.sql, built into the program), split into the statements that create it.
#pragma once

#include "rtl/Types.h"

#include <vector>

// The text of schema/wuyegl.sql as built into the program.
const char* WuyeglSchemaText();

// The statements of a schema text: split at ";" outside quotes, comment lines ("--") dropped,
// blank statements skipped; each statement without its ";" and surrounding blanks.
std::vector<String> SplitSqlStatements(const String& text);
// The statements of the built-in schema.
std::vector<String> DefaultDatabaseStatements();
// The names of the tables the built-in schema creates, in its order.
std::vector<String> DefaultDatabaseTables();

// Creates wuyegl.mdb with the database password in the folder (made with its missing parents)
// and runs the built-in schema on it in one transaction. An existing database file is never
// touched: the result is then false. A failure raises and leaves no file behind.
bool CreateDefaultDatabase(const String& folder);
