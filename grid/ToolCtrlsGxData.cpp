#include "grid/ToolCtrlsGxData.h"

#include "grid/GxLibVCL.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <algorithm>

// ---- TBMListGx ---------------------------------------------------------------------------------

TBMListGx::TBMListGx() {
    FMarkList.OnChange = [this](TObject*) { MarkListChanged(); };
}

TBMListGx::~TBMListGx() {
    FMarkList.OnChange = nullptr;
}

void TBMListGx::ReleaseMarks() {
    if (FReleased) return;
    FReleased = true;
    RemoveAllMarks();
    MarksChanged();
}

void TBMListGx::ListError(const String& Message) const {
    throw Exception(Message);
}

void TBMListGx::MarkListChanged() {
    FCachedBookmark.clear();
    FCachedIndex = -1;
    FCachedFound = false;
}

int TBMListGx::CompareMarks(const TBookmark& A, const TBookmark& B) const {
    return CompareBookmarkStrings(ListDataSet(), A, B);
}

bool TBMListGx::LocateBookmark(const TBookmark& Bookmark, int& Index) {
    if (Bookmark == FCachedBookmark && FCachedIndex >= 0) {
        Index = FCachedIndex;
        return FCachedFound;
    }
    int L = 0;
    int H = BookmarkCount() - 1;
    bool found = false;
    while (L <= H) {
        int M = (L + H) / 2;
        int C = CompareMarks(FMarkList[M], Bookmark);
        if (C < 0) {
            L = M + 1;
        } else {
            H = M - 1;
            if (C == 0) {
                found = true;
                L = M;
            }
        }
    }
    Index = L;
    FCachedBookmark = Bookmark;
    FCachedIndex = L;
    FCachedFound = found;
    return found;
}

int TBMListGx::IndexOfBookmark(const TBookmark& Bookmark) {
    int index = -1;
    return LocateBookmark(Bookmark, index) ? index : -1;
}

TBookmark TBMListGx::CurrentBookmark() {
    if (!FLinked) ListError("Cannot perform this operation on a closed dataset");
    return ListDataSet()->GetBookmark();
}

bool TBMListGx::CurrentRowMarked() {
    int index = -1;
    return LocateBookmark(CurrentBookmark(), index);
}

void TBMListGx::SetCurrentRowMarked(bool Value) {
    TBookmark current = CurrentBookmark();
    int index = -1;
    bool found = LocateBookmark(current, index);
    if (Value == found) return;
    if (Value)
        FMarkList.Insert(index, current);
    else
        FMarkList.Delete(index);
}

void TBMListGx::RemoveAllMarks() {
    if (FMarkList.Count() == 0) return;
    FMarkList.Clear();
    MarksChanged();
    ListCleared();
}

void TBMListGx::DeleteMarkedRecords() {
    TDataSet* ds = ListDataSet();
    ds->DisableControls();
    TScopeExit enableControls([this, ds] {
        ds->EnableControls();
        MarksChanged();
    });
    for (int i = FMarkList.Count() - 1; i >= 0; --i) {
        ds->GotoBookmark(FMarkList[i]);
        ds->Delete();
        FMarkList.Delete(i);
    }
}

void TBMListGx::SetLinked(bool Value) {
    RemoveAllMarks();
    MarksChanged();
    FLinked = Value;
}

// ---- TDataLinkGx -------------------------------------------------------------------------------

void TDataLinkGx::DataEvent(TDataEvent Event, intptr_t Info) {
    TDataLink::DataEvent(Event, Info);
    if (DataEventHook) DataEventHook(Event, Info);
}

// ---- TDatasetFieldValueListGx ------------------------------------------------------------------

TDatasetFieldValueListGx::TDatasetFieldValueListGx() {
    FValues.SetSorted(true);
    FValues.SetDuplicates(TDuplicates::dupIgnore);
    FValueLink.DataEventHook = [this](TDataEvent Event, intptr_t Info) { DataSetEventHandler(Event, Info); };
    FValueLink.SetDataSource(&FValueSource);
}

