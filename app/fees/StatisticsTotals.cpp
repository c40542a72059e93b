#include "app/fees/StatisticsTotals.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "gui/ComCtrls.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <algorithm>

namespace {

std::vector<TGridColumnSpec> HouseKeys() {
    return {
        {"F_FZcode", "房间编号", 70, fvtStaticText, "合  计"},
        {"F_FZname", "业主姓名", 70},
        {"F_XQname", "小区名称", 90},
        {"F_LDcode", "楼幢号", 60},
    };
}

std::vector<TGridColumnSpec> BuildingKeys() {
    return {
        {"F_XQname", "小区名称", 90, fvtStaticText, "合  计"},
        {"F_LDcode", "楼幢号", 60},
        {"F_mainID", "用户数", 60},
    };
}

std::vector<TGridColumnSpec> EstateKeys() {
    return {
        {"F_XQname", "小区名称", 90, fvtStaticText, "合  计"},
        {"F_mainID", "用户数", 60},
    };
}

} // namespace

TStatisticsTotals::TStatisticsTotals(TComponent* AOwner, const String& memberClass,
                                     const std::array<TTotalsPage, 3>& pages)
    : TStatisticsPivot(AOwner, memberClass), FPages(pages) {
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    PageControl1->SetStyle(tsButtons);
    TTabSheet** sheets[] = {&TabSheet1, &TabSheet2, &TabSheet3};
    const char* captions[] = {" 按用户汇总 ", " 按楼幢汇总 ", " 按小区汇总 "};
    for (int i = 0; i < 3; ++i) {
        auto* sheet = new TTabSheet(this);
        sheet->SetName("TabSheet" + IntToStr(i + 1));
        sheet->SetCaption(captions[i]);
        sheet->SetPageControl(PageControl1);
        *sheets[i] = sheet;
    }
    PageControl1->SetActivePage(TabSheet1);
    PageControl1->OnChange = [this](TObject*) { PageChanged(); };

    DBGridGx1->SetParent(TabSheet1);
    QryTable1 = new TADOQuery(this);
    QryTable1->SetName("QryTable1");
    QryTable1->SetConnection(dmData->ADOcnn());
    dsTable1 = new TDataSource(this);
    dsTable1->SetName("dsTable1");
    dsTable1->SetDataSet(QryTable1);
    QryTable2 = new TADOQuery(this);
    QryTable2->SetName("QryTable2");
    QryTable2->SetConnection(dmData->ADOcnn());
    dsTable2 = new TDataSource(this);
    dsTable2->SetName("dsTable2");
    dsTable2->SetDataSet(QryTable2);
    DBGridGx2 = NewGrid("DBGridGx2", TabSheet2, dsTable1);
    DBGridGx2->OnTitleClick = [this](TColumnGx* column) { SortByTitle(DBGridGx2, QryTable1, column); };
    DBGridGx3 = NewGrid("DBGridGx3", TabSheet3, dsTable2);
    DBGridGx3->OnTitleClick = [this](TColumnGx* column) { SortByTitle(DBGridGx3, QryTable2, column); };

    BuildColumns(PivotColumns(HouseKeys()));
    BuildColumns(PivotColumns(BuildingKeys()), DBGridGx2);
    BuildColumns(PivotColumns(EstateKeys()), DBGridGx3);
    PivotGrids.push_back(DBGridGx2);
    PivotGrids.push_back(DBGridGx3);
    AddPrintEntry("nPrint", "打印格式一", [this] { PrintClick(); });
    AddPrintEntry("nPrint1", "打印格式二", [this] { PrintSecondClick(); });
}

int TStatisticsTotals::ActivePageIndex() const {
    return std::max(PageControl1->ActivePageIndex(), 0);
}

TDBGridGx* TStatisticsTotals::ActiveGrid() const {
    TDBGridGx* grids[] = {DBGridGx1, DBGridGx2, DBGridGx3};
    return grids[ActivePageIndex()];
}

TADOQuery* TStatisticsTotals::ActiveQuery() const {
    TADOQuery* queries[] = {QryTable, QryTable1, QryTable2};
    return queries[ActivePageIndex()];
}

String TStatisticsTotals::ActivePrintLayout() const {
    return FPages[static_cast<size_t>(ActivePageIndex())].Layout;
}

String TStatisticsTotals::ActiveExcelTitle() const {
    return FPages[static_cast<size_t>(ActivePageIndex())].ExcelTitle;
}

String TStatisticsTotals::ActiveSaveKey() const {
    return FPages[static_cast<size_t>(ActivePageIndex())].SaveKey;
}

void TStatisticsTotals::Opened() {
    dmData->ApplyColumnFormats(DBGridGx2, Member().ColumnFormats);
    dmData->ApplyColumnFormats(DBGridGx3, Member().ColumnFormats);
    TStatisticsPivot::Opened();
}

void TStatisticsTotals::PageChanged() {
    const TADOQuery* query = ActiveQuery();
    StatusBar->Panels(2)->SetText(CountText() + IntToStr(query->Active() ? query->RecordCount() : 0));
}

bool TStatisticsTotals::vrReport1GetValue(const String& name, Variant& value) {
    if (name == "sCaption") {
        value = "(" + Trim(PageControl1->ActivePage()->Caption()) + ")";
        return true;
    }
    return TStatisticsPivot::vrReport1GetValue(name, value);
}

std::vector<TSqlStatement> TStatisticsTotals::WorkStatements() {
    std::vector<TSqlStatement> statements = StageStatements();
    for (TSqlStatement& statement : HouseStatements(false)) statements.push_back(std::move(statement));
    // The buildings or estates from the rows per house; F_MainID counts the houses.
    const int page = ActivePageIndex();
    if (page == 0) return statements;
    const String keys = page == 1 ? "F_XQname,F_LDcode" : "F_XQname";
    const String blanks = page == 1 ? "'',''" : "'','',''";
    statements.push_back(TSqlStatement{"insert into tempFYrec(F_MainID,F_XQname,F_LDcode,F_FZcode,F_FZname" +
                                           PivotFields() + ",F_totalPrice,F_flag) select count(*)," + keys + "," +
                                           blanks + "," + PivotSums() +
                                           ",0 from tempFYrec where F_flag = 1 group by " + keys + " ",
                                       {}});
    statements.push_back(TSqlStatement{"delete from tempFYrec where F_flag =1", {}});
    return statements;
}

TSqlStatement TStatisticsTotals::ResultStatement() {
    return TSqlStatement{"select * from tempFYrec order by F_XQname,F_LDcode,F_FZcode", {}};
}
