#include "db/SqliteDatabase.h"

#include "db/DateStorage.h"
#include "db/JetSql.h"
#include "db/MoneyStorage.h"
#include "db/PasswordHash.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <sqlite3.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <cstdio>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

// Finished statements by their text, to be reused.
struct TStatementCache {
    static constexpr size_t kLimit = 64;
    std::multimap<String, sqlite3_stmt*> Idle;
    void Clear() {
        for (auto& e : Idle)
            sqlite3_finalize(e.second);
        Idle.clear();
    }
};

struct TSqliteStatement::TImpl {
    sqlite3_stmt* Stmt = nullptr;
    sqlite3* Db = nullptr;
    String Sql;
    std::weak_ptr<TStatementCache> Cache;
};

namespace {

// How long a statement waits for another program instance's lock.
constexpr int kBusyTimeoutMs = 8000;
constexpr const char* kPasswordTable = "MSysPassword";
constexpr const char* kKeyViolation =
    "The changes you requested to the table were not successful because they would create duplicate "
    "values in the index, primary key, or relationship. Change the data in the field or fields that "
    "contain duplicate data, remove the index, or redefine the index to permit duplicate entries and "
    "try again.";

[[noreturn]] void Fail(sqlite3* db, const String& context = String()) {
    String msg = db ? sqlite3_errmsg(db) : "out of memory";
    if (!context.empty()) msg += " (" + context + ")";
    throw EDatabaseError(msg);
}

String NotFound(const String& fileName) {
    return "Could not find file '" + fileName + "'.";
}
String BadFormat(const String& fileName) {
    return "Unrecognized database format '" + fileName + "'.";
}

// A path for a "file:" URI: the characters a URI gives a meaning to are escaped.
String UriEscaped(const String& path) {
    String r;
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c <= ' ') {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            r += buf;
        } else
            r += static_cast<char>(c);
    }
    return r;
}

// Opens a handle; closes it again when the open failed.
sqlite3* OpenHandle(const String& fileName, int flags) {
    sqlite3* db = nullptr;
    // One connection serves one thread at a time: no per-call locking.
    const int rc = sqlite3_open_v2(fileName.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const String msg = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw EDatabaseError("Cannot open database '" + fileName + "': " + msg);
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return db;
}

// Reads the recorded password hash: false when the file records none. Raises for a file that
// is not a database.
bool ReadPasswordRecord(sqlite3* db, const String& fileName, String& salt, String& hash) {
    sqlite3_stmt* st = nullptr;
    const String sql = String("SELECT Salt, Hash FROM ") + kPasswordTable;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    if (rc != SQLITE_OK) {
        const int base = rc & 0xff;
        if (base == SQLITE_NOTADB) throw EDatabaseError(BadFormat(fileName));
        // No such table: the file records no password. Any other failure means it is not usable.
        const String msg = sqlite3_errmsg(db);
        if (msg.find("no such table") != String::npos) return false;
        if (base == SQLITE_CORRUPT) throw EDatabaseError(BadFormat(fileName));
        throw EDatabaseError("Cannot open database '" + fileName + "': " + msg);
    }
    rc = sqlite3_step(st);
    bool found = false;
    if (rc == SQLITE_ROW) {
        salt = reinterpret_cast<const char*>(sqlite3_column_text(st, 0) ? sqlite3_column_text(st, 0)
                                                                        : (const unsigned char*)"");
        hash = reinterpret_cast<const char*>(sqlite3_column_text(st, 1) ? sqlite3_column_text(st, 1)
                                                                        : (const unsigned char*)"");
        found = true;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        if ((rc & 0xff) == SQLITE_NOTADB) throw EDatabaseError(BadFormat(fileName));
        Fail(db);
    }
    return found;
}

void Exec(sqlite3* db, const String& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        const String msg = err ? err : sqlite3_errmsg(db);
        sqlite3_free(err);
        throw EDatabaseError(msg);
    }
}

// Checks the password on the connection before anything is written through it, so a wrong one
// leaves the file as it was. The schema the check reads stays for the connection's statements
// (a database with many tables and rules takes a while to read).
void CheckPassword(sqlite3* db, const String& fileName, const String& password) {
    String salt, hash;
    if (ReadPasswordRecord(db, fileName, salt, hash) && HashPassword(salt, password) != hash)
        throw EDatabaseError("Not a valid password.");
}

} // namespace

