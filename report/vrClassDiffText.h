// Pieces of the attribute text an object's Diff writes for prepared pages.
#pragma once

#include "classes/Meta.h"
#include "rtl/Types.h"

// ` name="value"`; the value is written as given (escape texts first).
inline String vrDiffAttr(const String& Name, const String& Value) {
    return " " + Name + "=\"" + Value + "\"";
}
inline String vrDiffBool(bool Value) {
    return Value ? "True" : "False";
}
// The identifier of an enumeration value.
template <class E> String vrDiffEnum(E Value) {
    return OrvEnumInfo(static_cast<E*>(nullptr)).NameOf(static_cast<Int64>(Value));
}
