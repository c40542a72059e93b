#include "grid/DBSumLst.h"

#include "classes/MetaBuilder.h"
#include "classes/MetaProps.h"
#include "grid/GxLibVCL.h"
#include "rtl/StrUtils.h"

#include <cmath>

namespace {

// One record of a count: counts are amounts like sums, so a count of n records is n.0000.
constexpr Currency OneRecord = Currency::FromRaw(10000);

// A field's value in ten-thousandths, rounded to the nearest integer (0 for null); a money field's
// is its exact amount.
Int64 AmountOf(const TField* f) {
    if (f->IsNull()) return 0;
    if (f->DataType() == ftBCD) return f->AsCurrency().Value;
    return static_cast<Int64>(std::llround(static_cast<long double>(f->AsFloat()) * 10000.0L));
}

Currency Raw(long double v) {
    return Currency::FromRaw(static_cast<Int64>(std::llround(v)));
}

// Moves an amount by Delta ten-thousandths, computed in extended precision and rounded once.
void Adjust(Currency& Amount, long double Delta) {
    Amount = Raw(static_cast<long double>(Amount.Value) + Delta);
}

// Runs F(item, field, field is null) for each item taking part; the field is nullptr for a plain
// record count.
template <class F> void ForEachTakingPart(const TDBSumCollection& Sums, TDataSet* DataSet, F&& Fn) {
    for (int i = 0; i < Sums.Count(); ++i) {
        TDBSum* s = Sums.Items(i);
        if (!s->TakesPart()) continue;
        const TField* f = s->FieldName().empty() ? nullptr : DataSet->FieldByName(s->FieldName());
        Fn(s, f, f && f->IsNull());
    }
}

// The average of an item from its running sum and count.
void RecomputeAverage(TDBSum* s) {
    s->SumAmount = s->NotNullCount == 0 ? Currency()
                                        : Raw(static_cast<long double>(s->AvgRunningSum.Value) /
                                              static_cast<long double>(s->NotNullCount));
}

} // namespace

// ---- TDBSum -------------------------------------------------------------------------------------

ORV_META_IMPL(TDBSum)
void TDBSum::DeclareMeta(meta::Class<TDBSum>& c) {
    c.Property("FieldName", &TDBSum::FieldName, &TDBSum::SetFieldName);
    c.Property("GroupOperation", &TDBSum::GroupOperation, &TDBSum::SetGroupOperation).Default(goSum);
}

TDBSum::TDBSum(TCollection* Collection) : TCollectionItem(Collection) {}

void TDBSum::SetFieldName(const String& Value) {
    if (Value == FFieldName) return;
    FFieldName = Value;
    Changed(false);
}

void TDBSum::SetGroupOperation(TGroupOperation Value) {
    if (Value == FGroupOperation) return;
    FGroupOperation = Value;
    Changed(false);
}

