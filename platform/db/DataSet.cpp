// TDataSet: opening and closing, fields, states, navigation and editing of the client cursor.
#include "db/DataSet.h"

#include "db/DataSource.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <algorithm>

void DatabaseError(const String& message) {
    throw EDatabaseError(message);
}

// ---- TFields / TFieldDefs ------------------------------------------------------------------------

TField* TFields::Fields(int Index) const {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FList[static_cast<size_t>(Index)];
}

TField* TFields::FindField(const String& FieldName) const {
    for (TField* f : FList)
        if (SameText(f->FieldName(), FieldName)) return f;
    return nullptr;
}

TField* TFields::FieldByName(const String& FieldName) const {
    TField* f = FindField(FieldName);
    if (!f) DatabaseError("Field '" + FieldName + "' not found");
    return f;
}

TField* TFields::FieldByNumber(int FieldNo) const {
    for (TField* f : FList)
        if (f->FieldNo() == FieldNo) return f;
    return nullptr;
}

int TFields::IndexOf(const TField* Field) const {
    for (size_t i = 0; i < FList.size(); ++i)
        if (FList[i] == Field) return static_cast<int>(i);
    return -1;
}

int TFieldDefs::IndexOf(const String& Name) const {
    for (size_t i = 0; i < FList.size(); ++i)
        if (SameText(FList[i].Name, Name)) return static_cast<int>(i);
    return -1;
}

const TFieldDef* TFieldDefs::Find(const String& Name) const {
    const int i = IndexOf(Name);
    return i < 0 ? nullptr : &FList[static_cast<size_t>(i)];
}

// ---- construction --------------------------------------------------------------------------------

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (FStreamedActive) {
        FStreamedActive = false;
        Open();
    }
}

TDataSet::~TDataSet() {
    // The data set goes: its sources see it no more, its persistent fields are let go.
    FState = dsInactive;
    for (TDataSource* s : std::vector<TDataSource*>(FDataSources))
        s->SetDataSet(nullptr);
    FOwnedFields.clear();
    for (TField* f : FFields.FList)
        f->FDataSet = nullptr;
    FFields.FList.clear();
}

void TDataSet::Error(const String& Message) const {
    DatabaseError(Message);
}

void TDataSet::CheckActive() const {
    if (FState == dsInactive) Error("Cannot perform this operation on a closed dataset");
}

void TDataSet::AddField(TField* Field) {
    if (Active()) Error("Cannot perform this operation on an open dataset");
    FFields.FList.push_back(Field);
}

void TDataSet::RemoveField(TField* Field) {
    auto& l = FFields.FList;
    l.erase(std::remove(l.begin(), l.end(), Field), l.end());
}

void TDataSet::AddDataSource(TDataSource* Source) {
    FDataSources.push_back(Source);
}

void TDataSet::RemoveDataSource(TDataSource* Source) {
    FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), Source), FDataSources.end());
}

// ---- opening and closing -------------------------------------------------------------------------

void TDataSet::SetActive(bool Value) {
    if (ComponentState().Contains(csLoading)) {
        FStreamedActive = Value;
        return;
    }
    if (Value == Active()) return;
    if (Value) {
        DoEvent(BeforeOpen);
        try {
            OpenCursor();
        } catch (...) {
            CloseCursor();
            throw;
        }
        SetState(dsBrowse);
        DoEvent(AfterOpen);
        if (!IsEmpty()) DoEvent(AfterScroll);
    } else {
        DoEvent(BeforeClose);
        SetState(dsInactive);
        CloseCursor();
        DoEvent(AfterClose);
    }
}

void TDataSet::OpenCursor() {
    FFieldDefs.Clear();
    FRecords.clear();
    FView.clear();
    FInsertRecord.reset();
    FById.clear();
    FByIdValid = false;
    InternalOpen();
    CreateFields();
    BindFields();
    RebuildView(nullptr);
    FCursor = FView.empty() ? -1 : 0;
    FBof = true;
    FEof = FView.empty();
    FActiveOverride = -1;
    ++FCalcGeneration;
}

void TDataSet::UpdateFieldDefs() {
    if (Active()) return;
    FFieldDefs.Clear();
    InternalInitFieldDefs();
}

