// Variant: a value of any of the platform's automation kinds (empty, null, integers, floats,
// currency, date, strings, boolean, dispatch, error) or a multi-dimensional array of them, with the
// platform's conversion, comparison and operator rules. Copying a Variant copies its value; arrays
// are copied on assignment (shared until one copy changes).
#pragma once

#include "rtl/Currency.h"
#include "rtl/SysUtils.h"
#include "rtl/Types.h"

#include <initializer_list>
#include <memory>
#include <type_traits>
#include <variant>
#include <vector>

using TVarType = Word;

constexpr TVarType varEmpty = 0x0000;
constexpr TVarType varNull = 0x0001;
constexpr TVarType varSmallint = 0x0002;
constexpr TVarType varInteger = 0x0003;
constexpr TVarType varSingle = 0x0004;
constexpr TVarType varDouble = 0x0005;
constexpr TVarType varCurrency = 0x0006;
constexpr TVarType varDate = 0x0007;
constexpr TVarType varOleStr = 0x0008; // WideString (UTF-16)
constexpr TVarType varDispatch = 0x0009;
constexpr TVarType varError = 0x000A;
constexpr TVarType varBoolean = 0x000B;
constexpr TVarType varVariant = 0x000C; // only as the element type of arrays
constexpr TVarType varUnknown = 0x000D;
constexpr TVarType varShortInt = 0x0010;
constexpr TVarType varByte = 0x0011;
constexpr TVarType varWord = 0x0012;
constexpr TVarType varLongWord = 0x0013;
constexpr TVarType varInt64 = 0x0014;
constexpr TVarType varString = 0x0100; // String (UTF-8)
constexpr TVarType varTypeMask = 0x0FFF;
constexpr TVarType varArray = 0x2000;
constexpr TVarType varByRef = 0x4000; // never produced; kept so type texts can name it

// Errors of variant operations. Each carries the platform's message text.
ORV_DECLARE_EXCEPTION(EVariantInvalidOpError, EVariantError)   // "Invalid variant operation"
ORV_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError)    // "Could not convert variant of type ..."
ORV_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError)    // "Overflow while converting variant ..."
ORV_DECLARE_EXCEPTION(EVariantInvalidArgError, EVariantError)  // "Invalid argument"
ORV_DECLARE_EXCEPTION(EVariantBadVarTypeError, EVariantError)  // "Invalid variant type"
ORV_DECLARE_EXCEPTION(EVariantBadIndexError, EVariantError)    // "Variant or safe array index out of bounds"
ORV_DECLARE_EXCEPTION(EVariantNotAnArrayError, EVariantError)  // "Variant is not an array"
ORV_DECLARE_EXCEPTION(EVariantArrayCreateError, EVariantError) // "Error creating variant or safe array"

class IDispatchObject; // rtl/DispatchObject.h
using IDispatchPtr = std::shared_ptr<IDispatchObject>;

struct TVarArrayData; // bounds, element type and elements of a variant array

