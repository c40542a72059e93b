// Data sets, the process-wide data-set list and the report's data-set collections.
#include "classes/MetaBuilder.h"
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "report/vrUnicodeUtils.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <algorithm>

TvrGlobalDataSetList* GlobalDataSetList() {
    static TvrGlobalDataSetList list;
    return &list;
}

ORV_META_IMPL(TvrDataSet)
void TvrDataSet::DeclareMeta(meta::Class<TvrDataSet>& c) {
    using T = TvrDataSet;
    c.Property("Enabled", &T::Enabled, &T::Enabled).Default(true);
    c.Property("RangeBegin", &T::RangeBegin, &T::RangeBegin).Default(rbFirst);
    c.Property("RangeEnd", &T::RangeEnd, &T::RangeEnd).Default(reLast);
    c.Property("RangeEndCount", &T::RangeEndCount, &T::RangeEndCount).Default(0);
    c.Property("UserName", &T::UserName, &T::SetUserName);
    c.Event("OnCheckEOF", &T::OnCheckEOF, "TvrCheckEOFEvent");
    c.Event("OnFirst", &T::OnFirst);
    c.Event("OnNext", &T::OnNext);
    c.Event("OnPrior", &T::OnPrior);
}

TvrDataSet::TvrDataSet(TComponent* AOwner) : TvrDialogComponent(AOwner) {
    TvrGlobalDataSetList* list = GlobalDataSetList();
    list->AcquireList();
    list->Items().push_back(this);
    list->ReleaseList();
}

TvrDataSet::~TvrDataSet() {
    TvrGlobalDataSetList* list = GlobalDataSetList();
    list->AcquireList();
    auto& items = list->Items();
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
    list->ReleaseList();
}

void TvrDataSet::SetName(const String& NewName) {
    TvrDialogComponent::SetName(NewName);
    if (!NewName.empty() && FUserName.empty()) FUserName = NewName;
}

void TvrDataSet::SetUserName(const String& Value) {
    if (Trim(Value).empty()) throw Exception(GetResources().GetString("prInvProp"));
    FUserName = Value;
}

WideString TvrDataSet::DisplayText(const String&) {
    return WideString();
}

Integer TvrDataSet::DisplayWidth(const String&) {
    return 10;
}

TvrFieldType TvrDataSet::GetFieldType(const String&) {
    return fftNumeric;
}

Variant TvrDataSet::Value(const String&) {
    return Null();
}

void TvrDataSet::Open() {
    if (OnOpen) OnOpen(this);
}

void TvrDataSet::Close() {
    if (OnClose) OnClose(this);
}

void TvrDataSet::First() {
    RecNo = 0;
    FEndFlag = false;
    if (OnFirst) OnFirst(this);
}

void TvrDataSet::Next() {
    FEndFlag = false;
    ++RecNo;
    if (RangeEnd == reCount && RecNo >= RangeEndCount) {
        RecNo = RangeEndCount - 1;
        FEndFlag = true;
        return;
    }
    if (OnNext) OnNext(this);
}

void TvrDataSet::Prior() {
    --RecNo;
    if (OnPrior) OnPrior(this);
}

bool TvrDataSet::Eof() {
    bool result = (RangeEnd == reCount && RecNo >= RangeEndCount) || FEndFlag;
    if (OnCheckEOF) OnCheckEOF(this, result);
    return result;
}

Integer TvrDataSet::RecordCount() {
    return RangeBegin == rbFirst && RangeEnd == reCount ? RangeEndCount : 0;
}

bool TvrDataSet::HasField(const String& Field) {
    TStringList list;
    GetFieldList(list);
    for (int i = 0; i < list.Count(); ++i)
        if (AnsiSameText(list[i], Field)) return true;
    return false;
}

// --- TvrUserDataSet -------------------------------------------------------------------------------

ORV_META_IMPL(TvrUserDataSet)
void TvrUserDataSet::DeclareMeta(meta::Class<TvrUserDataSet>& c) {
    c.Property("Fields", &TvrUserDataSet::Fields, &TvrUserDataSet::SetFields);
    c.Event("OnGetValue", &TvrUserDataSet::OnGetValue, "TvrUserDSGetValueEvent");
    c.Event("OnNewGetValue", &TvrUserDataSet::OnNewGetValue, "TvrUserDSNewGetValueEvent");
}

TvrUserDataSet::TvrUserDataSet(TComponent* AOwner)
    : TvrDataSet(AOwner), FFields(std::make_unique<TStringList>()) {}

void TvrUserDataSet::GetFieldList(TStrings& List) {
    List.Assign(*FFields);
}

Variant TvrUserDataSet::Value(const String& Field) {
    Variant v = Null();
    if (OnGetValue) OnGetValue(Field, v);
    if (OnNewGetValue) OnNewGetValue(this, Field, v);
    return v;
}

WideString TvrUserDataSet::DisplayText(const String& Field) {
    WideString text;
    if (OnGetValue) {
        Variant v = Null();
        OnGetValue(Field, v);
        text = VarIsNull(v) ? WideString() : v.AsWideString();
    }
    if (OnNewGetValue) {
        Variant v = Null();
        OnNewGetValue(this, Field, v);
        text = VarIsNull(v) ? WideString() : v.AsWideString();
    }
    return text;
}

// --- TvrCustomDBDataSet ---------------------------------------------------------------------------

