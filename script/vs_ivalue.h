// Reading and writing the payload of variants the interpreter already knows the kind of, without
// the checked conversions or the general copy (the fast paths of integer arithmetic, comparisons
// and loop counters).
#pragma once

#include "rtl/Variant.h"

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
