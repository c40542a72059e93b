// TADOConnection, TParameters, TADOCommand, TADOQuery and TADOTable.
#include "db/ADODB.h"

#include "db/JetSql.h"
#include "db/SqliteDatabase.h"
#include "db/WorkbookDatabase.h"
#include "rtl/FileUtils.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <map>

namespace {

// Key=value pairs separated by ";"; a value may be quoted with " or '.
std::map<String, String> ParseConnectionString(const String& s) {
    std::map<String, String> out;
    size_t i = 0;
    while (i < s.size()) {
        const size_t eq = s.find('=', i);
        if (eq == String::npos) break;
        const String key = LowerCase(Trim(s.substr(i, eq - i)));
        size_t j = eq + 1;
        while (j < s.size() && s[j] == ' ')
            ++j;
        String value;
        if (j < s.size() && (s[j] == '"' || s[j] == '\'')) {
            const char q = s[j];
            size_t k = j + 1;
            while (k < s.size()) {
                if (s[k] == q) {
                    if (k + 1 < s.size() && s[k + 1] == q) {
                        value += q;
                        k += 2;
                        continue;
                    }
                    break;
                }
                value += s[k++];
            }
            j = k + 1;
            const size_t semi = s.find(';', j);
            i = semi == String::npos ? s.size() : semi + 1;
        } else {
            const size_t semi = s.find(';', j);
            value = Trim(s.substr(j, semi == String::npos ? String::npos : semi - j));
            i = semi == String::npos ? s.size() : semi + 1;
        }
        out[key] = value;
    }
    return out;
}

void BindParams(TSqliteStatement& st, const TJetStatement& jet, const TParameters* params) {
    for (size_t i = 0; i < jet.ParamNames.size(); ++i) {
        const TParameter* p = nullptr;
        if (params) {
            if (!jet.ParamNames[i].empty())
                p = params->FindParam(jet.ParamNames[i]);
            else if (static_cast<int>(i) < params->Count())
                p = params->Items(static_cast<int>(i));
        }
        if (!p && params) throw EDatabaseError("Parameter '" + jet.ParamNames[i] + "' not found");
        st.Bind(static_cast<int>(i) + 1, p ? p->Value() : Null());
    }
}

// SELECT ... INTO t: t is made with the source columns' types, then filled; all or nothing.
int RunSelectInto(TSqliteDatabase& db, const TJetStatement& jet, const TParameters* params) {
    db.BeginTransaction();
    try {
        {
            auto select = db.Prepare(jet.Sql);
            db.CreateTableLike(jet.IntoTable, *select, jet.MoneyColumns);
        }
        db.InstallColumnRules(jet.IntoTable);
        auto insert = db.Prepare("INSERT INTO " + AnsiQuotedStr(jet.IntoTable, '"') + " " + jet.Sql);
        BindParams(*insert, jet, params);
        while (insert->Step()) {
        }
        const int rows = db.Changes();
        db.CommitTransaction();
        db.ForgetSchema();
        return rows;
    } catch (...) {
        db.RollbackTransaction();
        throw;
    }
}

// Runs one translated statement with the parameters bound; returns the rows it changed.
int RunStatement(TSqliteDatabase& db, const TJetStatement& jet, const TParameters* params) {
    if (!jet.IntoTable.empty()) return RunSelectInto(db, jet, params);
    // The rules name the table's columns: they are taken away while an ALTER TABLE changes them.
    if (jet.AltersTable) db.RemoveColumnRules(jet.DefinedTable);
    int rows = 0;
    try {
        auto st = db.Prepare(jet.Sql);
        BindParams(*st, jet, params);
        const Int64 before = db.TotalChanges();
        while (st->Step()) {
        }
        // The statement's own rows, not those its table's rules (triggers) touched.
        rows = db.TotalChanges() == before ? 0 : db.Changes();
    } catch (...) {
        if (jet.AltersTable) db.InstallColumnRules(jet.DefinedTable);
        throw;
    }
    if (!jet.DefinedTable.empty()) db.InstallColumnRules(jet.DefinedTable);
    if (jet.ChangesSchema) db.ForgetSchema();
    return rows;
}

} // namespace

// ---- TADOConnection ------------------------------------------------------------------------------

TADOConnection::TADOConnection(TComponent* AOwner) : TComponent(AOwner) {}

void TADOConnection::Loaded() {
    TComponent::Loaded();
    if (FStreamedConnected) {
        FStreamedConnected = false;
        Open();
    }
}

TADOConnection::~TADOConnection() {
    for (TCustomADODataSet* d : std::vector<TCustomADODataSet*>(FDataSets))
        d->SetConnection(nullptr);
    for (TADOCommand* c : std::vector<TADOCommand*>(FCommands))
        c->SetConnection(nullptr);
    if (FDatabase) FDatabase->Close();
}

