// TList: a list of untyped pointers, as the platform's. Index errors raise EListError
// "List index out of bounds (%d)".
#pragma once

#include "rtl/Object.h"
#include "rtl/SysUtils.h"

#include <functional>
#include <vector>

enum class TListNotification { lnAdded, lnExtracted, lnDeleted };

// Negative, zero or positive as item1 sorts before, with or after item2.
using TListSortCompare = std::function<int(void* item1, void* item2)>;

class TList : public TObject {
public:
    TList() = default;
    ~TList() override;
    String ClassName() const override { return "TList"; }

    Integer Add(void* item); // returns the new index
    void Insert(Integer index, void* item);
    void Delete(Integer index);
    Integer Remove(void* item); // the index the item had; -1 when absent
    void* Extract(void* item);  // removes it without notifying deletion; nullptr when absent
    Integer IndexOf(void* item) const;
    void Clear();
    void Exchange(Integer index1, Integer index2);
    void Move(Integer curIndex, Integer newIndex);
    void Sort(const TListSortCompare& compare);
    void Pack(); // removes the nil entries
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }
    void Assign(const TList& source);

    Integer Count() const { return static_cast<Integer>(FList.size()); }
    void SetCount(Integer newCount); // grows with nil entries or drops the last ones
    Integer Capacity() const { return static_cast<Integer>(FList.capacity()); }
    void SetCapacity(Integer newCapacity);
    void* Items(Integer index) const;
    void SetItems(Integer index, void* item);
    void* operator[](Integer index) const { return Items(index); }
    const std::vector<void*>& List() const { return FList; }

protected:
    // Called after an item is added and after one is removed; TList itself does nothing.
    virtual void Notify(void* item, TListNotification action);
    [[noreturn]] static void Error(const char* message, Integer data);

private:
    void CheckIndex(Integer index) const;
    std::vector<void*> FList;
};
