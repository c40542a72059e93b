// The database data set over the platform's data sets.
#include "report/vrDBSet.h"

#include "classes/MetaBuilder.h"
#include "db/DataSet.h"
#include "db/DataSource.h"
#include "db/Field.h"
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "report/vrUnicodeUtils.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

ORV_META_IMPL(TvrDBDataset)
void TvrDBDataset::DeclareMeta(meta::Class<TvrDBDataset>& c) {
    using T = TvrDBDataset;
    c.Property("DataSet", &T::DataSet, &T::SetDataSet).Stored(&T::IsSourceStored);
    c.Property("DataSource", &T::DataSource, &T::SetDataSource).Stored(&T::IsSourceStored);
    c.Property("BCDToCurrency", &T::BCDToCurrency, &T::BCDToCurrency);
}

TvrDBDataset::TvrDBDataset(TComponent* AOwner) : TvrCustomDBDataSet(AOwner) {}

TvrDBDataset::~TvrDBDataset() {
    if (FHandlersInstalled && FSource) {
        FSource->AfterOpen = FSavedAfterOpen;
        FSource->BeforeClose = FSavedBeforeClose;
    }
}

bool TvrDBDataset::IsSourceStored() const {
    return GetReport() == nullptr;
}

void TvrDBDataset::SetDataSet(TDataSet* Value) {
    FDataSet = Value;
    if (Value) {
        FDataSource = nullptr;
        Value->FreeNotification(this);
    }
    UpdateSource();
}

void TvrDBDataset::SetDataSource(TDataSource* Value) {
    FDataSource = Value;
    if (Value) {
        FDataSet = nullptr;
        Value->FreeNotification(this);
    }
    UpdateSource();
}

void TvrDBDataset::UpdateSource() {
    FSource = FDataSet ? FDataSet : (FDataSource ? FDataSource->DataSet() : nullptr);
}

void TvrDBDataset::Notification(TComponent* AComponent, TOperation Operation) {
    TvrCustomDBDataSet::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == static_cast<TComponent*>(FDataSet)) {
        FDataSet = nullptr;
        FHandlersInstalled = false;
    }
    if (AComponent == static_cast<TComponent*>(FDataSource)) FDataSource = nullptr;
    if (AComponent == static_cast<TComponent*>(FSource)) {
        FSource = nullptr;
        FHandlersInstalled = false;
    }
}

void TvrDBDataset::PrepareForRun() {
    UpdateSource();
    if (!FSource) throw Exception(Format(GetResources().GetString("dbNotConn"), {Name()}));
    if (!FHandlersInstalled) {
        FSavedAfterOpen = FSource->AfterOpen;
        FSavedBeforeClose = FSource->BeforeClose;
        FSource->AfterOpen = [this](TDataSet* ds) { AfterOpenHandler(ds, true); };
        FSource->BeforeClose = [this](TDataSet* ds) { BeforeCloseHandler(ds, true); };
        FSource->FreeNotification(this);
        FHandlersInstalled = true;
    }
    FOwnEof = false;
    Initialized = false;
}

void TvrDBDataset::EndOfRun() {
    if (!FSource) return;
    if (!FBookmark.empty()) {
        if (FSource->Active() && FSource->BookmarkValid(FBookmark)) FSource->GotoBookmark(FBookmark);
        FBookmark.clear();
    }
    if (CloseDataSource) Close();
    if (FHandlersInstalled) {
        FSource->AfterOpen = FSavedAfterOpen;
        FSource->BeforeClose = FSavedBeforeClose;
        FSavedAfterOpen = nullptr;
        FSavedBeforeClose = nullptr;
        FHandlersInstalled = false;
    }
    Initialized = false;
}

