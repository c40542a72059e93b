// Operators on variants. Every rule is in kVarOpTable below: for each operator class and each pair
// of operand classes it names the kind both operands are converted to before the operator runs
// (and so the kind of the result). The code after the table only carries out those kinds.
// Null follows the platform's default rules: it propagates through arithmetic and logic; under
// comparison Null equals Null, differs from everything else and orders below every other value
// (the loose equality and magnitude rules); converting Null to another kind raises (strict convert).
#include "rtl/Format.h"
#include "rtl/VariantInternal.h"

#include <cmath>
#include <limits>

namespace {

using VA = TVariantAccess;

// Operand classes: the kinds of variant that behave alike under the operators.
enum TOperandClass : unsigned char {
    clEmpty,    // varEmpty: 0, "" or False as the other operand needs
    clNull,     // varNull
    clInt,      // varSmallint, varInteger, varShortInt, varByte, varWord
    clInt64,    // varLongWord, varInt64
    clFloat,    // varSingle, varDouble
    clCurrency, // varCurrency
    clDate,     // varDate
    clString,   // varString, varOleStr
    clBoolean,  // varBoolean
    clOther,    // varDispatch, varUnknown, varError and arrays: no operator applies
    kClassCount
};

// What an operator does for a pair of classes.
enum TOpKind : unsigned char {
    Int, // both converted to Integer; the result is Integer, or Int64 when it overflows
    I64, // both converted to Int64; the result is Int64, or Double when it overflows
    Dbl, // both converted to Double; Double result
    Cur, // both converted to Currency (fixed point); Currency result
    Dat, // both converted to dates (double days); Date result
    Str, // + concatenates as text (OleStr when either is OleStr); comparisons compare text
    Boo, // logical operators on booleans ("True"/"False" text and numbers converted); Boolean result
    Nul, // Null result: Null propagates through arithmetic and logic
    Err, // EVariantInvalidOpError "Invalid variant operation"
    CNl, // comparison with Null: Null equals Null and is less than every other value
};

// Operator classes. The comparisons share one class; their result is always Boolean.
// Unary operators (Negate, Not) look up their operand against Empty: only the first column counts.
enum TOpClass : unsigned char {
    ocAdd,
    ocSub,
    ocMul,
    ocDiv,
    ocIntDiv,
    ocShift,
    ocLogic,
    ocCompare,
    ocNeg,
    ocNot,
    kOpClassCount
};

// clang-format off
constexpr TOpKind kVarOpTable[kOpClassCount][kClassCount][kClassCount] = {
    // ocAdd: +                  right: Empty Null Int  Int64 Float Curr Date Str  Bool Other
    {/* Empty    */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Str, Int, Err},
     /* Null     */ {                   Nul,  Nul, Nul, Nul,  Nul,  Nul, Nul, Nul, Nul, Err},
     /* Int      */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Dbl, Int, Err},
     /* Int64    */ {                   I64,  Nul, I64, I64,  Dbl,  Cur, Dat, Dbl, I64, Err},
     /* Float    */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Cur, Dat, Dbl, Dbl, Err},
     /* Currency */ {                   Cur,  Nul, Cur, Cur,  Cur,  Cur, Dat, Cur, Cur, Err},
     /* Date     */ {                   Dat,  Nul, Dat, Dat,  Dat,  Dat, Dat, Dat, Dat, Err},
     /* String   */ {                   Str,  Nul, Dbl, Dbl,  Dbl,  Cur, Dat, Str, Dbl, Err},
     /* Boolean  */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Dbl, Int, Err},
     /* Other    */ {                   Err,  Err, Err, Err,  Err,  Err, Err, Err, Err, Err}},
    // ocSub: -
    {/* Empty    */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Dbl, Int, Err},
     /* Null     */ {                   Nul,  Nul, Nul, Nul,  Nul,  Nul, Nul, Nul, Nul, Err},
     /* Int      */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Dbl, Int, Err},
     /* Int64    */ {                   I64,  Nul, I64, I64,  Dbl,  Cur, Dat, Dbl, I64, Err},
     /* Float    */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Cur, Dat, Dbl, Dbl, Err},
     /* Currency */ {                   Cur,  Nul, Cur, Cur,  Cur,  Cur, Dat, Cur, Cur, Err},
     /* Date     */ {                   Dat,  Nul, Dat, Dat,  Dat,  Dat, Dat, Dat, Dat, Err},
     /* String   */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Cur, Dat, Dbl, Dbl, Err},
     /* Boolean  */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Dbl, Int, Err},
     /* Other    */ {                   Err,  Err, Err, Err,  Err,  Err, Err, Err, Err, Err}},
    // ocMul: *
    {/* Empty    */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Dbl, Int, Err},
     /* Null     */ {                   Nul,  Nul, Nul, Nul,  Nul,  Nul, Nul, Nul, Nul, Err},
     /* Int      */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Dbl, Int, Err},
     /* Int64    */ {                   I64,  Nul, I64, I64,  Dbl,  Cur, Dat, Dbl, I64, Err},
     /* Float    */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Cur, Dat, Dbl, Dbl, Err},
     /* Currency */ {                   Cur,  Nul, Cur, Cur,  Cur,  Cur, Dat, Cur, Cur, Err},
     /* Date     */ {                   Dat,  Nul, Dat, Dat,  Dat,  Dat, Dat, Dat, Dat, Err},
     /* String   */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Cur, Dat, Dbl, Dbl, Err},
     /* Boolean  */ {                   Int,  Nul, Int, I64,  Dbl,  Cur, Dat, Dbl, Int, Err},
     /* Other    */ {                   Err,  Err, Err, Err,  Err,  Err, Err, Err, Err, Err}},
    // ocDiv: / (always Double; EZeroDivide for x / 0, EInvalidOp for 0 / 0)
    {/* Empty    */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Dbl, Dbl, Dbl, Dbl, Err},
     /* Null     */ {                   Nul,  Nul, Nul, Nul,  Nul,  Nul, Nul, Nul, Nul, Err},
     /* Int      */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Dbl, Dbl, Dbl, Dbl, Err},
     /* Int64    */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Dbl, Dbl, Dbl, Dbl, Err},
     /* Float    */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Dbl, Dbl, Dbl, Dbl, Err},
     /* Currency */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Dbl, Dbl, Dbl, Dbl, Err},
     /* Date     */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Dbl, Dbl, Dbl, Dbl, Err},
     /* String   */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Dbl, Dbl, Dbl, Dbl, Err},
     /* Boolean  */ {                   Dbl,  Nul, Dbl, Dbl,  Dbl,  Dbl, Dbl, Dbl, Dbl, Err},
     /* Other    */ {                   Err,  Err, Err, Err,  Err,  Err, Err, Err, Err, Err}},
    // ocIntDiv: div, mod (floats, currency and dates round to integers; EDivByZero for x div 0)
    {/* Empty    */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Null     */ {                   Nul,  Nul, Nul, Nul,  Nul,  Nul, Nul, Nul, Nul, Err},
     /* Int      */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Int64    */ {                   I64,  Nul, I64, I64,  I64,  I64, I64, I64, I64, Err},
     /* Float    */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Currency */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Date     */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* String   */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Boolean  */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Other    */ {                   Err,  Err, Err, Err,  Err,  Err, Err, Err, Err, Err}},
    // ocShift: shl, shr (the count is taken modulo the width; shr fills with zeros)
    {/* Empty    */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Null     */ {                   Nul,  Nul, Nul, Nul,  Nul,  Nul, Nul, Nul, Nul, Err},
     /* Int      */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Int64    */ {                   I64,  Nul, I64, I64,  I64,  I64, I64, I64, I64, Err},
     /* Float    */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Currency */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Date     */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* String   */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Boolean  */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Other    */ {                   Err,  Err, Err, Err,  Err,  Err, Err, Err, Err, Err}},
    // ocLogic: and, or, xor (logical for booleans and boolean text, bitwise otherwise; True is -1)
    {/* Empty    */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Boo, Boo, Err},
     /* Null     */ {                   Nul,  Nul, Nul, Nul,  Nul,  Nul, Nul, Nul, Nul, Err},
     /* Int      */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Int64    */ {                   I64,  Nul, I64, I64,  I64,  I64, I64, I64, I64, Err},
     /* Float    */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Currency */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* Date     */ {                   Int,  Nul, Int, I64,  Int,  Int, Int, Int, Int, Err},
     /* String   */ {                   Boo,  Nul, Int, I64,  Int,  Int, Int, Boo, Boo, Err},
     /* Boolean  */ {                   Boo,  Nul, Int, I64,  Int,  Int, Int, Boo, Boo, Err},
     /* Other    */ {                   Err,  Err, Err, Err,  Err,  Err, Err, Err, Err, Err}},
    // ocCompare: = <> < <= > >= (text compares by code point, case-sensitive; booleans as -1 and 0)
    {/* Empty    */ {                   Int,  CNl, Int, I64,  Dbl,  Cur, Dat, Str, Boo, Err},
     /* Null     */ {                   CNl,  CNl, CNl, CNl,  CNl,  CNl, CNl, CNl, CNl, Err},
     /* Int      */ {                   Int,  CNl, Int, I64,  Dbl,  Dbl, Dat, Dbl, Int, Err},
     /* Int64    */ {                   I64,  CNl, I64, I64,  Dbl,  Dbl, Dat, Dbl, I64, Err},
     /* Float    */ {                   Dbl,  CNl, Dbl, Dbl,  Dbl,  Dbl, Dat, Dbl, Dbl, Err},
     /* Currency */ {                   Cur,  CNl, Dbl, Dbl,  Dbl,  Cur, Dat, Dbl, Dbl, Err},
     /* Date     */ {                   Dat,  CNl, Dat, Dat,  Dat,  Dat, Dat, Dat, Dat, Err},
     /* String   */ {                   Str,  CNl, Dbl, Dbl,  Dbl,  Dbl, Dat, Str, Boo, Err},
     /* Boolean  */ {                   Boo,  CNl, Int, I64,  Dbl,  Dbl, Dat, Boo, Boo, Err},
     /* Other    */ {                   Err,  Err, Err, Err,  Err,  Err, Err, Err, Err, Err}},
    // ocNeg: unary - (operand in the row; Boolean True gives 1)
    {/* Empty    */ {                   Int},
     /* Null     */ {                   Nul},
     /* Int      */ {                   Int},
     /* Int64    */ {                   I64},
     /* Float    */ {                   Dbl},
     /* Currency */ {                   Cur},
     /* Date     */ {                   Dat},
     /* String   */ {                   Dbl},
     /* Boolean  */ {                   Int},
     /* Other    */ {                   Err}},
    // ocNot: not (logical for booleans and text, bitwise otherwise)
    {/* Empty    */ {                   Int},
     /* Null     */ {                   Nul},
     /* Int      */ {                   Int},
     /* Int64    */ {                   I64},
     /* Float    */ {                   Int},
     /* Currency */ {                   Int},
     /* Date     */ {                   Int},
     /* String   */ {                   Boo},
     /* Boolean  */ {                   Boo},
     /* Other    */ {                   Err}},
};
// clang-format on

