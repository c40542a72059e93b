// The SQLite connection under TADOConnection: a database file opened with its password check,
// WAL journal and busy timeout, the Jet functions registered, statements prepared and stepped,
// transactions nested through savepoints. No SQLite type appears here; callers above the data
// sets use TADOConnection, TADOQuery and TADOCommand instead.
#pragma once

#include "db/DB.h"
#include "rtl/Variant.h"

#include <functional>
#include <memory>
#include <vector>

class TSqliteStatement;
struct TJetStatement;

class TSqliteDatabase {
public:
    TSqliteDatabase();
    ~TSqliteDatabase();
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

    // Creates a new database file that records its password. EDatabaseError when the file
    // exists already or cannot be created.
    static void Create(const String& fileName, const String& password);
    // Rebuilds a closed database file in place (VACUUM) after checking its password. Other
    // connections may read meanwhile; one that holds a write transaction makes it fail (after the
    // busy timeout), the file then as it was.
    static void Compact(const String& fileName, const String& password);
    // Checks that a file is a database of the program before it is used in place of one: it opens
    // with the password (and records one when the password is not empty), its integrity check
    // answers "ok" and it holds every table named (without regard to case). EDatabaseError
    // saying what is wrong; the file is only read.
    static void CheckDatabaseFile(const String& fileName, const String& password,
                                  const std::vector<String>& tables);

    // Opens an existing file. A missing file, a file that is not a database and a wrong
    // password each raise EDatabaseError with a message that says so; the file is then left
    // as it was (the password is checked on a read-only connection before anything is set).
    void Open(const String& fileName, const String& password);
    // Opens a new, empty database in memory under a name (FileName); it goes when it is closed.
    void OpenMemory(const String& name);
    void Close();
    bool Connected() const;
    const String& FileName() const { return FFileName; }

    // Writes the open database into a file through SQLite's online backup: one consistent
    // snapshot of what was committed, also while other connections write. The copy is written to
    // a temporary file beside the target, made a file of its own (no journal beside it, its
    // password record with it) and renamed onto the target only when complete, so a failure
    // leaves an earlier file of that name as it was. Refused inside a transaction of this
    // connection (its changes are not committed).
    void BackupTo(const String& fileName);
    // Replaces the whole open database with a database file (checked by the caller) in one step:
    // the database leaves WAL mode, which SQLite refuses while another connection has the file
    // open (EDatabaseInUse, nothing changed), takes the file's pages through the online backup,
    // which writes them under a rollback journal (a failure leaves the database as it was), and
    // returns to WAL mode. The file's password record comes with it. Refused inside a transaction.
    void RestoreFrom(const String& fileName);

    // Milliseconds a statement waits for another connection's lock before it fails.
    void SetBusyTimeout(int milliseconds);

    // An observer told of every statement any connection of the process runs (its text, before
    // it runs): tests stop a program at its k-th statement with it. Empty: none.
    static void SetStatementObserver(std::function<void(const String& sql)> observer);

    // Runs SQLite text (one statement or several); returns the rows changed by the last one.
    int ExecuteSql(const String& sql);
    // Prepares one SQLite statement; EDatabaseError with SQLite's message when it is invalid, or
    // when text follows the statement. A statement of the same text that was finished with is
    // taken from a small cache on the connection instead of being prepared again.
    std::unique_ptr<TSqliteStatement> Prepare(const String& sql);

    // A Jet statement translated for this database: with the column kinds of its tables, so that
    // arithmetic over money stays exact (db/JetSql.h). Translations are kept per connection and
    // forgotten when a statement changes the schema (ForgetSchema). Raises EJetSqlError.
    std::shared_ptr<const TJetStatement> Translate(const String& jetSql);
    // The connection ran a statement that creates, alters or drops a table.
    void ForgetSchema();

