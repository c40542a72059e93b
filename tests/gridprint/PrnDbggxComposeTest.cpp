// Page composition on the recorder: what lands on which page and where, fitting, column groups,
// footers, the counting pass, rows taller than a page, and stopping when the grid goes away.
#include "GridPrintFixture.h"

#include "gui/DeferredCall.h"
#include "rtl/DateUtils.h"

namespace {

TEST_F(GridPrintTest, NothingHappensWithoutAnOpenDataSet) {
    int before = 0;
    Printer.OnBeforePrint = [&](TObject*) { ++before; };
    Print(); // data source without an open data set
    Printer.SetDBGridGx(nullptr);
    Print();
    EXPECT_EQ(before, 0);
    EXPECT_EQ(Pages(), 0);
}

TEST_F(GridPrintTest, OnePageWithTitlesRowsAndFooterSums) {
    Fill(5);
    Open();
    WithFooters();
    Q->First();
    Q->Next(); // on record 2
    std::vector<String> events;
    Printer.OnBeforePrint = [&](TObject*) { events.push_back("before " + IntToStr(Recorder.PageNumber())); };
    Printer.OnAfterPrint = [&](TObject*) {
        events.push_back("after " + String(Recorder.Printing() ? "True" : "False"));
    };
    Print();
    ASSERT_EQ(Pages(), 1);
    EXPECT_EQ(Joined(1), "Tint|Ttext|Tfloat|1|t1|0.5|2|t2|1|3|t3|1.5|4|t4|2|5|t5|2.5|15|5|7.50");
    EXPECT_EQ(Recorder.Title(), "Tabular information");
    EXPECT_EQ((std::vector<String>{"before 1", "after True"}), events);
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 2); // the current record is put back
    EXPECT_FALSE(Q->ControlsDisabled());

    // Positions: the left margin of 1 cm is 236 pixels at 600 dpi, less the border of 130; the
    // text sits the cell padding (2 x 600 / 96 = 12.5, rounded to 12) further right.
    auto title = Find(1, "Tint");
    auto first = Find(1, "1");
    auto second = Find(1, "2");
    ASSERT_TRUE(title && first && second);
    EXPECT_EQ(title->X, 236 - 130 + 12);
    EXPECT_GT(first->X, title->X); // numbers are right-aligned
    EXPECT_GT(first->Y, title->Y);
    int rowPitch = second->Y - first->Y;
    EXPECT_GT(rowPitch, 80); // a 9 pt line at 600 dpi and its padding
    EXPECT_LT(rowPitch, 160);
    // Columns: (80 + 1) x 6.25 = 506 pixels each.
    EXPECT_EQ(Find(1, "t1")->X, title->X + 506);
    EXPECT_EQ(Find(1, "t1")->Y, first->Y);
}

TEST_F(GridPrintTest, FooterSumsSkipNullsAndCountPrintedRows) {
    Fill(3);
    Run("insert into T_print (F_int, F_text) values (10, 'n')"); // F_float null
    Open();
    WithFooters();
    Print();
    EXPECT_EQ(Joined(1).substr(Joined(1).rfind("n|") + 2), "16|4|3.00");
}

TEST_F(GridPrintTest, EmptyDataSetPrintsTitlesAndFootersOrOneEmptyRow) {
    Open();
    Print();
    EXPECT_EQ(Joined(1), "Tint|Ttext|Tfloat");
    WithFooters();
    Print();
    EXPECT_EQ(Joined(1), "Tint|Ttext|Tfloat|0|0|0.00");
}

