// The script code editor driven by simulated keys and mouse: editing, undo, marks, colouring,
// words and navigation, completion, search and painting.
#include "report/designer/vrSynMemo.h"

#include "report/designer/vrDesgnCtrls.h"

#include "gui/Bitmap.h"
#include "gui/Caret.h"
#include "gui/Clipbrd.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TShiftState SynCtrl() { return TShiftState() << ssCtrl; }
TShiftState SynShift() { return TShiftState() << ssShift; }
TShiftState SynCtrlShift() { return TShiftState() << ssCtrl << ssShift; }

} // namespace

class SynMemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 640, 400);
        Memo = new TvrSyntaxMemo(Form.get());
        Memo->SetParent(Form.get());
        Memo->SetBounds(0, 0, 600, 360);
    }

    void SetText(std::initializer_list<const char*> lines) {
        TStringList l;
        for (const char* s : lines)
            l.Add(s);
        Memo->SetLines(l);
    }
    String L(int y) { return Memo->Lines()[y - 1]; }
    void Key(Word key, TShiftState shift = TShiftState()) { SimulateKey(Memo, key, shift); }
    void Type(const String& text) { SimulateTyping(Memo, text); }
    TPoint Caret() { return Memo->CaretPos(); }

    std::unique_ptr<TForm> Form;
    TvrSyntaxMemo* Memo = nullptr;
};

// --- editing ---------------------------------------------------------------------------------

TEST_F(SynMemoTest, AnEmptyScriptIsOneEmptyLineAndCtrlYOnTheOnlyLineEmptiesIt) {
    Memo->SetText("");
    ASSERT_EQ(Memo->Lines().Count(), 1);
    EXPECT_EQ(L(1), "");
    SetText({"only line"});
    Memo->MoveCaret(5, 1);
    Key('Y', SynCtrl());
    ASSERT_EQ(Memo->Lines().Count(), 1);
    EXPECT_EQ(L(1), "");
    EXPECT_EQ(Caret(), TPoint(1, 1));
    SetText({"a", "b", "c"});
    Memo->MoveCaret(1, 2);
    Key('Y', SynCtrl());
    EXPECT_EQ(Memo->Text(), "a\r\nc\r\n");
}

TEST_F(SynMemoTest, TabGoesToTheNextMultipleOfEight) {
    struct {
        int Column, Blanks, CaretAfter;
    } cases[] = {{1, 7, 8}, {5, 3, 8}, {8, 8, 16}, {9, 7, 16}};
    for (auto c : cases) {
        SetText({""});
        Memo->MoveCaret(c.Column, 1);
        Key(VK_TAB);
        EXPECT_EQ(L(1), String(static_cast<size_t>(c.Column - 1 + c.Blanks), ' ')) << c.Column;
        EXPECT_EQ(Caret().X, c.CaretAfter) << c.Column;
    }
}

TEST_F(SynMemoTest, EnterIndentsAsTheLineAboveAndSplitsTheTrimmedLine) {
    SetText({"  begin"});
    Memo->MoveCaret(8, 1);
    Key(VK_RETURN);
    EXPECT_EQ(Caret(), TPoint(3, 2));
    EXPECT_EQ(L(2), "  ");
    // Split in the middle: the part from the caret goes down, indented.
    SetText({"  x := 1;   "});
    Memo->MoveCaret(5, 1);
    Key(VK_RETURN);
    EXPECT_EQ(L(1), "  x ");
    EXPECT_EQ(L(2), "  := 1;");
    EXPECT_EQ(Caret(), TPoint(3, 2));
    // A blank left part indents to the caret column.
    SetText({"    abc"});
    Memo->MoveCaret(3, 1);
    Key(VK_RETURN);
    EXPECT_EQ(L(2), "    abc");
    EXPECT_EQ(Caret(), TPoint(3, 2));
}

