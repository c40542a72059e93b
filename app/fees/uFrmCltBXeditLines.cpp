// The repair dialog's material lines (the picker, a typed part code looked up, a line deleted) and
// its save: the record, its lines and the stock in one transaction.
#include "app/fees/uFrmCltBXedit.h"

#include "app/fees/uDLGpjInfoXZ.h"
#include "app/fees/uFrmCltBXGL.h"

#include "app/registers/RegisterCodes.h"
#include "app/registers/TypedText.h"

#include "app/core/DataDm.h"
#include "app/core/FormControls.h"
#include "app/core/NotSetDate.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {

void PostPending(TDataSet* dataSet) {
    if (dataSet->State() == dsEdit || dataSet->State() == dsInsert) dataSet->Post();
}

// Thrown inside the save's transaction when a line's part row is gone: nothing may be written.
ORV_DECLARE_EXCEPTION(EPartRowGone, Exception)

} // namespace

Currency TfrmCltBXedit::MaterialCost() const {
    TADOQuery* lines = FRegister->QryDetail;
    Currency cost;
    if (!lines->Active()) return cost;
    const TBookmark place = lines->GetBookmark();
    lines->DisableControls();
    for (lines->First(); !lines->Eof(); lines->Next())
        cost += lines->FieldByName("F_totalprice")->AsCurrency();
    try {
        lines->GotoBookmark(place);
    } catch (const std::exception&) {
        lines->First();
    }
    lines->EnableControls();
    return cost;
}

void TfrmCltBXedit::PickParts() {
    if (EditMode()) return;
    TDLGpjInfoXZ picker(this);
    picker.Mode = 1;
    picker.ShowPartPicker();
}

void TfrmCltBXedit::DeleteLine() {
    TADOQuery* lines = FRegister->QryDetail;
    if (EditMode() || !lines->Active() || lines->IsEmpty()) return;
    const String name = lines->FieldByName("F_PJname")->AsString();
    if (ShowMess("真的要删除当前名为 \"" + name + "\"配件吗？", 1) == 1) lines->Delete();
}

bool TfrmCltBXedit::LookUpMaterialCode() {
    TADOQuery* lines = FRegister->QryDetail;
    if (EditMode() || !lines->Active()) return false;
    PostPending(lines);
    if (lines->IsEmpty()) return false;
    const String code = lines->FieldByName("F_PJcode")->AsString();
    if (Trim(code).empty()) return false;
    TADOQuery parts;
    parts.SetConnection(dmData->ADOcnn());
    parts.SQL()->SetText("select * from t_PJinfo where Left(F_code, Len(:code)) = :code");
    parts.Parameters()->ParamByName("code")->SetValue(code);
    try {
        parts.Open();
    } catch (const std::exception&) {
        ShowMess(MsgOpenFailed, 3);
        return false;
    }
    if (parts.IsEmpty()) {
        ShowMess(UnknownPartMessage(code), 0);
        return false;
    }
    if (parts.RecordCount() > 1) {
        PickParts();
        return false;
    }
    lines->Edit();
    lines->FieldByName("F_PJcode")->SetAsString(parts.FieldByName("F_code")->AsString());
    lines->FieldByName("F_PJname")->SetAsString(parts.FieldByName("F_name")->AsString());
    for (const char* field : {"F_type", "F_spec", "F_unit", "F_address"})
        lines->FieldByName(field)->SetAsString(parts.FieldByName(field)->AsString());
    lines->FieldByName("F_PJid")->SetAsInteger(parts.FieldByName("F_ID")->AsInteger());
    lines->FieldByName("F_code")->SetAsString(edtCode->Text());
    const Currency price = parts.FieldByName("F_price1")->AsCurrency();
    lines->FieldByName("F_price")->SetAsCurrency(price);
    TField* quantity = lines->FieldByName("F_amount");
    if (quantity->AsFloat() == 0) quantity->SetAsFloat(1);
    lines->FieldByName("F_totalprice")->SetAsCurrency(MulQuantity(price, quantity->AsFloat()));
    lines->Post();
    return true;
}

bool TfrmCltBXedit::ResolvePartRows() {
    TADOQuery* lines = FRegister->QryDetail;
    if (!lines->Active()) return true;
    PostPending(lines);
    for (lines->First(); !lines->Eof(); lines->Next()) {
        if (Trim(lines->FieldByName("F_PJcode")->AsString()).empty()) continue;
        TField* part = lines->FieldByName("F_PJid");
        if (!part->IsNull() && part->AsInteger() > 0) continue;
        // Looked up as Enter does: the line stays current where the lookup stopped.
        if (!LookUpMaterialCode()) return false;
    }
    return true;
}

