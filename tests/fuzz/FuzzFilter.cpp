// Filter texts of the grid's filter row: parse the bytes for each kind of column; a text that
// parses on a text column is written back and must read back as the same expression.
#include "FuzzTarget.h"
#include "grid/DBGridGxFilter.h"

#include <cstdlib>
#include <string>

namespace {

String WrittenText(const TSTFilterExpressionGx& E) {
    String text;
    FilterConditionText(E.FirstOp, E.FirstValue, text);
    if (E.Junction != stoNone) {
        text += String(" ") + FilterOperatorDisplayText[E.Junction] + " ";
        FilterConditionText(E.SecondOp, E.SecondValue, text);
    }
    return text;
}

bool SameValue(const Variant& A, const Variant& B) {
    if (VarIsArray(A) || VarIsArray(B)) {
        if (!VarIsArray(A) || !VarIsArray(B)) return false;
        const int n = VarArrayHighBound(A, 1) - VarArrayLowBound(A, 1);
        if (n != VarArrayHighBound(B, 1) - VarArrayLowBound(B, 1)) return false;
        for (int i = 0; i <= n; ++i)
            if (!SameValue(VarArrayGet(A, {VarArrayLowBound(A, 1) + i}), VarArrayGet(B, {VarArrayLowBound(B, 1) + i})))
                return false;
        return true;
    }
    if (VarIsNull(A) || VarIsNull(B)) return VarIsNull(A) && VarIsNull(B);
    return VarToStr(A) == VarToStr(B);
}

} // namespace

ORV_FUZZ_TARGET(filter) {
    const String text(reinterpret_cast<const char*>(data), size);
    for (TSTExpressionTypeGx kind : {stetNumber, stetDateTime, stetBoolean}) {
        TSTFilterExpressionGx e;
        e.ValueKind = kind;
        try {
            ParseFilterExpression(text, e);
        } catch (const Exception&) {
        }
    }
    TSTFilterExpressionGx a, b;
    a.ValueKind = b.ValueKind = stetString;
    ParseFilterExpression(text, a); // a syntax error ends the run here
    if (a.FirstOp == stoNone) return;
    const String written = WrittenText(a);
    ParseFilterExpression(written, b); // what was written must read back
    if (a.FirstOp != b.FirstOp || a.Junction != b.Junction || a.SecondOp != b.SecondOp ||
        !SameValue(a.FirstValue, b.FirstValue) || !SameValue(a.SecondValue, b.SecondValue))
        std::abort();
}