class Variant {
public:
    Variant() noexcept = default; // Unassigned (varEmpty)
    Variant(bool v) : FType(varBoolean), FData(Int64(v ? 1 : 0)) {}
    Variant(char v) : FType(varString), FData(String(1, v)) {}
    Variant(signed char v) : FType(varShortInt), FData(Int64(v)) {}
    Variant(unsigned char v) : FType(varByte), FData(Int64(v)) {}
    Variant(short v) : FType(varSmallint), FData(Int64(v)) {}
    Variant(unsigned short v) : FType(varWord), FData(Int64(v)) {}
    Variant(int v) : FType(varInteger), FData(Int64(v)) {}
    Variant(unsigned int v) : FType(varLongWord), FData(Int64(v)) {}
    Variant(long v) : FType(varInt64), FData(Int64(v)) {}
    Variant(long long v) : FType(varInt64), FData(Int64(v)) {}
    Variant(unsigned long v) : FType(varInt64), FData(static_cast<Int64>(v)) {}
    Variant(unsigned long long v) : FType(varInt64), FData(static_cast<Int64>(v)) {}
    Variant(float v) : FType(varSingle), FData(double(v)) {}
    Variant(double v) : FType(varDouble), FData(v) {}
    Variant(long double v) : FType(varDouble), FData(double(v)) {} // Extended
    Variant(Currency v) : FType(varCurrency), FData(v.Value) {}
    Variant(const char* v) : FType(varString), FData(String(v ? v : "")) {}
    Variant(const String& v) : FType(varString), FData(v) {}
    Variant(String&& v) : FType(varString), FData(std::move(v)) {}
    Variant(const char16_t* v) : FType(varOleStr), FData(WideString(v ? v : u"")) {}
    Variant(const WideString& v) : FType(varOleStr), FData(v) {}
    Variant(WideString&& v) : FType(varOleStr), FData(std::move(v)) {}
    Variant(IDispatchPtr v) : FType(varDispatch), FData(std::move(v)) {}
    template <class T, class = std::enable_if_t<std::is_base_of_v<IDispatchObject, T> &&
                                                !std::is_same_v<T, IDispatchObject>>>
    Variant(std::shared_ptr<T> v) : Variant(IDispatchPtr(std::move(v))) {}

    // The type code, with varArray set for arrays (VarType).
    TVarType VType() const noexcept { return FType; }

    // Conversions with the platform's rules; EVariantTypeCastError / EVariantOverflowError when the
    // value cannot be converted. Null converts to nothing but Null (VarToStr gives "" for it).
    Integer AsInteger() const;
    Int64 AsInt64() const;
    double AsDouble() const;
    Currency AsCurrency() const;
    bool AsBoolean() const;
    String AsString() const;
    WideString AsWideString() const;
    TDateTime AsDateTime() const;
    IDispatchPtr AsDispatch() const; // Empty gives nullptr

    // Raw access for callers that know the kind already (an interpreter's integer fast paths).
    // The 64-bit payload of an integer kind, boolean (0/1), currency or error code; undefined for
    // any other kind.
    Int64 IntegerPayload() const noexcept { return *std::get_if<Int64>(&FData); }
    // Writes V over the value of a variant that holds a varInteger, in place; false, leaving the
    // variant as it is, when it holds any other kind.
    bool ReplaceInteger(Integer V) noexcept {
        if (FType != varInteger) return false;
        *std::get_if<Int64>(&FData) = V;
        return true;
    }

    friend Variant Null();
    friend Variant VarFromDateTime(TDateTime value);
    friend Variant VarAsError(Integer code);
    friend Variant VarAsType(const Variant& v, TVarType type);
    friend Variant VarArrayCreate(const std::vector<int>& bounds, TVarType elemType);
    friend struct TVariantAccess;

private:
    using TData = std::variant<std::monostate, Int64, double, String, WideString, IDispatchPtr,
                               std::shared_ptr<TVarArrayData>>;
    Variant(TVarType type, TData data) : FType(type), FData(std::move(data)) {}

    // Every integer kind, boolean (0/1), currency (raw ten-thousandths) and error codes are Int64;
    // single, double and date are double.
    TVarType FType = varEmpty;
    TData FData;
};

// ---- Constructors of the special kinds -----------------------------------------------------------
Variant Null();
Variant Unassigned();
Variant VarFromDateTime(TDateTime value);
Variant VarAsError(Integer code); // varError holding an error code
void VarClear(Variant& v);        // makes it Unassigned

// ---- Type queries --------------------------------------------------------------------------------
TVarType VarType(const Variant& v);
bool VarIsEmpty(const Variant& v);
bool VarIsNull(const Variant& v);
bool VarIsClear(const Variant& v);   // empty, or a dispatch holding nothing
bool VarIsOrdinal(const Variant& v); // integer kinds and boolean
// The one list of integer type codes: smallint, integer, shortint, byte, word, longword, int64.
bool VarTypeIsInteger(TVarType type);
bool VarTypeIsOrdinal(TVarType type); // the integer codes and boolean
bool VarIsFloat(const Variant& v);   // single, double, currency
bool VarIsNumeric(const Variant& v); // ordinal or float
bool VarIsStr(const Variant& v);     // varString or varOleStr
bool VarIsArray(const Variant& v);
// "Integer", "String", "Array Variant", "$0F" ... as the platform names type codes in messages.
String VarTypeAsText(TVarType type);