    // The Jet column rules of a table, kept by triggers that a CREATE TABLE or ALTER TABLE of the
    // connection installs (again) for its table:
    //   text(n) columns     a longer text is refused with Jet's "field is too small" message
    //   date columns        a text or number that reads as a date is stored in the date form;
    //                       another text is refused with Jet's type mismatch
    //   yes/no columns      any value other than 0 is stored as -1, Jet's Yes
    // With temporary, the rules of the connection's temporary table of that name (temporary
    // triggers, the file's schema untouched).
    void InstallColumnRules(const String& table, bool temporary = false);
    void RemoveColumnRules(const String& table, bool temporary = false);
    // Makes a temporary table of this connection (TemporaryTables.cpp): a table of the file's
    // schema made again, empty, from its own declaration, with its column rules, in the
    // connection's temporary schema. It shadows the file's table of the name, so statements that
    // name the table reach this connection's own rows; other connections and the file's table
    // see none of them. An earlier temporary table of the name is dropped first. False (nothing
    // made) when the file has no such table.
    bool CreateTemporaryTable(const String& table);
    // Creates `table` with the columns of a prepared SELECT: each with its source column's type
    // (an expression's column gets none, or CURRENCY when named in moneyColumns), text compared
    // without regard to case.
    void CreateTableLike(const String& table, const TSqliteStatement& select,
                         const std::vector<String>& moneyColumns = {});
    Int64 LastInsertRowId() const;
    int Changes() const;
    // Rows changed by every statement since the connection opened.
    Int64 TotalChanges() const;

    // Transactions: level 1 is a real transaction (taken at once for writing, so a concurrent
    // writer waits instead of failing later), deeper levels are savepoints. Begin returns the
    // new level; Commit and Rollback end the innermost one.
    int BeginTransaction();
    void CommitTransaction();
    void RollbackTransaction();
    int TransactionLevel() const { return FTransactionLevel; }

    struct TImpl;

private:
    std::unique_ptr<TImpl> FImpl;
    String FFileName;
    int FTransactionLevel = 0;
};

// One prepared statement. Parameters count from 1, columns from 0.
class TSqliteStatement {
public:
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    int ParamCount() const;
    // Binds a value: Null/Empty as NULL, booleans as -1/0, integers, floats, currency as the
    // stored form of its amount (MoneyStorage.h; an amount beyond what a money column holds
    // raises its overflow error), dates as "yyyy-mm-dd[ hh:nn:ss]" text, strings as UTF-8 text.
    void Bind(int index, const Variant& value);
    void ClearBindings();
    void Reset();
    // Runs to the next row: true when a row is there, false when done. EDatabaseError on failure.
    bool Step();

    int ColumnCount() const;
    String ColumnName(int column) const;
    String ColumnDeclType(int column) const; // "" for an expression
    String ColumnTable(int column) const;    // the table a column comes from ("" for an expression)
    String ColumnOrigin(int column) const;   // its name in that table
    // SQLITE_INTEGER 1, SQLITE_FLOAT 2, SQLITE_TEXT 3, SQLITE_BLOB 4, SQLITE_NULL 5
    int ColumnType(int column) const;
    Int64 ColumnInt64(int column) const;
    double ColumnDouble(int column) const;
    // The text of a column (valid until the next step) and its length in bytes.
    const char* ColumnText(int column, size_t& length) const;
    String ColumnBlob(int column) const;
    // The value as SQLite holds it: Null, Int64, Double or String.
    Variant ColumnValue(int column) const;

    // The declared column type of a table column and whether it is an auto-number key.
    struct TColumnInfo {
        String DeclType;
        bool NotNull = false;
        bool PrimaryKey = false;
        bool AutoIncrement = false;
    };
    bool TableColumnInfo(const String& table, const String& column, TColumnInfo& info) const;

private:
    friend class TSqliteDatabase;
    struct TImpl;
    explicit TSqliteStatement(std::unique_ptr<TImpl> impl);
    std::unique_ptr<TImpl> FImpl;
};

// Registers the Jet functions (orv_concat, orv_format, orv_year ...) on a raw SQLite handle;
// defined in JetFunctions.cpp, called by Open.
void RegisterJetFunctions(void* sqliteHandle);