// ---- TSqliteDatabase -----------------------------------------------------------------------------

struct TSqliteDatabase::TImpl {
    sqlite3* Db = nullptr;
    std::shared_ptr<TStatementCache> Cache;
    // The declared kinds of the columns of the tables asked about (lower-case names).
    std::map<String, std::map<String, TJetColumnKind>> Columns;
    TJetTranslationCache Translations;
};

TSqliteDatabase::TSqliteDatabase() : FImpl(std::make_unique<TImpl>()) {}

TSqliteDatabase::~TSqliteDatabase() {
    Close();
}

void TSqliteDatabase::Create(const String& fileName, const String& password) {
    const String path = NormalizePath(fileName);
    if (FileExists(path)) throw EDatabaseError("Database '" + fileName + "' already exists.");
    sqlite3* db = OpenHandle(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        Exec(db, "PRAGMA journal_mode=WAL");
        const String salt = NewPasswordSalt();
        Exec(db, String("CREATE TABLE ") + kPasswordTable + " (Salt TEXT NOT NULL, Hash TEXT NOT NULL)");
        Exec(db, String("INSERT INTO ") + kPasswordTable + " VALUES ('" + salt + "', '" +
                     HashPassword(salt, password) + "')");
    } catch (...) {
        sqlite3_close(db);
        DeleteFile(path);
        throw;
    }
    sqlite3_close(db);
}

void TSqliteDatabase::Compact(const String& fileName, const String& password) {
    TSqliteDatabase db;
    db.Open(fileName, password);
    db.ExecuteSql("VACUUM");
    db.ExecuteSql("PRAGMA wal_checkpoint(TRUNCATE)");
    db.Close();
}

namespace {

// The first column of the first row of a statement ("" when it gives none).
String FirstValue(sqlite3* db, const String& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) Fail(db);
    const int rc = sqlite3_step(st);
    String value;
    if (rc == SQLITE_ROW && sqlite3_column_text(st, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(db);
    return value;
}

bool HasTable(sqlite3* db, const String& table) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE",
                           -1, &st, nullptr) != SQLITE_OK)
        Fail(db);
    sqlite3_bind_text(st, 1, table.c_str(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(db);
    return rc == SQLITE_ROW;
}

// Removes a file SQLite wrote and what it may have left beside it.
void RemoveDatabaseFile(const String& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        ::unlink((path + suffix).c_str());
}

bool SyncFile(const String& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Copies the main database of one handle into another in one step.
void CopyPages(sqlite3* from, sqlite3* into) {
    sqlite3_backup* backup = sqlite3_backup_init(into, "main", from, "main");
    if (!backup) Fail(into);
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc == SQLITE_DONE) return;
    const int base = rc & 0xff;
    if (base == SQLITE_BUSY || base == SQLITE_LOCKED)
        throw EDatabaseInUse("The database is in use by another connection.");
    throw EDatabaseError(String(sqlite3_errstr(rc)));
}

} // namespace

void TSqliteDatabase::CheckDatabaseFile(const String& fileName, const String& password,
                                        const std::vector<String>& tables) {
    const String path = NormalizePath(fileName);
    if (!FileExists(path)) throw EDatabaseError(NotFound(fileName));
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || info.st_size == 0) throw EDatabaseError(BadFormat(fileName));
    sqlite3* db = OpenHandle(path, SQLITE_OPEN_READONLY);
    try {
        String salt, hash;
        const bool recorded = ReadPasswordRecord(db, fileName, salt, hash);
        if (recorded ? HashPassword(salt, password) != hash : !password.empty())
            throw EDatabaseError("Not a valid password.");
        const String verdict = FirstValue(db, "PRAGMA integrity_check");
        if (verdict != "ok") throw EDatabaseError("The database file is damaged: " + verdict);
        for (const String& table : tables)
            if (!HasTable(db, table)) throw EDatabaseError("The database has no table '" + table + "'.");
    } catch (const EDatabaseError& e) {
        sqlite3_close(db);
        const String msg = e.Message();
        if (msg.find("not a database") != String::npos || msg.find("malformed") != String::npos)
            throw EDatabaseError(BadFormat(fileName));
        throw;
    }
    sqlite3_close(db);
}

