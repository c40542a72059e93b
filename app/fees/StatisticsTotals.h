// The tabbed totals of the fee-item pivots (应交费用汇总统计, 住户交费汇总统计): three pages with a
// grid and a query each, " 按用户汇总 " (DBGridGx1 over QryTable), " 按楼幢汇总 " (DBGridGx2 over
// QryTable1, with 用户数) and " 按小区汇总 " (DBGridGx3 over QryTable2, with 用户数). "查询" sums the
// stage-0 rows per house and, on the building and estate pages, per building or estate, and opens
// the result into the active page's query; the other pages keep what they showed. A page change
// only writes its count. Navigation, print, design, export and the popup act on the active page.
#pragma once

#include "app/fees/StatisticsPivot.h"

#include <array>

class TPageControl;
class TTabSheet;

// What a page prints and saves under.
struct TTotalsPage {
    String Layout;
    String ExcelTitle;
    String SaveKey;
};

class TStatisticsTotals : public TStatisticsPivot {
public:
    TStatisticsTotals(TComponent* AOwner, const String& memberClass, const std::array<TTotalsPage, 3>& pages);

    TPageControl* PageControl1;
    TTabSheet* TabSheet1;
    TTabSheet* TabSheet2;
    TTabSheet* TabSheet3;
    TDBGridGx* DBGridGx2;
    TDBGridGx* DBGridGx3;
    TADOQuery* QryTable1;
    TADOQuery* QryTable2;
    TDataSource* dsTable1;
    TDataSource* dsTable2;

    TDBGridGx* ActiveGrid() const override;
    TADOQuery* ActiveQuery() const override;
    // 0 the houses, 1 the buildings, 2 the estates.
    int ActivePageIndex() const;
    // After the user changed the page: its count in panel 2 ("记录数/0" before its first run).
    void PageChanged();
    // "sCaption": "(" + the trimmed caption of the active page + ")", then the family's variables.
    bool vrReport1GetValue(const String& name, Variant& value) override;

protected:
    std::vector<String> WorkTables() const override { return {"tempFYrec"}; }
    // The stages, the rows per house, then per building or estate on those pages.
    std::vector<TSqlStatement> WorkStatements() override;
    TSqlStatement ResultStatement() override;
    void Opened() override;
    String ActivePrintLayout() const override;
    String ActiveExcelTitle() const override;
    String ActiveSaveKey() const override;

private:
    std::array<TTotalsPage, 3> FPages;
};
