#include "app/registers/SaveTransaction.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/Controls.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

String ValueText(const TField& field) {
    return field.IsNull() ? String("\x01") : field.AsString();
}

// A rollback that fails (the connection is gone) leaves nothing to undo.
void RollBack(TADOConnection* connection) {
    try {
        if (connection->InTransaction()) connection->RollbackTrans();
    } catch (const std::exception&) {
    }
}

void FocusIfPossible(TWinControl* control) {
    if (control && control->CanFocus()) control->SetFocus();
}

} // namespace

TRowSnapshot TRowSnapshot::Take(const TDataSet& dataSet) {
    TRowSnapshot snapshot;
    if (!dataSet.Active() || dataSet.IsEmpty()) return snapshot;
    for (TField* field : dataSet.Fields())
        if (field->FieldKind() == fkData) snapshot.FValues[UpperCase(field->FieldName())] = ValueText(*field);
    return snapshot;
}

void TRowSnapshot::Verify(TADOConnection* connection, const String& table, int id,
                          const std::vector<String>& ignored) const {
    TADOQuery row;
    row.SetConnection(connection);
    row.SQL()->SetText("select * from " + table + " where F_ID = :ID");
    row.Parameters()->ParamByName("ID")->SetValue(id);
    row.Open();
    if (row.IsEmpty()) throw EStaleRecord(MsgRecordChanged);
    for (TField* field : row.Fields()) {
        const String name = UpperCase(field->FieldName());
        if (std::find(ignored.begin(), ignored.end(), name) != ignored.end()) continue;
        auto it = FValues.find(name);
        if (it != FValues.end() && it->second != ValueText(*field)) throw EStaleRecord(MsgRecordChanged);
    }
}

bool RunSaveTransaction(const std::function<void()>& work, const String& failureMessage) {
    TADOConnection* connection = dmData->ADOcnn();
    try {
        if (!connection->Connected()) connection->Open();
        connection->BeginTrans();
    } catch (const Exception&) {
        ShowMess(failureMessage, 3);
        return false;
    }
    try {
        work();
        connection->CommitTrans();
        return true;
    } catch (const ESaveRefused& refused) {
        RollBack(connection);
        ShowMess(refused.Message(), refused.Kind);
        FocusIfPossible(refused.Focus);
    } catch (const EStaleRecord&) {
        RollBack(connection);
        ShowMess(MsgRecordChanged, 3);
    } catch (const std::exception&) {
        RollBack(connection);
        ShowMess(failureMessage, 3);
    }
    return false;
}