void TfrmCltBXedit::CommitPartLines(const String& code) {
    TADOQuery* lines = FRegister->QryDetail;
    PostPending(lines);
    lines->First();
    while (!lines->Eof()) {
        const String partCode = lines->FieldByName("F_PJcode")->AsString();
        if (Trim(partCode).empty()) {
            lines->Delete(); // the next line becomes current
            continue;
        }
        lines->Edit();
        lines->FieldByName("F_code")->SetAsString(code);
        lines->Post();
        const int partId = lines->FieldByName("F_PJid")->AsInteger();
        if (MovePartStock(partId, partCode, lines->FieldByName("F_amount")->AsFloat(), -1) == 0)
            throw EPartRowGone("the part row of " + partCode + " is gone");
        lines->Next();
    }
}

void TfrmCltBXedit::WriteRepairRecord(const String& code, int id) {
    TSqlStatement statement;
    if (EditMode()) {
        statement.Add("Update t_ZHBX set F_code = :code,F_mainID = :mainID,F_LDcode = :LDcode, F_XQname = :XQname,"
                      "F_FZcode = :FZcode,F_FZname = :FZname,F_bxDate = :bxDate, F_JDemp = :JDemp,F_Memo1 = :Memo1,"
                      "F_FWprice = :FWprice,F_WLprice = :WLprice, F_xfDate = :xfDate,F_WXemp = :WXemp,"
                      "F_MYtype = :MYtype,F_Memo2 = :Memo2, F_totalPrice = :totalPrice Where F_ID = :ID");
        statement.Param("ID", id);
    } else {
        statement.Add("Insert into t_ZHBX(F_code,F_mainID,F_LDcode,F_XQname,F_FZcode, F_FZname,F_bxDate,F_JDemp,"
                      "F_Memo1,F_FWprice,F_WLprice,F_xfdate, F_WXemp,F_MYtype,F_Memo2,F_totalPrice) "
                      "Values(:code,:mainID,:LDcode,:XQname,:FZcode,:FZname,:bxDate,:JDemp, :Memo1,:FWprice,"
                      ":WLprice,:xfDate,:WXemp,:MYtype,:Memo2,:totalPrice) ");
    }
    const Currency service = MoneyOf(ceFWprice);
    const Currency material = MaterialCost();
    statement.Param("code", code)
        .Param("FZcode", TypedText(edtFZcode->Text()))
        .Param("FZname", TypedText(edtFZname->Text()))
        .Param("LDcode", TypedText(edtLDcode->Text()))
        .Param("XQname", TypedText(edtXQname->Text()))
        .Param("JDemp", TypedText(cbbJDemp->Text()))
        .Param("WXemp", TypedText(cbbWXemp->Text()))
        .Param("MYtype", TypedText(cbbMYtype->Text()))
        .Param("mainID", FHouseId)
        .Param("bxDate", FormatDateTime("yyyy-MM-dd", dtpBXdate->Date()))
        .Param("Memo1", TypedMemo(Memo1->Text()))
        .Param("Memo2", TypedMemo(Memo2->Text()))
        .Param("FWprice", service)
        .Param("WLprice", material)
        .Param("xfDate", DateFromPicker(*dtpXFdate))
        .Param("totalPrice", service + material);
    ExecStatement(dmData->QryPub(), statement);
}

bool TfrmCltBXedit::SaveRepair() {
    const int id = EditMode() ? FRegister->CurrentId() : 0;
    if (TypedText(edtFZname->Text()).empty()) {
        ShowMess(MsgOwnerNameEmpty, 0);
        if (edtFZname->CanFocus()) edtFZname->SetFocus();
        return false;
    }
    TADOQuery* lines = FRegister->QryDetail;
    // Every line of a new record names its part row before anything is written.
    if (!EditMode() && !ResolvePartRows()) return false;
    TADOConnection* cnn = dmData->ADOcnn();
    String code = TypedText(edtCode->Text());
    int savedId = id;
    try {
        cnn->BeginTrans();
        // A code another record holds gives way, silently, to the next free one.
        code = CodeForEdit("t_ZHBX", 3, code, id);
        if (!EditMode()) CommitPartLines(code);
        if (lines->Active()) PostPending(lines);
        WriteRepairRecord(code, id);
        if (!EditMode()) savedId = RowWithCode("t_ZHBX", code);
        // The lines last: a batch written stops being pending, so nothing may fail after it but
        // the commit.
        if (lines->Active()) lines->UpdateBatch(arAll);
        cnn->CommitTrans();
    } catch (const std::exception&) {
        try {
            if (cnn->InTransaction()) cnn->RollbackTrans();
        } catch (const std::exception&) {
        }
        ShowMess(MsgRepairSaveFailed, 3);
        return false;
    }
    edtCode->SetText(code);
    FRegister->ReopenAt(savedId);
    FRegister->LinkDetailToList();
    if (EditMode()) {
        SetModalResult(mrOk);
        return true;
    }
    if (CheckBox1->Visible() && CheckBox1->Checked()) {
        LoadEditorFields(false);
        edtCode->SetText(NextRepairCode());
        FRegister->ShowDetailForCode(edtCode->Text());
        if (edtFZcode->CanFocus()) edtFZcode->SetFocus();
        SetEditorMode(false);
        return true;
    }
    SetModalResult(mrOk);
    return true;
}
