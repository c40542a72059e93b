#include "app/fees/StatisticsWorkTables.h"

#include "app/core/DefaultDatabase.h"

#include "db/ADODB.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <algorithm>

String WorkTableDeclaration(const String& table) {
    static const std::vector<String> statements = DefaultDatabaseStatements();
    const String head = "CREATE TABLE " + table;
    for (const String& statement : statements) {
        if (statement.size() <= head.size() || !SameText(statement.substr(0, head.size()), head)) continue;
        const char next = statement[head.size()];
        if (next == ' ' || next == '(' || next == '\n') return statement;
    }
    throw Exception("The schema declares no table " + table);
}

void PrepareWorkTables(TADOConnection* connection, const std::vector<String>& tables) {
    if (!connection->Connected()) connection->Open();
    for (const String& table : tables) {
        const std::vector<String>& known = connection->TemporaryTables();
        const bool asked =
            std::any_of(known.begin(), known.end(), [&table](const String& name) { return SameText(name, table); });
        if (!asked) connection->AddTemporaryTable(table);
    }
}
