// Data sets as reports read them, the process-wide list of data sets and the report's lists of
// the data sets it uses.
#pragma once

#include "classes/Collection.h"
#include "report/vrClassBase.h"
#include "rtl/StringList.h"

#include <mutex>

class TWideStrings;

enum TvrRangeBegin { rbFirst, rbCurrent };
ORV_ENUM(TvrRangeBegin, rbFirst, rbCurrent)
enum TvrRangeEnd { reLast, reCurrent, reCount };
ORV_ENUM(TvrRangeEnd, reLast, reCurrent, reCount)
enum TvrFieldType { fftNumeric, fftString, fftBoolean };
ORV_ENUM(TvrFieldType, fftNumeric, fftString, fftBoolean)

using TvrCheckEOFEvent = std::function<void(TObject* Sender, bool& Eof)>;
using TvrUserDSGetValueEvent = std::function<void(const String& Name, Variant& Value)>;
using TvrUserDSNewGetValueEvent = std::function<void(TObject* Sender, const String& Name, Variant& Value)>;

class TvrDataSet : public TvrDialogComponent {
    ORV_META(TvrDataSet, TvrDialogComponent)
    explicit TvrDataSet(TComponent* AOwner);
    ~TvrDataSet() override;

    bool Enabled = true;
    TvrRangeBegin RangeBegin = rbFirst;
    TvrRangeEnd RangeEnd = reLast;
    Integer RangeEndCount = 0;
    const String& UserName() const { return FUserName; }
    TvrCheckEOFEvent OnCheckEOF;
    TNotifyEvent OnFirst, OnNext, OnPrior;
    TNotifyEvent OnOpen, OnClose;
    bool CloseDataSource = false;
    bool OpenDataSource = true;
    TvrReport* ServingReport = nullptr;
    bool Initialized = false;
    Integer RecNo = 0;

    void SetName(const String& NewName) override;

    virtual WideString DisplayText(const String& Field);
    virtual Integer DisplayWidth(const String& Field);
    virtual TvrFieldType GetFieldType(const String& Field);
    virtual Variant Value(const String& Field);
    // "prInvProp" for a name of blanks only.
    virtual void SetUserName(const String& Value);
    virtual void PrepareForRun() {}
    virtual void EndOfRun() {}
    virtual void Open();
    virtual void Close();
    virtual void First();
    virtual void Next();
    virtual void Prior();
    virtual bool Eof();
    virtual Integer FieldsCount() { return 0; }
    virtual bool IsBlobField(const String& Field) {
        (void)Field;
        return false;
    }
    virtual Integer RecordCount();
    // Target is a TWideStrings or a TStream.
    virtual void AssignBlobTo(const String& Field, TObject* Target) {
        (void)Field;
        (void)Target;
    }
    virtual void GetFieldList(TStrings& List) { List.Clear(); }
    bool HasField(const String& Field);

protected:
    bool FEndFlag = false;

private:
    String FUserName;
};

class TvrUserDataSet : public TvrDataSet {
    ORV_META(TvrUserDataSet, TvrDataSet)
    explicit TvrUserDataSet(TComponent* AOwner);
    TStringList* Fields() const { return FFields.get(); }
    void SetFields(TStringList* Value) { if (Value) FFields->Assign(*Value); }
    TvrUserDSGetValueEvent OnGetValue;
    TvrUserDSNewGetValueEvent OnNewGetValue;

    WideString DisplayText(const String& Field) override;
    Variant Value(const String& Field) override;
    Integer FieldsCount() override { return FFields->Count(); }
    void GetFieldList(TStrings& List) override;

private:
    std::unique_ptr<TStringList> FFields;
};

class TvrCustomDBDataSet : public TvrDataSet {
    ORV_META(TvrCustomDBDataSet, TvrDataSet)
    explicit TvrCustomDBDataSet(TComponent* AOwner);
    TStringList* FieldAliases() const { return FFieldAliases.get(); }
    void SetFieldAliases(TStringList* Value) { if (Value) FFieldAliases->Assign(*Value); }
    Integer FieldsCount() override;
    // The field named by an alias line ("field=alias"), or the name itself.
    String FieldNameOfAlias(const String& Alias) const;

protected:
    std::unique_ptr<TStringList> FFieldAliases;
    // Offered names (sorted, case-blind) with the platform field objects as their objects.
    std::unique_ptr<TStringList> FFieldCache;
};

class TvrCustomDatabase : public TvrDialogComponent {
    ORV_META(TvrCustomDatabase, TvrDialogComponent)
    explicit TvrCustomDatabase(TComponent* AOwner) : TvrDialogComponent(AOwner) {}
};

// Every data set of the process, with a lock for changes and walks.
class TvrGlobalDataSetList {
public:
    void AcquireList() { FLock.lock(); }
    void ReleaseList() { FLock.unlock(); }
    std::vector<TvrDataSet*>& Items() { return FItems; }

private:
    std::recursive_mutex FLock;
    std::vector<TvrDataSet*> FItems;
};
TvrGlobalDataSetList* GlobalDataSetList();

// The data set named so in the process-wide list, skipping data sets of other reports; Current
// when there is no report or none matches, nullptr for an empty name.
TvrDataSet* FindGlobalDataSet(TvrDataSet* Current, const String& Name, TvrReport* Report);
// UserName and object of every enabled data set with a user name.
void GetEnabledDataSets(TStrings& List);

class TvrDataSetItem : public TCollectionItem {
    ORV_META(TvrDataSetItem, TCollectionItem)
    explicit TvrDataSetItem(TCollection* Collection);
    void Assign(const TPersistent* Source) override;
    TvrDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TvrDataSet* Value);
    String DataSetName() const;
    void SetDataSetName(const String& Value);

private:
    TvrDataSet* FDataSet = nullptr;
    String FDataSetName;
};

class TvrReportDataSets : public TCollection {
    ORV_META(TvrReportDataSets, TCollection)
    explicit TvrReportDataSets(TvrReport* Report = nullptr);
    TvrReport* Report() const { return FReport; }
    TvrDataSetItem* Add(TvrDataSet* DataSet);
    TvrDataSetItem* GetItem(int Index) const { return static_cast<TvrDataSetItem*>(Items(Index)); }
    TvrDataSetItem* FindByDataSet(const TvrDataSet* DataSet) const;
    TvrDataSetItem* FindByName(const String& Name) const;
    void InitializeAll();
    void FinalizeAll();

private:
    TvrReport* FReport;
};