TEST_F(GridPrintTest, ManyRowsRunOverPagesWithTitlesOnEach) {
    Fill(120);
    Open();
    Printer.PageFooter()->RightText()->Add("Page &[Page] of &[pages]");
    Printer.PageHeader()->LeftText()->Add("&&[Page] stays");
    Print();
    int pages = Pages();
    ASSERT_GE(pages, 2);
    String last;
    for (int p = 1; p <= pages; ++p) {
        EXPECT_TRUE(Find(p, "Tint").has_value()) << p;
        EXPECT_TRUE(Find(p, "Page " + IntToStr(p) + " of " + IntToStr(pages)).has_value()) << p;
        EXPECT_TRUE(Find(p, "&&[Page] stays").has_value()) << p;
    }
    EXPECT_TRUE(Find(1, "t1").has_value());
    EXPECT_TRUE(Find(pages, "t120").has_value());
    // Every record printed once.
    int rows = 0;
    for (int p = 1; p <= pages; ++p)
        for (const TMetaTextRecord& r : Texts(p))
            if (r.Text.size() > 1 && r.Text[0] == 't') ++rows;
    EXPECT_EQ(rows, 120);
    // The footer text sits at the bottom margin, the header at the top margin.
    auto footer = Find(1, "Page 1 of " + IntToStr(pages));
    EXPECT_LE(footer->Bounds.Bottom, Recorder.PageHeight() + 150 - 236 + 2);
    EXPECT_GT(footer->Bounds.Bottom, Recorder.PageHeight() + 150 - 236 - 20);
}

// Without fitting a wide grid is split into column groups, each printed for every band of rows;
// fitting by column widths narrows the columns; fitting by scaling draws the page smaller.
TEST_F(GridPrintTest, WideGridGroupsAndFitting) {
    Fill(3);
    Open();
    for (int i = 0; i < 3; ++i)
        Grid->Columns()->ColumnAt(i)->SetWidth(300); // 1881 pixels each
    Print();
    ASSERT_EQ(Pages(), 2); // columns 1 and 2 on the first page, column 3 on the second
    EXPECT_EQ(Joined(1), "Tint|Ttext|1|t1|2|t2|3|t3");
    EXPECT_EQ(Joined(2), "Tfloat|0.5|1|1.5");

    Printer.SetOptions(pghFitGridToPageWidth | pghFitingByColWidths);
    Print();
    ASSERT_EQ(Pages(), 1);
    int avail = (Recorder.PageWidth() + 130 - 236) - (236 - 130) - 6; // right - left - line width
    int x1 = Find(1, "Tint")->X, x2 = Find(1, "Ttext")->X, x3 = Find(1, "Tfloat")->X;
    EXPECT_EQ(x2 - x1, avail / 3);
    EXPECT_EQ(x3 - x2, avail / 3);

    Printer.SetOptions(pghFitGridToPageWidth);
    Print();
    ASSERT_EQ(Pages(), 1);
    EXPECT_EQ(Joined(1), "Tint|Ttext|Tfloat|1|t1|0.5|2|t2|1|3|t3|1.5");
}

// A row taller than a page goes on over the next pages instead of being cut off.
TEST_F(GridPrintTest, RowTallerThanThePageContinues) {
    String memo;
    for (int i = 1; i <= 60; ++i)
        memo += "w" + IntToStr(i) + " ";
    Run("insert into T_print (F_int, F_text, F_memo) values (1, 'tall', '" + memo + "')");
    Fill(1);
    Open();
    TColumnGx* c = Grid->Columns()->AddColumn();
    c->SetFieldName("F_memo");
    c->SetWidth(40);
    Printer.SetOptions(pghRowAutoStretch);
    Printer.Page()->SetTopMargin(Currency::FromInt(10));
    Printer.Page()->SetBottomMargin(Currency::FromInt(10));
    Print();
    ASSERT_GE(Pages(), 3) << Joined(1);
    String all;
    for (int p = 1; p <= Pages(); ++p)
        all += Joined(p) + "|";
    for (int i = 1; i <= 60; ++i)
        EXPECT_NE(all.find("w" + IntToStr(i)), String::npos) << i;
    EXPECT_TRUE(Find(1, "tall").has_value());
    EXPECT_TRUE(Find(Pages(), "t1").has_value()); // the next record follows the tall one
    for (int p = 1; p <= Pages(); ++p)
        EXPECT_TRUE(Find(p, "Tint").has_value()) << p;
}

