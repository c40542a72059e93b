// TDataSet: the visible records (filter and sort), Locate and Lookup, bookmarks.
#include "db/DataSet.h"

#include "db/DataSetFilter.h"
#include "db/DataSource.h"
#include "db/ValueCompare.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cstring>

namespace {

std::vector<String> SplitNames(const String& names) {
    std::vector<String> out;
    for (const String& n : SplitString(names, ";")) {
        const String t = Trim(n);
        if (!t.empty()) out.push_back(t);
    }
    return out;
}

struct TSortKey {
    size_t Column;
    bool Descending;
};

} // namespace

// ---- the visible records -------------------------------------------------------------------------

bool TDataSet::AcceptRecord(TRecordData* record) {
    if (record->Hidden) return false;
    if (!FFiltered) return true;
    if (FFilterText.empty() && !OnFilterRecord) return true;
    TRecordData* savedForced = FForcedRecord;
    const TDataSetState savedState = FState;
    const TDataSetState savedForcedState = FForcedState;
    FForcedRecord = record;
    FForcedState = dsFilter;
    FState = dsFilter;
    bool accept = true;
    try {
        if (FFilterExpr) accept = FFilterExpr->Evaluate(*this);
        if (accept && OnFilterRecord) OnFilterRecord(this, accept);
    } catch (...) {
        FForcedRecord = savedForced;
        FForcedState = savedForcedState;
        FState = savedState;
        throw;
    }
    FForcedRecord = savedForced;
    FForcedState = savedForcedState;
    FState = savedState;
    return accept;
}

void TDataSet::RebuildView(TRecordData* keep) {
    FView.clear();
    FView.reserve(FRecords.size());
    const bool filtering = FFiltered && (FFilterExpr || OnFilterRecord);
    for (const auto& r : FRecords)
        if (filtering ? AcceptRecord(r.get()) : !r->Hidden) FView.push_back(r.get());
    if (FInsertRecord) FView.push_back(FInsertRecord.get());
    if (!FSortSpec.empty()) {
        std::vector<TSortKey> keys;
        for (const String& part : SplitString(FSortSpec, ",")) {
            String p = Trim(part);
            if (p.empty()) continue;
            bool desc = false;
            const String up = UpperCase(p);
            if (EndsStr(" DESC", up)) {
                desc = true;
                p = Trim(p.substr(0, p.size() - 5));
            } else if (EndsStr(" ASC", up))
                p = Trim(p.substr(0, p.size() - 4));
            if (p.size() >= 2 && p.front() == '[' && p.back() == ']') p = p.substr(1, p.size() - 2);
            const int def = FFieldDefs.IndexOf(p);
            if (def < 0) Error("Field '" + p + "' not found");
            keys.push_back({static_cast<size_t>(def), desc});
        }
        std::stable_sort(FView.begin(), FView.end(), [&](const TRecordData* a, const TRecordData* b) {
            for (const TSortKey& k : keys) {
                const int c = CompareFieldValues(a->Values[k.Column], b->Values[k.Column], true);
                if (c != 0) return k.Descending ? c > 0 : c < 0;
            }
            return false;
        });
    }
    FViewIndexValid = false;
    int index = keep ? IndexOfRecord(keep) : -1;
    if (index < 0) index = FView.empty() ? -1 : std::clamp(FCursor, 0, static_cast<int>(FView.size()) - 1);
    FCursor = index;
}

void TDataSet::SetSortOrder(const String& SortSpec) {
    if (SortSpec == FSortSpec && Active()) return;
    const String old = FSortSpec;
    FSortSpec = Trim(SortSpec);
    if (!Active()) return;
    CheckBrowseMode();
    TRecordData* keep = ActiveRecordData();
    try {
        RebuildView(keep);
    } catch (...) {
        FSortSpec = old;
        RebuildView(keep);
        throw;
    }
    FBof = FCursor <= 0;
    FEof = FView.empty();
    Resync();
}

void TDataSet::SetFilter(const String& Value) {
    if (Value == FFilterText) return;
    // A malformed filter raises here and changes nothing.
    FFilterExpr = Trim(Value).empty() ? nullptr : std::make_shared<const TFilterExpression>(Value);
    FFilterText = Value;
    if (Active() && FFiltered) Refilter();
}

void TDataSet::SetFiltered(bool Value) {
    if (Value == FFiltered) return;
    FFiltered = Value;
    if (Active()) Refilter();
}

void TDataSet::Refilter() {
    if (!Active()) return;
    CheckBrowseMode();
    RebuildView(nullptr);
    FCursor = FView.empty() ? -1 : 0;
    FBof = true;
    FEof = FView.empty();
    FActiveOverride = -1;
    DataEvent(deDataSetChange, 0);
}