void TDataSet::CloseCursor() {
    InternalClose();
    FRecords.clear();
    FView.clear();
    FInsertRecord.reset();
    FById.clear();
    FByIdValid = false;
    FCursor = -1;
    FActiveOverride = -1;
    FBof = FEof = true;
    DestroyDefaultFields();
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    const int recNo = FCursor;
    std::vector<TFieldDef> oldDefs;
    for (int i = 0; i < FFieldDefs.Count(); ++i)
        oldDefs.push_back(FFieldDefs[i]);
    FRecords.clear();
    FView.clear();
    FInsertRecord.reset();
    FById.clear();
    FByIdValid = false;
    FFieldDefs.Clear();
    bool layout = false;
    try {
        InternalClose();
        InternalOpen();
        bool same = static_cast<int>(oldDefs.size()) == FFieldDefs.Count();
        for (size_t i = 0; same && i < oldDefs.size(); ++i)
            same = SameText(oldDefs[i].Name, FFieldDefs[static_cast<int>(i)].Name) &&
                   oldDefs[i].DataType == FFieldDefs[static_cast<int>(i)].DataType;
        if (!same && FDefaultFields) {
            DestroyDefaultFields();
            CreateFields();
            layout = true;
        }
        BindFields();
        RebuildView(nullptr);
    } catch (...) {
        FState = dsInactive;
        CloseCursor();
        DataEvent(deUpdateState, 0);
        throw;
    }
    FCursor = FView.empty() ? -1 : std::clamp(recNo, 0, static_cast<int>(FView.size()) - 1);
    FActiveOverride = -1;
    FBof = FCursor <= 0;
    FEof = FView.empty();
    ++FCalcGeneration;
    DataEvent(layout ? deLayoutChange : deDataSetChange, 0);
}

std::unique_ptr<TField> TDataSet::CreateDefaultField(const TFieldDef& Def) {
    std::unique_ptr<TField> f;
    switch (Def.DataType) {
    case ftString:
        f = std::make_unique<TStringField>();
        break;
    case ftWideString:
        f = std::make_unique<TWideStringField>();
        break;
    case ftMemo:
    case ftFmtMemo:
        f = std::make_unique<TMemoField>();
        break;
    case ftSmallint:
    case ftWord:
        f = std::make_unique<TSmallintField>();
        break;
    case ftInteger:
        f = std::make_unique<TIntegerField>();
        break;
    case ftAutoInc:
        f = std::make_unique<TAutoIncField>();
        break;
    case ftLargeint:
        f = std::make_unique<TLargeintField>();
        break;
    case ftFloat:
        f = std::make_unique<TFloatField>();
        break;
    case ftCurrency:
        f = std::make_unique<TCurrencyField>();
        break;
    case ftBCD:
    case ftFMTBcd: {
        auto b = std::make_unique<TBCDField>();
        b->SetCurrency(Def.Currency);
        if (Def.Precision > 0) b->SetPrecision(Def.Precision);
        f = std::move(b);
        break;
    }
    case ftBoolean:
        f = std::make_unique<TBooleanField>();
        break;
    case ftDate:
        f = std::make_unique<TDateField>();
        break;
    case ftTime:
        f = std::make_unique<TTimeField>();
        break;
    case ftDateTime:
    case ftTimeStamp:
        f = std::make_unique<TDateTimeField>();
        break;
    default:
        f = std::make_unique<TBlobField>();
        break;
    }
    if (Def.DataType == ftString || Def.DataType == ftWideString) f->SetSize(Def.Size);
    return f;
}

void TDataSet::CreateFields() {
    FDefaultFields = FFields.Count() == 0;
    if (!FDefaultFields) return;
    for (int i = 0; i < FFieldDefs.Count(); ++i) {
        const TFieldDef& def = FFieldDefs[i];
        std::unique_ptr<TField> f = CreateDefaultField(def);
        f->FFieldName = def.Name;
        f->FDefault = true;
        f->FRequired = def.Required;
        if (def.ReadOnly) f->FReadOnly = true;
        f->FDataSet = this;
        FFields.FList.push_back(f.get());
        FOwnedFields.push_back(std::move(f));
    }
}