// A second print started while one is composing is refused; the first goes on.
TEST_F(GridPrintTest, NestedPrintIsRefused) {
    Fill(2);
    Open();
    bool refused = false;
    Printer.OnBeforePrint = [&](TObject*) {
        TNoPrinterRecorder other;
        try {
            Printer.PrintToPrinter(&other);
        } catch (const EGridPrintBusy&) {
            refused = true;
        }
    };
    Print();
    EXPECT_TRUE(refused);
    EXPECT_EQ(Pages(), 1);
    EXPECT_FALSE(Printer.Busy());
}

// The window that owns the data closes while pages are composed (its closing waits in the
// message queue, which the composer processes between rows): the print stops cleanly.
class ClosingWhileComposingTest : public GridPrintTest {
protected:
    void PrintAndCloseAtRowThree(std::function<void()> close) {
        Fill(50);
        Open();
        bool posted = false;
        Grid->Columns()->ColumnAt(0)->OnGetCellParams = [&, close](TObject*, bool, TColCellParamsGx* p) {
            if (!posted && p->Text == "3") {
                posted = true;
                PostDeferredCall(&form, close);
            }
        };
        EXPECT_THROW(Print(), EAbort);
        EXPECT_FALSE(Recorder.Printing());
        EXPECT_FALSE(Printer.Busy());
        EXPECT_EQ(Pages(), 1);
    }
};

TEST_F(ClosingWhileComposingTest, DataSetFreed) {
    PrintAndCloseAtRowThree([this] {
        Source.SetDataSet(nullptr);
        Q.reset();
    });
}

TEST_F(ClosingWhileComposingTest, GridFreed) {
    PrintAndCloseAtRowThree([this] {
        delete Grid;
        Grid = nullptr;
    });
    EXPECT_EQ(Printer.DBGridGx(), nullptr);
    EXPECT_FALSE(Q->ControlsDisabled());
    EXPECT_EQ(Q->FieldByName("F_int")->AsInteger(), 1); // back on the record it was on
}

TEST_F(GridPrintTest, TitleLinesAndRichTextAroundTheGrid) {
    Fill(2);
    Open();
    Printer.Title()->Add("Monthly list");
    Printer.BeforeGridText()->Add("Before the grid");
    Printer.AfterGridText()->Add("After the grid");
    Print();
    ASSERT_EQ(Pages(), 1);
    EXPECT_EQ(Joined(1), "Before the grid|Monthly list|Tint|Ttext|Tfloat|1|t1|0.5|2|t2|1|After the grid");
    EXPECT_LT(Find(1, "Monthly list")->Y, Find(1, "Tint")->Y);
    EXPECT_LT(Find(1, "Before the grid")->Y, Find(1, "Monthly list")->Y);
}

} // namespace

namespace {

// Marked records print alone, in data set order, and the footer sums cover only them.
TEST_F(GridPrintTest, MarkedRecordsOnly) {
    Fill(5);
    Open();
    WithFooters();
    for (int n : {4, 2}) {
        Q->Locate("F_int", n, {});
        Grid->Selection()->Rows()->SetCurrentRowSelected(true);
    }
    ASSERT_EQ(Grid->Selection()->SelectionType(), gstRecordBookmarks);
    Print();
    EXPECT_EQ(Joined(1), "Tint|Ttext|Tfloat|2|t2|1|4|t4|2|6|2|3.00");
}

// A rectangle prints its rows and columns only.
TEST_F(GridPrintTest, RectangleSelection) {
    Fill(5);
    Open();
    Q->Locate("F_int", 2, {});
    Grid->Selection()->Rect()->SelectCell(1, Q->GetBookmark(), false);
    Q->Locate("F_int", 3, {});
    Grid->Selection()->Rect()->SelectCell(2, Q->GetBookmark(), true);
    ASSERT_EQ(Grid->Selection()->SelectionType(), gstRectangle);
    Print();
    EXPECT_EQ(Joined(1), "Ttext|Tfloat|t2|1|t3|1.5");
}

} // namespace

