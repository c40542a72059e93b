// The compact value: which Variant kinds are held inline and how a value goes to and from a
// Variant.
#include "script/vs_ivalue.h"

#include "rtl/VariantInternal.h"

namespace {

enum class TPayload { None, Integer, Float, Boxed };

// Where a Variant kind keeps its payload in the compact value.
TPayload PayloadOf(TVarType Type) {
    switch (Type) {
    case varEmpty:
    case varNull:
        return TPayload::None;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varBoolean:
    case varCurrency:
    case varError:
        return TPayload::Integer;
    case varSingle:
    case varDouble:
    case varDate:
        return TPayload::Float;
    default:
        return TPayload::Boxed; // strings, dispatch references, arrays
    }
}

} // namespace

void TvsValue::Assign(const Variant& V) {
    FType = V.VType();
    switch (PayloadOf(FType)) {
    case TPayload::None:
        FInt = 0;
        break;
    case TPayload::Integer:
        FInt = TVariantAccess::Int(V);
        break;
    case TPayload::Float:
        FFloat = TVariantAccess::Float(V);
        break;
    case TPayload::Boxed:
        FBox = new TBox{1, V};
        FType = kBoxed;
        break;
    }
}

void TvsValue::Assign(Variant&& V) {
    if (PayloadOf(V.VType()) != TPayload::Boxed) {
        Assign(static_cast<const Variant&>(V));
        return;
    }
    FBox = new TBox{1, std::move(V)};
    FType = kBoxed;
}

Variant TvsValue::SlowVariant() const {
    switch (PayloadOf(FType)) {
    case TPayload::None:
        return FType == varNull ? Null() : Variant();
    case TPayload::Integer:
        return TVariantAccess::Make(FType, FInt);
    case TPayload::Float:
        return TVariantAccess::Make(FType, FFloat);
    case TPayload::Boxed:
        break;
    }
    return FBox->Value;
}

Variant TvsValue::TakeVariant() {
    if (!IsBoxed() || FBox->Refs != 1) return SlowVariant();
    // The only holder gives its Variant away instead of copying it.
    Variant v = std::move(FBox->Value);
    Release();
    FType = varEmpty;
    FInt = 0;
    return v;
}

void TvsValue::Release() noexcept {
    if (--FBox->Refs == 0) delete FBox;
}
