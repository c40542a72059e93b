// The grid's own cursors and which cursor shows where: row selecting over the indicator,
// column selecting over the lower edge of a title, sizing over a title's right edge.
#include "grid/DBGridGxCursors.h"
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/CursorTable.h"
#include "gui/InputSimulation.h"

TEST(DBGridGxCursors, TheThreeCursorsAreRegisteredAndAMissingOneRaises) {
    LoadGridGxCursors();
    for (TCursor c : {crDownCurGx, crRightCurGx, crLeftCurGx})
        EXPECT_TRUE(ScreenCursorRegistered(c)) << c;
    // Each picture is 32 x 32 with the transparent colour in its corner.
    for (int i = 0; i < GridGxCursorResourceCount; ++i) {
        TBitmap b;
        b.LoadFromBytes(std::vector<Byte>(GridGxCursorResources[i].Data,
                                          GridGxCursorResources[i].Data + GridGxCursorResources[i].Size));
        EXPECT_EQ(b.Width(), 32) << GridGxCursorResources[i].Name;
        EXPECT_EQ(b.Height(), 32);
        EXPECT_EQ(ColorToRGB(b.Canvas()->Pixels(31, 31)), ColorToRGB(TColor(RGB(255, 0, 255))));
    }
    const Byte notAPicture[] = {1, 2, 3};
    const TGridGxResource broken[] = {
        GridGxCursorResources[0],
        GridGxCursorResources[1],
        {"LEFTCURGX", notAPicture, sizeof(notAPicture)},
    };
    struct Case {
        const char* Name;
        int Count;
    };
    for (const Case& c : {Case{"missing", 2}, Case{"unreadable", 3}}) {
        try {
            RegisterGridGxCursors(broken, c.Count);
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(e.Message(), "Cannot load cursor resource") << c.Name;
        }
    }
}

namespace {

class DBGridCursorTest : public DBGridTest {
protected:
    TCursor CursorOver(int X, int Y) {
        SimulateMouseMove(Grid, X, Y);
        return Grid->Cursor();
    }
};

} // namespace

TEST_F(DBGridCursorTest, CursorChoiceOverTheGrid) {
    Fill(5);
    OpenGrid();
    const TRect title = Grid->CellScreenRect(2, 0);
    const TRect indicator = Grid->CellScreenRect(0, Grid->TitleOffset() + 1);
    const TRect data = Grid->CellScreenRect(2, Grid->TitleOffset() + 1);
    const TPoint titleLow(title.Left + 10, title.Bottom - 3), titleHigh(title.Left + 10, title.Bottom - 9);
    const TPoint inIndicator(indicator.Left + 3, indicator.Top + 3), inData(data.Left + 5, data.Top + 3);
    struct Case {
        const char* Name;
        TDBGridOptions Options;
        TDBGridGxAllowedSelections Allowed;
        bool RightToLeft;
        TPoint At;
        TCursor Want;
    };
    const TDBGridOptions plain = Grid->Options(), multi = plain | dgMultiSelect;
    const Case cases[] = {
        {"indicator, multi-select", multi, 0x1E, false, inIndicator, crRightCurGx},
        {"indicator, right to left", multi, 0x1E, true, inIndicator, crLeftCurGx},
        {"indicator, single select", plain, 0x1E, false, inIndicator, crDefault},
        {"indicator, no marked rows allowed", multi, 0x1E & ~(1 << gstRecordBookmarks), false, inIndicator,
         crDefault},
        {"lowest title pixels", multi, 0x1E, false, titleLow, crDownCurGx},
        {"upper title part", multi, 0x1E, false, titleHigh, crDefault},
        {"title with whole rows", TDBGridOptions(multi | dgRowSelect), 0x1E, false, titleLow, crDefault},
        {"title, columns not allowed", multi, 0x1E & ~(1 << gstColumns), false, titleLow, crDefault},
        {"data cell", multi, 0x1E, false, inData, crDefault},
        {"title edge", multi, 0x1E, false, TPoint(title.Right, title.Top + 3), crHSplit},
    };
    for (const Case& c : cases) {
        Grid->SetOptions(c.Options);
        Grid->SetAllowedSelections(c.Allowed);
        Grid->SetRightToLeft(c.RightToLeft);
        TPoint at = c.At;
        if (c.RightToLeft) at.X = Grid->ClientWidth() - 1 - at.X;
        EXPECT_EQ(CursorOver(at.X, at.Y), c.Want) << c.Name;
        Grid->SetRightToLeft(false);
    }
    // An empty data set has no rows to select.
    Grid->SetOptions(multi);
    Grid->SetAllowedSelections(0x1E);
    Run("delete from T_grid");
    Q->Requery();
    EXPECT_EQ(CursorOver(inIndicator.X, Grid->CellScreenRect(0, Grid->TitleOffset()).Top + 3), crDefault);
}

TEST_F(DBGridCursorTest, RowBordersSizeOnlyInTheIndicator) {
    Fill(5);
    OpenGrid();
    Grid->SetRowSizingAllowed(true);
    const TRect row = Grid->CellScreenRect(0, Grid->TitleOffset());
    EXPECT_EQ(CursorOver(row.Left + 3, row.Bottom), crVSplit);
    // The frozen first data column lies in the fixed part too, but its row borders do not size.
    Grid->SetFrozenCols(1);
    const TRect frozen = Grid->CellScreenRect(1, Grid->TitleOffset());
    EXPECT_EQ(CursorOver(frozen.Left + 5, frozen.Bottom), crDefault);
}