void TADOConnection::SetConnectionString(const String& Value) {
    if (Connected()) Close();
    FConnectionString = Value;
}

String TADOConnection::DataSourceFile() const {
    const auto m = ParseConnectionString(FConnectionString);
    const auto it = m.find("data source");
    return it == m.end() ? String() : it->second;
}

String TADOConnection::DatabasePassword() const {
    const auto m = ParseConnectionString(FConnectionString);
    auto it = m.find("jet oledb:database password");
    if (it == m.end()) it = m.find("password");
    return it == m.end() ? String() : it->second;
}

void TADOConnection::Open() {
    if (Connected()) return;
    const auto m = ParseConnectionString(FConnectionString);
    const auto provider = m.find("provider");
    if (provider != m.end() && !StartsText("Microsoft.Jet.OLEDB", provider->second) &&
        !StartsText("Microsoft.ACE.OLEDB", provider->second))
        throw EDatabaseError("Provider cannot be found. It may not be properly installed.");
    const auto extended = m.find("extended properties");
    const bool workbook = extended != m.end() && StartsText("Excel 8.0", Trim(extended->second));
    if (extended != m.end() && !workbook) throw EDatabaseError("Could not find installable ISAM.");
    const String file = DataSourceFile();
    if (file.empty()) throw EDatabaseError("Could not find file ''.");
    if (BeforeConnect) BeforeConnect(this);
    auto db = std::make_unique<TSqliteDatabase>();
    std::vector<String> sheets;
    if (workbook) {
        sheets = LoadWorkbook(*db, file);
    } else {
        db->Open(file, DatabasePassword());
        MakeTemporaryTables(*db);
    }
    FDatabase = std::move(db);
    FWorkbook = workbook;
    FSheetNames = std::move(sheets);
    if (AfterConnect) AfterConnect(this);
}

void TADOConnection::Close() {
    if (!Connected()) return;
    if (BeforeDisconnect) BeforeDisconnect(this);
    for (TCustomADODataSet* d : std::vector<TCustomADODataSet*>(FDataSets))
        d->Close();
    FDatabase->Close();
    FDatabase.reset();
    FWorkbook = false;
    FSheetNames.clear();
    if (AfterDisconnect) AfterDisconnect(this);
}

