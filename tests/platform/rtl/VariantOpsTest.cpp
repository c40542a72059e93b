// Operators of Variant, tested from one table of cases: operands, operator, expected type and value
// or expected error.
#include "VariantTestSupport.h"
#include "rtl/DispatchObject.h"
#include "rtl/Variant.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using Op = TVarOp;

Variant Cur(double v) {
    return Variant(Currency::FromRaw(std::llround(v * 10000)));
}
Variant Dt(double v) {
    return VarFromDateTime(v);
}
Variant I64(Int64 v) {
    return Variant(v);
}

struct OpCase {
    Variant a;
    Op op;
    Variant b; // ignored by Negate and Not
    Outcome expected;
};

constexpr const char* kCastStrDouble = "Could not convert variant of type (String) into type (Double)";
constexpr const char* kInvalidOp = "Invalid variant operation";
constexpr Integer kMaxInt = std::numeric_limits<Integer>::max();
constexpr Integer kMinInt = std::numeric_limits<Integer>::min();
constexpr Int64 kMaxInt64 = std::numeric_limits<Int64>::max();
constexpr Int64 kMinInt64 = std::numeric_limits<Int64>::min();

const std::vector<OpCase>& Cases() {
    static const std::vector<OpCase> cases = {
        // + : integers, promotion on overflow
        {1, Op::Add, 2, Gives(3)},
        {SmallInt(2), Op::Add, Byte(3), Gives(5)},
        {kMaxInt, Op::Add, 1, Gives(I64(2147483648LL))},
        {I64(5), Op::Add, 1, Gives(I64(6))},
        {4000000000u, Op::Add, 1, Gives(I64(4000000001LL))},
        {kMaxInt64, Op::Add, 1, Gives(9223372036854775808.0)},
        {1, Op::Add, 0.5, Gives(1.5)},
        {1.0f, Op::Add, 0.5f, Gives(1.5)},
        // + : strings
        {"ab", Op::Add, "cd", Gives("abcd")},
        {u"ab", Op::Add, "cd", Gives(u"abcd")},
        {u"ab", Op::Add, u"cd", Gives(u"abcd")},
        {"12", Op::Add, 1, Gives(13.0)},
        {1, Op::Add, "2.5", Gives(3.5)},
        {"abc", Op::Add, 1, Raises<EVariantTypeCastError>(kCastStrDouble)},
        {"True", Op::Add, 1, Gives(0.0)},
        {Unassigned(), Op::Add, "x", Gives("x")},
        {"x", Op::Add, Unassigned(), Gives("x")},
        // + : Null, Empty, Boolean
        {Null(), Op::Add, 1, Gives(Null())},
        {1, Op::Add, Null(), Gives(Null())},
        {Null(), Op::Add, "a", Gives(Null())},
        {Unassigned(), Op::Add, 5, Gives(5)},
        {Unassigned(), Op::Add, Unassigned(), Gives(0)},
        {true, Op::Add, true, Gives(-2)},
        {true, Op::Add, 1, Gives(0)},
        {true, Op::Add, 0.5, Gives(-0.5)},
        // + : Currency and Date
        {Cur(1.5), Op::Add, 2, Gives(Cur(3.5))},
        {Cur(1.5), Op::Add, 0.25, Gives(Cur(1.75))},
        {0.1, Op::Add, Cur(0.2), Gives(Cur(0.3))},
        {Variant(Currency::FromRaw(kMaxInt64)), Op::Add, Cur(1),
         Raises<EOverflow>("Floating point overflow")},
        {Dt(45000), Op::Add, 1, Gives(Dt(45001))},
        {1, Op::Add, Dt(45000), Gives(Dt(45001))},
        {Dt(45000), Op::Add, 0.5, Gives(Dt(45000.5))},
        {Dt(45000), Op::Add, Cur(2), Gives(Dt(45002))},
        {1e308, Op::Add, 1e308, Raises<EOverflow>("Floating point overflow")},
        // + : kinds no operator applies to
        {VarAsError(1), Op::Add, 1, Raises<EVariantInvalidOpError>(kInvalidOp)},
        {VarArrayOf({1}), Op::Add, 1, Raises<EVariantInvalidOpError>(kInvalidOp)},
        {Null(), Op::Add, VarArrayOf({1}), Raises<EVariantInvalidOpError>(kInvalidOp)},
        {Variant(IDispatchPtr()), Op::Add, 1, Raises<EVariantInvalidOpError>(kInvalidOp)},

        // -
        {5, Op::Subtract, 7, Gives(-2)},
        {kMinInt, Op::Subtract, 1, Gives(I64(-2147483649LL))},
        {kMinInt64, Op::Subtract, 1, Gives(-9223372036854775809.0)},
        {"10", Op::Subtract, "4", Gives(6.0)},
        {"a", Op::Subtract, "b", Raises<EVariantTypeCastError>(kCastStrDouble)},
        {Unassigned(), Op::Subtract, 3, Gives(-3)},
        {Dt(45001), Op::Subtract, Dt(45000), Gives(Dt(1))},
        {Cur(1), Op::Subtract, 0.0001, Gives(Cur(0.9999))},
        {Null(), Op::Subtract, Null(), Gives(Null())},

        // *
        {6, Op::Multiply, 7, Gives(42)},
        {100000, Op::Multiply, 100000, Gives(I64(10000000000LL))},
        {kMaxInt64, Op::Multiply, 2, Gives(18446744073709551614.0)},
        {2.5, Op::Multiply, 2, Gives(5.0)},
        {Cur(1.5), Op::Multiply, Cur(1.5), Gives(Cur(2.25))},
        {Cur(0.0003), Op::Multiply, Cur(0.5), Gives(Cur(0.0002))}, // 0.00015 rounds half to even
        {Cur(10), Op::Multiply, 0.33333, Gives(Cur(3.3333))},
        {"3", Op::Multiply, "4", Gives(12.0)},
        {true, Op::Multiply, 5, Gives(-5)},

        // /
        {7, Op::Divide, 2, Gives(3.5)},
        {6, Op::Divide, 3, Gives(2.0)},
        {Cur(1), Op::Divide, 4, Gives(0.25)},
        {"9", Op::Divide, "3", Gives(3.0)},
        {1, Op::Divide, 0, Raises<EZeroDivide>("Floating point division by zero")},
        {0, Op::Divide, 0, Raises<EInvalidOp>("Invalid floating point operation")},
        {Null(), Op::Divide, 0, Gives(Null())},

        // div, mod
        {7, Op::IntDivide, 2, Gives(3)},
        {-7, Op::IntDivide, 2, Gives(-3)},
        {7, Op::Modulus, 2, Gives(1)},
        {-7, Op::Modulus, 2, Gives(-1)},
        {7, Op::IntDivide, 0, Raises<EDivByZero>("Division by zero")},
        {7, Op::Modulus, 0, Raises<EDivByZero>("Division by zero")},
        {7.5, Op::IntDivide, 2, Gives(4)},
        {6.5, Op::IntDivide, 1, Gives(6)},
        {I64(10000000000LL), Op::IntDivide, 3, Gives(I64(3333333333LL))},
        {kMinInt, Op::IntDivide, -1, Gives(I64(2147483648LL))},
        {kMinInt, Op::Modulus, -1, Gives(0)},
        {"17", Op::Modulus, "5", Gives(2)},
        {Null(), Op::IntDivide, 0, Gives(Null())},
        {1e10, Op::IntDivide, 1,
         Raises<EVariantOverflowError>(
             "Overflow while converting variant of type (Double) into type (Integer)")},

        // shl, shr
        {1, Op::ShiftLeft, 4, Gives(16)},
        {1, Op::ShiftLeft, 33, Gives(2)},
        {-1, Op::ShiftRight, 28, Gives(15)},
        {I64(1), Op::ShiftLeft, 40, Gives(I64(1099511627776LL))},
        {true, Op::ShiftLeft, 1, Gives(-2)},

        // and, or, xor
        {true, Op::And, false, Gives(false)},
        {true, Op::Or, false, Gives(true)},
        {true, Op::Xor, true, Gives(false)},
        {12, Op::And, 10, Gives(8)},
        {12, Op::Or, 3, Gives(15)},
        {12, Op::Xor, 10, Gives(6)},
        {true, Op::And, 6, Gives(6)},
        {"True", Op::And, true, Gives(true)},
        {"true", Op::Or, false, Gives(true)},
        {"abc", Op::And, true,
         Raises<EVariantTypeCastError>("Could not convert variant of type (String) into type (Boolean)")},
        {Null(), Op::And, true, Gives(Null())},
        {Unassigned(), Op::Or, true, Gives(true)},
        {2.6, Op::And, 3, Gives(3)},
        {I64(0xF0), Op::Or, 1, Gives(I64(0xF1))},

        // comparisons
        {1, Op::CmpEQ, 1.0, Gives(true)},
        {1, Op::CmpLT, 2, Gives(true)},
        {2, Op::CmpLE, 2, Gives(true)},
        {2, Op::CmpGE, 3, Gives(false)},
        {I64(5000000000LL), Op::CmpGT, kMaxInt, Gives(true)},
        {"a", Op::CmpLT, "b", Gives(true)},
        {"a", Op::CmpEQ, "A", Gives(false)},
        {"B", Op::CmpLT, "a", Gives(true)},
        {u"abc", Op::CmpEQ, "abc", Gives(true)},
        {"10", Op::CmpEQ, 10, Gives(true)},
        {"10", Op::CmpGT, 9, Gives(true)},
        {"abc", Op::CmpEQ, 1, Raises<EVariantTypeCastError>(kCastStrDouble)},
        {Null(), Op::CmpEQ, Null(), Gives(true)},
        {Null(), Op::CmpEQ, 1, Gives(false)},
        {Null(), Op::CmpNE, 1, Gives(true)},
        {Null(), Op::CmpLT, 1, Gives(true)},
        {Null(), Op::CmpGT, 1, Gives(false)},
        {1, Op::CmpGT, Null(), Gives(true)},
        {Null(), Op::CmpLE, Null(), Gives(true)},
        {Null(), Op::CmpLT, Null(), Gives(false)},
        {Null(), Op::CmpEQ, Unassigned(), Gives(false)},
        {Unassigned(), Op::CmpEQ, 0, Gives(true)},
        {Unassigned(), Op::CmpEQ, "", Gives(true)},
        {Unassigned(), Op::CmpLT, 1, Gives(true)},
        {true, Op::CmpEQ, -1, Gives(true)},
        {true, Op::CmpLT, false, Gives(true)},
        {"True", Op::CmpEQ, true, Gives(true)},
        {Cur(1.5), Op::CmpEQ, 1.5, Gives(true)},
        {Cur(1.5), Op::CmpLT, Cur(1.5001), Gives(true)},
        {Dt(45000), Op::CmpEQ, 45000, Gives(true)},
        {Dt(45000), Op::CmpEQ, "2023-03-15", Gives(true)},
        {Dt(45000.5), Op::CmpGT, "2023-03-15", Gives(true)},
        {VarArrayOf({1}), Op::CmpEQ, 1, Raises<EVariantInvalidOpError>(kInvalidOp)},

        // unary -
        {5, Op::Negate, {}, Gives(-5)},
        {kMinInt, Op::Negate, {}, Gives(I64(2147483648LL))},
        {kMinInt64, Op::Negate, {}, Gives(9223372036854775808.0)},
        {2.5, Op::Negate, {}, Gives(-2.5)},
        {Cur(1.25), Op::Negate, {}, Gives(Cur(-1.25))},
        {Dt(2), Op::Negate, {}, Gives(Dt(-2))},
        {true, Op::Negate, {}, Gives(1)},
        {"3", Op::Negate, {}, Gives(-3.0)},
        {"x", Op::Negate, {}, Raises<EVariantTypeCastError>(kCastStrDouble)},
        {Null(), Op::Negate, {}, Gives(Null())},
        {Unassigned(), Op::Negate, {}, Gives(0)},
        {VarArrayOf({1}), Op::Negate, {}, Raises<EVariantInvalidOpError>(kInvalidOp)},

        // not
        {true, Op::Not, {}, Gives(false)},
        {0, Op::Not, {}, Gives(-1)},
        {I64(0), Op::Not, {}, Gives(I64(-1))},
        {"False", Op::Not, {}, Gives(true)},
        {Null(), Op::Not, {}, Gives(Null())},
        {Unassigned(), Op::Not, {}, Gives(-1)},
        {1.4, Op::Not, {}, Gives(-2)},
    };
    return cases;
}

