// Filter expressions of the data grid's filter row: the short language a user types into a filter
// cell («> 100», «~abc», «In (1, 2, 3)», «=Null and <> 5»), the record it parses into and the text
// it writes back; the per-column and grid-level filter objects; and the registry through which a
// data set class may supply its own filtering, sorting, searching and record moving.
#pragma once

#include "classes/Persistent.h"
#include "db/DataSource.h"
#include "grid/ToolCtrlsGxData.h"
#include "rtl/StringList.h"
#include "rtl/Variant.h"

#include <memory>

class TCustomDBGridGx;
class TColumnGx;
class TFieldDataLinkGx;

// The kind of value a column's expression compares with.
enum TSTExpressionTypeGx : uint8_t { stetUnknown, stetString, stetNumber, stetDateTime, stetBoolean };

enum TSTFilterOpGx : uint8_t {
    stoNone,
    stoEqual,
    stoNotEqual,
    stoGreater,
    stoLess,
    stoGreaterEqual,
    stoLessEqual,
    stoLike,
    stoNotLike,
    stoIn,
    stoNotIn,
    stoIsNull,
    stoIsNotNull,
    stoAnd,
    stoOr,
    stoValue
};

// How each operator is shown in a filter cell and written in a query condition.
extern const char* const FilterOperatorDisplayText[16];
extern const char* const FilterOperatorSqlText[16];

// The expression type a field of that data type filters with.
TSTExpressionTypeGx FilterExpressionTypeOf(TFieldType DataType);

// One parsed filter text: a first condition, and a second joined by AND or OR.
struct TSTFilterExpressionGx {
    TSTExpressionTypeGx ValueKind = stetUnknown;
    TSTFilterOpGx FirstOp = stoNone;
    Variant FirstValue = Null();
    TSTFilterOpGx Junction = stoNone;
    TSTFilterOpGx SecondOp = stoNone;
    Variant SecondValue = Null();
};

// Parses Text into Expression (its ValueKind chooses like or equal for a plain value and the
// conversion of the operands). True when the text held two conditions; raises on a syntax error.
bool ParseFilterExpression(const String& Text, TSTFilterExpressionGx& Expression);
// Both operators and the junction none, both operands Null; ValueKind stays.
void ClearFilterExpression(TSTFilterExpressionGx& Expression);
// Converts the string operand (every element of an array) to numbers or date-times.
void ConvertFilterOperands(Variant& Operand, TSTExpressionTypeGx Kind);

// «'a','b'» for an array, the plain text for a single value.
String VariantListToQuotedText(const Variant& Value);
// A number as FloatToStr, a date-time in the short date format (with its time when it has one),
// anything else quoted, an inner quote doubled.
String FilterValueText(const Variant& Value);
// Appends one condition («= 5», «~ 'abc'», «In (1,2)», «=Null») to Text.
void FilterConditionText(TSTFilterOpGx Op, const Variant& Operand, String& Text);

// The filter of one column (the column's STFilter).
class TSTColumnFilterGx : public TPersistent {
    ORV_META(TSTColumnFilterGx, TPersistent)
    explicit TSTColumnFilterGx(TColumnGx* Column = nullptr);
    ~TSTColumnFilterGx() override;

