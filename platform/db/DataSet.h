// TDataSet: an open set of records with a current record, the platform's states and events,
// fields, bookmarks, Locate/Lookup, filtering and data sources that show it.
//
// Every data set here is a static client cursor: opening loads all rows into memory (a
// descendant supplies them through InternalOpen), navigation, sorting, filtering, bookmarks and
// record numbers work on that copy, and edits are written through the descendant's
// InternalPost/InternalDelete (at once, or later in a client batch).
//
// Typical use (with TADOQuery, db/ADODB.h):
//   Qry->SQL()->SetText("select * from T_XQinfo where F_code like :code");
//   Qry->Parameters()->ParamByName("code")->SetValue("0%");
//   Qry->Open();
//   for (Qry->First(); !Qry->Eof(); Qry->Next()) Use(Qry->FieldByName("F_name")->AsString());
//   Qry->Edit(); Qry->FieldByName("F_name")->SetAsString("A"); Qry->Post();
//   Qry->Append(); ...; Qry->Post();
//
// Navigation follows the platform: after Open and First the first record is current and Bof is
// true; Next on the last record sets Eof and stays there; an empty set has Bof and Eof both true.
// Moving while editing posts a modified record and cancels an unmodified one (CheckBrowseMode).
// A Before... event that raises (Abort) cancels the step before anything changed.
#pragma once

#include "db/DB.h"
#include "db/Field.h"
#include "db/RecordData.h"
#include "rtl/Variant.h"

#include <memory>
#include <unordered_map>
#include <vector>

class TDataSource;
class TStrings;
class TFilterExpression;

// The fields of a data set in their order.
class TFields {
public:
    int Count() const { return static_cast<int>(FList.size()); }
    TField* Fields(int Index) const; // EListError outside the range
    TField* operator[](int Index) const { return Fields(Index); }
    // By name without regard to case; nullptr when absent.
    TField* FindField(const String& FieldName) const;
    // EDatabaseError "Field 'X' not found".
    TField* FieldByName(const String& FieldName) const;
    // The data field of that 1-based column number; nullptr when none.
    TField* FieldByNumber(int FieldNo) const;
    int IndexOf(const TField* Field) const;
    auto begin() const { return FList.begin(); }
    auto end() const { return FList.end(); }

private:
    friend class TDataSet;
    friend class TField;
    std::vector<TField*> FList;
};

// A column of the data as the data set's source describes it.
struct TFieldDef {
    String Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    int Precision = 0;
    bool Required = false;
    bool ReadOnly = false;
    bool Currency = false; // a money column
};

class TFieldDefs {
public:
    int Count() const { return static_cast<int>(FList.size()); }
    const TFieldDef& Items(int Index) const { return FList.at(static_cast<size_t>(Index)); }
    const TFieldDef& operator[](int Index) const { return Items(Index); }
    int IndexOf(const String& Name) const; // without regard to case; -1 when absent
    const TFieldDef* Find(const String& Name) const;
    void Add(const TFieldDef& Def) { FList.push_back(Def); }
    void Clear() { FList.clear(); }

private:
    std::vector<TFieldDef> FList;
};

class TDataSet : public TComponent {
    ORV_META(TDataSet, TComponent)

    explicit TDataSet(TComponent* AOwner = nullptr);
    ~TDataSet() override;
    // A data set read from a form opens when the form is loaded, if its Active was stored true.
    void Loaded() override;

    // ---- opening -------------------------------------------------------------------------------
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    bool Active() const { return FState != dsInactive; }
    void SetActive(bool Value);
    TDataSetState State() const { return FState; }
    // Closes and opens again; the current record is looked for again by its position.
    void Refresh();

    // ---- navigation ----------------------------------------------------------------------------
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Moves by Distance records; returns how far it moved.
    int MoveBy(int Distance);
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    bool IsEmpty() const { return FView.empty(); }
    // 1-based number of the current record (0 when empty, -1 while inserting).
    int RecNo() const;
    void SetRecNo(int Value);
    // Records in the cursor as filtered (the record being inserted included).
    int RecordCount() const { return static_cast<int>(FView.size()); }
    // The data set numbers its records (RecNo, RecordCount are exact).
    virtual bool IsSequenced() const { return true; }

    // ---- editing -------------------------------------------------------------------------------
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Append/Insert a record with values for the fields in their order (Unassigned skips one).
    void AppendRecord(const std::vector<Variant>& Values);
    void InsertRecord(const std::vector<Variant>& Values);
    bool Modified() const { return FModified; }
    bool CanModify() const;
    // Posts a modified record, cancels an unmodified one, when editing.
    void CheckBrowseMode();
    // Asks the data links to store what their controls hold (before a post).
    void UpdateRecord();
    // Sets every field of the record being edited to Null.
    void ClearFields();

