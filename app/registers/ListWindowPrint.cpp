// 打印, 设置 and 导出 of a list window: the member's layout in Qr with vrDM over the list, and the
// Excel export of the grid.
#include "app/registers/ListWindow.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"

void TListWindow::PrintClick() {
    if (ListEmpty() || FSpec.LayoutFile.empty()) return;
    dmData->ShowLayoutReport(vrReport1, FSpec.LayoutFile, QryTable);
}

void TListWindow::SetClick() {
    if (FSpec.LayoutFile.empty()) return;
    dmData->DesignLayoutReport(vrReport1, FSpec.LayoutFile, QryTable);
}

void TListWindow::ExportClick() {
    if (FSpec.ExcelTitle.empty()) return;
    dmData->ExportGridToExcel(DBGridGx1, FSpec.ExcelTitle, true);
}
