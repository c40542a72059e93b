// The fee-item pivots of the statistics: one money column per fee item (F_SZ1 ... F_SZ15 of
// tempFYrec), titled with the fee-item names read when the window opens, the columns beyond the
// list hidden. The rows are staged in tempFYrec: one stage-0 row per fee row of each item
// (ItemStatement, which the receivable and paid pivots answer apart), summed into rows per house.
//
// tempFYrec has fifteen pivot columns: a sixteenth fee item and those after it are left out of
// the statistics, and the window says which when it opens.
#pragma once

#include "app/fees/StatisticsWindow.h"

class TPageControl;
class TTabSheet;

inline constexpr int PivotColumnCount = 15;
inline const String MsgPivotItemsLeftOut = "费用项目超过15项，以下费项未列入统计：";

class TStatisticsPivot : public TStatisticsWindow {
public:
    TStatisticsPivot(TComponent* AOwner, const String& memberClass);

    // The fee-item names read at opening, at most fifteen, position i + 1 in column F_SZ(i + 1).
    const std::vector<String>& FeeItems() const { return FFeeItems; }
    // The grids whose pivot columns follow the list (DBGridGx1 and those a member adds).
    std::vector<TDBGridGx*> PivotGrids;

protected:
    // The filter panel of the receivable pivots, and the per-item statement over it: every fee
    // row of the item, paid or not, in column F_SZ<position>; `extra` is appended before the
    // deadline bounds (the detail's "交费期限超过").
    struct TReceivableFilters {
        TComboBox* Estate;
        TEdit* Building;
        TEdit* Room;
        TEdit* Owner;
        TComboBox* Handler;
        TEdit* Memo;
        TDateTimePicker* From;
        TDateTimePicker* To;
    };
    TReceivableFilters AddReceivableFilters();
    static TSqlStatement ReceivableItemStatement(int position, const String& name, const TReceivableFilters& filters,
                                                 const String& extra = String());
    void Opened() override;
    // The key columns, then F_SZ1 ... F_SZ15 and 费用合计.
    static std::vector<TGridColumnSpec> PivotColumns(std::vector<TGridColumnSpec> keys);
    // The stage-0 rows of the item at the position (1-based): the fee rows in column F_SZ<i>.
    virtual TSqlStatement ItemStatement(int position, const String& name) = 0;
    // "delete from tempFYrec" and the per-item statements.
    std::vector<TSqlStatement> StageStatements();
    // The stage-1 rows per house (and deadline) from the stage-0 rows, then the stage-0 rows deleted.
    static std::vector<TSqlStatement> HouseStatements(bool byDeadline);
    // The pivot's sums of the fifteen columns, and their total, as select items.
    static String PivotSums();
    // ",F_SZ1,...,F_SZ15".
    static String PivotFields();

private:
    void ReadFeeItems();
    void TitleColumns(TDBGridGx* grid) const;
    std::vector<String> FFeeItems;
};
