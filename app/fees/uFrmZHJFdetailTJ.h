// The paid-fee detail (action 503, 住户交费明细统计): the receipts of T_wyFKrec by payment date,
// estate, building, room, owner and pay type, in the order they were written, with the sums of
// their amounts. Its second format prints the grid.
#pragma once

#include "app/fees/StatisticsWindow.h"

class TfrmZHJFdetailTJ : public TStatisticsWindow {
public:
    explicit TfrmZHJFdetailTJ(TComponent* AOwner);

    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtptoDate;
    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TEdit* edtFZcode;
    TEdit* edtFZname;
    TComboBox* cbbSKtype;

protected:
    TSqlStatement ResultStatement() override;
};
