// "查询" of a statistics window: the work tables of this connection made (again, after the
// connection reopened), the member's work-table statements run one by one on QryPub, then the
// result opened and counted.
#include "app/fees/StatisticsWindow.h"

#include "app/fees/StatisticsWorkTables.h"

#include "app/core/DataDm.h"
#include "app/core/uFrmMain.h"

#include "db/ADODB.h"
#include "gui/Forms.h"
#include "rtl/Format.h"

void TStatisticsWindow::QueryClick() {
    if (FMember.GridPrint) EnableNavButtons(this, true);
    if (!RunWorkStatements()) return;
    TADOQuery* query = ActiveQuery();
    if (!OpenStatement(query, ResultStatement())) return;
    ResultOpened();
    StatusBar->Panels(2)->SetText(CountText() + IntToStr(query->RecordCount()));
}

bool TStatisticsWindow::RunWorkStatements() {
    const std::vector<String> tables = WorkTables();
    if (tables.empty()) return true;
    try {
        PrepareWorkTables(dmData->ADOcnn(), tables);
        for (const TSqlStatement& statement : WorkStatements())
            ExecStatement(dmData->QryPub(), statement);
        return true;
    } catch (const std::exception&) {
        // The database's own message, as the platform shows an error nobody caught; the run
        // ends there and the list stays as it was.
        dmData->QryPub()->Close();
        Application()->HandleException(this);
        return false;
    }
}
