// Run-time behaviour at the edges: recursion deeper than the stack allows ends in the script's
// "Stack overflow" error, nested indexes, jumps out of try ... finally, byte positions of GBK text,
// the line-continuation character and arrays of arrays.
#include "ScriptTestSupport.h"

#include <functional>
#include <pthread.h>

namespace {

const TScriptProgram RunCases[] = {
    // Every index is evaluated before any is used: the inner m[1,2] must not replace the outer i.
    {"NestedIndexRead", "PascalScript",
     Lines({"var m: array[0..2, 0..2] of Integer; i: Integer;", "begin",
            "  m[2,1] := 7; m[1,1] := 99; i := 2; m[1,2] := 2;", "  Print(m[i, m[1,2] - 1]);", "end."}),
     "7\n"},
    {"NestedIndexWrite", "PascalScript",
     Lines({"var m: array[0..2, 0..2] of Integer; i: Integer;", "begin", "  i := 2; m[0,1] := 1;",
            "  m[i, m[0,1]] := 42;", "  Print(m[2,1]); Print(m[0,1]);", "end."}),
     "42\n1\n"},
    {"BreakInFinallyRunsWholeFinally", "PascalScript",
     Lines({"var i: Integer;", "begin", "  for i := 1 to 3 do", "    try", "      if i = 2 then break;",
            "    finally", "      Print('a' + IntToStr(i));", "      Print('b' + IntToStr(i));", "    end;",
            "  Print('end ' + IntToStr(i));", "end."}),
     "a1\nb1\na2\nb2\nend 2\n"},
    {"ContinueInFinallyRunsWholeFinally", "PascalScript",
     Lines({"var i: Integer;", "begin", "  for i := 1 to 2 do begin", "    try", "      continue;",
            "    finally", "      Print('a' + IntToStr(i));", "      Print('b' + IntToStr(i));", "    end;",
            "    Print('never');", "  end;", "end."}),
     "a1\nb1\na2\nb2\n"},
    {"JScriptBreakInFinally", "JScript",
     Lines({"var i;", "for (i = 0; i < 5; i++) {", "  try { if (i == 1) break; }",
            "  finally { print(\"x\"); print(i); }", "}", "print(\"end\");"}),
     "x\n0\nx\n1\nend\n"},
    // A character of GBK text is addressed at its first byte; its trailing byte yields nothing.
    {"GbkBytePositions", "PascalScript",
     Lines({"var s, t, u: String; i: Integer;", "begin", "  s := '中文ab字';", "  t := ''; u := '';",
            "  for i := 1 to Length(s) do begin t := t + s[i]; u := u + Copy(s, i, 1) end;",
            "  Print(t); Print(u); Print(Length(s));", "  Print('[' + s[1] + '|' + s[2] + '|' + s[5] + ']');",
            "  Print(Copy(s, 1, 1)); Print('[' + Copy(s, 2, 1) + ']'); Print(Copy(s, 2, 4));",
            "  Print(Copy(s, 1, 3) + Copy(s, 4, 10));", "  u := s; Delete(u, 2, 3); Print(u);",
            "  u := s; Insert('-', u, 3); Print(u);", "end."}),
     "中文ab字\n中文ab字\n8\n[中||a]\n中\n[]\n文a\n中文ab字\n中ab字\n中-文ab字\n"},
    // "_" joins lines only before the line end; elsewhere it starts a name.
    {"BasicUnderscoreNames", "VuzirUzezid",
     Lines({"Dim a, _a, b_", "a = 1", "_a = 2", "b_ = a + _", "  _a",
            "Print(\"\" & a & \",\" & _a & \",\" & b_)"}),
     "1,2,3\n"},
    // Appends extend the variable in place; a source that may change the target reads it first.
    {"AppendPascal", "PascalScript",
     Lines({"var s, t: String; i: Integer;", "function Grow: String; begin s := 'zz'; Result := '!' end;",
            "begin", "  s := ''; for i := 1 to 3 do s := s + 'ab';", "  t := 'x'; s := s + t; Print(s);",
            "  s := s + Grow; Print(s);", "end."}),
     "abababx\nabababx!\n"},
    {"AppendJScript", "JScript",
     Lines({"var s = \"a\", n = 1;", "s += \"b\"; s = s + \"c\"; print(s);", "n += 2; print(n);"}),
     "abc\n3\n"},
    // Compound assignments keep the target's type: a float stays a float, an integer sum that
    // leaves the 32-bit range becomes a 64-bit integer.
    {"CompoundAssignmentTypes", "PascalScript",
     Lines({"var x: Extended; i: Integer; v: Variant;", "begin",
            "  x := x + 1; Print(VarType(x)); Print(x / 2);", "  i := 5; i := i * 3; i := i - 20; Print(i);",
            "  v := 2147483647; v := v + 1; Print(v);", "end."}),
     "5\n0.5\n-5\n2147483648\n"},
    {"CounterTypes", "D++Idezer",
     Lines({"{", "  float x; int i;", "  x++; i++; i++;", "  Print(VarType(x)); Print(i);", "}"}), "5\n2\n"},
    // A recursive call starts with its caller's text and appends to it in place; the caller's
    // text comes back unchanged when the call returns.
    {"AppendInRecursion", "PascalScript",
     Lines({"function F(n: Integer): String;", "var s: String;", "begin", "  s := s + '<';",
            "  if n > 0 then F(n - 1);", "  s := s + IntToStr(n);", "  Result := s;", "end;",
            "begin Print(F(2)); Print(F(0)) end."}),
     "<2\n<2<0\n"},
    {"AppendInRecursionJScript", "JScript",
     Lines({"function g(n, c) {", "  var s = \"<\"; s = s + c;", "  if (n > 0) g(n - 1, c + c);",
            "  s += \">\"; print(s);", "}", "g(2, \"x\");"}),
     "<xxxx>\n<xx>\n<x>\n"},
    {"AppendBasic", "VuzirUzezid",
     Lines({"Dim s, i", "s = \"\"", "For i = 1 To 3", "  s = s & i", "Next", "Print(s)"}), "123\n"},
};

INSTANTIATE_TEST_SUITE_P(Edges, ScriptPrograms, ::testing::ValuesIn(RunCases), ProgramName);

// An element of a variant array that is itself an array is indexed again: v[0][1].
TEST(ScriptArrays, ArrayOfArraysIsIndexedElementByElement) {
    for (const char* language : {"PascalScript", "JScript"}) {
        TScriptRunner r(language);
        r.Script.AddVariable("V", "Variant", VarArrayOf({VarArrayOf({1, 2}), VarArrayOf({3, 4})}));
        const String text = String(language) == "JScript"
                                ? Lines({"print(V[0][1]); print(V[1][0]);", "V[1][0] = 30;",
                                         "print(V[1][0]); print(V[0][1]); print(V[1][1]);"})
                                : Lines({"begin", "  Print(V[0][1]); Print(V[1][0]);", "  V[1][0] := 30;",
                                         "  Print(V[1][0]); Print(V[0][1]); Print(V[1][1]);", "end."});
        EXPECT_EQ(r.Run(text), "2\n3\n30\n2\n4\n") << language;
    }
    // The same when the array is made by the script (the path is resolved at its first use).
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"var v: Variant;", "begin", "  v := VarArrayCreate([0, 1], 12);",
                           "  v[1] := VarArrayCreate([0, 2], 12);", "  v[1][2] := 'x';", "  Print(v[1][2]);",
                           "end."})),
              "x\n");
}

