// The filter row's cells as painted: each column's filter expression in blue on the brightened
// fixed colour, never framed, with the drop-down button of a column filtered through a list; a
// column without a visible filter shows a plain fixed cell.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxText.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"
#include "gui/SystemMetrics.h"

#include <gtest/gtest.h>

namespace {

class FilterRowPaintTest : public UnthemedGridTest {
protected:
    void SetUp() override {
        UnthemedGridTest::SetUp();
        Fill(3);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"}) Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->SetFixedColor(TColor(0x9BCDFF));
        Grid->STFilter()->SetVisible(true);
        Grid->EndLayout();
        OpenGrid();
    }
    TColumnGx* Col(int I) { return Grid->Columns()->ColumnAt(I); }
    TRect FilterCell(int DataCol) { return Grid->CellScreenRect(DataCol + 1, 1); }
    bool HasBlue(TBitmap& Shot, const TRect& R) {
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const TColorRef c = ColorToRGB(Shot.Canvas()->Pixels(x, y));
                if (GetBValue(c) >= 200 && GetRValue(c) <= 90 && GetGValue(c) <= 90) return true;
            }
        return false;
    }
    TBitmap Shot;
};

} // namespace

TEST_F(FilterRowPaintTest, FilterCellsShowTheirExpressionInBlueOnTheBrightenedFixedColour) {
    ASSERT_EQ(Grid->FilterRowCount(), 1);
    ASSERT_EQ(Grid->TitleOffset(), 2);
    Col(0)->STFilter()->SetFilterText("> 5");
    ASSERT_EQ(Col(0)->STFilter()->ExpressionText(), "> 5");
    GrabControl(Grid, Shot);
    const TColor light = TColor(RGB(255, 230, 174));
    ASSERT_EQ(BrightenColor(Grid->FixedColor(), 8), light);
    const TRect with = FilterCell(0), without = FilterCell(1);
    EXPECT_EQ(Shot.Canvas()->Pixels(with.Right - 3, with.Top + with.Height() / 2), light);
    EXPECT_TRUE(HasBlue(Shot, with));
    // Never framed: the cell's own colour reaches its edges.
    EXPECT_FALSE(Grid->CellIs3D(1, 1, TGridDrawState{gdFixed}));
    EXPECT_TRUE(Grid->CellIs3D(1, 0, TGridDrawState{gdFixed}));
    EXPECT_EQ(Shot.Canvas()->Pixels(with.Left, with.Top + with.Height() / 2), light);
    EXPECT_EQ(Shot.Canvas()->Pixels(without.Right - 1, without.Bottom - 1), light);
    EXPECT_FALSE(HasBlue(Shot, without)) << "an empty filter writes nothing";
}

TEST_F(FilterRowPaintTest, AColumnWithoutAVisibleFilterIsAPlainFixedCell) {
    Col(2)->STFilter()->SetVisible(false);
    GrabControl(Grid, Shot);
    const TRect r = FilterCell(2);
    EXPECT_TRUE(Grid->CellIs3D(3, 1, TGridDrawState{gdFixed}));
    EXPECT_EQ(Shot.Canvas()->Pixels(r.Right - 4, r.Top + r.Height() / 2), ColorToRGB(Col(2)->Title()->Color()));
}

TEST_F(FilterRowPaintTest, AListFilterLeavesRoomForItsDropDownButton) {
    TDataSource list(nullptr);
    list.SetDataSet(Q.get());
    Col(1)->STFilter()->SetListSource(&list);
    ASSERT_TRUE(Col(1)->STFilter()->HasDropDownButton());
    const TColor light = TColor(RGB(255, 230, 174));
    struct Case {
        bool Flat;
        int Width, Line;
    } cases[] = {{true, FlatButtonWidth(), 1}, {false, GetSystemMetrics(SM_CXVSCROLL), 0}};
    for (const Case& c : cases) {
        Grid->SetFlat(c.Flat);
        GrabControl(Grid, Shot);
        const TRect r = FilterCell(1);
        const int textRight = r.Right - c.Width - c.Line;
        const int y = r.Top + r.Height() / 2;
        EXPECT_EQ(Shot.Canvas()->Pixels(textRight - 1, y), light) << c.Flat;
        if (c.Line) {
            EXPECT_EQ(Shot.Canvas()->Pixels(textRight, y), clBlack);
        }
        // The button's face differs from the cell.
        EXPECT_NE(Shot.Canvas()->Pixels(textRight + c.Line + 2, r.Top + 2), light) << c.Flat;
    }
    Col(1)->STFilter()->SetListSource(nullptr);
}
