#include "app/fees/FeeCollection.h"

#include "app/registers/RegisterStatement.h"
#include "app/registers/SaveTransaction.h"

#include "app/core/CodeNumbering.h"
#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

namespace {

constexpr int kReceiptDigits = 3;

String DayText(TDateTime day) {
    return FormatDateTime("yyyy-mm-dd", day);
}

// The house's balance on the connection, inside the caller's transaction; errors reach the caller.
Currency BalanceInside(int houseId) {
    TADOQuery query;
    query.SetConnection(dmData->ADOcnn());
    query.SQL()->SetText("select sum(F_price * F_operFlag) as F_price from T_YSKrec where F_mainID = :id ");
    query.Parameters()->ParamByName("id")->SetValue(houseId);
    query.Open();
    if (query.IsEmpty() || query.Fields()[0]->IsNull()) return Currency();
    return query.Fields()[0]->AsCurrency();
}

void InsertReceipt(const TFeeReceipt& receipt, Currency balance, const String& code) {
    TSqlStatement insert;
    insert
        .Add("insert into T_wyFKrec(F_mainID,F_LDcode,F_XQname,F_FZcode,F_FZname,F_QFnum,F_QFprice,F_XDnum,"
             "F_FKprice,F_bankPrice,F_YSprice,F_YHprice,F_SKtype,F_SKprice,F_ZLprice,F_memo1,F_code,F_JFdate,"
             "F_OperName) values(:mainID,:LDcode,:XQname,:FZcode,:FZname,:QFnum,:QFprice,:XDnum,:FKprice,"
             ":bankPrice,:YSprice,:YHprice,:SKtype,:SKprice,:ZLprice,:memo1,:code,:JFdate,:OperName)")
        .Param("mainID", receipt.HouseId)
        .Param("LDcode", receipt.LDcode)
        .Param("XQname", receipt.XQname)
        .Param("FZcode", Trim(receipt.FZcode))
        .Param("FZname", Trim(receipt.FZname))
        .Param("QFnum", receipt.QFnum)
        .Param("QFprice", receipt.QFprice)
        .Param("XDnum", receipt.XDnum)
        .Param("FKprice", receipt.FKprice)
        .Param("bankPrice", balance)
        .Param("YSprice", receipt.YSprice())
        .Param("YHprice", receipt.YHprice)
        .Param("SKtype", Trim(receipt.SKtype))
        .Param("SKprice", receipt.SKprice)
        .Param("ZLprice", receipt.ZLprice())
        .Param("memo1", receipt.Memo)
        .Param("code", code)
        .Param("JFdate", DayText(receipt.JFdate))
        .Param("OperName", OperName);
    ExecStatement(dmData->QryPub(), insert);
}

// A movement of the house's prepayment account dated today.
void InsertPrepayment(const TFeeReceipt& receipt, Currency price, const String& billCode, const String& memo,
                      int direction) {
    const String today = DayText(Date());
    TSqlStatement insert;
    insert
        .Add("insert into T_YSKrec(F_mainID,F_FZcode,F_XQname,F_LDcode,F_FZname,F_SFdate,F_price,F_billCode,"
             "F_memo1,F_Empname,F_editDate,F_OperFlag) Values(:mainID,:FZcode,:XQname,:LDcode,:FZname,:SFdate,"
             ":price,:BillCode,:Memo1,:EmpName,:editDate,:OperFlag) ")
        .Param("mainID", receipt.HouseId)
        .Param("FZcode", Trim(receipt.FZcode))
        .Param("XQname", receipt.XQname)
        .Param("LDcode", receipt.LDcode)
        .Param("FZname", Trim(receipt.FZname))
        .Param("SFdate", today)
        .Param("price", price)
        .Param("BillCode", billCode)
        .Param("Memo1", memo)
        .Param("EmpName", OperName)
        .Param("editDate", today)
        .Param("OperFlag", direction);
    ExecStatement(dmData->QryPub(), insert);
}

// Marks the ticked rows with the receipt number; a row ticked and unticked again goes back to what
// was loaded, so only the ticked rows are written.
void MarkTickedRows(TCustomADODataSet* rows, const String& code) {
    rows->DisableControls();
    const TScopeExit enable([rows] { rows->EnableControls(); });
    if (rows->State() == dsEdit || rows->State() == dsInsert) rows->Post();
    for (rows->First(); !rows->Eof(); rows->Next()) {
        if (!rows->FieldByName("F_JFflag")->AsBoolean()) {
            if (rows->UpdateStatus() != usUnmodified) rows->CancelBatch(arCurrent);
            continue;
        }
        rows->Edit();
        rows->FieldByName("F_JFcode")->SetAsString(code);
        rows->Post();
    }
}

// The rows stored under the number must be exactly the receipt's: as many, the same total.
void CheckSettledRows(const TFeeReceipt& receipt, const String& code) {
    TADOQuery settled;
    settled.SetConnection(dmData->ADOcnn());
    settled.SQL()->SetText("select count(*), sum(F_totalPrice) from T_wyFYrec where F_JFcode = :code and F_JFflag = true");
    settled.Parameters()->ParamByName("code")->SetValue(code);
    settled.Open();
    const int count = settled.Fields()[0]->AsInteger();
    const Currency total = settled.Fields()[1]->IsNull() ? Currency() : settled.Fields()[1]->AsCurrency();
    if (count != receipt.XDnum || total != receipt.FKprice) throw ESaveRefused(MsgFeeRowsChanged, 3, nullptr);
}

} // namespace

