#include "rtl/Lists.h"

#include <algorithm>

TList::~TList() {
    Clear();
}

void TList::Error(const char* message, Integer data) {
    String text = message;
    const auto p = text.find("%d");
    if (p != String::npos) text.replace(p, 2, std::to_string(data));
    throw EListError(text);
}

void TList::CheckIndex(Integer index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
}

Integer TList::Add(void* item) {
    FList.push_back(item);
    if (item) Notify(item, TListNotification::lnAdded);
    return Count() - 1;
}

void TList::Insert(Integer index, void* item) {
    if (index < 0 || index > Count()) ListIndexError(index);
    FList.insert(FList.begin() + index, item);
    if (item) Notify(item, TListNotification::lnAdded);
}

void TList::Delete(Integer index) {
    CheckIndex(index);
    void* item = FList[static_cast<size_t>(index)];
    FList.erase(FList.begin() + index);
    if (item) Notify(item, TListNotification::lnDeleted);
}

Integer TList::Remove(void* item) {
    const Integer index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    const Integer index = IndexOf(item);
    if (index < 0) return nullptr;
    FList.erase(FList.begin() + index);
    Notify(item, TListNotification::lnExtracted);
    return item;
}

Integer TList::IndexOf(void* item) const {
    const auto it = std::find(FList.begin(), FList.end(), item);
    return it == FList.end() ? -1 : static_cast<Integer>(it - FList.begin());
}

void TList::Clear() {
    // Removed from the last on, so a notified subclass sees a consistent list.
    while (!FList.empty())
        Delete(Count() - 1);
    FList.shrink_to_fit();
}

void TList::Exchange(Integer index1, Integer index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
}

void TList::Move(Integer curIndex, Integer newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    void* item = FList[static_cast<size_t>(curIndex)];
    FList.erase(FList.begin() + curIndex);
    FList.insert(FList.begin() + newIndex, item);
}

void TList::Sort(const TListSortCompare& compare) {
    if (!compare) return;
    std::stable_sort(FList.begin(), FList.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Pack() {
    FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}

void TList::Assign(const TList& source) {
    if (&source == this) return;
    Clear();
    for (void* item : source.FList)
        Add(item);
}

void TList::SetCount(Integer newCount) {
    if (newCount < 0) ListCountError(newCount);
    while (Count() > newCount)
        Delete(Count() - 1);
    FList.resize(static_cast<size_t>(newCount), nullptr);
}

void TList::SetCapacity(Integer newCapacity) {
    if (newCapacity < Count()) ListCapacityError(newCapacity);
    if (newCapacity > Capacity()) FList.reserve(static_cast<size_t>(newCapacity));
}

void* TList::Items(Integer index) const {
    CheckIndex(index);
    return FList[static_cast<size_t>(index)];
}

void TList::SetItems(Integer index, void* item) {
    CheckIndex(index);
    void* old = FList[static_cast<size_t>(index)];
    if (old == item) return;
    FList[static_cast<size_t>(index)] = item;
    if (old) Notify(old, TListNotification::lnDeleted);
    if (item) Notify(item, TListNotification::lnAdded);
}

void TList::Notify(void*, TListNotification) {}
