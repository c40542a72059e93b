// The ADO stand-in: TADOConnection over an SQLite database file named by a Jet connection
// string, TADOQuery / TADOTable (client cursors that write their rows back to the one table they
// read), TADOCommand, and their parameters. Statements are written in the Jet dialect and
// translated by db/JetSql.h.
//
// Opening the program's database and reading a query:
//   TADOConnection cnn;
//   cnn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder +
//       "wuyegl.mdb;Persist Security Info=True;Jet OLEDB:Database Password=" + password);
//   cnn.Open();                                   // EDatabaseError: missing file, bad password ...
//   TADOQuery q;
//   q.SetConnection(&cnn);
//   q.SQL()->SetText("select * from T_wyFYrec where F_mainID = :id order by F_SFdate");
//   q.Parameters()->ParamByName("ID")->SetValue(12);   // names match without regard to case
//   q.Open();
//   Currency total;                               // money columns read as exact Currency
//   for (q.First(); !q.Eof(); q.Next()) total += q.FieldByName("F_totalPrice")->AsCurrency();
//
// Writing: with LockType ltOptimistic (the default) every Post, and every Delete, is written at
// once; with ltBatchOptimistic they stay in the cursor (UpdateStatus tells each record's state)
// until UpdateBatch writes them all, in one step, or CancelBatch (or Close) drops them. A record
// that another connection changed or deleted since it was read is not overwritten: the write
// fails with "Row cannot be located for updating. Some values may have been changed since it was
// last read." Only the columns the program changed are written and compared.
//
// Statements: TADOConnection::Execute and TADOCommand::Execute run one statement and return the
// rows it changed; TADOQuery::ExecSQL does the same with the query's parameters. A statement that
// fails raises EDatabaseError with the database's message.
#pragma once

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "rtl/StringList.h"

#include <memory>
#include <vector>

class TSqliteDatabase;
struct TJetStatement;

enum TADOLockType { ltUnspecified, ltReadOnly, ltPessimistic, ltOptimistic, ltBatchOptimistic };
enum TAffectRecords { arCurrent, arFiltered, arAll, arAllChapters };
enum TCursorLocation { clUseServer, clUseClient };
enum TCursorType { ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic };
enum TParameterDirection { pdUnknown, pdInput, pdOutput, pdInputOutput, pdReturnValue };
ORV_ENUM(TADOLockType, ltUnspecified, ltReadOnly, ltPessimistic, ltOptimistic, ltBatchOptimistic)
ORV_ENUM(TCursorLocation, clUseServer, clUseClient)
ORV_ENUM(TCursorType, ctUnspecified, ctOpenForwardOnly, ctKeyset, ctDynamic, ctStatic)

class TCustomADODataSet;
class TADOCommand;

// ---- connection ----------------------------------------------------------------------------------

class TADOConnection : public TComponent {
    ORV_META(TADOConnection, TComponent)

    explicit TADOConnection(TComponent* AOwner = nullptr);
    ~TADOConnection() override;
    // A connection read from a form connects when the form is loaded, if Connected was stored.
    void Loaded() override;

    // "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>;...;Jet OLEDB:Database Password=<pw>".
    // Keys compare without regard to case; a "\" in the file name is a folder separator. With
    // "Extended Properties=Excel 8.0" the file is an ".xls" workbook, read into a read-only
    // database in memory when the connection opens: a table per sheet (db/WorkbookDatabase.h).
    const String& ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const String& Value);
    // The file and password the connection string names.
    String DataSourceFile() const;
    String DatabasePassword() const;
    bool LoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool Value) { FLoginPrompt = Value; }

    void Open();
    // The tables of the open database (opening the connection when closed), replacing the list:
    // a workbook's sheets in workbook order; a database file's tables by name, its system tables
    // (named "MSys...") only when asked.
    void GetTableNames(TStrings* list, bool systemTables = false);
    // Closes the connection and every data set open on it.
    void Close();
    bool Connected() const;
    void SetConnected(bool Value);

    // Transactions nest: BeginTrans returns the new level; CommitTrans and RollbackTrans end the
    // innermost one. A failure between BeginTrans and RollbackTrans leaves nothing written.
    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    // Runs one statement in the Jet dialect; returns the rows it inserted, changed or deleted.
    int Execute(const String& CommandText);
    // A temporary table of this connection from a Jet CREATE TABLE (opening the connection when
    // closed): it shadows a file's table of that name for this connection until it closes
    // (TSqliteDatabase::CreateTemporaryTable). True when it was made now.
    bool CreateTemporaryTable(const String& declaration);

    // Makes a new database file that records its password (the connection stays closed).
    static void CreateDatabase(const String& FileName, const String& Password);
    // Rebuilds a closed database file (VACUUM) after checking its password.
    static void CompactDatabase(const String& FileName, const String& Password);
    // Checks that a file is a database of the program: it opens with the password, its integrity
    // check answers "ok" and it holds every table named (db/SqliteDatabase.h).
    static void CheckDatabaseFile(const String& fileName, const String& password,
                                  const std::vector<String>& tables);

    // Writes the database (opening the connection when closed) into a file: one consistent
    // snapshot of what was committed, the file replaced only when the copy is complete.
    void BackupTo(const String& fileName);
    // Replaces the database with a checked database file in one step, after closing the data
    // sets open on the connection (opening the connection when closed). EDatabaseInUse when
    // another connection has the file open; the database is then unchanged.
    void RestoreFrom(const String& fileName);

    // Work tables whose rows belong to this connection (TemporaryTables.cpp): each named table of
    // the file's schema is made again, empty, as a temporary table of the connection, now when it
    // is open and after every opening, and shadows the file's table for every statement of the
    // connection. Two connections on one file keep their own rows; the file's table stays as it is.
    // EDatabaseError when the connection is open and the file lacks the table; a file that lacks
    // it still opens (its statements on the table fail as they would have).
    void AddTemporaryTable(const String& table);
    const std::vector<String>& TemporaryTables() const { return FTemporaryTables; }

    TNotifyEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;

    // The open database (opening the connection first when it is closed).
    TSqliteDatabase& Database();

