// The repair statistics (action 505, 物业报修查询统计): household repair reports chosen by report
// date, repair date, estate, owner, room, receptionist, repairer, fault, result and satisfaction,
// with the sums of their service and material charges. Its second format prints the grid.
//
// A ticked 修复日期 bound keeps only repaired records: a repair not yet done holds the date that
// is not set (1900-08-14), which lies before every bound.
#pragma once

#include "app/fees/StatisticsWindow.h"

class TfrmBXdetailTj : public TStatisticsWindow {
public:
    explicit TfrmBXdetailTj(TComponent* AOwner);

    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtpToDate;
    TDateTimePicker* dtpFromDate1;
    TDateTimePicker* dtptoDate1;
    TComboBox* cbbXQname;
    TEdit* edtFZname;
    TEdit* edtFZcode;
    TComboBox* cbbJDemp;
    TComboBox* cbbWXemp;
    TEdit* edtMemo1;
    TEdit* edtMemo2;
    TComboBox* cbbMYtype;

protected:
    TSqlStatement ResultStatement() override;
    void ResultOpened() override;
};
