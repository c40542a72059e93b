// The grid-wide data cell drawing event: called for every painted data cell with its field while
// the columns are the default ones, and not for user-defined columns.
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/ControlShot.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class DrawDataCellTest : public UnthemedGridTest {
protected:
    void SetUp() override {
        UnthemedGridTest::SetUp();
        Fill(4);
        Grid->OnDrawDataCell = [this](TObject* Sender, const TRect& R, TField* Field, TGridDrawState State) {
            EXPECT_EQ(Sender, Grid);
            EXPECT_FALSE(State.Contains(gdFixed));
            ASSERT_NE(Field, nullptr);
            Seen[Field->FieldName()].push_back(R);
            // What the handler draws shows in the cell.
            Grid->Canvas()->Brush()->SetColor(Mark);
            Grid->Canvas()->FillRect(TRect(R.Left, R.Top, R.Left + 3, R.Top + 3));
        };
    }
    void Paint() {
        Seen.clear();
        GrabControl(Grid, Shot);
    }
    std::map<String, std::vector<TRect>> Seen;
    TBitmap Shot;
    const TColor Mark = TColor(RGB(10, 200, 10));
};

} // namespace

TEST_F(DrawDataCellTest, DefaultColumnsCallItForEveryDataCellWithItsField) {
    OpenGrid();
    ASSERT_EQ(Grid->Columns()->State(), csDefaultGx);
    Paint();
    const char* fields[] = {"F_int", "F_text", "F_float"};
    ASSERT_EQ(Seen.size(), 3u);
    for (int c = 0; c < 3; ++c) {
        const std::vector<TRect>& rects = Seen[fields[c]];
        ASSERT_EQ(rects.size(), 4u) << fields[c];
        for (int r = 0; r < 4; ++r) {
            const TRect cell = Grid->CellScreenRect(c + 1, Grid->TitleOffset() + r);
            EXPECT_EQ(rects[static_cast<size_t>(r)], cell) << fields[c] << " row " << r;
            EXPECT_EQ(Shot.Canvas()->Pixels(cell.Left + 1, cell.Top + 1), Mark);
        }
    }
}

TEST_F(DrawDataCellTest, UserDefinedColumnsDoNotCallIt) {
    Grid->BeginLayout();
    for (const char* n : {"F_int", "F_text"}) Grid->Columns()->AddColumn()->SetFieldName(n);
    Grid->EndLayout();
    OpenGrid();
    ASSERT_NE(Grid->Columns()->State(), csDefaultGx);
    Paint();
    EXPECT_TRUE(Seen.empty());
    const TRect cell = Grid->CellScreenRect(1, Grid->TitleOffset());
    EXPECT_NE(Shot.Canvas()->Pixels(cell.Left + 1, cell.Top + 1), Mark);
}