const char* OpName(Op op) {
    static const char* const names[] = {"+",   "-", "*",  "/", "div", "mod", "shl", "shr", "and", "or",
                                        "xor", "=", "<>", "<", "<=",  ">",   ">=",  "neg", "not"};
    return names[static_cast<int>(op)];
}

} // namespace

TEST(VariantOps, TableOfCases) {
    for (const OpCase& c : Cases()) {
        const bool unary = c.op == Op::Negate || c.op == Op::Not;
        SCOPED_TRACE(unary ? String(OpName(c.op)) + " (" + Describe(c.a) + ")"
                           : "(" + Describe(c.a) + ") " + OpName(c.op) + " (" + Describe(c.b) + ")");
        EXPECT_TRUE(
            Check([&] { return unary ? VarUnaryOp(c.op, c.a) : VarBinaryOp(c.op, c.a, c.b); }, c.expected));
    }
}

TEST(VariantOps, CxxOperatorsApplyTheSameRules) {
    EXPECT_TRUE(SameTypeAndValue(Variant(7) / Variant(2), 3.5));
    EXPECT_TRUE(SameTypeAndValue(VarIntDiv(7, 2), 3));
    EXPECT_TRUE(SameTypeAndValue(Variant(7) % Variant(4), 3));
    EXPECT_TRUE(SameTypeAndValue(Variant("a") + Variant("b"), "ab"));
    EXPECT_TRUE(SameTypeAndValue(Variant(true) & Variant(false), false));
    EXPECT_TRUE(SameTypeAndValue(Variant(6) | Variant(1), 7));
    EXPECT_TRUE(SameTypeAndValue(Variant(6) ^ Variant(2), 4));
    EXPECT_TRUE(SameTypeAndValue(Variant(1) << Variant(3), 8));
    EXPECT_TRUE(SameTypeAndValue(Variant(8) >> Variant(3), 1));
    EXPECT_TRUE(SameTypeAndValue(~Variant(true), false));
    EXPECT_TRUE(SameTypeAndValue(-Variant(3), -3));
    EXPECT_TRUE(Variant(Null()) == Null());
    EXPECT_TRUE(Variant(1) != Null());
    EXPECT_TRUE(Variant(Null()) < 0);
    EXPECT_TRUE(Variant("b") > "a");
    EXPECT_TRUE(Variant(2) >= 2.0);
    EXPECT_TRUE(Variant(2) <= 2.5);
}

TEST(VariantOps, CompareValueAndSameValue) {
    struct Case {
        Variant a, b;
        TVariantRelationship relation;
    };
    const Case cases[] = {
        {Unassigned(), Unassigned(), vrEqual},
        {Unassigned(), 0, vrNotEqual},
        {0, Unassigned(), vrNotEqual},
        {Null(), Null(), vrEqual},
        {Null(), Unassigned(), vrNotEqual},
        {1, Null(), vrNotEqual},
        {1, 2, vrLessThan},
        {2, 1, vrGreaterThan},
        {"a", "a", vrEqual},
        {1, 1.0, vrEqual},
        {"10", 9, vrGreaterThan},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.a) + " vs " + Describe(c.b));
        EXPECT_EQ(VarCompareValue(c.a, c.b), c.relation);
        EXPECT_EQ(VarSameValue(c.a, c.b), c.relation == vrEqual);
    }
}