namespace {

// Optimal widths follow the widest printed text of each column, title included.
TEST_F(GridPrintTest, OptimalColumnWidths) {
    Run("insert into T_print (F_int, F_text, F_float) values (1, 'a much longer text here', 2)");
    Fill(1);
    Open();
    Printer.SetOptions(pghOptimalColWidths);
    Print();
    int xInt = Find(1, "Tint")->X, xText = Find(1, "Ttext")->X, xFloat = Find(1, "Tfloat")->X;
    int longText = Find(1, "a much longer text here")->Bounds.Width();
    int title = Find(1, "Tint")->Bounds.Width();
    // Each column is its widest text plus the padding (12) on both sides.
    EXPECT_NEAR(xText - xInt, title + 24, 2);
    EXPECT_NEAR(xFloat - xText, longText + 24, 2);
}

// A header of only a single rule takes a twentieth of an inch (30 pixels at 600 dpi) and draws
// the rule; a double rule takes another thirtieth (20 pixels).
TEST_F(GridPrintTest, HeaderRulesTakeTheirSpace) {
    Fill(1);
    Open();
    Print();
    int plain = Find(1, "Tint")->Y;
    Printer.PageHeader()->SetLineType(pcltSingleLine);
    Print();
    EXPECT_EQ(Find(1, "Tint")->Y, plain + 30);
    Printer.PageHeader()->SetLineType(pcltDoubleLine);
    Print();
    EXPECT_EQ(Find(1, "Tint")->Y, plain + 50);
}

} // namespace

TEST_F(GridPrintTest, TheGridsOwnColumnFootersArePrinted) {
    Fill(5);
    Open();
    Grid->SetFooterRowCount(1);
    Grid->Columns()->ColumnAt(0)->Footer()->SetValueType(fvtSum);
    Grid->Columns()->ColumnAt(1)->Footer()->SetValueType(fvtStaticText);
    Grid->Columns()->ColumnAt(1)->Footer()->SetValue("合  计");
    Grid->Columns()->ColumnAt(2)->Footer()->SetValueType(fvtSum);
    Grid->Columns()->ColumnAt(2)->Footer()->SetDisplayFormat("0.00");
    Print();
    const String texts = Joined(1);
    EXPECT_EQ(texts.substr(texts.rfind("t5|2.5|") + 7), "15|合  计|7.50");
}

// A number too wide for its printed cell prints as '#', never as a cut part that reads as another
// number; numbers that fit print whole.
TEST_F(GridPrintTest, NumbersTooWideForTheirCellsPrintAsHashes) {
    Fill(2);
    Run("update T_print set F_float = 13235252.61 where F_int = 2");
    Open();
    Grid->Columns()->ColumnAt(2)->SetWidth(30);
    Print();
    const String texts = Joined(1);
    EXPECT_EQ(texts.find("235252"), String::npos) << texts;
    EXPECT_NE(texts.find("|0.5|"), String::npos) << texts;
    EXPECT_NE(texts.find("t2|##"), String::npos) << texts;
}

// The printed money total reads as the grid's footer shows it ("7.5" where the screen showed the
// amount in currency style).
TEST_F(GridPrintTest, FooterTotalsPrintAsTheGridShowsThem) {
    Fill(5);
    Open();
    static_cast<TFloatField*>(Q->FieldByName("F_float"))->SetCurrency(true);
    Grid->SetFooterRowCount(1);
    Grid->SumList()->SetActive(true);
    TColumnGx* money = Grid->Columns()->ColumnAt(2);
    money->Footer()->SetValueType(fvtSum);
    Grid->SumList()->RecalcAll();
    const String shown = Grid->FooterValueText(0, money);
    EXPECT_EQ(shown, CurrToStrF(Currency::FromDouble(7.5), TFloatFormat::ffCurrency, FormatSettings().CurrencyDecimals));
    Print();
    const String texts = Joined(1);
    EXPECT_EQ(texts.substr(texts.rfind('|') + 1), shown);
}