void TDataSet::BindFields() {
    FCalcFieldCount = 0;
    for (TField* f : FFields.FList) {
        f->FFieldNo = 0;
        f->FCalcIndex = -1;
        if (f->FFieldKind == fkData) {
            const int def = FFieldDefs.IndexOf(f->FieldName());
            if (def < 0) Error("Field '" + f->FieldName() + "' not found");
            f->FFieldNo = def + 1;
        } else
            f->FCalcIndex = FCalcFieldCount++;
    }
}

void TDataSet::DestroyDefaultFields() {
    if (!FDefaultFields) return;
    auto& l = FFields.FList;
    l.erase(std::remove_if(l.begin(), l.end(), [](TField* f) { return f->FDefault; }), l.end());
    FOwnedFields.clear();
    FDefaultFields = false;
}

TRecordData& TDataSet::AddLoadedRecord(std::vector<Variant>&& Values, Int64 RowId) {
    auto rec = std::make_unique<TRecordData>();
    rec->Values = std::move(Values);
    rec->RowId = RowId;
    rec->Id = FNextId++;
    FRecords.push_back(std::move(rec));
    return *FRecords.back();
}

void TDataSet::PurgeRecords(const std::vector<TRecordData*>& Records) {
    if (Records.empty()) return;
    for (TRecordData* r : Records)
        FById.erase(r->Id);
    FView.erase(std::remove_if(FView.begin(), FView.end(),
                               [&](TRecordData* v) {
                                   return std::find(Records.begin(), Records.end(), v) != Records.end();
                               }),
                FView.end());
    FViewIndexValid = false;
    FRecords.erase(std::remove_if(FRecords.begin(), FRecords.end(),
                                  [&](const std::unique_ptr<TRecordData>& r) {
                                      return std::find(Records.begin(), Records.end(), r.get()) !=
                                             Records.end();
                                  }),
                   FRecords.end());
}

// ---- state and events ----------------------------------------------------------------------------

void TDataSet::SetState(TDataSetState Value) {
    if (FState == Value) return;
    FState = Value;
    FModified = false;
    DataEvent(deUpdateState, 0);
}

void TDataSet::DataEvent(TDataEvent Event, intptr_t Info) {
    switch (Event) {
    case deFieldChange: {
        const TField* f = reinterpret_cast<const TField*>(Info);
        if (f && (f->FieldKind() == fkData || f->FieldKind() == fkInternalCalc)) FModified = true;
        ++FCalcGeneration;
        break;
    }
    case deDataSetChange:
    case deDataSetScroll:
    case deRecordChange:
    case deLayoutChange:
        ++FCalcGeneration;
        break;
    default:
        break;
    }
    const bool notify = !ControlsDisabled() || Event == deDisabledStateChange;
    if (notify) {
        for (TDataSource* s : std::vector<TDataSource*>(FDataSources))
            s->DataEvent(Event, Info);
    } else if ((Event == deUpdateState && FState == dsInactive) || Event == deLayoutChange)
        FEnableEvent = deLayoutChange;
}

void TDataSet::DisableControls() {
    if (FDisableCount == 0) {
        FDisableState = FState;
        FEnableEvent = deDataSetChange;
        DataEvent(deDisabledStateChange, 0);
    }
    ++FDisableCount;
}

void TDataSet::EnableControls() {
    if (FDisableCount == 0) return;
    if (--FDisableCount == 0) {
        DataEvent(deDisabledStateChange, 1);
        if (FDisableState != FState) DataEvent(deUpdateState, 0);
        if (FDisableState != dsInactive && FState != dsInactive) DataEvent(FEnableEvent, 0);
    }
}

// ---- the cursor ----------------------------------------------------------------------------------

int TDataSet::ActiveIndex() const {
    if (FActiveOverride >= 0 && FActiveOverride < static_cast<int>(FView.size())) return FActiveOverride;
    return FCursor;
}

void TDataSet::SetActiveIndex(int Index) {
    FActiveOverride = Index == FCursor ? -1 : Index;
}

TRecordData* TDataSet::ActiveRecordData() const {
    if (FForcedRecord) return FForcedRecord;
    const int i = ActiveIndex();
    if (i < 0 || i >= static_cast<int>(FView.size())) return nullptr;
    return FView[static_cast<size_t>(i)];
}