TEST_F(SynMemoTest, EnterKeepsAtMostTheLineLengthOfALongerRest) {
    SetText({(String("ab") + String(1100, 'x')).c_str()});
    Memo->MoveCaret(3, 1);
    Key(VK_RETURN);
    EXPECT_EQ(L(1), "ab");
    EXPECT_EQ(L(2), String(1024, 'x'));
}

TEST_F(SynMemoTest, BackspaceInTheIndentationStepsBackToALineAbove) {
    SetText({"  if x then", "    y;"});
    Memo->MoveCaret(5, 2);
    Key(VK_BACK);
    EXPECT_EQ(L(2), "  y;");
    EXPECT_EQ(Caret(), TPoint(3, 2));
    // Outside the indentation one character goes; in column 1 the line joins the one above.
    SetText({"ab  ", "cd"});
    Memo->MoveCaret(2, 2);
    Key(VK_BACK);
    EXPECT_EQ(L(2), "d");
    Key(VK_BACK);
    EXPECT_EQ(Memo->Text(), "abd\r\n");
    EXPECT_EQ(Caret(), TPoint(3, 1));
}

TEST_F(SynMemoTest, CtrlIAndCtrlUIndentTheSelectedLines) {
    SetText({" a", "   b", "", "c"});
    Memo->SetSelection(TPoint(1, 1), TPoint(1, 4)); // ends in column 1: the last line stays
    Key('I', SynCtrl());
    EXPECT_EQ(Memo->Text(), "   a\r\n     b\r\n  \r\nc\r\n");
    Key('U', SynCtrl());
    EXPECT_EQ(Memo->Text(), " a\r\n   b\r\n  \r\nc\r\n");
    Key('U', SynCtrl()); // the least indent is 1
    EXPECT_EQ(Memo->Text(), "a\r\n  b\r\n  \r\nc\r\n");
    Key('U', SynCtrl()); // nothing more to take
    EXPECT_EQ(Memo->Text(), "a\r\n  b\r\n  \r\nc\r\n");
}

TEST_F(SynMemoTest, DeleteAtTheLineEndJoinsTheTrimmedNextLine) {
    SetText({"abc  ", "  def  ", "g"});
    Memo->MoveCaret(6, 1);
    Key(VK_DELETE);
    EXPECT_EQ(L(1), "abc    def");
    EXPECT_EQ(L(2), "g");
    Memo->MoveCaret(2, 1);
    Key(VK_DELETE);
    EXPECT_EQ(L(1), "ac    def");
}

TEST_F(SynMemoTest, CtrlBackspaceAndCtrlDeleteRemoveAWord) {
    SetText({"alpha beta gamma"});
    Memo->MoveCaret(11, 1); // after "beta"
    Key(VK_BACK, SynCtrl());
    EXPECT_EQ(L(1), "alpha  gamma");
    EXPECT_EQ(Caret(), TPoint(7, 1));
    SetText({"alpha beta gamma"});
    Memo->MoveCaret(9, 1); // inside "beta"
    Key(VK_DELETE, SynCtrl());
    EXPECT_EQ(L(1), "alpha  gamma");
}

TEST_F(SynMemoTest, TheCaretStopsAtColumn1024) {
    SetText({"x"});
    Memo->MoveCaret(1030, 1);
    EXPECT_EQ(Caret(), TPoint(1024, 1));
    Key(VK_RIGHT);
    EXPECT_EQ(Caret(), TPoint(1024, 1));
    Memo->MoveCaret(-5, 99);
    EXPECT_EQ(Caret(), TPoint(1, 1));
}

TEST_F(SynMemoTest, TypingBeyondTheLineEndFillsBlanks) {
    SetText({"ab"});
    Memo->MoveCaret(5, 1);
    Type("c");
    EXPECT_EQ(L(1), "ab  c");
    EXPECT_TRUE(Memo->Modified());
}

// --- undo ------------------------------------------------------------------------------------

