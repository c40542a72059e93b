// Texts of scripts are 8-bit texts in the program's code page (936): indexes and counts of the
// string functions and of S[I] are bytes of that code page, the first byte having index 1. The
// text itself is kept in UTF-8, so a character is never cut in half: an index that falls on the
// second byte of a double-byte character names nothing (the character is addressed at its first
// byte), so indexing every byte position in turn rebuilds the text. Also the run-time messages
// of the interpreter.
#pragma once

#include "rtl/Types.h"
#include "rtl/Variant.h"

#include <vector>

// The character starting at byte I ('' at the second byte of a double-byte character);
// ERangeError when I is outside 1 .. the byte length.
String vsCharAt(const String& Text, Integer I);
// The text a string variant holds, to be changed in place; nullptr for a variant of another kind.
String* vsMutableString(Variant& V);
// The text of a string variant without copying it (V must hold varString).
const String& vsStringOf(const Variant& V);
// Replaces the character starting at byte I by the first character of Ch (nothing for an empty
// Ch or at a second byte); ERangeError when I is outside the text.
void vsSetCharAt(String& Text, Integer I, const String& Ch);
// Byte length in the 8-bit code page.
Integer vsLength(const String& Text);
// The characters starting at bytes From .. From + Count - 1 (From below 1 counts as 1); empty
// beyond the end or for Count < 1.
String vsCopy(const String& Text, Integer From, Integer Count);
// Removes up to Count bytes from byte From; nothing when From is outside the text.
void vsDelete(String& Text, Integer From, Integer Count);
// Inserts Sub before byte Pos (below 1 counts as 1, beyond the end appends).
void vsInsert(const String& Sub, String& Text, Integer Pos);
// Cuts or extends (with blanks) the text to Length bytes.
String vsSetLength(const String& Text, Integer Length);
// A comma list: commas and blanks separate, double quotes group; each name trimmed.
std::vector<String> vsSplitCommaList(const String& Text);

// Run-time messages of the interpreter.
extern String SMemberClassError; // "Object of class %s does not have the member %s"
extern String SStringIndexError; // "String index out of bounds (%d)"
extern String SForStepError;     // "For loop step must not be zero"
extern String SCannotCreate;     // "Cannot create an instance of class %s"
extern String SNegativeCount;    // "Invalid count (%d)"