TOperandClass ClassOf(TVarType t) {
    switch (t) {
    case varEmpty:
        return clEmpty;
    case varNull:
        return clNull;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
        return clInt;
    case varLongWord:
    case varInt64:
        return clInt64;
    case varSingle:
    case varDouble:
        return clFloat;
    case varCurrency:
        return clCurrency;
    case varDate:
        return clDate;
    case varString:
    case varOleStr:
        return clString;
    case varBoolean:
        return clBoolean;
    default:
        return clOther;
    }
}

TOpClass ClassOf(TVarOp op) {
    switch (op) {
    case TVarOp::Add:
        return ocAdd;
    case TVarOp::Subtract:
        return ocSub;
    case TVarOp::Multiply:
        return ocMul;
    case TVarOp::Divide:
        return ocDiv;
    case TVarOp::IntDivide:
    case TVarOp::Modulus:
        return ocIntDiv;
    case TVarOp::ShiftLeft:
    case TVarOp::ShiftRight:
        return ocShift;
    case TVarOp::And:
    case TVarOp::Or:
    case TVarOp::Xor:
        return ocLogic;
    case TVarOp::Negate:
        return ocNeg;
    case TVarOp::Not:
        return ocNot;
    default:
        return ocCompare;
    }
}

TOpKind KindOf(TOpClass oc, const Variant& a, const Variant& b) {
    return kVarOpTable[oc][ClassOf(a.VType())][ClassOf(b.VType())];
}

