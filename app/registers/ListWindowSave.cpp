// What a list window does after its rows changed: the same statement again, located by id; and
// the guarded deletion of the current row.
#include "app/registers/ListWindow.h"

#include "app/registers/SaveTransaction.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"

void TListWindow::ReopenAt(int id) {
    if (FStatement.Text.empty()) return; // no list was built yet
    if (!OpenStatement(QryTable, FStatement)) return;
    if (id <= 0 || !QryTable->Locate("F_ID", id)) QryTable->First();
    ShowRowCount();
}

bool TListWindow::ConfirmDelete(const String& question) {
    return Application()->MessageBox(question, "系统提示", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void TListWindow::DeleteCurrentRow() {
    const String question = DeleteQuestion();
    if (question.empty() || !ConfirmDelete(question)) return;
    const int id = CurrentId();
    const bool deleted = RunSaveTransaction(
        [&] {
            // Counted in the delete's transaction: no other station adds a row naming it meanwhile.
            const int dependents = DependentRows(id);
            if (dependents > 0) throw ESaveRefused(RefusedDeleteMessage(dependents), 0, nullptr);
            TSqlStatement statement;
            statement.Add("delete from " + FSpec.Table + " where F_ID = :ID").Param("ID", id);
            ExecStatement(dmData->QryPub(), statement);
        },
        MsgDeleteFailed);
    if (deleted) ReopenAt(0);
}
