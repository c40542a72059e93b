#include "script/vs_iconst.h"

String SLangNotFound = "Language '%s' not found";
String SInvalidLanguage = "Invalid language definition";
String SIdRedeclared = "Identifier redeclared: ";
String SUnknownType = "Unknown type: ";
String SIncompatibleTypes = "Incompatible types";
String SIdUndeclared = "Undeclared identifier: ";
String SClassRequired = "Class type required";
String SIndexRequired = "Index required";
String SStringError = "Strings doesn't have properties or methods";
String SClassError = "Class %s does not have a default property";
String SArrayRequired = "Array type required";
String SVarRequired = "Variable required";
String SNotEnoughParams = "Not enough actual parameters";
String STooManyParams = "Too many actual parameters";
String SLeftCantAssigned = "Left side cannot be assigned to";
String SForError = "For loop variable must be numeric variable";
String SEventError = "Event handler must be a procedure";
String STooDeep = "Nesting too deep";
