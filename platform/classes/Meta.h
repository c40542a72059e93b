// The reflection facility (meta): for every class that declares itself with ORV_META its name, its
// base class, a factory and its published properties in declaration order (the base class's
// first). The report serializer, the script binder, the object inspector and the property editors
// all read classes through it. Declaring a class:
//
//   // header
//   class TMyThing : public TComponent {
//       ORV_META(TMyThing, TComponent)
//   public:
//       explicit TMyThing(TComponent* AOwner) : TComponent(AOwner) {}
//       int GetLeft() const; void SetLeft(int value);
//       TNotifyEvent OnClick;
//   };
//   // source file
//   #include "classes/MetaBuilder.h"
//   ORV_META_IMPL(TMyThing)
//   void TMyThing::DeclareMeta(meta::Class<TMyThing>& c) {
//       c.Property("Left", &TMyThing::GetLeft, &TMyThing::SetLeft).Default(0);
//       c.Event("OnClick", &TMyThing::OnClick);
//   }
//
// Enumerations and sets used by properties are named next to their declaration:
//   enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
//   ORV_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)
//   using TFontStyles = TSet<TFontStyle>;   // classes/Set.h
//   ORV_SET(TFontStyles)
// The builder's options (defaults, stored conditions, type names, read-only and field
// properties, events of other types, redeclared properties) are described in MetaBuilder.h.
//
// Generic access by name (GetPropValue, SetStrProp, ...) is in classes/MetaProps.h; the class
// registry (RegisterClass, FindClass) in classes/ClassRegistry.h.
#pragma once

#include "rtl/Events.h"
#include "rtl/Object.h"
#include "rtl/SysUtils.h"
#include "rtl/Variant.h"

#include <any>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

class TPersistent;
class TComponent;
class TCollection;
class TCollectionItem;
class TStrings;

ORV_DECLARE_EXCEPTION(EFilerError, EStreamError)
ORV_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
// Unknown property names, wrong kinds, read-only properties.
ORV_DECLARE_EXCEPTION(EPropertyError, Exception)
// A value that does not convert to the property's type.
ORV_DECLARE_EXCEPTION(EPropertyConvertError, Exception)

namespace meta {

template <class T> class Class;

// The kind of a published property. Boolean is an enumeration with the names False and True;
// Object is a sub-object (a TPersistent the owner keeps, such as a font), Component a reference to
// a component owned elsewhere, Strings a string list.
enum class TPropKind {
    Integer,
    Char,
    Enumeration,
    Set,
    Float,
    String,
    WideString,
    Boolean,
    Object,
    Component,
    Strings,
    Method,
    Variant,
    Int64
};

// Integer, Char, Enumeration, Set and Boolean: read and written as an ordinal value.
constexpr bool IsOrdinalKind(TPropKind k) {
    return k == TPropKind::Integer || k == TPropKind::Char || k == TPropKind::Enumeration ||
           k == TPropKind::Set || k == TPropKind::Boolean;
}
// Object, Component and Strings: read and written as an object reference.
constexpr bool IsObjectKind(TPropKind k) {
    return k == TPropKind::Object || k == TPropKind::Component || k == TPropKind::Strings;
}
// "Integer", "Enumeration", "Set", "Method" ... for messages.
String KindName(TPropKind kind);

// The values of an enumeration with their identifiers, in declaration order.
class TEnumInfo {
public:
    struct TValue {
        String Name;
        Int64 Value;
    };
    TEnumInfo(String typeName, std::vector<TValue> values);
    // From the identifiers as the ORV_ENUM macro spells them ("alNone, alTop" or "TAlign::alNone,
    // TAlign::alTop"; qualifications are dropped) and their values in the same order.
    TEnumInfo(String typeName, const char* spelledNames, std::vector<Int64> values);

