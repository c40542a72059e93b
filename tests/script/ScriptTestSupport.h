// Helpers of the interpreter tests: a script with the system library, the class bindings and a
// Print procedure that collects its arguments, one line each.
#pragma once

#include "script/vs_iinterpreter.h"
#include "script/vs_iinterpreter_sys.h"

#include <gtest/gtest.h>

struct TScriptRunner {
    TvsScript Script{nullptr};
    String Out;

    explicit TScriptRunner(const String& Language = "PascalScript") {
        Script.SyntaxType = Language;
        Script.AddRTTI();
        Script.AddMethod("procedure Print(V: Variant)",
                         [this](TObject*, const TvsClassRef*, const String&, TvsMethodHelper* Caller) {
                             Out += VarToStr(Caller->GetParamValue(0)) + "\n";
                             return Variant();
                         });
    }

    // Compiles; on failure the text "error: message at line:col".
    bool Compile(const String& Text) {
        Script.Lines().SetText(Text);
        return Script.Compile();
    }
    String CompileError() const { return Script.ErrorText + " at " + Script.ErrorPosition; }

    // Compiles and runs; the collected output, or "compile: ..." / "run: message at line:col".
    String Run(const String& Text) {
        if (!Compile(Text)) return "compile: " + CompileError();
        try {
            Script.Execute();
        } catch (const std::exception& e) {
            return Out + "run: " + e.what() + " at " + Script.RunErrorPosition;
        }
        return Out;
    }
};

// A program of one of the languages and the exact result TScriptRunner::Run gives for it.
struct TScriptProgram {
    const char* Name;
    const char* Language;
    String Text;
    String Output;
};

// Runs each program of a table (INSTANTIATE_TEST_SUITE_P(..., ScriptPrograms, ...)) and compares
// the whole result.
class ScriptPrograms : public ::testing::TestWithParam<TScriptProgram> {};

inline String ProgramName(const ::testing::TestParamInfo<TScriptProgram>& Info) {
    return Info.param.Name;
}

inline String Lines(std::initializer_list<const char*> lines) {
    String text;
    for (const char* line : lines)
        text += String(line) + "\n";
    return text;
}
