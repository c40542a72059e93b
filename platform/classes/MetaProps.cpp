#include "classes/MetaProps.h"

#include "classes/ObjectHandles.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <limits>

using meta::TPropInfo;
using meta::TPropKind;

namespace {

[[noreturn]] void UnknownProperty(const String& name) {
    throw EPropertyError("Property " + name + " does not exist");
}

[[noreturn]] void InvalidType(const TPropInfo& prop) {
    throw EPropertyError("Invalid property type: " + prop.TypeName);
}

[[noreturn]] void ReadOnly(const TPropInfo& prop) {
    throw EPropertyError("Property " + prop.Name + " is read-only");
}

// The object the accessors of prop may be called on.
TObject& Target(const TObject* obj, const TPropInfo& prop) {
    if (!obj || (prop.Accepts && !prop.Accepts(*obj))) UnknownProperty(prop.Name);
    return const_cast<TObject&>(*obj);
}

// Resolves a name or a dotted path to the property and the object holding it.
const TPropInfo& Resolve(const TObject* obj, const String& name, TObject*& holder) {
    const TPropInfo* prop = FindPropPath(obj, name, holder);
    if (!prop) UnknownProperty(name);
    return *prop;
}

bool IsDateType(const TPropInfo& prop) {
    return SameText(prop.TypeName, "TDateTime") || SameText(prop.TypeName, "TDate") ||
           SameText(prop.TypeName, "TTime");
}

Int64 OrdOf(const TObject* obj, const TPropInfo& prop) {
    if (!IsOrdinalKind(prop.Kind) && prop.Kind != TPropKind::Int64) InvalidType(prop);
    return prop.GetOrd(Target(obj, prop));
}

void SetOrd(TObject* obj, const TPropInfo& prop, Int64 value) {
    if (!IsOrdinalKind(prop.Kind) && prop.Kind != TPropKind::Int64) InvalidType(prop);
    if (!prop.SetOrd) ReadOnly(prop);
    prop.SetOrd(Target(obj, prop), value);
}

bool IsDefault(const TObject* obj, const TPropInfo& prop, int depth);

bool AllDefault(const TObject* obj, int depth) {
    // Sub-objects that refer back up the tree end the walk.
    if (depth > 16) return false;
    for (const TPropInfo* p : GetPropList(obj))
        if (IsStoredProp(obj, *p) && !IsDefault(obj, *p, depth + 1)) return false;
    return true;
}

bool IsDefault(const TObject* obj, const TPropInfo& prop, int depth) {
    TObject& o = Target(obj, prop);
    switch (prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::Char:
    case TPropKind::Enumeration:
    case TPropKind::Set:
    case TPropKind::Boolean:
        return prop.HasDefault && prop.GetOrd(o) == prop.Default;
    case TPropKind::Int64:
        return prop.GetOrd(o) == (prop.HasDefault ? prop.Default : 0);
    case TPropKind::Float:
        return prop.GetFloat(o) == 0;
    case TPropKind::String:
        return prop.GetStr(o).empty();
    case TPropKind::WideString:
        return prop.GetWideStr(o).empty();
    case TPropKind::Variant:
        return VarIsClear(prop.GetVariant(o));
    case TPropKind::Method:
        return !prop.MethodAssigned(o);
    case TPropKind::Component:
        return prop.GetObject(o) == nullptr;
    case TPropKind::Strings: {
        auto* list = static_cast<TStrings*>(prop.GetObject(o));
        return list == nullptr || list->Count() == 0;
    }
    case TPropKind::Object: {
        TObject* sub = prop.GetObject(o);
        return sub == nullptr || AllDefault(sub, depth);
    }
    }
    return false;
}

} // namespace

// ---- Lists and lookup --------------------------------------------------------------------------

const TPropList& GetPropList(const TObject* obj) {
    return obj ? meta::ClassInfoOf(*obj).Properties() : meta::TObjectClassInfo().Properties();
}

const TPropList& GetPropList(const meta::TClassInfo& cls) {
    return cls.Properties();
}

const TPropInfo* GetPropInfo(const TObject* obj, const String& name) {
    return obj ? meta::ClassInfoOf(*obj).FindProperty(name) : nullptr;
}

const TPropInfo* GetPropInfo(const meta::TClassInfo& cls, const String& name) {
    return cls.FindProperty(name);
}

