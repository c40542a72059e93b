// The commands of the house list: the five modes of the house dialog, the vacate (resident
// cleared in one transaction, after the stored row is compared with the row as listed), the
// detail sheet, and the deletion of a house no record refers to.
#include "app/registers/uFrmFCinfoGL.h"

#include "app/registers/SaveTransaction.h"
#include "app/registers/uFrmFCinfoEdit.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "rtl/Format.h"

#include <memory>

namespace {

// The tables whose rows name a house by its F_ID in F_mainID.
const char* const HouseReferences[] = {"T_carPos", "T_wyFYrec",  "T_wyFKrec",
                                       "T_YSKrec", "t_GTdetail", "T_ZHBX"};

} // namespace

void TfrmFCinfoGL::OpenHouseDialog(int mode) {
    auto dialog = std::make_unique<TfrmFCinfoEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->SetHouseEditMode(mode);
}

void TfrmFCinfoGL::OpenEditor(bool editMode) {
    OpenHouseDialog(editMode ? 1 : 0);
}

void TfrmFCinfoGL::NewClick() {
    OpenHouseDialog(0);
}

void TfrmFCinfoGL::EditClick() {
    if (ListEmpty()) {
        ShowMess(MsgNothingToEdit, 3);
        return;
    }
    OpenHouseDialog(1);
}

void TfrmFCinfoGL::CopyClick() {
    if (ListEmpty()) {
        ShowMess("此表为空，没有记录能够复制！", 3);
        return;
    }
    OpenHouseDialog(2);
}

void TfrmFCinfoGL::SaleClick() {
    if (ListEmpty()) {
        ShowMess("此表为空，没有房屋销售！", 3);
        return;
    }
    const String state = QryTable->FieldByName("F_curStatus")->AsString();
    if (state == "已销售" || state == "已入住") {
        ShowMess(MsgHouseAlreadySold, 0);
        return;
    }
    OpenHouseDialog(3);
}

void TfrmFCinfoGL::MoveInClick() {
    if (ListEmpty()) {
        ShowMess("此表为空，房屋没有入住！", 3);
        return;
    }
    OpenHouseDialog(4);
}

void TfrmFCinfoGL::VacateClick() {
    if (ListEmpty()) return;
    const String code = QryTable->FieldByName("F_code")->AsString();
    if (ShowMess("真的要置空当前所选的房间编号为“" + code + "”的房间吗？", 1) == 2) return;
    const int id = CurrentId();
    const TRowSnapshot listed = TRowSnapshot::Take(*QryTable);
    const bool vacated = RunSaveTransaction([&] {
        listed.Verify(dmData->ADOcnn(), "T_FCinfo", id);
        TSqlStatement vacate;
        vacate
            .Add("update T_FCinfo set F_ZHname = '', F_ZHphone = '', F_ZHhandphone = '', F_ZHsfzCode = '', "
                 "F_ZHwork = '', F_mem3 = '', F_RZdate = :RZdate, F_ZHnum = 0 where F_ID = :ID")
            .Param("RZdate", NotSetDateText)
            .Param("ID", id);
        ExecStatement(dmData->QryPub(), vacate);
    });
    if (vacated) ReopenAt(id);
}

void TfrmFCinfoGL::PrintDetailClick() {
    if (ListEmpty()) return;
    dmData->ShowLayoutReport(vrReport1, "frFCinfoGL1.di3", QryTable);
}

void TfrmFCinfoGL::SetDetailClick() {
    dmData->DesignLayoutReport(vrReport1, "frFCinfoGL1.di3", QryTable);
}

String TfrmFCinfoGL::DeleteQuestion() const {
    return "真的要删除房间号为 \"" + QryTable->FieldByName("F_code")->AsString() + "\" 的房间吗？";
}

int TfrmFCinfoGL::DependentRows(int id) const {
    TADOQuery count;
    count.SetConnection(dmData->ADOcnn());
    int rows = 0;
    for (const char* table : HouseReferences) {
        count.Close();
        count.SQL()->SetText(String("select count(*) from ") + table + " where F_mainID = :ID");
        count.Parameters()->ParamByName("ID")->SetValue(id);
        count.Open();
        rows += count.Fields()[0]->AsInteger();
    }
    return rows;
}

String TfrmFCinfoGL::RefusedDeleteMessage(int count) const {
    return "当前房间还有 " + IntToStr(count) + " 条相关业务记录，不能删除！";
}
