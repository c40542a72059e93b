// The grammar of the script language "VuzirUzezid", registered when the interpreter starts.
// VuzirUzezid: line-oriented statements (a line end or ":" ends one, "_" continues a line);
// Dim, Sub and Function among the statements; undeclared names become variant variables.
#pragma once

extern const char* const vsBasicScriptGrammar;
