#include "classes/Meta.h"

#include "classes/Collection.h"
#include "classes/Component.h"
#include "classes/MetaBuilder.h"
#include "rtl/StrUtils.h"

namespace meta {

String KindName(TPropKind kind) {
    switch (kind) {
    case TPropKind::Integer:
        return "Integer";
    case TPropKind::Char:
        return "Char";
    case TPropKind::Enumeration:
        return "Enumeration";
    case TPropKind::Set:
        return "Set";
    case TPropKind::Float:
        return "Float";
    case TPropKind::String:
        return "String";
    case TPropKind::WideString:
        return "WideString";
    case TPropKind::Boolean:
        return "Boolean";
    case TPropKind::Object:
        return "Object";
    case TPropKind::Component:
        return "Component";
    case TPropKind::Strings:
        return "Strings";
    case TPropKind::Method:
        return "Method";
    case TPropKind::Variant:
        return "Variant";
    case TPropKind::Int64:
        return "Int64";
    }
    return "Unknown";
}

// ---- Enumerations and sets ---------------------------------------------------------------------

TEnumInfo::TEnumInfo(String typeName, std::vector<TValue> values)
    : FTypeName(std::move(typeName)), FValues(std::move(values)) {}

TEnumInfo::TEnumInfo(String typeName, const char* spelledNames, std::vector<Int64> values)
    : FTypeName(std::move(typeName)) {
    // "A, B, C" or "E::A, E::B": split at commas, trim, drop qualifications.
    std::vector<String> names;
    String current;
    for (const char* p = spelledNames;; ++p) {
        if (*p == ',' || *p == '\0') {
            String name = Trim(current);
            auto colon = name.rfind("::");
            if (colon != String::npos) name = name.substr(colon + 2);
            names.push_back(name);
            current.clear();
            if (*p == '\0') break;
        } else {
            current += *p;
        }
    }
    for (size_t i = 0; i < values.size() && i < names.size(); ++i)
        FValues.push_back({names[i], values[i]});
}

String TEnumInfo::NameOf(Int64 value) const {
    for (const auto& v : FValues)
        if (v.Value == value) return v.Name;
    return String();
}

std::optional<Int64> TEnumInfo::ValueOf(const String& name) const {
    for (const auto& v : FValues)
        if (SameText(v.Name, name)) return v.Value;
    return std::nullopt;
}

bool TEnumInfo::Contains(Int64 value) const {
    for (const auto& v : FValues)
        if (v.Value == value) return true;
    return false;
}

const TEnumInfo& BooleanEnumInfo() {
    static const TEnumInfo info("Boolean", {{"False", 0}, {"True", 1}});
    return info;
}

String SetToString(const TEnumInfo& info, UInt64 bits, bool brackets) {
    String result;
    for (const auto& v : info.Values()) {
        if (v.Value < 0 || v.Value > 63 || (bits & (UInt64(1) << v.Value)) == 0) continue;
        if (!result.empty()) result += ',';
        result += v.Name;
    }
    return brackets ? "[" + result + "]" : result;
}

UInt64 StringToSet(const TEnumInfo& info, const String& text) {
    String s = Trim(text);
    if (!s.empty() && s.front() == '[') s.erase(0, 1);
    if (!s.empty() && s.back() == ']') s.pop_back();
    UInt64 bits = 0;
    size_t start = 0;
    while (start <= s.size()) {
        size_t comma = s.find(',', start);
        if (comma == String::npos) comma = s.size();
        String name = Trim(s.substr(start, comma - start));
        if (!name.empty()) {
            auto value = info.ValueOf(name);
            if (!value || *value < 0 || *value > 63)
                throw EPropertyConvertError("Invalid property element: " + name);
            bits |= UInt64(1) << *value;
        }
        start = comma + 1;
    }
    return bits;
}

// ---- Properties --------------------------------------------------------------------------------

bool TPropInfo::IsWritable() const {
    switch (Kind) {
    case TPropKind::Float:
        return static_cast<bool>(SetFloat);
    case TPropKind::String:
        return static_cast<bool>(SetStr);
    case TPropKind::WideString:
        return static_cast<bool>(SetWideStr);
    case TPropKind::Object:
    case TPropKind::Component:
    case TPropKind::Strings:
        return static_cast<bool>(SetObject);
    case TPropKind::Variant:
        return static_cast<bool>(SetVariant);
    case TPropKind::Method:
        return static_cast<bool>(SetMethod);
    default:
        return static_cast<bool>(SetOrd);
    }
}

namespace detail {
void InvalidPropertyValue() {
    throw EPropertyConvertError("Invalid property value");
}
} // namespace detail

// ---- Classes -----------------------------------------------------------------------------------

TClassInfo::TClassInfo(const char* name, const TClassInfo* parent, TFactory factory, TDeclare declare)
    : FName(name), FParent(parent), FFactory(factory) {
    if (FParent) FAll = FParent->FAll;
    if (declare) declare(*this);
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &other) return true;
    return false;
}

