// Footer cell descriptions, their aggregates in the grid's sum list and the texts of footer cells.
#include "DBGridGxFixture.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"

#include <gtest/gtest.h>

namespace {

class FooterTest : public DBGridTest {
protected:
    // Rows with the given integers (F_text the integer as text, F_float = the integer + 0.25).
    void Rows(std::vector<int> Ints) {
        Cnn->BeginTrans();
        for (int v : Ints)
            Run("insert into T_grid (F_int, F_text, F_float) values (" + IntToStr(v) + ", '" + IntToStr(v) + "', " +
                FloatToStr(v + 0.25) + ")");
        Cnn->CommitTrans();
    }
    // Custom columns over the three fields, footer row count 1, an active sum list.
    void Open() {
        Grid->BeginLayout();
        for (const char* n : {"F_int", "F_text", "F_float"}) Grid->Columns()->AddColumn()->SetFieldName(n);
        Grid->EndLayout();
        Grid->SetFooterRowCount(1);
        Grid->SumList()->SetActive(true);
        OpenGrid();
    }
    TColumnGx* Col(int I) { return Grid->Columns()->ColumnAt(I); }
    TColumnFooterGx* Footer(int I) { return Col(I)->Footer(); }
    String Text(int I, int Row = 0) { return Grid->FooterValueText(Row, Col(I)); }
    int SumItems() { return Grid->SumList()->SumCollection()->Count(); }
};

} // namespace

TEST_F(FooterTest, AggregateTexts) {
    struct Case {
        const char* Name;
        std::vector<int> Ints;
        int Column;
        TFooterValueType Type;
        String Format;
        String Text;
    } cases[] = {
        {"integer sum", {1000, 234}, 0, fvtSum, "", "1234"},
        {"integer sum with a format", {1000, 234}, 0, fvtSum, ",0.00", "1,234.00"},
        {"average 2.5 to even", {2, 3}, 0, fvtAvg, "", "2"},
        {"average 3.5 to even", {3, 4}, 0, fvtAvg, "", "4"},
        {"count", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0, fvtCount, "", "12"},
        {"count with a format", {1, 2, 3}, 2, fvtCount, "0.00", "3.00"},
        {"sum of a string field", {1, 2}, 1, fvtSum, "", "0"},
        {"float sum, general format", {1, 2}, 2, fvtSum, "", "3.5"},
        {"static text", {1}, 0, fvtStaticText, "", "合  计"},
        {"empty", {1}, 0, fvtNon, "", ""},
    };
    for (const Case& c : cases) {
        Run("delete from T_grid");
        Rows(c.Ints);
        Grid->Columns()->Clear();
        Open();
        Footer(c.Column)->SetValueType(c.Type);
        Footer(c.Column)->SetDisplayFormat(c.Format);
        Footer(c.Column)->SetValue("合  计");
        Grid->SumList()->RecalcAll();
        EXPECT_EQ(Text(c.Column), c.Text) << c.Name;
    }
}

TEST_F(FooterTest, AnAggregateNotFoundShowsZero) {
    struct Case {
        TFooterValueType Type;
        String Format;
    } cases[] = {{fvtSum, ",0.00"}, {fvtAvg, ""}, {fvtCount, "0.00"}};
    Rows({3, 4});
    Open();
    for (const Case& c : cases) {
        Footer(0)->SetValueType(c.Type);
        Footer(0)->SetDisplayFormat(c.Format);
        Grid->SumList()->RecalcAll();
        ASSERT_NE(Text(0), "0") << c.Type;
        // The item leaves the sum list behind the footer's back.
        TDBSum* item = Footer(0)->Aggregate();
        Footer(0)->ForgetAggregate();
        delete item;
        EXPECT_EQ(Text(0), "0") << c.Type;
        Footer(0)->SetValueType(fvtNon);
    }
}

TEST_F(FooterTest, CurrencyFloatFieldUsesTheLocaleCurrencyFormat) {
    Rows({1000, 234});
    Open();
    auto* f = dynamic_cast<TFloatField*>(Q->FieldByName("F_float"));
    ASSERT_NE(f, nullptr);
    f->SetCurrency(true);
    Footer(2)->SetValueType(fvtSum);
    Grid->SumList()->RecalcAll();
    EXPECT_EQ(Text(2), FloatToStrF(1234.5, TFloatFormat::ffCurrency, 15, FormatSettings().CurrencyDecimals));
    EXPECT_NE(Text(2), "1234.5");
}

TEST_F(FooterTest, FieldValueShowsTheCurrentRecordAndAMissingFieldNothing) {
    Rows({7, 8});
    Open();
    Footer(1)->SetValueType(fvtFieldValue);
    Footer(1)->SetFieldName("F_int");
    Footer(1)->SetDisplayFormat("0.0");
    EXPECT_EQ(Text(1), "7.0");
    Footer(1)->SetFieldName("F_gone");
    EXPECT_NO_THROW(EXPECT_EQ(Text(1), ""));
    // Painting the grid with such a footer does not fail.
    Grid->Repaint();
    TBitmap shot;
    EXPECT_NO_THROW(GrabControl(Grid, shot));
}