private:
    friend class TCustomADODataSet;
    friend class TADOCommand;
    void Attach(TObject* Client);
    void Detach(TObject* Client);
    void MakeTemporaryTables(TSqliteDatabase& database) const;

    String FConnectionString;
    std::vector<String> FTemporaryTables;
    bool FLoginPrompt = true;
    bool FStreamedConnected = false;
    std::unique_ptr<TSqliteDatabase> FDatabase;
    bool FWorkbook = false;
    std::vector<String> FSheetNames;
    std::vector<TCustomADODataSet*> FDataSets;
    std::vector<TADOCommand*> FCommands;
};

// ---- parameters ----------------------------------------------------------------------------------

class TParameter : public TObject {
public:
    String ClassName() const override { return "TParameter"; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    const Variant& Value() const { return FValue; }
    void SetValue(const Variant& Value) { FValue = Value; }
    TFieldType DataType() const { return FDataType; }
    void SetDataType(TFieldType Value) { FDataType = Value; }
    TParameterDirection Direction() const { return FDirection; }
    void SetDirection(TParameterDirection Value) { FDirection = Value; }
    int Size() const { return FSize; }
    void SetSize(int Value) { FSize = Value; }

private:
    String FName;
    Variant FValue = Null();
    TFieldType FDataType = ftUnknown;
    TParameterDirection FDirection = pdInput;
    int FSize = 0;
};

class TParameters {
public:
    int Count() const { return static_cast<int>(FList.size()); }
    TParameter* Items(int Index) const; // EListError outside the range
    TParameter* operator[](int Index) const { return Items(Index); }
    // By name without regard to case; nullptr / EDatabaseError "Parameter 'x' not found".
    TParameter* FindParam(const String& Name) const;
    TParameter* ParamByName(const String& Name) const;
    TParameter* AddParameter();
    TParameter* CreateParameter(const String& Name, TFieldType DataType, TParameterDirection Direction,
                                int Size, const Variant& Value);
    void Clear() { FList.clear(); }
    // Makes the parameters of a statement's ":name" markers (one per distinct name, in order,
    // keeping the values of names that were there before when KeepValues).
    void ParseSQL(const String& SQL, bool KeepValues);

private:
    std::vector<std::unique_ptr<TParameter>> FList;
};

// ---- data sets -----------------------------------------------------------------------------------

class TCustomADODataSet : public TDataSet {
    ORV_META(TCustomADODataSet, TDataSet)

    explicit TCustomADODataSet(TComponent* AOwner = nullptr);
    ~TCustomADODataSet() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TADOConnection* Connection() const { return FConnection; }
    void SetConnection(TADOConnection* Value);

    TADOLockType LockType() const { return FLockType; }
    void SetLockType(TADOLockType Value);
    TCursorLocation CursorLocation() const { return clUseClient; }
    void SetCursorLocation(TCursorLocation) {}
    TCursorType CursorType() const { return ctStatic; }
    void SetCursorType(TCursorType) {}

    // Client-side order: "F_x ASC", "F_x DESC", "F_a, F_b DESC"; empty for the order read.
    const String& Sort() const { return SortOrder(); }
    void SetSort(const String& Value) { SetSortOrder(Value); }