void TDataSet::EnsureViewIndex() const {
    if (FViewIndexValid) return;
    for (size_t i = 0; i < FView.size(); ++i)
        FView[i]->ViewIndex = static_cast<uint32_t>(i);
    FViewIndexValid = true;
}

int TDataSet::IndexOfRecord(const TRecordData* record) const {
    if (!record || record->Hidden) return -1;
    EnsureViewIndex();
    const size_t i = record->ViewIndex;
    if (i < FView.size() && FView[i] == record) return static_cast<int>(i);
    return -1;
}

int TDataSet::RecNo() const {
    if (FState == dsInactive || FView.empty()) return 0;
    if (FState == dsInsert) return -1;
    return FCursor + 1;
}

void TDataSet::SetRecNo(int Value) {
    CheckBrowseMode();
    if (FView.empty()) return;
    const int index = std::clamp(Value, 1, static_cast<int>(FView.size())) - 1;
    if (index == FCursor) return;
    ScrollTo(index);
}

void TDataSet::ScrollTo(int index) {
    DoEvent(BeforeScroll);
    MoveTo(index, false);
    DoEvent(AfterScroll);
}

// Makes index current: as a scroll (the links move their windows) or as a data change.
void TDataSet::MoveTo(int index, bool asScroll) {
    const int old = FCursor;
    FCursor = FView.empty() ? -1 : std::clamp(index, 0, static_cast<int>(FView.size()) - 1);
    FActiveOverride = -1;
    FBof = FCursor <= 0 && FView.empty();
    FEof = FView.empty();
    if (asScroll)
        DataEvent(deDataSetScroll, FCursor - old);
    else
        DataEvent(deDataSetChange, 0);
}

void TDataSet::First() {
    CheckBrowseMode();
    DoEvent(BeforeScroll);
    FCursor = FView.empty() ? -1 : 0;
    FActiveOverride = -1;
    FBof = true;
    FEof = FView.empty();
    DataEvent(deDataSetChange, 0);
    DoEvent(AfterScroll);
}

void TDataSet::Last() {
    CheckBrowseMode();
    DoEvent(BeforeScroll);
    FCursor = static_cast<int>(FView.size()) - 1;
    FActiveOverride = -1;
    FEof = true;
    FBof = FView.empty();
    DataEvent(deDataSetChange, 0);
    DoEvent(AfterScroll);
}

int TDataSet::MoveBy(int Distance) {
    CheckBrowseMode();
    int moved = 0;
    DoEvent(BeforeScroll);
    if ((Distance > 0 && !FEof) || (Distance < 0 && !FBof)) {
        FBof = false;
        FEof = false;
        const int n = static_cast<int>(FView.size());
        const int old = FCursor;
        int target = FCursor + Distance;
        if (target >= n) {
            target = n - 1;
            FEof = true;
        }
        if (target < 0) {
            target = 0;
            FBof = true;
        }
        if (n == 0) {
            FBof = FEof = true;
            target = -1;
        }
        FCursor = target;
        FActiveOverride = -1;
        moved = target - old;
        DataEvent(deDataSetScroll, moved);
        DoEvent(AfterScroll);
    }
    return moved;
}

// The links look at their windows again (after a post, a cancel or a delete).
void TDataSet::Resync() {
    FActiveOverride = -1;
    if (FView.empty()) {
        FCursor = -1;
        FBof = FEof = true;
    } else
        FCursor = std::clamp(FCursor, 0, static_cast<int>(FView.size()) - 1);
    DataEvent(deDataSetChange, 0);
}

void TDataSet::ResyncView(TRecordData* Keep) {
    RebuildView(Keep);
    Resync();
}

// ---- editing -------------------------------------------------------------------------------------

bool TDataSet::CanModify() const {
    return Active() && GetCanModify();
}

void TDataSet::CheckCanModify() const {
    if (!CanModify()) Error("Cannot modify a read-only dataset");
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode, 0);
    if (FState == dsEdit || FState == dsInsert) {
        UpdateRecord();
        if (FModified)
            Post();
        else
            Cancel();
    }
}

