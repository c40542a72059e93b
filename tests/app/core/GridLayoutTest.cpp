// Grid layouts in cfg_Grid: loaded over the designed columns when the window key has rows, saved
// into the rows that exist, with keys and captions as parameters.
#include "GridServicesFixture.h"

namespace {

class GridLayout : public GridServices {
protected:
    // Every cfg_Grid row, for comparing the table before and after.
    std::vector<String> LayoutRows() {
        return Rows(
            "select F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_DisplayFormat, "
            "F_FooterValue, F_FooterType, F_Alignment, F_Order from cfg_Grid order by F_name, F_Order");
    }
};

TEST_F(GridLayout, TheShippedLayoutOfAWindowReplacesTheDesignedColumns) {
    AddColumn(Grid, "F_designed", "设计");
    Dm->LoadGridLayout(Grid, "fcinfogl"); // the key without regard to case
    ASSERT_EQ(Grid->Columns()->Count(), 32);
    TColumnGx* estate = Grid->Columns()->ColumnAt(0);
    EXPECT_EQ(estate->FieldName(), "F_XQname");
    EXPECT_EQ(estate->Title()->Caption(), "小区名称");
    EXPECT_EQ(estate->Title()->Alignment(), taCenter);
    EXPECT_EQ(estate->Width(), 80);
    EXPECT_TRUE(estate->Visible());
    EXPECT_FALSE(estate->ReadOnly());
    EXPECT_EQ(estate->Footer()->ValueType(), fvtStaticText);
    EXPECT_EQ(estate->Footer()->Value(), "合  计");
    EXPECT_EQ(Grid->Columns()->ColumnAt(13)->FieldName(), "F_HTprice");
    EXPECT_EQ(Grid->Columns()->ColumnAt(13)->Footer()->ValueType(), fvtSum);
    EXPECT_EQ(Grid->Columns()->ColumnAt(31)->FieldName(), "F_mem3");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(GridLayout, AKeyWithoutRowsKeepsTheDesignAndSavesNothing) {
    AddColumn(Grid, "F_code", "编号");
    AddColumn(Grid, "F_name", "名称");
    const std::vector<String> before = LayoutRows();
    Dm->LoadGridLayout(Grid, "NoSuchWindow");
    EXPECT_EQ(Fields(Grid), (std::vector<String>{"F_code", "F_name"}));
    EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Title()->Caption(), "编号");
    Dm->SaveGridLayout(Grid, "NoSuchWindow");
    EXPECT_EQ(LayoutRows(), before);
    EXPECT_TRUE(Messages.empty());
}

// Rows of one key as a fixture writes them; the F_Alignment and F_FooterType columns vary.
TEST_F(GridLayout, StoredValuesLoadAndSaveBack) {
    Dm->RunSQL("insert into cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, "
               "F_DisplayFormat, F_FooterValue, F_FooterType, F_Alignment, F_Order) values "
               "('TestGL', 'F_a', 'A', 60, True, False, '0.##', '', 3, 0, 0), "
               "('TestGL', '', 'skipped', 60, True, False, '', '', 0, 0, 1), "
               "('TestGL', 'F_b', 'B', 70, False, True, '', '合计', 1, 1, 2), "
               "('TestGL', 'F_c', 'C', 80, True, False, '￥,0.00', '', 2, 2, 3), "
               "('TestGL', 'F_d', 'D', 90, True, False, '', '', 0, 7, 4)");
    Dm->LoadGridLayout(Grid, "TestGL");
    ASSERT_EQ(Fields(Grid), (std::vector<String>{"F_a", "F_b", "F_c", "F_d"}));
    const struct {
        TFooterValueType Footer;
        bool Aligned;
        TAlignment Alignment;
    } expected[] = {{fvtNon, true, taLeftJustify},
                    {fvtStaticText, true, taCenter},
                    {fvtSum, true, taRightJustify},
                    {fvtNon, false, taLeftJustify}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        TColumnGx* column = Grid->Columns()->ColumnAt(i);
        EXPECT_EQ(column->Footer()->ValueType(), expected[i].Footer);
        EXPECT_EQ(column->Flagged(cvAlignment), expected[i].Aligned); // 7: the grid's default
        if (expected[i].Aligned) {
            EXPECT_EQ(column->Alignment(), expected[i].Alignment);
            EXPECT_EQ(column->Footer()->Alignment(), expected[i].Alignment);
        }
    }
    EXPECT_EQ(Grid->Columns()->ColumnAt(0)->DisplayFormat(), "0.##");
    EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Footer()->DisplayFormat(), "0.##");
    EXPECT_FALSE(Grid->Columns()->ColumnAt(1)->Visible());
    EXPECT_TRUE(Grid->Columns()->ColumnAt(1)->ReadOnly());
    EXPECT_EQ(Grid->Columns()->ColumnAt(1)->Footer()->Value(), "合计");