void TvrDBDataset::Open() {
    if (Initialized) return;
    Initialized = true;
    UpdateSource();
    if (!FSource) throw Exception(Format(GetResources().GetString("dbNotConn"), {Name()}));
    if (!FSource->Active()) {
        FSource->Open();
        if (!FHandlersInstalled) AfterOpenHandler(FSource, false);
    } else {
        AfterOpenHandler(FSource, false);
    }
    if (RangeBegin == rbCurrent || RangeEnd == reCurrent)
        FBookmark = FSource->GetBookmark();
    else
        FBookmark.clear();
    TvrDataSet::Open();
}

void TvrDBDataset::Close() {
    TvrDataSet::Close();
    if (!FSource) return;
    BeforeCloseHandler(FSource, false);
    const bool installed = FHandlersInstalled;
    TDataSetNotifyEvent own = FSource->BeforeClose;
    if (installed) FSource->BeforeClose = FSavedBeforeClose;
    FSource->Close();
    if (installed) FSource->BeforeClose = own;
}

void TvrDBDataset::AfterOpenHandler(TDataSet* DataSet, bool FromSource) {
    FFieldCache->Clear();
    TStringList names;
    GetFieldList(names);
    for (int i = 0; i < names.Count(); ++i) {
        TField* f = FSource ? FSource->FindField(FieldNameOfAlias(names[i])) : nullptr;
        FFieldCache->AddObject(names[i], f);
    }
    if (FromSource && FSavedAfterOpen) FSavedAfterOpen(DataSet);
}

void TvrDBDataset::BeforeCloseHandler(TDataSet* DataSet, bool FromSource) {
    if (FromSource && FSavedBeforeClose) FSavedBeforeClose(DataSet);
    FBookmark.clear();
    Initialized = false;
}

void TvrDBDataset::First() {
    if (!Initialized) Open();
    if (RangeBegin == rbCurrent && !FBookmark.empty())
        FSource->GotoBookmark(FBookmark);
    else
        FSource->First();
    FOwnEof = false;
    TvrDataSet::First();
}

void TvrDBDataset::Next() {
    if (!Initialized) Open();
    FOwnEof = false;
    if (RangeEnd == reCurrent && !FBookmark.empty() &&
        FSource->CompareBookmarks(FSource->GetBookmark(), FBookmark) == 0) {
        FOwnEof = true;
        return;
    }
    FSource->Next();
    TvrDataSet::Next();
}

void TvrDBDataset::Prior() {
    if (!Initialized) Open();
    FSource->Prior();
    TvrDataSet::Prior();
}

bool TvrDBDataset::Eof() {
    if (!Initialized) Open();
    return TvrDataSet::Eof() || FSource->Eof() || FOwnEof;
}

Integer TvrDBDataset::RecordCount() {
    if (!Initialized) Open();
    return FSource ? FSource->RecordCount() : 0;
}

void TvrDBDataset::GetFieldList(TStrings& List) {
    List.Clear();
    if (FFieldAliases->Count() > 0) {
        for (int i = 0; i < FFieldAliases->Count(); ++i) {
            const String& line = (*FFieldAliases)[i];
            if (StartsStr("-", line)) continue;
            const size_t eq = line.find('=');
            List.Add(eq == String::npos ? line : line.substr(eq + 1));
        }
        return;
    }
    if (!FSource) return;
    try {
        FSource->GetFieldNames(&List);
    } catch (const Exception&) {
    }
}

TField* TvrDBDataset::CachedField(const String& Name, bool& Found) const {
    Integer index = 0;
    Found = FFieldCache->Find(Name, index);
    return Found ? static_cast<TField*>(FFieldCache->Objects(index)) : nullptr;
}

void TvrDBDataset::ReportMissingField(const String& Text) {
    TvrReport* report = ServingReport ? ServingReport : GetReport();
    if (!report) return;
    report->ErrorList()->Add(report->CurrentObjectName.empty() ? Text : report->CurrentObjectName + ": " + Text);
}