void TDataSet::UpdateRecord() {
    if (FState != dsEdit && FState != dsInsert && FState != dsSetKey)
        Error("Dataset not in edit or insert mode");
    DataEvent(deUpdateRecord, 0);
}

void TDataSet::Edit() {
    if (FState == dsEdit || FState == dsInsert) return;
    if (FView.empty()) {
        Insert();
        return;
    }
    CheckBrowseMode();
    CheckCanModify();
    DoEvent(BeforeEdit);
    TRecordData* rec = FView[static_cast<size_t>(FCursor)];
    FEditSaved = rec->Values;
    FEditHadOriginal = rec->Original != nullptr;
    ++FCalcGeneration;
    SetState(dsEdit);
    DataEvent(deRecordChange, 0);
    DoEvent(AfterEdit);
}

void TDataSet::BeginInsertAppend() {
    CheckBrowseMode();
    CheckCanModify();
    DoEvent(BeforeInsert);
    DoEvent(BeforeScroll);
}

void TDataSet::DoInsert(bool AppendAtEnd) {
    BeginInsertAppend();
    auto rec = std::make_unique<TRecordData>();
    rec->Values.assign(static_cast<size_t>(FFieldDefs.Count()), Null());
    rec->Id = FNextId++;
    rec->Status = usInserted;
    int pos = AppendAtEnd || FCursor < 0 ? static_cast<int>(FView.size()) : FCursor;
    FView.insert(FView.begin() + pos, rec.get());
    FViewIndexValid = false;
    FInsertRecord = std::move(rec);
    FCursor = pos;
    FActiveOverride = -1;
    FBof = FEof = false;
    if (AppendAtEnd) FEof = true;
    SetState(dsInsert);
    try {
        DoEvent(OnNewRecord);
    } catch (...) {
        FView.erase(FView.begin() + pos);
        FViewIndexValid = false;
        FInsertRecord.reset();
        SetState(dsBrowse);
        Resync();
        throw;
    }
    FModified = false;
    DataEvent(deDataSetChange, 0);
    DoEvent(AfterInsert);
    DoEvent(AfterScroll);
}

void TDataSet::Insert() {
    DoInsert(false);
}
void TDataSet::Append() {
    DoInsert(true);
}

void TDataSet::AppendRecord(const std::vector<Variant>& Values) {
    Append();
    try {
        for (size_t i = 0; i < Values.size() && i < FFields.FList.size(); ++i)
            if (!VarIsEmpty(Values[i])) FFields.FList[i]->SetAsVariant(Values[i]);
        Post();
    } catch (...) {
        if (FState == dsInsert) Cancel();
        throw;
    }
}

void TDataSet::InsertRecord(const std::vector<Variant>& Values) {
    Insert();
    try {
        for (size_t i = 0; i < Values.size() && i < FFields.FList.size(); ++i)
            if (!VarIsEmpty(Values[i])) FFields.FList[i]->SetAsVariant(Values[i]);
        Post();
    } catch (...) {
        if (FState == dsInsert) Cancel();
        throw;
    }
}

void TDataSet::CheckRequiredFields() {
    for (TField* f : FFields.FList)
        if (f->Required() && !f->ReadOnly() && f->FieldKind() == fkData && f->IsNull()) {
            f->FocusControl();
            Error("Field '" + f->DisplayName() + "' must have a value");
        }
}

