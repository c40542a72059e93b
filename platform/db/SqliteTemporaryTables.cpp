// Temporary tables of one connection: a Jet CREATE TABLE made in the connection's own schema
// "temp", which SQLite searches before the file's, so the statements that name the table run
// unchanged and reach the connection's rows alone.
#include "db/SqliteDatabase.h"

#include "db/ADODB.h"
#include "db/JetSql.h"
#include "rtl/StrUtils.h"

bool TSqliteDatabase::HasTemporaryTable(const String& table) {
    auto found = Prepare("SELECT 1 FROM temp.sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    found->Bind(1, Variant(table));
    return found->Step();
}

bool TSqliteDatabase::CreateTemporaryTable(const String& jetCreateTable) {
    const TJetStatement jet = TranslateJetSql(jetCreateTable);
    const String head = "CREATE TABLE ";
    if (jet.DefinedTable.empty() || jet.AltersTable || !SameText(jet.Sql.substr(0, head.size()), head))
        throw EDatabaseError("Not a table declaration: " + jetCreateTable);
    if (HasTemporaryTable(jet.DefinedTable)) return false;
    ExecuteSql("CREATE TEMP TABLE " + jet.Sql.substr(head.size()));
    try {
        InstallColumnRules(jet.DefinedTable, true);
    } catch (...) {
        ExecuteSql("DROP TABLE IF EXISTS temp." + AnsiQuotedStr(jet.DefinedTable, '"'));
        throw;
    }
    // Translations made before knew the file's table of that name.
    ForgetSchema();
    return true;
}

bool TADOConnection::CreateTemporaryTable(const String& declaration) {
    return Database().CreateTemporaryTable(declaration);
}
