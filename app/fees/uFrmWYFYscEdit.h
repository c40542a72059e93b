// The metered-record editor of the fee ledger's usage page (FeeRecordEditor.h): 上次读数 and
// 本次读数, 本次用量 their difference; a house taken proposes its highest earlier reading of the
// item as both readings, so the usage starts at 0.
#pragma once

#include "app/fees/FeeRecordEditor.h"

// The metered-record editor: "抄表记录 - 新增" / "抄表记录 - 修改".
class TfrmWYFYscEdit : public TFeeRecordEditor {
public:
    explicit TfrmWYFYscEdit(TfrmWYFYscgl* ledger);
    String ClassName() const override { return "TfrmWYFYscEdit"; }
    // 本次用量 := 本次读数 - 上次读数 (in decimal).
    void ProposeUsage();

protected:
    void TakeHouseFigures(TADOQuery& house) override;
};
