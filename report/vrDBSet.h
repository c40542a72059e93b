// The database data set: makes a platform data set (the application's queries) readable by
// reports, with field aliases, range limits, values, display texts and blob fields.
#pragma once

#include "db/DB.h"
#include "report/vrClassDataSets.h"

class TDataSet;
class TDataSource;
class TField;

class TvrDBDataset : public TvrCustomDBDataSet {
    ORV_META(TvrDBDataset, TvrCustomDBDataSet)
    explicit TvrDBDataset(TComponent* AOwner);
    ~TvrDBDataset() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* Value);
    bool BCDToCurrency = false;
    // The data set actually read.
    TDataSet* Source() const { return FSource; }

    WideString DisplayText(const String& Field) override;
    Integer DisplayWidth(const String& Field) override;
    TvrFieldType GetFieldType(const String& Field) override;
    Variant Value(const String& Field) override;
    void PrepareForRun() override;
    void EndOfRun() override;
    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() override;
    bool IsBlobField(const String& Field) override;
    Integer RecordCount() override;
    void AssignBlobTo(const String& Field, TObject* Target) override;
    void GetFieldList(TStrings& List) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool IsSourceStored() const;
    void UpdateSource();
    void ReportMissingField(const String& Text);
    TField* CachedField(const String& Name, bool& Found) const;
    void AfterOpenHandler(TDataSet* DataSet, bool FromSource);
    void BeforeCloseHandler(TDataSet* DataSet, bool FromSource);

    TDataSet* FDataSet = nullptr;
    TDataSource* FDataSource = nullptr;
    TDataSet* FSource = nullptr;
    TBookmark FBookmark;
    bool FOwnEof = false;
    TDataSetNotifyEvent FSavedAfterOpen, FSavedBeforeClose;
    bool FHandlersInstalled = false;
};
