// The incremental search over a data set shown row by row (IMemTableGx): the found row is made
// current and the view starts half a page above it, as far as the rows allow.
#include "RowModeGrid.h"

#include <gtest/gtest.h>

TEST(RowModeSearch, TheFoundRowSitsHalfAPageDown) {
    TRowModeGrid rows(40, [](int i) { return Format("R%.2d", {i}); });
    TTreeTestDataSet& data = *rows.Data;
    TDBGridGx* grid = rows.Grid;
    grid->Columns()->ColumnAt(0)->SetVisible(false); // F_ID; the search runs in F_name
    grid->SetFocusCol(grid->Columns()->ColumnAt(1)->Index() + grid->IndicatorOffset());
    const int fixed = grid->FixedRowsCount();
    const int page = grid->VisibleRowsCount();
    ASSERT_GT(page, 4);
    const int lastTop = 40 - page; // the first data row shown when the last one is at the bottom
    struct Case {
        const char* Text;
        int Row; // data row found
        int Top; // first data row shown
    };
    const Case cases[] = {
        {"R30", 30, 30 - page / 2}, {"R01", 1, 0}, {"R38", 38, lastTop}, {"R2", 20, 20 - page / 2},
        {"R25", 25, 25 - page / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        grid->StopIncrementalSearch();
        grid->IncrementalSearch(c.Text, -1, 2);
        EXPECT_EQ(grid->CurrentCell().Y - fixed, c.Row);
        EXPECT_EQ(data.RecNo(), c.Row + 1);
        EXPECT_EQ(grid->TopLeftCell().Y - fixed, c.Top);
        EXPECT_EQ(grid->LastVertScroll().nPos, c.Top + 1);
    }
}