void TDBSum::Assign(const TPersistent* Source) {
    if (auto* s = dynamic_cast<const TDBSum*>(Source)) {
        FGroupOperation = s->FGroupOperation;
        FFieldName = s->FFieldName;
        OldValue = s->OldValue;
        SumAmount = s->SumAmount;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

// ---- TDBSumCollection ---------------------------------------------------------------------------

ORV_META_IMPL(TDBSumCollection)
void TDBSumCollection::DeclareMeta(meta::Class<TDBSumCollection>&) {}

TDBSumCollection::TDBSumCollection(TDBSumListProducer* Producer)
    : TCollection(TDBSum::StaticClassInfo(), Producer), FProducer(Producer) {}

TDBSum* TDBSumCollection::FindSum(TGroupOperation Operation, const String& FieldName) const {
    for (int i = 0; i < Count(); ++i) {
        TDBSum* s = Items(i);
        if (s->GroupOperation() == Operation && AnsiCompareText(s->FieldName(), FieldName) == 0) return s;
    }
    return nullptr;
}

void TDBSumCollection::Update(TCollectionItem*) {
    if (FProducer) FProducer->RecalcIfReady();
}

// ---- TDBSumListProducer -------------------------------------------------------------------------

class TDBSumListProducer::TDataSetWatch : public TComponent {
public:
    explicit TDataSetWatch(TDBSumListProducer* Producer) : TComponent(nullptr), FProducer(Producer) {}
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        // The component is past its own destructor: it is known only by its address.
        if (Operation == opRemove) FProducer->DataSetFreed(AComponent);
    }

private:
    TDBSumListProducer* FProducer;
};

// Told from the freed component's last steps: its members are gone, so its handlers are not
// touched; a master that stays gets its own handler back.
void TDBSumListProducer::DataSetFreed(const TComponent* DataSet) {
    if (FMasterDataSet && DataSet == static_cast<const TComponent*>(FMasterDataSet)) {
        FMasterDataSet = nullptr;
        FSavedMasterAfterScroll = nullptr;
    }
    if (!FDataSet || DataSet != static_cast<const TComponent*>(FDataSet)) return;
    if (FMasterDataSet) {
        FMasterDataSet->AfterScroll = std::move(FSavedMasterAfterScroll);
        FMasterDataSet->RemoveFreeNotification(FWatch.get());
        FMasterDataSet = nullptr;
    }
    FSavedAfterCancel = FSavedAfterClose = FSavedAfterEdit = FSavedAfterInsert = nullptr;
    FSavedAfterOpen = FSavedAfterPost = FSavedAfterScroll = FSavedBeforeDelete = FSavedMasterAfterScroll =
        nullptr;
    FEventsHooked = false;
    FDataSet = nullptr;
}

ORV_META_IMPL(TDBSumListProducer)
void TDBSumListProducer::DeclareMeta(meta::Class<TDBSumListProducer>& c) {
    c.Property("Active", &TDBSumListProducer::Active, &TDBSumListProducer::SetActive).Default(true);
    c.Property("ExternalRecalc", &TDBSumListProducer::ExternalRecalc, &TDBSumListProducer::SetExternalRecalc)
        .Default(false);
    c.Property("VirtualRecords", &TDBSumListProducer::VirtualRecords, &TDBSumListProducer::SetVirtualRecords)
        .Default(false);
    c.Event("OnAfterRecalcAll", &TDBSumListProducer::OnAfterRecalcAll);
    c.Event("OnRecalcAll", &TDBSumListProducer::OnRecalcAll);
}

TDBSumListProducer::TDBSumListProducer(TComponent* Owner)
    : FOwner(Owner), FSumCollection(std::make_unique<TDBSumCollection>(this)),
      FWatch(std::make_unique<TDataSetWatch>(this)) {}

TDBSumListProducer::~TDBSumListProducer() {
    StopProducing(false);
    if (FDataSet) FDataSet->RemoveFreeNotification(FWatch.get());
    // The collection goes quietly: its items' removal must not start a recalculation.
    FActive = false;
    FDataSet = nullptr;
}

bool TDBSumListProducer::OwnerLoading() const {
    return FOwner && FOwner->ComponentState().Contains(csLoading);
}

void TDBSumListProducer::DoSumListChanged() {
    if (SumListChanged) SumListChanged(this);
}

void TDBSumListProducer::SetActive(bool Value) {
    if (Value == FActive) return;
    if (Value)
        StartProducing(true);
    else
        StopProducing(true);
}

void TDBSumListProducer::StartProducing(bool Recalc) {
    FActive = true;
    if (OwnerLoading()) return;
    HookDataSetEvents();
    if (Recalc) RecalcAll();
}

void TDBSumListProducer::StopProducing(bool Clear) {
    FActive = false;
    if (OwnerLoading()) return;
    UnhookDataSetEvents();
    if (Clear) ZeroSumValues();
}

void TDBSumListProducer::SetDataSet(TDataSet* Value) {
    if (Value == FDataSet) {
        if (FDataSet && FDataSet->ComponentState().Contains(csDestroying)) {
            UnhookDataSetEvents();
            FDataSet = nullptr;
        }
        return;
    }
    if (FDataSet) FDataSet->RemoveFreeNotification(FWatch.get());
    if (Value) Value->FreeNotification(FWatch.get());
    if (OwnerLoading()) {
        FDataSet = Value;
        return;
    }
    const bool wasActive = FActive;
    StopProducing(true);
    FDataSet = Value;
    if (wasActive) StartProducing(true);
}

void TDBSumListProducer::SetExternalRecalc(bool Value) {
    if (Value == FExternalRecalc) return;
    FExternalRecalc = Value;
    RecalcAll();
}

void TDBSumListProducer::SetVirtualRecords(bool Value) {
    if (Value == FVirtualRecords) return;
    FVirtualRecords = Value;
    if (Value) RecalcAll();
}

void TDBSumListProducer::Assign(const TPersistent* Source) {
    if (auto* s = dynamic_cast<const TDBSumListProducer*>(Source)) {
        SetActive(s->FActive);
        SetDataSet(s->FDataSet);
        SetExternalRecalc(s->FExternalRecalc);
        FSumCollection->Assign(s->FSumCollection.get());
        SumListChanged = s->SumListChanged;
        SetVirtualRecords(s->FVirtualRecords);
        OnAfterRecalcAll = s->OnAfterRecalcAll;
        OnRecalcAll = s->OnRecalcAll;
        return;
    }
    TPersistent::Assign(Source);
}

void TDBSumListProducer::LoadedFromForm() {
    if (FDataSet && FActive) StartProducing(true);
}

void TDBSumListProducer::RecalcIfReady() {
    if (FOwner && FOwner->ComponentState().Contains(csDestroying)) return;
    if (OwnerLoading()) return;
    RecalcAll();
}

void TDBSumListProducer::ZeroSumValues() {
    for (int i = 0; i < FSumCollection->Count(); ++i) {
        TDBSum* s = FSumCollection->Items(i);
        s->SumAmount = Currency();
        s->OldValue = Currency();
        s->AvgRunningSum = Currency();
        s->NotNullCount = 0;
    }
    DoSumListChanged();
}

// ---- hooking ------------------------------------------------------------------------------------

void TDBSumListProducer::HookDataSetEvents() {
    if (!FDataSet || FEventsHooked) return;
    FMasterPropInfo = GetPropInfo(FDataSet, "MasterSource");
    FMasterDataSet = GetMasterDataSet(FDataSet, FMasterPropInfo);
    TDataSet* d = FDataSet;
    FSavedAfterCancel = d->AfterCancel;
    FSavedAfterClose = d->AfterClose;
    FSavedAfterEdit = d->AfterEdit;
    FSavedAfterInsert = d->AfterInsert;
    FSavedAfterOpen = d->AfterOpen;
    FSavedAfterPost = d->AfterPost;
    FSavedAfterScroll = d->AfterScroll;
    FSavedBeforeDelete = d->BeforeDelete;
    d->AfterCancel = [this](TDataSet* ds) { HandleAfterCancel(ds); };
    d->AfterClose = [this](TDataSet* ds) { HandleAfterClose(ds); };
    d->AfterEdit = [this](TDataSet* ds) { HandleAfterEdit(ds); };
    d->AfterInsert = [this](TDataSet* ds) { HandleAfterInsert(ds); };
    d->AfterOpen = [this](TDataSet* ds) { HandleAfterOpen(ds); };
    d->AfterPost = [this](TDataSet* ds) { HandleAfterPost(ds); };
    d->AfterScroll = [this](TDataSet* ds) { HandleAfterScroll(ds); };
    d->BeforeDelete = [this](TDataSet* ds) { HandleBeforeDelete(ds); };
    if (FMasterDataSet) {
        FMasterDataSet->FreeNotification(FWatch.get());
        FSavedMasterAfterScroll = FMasterDataSet->AfterScroll;
        FMasterDataSet->AfterScroll = [this](TDataSet* ds) { HandleMasterAfterScroll(ds); };
    }
    FEventsHooked = true;
}

void TDBSumListProducer::UnhookDataSetEvents() {
    if (!FEventsHooked || !FDataSet) return;
    TDataSet* d = FDataSet;
    d->AfterCancel = std::move(FSavedAfterCancel);
    d->AfterClose = std::move(FSavedAfterClose);
    d->AfterEdit = std::move(FSavedAfterEdit);
    d->AfterInsert = std::move(FSavedAfterInsert);
    d->AfterOpen = std::move(FSavedAfterOpen);
    d->AfterPost = std::move(FSavedAfterPost);
    d->AfterScroll = std::move(FSavedAfterScroll);
    d->BeforeDelete = std::move(FSavedBeforeDelete);
    FSavedAfterCancel = FSavedAfterClose = FSavedAfterEdit = FSavedAfterInsert = nullptr;
    FSavedAfterOpen = FSavedAfterPost = FSavedAfterScroll = FSavedBeforeDelete = nullptr;
    if (FMasterDataSet) {
        FMasterDataSet->AfterScroll = std::move(FSavedMasterAfterScroll);
        FSavedMasterAfterScroll = nullptr;
        if (FMasterDataSet != FDataSet) FMasterDataSet->RemoveFreeNotification(FWatch.get());
    }
    FMasterDataSet = nullptr;
    FMasterPropInfo = nullptr;
    FEventsHooked = false;
}

// ---- full recalculation -------------------------------------------------------------------------

void TDBSumListProducer::RecalcAll() {
    if (OwnerLoading() || !FActive || !FDataSet || !FDataSet->Active() || !FEventsHooked) return;
    TDataSet* d = FDataSet;
    try {
        ZeroSumValues();
        if (OnRecalcAll) OnRecalcAll(this);
        if (!FExternalRecalc) {
            bool scan = false;
            for (int i = 0; i < FSumCollection->Count(); ++i)
                scan = scan || FSumCollection->Items(i)->TakesPart();
            if (scan) {
                d->DisableControls();
                // The controls come back also when the scan fails part-way.
                try {
                    FRecalcInProgress = true;
                    d->First();
                    while (!d->Eof()) {
                        ForEachTakingPart(*FSumCollection, d, [](TDBSum* s, const TField* f, bool null) {
                            switch (s->GroupOperation()) {
                            case goSum:
                                if (!null) Adjust(s->SumAmount, static_cast<long double>(AmountOf(f)));
                                break;
                            case goAvg:
                                if (!null) ++s->NotNullCount;
                                Adjust(s->AvgRunningSum, static_cast<long double>(AmountOf(f)));
                                break;
                            case goCount:
                                if (!null) s->SumAmount += OneRecord;
                                break;
                            }
                        });
                        d->Next();
                    }
                    d->First();
                    for (int i = 0; i < FSumCollection->Count(); ++i) {
                        TDBSum* s = FSumCollection->Items(i);
                        if (s->TakesPart() && s->GroupOperation() == goAvg) RecomputeAverage(s);
                    }
                } catch (...) {
                    d->EnableControls();
                    throw;
                }
                d->EnableControls();
            }
        }
        // An external recalculation is the handler's alone.
        if (!FExternalRecalc && OnAfterRecalcAll) OnAfterRecalcAll(this);
    } catch (...) {
        FLastFiltered = d->Filtered();
        FLastFilter = d->Filter();
        FRecalcInProgress = false;
        DoSumListChanged();
        throw;
    }
    FLastFiltered = d->Filtered();
    FLastFilter = d->Filter();
    FRecalcInProgress = false;
    DoSumListChanged();
}

// ---- adjusting for one record -------------------------------------------------------------------

void TDBSumListProducer::HandleAfterEdit(TDataSet* DataSet) {
    if (!FActive) return;
    ForEachTakingPart(*FSumCollection, DataSet, [](TDBSum* s, const TField* f, bool null) {
        if (s->GroupOperation() == goCount) {
            s->OldValue = null ? Currency() : OneRecord;
            return;
        }
        s->OldValue = Currency::FromRaw(AmountOf(f));
        s->OldVariant = f->AsVariant();
    });
    if (FActive) Call(FSavedAfterEdit, DataSet);
}

void TDBSumListProducer::HandleAfterInsert(TDataSet* DataSet) {
    if (!FActive) return;
    for (int i = 0; i < FSumCollection->Count(); ++i) {
        TDBSum* s = FSumCollection->Items(i);
        s->OldValue = Currency();
        s->OldVariant = Null();
    }
    Call(FSavedAfterInsert, DataSet);
}

void TDBSumListProducer::HandleAfterPost(TDataSet* DataSet) {
    if (!FActive) return;
    ForEachTakingPart(*FSumCollection, DataSet, [](TDBSum* s, const TField* f, bool null) {
        const long double change = (f ? static_cast<long double>(AmountOf(f)) : 0) - s->OldValue.Value;
        switch (s->GroupOperation()) {
        case goSum:
            Adjust(s->SumAmount, change);
            break;
        case goAvg:
            if (null && !VarIsNull(s->OldVariant)) --s->NotNullCount;
            if (!null && VarIsNull(s->OldVariant)) ++s->NotNullCount;
            Adjust(s->AvgRunningSum, change);
            RecomputeAverage(s);
            break;
        case goCount:
            s->SumAmount += (null ? Currency() : OneRecord) - s->OldValue;
            break;
        }
    });
    FPendingInsert = false;
    DoSumListChanged();
    Call(FSavedAfterPost, DataSet);
}

void TDBSumListProducer::HandleBeforeDelete(TDataSet* DataSet) {
    Call(FSavedBeforeDelete, DataSet);
    if (!FActive) return;
    ForEachTakingPart(*FSumCollection, DataSet, [](TDBSum* s, const TField* f, bool null) {
        const long double value = f ? static_cast<long double>(AmountOf(f)) : 0;
        switch (s->GroupOperation()) {
        case goSum:
            Adjust(s->SumAmount, -value);
            break;
        case goAvg:
            Adjust(s->AvgRunningSum, -value);
            if (!null) --s->NotNullCount;
            RecomputeAverage(s);
            break;
        case goCount:
            if (!null) s->SumAmount -= OneRecord;
            break;
        }
    });
    DoSumListChanged();
}

void TDBSumListProducer::HandleAfterCancel(TDataSet* DataSet) {
    Call(FSavedAfterCancel, DataSet);
    FPendingInsert = false;
}

void TDBSumListProducer::HandleAfterClose(TDataSet* DataSet) {
    if (FActive) {
        ZeroSumValues();
        DoSumListChanged();
        FRecalcInProgress = false;
    }
    Call(FSavedAfterClose, DataSet);
}

void TDBSumListProducer::HandleAfterOpen(TDataSet* DataSet) {
    if (FActive) RecalcAll();
    Call(FSavedAfterOpen, DataSet);
}

void TDBSumListProducer::HandleAfterScroll(TDataSet* DataSet) {
    Call(FSavedAfterScroll, DataSet);
    if (!FActive || FRecalcInProgress) return;
    if ((DataSet->Filtered() && DataSet->Filter() != FLastFilter) || DataSet->Filtered() != FLastFiltered)
        RecalcAll();
}

void TDBSumListProducer::HandleMasterAfterScroll(TDataSet* DataSet) {
    Call(FSavedMasterAfterScroll, DataSet);
    if (FActive && !FRecalcInProgress) RecalcAll();
}

// ---- record positions ---------------------------------------------------------------------------

int TDBSumListProducer::SumListRecNo() const {
    return FDataSet ? FDataSet->RecNo() : 0;
}

void TDBSumListProducer::SetSumListRecNo(int Value) {
    if (FDataSet) FDataSet->SetRecNo(Value);
}

bool TDBSumListProducer::SumListIsSequenced() const {
    return FDataSet && FDataSet->IsSequenced();
}

int TDBSumListProducer::SumListRecordCount() const {
    return FDataSet ? FDataSet->RecordCount() : 0;
}
