// The wheel over a grid whose filter row is being edited goes to the filter editor; the grid's
// record stays. With the editor closed the wheel moves the record.
#include "DBGridGxFixture.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxFilterEdit.h"
#include "gui/InputSimulation.h"

TEST_F(DBGridTest, TheWheelGoesToTheActiveFilterEditor) {
    Fill(10);
    OpenGrid();
    Grid->STFilter()->SetVisible(true);
    struct Case {
        bool EditorOpen;
        int WheelsSeen; // by the filter editor
        int RecNo;      // after one step down from the first record
    };
    for (const Case& c : {Case{true, 1, 1}, Case{false, 0, 2}}) {
        SCOPED_TRACE(c.EditorOpen);
        Q->First();
        if (c.EditorOpen) Grid->ShowFilterEditor(1);
        ASSERT_EQ(Grid->FilterEditorActive(), c.EditorOpen);
        int seen = 0;
        if (TInplaceFilterEditGx* editor = Grid->FilterEditor())
            editor->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
                seen += Delta < 0 ? 1 : 0;
                Handled = true;
            };
        SimulateWheel(Grid, -120, 50, 100);
        EXPECT_EQ(seen, c.WheelsSeen);
        EXPECT_EQ(Q->RecNo(), c.RecNo);
        Grid->EndFilterEditing();
    }
}