bool IsPublishedProp(const TObject* obj, const String& name) {
    return GetPropInfo(obj, name) != nullptr;
}

const TPropInfo* FindPropPath(const TObject* obj, const String& path, TObject*& holder) {
    holder = nullptr;
    TObject* current = const_cast<TObject*>(obj);
    size_t start = 0;
    while (current) {
        size_t dot = path.find('.', start);
        const TPropInfo* prop =
            GetPropInfo(current, path.substr(start, dot == String::npos ? String::npos : dot - start));
        if (!prop) return nullptr;
        if (dot == String::npos) {
            holder = current;
            return prop;
        }
        if (!IsObjectKind(prop->Kind)) return nullptr;
        current = prop->GetObject(*current);
        start = dot + 1;
    }
    return nullptr;
}

// ---- Variant access ----------------------------------------------------------------------------

Variant GetPropValue(const TObject* obj, const String& name, bool preferStrings) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    return GetPropValue(holder, prop, preferStrings);
}

Variant GetPropValue(const TObject* obj, const TPropInfo& prop, bool preferStrings) {
    TObject& o = Target(obj, prop);
    switch (prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::Char: {
        Int64 v = prop.GetOrd(o);
        if (v >= std::numeric_limits<Integer>::min() && v <= std::numeric_limits<Integer>::max())
            return Variant(static_cast<Integer>(v));
        return Variant(v);
    }
    case TPropKind::Enumeration: {
        Int64 v = prop.GetOrd(o);
        if (preferStrings) return Variant(prop.EnumInfo->NameOf(v));
        return Variant(static_cast<Integer>(v));
    }
    case TPropKind::Set: {
        Int64 v = prop.GetOrd(o);
        if (preferStrings) return Variant(meta::SetToString(*prop.EnumInfo, static_cast<UInt64>(v)));
        return Variant(static_cast<Integer>(v));
    }
    case TPropKind::Boolean:
        return Variant(prop.GetOrd(o) != 0);
    case TPropKind::Int64:
        return Variant(prop.GetOrd(o));
    case TPropKind::Float: {
        Extended v = prop.GetFloat(o);
        if (IsDateType(prop)) return VarFromDateTime(static_cast<TDateTime>(v));
        if (SameText(prop.TypeName, "Currency"))
            return VarAsType(Variant(static_cast<double>(v)), varCurrency);
        return Variant(static_cast<double>(v));
    }
    case TPropKind::String:
        return Variant(prop.GetStr(o));
    case TPropKind::WideString:
        return Variant(prop.GetWideStr(o));
    case TPropKind::Variant:
        return prop.GetVariant(o);
    case TPropKind::Object:
    case TPropKind::Component:
    case TPropKind::Strings:
        return Variant(ObjectToHandle(prop.GetObject(o)));
    case TPropKind::Method:
        break;
    }
    InvalidType(prop);
}

void SetPropValue(TObject* obj, const String& name, const Variant& value) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    SetPropValue(holder, prop, value);
}

void SetPropValue(TObject* obj, const TPropInfo& prop, const Variant& value) {
    TObject& o = Target(obj, prop);
    if (!prop.IsWritable()) {
        if (prop.Kind == TPropKind::Method) InvalidType(prop);
        ReadOnly(prop);
    }
    switch (prop.Kind) {
    case TPropKind::Integer:
    case TPropKind::Int64:
        prop.SetOrd(o, value.AsInt64());
        return;
    case TPropKind::Char:
        if (VarIsStr(value)) {
            String s = value.AsString();
            prop.SetOrd(o, s.empty() ? 0 : static_cast<unsigned char>(s[0]));
        } else {
            prop.SetOrd(o, value.AsInt64());
        }
        return;
    case TPropKind::Enumeration:
        if (VarIsStr(value)) {
            auto v = prop.EnumInfo->ValueOf(Trim(value.AsString()));
            if (!v) throw EPropertyConvertError("Invalid property element: " + value.AsString());
            prop.SetOrd(o, *v);
        } else {
            prop.SetOrd(o, value.AsInt64());
        }
        return;
    case TPropKind::Set:
        if (VarIsStr(value))
            prop.SetOrd(o, static_cast<Int64>(meta::StringToSet(*prop.EnumInfo, value.AsString())));
        else
            prop.SetOrd(o, value.AsInt64());
        return;
    case TPropKind::Boolean:
        prop.SetOrd(o, value.AsBoolean() ? 1 : 0);
        return;
    case TPropKind::Float:
        prop.SetFloat(o, IsDateType(prop) ? value.AsDateTime() : value.AsDouble());
        return;
    case TPropKind::String:
        prop.SetStr(o, value.AsString());
        return;
    case TPropKind::WideString:
        prop.SetWideStr(o, value.AsWideString());
        return;
    case TPropKind::Variant:
        prop.SetVariant(o, value);
        return;
    case TPropKind::Object:
    case TPropKind::Component:
    case TPropKind::Strings:
        prop.SetObject(o,
                       VarIsEmpty(value) || VarIsNull(value) ? nullptr : HandleToObject(value.AsInteger()));
        return;
    case TPropKind::Method:
        break;
    }
    InvalidType(prop);
}

