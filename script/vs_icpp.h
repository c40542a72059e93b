// The grammar of the script language "D++Idezer", registered when the interpreter starts.
// D++Idezer: #include and #define lines, typed variables and functions, and a main { } block.
// Keywords are case-sensitive, strings take backslash escapes, hexadecimal numbers start with 0x.
#pragma once

extern const char* const vsCppScriptGrammar;
