// The aggregate functions of report expressions (SUM, AVG, MIN, MAX, COUNT): one accumulator per
// call found in the footer-like bands of a page, fed with every printed row of its data band and
// read when the band that shows the call prints.
#pragma once

#include "report/vrClassBase.h"
#include "rtl/Variant.h"

#include <memory>
#include <vector>

class TvrBand;
class TvrDataBand;
class TvrReport;
class TvrReportPage;
class TvrCustomMemoView;

enum TvrAggregateFunction { agSum = 0, agAvg = 1, agMin = 2, agMax = 3, agCount = 4 };

// The function of an aggregate name: SUM, AVG, MIN, MAX, anything else COUNT.
TvrAggregateFunction vrAggregateFunctionOf(const String& Name);

// Splits a text that is one aggregate call as a whole ("SUM(a, b, c)", any case, no blank before
// "(") into its upper-case name and trimmed arguments (split at commas outside quotes and
// parentheses); false for any other text.
bool vrSplitAggregateCall(const String& Text, String& Name, std::vector<String>& Args);

class TvrAggregateItem {
public:
    explicit TvrAggregateItem(TvrReport* Report) : FReport(Report) {}

    TvrAggregateFunction Function = agSum;
    TvrDataBand* DataBand = nullptr;
    bool CountInvisible = false;
    bool Running = false;
    String Expression;
    bool IsPageFooter = false;
    String MemoName, CallText;
    TvrBand* DisplayBand = nullptr;
    Integer VColumn = 0;

    // The per-column accumulators of vertical bands; they grow as columns come.
    std::vector<Variant> ColumnValues;
    std::vector<Integer> ColumnCounts;
    Integer Count = 0;
    Variant Value = Null();
    bool Keeping = false;
    Integer KeptCount = 0;
    Variant KeptValue = Null();
    Integer LastCount = 0;
    Variant LastValue = Null();

    void Reset();
    void Accumulate(Integer VerticalColumn);
    void UndoLast();
    void StartKeep();
    void EndKeep();
    Variant GetValue() const;

private:
    // Combines a new value into an accumulated one by the function (Null values are skipped).
    void Combine(Variant& Into, const Variant& V) const;
    TvrReport* FReport;
};

class TvrAggregateList {
public:
    explicit TvrAggregateList(TvrReport* Report) : FReport(Report) {}

    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    TvrAggregateItem* Items(int Index) const { return FItems[Index].get(); }

    // Horizontal and Vertical: the page's linked top-level data bands.
    void AddItemsOfPage(TvrReportPage* Page, const std::vector<TvrBand*>& Horizontal,
                        const std::vector<TvrBand*>& Vertical);
    void AddItems(TvrCustomMemoView* Memo, TvrDataBand* DefaultBand);
    void AccumulateValue(TvrBand* DataBand, Integer VerticalColumn);
    void ResetBand(TvrBand* Band);
    void UndoLast(TvrBand* DataBand);
    void StartKeepAll();
    void EndKeepAll();
    void ResetAll();
    Variant AggregateValue(TvrBand* DisplayBand, Integer VerticalColumn, Integer Flags,
                           TvrComponent* BandArgument, const String& ExpressionText,
                           const String& FunctionName);

private:
    void ScanExpression(const String& Text, TvrCustomMemoView* Memo, TvrDataBand* DefaultBand, int Depth);
    void AddCall(const String& CallText, TvrCustomMemoView* Memo, TvrDataBand* DefaultBand);
    void AddBandChain(TvrBand* Band, TvrDataBand* DefaultBand);
    void AddDataBandTree(TvrDataBand* Band);
    TvrReport* FReport;
    std::vector<std::unique_ptr<TvrAggregateItem>> FItems;
};
