// The business analysis (action 506, 物业收费经营分析): one row per fee item with what was
// receivable, received and unreceived before the period (期初), within it (本期) and at its end
// (期末), built in this connection's tempJYrec at each "查询".
//
// A paid fee row is placed by its receipt's payment date, an unpaid one by its deadline F_SFdate,
// under the same bounds: the opening holds the rows dated before "from" (none without it), the
// period those within the ticked bounds, the closing those up to "to" (all without it), so the
// closing is always the opening plus the period and each block's 未收 shows what was outstanding.
#pragma once

#include "app/fees/StatisticsWindow.h"

class TfrmWYJYtotalTJ : public TStatisticsWindow {
public:
    explicit TfrmWYJYtotalTJ(TComponent* AOwner);

    TComboBox* cbbXQname;
    TEdit* edtLDcode;
    TEdit* edtFZcode;
    TEdit* edtFZname;
    TComboBox* cbbEmpName;
    TDateTimePicker* dtpFromDate;
    TDateTimePicker* dtptoDate;

protected:
    TSqlStatement ResultStatement() override;
    std::vector<String> WorkTables() const override { return {"tempJYrec"}; }
    std::vector<TSqlStatement> WorkStatements() override;
    void Opened() override;

private:
    void AddFilters(TSqlStatement& statement) const;
};
