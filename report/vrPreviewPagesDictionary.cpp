// The alias dictionary of the prepared-pages store.
#include "report/vrPreviewPages.h"

#include "rtl/StrUtils.h"

bool TvrDictionary::TLess::operator()(const String& a, const String& b) const {
    return CompareText(a, b) < 0;
}

TvrDictionary::TvrDictionary() = default;
TvrDictionary::~TvrDictionary() = default;

void TvrDictionary::Clear() {
    FNames.clear();
    FSourceNames.Clear();
}

void TvrDictionary::Add(const String& Alias, const String& SourceName, TvrComponent* Obj) {
    const int index = FSourceNames.AddObject(SourceName, Obj);
    FNames[Alias] = index;
}

String TvrDictionary::AddUnique(const String& Prefix, const String& SourceName, TvrComponent* Obj) {
    const String alias = CreateUniqueName(Prefix);
    Add(alias, SourceName, Obj);
    return alias;
}

String TvrDictionary::CreateUniqueName(const String& Prefix) const {
    // Halve until a taken number is met, then walk up to the first free one: with aliases
    // numbered densely from 1 this needs a few halvings and a short walk.
    int n = 10000;
    while (n > 1 && !FNames.count(Prefix + IntToStr(n))) n /= 2;
    while (FNames.count(Prefix + IntToStr(n))) ++n;
    return Prefix + IntToStr(n);
}

int TvrDictionary::SourceIndex(const String& Alias) const {
    auto it = FNames.find(Alias);
    return it == FNames.end() ? -1 : it->second;
}

TvrComponent* TvrDictionary::GetObject(const String& Alias) const {
    const int i = SourceIndex(Alias);
    return i < 0 ? nullptr : static_cast<TvrComponent*>(FSourceNames.Objects(i));
}

String TvrDictionary::GetSourceName(const String& Alias) const {
    const int i = SourceIndex(Alias);
    return i < 0 ? String() : FSourceNames[i];
}
