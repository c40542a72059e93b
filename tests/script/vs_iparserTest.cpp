// The lexer: token readers over the settings a grammar gives them.
#include "script/vs_iparser.h"

#include <gtest/gtest.h>

namespace {

// Settings of the line-oriented language: comments "'" and "rem", line ends as tokens, "_"
// continues a line, double quotes doubled inside strings.
void LineOriented(TvsParser& p) {
    p.CommentLine1 = "'";
    p.CommentLine2 = "rem";
    p.SetCommentBlock1("/\\,/\\");
    p.SetCommentBlock2("/\\,/\\");
    p.StringQuotes = "\"";
    p.HexSequence = "0x";
    p.SkipEOL = false;
    p.SkipChar = "_";
}

// Settings of the C-like languages: double quotes with backslash escapes, "0x" numbers.
void CLike(TvsParser& p) {
    p.SetCommentBlock1("/*,*/");
    p.SetCommentBlock2("/*,*/");
    p.StringQuotes = "\"";
    p.HexSequence = "0x";
    p.SpecStrChar = true;
}

TEST(Lexer, Words) {
    TvsParser p;
    p.Keywords().Add("begin");
    struct {
        String Text;
        String Word, Ident;
    } cases[] = {
        {"abc def", "abc", "abc"},
        {"  _x1 ", "_x1", "_x1"},
        {"1abc", "", ""},
        {"BEGIN", "BEGIN", ""},
        {"Begin", "Begin", ""},
        {"begin", "begin", ""},
        {"beginning", "beginning", "beginning"},
        {"+a", "", ""},
    };
    for (const auto& c : cases) {
        p.LoadText(c.Text);
        EXPECT_EQ(p.GetKeyword(), c.Word) << c.Text;
        p.LoadText(c.Text);
        EXPECT_EQ(p.GetIdent(), c.Ident) << c.Text;
    }
    p.CaseSensitive = true;
    EXPECT_TRUE(p.IsKeyword("begin"));
    EXPECT_FALSE(p.IsKeyword("Begin"));
}

TEST(Lexer, ReadersThatFindNothingLeaveThePosition) {
    TvsParser p;
    p.LoadText("   + x");
    EXPECT_EQ(p.GetWord(), "");
    EXPECT_EQ(p.Position(), 4); // blanks skipped stay skipped
    EXPECT_EQ(p.GetNumber(), "");
    EXPECT_EQ(p.GetString(), "");
    EXPECT_EQ(p.Position(), 4);
    EXPECT_EQ(p.GetChar(), "+");
    EXPECT_EQ(p.GetChar(), ""); // no blanks skipped
    EXPECT_EQ(p.Position(), 5);
}

TEST(Lexer, ExtendedIdentifierCharacters) {
    TvsParser p;
    p.LoadText("\xE5\x90\x8D\xE7\xA7\xB0 = 1");
    EXPECT_EQ(p.GetWord(), "");
    for (int c = 128; c < 256; ++c)
        p.AddIdentChar(static_cast<unsigned char>(c));
    p.LoadText("\xE5\x90\x8D\xE7\xA7\xB0 = 1");
    EXPECT_EQ(p.GetWord(), "\xE5\x90\x8D\xE7\xA7\xB0");
}

TEST(Lexer, Comments) {
    TvsParser p;
    p.LoadText("// line\r\n{ block } (* other *) x");
    EXPECT_EQ(p.GetWord(), "x");
    p.LoadText("{ a (* b } c");
    EXPECT_EQ(p.GetWord(), "c"); // block comments do not nest
    p.LoadText("{ never closed x");
    EXPECT_EQ(p.GetWord(), "");
    EXPECT_EQ(p.GetNumber(), "");
    EXPECT_EQ(p.GetChar(), "");
    EXPECT_EQ(p.Position(), p.Size() + 1);
}

TEST(Lexer, RemStartsACommentOnlyInLowerCase) {
    TvsParser p;
    LineOriented(p);
    p.LoadText("remark = 1");
    EXPECT_EQ(p.GetWord(), "");
    p.LoadText("REMARK = 1");
    EXPECT_EQ(p.GetWord(), "REMARK");
}

TEST(Lexer, LineEndsAsTokens) {
    TvsParser p;
    LineOriented(p);
    // A comment after code keeps the line's end; a line holding only a comment vanishes with it.
    p.LoadText("a ' note\r\n' whole line\r\nb\r\n");
    EXPECT_EQ(p.GetWord(), "a");
    EXPECT_TRUE(p.GetEOL());
    EXPECT_EQ(p.GetWord(), "b");
    EXPECT_TRUE(p.GetEOL());
    EXPECT_FALSE(p.GetEOL());
    // A continuation character joins the next line.
    p.LoadText("a _\r\n  b\r\n");
    EXPECT_EQ(p.GetWord(), "a");
    EXPECT_FALSE(p.GetEOL());
    EXPECT_EQ(p.GetWord(), "b");
    EXPECT_TRUE(p.GetEOL());
    // With line ends as blanks there is no line end token.
    TvsParser q;
    q.LoadText("a\r\nb");
    EXPECT_EQ(q.GetWord(), "a");
    EXPECT_FALSE(q.GetEOL());
}

TEST(Lexer, ManyContinuationCharactersInARow) {
    TvsParser p;
    LineOriented(p);
    String text = "a";
    for (int i = 0; i < 100000; ++i)
        text += " _";
    p.LoadText(text + "\r\nb");
    EXPECT_EQ(p.GetWord(), "a");
    EXPECT_EQ(p.GetWord(), "b");
}

TEST(Lexer, Strings) {
    struct TCase {
        const char* Name;
        void (*Setup)(TvsParser&);
        String Text;
        String Value;
        Integer After; // position after reading
    };
    const auto pascal = [](TvsParser&) {};
    const TCase cases[] = {
        {"doubled quote", pascal, "'It''s'", "'It's'", 8},
        {"character codes", pascal, "#65#66", "'AB'", 7},
        {"hexadecimal code", pascal, "#$41", "'A'", 5},
        {"parts joined", pascal, "'ab'#13#10'cd' x", "'ab\r\ncd'", 15},
        {"code low byte", pascal, "#321", "'A'", 5},
        {"line end inside", pascal, "'ab\r\ncd'", "", 1},
        {"unterminated", pascal, "'abc", "", 1},
        {"tab allowed", pascal, "'a\tb'", "'a\tb'", 6},
        {"backslash plain", pascal, "'a\\n'", "'a\\n'", 6},
        {"escapes", CLike, "\"a\\nb\\rc\"", "'a\nb\rc'", 10},
        {"hex escape", CLike, "\"\\x41\\x4\"", "'A\x04'", 10},
        {"hex escape without digits", CLike, "\"a\\xg\"", "'ag'", 7},
        {"other escape", CLike, "\"\\q\\\\\\\"\"", "'q\\\"'", 9},
        {"quote always ends", CLike, "\"a\"\"b\"", "'ab'", 7},
        {"single quote inside", CLike, "\"it's\"", "'it's'", 7},
        {"hex code with 0x", CLike, "#0x41", "'A'", 6},
        {"doubled double quote", LineOriented, "\"say \"\"hi\"\"\"", "'say \"hi\"'", 13},
    };
    for (const TCase& c : cases) {
        TvsParser p;
        c.Setup(p);
        p.LoadText(c.Text);
        EXPECT_EQ(p.GetString(), c.Value) << c.Name;
        EXPECT_EQ(p.Position(), c.After) << c.Name;
    }
}

TEST(Lexer, Numbers) {
    struct TCase {
        String Prefix;
        String Text;
        String Number;
    };
    const TCase cases[] = {
        {"$", "$FF", "$FF"}, {"0x", "0x1F", "$1F"},   {"0x", "0X1F", "0"},    {"$", "1..5", "1"},
        {"$", "1.5", "1.5"}, {"$", "1.5e3", "1.5e3"}, {"$", "2E-7x", "2E-7"}, {"$", "1e", "1"},
        {"$", "1e+", "1"},   {"$", "12ab", "12"},     {"$", "$", ""},         {"$", "x1", ""},
        {"0x", "0x", "0"},   {"$", "  42 ", "42"},    {"$", "3.", "3"},
    };
    for (const TCase& c : cases) {
        TvsParser p;
        p.HexSequence = c.Prefix;
        p.LoadText(c.Text);
        EXPECT_EQ(p.GetNumber(), c.Number) << c.Text;
    }
}

TEST(Lexer, BracketText) {
    TvsParser p;
    p.LoadText("<Data.\"a>b\"> rest");
    p.SetPosition(2);
    EXPECT_EQ(p.GetBracketText(), "Data.\"a>b\"");
    EXPECT_EQ(p.Position(), 12);
    p.LoadText("[a[1] + '<'] x");
    p.SetPosition(2);
    EXPECT_EQ(p.GetBracketText(), "a[1] + '<'");
    p.LoadText("<no end");
    p.SetPosition(2);
    EXPECT_EQ(p.GetBracketText(), "no end");
    EXPECT_EQ(p.Position(), 8);
}

TEST(Lexer, Positions) {
    TvsParser p;
    p.LoadText("ab\ncd");
    const char* expected[] = {"1:1", "1:2", "1:3", "2:1", "2:2", "2:3"};
    for (Integer pos = 1; pos <= 6; ++pos) {
        p.SetPosition(pos);
        EXPECT_EQ(p.GetXYPosition(), expected[pos - 1]);
    }
    EXPECT_EQ(p.GetPlainPosition(1, 2), 4);
    EXPECT_EQ(p.GetPlainPosition(2, 1), 2);
    EXPECT_EQ(p.GetPlainPosition(1, 3), -1);
}

TEST(Lexer, SetDefaultsForgetsTheLastLanguage) {
    TvsParser p;
    LineOriented(p);
    CLike(p);
    p.CaseSensitive = true;
    p.SetIdentChars("abc");
    p.Keywords().Add("dim");
    p.SkipBlanks = false;
    p.SetDefaults();
    EXPECT_EQ(p.CommentLine1, "//");
    EXPECT_EQ(p.CommentLine2, "");
    EXPECT_EQ(p.CommentBlock1(), "{,}");
    EXPECT_EQ(p.CommentBlock2(), "(*,*)");
    EXPECT_EQ(p.StringQuotes, "'");
    EXPECT_EQ(p.HexSequence, "$");
    EXPECT_EQ(p.SkipChar, "");
    EXPECT_FALSE(p.CaseSensitive);
    EXPECT_FALSE(p.SpecStrChar);
    EXPECT_TRUE(p.SkipEOL);
    EXPECT_TRUE(p.SkipBlanks);
    EXPECT_EQ(p.Keywords().Count(), 0);
    EXPECT_TRUE(p.IsIdentChar('Z'));
}

TEST(Lexer, WithoutBlankSkippingReadsOnlyWhatStandsThere) {
    // The code editor's use: no blank skipping, no line tracking.
    TvsParser p;
    p.SkipBlanks = false;
    p.TrackLines = false;
    p.LoadText("  begin");
    EXPECT_EQ(p.GetKeyword(), "");
    p.SetPosition(3);
    EXPECT_EQ(p.GetKeyword(), "begin");
}

} // namespace
