// Helpers of the compiler tests: compiling a text to its intermediate form.
#pragma once

#include "script/vs_iilparser.h"

#include <gtest/gtest.h>

struct TILResult {
    bool Ok = false;
    String Error;    // message
    String Position; // "line:col"
    String Unit;
    String XML; // the intermediate form, indented, when Ok
};

// Joins lines with CR LF after each, as the script component does.
inline String ScriptText(std::initializer_list<String> lines) {
    String text;
    for (const String& line : lines)
        text += line + "\r\n";
    return text;
}

inline TILResult CompileIL(const String& Language, const String& Text, TvsILHost* Host = nullptr) {
    TvsILParser parser(Host);
    parser.SelectLanguage(Language);
    TILResult r;
    r.Ok = parser.BuildIntermediate(Text);
    r.Error = parser.ErrorText();
    r.Position = parser.ErrorPosition();
    r.Unit = parser.ErrorUnitName();
    if (r.Ok) {
        parser.Intermediate().AutoIndent = true;
        r.XML = parser.Intermediate().SaveToString();
    }
    return r;
}