void TSqliteDatabase::BackupTo(const String& fileName) {
    if (!FImpl->Db) throw EDatabaseError("Operation is not allowed when the object is closed.");
    if (FTransactionLevel > 0) throw EDatabaseError("A backup cannot be made inside a transaction.");
    const String target = NormalizePath(fileName);
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw EDatabaseError("Cannot write the backup '" + fileName + "': it is a folder.");
    const String folder = ExtractFilePath(target);
    String temp = (folder.empty() ? String("./") : folder) + "." + ExtractFileName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) throw EDatabaseError("Cannot write the backup '" + fileName + "': " + std::strerror(errno));
    ::close(fd);
    sqlite3* copy = nullptr;
    try {
        copy = OpenHandle(temp, SQLITE_OPEN_READWRITE);
        // A new file that nobody else sees: written without a journal; a failure throws it away.
        Exec(copy, "PRAGMA journal_mode=OFF");
        Exec(copy, "PRAGMA synchronous=OFF");
        CopyPages(FImpl->Db, copy);
        // The pages came with the source's WAL mark: the copy becomes a file that stands alone.
        Exec(copy, "PRAGMA journal_mode=DELETE");
        if (sqlite3_close(copy) != SQLITE_OK) Fail(copy);
        copy = nullptr;
        if (!SyncFile(temp) || !RenameFileReplacing(temp, target))
            throw EDatabaseError("Cannot write the backup '" + fileName + "': " + std::strerror(errno));
    } catch (...) {
        if (copy) sqlite3_close(copy);
        RemoveDatabaseFile(temp);
        throw;
    }
}

void TSqliteDatabase::RestoreFrom(const String& fileName) {
    if (!FImpl->Db) throw EDatabaseError("Operation is not allowed when the object is closed.");
    if (FTransactionLevel > 0) throw EDatabaseError("A database cannot be restored inside a transaction.");
    const String path = NormalizePath(fileName);
    if (!FileExists(path)) throw EDatabaseError(NotFound(fileName));
    sqlite3* source = OpenHandle(path, SQLITE_OPEN_READONLY);
    sqlite3* db = FImpl->Db;
    FImpl->Cache->Clear();
    ForgetSchema();
    // Another connection holding the file is told at once, not after the busy timeout.
    sqlite3_busy_timeout(db, 0);
    bool left = false;
    try {
        // Leaving WAL mode needs the file alone: SQLite refuses while another connection has it.
        String mode;
        try {
            mode = FirstValue(db, "PRAGMA journal_mode=DELETE");
        } catch (const EDatabaseError&) {
            const int base = sqlite3_errcode(db) & 0xff;
            if (base == SQLITE_BUSY || base == SQLITE_LOCKED)
                throw EDatabaseInUse("The database is in use by another connection.");
            throw;
        }
        if (LowerCase(mode) != "delete") throw EDatabaseInUse("The database is in use by another connection.");
        left = true;
        CopyPages(source, db);
    } catch (...) {
        sqlite3_close(source);
        if (left) sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        throw;
    }
    sqlite3_close(source);
    ForgetSchema();
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // Back to WAL mode; should another connection be quicker, its own opening does the same.
    sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
}

void TSqliteDatabase::Open(const String& fileName, const String& password) {
    Close();
    const String path = NormalizePath(fileName);
    if (!FileExists(path)) throw EDatabaseError(NotFound(fileName));
    // SQLite would take an empty file for a new database and write one into it.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && info.st_size == 0) throw EDatabaseError(BadFormat(fileName));
    // A file that cannot be written opens for reading. In a folder that cannot be written either,
    // no lock or index file can be made beside it: with no journal left there by a writer, it is
    // read as it stands (nobody can be writing it).
    const String folder = ExtractFileDir(path);
    const bool folderWritable = ::access((folder.empty() ? String(".") : folder).c_str(), W_OK) == 0;
    const bool readOnly = !folderWritable || ::access(path.c_str(), W_OK) != 0;
    const bool asItStands = !folderWritable && !FileExists(path + "-wal");
    const String openName = asItStands ? "file:" + UriEscaped(path) + "?immutable=1" : path;
    sqlite3* db =
        OpenHandle(openName, readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE);
    try {
        CheckPassword(db, openName, password);
        if (!readOnly) {
            Exec(db, "PRAGMA journal_mode=WAL");
            Exec(db, "PRAGMA synchronous=NORMAL");
            // Statement and savepoint journals in memory: a batch of many small statements in one
            // transaction (a client batch's inserts, each running the table's triggers) does not
            // write each page's old image to a temporary file.
            Exec(db, "PRAGMA temp_store=MEMORY");
        }
        RegisterJetFunctions(db);
    } catch (const EDatabaseError& e) {
        sqlite3_close(db);
        const String msg = e.Message();
        if (msg.find("not a database") != String::npos) throw EDatabaseError(BadFormat(fileName));
        throw;
    }
    FImpl->Db = db;
    FImpl->Cache = std::make_shared<TStatementCache>();
    FFileName = fileName;
    FTransactionLevel = 0;
}