// ---- Conversions ---------------------------------------------------------------------------------
Variant VarAsType(const Variant& v, TVarType type);      // raises as the As... accessors do
String VarToStr(const Variant& v);                       // Null gives ""
String VarToStrDef(const Variant& v, const String& def); // def for Null
WideString VarToWideStr(const Variant& v);               // Null gives u""
TDateTime VarToDateTime(const Variant& v);

// ---- Operators (rules in VariantOps.cpp) ---------------------------------------------------------
enum class TVarOp {
    Add,
    Subtract,
    Multiply,
    Divide,
    IntDivide,
    Modulus,
    ShiftLeft,
    ShiftRight,
    And,
    Or,
    Xor,
    CmpEQ,
    CmpNE,
    CmpLT,
    CmpLE,
    CmpGT,
    CmpGE,
    Negate,
    Not
};
// Applies a binary operator (the comparisons give a boolean Variant).
Variant VarBinaryOp(TVarOp op, const Variant& a, const Variant& b);
// Applies TVarOp::Negate or TVarOp::Not.
Variant VarUnaryOp(TVarOp op, const Variant& a);
// One comparison; EVariantInvalidOpError / cast errors when the two cannot be compared.
bool VarCompare(TVarOp op, const Variant& a, const Variant& b);

Variant operator+(const Variant& a, const Variant& b);
Variant operator-(const Variant& a, const Variant& b);
Variant operator*(const Variant& a, const Variant& b);
Variant operator/(const Variant& a, const Variant& b);  // always Double (or Null)
Variant operator%(const Variant& a, const Variant& b);  // mod
Variant operator&(const Variant& a, const Variant& b);  // and: logical for booleans, else bitwise
Variant operator|(const Variant& a, const Variant& b);  // or
Variant operator^(const Variant& a, const Variant& b);  // xor
Variant operator<<(const Variant& a, const Variant& b); // shl
Variant operator>>(const Variant& a, const Variant& b); // shr
Variant operator-(const Variant& a);
Variant operator~(const Variant& a);                   // not
Variant VarIntDiv(const Variant& a, const Variant& b); // div
Variant VarMod(const Variant& a, const Variant& b);
Variant VarAnd(const Variant& a, const Variant& b);
Variant VarOr(const Variant& a, const Variant& b);
Variant VarXor(const Variant& a, const Variant& b);
Variant VarNot(const Variant& a);
Variant VarNeg(const Variant& a);

bool operator==(const Variant& a, const Variant& b);
bool operator!=(const Variant& a, const Variant& b);
bool operator<(const Variant& a, const Variant& b);
bool operator<=(const Variant& a, const Variant& b);
bool operator>(const Variant& a, const Variant& b);
bool operator>=(const Variant& a, const Variant& b);

enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
// Empty equals only Empty and Null only Null; anything else compared with them is vrNotEqual.
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);
bool VarSameValue(const Variant& a, const Variant& b);

// ---- Arrays --------------------------------------------------------------------------------------
// bounds: {lo1, hi1, lo2, hi2, ...}; elements start as the element type's zero (Empty for varVariant).
Variant VarArrayCreate(const std::vector<int>& bounds, TVarType elemType);
// A one-dimensional varVariant array indexed from 0.
Variant VarArrayOf(const std::vector<Variant>& values);
int VarArrayDimCount(const Variant& a);          // 0 for a non-array
int VarArrayLowBound(const Variant& a, int dim); // dim counts from 1
int VarArrayHighBound(const Variant& a, int dim);
// Changes the high bound of the last dimension, keeping the elements that remain.
void VarArrayRedim(Variant& a, int highBound);
Variant VarArrayGet(const Variant& a, const std::vector<int>& indices);
// Stores value converted to the element type.
void VarArrayPut(Variant& a, const Variant& value, const std::vector<int>& indices);
