// How a report resolves names and evaluates expressions, prepares its script, and dispatches its
// events and progress.
#include "report/vrAggregate.h"
#include "report/vrClass.h"
#include "report/vrProgress.h"
#include "report/vrRes.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "script/vs_iinterpreter.h"
#include "script/vs_iinterpreter_items.h"

TvsScript* vrScriptCallMark() {
    static TvsScript* const mark = reinterpret_cast<TvsScript*>(static_cast<std::uintptr_t>(1));
    return mark;
}

namespace {

bool IsTrue(const Variant& v) {
    try {
        return !VarIsNull(v) && !VarIsEmpty(v) && v.AsBoolean();
    } catch (const Exception&) {
        return false;
    }
}

// Counts the nesting of report variables being evaluated.
struct TDepthGuard {
    int& Depth;
    explicit TDepthGuard(int& d) : Depth(d) { ++Depth; }
    ~TDepthGuard() { --Depth; }
};

} // namespace

bool TvrReport::GetValueByName(const String& Name, Variant& Value) {
    Value = Null();
    TvrDataSet* ds = nullptr;
    String field;
    GetDatasetAndField(Name, ds, field);
    if (ds && !field.empty()) {
        Value = ds->Value(field);
        if (VarIsNull(Value) && FEngineOptions->ConvertNulls) {
            switch (ds->GetFieldType(field)) {
            case fftNumeric:
                Value = 0;
                break;
            case fftString:
                Value = String();
                break;
            case fftBoolean:
                Value = false;
                break;
            }
        }
        return true;
    }
    const int sys = FSystemVariables->IndexOf(Name);
    if (sys >= 0) {
        TvrCustomEngine* engine = FEngine.get();
        TvrCustomPreviewPages* pages = FPreparedPages.get();
        switch (sys) {
        case 0:
            if (engine) Value = VarFromDateTime(engine->StartDate);
            break;
        case 1:
            if (engine) Value = VarFromDateTime(engine->StartTime);
            break;
        case 2:
            if (pages) Value = pages->LogicalPageNumber();
            break;
        case 3:
            if (pages) Value = pages->CurPage + 1;
            break;
        case 4:
            if (pages) Value = pages->LogicalPageTotal();
            break;
        case 5:
            if (engine) Value = engine->TotalPages;
            break;
        case 6:
            if (engine) Value = engine->CurLine;
            break;
        case 7:
            if (engine) Value = engine->CurLineThrough;
            break;
        default:
            Value = vrGlobalVariables()->Variables("CopyName0");
            break;
        }
        return true;
    }
    Value = Unassigned();
    if (OnGetValue) OnGetValue(Name, Value);
    if (OnNewGetValue) OnNewGetValue(this, Name, Value);
    if (!VarIsEmpty(Value)) return true;
    const int var = FVariables->IndexOf(Name);
    if (var >= 0) {
        const Variant v = FVariables->GetItem(var)->Value;
        const TVarType t = VarType(v);
        if ((t == varString || t == varOleStr) && !ContainsStr(v.AsString(), "\r\n")) {
            // A variable whose text names itself, directly or through others, would recurse
            // without end.
            if (FVariableDepth >= vrMaxVariableDepth)
                throw Exception("The report variable \"" + Name + "\" refers to itself");
            TDepthGuard guard(FVariableDepth);
            Value = Calc(v.AsString(), FScript.get());
        } else {
            Value = v;
        }
        return true;
    }
    const int global = vrGlobalVariables()->IndexOf(Name);
    if (global >= 0) {
        Value = vrGlobalVariables()->GetItem(global)->Value;
        return true;
    }
    if (TvsCustomVariable* item = FScript->Find(Name)) {
        const TvsItemKind kind = item->Kind();
        if (kind != TvsItemKind::ikProc && kind != TvsItemKind::ikMethod) {
            Value = item->FetchValue();
            return true;
        }
    }
    Value = Null();
    return false;
}