void TSqliteDatabase::OpenMemory(const String& name) {
    Close();
    sqlite3* db = OpenHandle(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    RegisterJetFunctions(db);
    FImpl->Db = db;
    FImpl->Cache = std::make_shared<TStatementCache>();
    FFileName = name;
    FTransactionLevel = 0;
}

void TSqliteDatabase::Close() {
    ForgetSchema();
    if (!FImpl->Db) return;
    if (FImpl->Cache) FImpl->Cache->Clear();
    FImpl->Cache.reset();
    if (FTransactionLevel > 0) sqlite3_exec(FImpl->Db, "ROLLBACK", nullptr, nullptr, nullptr);
    FTransactionLevel = 0;
    sqlite3_close_v2(FImpl->Db);
    FImpl->Db = nullptr;
}

bool TSqliteDatabase::Connected() const {
    return FImpl->Db != nullptr;
}

void TSqliteDatabase::SetBusyTimeout(int milliseconds) {
    if (FImpl->Db) sqlite3_busy_timeout(FImpl->Db, milliseconds);
}

namespace {

std::function<void(const String&)>& StatementObserver() {
    static std::function<void(const String&)> observer;
    return observer;
}

} // namespace

void TSqliteDatabase::SetStatementObserver(std::function<void(const String& sql)> observer) {
    StatementObserver() = std::move(observer);
}

int TSqliteDatabase::ExecuteSql(const String& sql) {
    if (StatementObserver()) StatementObserver()(sql);
    if (!FImpl->Db) throw EDatabaseError("Operation is not allowed when the object is closed.");
    Exec(FImpl->Db, sql);
    return sqlite3_changes(FImpl->Db);
}

std::unique_ptr<TSqliteStatement> TSqliteDatabase::Prepare(const String& sql) {
    if (!FImpl->Db) throw EDatabaseError("Operation is not allowed when the object is closed.");
    if (StatementObserver()) StatementObserver()(sql);
    sqlite3_stmt* st = nullptr;
    const auto idle = FImpl->Cache->Idle.find(sql);
    if (idle != FImpl->Cache->Idle.end()) {
        st = idle->second;
        FImpl->Cache->Idle.erase(idle);
    } else {
        const char* tail = nullptr;
        if (sqlite3_prepare_v3(FImpl->Db, sql.c_str(), static_cast<int>(sql.size()),
                               SQLITE_PREPARE_PERSISTENT, &st, &tail) != SQLITE_OK)
            Fail(FImpl->Db);
        if (!st) throw EDatabaseError("Invalid SQL statement: the statement is empty.");
        for (; tail && *tail; ++tail)
            if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';') {
                sqlite3_finalize(st);
                throw EDatabaseError("Characters found after end of SQL statement.");
            }
    }
    auto impl = std::make_unique<TSqliteStatement::TImpl>();
    impl->Stmt = st;
    impl->Db = FImpl->Db;
    impl->Sql = sql;
    impl->Cache = FImpl->Cache;
    return std::unique_ptr<TSqliteStatement>(new TSqliteStatement(std::move(impl)));
}

