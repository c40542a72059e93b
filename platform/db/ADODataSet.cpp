// TCustomADODataSet: reads a statement's rows into the client cursor and writes posted,
// deleted and batched records back to the one table the statement reads, locating each row by
// its rowid and checking that nobody changed what this cursor is about to change.
#include "db/ADODB.h"

#include "db/DateStorage.h"
#include "db/JetSql.h"
#include "db/MoneyStorage.h"
#include "db/SqliteDatabase.h"
#include "db/ValueCompare.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const char* const kConflict =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

String QuoteIdent(const String& name) {
    return AnsiQuotedStr(name, '"');
}

bool SameStored(const Variant& a, const Variant& b) {
    const bool an = VarIsNull(a) || VarIsEmpty(a), bn = VarIsNull(b) || VarIsEmpty(b);
    if (an || bn) return an == bn;
    return CompareFieldValues(a, b, false) == 0;
}

TFieldType FieldTypeOf(TJetColumnKind kind) {
    switch (kind) {
    case TJetColumnKind::String:
        return ftString;
    case TJetColumnKind::WideString:
        return ftWideString;
    case TJetColumnKind::Memo:
        return ftMemo;
    case TJetColumnKind::Integer:
        return ftInteger;
    case TJetColumnKind::SmallInt:
        return ftSmallint;
    case TJetColumnKind::LargeInt:
        return ftLargeint;
    case TJetColumnKind::Float:
        return ftFloat;
    case TJetColumnKind::Currency:
    case TJetColumnKind::Bcd:
        return ftBCD;
    case TJetColumnKind::Boolean:
        return ftBoolean;
    case TJetColumnKind::DateTime:
        return ftDateTime;
    case TJetColumnKind::Date:
        return ftDate;
    case TJetColumnKind::Time:
        return ftTime;
    case TJetColumnKind::Blob:
        return ftBlob;
    default:
        return ftUnknown;
    }
}

// A value as the field of that kind holds it. SQLITE_INTEGER 1, FLOAT 2, TEXT 3, BLOB 4, NULL 5.
Variant ReadValue(const TSqliteStatement& st, int col, TJetColumnKind kind) {
    const int type = st.ColumnType(col);
    if (type == 5) return Null();
    switch (kind) {
    case TJetColumnKind::String:
    case TJetColumnKind::WideString:
    case TJetColumnKind::Memo:
        if (type == 1) return Variant(IntToStr(st.ColumnInt64(col)));
        if (type == 2) return Variant(FloatToStr(st.ColumnDouble(col)));
        {
            size_t n = 0;
            const char* t = st.ColumnText(col, n);
            return Variant(String(t, n));
        }
    case TJetColumnKind::Integer:
    case TJetColumnKind::SmallInt:
        if (type == 1 || type == 2) {
            const Int64 v = type == 1 ? st.ColumnInt64(col) : std::llround(st.ColumnDouble(col));
            if (v >= std::numeric_limits<Integer>::min() && v <= std::numeric_limits<Integer>::max())
                return Variant(static_cast<Integer>(v));
            return Variant(v);
        }
        break;
    case TJetColumnKind::LargeInt:
        if (type == 1) return Variant(st.ColumnInt64(col));
        if (type == 2) return Variant(static_cast<Int64>(std::llround(st.ColumnDouble(col))));
        break;
    case TJetColumnKind::Float:
        if (type == 1 || type == 2) return Variant(st.ColumnDouble(col));
        break;
    case TJetColumnKind::Currency:
    case TJetColumnKind::Bcd:
        if (type == 1) {
            const Int64 whole = st.ColumnInt64(col);
            if (whole > -922337203685477LL && whole < 922337203685477LL)
                return Variant(Currency::FromRaw(whole * 10000));
        }
        if (type == 1 || type == 2) return Variant(StorageToMoney(st.ColumnDouble(col)));
        break;
    case TJetColumnKind::Boolean:
        if (type == 1 || type == 2) return Variant(st.ColumnDouble(col) != 0);
        if (type == 3) {
            size_t n = 0;
            const String s(st.ColumnText(col, n), n);
            return Variant(SameText(s, "true") || SameText(s, "yes") || s == "-1" || s == "1");
        }
        break;
    case TJetColumnKind::DateTime:
    case TJetColumnKind::Date:
    case TJetColumnKind::Time:
        if (type == 3) {
            size_t n = 0;
            const char* t = st.ColumnText(col, n);
            TDateTime d = 0;
            if (StorageToDateTime(t, n, d)) return VarFromDateTime(d);
            return Variant(String(t, n));
        }
        if (type == 1 || type == 2) return VarFromDateTime(st.ColumnDouble(col));
        break;
    case TJetColumnKind::Blob:
        return Variant(st.ColumnBlob(col));
    default:
        break;
    }
    return st.ColumnValue(col);
}

