// The interpreter's compact value: every Variant kind goes in and comes out unchanged, the
// operators give on values that pass through it what the Variant table gives, and the declared
// arrays that keep their elements compact behave as the variant arrays they stand for.
#include "script/vs_ivalue.h"
#include "ScriptTestSupport.h"
#include "rtl/Format.h"
#include "rtl/VariantInternal.h"

#include <climits>

namespace {

// The value as a text that tells kinds apart: type code and text.
String Describe(const Variant& V) {
    if (VarIsArray(V)) {
        String text = "array " + IntToStr(VarType(V)) + " [";
        for (int i = VarArrayLowBound(V, 1); i <= VarArrayHighBound(V, 1); ++i)
            text += Describe(VarArrayGet(V, {i})) + ";";
        return text + "]";
    }
    if (VarType(V) == varDispatch) return "dispatch";
    if (VarType(V) == varError) return "error " + IntToStr(TVariantAccess::Int(V));
    return IntToStr(VarType(V)) + ":" + VarToStr(V);
}

std::vector<Variant> EveryKind() {
    return {Variant(),
            Null(),
            Variant(static_cast<short>(-12)),
            Variant(INT_MIN),
            Variant(static_cast<signed char>(-5)),
            Variant(static_cast<unsigned char>(200)),
            Variant(static_cast<unsigned short>(60000)),
            Variant(4000000000u),
            Variant(static_cast<long long>(1) << 40),
            Variant(true),
            Variant(Currency::FromDouble(12.3456)),
            VarAsError(7),
            Variant(1.5f),
            Variant(-2.25),
            VarFromDateTime(45000.5),
            Variant("text"),
            Variant(u"wide"),
            Variant(IDispatchPtr()),
            VarArrayOf({Variant(1), Variant("a"), VarArrayOf({Variant(2.5)})})};
}

TEST(ScriptCompactValue, IsTwoMachineWords) {
    EXPECT_EQ(sizeof(TvsValue), 16u);
}

TEST(ScriptCompactValue, EveryVariantKindComesBackUnchanged) {
    for (const Variant& v : EveryKind()) {
        const String expected = Describe(v);
        const TvsValue compact(v);
        EXPECT_EQ(compact.VType(), VarType(v)) << expected;
        EXPECT_EQ(Describe(compact.ToVariant()), expected);
        const TvsValue copy = compact; // shares a box, still reads the same
        EXPECT_EQ(Describe(copy.ToVariant()), expected);
        TvsValue moved(copy);
        EXPECT_EQ(Describe(std::move(moved).ToVariant()), expected);
        EXPECT_EQ(Describe(compact.ToVariant()), expected)
            << "a value given away by one holder stays with the other";
    }
}

TEST(ScriptCompactValue, CompactArraysAreCopiedBeforeTheyChange) {
    TvsValue a = TvsValue::ArrayOf(VarArrayCreate({1, 3}, varVariant));
    ASSERT_NE(a.Array(), nullptr);
    EXPECT_EQ(a.VType(), varArray | varVariant);
    a.MutableArray()->At1(2)[0] = TvsValue(Variant("b"));
    const TvsValue saved = a;
    a.MutableArray()->At1(2)[0] = TvsValue::OfInteger(5);
    EXPECT_EQ(Describe(saved.ToVariant()), "array 8204 [0:;256:b;0:;]");
    EXPECT_EQ(Describe(a.ToVariant()), "array 8204 [0:;3:5;0:;]");
    EXPECT_EQ(a.MutableArray()->At1(4), nullptr);
    // Only variant arrays of Variant elements of one to three dimensions are kept compact.
    EXPECT_EQ(TvsValue::ArrayOf(VarArrayCreate({0, 1}, varInteger)).Array(), nullptr);
    EXPECT_EQ(TvsValue::ArrayOf(VarArrayCreate({0, 1, 0, 1, 0, 1, 0, 1}, varVariant)).Array(), nullptr);
    EXPECT_EQ(TvsValue::ArrayOf(Variant(1)).Array(), nullptr);
}

// A value assigned from inside the box or array it replaces (an element of its own array) is
// taken before the old payload goes.
TEST(ScriptCompactValue, AssignmentFromInsideTheReplacedValue) {
    const Variant inner = VarArrayOf({Variant("x"), Variant(2)});
    for (const bool move : {false, true}) {
        TvsValue a = TvsValue::ArrayOf(VarArrayOf({inner, Variant(1)}));
        ASSERT_NE(a.Array(), nullptr);
        TvsValue* element = a.MutableArray()->At1(0);
        if (move)
            a = std::move(*element);
        else
            a = *element;
        EXPECT_EQ(Describe(a.ToVariant()), "array 8204 [256:x;3:2;]") << move;
        a = a; // a value assigned to itself stays as it is
        EXPECT_EQ(Describe(a.ToVariant()), "array 8204 [256:x;3:2;]") << move;
    }
    TvsValue text(Variant("abc"));
    const TvsValue shared = text;
    text = std::move(text);
    EXPECT_EQ(Describe(text.ToVariant()), "256:abc");
    EXPECT_EQ(text.ShareCount(), 2);
}

// Operands of every common kind, read from variables, through the compact values of the
// expression evaluator, against the runtime's Variant operators (results and error texts).
TEST(ScriptCompactValue, OperatorsAgreeWithTheVariantTable) {
    const Variant values[] = {Variant(0),
                              Variant(7),
                              Variant(-7),
                              Variant(INT32_MAX),
                              Variant(2.5),
                              Variant("12"),
                              Variant("abc"),
                              Variant(true),
                              Null(),
                              Variant(),
                              Variant(static_cast<long long>(1) << 40)};
    struct TOp {
        const char* Text;
        TVarOp Op;
    };
    const TOp ops[] = {{"+", TVarOp::Add},    {"-", TVarOp::Subtract},    {"*", TVarOp::Multiply},
                       {"/", TVarOp::Divide}, {"div", TVarOp::IntDivide}, {"mod", TVarOp::Modulus},
                       {"and", TVarOp::And},  {"or", TVarOp::Or},         {"xor", TVarOp::Xor}};
    for (const TOp& op : ops) {
        TScriptRunner r;
        r.Script.AddVariable("A", "Variant", Variant(0));
        r.Script.AddVariable("B", "Variant", Variant(0));
        r.Script.AddVariable("C", "Variant", Variant(0));
        // Both operands stored, and the left one computed (A + 0 - 0 keeps its value and kind
        // only for numbers, so the left operand is a call that hands A back).
        ASSERT_TRUE(r.Compile(String("function Same(X: Variant): Variant; begin Result := X end;\n"
                                     "begin C := A ") +
                              op.Text + " B; Print(VarType(C)); Print(C); C := Same(A) " + op.Text +
                              " B; Print(VarType(C)); Print(C) end."))
            << r.CompileError();
        for (const Variant& a : values)
            for (const Variant& b : values) {
                String expected;
                try {
                    const Variant v = VarBinaryOp(op.Op, a, b);
                    const String one = IntToStr(VarType(v)) + "\n" + VarToStr(v) + "\n";
                    expected = one + one;
                } catch (const std::exception& e) {
                    expected = String("error: ") + e.what();
                }
                r.Script.Find("A")->StoreValue(a);
                r.Script.Find("B")->StoreValue(b);
                r.Out.clear();
                try {
                    r.Script.Execute();
                } catch (const std::exception& e) {
                    r.Out = String("error: ") + e.what();
                }
                EXPECT_EQ(r.Out, expected) << Describe(a) << " " << op.Text << " " << Describe(b);
            }
    }
}

const TScriptProgram ArrayCases[] = {
    // Assigning the array copies it: later element writes change one copy only.
    {"CopiedOnAssignment", "PascalScript",
     Lines({"var a: array[0..2] of Integer; v: Variant;", "begin", "  a[0] := 1; v := a; a[0] := 2;",
            "  Print(v[0]); Print(a[0]); Print(VarType(a));", "end."}),
     "1\n2\n8204\n"},
    // Used as a whole (Length), then element by element again.
    {"WholeThenElements", "PascalScript",
     Lines({"var a: array[1..3] of Integer; i: Integer;", "begin", "  a[1] := 5; Print(Length(a));",
            "  a[2] := 6; for i := 1 to 3 do a[3] := a[3] + a[i]; Print(a[3]);", "end."}),
     "3\n22\n"},
    {"TwoDimensionsAndBounds", "PascalScript",
     Lines({"var m: array[0..1, 1..2] of Variant;", "begin", "  m[1, 2] := '1'; m[0, 1] := 2.5;",
            "  Print(m[1, 2] + m[0, 1]);", "  m[2, 1] := 1;", "end."}),
     "3.5\nrun: Variant or safe array index out of bounds at 5:3"},
    {"ReadOutOfBounds", "PascalScript",
     Lines(
         {"var a: array[0..2] of Integer;", "begin", "  a[2] := 1; Print(a[2]);", "  Print(a[3]);", "end."}),
     "1\nrun: Variant or safe array index out of bounds at 4:3"},
    {"PassedToAVarParameter", "PascalScript",
     Lines({"var a: array[0..4] of Integer;", "procedure Fill(var x: Variant); begin x[1] := 'y' end;",
            "begin", "  a[0] := 3; Fill(a); a[2] := 4;", "  Print(a[0]); Print(a[1]); Print(a[2]);", "end."}),
     "3\ny\n4\n"},
    // A recursive call starts with the caller's elements and leaves them as they were.
    {"LocalArrayInRecursion", "PascalScript",
     Lines({"function F(n: Integer): Integer;", "var a: array[0..1] of Integer;", "begin",
            "  if n > 0 then begin a[0] := n; F(n - 1) end else a[1] := a[0];",
            "  Result := a[0] * 10 + a[1];", "end;", "begin Print(F(3)); Print(F(0)) end."}),
     "30\n33\n"},
    {"JScriptArray", "JScript",
     Lines({"var a[3], i, s = 0;", "for (i = 0; i < 3; i++) a[i] = i * 2;", "a[1] = 5;",
            "for (i = 0; i < 3; i++) s = s + a[i];", "print(s);"}),
     "9\n"},
};

INSTANTIATE_TEST_SUITE_P(CompactArrays, ScriptPrograms, ::testing::ValuesIn(ArrayCases), ProgramName);

TEST(ScriptCompactValue, TheHostReadsADeclaredArrayAsItsVariantArray) {
    TScriptRunner r;
    ASSERT_EQ(r.Run(Lines({"var a: array[1..2] of Integer;", "begin a[1] := 4; a[2] := 6 end."})), "");
    EXPECT_EQ(Describe(r.Script.Find("a")->FetchValue()), "array 8204 [3:4;3:6;]");
}

// A call starts with the values its locals were left with (they are not cleared), except Result,
// which starts empty; a recursive call starts with its caller's values and leaves them as they
// were.
TEST(ScriptCalls, LocalsKeepTheirValuesBetweenCallsButResultStartsEmpty) {
    TScriptRunner r;
    EXPECT_EQ(r.Run(Lines({"function G: Integer;", "var x: Integer; s: String;", "begin",
                           "  x := x + 1; s := s + 'a'; Result := Result + 10 * x;", "  Print(s);", "end;",
                           "function H(n: Integer): Integer;", "var x: Integer;", "begin",
                           "  if n = 0 then begin Result := x; exit end;", "  x := n * 10 + x;",
                           "  Result := H(n - 1) + x;", "end;",
                           "begin Print(G); Print(G); Print(H(2)); Print(H(0)) end."})),
              "a\n10\naa\n20\n80\n20\n");
}

} // namespace
