// Comparisons of field values used by sorting, Locate and filters: Null first, numbers by value,
// dates by date, text byte-wise or without regard to ASCII case.
#pragma once

#include "rtl/Variant.h"

// Negative, 0 or positive. Null sorts before everything; numbers, booleans and dates compare as
// numbers; text compares as text (caseInsensitive: ASCII letters folded). A number and a text
// compare as numbers when the text is a number, as text otherwise.
int CompareFieldValues(const Variant& a, const Variant& b, bool caseInsensitive);
// Locate's test of a field value against a key: Null matches only Null; a text key with
// partial matches the start of the value.
bool LocateMatch(const Variant& value, const Variant& key, bool caseInsensitive, bool partial);
// LIKE with "%" or "*" for any run and "_" or "?" for one character (UTF-8 aware).
bool LikeMatch(const String& text, const String& pattern, bool caseInsensitive);
