// The spare-part stock summary (action 404, 配件库存查询统计): every part with its stock, what
// came in and went back through the stock movements, what repairs used and its value, the stock
// value at the purchase price and the used value over its presale value. The figures are built
// in this connection's tempDepot at each "查询".
//
// tempDepot is keyed by the part's row (F_PJid), not by its code alone: a code may name a part in
// each of two estates, and each part counts only its own movements (those of its code and
// estate) and its own repair lines (those that name its row, or, for a line without one, of its
// code in the repair's estate).
#pragma once

#include "app/fees/StatisticsWindow.h"

class TfrmKCPJdetailTJ : public TStatisticsWindow {
public:
    explicit TfrmKCPJdetailTJ(TComponent* AOwner);

    TComboBox* cbbPJtype;
    TEdit* edtPJcode;
    TEdit* edtPJname;
    TComboBox* cbbXQname;

protected:
    TSqlStatement ResultStatement() override;
    std::vector<String> WorkTables() const override { return {"tempDepot"}; }
    std::vector<TSqlStatement> WorkStatements() override;
    void Opened() override;
};