// ---- Typed access ------------------------------------------------------------------------------

String GetStrProp(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    return GetStrProp(holder, Resolve(obj, name, holder));
}

String GetStrProp(const TObject* obj, const TPropInfo& prop) {
    TObject& o = Target(obj, prop);
    if (prop.Kind == TPropKind::String) return prop.GetStr(o);
    if (prop.Kind == TPropKind::WideString) return WideToUtf8(prop.GetWideStr(o));
    InvalidType(prop);
}

void SetStrProp(TObject* obj, const String& name, const String& value) {
    TObject* holder = nullptr;
    SetStrProp(holder, Resolve(obj, name, holder), value);
}

void SetStrProp(TObject* obj, const TPropInfo& prop, const String& value) {
    TObject& o = Target(obj, prop);
    if (prop.Kind == TPropKind::String) {
        if (!prop.SetStr) ReadOnly(prop);
        prop.SetStr(o, value);
    } else if (prop.Kind == TPropKind::WideString) {
        if (!prop.SetWideStr) ReadOnly(prop);
        prop.SetWideStr(o, Utf8ToWide(value));
    } else {
        InvalidType(prop);
    }
}

WideString GetWideStrProp(const TObject* obj, const TPropInfo& prop) {
    TObject& o = Target(obj, prop);
    if (prop.Kind == TPropKind::WideString) return prop.GetWideStr(o);
    if (prop.Kind == TPropKind::String) return Utf8ToWide(prop.GetStr(o));
    InvalidType(prop);
}

void SetWideStrProp(TObject* obj, const TPropInfo& prop, const WideString& value) {
    TObject& o = Target(obj, prop);
    if (prop.Kind == TPropKind::WideString) {
        if (!prop.SetWideStr) ReadOnly(prop);
        prop.SetWideStr(o, value);
    } else if (prop.Kind == TPropKind::String) {
        if (!prop.SetStr) ReadOnly(prop);
        prop.SetStr(o, WideToUtf8(value));
    } else {
        InvalidType(prop);
    }
}

Int64 GetOrdProp(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    return OrdOf(holder, Resolve(obj, name, holder));
}

Int64 GetOrdProp(const TObject* obj, const TPropInfo& prop) {
    return OrdOf(obj, prop);
}

void SetOrdProp(TObject* obj, const String& name, Int64 value) {
    TObject* holder = nullptr;
    SetOrd(holder, Resolve(obj, name, holder), value);
}

void SetOrdProp(TObject* obj, const TPropInfo& prop, Int64 value) {
    SetOrd(obj, prop, value);
}

String GetEnumProp(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    if (prop.Kind != TPropKind::Enumeration && prop.Kind != TPropKind::Boolean) InvalidType(prop);
    return prop.EnumInfo->NameOf(OrdOf(holder, prop));
}

void SetEnumProp(TObject* obj, const String& name, const String& value) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    if (prop.Kind != TPropKind::Enumeration && prop.Kind != TPropKind::Boolean) InvalidType(prop);
    auto v = prop.EnumInfo->ValueOf(Trim(value));
    if (!v) throw EPropertyConvertError("Invalid property element: " + value);
    SetOrd(holder, prop, *v);
}

String GetSetProp(const TObject* obj, const String& name, bool brackets) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    if (prop.Kind != TPropKind::Set) InvalidType(prop);
    return meta::SetToString(*prop.EnumInfo, static_cast<UInt64>(OrdOf(holder, prop)), brackets);
}