    const String& TypeName() const { return FTypeName; }
    const std::vector<TValue>& Values() const { return FValues; }
    // The identifier of a value; empty when the enumeration has no such value.
    String NameOf(Int64 value) const;
    // The value of an identifier, compared without regard to case.
    std::optional<Int64> ValueOf(const String& name) const;
    bool Contains(Int64 value) const;

private:
    String FTypeName;
    std::vector<TValue> FValues;
};

// The enumeration behind Boolean properties: False = 0, True = 1.
const TEnumInfo& BooleanEnumInfo();

// "[fsBold,fsItalic]": the identifiers of the bits set in a set mask, in value order.
String SetToString(const TEnumInfo& info, UInt64 bits, bool brackets = true);
// Parses "[fsBold, fsItalic]" (brackets optional, blanks ignored, case ignored); raises
// EPropertyConvertError "Invalid property element: X" for an unknown identifier.
UInt64 StringToSet(const TEnumInfo& info, const String& text);

// A handler stored in an event property, type-erased: a std::any holding the event's exact
// std::function type (TNotifyEvent, ...). An empty std::any, or an empty function, is "no handler".
using TMethodValue = std::any;

// One published property. Accessors take the object the property belongs to; the generic helpers
// of MetaProps.h check the object's class before calling them.
struct TPropInfo {
    String Name;
    TPropKind Kind = TPropKind::Integer;
    // The declared type: "Integer", "TAlign", "TFontStyles", "Double", "TDateTime", "TFont",
    // "TNotifyEvent" ...
    String TypeName;
    // Enumeration, Set, Boolean: the values and their names (a set's base enumeration).
    const TEnumInfo* EnumInfo = nullptr;
    // Object, Component: the declared class when it has a class record (looked up on use, so two
    // classes may refer to each other).
    const TClassInfo& (*PropClassFn)() = nullptr;
    // The class that published the property (for a redeclared property, the redeclaring class).
    const TClassInfo* Declarer = nullptr;
    // Ordinal and Int64 kinds: the declared default. An ordinal property without one is always
    // stored; an Int64 property without one counts 0 as its default.
    bool HasDefault = false;
    Int64 Default = 0;
    // The stored condition: a constant, or a function of the object when StoredFunc is set.
    bool StoredConst = true;
    std::function<bool(TObject&)> StoredFunc;

    // Accessors by value representation; a setter left empty makes the property read-only.
    // Ordinal kinds (Integer, Char as its code, Enumeration, Set as its mask, Boolean as 0/1) and Int64:
    std::function<Int64(TObject&)> GetOrd;
    std::function<void(TObject&, Int64)> SetOrd;
    // Float (Currency and TDateTime included):
    std::function<Extended(TObject&)> GetFloat;
    std::function<void(TObject&, Extended)> SetFloat;
    // String:
    std::function<String(TObject&)> GetStr;
    std::function<void(TObject&, const String&)> SetStr;
    // WideString:
    std::function<WideString(TObject&)> GetWideStr;
    std::function<void(TObject&, const WideString&)> SetWideStr;
    // Object, Component, Strings:
    std::function<TObject*(TObject&)> GetObject;
    std::function<void(TObject&, TObject*)> SetObject;
    // Variant:
    std::function<Variant(TObject&)> GetVariant;
    std::function<void(TObject&, const Variant&)> SetVariant;
    // Method (events):
    std::function<TMethodValue(TObject&)> GetMethod;
    std::function<void(TObject&, const TMethodValue&)> SetMethod;
    std::function<bool(TObject&)> MethodAssigned;
    // Checks an object's type before a typed accessor casts it (dynamic_cast to the declarer).
    std::function<bool(const TObject&)> Accepts;

    bool IsWritable() const;
    const TClassInfo* PropClass() const { return PropClassFn ? &PropClassFn() : nullptr; }
};

// How a class's instances are made: components take their owner, collection items their
// collection, other classes nothing; abstract classes cannot be made.
enum class TCreateKind { None, Plain, Component, CollectionItem };

struct TFactory {
    TCreateKind Kind = TCreateKind::None;
    TObject* (*CreatePlain)() = nullptr;
    TComponent* (*CreateComponent)(TComponent* owner) = nullptr;
    TCollectionItem* (*CreateItem)(TCollection* collection) = nullptr;
};

// The class record: name, base class, factory and published properties.
class TClassInfo {
public:
    using TDeclare = void (*)(TClassInfo& info);
    // Declare adds the class's own properties (ORV_META_IMPL passes the class's DeclareMeta).
    TClassInfo(const char* name, const TClassInfo* parent, TFactory factory, TDeclare declare);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const String& Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    // This class or one of its bases is the other class / has that name (without regard to case).
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(const String& className) const;