    // Master/detail: parameters named as fields of this source's data set take their values
    // from its current record, and the data set reads again whenever they change.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* Value);
    TDataSource* MasterSource() const override { return DataSource(); }

    // The client batch (ltBatchOptimistic).
    void UpdateBatch(TAffectRecords AffectRecords = arAll);
    // The same, running check inside the batch's transaction before any row is written: what it
    // raises rolls the transaction back and leaves the batch pending, as a failing row does.
    void UpdateBatch(TAffectRecords AffectRecords, const std::function<void()>& check);
    void CancelBatch(TAffectRecords AffectRecords = arAll);
    TUpdateStatus UpdateStatus() const;
    // Pending changes in the batch.
    bool HasPendingChanges() const;
    // Reads the data again with the same statement and parameters.
    void Requery();

    TParameters* Parameters() { return &FParameters; }

    // The table the records are written to ("" when the data set cannot write its records).
    const String& UpdateTableName() const { return FUpdateTable; }

protected:
    // The statement to run, in the Jet dialect.
    virtual String CommandText() const = 0;
    void InternalOpen() override;
    void InternalInitFieldDefs() override;
    void InternalClose() override;
    void InternalPost(TRecordData& Record, bool Inserting) override;
    bool InternalDelete(TRecordData& Record) override;
    bool GetCanModify() const override;
    std::unique_ptr<TField> CreateDefaultField(const TFieldDef& Def) override;
    TSqliteDatabase& Db();
    void BindParameters(class TSqliteStatement& Statement, const TJetStatement& Jet);
    void SetParamsFromMaster(bool Requery);

    TParameters FParameters;

private:
    friend class TADOConnection;
    class TMasterLink;
    void WriteInsert(TRecordData& Record);
    void WriteUpdate(TRecordData& Record);
    void WriteDelete(TRecordData& Record);
    void WriteRecord(TRecordData& Record);

    TADOConnection* FConnection = nullptr;
    TADOLockType FLockType = ltOptimistic;
    std::unique_ptr<TMasterLink> FMasterLink;
    String FUpdateTable;
    // Per field definition: the table column it writes ("" for an expression), and whether it
    // is a date column (compared by date when checking for another writer's change).
    std::vector<String> FColumns;
    std::vector<bool> FDateColumns;
    std::vector<bool> FCurrencyColumns;
    std::vector<bool> FAutoIncColumns;
    // The last INSERT written and the columns it gave values to: the next row with values in the
    // same columns reuses the text (and so the connection's prepared statement).
    String FInsertSql, FReadBackSql;
    std::vector<bool> FInsertColumns;
};

class TADOQuery : public TCustomADODataSet {
    ORV_META(TADOQuery, TCustomADODataSet)

    explicit TADOQuery(TComponent* AOwner = nullptr);
    ~TADOQuery() override;

    // The statement; changing it closes the query and makes the parameters anew.
    TStringList* SQL() const { return FSQL.get(); }
    void SetSQL(TStrings* Value);
    // Runs the statement without a result; returns the rows it changed.
    int ExecSQL();
    int RowsAffected() const { return FRowsAffected; }
    bool ParamCheck() const { return FParamCheck; }
    void SetParamCheck(bool Value) { FParamCheck = Value; }

protected:
    String CommandText() const override;

private:
    void QueryChanged();
    std::unique_ptr<TStringList> FSQL;
    bool FParamCheck = true;
    int FRowsAffected = -1;
};

// All rows of one table, written back to it.
class TADOTable : public TCustomADODataSet {
    ORV_META(TADOTable, TCustomADODataSet)

    explicit TADOTable(TComponent* AOwner = nullptr) : TCustomADODataSet(AOwner) {}
    const String& TableName() const { return FTableName; }
    void SetTableName(const String& Value);

protected:
    String CommandText() const override;

private:
    String FTableName;
};

class TADOCommand : public TComponent {
    ORV_META(TADOCommand, TComponent)

    explicit TADOCommand(TComponent* AOwner = nullptr);
    ~TADOCommand() override;
    TADOConnection* Connection() const { return FConnection; }
    void SetConnection(TADOConnection* Value);
    const String& CommandText() const { return FCommandText; }
    // Makes the parameters of the text's ":name" markers anew.
    void SetCommandText(const String& Value);
    TParameters* Parameters() { return &FParameters; }
    // Runs the command; returns the rows it changed.
    int Execute();

private:
    friend class TADOConnection;
    TADOConnection* FConnection = nullptr;
    String FCommandText;
    TParameters FParameters;
};
