// Declaring published properties: meta::Class<T>, the builder a class's DeclareMeta receives, and
// ORV_META_IMPL, which defines the class record. Include it only in the source file of a class.
//
//   ORV_META_IMPL(TMyThing)
//   void TMyThing::DeclareMeta(meta::Class<TMyThing>& c) {
//       c.Property("Align", &TMyThing::GetAlign, &TMyThing::SetAlign).Default(alNone);
//       c.Property("Font", &TMyThing::GetFont, &TMyThing::SetFont);        // sub-object
//       c.Property("Color", &TMyThing::GetColor, &TMyThing::SetColor).TypeName("TColor").Default(0);
//       c.Property("Tag", &TMyThing::FTag, &TMyThing::FTag).Default(0);     // a field, read and written
//       c.Property("Count", &TMyThing::Count);                              // read-only
//       c.Property("Font2", &TMyThing::GetFont2, &TMyThing::SetFont2).Stored(&TMyThing::IsFont2Stored);
//       c.Event("OnClick", &TMyThing::OnClick);                             // std::function member
//       c.Event("OnKey", &TMyThing::OnKey, "TKeyEvent");
//       c.Redeclare("Visible").Default(false);   // a base-class property with another default
//   }
//
// The kind of a property follows from its C++ type: bool Boolean, char Char, an enumeration
// named with ORV_ENUM Enumeration, TSet<E> Set, other integers Integer (64-bit ones Int64),
// floating point and Currency Float, String, WideString, Variant, std::function Method, a pointer
// to a TComponent Component, to a TStrings Strings, to any other object Object. The type name
// follows from the type too (ORV_ENUM/ORV_SET names, "Integer", "Double", the pointee's class
// name, "TNotifyEvent" for std::function<void(TObject*)>); give it with TypeName() where the C++
// type does not tell it: "TColor", "TDateTime", and every event of another type ("TKeyEvent").
#pragma once

#include "classes/Meta.h"
#include "classes/Set.h"
#include "rtl/Events.h"

#include <limits>
#include <type_traits>