// The field type of an expression column from the values it produced; converts them to it.
TFieldType SettleExpressionColumn(std::vector<TRecordData*>& records, size_t col, int& size) {
    bool anyInt = false, anyReal = false, anyText = false, anyBlob = false, allDates = true, bigInt = false;
    size_t maxChars = 0;
    for (TRecordData* r : records) {
        const Variant& v = r->Values[col];
        switch (VarType(v)) {
        case varNull:
        case varEmpty:
            break;
        case varInt64:
            anyInt = true;
            if (v.AsInt64() < std::numeric_limits<Integer>::min() ||
                v.AsInt64() > std::numeric_limits<Integer>::max())
                bigInt = true;
            break;
        case varDouble:
            anyReal = true;
            break;
        default: {
            anyText = true;
            const String s = VarToStr(v);
            TDateTime d = 0;
            if (allDates && !StorageToDateTime(s, d)) allDates = false;
            size_t chars = 0;
            for (unsigned char c : s)
                if ((c & 0xC0) != 0x80) ++chars;
            maxChars = std::max(maxChars, chars);
            if (s.find('\0') != String::npos) anyBlob = true;
        }
        }
    }
    TFieldType type;
    if (anyText && !anyInt && !anyReal && allDates)
        type = ftDateTime;
    else if (anyText || anyBlob)
        type = maxChars > 255 ? ftMemo : ftString;
    else if (anyReal)
        type = ftFloat;
    else if (anyInt)
        type = bigInt ? ftLargeint : ftInteger;
    else
        type = ftString;
    size = type == ftString ? static_cast<int>(std::max<size_t>(maxChars, 1)) : 0;
    if (type == ftString && !anyText) size = 50;
    for (TRecordData* r : records) {
        Variant& v = r->Values[col];
        if (VarIsNull(v)) continue;
        switch (type) {
        case ftDateTime: {
            TDateTime d = 0;
            StorageToDateTime(VarToStr(v), d);
            v = VarFromDateTime(d);
            break;
        }
        case ftString:
        case ftMemo:
            if (!VarIsStr(v))
                v = VarType(v) == varDouble ? Variant(FloatToStr(v.AsDouble())) : Variant(VarToStr(v));
            break;
        case ftFloat:
            v = Variant(v.AsDouble());
            break;
        case ftInteger:
            v = Variant(v.AsInteger());
            break;
        default:
            break;
        }
    }
    return type;
}

} // namespace

// ---- the master link -----------------------------------------------------------------------------

class TCustomADODataSet::TMasterLink : public TDataLink {
public:
    explicit TMasterLink(TCustomADODataSet* Detail) : FDetail(Detail) {}

protected:
    void ActiveChanged() override { Follow(); }
    void DataSetChanged() override { Follow(); }
    void DataSetScrolled(int) override { Follow(); }
    void RecordChanged(TField* Field) override {
        if (!Field || FDetail->Parameters()->FindParam(Field->FieldName())) Follow();
    }

private:
    void Follow() {
        if (FDetail->Active() && DataSource() && DataSource()->State() != dsSetKey)
            FDetail->SetParamsFromMaster(true);
    }
    TCustomADODataSet* FDetail;
};

