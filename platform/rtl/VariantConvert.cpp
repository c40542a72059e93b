// Conversions of a Variant to each kind, with the platform's rules:
// - Empty converts to 0, "", False and the zero date; Null converts to nothing but Null/Empty
//   (VarToStr and VarToWideStr give "" for it).
// - Boolean True is -1 as a number and "True" as text; numbers are True when not zero.
// - Floats, dates and currency round half to even when they become integers.
// - Strings become numbers through TryStrToInt64/TryStrToFloat/TryStrToCurr, also accepting "True"
//   and "False" (any case, as -1 and 0); dates through TryStrToDateTime; booleans from "True"/"False"
//   or from a number. Numbers become text through IntToStr/FloatToStr/CurrToStr, dates through
//   DateTimeToStr.
// A value that does not fit the target raises EVariantOverflowError, anything else that cannot be
// converted EVariantTypeCastError.
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/VariantInternal.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using VA = TVariantAccess;

constexpr long double kInt64Limit = 9223372036854775808.0L; // 2^63

bool AsciiSameText(const String& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (LowCase(a[i]) != LowCase(b[i])) return false;
    }
    return i == a.size() && !b[i];
}

bool TryBoolName(const String& s, bool& value) {
    if (AsciiSameText(s, "True")) {
        value = true;
        return true;
    }
    if (AsciiSameText(s, "False")) {
        value = false;
        return true;
    }
    return false;
}

// The text of a string variant as UTF-8.
String StrOf(const Variant& v) {
    return v.VType() == varString ? VA::Str(v) : WideToUtf8(VA::Wide(v));
}

Int64 FloatToInt64(long double value, TVarType from, TVarType target) {
    const long double r = std::nearbyint(value);
    if (!(r >= -kInt64Limit && r < kInt64Limit)) VarOverflowError(from, target);
    return static_cast<Int64>(r);
}

Int64 CurrencyRawToInt64(Int64 raw) {
    Int64 q = raw / 10000;
    const Int64 r = raw % 10000;
    const Int64 absR = r < 0 ? -r : r;
    if (absR > 5000 || (absR == 5000 && (q % 2 != 0))) q += raw < 0 ? -1 : 1;
    return q;
}

Int64 RangeChecked(Int64 value, TVarType from, TVarType target) {
    Int64 lo = std::numeric_limits<Int64>::min(), hi = std::numeric_limits<Int64>::max();
    switch (target) {
    case varShortInt:
        lo = -128, hi = 127;
        break;
    case varByte:
        lo = 0, hi = 255;
        break;
    case varSmallint:
        lo = -32768, hi = 32767;
        break;
    case varWord:
        lo = 0, hi = 65535;
        break;
    case varInteger:
        lo = std::numeric_limits<Integer>::min(), hi = std::numeric_limits<Integer>::max();
        break;
    case varLongWord:
        lo = 0, hi = std::numeric_limits<LongWord>::max();
        break;
    default:
        break;
    }
    if (value < lo || value > hi) VarOverflowError(from, target);
    return value;
}

long double CurrencyRawToFloat(Int64 raw) {
    return static_cast<long double>(raw) / 10000.0L;
}

TDateTime DateValue(const Variant& v) {
    if (VarIsStr(v)) {
        TDateTime d = 0;
        if (!TryStrToDateTime(StrOf(v), d)) VarCastError(v.VType(), varDate);
        return d;
    }
    return VarToDoubleChecked(v, varDate);
}

} // namespace

double VarRoundHalfEven(double value) {
    return std::nearbyint(value);
}


Int64 VarToInt64Checked(const Variant& v, TVarType target) {
    const TVarType t = v.VType();
    if (t == varEmpty) return 0;
    if (t == varBoolean) return VA::Int(v) ? -1 : 0;
    if (VarTypeIsOrdinal(t)) return VA::Int(v);
    switch (t) {
    case varSingle:
    case varDouble:
    case varDate:
        return FloatToInt64(VA::Float(v), t, target);
    case varCurrency:
        return CurrencyRawToInt64(VA::Int(v));
    case varString:
    case varOleStr: {
        const String s = StrOf(v);
        Int64 i = 0;
        if (TryStrToInt64(s, i)) return i;
        Extended e = 0;
        if (TryStrToFloat(s, e)) return FloatToInt64(e, t, target);
        bool b = false;
        if (TryBoolName(s, b)) return b ? -1 : 0;
        break;
    }
    default:
        break;
    }
    VarCastError(t, target);
}

double VarToDoubleChecked(const Variant& v, TVarType target) {
    const TVarType t = v.VType();
    if (t == varEmpty) return 0;
    if (t == varBoolean) return VA::Int(v) ? -1 : 0;
    if (VarTypeIsOrdinal(t)) return static_cast<double>(VA::Int(v));
    switch (t) {
    case varSingle:
    case varDouble:
    case varDate:
        return VA::Float(v);
    case varCurrency:
        return static_cast<double>(CurrencyRawToFloat(VA::Int(v)));
    case varString:
    case varOleStr: {
        const String s = StrOf(v);
        Extended e = 0;
        if (TryStrToFloat(s, e)) {
            if (std::isinf(static_cast<double>(e))) VarOverflowError(t, target);
            return static_cast<double>(e);
        }
        bool b = false;
        if (TryBoolName(s, b)) return b ? -1 : 0;
        break;
    }
    default:
        break;
    }
    VarCastError(t, target);
}

