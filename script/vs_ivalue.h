// Reading and writing the payload of variants the interpreter already knows the kind of, without
// the checked conversions or the general copy (the fast paths of integer arithmetic, comparisons
// and loop counters).
#pragma once

#include "rtl/Variant.h"

#include <utility>

// The integer of a varInteger variant (0 or 1 for a varBoolean one).
inline Int64 vsIntOf(const Variant& V) {
    return V.IntegerPayload();
}

// A copy of V. An integer is rebuilt from its payload, which costs a few instructions where the
// general copy dispatches on the stored kind.
inline Variant vsCopy(const Variant& V) {
    if (V.VType() == varInteger) return Variant(static_cast<Integer>(vsIntOf(V)));
    return V;
}

// Target := the integer N; written over the payload when Target holds an integer already.
inline void vsSetInteger(Variant& Target, Integer N) {
    if (!Target.ReplaceInteger(N)) Target = Variant(N);
}

// --- the compact value -------------------------------------------------------------------------

// The interpreter's own value: 16 bytes, any Variant without loss. The kinds that need no heap
// (every integer kind, boolean, currency, error codes, single, double, date, Empty and Null) are
// held inline, so making, copying and dropping them costs a few instructions; strings, wide
// strings, dispatch references and arrays live in a shared box that a copy only counts, and that
// is copied before it changes when it is shared. The Variant rules (conversions, operator
// results, error texts) apply unchanged: a value becomes a Variant (ToVariant) wherever the
// interpreter hands it to those rules or to the host.
class TvsValue {
public:
    TvsValue() noexcept : FInt(0), FType(varEmpty) {}
    explicit TvsValue(const Variant& V) { Assign(V); }
    explicit TvsValue(Variant&& V) { Assign(std::move(V)); }
    // A varInteger value.
    static TvsValue OfInteger(Integer N) noexcept { return TvsValue(varInteger, Int64(N)); }
    // A varBoolean value.
    static TvsValue OfBoolean(bool B) noexcept { return TvsValue(varBoolean, Int64(B ? 1 : 0)); }

    TvsValue(const TvsValue& Other) noexcept : FInt(Other.FInt), FType(Other.FType) {
        if (IsBoxed()) ++FBox->Refs;
    }
    TvsValue(TvsValue&& Other) noexcept : FInt(Other.FInt), FType(Other.FType) { Other.FType = varEmpty; }
    TvsValue& operator=(const TvsValue& Other) noexcept {
        if (this != &Other) {
            TvsValue copy(Other);
            Swap(copy);
        }
        return *this;
    }
    TvsValue& operator=(TvsValue&& Other) noexcept {
        TvsValue taken(std::move(Other));
        Swap(taken);
        return *this;
    }
    ~TvsValue() {
        if (IsBoxed()) Release();
    }

    // The Variant type code of the value (varArray set for arrays).
    TVarType VType() const noexcept { return IsBoxed() ? FBox->Value.VType() : FType; }
    bool IsInteger() const noexcept { return FType == varInteger; }
    // The payload of an integer kind, boolean (0/1), currency or error code.
    Int64 IntPayload() const noexcept { return FInt; }
    // The value as a Variant: the same kind and payload the value was made from.
    Variant ToVariant() const& {
        if (FType == varInteger) return Variant(static_cast<Integer>(FInt));
        return SlowVariant();
    }
    Variant ToVariant() && {
        if (FType == varInteger) return Variant(static_cast<Integer>(FInt));
        return TakeVariant();
    }
    // The stored Variant of a boxed kind (a string, an array ...), read in place; nullptr for an
    // inline kind.
    const Variant* Boxed() const noexcept { return IsBoxed() ? &FBox->Value : nullptr; }

private:
    struct TBox {
        Integer Refs;
        Variant Value;
    };
    // The tag of a boxed value; the kind itself is that of the Variant in the box.
    static constexpr TVarType kBoxed = 0xFFFF;

    TvsValue(TVarType Type, Int64 Payload) noexcept : FInt(Payload), FType(Type) {}
    bool IsBoxed() const noexcept { return FType == kBoxed; }
    void Swap(TvsValue& Other) noexcept {
        std::swap(FInt, Other.FInt);
        std::swap(FType, Other.FType);
    }
    void Assign(const Variant& V);
    void Assign(Variant&& V);
    Variant SlowVariant() const;
    Variant TakeVariant();
    [[gnu::noinline]] void Release() noexcept;

    union {
        Int64 FInt;
        double FFloat;
        TBox* FBox;
    };
    TVarType FType;
};
static_assert(sizeof(TvsValue) == 16, "the compact value is two machine words");

// The compact value of a stored Variant; an integer without the general conversion.
inline TvsValue vsCompactOf(const Variant& V) {
    if (V.VType() == varInteger) return TvsValue::OfInteger(static_cast<Integer>(vsIntOf(V)));
    return TvsValue(V);
}
// The Variant of a compact value, read in place when the value keeps one (a string, an array),
// else built in Temp.
inline const Variant& vsVariantOf(const TvsValue& V, Variant& Temp) {
    if (const Variant* boxed = V.Boxed()) return *boxed;
    Temp = V.ToVariant();
    return Temp;
}
