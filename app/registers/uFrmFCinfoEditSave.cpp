// 确定 of the house dialog. Outside the transaction: the estate and the room code must be given.
// Inside it: the estate must exist among the operator's estates, the room code must be free in
// its estate and building, and an updated house must still be as it was loaded; then the row is
// inserted or updated with the thirty-two fields as parameters.
#include "app/registers/uFrmFCinfoEdit.h"

#include "app/registers/DialogControls.h"
#include "app/registers/ListWindow.h"
#include "app/registers/TypedText.h"
#include "app/registers/uFrmFCinfoGL.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"

namespace {

const String HouseTable = "T_FCinfo";

bool Refused(const String& text, TWinControl* focus) {
    ShowMess(text, 0);
    if (focus->CanFocus()) focus->SetFocus();
    return false;
}

// The box a refused house check is about.
TWinControl* RefusedBox(const THouseRefusal& refusal, TWinControl* estate, TWinControl* code) {
    return refusal.Field == THouseField::Estate ? estate : code;
}

} // namespace

bool TfrmFCinfoEdit::CheckFields() {
    const THouseRefusal refusal = CheckHouseGiven(TypedText(cbbXQname->Text()), TypedText(edtcode->Text()));
    if (refusal.Passed()) return true;
    return Refused(refusal.Message, RefusedBox(refusal, cbbXQname, edtcode));
}

int TfrmFCinfoEdit::WriteRecord() {
    const String estate = TypedText(cbbXQname->Text());
    const String building = TypedText(edtLDcode->Text());
    const String code = TypedText(edtcode->Text());
    const int id = Inserting() ? 0 : RecordId();
    if (!Inserting()) VerifyLoaded(HouseTable);

    // The estate must exist, and be one the operator may work in; the room code must be free.
    const THouseRefusal refusal = CheckHouseStored(estate, building, code, id);
    if (!refusal.Passed())
        throw ESaveRefused(refusal.Message, refusal.Kind, RefusedBox(refusal, cbbXQname, edtcode));

    TSqlStatement save;
    if (Inserting())
        save.Add(
            "Insert into T_FCinfo(F_XQname,F_LDcode,F_DYcode,F_code,F_FXtype, "
            "F_louCeng,F_chaoXiang,F_curStatus,"
            "F_buildArea,F_useArea,F_chanQuan,F_mem1, F_HTcode,F_HTprice,F_HTdate,F_HTtype,F_FZname,F_FZsex,"
            "F_FZphone, F_HandPhone,F_SFZcode,F_FZunit,F_FZaddress,F_mem2, F_ZHname,F_RZdate,F_ZHphone,"
            "F_ZHhandPhone,F_ZHsfzCode,F_ZHwork,F_mem3,F_ZHnum) "
            "Values(:XQname,:LDcode,:DYcode,:code,:FXtype, "
            ":louCeng,:chaoXiang,:curStatus,:buildArea,:useArea,:chanQuan,:mem1, :HTcode,:HTprice,:HTdate,"
            ":HTtype,:FZname,:FZsex,:FZphone, :HandPhone,:SFZcode,:FZunit,:FZaddress,:mem2, :ZHname,:RZdate,"
            ":ZHphone,:ZHhandphone,:ZHsfzCode,:ZHwork,:mem3,:ZHnum) ");
    else
        save.Add(
            "Update T_FCinfo Set F_XQname = :XQname,F_LDcode = :LDcode, F_DYcode = :DYcode,F_code = :code,"
            "F_FXtype = :FXtype,F_louCeng = :louCeng, F_chaoXiang = :chaoXiang,F_curStatus = :curStatus,"
            "F_buildArea = :buildArea, F_useArea = :useArea,F_chanQuan = :chanQuan,F_mem1 = :mem1, "
            "F_HTcode = :HTcode,F_HTprice = :HTprice,F_HTdate = :HTdate, F_HTtype = :HTtype,"
            "F_FZname = :FZname,F_FZsex =  :FZsex,F_FZphone = :FZphone,F_handphone = :handphone,"
            "F_SFZcode= :SFZcode,F_FZunit = :FZunit,F_FZaddress= :FZaddress,F_mem2= :mem2, "
            "F_ZHname = :ZHname,F_RZdate = :RZdate,F_ZHphone = :ZHphone, F_ZHhandphone = :ZHhandphone,"
            "F_ZHsfzCode = :ZHsfzCode, F_ZHwork = :ZHwork,F_mem3 = :mem3,F_ZHnum = :ZHnum  Where F_ID = :ID");
    save.Param("XQname", estate)
        .Param("LDcode", building)
        .Param("DYcode", TypedText(edtDYcode->Text()))
        .Param("code", code)
        .Param("FXtype", TypedText(cbbFXtype->Text()))
        .Param("louCeng", TypedText(edtLouceng->Text()))
        .Param("chaoXiang", TypedText(cbbChaoXiang->Text()))
        .Param("curStatus", TypedText(cbbCurStatus->Text()))
        .Param("buildArea", static_cast<double>(rcebuildarea->Value()))
        .Param("useArea", static_cast<double>(rceusearea->Value()))
        .Param("chanQuan", TypedText(cbbChanquan->Text()))
        .Param("mem1", TypedMemo(mem1->Text()))
        .Param("HTcode", TypedText(edtHTcode->Text()))
        .Param("HTprice", MoneyOf(ceHTprice))
        .Param("HTdate", DateFromPicker(*dtpHTDate))
        .Param("HTtype", TypedText(cbbHTtype->Text()))
        .Param("FZname", TypedText(edtFZname->Text()))
        .Param("FZsex", TypedText(cbbFZsex->Text()))
        .Param("FZphone", TypedText(edtFZphone->Text()))
        .Param("handphone", TypedText(edthandphone->Text()))
        .Param("SFZcode", TypedText(edtSFZcode->Text()))
        .Param("FZunit", TypedText(edtFZunit->Text()))
        .Param("FZaddress", TypedText(edtFZaddress->Text()))
        .Param("mem2", TypedMemo(Mem2->Text()))
        .Param("ZHname", TypedText(edtZHname->Text()))
        .Param("RZdate", DateFromPicker(*dtpRZdate))
        .Param("ZHphone", TypedText(edtZHphone->Text()))
        .Param("ZHhandphone", TypedText(edtZHhandphone->Text()))
        .Param("ZHsfzCode", TypedText(edtZHsfzCode->Text()))
        .Param("ZHwork", TypedText(edtZHwork->Text()))
        .Param("mem3", TypedText(Mem3->Text()))
        .Param("ZHnum", static_cast<double>(rceZHnum->Value()));
    if (!Inserting()) save.Param("ID", id);
    ExecStatement(dmData->QryPub(), save);
    return Inserting() ? InsertedId(HouseTable) : id;
}

void TfrmFCinfoEdit::AfterSave(int) {
    // New estates and buildings appear in the tree.
    FHouseList->BuildEstateTree();
}