TEST_F(FooterTest, CountIsAnAmountOfRecordsThatFollowsPosts) {
    Rows({4, 5, 6});
    Open();
    Footer(1)->SetValueType(fvtCount);
    Grid->SumList()->RecalcAll();
    const Variant v = Footer(1)->AggregateValue();
    EXPECT_EQ(VarType(v), varCurrency);
    EXPECT_EQ(v.AsCurrency(), Currency::FromInt(3));
    EXPECT_EQ(Text(1), "3");
    Q->Append();
    Q->FieldByName("F_int")->SetAsInteger(7);
    Q->Post();
    EXPECT_EQ(Footer(1)->AggregateValue().AsCurrency(), Currency::FromInt(4));
    EXPECT_EQ(Text(1), "4");
    Q->First();
    Q->Delete();
    EXPECT_EQ(Text(1), "3");
}

TEST_F(FooterTest, ValueTypeChangesKeepOrFreeTheAggregate) {
    Rows({1, 2});
    Open();
    const int before = SumItems();
    Footer(0)->SetValueType(fvtSum);
    EXPECT_EQ(SumItems(), before + 1);
    TDBSum* item = Footer(0)->Aggregate();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GroupOperation(), goSum);
    EXPECT_EQ(item->FieldName(), "F_int");
    Footer(0)->SetValueType(fvtCount);
    EXPECT_EQ(Footer(0)->Aggregate(), item);
    EXPECT_EQ(item->GroupOperation(), goCount);
    EXPECT_EQ(item->FieldName(), "");
    Footer(0)->SetValueType(fvtStaticText);
    EXPECT_EQ(Footer(0)->Aggregate(), nullptr);
    EXPECT_EQ(SumItems(), before);
    EXPECT_TRUE(VarIsNull(Footer(0)->AggregateValue()));
}

TEST_F(FooterTest, FootersServeTheirRowsAndTheSingleFooterTheRest) {
    Open();
    Grid->SetFooterRowCount(3);
    Col(0)->Footers()->Add();
    Col(0)->Footers()->Add();
    EXPECT_EQ(Col(0)->FooterForRow(0), Col(0)->Footers()->Items(0));
    EXPECT_EQ(Col(0)->FooterForRow(1), Col(0)->Footers()->Items(1));
    EXPECT_EQ(Col(0)->FooterForRow(2), Col(0)->Footer());
    EXPECT_EQ(Col(1)->FooterForRow(0), Col(1)->Footer());
    Grid->SetFooterRowCount(-1);
    EXPECT_EQ(Grid->FooterRowCount(), 3);
}

TEST_F(FooterTest, AlignmentWrittenTwiceNotifiesOnce) {
    Open();
    Grid->Invalidated.clear();
    Footer(0)->SetAlignment(taCenter);
    const size_t once = Grid->Invalidated.size();
    EXPECT_GT(once, 0u);
    Footer(0)->SetAlignment(taCenter);
    EXPECT_EQ(Grid->Invalidated.size(), once);
    Footer(0)->SetToolTips(true);
    EXPECT_EQ(Grid->Invalidated.size(), once);
    EXPECT_EQ(Footer(0)->Alignment(), taCenter);
    EXPECT_EQ(Footer(1)->Alignment(), taLeftJustify);
    EXPECT_EQ(Footer(0)->AssignedValues(), favAlignmentGx | favToolTipsGx);
}

TEST_F(FooterTest, UnassignedFontFollowsTheFooterFont) {
    Open();
    Grid->FooterFont()->SetName("Liberation Serif");
    Grid->FooterFont()->SetHeight(-17);
    EXPECT_TRUE(Footer(0)->Font()->SameAs(*Grid->FooterFont()));
    EXPECT_FALSE(Footer(0)->AssignedValues() & favFontGx);
    Footer(1)->Font()->SetHeight(-20);
    EXPECT_TRUE(Footer(1)->AssignedValues() & favFontGx);
    Grid->FooterFont()->SetHeight(-11);
    EXPECT_EQ(Footer(1)->Font()->Height(), -20);
    Footer(1)->ResetToDefaults();
    EXPECT_EQ(Footer(1)->Font()->Height(), -11);
    EXPECT_EQ(Footer(0)->Color(), Grid->FooterColor());
}

TEST_F(FooterTest, ReplacedSumListItemsAreRegisteredAgain) {
    Rows({5, 6});
    Open();
    Footer(0)->SetValueType(fvtSum);
    Footer(2)->SetValueType(fvtCount);
    TDBGridGxSumList other;
    other.SumCollection()->Add()->SetFieldName("F_float");
    Grid->SetSumList(&other);
    Grid->SumList()->SetActive(true); // the copy took the other list's Active
    ASSERT_NE(Footer(0)->Aggregate(), nullptr);
    ASSERT_NE(Footer(2)->Aggregate(), nullptr);
    EXPECT_EQ(SumItems(), 3);
    EXPECT_EQ(Footer(0)->Aggregate()->Collection(), Grid->SumList()->SumCollection());
    Grid->Invalidated.clear();
    Grid->SumList()->RecalcAll();
    EXPECT_FALSE(Grid->Invalidated.empty()) << "the list still repaints this grid's footers";
    EXPECT_EQ(Text(0), "11");
    EXPECT_EQ(Text(2), "2");
    Grid->Columns()->Clear(); // every footer frees its own item
    EXPECT_EQ(SumItems(), 1);
}
