// The grammar of the script language "JScript", registered when the interpreter starts.
// JScript: statements with optional ";", var and function declarations among them, untyped
// values; undeclared names become variant variables.
#pragma once

extern const char* const vsJScriptGrammar;
