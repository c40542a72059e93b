// The engine benchmark's list report: 1,000 A4 pages of 52 rows, each row three text objects
// (the line number, a fee item, the line number as money), headless and raising its errors.
#pragma once

#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "rtl/Format.h"

// 52 rows of 20 units fill the 1046.93 printable units of an A4 page with 10 mm margins.
inline constexpr int RowsPerPage = 52;
inline constexpr int PageCount = 1000;
inline constexpr int RowCount = RowsPerPage * PageCount;

inline void BuildListReport(TvrReport& Report) {
    vrStartUp();
    auto* page = new TvrReportPage(&Report);
    page->SetName("Page1");
    page->SetDefaults();
    auto* data = new TvrMasterData(page);
    data->SetName("MasterData1");
    data->SetBounds(0, 100, 718, 20);
    data->SetRowCount(RowCount);
    const char16_t* texts[] = {u"[Line#]", u"收费项目 物业管理费", u"[Line# #n%2.2f]"};
    for (int i = 0; i < 3; ++i) {
        auto* memo = new TvrMemoView(data);
        memo->SetName("Memo" + IntToStr(i + 1));
        memo->SetBounds(i * 200, 0, 190, 20);
        memo->SetText(texts[i]);
    }
    Report.EngineOptions()->HeadlessMode = true;
    Report.EngineOptions()->DestroyForms = false;
    Report.EngineOptions()->NewSilentMode = simReThrow;
}