    Dm->SaveGridLayout(Grid, "TestGL");
    EXPECT_EQ(
        Rows("select F_FieldName, F_FooterType, F_Alignment, F_Order from cfg_Grid where F_name = 'TestGL' "
             "and F_FieldName <> '' order by F_Order"),
        (std::vector<String>{"F_a|0|0|0", "F_b|1|1|1", "F_c|2|2|2", "F_d|0|0|3"}));
    EXPECT_TRUE(Messages.empty());
}

// The next opening shows what was saved: order, widths, visibility and a caption with a quote.
TEST_F(GridLayout, OrderWidthsAndAQuotedCaptionComeBackNextTime) {
    Dm->LoadGridLayout(Grid, "XQinfoGL");
    ASSERT_EQ(Grid->Columns()->Count(), 11);
    Grid->Columns()->ColumnAt(2)->SetIndex(0); // F_address moved to the front
    Grid->Columns()->ColumnAt(1)->SetWidth(133);
    Grid->Columns()->ColumnAt(1)->Title()->SetCaption("O'Neil");
    Grid->Columns()->ColumnAt(3)->SetVisible(false);
    Dm->SaveGridLayout(Grid, "XQinfoGL");
    EXPECT_TRUE(Messages.empty());

    TDBGridGx* next = NewGrid();
    Dm->LoadGridLayout(next, "XQinfoGL");
    ASSERT_EQ(next->Columns()->Count(), 11);
    EXPECT_EQ(Fields(next)[0], "F_address");
    EXPECT_EQ(Fields(next)[1], "F_code");
    EXPECT_EQ(next->Columns()->ColumnAt(1)->Width(), 133);
    EXPECT_EQ(next->Columns()->ColumnAt(1)->Title()->Caption(), "O'Neil");
    EXPECT_FALSE(next->Columns()->ColumnAt(3)->Visible());
    EXPECT_TRUE(next->Columns()->ColumnAt(4)->Visible());
    EXPECT_EQ(Rows("select count(*) from cfg_Grid where F_name = 'XQinfoGL'"), std::vector<String>{"11"});
}

TEST_F(GridLayout, AFailingReadShowsTheMessageAndAFailingRowDoesNotStopTheOthers) {
    AddColumn(Grid, "F_kept", "保留");
    Dm->ADOcnn()->Execute("alter table cfg_Grid rename to cfg_Grid_away");
    Dm->LoadGridLayout(Grid, "XQinfoGL");
    EXPECT_EQ(Fields(Grid), std::vector<String>{"F_kept"});
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgOperationFailed, 3}}));
    Dm->ADOcnn()->Execute("alter table cfg_Grid_away rename to cfg_Grid");

    // A caption may not repeat within a key: the row that takes another row's caption is refused.
    Messages.clear();
    Dm->LoadGridLayout(Grid, "XQinfoGL");
    Dm->ADOcnn()->Execute("create unique index cfg_Grid_caption on cfg_Grid (F_name, F_Caption)");
    for (int i = 0; i < Grid->Columns()->Count(); ++i)
        Grid->Columns()->ColumnAt(i)->SetWidth(99);
    Grid->Columns()->ColumnAt(1)->Title()->SetCaption(Grid->Columns()->ColumnAt(0)->Title()->Caption());
    Dm->SaveGridLayout(Grid, "XQinfoGL");
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgOperationFailed, 3}}));
    EXPECT_EQ(Rows("select F_FieldName from cfg_Grid where F_name = 'XQinfoGL' and F_Width <> 99"),
              std::vector<String>{"F_name"});
}

} // namespace
