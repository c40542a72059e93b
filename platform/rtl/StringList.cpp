#include "rtl/StringList.h"

#include "rtl/StrUtils.h"

#include <algorithm>
#include <numeric>

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (auto& item : FItems)
            delete item.obj;
}

void TStringList::CheckIndex(Integer index) const {
    if (index < 0 || index >= Count()) StringListIndexError(index);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const {
    return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

String TStringList::Get(Integer index) const {
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].s;
}

TObject* TStringList::GetObject(Integer index) const {
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].obj;
}

void TStringList::Put(Integer index, const String& s) {
    if (FSorted) SortedListError();
    CheckIndex(index);
    Changing();
    FItems[static_cast<size_t>(index)].s = s;
    Changed();
}

void TStringList::PutObject(Integer index, TObject* obj) {
    CheckIndex(index);
    Changing();
    FItems[static_cast<size_t>(index)].obj = obj;
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    Changing();
    // Taken out first, so an object's destructor that looks at the list sees it empty.
    std::vector<TItem> items;
    items.swap(FItems);
    if (FOwnsObjects)
        for (auto& item : items)
            delete item.obj;
    Changed();
}

void TStringList::Delete(Integer index) {
    CheckIndex(index);
    Changing();
    TObject* obj = FItems[static_cast<size_t>(index)].obj;
    FItems.erase(FItems.begin() + index);
    if (FOwnsObjects) delete obj;
    Changed();
}

void TStringList::InsertItem(Integer index, const String& s, TObject* obj) {
    Changing();
    FItems.insert(FItems.begin() + index, TItem{s, obj});
    Changed();
}

void TStringList::Insert(Integer index, const String& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(Integer index, const String& s, TObject* obj) {
    if (FSorted) SortedListError();
    if (index < 0 || index > Count()) StringListIndexError(index);
    InsertItem(index, s, obj);
}

Integer TStringList::Add(const String& s) {
    return AddObject(s, nullptr);
}

Integer TStringList::AddObject(const String& s, TObject* obj) {
    Integer index;
    if (!FSorted) {
        index = Count();
    } else if (Find(s, index)) {
        switch (FDuplicates) {
        case TDuplicates::dupIgnore:
            return index;
        case TDuplicates::dupError:
            throw EStringListError("String list does not allow duplicates");
        case TDuplicates::dupAccept:
            break;
        }
    }
    InsertItem(index, s, obj);
    return index;
}

void TStringList::Exchange(Integer index1, Integer index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FItems[static_cast<size_t>(index1)], FItems[static_cast<size_t>(index2)]);
    Changed();
}

void TStringList::Move(Integer curIndex, Integer newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    if (FSorted) SortedListError();
    Changing();
    TItem item = std::move(FItems[static_cast<size_t>(curIndex)]);
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, std::move(item));
    Changed();
}

bool TStringList::Find(const String& s, Integer& index) const {
    bool found = false;
    Integer lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        const Integer mid = (lo + hi) / 2;
        const int c = CompareStrings(FItems[static_cast<size_t>(mid)].s, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != TDuplicates::dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

Integer TStringList::IndexOf(const String& s) const {
    if (!FSorted) return TStrings::IndexOf(s);
    Integer index;
    return Find(s, index) ? index : -1;
}

void TStringList::Sort() {
    CustomSort([](TStringList& list, Integer a, Integer b) {
        return list.CompareStrings(list.FItems[static_cast<size_t>(a)].s,
                                   list.FItems[static_cast<size_t>(b)].s);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (Count() < 2 || !compare) return;
    Changing();
    // The comparison sees the list as it was; the order found is applied afterwards.
    std::vector<Integer> order(FItems.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](Integer a, Integer b) { return compare(*this, a, b) < 0; });
    std::vector<TItem> sorted;
    sorted.reserve(FItems.size());
    for (Integer i : order)
        sorted.push_back(std::move(FItems[static_cast<size_t>(i)]));
    FItems.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (value == FSorted) return;
    if (value) Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == FCaseSensitive) return;
    FCaseSensitive = value;
    if (FSorted) Sort();
}