void SetSetProp(TObject* obj, const String& name, const String& value) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    if (prop.Kind != TPropKind::Set) InvalidType(prop);
    SetOrd(holder, prop, static_cast<Int64>(meta::StringToSet(*prop.EnumInfo, value)));
}

Extended GetFloatProp(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    return GetFloatProp(holder, Resolve(obj, name, holder));
}

Extended GetFloatProp(const TObject* obj, const TPropInfo& prop) {
    if (prop.Kind != TPropKind::Float) InvalidType(prop);
    return prop.GetFloat(Target(obj, prop));
}

void SetFloatProp(TObject* obj, const String& name, Extended value) {
    TObject* holder = nullptr;
    SetFloatProp(holder, Resolve(obj, name, holder), value);
}

void SetFloatProp(TObject* obj, const TPropInfo& prop, Extended value) {
    if (prop.Kind != TPropKind::Float) InvalidType(prop);
    if (!prop.SetFloat) ReadOnly(prop);
    prop.SetFloat(Target(obj, prop), value);
}

Int64 GetInt64Prop(const TObject* obj, const String& name) {
    return GetOrdProp(obj, name);
}

void SetInt64Prop(TObject* obj, const String& name, Int64 value) {
    SetOrdProp(obj, name, value);
}

Variant GetVariantProp(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    return GetVariantProp(holder, Resolve(obj, name, holder));
}

Variant GetVariantProp(const TObject* obj, const TPropInfo& prop) {
    if (prop.Kind != TPropKind::Variant) InvalidType(prop);
    return prop.GetVariant(Target(obj, prop));
}

void SetVariantProp(TObject* obj, const String& name, const Variant& value) {
    TObject* holder = nullptr;
    SetVariantProp(holder, Resolve(obj, name, holder), value);
}

void SetVariantProp(TObject* obj, const TPropInfo& prop, const Variant& value) {
    if (prop.Kind != TPropKind::Variant) InvalidType(prop);
    if (!prop.SetVariant) ReadOnly(prop);
    prop.SetVariant(Target(obj, prop), value);
}

TObject* GetObjectProp(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    return GetObjectProp(holder, Resolve(obj, name, holder));
}

TObject* GetObjectProp(const TObject* obj, const TPropInfo& prop) {
    if (!IsObjectKind(prop.Kind)) InvalidType(prop);
    return prop.GetObject(Target(obj, prop));
}

void SetObjectProp(TObject* obj, const String& name, TObject* value) {
    TObject* holder = nullptr;
    SetObjectProp(holder, Resolve(obj, name, holder), value);
}

void SetObjectProp(TObject* obj, const TPropInfo& prop, TObject* value) {
    if (!IsObjectKind(prop.Kind)) InvalidType(prop);
    if (!prop.SetObject) ReadOnly(prop);
    prop.SetObject(Target(obj, prop), value);
}

// ---- Events ------------------------------------------------------------------------------------

meta::TMethodValue GetMethodProp(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    if (prop.Kind != TPropKind::Method) InvalidType(prop);
    return prop.GetMethod(Target(holder, prop));
}

void SetMethodProp(TObject* obj, const String& name, const meta::TMethodValue& handler) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    if (prop.Kind != TPropKind::Method) InvalidType(prop);
    if (!prop.SetMethod) ReadOnly(prop);
    prop.SetMethod(Target(holder, prop), handler);
}

std::vector<String> GetEventNames(const meta::TClassInfo& cls) {
    return cls.EventNames();
}

void ClearEvent(TObject* obj, const String& name) {
    SetMethodProp(obj, name, meta::TMethodValue());
}

bool IsEventAssigned(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    const TPropInfo& prop = Resolve(obj, name, holder);
    if (prop.Kind != TPropKind::Method) InvalidType(prop);
    return prop.MethodAssigned(Target(holder, prop));
}

// ---- Stored and default ------------------------------------------------------------------------

bool IsStoredProp(const TObject* obj, const String& name) {
    TObject* holder = nullptr;
    return IsStoredProp(holder, Resolve(obj, name, holder));
}

bool IsStoredProp(const TObject* obj, const TPropInfo& prop) {
    TObject& o = Target(obj, prop);
    return prop.StoredFunc ? prop.StoredFunc(o) : prop.StoredConst;
}

bool IsDefaultPropValue(const TObject* obj, const TPropInfo& prop) {
    return IsDefault(obj, prop, 0);
}