    // Every published property, the base class's first, in declaration order.
    const std::vector<const TPropInfo*>& Properties() const { return FAll; }
    // The property of that name, compared without regard to case; nullptr when none.
    const TPropInfo* FindProperty(const String& name) const;
    // Names of the event (method) properties, in declaration order.
    std::vector<String> EventNames() const;

    TCreateKind CreateKind() const { return FFactory.Kind; }
    bool CanCreate() const { return FFactory.Kind != TCreateKind::None; }
    bool IsComponentClass() const { return FFactory.Kind == TCreateKind::Component; }
    // A new instance owned by the caller: a component without owner, an item outside any
    // collection, or a plain object. Raises EPropertyError for an abstract class.
    std::unique_ptr<TObject> CreateInstance() const;
    // A new component of this class owned by owner (the caller owns it when owner is nullptr).
    // Raises EPropertyError when the class is not a component class.
    TComponent* CreateComponent(TComponent* owner) const;
    // A new collection item added to collection. Raises EPropertyError for other classes.
    TCollectionItem* CreateItem(TCollection* collection) const;

    // Used while the class is declared (meta::Class): appends a property, or replaces in place a
    // property of the same name published by a base class or earlier by this class.
    TPropInfo& AddProperty(std::unique_ptr<TPropInfo> prop);

private:
    String FName;
    const TClassInfo* FParent;
    TFactory FFactory;
    std::vector<std::unique_ptr<TPropInfo>> FOwn;
    std::vector<const TPropInfo*> FAll;
};

// The record of TObject itself, the root of every chain.
const TClassInfo& TObjectClassInfo();

// The class record of an object (TObject's for an object whose class declares none).
const TClassInfo& ClassInfoOf(const TObject& obj);

// The class record of T; TObject's for TObject and for runtime classes that declare none (a
// class with published properties may derive from TStringList, say).
template <class T> const TClassInfo& StaticClassInfoOf() {
    if constexpr (requires { T::StaticClassInfo(); })
        return T::StaticClassInfo();
    else
        return TObjectClassInfo();
}

} // namespace meta

// Declares the class's reflection members; put it first in the class body (it leaves the access at
// public). The source file adds ORV_META_IMPL(T) and defines T::DeclareMeta.
#define ORV_META(T, Base)                                                                                    \
public:                                                                                                      \
    using inherited = Base;                                                                                  \
    static constexpr const char* MetaClassName() {                                                           \
        return #T;                                                                                           \
    }                                                                                                        \
    static const meta::TClassInfo& StaticClassInfo();                                                        \
    const meta::TClassInfo* ClassInfo() const override {                                                     \
        return &StaticClassInfo();                                                                           \
    }                                                                                                        \
    String ClassName() const override {                                                                      \
        return #T;                                                                                           \
    }                                                                                                        \
    static void DeclareMeta(meta::Class<T>& c);

// Names the values of an enumeration declared at namespace scope, so that properties of that type
// read and write them by name: ORV_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient).
// Every value of the type must be listed.
#define ORV_ENUM(E, ...)                                                                                     \
    inline const meta::TEnumInfo& OrvEnumInfo(E*) {                                                          \
        static const meta::TEnumInfo info(#E, #__VA_ARGS__, meta::EnumValues<E>({__VA_ARGS__}));             \
        return info;                                                                                         \
    }

// Names a set type (an alias of TSet<E>) for the reflection facility: ORV_SET(TFontStyles).
#define ORV_SET(S)                                                                                           \
    inline const char* OrvSetTypeName(S*) {                                                                  \
        return #S;                                                                                           \
    }

namespace meta {
template <class E> std::vector<Int64> EnumValues(std::initializer_list<E> values) {
    std::vector<Int64> result;
    for (E v : values)
        result.push_back(static_cast<Int64>(v));
    return result;
}
} // namespace meta
