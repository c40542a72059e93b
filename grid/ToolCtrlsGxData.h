// The grid library's data-set-side building blocks: the list of marked records in the data set's
// own record order (found by binary search with a one-entry cache), a data link that reports every
// data event to a hook, the sorted distinct values of one field, and routines that resolve field
// names, assign values to several fields at once and compare variants.
#pragma once

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "rtl/StringList.h"
#include "rtl/Variant.h"

#include <functional>
#include <memory>
#include <vector>

// The marked records of a grid. The list holds bookmark strings in the data set's record order;
// every insertion, deletion or clearing empties the cache of the last question.
class TBMListGx : public TObject {
public:
    TBMListGx();
    ~TBMListGx() override;
    String ClassName() const override { return "TBMListGx"; }

    int BookmarkCount() const { return FMarkList.Count(); }
    TBookmark BookmarkAt(int Index) const { return FMarkList[Index]; }
    // True when found; Index is its position, or where it would be inserted.
    bool LocateBookmark(const TBookmark& Bookmark, int& Index);
    int IndexOfBookmark(const TBookmark& Bookmark);
    // The current record's bookmark; "Cannot perform this operation on a closed dataset" unless
    // the list is linked.
    TBookmark CurrentBookmark();
    bool CurrentRowMarked();
    virtual void SetCurrentRowMarked(bool Value);
    int CompareMarks(const TBookmark& A, const TBookmark& B) const;
    virtual void RemoveAllMarks();
    // Deletes the marked records from the last to the first, emptying the list.
    void DeleteMarkedRecords();
    void SetLinked(bool Value);
    bool Linked() const { return FLinked; }
    // Entries of the cache, for the grid's painting.
    const TBookmark& CachedBookmark() const { return FCachedBookmark; }
    int CachedIndex() const { return FCachedIndex; }

protected:
    virtual TDataSet* ListDataSet() const = 0;
    virtual void ListCleared() {}
    [[noreturn]] virtual void ListError(const String& Message) const;
    virtual void MarkListChanged();
    virtual void MarksChanged() {}
    // The destructor of a derived list calls it before its own parts go.
    void ReleaseMarks();

private:
    TStringList FMarkList;
    TBookmark FCachedBookmark;
    int FCachedIndex = -1;
    bool FCachedFound = false;
    bool FLinked = false;
    bool FReleased = false;
};

using TDataEventHookGx = std::function<void(TDataEvent Event, intptr_t Info)>;

// A data link that reports every data event to DataEventHook after the platform's handling.
class TDataLinkGx : public TDataLink {
public:
    String ClassName() const override { return "TDataLinkGx"; }
    void DataEvent(TDataEvent Event, intptr_t Info) override;
    TDataEventHookGx DataEventHook;
};

// The sorted distinct texts of one field of a data set, rebuilt on the next question after the
// field name, the data set or its data changed.
class IDistinctValuesGx {
public:
    virtual ~IDistinctValuesGx() = default;
    virtual TStringList* GetDistinctValues() = 0;
};

class TDatasetFieldValueListGx : public IDistinctValuesGx {
public:
    TDatasetFieldValueListGx();
    ~TDatasetFieldValueListGx() override;
    void SetValueFieldName(const String& Name);
    void SetValueDataSet(TDataSet* DataSet);
    TDataSet* ValueDataSet() const { return FValueSource.DataSet(); }
    bool ValuesObsolete() const { return FValuesObsolete; }
    TStringList* GetDistinctValues() override;

private:
    void DataSetEventHandler(TDataEvent Event, intptr_t Info);
    void RebuildValues();

    TStringList FValues;
    TDataSource FValueSource;
    TDataLinkGx FValueLink;
    String FValueFieldName;
    bool FValuesObsolete = true;
};

// Looks up every name of "A;B" in the data set, adding the fields to List when one is given;
// the first unknown name raises EDatabaseError "Field 'X' not found" (with the component's name).
void FindFieldsByNames(std::vector<TField*>* List, TDataSet* DataSet, TComponent* Component,
                       const String& Names);
std::vector<TField*> FieldArrayByNames(TDataSet* DataSet, TComponent* Component, const String& Names);
// Null clears every named field; otherwise the named fields take the value (an array for several).
void AssignFieldValues(TDataSet* DataSet, const String& Names, const Variant& Value);
// Two unassigned values are equal, unassigned and null are not; arrays compare element by element
// along their first dimension; any failure gives false.
bool VariantsEqual(const Variant& A, const Variant& B);
