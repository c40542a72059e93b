// The collection window's rows: the house search, the house's unpaid rows, the totals, the ticks
// and the title sort of both grids.
#include "app/fees/uFrmWuyeFYjsgl.h"

#include "app/fees/FeeCollection.h"
#include "app/fees/FeeTables.h"

#include "app/registers/ListWindow.h"
#include "app/registers/RegisterStatement.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxColumns.h"
#include "gui/ComCtrls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

void TfrmWuyeFYjsgl::QueryHouses() {
    const String estate = Trim(cbbXQname->Text());
    if (estate.empty()) {
        ShowMess(MsgEstateEmpty, 0);
        if (cbbXQname->CanFocus()) cbbXQname->SetFocus();
        return;
    }
    TSqlStatement statement;
    statement.Add("select F_ID,F_XQname,F_code,F_FZname,F_DYcode,F_LDcode from t_FCinfo where (1=1) " + XQScopeSQL +
                  " and F_XQname Like :estate ")
        .Param("estate", "%" + estate + "%");
    const String text = Trim(edtQRYcode->Text());
    if (!text.empty())
        statement.Add("and (F_code Like :code Or F_FZname Like :name) ")
            .Param("code", "%" + text + "%")
            .Param("name", "%" + text + "%");
    statement.Add("order by F_XQname,F_LDcode,F_code ");
    // A house found scrolls to it (its rows and totals follow); none found clears what the last
    // house showed.
    if (!OpenStatement(QryTable, statement) || QryTable->IsEmpty()) {
        ClearHouse();
        return;
    }
    HouseChanged();
}

void TfrmWuyeFYjsgl::HouseChanged() {
    if (FPrinting) return;
    if (!QryTable->Active() || QryTable->IsEmpty()) {
        ClearHouse();
        return;
    }
    LoadUnpaidFees();
}

void TfrmWuyeFYjsgl::ClearHouse() {
    QryTable1->Close();
    QryTemp->Close();
    edtFZcode->SetText("");
    edtFZname->SetText("");
    FQFnum = 0;
    FQFprice = Currency();
    FBankPrice = Currency();
    FXDnum = 0;
    FFKprice = Currency();
    FYHprice = Currency();
    FYSprice = Currency();
    FSKprice = Currency();
    FZLprice = Currency();
    ShowAmounts();
}

void TfrmWuyeFYjsgl::LoadUnpaidFees() {
    if (!QryTable->Active() || QryTable->IsEmpty()) return;
    TSqlStatement statement;
    statement.Add("select * from T_wyFYrec where (F_JFflag = false) and F_mainID = :house " + XQScopeSQL + " ")
        .Param("house", QryTable->FieldByName("F_ID")->AsInteger());
    switch (RadioGroup1->ItemIndex()) {
    case 1: {
        const TDateTime month = dtpYF->Date();
        Word year = 0, mon = 0, day = 0;
        DecodeDate(month, year, mon, day);
        statement.Add("and (F_SFdate >=#" + FormatDateTime("yyyy-mm-01", month) + "# and F_SFdate <= #" +
                      FormatDateTime("yyyy-mm-", month) + IntToStr(DaysInAMonth(year, mon)) + "#) ");
        break;
    }
    case 2:
        statement.Add("and F_SFname Like :item ").Param("item", "%" + Trim(cbbSX->Text()) + "%");
        break;
    default:
        break;
    }
    statement.Add("order by F_SFdate ");
    {
        const bool ticking = FTicking;
        FTicking = true;
        const TScopeExit restore([this, ticking] { FTicking = ticking; });
        OpenStatement(QryTable1, statement);
    }
    RefreshTotals();
}

void TfrmWuyeFYjsgl::RefreshTotals() {
    if (!QryTable->Active() || QryTable->IsEmpty()) {
        ClearHouse();
        return;
    }
    edtFZcode->SetText(QryTable->FieldByName("F_code")->AsString());
    edtFZname->SetText(QryTable->FieldByName("F_FZname")->AsString());
    FQFnum = QryTable1->Active() ? QryTable1->RecordCount() : 0;
    FQFprice = SumFees(1);
    FBankPrice = PrepaymentBalance(QryTable->FieldByName("F_ID")->AsInteger());
    TicksChanged();
}

Currency TfrmWuyeFYjsgl::SumFees(int kind) {
    Currency total;
    int count = 0;
    if (!QryTable1->Active() || QryTable1->IsEmpty()) return total;
    if (QryTable1->State() == dsEdit || QryTable1->State() == dsInsert) QryTable1->Post();
    const int current = QryTable1->FieldByName("F_ID")->AsInteger();
    {
        QryTable1->DisableControls();
        const TScopeExit enable([this] { QryTable1->EnableControls(); });
        for (QryTable1->First(); !QryTable1->Eof(); QryTable1->Next()) {
            const bool ticked = QryTable1->FieldByName("F_JFflag")->AsBoolean();
            if (kind == 1 || (kind == 2 && ticked)) total += QryTable1->FieldByName("F_totalPrice")->AsCurrency();
            if (ticked) ++count;
        }
        QryTable1->Locate("F_ID", current);
    }
    return kind == 3 ? Currency::FromInt(count) : total;
}

int TfrmWuyeFYjsgl::TickedCount() {
    return static_cast<int>(SumFees(3).ToDouble());
}

