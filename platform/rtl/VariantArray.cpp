// Multi-dimensional variant arrays. The elements are kept in one vector with the first index
// varying fastest, so changing the high bound of the last dimension keeps every element in place.
// Arrays are shared between copies of a Variant until one of them changes (copy on write), which
// gives the platform's copy-on-assign behaviour.
#include "rtl/VariantInternal.h"

namespace {

using VA = TVariantAccess;

bool IsValidElementType(TVarType t) {
    if (VarTypeIsInteger(t)) return true;
    switch (t) {
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
    case varOleStr:
    case varDispatch:
    case varError:
    case varBoolean:
    case varVariant:
    case varUnknown:
        return true;
    default:
        return false;
    }
}

// The value a new element of the type starts with.
Variant ZeroOf(TVarType t) {
    switch (t) {
    case varVariant:
        return Variant();
    case varOleStr:
        return Variant(WideString());
    case varDispatch:
    case varUnknown:
        return VarAsType(Variant(IDispatchPtr()), t);
    case varError:
        return VarAsError(0);
    default:
        return VarAsType(Variant(0), t);
    }
}

const TVarArrayData& ArrayOf(const Variant& a) {
    if (!VarIsArray(a)) VarNotArrayError();
    return *VA::Array(a);
}

size_t Offset(const TVarArrayData& d, const std::vector<int>& indices) {
    if (indices.size() != d.Low.size()) VarBadIndexError();
    size_t offset = 0, stride = 1;
    for (size_t k = 0; k < indices.size(); ++k) {
        if (indices[k] < d.Low[k] || indices[k] > d.High[k]) VarBadIndexError();
        offset += static_cast<size_t>(indices[k] - d.Low[k]) * stride;
        stride *= static_cast<size_t>(d.High[k] - d.Low[k] + 1);
    }
    return offset;
}

} // namespace

TVarArrayData& TVariantAccess::MutableArray(Variant& a) {
    if (!VarIsArray(a)) VarNotArrayError();
    auto& p = std::get<std::shared_ptr<TVarArrayData>>(a.FData);
    if (p.use_count() > 1) p = std::make_shared<TVarArrayData>(*p);
    return *p;
}

Variant VarArrayCreate(const std::vector<int>& bounds, TVarType elemType) {
    if (bounds.empty() || bounds.size() % 2 != 0 || !IsValidElementType(elemType)) VarArrayCreateError();
    auto data = std::make_shared<TVarArrayData>();
    data->ElemType = elemType;
    size_t count = 1;
    for (size_t k = 0; k < bounds.size(); k += 2) {
        const Int64 length = Int64(bounds[k + 1]) - bounds[k] + 1;
        if (length < 0) VarArrayCreateError();
        data->Low.push_back(bounds[k]);
        data->High.push_back(bounds[k + 1]);
        count *= static_cast<size_t>(length);
    }
    data->Items.assign(count, ZeroOf(elemType));
    return Variant(TVarType(varArray | elemType), std::move(data));
}

Variant VarArrayOf(const std::vector<Variant>& values) {
    Variant a = VarArrayCreate({0, static_cast<int>(values.size()) - 1}, varVariant);
    VA::MutableArray(a).Items = values;
    return a;
}

int VarArrayDimCount(const Variant& a) {
    return VarIsArray(a) ? static_cast<int>(VA::Array(a)->Low.size()) : 0;
}

int VarArrayLowBound(const Variant& a, int dim) {
    const TVarArrayData& d = ArrayOf(a);
    if (dim < 1 || dim > static_cast<int>(d.Low.size())) VarBadIndexError();
    return d.Low[dim - 1];
}

int VarArrayHighBound(const Variant& a, int dim) {
    const TVarArrayData& d = ArrayOf(a);
    if (dim < 1 || dim > static_cast<int>(d.High.size())) VarBadIndexError();
    return d.High[dim - 1];
}

void VarArrayRedim(Variant& a, int highBound) {
    ArrayOf(a);
    TVarArrayData& d = VA::MutableArray(a);
    const size_t last = d.Low.size() - 1;
    if (Int64(highBound) < Int64(d.Low[last]) - 1) VarInvalidArgError();
    size_t slice = 1; // elements per step of the last index
    for (size_t k = 0; k < last; ++k)
        slice *= static_cast<size_t>(d.High[k] - d.Low[k] + 1);
    d.High[last] = highBound;
    d.Items.resize(slice * static_cast<size_t>(highBound - d.Low[last] + 1), ZeroOf(d.ElemType));
}

Variant VarArrayGet(const Variant& a, const std::vector<int>& indices) {
    const TVarArrayData& d = ArrayOf(a);
    return d.Items[Offset(d, indices)];
}

void VarArrayPut(Variant& a, const Variant& value, const std::vector<int>& indices) {
    const TVarArrayData& shared = ArrayOf(a);
    const size_t offset = Offset(shared, indices);
    // Convert before detaching: a failed conversion leaves the array as it was.
    Variant element = shared.ElemType == varVariant ? value : VarAsType(value, shared.ElemType);
    VA::MutableArray(a).Items[offset] = std::move(element);
}
