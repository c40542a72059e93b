// Columns: own values over defaults, widths, sort markers and the stored form.
#include "DBGridGxFixture.h"

#include "classes/Meta.h"

TEST_F(DBGridTest, ColumnColourFollowsTheGridUntilSet) {
    TColumnGx* c = Grid->Columns()->AddColumn();
    Grid->SetColor(clYellow);
    EXPECT_EQ(c->Color(), clYellow);
    c->SetColor(clYellow); // the value it shows: flagged, yet not stored
    EXPECT_TRUE(c->Flagged(cvColor));
    EXPECT_FALSE(c->IsColorStored());
    Grid->SetColor(clAqua);
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_TRUE(c->IsColorStored());
    c->ResetToDefaults();
    EXPECT_EQ(c->Color(), clAqua);
}

TEST_F(DBGridTest, WidthLimitsAndMinusOne) {
    TColumnGx* c = Grid->Columns()->AddColumn();
    c->SetMaxWidth(50);
    c->SetMinWidth(80);
    EXPECT_EQ(c->ClampWidth(100), 50);
    EXPECT_EQ(c->ClampWidth(60), 80);
    TColumnGx* d = Grid->Columns()->AddColumn();
    d->SetWidth(70);
    int layouts = Grid->LayoutCount();
    d->SetWidth(-1);
    EXPECT_EQ(d->Width(), 70);
    EXPECT_GT(Grid->LayoutCount() + Grid->ColWidthAt(d->Index() + 1), layouts); // still notified
}

TEST_F(DBGridTest, DefaultWidthMeasuresTheDisplayWidth) {
    TDBGridColumnsGx loose(nullptr);
    EXPECT_EQ(loose.AddColumn()->Width(), 64);
    Fill(1);
    OpenGrid();
    TColumnGx* c = Grid->Columns()->ColumnAt(1);
    TField* f = c->Field();
    ASSERT_NE(f, nullptr);
    int w0 = Grid->MeasureTextWidth(c->Font(), "0");
    int o = Grid->MeasureMetrics(c->Font()).tmOverhang;
    EXPECT_EQ(c->Width(), (w0 - o) * f->DisplayWidth() + o + 4);
    TColumnGx* unbound = Grid->Columns()->AddColumn();
    EXPECT_EQ(unbound->Width(), Grid->DefColWidth());
}

TEST_F(DBGridTest, SingleSortMarking) {
    TColumnGx* a = Grid->Columns()->AddColumn();
    TColumnGx* b = Grid->Columns()->AddColumn();
    a->Title()->SetSortMarker(smUpGx);
    b->Title()->SetSortMarker(smDownGx);
    EXPECT_EQ(a->Title()->SortMarker(), smNoneGx);
    EXPECT_EQ(b->Title()->SortIndex(), 1);
    ASSERT_EQ(Grid->SortMarkedColumns().Count(), 1);
    EXPECT_EQ(Grid->SortMarkedColumns().ColumnAt(0), b);
}

TEST_F(DBGridTest, MultiSortMarkingNumbersAndSwaps) {
    Grid->SetOptionsGx(Grid->OptionsGx() | dghMultiSortMarking);
    TColumnGx* a = Grid->Columns()->AddColumn();
    TColumnGx* b = Grid->Columns()->AddColumn();
    TColumnGx* c = Grid->Columns()->AddColumn();
    for (TColumnGx* col : {a, b, c}) col->Title()->SetSortMarker(smDownGx);
    EXPECT_EQ(a->Title()->SortIndex(), 1);
    EXPECT_EQ(b->Title()->SortIndex(), 2);
    EXPECT_EQ(c->Title()->SortIndex(), 3);
    b->Title()->SetSortMarker(smNoneGx);
    EXPECT_EQ(c->Title()->SortIndex(), 2);
    EXPECT_EQ(Grid->SortMarkedColumns().Items(), (std::vector<TColumnGx*>{a, c}));
    c->Title()->SetSortIndex(1);
    EXPECT_EQ(c->Title()->SortIndex(), 1);
    EXPECT_EQ(a->Title()->SortIndex(), 2);
    EXPECT_EQ(Grid->SortMarkedColumns().Items(), (std::vector<TColumnGx*>{c, a}));
}

