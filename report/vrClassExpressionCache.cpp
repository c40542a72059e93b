// The expression cache: every expression text becomes a function of the cache's own script once.
#include "report/vrClass.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "script/vs_iinterpreter.h"
#include "script/vs_iinterpreter_items.h"

TvrExpressionCache::TvrExpressionCache(TvsScript* MainScript)
    : FScript(std::make_unique<TvsScript>(nullptr)), FMainScript(MainScript) {
    FScript->ExtendedIdentifiers = true;
    // Case matters: 'Yes' and 'YES' are different expressions with different values.
    FExpressions.SetCaseSensitive(true);
    FExpressions.SetSorted(true);
    FExpressions.SetDuplicates(TDuplicates::dupIgnore);
}

TvrExpressionCache::~TvrExpressionCache() = default;

void TvrExpressionCache::Clear() {
    FExpressions.Clear();
    FScript->Clear();
}

void TvrExpressionCache::Calc(const String& Expression, String& ErrorText, Variant& Value, TvsScript* AScript) {
    ErrorText.clear();
    FScript->ParentScript = AScript;
    String functionName;
    Integer index = 0;
    if (FExpressions.Find(Expression, index)) {
        functionName = static_cast<TvsCustomVariable*>(FExpressions.Objects(index))->Name();
    } else {
        const String n = IntToStr(FExpressions.Count());
        functionName = "di3f" + n;
        FScript->SyntaxType = ScriptLanguage;
        String text;
        if (SameText(ScriptLanguage, "PascalScript"))
            text = "function " + functionName + ": Variant; begin Result := " + Expression + " end; begin end.";
        else if (SameText(ScriptLanguage, "D++Idezer"))
            text = "Variant " + functionName + "() { return " + Expression + "; } {}";
        else if (SameText(ScriptLanguage, "VuzirUzezid"))
            text = "function " + functionName + "\r\nreturn " + Expression + "\r\nend function";
        else if (SameText(ScriptLanguage, "JScript"))
            text = "function " + functionName + "() { return " + Expression + "; }";
        if (!text.empty()) FScript->Lines().SetText(text);
        const bool ok = FScript->Compile();
        TvsCustomVariable* fn = FScript->FindLocal(functionName);
        if (!ok) {
            if (fn) {
                FScript->Remove(fn);
                delete fn;
            }
            ErrorText = GetResources().GetString("clExprError") + " '" + Expression + "': " + FScript->ErrorText;
            Value = Null();
            return;
        }
        FExpressions.AddObject(Expression, fn);
    }
    if (FMainScript) FMainScript->IsMainProgram = false;
    try {
        FScript->CallFunction(functionName, Variant(), Value);
    } catch (const Exception& e) {
        ErrorText = e.Message();
        Value = Null();
    } catch (...) {
        if (FMainScript) FMainScript->IsMainProgram = true;
        throw;
    }
    if (FMainScript) FMainScript->IsMainProgram = true;
}