    // ---- fields --------------------------------------------------------------------------------
    TFields& Fields() { return FFields; }
    const TFields& Fields() const { return FFields; }
    TFieldDefs& FieldDefs() { return FFieldDefs; }
    // Fills FieldDefs from what the data set would read, without opening it and without reading a
    // record; an open data set's definitions stay as they are. The descendant's errors pass on.
    void UpdateFieldDefs();
    int FieldCount() const { return FFields.Count(); }
    TField* FieldByName(const String& FieldName) const { return FFields.FieldByName(FieldName); }
    TField* FindField(const String& FieldName) const { return FFields.FindField(FieldName); }
    TField* FieldByNumber(int FieldNo) const { return FFields.FieldByNumber(FieldNo); }
    // Values of several fields named with ";": one Variant for one name, an array for several.
    Variant FieldValues(const String& FieldNames) const;
    void SetFieldValues(const String& FieldNames, const Variant& Value);
    // The fields were made by the data set when it opened (no persistent fields).
    bool DefaultFields() const { return FDefaultFields; }
    void GetFieldNames(TStrings* List) const;
    // Calculated fields are computed whenever a record is read after a change (true by
    // default); otherwise only when it is posted.
    bool AutoCalcFields() const { return FAutoCalcFields; }
    void SetAutoCalcFields(bool Value) { FAutoCalcFields = Value; }

    // ---- searching -----------------------------------------------------------------------------
    // Makes the first record whose KeyFields ("A;B") equal KeyValues (one value, or an array
    // for several fields) current; false, and no move, when none does. loCaseInsensitive
    // compares text without regard to case; loPartialKey lets a text key match the start.
    bool Locate(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options = 0);
    // The ResultFields of the first record matching, without moving; Null when none.
    Variant Lookup(const String& KeyFields, const Variant& KeyValues, const String& ResultFields);

    // ---- bookmarks -----------------------------------------------------------------------------
    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark& Bookmark);
    void FreeBookmark(TBookmark& Bookmark) { Bookmark.clear(); }
    TBookmark Bookmark() const { return GetBookmark(); }
    void SetBookmark(const TBookmark& Value) { GotoBookmark(Value); }
    // True when the record is still in the cursor as filtered.
    bool BookmarkValid(const TBookmark& Bookmark) const;
    // Order of two records in the cursor: negative, 0 or positive (an empty bookmark first).
    int CompareBookmarks(const TBookmark& Bookmark1, const TBookmark& Bookmark2) const;

    // ---- filtering -----------------------------------------------------------------------------
    // Filter text: conditions on fields joined with AND/OR/NOT and parentheses: =, <>, <, >,
    // <=, >=, LIKE (with % or *), IS [NOT] NULL; text in quotes, dates between "#". Text
    // compares without regard to case. Applied, with OnFilterRecord, while Filtered is true.
    const String& Filter() const { return FFilterText; }
    void SetFilter(const String& Value);
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool Value);
    TFilterRecordEvent OnFilterRecord;
    // Runs the filter again after OnFilterRecord's rule changed.
    void Refilter();

    // ---- controls ------------------------------------------------------------------------------
    // While disabled the data sources are not told of changes; the last EnableControls tells
    // them at once that the data changed. Calls nest.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount > 0; }

    // ---- events --------------------------------------------------------------------------------
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent OnNewRecord, OnCalcFields;

    // Tells the data sources (and through them the links) of an event; Info as TDataEvent says.
    virtual void DataEvent(TDataEvent Event, intptr_t Info);

    // ---- for data links ------------------------------------------------------------------------
    // Index of the record fields read (the current one unless a link made another active).
    int ActiveIndex() const;
    // A link makes record Index of the cursor the one fields read (-1 returns to the current).
    void SetActiveIndex(int Index);
    // The source of the master this data set follows (master/detail); nullptr when none.
    virtual TDataSource* MasterSource() const { return nullptr; }
    // Index of the current record in the cursor (-1 when empty).
    int CurrentIndex() const { return FCursor; }