// ---- TCustomADODataSet ---------------------------------------------------------------------------

TCustomADODataSet::TCustomADODataSet(TComponent* AOwner) : TDataSet(AOwner) {}

void TCustomADODataSet::Notification(TComponent* AComponent, TOperation Operation) {
    TDataSet::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FConnection) SetConnection(nullptr);
    if (FMasterLink && AComponent == FMasterLink->DataSource()) FMasterLink->SetDataSource(nullptr);
}

TCustomADODataSet::~TCustomADODataSet() {
    Close();
    FMasterLink.reset();
    if (FConnection) FConnection->Detach(this);
}

void TCustomADODataSet::SetConnection(TADOConnection* Value) {
    if (FConnection == Value) return;
    Close();
    if (FConnection) FConnection->Detach(this);
    FConnection = Value;
    if (FConnection) FConnection->Attach(this);
}

void TCustomADODataSet::SetLockType(TADOLockType Value) {
    if (Active()) Error("Operation cannot be performed while the dataset is open");
    FLockType = Value;
}

TDataSource* TCustomADODataSet::DataSource() const {
    return FMasterLink ? FMasterLink->DataSource() : nullptr;
}

void TCustomADODataSet::SetDataSource(TDataSource* Value) {
    // A master that is, or follows, this data set would make a loop.
    for (TDataSet* ds = Value ? Value->DataSet() : nullptr; ds;) {
        if (ds == this) Error("Circular datalinks are not allowed");
        TDataSource* up = ds->MasterSource();
        ds = up ? up->DataSet() : nullptr;
    }
    if (!FMasterLink) FMasterLink = std::make_unique<TMasterLink>(this);
    if (TDataSource* old = FMasterLink->DataSource()) old->RemoveFreeNotification(this);
    FMasterLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
}

TSqliteDatabase& TCustomADODataSet::Db() {
    if (!FConnection) Error("Missing Connection or ConnectionString");
    return FConnection->Database();
}

void TCustomADODataSet::SetParamsFromMaster(bool Requery) {
    if (!FMasterLink || !FMasterLink->DataSource()) return;
    TDataSet* master = FMasterLink->DataSet();
    if (!master || !master->Active()) return;
    bool changed = false;
    for (int i = 0; i < FParameters.Count(); ++i) {
        TParameter* p = FParameters[i];
        TField* f = master->FindField(p->Name());
        if (!f) continue;
        const Variant v = f->AsVariant();
        if (!SameStored(v, p->Value()) || VarType(v) != VarType(p->Value())) {
            p->SetValue(v);
            changed = true;
        }
    }
    if (Requery && changed && Active()) this->Requery();
}

void TCustomADODataSet::Requery() {
    CheckBrowseMode();
    DisableControls();
    const TScopeExit enableControls([this] { EnableControls(); });
    Close();
    Open();
}

void TCustomADODataSet::BindParameters(TSqliteStatement& Statement, const TJetStatement& Jet) {
    for (size_t i = 0; i < Jet.ParamNames.size(); ++i) {
        const TParameter* p = nullptr;
        if (!Jet.ParamNames[i].empty())
            p = FParameters.FindParam(Jet.ParamNames[i]);
        else if (static_cast<int>(i) < FParameters.Count())
            p = FParameters[static_cast<int>(i)];
        if (!p) Error("Parameter '" + Jet.ParamNames[i] + "' not found");
        Statement.Bind(static_cast<int>(i) + 1, p->Value());
    }
}

std::unique_ptr<TField> TCustomADODataSet::CreateDefaultField(const TFieldDef& Def) {
    return TDataSet::CreateDefaultField(Def);
}

