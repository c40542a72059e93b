// Generic access to published properties by name or by property record: listing, reading and
// writing through a Variant or typed, stored/default tests, events by name and dotted property
// paths ("Font.Style"). Names are compared without regard to case. Unknown names raise
// EPropertyError "Property X does not exist"; a property of another kind than the function
// handles raises EPropertyError "Invalid property type: T"; writing a read-only one raises
// EPropertyError "Property X is read-only"; values that do not fit raise EPropertyConvertError.
#pragma once

#include "classes/Meta.h"

using TPropList = std::vector<const meta::TPropInfo*>;

// Published properties in declaration order, the base class's first.
const TPropList& GetPropList(const TObject* obj);
const TPropList& GetPropList(const meta::TClassInfo& cls);
// The property of that name, nullptr when the class publishes none.
const meta::TPropInfo* GetPropInfo(const TObject* obj, const String& name);
const meta::TPropInfo* GetPropInfo(const meta::TClassInfo& cls, const String& name);
bool IsPublishedProp(const TObject* obj, const String& name);
// Follows a dotted path through sub-object properties: "Font.Style" gives the Style property and,
// in holder, the font. nullptr when a part is missing or a sub-object is nil.
const meta::TPropInfo* FindPropPath(const TObject* obj, const String& path, TObject*& holder);

// The value as a Variant: integers, Int64 and characters as numbers (a character as its code),
// Boolean as a boolean, floats as double (TDateTime as a date, Currency as currency), strings,
// variants as they are. With preferStrings an enumeration gives its identifier and a set its
// "[a,b]" text, otherwise their ordinal values. Object kinds give the object's handle (see
// classes/ObjectHandles.h), 0 for nil. Events raise. name may be a dotted path.
Variant GetPropValue(const TObject* obj, const String& name, bool preferStrings = true);
Variant GetPropValue(const TObject* obj, const meta::TPropInfo& prop, bool preferStrings = true);
// Sets from a Variant: enumerations and sets take identifiers ("alClient", "[fsBold,fsItalic]")
// or numbers, characters a text (its first character) or a code, object kinds a handle (0, Null
// or Empty for nil). name may be a dotted path.
void SetPropValue(TObject* obj, const String& name, const Variant& value);
void SetPropValue(TObject* obj, const meta::TPropInfo& prop, const Variant& value);

// String properties (String and WideString kinds).
String GetStrProp(const TObject* obj, const String& name);
String GetStrProp(const TObject* obj, const meta::TPropInfo& prop);
void SetStrProp(TObject* obj, const String& name, const String& value);
void SetStrProp(TObject* obj, const meta::TPropInfo& prop, const String& value);
WideString GetWideStrProp(const TObject* obj, const meta::TPropInfo& prop);
void SetWideStrProp(TObject* obj, const meta::TPropInfo& prop, const WideString& value);
// Ordinal properties (Integer, Char, Enumeration, Set, Boolean) and Int64.
Int64 GetOrdProp(const TObject* obj, const String& name);
Int64 GetOrdProp(const TObject* obj, const meta::TPropInfo& prop);
void SetOrdProp(TObject* obj, const String& name, Int64 value);
void SetOrdProp(TObject* obj, const meta::TPropInfo& prop, Int64 value);
// Enumeration and Boolean properties by identifier; EPropertyConvertError
// "Invalid property element: X" for an unknown one.
String GetEnumProp(const TObject* obj, const String& name);
void SetEnumProp(TObject* obj, const String& name, const String& value);
// Set properties as "[a,b]" (or "a,b" without brackets).
String GetSetProp(const TObject* obj, const String& name, bool brackets = true);
void SetSetProp(TObject* obj, const String& name, const String& value);
Extended GetFloatProp(const TObject* obj, const String& name);
Extended GetFloatProp(const TObject* obj, const meta::TPropInfo& prop);
void SetFloatProp(TObject* obj, const String& name, Extended value);
void SetFloatProp(TObject* obj, const meta::TPropInfo& prop, Extended value);
Int64 GetInt64Prop(const TObject* obj, const String& name);
void SetInt64Prop(TObject* obj, const String& name, Int64 value);
Variant GetVariantProp(const TObject* obj, const String& name);
Variant GetVariantProp(const TObject* obj, const meta::TPropInfo& prop);
void SetVariantProp(TObject* obj, const String& name, const Variant& value);
void SetVariantProp(TObject* obj, const meta::TPropInfo& prop, const Variant& value);
// Object, Component and Strings properties. Setting checks the object's class.
TObject* GetObjectProp(const TObject* obj, const String& name);
TObject* GetObjectProp(const TObject* obj, const meta::TPropInfo& prop);
void SetObjectProp(TObject* obj, const String& name, TObject* value);
void SetObjectProp(TObject* obj, const meta::TPropInfo& prop, TObject* value);

// Events. A handler is a std::any holding the event's std::function type; an empty one clears.
// EPropertyConvertError when the handler's type is not the event's.
meta::TMethodValue GetMethodProp(const TObject* obj, const String& name);
void SetMethodProp(TObject* obj, const String& name, const meta::TMethodValue& handler);
std::vector<String> GetEventNames(const meta::TClassInfo& cls);
template <class F> void SetEvent(TObject* obj, const String& name, F handler) {
    SetMethodProp(obj, name, meta::TMethodValue(std::move(handler)));
}
void ClearEvent(TObject* obj, const String& name);
bool IsEventAssigned(const TObject* obj, const String& name);

// The stored condition (constant or stored function) of the property for this object.
bool IsStoredProp(const TObject* obj, const String& name);
bool IsStoredProp(const TObject* obj, const meta::TPropInfo& prop);
// The property holds its default: an ordinal property its declared default (never true without
// one), Int64 its default or 0, a float 0, a string "", a variant Empty, an event no handler, a
// component reference nil, a string list nil or no lines, a sub-object nil or every one of its
// stored properties at its default.
bool IsDefaultPropValue(const TObject* obj, const meta::TPropInfo& prop);