TEST_F(SynMemoTest, UndoTakesBackTypedRunsAndStepsPerKey) {
    SetText({"x"});
    Memo->MoveCaret(2, 1);
    Type("abc");
    Key('Z', SynCtrl());
    EXPECT_EQ(L(1), "x");
    EXPECT_EQ(Caret(), TPoint(2, 1));

    Type("abc");
    Key(VK_BACK);
    EXPECT_EQ(L(1), "xab");
    Key('Z', SynCtrl());
    EXPECT_EQ(L(1), "x");
    Key('Z', SynCtrl()); // nothing left
    EXPECT_EQ(L(1), "x");
}

TEST_F(SynMemoTest, ThirtyThreeStepsKeepThirtyTwo) {
    SetText({""});
    for (int i = 0; i < 33; ++i)
        Key(VK_TAB);
    EXPECT_EQ(Memo->UndoCount(), 32);
    for (int i = 0; i < 40; ++i)
        Key('Z', SynCtrl());
    // The oldest step (the empty line) is gone: one tab's blanks stay.
    EXPECT_EQ(L(1), String(7, ' '));
}

TEST_F(SynMemoTest, UndoRestoresCaretAndTextAndDiscardsColouring) {
    Memo->SetSyntaxName("PascalScript");
    SetText({"begin", "  x := 1;", "end."});
    Memo->MoveCaret(3, 2);
    Type("yy");
    Memo->CharCode(1, 3);
    EXPECT_EQ(Memo->ColouredLines(), 3);
    Key('Z', SynCtrl());
    EXPECT_EQ(Memo->Text(), "begin\r\n  x := 1;\r\nend.\r\n");
    EXPECT_EQ(Caret(), TPoint(3, 2));
    EXPECT_EQ(Memo->ColouredLines(), 0);
    EXPECT_TRUE(Memo->Modified());
}

// --- marks -----------------------------------------------------------------------------------

TEST_F(SynMemoTest, EnterMovesMarksBelowTheCaretLine) {
    SetText({"a", "bb", "c"});
    Memo->AddBreakpoint(2, "");
    Memo->SetBookmark(2, 4); // line 3
    Memo->MoveCaret(3, 2);
    Key(VK_RETURN);
    EXPECT_TRUE(Memo->IsBreakpoint(2));
    EXPECT_EQ(Memo->BookmarkLine(4), 3);
    Memo->MoveCaret(1, 2);
    Key(VK_RETURN);
    EXPECT_FALSE(Memo->IsBreakpoint(2));
    EXPECT_TRUE(Memo->IsBreakpoint(3));
    EXPECT_EQ(Memo->BookmarkLine(4), 4);
}

TEST_F(SynMemoTest, APastedThreeLineTextMovesTheMarksBelowByTwo) {
    SetText({"a", "b", "c"});
    Memo->AddBreakpoint(3, "x > 1");
    Memo->SetBookmark(1, 0);
    Clipboard()->SetAsText("1\r\n2\r\n3");
    Memo->MoveCaret(2, 1);
    Memo->PasteFromClipboard();
    EXPECT_EQ(Memo->Text(), "a1\r\n2\r\n3\r\nb\r\nc\r\n");
    EXPECT_EQ(Caret(), TPoint(2, 3));
    EXPECT_TRUE(Memo->IsBreakpoint(5));
    EXPECT_EQ(Memo->BreakpointCondition(5), "x > 1");
    EXPECT_EQ(Memo->BookmarkLine(0), 3);
}

TEST_F(SynMemoTest, CtrlShiftDigitSetsAndClearsABookmarkAndCtrlDigitGoesThere) {
    SetText({"a", "b", "c"});
    Memo->MoveCaret(1, 2);
    Key('3', SynCtrlShift());
    EXPECT_EQ(Memo->BookmarkOfLine(1), 3);
    Key('5', SynCtrlShift()); // the line has another bookmark: left alone
    EXPECT_EQ(Memo->BookmarkLine(5), -1);
    Memo->MoveCaret(1, 3);
    Key('3', SynCtrl());
    EXPECT_EQ(Caret(), TPoint(1, 2));
    Key('3', SynCtrlShift());
    EXPECT_EQ(Memo->BookmarkLine(3), -1);
}