namespace {
// The definition of result column col as its declared type tells it (an expression column's type
// is settled by its values); kind receives the column's kind.
TFieldDef ColumnFieldDef(TSqliteStatement& st, int col, const TJetStatement& jet, TJetColumnKind& kind) {
    TFieldDef def;
    def.Name = st.ColumnName(col);
    int size = 0;
    kind = JetColumnKindOf(st.ColumnDeclType(col), size);
    // An expression over money is money (db/JetSql.h).
    if (kind == TJetColumnKind::Unknown)
        for (const String& money : jet.MoneyColumns)
            if (SameText(money, def.Name)) kind = TJetColumnKind::Currency;
    def.DataType = FieldTypeOf(kind);
    def.Size = size;
    def.Currency = kind == TJetColumnKind::Currency;
    if (def.DataType == ftBCD) def.Precision = 19;
    return def;
}

// A repeated name (two tables' columns) is told apart by its table.
void MakeNameUnique(TFieldDef& def, const std::vector<TFieldDef>& defs, const String& table) {
    for (const TFieldDef& d : defs)
        if (SameText(d.Name, def.Name)) def.Name = (table.empty() ? String("Expr") : table) + "." + def.Name;
}
} // namespace

void TCustomADODataSet::InternalInitFieldDefs() {
    TSqliteDatabase& db = Db();
    const auto translated = db.Translate(CommandText());
    const TJetStatement& jet = *translated;
    if (!jet.IsSelect) Error("CommandText does not return a result set");
    const std::unique_ptr<TSqliteStatement> st = db.Prepare(jet.Sql);
    const int columns = st->ColumnCount() - jet.HiddenColumns;
    std::vector<TFieldDef> defs;
    std::vector<TRecordData*> noRecords;
    for (int c = 0; c < columns; ++c) {
        TJetColumnKind kind;
        TFieldDef def = ColumnFieldDef(*st, c, jet, kind);
        if (kind == TJetColumnKind::Unknown) def.DataType = SettleExpressionColumn(noRecords, 0, def.Size);
        MakeNameUnique(def, defs, st->ColumnTable(c));
        defs.push_back(def);
    }
    for (const TFieldDef& d : defs)
        FieldDefs().Add(d);
}

void TCustomADODataSet::InternalOpen() {
    SetParamsFromMaster(false);
    TSqliteDatabase& db = Db();
    const auto translated = db.Translate(CommandText());
    const TJetStatement& jet = *translated;
    if (!jet.IsSelect) Error("CommandText does not return a result set");
    std::unique_ptr<TSqliteStatement> st;
    bool withRowId = !jet.UpdateTable.empty();
    if (withRowId) {
        try {
            st = db.Prepare(jet.RowIdSql);
        } catch (const EDatabaseError&) {
            withRowId = false; // a view, or a name that hides the rowid: the rows stay read-only
        }
    }
    if (!st) st = db.Prepare(jet.Sql);
    BindParameters(*st, jet);

    const int first = withRowId ? 1 : 0;
    const int columns = st->ColumnCount() - first - jet.HiddenColumns;
    std::vector<TJetColumnKind> kinds(static_cast<size_t>(columns));
    FColumns.assign(static_cast<size_t>(columns), String());
    FDateColumns.assign(static_cast<size_t>(columns), false);
    FCurrencyColumns.assign(static_cast<size_t>(columns), false);
    FAutoIncColumns.assign(static_cast<size_t>(columns), false);
    FUpdateTable.clear();
    FInsertSql.clear();
    bool writable = false;
    std::vector<TFieldDef> defs;
    for (int c = 0; c < columns; ++c) {
        const int col = c + first;
        TJetColumnKind kind;
        TFieldDef def = ColumnFieldDef(*st, col, jet, kind);
        const String table = st->ColumnTable(col), origin = st->ColumnOrigin(col);
        bool autoInc = false;
        if (!table.empty() && !origin.empty()) {
            TSqliteStatement::TColumnInfo info;
            if (st->TableColumnInfo(table, origin, info)) autoInc = info.AutoIncrement;
            if (withRowId && SameText(table, jet.UpdateTable)) {
                FColumns[static_cast<size_t>(c)] = origin;
                writable = true;
            }
        }
        kinds[static_cast<size_t>(c)] = kind;
        if (autoInc) def.DataType = ftAutoInc;
        def.ReadOnly = autoInc;
        FDateColumns[static_cast<size_t>(c)] =
            kind == TJetColumnKind::DateTime || kind == TJetColumnKind::Date || kind == TJetColumnKind::Time;
        FCurrencyColumns[static_cast<size_t>(c)] =
            kind == TJetColumnKind::Currency || kind == TJetColumnKind::Bcd;
        FAutoIncColumns[static_cast<size_t>(c)] = autoInc;
        MakeNameUnique(def, defs, table);
        defs.push_back(def);
    }
    if (writable) {
        FUpdateTable = jet.UpdateTable;
        for (int c = 0; c < columns; ++c)
            if (FColumns[static_cast<size_t>(c)].empty()) defs[static_cast<size_t>(c)].ReadOnly = true;
    }

    // The rows.
    std::vector<TRecordData*> loaded;
    const bool anyUnknown = std::find(kinds.begin(), kinds.end(), TJetColumnKind::Unknown) != kinds.end();
    while (st->Step()) {
        std::vector<Variant> values;
        values.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            values.push_back(ReadValue(*st, c + first, kinds[static_cast<size_t>(c)]));
        TRecordData& rec = AddLoadedRecord(std::move(values), withRowId ? st->ColumnInt64(0) : 0);
        if (anyUnknown) loaded.push_back(&rec);
    }
    for (int c = 0; c < columns; ++c)
        if (kinds[static_cast<size_t>(c)] == TJetColumnKind::Unknown) {
            int size = 0;
            defs[static_cast<size_t>(c)].DataType =
                SettleExpressionColumn(loaded, static_cast<size_t>(c), size);
            defs[static_cast<size_t>(c)].Size = size;
        }
    for (const TFieldDef& d : defs)
        FieldDefs().Add(d);
}

