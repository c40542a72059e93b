// The hot state of a pressed title button: hot while the pointer is over the pressed title's
// caption, drawn sunken with its caption moved, and off again when the pointer leaves or the
// press ends.
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

namespace {

class TitleHotTest : public UnthemedGridTest {
protected:
    void SetUp() override {
        UnthemedGridTest::SetUp();
        Fill(3);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"}) {
            TColumnGx* c = Grid->Columns()->AddColumn();
            c->SetFieldName(n);
            c->Title()->SetTitleButton(true);
        }
        Grid->EndLayout();
        OpenGrid();
    }
    TPoint Middle(int Col, int Row) {
        const TRect r = Grid->CellScreenRect(Col, Row);
        return TPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
    // The bounding box of the pixels of the cell (less its frame) that differ from Background.
    TRect Ink(TBitmap& Shot, const TRect& Cell, TColor Background) {
        TRect box(Cell.Right, Cell.Bottom, Cell.Left, Cell.Top);
        for (int y = Cell.Top + 2; y < Cell.Bottom - 2; ++y)
            for (int x = Cell.Left + 2; x < Cell.Right - 2; ++x)
                if (Shot.Canvas()->Pixels(x, y) != Background) {
                    box.Left = std::min(box.Left, x), box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1), box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    }
    static int Light(TColor C) {
        const TColorRef c = ColorToRGB(C);
        return GetRValue(c) + GetGValue(c) + GetBValue(c);
    }
};

} // namespace

TEST_F(TitleHotTest, HotWhileThePointerIsOverThePressedTitle) {
    // Without column moving a press may wander off sideways and come back.
    Grid->SetOptions(Grid->Options() & ~dgColumnResize);
    const TPoint title = Middle(2, 0), other = Middle(3, 0), data = Middle(2, 2);
    SimulateMouseDown(Grid, mbLeft, title.X, title.Y);
    EXPECT_EQ(Grid->PressedTitleCol(), 2);
    EXPECT_TRUE(Grid->TitleHot());
    struct Step {
        TPoint At;
        bool Hot;
    } steps[] = {{other, false}, {title, true}, {data, false}, {TPoint(-5, title.Y), false}, {title, true}};
    for (const Step& s : steps) {
        Grid->Invalidated.clear();
        const bool was = Grid->TitleHot();
        SimulateMouseMove(Grid, s.At.X, s.At.Y, TShiftState{ssLeft});
        EXPECT_EQ(Grid->TitleHot(), s.Hot) << s.At.X << "," << s.At.Y;
        EXPECT_EQ(Grid->PressedTitleCol(), 2);
        // A change repaints the title row, the far end included.
        if (was != s.Hot) {
            EXPECT_TRUE(Grid->InvalidatedAt(Middle(1, 0).X, Middle(1, 0).Y));
            EXPECT_TRUE(Grid->InvalidatedAt(other.X, other.Y));
        }
    }
    SimulateMouseUp(Grid, mbLeft, title.X, title.Y);
    EXPECT_EQ(Grid->PressedTitleCol(), -1);
    EXPECT_FALSE(Grid->TitleHot());
}

TEST_F(TitleHotTest, CancelModeEndsThePress) {
    const TPoint title = Middle(2, 0);
    SimulateMouseDown(Grid, mbLeft, title.X, title.Y);
    ASSERT_TRUE(Grid->TitleHot());
    Grid->CancelMode();
    EXPECT_EQ(Grid->PressedTitleCol(), -1);
    EXPECT_FALSE(Grid->TitleHot());
}

TEST_F(TitleHotTest, OverAHeaderOfTheTitleTreeTheButtonIsNotHot) {
    Grid->BeginLayout();
    Grid->Columns()->ColumnAt(0)->Title()->SetCaption("Fee|Amount");
    Grid->Columns()->ColumnAt(1)->Title()->SetCaption("Fee|Paid");
    Grid->SetUseMultiTitle(true);
    Grid->EndLayout();
    TRect cell = Grid->CellScreenRect(2, 0);
    InflateRect(cell, -1, -1); // a 3D title cell
    const int captionTop = TCustomDBGridGx::LeafCaptionRect(cell, Grid->TitleLeaf(1)).Top;
    const int x = cell.Left + cell.Width() / 2;
    SimulateMouseDown(Grid, mbLeft, x, captionTop + 2);
    EXPECT_TRUE(Grid->TitleHot());
    SimulateMouseMove(Grid, x, captionTop - 3, TShiftState{ssLeft});
    EXPECT_FALSE(Grid->TitleHot()) << "over the header Fee";
    SimulateMouseMove(Grid, x, captionTop, TShiftState{ssLeft});
    EXPECT_TRUE(Grid->TitleHot());
    SimulateMouseUp(Grid, mbLeft, x, captionTop);
}

TEST_F(TitleHotTest, AHotTitleIsSunkenWithItsCaptionMovedOnePixel) {
    const TRect cell = Grid->CellScreenRect(2, 0);
    const TColor fixed = TColor(ColorToRGB(Grid->FixedColor()));
    TBitmap up, down;
    GrabControl(Grid, up);
    const TPoint title = Middle(2, 0);
    SimulateMouseDown(Grid, mbLeft, title.X, title.Y);
    ASSERT_TRUE(Grid->TitleHot());
    GrabControl(Grid, down);
    // Raised: light top-left, dark bottom-right; pressed the other way round.
    EXPECT_GT(Light(up.Canvas()->Pixels(cell.Left, cell.Top)),
              Light(up.Canvas()->Pixels(cell.Right - 1, cell.Bottom - 1)));
    EXPECT_LT(Light(down.Canvas()->Pixels(cell.Left, cell.Top)),
              Light(down.Canvas()->Pixels(cell.Right - 1, cell.Bottom - 1)));
    TRect a = Ink(up, cell, fixed), b = Ink(down, cell, fixed);
    ASSERT_LT(a.Left, a.Right);
    EXPECT_EQ(b.Left, a.Left + 1);
    EXPECT_EQ(b.Top, a.Top + 1);
    // The other titles stay up.
    const TRect other = Grid->CellScreenRect(3, 0);
    EXPECT_EQ(down.Canvas()->Pixels(other.Left, other.Top), up.Canvas()->Pixels(other.Left, other.Top));
    SimulateMouseUp(Grid, mbLeft, title.X, title.Y);
}
