// User-defined columns in the grid's stored form: written as "Columns" with every column's stored
// properties, its footers among them (own values only, a footers collection nested), and read back
// into another grid whose footers register their aggregates again.
#include "DBGridGxFixture.h"
#include "classes/Filer.h"

#include <gtest/gtest.h>

namespace {

class StoredColumnsTest : public DBGridTest {
protected:
    // Writes the grid's extra properties and reads them into a new grid on the form.
    TTestDBGrid* RoundTrip() {
        TMemoryStream m;
        TWriter w(m);
        w.WriteProperties(*Grid);
        Written = m.Size();
        m.SetPosition(0);
        auto* copy = new TTestDBGrid(&form);
        copy->SetParent(&form);
        if (Written > 0) {
            TReader r(m);
            r.ReadProperties(*copy);
        }
        return copy;
    }
    Int64 Written = 0;
};

} // namespace

TEST_F(StoredColumnsTest, FootersTravelWithTheirColumns) {
    Fill(4);
    Grid->BeginLayout();
    for (const char* n : {"F_int", "F_text", "F_float"}) Grid->Columns()->AddColumn()->SetFieldName(n);
    Grid->SetFooterRowCount(2);
    Grid->EndLayout();
    TColumnGx* c0 = Grid->Columns()->ColumnAt(0);
    c0->Footer()->SetValueType(fvtSum);
    c0->Footer()->SetDisplayFormat(",0.00");
    c0->Footer()->SetAlignment(taCenter);
    TColumnGx* c1 = Grid->Columns()->ColumnAt(1);
    c1->Footer()->SetValueType(fvtStaticText);
    c1->Footer()->SetValue("合  计");
    c1->Footer()->Font()->SetName("Liberation Serif");
    c1->Footer()->Font()->SetHeight(-15);
    c1->Footer()->SetWordWrap(true);
    TColumnGx* c2 = Grid->Columns()->ColumnAt(2);
    c2->Footer()->SetValueType(fvtAvg);
    c2->Footers()->Add()->SetValueType(fvtCount);
    TColumnFooterGx* value = c2->Footers()->Add();
    value->SetValueType(fvtFieldValue);
    value->SetFieldName("F_text");
    value->SetToolTips(true);

    TTestDBGrid* copy = RoundTrip();
    ASSERT_GT(Written, 0);
    ASSERT_EQ(copy->Columns()->Count(), 3);
    EXPECT_EQ(copy->Columns()->State(), csCustomizedGx);
    TColumnGx* d0 = copy->Columns()->ColumnAt(0);
    TColumnGx* d1 = copy->Columns()->ColumnAt(1);
    TColumnGx* d2 = copy->Columns()->ColumnAt(2);
    EXPECT_EQ(d0->FieldName(), "F_int");
    EXPECT_EQ(d0->Footer()->ValueType(), fvtSum);
    EXPECT_EQ(d0->Footer()->DisplayFormat(), ",0.00");
    EXPECT_EQ(d0->Footer()->Alignment(), taCenter);
    EXPECT_EQ(d0->Footer()->AssignedValues(), favAlignmentGx);
    EXPECT_EQ(d1->Footer()->ValueType(), fvtStaticText);
    EXPECT_EQ(d1->Footer()->Value(), "合  计");
    EXPECT_TRUE(d1->Footer()->WordWrap());
    EXPECT_TRUE(d1->Footer()->AssignedValues() & favFontGx);
    EXPECT_EQ(d1->Footer()->Font()->Name(), "Liberation Serif");
    EXPECT_EQ(d1->Footer()->Font()->Height(), -15);
    EXPECT_FALSE(d0->Footer()->AssignedValues() & favFontGx) << "an unassigned font is not stored";
    EXPECT_EQ(d2->Footer()->ValueType(), fvtAvg);
    ASSERT_EQ(d2->Footers()->Count(), 2);
    EXPECT_EQ(d2->Footers()->Items(0)->ValueType(), fvtCount);
    EXPECT_EQ(d2->Footers()->Items(1)->ValueType(), fvtFieldValue);
    EXPECT_EQ(d2->Footers()->Items(1)->FieldName(), "F_text");
    EXPECT_TRUE(d2->Footers()->Items(1)->ToolTips());
    EXPECT_EQ(d1->Footers()->Count(), 0);

    // The read footers registered their aggregates with the new grid's sum list.
    ASSERT_NE(d0->Footer()->Aggregate(), nullptr);
    EXPECT_EQ(d0->Footer()->Aggregate()->Collection(), copy->SumList()->SumCollection());
    ASSERT_NE(d2->Footers()->Items(0)->Aggregate(), nullptr);
    copy->SetFooterRowCount(2);
    copy->SumList()->SetActive(true);
    Q = Query("select F_int, F_text, F_float from T_grid order by F_ID");
    Q->Open();
    Source.SetDataSet(Q.get());
    copy->SetDataSource(&Source);
    EXPECT_EQ(copy->FooterValueText(0, d0), "10.00");
    EXPECT_EQ(copy->FooterValueText(0, d2), "4");
    EXPECT_EQ(copy->FooterValueText(1, d2), "t1");
    EXPECT_EQ(copy->FooterValueText(0, d1), "合  计");
    copy->SetDataSource(nullptr);
}

TEST_F(StoredColumnsTest, DefaultColumnsAreNotStored) {
    Fill(2);
    OpenGrid();
    ASSERT_EQ(Grid->Columns()->State(), csDefaultGx);
    TTestDBGrid* copy = RoundTrip();
    EXPECT_EQ(Written, 0);
    EXPECT_EQ(copy->Columns()->Count(), 0);
}

TEST_F(StoredColumnsTest, AssignedColumnsCopyTheirFooters) {
    Grid->Columns()->AddColumn()->SetFieldName("F_int");
    TColumnGx* c = Grid->Columns()->ColumnAt(0);
    c->Footer()->SetValueType(fvtSum);
    c->Footers()->Add()->SetValue("x");
    TColumnGx* d = Grid->Columns()->AddColumn();
    d->Assign(c);
    EXPECT_EQ(d->Footer()->ValueType(), fvtSum);
    ASSERT_EQ(d->Footers()->Count(), 1);
    EXPECT_EQ(d->Footers()->Items(0)->Value(), "x");
    EXPECT_NE(d->Footer()->Aggregate(), c->Footer()->Aggregate());
}
