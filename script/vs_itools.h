// Tools shared by the compiler, the run-time classes and the designer: the registry of script
// languages, the parsing of method headers and the conversion of position texts.
#pragma once

#include "rtl/Types.h"
#include "rtl/Variant.h"

#include <vector>

class TStrings;

// --- language registry -----------------------------------------------------------------------
// One process-wide list of (name, grammar text) in registration order. It starts with the four
// built-in languages "PascalScript", "D++Idezer", "VuzirUzezid" and "JScript". Names compare
// without regard to case; the first match counts.

// Replaces the grammar of a language registered under an equal name (which then carries the new
// spelling of the name), or appends a new entry.
void RegisterLanguage(const String& Name, const String& Grammar);
// The grammar text of a language; raises EvsScriptError with SLangNotFound (the name in place
// of %s) when none is registered under that name.
String GetLanguageGrammar(const String& Name);
// The registered names in registration order, without those whose first character is "@".
void GetLanguageList(TStrings& List);

// --- constants -----------------------------------------------------------------------------
// The value of a constant as the lexer writes it into the intermediate form: a text in single
// quotes is a string (without its quotes); an integer ("$" for hexadecimal) is an integer when
// it fits 32 bits and a 64-bit integer otherwise; any other number is a float (written with "."
// whatever the locale). An empty text gives Null. Raises EConvertError for a text that is no
// number.
Variant ParseConstant(const String& Text);

// --- method headers --------------------------------------------------------------------------
// What a declaration text such as «function Copy(S: String; Index, Count: Integer): String»
// says. The program side turns it into a method item, resolving type names and default values
// against the script's registered items.
struct TvsHeaderParam {
    enum class TDefaultKind { None, Number, String, Name };
    String Name;
    String TypeName;
    bool IsVar = false;
    TDefaultKind DefaultKind = TDefaultKind::None;
    // Number: the number as the lexer read it ("$" for hexadecimal), "-" in front when negative.
    // String: the literal's value between single quotes, as the lexer returns it.
    // Name: the name of a registered item whose current value is the default.
    String DefaultText;
    bool Optional() const { return DefaultKind != TDefaultKind::None; }
};

struct TvsMethodHeader {
    String Name;
    bool IsFunction = false; // the first word is "function"; otherwise a procedure
    bool IsMacro = false;    // the first word began with "macro"
    String TypeName;         // a function's result type: the word after the header's last ":"
    std::vector<TvsHeaderParam> Params;
};

// Reads a header with the lexer in its default settings; with ExtendedIdentifiers the
// characters 128 to 255 are identifier characters too. Never raises: what cannot be read is
// left out (names not followed by ":" and a type create no parameters).
TvsMethodHeader ParseMethodHeaderText(const String& Header, bool ExtendedIdentifiers);
