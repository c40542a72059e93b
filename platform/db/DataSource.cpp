// TDataSource and TDataLink: the path of a data set's events to the controls that show it.
#include "db/DataSource.h"

#include <algorithm>

// ---- TDataSource ---------------------------------------------------------------------------------

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
    for (TDataLink* l : std::vector<TDataLink*>(FLinks))
        l->SetDataSource(nullptr);
    if (FDataSet) FDataSet->RemoveDataSource(this);
}

void TDataSource::SetDataSet(TDataSet* ADataSet) {
    if (ADataSet == FDataSet) return;
    if (ADataSet && IsLinkedTo(ADataSet)) DatabaseError("Circular datalinks are not allowed");
    if (FDataSet) FDataSet->RemoveDataSource(this);
    FDataSet = ADataSet;
    if (FDataSet) FDataSet->AddDataSource(this);
    UpdateState();
}

void TDataSource::SetEnabled(bool Value) {
    FEnabled = Value;
    UpdateState();
}

bool TDataSource::IsLinkedTo(TDataSet* ADataSet) const {
    // Walks ADataSet's chain of masters: meeting this source again would make a loop.
    for (TDataSet* ds = ADataSet; ds;) {
        TDataSource* master = ds->MasterSource();
        if (!master) return false;
        if (master == this) return true;
        ds = master->DataSet();
    }
    return false;
}

void TDataSource::Edit() {
    if (FAutoEdit && FDataSet && FState == dsBrowse) FDataSet->Edit();
}

void TDataSource::UpdateState() {
    const TDataSetState state = FEnabled && FDataSet ? FDataSet->State() : dsInactive;
    if (state == FState) return;
    const bool wasActive = FState != dsInactive;
    FState = state;
    for (TDataLink* l : std::vector<TDataLink*>(FLinks))
        l->UpdateState();
    (void)wasActive;
    if (OnStateChange) OnStateChange(this);
}

void TDataSource::NotifyLinks(TDataEvent Event, intptr_t Info) {
    // Links of other data sets (a detail query) first, then the controls.
    const std::vector<TDataLink*> links(FLinks);
    for (TDataLink* l : links)
        if (!l->VisualControl() && std::find(FLinks.begin(), FLinks.end(), l) != FLinks.end())
            l->DataEvent(Event, Info);
    for (TDataLink* l : links)
        if (l->VisualControl() && std::find(FLinks.begin(), FLinks.end(), l) != FLinks.end())
            l->DataEvent(Event, Info);
}

void TDataSource::DataEvent(TDataEvent Event, intptr_t Info) {
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (FState == dsInactive) return;
    NotifyLinks(Event, Info);
    switch (Event) {
    case deFieldChange:
    case deRecordChange:
        if (OnDataChange) OnDataChange(this, reinterpret_cast<TField*>(Info));
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
        if (OnDataChange) OnDataChange(this, nullptr);
        break;
    case deUpdateRecord:
        if (OnUpdateData) OnUpdateData(this);
        break;
    default:
        break;
    }
}

void TDataSource::AddLink(TDataLink* Link) {
    FLinks.push_back(Link);
}

void TDataSource::RemoveLink(TDataLink* Link) {
    FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), Link), FLinks.end());
}

// ---- TDataLink -----------------------------------------------------------------------------------

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() {
    if (FDataSource) FDataSource->RemoveLink(this);
}

TDataSet* TDataLink::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

void TDataLink::SetDataSource(TDataSource* ADataSource) {
    if (ADataSource == FDataSource) return;
    if (FDataSource) FDataSource->RemoveLink(this);
    FDataSource = ADataSource;
    if (FDataSource) FDataSource->AddLink(this);
    UpdateState();
}

void TDataLink::SetReadOnly(bool Value) {
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    UpdateState();
}

void TDataLink::UpdateState() {
    SetActive(FDataSource && FDataSource->State() != dsInactive);
    const TDataSetState s = FDataSource ? FDataSource->State() : dsInactive;
    SetEditing((s == dsEdit || s == dsInsert || s == dsSetKey) && !FReadOnly);
}

void TDataLink::SetActive(bool Value) {
    if (FActive == Value) return;
    FActive = Value;
    if (Value) {
        FFirstRecord = 0;
        UpdateRange();
    } else
        FFirstRecord = 0;
    ActiveChanged();
}

void TDataLink::SetEditing(bool Value) {
    if (FEditing == Value) return;
    FEditing = Value;
    EditingChanged();
}

void TDataLink::SetBufferCount(int Value) {
    if (Value < 1) Value = 1;
    if (FBufferCount == Value) return;
    FBufferCount = Value;
    if (FActive) {
        UpdateRange();
        DataSetChanged();
    }
}

int TDataLink::UpdateRange() {
    TDataSet* ds = DataSet();
    if (!ds || !FActive) return 0;
    const int old = FFirstRecord;
    const int n = ds->RecordCount();
    const int cur = ds->CurrentIndex();
    if (cur < 0) {
        FFirstRecord = 0;
        return -old;
    }
    if (cur < FFirstRecord) FFirstRecord = cur;
    if (cur >= FFirstRecord + FBufferCount) FFirstRecord = cur - FBufferCount + 1;
    // Keep the window full when the records allow.
    if (FFirstRecord + FBufferCount > n) FFirstRecord = std::max(0, n - FBufferCount);
    if (FFirstRecord > cur) FFirstRecord = cur;
    return FFirstRecord - old;
}

int TDataLink::ActiveRecord() const {
    TDataSet* ds = DataSet();
    if (!ds || !FActive) return 0;
    const int i = ds->ActiveIndex();
    return i < 0 ? 0 : i - FFirstRecord;
}

void TDataLink::SetActiveRecord(int Value) {
    TDataSet* ds = DataSet();
    if (!ds || !FActive) return;
    ds->SetActiveIndex(FFirstRecord + Value);
}

int TDataLink::RecordCount() const {
    TDataSet* ds = DataSet();
    if (!ds || !FActive) return 0;
    return std::clamp(ds->RecordCount() - FFirstRecord, 0, FBufferCount);
}

bool TDataLink::Bof() const {
    TDataSet* ds = DataSet();
    return !ds || ds->Bof();
}

bool TDataLink::Eof() const {
    TDataSet* ds = DataSet();
    return !ds || ds->Eof();
}

bool TDataLink::Edit() {
    if (!FReadOnly && FDataSource) FDataSource->Edit();
    return FEditing;
}

void TDataLink::UpdateRecord() {
    FUpdating = true;
    try {
        UpdateData();
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
}

int TDataLink::MoveBy(int Distance) {
    TDataSet* ds = DataSet();
    return ds ? ds->MoveBy(Distance) : 0;
}

void TDataLink::DataEvent(TDataEvent Event, intptr_t Info) {
    if (Event == deUpdateState) {
        UpdateState();
        return;
    }
    if (!FActive) return;
    switch (Event) {
    case deFieldChange:
    case deRecordChange:
        if (!FUpdating) RecordChanged(reinterpret_cast<TField*>(Info));
        break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange: {
        const int moved = UpdateRange();
        if (Event == deDataSetChange)
            DataSetChanged();
        else if (Event == deDataSetScroll)
            DataSetScrolled(moved);
        else
            LayoutChanged();
        break;
    }
    case deUpdateRecord:
        UpdateRecord();
        break;
    case deCheckBrowseMode:
        CheckBrowseMode();
        break;
    case deFocusControl:
        FocusControl(reinterpret_cast<TField**>(Info));
        break;
    default:
        break;
    }
}