TEST_F(SynMemoTest, RunToCursorBreakpointsGoOthersStay) {
    SetText({"a", "b", "c", "d"});
    Memo->AddBreakpoint(1, "");
    Memo->AddBreakpoint(2, "F4");
    Memo->AddBreakpoint(3, "i = 3");
    Memo->AddBreakpoint(4, "F4");
    Memo->DeleteRunToCursorBreakpoints();
    EXPECT_EQ(Memo->BreakpointCount(), 2);
    EXPECT_TRUE(Memo->IsBreakpoint(1));
    EXPECT_TRUE(Memo->IsBreakpoint(3));
    Memo->ToggleBreakpoint(1, "");
    EXPECT_FALSE(Memo->IsBreakpoint(1));
    Memo->SetExecutableLine(2, true);
    Memo->SetExecutableLine(9, true); // outside: ignored
    EXPECT_TRUE(Memo->LineMarkedExecutable(2));
    EXPECT_FALSE(Memo->LineMarkedExecutable(3));
}

TEST_F(SynMemoTest, AClickInTheGutterTogglesABreakpoint) {
    SetText({"a", "b", "c"});
    const int h = Memo->CharHeight();
    SimulateClick(Memo, 10, h + 2);
    EXPECT_TRUE(Memo->IsBreakpoint(2));
    SimulateClick(Memo, 10, h + 2);
    EXPECT_FALSE(Memo->IsBreakpoint(2));
    SimulateClick(Memo, 100, h + 2); // in the text: no breakpoint
    EXPECT_FALSE(Memo->IsBreakpoint(2));
}

// --- colouring -------------------------------------------------------------------------------

struct TColourCase {
    const char* Language;
    const char* Line;
    const char* Codes; // one code per column, "." for a column not checked
};

TEST_F(SynMemoTest, ColouringCodesPerLanguage) {
    const TColourCase cases[] = {
        {"PascalScript", "begin x := 'ab'; // c", "444443131135555133333"},
        {"PascalScript", "{c} $1F 12 (*d*)", "3333666366333333"},
        {"SQL", "select \"a\" -- c", "444444355533333"},
        {"SQL", "/* c */ 0x1F from", "33333333666634444"},
        {"JScript", "var s = \"x\"; // c", "44431313555133333"},
        {"Unknown", "begin end", "111113111"},
    };
    for (const TColourCase& c : cases) {
        Memo->SetSyntaxName(c.Language);
        SetText({c.Line});
        const String codes = c.Codes;
        for (size_t i = 0; i < codes.size(); ++i) {
            if (codes[i] == '.') continue;
            EXPECT_EQ(Memo->CharCode(static_cast<int>(i) + 1, 1), codes[i] - '0')
                << c.Language << " «" << c.Line << "» column " << i + 1;
        }
    }
}

TEST_F(SynMemoTest, ABlockCommentOverFourLinesIsCommentThroughoutAlsoAfterAnEdit) {
    Memo->SetSyntaxName("PascalScript");
    SetText({"x := 1; {", "begin end", "'a' 12", "} y"});
    auto allComment = [&] {
        for (int y = 2; y <= 3; ++y)
            for (int x = 1; x <= Memo->ColumnCount(L(y)); ++x)
                if (Memo->CharCode(x, y) != 3) return false;
        return Memo->CharCode(9, 1) == 3 && Memo->CharCode(7, 1) == 1 && Memo->CharCode(1, 4) == 3 && Memo->CharCode(3, 4) == 1;
    };
    EXPECT_TRUE(allComment());
    Memo->MoveCaret(3, 3);
    Type("begin");
    EXPECT_TRUE(allComment());
    EXPECT_EQ(Memo->CharCode(1, 1), 1);
}

// --- words and navigation ---------------------------------------------------------------------

