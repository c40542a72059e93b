// Text objects: rotation, auto width, the diff of prepared pages, expressions with inline
// formats, value formats, page macros, zero and repeat suppression and flow.
#include "report/vrClassMemo.h"
#include "gui/Bitmap.h"
#include "report/vrClass.h"
#include "report/vrVariables.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

namespace {

// The text without the line break that ends its last line.
String Lines(const TvrCustomMemoView* m) {
    String s = WideToUtf8(m->Text());
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0) s.resize(s.size() - 2);
    return s;
}

class Memo : public ::testing::Test {
protected:
    void SetUp() override { vrStartUp(); }
    TvrReport Report{nullptr};
    TvrMemoView* NewMemo(const String& text) {
        auto* m = new TvrMemoView(&Report);
        m->SetBounds(0, 0, 200, 40);
        m->SetText(Utf8ToWide(text));
        return m;
    }
    String Print(TvrMemoView* m) {
        m->BeforePrint();
        m->GetData();
        const String s = Lines(m);
        m->AfterPrint();
        return s;
    }
};

} // namespace

TEST_F(Memo, RotationIsKeptModulo360) {
    TvrMemoView* m = NewMemo("");
    m->SetRotation(450);
    EXPECT_EQ(m->Rotation(), 90);
    m->SetRotation(-90);
    EXPECT_EQ(m->Rotation(), -90);
}

TEST_F(Memo, ExpressionsAndInlineFormats) {
    struct TCase {
        const char* Text;
        const char* Expected;
    } cases[] = {
        {"Total: [1+2]", "Total: 3"},
        {"[3.14159 #n%2,2f]", "3,14"},
        {"[1234.5 #n#,##0.00]", "1,234.50"},
        {"[1234.5 #n%2.2f]", "1234.50"},
        {"[True #BNo,Yes]", "Yes"},
        {"[False #BNo,Yes]", "No"},
        {"[36526 #dyyyy-mm-dd]", "2000-01-01"},
        {"['a' + 'b']", "ab"},
        {"['a]b']", "a]b"},
        {"Price [unit", "Price [unit"},
        {"[1] and [2", "1 and [2"},
        {"[TOTALPAGES#] of [copyname#]", "[TotalPages#] of [CopyName#]"},
        {"no expression", "no expression"},
    };
    for (const TCase& c : cases) {
        TvrMemoView* m = NewMemo(c.Text);
        EXPECT_EQ(Print(m), c.Expected) << c.Text;
        EXPECT_EQ(Lines(m), c.Text);
    }
}

TEST_F(Memo, ExpressionsOffAndOtherDelimiters) {
    TvrMemoView* m = NewMemo("Total: [1+2] <%2+2%>");
    m->AllowExpressions = false;
    EXPECT_EQ(Print(m), "Total: [1+2] <%2+2%>");
    m->AllowExpressions = true;
    m->ExpressionDelimiters = "<%,%>";
    EXPECT_EQ(Print(m), "Total: [1+2] 4");
    m->ExpressionDelimiters = "<%";
    EXPECT_EQ(Print(m), "Total: [1+2] <%2+2%>");
}

TEST_F(Memo, NumericDisplayFormatWithOwnSeparators) {
    TvrFormat f;
    f.Kind = fkNumeric;
    f.FormatStr = "#,##0.00";
    f.DecimalSeparator = ",";
    f.ThousandSeparator = ".";
    EXPECT_EQ(vrFormatValue(Variant(1234.5), f), "1.234,50");
    EXPECT_EQ(vrFormatValue(Null(), f), "");
    // A value that is no number prints as it is.
    EXPECT_EQ(vrFormatValue(Variant(String("abc")), f), "abc");
    f.FormatStr = "%d";
    EXPECT_EQ(vrFormatValue(Variant(12), f), "12");
}

TEST_F(Memo, HideZerosAndSuppressRepeated) {
    TvrMemoView* m = NewMemo("[0]");
    m->HideZeros = true;
    EXPECT_EQ(Print(m), "");
    m->SetText(u"['0']");
    EXPECT_EQ(Print(m), "0");

    TvrMemoView* r = NewMemo("[5]");
    r->SuppressRepeated = true;
    EXPECT_EQ(Print(r), "5");
    EXPECT_EQ(Print(r), "");
    EXPECT_EQ(Print(r), "");
    r->ClearLastValue();
    EXPECT_EQ(Print(r), "5");
}

TEST_F(Memo, PageMacrosOnThePreparedPage) {
    TvrMemoView* m = NewMemo("[TOTALPAGES#] [COPYNAME#]");
    m->BeforePrint();
    m->GetData();
    m->TotalPages = 7;
    m->CopyNo = 1;
    vrGlobalVariables()->SetVariable("CopyName1", Variant(String("Original")));
    m->ApplyPrintMacros();
    EXPECT_EQ(Lines(m), "7 Original");
    vrGlobalVariables()->DeleteVariable("CopyName1");
    m->SetText(u"[TotalPages#][CopyName#]");
    m->ApplyPrintMacros();
    EXPECT_EQ(Lines(m), "7");
    m->SetText(u"of [TotalPages]");
    EXPECT_EQ(m->GetComponentText(), "of 7\r\n");
}

