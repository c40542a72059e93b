// 保存 of the estate register and its guarded deletion.
//
// The save: the code must be given and free, the name given and (when new or changed) not held
// by another estate, trimmed and in any case. One transaction then compares the stored row with
// the row as loaded, writes the estate, and for a changed name (trimmed) renames the estate in
// the sixteen tables and in the operators' estate lists; any failure keeps nothing of it.
#include "app/registers/uFrmXQinfoGL.h"

#include "app/registers/EstateRename.h"
#include "app/registers/RegisterCodes.h"
#include "app/registers/TypedText.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/StdCtrls.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {

// The id of another estate whose trimmed name is the name, without regard to case (0: none).
int OtherEstateNamed(const String& name, int exceptId) {
    TADOQuery query;
    query.SetConnection(dmData->ADOcnn());
    query.SQL()->SetText("select F_ID from T_XQinfo where Trim(F_name) = :name and F_ID <> :ID");
    query.Parameters()->ParamByName("name")->SetValue(name);
    query.Parameters()->ParamByName("ID")->SetValue(exceptId);
    query.Open();
    return query.IsEmpty() ? 0 : query.Fields()[0]->AsInteger();
}

void Refuse(const String& message, TWinControl* focus) {
    throw ESaveRefused(message, 0, focus);
}

} // namespace

bool TfrmXQinfoGL::CheckEstateFields() {
    TWinControl* empty = nullptr;
    String message;
    if (TypedText(edtCode->Text()).empty()) {
        empty = edtCode;
        message = MsgEstateCodeEmpty;
    } else if (TypedText(edtName->Text()).empty()) {
        empty = edtName;
        message = MsgEstateNameEmpty;
    }
    if (!empty) return true;
    ShowMess(message, 0);
    if (empty->CanFocus()) empty->SetFocus();
    return false;
}

void TfrmXQinfoGL::WriteEstate(int& id) {
    const String code = TypedText(edtCode->Text());
    const String name = TypedText(edtName->Text());
    if (FEditFlag) FLoaded.Verify(dmData->ADOcnn(), "T_XQinfo", id);
    const int holder = RowWithCode("T_XQinfo", code);
    if (holder > 0 && (!FEditFlag || holder != id)) Refuse(MsgEstateCodeTaken, edtCode);
    const bool renamed = FEditFlag && Trim(FLoadedName) != name;
    if ((!FEditFlag || renamed) && OtherEstateNamed(name, FEditFlag ? id : 0) > 0)
        Refuse(MsgEstateNameTaken, edtName);

    TSqlStatement statement;
    if (FEditFlag)
        statement.Add("Update T_XQinfo Set F_code = :code,F_name = :name,F_Address = :Address, "
                      "F_LDamount = :LDamount,F_DYamount = :DYamount,F_FJamount = :FJamount, "
                      "F_LCjiegou = :LCjiegou,F_mem1 = :mem1,F_mem2 = :mem2 Where F_ID = :ID ");
    else
        statement.Add(
            "Insert into T_XQinfo(F_Code,F_Name,F_Address,F_LDamount,F_DYamount, F_FJamount,F_LCjiegou,"
            "F_mem1,F_mem2) values(:code,:name,:address,:LDamount,:DYamount,:FJamount,:LCjiegou, "
            ":mem1,:mem2)");
    statement.Param("Code", code)
        .Param("Name", name)
        .Param("Address", TypedText(edtAddress->Text()))
        .Param("LDamount", static_cast<double>(rceLDamount->Value()))
        .Param("DYamount", static_cast<int>(rceDYamount->Value()))
        .Param("FJamount", static_cast<int>(rceFJamount->Value()))
        .Param("LCjiegou", TypedText(cbbLCjiegou->Text()))
        .Param("Mem1", TypedMemo(mem1->Text()))
        .Param("Mem2", TypedMemo(mem2->Text()));
    if (FEditFlag) statement.Param("ID", id);
    ExecStatement(dmData->QryPub(), statement);
    if (!FEditFlag) {
        id = RowWithCode("T_XQinfo", code);
        return;
    }
    if (renamed) RenameEstate(FLoadedName, name);
}

bool TfrmXQinfoGL::SaveEstate() {
    if (!tbSave->Enabled() || !CheckEstateFields()) return false;
    int id = FEditFlag ? CurrentId() : 0;
    const String oldName = FLoadedName;
    const bool wasEditing = FEditFlag;
    if (!RunSaveTransaction([&] { WriteEstate(id); })) return false;
    if (wasEditing && Trim(oldName) != TypedText(edtName->Text()))
        RenameInOperatorScope(oldName, TypedText(edtName->Text()));
    ReopenAt(id);
    SetEstatePanelMode(true);
    LoadEstatePanel(true);
    FEditFlag = false;
    return true;
}

String TfrmXQinfoGL::DeleteQuestion() const {
    return "真的要删除当前小区名称\"" + QryTable->FieldByName("F_Name")->AsString() + "\"吗？";
}

bool TfrmXQinfoGL::ConfirmDelete(const String& question) {
    return ShowMess(question, 1) != 2;
}

int TfrmXQinfoGL::DependentRows(int) const {
    return RowsNamingEstate(QryTable->FieldByName("F_name")->AsString());
}

String TfrmXQinfoGL::RefusedDeleteMessage(int count) const {
    return "当前小区还有 " + IntToStr(count) + " 条相关资料，不能删除！";
}