TEST_F(SynMemoTest, WordSteps) {
    SetText({"  alpha.beta  ", "gamma"});
    struct {
        TPoint From;
        Word Key;
        TPoint To;
    } cases[] = {
        {{12, 1}, VK_LEFT, {9, 1}},  {{9, 1}, VK_LEFT, {3, 1}},  {{3, 1}, VK_LEFT, {1, 1}},
        {{1, 2}, VK_LEFT, {13, 1}},  {{14, 1}, VK_LEFT, {9, 1}}, {{3, 1}, VK_RIGHT, {9, 1}},
        {{9, 1}, VK_RIGHT, {13, 1}}, {{13, 1}, VK_RIGHT, {6, 2}},
    };
    for (auto c : cases) {
        Memo->MoveCaret(c.From.X, c.From.Y);
        Key(c.Key, SynCtrl());
        EXPECT_EQ(Caret(), c.To) << c.From.X << "," << c.From.Y << " key " << c.Key;
    }
}

TEST_F(SynMemoTest, HomeEndAndPagesWithShiftExtending) {
    TStringList l;
    for (int i = 1; i <= 100; ++i)
        l.Add("line " + IntToStr(i) + "   ");
    Memo->SetLines(l);
    const int page = Memo->VisibleLines() - 1;
    ASSERT_GT(page, 3);
    Memo->MoveCaret(3, 2);
    Key(VK_END, SynShift());
    EXPECT_EQ(Caret(), TPoint(7, 2));
    EXPECT_EQ(Memo->SelectedText(), "ne 2");
    Key(VK_HOME, SynShift());
    EXPECT_EQ(Memo->SelectedText(), "li");
    Key(VK_HOME);
    EXPECT_FALSE(Memo->HasSelection());
    Key(VK_END, SynCtrl());
    EXPECT_EQ(Caret(), TPoint(12, 100));
    Key(VK_HOME, SynCtrl());
    EXPECT_EQ(Caret(), TPoint(1, 1));
    Key(VK_NEXT);
    EXPECT_EQ(Memo->FirstVisibleLine(), page);
    EXPECT_EQ(Caret(), TPoint(1, 1 + page));
    Key(VK_PRIOR);
    EXPECT_EQ(Memo->FirstVisibleLine(), 0);
    EXPECT_EQ(Caret(), TPoint(1, 1));
    Memo->MoveCaret(1, 98);
    Key(VK_NEXT, SynShift()); // fewer lines remain: the last line goes to the top
    EXPECT_EQ(Memo->FirstVisibleLine(), 99);
    EXPECT_EQ(Caret(), TPoint(1, 100));
    EXPECT_TRUE(Memo->HasSelection());
}

TEST_F(SynMemoTest, DoubleClickSelectsTheWord) {
    SetText({"x := alpha + 1"});
    const int w = Memo->CharWidth();
    SimulateDblClick(Memo, Memo->GutterWidth() + 7 * w + 2, 3); // on "p"
    EXPECT_EQ(Memo->SelectedText(), "alpha");
}

TEST_F(SynMemoTest, AChineseCommentStepsOneCharacterOfTwoColumns) {
    Memo->SetSyntaxName("PascalScript");
    SetText({"// 中文注释 x"});
    Memo->MoveCaret(4, 1);
    Key(VK_RIGHT);
    EXPECT_EQ(Caret(), TPoint(6, 1));
    Key(VK_RIGHT);
    EXPECT_EQ(Caret(), TPoint(8, 1));
    Key(VK_LEFT);
    EXPECT_EQ(Caret(), TPoint(6, 1));
    // The caret never stands inside a character.
    Memo->MoveCaret(7, 1);
    EXPECT_EQ(Caret(), TPoint(6, 1));
    EXPECT_EQ(Memo->ColumnCount(L(1)), 13);
    EXPECT_EQ(Memo->CharCode(6, 1), 3);
    // The Chinese letters make one word.
    Memo->MoveCaret(4, 1);
    Key(VK_RIGHT, SynCtrl());
    EXPECT_EQ(Caret(), TPoint(13, 1));
    Key(VK_LEFT);
    EXPECT_EQ(Caret(), TPoint(12, 1));
    Key(VK_LEFT);
    Key(VK_BACK); // takes the whole character before the caret
    EXPECT_EQ(L(1), "// 中文释 x");
    EXPECT_EQ(Caret(), TPoint(8, 1));
    Memo->MoveCaret(11, 1);
    Key(VK_TAB); // from column 11, counting the Chinese as two columns each
    EXPECT_EQ(Caret(), TPoint(16, 1));
}