namespace meta {

namespace detail {

template <class V> struct IsTSet : std::false_type {};
template <class E> struct IsTSet<TSet<E>> : std::true_type {};

template <class V> struct IsStdFunction : std::false_type {};
template <class R, class... A> struct IsStdFunction<std::function<R(A...)>> : std::true_type {};

template <class P>
concept HasMetaName = requires {
    P::MetaClassName();
};

template <class V> constexpr bool dependentFalse = false;

template <class V> constexpr TPropKind KindOf() {
    if constexpr (std::is_same_v<V, bool>)
        return TPropKind::Boolean;
    else if constexpr (std::is_same_v<V, char>)
        return TPropKind::Char;
    else if constexpr (std::is_enum_v<V>)
        return TPropKind::Enumeration;
    else if constexpr (IsTSet<V>::value)
        return TPropKind::Set;
    else if constexpr (std::is_integral_v<V>)
        return sizeof(V) == 8 ? TPropKind::Int64 : TPropKind::Integer;
    else if constexpr (std::is_floating_point_v<V> || std::is_same_v<V, Currency>)
        return TPropKind::Float;
    else if constexpr (std::is_same_v<V, String>)
        return TPropKind::String;
    else if constexpr (std::is_same_v<V, WideString>)
        return TPropKind::WideString;
    else if constexpr (std::is_same_v<V, Variant>)
        return TPropKind::Variant;
    else if constexpr (IsStdFunction<V>::value)
        return TPropKind::Method;
    else if constexpr (std::is_pointer_v<V> &&
                       std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<V>>>) {
        using P = std::remove_cv_t<std::remove_pointer_t<V>>;
        if constexpr (std::is_base_of_v<TComponent, P>)
            return TPropKind::Component;
        else if constexpr (std::is_base_of_v<TStrings, P>)
            return TPropKind::Strings;
        else
            return TPropKind::Object;
    } else {
        static_assert(dependentFalse<V>, "this type cannot be a published property");
        return TPropKind::Integer;
    }
}

template <class E> const TEnumInfo& EnumInfoOf() {
    return OrvEnumInfo(static_cast<E*>(nullptr)); // declared with ORV_ENUM next to the enumeration
}

template <class V> String TypeNameOf() {
    if constexpr (std::is_same_v<V, bool>)
        return "Boolean";
    else if constexpr (std::is_same_v<V, char>)
        return "Char";
    else if constexpr (std::is_enum_v<V>)
        return EnumInfoOf<V>().TypeName();
    else if constexpr (IsTSet<V>::value) {
        if constexpr (requires { OrvSetTypeName(static_cast<V*>(nullptr)); })
            return OrvSetTypeName(static_cast<V*>(nullptr));
        else
            return "set of " + EnumInfoOf<typename V::EnumType>().TypeName();
    } else if constexpr (std::is_integral_v<V>) {
        if constexpr (sizeof(V) == 1) return std::is_signed_v<V> ? "ShortInt" : "Byte";
        if constexpr (sizeof(V) == 2) return std::is_signed_v<V> ? "SmallInt" : "Word";
        if constexpr (sizeof(V) == 4) return std::is_signed_v<V> ? "Integer" : "Cardinal";
        return std::is_signed_v<V> ? "Int64" : "UInt64";
    } else if constexpr (std::is_same_v<V, float>)
        return "Single";
    else if constexpr (std::is_same_v<V, double>)
        return "Double";
    else if constexpr (std::is_same_v<V, long double>)
        return "Extended";
    else if constexpr (std::is_same_v<V, Currency>)
        return "Currency";
    else if constexpr (std::is_same_v<V, String>)
        return "String";
    else if constexpr (std::is_same_v<V, WideString>)
        return "WideString";
    else if constexpr (std::is_same_v<V, Variant>)
        return "Variant";
    else if constexpr (IsStdFunction<V>::value)
        return std::is_same_v<V, TNotifyEvent> ? "TNotifyEvent" : "TMethod";
    else {
        using P = std::remove_cv_t<std::remove_pointer_t<V>>;
        if constexpr (HasMetaName<P>)
            return P::MetaClassName();
        else if constexpr (std::is_base_of_v<TStrings, P>)
            return "TStrings";
        else
            return "TObject";
    }
}

// Raises EPropertyConvertError "Invalid property value".
[[noreturn]] void InvalidPropertyValue();

template <class V> Int64 ToOrd(const V& v) {
    if constexpr (std::is_same_v<V, bool>)
        return v ? 1 : 0;
    else if constexpr (std::is_same_v<V, char>)
        return static_cast<unsigned char>(v);
    else if constexpr (IsTSet<V>::value)
        return static_cast<Int64>(v.Bits());
    else
        return static_cast<Int64>(v);
}

// The ordinal value as V; values outside the type (an enumeration value it lacks, set bits of no
// value, an integer that does not fit) raise instead of being stored.
template <class V> V FromOrd(Int64 x, const TPropInfo& p) {
    if constexpr (std::is_same_v<V, bool>)
        return x != 0;
    else if constexpr (std::is_same_v<V, char>) {
        if (x < 0 || x > 255) InvalidPropertyValue();
        return static_cast<char>(static_cast<unsigned char>(x));
    } else if constexpr (std::is_enum_v<V>) {
        if (!p.EnumInfo->Contains(x)) InvalidPropertyValue();
        return static_cast<V>(x);
    } else if constexpr (IsTSet<V>::value) {
        UInt64 valid = 0;
        for (const auto& e : p.EnumInfo->Values())
            valid |= UInt64(1) << e.Value;
        if ((static_cast<UInt64>(x) & ~valid) != 0) InvalidPropertyValue();
        return V::FromBits(static_cast<UInt64>(x));
    } else if constexpr (sizeof(V) == 8) {
        return static_cast<V>(x);
    } else {
        if (x < static_cast<Int64>(std::numeric_limits<V>::min()) ||
            x > static_cast<Int64>(std::numeric_limits<V>::max()))
            InvalidPropertyValue();
        return static_cast<V>(x);
    }
}

template <class V> Extended ToFloat(const V& v) {
    if constexpr (std::is_same_v<V, Currency>)
        return v.ToDouble();
    else
        return static_cast<Extended>(v);
}

template <class V> V FromFloat(Extended x) {
    if constexpr (std::is_same_v<V, Currency>)
        return Variant(static_cast<double>(x)).AsCurrency(); // the runtime's float-to-currency rule
    else
        return static_cast<V>(x);
}

// Reads the value through a getter: a member function, a data member or a callable taking T&.
template <class T, class G> decltype(auto) Read(G getter, TObject& obj) {
    return std::invoke(getter, static_cast<T&>(obj));
}

template <class T, class S, class V> void Write(S setter, TObject& obj, V&& value) {
    if constexpr (std::is_member_object_pointer_v<S>)
        std::invoke(setter, static_cast<T&>(obj)) = std::forward<V>(value);
    else
        std::invoke(setter, static_cast<T&>(obj), std::forward<V>(value));
}

template <class T, class V, class G, class S> void Bind(TPropInfo& p, G getter, S setter) {
    constexpr bool writable = !std::is_null_pointer_v<S>;
    constexpr TPropKind kind = KindOf<V>();
    if constexpr (IsOrdinalKind(kind) || kind == TPropKind::Int64) {
        p.GetOrd = [getter](TObject& o) -> Int64 { return ToOrd<V>(Read<T>(getter, o)); };
        if constexpr (writable)
            p.SetOrd = [setter, &p](TObject& o, Int64 x) { Write<T>(setter, o, FromOrd<V>(x, p)); };
    } else if constexpr (kind == TPropKind::Float) {
        p.GetFloat = [getter](TObject& o) -> Extended { return ToFloat<V>(Read<T>(getter, o)); };
        if constexpr (writable)
            p.SetFloat = [setter](TObject& o, Extended x) { Write<T>(setter, o, FromFloat<V>(x)); };
    } else if constexpr (kind == TPropKind::String) {
        p.GetStr = [getter](TObject& o) -> String { return Read<T>(getter, o); };
        if constexpr (writable) p.SetStr = [setter](TObject& o, const String& x) { Write<T>(setter, o, x); };
    } else if constexpr (kind == TPropKind::WideString) {
        p.GetWideStr = [getter](TObject& o) -> WideString { return Read<T>(getter, o); };
        if constexpr (writable)
            p.SetWideStr = [setter](TObject& o, const WideString& x) { Write<T>(setter, o, x); };
    } else if constexpr (kind == TPropKind::Variant) {
        p.GetVariant = [getter](TObject& o) -> Variant { return Read<T>(getter, o); };
        if constexpr (writable)
            p.SetVariant = [setter](TObject& o, const Variant& x) { Write<T>(setter, o, x); };
    } else if constexpr (kind == TPropKind::Method) {
        p.GetMethod = [getter](TObject& o) -> TMethodValue {
            V handler = Read<T>(getter, o);
            if (!handler) return {};
            return TMethodValue(std::move(handler));
        };
        p.MethodAssigned = [getter](TObject& o) -> bool { return static_cast<bool>(Read<T>(getter, o)); };
        if constexpr (writable)
            p.SetMethod = [setter, &p](TObject& o, const TMethodValue& x) {
                if (!x.has_value()) {
                    Write<T>(setter, o, V());
                    return;
                }
                const V* handler = std::any_cast<V>(&x);
                if (!handler)
                    throw EPropertyConvertError("Invalid handler type for event " + p.Name + " (" +
                                                p.TypeName + ")");
                Write<T>(setter, o, *handler);
            };
    } else {
        using P = std::remove_cv_t<std::remove_pointer_t<V>>;
        p.GetObject = [getter](TObject& o) -> TObject* { return Read<T>(getter, o); };
        if constexpr (writable)
            p.SetObject = [setter](TObject& o, TObject* x) {
                P* typed = dynamic_cast<P*>(x);
                if (x && !typed) InvalidPropertyValue();
                Write<T>(setter, o, typed);
            };
        if constexpr (requires { P::StaticClassInfo(); }) p.PropClassFn = &P::StaticClassInfo;
    }
}

} // namespace detail

// Adjusts the property just declared.
template <class T> class PropBuilder {
public:
    explicit PropBuilder(TPropInfo& prop) : FProp(prop) {}

    // The default value of an ordinal or Int64 property: an integer, an enumeration value, a
    // TSet, a bool or a char. A property equal to its default is not stored.
    template <class U> PropBuilder& Default(const U& value) {
        if (!IsOrdinalKind(FProp.Kind) && FProp.Kind != TPropKind::Int64)
            throw EPropertyError("Property " + FProp.Name + " cannot have a default value");
        FProp.HasDefault = true;
        FProp.Default = detail::ToOrd<U>(value);
        return *this;
    }
    // Removes an inherited default: the property is always stored.
    PropBuilder& NoDefault() {
        FProp.HasDefault = false;
        FProp.Default = 0;
        return *this;
    }
    PropBuilder& Stored(bool stored) {
        FProp.StoredConst = stored;
        FProp.StoredFunc = nullptr;
        return *this;
    }
    // A stored function: a member function of T returning bool, or a callable taking T&.
    template <class F>
    requires(!std::is_same_v<F, bool>) PropBuilder& Stored(F fn) {
        FProp.StoredConst = true;
        FProp.StoredFunc = [fn](TObject& o) -> bool { return std::invoke(fn, static_cast<T&>(o)); };
        return *this;
    }
    // The declared type name where the C++ type does not tell it ("TColor", "TDateTime", "TKeyEvent").
    PropBuilder& TypeName(const String& name) {
        FProp.TypeName = name;
        return *this;
    }

private:
    TPropInfo& FProp;
};

// The builder DeclareMeta receives.
template <class T> class Class {
public:
    explicit Class(TClassInfo& info) : FInfo(info) {}

    // A published property read through getter and written through setter (nullptr: read-only).
    // Getter and setter are member functions, data members or callables taking T&.
    template <class G, class S = std::nullptr_t>
    PropBuilder<T> Property(const String& name, G getter, S setter = nullptr) {
        using V = std::remove_cvref_t<decltype(std::invoke(getter, std::declval<T&>()))>;
        auto p = std::make_unique<TPropInfo>();
        p->Name = name;
        p->Kind = detail::KindOf<V>();
        p->TypeName = detail::TypeNameOf<V>();
        if constexpr (std::is_same_v<V, bool>)
            p->EnumInfo = &BooleanEnumInfo();
        else if constexpr (std::is_enum_v<V>)
            p->EnumInfo = &detail::EnumInfoOf<V>();
        else if constexpr (detail::IsTSet<V>::value)
            p->EnumInfo = &detail::EnumInfoOf<typename V::EnumType>();
        p->Accepts = [](const TObject& o) { return dynamic_cast<const T*>(&o) != nullptr; };
        TPropInfo& added = FInfo.AddProperty(std::move(p));
        added.Declarer = &FInfo;
        detail::Bind<T, V>(added, getter, setter);
        return PropBuilder<T>(added);
    }

    // An event: a std::function data member, read and written directly. typeName defaults to
    // "TNotifyEvent" for std::function<void(TObject*)>.
    template <class F, class C>
    PropBuilder<T> Event(const String& name, F C::*field, const String& typeName = String()) {
        static_assert(detail::IsStdFunction<F>::value, "an event is a std::function member");
        PropBuilder<T> b = Property(name, field, field);
        if (!typeName.empty()) b.TypeName(typeName);
        return b;
    }

    // Publishes again a property of a base class, to give it another default or stored condition;
    // it keeps its place in the list.
    PropBuilder<T> Redeclare(const String& name) {
        const TPropInfo* base = FInfo.Parent() ? FInfo.Parent()->FindProperty(name) : nullptr;
        if (!base) throw EPropertyError("Property " + name + " does not exist");
        auto p = std::make_unique<TPropInfo>(*base);
        TPropInfo& added = FInfo.AddProperty(std::move(p));
        added.Declarer = &FInfo;
        return PropBuilder<T>(added);
    }

private:
    TClassInfo& FInfo;
};

template <class T> TFactory FactoryFor() {
    TFactory f;
    if constexpr (std::is_abstract_v<T>) {
        return f;
    } else if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*>) {
        f.Kind = TCreateKind::Component;
        f.CreateComponent = [](TComponent* owner) -> TComponent* {
            return new T(owner);
        }; // the owner frees it
    } else if constexpr (std::is_base_of_v<TCollectionItem, T> && std::is_constructible_v<T, TCollection*>) {
        f.Kind = TCreateKind::CollectionItem;
        f.CreateItem = [](TCollection* collection) -> TCollectionItem* { return new T(collection); };
    } else if constexpr (std::is_default_constructible_v<T>) {
        f.Kind = TCreateKind::Plain;
        f.CreatePlain = []() -> TObject* { return new T(); }; // wrapped at once by CreateInstance
    }
    return f;
}

} // namespace meta

// Defines T::StaticClassInfo(): the class record, built on first use (after its base's), with the
// properties T::DeclareMeta declares.
#define ORV_META_IMPL(T)                                                                                     \
    const meta::TClassInfo& T::StaticClassInfo() {                                                           \
        static const meta::TClassInfo info(#T, &meta::StaticClassInfoOf<T::inherited>(),                     \
                                           meta::FactoryFor<T>(), [](meta::TClassInfo& ci) {                 \
                                               meta::Class<T> c(ci);                                         \
                                               T::DeclareMeta(c);                                            \
                                           });                                                               \
        return info;                                                                                         \
    }
