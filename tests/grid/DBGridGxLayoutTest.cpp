// The layout: row heights, auto-fit, frozen and hidden columns, the indicator.
#include "DBGridGxFixture.h"

TEST_F(DBGridTest, RowHeightAndRowLines) {
    Fill(2);
    OpenGrid();
    Grid->SetRowHeight(2);
    Grid->SetRowLines(1);
    TTextMetric tm = Grid->MeasureMetrics(Grid->Font());
    EXPECT_EQ(Grid->DefRowHeight(), 2 + tm.tmExternalLeading + tm.tmHeight);
}

TEST_F(DBGridTest, FitRowHeightToTextSnapsToWholeLines) {
    Fill(2);
    OpenGrid();
    int h = Grid->MeasureTextHeight(Grid->Font(), "Wg");
    int k = 3 + Grid->LineWidth();
    struct {
        double lines;
        int want;
    } cases[] = {{1.4, 1}, {1.6, 2}, {0.3, 1}};
    for (auto& c : cases) {
        Grid->BeginLayout();
        Grid->SetOptionsGx(Grid->OptionsGx() & ~dghFitRowHeightToText);
        Grid->SetRowLines(0);
        Grid->SetRowHeight(k + static_cast<int>(c.lines * h));
        Grid->EndLayout();
        Grid->SetOptionsGx(Grid->OptionsGx() | dghFitRowHeightToText);
        EXPECT_EQ(Grid->DefRowHeight(), c.want * h + k) << c.lines;
        EXPECT_EQ(Grid->RowLines(), c.want) << c.lines;
        EXPECT_EQ(Grid->RowHeight(), k) << c.lines;
    }
}

class AutoFitTest : public DBGridTest {
protected:
    void Open(std::vector<int> bases) {
        Fill(2);
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"}) Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->EndLayout();
        OpenGrid();
        Grid->SetAutoFitColWidths(true);
        for (int i = 0; i < 3; ++i) Grid->Columns()->ColumnAt(i)->AutoFitBaseWidth = bases[static_cast<size_t>(i)];
    }
    // The room the columns share: client width less indicator and lines.
    int Room() { return Grid->ClientWidth() - Grid->ColWidthAt(0) - 3 - 1; }
    int Width(int i) { return Grid->Columns()->ColumnAt(i)->Width(); }
};

TEST_F(AutoFitTest, AColumnHeldByItsMaximumLeavesTheRestToTheOthers) {
    Open({100, 100, 100});
    Grid->Columns()->ColumnAt(1)->SetMaxWidth(30);
    for (int i = 0; i < 3; ++i) Grid->Columns()->ColumnAt(i)->AutoFitBaseWidth = 100;
    Grid->RequestLayout();
    EXPECT_EQ(Width(1), 30);
    EXPECT_NEAR(Width(0), Width(2), 1);
    EXPECT_EQ(Width(0) + Width(1) + Width(2), Room());
}

TEST_F(AutoFitTest, BaseSumOfZeroGivesTheRemainderToTheLastColumn) {
    Open({0, 0, 0});
    Grid->RequestLayout();
    EXPECT_EQ(Width(0), 0);
    EXPECT_EQ(Width(1), 0);
    EXPECT_EQ(Width(2), Room());
}

TEST_F(AutoFitTest, ResizeAgainstAWidthOfZeroKeepsTheBaseWidth) {
    Open({0, 0, 0});
    Grid->RequestLayout();
    ASSERT_EQ(Grid->ColWidthAt(1), 0);
    TColumnGx* c = Grid->Columns()->ColumnAt(0);
    c->AutoFitBaseWidth = 50;
    Grid->BeginUpdate(); // the report of the new width, without the layout that follows it
    c->SetWidth(40);
    Grid->EndUpdate();
    EXPECT_EQ(c->AutoFitBaseWidth, 50);
    EXPECT_EQ(Grid->Columns()->ColumnAt(1)->AutoFitBaseWidth, 0);
}

TEST_F(DBGridTest, HiddenColumnsInTheFrozenRangeDoNotCount) {
    Fill(1);
    Grid->BeginLayout();
    for (const char* n : {"F_int", "F_text", "F_float"}) Grid->Columns()->AddColumn()->SetFieldName(n);
    Grid->EndLayout();
    Grid->BeginLayout();
    Grid->Columns()->ColumnAt(0)->SetVisible(false);
    Grid->SetFrozenCols(1);
    Grid->EndLayout();
    OpenGrid();
    EXPECT_EQ(Grid->FixedColsCount(), 1 + 1 + 1);
    EXPECT_EQ(Grid->FrozenColCount(), 1);
}

TEST_F(DBGridTest, FrozenOrContraColumnsBeyondTheColumnsStillOpen) {
    Fill(2);
    struct {
        int frozen, contra;
    } cases[] = {{5, 4}, {3, 0}, {2, 2}, {0, 3}};
    for (auto& c : cases) {
        Grid->SetDataSource(nullptr);
        Source.SetDataSet(nullptr);
        Grid->SetFrozenCols(c.frozen);
        Grid->SetContraColCountGx(c.contra);
        EXPECT_NO_THROW(OpenGrid()) << c.frozen << " " << c.contra;
        ASSERT_EQ(Grid->Columns()->Count(), 3);
        EXPECT_EQ(Grid->ColsCount() + Grid->ContraColCount(), 4) << c.frozen << " " << c.contra;
        EXPECT_LT(Grid->FixedColsCount(), Grid->ColsCount()) << c.frozen << " " << c.contra;
        EXPECT_GE(Grid->ContraColCount(), 0) << c.frozen << " " << c.contra;
        EXPECT_EQ(Grid->FrozenColCount(), std::min(c.frozen, 2)) << c.frozen << " " << c.contra;
    }
}

TEST_F(DBGridTest, IndicatorWidthFollowsTheSerialNumbers) {
    Fill(1234);
    OpenGrid();
    EXPECT_EQ(Grid->ColWidthAt(0), 11);
    Grid->ShowSerialNo = true;
    Grid->RequestLayout();
    const int width = Grid->MeasureTextWidth(Grid->Font(), "1234") + 11;
    EXPECT_EQ(Grid->ColWidthAt(0), width);
    // Measured in the grid's font whatever the canvas last held (a title click left the title
    // font there, and the whole grid moved right by the difference).
    Grid->Canvas()->Font()->SetHeight(-30);
    Grid->RequestLayout();
    EXPECT_EQ(Grid->ColWidthAt(0), width);
}

TEST_F(DBGridTest, SerialNumberNeverLeavesTheIndicator) {
    EXPECT_EQ(TCustomDBGridGx::SerialNoX(51, 20), 10);
    EXPECT_EQ(TCustomDBGridGx::SerialNoX(11, 20), 0);
}

TEST_F(DBGridTest, AutomaticColumnsMakeWayForUserDefinedOnes) {
    Fill(1);
    OpenGrid();
    ASSERT_EQ(Grid->Columns()->Count(), 3);
    EXPECT_EQ(Grid->Columns()->State(), csDefaultGx);
    TColumnGx* mine = Grid->Columns()->AddColumn();
    mine->SetFieldName("F_text");
    Grid->RequestLayout();
    ASSERT_EQ(Grid->Columns()->Count(), 1);
    EXPECT_EQ(Grid->Columns()->ColumnAt(0), mine);
    EXPECT_EQ(Grid->Columns()->State(), csCustomizedGx);
}
