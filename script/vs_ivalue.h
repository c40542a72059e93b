// The values of the interpreter: the compact value (TvsValue) that variables, parameters,
// expressions, arguments and saved locals hold, the compact array of a declared array, the stack
// of the frames saved for recursive calls, and the reading of the integer payload of a variant
// the interpreter already knows the kind of.
#pragma once

#include "rtl/Variant.h"

#include <utility>
#include <vector>

// The integer of a varInteger variant (0 or 1 for a varBoolean one).
inline Int64 vsIntOf(const Variant& V) {
    return V.IntegerPayload();
}

class TvsCompactArray;

// --- the compact value -------------------------------------------------------------------------

// The interpreter's own value: 16 bytes, any Variant without loss. The kinds that need no heap
// (every integer kind, boolean, currency, error codes, single, double, date, Empty and Null) are
// held inline, so making, copying and dropping them costs a few instructions; strings, wide
// strings, dispatch references and arrays live in a shared box that a copy only counts, and that
// is copied before it changes when it is shared. A declared array of the script is kept as an
// array of compact values (TvsCompactArray), shared the same way. The Variant rules (conversions, operator
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
    // Null.
    static TvsValue OfNull() noexcept { return TvsValue(varNull, 0); }
    // The compact array of a varVariant array of one to three dimensions; Empty for anything
    // else.
    static TvsValue ArrayOf(const Variant& V);

    TvsValue(const TvsValue& Other) noexcept : FInt(Other.FInt), FType(Other.FType) {
        if (IsShared()) ++FShared->Refs;
    }
    TvsValue(TvsValue&& Other) noexcept : FInt(Other.FInt), FType(Other.FType) { Other.FType = varEmpty; }
    // The assignments take the other value's payload before they drop their own, which may be
    // the box or array that holds the other value.
    TvsValue& operator=(const TvsValue& Other) noexcept {
        if (Other.IsShared()) ++Other.FShared->Refs;
        const Int64 payload = Other.FInt;
        const TVarType type = Other.FType;
        if (IsShared()) Release();
        FInt = payload;
        FType = type;
        return *this;
    }
    TvsValue& operator=(TvsValue&& Other) noexcept {
        const Int64 payload = Other.FInt;
        const TVarType type = Other.FType;
        Other.FType = varEmpty;
        if (IsShared()) Release();
        FInt = payload;
        FType = type;
        return *this;
    }
    ~TvsValue() {
        if (IsShared()) Release();
    }

    // The Variant type code of the value (varArray set for arrays).
    TVarType VType() const noexcept {
        return IsBoxed() ? FBox->Value.VType() : FType == kArray ? TVarType(varArray | varVariant) : FType;
    }
    bool IsInteger() const noexcept { return FType == varInteger; }
    bool IsBoolean() const noexcept { return FType == varBoolean; }
    // The value becomes the integer n; written over the payload when it is an integer already.
    void SetInteger(Integer n) noexcept {
        if (FType == varInteger) {
            FInt = n;
            return;
        }
        *this = OfInteger(n);
    }
    // The payload of an integer kind, boolean (0/1), currency or error code.
    Int64 IntPayload() const noexcept { return FInt; }
    // The value as a Variant: the same kind and payload the value was made from.
    Variant ToVariant() const& {
        if (FType == varInteger) return Variant(static_cast<Integer>(FInt));
        if (FType == varEmpty) return Variant();
        return SlowVariant();
    }
    Variant ToVariant() && {
        if (FType == varInteger) return Variant(static_cast<Integer>(FInt));
        if (FType == varEmpty) return Variant();
        return TakeVariant();
    }
    // The stored Variant of a boxed kind (a string, an array ...), read in place; nullptr for an
    // inline kind.
    const Variant* Boxed() const noexcept { return IsBoxed() ? &FBox->Value : nullptr; }
    // The same for writing in place: the box is copied first when another value shares it.
    Variant* MutableBoxed();
    // The compact array the value holds, nullptr for any other kind; MutableArray copies it
    // first when another value shares it.
    const TvsCompactArray* Array() const noexcept;
    inline TvsCompactArray* MutableArray();

    // The count of holders of a shared payload (a box or an array); 0 for an inline kind.
    Integer ShareCount() const noexcept { return IsShared() ? FShared->Refs : 0; }

    // What every shared payload starts with: the count of its holders.
    struct TShared {
        Integer Refs = 1;
    };

