// Temporary tables of a connection: work tables whose rows belong to one connection. The file
// keeps the table's declaration (and an empty table of that name); each connection that asks for
// it makes its own copy in SQLite's temporary schema, where an unqualified name looks first, so
// the statements that name the table run unchanged and two stations never see each other's rows.
// The copy lives as long as the connection: TADOConnection makes it again after every opening.
#include "db/ADODB.h"
#include "db/SqliteDatabase.h"

#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <algorithm>

namespace {

String QuotedName(const String& name) {
    return AnsiQuotedStr(name, '"');
}

// The file's declaration "CREATE TABLE name (...)" as "CREATE TEMP TABLE name (...)".
String TemporaryDeclaration(const String& declaration, const String& table) {
    const String head = "CREATE TABLE";
    if (!StartsText(head, declaration))
        throw EDatabaseError("The declaration of table '" + table + "' cannot be read.");
    return "CREATE TEMP TABLE" + declaration.substr(head.size());
}

} // namespace

bool TSqliteDatabase::CreateTemporaryTable(const String& table) {
    String declaration;
    {
        auto find = Prepare("SELECT sql FROM main.sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
        find->Bind(1, Variant(table));
        if (!find->Step()) return false;
        declaration = VarToStr(find->ColumnValue(0));
    }
    RemoveColumnRules(table, true);
    ExecuteSql("DROP TABLE IF EXISTS temp." + QuotedName(table));
    ExecuteSql(TemporaryDeclaration(declaration, table));
    InstallColumnRules(table, true);
    ForgetSchema();
    return true;
}

void TADOConnection::AddTemporaryTable(const String& table) {
    // Made first: a table the file lacks is refused and not asked for again at the next opening.
    if (Connected() && !FDatabase->CreateTemporaryTable(table))
        throw EDatabaseError("The Microsoft Jet database engine cannot find the input table or query '" + table +
                             "'.  Make sure it exists and that its name is spelled correctly.");
    const auto same = [&table](const String& known) { return SameText(known, table); };
    if (std::none_of(FTemporaryTables.begin(), FTemporaryTables.end(), same)) FTemporaryTables.push_back(table);
}

// A file that lacks one of the tables opens all the same: its statements on the table fail as
// they would have.
void TADOConnection::MakeTemporaryTables(TSqliteDatabase& database) const {
    for (const String& table : FTemporaryTables)
        database.CreateTemporaryTable(table);
}
