// TSet<E>: a set of the values of an enumeration whose values lie in 0..63, kept as a bit mask in
// which bit n stands for the value n. Published set properties use it; the reflection facility
// reads and writes it as that mask and as the text "[a,b]".
#pragma once

#include "rtl/Types.h"

#include <initializer_list>
#include <type_traits>

template <class E> class TSet {
    static_assert(std::is_enum_v<E>, "TSet takes an enumeration");

public:
    using EnumType = E;

    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values)
            FBits |= Bit(v);
    }
    static constexpr TSet FromBits(UInt64 bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr UInt64 Bits() const { return FBits; }

    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E v) {
        FBits |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v) {
        FBits &= ~Bit(v);
        return *this;
    }
    // s << v includes v, s >> v excludes it.
    constexpr TSet& operator<<(E v) { return Include(v); }
    constexpr TSet& operator>>(E v) { return Exclude(v); }

    friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.FBits | b.FBits); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.FBits & ~b.FBits); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.FBits & b.FBits); }
    friend constexpr bool operator==(TSet a, TSet b) = default;

private:
    static constexpr UInt64 Bit(E v) { return UInt64(1) << static_cast<unsigned>(v); }
    UInt64 FBits = 0;
};
