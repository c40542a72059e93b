// Moving a column the grid made from the data set's fields: its field moves to the place of the
// field shown at the new index, so the next layout, which orders such columns by their fields,
// keeps the column where the user put it.
#include "DBGridGxFixture.h"

#include "gui/InputSimulation.h"

namespace {

String ColumnNames(TDBGridGx* Grid) {
    String s;
    for (int i = 0; i < Grid->Columns()->Count(); ++i)
        s += (i ? "," : "") + Grid->Columns()->ColumnAt(i)->FieldName();
    return s;
}

String FieldNames(TDataSet* DataSet) {
    String s;
    for (TField* f : DataSet->Fields())
        s += (s.empty() ? "" : ",") + f->FieldName();
    return s;
}

} // namespace

TEST_F(DBGridTest, AMovedDefaultColumnStaysThroughTheNextLayout) {
    Fill(2);
    OpenGrid("select F_ID, F_int, F_text, F_float from T_grid order by F_ID");
    ASSERT_EQ(Grid->Columns()->State(), csDefaultGx);
    Q->FieldByName("F_ID")->SetVisible(false); // a hidden field has no column
    ASSERT_EQ(ColumnNames(Grid), "F_int,F_text,F_float");
    struct Case {
        int From, To;
        const char* Columns;
        const char* Fields;
    };
    const Case cases[] = {
        {0, 2, "F_text,F_float,F_int", "F_ID,F_text,F_float,F_int"},
        {2, 0, "F_int,F_text,F_float", "F_ID,F_int,F_text,F_float"},
        {1, 2, "F_int,F_float,F_text", "F_ID,F_int,F_float,F_text"},
        {2, 2, "F_int,F_float,F_text", "F_ID,F_int,F_float,F_text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.From) + " to " + std::to_string(c.To));
        TColumnGx* moved = Grid->Columns()->ColumnAt(c.From);
        moved->SetIndex(c.To);
        EXPECT_EQ(moved->Index(), c.To);
        EXPECT_EQ(ColumnNames(Grid), c.Columns);
        EXPECT_EQ(FieldNames(Q.get()), c.Fields);
        // A layout (here from a field's changed label) builds the columns in the same order.
        Q->FieldByName("F_text")->SetDisplayLabel("label " + std::to_string(c.To));
        Grid->RequestLayout();
        EXPECT_EQ(ColumnNames(Grid), c.Columns);
        EXPECT_TRUE(Grid->Columns()->ColumnAt(0)->IsAutoColumn());
    }
}

TEST_F(DBGridTest, ADraggedDefaultColumnKeepsItsPlace) {
    Fill(2);
    OpenGrid();
    const TRect from = Grid->CellScreenRect(1, 0), to = Grid->CellScreenRect(3, 0);
    const int y = (from.Top + from.Bottom) / 2;
    SimulateMouseDown(Grid, mbLeft, from.Left + 10, y);
    ASSERT_EQ(Grid->GridActivity(), gaColMoving);
    const int below = Grid->CellScreenRect(3, Grid->TitleOffset()).Top + 3;
    SimulateMouseMove(Grid, (to.Left + to.Right) / 2, below, TShiftState{ssLeft});
    SimulateMouseUp(Grid, mbLeft, (to.Left + to.Right) / 2, below);
    EXPECT_EQ(ColumnNames(Grid), "F_text,F_float,F_int");
    Grid->RequestLayout();
    EXPECT_EQ(ColumnNames(Grid), "F_text,F_float,F_int");
    EXPECT_EQ(FieldNames(Q.get()), "F_text,F_float,F_int");
}

// A column the program added keeps its place itself: the data set's fields stay.
TEST_F(DBGridTest, MovingAUserColumnLeavesTheFieldsAlone) {
    Fill(1);
    for (const char* name : {"F_int", "F_text", "F_float"})
        Grid->Columns()->AddColumn()->SetFieldName(name);
    OpenGrid();
    Grid->Columns()->ColumnAt(0)->SetIndex(2);
    EXPECT_EQ(ColumnNames(Grid), "F_text,F_float,F_int");
    EXPECT_EQ(FieldNames(Q.get()), "F_int,F_text,F_float");
}
