// The receivable detail (action 501, 应交费用明细统计): every charged fee row, paid or not, pivoted
// by fee item into one row per house and deadline, ordered by estate, building, room and deadline.
// The choice keeps all rows, those whose total reaches an amount, or those whose deadline lies
// at least a number of days before today.
#pragma once

#include "app/fees/StatisticsPivot.h"

class TCurrencyEdit;
class TKxCalcEdit;
class TLabel;
class TRadioGroup;

class TfrmYJFYdetailTJ : public TStatisticsPivot {
public:
    explicit TfrmYJFYdetailTJ(TComponent* AOwner);

    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TEdit* edtFZcode;
    TEdit* edtFZname;
    TComboBox* cbbEmpName;
    TEdit* edtMemo1;
    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtptoDate;
    TRadioGroup* RadioGroup1;
    TCurrencyEdit* ceS;
    TKxCalcEdit* rceT;
    TLabel* lblT;

    // The choice's controls after RadioGroup1 changed (what its click does).
    void ChoiceChanged();

protected:
    TSqlStatement ResultStatement() override;
    std::vector<String> WorkTables() const override { return {"tempFYrec"}; }
    std::vector<TSqlStatement> WorkStatements() override;
    TSqlStatement ItemStatement(int position, const String& name) override;

private:
    TReceivableFilters FFilters;
};