void TADOConnection::GetTableNames(TStrings* list, bool systemTables) {
    TSqliteDatabase& db = Database();
    TUpdateGuard guard(*list);
    list->Clear();
    if (FWorkbook) {
        for (const String& name : FSheetNames)
            list->Add(name);
        return;
    }
    auto st = db.Prepare("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                         "ESCAPE '\\' ORDER BY name COLLATE NOCASE");
    while (st->Step()) {
        const String name = VarToStr(st->ColumnValue(0));
        if (!systemTables && StartsText("MSys", name)) continue;
        list->Add(name);
    }
}

bool TADOConnection::Connected() const {
    return FDatabase && FDatabase->Connected();
}

void TADOConnection::SetConnected(bool Value) {
    if (ComponentState().Contains(csLoading)) {
        FStreamedConnected = Value;
        return;
    }
    if (Value)
        Open();
    else
        Close();
}

TSqliteDatabase& TADOConnection::Database() {
    if (!Connected()) Open();
    return *FDatabase;
}

int TADOConnection::BeginTrans() {
    return Database().BeginTransaction();
}

void TADOConnection::CommitTrans() {
    if (!Connected())
        throw EDatabaseError(
            "You tried to commit or rollback a transaction without first beginning a transaction.");
    FDatabase->CommitTransaction();
}

void TADOConnection::RollbackTrans() {
    if (!Connected())
        throw EDatabaseError(
            "You tried to commit or rollback a transaction without first beginning a transaction.");
    FDatabase->RollbackTransaction();
}

bool TADOConnection::InTransaction() const {
    return Connected() && FDatabase->TransactionLevel() > 0;
}

int TADOConnection::Execute(const String& CommandText) {
    TSqliteDatabase& db = Database();
    const auto jet = db.Translate(CommandText);
    if (!jet->ParamNames.empty()) throw EDatabaseError("No value given for one or more required parameters.");
    return RunStatement(db, *jet, nullptr);
}

void TADOConnection::CreateDatabase(const String& FileName, const String& Password) {
    TSqliteDatabase::Create(FileName, Password);
}

void TADOConnection::CompactDatabase(const String& FileName, const String& Password) {
    TSqliteDatabase::Compact(FileName, Password);
}

void TADOConnection::CheckDatabaseFile(const String& fileName, const String& password,
                                       const std::vector<String>& tables) {
    TSqliteDatabase::CheckDatabaseFile(fileName, password, tables);
}

void TADOConnection::BackupTo(const String& fileName) {
    Database().BackupTo(fileName);
}

void TADOConnection::RestoreFrom(const String& fileName) {
    for (TCustomADODataSet* d : std::vector<TCustomADODataSet*>(FDataSets))
        d->Close();
    Database().RestoreFrom(fileName);
}

void TADOConnection::Attach(TObject* Client) {
    if (auto* d = dynamic_cast<TCustomADODataSet*>(Client))
        FDataSets.push_back(d);
    else if (auto* c = dynamic_cast<TADOCommand*>(Client))
        FCommands.push_back(c);
}

void TADOConnection::Detach(TObject* Client) {
    FDataSets.erase(std::remove(FDataSets.begin(), FDataSets.end(), Client), FDataSets.end());
    FCommands.erase(std::remove(FCommands.begin(), FCommands.end(), Client), FCommands.end());
}

// ---- TParameters ---------------------------------------------------------------------------------

TParameter* TParameters::Items(int Index) const {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FList[static_cast<size_t>(Index)].get();
}

TParameter* TParameters::FindParam(const String& Name) const {
    for (const auto& p : FList)
        if (SameText(p->Name(), Name)) return p.get();
    return nullptr;
}

TParameter* TParameters::ParamByName(const String& Name) const {
    TParameter* p = FindParam(Name);
    if (!p) throw EDatabaseError("Parameter '" + Name + "' not found");
    return p;
}

TParameter* TParameters::AddParameter() {
    FList.push_back(std::make_unique<TParameter>());
    return FList.back().get();
}

TParameter* TParameters::CreateParameter(const String& Name, TFieldType DataType,
                                         TParameterDirection Direction, int Size, const Variant& Value) {
    TParameter* p = AddParameter();
    p->SetName(Name);
    p->SetDataType(DataType);
    p->SetDirection(Direction);
    p->SetSize(Size);
    p->SetValue(Value);
    return p;
}

void TParameters::ParseSQL(const String& SQL, bool KeepValues) {
    std::vector<String> names;
    try {
        names = TranslateJetSqlCached(SQL)->ParamNames;
    } catch (const Exception&) {
        // A statement that does not translate yet (being typed) has no parameters; running it
        // reports the error.
    }
    std::vector<std::unique_ptr<TParameter>> old = std::move(FList);
    FList.clear();
    for (const String& n : names) {
        TParameter* p = AddParameter();
        p->SetName(n);
        if (KeepValues)
            for (const auto& o : old)
                if (SameText(o->Name(), n)) {
                    p->SetValue(o->Value());
                    p->SetDataType(o->DataType());
                }
    }
}

// ---- TADOCommand ---------------------------------------------------------------------------------

TADOCommand::TADOCommand(TComponent* AOwner) : TComponent(AOwner) {}

TADOCommand::~TADOCommand() {
    if (FConnection) FConnection->Detach(this);
}

void TADOCommand::SetConnection(TADOConnection* Value) {
    if (FConnection == Value) return;
    if (FConnection) FConnection->Detach(this);
    FConnection = Value;
    if (FConnection) FConnection->Attach(this);
}

void TADOCommand::SetCommandText(const String& Value) {
    FCommandText = Value;
    FParameters.ParseSQL(Value, false);
}

int TADOCommand::Execute() {
    if (!FConnection) throw EDatabaseError("Missing Connection or ConnectionString");
    TSqliteDatabase& db = FConnection->Database();
    return RunStatement(db, *db.Translate(FCommandText), &FParameters);
}

// ---- TADOQuery -----------------------------------------------------------------------------------

TADOQuery::TADOQuery(TComponent* AOwner) : TCustomADODataSet(AOwner), FSQL(std::make_unique<TStringList>()) {
    FSQL->OnChange = [this](TObject*) { QueryChanged(); };
}

TADOQuery::~TADOQuery() {
    FSQL->OnChange = nullptr;
}

void TADOQuery::QueryChanged() {
    Close();
    if (FParamCheck) FParameters.ParseSQL(FSQL->Text(), false);
}

String TADOQuery::CommandText() const {
    return FSQL->Text();
}

void TADOQuery::SetSQL(TStrings* Value) {
    if (Value)
        FSQL->Assign(*Value);
    else
        FSQL->Clear();
}

int TADOQuery::ExecSQL() {
    if (!Connection()) throw EDatabaseError("Missing Connection or ConnectionString");
    SetParamsFromMaster(false);
    FRowsAffected = RunStatement(Db(), *Db().Translate(CommandText()), &FParameters);
    return FRowsAffected;
}

// ---- TADOTable -----------------------------------------------------------------------------------

void TADOTable::SetTableName(const String& Value) {
    Close();
    FTableName = Value;
}

String TADOTable::CommandText() const {
    return "select * from [" + FTableName + "]";
}