void TCustomADODataSet::InternalClose() {}

bool TCustomADODataSet::GetCanModify() const {
    if (FLockType == ltReadOnly) return false;
    return !FUpdateTable.empty() || FLockType == ltBatchOptimistic;
}

bool TCustomADODataSet::HasPendingChanges() const {
    if (!Active()) return false;
    for (const auto& r : AllRecords())
        if (r->Status != usUnmodified) return true;
    return false;
}

TUpdateStatus TCustomADODataSet::UpdateStatus() const {
    const TRecordData* rec = ActiveRecordData();
    return rec ? rec->Status : usUnmodified;
}

// ---- writing -------------------------------------------------------------------------------------

void TCustomADODataSet::InternalPost(TRecordData& Record, bool Inserting) {
    if (FLockType == ltBatchOptimistic) {
        if (!Inserting && Record.Status == usUnmodified) Record.Status = usModified;
        return;
    }
    if (FUpdateTable.empty()) Error("Cannot modify a read-only dataset");
    if (Inserting)
        WriteInsert(Record);
    else
        WriteUpdate(Record);
    Record.Original.reset();
    Record.Status = usUnmodified;
}

bool TCustomADODataSet::InternalDelete(TRecordData& Record) {
    if (FLockType == ltBatchOptimistic) {
        if (Record.Status == usInserted) return false;
        Record.Status = usDeleted;
        return true;
    }
    if (FUpdateTable.empty()) Error("Cannot modify a read-only dataset");
    WriteDelete(Record);
    return false;
}