void TDataSet::Post() {
    UpdateRecord();
    if (FState != dsEdit && FState != dsInsert) return;
    DataEvent(deCheckBrowseMode, 0);
    DoEvent(BeforePost);
    CheckRequiredFields();
    TRecordData* rec = FView[static_cast<size_t>(FCursor)];
    const bool inserting = FState == dsInsert;
    if (!inserting && rec->Status == usUnmodified) {
        // The values before this edit are the ones read from the database.
        rec->Original = std::make_unique<std::vector<Variant>>(FEditSaved);
    }
    try {
        InternalPost(*rec, inserting);
    } catch (...) {
        if (!inserting && !FEditHadOriginal && rec->Status == usUnmodified) rec->Original.reset();
        throw;
    }
    if (inserting) {
        FRecords.push_back(std::move(FInsertRecord));
        if (FByIdValid) FById[rec->Id] = rec;
    }
    FEditSaved.clear();
    ++FCalcGeneration;
    SetState(dsBrowse);
    Resync();
    DoEvent(AfterPost);
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    DataEvent(deCheckBrowseMode, 0);
    DoEvent(BeforeCancel);
    if (FState == dsInsert) {
        TRecordData* rec = FInsertRecord.get();
        const int pos = IndexOfRecord(rec);
        if (pos >= 0) FView.erase(FView.begin() + pos);
        FViewIndexValid = false;
        FInsertRecord.reset();
        if (pos >= 0 && pos >= static_cast<int>(FView.size())) FCursor = static_cast<int>(FView.size()) - 1;
        if (FView.empty()) FCursor = -1;
        FEof = FCursor < 0;
    } else {
        TRecordData* rec = FView[static_cast<size_t>(FCursor)];
        rec->Values = std::move(FEditSaved);
        if (!FEditHadOriginal && rec->Status == usUnmodified) rec->Original.reset();
    }
    FEditSaved.clear();
    ++FCalcGeneration;
    SetState(dsBrowse);
    Resync();
    DoEvent(AfterCancel);
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) {
        Cancel();
        return;
    }
    if (FView.empty()) Error("Cannot perform this operation on an empty dataset");
    DataEvent(deCheckBrowseMode, 0);
    DoEvent(BeforeDelete);
    DoEvent(BeforeScroll);
    TRecordData* rec = FView[static_cast<size_t>(FCursor)];
    if (FState == dsEdit) {
        rec->Values = FEditSaved;
        if (!FEditHadOriginal && rec->Status == usUnmodified) rec->Original.reset();
    }
    const bool keep = InternalDelete(*rec);
    FView.erase(FView.begin() + FCursor);
    FViewIndexValid = false;
    if (keep) {
        rec->Hidden = true;
    } else {
        std::vector<TRecordData*> gone{rec};
        PurgeRecords(gone);
    }
    FEditSaved.clear();
    SetState(dsBrowse);
    Resync();
    DoEvent(AfterDelete);
    DoEvent(AfterScroll);
}

void TDataSet::ClearFields() {
    if (FState != dsEdit && FState != dsInsert) Error("Dataset not in edit or insert mode");
    TRecordData* rec = ActiveRecordData();
    if (!rec) return;
    for (Variant& v : rec->Values)
        v = Null();
    ++FCalcGeneration;
    DataEvent(deDataSetChange, 0);
}

// ---- field values --------------------------------------------------------------------------------

const Variant& TDataSet::FieldValue(const TField* Field) const {
    static const Variant null = Null();
    TRecordData* rec = ActiveRecordData();
    if (!rec) return null;
    if (Field->FFieldNo > 0) {
        const size_t i = static_cast<size_t>(Field->FFieldNo - 1);
        return i < rec->Values.size() ? rec->Values[i] : null;
    }
    if (Field->FCalcIndex < 0) return null;
    if (rec->CalcGeneration != FCalcGeneration && FForcedState != dsCalcFields) ComputeCalcFields(*rec);
    const size_t i = static_cast<size_t>(Field->FCalcIndex);
    return rec->Calc && i < rec->Calc->size() ? (*rec->Calc)[i] : null;
}

void TDataSet::ComputeCalcFields(TRecordData& record) const {
    record.CalcValues(0).assign(static_cast<size_t>(FCalcFieldCount), Null());
    record.CalcGeneration = FCalcGeneration;
    TRecordData* savedForced = FForcedRecord;
    const TDataSetState savedForcedState = FForcedState;
    const TDataSetState savedState = FState;
    FForcedRecord = &record;
    FForcedState = dsCalcFields;
    auto* self = const_cast<TDataSet*>(this);
    self->FState = dsCalcFields;
    try {
        for (TField* f : FFields.FList) {
            if (f->FFieldKind != fkLookup || !f->FLookupDataSet || f->FKeyFields.empty()) continue;
            if (!f->FLookupDataSet->Active()) continue;
            const Variant keys = FieldValues(f->FKeyFields);
            Variant v = Null();
            if (!VarIsNull(keys))
                v = f->FLookupDataSet->Lookup(f->FLookupKeyFields, keys, f->FLookupResultField);
            (*record.Calc)[static_cast<size_t>(f->FCalcIndex)] = v;
        }
        if (OnCalcFields) OnCalcFields(self);
    } catch (...) {
        self->FState = savedState;
        FForcedRecord = savedForced;
        FForcedState = savedForcedState;
        throw;
    }
    self->FState = savedState;
    FForcedRecord = savedForced;
    FForcedState = savedForcedState;
}

