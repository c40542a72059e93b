// The quantity-record editor of the fee ledger's other page (FeeRecordEditor.h): 计费单位 is the
// house's floor area when the method contains "面积", its residents when it contains "户",
// otherwise what the operator types.
#pragma once

#include "app/fees/FeeRecordEditor.h"

// The quantity-record editor: "物费费用(<item>)记录 - 新增" / "... - 修改".
class TfrmWYFYscEdit1 : public TFeeRecordEditor {
public:
    explicit TfrmWYFYscEdit1(TfrmWYFYscgl* ledger);
    String ClassName() const override { return "TfrmWYFYscEdit1"; }

protected:
    void TakeHouseFigures(TADOQuery& house) override;
    String ExtraHouseColumns() const override { return ",F_buildArea,F_ZHnum"; }
};