std::shared_ptr<const TJetStatement> TSqliteDatabase::Translate(const String& jetSql) {
    if (auto hit = FImpl->Translations.Find(jetSql)) return hit;
    // A table not (yet) in the database is not remembered, and neither is a statement naming one.
    bool complete = true;
    const auto columnKind = [this, &complete](const String& table, const String& column) {
        const String key = LowerCase(table);
        auto known = FImpl->Columns.find(key);
        if (known == FImpl->Columns.end()) {
            std::map<String, TJetColumnKind> columns;
            if (FImpl->Db) {
                auto info = Prepare("SELECT name, type FROM pragma_table_info(?)");
                info->Bind(1, Variant(table));
                while (info->Step()) {
                    int size = 0;
                    columns[LowerCase(VarToStr(info->ColumnValue(0)))] =
                        JetColumnKindOf(VarToStr(info->ColumnValue(1)), size);
                }
            }
            if (columns.empty()) {
                complete = false;
                return TJetColumnKind::Unknown;
            }
            known = FImpl->Columns.emplace(key, std::move(columns)).first;
        }
        const auto it = known->second.find(LowerCase(column));
        return it == known->second.end() ? TJetColumnKind::Unknown : it->second;
    };
    auto made = std::make_shared<const TJetStatement>(TranslateJetSql(jetSql, columnKind));
    if (complete && !made->ChangesSchema) FImpl->Translations.Add(jetSql, made);
    return made;
}

void TSqliteDatabase::ForgetSchema() {
    FImpl->Columns.clear();
    FImpl->Translations.Clear();
}

namespace {

String Quoted(const String& name) {
    return AnsiQuotedStr(name, '"');
}

const String kRulesPrefix = "orv_rules_";

const char* const kFieldTooSmall =
    "The field is too small to accept the amount of data you attempted to add. "
    "Try inserting or pasting less data.";

} // namespace

void TSqliteDatabase::InstallColumnRules(const String& table, bool temporary) {
    struct TColumn {
        String Name;
        TJetColumnKind Kind;
        int Size;
    };
    std::vector<TColumn> columns;
    {
        auto info = Prepare("SELECT name, type FROM pragma_table_info(?, ?)");
        info->Bind(1, Variant(table));
        info->Bind(2, Variant(String(temporary ? "temp" : "main")));
        while (info->Step()) {
            TColumn c;
            c.Name = VarToStr(info->ColumnValue(0));
            c.Kind = JetColumnKindOf(VarToStr(info->ColumnValue(1)), c.Size);
            columns.push_back(c);
        }
    }
    String tooLong, changed, set;
    auto orJoin = [](String& list, const String& term) { list += (list.empty() ? "" : " OR ") + term; };
    for (const TColumn& c : columns) {
        const String col = Quoted(c.Name), fresh = "NEW." + col;
        switch (c.Kind) {
        case TJetColumnKind::String:
        case TJetColumnKind::WideString:
            if (c.Size > 0) orJoin(tooLong, "length(" + fresh + ") > " + IntToStr(c.Size));
            break;
        case TJetColumnKind::DateTime:
        case TJetColumnKind::Date:
        case TJetColumnKind::Time:
            orJoin(changed, "orv_datenorm(" + fresh + ") IS NOT " + fresh);
            set += (set.empty() ? "" : ", ") + col + " = orv_datenorm(" + col + ")";
            break;
        case TJetColumnKind::Currency:
            orJoin(changed, "orv_money(" + fresh + ") IS NOT " + fresh);
            set += (set.empty() ? "" : ", ") + col + " = orv_money(" + col + ")";
            break;
        case TJetColumnKind::Boolean:
            orJoin(changed, fresh + " NOT IN (0, -1)");
            set += (set.empty() ? "" : ", ") + col + " = CASE WHEN " + col + " IS NULL THEN NULL WHEN " +
                   col + " = 0 THEN 0 ELSE -1 END";
            break;
        default:
            break;
        }
    }
    const String name = Quoted(table);
    const String prefix = kRulesPrefix + table;
    RemoveColumnRules(table, temporary);
    if (tooLong.empty() && changed.empty()) return;
    // One trigger a write: it refuses a text that is too long (undoing the write) and brings the
    // values into their stored form.
    String when, body;
    if (!tooLong.empty()) {
        when = tooLong;
        body += " SELECT RAISE(ABORT, '" + String(kFieldTooSmall) + "') WHERE " + tooLong + ";";
    }
    if (!changed.empty()) {
        when += (when.empty() ? "" : " OR ") + changed;
        body += " UPDATE " + name + " SET " + set + " WHERE rowid = NEW.rowid;";
    }
    const String rule = " ON " + name + " WHEN " + when + " BEGIN" + body + " END";
    // A temporary table's rules are temporary too: they leave the file's schema alone.
    const String create = temporary ? "CREATE TEMP TRIGGER " : "CREATE TRIGGER ";
    ExecuteSql(create + Quoted(prefix + "_insert") + " AFTER INSERT" + rule);
    ExecuteSql(create + Quoted(prefix + "_update") + " AFTER UPDATE" + rule);
}