void TDataSet::SetFieldValue(TField* Field, const Variant& Value) {
    const bool calcState = FState == dsCalcFields || FForcedState == dsCalcFields;
    if (Field->FFieldKind == fkData) {
        if (FState != dsEdit && FState != dsInsert) Error("Dataset not in edit or insert mode");
    } else if (!calcState && FState != dsEdit && FState != dsInsert)
        Error("Dataset not in edit or insert mode");
    if (Field->ReadOnly() && !calcState) Error("Field '" + Field->DisplayName() + "' cannot be modified");
    TRecordData* rec = ActiveRecordData();
    if (!rec) Error("Dataset not in edit or insert mode");
    if (Field->OnValidate && !calcState) {
        // The field shows the new value while it is validated, and the old one when refused.
        Variant* slot =
            Field->FFieldNo > 0 ? &rec->Values[static_cast<size_t>(Field->FFieldNo - 1)] : nullptr;
        if (slot) {
            Variant old = *slot;
            *slot = Value;
            try {
                Field->OnValidate(Field);
            } catch (...) {
                *slot = old;
                throw;
            }
        } else
            Field->OnValidate(Field);
    }
    if (Field->FFieldNo > 0)
        rec->Values[static_cast<size_t>(Field->FFieldNo - 1)] = Value;
    else if (Field->FCalcIndex >= 0) {
        rec->CalcValues(static_cast<size_t>(FCalcFieldCount))[static_cast<size_t>(Field->FCalcIndex)] = Value;
        if (calcState) return;
    }
    if (Field->OnChange) Field->OnChange(Field);
    DataEvent(deFieldChange, reinterpret_cast<intptr_t>(Field));
}

Variant TDataSet::FieldValues(const String& FieldNames) const {
    std::vector<String> names = SplitString(FieldNames, ";");
    names.erase(std::remove_if(names.begin(), names.end(), [](const String& s) { return Trim(s).empty(); }),
                names.end());
    if (names.size() == 1) return FieldByName(Trim(names[0]))->AsVariant();
    std::vector<Variant> values;
    for (const String& n : names)
        values.push_back(FieldByName(Trim(n))->AsVariant());
    return VarArrayOf(values);
}

void TDataSet::SetFieldValues(const String& FieldNames, const Variant& Value) {
    std::vector<String> names = SplitString(FieldNames, ";");
    names.erase(std::remove_if(names.begin(), names.end(), [](const String& s) { return Trim(s).empty(); }),
                names.end());
    if (names.size() == 1) {
        FieldByName(Trim(names[0]))->SetAsVariant(Value);
        return;
    }
    for (size_t i = 0; i < names.size(); ++i)
        FieldByName(Trim(names[i]))
            ->SetAsVariant(VarIsArray(Value) ? VarArrayGet(Value, {static_cast<int>(i)}) : Value);
}

void TDataSet::GetFieldNames(TStrings* List) const {
    List->BeginUpdate();
    List->Clear();
    if (FFields.Count() > 0)
        for (TField* f : FFields.FList)
            List->Add(f->FieldName());
    else
        for (int i = 0; i < FFieldDefs.Count(); ++i)
            List->Add(FFieldDefs[i].Name);
    List->EndUpdate();
}

Variant TDataSet::OldFieldValue(const TField* Field) const {
    TRecordData* rec = ActiveRecordData();
    if (!rec || Field->FFieldNo <= 0) return FieldValue(Field);
    const size_t i = static_cast<size_t>(Field->FFieldNo - 1);
    if (rec->Original) return (*rec->Original)[i];
    if (FState == dsEdit && rec == FView[static_cast<size_t>(FCursor)] && i < FEditSaved.size())
        return FEditSaved[i];
    if (rec->Status == usInserted) return Null();
    return rec->Values[i];
}