void TfrmWuyeFYjsgl::TicksChanged() {
    FXDnum = TickedCount();
    FFKprice = SumFees(2);
    FYHprice = Currency();
    FYSprice = FFKprice;
    FSKprice = FYSprice;
    FZLprice = FSKprice - FYSprice;
    ShowAmounts();
}

void TfrmWuyeFYjsgl::ShowAmounts() {
    const bool showing = FShowing;
    FShowing = true;
    const TScopeExit restore([this, showing] { FShowing = showing; });
    rceQFnum->SetValue(FQFnum);
    ceQFprice->SetValue(FQFprice.ToDouble());
    rceXDnum->SetValue(FXDnum);
    ceFKprice->SetValue(FFKprice.ToDouble());
    ceBankPrice->SetValue(FBankPrice.ToDouble());
    ceYHprice->SetValue(FYHprice.ToDouble());
    ceYSprice->SetValue(FYSprice.ToDouble());
    ceSKprice->SetValue(FSKprice.ToDouble());
    ceZLprice->SetValue(FZLprice.ToDouble());
    const bool some = FFKprice != Currency();
    for (TButton* button : {bSK, bYH, bSet, bPrint})
        button->SetEnabled(some);
}

void TfrmWuyeFYjsgl::SetSKprice(Currency value) {
    FSKprice = value;
    FZLprice = FSKprice - FYSprice;
    ShowAmounts();
}

void TfrmWuyeFYjsgl::ApplyDiscount(Currency discount) {
    FYHprice = discount;
    FYSprice = FFKprice - FYHprice;
    FSKprice = FYSprice;
    FZLprice = FSKprice - FYSprice;
    ShowAmounts();
}

void TfrmWuyeFYjsgl::ToggleTick() {
    if (!QryTable1->Active() || QryTable1->IsEmpty()) return;
    TField* tick = QryTable1->FieldByName("F_JFflag");
    QryTable1->Edit();
    tick->SetAsBoolean(!tick->AsBoolean());
    QryTable1->Post();
}

void TfrmWuyeFYjsgl::SelectAllClick() {
    if (!QryTable1->Active() || QryTable1->IsEmpty()) return;
    {
        const bool ticking = FTicking;
        FTicking = true;
        const TScopeExit restore([this, ticking] { FTicking = ticking; });
        QryTable1->DisableControls();
        const TScopeExit enable([this] { QryTable1->EnableControls(); });
        for (QryTable1->First(); !QryTable1->Eof(); QryTable1->Next()) {
            QryTable1->Edit();
            QryTable1->FieldByName("F_JFflag")->SetAsBoolean(true);
            QryTable1->Post();
        }
        QryTable1->First();
    }
    TicksChanged();
}

void TfrmWuyeFYjsgl::ReselectClick() {
    if (!QryTable1->Active()) return;
    {
        const bool ticking = FTicking;
        FTicking = true;
        const TScopeExit restore([this, ticking] { FTicking = ticking; });
        QryTable1->Close();
        QryTable1->Open();
    }
    TicksChanged();
}

void TfrmWuyeFYjsgl::ChoiceChanged() {
    const int choice = RadioGroup1->ItemIndex();
    {
        // The month and item are set without their own reload: one reload follows.
        const bool showing = FShowing;
        FShowing = true;
        const TScopeExit restore([this, showing] { FShowing = showing; });
        const auto month = dtpYF->OnChange;
        const auto item = cbbSX->OnChange;
        dtpYF->OnChange = nullptr;
        cbbSX->OnChange = nullptr;
        dtpYF->SetVisible(choice == 1);
        dtpYF->SetDate(Date());
        cbbSX->SetVisible(choice == 2);
        cbbSX->SetText("");
        dtpYF->OnChange = month;
        cbbSX->OnChange = item;
    }
    LoadUnpaidFees();
}

std::set<int> TfrmWuyeFYjsgl::TickedIds() {
    std::set<int> ids;
    if (!QryTable1->Active()) return ids;
    QryTable1->DisableControls();
    const TScopeExit enable([this] { QryTable1->EnableControls(); });
    for (QryTable1->First(); !QryTable1->Eof(); QryTable1->Next())
        if (QryTable1->FieldByName("F_JFflag")->AsBoolean()) ids.insert(QryTable1->FieldByName("F_ID")->AsInteger());
    return ids;
}

void TfrmWuyeFYjsgl::ReloadWithTicks(const std::set<int>& ticked) {
    {
        const bool ticking = FTicking;
        FTicking = true;
        const TScopeExit restore([this, ticking] { FTicking = ticking; });
        LoadUnpaidFees();
        if (QryTable1->Active()) {
            QryTable1->DisableControls();
            const TScopeExit enable([this] { QryTable1->EnableControls(); });
            for (QryTable1->First(); !QryTable1->Eof(); QryTable1->Next())
                if (ticked.count(QryTable1->FieldByName("F_ID")->AsInteger())) {
                    QryTable1->Edit();
                    QryTable1->FieldByName("F_JFflag")->SetAsBoolean(true);
                    QryTable1->Post();
                }
            QryTable1->First();
        }
    }
    RefreshTotals();
}

void TfrmWuyeFYjsgl::TitleClick(TDBGridGx* grid, TADOQuery* query, TColumnGx* column) {
    SortByTitle(grid, query, column, true, true);
}