TDatasetFieldValueListGx::~TDatasetFieldValueListGx() {
    FValueLink.DataEventHook = nullptr;
    FValueLink.SetDataSource(nullptr);
    FValueSource.SetDataSet(nullptr);
}

void TDatasetFieldValueListGx::SetValueFieldName(const String& Name) {
    if (Name == FValueFieldName) return;
    FValueFieldName = Name;
    FValuesObsolete = true;
}

void TDatasetFieldValueListGx::SetValueDataSet(TDataSet* DataSet) {
    if (DataSet == FValueSource.DataSet()) return;
    FValueSource.SetDataSet(DataSet);
    FValuesObsolete = true;
}

void TDatasetFieldValueListGx::DataSetEventHandler(TDataEvent Event, intptr_t) {
    if (Event == deDataSetChange || Event == dePropertyChange || Event == deFieldListChange)
        FValuesObsolete = true;
}

void TDatasetFieldValueListGx::RebuildValues() {
    FValues.Clear();
    TDataSet* ds = FValueSource.DataSet();
    if (!ds) return;
    TField* field = ds->FindField(FValueFieldName);
    if (!field) return;
    ds->DisableControls();
    try {
        for (ds->First(); !ds->Eof(); ds->Next())
            FValues.Add(field->AsString());
    } catch (...) {
        ds->EnableControls();
        throw;
    }
    // The values are read with the data set's own events quiet: enabling its controls again
    // announces a changed data set, which must not make the fresh values obsolete.
    FValueLink.DataEventHook = nullptr;
    ds->EnableControls();
    FValueLink.DataEventHook = [this](TDataEvent Event, intptr_t Info) { DataSetEventHandler(Event, Info); };
    FValuesObsolete = false;
}

TStringList* TDatasetFieldValueListGx::GetDistinctValues() {
    if (FValuesObsolete) RebuildValues();
    return &FValues;
}

// ---- routines ----------------------------------------------------------------------------------

void FindFieldsByNames(std::vector<TField*>* List, TDataSet* DataSet, TComponent* Component,
                       const String& Names) {
    for (const String& part : SplitString(Names, ";")) {
        String name = Trim(part);
        if (name.empty()) continue;
        TField* field = DataSet->FindField(name);
        if (!field) {
            String message = Format("Field '%s' not found", {name});
            if (Component && !Component->Name().empty()) message = Component->Name() + ": " + message;
            DatabaseError(message);
        }
        if (List) List->push_back(field);
    }
}

std::vector<TField*> FieldArrayByNames(TDataSet* DataSet, TComponent* Component, const String& Names) {
    std::vector<TField*> fields;
    FindFieldsByNames(&fields, DataSet, Component, Names);
    return fields;
}

void AssignFieldValues(TDataSet* DataSet, const String& Names, const Variant& Value) {
    if (VarIsNull(Value)) {
        for (TField* field : FieldArrayByNames(DataSet, nullptr, Names))
            field->Clear();
    } else {
        DataSet->SetFieldValues(Names, Value);
    }
}

bool VariantsEqual(const Variant& A, const Variant& B) {
    try {
        bool arrayA = VarIsArray(A);
        bool arrayB = VarIsArray(B);
        if (arrayA != arrayB) return false;
        if (arrayA) {
            if (VarArrayDimCount(A) != VarArrayDimCount(B)) return false;
            int low = VarArrayLowBound(A, 1);
            int high = VarArrayHighBound(A, 1);
            if (low != VarArrayLowBound(B, 1) || high != VarArrayHighBound(B, 1)) return false;
            for (int i = low; i <= high; ++i)
                if (!VariantsEqual(VarArrayGet(A, {i}), VarArrayGet(B, {i}))) return false;
            return true;
        }
        bool emptyA = VarIsEmpty(A);
        bool emptyB = VarIsEmpty(B);
        if (emptyA || emptyB) return emptyA == emptyB;
        return A == B;
    } catch (...) {
        return false;
    }
}
