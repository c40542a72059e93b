// Shared by the Variant implementation files: raw access to a Variant's payload, the layout of
// variant arrays and the platform's error raisers.
#pragma once

#include "rtl/Variant.h"

struct TVarArrayData {
    TVarType ElemType = varVariant;
    std::vector<int> Low;       // per dimension
    std::vector<int> High;      // per dimension
    std::vector<Variant> Items; // the first index varies fastest, so the last dimension can grow in place
};

struct TVariantAccess {
    using TData = Variant::TData;
    static Variant Make(TVarType type, TData data) { return Variant(type, std::move(data)); }
    static Int64 Int(const Variant& v) { return std::get<Int64>(v.FData); }
    static double Float(const Variant& v) { return std::get<double>(v.FData); }
    static const String& Str(const Variant& v) { return std::get<String>(v.FData); }
    static const WideString& Wide(const Variant& v) { return std::get<WideString>(v.FData); }
    static const IDispatchPtr& Dispatch(const Variant& v) { return std::get<IDispatchPtr>(v.FData); }
    static const std::shared_ptr<TVarArrayData>& Array(const Variant& v) {
        return std::get<std::shared_ptr<TVarArrayData>>(v.FData);
    }
    // The array of a, detached from every copy that shares it, ready to be changed.
    static TVarArrayData& MutableArray(Variant& a);
};

// Raisers with the platform's texts.
[[noreturn]] void VarCastError(TVarType from, TVarType to);     // Could not convert variant of type ...
[[noreturn]] void VarOverflowError(TVarType from, TVarType to); // Overflow while converting variant ...
[[noreturn]] void VarInvalidOp();                               // Invalid variant operation
[[noreturn]] void VarBadIndexError();                           // index out of bounds
[[noreturn]] void VarNotArrayError();
[[noreturn]] void VarArrayCreateError();
[[noreturn]] void VarInvalidArgError();
[[noreturn]] void VarBadTypeError();

// Conversions used by the operators: each takes the variant's value to the named kind or raises.
Int64 VarToInt64Checked(const Variant& v, TVarType target); // target names the kind in messages
double VarToDoubleChecked(const Variant& v, TVarType target);
Int64 VarToCurrencyRaw(const Variant& v);
bool VarToBooleanChecked(const Variant& v);
// Rounds half to even (the platform's rounding of floats and currency to integers).
double VarRoundHalfEven(double value);
