// Footer aggregates: running sums, averages and counts over all records of a data set. The
// producer takes over the data set's event handlers (keeping the ones it replaces, calling them and
// putting them back when it lets go), recalculates by a scan when the data set opens, its filter
// changes or the master record moves, and between scans adjusts each aggregate by what one edited,
// inserted or deleted record changes, so a footer follows data entry without a rescan.
//
// Amounts are the runtime's Currency (ten-thousandths): a value v enters as v x 10000 rounded to
// the nearest integer, and each adjustment is computed in extended precision from the stored
// integers and rounded once. A count is an amount too: n records count as n.
#pragma once

#include "classes/Collection.h"
#include "db/DataSet.h"
#include "rtl/Currency.h"
#include "rtl/StringList.h"
#include "rtl/Variant.h"

namespace meta {
struct TPropInfo;
}

enum TGroupOperation { goSum, goAvg, goCount };
ORV_ENUM(TGroupOperation, goSum, goAvg, goCount)

class TDBSumListProducer;

// One aggregate.
class TDBSum : public TCollectionItem {
    ORV_META(TDBSum, TCollectionItem)
    explicit TDBSum(TCollection* Collection);
    const String& FieldName() const { return FFieldName; }
    void SetFieldName(const String& Value);
    TGroupOperation GroupOperation() const { return FGroupOperation; }
    void SetGroupOperation(TGroupOperation Value);
    void Assign(const TPersistent* Source) override;
    // Takes part in the aggregation: a count, or a sum or average of a named field.
    bool TakesPart() const { return FGroupOperation == goCount || !FFieldName.empty(); }

    Currency OldValue;
    int NotNullCount = 0;
    Currency AvgRunningSum;
    Variant OldVariant;
    Currency SumAmount;

private:
    String FFieldName;
    TGroupOperation FGroupOperation = goSum;
};

class TDBSumCollection : public TCollection {
    ORV_META(TDBSumCollection, TCollection)
    explicit TDBSumCollection(TDBSumListProducer* Producer = nullptr);
    TDBSum* Items(int Index) const { return static_cast<TDBSum*>(TCollection::Items(Index)); }
    TDBSum* Add() { return static_cast<TDBSum*>(TCollection::Add()); }
    // The first item with the operation whose field name equals the name without regard to case.
    TDBSum* FindSum(TGroupOperation Operation, const String& FieldName) const;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TDBSumListProducer* FProducer;
};

class TDBSumListProducer : public TPersistent {
    ORV_META(TDBSumListProducer, TPersistent)
    explicit TDBSumListProducer(TComponent* Owner = nullptr);
    ~TDBSumListProducer() override;

    TComponent* Owner() const { return FOwner; }
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    bool ExternalRecalc() const { return FExternalRecalc; }
    void SetExternalRecalc(bool Value);
    bool VirtualRecords() const { return FVirtualRecords; }
    void SetVirtualRecords(bool Value);
    bool EventsHooked() const { return FEventsHooked; }
    bool RecalcInProgress() const { return FRecalcInProgress; }
    TDataSet* MasterDataSet() const { return FMasterDataSet; }
    TDBSumCollection* SumCollection() const { return FSumCollection.get(); }
    void Assign(const TPersistent* Source) override;

    void StartProducing(bool Recalc);
    void StopProducing(bool Clear);
    // After the owner was read from its form.
    void LoadedFromForm();
    void RecalcIfReady();
    TDBSum* FindSum(TGroupOperation Operation, const String& FieldName) const {
        return FSumCollection->FindSum(Operation, FieldName);
    }

    // Record-position service: the data set's own numbering (the platform's data sets number
    // their records, so no bookmark list is needed).
    virtual int SumListRecNo() const;
    virtual void SetSumListRecNo(int Value);
    virtual bool SumListIsSequenced() const;
    virtual int SumListRecordCount() const;

    virtual void ZeroSumValues();
    virtual void RecalcAll();
    virtual void HookDataSetEvents();
    virtual void UnhookDataSetEvents();

    TNotifyEvent OnAfterRecalcAll;
    TNotifyEvent OnRecalcAll;
    TNotifyEvent SumListChanged;

protected:
    virtual void HandleAfterCancel(TDataSet* DataSet);
    virtual void HandleAfterClose(TDataSet* DataSet);
    virtual void HandleAfterEdit(TDataSet* DataSet);
    virtual void HandleAfterInsert(TDataSet* DataSet);
    virtual void HandleAfterOpen(TDataSet* DataSet);
    virtual void HandleAfterPost(TDataSet* DataSet);
    virtual void HandleAfterScroll(TDataSet* DataSet);
    virtual void HandleBeforeDelete(TDataSet* DataSet);
    virtual void HandleMasterAfterScroll(TDataSet* DataSet);
    bool OwnerLoading() const;
    void DoSumListChanged();

private:
    class TDataSetWatch;
    void DataSetFreed(const TComponent* DataSet);
    static void Call(const TDataSetNotifyEvent& Handler, TDataSet* DataSet) {
        if (Handler) Handler(DataSet);
    }

    TComponent* FOwner;
    bool FVirtualRecords = false;
    bool FRecalcInProgress = false;
    bool FActive = true;
    TDataSet* FDataSet = nullptr;
    bool FEventsHooked = false;
    bool FExternalRecalc = false;
    String FLastFilter;
    bool FLastFiltered = false;
    TDataSet* FMasterDataSet = nullptr;
    const meta::TPropInfo* FMasterPropInfo = nullptr;
    std::unique_ptr<TDBSumCollection> FSumCollection;
    // Tells the producer when its data set or the master goes, so it never reaches a freed one.
    std::unique_ptr<TDataSetWatch> FWatch;
    bool FPendingInsert = false;
    // The handlers the producer replaced.
    TDataSetNotifyEvent FSavedAfterCancel, FSavedAfterClose, FSavedAfterEdit, FSavedAfterInsert,
        FSavedAfterOpen, FSavedAfterPost, FSavedAfterScroll, FSavedBeforeDelete, FSavedMasterAfterScroll;
};