bool TClassInfo::InheritsFrom(const String& className) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (SameText(c->FName, className)) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(const String& name) const {
    for (const TPropInfo* p : FAll)
        if (SameText(p->Name, name)) return p;
    return nullptr;
}

std::vector<String> TClassInfo::EventNames() const {
    std::vector<String> names;
    for (const TPropInfo* p : FAll)
        if (p->Kind == TPropKind::Method) names.push_back(p->Name);
    return names;
}

TPropInfo& TClassInfo::AddProperty(std::unique_ptr<TPropInfo> prop) {
    TPropInfo& added = *prop;
    for (auto& own : FOwn)
        if (SameText(own->Name, prop->Name)) {
            // Declared twice by this class: the later declaration wins, in the same place.
            for (auto& entry : FAll)
                if (entry == own.get()) entry = &added;
            own = std::move(prop);
            return added;
        }
    FOwn.push_back(std::move(prop));
    for (auto& entry : FAll)
        if (SameText(entry->Name, added.Name)) {
            entry = &added; // a base class's property published again keeps its place
            return added;
        }
    FAll.push_back(&added);
    return added;
}

std::unique_ptr<TObject> TClassInfo::CreateInstance() const {
    switch (FFactory.Kind) {
    case TCreateKind::Plain:
        return std::unique_ptr<TObject>(FFactory.CreatePlain());
    case TCreateKind::Component:
        return std::unique_ptr<TObject>(FFactory.CreateComponent(nullptr));
    case TCreateKind::CollectionItem:
        return std::unique_ptr<TObject>(FFactory.CreateItem(nullptr));
    case TCreateKind::None:
        break;
    }
    throw EPropertyError("Cannot create an instance of " + FName);
}

TComponent* TClassInfo::CreateComponent(TComponent* owner) const {
    if (FFactory.Kind != TCreateKind::Component) throw EPropertyError(FName + " is not a component class");
    return FFactory.CreateComponent(owner);
}

TCollectionItem* TClassInfo::CreateItem(TCollection* collection) const {
    if (FFactory.Kind != TCreateKind::CollectionItem)
        throw EPropertyError(FName + " is not a collection item class");
    return FFactory.CreateItem(collection);
}

const TClassInfo& TObjectClassInfo() {
    static const TClassInfo info("TObject", nullptr, TFactory{}, nullptr);
    return info;
}

const TClassInfo& ClassInfoOf(const TObject& obj) {
    const TClassInfo* info = obj.ClassInfo();
    return info ? *info : TObjectClassInfo();
}

} // namespace meta

bool TObject::InheritsFrom(const String& className) const {
    if (const meta::TClassInfo* info = ClassInfo()) return info->InheritsFrom(className);
    return SameText(ClassName(), className) || SameText(className, "TObject");
}
