// The grid control, its data link, options, layout lock and cell classification.
#include "DBGridGxFixture.h"

#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxStyle.h"
#include "gui/DeferredCall.h"



TEST_F(DBGridTest, NewGridHasItsDefaults) {
    struct {
        const char* what;
        unsigned got, want;
    } cases[] = {
        {"Options", Grid->Options(), 0x0CFD},
        {"base options", static_cast<unsigned>(Grid->GridOptions().Bits()), 0x0E8F},
        {"OptionsGx", Grid->OptionsGx(), 0x10061},
        {"AllowedSelections", Grid->AllowedSelections, 0x1E},
        {"AllowedOperations", Grid->AllowedOperations, 0x0F},
    };
    for (auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
    // Without data source: one title row, one empty data row, an indicator of 11.
    EXPECT_EQ(Grid->RowsCount(), 2);
    EXPECT_EQ(Grid->ColWidthAt(0), 11);
    EXPECT_TRUE(DefaultGridStyle()->HasGrid(Grid));
}

TEST_F(DBGridTest, RowSelectStripsEditingOptions) {
    Grid->SetOptions(Grid->Options() | dgRowSelect | dgAlwaysShowEditor);
    EXPECT_EQ(Grid->Options() & (dgEditing | dgAlwaysShowEditor), 0);
    EXPECT_TRUE(Grid->GridOptions().Contains(goRowSelect));
    EXPECT_FALSE(Grid->GridOptions().Contains(goEditing));
}

TEST_F(DBGridTest, OnlyGeometryOptionsLayTheGridOut) {
    struct {
        TDBGridOptions bit;
        bool layout;
    } cases[] = {{dgTitles, true},        {dgIndicator, true},     {dgColLines, true},
                 {dgAlwaysShowSelection, true}, {dgColumnResize, false}, {dgTabs, false},
                 {dgConfirmDelete, false}, {dgMultiSelect, false}};
    for (auto& c : cases) {
        int before = Grid->LayoutCount();
        Grid->SetOptions(Grid->Options() ^ c.bit);
        EXPECT_EQ(Grid->LayoutCount() - before, c.layout ? 1 : 0) << std::hex << c.bit;
        Grid->SetOptions(Grid->Options() ^ c.bit);
    }
}

TEST_F(DBGridTest, ManyWritesInOneLayoutLockLayOutOnce) {
    Fill(3);
    OpenGrid();
    int before = Grid->LayoutCount();
    Grid->BeginLayout();
    Grid->SetRowHeight(2);
    Grid->SetRowLines(1);
    Grid->SetFrozenCols(1);
    Grid->Columns()->ColumnAt(0)->SetWidth(90);
    Grid->SetTitleLines(2);
    EXPECT_EQ(Grid->LayoutCount(), before);
    Grid->EndLayout();
    EXPECT_EQ(Grid->LayoutCount(), before + 1);
    EXPECT_EQ(Grid->LayoutLock(), 0);
    EXPECT_EQ(Grid->UpdateLock(), 0);
}

TEST_F(DBGridTest, AtMostOneDeferredLayoutIsQueued) {
    Fill(2);
    OpenGrid();
    for (int i = 0; i < 3; ++i) {
        Grid->BeginLayout();
        Grid->BeginUpdate();
        Grid->DeferLayout();
    }
    EXPECT_TRUE(DeferredCallPending(Grid));
    EXPECT_EQ(Grid->LayoutLock(), 0);
    int before = Grid->LayoutCount();
    Application()->ProcessMessages();
    Application()->ProcessMessages();
    EXPECT_EQ(Grid->LayoutCount(), before + 1);
    EXPECT_FALSE(DeferredCallPending(Grid));
}

TEST_F(DBGridTest, CellTypesByRowKind) {
    Fill(3);
    OpenGrid();
    Grid->STFilter()->SetVisible(true);
    Grid->SetFooterRowCount(1);
    ASSERT_EQ(Grid->TitleOffset(), 2);
    const int footer = Grid->RowsCount();
    struct {
        int col, row;
        int type, dataCol, dataRow;
    } cases[] = {
        {0, 0, 0, -1, 0},                                  // indicator title
        {2, 0, 1, 1, 0},                                   // data column title
        {1, 1, ctFilterRowGx | 1, 0, 0},                   // filter row
        {0, 1, ctFilterRowGx, -1, 0},                      // indicator of the filter row
        {1, 2, ctDataRowGx | 1, 0, 0},                     // first data row
        {2, 3, ctDataRowGx | 1, 1, 1},
        {0, 3, ctDataRowGx, -1, 1},                        // row indicator
        {1, footer, ctFooterRowGx | 1, 0, 0},              // footer row
    };
    for (auto& c : cases) {
        int dc = 99, dr = 99;
        EXPECT_EQ(Grid->GetCellType(c.col, c.row, dc, dr), c.type) << c.col << "," << c.row;
        EXPECT_EQ(dc, c.dataCol) << c.col << "," << c.row;
        EXPECT_EQ(dr, c.dataRow) << c.col << "," << c.row;
    }
    int dc = 0, dr = 0;
    try {
        Grid->GetCellType(1, footer + 1, dc, dr);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Algorithm error in TCustomDBGridGx.GetCellType");
    }
}

TEST_F(DBGridTest, ColumnsByFieldNameAndTheFieldMap) {
    Fill(1);
    Run("create table T_wide (" + [] {
        String s;
        for (int i = 0; i < 9; ++i) s += String(i ? ", " : "") + "F" + IntToStr(i) + " long";
        return s;
    }() + ")");
    EXPECT_EQ(Grid->DataLink()->FieldCapacity(), 0);
    OpenGrid();
    EXPECT_EQ(Grid->ColumnByFieldName("f_TEXT")->FieldName(), "F_text");
    try {
        Grid->ColumnByFieldName("F_none");
        FAIL();
    } catch (const EInvalidGridOperationGx& e) {
        EXPECT_EQ(e.Message(), "Field name 'F_none' not found");
    }
    EXPECT_EQ(Grid->DataLink()->FieldCapacity(), 8);
    Grid->SetDataSource(nullptr);
    auto wide = Query("select * from T_wide");
    wide->Open();
    TDataSource src(nullptr);
    src.SetDataSet(wide.get());
    Grid->SetDataSource(&src);
    EXPECT_EQ(Grid->DataLink()->FieldCount(), 9);
    EXPECT_EQ(Grid->DataLink()->FieldCapacity(), 16);
    Grid->SetDataSource(nullptr);
}

TEST_F(DBGridTest, ColumnNamingAMissingFieldStaysUnbound) {
    Fill(2);
    TColumnGx* a = Grid->Columns()->AddColumn();
    a->SetFieldName("F_int");
    TColumnGx* b = Grid->Columns()->AddColumn();
    b->SetFieldName("F_gone");
    OpenGrid();
    ASSERT_EQ(Grid->Columns()->Count(), 2);
    EXPECT_EQ(Grid->Columns()->State(), csCustomizedGx);
    EXPECT_NE(a->Field(), nullptr);
    EXPECT_EQ(b->Field(), nullptr);
    EXPECT_EQ(b->CurrentCellText(), "");
    EXPECT_EQ(Grid->DataLink()->Fields(1), nullptr);
    EXPECT_FALSE(Grid->DataLink()->DefaultFields());
}

TEST_F(DBGridTest, AvailabilityFollowsDataAndOperations) {
    EXPECT_FALSE(Grid->CanCopySelection());
    Fill(2);
    OpenGrid();
    EXPECT_FALSE(Grid->CanCopySelection()); // nothing selected yet
    Grid->Selection()->SelectAll();
    EXPECT_TRUE(Grid->CanCopySelection());
    EXPECT_TRUE(Grid->CanDeleteSelection());
    Grid->AllowedOperations = alopInsertGx;
    EXPECT_FALSE(Grid->CanDeleteSelection());
    Grid->SetReadOnly(true);
    EXPECT_FALSE(Grid->CanModifyData());
    EXPECT_FALSE(Grid->CanPasteIntoGrid());
}

TEST(DBGridGxMeasure, MeasuresBeforeTheWindowExists) {
    TDBGridGx grid(nullptr);
    PinFont(grid.Font());
    EXPECT_GT(grid.MeasureTextWidth(grid.Font(), "0"), 0);
    EXPECT_GT(grid.MeasureMetrics(grid.Font()).tmHeight, 0);
    EXPECT_GT(grid.DefRowHeight(), 0);
}