[[noreturn]] void RaiseOverflow() {
    throw EOverflow("Floating point overflow");
}

Variant MakeInt(Int64 value) {
    if (value >= std::numeric_limits<Integer>::min() && value <= std::numeric_limits<Integer>::max())
        return Variant(static_cast<Integer>(value));
    return Variant(value);
}

Variant MakeDouble(double value, double x, double y) {
    if (std::isinf(value) && std::isfinite(x) && std::isfinite(y)) RaiseOverflow();
    return Variant(value);
}

// Operands of the Int kind are Integers; of the I64 kind Int64.
Int64 IntOperand(const Variant& v, TOpKind kind) {
    const Int64 i = VarToInt64Checked(v, kind == Int ? varInteger : varInt64);
    if (kind == Int && (i < std::numeric_limits<Integer>::min() || i > std::numeric_limits<Integer>::max()))
        VarOverflowError(v.VType(), varInteger);
    return i;
}

Int64 CheckedCurrency(long double raw) {
    const long double r = std::nearbyint(raw);
    if (!(r >= -9223372036854775808.0L && r < 9223372036854775808.0L)) RaiseOverflow();
    return static_cast<Int64>(r);
}

// a * b of two raw currency values: (a * b) / 10000, rounded half to even.
Int64 CurrencyTimesCurrency(Int64 a, Int64 b) {
    const __int128 p = static_cast<__int128>(a) * b;
    __int128 q = p / 10000;
    const __int128 r = p % 10000;
    const __int128 absR = r < 0 ? -r : r;
    if (absR > 5000 || (absR == 5000 && (q % 2 != 0))) q += p < 0 ? -1 : 1;
    if (q > std::numeric_limits<Int64>::max() || q < std::numeric_limits<Int64>::min()) RaiseOverflow();
    return static_cast<Int64>(q);
}

