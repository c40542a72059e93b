// The grammar of the script language "PascalScript", registered when the interpreter starts.
// PascalScript: a program heading, a uses clause, const, var, procedure and function
// sections, a main begin ... end block and a final point.
#pragma once

extern const char* const vsPascalScriptGrammar;
