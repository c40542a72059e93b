// The collection window's commands: the discount dialog, 收款, the receipt's print and design,
// and the receipt's variables.
#include "app/fees/uFrmWuyeFYjsgl.h"

#include "app/fees/FeeCollection.h"
#include "app/fees/uDLGFKman.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "report/vrClass.h"
#include "report/vrDBSet.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <memory>

void TfrmWuyeFYjsgl::ShowDiscount() {
    auto dialog = std::make_unique<TdlgFKman>(this);
    dialog->ShowModal();
}

TFeeReceipt TfrmWuyeFYjsgl::Receipt() const {
    TFeeReceipt receipt;
    if (QryTable->Active() && !QryTable->IsEmpty()) {
        receipt.HouseId = QryTable->FieldByName("F_ID")->AsInteger();
        receipt.LDcode = QryTable->FieldByName("F_LDcode")->AsString();
        receipt.XQname = QryTable->FieldByName("F_XQname")->AsString();
    }
    receipt.FZcode = Trim(edtFZcode->Text());
    receipt.FZname = Trim(edtFZname->Text());
    receipt.QFnum = FQFnum;
    receipt.QFprice = FQFprice;
    receipt.XDnum = FXDnum;
    receipt.FKprice = FFKprice;
    receipt.YHprice = FYHprice;
    receipt.SKtype = Trim(cbbSKtype->Text());
    receipt.SKprice = FSKprice;
    receipt.Memo = Memo1->Text();
    receipt.JFdate = dtpJFdate->Date();
    return receipt;
}

void TfrmWuyeFYjsgl::CollectClick() {
    if (!QryTable->Active() || QryTable->IsEmpty() || !QryTable1->Active() || QryTable1->IsEmpty()) return;
    if (ShowMess("实际收款金额为“" + ceSKprice->Text() + "”，真的确认收费吗？", 1) == 2) return;
    if (FSKprice < FYSprice &&
        ShowMess("实际收款比实际应收金额少 “" + CurrToStr(FYSprice - FSKprice) + "”，真的确认收费吗？", 1) == 2)
        return;
    if (ShowMess(MsgPrintReceipt, 1) == 1) PrintClick();
    const std::set<int> ticked = TickedIds();
    String code;
    bool collected = false;
    {
        // The collection marks the rows itself: no recount per row.
        FTicking = true;
        const TScopeExit quiet([this] { FTicking = false; });
        collected = CollectFees(QryTable1, Receipt(), code);
    }
    if (collected) {
        FLastReceipt = code;
        LoadUnpaidFees();
    } else {
        // The rows as they stand now, with the operator's ticks where the row is still unpaid.
        ReloadWithTicks(ticked);
    }
}

void TfrmWuyeFYjsgl::PrepareReceiptRows() {
    QryTemp->Close();
    if (!QryTable1->Active()) return;
    QryTemp->SQL()->SetText(QryTable1->SQL()->Text());
    for (int i = 0; i < QryTable1->Parameters()->Count(); ++i) {
        TParameter* source = QryTable1->Parameters()->Items(i);
        QryTemp->Parameters()->ParamByName(source->Name())->SetValue(source->Value());
    }
    const std::set<int> ticked = TickedIds();
    QryTemp->Open();
    QryTemp->SetSort(QryTable1->Sort());
    QryTemp->DisableControls();
    const TScopeExit enable([this] { QryTemp->EnableControls(); });
    QryTemp->First();
    while (!QryTemp->Eof()) {
        if (ticked.count(QryTemp->FieldByName("F_ID")->AsInteger())) {
            QryTemp->Edit();
            QryTemp->FieldByName("F_JFflag")->SetAsBoolean(true);
            QryTemp->Post();
            QryTemp->Next();
        } else {
            QryTemp->Delete();
        }
    }
    QryTemp->First();
}

void TfrmWuyeFYjsgl::PrintClick() {
    if (!QryTable->Active() || QryTable->IsEmpty()) return;
    PrepareReceiptRows();
    // The report walks the house list: its moves load no rows, and it ends on the house again.
    const int houseId = QryTable->FieldByName("F_ID")->AsInteger();
    FPrinting = true;
    const TScopeExit back([this, houseId] {
        if (QryTable->Active()) QryTable->Locate("F_ID", houseId);
        FPrinting = false;
    });
    // The receipt is the current house's alone, not every house the search listed.
    TvrDBDataset* house = dmData->vrDBDataSet1;
    house->RangeBegin = rbCurrent;
    house->RangeEnd = reCurrent;
    const TScopeExit whole([house] {
        house->RangeBegin = rbFirst;
        house->RangeEnd = reLast;
    });
    try {
        dmData->ShowLayoutReport(vrReport1, FeeCollectionLayout, QryTable, QryTemp);
    } catch (const std::exception&) {
        // A layout that does not load prints nothing.
    }
}

void TfrmWuyeFYjsgl::DesignClick() {
    try {
        dmData->DesignLayoutReport(vrReport1, FeeCollectionLayout, QryTable, QryTemp);
    } catch (const std::exception&) {
    }
}

bool TfrmWuyeFYjsgl::vrReport1GetValue(const String& name, Variant& value) {
    if (name == "FKprice")
        value = FormatCurr(FmtTotal, FFKprice);
    else if (name == "YHprice")
        value = FormatCurr(FmtTotal, FYHprice);
    else if (name == "YSprice")
        value = FormatCurr(FmtTotal, FYSprice);
    else if (name == "Memo1")
        value = Trim(Memo1->Text());
    else if (name == "XDnum")
        value = IntToStr(FXDnum);
    else if (name == "SKtype")
        value = Trim(cbbSKtype->Text());
    else if (name == "JFdate")
        value = FormatDateTime("yyyy-mm-dd", Date());
    else if (name == "JFcode")
        value = NextReceiptNumber();
    else if (name == "OperName")
        value = OperName;
    else
        return false;
    return true;
}
