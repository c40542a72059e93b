// Script code templates of the designer: the empty script of a new report and the event handlers
// the designer writes for the user, in each of the four script languages ("PascalScript",
// "D++Idezer", "VuzirUzezid", "JScript"). The language templates live in the string resources
// under the language's name, the parameter lists of the event types under the type's name, so a
// language file may change them. Script lines are the report's script as a string list; all
// comparisons fold ASCII letters only.
#pragma once

#include "rtl/StringList.h"

// Stores the four language templates and the eight event parameter lists in the string
// resources, replacing texts already there.
void RegisterScriptTemplates();

// The value of one attribute (proc, begin, end, lastend, openquote, closequote) of the language's
// template; empty when the language has no template or the template lacks the key.
String GetTemplateValue(const String& language, const String& key);

// The parameter list of the event type in the language ("(Sender: TvrComponent);"); empty for an
// event type without parameter lists or a language it has no line for.
String GetEventParams(const String& eventType, const String& language);

// The names of the script's handlers whose parameter lists fit the event type (compared without
// regard to case, otherwise exactly). Handlers inside block comments are not listed.
void GetEventHandlers(const TStrings& lines, const String& language, const String& eventType, TStrings& list);

// The 0-based index of the line that opens the named handler ("procedure Name(" at the very start
// of the line, outside block comments), or -1.
Integer FindEventHandler(const TStrings& lines, const String& language, const String& name);

// The 0-based index of the line before which new handlers go: the line that opens the main block,
// or the last line in a language without a main block; -1 when the main block has no end.
Integer FindMainBlock(const TStrings& lines, const String& language);

// Inserts an empty handler of the event type before the main block and returns the 1-based line
// number of its empty body line; -1 (and the lines unchanged) when no place was found.
Integer AddEventHandler(TStrings& lines, const String& language, const String& eventType, const String& name);

// The script of a new report in the language: "begin", "", "end." in PascalScript, braces in
// D++Idezer, nothing in the languages without a main block.
void EmptyScript(TStrings& lines, const String& language);