ORV_META_IMPL(TvrCustomDBDataSet)
void TvrCustomDBDataSet::DeclareMeta(meta::Class<TvrCustomDBDataSet>& c) {
    using T = TvrCustomDBDataSet;
    c.Property("CloseDataSource", &T::CloseDataSource, &T::CloseDataSource);
    c.Property("FieldAliases", &T::FieldAliases, &T::SetFieldAliases);
    c.Property("OpenDataSource", &T::OpenDataSource, &T::OpenDataSource).Default(true);
    c.Event("OnClose", &T::OnClose);
    c.Event("OnOpen", &T::OnOpen);
}

TvrCustomDBDataSet::TvrCustomDBDataSet(TComponent* AOwner)
    : TvrDataSet(AOwner), FFieldAliases(std::make_unique<TStringList>()),
      FFieldCache(std::make_unique<TStringList>()) {
    FFieldCache->SetSorted(true);
    FFieldCache->SetDuplicates(TDuplicates::dupIgnore);
}

Integer TvrCustomDBDataSet::FieldsCount() {
    TStringList list;
    GetFieldList(list);
    return list.Count();
}

String TvrCustomDBDataSet::FieldNameOfAlias(const String& Alias) const {
    for (int i = 0; i < FFieldAliases->Count(); ++i) {
        const String& line = (*FFieldAliases)[i];
        const size_t eq = line.find('=');
        if (eq != String::npos && AnsiSameText(line.substr(eq + 1), Alias)) return line.substr(0, eq);
    }
    return Alias;
}

ORV_META_IMPL(TvrCustomDatabase)
void TvrCustomDatabase::DeclareMeta(meta::Class<TvrCustomDatabase>&) {}

// --- the process-wide list ------------------------------------------------------------------------

TvrDataSet* FindGlobalDataSet(TvrDataSet* Current, const String& Name, TvrReport* Report) {
    if (Name.empty()) return nullptr;
    if (!Report) return Current;
    TvrGlobalDataSetList* list = GlobalDataSetList();
    list->AcquireList();
    TvrDataSet* result = Current;
    for (TvrDataSet* ds : list->Items()) {
        if (!AnsiSameText(ds->UserName(), Name)) continue;
        TvrReport* home = ds->GetReport();
        if (!home) home = dynamic_cast<TvrReport*>(ds->Owner());
        if (home && home != Report) continue;
        result = ds;
        break;
    }
    list->ReleaseList();
    return result;
}

void GetEnabledDataSets(TStrings& List) {
    TvrGlobalDataSetList* list = GlobalDataSetList();
    list->AcquireList();
    List.Clear();
    for (TvrDataSet* ds : list->Items())
        if (!ds->UserName().empty() && ds->Enabled) List.AddObject(ds->UserName(), ds);
    list->ReleaseList();
}

// --- report data-set collections ------------------------------------------------------------------

ORV_META_IMPL(TvrDataSetItem)
void TvrDataSetItem::DeclareMeta(meta::Class<TvrDataSetItem>& c) {
    c.Property("DataSet", &TvrDataSetItem::DataSet, &TvrDataSetItem::SetDataSet);
    c.Property("DataSetName", &TvrDataSetItem::DataSetName, &TvrDataSetItem::SetDataSetName);
}

TvrDataSetItem::TvrDataSetItem(TCollection* Collection) : TCollectionItem(Collection) {}

void TvrDataSetItem::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrDataSetItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    FDataSet = s->FDataSet;
    FDataSetName = s->FDataSetName;
}

void TvrDataSetItem::SetDataSet(TvrDataSet* Value) {
    FDataSet = Value;
    FDataSetName = Value ? Value->UserName() : String();
    auto* owner = dynamic_cast<TvrReportDataSets*>(Collection());
    if (Value && owner && owner->Report()) Value->FreeNotification(owner->Report());
}

String TvrDataSetItem::DataSetName() const {
    return FDataSet ? FDataSet->UserName() : FDataSetName;
}

void TvrDataSetItem::SetDataSetName(const String& Value) {
    FDataSetName = Value;
    if (Value.empty()) {
        FDataSet = nullptr;
        return;
    }
    auto* owner = dynamic_cast<TvrReportDataSets*>(Collection());
    if (owner && owner->Report()) {
        FDataSet = owner->Report()->FindDataSet(FDataSet, Value);
        if (FDataSet) FDataSet->FreeNotification(owner->Report());
    }
}

ORV_META_IMPL(TvrReportDataSets)
void TvrReportDataSets::DeclareMeta(meta::Class<TvrReportDataSets>&) {}

TvrReportDataSets::TvrReportDataSets(TvrReport* Report)
    : TCollection(TvrDataSetItem::StaticClassInfo()), FReport(Report) {}

TvrDataSetItem* TvrReportDataSets::Add(TvrDataSet* DataSet) {
    auto* item = static_cast<TvrDataSetItem*>(TCollection::Add());
    item->SetDataSet(DataSet);
    return item;
}

TvrDataSetItem* TvrReportDataSets::FindByDataSet(const TvrDataSet* DataSet) const {
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->DataSet() == DataSet) return GetItem(i);
    return nullptr;
}

TvrDataSetItem* TvrReportDataSets::FindByName(const String& Name) const {
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->DataSet() && AnsiSameText(GetItem(i)->DataSet()->UserName(), Name)) return GetItem(i);
    return nullptr;
}

void TvrReportDataSets::InitializeAll() {
    for (int i = 0; i < Count(); ++i)
        if (TvrDataSet* ds = GetItem(i)->DataSet()) {
            ds->ServingReport = FReport;
            ds->PrepareForRun();
        }
}

void TvrReportDataSets::FinalizeAll() {
    for (int i = 0; i < Count(); ++i)
        if (TvrDataSet* ds = GetItem(i)->DataSet()) ds->EndOfRun();
}