void TSqliteDatabase::RemoveColumnRules(const String& table, bool temporary) {
    // Named with their schema: an unqualified name would find a temporary table's rules first.
    const String schema = temporary ? "temp." : "main.";
    for (const char* suffix : {"_insert", "_update"})
        ExecuteSql("DROP TRIGGER IF EXISTS " + schema + Quoted(kRulesPrefix + table + suffix));
}

void TSqliteDatabase::CreateTableLike(const String& table, const TSqliteStatement& select,
                                      const std::vector<String>& moneyColumns) {
    String columns;
    for (int c = 0; c < select.ColumnCount(); ++c) {
        String decl = select.ColumnDeclType(c);
        if (decl.empty())
            for (const String& money : moneyColumns)
                if (SameText(money, select.ColumnName(c))) decl = "CURRENCY";
        int size = 0;
        const TJetColumnKind kind = JetColumnKindOf(decl, size);
        if (kind == TJetColumnKind::Boolean) decl = "BOOLEAN DEFAULT 0";
        if (!columns.empty()) columns += ", ";
        columns += Quoted(select.ColumnName(c)) + (decl.empty() ? String() : " " + decl) + " COLLATE NOCASE";
    }
    ExecuteSql("CREATE TABLE " + Quoted(table) + " (" + columns + ")");
}

Int64 TSqliteDatabase::LastInsertRowId() const {
    return FImpl->Db ? sqlite3_last_insert_rowid(FImpl->Db) : 0;
}

int TSqliteDatabase::Changes() const {
    return FImpl->Db ? sqlite3_changes(FImpl->Db) : 0;
}

Int64 TSqliteDatabase::TotalChanges() const {
    return FImpl->Db ? sqlite3_total_changes64(FImpl->Db) : 0;
}

int TSqliteDatabase::BeginTransaction() {
    if (FTransactionLevel == 0)
        ExecuteSql("BEGIN IMMEDIATE");
    else
        ExecuteSql("SAVEPOINT orv_level" + std::to_string(FTransactionLevel + 1));
    return ++FTransactionLevel;
}

void TSqliteDatabase::CommitTransaction() {
    if (FTransactionLevel == 0)
        throw EDatabaseError(
            "You tried to commit or rollback a transaction without first beginning a transaction.");
    if (FTransactionLevel == 1)
        ExecuteSql("COMMIT");
    else
        ExecuteSql("RELEASE orv_level" + std::to_string(FTransactionLevel));
    --FTransactionLevel;
}

void TSqliteDatabase::RollbackTransaction() {
    if (FTransactionLevel == 0)
        throw EDatabaseError(
            "You tried to commit or rollback a transaction without first beginning a transaction.");
    if (FTransactionLevel == 1)
        ExecuteSql("ROLLBACK");
    else {
        const String name = "orv_level" + std::to_string(FTransactionLevel);
        ExecuteSql("ROLLBACK TO " + name + "; RELEASE " + name);
    }
    --FTransactionLevel;
}

// ---- TSqliteStatement ----------------------------------------------------------------------------

TSqliteStatement::TSqliteStatement(std::unique_ptr<TImpl> impl) : FImpl(std::move(impl)) {}

TSqliteStatement::~TSqliteStatement() {
    if (!FImpl || !FImpl->Stmt) return;
    // Back to the connection's cache while the connection is open and the cache has room.
    if (auto cache = FImpl->Cache.lock(); cache && cache->Idle.size() < TStatementCache::kLimit) {
        sqlite3_reset(FImpl->Stmt);
        sqlite3_clear_bindings(FImpl->Stmt);
        cache->Idle.emplace(std::move(FImpl->Sql), FImpl->Stmt);
        return;
    }
    sqlite3_finalize(FImpl->Stmt);
}

int TSqliteStatement::ParamCount() const {
    return sqlite3_bind_parameter_count(FImpl->Stmt);
}