Variant TvrReport::Calc(const String& Expression, TvsScript* AScript) {
    const bool scriptCall = AScript == vrScriptCallMark();
    if (!AScript || scriptCall) AScript = FScript.get();
    Variant value;
    if (GetValueByName(Expression, value)) return value;
    // An aggregate call as a whole is answered by the engine; its first argument is kept as text,
    // so data-set fields need no brackets there.
    String function;
    std::vector<String> args;
    if (FEngine && FEngine->Running && vrSplitAggregateCall(Expression, function, args)) {
        auto arg = [&](size_t k) { return k < args.size() ? args[k] : String(); };
        if (function == "COUNT") return CalcAggregateCall(function, String(), arg(0), arg(1));
        return CalcAggregateCall(function, arg(0), arg(1), arg(2));
    }
    String error;
    FCache->Calc(Expression, error, value, AScript);
    if (error.empty()) return value;
    if (FEngineOptions->IgnoreDevByZero && error == "Floating point division by zero") return Null();
    String message;
    if (scriptCall) {
        message = "Error in Calc expression: " + error;
    } else {
        message = CurrentObjectName.empty() ? error : CurrentObjectName + ": " + error;
        FErrorList->Add(message);
    }
    throw Exception(message);
}

Variant TvrReport::CalcAggregateCall(const String& Function, const String& Expression, const String& BandText,
                                     const String& FlagsText) {
    if (!FEngine) return Null();
    TvrComponent* bandObj = nullptr;
    if (!BandText.empty()) {
        // A band is named by its name; anything else is evaluated to an object reference.
        bandObj = FindObject(BandText);
        if (!bandObj) bandObj = dynamic_cast<TvrComponent*>(vsVariantToObject(Calc(BandText, FScript.get())));
    }
    const Variant flags = FlagsText.empty() ? Variant(0) : Calc(FlagsText, FScript.get());
    return FEngine->CalcAggregate(Function, Expression, bandObj, flags.AsInteger());
}

bool TvrReport::PrepareScript() {
    FCache->Clear();
    FCache->ScriptLanguage = ScriptLanguage;
    if (FEngine) FEngine->NotifyList()->Clear();
    FScript->FreeItemsOf(this);
    FScript->OwnerMarker = this;
    FScript->IsMainProgram = true;
    for (TvrComponent* obj : AllObjects()) {
        obj->InDesigner = false;
        obj->BeforeStartReport();
        if (!obj->Name().empty()) FScript->AddObject(obj->Name(), obj);
    }
    FScript->AddObject("Report", this);
    if (FEngine) FScript->AddObject("Engine", FEngine.get());
    if (FPreparedPages) FScript->AddObject("Outline", FPreparedPages->Outline());
    FScript->AddVariable("Value", "Variant", Null());
    FScript->AddVariable("Self", "Variant", Null());
    FScript->AddMethod("function Get(Name: String): Variant", [this](TObject*, const TvsClassRef*, const String&,
                                                                       TvsMethodHelper* caller) -> Variant {
        const String name = caller->GetParamValue(0).AsString();
        Variant v;
        if (GetValueByName(name, v)) return v;
        const size_t paren = name.find('(');
        if (paren != String::npos &&
            MatchText(UpperCase(Trim(name.substr(0, paren))), {"SUM", "MIN", "MAX", "AVG", "COUNT"}))
            return Calc(name, FScript.get());
        FErrorList->Add(GetResources().GetString("clUnknownVar") + " " + name);
        return Null();
    });
    FScript->AddMethod("procedure Set(Name: String; Value: Variant)",
                       [this](TObject*, const TvsClassRef*, const String&, TvsMethodHelper* caller) -> Variant {
                           FVariables->SetVariable(caller->GetParamValue(0).AsString(), caller->GetParamValue(1));
                           return Variant();
                       });
    FScript->AddMethod("macrofunction IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant",
                       [this](TObject*, const TvsClassRef*, const String&, TvsMethodHelper* caller) -> Variant {
                           Variant result = Null();
                           try {
                               const Variant cond = Calc(caller->GetParamValue(0).AsString(), FScript.get());
                               result = Calc(caller->GetParamValue(IsTrue(cond) ? 1 : 2).AsString(), FScript.get());
                           } catch (const Exception&) {
                           }
                           return result;
                       });
    auto aggregate = [this](const String& function, const String& expression, const Variant& bandText,
                            const Variant& flagsText) -> Variant {
        const String b = VarIsNull(bandText) ? String() : Trim(bandText.AsString());
        const String f = VarIsNull(flagsText) ? String() : Trim(flagsText.AsString());
        return CalcAggregateCall(function, expression, b, f);
    };
    for (const char* fn : {"SUM", "AVG", "MIN", "MAX"}) {
        const String name = fn;
        FScript->AddMethod("macrofunction " + name + "(Expr: Variant; Band: Variant = 0; Flags: Integer = 0): Variant",
                           [aggregate, name](TObject*, const TvsClassRef*, const String&,
                                             TvsMethodHelper* caller) -> Variant {
                               return aggregate(name, caller->GetParamValue(0).AsString(), caller->GetParamValue(1),
                                                caller->GetParamValue(2));
                           });
    }
    FScript->AddMethod("macrofunction COUNT(Band: Variant = 0; Flags: Integer = 0): Variant",
                       [aggregate](TObject*, const TvsClassRef*, const String&, TvsMethodHelper* caller) -> Variant {
                           return aggregate("COUNT", String(), caller->GetParamValue(0), caller->GetParamValue(1));
                       });
    FValueVariable = FScript->Find("Value");
    FSelfVariable = FScript->Find("Self");
    FScript->SetLines(*FScriptText);
    FScript->SyntaxType = ScriptLanguage;
    const bool ok = FScript->Compile();
    if (!ok)
        FErrorList->Add(Format(GetResources().GetString("clScrError"), {FScript->ErrorPosition, FScript->ErrorText}));
    FScript->OwnerMarker = nullptr;
    return ok;
}

