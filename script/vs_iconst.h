// Shared constants of the script interpreter: the type codes of script items, the compiler's
// message texts and the exception class the interpreter raises.
#pragma once

#include "rtl/SysUtils.h"
#include "rtl/Types.h"

// The type code carried by every script item.
enum TvsVarType : Byte {
    fvtInt = 0,
    fvtBool = 1,
    fvtFloat = 2,
    fvtChar = 3,
    fvtString = 4,
    fvtClass = 5,
    fvtArray = 6,
    fvtVariant = 7,
    fvtEnum = 8,
    fvtConstructor = 9,
};

// Errors of the interpreter: compile errors while they travel inside the compiler, invalid
// grammars, unknown languages and the run-time errors the interpreter raises itself.
ORV_DECLARE_EXCEPTION(EvsScriptError, Exception)

// The compiler's messages. They start as the English texts below; the report library replaces
// them with its string resources (same names as keys) whenever it loads a string table. A text
// that ends in ": " is followed by the offending name in single quotes.
extern String SLangNotFound;      // "Language '%s' not found"
extern String SInvalidLanguage;   // "Invalid language definition"
extern String SIdRedeclared;      // "Identifier redeclared: "
extern String SUnknownType;       // "Unknown type: "
extern String SIncompatibleTypes; // "Incompatible types"
extern String SIdUndeclared;      // "Undeclared identifier: "
extern String SClassRequired;     // "Class type required"
extern String SIndexRequired;     // "Index required"
extern String SStringError;       // "Strings doesn't have properties or methods"
extern String SClassError;        // "Class %s does not have a default property"
extern String SArrayRequired;     // "Array type required"
extern String SVarRequired;       // "Variable required"
extern String SNotEnoughParams;   // "Not enough actual parameters"
extern String STooManyParams;     // "Too many actual parameters"
extern String SLeftCantAssigned;  // "Left side cannot be assigned to"
extern String SForError;          // "For loop variable must be numeric variable"
extern String SEventError;        // "Event handler must be a procedure"

// Limits that keep deeply nested input from exhausting the stack. Texts nested deeper than this
// fail to compile with STooDeep instead.
extern String STooDeep;                 // "Nesting too deep"
constexpr int vsMaxGrammarDepth = 2500; // nested rule and element matches of one compilation
constexpr int vsMaxXMLDepth = 1500;     // nested elements of a script XML document