Variant TvrDBDataset::Value(const String& Field) {
    if (!Initialized) Open();
    bool found = false;
    TField* f = CachedField(Field, found);
    if (!found) {
        ReportMissingField(GetResources().GetString("dbFldNotFound") + " " + UserName() + ".\"" + Field + "\"");
        return Null();
    }
    if (!f) return Null();
    if (auto* bcd = dynamic_cast<TBCDField*>(f)) {
        if (f->IsNull()) return Null();
        // Money is read as money, so totals and formats see the exact amount.
        return BCDToCurrency || bcd->Currency() ? Variant(f->AsCurrency()) : Variant(f->AsFloat());
    }
    if (dynamic_cast<TLargeintField*>(f)) return f->IsNull() ? Null() : Variant(f->AsLargeInt());
    return f->AsVariant();
}

WideString TvrDBDataset::DisplayText(const String& Field) {
    if (!FSource || !FSource->Active()) return Utf8ToWide(UserName() + ".\"" + Field + "\"");
    if (FFieldCache->Count() == 0) return Utf8ToWide(FSource->FieldByName(Field)->DisplayText());
    bool found = false;
    TField* f = CachedField(Field, found);
    if (!found) {
        const String text =
            GetResources().GetString("dbFldNotFound") + " " + UserName() + ".\"" + Field + "\"";
        ReportMissingField(text);
        return Utf8ToWide(text);
    }
    if (!f) return WideString();
    if (dynamic_cast<TWideStringField*>(f)) return f->AsWideString();
    return Utf8ToWide(f->DisplayText());
}

Integer TvrDBDataset::DisplayWidth(const String& Field) {
    const String name = FieldNameOfAlias(Field);
    if (FSource)
        if (TField* f = FSource->FindField(name)) return f->DisplayWidth();
    // A query that was never opened has no definitions yet: they are read without opening it.
    if (FSource && !FSource->FieldDefs().Find(name)) try {
            FSource->UpdateFieldDefs();
        } catch (const Exception&) {
        }
    const TFieldDef* def = FSource ? FSource->FieldDefs().Find(name) : nullptr;
    if (!def) throw Exception("Field '" + name + "' not found");
    switch (def->DataType) {
    case ftString:
    case ftWideString:
    case ftFixedChar:
        return def->Size;
    case ftDateTime:
        return 20;
    case ftLargeint:
        return 15;
    default:
        return 10;
    }
}

TvrFieldType TvrDBDataset::GetFieldType(const String& Field) {
    TField* f = FSource ? FSource->FindField(FieldNameOfAlias(Field)) : nullptr;
    if (!f) return fftNumeric;
    switch (f->DataType()) {
    case ftString:
    case ftMemo:
    case ftFmtMemo:
    case ftWideString:
    case ftFixedChar:
        return fftString;
    case ftBoolean:
        return fftBoolean;
    default:
        return fftNumeric;
    }
}

bool TvrDBDataset::IsBlobField(const String& Field) {
    bool found = false;
    TField* f = CachedField(Field, found);
    return f && f->IsBlob();
}

void TvrDBDataset::AssignBlobTo(const String& Field, TObject* Target) {
    bool found = false;
    TField* f = CachedField(Field, found);
    if (!found) ListIndexError(-1);
    auto* blob = dynamic_cast<TBlobField*>(f);
    if (!blob) return;
    TMemoryStream bytes;
    blob->SaveToStream(bytes);
    if (auto* lines = dynamic_cast<TWideStrings*>(Target)) {
        String text(static_cast<size_t>(bytes.Size()), '\0');
        bytes.SetPosition(0);
        if (!text.empty()) bytes.ReadBuffer(text.data(), bytes.Size());
        lines->SetText(Utf8ToWide(Utf8FromAnsi(text)));
    } else if (auto* stream = dynamic_cast<TStream*>(Target)) {
        bytes.SetPosition(0);
        stream->CopyFrom(bytes, bytes.Size());
        stream->SetPosition(0);
    }
}
