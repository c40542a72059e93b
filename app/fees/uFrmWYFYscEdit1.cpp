#include "app/fees/uFrmWYFYscEdit1.h"

#include "app/fees/uFrmWYFYscgl.h"

#include "controls/kxCurrEdit.h"
#include "db/ADODB.h"
#include "rtl/StrUtils.h"

TfrmWYFYscEdit1::TfrmWYFYscEdit1(TfrmWYFYscgl* ledger)
    : TFeeRecordEditor(ledger, "物费费用(" + ledger->CurSFname + ")记录", false) {
    SetName("frmWYFYscEdit1");
}

void TfrmWYFYscEdit1::TakeHouseFigures(TADOQuery& house) {
    const String& method = Ledger()->CurSFtype;
    if (AnsiContainsStr(method, "面积"))
        rceAmount->SetValue(house.FieldByName("F_buildArea")->AsFloat());
    else if (AnsiContainsStr(method, "户"))
        rceAmount->SetValue(house.FieldByName("F_ZHnum")->AsFloat());
    // Otherwise the quantity is typed.
}