bool TFeeReceipt::FromPrepayment() const {
    return Trim(SKtype) == PrepaymentPayType;
}

String TodaysReceiptsSql() {
    return "Select Max(F_code) As F_code from T_wyFKrec where (F_code Like '" + FormatDateTime("yyyymmdd", Date()) +
           "%')";
}

String NextReceiptNumber() {
    return dmData->NewDatedCode(TodaysReceiptsSql(), String(), kReceiptDigits);
}

bool CollectFees(TCustomADODataSet* rows, const TFeeReceipt& receipt, String& code) {
    code.clear();
    if (!rows || !rows->Active() || receipt.XDnum <= 0) return false;
    if (receipt.FromPrepayment() && receipt.SKprice != receipt.YSprice()) {
        ShowMess(MsgPrepaymentAmount, 3);
        return false;
    }
    String taken;
    const bool saved = RunSaveTransaction([&] {
        const Currency balance = BalanceInside(receipt.HouseId);
        if (receipt.FromPrepayment() && receipt.YSprice() > balance)
            throw ESaveRefused(MsgPrepaymentShort, 3, nullptr);
        try {
            taken = dmData->NewDatedCode(TodaysReceiptsSql(), String(), kReceiptDigits,
                                         [&](const String& number) { InsertReceipt(receipt, balance, number); });
        } catch (const ECodeNumberingError&) {
            throw ESaveRefused(MsgReceiptDayFull, 3, nullptr);
        }
        MarkTickedRows(rows, taken);
        try {
            rows->UpdateBatch(arAll);
        } catch (const EDatabaseRowChanged&) {
            throw ESaveRefused(MsgFeeRowsChanged, 3, nullptr);
        }
        CheckSettledRows(receipt, taken);
        if (receipt.FromPrepayment())
            InsertPrepayment(receipt, receipt.YSprice(), String(), PrepaymentWithdrawalMemo, -1);
    });
    if (saved) code = taken;
    return saved;
}

bool VoidReceipt(const String& code) {
    if (code.empty()) return false;
    bool found = false;
    const bool saved = RunSaveTransaction([&] {
        TADOQuery stored;
        stored.SetConnection(dmData->ADOcnn());
        stored.SQL()->SetText("select F_mainID, F_XQname, F_LDcode, F_FZcode, F_FZname, F_SKtype, F_SKprice "
                              "from T_wyFKrec where F_code = :code");
        stored.Parameters()->ParamByName("code")->SetValue(code);
        stored.Open();
        if (stored.IsEmpty()) return;
        found = true;
        TFeeReceipt receipt;
        receipt.HouseId = stored.FieldByName("F_mainID")->AsInteger();
        receipt.XQname = stored.FieldByName("F_XQname")->AsString();
        receipt.LDcode = stored.FieldByName("F_LDcode")->AsString();
        receipt.FZcode = stored.FieldByName("F_FZcode")->AsString();
        receipt.FZname = stored.FieldByName("F_FZname")->AsString();
        receipt.SKtype = stored.FieldByName("F_SKtype")->AsString();
        const Currency received = stored.FieldByName("F_SKprice")->AsCurrency();
        stored.Close();
        TSqlStatement remove;
        remove.Add("delete from T_wyFKrec where f_code = :code ").Param("code", code);
        ExecStatement(dmData->QryPub(), remove);
        TSqlStatement reopen;
        reopen.Add("update t_wyFYrec set F_JFcode = '',F_JFflag = false where F_JFcode = :code ").Param("code", code);
        ExecStatement(dmData->QryPub(), reopen);
        if (receipt.FromPrepayment()) InsertPrepayment(receipt, received, code, PrepaymentRefundMemo, 1);
    });
    return saved && found;
}
