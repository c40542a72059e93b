// TDataSource connects a data set to the data-aware controls; TDataLink is what each control
// (the grid, an edit, a master/detail query) holds to hear of the data set's events.
//
// A link keeps a window of BufferCount consecutive records that contains the current record
// ("record buffer"): record i of the window is ActiveRecord's neighbour i - ActiveRecord. The grid
// sets BufferCount to the rows it can show, paints row i by making it active (SetActiveRecord(i))
// and restores the active record afterwards. When the current record moves, the window follows
// it as little as it can, and DataSetScrolled tells the link by how many records the window moved.
//
// Notifications a link receives (override them):
//   ActiveChanged      the data set opened or closed (or the link got another data source)
//   DataSetChanged     the data changed as a whole (open, refresh, post, delete, insert, cancel,
//                      First, Last, EnableControls); default: RecordChanged(nullptr)
//   DataSetScrolled    the current record moved by navigation; Distance = window movement
//   LayoutChanged      the fields changed; default: DataSetChanged
//   RecordChanged      a field (Field) or the whole current record (nullptr) changed
//   EditingChanged     Editing switched (edit or insert began or ended)
//   UpdateData         store the control's value into the field (before a post)
//   CheckBrowseMode    the data set is about to leave edit state
//   FocusControl       a field asks its control to take the focus
#pragma once

#include "db/DataSet.h"
#include "rtl/Events.h"

#include <vector>

class TDataLink;

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

class TDataSource : public TComponent {
    ORV_META(TDataSource, TComponent)

    explicit TDataSource(TComponent* AOwner = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* ADataSet);
    // While false, links see the data set as closed.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // A link's Edit may put a browsing data set into edit state (true by default).
    bool AutoEdit() const { return FAutoEdit; }
    void SetAutoEdit(bool Value) { FAutoEdit = Value; }
    // The data set's state as the links see it (dsInactive without data set or when disabled).
    TDataSetState State() const { return FState; }
    // Puts the data set into edit state when AutoEdit allows and it is browsing.
    void Edit();
    // True when ADataSet's chain of masters comes back to this source (a loop of links).
    bool IsLinkedTo(TDataSet* ADataSet) const;

    TDataChangeEvent OnDataChange; // a field, the record or the data changed; Field or nullptr
    TNotifyEvent OnStateChange;
    TNotifyEvent OnUpdateData;

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent Event, intptr_t Info);
    void NotifyLinks(TDataEvent Event, intptr_t Info);
    void UpdateState();
    void AddLink(TDataLink* Link);
    void RemoveLink(TDataLink* Link);

    TDataSet* FDataSet = nullptr;
    bool FEnabled = true;
    bool FAutoEdit = true;
    TDataSetState FState = dsInactive;
    std::vector<TDataLink*> FLinks;
};

class TDataLink : public TObject {
public:
    TDataLink();
    ~TDataLink() override;
    String ClassName() const override { return "TDataLink"; }

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* ADataSource);
    TDataSet* DataSet() const;
    bool Active() const { return FActive; }
    bool Editing() const { return FEditing; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Links of controls are told after the others (a detail query moves before the grid paints).
    bool VisualControl() const { return FVisualControl; }
    void SetVisualControl(bool Value) { FVisualControl = Value; }
    // Set while the link's UpdateData runs: field changes it makes are not echoed back.
    bool Updating() const { return FUpdating; }

    // ---- the record window ---------------------------------------------------------------------
    int BufferCount() const { return FBufferCount; }
    void SetBufferCount(int Value);
    // The current record's place in the window (0 when inactive).
    int ActiveRecord() const;
    // Makes record Value of the window the one fields read (painting); set it back afterwards.
    void SetActiveRecord(int Value);
    // Records in the window (at most BufferCount).
    int RecordCount() const;
    // Index in the data set's cursor of the window's first record.
    int FirstRecord() const { return FFirstRecord; }
    bool Bof() const;
    bool Eof() const;

    // ---- actions -------------------------------------------------------------------------------
    // Puts the data set into edit state through the data source; true when it is editing.
    bool Edit();
    // Calls UpdateData (guarded against re-entry).
    void UpdateRecord();
    int MoveBy(int Distance);

    // The platform's dispatch of a data set event to the notifications below.
    virtual void DataEvent(TDataEvent Event, intptr_t Info);

protected:
    virtual void ActiveChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int Distance) {
        (void)Distance;
        DataSetChanged();
    }
    virtual void EditingChanged() {}
    virtual void FocusControl(TField** Field) { (void)Field; }
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* Field) { (void)Field; }
    virtual void UpdateData() {}

private:
    friend class TDataSource;
    void SetActive(bool Value);
    void SetEditing(bool Value);
    void UpdateState();
    // Moves the window so it holds the current record; returns how far it moved.
    int UpdateRange();

    TDataSource* FDataSource = nullptr;
    bool FActive = false;
    bool FEditing = false;
    bool FReadOnly = false;
    bool FUpdating = false;
    bool FVisualControl = false;
    int FBufferCount = 1;
    int FFirstRecord = 0;
};
