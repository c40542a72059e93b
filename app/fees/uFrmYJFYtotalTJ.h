// The receivable totals (action 502, 应交费用汇总统计): every charged fee row, paid or not, pivoted by
// fee item per house, per building or per estate on three pages, with the receivable detail's
// filters without its choice.
#pragma once

#include "app/fees/StatisticsTotals.h"

class TfrmYJFYtotalTJ : public TStatisticsTotals {
public:
    explicit TfrmYJFYtotalTJ(TComponent* AOwner);

    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TEdit* edtFZcode;
    TEdit* edtFZname;
    TComboBox* cbbEmpName;
    TEdit* edtMemo1;
    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtptoDate;

    // The designer on the page's layout, only when the page's query has rows.
    void SetClick() override;

protected:
    TSqlStatement ItemStatement(int position, const String& name) override;

private:
    TReceivableFilters FFilters;
};