TEST_F(SynMemoTest, TypedAndInputMethodCharactersGoIn) {
    SetText({""});
    Type("a");
    SimulateInputMethodText(Memo, u"中文");
    EXPECT_EQ(L(1), "a");
    // The input method's text reaches the control that owns the caret.
    Form->Show();
    Memo->SetFocus();
    TControlCaret::Create(Memo, 2, Memo->CharHeight());
    SimulateInputMethodText(Memo, u"中文😀");
    EXPECT_EQ(L(1), "a中文😀");
    EXPECT_EQ(Caret(), TPoint(8, 1));
    const TRect r = InputMethodCaretRect(Memo);
    EXPECT_EQ(r.Left, Memo->GutterWidth() + 7 * Memo->CharWidth());
    EXPECT_EQ(r.Height(), Memo->CharHeight());
    TControlCaret::Destroy(Memo);
}

// --- search ----------------------------------------------------------------------------------

TEST_F(SynMemoTest, FindTextFindsAlsoInAOneLineText) {
    SetText({"x := Total + total;"});
    int pos = 0;
    ASSERT_TRUE(Memo->FindText("TOTAL", false, pos));
    EXPECT_EQ(Memo->SelectedText(), "Total");
    EXPECT_EQ(pos, 11);
    ASSERT_TRUE(Memo->FindText("total", false, pos));
    EXPECT_EQ(Caret(), TPoint(14, 1));
    EXPECT_FALSE(Memo->FindText("total", false, pos));
    pos = 0;
    EXPECT_FALSE(Memo->FindText("TOTAL", true, pos));
    SetText({"a", "中b", "find me"});
    pos = 0;
    ASSERT_TRUE(Memo->FindText("me", true, pos));
    EXPECT_EQ(Memo->SelStart(), TPoint(6, 3));
    EXPECT_EQ(pos, 16); // "a" CR LF "中b" CR LF "find me": columns as the code page counts
}

// --- completion ------------------------------------------------------------------------------

TEST_F(SynMemoTest, CompletionAsksWithThePrefixAndInsertsTheIdentifier) {
    String asked;
    Memo->OnCompletion = [&](TObject*, const String& prefix, TStrings* list) {
        asked = prefix;
        list->AddObject("IntToStr(i: Integer): String", reinterpret_cast<TObject*>(std::uintptr_t(ckFunction)));
        list->AddObject("Count: Integer", reinterpret_cast<TObject*>(std::uintptr_t(ckProperty)));
    };
    SetText({"  s := Report.Pages[Items('a.b')]."});
    Memo->MoveCaret(35, 1);
    Key(VK_SPACE, SynCtrl());
    EXPECT_EQ(asked, "Report.Pages");
    ASSERT_NE(Memo->CompletionForm(), nullptr);
    EXPECT_EQ(Memo->CompletionForm()->Width(), 300);
    TListBox* list = Memo->CompletionList();
    ASSERT_EQ(list->Items()->Count(), 2);
    list->SetItemIndex(list->Items()->IndexOf("IntToStr(i: Integer): String"));
    SimulateKey(list, VK_RETURN);
    EXPECT_EQ(L(1), "  s := Report.Pages[Items('a.b')].IntToStr()");
    EXPECT_EQ(Caret(), TPoint(44, 1));
    // Without a handler Ctrl+Space does nothing.
    Memo->OnCompletion = nullptr;
    Key(VK_SPACE, SynCtrl());
    EXPECT_EQ(L(1), "  s := Report.Pages[Items('a.b')].IntToStr()");
}