void TvrReport::SetValueVariable(const Variant& Value) {
    if (FValueVariable) FValueVariable->StoreValue(Value);
}

void TvrReport::SetSelfVariable(TvrComponent* View) {
    if (FSelfVariable) FSelfVariable->StoreValue(vsObjectToVariant(View));
}

void TvrReport::DoNotifyEvent(TObject* Obj, const String& ProcName, bool Force) {
    if (ProcName.empty() || !(Force || (FEngine && FEngine->Running))) return;
    Variant result;
    FScript->CallFunction(ProcName, VarArrayOf({vsObjectToVariant(Obj)}), result);
}

void TvrReport::DoParamEvent(const String& ProcName, Variant& Params, bool Force) {
    if (ProcName.empty() || !(Force || (FEngine && FEngine->Running))) return;
    Variant result;
    FScript->CallFunctionVar(ProcName, Params, result);
}

void TvrReport::DoBeforePrint(TvrReportComponent* Obj) {
    if (OnBeforePrint) OnBeforePrint(Obj);
    DoNotifyEvent(Obj, Obj->OnBeforePrint);
}

void TvrReport::DoAfterPrint(TvrReportComponent* Obj) {
    if (OnAfterPrint) OnAfterPrint(Obj);
    DoNotifyEvent(Obj, Obj->OnAfterPrint);
}

// The progress window shows for printing and exporting, and for preparing only with the old-style
// progress (otherwise the preview shows the build).
bool TvrReport::UsesProgressWindow(TvrProgressType Kind) const {
    return ShowProgress && (OldStyleProgress || Kind != ptRunning);
}

void TvrReport::ProgressStart(TvrProgressType Kind) {
    if (FEngineOptions->HeadlessMode) return;
    if (OnProgressStart) OnProgressStart(this, Kind, 0);
    if (UsesProgressWindow(Kind)) {
        FProgressWindow.reset();
        FProgressWindow = std::make_unique<TvrProgress>(nullptr);
        FProgressWindow->StartProgress(0, String(), false, true);
    }
    if (Kind == ptRunning && FPreview) FPreview->BuildStarted();
    Application()->ProcessMessages();
}

void TvrReport::ProgressStep(TvrProgressType Kind, Integer Progress) {
    if (FEngineOptions->HeadlessMode) return;
    if (OnProgress) OnProgress(this, Kind, Progress);
    if (FProgressWindow && UsesProgressWindow(Kind)) {
        const char* key = Kind == ptExporting                                       ? "prExporting"
                          : Kind == ptPrinting                                      ? "prPrinting"
                          : FEngine && FEngine->DoublePass() && !FEngine->FinalPass ? "prRunningFirst"
                                                                                    : "prRunning";
        FProgressWindow->SetMessageText(Format(GetResources().GetString(key), {Progress}));
        if (FProgressWindow->CancelRequested()) Terminated = true;
    }
    if (Kind == ptRunning && FPreview) FPreview->BuildStep(Progress - 1);
    Application()->ProcessMessages();
}

void TvrReport::ProgressStop(TvrProgressType Kind) {
    if (FEngineOptions->HeadlessMode) return;
    if (OnProgressStop) OnProgressStop(this, Kind, 0);
    if (UsesProgressWindow(Kind)) FProgressWindow.reset();
    if (Kind == ptRunning && FPreview) FPreview->BuildFinished();
    Application()->ProcessMessages();
}
