// Programs of the four languages with their exact output: recursion, var and default parameters,
// arrays, strings with index assignment, sets and ranges, case/switch, loops with break and
// continue, try/except/finally, exceptions raised by scripts and the string list binding.
#include "ScriptTestSupport.h"

namespace {

using TProgram = TScriptProgram;

class Languages : public ::testing::TestWithParam<TProgram> {};

TEST_P(Languages, RunWithExactOutput) {
    const TProgram& p = GetParam();
    TScriptRunner r(p.Language);
    EXPECT_EQ(r.Run(p.Text), p.Output);
}

const TProgram Programs[] = {
    {"PascalRecursionAndParameters", "PascalScript",
     Lines({"var a, b: Integer;", "function Fact(n: Integer): Integer;",
            "begin if n <= 1 then Result := 1 else Result := n * Fact(n - 1) end;",
            "procedure Swap(var x, y: Integer; Step: Integer = 10);", "var t: Integer;",
            "begin t := x; x := y; y := t + Step end;", "function Depth(n: Integer): Integer;",
            "var local: Integer;", "begin local := n; if n > 0 then Depth(n - 1); Result := local end;",
            "begin", "  Print(Fact(10));",
            "  a := 1; b := 2; Swap(a, b); Print(IntToStr(a) + ',' + IntToStr(b));",
            "  Swap(a, b, 1); Print(IntToStr(a) + ',' + IntToStr(b));", "  Print(Depth(5));", "end."}),
     "3628800\n2,11\n11,3\n5\n"},
    {"PascalArraysStringsSets", "PascalScript",
     Lines({"var a: array[1..5] of Integer; m: array[0..1, 0..2] of Variant; i, n: Integer; s: String;",
            "begin", "  for i := 1 to 5 do a[i] := i * i;",
            "  n := 0; for i := 5 downto 1 do n := n + a[i]; Print(n);",
            "  m[1, 2] := 'x'; Print(m[1, 2]); Print(VarToStr(m[0, 0]) = '');",
            "  s := 'hello'; s[1] := 'J'; s[5] := 'y'; Print(s); Print(s[2]);",
            "  Print(Length(s)); Print(Copy(s, 2, 3));",
            "  for i := 1 to 8 do if i in [1, 3..5, 8] then s := s + IntToStr(i);", "  Print(s);",
            "  i := 4; Print((i > 3) and (i < 5)); Print(7 / 2); Print(7 div 2); Print(7 mod 2); Print(-2 * "
            "3);",
            "end."}),
     "55\nx\nTrue\nJelly\ne\n5\nell\nJelly13458\nTrue\n3.5\n3\n1\n-6\n"},
    {"PascalCaseLoopsBreakContinue", "PascalScript",
     Lines({"var i, j, n: Integer; s: String;",
            "begin",
            "  s := '';",
            "  for i := 1 to 6 do",
            "    case i of",
            "      1: ;",
            "      2, 3: s := s + 'a';",
            "      4..5: s := s + 'b';",
            "    else s := s + 'e';",
            "    end;",
            "  Print(s);",
            "  n := 0;",
            "  for i := 1 to 10 do begin",
            "    if i mod 2 = 0 then continue;",
            "    if i > 7 then break;",
            "    for j := 1 to 100 do if j > 2 then break else n := n + 1;",
            "  end;",
            "  Print(n); Print(i);",
            "  i := 0; while True do begin i := i + 1; if i = 3 then break end; Print(i);",
            "  i := 0; repeat i := i + 2 until i >= 5; Print(i);",
            "  for i := 1 to 0 do Print('never'); Print(i);",
            "end."}),
     "aabbe\n8\n9\n3\n6\n6\n"},
    {"PascalExceptions", "PascalScript",
     Lines({"var s: String; i: Integer;", "procedure Check(n: Integer);",
            "begin if n > 2 then RaiseException('too big: ' + IntToStr(n)) end;", "begin",
            "  try Check(5); Print('not reached') except Print(ExceptionMessage); Print(ExceptionClassName) "
            "end;",
            "  try i := StrToInt('x1') except Print(ExceptionClassName + ': ' + ExceptionMessage) end;",
            "  try try Check(3) finally Print('finally') end except Print('caught') end;",
            "  s := 'after'; Print(s);", "end."}),
     "too big: 5\nException\nEConvertError: 'x1' is not a valid integer value\nfinally\ncaught\nafter\n"},
    {"PascalStringList", "PascalScript",
     Lines({"var L: TStringList; i: Integer;", "begin", "  L := TStringList.Create;", "  try",
            "    L.Add('pear'); L.Add('apple'); L.Add('fig');", "    L.Sorted := True;",
            "    Print(L.CommaText); Print(L.Count); Print(L[0]); Print(L.Strings[2]);",
            "    if L.Find('banana', i) then Print('found') else Print(i);",
            "    L.Values['k'] := 'v'; Print(L.Values['k']);",
            "    with L do begin Sorted := False; Add('zz'); Print(Count) end;", "  finally", "    L.Free;",
            "  end;", "end."}),
     "apple,fig,pear\n3\napple\npear\n1\nv\n5\n"},
    {"CppProgram", "D++Idezer",
     Lines({"int Fib(int n) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }",
            "void Twice(int &x) { x = x * 2; }", "{", "  int i, n = 5; string s = \"abc\";",
            "  Print(Fib(15));", "  Twice(n); Print(n);", "  s[2] = \"Z\"; Print(s);",
            "  for (i = 0; i < 10; i++) { if (i == 2) continue; if (i == 5) break; s = s + IntToStr(i); }",
            "  Print(s);", "  switch (n) { case 10: { Print(\"ten\"); break; } case 5: Print(\"five\"); }",
            "  Print(\"after switch\");",
            "  try { RaiseException(\"bad\"); } except { Print(ExceptionMessage); }",
            "  i = 0; do { i++; } while (i < 3); Print(i);", "}"}),
     "610\n10\naZc\naZc0134\nten\nafter switch\nbad\n3\n"},
    {"BasicProgram", "VuzirUzezid",
     Lines({"Function Fact(n)",
            "  If n <= 1 Then",
            "    Return 1",
            "  End If",
            "  Return n * Fact(n - 1)",
            "End Function",
            "Sub AddOne(ByRef x)",
            "  x = x + 1",
            "End Sub",
            "Dim i, s, a[3], k",
            "Print(Fact(6))",
            "k = 1",
            "AddOne(k)",
            "Print(k)",
            "s = \"\"",
            "For i = 10 To 1 Step -3",
            "  s = s & i & \",\"",
            "Next",
            "Print(s)",
            "For i = 0 To 2",
            "  a[i] = i * 10",
            "Next",
            "Print(a[2])",
            "Select Case k",
            "Case 1, 2:",
            "  Print(\"small\")",
            "Case Else:",
            "  Print(\"big\")",
            "End Select",
            "i = 0",
            "Do",
            "  i = i + 1",
            "  If i = 4 Then break",
            "Loop While i < 10",
            "Print(i)",
            "Try",
            "  RaiseException(\"oops\")",
            "Catch",
            "  Print(ExceptionMessage)",
            "End Try"}),
     "720\n2\n10,7,4,1,\n20\nsmall\n4\noops\n"},
    {"JScriptProgram", "JScript",
     Lines({"function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }",
            "function bump(&v, d) { v = v + d; }", "var a[3], s = \"x\", i, L;", "print(fib(12));",
            "k = 1; bump(k, 4); print(k);", "for (i = 0; i < 3; i++) a[i] = i + 1;",
            "print(a[0] + a[1] + a[2]);", "while (true) { s += \"y\"; if (s == \"xyy\") break; }",
            "print(s);",
            "switch (k) { case 1, 2: { print(\"low\"); break; } case 5: { print(\"five\"); break; } default: "
            "print(\"other\"); }",
            "print(\"go on\");", "try { RaiseException(\"js\"); } except { print(ExceptionMessage); }",
            "try { i = 1; } finally { print(\"fin\"); }", "L = new TStringList();",
            "L.Add(\"q\"); L.Add(\"r\"); print(L.Text); L.Free();"}),
     "144\n5\n6\nxyy\nfive\ngo on\njs\nfin\nq\r\nr\r\n\n"},
};

INSTANTIATE_TEST_SUITE_P(Script, Languages, ::testing::ValuesIn(Programs), ProgramName);

} // namespace

// "X = X & E" joins texts; folding it into the compound add would add numbers ("1" + 2 = 3).
TEST(ScriptAssignment, ConcatenationIsNotFoldedIntoAdd) {
    TScriptRunner basic("VuzirUzezid");
    EXPECT_EQ(basic.Run(Lines({"Dim s", "s = \"1\"", "s = s & 2", "Print(s)", "s = s + 2", "Print(s)"})),
              "12\n14\n");
}
