#include "rtl/Variant.h"

#include "rtl/Format.h"
#include "rtl/VariantInternal.h"

Variant Null() {
    return Variant(varNull, std::monostate{});
}

Variant Unassigned() {
    return Variant();
}

Variant VarFromDateTime(TDateTime value) {
    return Variant(varDate, value);
}

Variant VarAsError(Integer code) {
    return Variant(varError, Int64(code));
}

void VarClear(Variant& v) {
    v = Variant();
}

TVarType VarType(const Variant& v) {
    return v.VType();
}

bool VarIsEmpty(const Variant& v) {
    return v.VType() == varEmpty;
}

bool VarIsNull(const Variant& v) {
    return v.VType() == varNull;
}

bool VarIsClear(const Variant& v) {
    if (v.VType() == varEmpty) return true;
    if (v.VType() == varDispatch || v.VType() == varUnknown) return !TVariantAccess::Dispatch(v);
    return false;
}

bool VarTypeIsInteger(TVarType type) {
    switch (type) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return true;
    default:
        return false;
    }
}

bool VarTypeIsOrdinal(TVarType type) {
    return VarTypeIsInteger(type) || type == varBoolean;
}

bool VarIsOrdinal(const Variant& v) {
    return VarTypeIsOrdinal(v.VType());
}

bool VarIsFloat(const Variant& v) {
    return v.VType() == varSingle || v.VType() == varDouble || v.VType() == varCurrency;
}

bool VarIsNumeric(const Variant& v) {
    return VarIsOrdinal(v) || VarIsFloat(v);
}

bool VarIsStr(const Variant& v) {
    return v.VType() == varString || v.VType() == varOleStr;
}

bool VarIsArray(const Variant& v) {
    return (v.VType() & varArray) != 0;
}

String VarTypeAsText(TVarType type) {
    static const char* const names[] = {"Empty",    "Null",     "Smallint", "Integer",  "Single",   "Double",
                                        "Currency", "Date",     "OleStr",   "Dispatch", "Error",    "Boolean",
                                        "Variant",  "Unknown",  "Decimal",  "$000F",    "ShortInt", "Byte",
                                        "Word",     "LongWord", "Int64"};
    const TVarType base = type & varTypeMask;
    String text;
    if (base <= varInt64)
        text = names[base];
    else if (base == varString)
        text = "String";
    else if (base == 0x0101)
        text = "Any";
    else
        text = "$" + IntToHex(base, 4);
    if (type & varArray) text = "Array " + text;
    if (type & varByRef) text = "ByRef " + text;
    return text;
}

// ---- Errors ---------------------------------------------------------------------------------------

void VarCastError(TVarType from, TVarType to) {
    throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(from) +
                                ") into type (" + VarTypeAsText(to) + ")");
}

void VarOverflowError(TVarType from, TVarType to) {
    throw EVariantOverflowError("Overflow while converting variant of type (" + VarTypeAsText(from) +
                                ") into type (" + VarTypeAsText(to) + ")");
}

void VarInvalidOp() {
    throw EVariantInvalidOpError("Invalid variant operation");
}

void VarBadIndexError() {
    throw EVariantBadIndexError("Variant or safe array index out of bounds");
}

void VarNotArrayError() {
    throw EVariantNotAnArrayError("Variant is not an array");
}

void VarArrayCreateError() {
    throw EVariantArrayCreateError("Error creating variant or safe array");
}

void VarInvalidArgError() {
    throw EVariantInvalidArgError("Invalid argument");
}

void VarBadTypeError() {
    throw EVariantBadVarTypeError("Invalid variant type");
}
