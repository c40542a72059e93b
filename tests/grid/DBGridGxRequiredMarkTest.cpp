// The mark of an empty required field while a record is inserted: a dotted red line one pixel
// above the cell's bottom, from two pixels in at the left to three pixels in at the right.
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"

#include <gtest/gtest.h>

TEST_F(UnthemedGridTest, RequiredMarkIsDottedAlongTheCellBottom) {
    Fill(3);
    Grid->BeginLayout();
    for (const char* n : {"F_int", "F_text"}) Grid->Columns()->AddColumn()->SetFieldName(n);
    Grid->EndLayout();
    OpenGrid();
    Grid->Columns()->ColumnAt(1)->SetHighlightRequired(true);
    Q->FieldByName("F_text")->SetRequired(true);
    Q->Append();
    const TRect r = Grid->CellScreenRect(2, Grid->CurrentCell().Y);
    TBitmap shot;
    GrabControl(Grid, shot);
    const TColor red = TColor(RGB(255, 0, 0));
    int first = r.Right, last = r.Left - 1, reds = 0;
    for (int x = r.Left; x < r.Right; ++x)
        if (shot.Canvas()->Pixels(x, r.Bottom - 1) == red) {
            first = std::min(first, x), last = std::max(last, x);
            ++reds;
        }
    EXPECT_EQ(first, r.Left + 2);
    EXPECT_GE(last, r.Right - 5);
    EXPECT_LE(last, r.Right - 4) << "the line ends before right - 3";
    EXPECT_LT(reds, last - first + 1) << "dotted, not solid";
    EXPECT_GT(reds, (last - first + 1) / 4);
    // Nothing red on the other rows of the cell.
    for (int x = r.Left; x < r.Right; ++x) EXPECT_NE(shot.Canvas()->Pixels(x, r.Bottom - 2), red);
    Q->Cancel();
}