// Recursion ends in the script's error before the machine's stack runs out, whatever the frame
// size; a recursion that fits runs to its result.
struct TDeepCase {
    const char* Name;
    const char* Language;
    String Text;
    String Result;    // the output when the recursion fits
    String ErrorLine; // of the recursive function's statements
};

class ScriptDeepRecursion : public ::testing::TestWithParam<TDeepCase> {};

// Runs Body on a thread with a stack of the given size (hosts run scripts on worker threads too).
void RunOnStack(size_t StackSize, const std::function<void()>& Body) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, StackSize);
    pthread_t thread;
    auto start = [](void* Arg) -> void* {
        (*static_cast<const std::function<void()>*>(Arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, start, const_cast<std::function<void()>*>(&Body)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
}

TEST_P(ScriptDeepRecursion, FitsOrRaisesStackOverflow) {
    const TDeepCase& c = GetParam();
    for (size_t stack : {size_t(0), size_t(1) << 20, size_t(256) << 10}) {
        String out;
        auto run = [&] {
            TScriptRunner r(c.Language);
            out = r.Run(c.Text);
        };
        if (stack)
            RunOnStack(stack, run);
        else
            run();
        if (out != c.Result) {
            // The error arises in whichever statement of the recursive function is running then.
            EXPECT_EQ(out.substr(0, out.rfind(':')), "run: Stack overflow at " + c.ErrorLine)
                << "stack " << stack;
        }
    }
}

String Chain(int Terms) {
    String s = "n";
    for (int i = 0; i < Terms; ++i)
        s += " + 1";
    return s;
}

const TDeepCase DeepCases[] = {
    {"PascalWideFrames", "PascalScript",
     Lines({"function F(n: Integer): Integer;", "begin",
            "  if n = 0 then Result := 0 else Result := F(n - 1) + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1;",
            "end;", "begin Print(F(1999)) end."}),
     "17991\n", "3"},
    {"JScriptWideFrames", "JScript",
     Lines({"function f(n) { if (n == 0) return 0; return f(n - 1) + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1; }",
            "print(f(5000));"}),
     "45000\n", "1"},
    {"PascalLongChainsAtDepth", "PascalScript",
     Lines({"function G(n: Integer): Integer;", "begin",
            ("  if n = 0 then Result := 0 else Result := G(n - 1) + " + Chain(900) + ";").c_str(), "end;",
            "begin Print(G(30)) end."}),
     "27465\n", "3"},
};

INSTANTIATE_TEST_SUITE_P(Script, ScriptDeepRecursion, ::testing::ValuesIn(DeepCases),
                         [](const ::testing::TestParamInfo<TDeepCase>& i) { return String(i.param.Name); });

TEST(ScriptDeepRecursion, EndlessRecursionRaisesAndTheScriptRunsAgain) {
    TScriptRunner r;
    const String text =
        Lines({"var k: Integer;", "function F(n: Integer): Integer;", "begin", "  Result := F(n + 1) + 1;",
               "end;", "begin", "  k := 1;", "  if k = 1 then Print(F(0));", "end."});
    EXPECT_EQ(r.Run(text), "run: Stack overflow at 4:3");
    r.Out.clear();
    EXPECT_THROW(r.Script.Execute(), EvsScriptError);
    try {
        r.Script.Execute();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Stack overflow");
    }
}

} // namespace

namespace {

// The interpreter's integer shortcuts give what the runtime's Variant operators give, on the
// values where integer arithmetic is most likely to go wrong (overflow, division of the smallest
// integer, negative remainders), including the errors.
TEST(ScriptOperators, IntegerShortcutsAgreeWithVariantOperators) {
    const Integer values[] = {0, 1, -1, 7, -7, 3, INT32_MAX, INT32_MIN};
    struct TOp {
        const char* Text;
        TVarOp Op;
    };
    const TOp ops[] = {{"+", TVarOp::Add},         {"-", TVarOp::Subtract},  {"*", TVarOp::Multiply},
                       {"div", TVarOp::IntDivide}, {"mod", TVarOp::Modulus}, {"<", TVarOp::CmpLT},
                       {">", TVarOp::CmpGT},       {"<=", TVarOp::CmpLE},    {">=", TVarOp::CmpGE},
                       {"=", TVarOp::CmpEQ},       {"<>", TVarOp::CmpNE}};
    for (const TOp& op : ops) {
        TScriptRunner r;
        r.Script.AddVariable("A", "Variant", Variant(0));
        r.Script.AddVariable("B", "Variant", Variant(0));
        r.Script.AddVariable("C", "Variant", Variant(0));
        ASSERT_TRUE(r.Compile(String("begin C := A ") + op.Text + " B; Print(C); C := A; C := C " + op.Text +
                              " B; Print(C) end."))
            << r.CompileError();
        for (Integer a : values)
            for (Integer b : values) {
                String expected;
                try {
                    const String v = VarToStr(VarBinaryOp(op.Op, Variant(a), Variant(b)));
                    expected = v + "\n" + v + "\n";
                } catch (const std::exception& e) {
                    expected = String("error: ") + e.what();
                }
                r.Script.Find("A")->StoreValue(Variant(a));
                r.Script.Find("B")->StoreValue(Variant(b));
                r.Out.clear();
                try {
                    r.Script.Execute();
                } catch (const std::exception& e) {
                    r.Out = String("error: ") + e.what();
                }
                EXPECT_EQ(r.Out, expected) << a << " " << op.Text << " " << b;
            }
    }
}

} // namespace