TEST_F(Memo, DiffAlwaysHoldsTheTextAndCarriesParagraphFlags) {
    TvrMemoView* a = NewMemo("one\r\ntwo");
    TvrMemoView* t = NewMemo("one\r\ntwo");
    EXPECT_EQ(a->Diff(t), " u=\"one&#13;&#10;two\"");
    a->LastParaBreak = true;
    EXPECT_NE(a->Diff(t).find(" LastParaBreak=\"1\""), String::npos);
    // The next part begins inside the paragraph the previous one ended in.
    EXPECT_TRUE(a->FirstParaBreak);
    EXPECT_FALSE(a->LastParaBreak);
    EXPECT_NE(a->Diff(t).find(" FirstParaBreak=\"1\""), String::npos);
    a->SetRotation(90);
    a->DisplayFormat()->Kind = fkNumeric;
    const String d = a->Diff(t);
    EXPECT_NE(d.find(" Rotation=\"90\""), String::npos) << d;
    EXPECT_NE(d.find(" DisplayFormat.Kind=\"fkNumeric\""), String::npos) << d;
}

TEST_F(Memo, AutoWidthWithRightAlignmentKeepsTheRightEdge) {
    TvrMemoView* m = NewMemo("A rather long line of text that is wider");
    m->SetBounds(100, 0, 50, 20);
    m->AutoWidth = true;
    m->WordWrap = false;
    m->HAlign = haRight;
    TBitmap b(600, 100);
    m->Draw(b.Canvas(), 1, 1, 0, 0);
    EXPECT_GT(m->Width(), 150);
    EXPECT_NEAR(static_cast<double>(m->Left() + m->Width()), 150, 0.001);
    EXPECT_NEAR(static_cast<double>(m->CalcWidth()), static_cast<double>(m->Width()), 1);
}

TEST_F(Memo, FlowToHandsOnTheRestLiterally) {
    TvrMemoView* first = NewMemo("[1]\r\nline two\r\nline three ['[x]']\r\nline four");
    first->SetBounds(0, 0, 200, 22);
    TvrMemoView* second = NewMemo("");
    first->SetFlowTo(second);
    first->BeforePrint();
    first->GetData();
    EXPECT_EQ(first->Memo()->Count(), 1);
    EXPECT_EQ(WideToUtf8(first->Memo()->Strings(0)), "1");
    EXPECT_FALSE(second->AllowExpressions);
    first->AfterPrint();
    second->BeforePrint();
    second->GetData();
    EXPECT_EQ(Lines(second), "line two\r\nline three [x]\r\nline four");
}

TEST_F(Memo, DrawsTextInsideTheFrame) {
    TvrMemoView* m = NewMemo("HHHH");
    m->SetBounds(10, 10, 100, 30);
    m->Frame()->Typ = vrFrameTypFromBits(15);
    m->Color = clYellow;
    TBitmap b(200, 100);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect{0, 0, 200, 100});
    m->Draw(b.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b.Canvas()->Pixels(10, 20), clBlack);
    EXPECT_EQ(b.Canvas()->Pixels(100, 35), clYellow);
    int dark = 0;
    for (int y = 11; y < 30; ++y)
        for (int x = 12; x < 50; ++x)
            if ((b.Canvas()->Pixels(x, y) & 0xFF) < 0x80) ++dark;
    EXPECT_GT(dark, 20);
}

TEST_F(Memo, AStyleCopiesColourFontAndFrameAndItsFileKeepsTheFrame) {
    TvrStyles file;
    TvrStyleItem* item = file.Add();
    item->SetName("Boxed");
    item->Color = clYellow;
    item->Font()->SetName("Tahoma");
    item->Frame()->Typ = vrFrameTypFromBits(15);
    item->Frame()->SetColor(clBlue);
    item->Frame()->BottomLine()->Width = 3;
    TMemoryStream ms;
    file.SaveToStream(ms);
    ms.SetPosition(0);
    Report.Styles()->LoadFromStream(ms);
    ASSERT_EQ(Report.Styles()->Count(), 1);
    TvrFrame* loaded = Report.Styles()->Items(0)->Frame();
    EXPECT_EQ(loaded->TypBits(), 15);
    EXPECT_EQ(loaded->Color(), clBlue);
    EXPECT_EQ(loaded->BottomLine()->Width, 3);

    TvrMemoView* m = NewMemo("Fee");
    m->SetStyle("Boxed");
    EXPECT_EQ(m->Color, clYellow);
    EXPECT_EQ(m->Font()->Name(), "Tahoma");
    EXPECT_EQ(m->Frame()->TypBits(), 15);
    EXPECT_EQ(m->Frame()->LeftLine()->Color, clBlue);
    EXPECT_EQ(m->Frame()->BottomLine()->Width, 3);
}

TEST_F(Memo, AnsiTextUsesTheCodePageOfTheFontsCharacterSet) {
    struct TCase {
        TFontCharset Charset;
        const char* Text;
        AnsiString Bytes;
    } cases[] = {
        {GB2312_CHARSET, "合计", AnsiString("\xBA\xCF\xBC\xC6")},
        {RUSSIAN_CHARSET, "Да", AnsiString("\xC4\xE0")},
        {DEFAULT_CHARSET, "A费", AnsiString("A\xB7\xD1")},
    };
    for (const TCase& c : cases) {
        TvrMemoView* m = NewMemo(c.Text);
        m->Font()->SetCharset(c.Charset);
        EXPECT_EQ(m->AnsiText(), c.Bytes + "\r\n") << c.Text;
        m->SetAnsiText(c.Bytes);
        EXPECT_EQ(Lines(m), c.Text);
    }
}