protected:
    // ---- what a descendant supplies ----------------------------------------------------------
    // Fills FieldDefs and loads the records (AddLoadedRecord); raise to fail the open.
    virtual void InternalOpen() = 0;
    // Fills FieldDefs as InternalOpen would, reading no record; the default leaves them empty.
    virtual void InternalInitFieldDefs() {}
    virtual void InternalClose() {}
    // Writes a posted record (Status says whether it is new); raise to refuse the post, which
    // leaves the data set in its edit state.
    virtual void InternalPost(TRecordData& Record, bool Inserting) {
        (void)Record;
        (void)Inserting;
    }
    // Removes a record from the source; raise to refuse. Return true to keep the record in the
    // cursor, hidden, as a pending deletion (a client batch).
    virtual bool InternalDelete(TRecordData& Record) {
        (void)Record;
        return false;
    }
    virtual bool GetCanModify() const { return true; }
    // Makes a field for a definition (default fields); descendants may choose other classes.
    virtual std::unique_ptr<TField> CreateDefaultField(const TFieldDef& Def);

    // Appends a loaded record to the cursor (in InternalOpen); values in FieldDefs order.
    TRecordData& AddLoadedRecord(std::vector<Variant>&& Values, Int64 RowId = 0);
    void ReserveRecords(size_t Count) { FRecords.reserve(Count); }
    // Every record of the cursor in load order, deleted ones of a batch included.
    const std::vector<std::unique_ptr<TRecordData>>& AllRecords() const { return FRecords; }
    // Takes records out of the cursor for good (a batch wrote their deletion or dropped them).
    void PurgeRecords(const std::vector<TRecordData*>& Records);
    // The record fields read (nullptr when none).
    TRecordData* ActiveRecordData() const;
    // Sorts the cursor by "F_a ASC, F_b DESC" (empty: load order); keeps the current record.
    void SetSortOrder(const String& SortSpec);
    const String& SortOrder() const { return FSortSpec; }
    // Rebuilds the visible records after records changed status (batch cancel) and tells the
    // links; Keep stays current when it is still there.
    void ResyncView(TRecordData* Keep);
    [[noreturn]] void Error(const String& Message) const;
    void CheckActive() const;
    // Resets every record's calculated values (they are computed again when read).
    void InvalidateCalcFields() { ++FCalcGeneration; }

private:
    friend class TField;
    friend class TDataSource;

    void OpenCursor();
    void CloseCursor();
    void CreateFields();
    void BindFields();
    void DestroyDefaultFields();
    void SetState(TDataSetState Value);
    void SetModified(bool Value) { FModified = Value; }
    void BeginInsertAppend();
    void EndInsertAppend();
    void DoInsert(bool AppendAtEnd);
    void CheckCanModify() const;
    void CheckRequiredFields();
    void Resync();
    void RebuildView(TRecordData* keep);
    bool AcceptRecord(TRecordData* record);
    void EnsureViewIndex() const;
    void EnsureIdIndex() const;
    int IndexOfRecord(const TRecordData* record) const;
    TRecordData* RecordOfBookmark(const TBookmark& Bookmark) const;
    void MoveTo(int index, bool asScroll);
    // Moves to the record at index of the view as a user's move: BeforeScroll, MoveTo, AfterScroll.
    void ScrollTo(int index);
    void DoEvent(const TDataSetNotifyEvent& Event) {
        if (Event) Event(this);
    }
    int FindRecord(const String& KeyFields, const Variant& KeyValues, TLocateOptions Options);
    // Values of fields for the data fields and the calculated ones.
    const Variant& FieldValue(const TField* Field) const;
    Variant OldFieldValue(const TField* Field) const;
    void SetFieldValue(TField* Field, const Variant& Value);
    void ComputeCalcFields(TRecordData& record) const;
    void AddDataSource(TDataSource* Source);
    void RemoveDataSource(TDataSource* Source);
    void AddField(TField* Field);
    void RemoveField(TField* Field);

    TDataSetState FState = dsInactive;
    bool FBof = true;
    bool FEof = true;
    bool FModified = false;
    int FCursor = -1;
    int FActiveOverride = -1;
    int FDisableCount = 0;
    TDataSetState FDisableState = dsInactive;
    TDataEvent FEnableEvent = deDataSetChange;
    bool FDefaultFields = false;
    bool FStreamedActive = false;
    bool FAutoCalcFields = true;
    bool FFiltered = false;
    String FFilterText;
    std::shared_ptr<const TFilterExpression> FFilterExpr;
    String FSortSpec;

    TFields FFields;
    TFieldDefs FFieldDefs;
    std::vector<std::unique_ptr<TField>> FOwnedFields;
    int FCalcFieldCount = 0;

    std::vector<std::unique_ptr<TRecordData>> FRecords;
    std::vector<TRecordData*> FView;
    std::unique_ptr<TRecordData> FInsertRecord;
    std::vector<Variant> FEditSaved; // values before Edit, for Cancel
    bool FEditHadOriginal = false;
    UInt64 FNextId = 1;
    mutable bool FViewIndexValid = false;
    mutable std::unordered_map<UInt64, TRecordData*> FById;
    mutable bool FByIdValid = false;
    mutable unsigned FCalcGeneration = 1;
    mutable TRecordData* FForcedRecord = nullptr; // the record OnCalcFields / OnFilterRecord reads
    mutable TDataSetState FForcedState = dsInactive;
    std::vector<TDataSource*> FDataSources;
};
