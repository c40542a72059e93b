#include "classes/Collection.h"

#include "classes/MetaBuilder.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"

#include <algorithm>

ORV_META_IMPL(TCollectionItem)
ORV_META_IMPL(TCollection)

void TCollectionItem::DeclareMeta(meta::Class<TCollectionItem>&) {}
void TCollection::DeclareMeta(meta::Class<TCollection>&) {}

// ---- TCollectionItem ---------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* Collection) {
    if (Collection) Collection->AttachItem(this);
}

TCollectionItem::~TCollectionItem() {
    if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (FCollection == Value) return;
    // Refused before it leaves its collection, so a refused item stays owned.
    if (Value) Value->CheckItemClass(this);
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& items = FCollection->FItems;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
    int current = Index();
    if (current < 0 || current == Value) return;
    auto& items = FCollection->FItems;
    Value = std::clamp(Value, 0, static_cast<int>(items.size()) - 1);
    if (current == Value) return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + Value, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const String&) {
    Changed(false);
}

String TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return FCollection->GetNamePath() + "[" + IntToStr(Index()) + "]";
}

TPersistent* TCollectionItem::GetOwner() const {
    return FCollection;
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection -------------------------------------------------------------------------------

TCollection::TCollection(const meta::TClassInfo& ItemClass, TPersistent* Owner)
    : FItemClass(&ItemClass), FOwner(Owner) {
    if (ItemClass.CreateKind() != meta::TCreateKind::CollectionItem)
        throw EPropertyError("Class " + ItemClass.Name() + " cannot be a collection item class");
}

TCollection::~TCollection() {
    // The items go without notifications: a class overriding Update is already gone.
    FUpdateCount = 1;
    while (!FItems.empty()) {
        TCollectionItem* item = FItems.back();
        FItems.pop_back();
        item->FCollection = nullptr;
        delete item;
    }
}

String TCollection::GetNamePath() const {
    String result = ClassName();
    TPersistent* owner = GetOwner();
    if (!owner) return result;
    String ownerPath = owner->GetNamePath();
    if (ownerPath.empty()) return result;
    // The name of the owner's published property that holds this collection.
    for (const meta::TPropInfo* p : meta::ClassInfoOf(*owner).Properties())
        if (p->Kind == meta::TPropKind::Object && p->GetObject && p->GetObject(*owner) == this)
            return ownerPath + "." + p->Name;
    return result;
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TCollection::SetItem(int Index, const TCollectionItem* Value) {
    Items(Index)->Assign(Value);
}

TCollectionItem* TCollection::NewItem() {
    TCollectionItem* item = FItemClass->CreateItem(this);
    ItemCreated(item);
    return item;
}

TCollectionItem* TCollection::Add() {
    return NewItem();
}

TCollectionItem* TCollection::Insert(int Index) {
    TCollectionItem* item = NewItem();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index) {
    TCollectionItem* item = Items(Index);
    Notify(item, cnDeleting);
    // Out of the list before it is freed, so Update never sees a half-destroyed item.
    RemoveItem(item);
    delete item;
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    const TUpdateGuard updating(*this);
    while (!FItems.empty())
        Delete(Count() - 1);
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == ID) return item;
    return nullptr;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Assign(const TPersistent* Source) {
    const auto* source = dynamic_cast<const TCollection*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    const TUpdateGuard updating(*this);
    Clear();
    for (TCollectionItem* item : source->FItems)
        Add()->Assign(item);
}

void TCollection::AttachItem(TCollectionItem* Item) {
    FItems.push_back(Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
}

void TCollection::CheckItemClass(const TCollectionItem* Item) const {
    if (!Item->ClassInfo() || !Item->ClassInfo()->InheritsFrom(*FItemClass))
        throw EListError("Invalid property value");
}

void TCollection::InsertItem(TCollectionItem* Item) {
    CheckItemClass(Item);
    AttachItem(Item);
    ItemCreated(Item);
}

void TCollection::ItemCreated(TCollectionItem* Item) {
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, cnExtracting);
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it != FItems.end()) FItems.erase(it);
    Item->FCollection = nullptr;
    Changed();
}