void TCustomADODataSet::WriteInsert(TRecordData& Record) {
    TSqliteDatabase& db = Db();
    std::vector<bool> given(FColumns.size());
    std::vector<const Variant*> values;
    std::vector<size_t> mapped;
    for (size_t i = 0; i < FColumns.size(); ++i) {
        if (FColumns[i].empty()) continue;
        mapped.push_back(i);
        if (VarIsNull(Record.Values[i]) || VarIsEmpty(Record.Values[i])) continue;
        given[i] = true;
        values.push_back(&Record.Values[i]);
    }
    if (FInsertSql.empty() || given != FInsertColumns) {
        // The columns given no value are read back as written: the auto-number and the defaults.
        // Those given keep their values (a column rule changes how a value is stored, not what
        // it means).
        String names, marks, cols;
        for (size_t i : mapped) {
            if (!given[i]) {
                cols += (cols.empty() ? "" : ", ") + QuoteIdent(FColumns[i]);
                continue;
            }
            if (!names.empty()) {
                names += ", ";
                marks += ", ";
            }
            names += QuoteIdent(FColumns[i]);
            marks += "?";
        }
        FInsertSql = names.empty() ? "INSERT INTO " + QuoteIdent(FUpdateTable) + " DEFAULT VALUES"
                                   : "INSERT INTO " + QuoteIdent(FUpdateTable) + " (" + names + ") VALUES (" +
                                         marks + ")";
        FReadBackSql = cols.empty()
                           ? String()
                           : "SELECT " + cols + " FROM " + QuoteIdent(FUpdateTable) + " WHERE rowid = ?";
        FInsertColumns = given;
    }
    {
        auto st = db.Prepare(FInsertSql);
        for (size_t i = 0; i < values.size(); ++i)
            st->Bind(static_cast<int>(i) + 1, *values[i]);
        st->Step();
    }
    Record.RowId = db.LastInsertRowId();
    if (FReadBackSql.empty()) return;
    auto rd = db.Prepare(FReadBackSql);
    rd->Bind(1, Variant(Record.RowId));
    if (!rd->Step()) return;
    std::vector<size_t> readBack;
    for (size_t i : mapped)
        if (!given[i]) readBack.push_back(i);
    for (size_t k = 0; k < readBack.size(); ++k) {
        const size_t i = readBack[k];
        const TFieldDef& def = FieldDefs()[static_cast<int>(i)];
        TJetColumnKind kind = TJetColumnKind::Unknown;
        switch (def.DataType) {
        case ftString:
            kind = TJetColumnKind::String;
            break;
        case ftWideString:
            kind = TJetColumnKind::WideString;
            break;
        case ftMemo:
            kind = TJetColumnKind::Memo;
            break;
        case ftInteger:
        case ftAutoInc:
            kind = TJetColumnKind::Integer;
            break;
        case ftSmallint:
            kind = TJetColumnKind::SmallInt;
            break;
        case ftLargeint:
            kind = TJetColumnKind::LargeInt;
            break;
        case ftFloat:
            kind = TJetColumnKind::Float;
            break;
        case ftBCD:
            kind = TJetColumnKind::Bcd;
            break;
        case ftBoolean:
            kind = TJetColumnKind::Boolean;
            break;
        case ftDate:
        case ftTime:
        case ftDateTime:
            kind = TJetColumnKind::DateTime;
            break;
        case ftBlob:
            kind = TJetColumnKind::Blob;
            break;
        default:
            break;
        }
        Record.Values[i] = ReadValue(*rd, static_cast<int>(k), kind);
    }
}

void TCustomADODataSet::WriteUpdate(TRecordData& Record) {
    const std::vector<Variant>& orig = Record.OriginalValues();
    std::vector<size_t> changed;
    for (size_t i = 0; i < FColumns.size(); ++i)
        if (!FColumns[i].empty() && !SameStored(Record.Values[i], orig[i])) changed.push_back(i);
    if (changed.empty()) return;
    String set, where = "rowid = ?";
    for (size_t i : changed) {
        if (!set.empty()) set += ", ";
        const String col = QuoteIdent(FColumns[i]);
        set += col + " = ?";
        if (VarIsNull(orig[i]) || VarIsEmpty(orig[i]))
            where += " AND " + col + " IS NULL";
        else if (FDateColumns[i])
            where += " AND orv_datekey(" + col + ") = orv_datekey(?)";
        else if (FCurrencyColumns[i])
            where += " AND round(" + col + ", 4) = round(?, 4)";
        else
            where += " AND " + col + " = ?";
    }
    TSqliteDatabase& db = Db();
    auto st = db.Prepare("UPDATE " + QuoteIdent(FUpdateTable) + " SET " + set + " WHERE " + where);
    int p = 1;
    for (size_t i : changed)
        st->Bind(p++, Record.Values[i]);
    st->Bind(p++, Variant(Record.RowId));
    for (size_t i : changed)
        if (!VarIsNull(orig[i]) && !VarIsEmpty(orig[i])) st->Bind(p++, orig[i]);
    st->Step();
    if (db.Changes() == 0) throw EDatabaseRowChanged(kConflict);
}