Variant Arithmetic(TVarOp op, TOpKind kind, const Variant& a, const Variant& b) {
    switch (kind) {
    case Int: {
        const Int64 x = IntOperand(a, Int), y = IntOperand(b, Int);
        return MakeInt(op == TVarOp::Add ? x + y : op == TVarOp::Subtract ? x - y : x * y);
    }
    case I64: {
        const Int64 x = IntOperand(a, I64), y = IntOperand(b, I64);
        Int64 r = 0;
        const bool overflow = op == TVarOp::Add        ? __builtin_add_overflow(x, y, &r)
                              : op == TVarOp::Subtract ? __builtin_sub_overflow(x, y, &r)
                                                       : __builtin_mul_overflow(x, y, &r);
        if (!overflow) return Variant(r);
        const double dx = double(x), dy = double(y);
        return Variant(op == TVarOp::Add ? dx + dy : op == TVarOp::Subtract ? dx - dy : dx * dy);
    }
    case Dbl:
    case Dat: {
        const double x = kind == Dat ? a.AsDateTime() : VarToDoubleChecked(a, varDouble);
        const double y = kind == Dat ? b.AsDateTime() : VarToDoubleChecked(b, varDouble);
        const Variant r = MakeDouble(op == TVarOp::Add        ? x + y
                                     : op == TVarOp::Subtract ? x - y
                                                              : x * y,
                                     x, y);
        return kind == Dat ? VarFromDateTime(r.AsDouble()) : r;
    }
    case Cur: {
        if (op == TVarOp::Multiply && (a.VType() != varCurrency || b.VType() != varCurrency)) {
            // Currency times a number keeps the number's precision; only the result is rounded.
            const bool aCur = a.VType() == varCurrency;
            const Int64 raw = VarToCurrencyRaw(aCur ? a : b);
            const long double factor = VarToDoubleChecked(aCur ? b : a, varDouble);
            return Variant(Currency::FromRaw(CheckedCurrency(static_cast<long double>(raw) * factor)));
        }
        const Int64 x = VarToCurrencyRaw(a), y = VarToCurrencyRaw(b);
        Int64 r = 0;
        if (op == TVarOp::Multiply)
            r = CurrencyTimesCurrency(x, y);
        else if (op == TVarOp::Add ? __builtin_add_overflow(x, y, &r) : __builtin_sub_overflow(x, y, &r))
            RaiseOverflow();
        return Variant(Currency::FromRaw(r));
    }
    case Str: {
        if (a.VType() == varOleStr || b.VType() == varOleStr)
            return Variant(a.AsWideString() + b.AsWideString());
        return Variant(a.AsString() + b.AsString());
    }
    case Nul:
        return Null();
    default:
        VarInvalidOp();
    }
}

Variant Divide(TOpKind kind, const Variant& a, const Variant& b) {
    if (kind == Nul) return Null();
    if (kind != Dbl) VarInvalidOp();
    const double x = VarToDoubleChecked(a, varDouble), y = VarToDoubleChecked(b, varDouble);
    if (y == 0) {
        if (x == 0 || std::isnan(x)) throw EInvalidOp("Invalid floating point operation");
        throw EZeroDivide("Floating point division by zero");
    }
    return MakeDouble(x / y, x, y);
}