    TColumnGx* Column() const { return FColumn; }
    String DataField;
    String KeyField;
    String ListField;
    TDataSource* ListSource() const;
    void SetListSource(TDataSource* Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TStringList* ListStrings() const { return FListStrings.get(); }
    TStringList* KeyStrings() const { return FKeyStrings.get(); }
    const Variant& KeyValues() const { return FKeyValues; }
    // Kept for the filter row's drop-down between openings.
    int DropDownWidth = 0;
    int DropDownRows = 0;

    const TSTFilterExpressionGx& Expression() const { return FExpression; }
    void CopyExpression(TSTFilterExpressionGx& Expression) const { Expression = FExpression; }
    const String& FilterText() const { return FFilterText; }

    void Assign(const TPersistent* Source) override;
    virtual String ExpressionText() const;
    virtual bool HasDropDownButton() const;
    virtual void MapPickTextsToKeys(TSTFilterExpressionGx& Expression);
    virtual String FilterFieldName() const { return EffectiveDataField(); }
    virtual Variant FirstOperand() const;
    virtual Variant SecondOperand() const { return FExpression.SecondValue; }

    String ParseText(const String& Text);
    void StoreFilterText(const String& Text);
    void SetFilterText(const String& Text);
    void ClearFilter();

    String EffectiveDataField() const;
    String EffectiveKeyField() const;
    String EffectiveListField() const;
    TDataSet* EffectiveListDataSet() const;

    // The list link's data set became active or inactive.
    void ListActiveChanged();
    // The values of the list data set's list field (the column's field when none is named), when
    // the grid and the list are active; none otherwise.
    std::unique_ptr<TDatasetFieldValueListGx> FieldValueList() const;

private:
    TField* LookupFieldOfColumn() const;
    TCustomDBGridGx* Grid() const;

    TColumnGx* FColumn;
    std::unique_ptr<TStringList> FKeyStrings;
    Variant FKeyValues = Null();
    std::unique_ptr<TStringList> FListStrings;
    std::unique_ptr<TFieldDataLinkGx> FListLink;
    bool FVisible = true;
    TSTFilterExpressionGx FExpression;
    String FFilterText;
};

// The grid's filter settings (the grid's STFilter): whether the filter row shows.
class TSTDBGridGxFilter : public TPersistent {
    ORV_META(TSTDBGridGxFilter, TPersistent)
    explicit TSTDBGridGxFilter(TCustomDBGridGx* Grid = nullptr) : FGrid(Grid) {}
    TCustomDBGridGx* Grid() const { return FGrid; }
    bool Local() const { return FLocal; }
    void SetLocal(bool Value) { FLocal = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    void BeginChange() { ++FChangeCount; }
    void EndChange() {
        if (FChangeCount > 0) --FChangeCount;
    }
    int ChangeCount() const { return FChangeCount; }
    void Assign(const TPersistent* Source) override;

private:
    TCustomDBGridGx* FGrid;
    bool FLocal = false;
    int FChangeCount = 0;
    bool FVisible = false;
};

// What a data set class may do for the grid in its own way. Nothing registers one in the product.
class TDataSetCapabilitiesGx : public TObject {
public:
    explicit TDataSetCapabilitiesGx(const String& DataSetClassName) : DataSetClassName(DataSetClassName) {}
    String ClassName() const override { return "TDataSetCapabilitiesGx"; }
    String DataSetClassName;
    virtual bool LocateText(TCustomDBGridGx* Grid, const String& FieldName, const String& Text, int Options,
                            int Direction, int MatchType, int TreeRange);
    virtual bool MoveRecords(TCustomDBGridGx* Grid, TDataSet* DataSet, TStrings* BookmarkList, int ToRecNo,
                             int TreeLevel, bool CheckOnly);
    virtual void ApplySorting(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen);
    virtual void ApplyFilter(TCustomDBGridGx* Grid, TDataSet* DataSet, bool IsReopen);
    virtual void ExecuteFindDialog(TCustomDBGridGx* Grid, const String& Text, const String& Text2,
                                   bool Modal);
};

// The process-wide registry: entries in registration order, owned by it.
class TDatasetFeaturesRegistryGx {
public:
    // Appends an entry; the registry owns it.
    TDataSetCapabilitiesGx* Register(std::unique_ptr<TDataSetCapabilitiesGx> Entry);
    // Removes and frees the entry.
    void Unregister(TDataSetCapabilitiesGx* Entry);
    int Count() const { return static_cast<int>(FEntries.size()); }
    TDataSetCapabilitiesGx* EntryAt(int Index) const { return FEntries.at(static_cast<size_t>(Index)).get(); }

private:
    std::vector<std::unique_ptr<TDataSetCapabilitiesGx>> FEntries;
};
TDatasetFeaturesRegistryGx& DatasetFeaturesRegistry();

// The entry nearest to the class along its base classes; the first registered among equals.
TDataSetCapabilitiesGx* FindDatasetFeaturesForClass(const meta::TClassInfo* Class);
TDataSetCapabilitiesGx* FindDatasetFeatures(const TDataSet* DataSet);
