// Representative programs of the four languages compile to intermediate form without error and
// hold the elements their statements stand for.
#include "ILTestSupport.h"

#include <functional>
#include <set>

namespace {

void CollectNames(const TvsXMLItem& Item, std::multiset<String>& Names) {
    Names.insert(Item.Name());
    for (Integer i = 0; i < Item.Count(); ++i)
        CollectNames(*Item.Items(i), Names);
}

struct TProgramCase {
    const char* Language;
    std::vector<String> Lines;
    std::vector<String> Elements; // element names that must occur
};

class Programs : public ::testing::TestWithParam<TProgramCase> {};

TEST_P(Programs, CompileToIntermediateForm) {
    const TProgramCase& c = GetParam();
    String text;
    for (const String& line : c.Lines)
        text += line + "\r\n";
    TvsILParser parser;
    parser.SelectLanguage(c.Language);
    ASSERT_TRUE(parser.BuildIntermediate(text)) << parser.ErrorText() << " at " << parser.ErrorPosition();
    std::multiset<String> names;
    CollectNames(*parser.Intermediate().Root(), names);
    for (const String& element : c.Elements)
        EXPECT_TRUE(names.count(element)) << c.Language << ": no element " << element;
}

const std::vector<String> Common = {"function", "parameters", "compoundstmt", "assignstmt",  "callstmt",
                                    "ifstmt",   "thenstmt",   "elsestmt",     "casestmt",    "caseselector",
                                    "set",      "range",      "whilestmt",    "repeatstmt",  "break",
                                    "continue", "trystmt",    "exceptstmt",   "finallystmt", "array",
                                    "dim",      "init",       "dsgn",         "expr"};

std::vector<String> With(std::vector<String> more) {
    std::vector<String> all = Common;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

const TProgramCase Cases[] = {
    {"PascalScript",
     {"program Demo;",
      "const Max = 10;",
      "var s: String; a: array[1..Max] of Integer; i, n: Integer;",
      "    c: array[0..2, 0..1] of Variant;",
      "",
      "function Fact(n: Integer): Integer;",
      "begin",
      "  if n <= 1 then Result := 1 else Result := n * Fact(n - 1)",
      "end;",
      "",
      "procedure Swap(var x, y: Integer; const Step: Integer = 1);",
      "var t: Integer;",
      "begin",
      "  t := x; x := y; y := t + Step - 1",
      "end;",
      "",
      "begin",
      "  s := 'abc'#13#10'It''s';",
      "  s[2] := 'X';",
      "  for i := 1 to Max do",
      "  begin",
      "    if i mod 2 = 0 then continue;",
      "    if (i > 7) or not (i <> 3) then break;",
      "    a[i] := Fact(i)",
      "  end;",
      "  n := $1F;",
      "  while n < 5 do n := n + 1;",
      "  repeat n := n - 1 until n = 0;",
      "  for i := Max downto 1 do Swap(a[i], n);",
      "  case n of",
      "    0: s := 'zero';",
      "    1, 2: s := 'small';",
      "    3..9: s := 'digit'",
      "  else s := 'big'",
      "  end;",
      "  if n in [1, 3..5] then s := s + '!';",
      "  try",
      "    try",
      "      RaiseException('failed');",
      "    except",
      "      s := ExceptionMessage",
      "    end",
      "  finally",
      "    n := 0",
      "  end;",
      "  with Sender do Caption := <Data.\"Name\">;",
      "  exit",
      "end."},
     With({"procedure", "const", "var", "varparams", "forstmt", "downto", "with", "exit", "string",
           "number"})},
    {"D++Idezer",
     {"#define MAX 10",
      "int a[10], n = 0;",
      "string s;",
      "int Fact(int n) { if (n <= 1) return 1; else return n * Fact(n - 1); }",
      "void Swap(int &x, int &y, int step = 1) { int t = x; x = y; y = t + step - 1; }",
      "{",
      "  s = \"abc\\n\\x41\";",
      "  s[2] = \"X\";",
      "  for (int i = 0; i < MAX; i++) {",
      "    if (i % 2 == 0) continue;",
      "    if (i > 7 || !(i != 3) && n >= 0) break;",
      "    a[i] = Fact(i);",
      "  }",
      "  while (n < 5) n++;",
      "  do n--; while (n > 0);",
      "  switch (n) {",
      "    case 0: s = \"zero\";",
      "    case 1, 2: s = \"small\";",
      "    case 3..9: { s = \"digit\"; }",
      "    default: s = \"big\";",
      "  }",
      "  if (n in [1, 3..5]) s += \"!\";",
      "  try {",
      "    try { RaiseException(\"failed\"); }",
      "    except { s = ExceptionMessage; }",
      "  } finally { n = 0x1F; }",
      "  obj = new TStringList();",
      "  delete obj;",
      "  return;",
      "}"},
     With({"const", "var", "varparam", "cppforstmt", "inverse", "modificator", "new", "delete", "return",
           "type", "name"})},
    {"VuzirUzezid",
     {"Dim a[10], s As String, n = 0",
      "Function Fact(n)",
      "  If n <= 1 Then",
      "    Return 1",
      "  Else",
      "    Return n * Fact(n - 1)",
      "  End If",
      "End Function",
      "Sub Swap(ByRef x, ByRef y, delta As Integer = 1)",
      "  Dim t = x",
      "  x = y : y = t + delta - 1",
      "End Sub",
      "s = \"abc\" & \"It\"\"s\"",
      "s[2] = \"X\"",
      "For i = 1 To 10 Step 1",
      "  If i Mod 2 = 0 Then Continue",
      "  If i > 7 Or Not (i <> 3) Then Break",
      "  a[i] = Fact(i) ' the factorial",
      "Next",
      "While n < 5",
      "  n = n + 1",
      "Wend",
      "Do",
      "  n = n - 1",
      "Loop Until n = 0",
      "Do",
      "  n += 1",
      "Loop While n < 3",
      "Select Case n",
      "  Case 0: s = \"zero\"",
      "  Case 1, 2: s = \"small\"",
      "  Case 3..9: s = \"digit\"",
      "  Case Else: s = \"big\"",
      "End Select",
      "If n In [1, 3..5] Then s = s & \"!\"",
      "If n = 1 Then",
      "  s = \"one\"",
      "ElseIf n = 2 Then",
      "  s = \"two\"",
      "Else",
      "  s = \"many\"",
      "End If",
      "Try",
      "  Try",
      "    RaiseException(\"failed\")",
      "  Catch",
      "    s = ExceptionMessage",
      "  End Try",
      "Finally",
      "  n = 0",
      "End Try",
      "With Sender",
      "  Caption = s",
      "End With",
      "Set o = New TStringList"},
     With({"procedure", "var", "varparams", "vbforstmt", "inverse", "modificator", "with", "exit", "new",
           "return"})},
    {"JScript",
     {"var a[10], s = \"\", n = 0;",
      "function Fact(n) { if (n <= 1) return 1; else return n * Fact(n - 1); }",
      "function Swap(&x, &y) { var t = x; x = y; y = t; }",
      "s = \"abc\\r\\n\";",
      "s[2] = \"X\";",
      "for (i = 0; i < 10; i++) {",
      "  if (i % 2 == 0) continue;",
      "  if (i > 7 || !(i != 3)) break;",
      "  a[i] = Fact(i);",
      "}",
      "while (n < 5) n++;",
      "do n--; while (n > 0);",
      "switch (n) {",
      "  case 0: s = \"zero\";",
      "  case 1, 2: s = \"small\";",
      "  case 3..9: s = \"digit\";",
      "  default: s = \"big\";",
      "}",
      "if (n in [1, 3..5]) s += \"!\";",
      "try {",
      "  try { RaiseException(\"failed\"); }",
      "  except { s = ExceptionMessage; }",
      "} finally { n = 0; }",
      "with (Sender) Caption = s;",
      "o = new TStringList();",
      "delete o;"},
     With({"var", "varparam", "cppforstmt", "inverse", "modificator", "with", "new", "delete", "return"})},
};

INSTANTIATE_TEST_SUITE_P(FourLanguages, Programs, ::testing::ValuesIn(Cases));

// The operators each language spells its own way reach the intermediate form as the interpreter's
// operator words, in source order; their priorities are the expression builder's.
TEST(Operators, LanguageSpellingsBecomeOperatorWords) {
    struct TCase {
        const char* Language;
        String Text;
        std::vector<String> Ops;
    };
    const TCase cases[] = {
        {"PascalScript",
         "begin x := -a div b mod c and d or e xor f shl g shr h end.",
         {"unminus", "div", "mod", "and", "or", "xor", "shl", "shr"}},
        {"PascalScript", "begin x := (a >= b) <> (c <= d) end.", {"(", ">=", ")", "<>", "(", "<=", ")"}},
        {"D++Idezer",
         "{ x = a || b && c == d != e % f << g >> h ^ !i; }",
         {"or", "and", "=", "<>", "mod", "shl", "shr", "xor", "not"}},
        {"D++Idezer", "{ x = a & & b | | c; }", {"and", "or"}},
        {"VuzirUzezid",
         "x = a & b \\ c Mod d And e Or f Xor Not g\r\n",
         {"strcat", "div", "mod", "and", "or", "xor", "not"}},
        {"JScript",
         "x = a || b && c == d != e % f << g >> h ^ !i;",
         {"or", "and", "=", "<>", "mod", "shl", "shr", "xor", "not"}},
    };
    for (const TCase& c : cases) {
        TvsILParser parser;
        parser.SelectLanguage(c.Language);
        ASSERT_TRUE(parser.BuildIntermediate(c.Text)) << c.Text << ": " << parser.ErrorText();
        std::vector<String> ops;
        // Depth-first in document order.
        std::function<void(const TvsXMLItem&)> walk = [&](const TvsXMLItem& item) {
            if (item.Name() == "op") ops.push_back(item.Prop("text"));
            for (Integer i = 0; i < item.Count(); ++i)
                walk(*item.Items(i));
        };
        walk(*parser.Intermediate().Root());
        EXPECT_EQ(ops, c.Ops) << c.Text;
    }
}

} // namespace

namespace {

// The one-function texts by which a script evaluates an expression in its language.
TEST(EvaluateTexts, CompileInEveryLanguage) {
    const String e = "a * (b + 1) >= 2";
    const std::pair<const char*, String> texts[] = {
        {"PascalScript", "function vsEvaluateFUNC: Variant; begin Result := " + e + " end; begin end.\r\n"},
        {"D++Idezer", "Variant vsEvaluateFUNC() { return " + e + "; } {}\r\n"},
        {"VuzirUzezid", "function vsEvaluateFUNC\r\nreturn " + e + "\r\nend function\r\n"},
        {"JScript", "function vsEvaluateFUNC() { return (" + e + "); }\r\n"},
    };
    for (const auto& [language, text] : texts) {
        TvsILParser parser;
        parser.SelectLanguage(language);
        EXPECT_TRUE(parser.BuildIntermediate(text)) << language << ": " << parser.ErrorText();
        const String xml = parser.Intermediate().SaveToString();
        EXPECT_NE(xml.find("<name text=\"vsEvaluateFUNC\""), String::npos) << language;
    }
}

class TExtendedHost : public TvsILHost {
public:
    bool ExtendedIdentifiers() const override { return true; }
};

TEST(ExtendedIdentifiers, NationalLettersInNames) {
    const String text = "var \xE9\x87\x91\xE9\xA2\x9D: Integer; begin \xE9\x87\x91\xE9\xA2\x9D := 1 end.";
    TvsILParser plain;
    plain.SelectLanguage("PascalScript");
    EXPECT_FALSE(plain.BuildIntermediate(text));
    TExtendedHost host;
    TvsILParser extended(&host);
    extended.SelectLanguage("PascalScript");
    EXPECT_TRUE(extended.BuildIntermediate(text)) << extended.ErrorText();
}

} // namespace