Variant IntegerOp(TVarOp op, TOpKind kind, const Variant& a, const Variant& b) {
    if (kind == Nul) return Null();
    if (kind != Int && kind != I64) VarInvalidOp();
    const Int64 x = IntOperand(a, kind), y = IntOperand(b, kind);
    switch (op) {
    case TVarOp::IntDivide:
    case TVarOp::Modulus:
        if (y == 0) throw EDivByZero("Division by zero");
        if (y == -1) { // keeps the smallest value divided by -1 from overflowing
            if (op == TVarOp::Modulus) return kind == Int ? Variant(0) : Variant(Int64(0));
            if (kind == Int) return MakeInt(-x);
            return x == std::numeric_limits<Int64>::min() ? Variant(-double(x)) : Variant(Int64(-x));
        }
        if (op == TVarOp::IntDivide) return kind == Int ? Variant(Integer(x / y)) : Variant(Int64(x / y));
        return kind == Int ? Variant(Integer(x % y)) : Variant(Int64(x % y));
    case TVarOp::ShiftLeft:
    case TVarOp::ShiftRight:
        if (kind == Int) {
            const auto ux = static_cast<std::uint32_t>(x);
            const unsigned n = static_cast<unsigned>(y) & 31u;
            return Variant(static_cast<Integer>(op == TVarOp::ShiftLeft ? ux << n : ux >> n));
        } else {
            const auto ux = static_cast<std::uint64_t>(x);
            const unsigned n = static_cast<unsigned>(y) & 63u;
            return Variant(static_cast<Int64>(op == TVarOp::ShiftLeft ? ux << n : ux >> n));
        }
    case TVarOp::And:
        return kind == Int ? Variant(Integer(x & y)) : Variant(Int64(x & y));
    case TVarOp::Or:
        return kind == Int ? Variant(Integer(x | y)) : Variant(Int64(x | y));
    default: // Xor
        return kind == Int ? Variant(Integer(x ^ y)) : Variant(Int64(x ^ y));
    }
}

Variant Logic(TVarOp op, TOpKind kind, const Variant& a, const Variant& b) {
    if (kind != Boo) return IntegerOp(op, kind, a, b);
    const bool x = VarToBooleanChecked(a), y = VarToBooleanChecked(b);
    return Variant(op == TVarOp::And ? (x && y) : op == TVarOp::Or ? (x || y) : (x != y));
}

template <class T> int ThreeWay(T x, T y) {
    return x < y ? -1 : (y < x ? 1 : 0);
}

// -1, 0 or 1 as a is less than, equal to or greater than b.
int Compare(const Variant& a, const Variant& b) {
    switch (KindOf(ocCompare, a, b)) {
    case Int:
    case I64:
        return ThreeWay(VarToInt64Checked(a, varInt64), VarToInt64Checked(b, varInt64));
    case Dbl:
        return ThreeWay(VarToDoubleChecked(a, varDouble), VarToDoubleChecked(b, varDouble));
    case Cur:
        return ThreeWay(VarToCurrencyRaw(a), VarToCurrencyRaw(b));
    case Dat:
        return ThreeWay(a.AsDateTime(), b.AsDateTime());
    case Str: {
        const int c = a.AsString().compare(b.AsString());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    case Boo:
        return ThreeWay(VarToBooleanChecked(a) ? -1 : 0, VarToBooleanChecked(b) ? -1 : 0);
    case CNl:
        if (VarIsNull(a)) return VarIsNull(b) ? 0 : -1;
        return 1;
    default:
        VarInvalidOp();
    }
}

} // namespace

bool VarCompare(TVarOp op, const Variant& a, const Variant& b) {
    const int c = Compare(a, b);
    switch (op) {
    case TVarOp::CmpEQ:
        return c == 0;
    case TVarOp::CmpNE:
        return c != 0;
    case TVarOp::CmpLT:
        return c < 0;
    case TVarOp::CmpLE:
        return c <= 0;
    case TVarOp::CmpGT:
        return c > 0;
    case TVarOp::CmpGE:
        return c >= 0;
    default:
        VarInvalidOp();
    }
}

Variant VarBinaryOp(TVarOp op, const Variant& a, const Variant& b) {
    // The common case of loops and counters: two Integers.
    if (a.VType() == varInteger && b.VType() == varInteger &&
        (op == TVarOp::Add || op == TVarOp::Subtract || op == TVarOp::Multiply))
        return Arithmetic(op, Int, a, b);
    const TOpClass oc = ClassOf(op);
    const TOpKind kind = KindOf(oc, a, b);
    switch (oc) {
    case ocAdd:
    case ocSub:
    case ocMul:
        return Arithmetic(op, kind, a, b);
    case ocDiv:
        return Divide(kind, a, b);
    case ocIntDiv:
    case ocShift:
        return IntegerOp(op, kind, a, b);
    case ocLogic:
        return Logic(op, kind, a, b);
    case ocCompare:
        return Variant(VarCompare(op, a, b));
    default:
        VarInvalidOp();
    }
}

