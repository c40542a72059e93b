// The run-time side of the type and declaration tools: type codes of names, compatibility of
// types, constants, method headers as items, format arguments from variant arrays, positions as
// points and the designer's listings of a script's functions and classes.
#pragma once

#include "rtl/Format.h"
#include "rtl/Variant.h"
#include "script/vs_iinterpreter_items.h"
#include "script/vs_itools.h"

#include <memory>
#include <vector>

class TvsScript;
class TvsXMLItem;

// The type code of the item Find gives for Name in Script or its parents; fvtClass when none.
TvsVarType TypeCodeOf(const String& Name, const TvsScript* Script);
// Both names are registered classes and Source is Target or descends from it.
bool ClassInherits(const String& TargetName, const String& SourceName, const TvsScript* Script);
// A value of type (SourceTyp, SourceName) may be stored in (TargetTyp, TargetName).
bool TypesCompatible(TvsVarType TargetTyp, const String& TargetName, TvsVarType SourceTyp,
                     const String& SourceName, const TvsScript* Script);
// TypesCompatible of the two items, except that an integer variable takes no float expression.
bool AssignCompatible(const TvsCustomVariable* Variable, const TvsCustomVariable* Expression,
                      const TvsScript* Script);
// A method item described by a declaration text, its parameters as TvsParamItem children.
std::unique_ptr<TvsCustomVariable> ParseMethodHeader(const String& Header, const TvsScript* Script);
// The arguments of the formatting routine from a one-dimensional variant array: integer kinds
// as integers, floats, currency and dates as floats, texts cut to 255 bytes of the 8-bit code
// page, booleans, 64-bit integers; anything else the integer 0.
std::vector<TFormatArg> VariantToFormatArgs(const Variant& Args);

struct TvsPoint {
    Integer X = 0;
    Integer Y = 0;
};
// "12:7" gives X 7 (column), Y 12 (line); an empty text (0, 0); a malformed one raises
// EConvertError.
TvsPoint ScriptPosToPoint(const String& Text);

// The designer's listings (sections Functions, Classes, Types, Variables, Constants under Item).
void BuildScriptContentsXML(const TvsScript* Script, TvsXMLItem* Item, bool FunctionsOnly);
void BuildClassMembersXML(const TvsScript* Script, const TvsClassRef* ClassRef, TvsXMLItem* Item);