void TCustomADODataSet::WriteDelete(TRecordData& Record) {
    if (Record.RowId == 0) return;
    TSqliteDatabase& db = Db();
    auto st = db.Prepare("DELETE FROM " + QuoteIdent(FUpdateTable) + " WHERE rowid = ?");
    st->Bind(1, Variant(Record.RowId));
    st->Step();
    if (db.Changes() == 0) throw EDatabaseRowChanged(kConflict);
}

void TCustomADODataSet::WriteRecord(TRecordData& Record) {
    switch (Record.Status) {
    case usInserted:
        WriteInsert(Record);
        break;
    case usModified:
        WriteUpdate(Record);
        break;
    case usDeleted:
        WriteDelete(Record);
        break;
    default:
        break;
    }
}

void TCustomADODataSet::UpdateBatch(TAffectRecords AffectRecords) {
    UpdateBatch(AffectRecords, {});
}

void TCustomADODataSet::UpdateBatch(TAffectRecords AffectRecords, const std::function<void()>& check) {
    CheckActive();
    if (State() == dsEdit || State() == dsInsert) Post();
    std::vector<TRecordData*> pending;
    if (AffectRecords == arCurrent) {
        TRecordData* rec = ActiveRecordData();
        if (rec && rec->Status != usUnmodified) pending.push_back(rec);
    } else
        for (const auto& r : AllRecords())
            if (r->Status != usUnmodified) pending.push_back(r.get());
    if (pending.empty()) return;
    if (FUpdateTable.empty()) Error("Cannot update: the data does not come from one table");
    // Written all or nothing: a conflict leaves the database and the batch as they were.
    struct TSaved {
        std::vector<Variant> Values;
        Int64 RowId;
    };
    std::vector<TSaved> saved;
    saved.reserve(pending.size());
    for (TRecordData* r : pending)
        saved.push_back({r->Values, r->RowId});
    TSqliteDatabase& db = Db();
    db.BeginTransaction();
    try {
        if (check) check();
        for (TRecordData* r : pending)
            WriteRecord(*r);
        db.CommitTransaction();
    } catch (...) {
        db.RollbackTransaction();
        for (size_t i = 0; i < pending.size(); ++i) {
            pending[i]->Values = std::move(saved[i].Values);
            pending[i]->RowId = saved[i].RowId;
        }
        throw;
    }
    std::vector<TRecordData*> gone;
    for (TRecordData* r : pending) {
        if (r->Status == usDeleted) gone.push_back(r);
        r->Original.reset();
        r->Status = usUnmodified;
    }
    PurgeRecords(gone);
    InvalidateCalcFields();
    DataEvent(deDataSetChange, 0);
}

void TCustomADODataSet::CancelBatch(TAffectRecords AffectRecords) {
    CheckActive();
    if (State() == dsEdit || State() == dsInsert) Cancel();
    std::vector<TRecordData*> affected;
    if (AffectRecords == arCurrent) {
        TRecordData* rec = ActiveRecordData();
        if (rec) affected.push_back(rec);
    } else
        for (const auto& r : AllRecords())
            affected.push_back(r.get());
    std::vector<TRecordData*> gone;
    for (TRecordData* r : affected) {
        switch (r->Status) {
        case usInserted:
            gone.push_back(r);
            break;
        case usModified:
        case usDeleted:
            if (r->Original) r->Values = *r->Original;
            r->Original.reset();
            r->Hidden = false;
            r->Status = usUnmodified;
            break;
        default:
            break;
        }
    }
    TRecordData* keep = ActiveRecordData();
    if (std::find(gone.begin(), gone.end(), keep) != gone.end()) keep = nullptr;
    PurgeRecords(gone);
    InvalidateCalcFields();
    ResyncView(keep);
}