void TSqliteStatement::Bind(int index, const Variant& value) {
    sqlite3_stmt* st = FImpl->Stmt;
    int rc = SQLITE_OK;
    switch (VarType(value)) {
    case varEmpty:
    case varNull:
        rc = sqlite3_bind_null(st, index);
        break;
    case varBoolean: // Yes is -1, as Jet keeps it
        rc = sqlite3_bind_int(st, index, value.AsBoolean() ? -1 : 0);
        break;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        rc = sqlite3_bind_int64(st, index, value.AsInt64());
        break;
    case varSingle:
    case varDouble:
        rc = sqlite3_bind_double(st, index, value.AsDouble());
        break;
    case varCurrency: {
        const Currency amount = value.AsCurrency();
        CheckMoneyStorable(amount);
        rc = MoneyStorageIsWhole(amount) ? sqlite3_bind_int64(st, index, amount.Value / 10000)
                                         : sqlite3_bind_double(st, index, MoneyToStorage(amount));
        break;
    }
    case varDate: {
        const String s = DateTimeToStorage(value.AsDateTime());
        rc = sqlite3_bind_text(st, index, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const String s = VarToStr(value);
        rc = sqlite3_bind_text(st, index, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK) Fail(FImpl->Db);
}

void TSqliteStatement::ClearBindings() {
    sqlite3_clear_bindings(FImpl->Stmt);
}

void TSqliteStatement::Reset() {
    sqlite3_reset(FImpl->Stmt);
}

bool TSqliteStatement::Step() {
    const int rc = sqlite3_step(FImpl->Stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const String msg = sqlite3_errmsg(FImpl->Db);
    sqlite3_reset(FImpl->Stmt);
    if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
        throw EDatabaseKeyViolation(kKeyViolation);
    throw EDatabaseError(msg);
}

int TSqliteStatement::ColumnCount() const {
    return sqlite3_column_count(FImpl->Stmt);
}

namespace {
String Str(const char* s) {
    return s ? String(s) : String();
}
} // namespace

String TSqliteStatement::ColumnName(int column) const {
    return Str(sqlite3_column_name(FImpl->Stmt, column));
}
String TSqliteStatement::ColumnDeclType(int column) const {
    return Str(sqlite3_column_decltype(FImpl->Stmt, column));
}
String TSqliteStatement::ColumnTable(int column) const {
    return Str(sqlite3_column_table_name(FImpl->Stmt, column));
}
String TSqliteStatement::ColumnOrigin(int column) const {
    return Str(sqlite3_column_origin_name(FImpl->Stmt, column));
}
int TSqliteStatement::ColumnType(int column) const {
    return sqlite3_column_type(FImpl->Stmt, column);
}
Int64 TSqliteStatement::ColumnInt64(int column) const {
    return sqlite3_column_int64(FImpl->Stmt, column);
}
double TSqliteStatement::ColumnDouble(int column) const {
    return sqlite3_column_double(FImpl->Stmt, column);
}

const char* TSqliteStatement::ColumnText(int column, size_t& length) const {
    const unsigned char* t = sqlite3_column_text(FImpl->Stmt, column);
    length = static_cast<size_t>(sqlite3_column_bytes(FImpl->Stmt, column));
    return t ? reinterpret_cast<const char*>(t) : "";
}

String TSqliteStatement::ColumnBlob(int column) const {
    const void* b = sqlite3_column_blob(FImpl->Stmt, column);
    const int n = sqlite3_column_bytes(FImpl->Stmt, column);
    return b ? String(static_cast<const char*>(b), static_cast<size_t>(n)) : String();
}

Variant TSqliteStatement::ColumnValue(int column) const {
    switch (ColumnType(column)) {
    case SQLITE_INTEGER:
        return Variant(ColumnInt64(column));
    case SQLITE_FLOAT:
        return Variant(ColumnDouble(column));
    case SQLITE_TEXT: {
        size_t n = 0;
        const char* t = ColumnText(column, n);
        return Variant(String(t, n));
    }
    case SQLITE_BLOB:
        return Variant(ColumnBlob(column));
    default:
        return Null();
    }
}

bool TSqliteStatement::TableColumnInfo(const String& table, const String& column, TColumnInfo& info) const {
    const char* decl = nullptr;
    const char* coll = nullptr;
    int notNull = 0, pk = 0, autoinc = 0;
    if (sqlite3_table_column_metadata(FImpl->Db, nullptr, table.c_str(), column.c_str(), &decl, &coll,
                                      &notNull, &pk, &autoinc) != SQLITE_OK)
        return false;
    info.DeclType = Str(decl);
    info.NotNull = notNull != 0;
    info.PrimaryKey = pk != 0;
    info.AutoIncrement = autoinc != 0;
    return true;
}
