// Navigation, title sorting, keys, printing, design, export and the report's variables of a
// statistics window.
#include "app/fees/StatisticsWindow.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/Input.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "rtl/StrUtils.h"

// ---- navigation ----------------------------------------------------------------------------------

void TStatisticsWindow::SetNavState(bool firstAndPrior, bool nextAndLast) {
    tbFirst->SetEnabled(firstAndPrior);
    tbPrior->SetEnabled(firstAndPrior);
    tbNext->SetEnabled(nextAndLast);
    tbLast->SetEnabled(nextAndLast);
}

void TStatisticsWindow::FirstClick() {
    if (TADOQuery* query = ActiveQuery(); query->Active()) query->First();
    SetNavState(false, true);
}

void TStatisticsWindow::PriorClick() {
    if (TADOQuery* query = ActiveQuery(); query->Active()) {
        if (query->Bof()) {
            tbFirst->SetEnabled(false);
            tbPrior->SetEnabled(false);
        } else {
            query->Prior();
        }
    }
    tbNext->SetEnabled(true);
    tbLast->SetEnabled(true);
}

void TStatisticsWindow::NextClick() {
    if (TADOQuery* query = ActiveQuery(); query->Active()) {
        if (query->Eof()) {
            tbNext->SetEnabled(false);
            tbLast->SetEnabled(false);
        } else {
            query->Next();
        }
    }
    tbFirst->SetEnabled(true);
    tbPrior->SetEnabled(true);
}

void TStatisticsWindow::LastClick() {
    if (TADOQuery* query = ActiveQuery(); query->Active()) query->Last();
    SetNavState(true, false);
}

// ---- title sorting -------------------------------------------------------------------------------

void TStatisticsWindow::TitleClick(TColumnGx* column) {
    SortByTitle(DBGridGx1, QryTable, column);
}

void TStatisticsWindow::SortByTitle(TDBGridGx* grid, TADOQuery* query, TColumnGx* column) {
    if (!query->Active() || !column) return;
    TColumnTitleGx* title = column->Title();
    const TSortMarkerGx marker = title->SortMarker() == smUpGx ? smDownGx : smUpGx;
    for (int i = 0; i < grid->Columns()->Count(); ++i)
        if (grid->Columns()->ColumnAt(i) != column) grid->Columns()->ColumnAt(i)->Title()->SetSortMarker(smNoneGx);
    title->SetSortMarker(marker);
    if (!FMember.SortsMemo && Pos("mem", LowerCase(column->FieldName())) > 0) return;
    // The first click sets smUpGx: " DESC" for the members that sort descending first.
    const bool descending = (marker == smUpGx) == FMember.FirstClickDescending;
    query->SetSort(column->FieldName() + (descending ? " DESC" : " ASC"));
}

// ---- keys ----------------------------------------------------------------------------------------

bool TStatisticsWindow::ClickIfEnabled(TToolButton* button) {
    if (!button || !button->Visible() || !button->Enabled()) return false;
    button->Click();
    return true;
}

void TStatisticsWindow::KeyDown(Word& Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_RETURN: {
        TWinControl* focused = ActiveControl();
        if (dynamic_cast<TCustomMemo*>(focused)) break;
        Key = 0;
        SelectNext(focused, true, true);
        return;
    }
    case VK_ESCAPE:
        ExitClick();
        break;
    case 'Q':
        if (ctrl && tbQuery->Enabled()) {
            tbQuery->SetDown(true);
            tbQuery->Click();
        }
        break;
    case VK_PRIOR:
        ClickIfEnabled(tbPrior);
        break;
    case VK_NEXT:
        ClickIfEnabled(tbNext);
        break;
    case VK_END:
        ClickIfEnabled(tbLast);
        break;
    case VK_HOME:
        ClickIfEnabled(tbFirst);
        break;
    default:
        break;
    }
    TForm::KeyDown(Key, Shift);
}

void TStatisticsWindow::KeyPress(char16_t& Key) {
    if (Key == u'\r' && !dynamic_cast<TCustomMemo*>(ActiveControl())) Key = 0;
    TForm::KeyPress(Key);
}

// ---- print, design, export -----------------------------------------------------------------------

void TStatisticsWindow::ShowLayout(const String& layout, TDataSet* detail,
                                   const std::function<void(TvrReport*)>& before) {
    if (ResultEmpty() || layout.empty()) return;
    try {
        dmData->ShowLayoutReport(vrReport1, layout, ActiveQuery(), detail, before);
    } catch (const std::exception&) {
        // A layout that does not load prints nothing.
    }
}

void TStatisticsWindow::DesignLayout(const String& layout, TDataSet* detail) {
    if (layout.empty()) return;
    try {
        dmData->DesignLayoutReport(vrReport1, layout, ActiveQuery(), detail);
    } catch (const std::exception&) {
    }
}

void TStatisticsWindow::PrintClick() {
    ShowLayout(ActivePrintLayout());
}

void TStatisticsWindow::PrintSecondClick() {
    if (FMember.GridPrint) {
        dmData->PrintGrid(ActiveGrid(), Caption(), MemDate(), "date", 0);
        return;
    }
    ShowLayout(FMember.SecondLayout);
}

void TStatisticsWindow::SetClick() {
    DesignLayout(ActivePrintLayout());
}

void TStatisticsWindow::ExportClick() {
    const String title = ActiveExcelTitle();
    if (title.empty()) return;
    dmData->ExportGridToExcel(ActiveGrid(), title, true);
}

void TStatisticsWindow::ExitClick() {
    Close();
}

void TStatisticsWindow::ShowFieldList() {
    dmData->ChooseGridColumns(ActiveGrid());
}

void TStatisticsWindow::SaveGridSettings() {
    if (ShowMess(MsgSaveStatisticsGrid, 1) == 1) dmData->SaveGridLayout(ActiveGrid(), ActiveSaveKey());
}

// ---- report variables ----------------------------------------------------------------------------

String TStatisticsWindow::MemDate() const {
    if (!PeriodFrom || !PeriodTo) return "统计日期：自 启用系统 至 记帐最后一天";
    return dmData->PeriodCaption(PeriodFrom, PeriodTo);
}

bool TStatisticsWindow::vrReport1GetValue(const String& name, Variant& value) {
    if (name == "memDate") {
        value = MemDate();
        return true;
    }
    if (StartsStr("Csz", name)) {
        const String field = "F_SZ" + name.substr(3);
        for (int i = 0; i < DBGridGx1->Columns()->Count(); ++i)
            if (SameText(DBGridGx1->Columns()->ColumnAt(i)->FieldName(), field)) {
                value = DBGridGx1->Columns()->ColumnAt(i)->Title()->Caption();
                return true;
            }
    }
    return false;
}