Variant VarUnaryOp(TVarOp op, const Variant& a) {
    const TOpClass oc = ClassOf(op);
    if (oc != ocNeg && oc != ocNot) VarInvalidOp();
    const TOpKind kind = kVarOpTable[oc][ClassOf(a.VType())][clEmpty];
    switch (kind) {
    case Nul:
        return Null();
    case Int: {
        const Int64 x = IntOperand(a, Int);
        return oc == ocNeg ? MakeInt(-x) : Variant(static_cast<Integer>(~x));
    }
    case I64: {
        const Int64 x = IntOperand(a, I64);
        if (oc == ocNot) return Variant(Int64(~x));
        return x == std::numeric_limits<Int64>::min() ? Variant(-double(x)) : Variant(Int64(-x));
    }
    case Dbl:
        return Variant(-VarToDoubleChecked(a, varDouble));
    case Dat:
        return VarFromDateTime(-a.AsDateTime());
    case Cur: {
        const Int64 raw = VarToCurrencyRaw(a);
        if (raw == std::numeric_limits<Int64>::min()) RaiseOverflow();
        return Variant(Currency::FromRaw(-raw));
    }
    case Boo:
        return Variant(!VarToBooleanChecked(a));
    default:
        VarInvalidOp();
    }
}

Variant operator+(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Add, a, b);
}
Variant operator-(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Subtract, a, b);
}
Variant operator*(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Multiply, a, b);
}
Variant operator/(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Divide, a, b);
}
Variant operator%(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Modulus, a, b);
}
Variant operator&(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::And, a, b);
}
Variant operator|(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Or, a, b);
}
Variant operator^(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Xor, a, b);
}
Variant operator<<(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::ShiftLeft, a, b);
}
Variant operator>>(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::ShiftRight, a, b);
}
Variant operator-(const Variant& a) {
    return VarUnaryOp(TVarOp::Negate, a);
}
Variant operator~(const Variant& a) {
    return VarUnaryOp(TVarOp::Not, a);
}
Variant VarIntDiv(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::IntDivide, a, b);
}
Variant VarMod(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Modulus, a, b);
}
Variant VarAnd(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::And, a, b);
}
Variant VarOr(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Or, a, b);
}
Variant VarXor(const Variant& a, const Variant& b) {
    return VarBinaryOp(TVarOp::Xor, a, b);
}
Variant VarNot(const Variant& a) {
    return VarUnaryOp(TVarOp::Not, a);
}
Variant VarNeg(const Variant& a) {
    return VarUnaryOp(TVarOp::Negate, a);
}

bool operator==(const Variant& a, const Variant& b) {
    return VarCompare(TVarOp::CmpEQ, a, b);
}
bool operator!=(const Variant& a, const Variant& b) {
    return VarCompare(TVarOp::CmpNE, a, b);
}
bool operator<(const Variant& a, const Variant& b) {
    return VarCompare(TVarOp::CmpLT, a, b);
}
bool operator<=(const Variant& a, const Variant& b) {
    return VarCompare(TVarOp::CmpLE, a, b);
}
bool operator>(const Variant& a, const Variant& b) {
    return VarCompare(TVarOp::CmpGT, a, b);
}
bool operator>=(const Variant& a, const Variant& b) {
    return VarCompare(TVarOp::CmpGE, a, b);
}

TVariantRelationship VarCompareValue(const Variant& a, const Variant& b) {
    if (VarIsEmpty(a)) return VarIsEmpty(b) ? vrEqual : vrNotEqual;
    if (VarIsNull(a)) return VarIsNull(b) ? vrEqual : vrNotEqual;
    if (VarIsEmpty(b) || VarIsNull(b)) return vrNotEqual;
    const int c = Compare(a, b);
    return c == 0 ? vrEqual : (c < 0 ? vrLessThan : vrGreaterThan);
}

bool VarSameValue(const Variant& a, const Variant& b) {
    if (VarIsEmpty(a)) return VarIsEmpty(b);
    if (VarIsNull(a)) return VarIsNull(b);
    if (VarIsEmpty(b) || VarIsNull(b)) return false;
    return Compare(a, b) == 0;
}
