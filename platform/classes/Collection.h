// TCollection: an owned, ordered list of items of one class (TCollectionItem descendants), each
// with a stable ID. Changes end in Update(Item), which a collection class overrides to react; a
// BeginUpdate/EndUpdate bracket turns many changes into one Update(nullptr).
#pragma once

#include "classes/Persistent.h"

#include <vector>

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
    ORV_META(TCollectionItem, TPersistent)

    // Joins Collection (when given) at its end. Made through TCollection::Add/Insert, the
    // collection is told after construction; constructed directly, the item joins silently.
    explicit TCollectionItem(TCollection* Collection);
    // Leaves its collection.
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (or out of any with nullptr).
    void SetCollection(TCollection* Value);
    // Unique within the collection for its lifetime; not reused after a deletion.
    int ID() const { return FID; }
    // The position in the collection (-1 outside one); setting it moves the item (an item class
    // may follow the move with its own changes).
    int Index() const;
    virtual void SetIndex(int Value);
    // The text a designer lists the item by; the class name unless a class says otherwise.
    virtual String DisplayName() const { return ClassName(); }
    virtual void SetDisplayName(const String& Value);
    // The collection's name path and "[index]".
    String GetNamePath() const override;
    TPersistent* GetOwner() const override;

protected:
    // Reports a change of this item (AllItems: of the whole collection) unless an update is open.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
    ORV_META(TCollection, TPersistent)

    // A collection of ItemClass items (a class derived from TCollectionItem with a constructor
    // taking the collection), belonging to Owner for name paths.
    explicit TCollection(const meta::TClassInfo& ItemClass, TPersistent* Owner = nullptr);
    ~TCollection() override;

    const meta::TClassInfo& ItemClass() const { return *FItemClass; }
    TPersistent* GetOwner() const override { return FOwner; }
    String GetNamePath() const override;

    int Count() const { return static_cast<int>(FItems.size()); }
    // EListError "List index out of bounds (n)" outside 0..Count-1.
    TCollectionItem* Items(int Index) const;
    // Assigns Value to the item at Index.
    void SetItem(int Index, const TCollectionItem* Value);
    // A new item at the end / at Index.
    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    // Frees the item at Index.
    void Delete(int Index);
    void Clear();
    TCollectionItem* FindItemID(int ID) const;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // From another collection: its items are copied (each new item assigned from the source
    // item) in one update.
    void Assign(const TPersistent* Source) override;

protected:
    // Something changed: Item, or the whole collection when Item is nullptr.
    virtual void Update(TCollectionItem* Item) { (void)Item; }
    // An item was added, is leaving (cnExtracting) or is about to be freed (cnDeleting).
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {
        (void)Item;
        (void)Action;
    }
    // Reports a change of the whole collection unless an update is open.
    void Changed();

private:
    friend class TCollectionItem;
    void CheckItemClass(const TCollectionItem* Item) const; // EListError unless an ItemClass item
    void AttachItem(TCollectionItem* Item);                 // joins the list, no notification
    void InsertItem(TCollectionItem* Item);                 // joins the list and notifies
    void RemoveItem(TCollectionItem* Item);                 // leaves the list and notifies
    void ItemCreated(TCollectionItem* Item);                // the notifications AttachItem left out
    TCollectionItem* NewItem();

    const meta::TClassInfo* FItemClass;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};
