// Printing a grid through the data module's grid printer, and the period line of statistics.
#include "app/core/DataDm.h"

#include "grid/DBGridGx.h"
#include "gridprint/PrnDbggx.h"
#include "gui/ComCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {

String PickerText(const TDateTimePicker* picker, const String& unset) {
    return picker->Checked() ? FormatDateTime("yyyy-MM-dd", picker->Date()) : unset;
}

} // namespace

String TdmData::PeriodCaption(TDateTimePicker* from, TDateTimePicker* to) {
    return "统计日期：自 " + PickerText(from, "启用系统") + " 至 " + PickerText(to, "记帐最后一天");
}

void TdmData::PrintGrid(TDBGridGx* grid, const String& title, const String& header, const String& footer,
                        int mode) {
    pDBGgrid->SetDBGridGx(grid);
    if (mode == 0)
        pDBGgrid->SetOptions(pghFitGridToPageWidth | pghColored | pghRowAutoStretch);
    else if (mode == 1)
        pDBGgrid->SetOptions(pghFitGridToPageWidth | pghColored | pghFitingByColWidths);
    TStrings* lines = pDBGgrid->Title();
    lines->Clear();
    lines->Add("");
    lines->Add(title);
    lines->Add("");
    // The grid printer is shared: an empty header or footer clears the text the previous
    // print-out left, so an option list never prints a statistics window's period line.
    pDBGgrid->PageHeader()->LeftText()->SetText(Trim(header).empty() ? String() : header);
    const String printDate = "打印日期：" + FormatDateTime("yyyy-MM-dd", Date());
    pDBGgrid->PageFooter()->RightText()->SetText(
        Trim(footer).empty() ? String() : StringReplace(footer, "date", printDate, rfReplaceAll));
    pDBGgrid->ShowPreview();
}
