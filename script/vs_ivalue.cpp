// The compact value: which Variant kinds are held inline and how a value goes to and from a
// Variant.
#include "script/vs_ivalue.h"

#include "rtl/VariantInternal.h"

namespace {

enum class TPayload { None, Integer, Float, Boxed };

// Where a Variant kind keeps its payload in the compact value.
TPayload PayloadOf(TVarType Type) {
    // Every integer kind, boolean, currency and error codes keep an Int64 in the Variant; single,
    // double and date a double.
    if (VarTypeIsOrdinal(Type) || Type == varCurrency || Type == varError) return TPayload::Integer;
    switch (Type) {
    case varEmpty:
    case varNull:
        return TPayload::None;
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
        FBox = new TBox(V);
        FType = kBoxed;
        break;
    }
}

void TvsValue::Assign(Variant&& V) {
    if (PayloadOf(V.VType()) != TPayload::Boxed) {
        Assign(static_cast<const Variant&>(V));
        return;
    }
    FBox = new TBox(std::move(V));
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
    if (FType == kArray) return FArray->ToVariant();
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
    if (--FShared->Refs != 0) return;
    if (FType == kArray)
        delete FArray;
    else
        delete FBox;
}

TvsValue TvsValue::ArrayOf(const Variant& V) {
    TvsValue result;
    if (!VarIsArray(V)) return result;
    const TVarArrayData& data = *TVariantAccess::Array(V);
    if (data.ElemType != varVariant || data.Low.empty() || data.Low.size() > 3) return result;
    auto* array = new TvsCompactArray();
    array->Low = data.Low;
    array->High = data.High;
    array->Items.reserve(data.Items.size());
    for (const Variant& item : data.Items)
        array->Items.push_back(vsCompactOf(item));
    result.FArray = array;
    result.FType = kArray;
    return result;
}

Variant* TvsValue::MutableBoxed() {
    if (!IsBoxed()) return nullptr;
    if (FBox->Refs > 1) {
        // Another holder keeps the value as it is.
        auto* copy = new TBox(FBox->Value);
        --FBox->Refs;
        FBox = copy;
    }
    return &FBox->Value;
}

void TvsValue::UnshareArray() {
    // Another holder keeps the elements as they are.
    auto* copy = new TvsCompactArray(*FArray);
    copy->Refs = 1;
    --FArray->Refs;
    FArray = copy;
}

// --- TvsCompactArray -------------------------------------------------------------------------------

TvsValue* TvsCompactArray::At(const int* Indexes, Integer Count) {
    if (Count != DimCount()) return nullptr;
    size_t offset = 0, stride = 1;
    for (size_t k = 0; k < Low.size(); ++k) {
        if (Indexes[k] < Low[k] || Indexes[k] > High[k]) return nullptr;
        offset += static_cast<size_t>(Indexes[k] - Low[k]) * stride;
        stride *= static_cast<size_t>(High[k] - Low[k] + 1);
    }
    return &Items[offset];
}

Variant TvsCompactArray::ToVariant() const {
    std::vector<int> bounds;
    for (size_t k = 0; k < Low.size(); ++k) {
        bounds.push_back(Low[k]);
        bounds.push_back(High[k]);
    }
    Variant v = VarArrayCreate(bounds, varVariant);
    TVarArrayData& data = TVariantAccess::MutableArray(v);
    for (size_t k = 0; k < Items.size(); ++k)
        data.Items[k] = Items[k].ToVariant();
    return v;
}