TEST(SynMemoCompletion, KindWords) {
    struct {
        const char* Entry;
        int Kind;
        const char* Word;
        TColor Color;
    } cases[] = {
        {"Count: Integer", ckVariable, "var", clBlue},
        {"Caption: String", ckProperty, "property", clBlue},
        {"Clear", ckProcedure, "procedure", clFuchsia},
        {"IntToStr(i: Integer): String", ckFunction, "function", clFuchsia},
        {"Create(AOwner: TComponent): Constructor", ckFunction, "constructor", clBlue},
    };
    for (auto c : cases) {
        TColor color = clNone;
        EXPECT_EQ(vrCompletionKindWord(c.Entry, c.Kind, color), c.Word) << c.Entry;
        EXPECT_EQ(color, c.Color) << c.Entry;
    }
}

// --- painting --------------------------------------------------------------------------------

namespace {
TColor SynPx(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y) & 0xFFFFFF; }
TColor SynSys(TColor c) { return ColorToRGB(c) & 0xFFFFFF; }
} // namespace

TEST_F(SynMemoTest, PaintingOfGutterMarksHighlightsAndMessageBar) {
    SetText({"begin", "  x := 1;", "  y := 2;", "end.", "", "z"});
    Memo->AddBreakpoint(1, "");
    Memo->SetBookmark(1, 2);
    Memo->SetExecutableLine(3, true);
    Memo->SetDebugLine(4);
    Memo->SetSelection(TPoint(1, 6), TPoint(2, 6));
    TBitmap shot;
    GrabControl(Memo, shot);
    const int h = Memo->CharHeight();
    const int right = Memo->ClientWidth() - 3;
    // Gutter strip and its highlight line at 26.
    EXPECT_EQ(SynPx(shot, 1, 5 * h + 2), SynSys(clBtnFace));
    EXPECT_EQ(SynPx(shot, 26, 5 * h + 2), SynSys(clBtnHighlight));
    EXPECT_EQ(SynPx(shot, 29, 5 * h + 2), SynSys(clWindow));
    // Breakpoint circle (2, 4)-(13, 15) on line 1.
    EXPECT_EQ(SynPx(shot, 7, 9), 0x0000FF);
    EXPECT_EQ(SynPx(shot, 1, 9), SynSys(clBtnFace));
    // Bookmark on line 2: green with the black edge showing at its top right.
    EXPECT_EQ(SynPx(shot, 12, h + 14), 0x008000);
    EXPECT_EQ(SynPx(shot, 22, h + 3), 0x000000);
    // Executable mark on line 3: blue ellipse (4, 7)-(8, 11) with its cyan highlight.
    EXPECT_EQ(SynPx(shot, 5, 2 * h + 8), 0xFF0000);
    EXPECT_EQ(SynPx(shot, 6, 2 * h + 9), 0x000000);
    EXPECT_EQ(SynPx(shot, 5, 2 * h + 7), 0xFFFF00);
    // The debug line and the selection from column 1 reach the right edge.
    EXPECT_EQ(SynPx(shot, right, 3 * h + 2), SynSys(clHighlight));
    EXPECT_EQ(SynPx(shot, right, 5 * h + 2), SynSys(clHighlight));
    EXPECT_EQ(SynPx(shot, right, 2 * h + 2), SynSys(clWindow));
    // The maroon message bar.
    Memo->SetMessageText("Undeclared identifier");
    GrabControl(Memo, shot);
    EXPECT_EQ(SynPx(shot, 2, Memo->ClientHeight() - 3), 0x000080);
    Memo->MoveCaret(1, 1);
    EXPECT_EQ(Memo->MessageText(), "");
}

TEST_F(SynMemoTest, WithAProportionalFontEveryCharacterStaysInItsCell) {
    TFont f;
    f.SetName("Arial");
    f.SetSize(10);
    Memo->SetFont(&f);
    Memo->SetGutterVisible(false);
    const String text = "iWmWi.W|lW";
    SetText({text.c_str()});
    TBitmap shot;
    GrabControl(Memo, shot);
    const int w = Memo->CharWidth(), h = Memo->CharHeight();
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        int ink = 0;
        for (int x = i * w; x < (i + 1) * w; ++x)
            for (int y = 0; y < h; ++y)
                if (SynPx(shot, x, y) != SynSys(clWindow)) ++ink;
        EXPECT_GT(ink, 0) << "column " << i + 1 << " '" << text[static_cast<size_t>(i)] << "'";
    }
}

