// The incremental-search mark: the text found so far black on yellow over the matching beginning
// of the current cell's text, placed as that text is, and the indicator's search arrow.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxPaint.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"

#include <gtest/gtest.h>

namespace {

class IncSearchMarkTest : public UnthemedGridTest {
protected:
    void SetUp() override {
        UnthemedGridTest::SetUp();
        Fill(5);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"}) Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->EndLayout();
        OpenGrid();
        Grid->SetOptions(Grid->Options() | dgAlwaysShowSelection);
        form.SetActiveControl(Grid);
    }
    int Width(const String& Text) {
        TBitmap b(10, 10);
        b.Canvas()->Font()->Assign(*Grid->Columns()->ColumnAt(0)->Font());
        return b.Canvas()->TextWidth(Text);
    }
    // The yellow pixels' horizontal extent in the cell (Right < Left when none).
    std::pair<int, int> YellowSpan(const TRect& Cell) {
        GrabControl(Grid, Shot);
        int left = Cell.Right, right = Cell.Left - 1;
        for (int y = Cell.Top; y < Cell.Bottom; ++y)
            for (int x = Cell.Left; x < Cell.Right; ++x)
                if (Shot.Canvas()->Pixels(x, y) == IncSearchBackground) left = std::min(left, x), right = std::max(right, x);
        return {left, right};
    }
    TBitmap Shot;
};

} // namespace

TEST_F(IncSearchMarkTest, TheMarkCoversTheMatchingBeginning) {
    struct Case {
        const char* Name;
        int Column;
        String Typed, Cell;
    } cases[] = {
        {"left-aligned text", 1, "t", "t1"},
        {"right-aligned number", 2, "1.", "1.5"},
    };
    for (const Case& c : cases) {
        Grid->StopIncrementalSearch();
        Grid->SetCurrentColumn(c.Column + 1);
        Grid->IncrementalSearch(c.Typed, -1, 2);
        ASSERT_EQ(Grid->IncSearchText(), c.Typed) << c.Name;
        ASSERT_EQ(Grid->Columns()->ColumnAt(c.Column)->CurrentCellText(), c.Cell) << c.Name;
        const TRect cell = Grid->CellScreenRect(c.Column + 1, Grid->CurrentCell().Y);
        const TAlignment align = Grid->Columns()->ColumnAt(c.Column)->Alignment();
        const int start = align == taRightJustify ? cell.Right - Width(c.Cell) - 3 : cell.Left + 2;
        auto [left, right] = YellowSpan(cell);
        EXPECT_EQ(left, start) << c.Name;
        EXPECT_EQ(right, start + Width(c.Typed) - 1) << c.Name;
    }
    // Another row shows no mark, nor does the cell once the search stops.
    EXPECT_GT(YellowSpan(Grid->CellScreenRect(2, Grid->CurrentCell().Y + 1)).first,
              YellowSpan(Grid->CellScreenRect(2, Grid->CurrentCell().Y + 1)).second);
    Grid->StopIncrementalSearch();
    const auto after = YellowSpan(Grid->CellScreenRect(3, Grid->CurrentCell().Y));
    EXPECT_GT(after.first, after.second);
}

TEST_F(IncSearchMarkTest, TheIndicatorShowsTheSearchArrow) {
    const TRect ind = Grid->CellScreenRect(0, Grid->CurrentCell().Y);
    EXPECT_GT(YellowSpan(ind).first, YellowSpan(ind).second);
    Grid->SetCurrentColumn(2);
    Grid->IncrementalSearch("t", -1, 2);
    auto [left, right] = YellowSpan(ind);
    EXPECT_LE(left, right) << "the arrow on the search colour";
    EXPECT_GE(left, ind.Right - GridIndicatorImages()->Width() - 2);
}

TEST_F(IncSearchMarkTest, NoMarkWhenTheGridIsNotTheActiveControl) {
    Grid->SetCurrentColumn(2);
    Grid->IncrementalSearch("t", -1, 2);
    auto other = new TEdit(&form);
    other->SetParent(&form);
    other->SetBounds(0, 400, 100, 20);
    form.SetActiveControl(other);
    if (Grid->IsActiveControl()) GTEST_SKIP() << "the form keeps the grid active";
    const auto span = YellowSpan(Grid->CellScreenRect(2, Grid->CurrentCell().Y));
    EXPECT_GT(span.first, span.second);
}
