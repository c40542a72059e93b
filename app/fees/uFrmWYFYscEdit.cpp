#include "app/fees/uFrmWYFYscEdit.h"

#include "app/fees/FeeTables.h"
#include "app/fees/uFrmWYFYscgl.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "rtl/Currency.h"

TfrmWYFYscEdit::TfrmWYFYscEdit(TfrmWYFYscgl* ledger) : TFeeRecordEditor(ledger, "抄表记录", true) {
    SetName("frmWYFYscEdit");
    rceBamount->OnChange = [this](TObject*) { ProposeUsage(); };
    rceEamount->OnChange = [this](TObject*) { ProposeUsage(); };
}

void TfrmWYFYscEdit::ProposeUsage() {
    // Taken in decimal: 1234.50 - 1200.25 is 34.25, not its binary neighbour.
    const Currency usage = Currency::FromDouble(rceEamount->Value()) - Currency::FromDouble(rceBamount->Value());
    rceAmount->SetValue(usage.ToDouble());
}

void TfrmWYFYscEdit::TakeHouseFigures(TADOQuery& house) {
    // Both readings at the highest earlier one: the usage starts at 0.
    const double previous = PreviousReading(house.FieldByName("F_ID")->AsInteger(), Ledger()->CurSFtype,
                                            Ledger()->CurSFname);
    rceBamount->SetValue(previous);
    rceEamount->SetValue(previous);
}
