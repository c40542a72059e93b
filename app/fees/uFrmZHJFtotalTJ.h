// The paid-fee totals (action 504, 住户交费汇总统计): the fee rows that have a receipt, pivoted by fee
// item per house, per building or per estate on three pages. The payment date of the receipt is
// the date filter (and goes into F_SFdate); the estate, building, room and owner filters test the
// receipt, the operator's estate scope the fee row. Unpaid fee rows never count, whatever the
// filters: the receipts are joined inner, and the row must be marked paid.
#pragma once

#include "app/fees/StatisticsTotals.h"

class TfrmZHJFtotalTJ : public TStatisticsTotals {
public:
    explicit TfrmZHJFtotalTJ(TComponent* AOwner);

    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtptoDate;
    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TEdit* edtFZcode;
    TEdit* edtFZname;

protected:
    TSqlStatement ItemStatement(int position, const String& name) override;
};