// --- caret and mouse -------------------------------------------------------------------------

TEST_F(SynMemoTest, TheCaretFollowsTheFocusAndHidesLeftOfTheView) {
    auto* other = new TEdit(Form.get());
    other->SetParent(Form.get());
    other->SetBounds(0, 370, 100, 20);
    SetText({"abc", "def"});
    Form->Show();
    Memo->SetFocus();
    Memo->MoveCaret(3, 2);
    const int w = Memo->CharWidth(), h = Memo->CharHeight();
    TControlCaret::TState s = TControlCaret::State();
    EXPECT_EQ(s.Control, Memo);
    EXPECT_TRUE(s.Shown);
    EXPECT_EQ(s.Bounds, Rect(30 + 2 * w, h, 32 + 2 * w, 2 * h));
    // Scrolled right past the caret: off the control.
    Memo->MoveCaret(Memo->VisibleColumns() + 20, 2);
    Memo->MoveCaret(1, 2);
    EXPECT_EQ(Memo->FirstVisibleColumn(), 0);
    Memo->MoveCaret(Memo->VisibleColumns() + 20, 2);
    SimulateKey(Memo, VK_HOME); // the view follows: the caret is visible again
    EXPECT_EQ(TControlCaret::State().Bounds.Left, 30);
    other->SetFocus();
    EXPECT_NE(TControlCaret::State().Control, Memo);
}

TEST_F(SynMemoTest, DraggingSelectsAndShiftClickExtends) {
    SetText({"alpha beta", "gamma"});
    const int w = Memo->CharWidth(), h = Memo->CharHeight(), g = Memo->GutterWidth();
    SimulateMouseDown(Memo, mbLeft, g + 1 * w + 1, 2);
    SimulateMouseMove(Memo, g + 4 * w + 1, 2, TShiftState() << ssLeft);
    SimulateMouseUp(Memo, mbLeft, g + 4 * w + 1, 2);
    EXPECT_EQ(Memo->SelectedText(), "lph");
    SimulateClick(Memo, g + 2 * w + 1, h + 2, mbLeft, SynShift());
    EXPECT_EQ(Memo->SelectedText(), "lpha beta\r\nga");
    SimulateClick(Memo, g + 1, 2);
    EXPECT_FALSE(Memo->HasSelection());
    // Typing replaces a selection; Ctrl+A selects everything.
    Key('A', SynCtrl());
    EXPECT_EQ(Memo->SelectedText(), "alpha beta\r\ngamma");
    Type("z");
    EXPECT_EQ(Memo->Text(), "z\r\n");
}

TEST_F(SynMemoTest, ClipboardCommands) {
    SetText({"one two"});
    Memo->SetSelection(TPoint(1, 1), TPoint(4, 1));
    Key('C', SynCtrl());
    EXPECT_EQ(Clipboard()->AsText(), "one");
    Key(VK_DELETE, SynShift()); // cut
    EXPECT_EQ(L(1), " two");
    Key(VK_END);
    Key(VK_INSERT, SynShift()); // paste
    EXPECT_EQ(L(1), " twoone");
    EXPECT_EQ(Caret(), TPoint(8, 1));
}

TEST_F(SynMemoTest, ReplacingTheLinesStartsAfresh) {
    SetText({"a"});
    Type("xyz");
    Memo->AddBreakpoint(1, "");
    Memo->Lines().Add("more");
    EXPECT_EQ(Memo->UndoCount(), 0);
    EXPECT_EQ(Caret(), TPoint(1, 1));
    Memo->Lines().Clear();
    EXPECT_EQ(Memo->Lines().Count(), 1);
    EXPECT_EQ(L(1), "");
}