private:
    struct TBox : TShared {
        explicit TBox(Variant V) : Value(std::move(V)) {}
        Variant Value;
    };
    // The tags of the shared kinds: a boxed value (its kind is that of the Variant in the box)
    // and a compact array.
    static constexpr TVarType kArray = 0xFFFE;
    static constexpr TVarType kBoxed = 0xFFFF;

    TvsValue(TVarType Type, Int64 Payload) noexcept : FInt(Payload), FType(Type) {}
    bool IsBoxed() const noexcept { return FType == kBoxed; }
    bool IsShared() const noexcept { return FType >= kArray; }
    void Assign(const Variant& V);
    void Assign(Variant&& V);
    Variant SlowVariant() const;
    Variant TakeVariant();
    [[gnu::noinline]] void Release() noexcept;
    [[gnu::noinline]] void UnshareArray();

    union {
        Int64 FInt;
        double FFloat;
        TBox* FBox;
        TvsCompactArray* FArray;
        TShared* FShared;
    };
    TVarType FType;
};
static_assert(sizeof(TvsValue) == 16, "the compact value is two machine words");

// A variant array of Variant elements (one to three dimensions, the first index varying fastest)
// kept as compact values: 16 bytes an element.
class TvsCompactArray : public TvsValue::TShared {
public:
    std::vector<int> Low;  // per dimension
    std::vector<int> High; // per dimension
    std::vector<TvsValue> Items;

    Integer DimCount() const { return static_cast<Integer>(Low.size()); }
    // The element at the indexes of every dimension; nullptr when their count or one of them is
    // out of bounds (the variant array then gives its error).
    TvsValue* At(const int* Indexes, Integer Count);
    // The element of a one-dimensional array at Index; nullptr out of bounds.
    TvsValue* At1(Int64 Index) {
        const Int64 offset = Index - Low[0];
        if (offset < 0 || offset >= static_cast<Int64>(Items.size())) return nullptr;
        return &Items[static_cast<size_t>(offset)];
    }
    // The array as a variant array of varVariant elements.
    Variant ToVariant() const;
};

inline const TvsCompactArray* TvsValue::Array() const noexcept {
    return FType == kArray ? FArray : nullptr;
}

inline TvsCompactArray* TvsValue::MutableArray() {
    if (FType != kArray) return nullptr;
    if (FArray->Refs > 1) UnshareArray();
    return FArray;
}

// The compact value of a stored Variant; an integer or Empty (a Result before it is set) without
// the general conversion.
inline TvsValue vsCompactOf(const Variant& V) {
    if (V.VType() == varInteger) return TvsValue::OfInteger(static_cast<Integer>(vsIntOf(V)));
    if (V.VType() == varEmpty) return TvsValue();
    return TvsValue(V);
}
// The value as a 32-bit integer by the Variant conversion; an integer without it.
inline Integer vsAsInteger(const TvsValue& value) {
    if (value.IsInteger()) return static_cast<Integer>(value.IntPayload());
    return value.ToVariant().AsInteger();
}
// The Variant of a compact value, read in place when the value keeps one (a string, an array),
// else built in Temp.
inline const Variant& vsVariantOf(const TvsValue& V, Variant& Temp) {
    if (const Variant* boxed = V.Boxed()) return *boxed;
    Temp = V.ToVariant();
    return Temp;
}

// The values saved for recursive calls of script procedures, last in first out. Slots above the
// top are kept (Empty) for the next call, so saving and restoring a frame moves values only.
class TvsFrameStack {
public:
    // Room for count more values at the top; the first of them.
    TvsValue* Reserve(size_t count) {
        if (FTop + count > FSlots.size()) FSlots.resize(FTop + count + 64);
        return FSlots.data() + FTop;
    }
    // The top moves up by count (after Reserve), its mark before that is returned; PopTo moves
    // it back down to a mark, the slots given up must have been emptied (moved from).
    size_t Push(size_t count) {
        const size_t mark = FTop;
        FTop += count;
        return mark;
    }
    TvsValue* At(size_t mark) { return FSlots.data() + mark; }
    void PopTo(size_t mark) { FTop = mark; }

private:
    std::vector<TvsValue> FSlots;
    size_t FTop = 0;
};
