// The error cases of the four grammars: message and "line:col" of the first error.
#include "ILTestSupport.h"

namespace {

struct TErrorCase {
    const char* Language;
    std::vector<String> Lines;
    const char* Message; // "" when the text compiles
    const char* Position;
};

class GrammarErrors : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(GrammarErrors, MessageAndPosition) {
    const TErrorCase& c = GetParam();
    String text;
    for (const String& line : c.Lines)
        text += line + "\r\n";
    const TILResult r = CompileIL(c.Language, text);
    EXPECT_EQ(r.Error, c.Message) << text;
    EXPECT_EQ(r.Position, c.Position) << text;
    EXPECT_EQ(r.Ok, String(c.Message).empty()) << text;
    EXPECT_EQ(r.Unit, "");
}

const TErrorCase Cases[] = {
    // PascalScript
    {"PascalScript", {"begin end."}, "", ""},
    {"PascalScript", {"begin end"}, "'.' expected", "2:1"},
    {"PascalScript", {"x := 1;"}, "'BEGIN' expected", "1:1"},
    {"PascalScript", {"var a, b: Integer; begin a := b + 1 end."}, "", ""},
    {"PascalScript", {"var a: Integer begin"}, "';' expected", "1:16"},
    {"PascalScript", {"begin if a then b := 1 else b := 2 end."}, "", ""},
    {"PascalScript", {"begin", "  if a b := 1", "end."}, "'THEN' expected", "2:8"},
    {"PascalScript", {"begin x := ; end."}, "Expression expected", "1:12"},
    {"PascalScript", {"begin x : = 1 end."}, "'=' expected", "1:11"},
    {"PascalScript", {"begin", "  a := 1", "  b := 2", "end."}, "';' expected", "3:3"},
    {"PascalScript", {"begin end. garbage ( ["}, "", ""},
    {"PascalScript", {"const begin end."}, "Identifier expected", "1:7"},
    {"PascalScript", {"begin for i = 1 to 2 do end."}, "':' expected", "1:13"},
    {"PascalScript", {"begin for i := 1 do x := 1 end."}, "'TO' or 'DOWNTO' expected", "1:18"},
    {"PascalScript", {"begin try x := 1 end end."}, "'FINALLY' or 'EXCEPT' expected", "1:18"},
    {"PascalScript", {"begin repeat x := 1 end."}, "'UNTIL' expected", "1:21"},
    {"PascalScript", {"begin while x x := 1 end."}, "'DO' expected", "1:15"},
    {"PascalScript", {"begin case x 1: ; end end."}, "'OF' expected", "1:14"},
    {"PascalScript", {"begin x := (1 + 2; end."}, "')' expected", "1:18"},
    {"PascalScript", {"begin x := a[1; end."}, "']' expected", "1:15"},
    {"PascalScript", {"begin x := <abc; end."}, "'>' expected", "2:1"},
    {"PascalScript", {"begin case x of 1: x := 1 else x := 2; x := 3 end."}, "'END' expected", "1:40"},
    // A name as the lower bound of a range reads as a range, not as a member access.
    {"PascalScript",
     {"var a: array[Lo..Hi] of Integer;", "begin", "  if x in [Lo..Hi] then", "    case x of",
      "      Lo..Hi: x := 1", "    end", "end."},
     "",
     ""},
    // D++Idezer
    {"D++Idezer", {"{ }"}, "", ""},
    {"D++Idezer", {"int a; { a = 1; }"}, "", ""},
    {"D++Idezer", {"{", "  If (a) b = 1;", "}"}, "';' expected", "2:10"},
    {"D++Idezer", {"#define N 10", "{ }"}, "", ""},
    {"D++Idezer", {"#defin N 10", "{ }"}, "'DEFINE' expected", "1:2"},
    {"D++Idezer", {"{ switch (x) { case 1: a = 1; break; } }"}, "'}' expected", "1:31"},
    {"D++Idezer", {"{ switch (x) { case 1: { a = 1; break; } } }"}, "", ""},
    {"D++Idezer", {"int a[3][4]; { }"}, "", ""},
    {"D++Idezer", {"{ x = a & & b; }"}, "", ""},
    {"D++Idezer", {"{ a = = b; }"}, "Expression expected", "1:7"},
    {"D++Idezer", {"{ x = 1 }"}, "';' expected", "1:9"},
    {"D++Idezer", {"x = 1;"}, "'{' expected", "1:1"},
    {"D++Idezer", {"{ if x) y = 1; }"}, "'(' expected", "1:6"},
    {"D++Idezer", {"{ do x++; (x > 1); }"}, "'WHILE' expected", "1:11"},
    {"D++Idezer", {"{ try { } }"}, "'FINALLY' or 'EXCEPT' expected", "1:11"},
    {"D++Idezer", {"{ while (x > 1 x++; }"}, "')' expected", "1:16"},
    // VuzirUzezid
    {"VuzirUzezid", {"a = 1 : b = 2"}, "", ""},
    {"VuzirUzezid", {"a = 1 b = 2"}, "End of line expected", "1:7"},
    {"VuzirUzezid", {"x = 1 + _", "2"}, "", ""},
    {"VuzirUzezid", {"If a Then b = 1"}, "", ""},
    {"VuzirUzezid", {"If a Then", "  b = 1"}, "'END' expected", "3:1"},
    {"VuzirUzezid", {"Exit"}, "", ""},
    {"VuzirUzezid", {"Exit Sub"}, "End of line expected", "1:6"},
    {"VuzirUzezid", {"Dim a As Integer = 5"}, "", ""},
    {"VuzirUzezid", {"Dim As"}, "Identifier expected", "1:5"},
    {"VuzirUzezid", {"y = 2"}, "", ""},
    {"VuzirUzezid", {"If a b = 1"}, "'THEN' expected", "1:6"},
    {"VuzirUzezid", {"For i = 1 To 3", "  x = i"}, "'NEXT' expected", "3:1"},
    {"VuzirUzezid", {"For i 1 To 3", "Next"}, "'=' expected", "1:7"},
    {"VuzirUzezid", {"For i = 1 3", "Next"}, "'TO' expected", "1:11"},
    {"VuzirUzezid", {"While x", "  x = 1"}, "'WEND' expected", "3:1"},
    {"VuzirUzezid", {"Select x", "End Select"}, "'CASE' expected", "1:8"},
    {"VuzirUzezid", {"Try", "  x = 1", "End Try"}, "'FINALLY' or 'CATCH' expected", "3:1"},
    {"VuzirUzezid", {"Sub P", "End Function"}, "'SUB' expected", "2:5"},
    {"VuzirUzezid", {"x = 1 ' a comment", "rem another", "y = 2"}, "", ""},
    // JScript
    {"JScript", {""}, "", ""},
    {"JScript", {"var a = 1, b[3]; a = b[0]"}, "", ""},
    {"JScript", {"x = 5"}, "", ""},
    {"JScript", {"a = 1; )"}, "", ""},
    {"JScript", {"if (a) b = 1; else b = 2;"}, "", ""},
    {"JScript", {"if a b = 1"}, "'(' expected", "1:4"},
    {"JScript", {"{ x = 1;"}, "'}' expected", "2:1"},
    {"JScript", {"do x++; (x > 1);"}, "'WHILE' expected", "1:9"},
    {"JScript", {"x = f(1;"}, "')' expected", "1:8"},
    {"JScript", {"try { } x = 1;"}, "'FINALLY' or 'EXCEPT' expected", "1:9"},
};

INSTANTIATE_TEST_SUITE_P(FourLanguages, GrammarErrors, ::testing::ValuesIn(Cases));

} // namespace
