// Compile errors come back as message, "line:col" and unit and never raise; run-time errors raise
// with the statement's position in RunErrorPosition.
#include "ScriptTestSupport.h"
#include "script/vs_itools.h"

namespace {

struct TErrorCase {
    const char* Language;
    String Text;
    String Result; // what TScriptRunner::Run gives
};

class ScriptErrors : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(ScriptErrors, MessageAndPosition) {
    const TErrorCase& c = GetParam();
    TScriptRunner r(c.Language);
    EXPECT_EQ(r.Run(c.Text), c.Result);
}

const TErrorCase ErrorCases[] = {
    {"PascalScript", Lines({"var i: Integer;", "begin", "  i := Foo;", "end."}),
     "compile: Undeclared identifier: 'Foo' at 3:11"},
    {"PascalScript", Lines({"var i: Integer;", "var i: String;", "begin end."}),
     "compile: Identifier redeclared: 'i' at 2:6"},
    {"PascalScript", Lines({"var i: Integer;", "begin", "  i := 'abc';", "end."}),
     "compile: Incompatible types: 'Integer', 'String' at 3:8"},
    {"PascalScript", Lines({"var b: Boolean;", "begin", "  b := True < False;", "end."}),
     "compile: Incompatible types at 3:14"},
    {"PascalScript", Lines({"begin", "  Copy('abc', 1);", "end."}),
     "compile: Not enough actual parameters at 2:7"},
    {"PascalScript", Lines({"var s: String;", "begin", "  for s := 1 to 3 do ;", "end."}),
     "compile: For loop variable must be numeric variable at 3:8"},
    {"PascalScript", Lines({"var x: TNoSuchType;", "begin end."}),
     "compile: Unknown type: 'TNoSuchType' at 1:19"},
    {"PascalScript", Lines({"begin", "  x := ;", "end."}), "compile: Expression expected at 2:8"},
    {"PascalScript", Lines({"begin", "  True := False;", "end."}),
     "compile: Left side cannot be assigned to at 2:3"},
    {"PascalScript", Lines({"var i: Integer;", "begin", "  i := 1;", "  i := i div 0;", "end."}),
     "run: Division by zero at 4:3"},
    {"PascalScript", Lines({"var s: String;", "begin", "  s := 'abc';", "  s[4] := 'x';", "end."}),
     "run: String index out of bounds (4) at 4:3"},
    {"PascalScript", Lines({"var a: array[0..2] of Integer;", "begin", "  a[3] := 1;", "end."}),
     "run: Variant or safe array index out of bounds at 3:3"},
    {"PascalScript",
     Lines({"procedure P;", "begin", "  RaiseException('deep');", "end;", "begin", "  Print(1);", "  P;",
            "end."}),
     "1\nrun: deep at 3:3"},
    {"JScript", Lines({"var a = 1;", "if a a = 2;"}), "compile: '(' expected at 2:4"},
    {"JScript", Lines({"var s = \"ab\";", "s.Foo();"}),
     "run: Strings doesn't have properties or methods at 2:1"},
    {"VuzirUzezid", Lines({"Dim i", "For i = 1 To 3 Step 0", "Next"}),
     "run: For loop step must not be zero at 2:1"},
    {"D++Idezer", Lines({"{", "  int i;", "  i = \"x\";", "}"}),
     "compile: Incompatible types: 'Integer', 'String' at 3:7"},
};

INSTANTIATE_TEST_SUITE_P(Script, ScriptErrors, ::testing::ValuesIn(ErrorCases));

TEST(ScriptCompile, UnknownLanguageUnreadableUnitAndBadGrammarFailWithoutRaising) {
    TScriptRunner r;
    r.Script.SyntaxType = "Klingon";
    EXPECT_FALSE(r.Compile("begin end."));
    EXPECT_EQ(r.Script.ErrorText, "Language 'Klingon' not found");

    TScriptRunner u;
    u.Script.IncludeFolders().Clear();
    u.Script.IncludeFolders().Add("/nonexistent/folder");
    EXPECT_FALSE(u.Compile(Lines({"uses 'missing.pas';", "begin end."})));
    EXPECT_FALSE(u.Script.ErrorText.empty());

    TScriptRunner l;
    EXPECT_FALSE(l.Compile(Lines({"#language NoSuchLanguage", "begin end."})));
    EXPECT_FALSE(l.Script.ErrorText.empty());

    RegisterLanguage("@Broken",
                     "<?xml version=\"1.0\"?><language><program><nosuchrule/></program></language>");
    TScriptRunner b("@Broken");
    EXPECT_FALSE(b.Compile("x"));
    EXPECT_EQ(b.Script.ErrorText, "Invalid language definition");
}

TEST(ScriptCompile, SecondCompileKeepsFirstDeclarations) {
    TScriptRunner r;
    ASSERT_TRUE(r.Compile(Lines({"var x: Integer;", "begin end."})));
    EXPECT_FALSE(r.Compile(Lines({"var x: Integer;", "begin end."})));
    EXPECT_EQ(r.Script.ErrorText, "Identifier redeclared: 'x'");
}

} // namespace