TEST_F(DBGridTest, StepSortMarkerCycles) {
    TColumnGx* a = Grid->Columns()->AddColumn();
    struct {
        bool ctrl;
        std::vector<TSortMarkerGx> seen;
    } cases[] = {{false, {smDownGx, smUpGx, smDownGx, smUpGx}}, {true, {smDownGx, smUpGx, smNoneGx, smDownGx}}};
    for (auto& c : cases) {
        a->Title()->SetSortMarker(smNoneGx);
        std::vector<TSortMarkerGx> seen;
        for (int i = 0; i < 4; ++i) {
            a->Title()->StepSortMarker(c.ctrl);
            seen.push_back(a->Title()->SortMarker());
        }
        EXPECT_EQ(seen, c.seen) << c.ctrl;
    }
}

TEST_F(DBGridTest, TitleCaptionDefaultsAndStoring) {
    Fill(1);
    TColumnGx* c = Grid->Columns()->AddColumn();
    c->SetFieldName("F_text");
    EXPECT_EQ(c->Title()->Caption(), "F_text"); // no field yet
    OpenGrid();
    c->Field()->SetDisplayLabel("Text");
    EXPECT_EQ(c->Title()->Caption(), "Text");
    c->Title()->SetCaption("Text");
    EXPECT_FALSE(c->Title()->IsCaptionStored());
    c->Title()->SetCaption("Name");
    EXPECT_TRUE(c->Title()->IsCaptionStored());
}

TEST_F(DBGridTest, ColumnsIndexReadsAndReorders) {
    TDBGridColumnsGx loose(nullptr);
    TDBGridColumnsGx* cols = &loose;
    EXPECT_EQ(cols->ColumnsIndex(), "");
    for (const char* n : {"A", "B", "C"}) cols->AddColumn()->SetFieldName(n);
    EXPECT_EQ(cols->ColumnsIndex(), "\"A\",\"B\",\"C\"");
    cols->SetColumnsIndex("\"C\",\"X\",\"A\"");
    EXPECT_EQ(cols->ColumnsIndex(), "\"C\",\"B\",\"A\"");
}

TEST_F(DBGridTest, PublishedDefaultsAreNotStored) {
    TColumnGx* c = Grid->Columns()->AddColumn();
    const meta::TClassInfo& info = *c->ClassInfo();
    const meta::TPropInfo* width = info.FindProperty("Width");
    ASSERT_NE(width, nullptr);
    ASSERT_TRUE(width->StoredFunc);
    EXPECT_FALSE(width->StoredFunc(*c));
    c->SetWidth(120);
    EXPECT_TRUE(width->StoredFunc(*c));
}

// The reading order follows the grid until set, is stored whenever set (also to the grid's value),
// is never copied, and takes effect only under a right-to-left system locale.
TEST_F(DBGridTest, ColumnBiDiModeFollowsTheGridUntilSet) {
    TColumnGx* c = Grid->Columns()->AddColumn();
    const meta::TPropInfo* prop = c->ClassInfo()->FindProperty("BiDiMode");
    ASSERT_NE(prop, nullptr);
    ASSERT_TRUE(prop->StoredFunc);
    EXPECT_EQ(c->BiDiMode(), bdLeftToRight);
    EXPECT_FALSE(prop->StoredFunc(*c));
    SetControlBiDiMode(Grid, bdRightToLeft);
    EXPECT_EQ(c->BiDiMode(), bdRightToLeft);
    c->SetBiDiMode(bdRightToLeft);
    EXPECT_TRUE(prop->StoredFunc(*c));
    SetControlBiDiMode(Grid, bdLeftToRight);
    EXPECT_EQ(c->BiDiMode(), bdRightToLeft);
    // This system's locale reads left to right whatever the mode.
    EXPECT_FALSE(c->ReadsRightToLeft());
    EXPECT_FALSE(c->AlignsRightToLeft());
    TColumnGx* copy = Grid->Columns()->AddColumn();
    copy->Assign(c);
    EXPECT_FALSE(copy->Flagged(cvBiDiMode));
    c->ResetToDefaults();
    EXPECT_EQ(c->BiDiMode(), bdLeftToRight);
    EXPECT_FALSE(prop->StoredFunc(*c));
}