// ---- Locate and Lookup ---------------------------------------------------------------------------

int TDataSet::FindRecord(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) {
    CheckActive();
    const std::vector<String> names = SplitNames(KeyFields);
    std::vector<TField*> fields;
    for (const String& n : names)
        fields.push_back(FieldByName(n));
    std::vector<Variant> keys;
    if (fields.size() == 1)
        keys.push_back(VarIsArray(KeyValues) ? VarArrayGet(KeyValues, {VarArrayLowBound(KeyValues, 1)})
                                             : KeyValues);
    else {
        if (!VarIsArray(KeyValues)) Error("Invalid variant type");
        const int lo = VarArrayLowBound(KeyValues, 1);
        for (size_t i = 0; i < fields.size(); ++i)
            keys.push_back(VarArrayGet(KeyValues, {lo + static_cast<int>(i)}));
    }
    const bool caseInsensitive = (Options & loCaseInsensitive) != 0;
    const bool partial = (Options & loPartialKey) != 0;
    // The fields read each record in turn; the record they read before is back afterwards.
    const TScopeExit restore([this, saved = FForcedRecord] { FForcedRecord = saved; });
    for (size_t r = 0; r < FView.size(); ++r) {
        FForcedRecord = FView[r];
        bool match = true;
        for (size_t k = 0; k < fields.size() && match; ++k) {
            const Variant v = fields[k]->AsVariant();
            match = LocateMatch(v, keys[k], caseInsensitive, partial);
        }
        if (match) return static_cast<int>(r);
    }
    return -1;
}

bool TDataSet::Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options) {
    CheckBrowseMode();
    const int index = FindRecord(KeyFields, KeyValues, Options);
    if (index < 0) return false;
    ScrollTo(index);
    return true;
}

Variant TDataSet::Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields) {
    const int index = FindRecord(KeyFields, KeyValues, 0);
    if (index < 0) return Null();
    const TScopeExit restore([this, saved = FForcedRecord] { FForcedRecord = saved; });
    FForcedRecord = FView[static_cast<size_t>(index)];
    return FieldValues(ResultFields);
}

// ---- bookmarks -----------------------------------------------------------------------------------

namespace {
TBookmark EncodeBookmark(UInt64 id) {
    TBookmark b(sizeof id, '\0');
    std::memcpy(b.data(), &id, sizeof id);
    return b;
}
bool DecodeBookmark(const TBookmark& b, UInt64& id) {
    if (b.size() != sizeof id) return false;
    std::memcpy(&id, b.data(), sizeof id);
    return true;
}
} // namespace

void TDataSet::EnsureIdIndex() const {
    if (FByIdValid) return;
    FById.clear();
    FById.reserve(FRecords.size() + 1);
    for (const auto& r : FRecords)
        FById[r->Id] = r.get();
    FByIdValid = true;
}

TRecordData* TDataSet::RecordOfBookmark(const TBookmark& Bookmark) const {
    UInt64 id = 0;
    if (!DecodeBookmark(Bookmark, id)) return nullptr;
    if (FInsertRecord && FInsertRecord->Id == id) return FInsertRecord.get();
    EnsureIdIndex();
    const auto it = FById.find(id);
    return it == FById.end() ? nullptr : it->second;
}

TBookmark TDataSet::GetBookmark() const {
    const TRecordData* rec = ActiveRecordData();
    if (!rec || FState == dsInactive) return TBookmark();
    return EncodeBookmark(rec->Id);
}

bool TDataSet::BookmarkValid(const TBookmark& Bookmark) const {
    if (!Active()) return false;
    return IndexOfRecord(RecordOfBookmark(Bookmark)) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
    if (Bookmark.empty()) return;
    CheckBrowseMode();
    const int index = IndexOfRecord(RecordOfBookmark(Bookmark));
    if (index < 0) Error("Record not found");
    ScrollTo(index);
}

int TDataSet::CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const {
    if (Bookmark1.empty() || Bookmark2.empty()) {
        if (Bookmark1.empty() && Bookmark2.empty()) return 0;
        return Bookmark1.empty() ? -1 : 1;
    }
    if (Bookmark1 == Bookmark2) return 0;
    const TRecordData* a = RecordOfBookmark(Bookmark1);
    const TRecordData* b = RecordOfBookmark(Bookmark2);
    const int ia = IndexOfRecord(a), ib = IndexOfRecord(b);
    if (ia >= 0 && ib >= 0) return ia < ib ? -1 : 1;
    UInt64 x = 0, y = 0;
    DecodeBookmark(Bookmark1, x);
    DecodeBookmark(Bookmark2, y);
    return x < y ? -1 : 1;
}