Int64 VarToCurrencyRaw(const Variant& v) {
    const TVarType t = v.VType();
    if (t == varEmpty) return 0;
    if (t == varCurrency) return VA::Int(v);
    if (t == varBoolean) return VA::Int(v) ? -10000 : 0;
    if (VarTypeIsOrdinal(t)) {
        const Int64 i = VA::Int(v);
        if (i > std::numeric_limits<Int64>::max() / 10000 || i < std::numeric_limits<Int64>::min() / 10000)
            VarOverflowError(t, varCurrency);
        return i * 10000;
    }
    switch (t) {
    case varSingle:
    case varDouble:
    case varDate:
        return FloatToInt64(static_cast<long double>(VA::Float(v)) * 10000.0L, t, varCurrency);
    case varString:
    case varOleStr: {
        const String s = StrOf(v);
        Currency c;
        if (TryStrToCurr(s, c)) return c.Value;
        bool b = false;
        if (TryBoolName(s, b)) return b ? -10000 : 0;
        break;
    }
    default:
        break;
    }
    VarCastError(t, varCurrency);
}

bool VarToBooleanChecked(const Variant& v) {
    const TVarType t = v.VType();
    if (t == varEmpty) return false;
    if (VarTypeIsOrdinal(t) || t == varCurrency) return VA::Int(v) != 0;
    switch (t) {
    case varSingle:
    case varDouble:
    case varDate:
        return VA::Float(v) != 0;
    case varString:
    case varOleStr: {
        const String s = StrOf(v);
        bool b = false;
        if (TryBoolName(s, b)) return b;
        Extended e = 0;
        if (TryStrToFloat(s, e)) return e != 0;
        break;
    }
    default:
        break;
    }
    VarCastError(t, varBoolean);
}

Integer Variant::AsInteger() const {
    return static_cast<Integer>(RangeChecked(VarToInt64Checked(*this, varInteger), FType, varInteger));
}

Int64 Variant::AsInt64() const {
    return VarToInt64Checked(*this, varInt64);
}

double Variant::AsDouble() const {
    return VarToDoubleChecked(*this, varDouble);
}

Currency Variant::AsCurrency() const {
    return Currency::FromRaw(VarToCurrencyRaw(*this));
}

bool Variant::AsBoolean() const {
    return VarToBooleanChecked(*this);
}

TDateTime Variant::AsDateTime() const {
    return DateValue(*this);
}

String Variant::AsString() const {
    if (VarTypeIsInteger(FType)) return IntToStr(VA::Int(*this));
    switch (FType) {
    case varEmpty:
        return String();
    case varString:
        return VA::Str(*this);
    case varOleStr:
        return WideToUtf8(VA::Wide(*this));
    case varBoolean:
        return VA::Int(*this) ? "True" : "False";
    case varSingle:
    case varDouble:
        return FloatToStr(static_cast<Extended>(VA::Float(*this)));
    case varCurrency:
        return CurrToStr(Currency::FromRaw(VA::Int(*this)));
    case varDate:
        return DateTimeToStr(VA::Float(*this));
    default:
        VarCastError(FType, varString);
    }
}

WideString Variant::AsWideString() const {
    if (FType == varOleStr) return VA::Wide(*this);
    if (FType == varNull || FType == varDispatch || FType == varUnknown || FType == varError ||
        (FType & varArray))
        VarCastError(FType, varOleStr);
    return Utf8ToWide(AsString());
}

IDispatchPtr Variant::AsDispatch() const {
    if (FType == varDispatch || FType == varUnknown) return VA::Dispatch(*this);
    if (FType == varEmpty) return nullptr;
    VarCastError(FType, varDispatch);
}

Variant VarAsType(const Variant& v, TVarType type) {
    const TVarType from = v.VType();
    if (from == type) return v;
    if (type & varArray) VarCastError(from, type);
    if (VarTypeIsInteger(type)) return Variant(type, RangeChecked(VarToInt64Checked(v, type), from, type));
    switch (type) {
    case varEmpty:
        return Variant();
    case varNull:
        return Null();
    case varSingle: {
        const double d = VarToDoubleChecked(v, varSingle);
        if (std::isfinite(d) && std::fabs(d) > FLT_MAX) VarOverflowError(from, varSingle);
        return Variant(varSingle, double(float(d)));
    }
    case varDouble:
        return Variant(varDouble, VarToDoubleChecked(v, varDouble));
    case varCurrency:
        return Variant(varCurrency, VarToCurrencyRaw(v));
    case varDate:
        return Variant(varDate, DateValue(v));
    case varBoolean:
        return Variant(varBoolean, Int64(VarToBooleanChecked(v) ? 1 : 0));
    case varString:
        return Variant(v.AsString());
    case varOleStr:
        return Variant(v.AsWideString());
    case varDispatch:
    case varUnknown:
        return Variant(type, v.AsDispatch());
    case varError:
        VarCastError(from, type);
    default:
        VarBadTypeError();
    }
}

String VarToStr(const Variant& v) {
    return VarIsNull(v) ? String() : v.AsString();
}

String VarToStrDef(const Variant& v, const String& def) {
    return VarIsNull(v) ? def : v.AsString();
}

WideString VarToWideStr(const Variant& v) {
    return VarIsNull(v) ? WideString() : v.AsWideString();
}

TDateTime VarToDateTime(const Variant& v) {
    return v.AsDateTime();
}
