// Statements: lists, assignments, calls and the control structures of the four languages, run
// on the control-flow flags of the script they belong to.
#include "rtl/Format.h"
#include "script/vs_iinterpreter_prog.h"
#include "script/vs_iinterpreter_strings.h"
#include "script/vs_ivalue.h"

#include <cxxabi.h>
#include <memory>
#include <typeinfo>

String vsExceptionClassName(const std::exception& E) {
    const char* mangled = typeid(E).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    String name = status == 0 && demangled ? String(demangled.get()) : String(mangled);
    const size_t colon = name.rfind("::");
    if (colon != String::npos) name.erase(0, colon + 2);
    return name;
}

namespace {

// target is a writable variable without a host hook: a value computed from its stored one may be
// written over it in place.
inline bool WritableInPlace(const TvsCustomVariable* target) {
    return !target->ReadOnly() && !target->HasHook();
}

// target is a variable or parameter of type Integer or Variant: it may hold an integer that steps in
// place (a Float variable converts what it gets).
bool MayStepInPlace(const TvsCustomVariable* target) {
    return (target->Kind() == TvsItemKind::ikVariable || target->Kind() == TvsItemKind::ikParam) &&
           (target->Typ() == fvtInt || target->Typ() == fvtVariant);
}

} // namespace

// Notes where a run-time error arose: the innermost statement it passes records itself.
void TvsStatement::RecordError() const {
    TvsScript* root = FScript->RootScript();
    if (root->RunErrorRecorded) return;
    root->RunErrorRecorded = true;
    root->RunErrorPosition = FSourcePos;
    root->RunErrorUnitName = FUnitName;
}

// --- TvsStatement ----------------------------------------------------------------------------------

TvsStatement::TvsStatement(TvsScript* Script, const String& SourcePos, const String& UnitName)
    : FScript(Script), FSourcePos(SourcePos), FUnitName(UnitName) {}

void TvsStatement::Perform() {
    TvsScript& s = *FScript;
    if (s.TerminateRequested) return;
    // A stop requested by a statement (break, continue, exit, terminate) ends the list after it.
    for (TObject* item : FList) {
        RunChild(static_cast<TvsStatement*>(item));
        if (s.FlowRequested()) return;
    }
}

// --- assignments and calls -------------------------------------------------------------------------

TvsAssignmentStmt::~TvsAssignmentStmt() {
    delete Designator;
    delete Expression;
}

void TvsAssignmentStmt::SelectOperands() {
    FTarget = Designator->DesignatorKind() == dkVariable ? Designator->RefItem() : Designator;
    FSource = Expression->SoleOperand();
    if (!FSource) FSource = Expression->Root();
    FStepTarget = MayStepInPlace(FTarget);
    const TvsItemKind kind = FSource->Kind();
    const bool constant = kind == TvsItemKind::ikOther && dynamic_cast<const TvsOperandNode*>(FSource) &&
                          !dynamic_cast<const TvsSetNode*>(FSource) &&
                          !dynamic_cast<const TvsDesignatorNode*>(FSource);
    const bool stored = kind == TvsItemKind::ikVariable || kind == TvsItemKind::ikStringVariable ||
                        kind == TvsItemKind::ikParam;
    FSourcePure = stored || constant;
    // Where the source's value can be read in place: a constant, or a variable while it has no
    // host hook.
    FSourceValue = nullptr;
    FSourceHook = &kNoHook;
    if (constant) {
        FSourceValue = static_cast<TvsOperandNode*>(FSource)->Direct();
    } else if (stored) {
        FSourceValue = &FSource->Stored();
        if (kind != TvsItemKind::ikParam) FSourceHook = FSource->HookFlag();
    }
    // A parameter or a Variant variable takes any value as it comes, an Integer variable an
    // integer.
    const TvsItemKind target = FTarget->Kind();
    FTargetTakesAny =
        target == TvsItemKind::ikParam || (target == TvsItemKind::ikVariable && FTarget->Typ() == fvtVariant);
    FTargetTakesInteger = target == TvsItemKind::ikVariable && FTarget->Typ() == fvtInt;
}

void TvsAssignmentStmt::Perform() {
    if (!Hook()) return;
    TvsValue v = FSourceValue && !*FSourceHook ? *FSourceValue : FSource->FetchCompact();
    if ((FTargetTakesAny || (FTargetTakesInteger && v.IsInteger())) && !FTarget->ReadOnly())
        FTarget->Stored() = std::move(v);
    else
        FTarget->StoreCompact(std::move(v));
}

String TvsAssignOpStmt::ClassName() const {
    switch (FOp) {
    case '+':
        return "TvsAssignPlusStmt";
    case '-':
        return "TvsAssignMinusStmt";
    case '*':
        return "TvsAssignMulStmt";
    case '&':
        return "TvsAssignCatStmt";
    default:
        return "TvsAssignDivStmt";
    }
}

bool TvsAssignOpStmt::AppendInPlace() {
    // The target must keep its text itself (writable, no host hook), and reading the source must
    // not be able to change it (a constant or a plain variable).
    if (!WritableInPlace(FTarget) || !FSourcePure) return false;
    const bool textTarget = FTarget->Kind() == TvsItemKind::ikStringVariable;
    if (!textTarget &&
        !((FTarget->Kind() == TvsItemKind::ikVariable || FTarget->Kind() == TvsItemKind::ikParam) &&
          FTarget->Stored().VType() == varString))
        return false;
    // The source is read first: it may share its text with the target (S := S + S).
    const TvsValue e = FSource->FetchCompact();
    const Variant* boxed = e.Boxed();
    const bool textSource = boxed && boxed->VType() == varString;
    if (FOp != '&' && !textSource) return false;
    String& text = textTarget ? static_cast<TvsStringVariable*>(FTarget)->MutableText()
                              : *vsMutableString(*FTarget->Stored().MutableBoxed());
    if (textSource)
        text += vsStringOf(*boxed);
    else
        text += VarToStr(e.ToVariant());
    return true;
}

void TvsAssignOpStmt::Perform() {
    if (!Hook()) return;
    // An integer variable steps in place. The target is read before the source, which may change
    // it.
    if (FStepTarget && FOp != '&' && FOp != '/' && FTarget->Stored().IsInteger() &&
        WritableInPlace(FTarget)) {
        const Int64 a = FTarget->Stored().IntPayload();
        TvsValue compact = FSource->FetchCompact();
        if (compact.IsInteger()) {
            const Int64 b = compact.IntPayload();
            const Int64 r = FOp == '+' ? a + b : FOp == '-' ? a - b : a * b;
            if (r >= INT32_MIN && r <= INT32_MAX) {
                FTarget->Stored().SetInteger(static_cast<Integer>(r));
                return;
            }
        }
        Apply(Variant(static_cast<Integer>(a)), std::move(compact).ToVariant());
        return;
    }
    PerformGeneral();
}

void TvsAssignOpStmt::PerformGeneral() {
    // Appending to a text variable extends it in place, so a loop of appends stays linear.
    if ((FOp == '+' || FOp == '&') && AppendInPlace()) return;
    const Variant v = FTarget->FetchValue();
    Apply(v, FSource->FetchValue());
}

void TvsAssignOpStmt::Apply(const Variant& v, const Variant& e) {
    switch (FOp) {
    case '+':
        if (v.VType() == varInteger && e.VType() == varInteger) {
            const Int64 sum = vsIntOf(v) + vsIntOf(e);
            if (sum >= INT32_MIN && sum <= INT32_MAX) {
                FTarget->StoreValue(Variant(static_cast<Integer>(sum)));
                return;
            }
        }
        FTarget->StoreValue(VarBinaryOp(TVarOp::Add, v, e));
        break;
    case '-':
        FTarget->StoreValue(VarBinaryOp(TVarOp::Subtract, v, e));
        break;
    case '*':
        FTarget->StoreValue(VarBinaryOp(TVarOp::Multiply, v, e));
        break;
    case '&':
        FTarget->StoreValue(v.VType() == varString ? Variant(v.AsString() + VarToStr(e))
                                                   : VarBinaryOp(TVarOp::Add, v, e));
        break;
    default:
        FTarget->StoreValue(VarBinaryOp(TVarOp::Divide, v, e));
        break;
    }
}

TvsCallStmt::~TvsCallStmt() {
    delete Designator;
}

void TvsCallStmt::Prepare() {
    FDelta = Modifier.empty() ? 0 : Modifier[0] == '+' ? 1 : -1;
    FCounter = nullptr;
    if (FDelta && Designator->DesignatorKind() == dkVariable && MayStepInPlace(Designator->RefItem()))
        FCounter = Designator->RefItem();
}

void TvsCallStmt::Perform() {
    if (!Hook()) return;
    if (!FDelta) {
        Designator->SetNeedResult(false);
        Designator->FetchValue();
        return;
    }
    // A counter kept in a plain integer variable steps in place.
    if (!StepInPlace()) Step(FDelta);
}

void TvsCallStmt::Step(Int64 delta) {
    const Variant v = Designator->FetchValue();
    if (v.VType() == varInteger) {
        const Int64 n = vsIntOf(v) + delta;
        if (n >= INT32_MIN && n <= INT32_MAX) {
            Designator->StoreValue(Variant(static_cast<Integer>(n)));
            return;
        }
    }
    Designator->StoreValue(VarBinaryOp(delta > 0 ? TVarOp::Add : TVarOp::Subtract, v, Variant(1)));
}

// --- if and case ---------------------------------------------------------------------------------

TvsIfStmt::TvsIfStmt(TvsScript* Script, const String& SourcePos, const String& UnitName)
    : TvsStatement(Script, SourcePos, UnitName),
      ElseStmt(std::make_unique<TvsStatement>(Script, SourcePos, UnitName)) {}

TvsIfStmt::~TvsIfStmt() {
    delete Condition;
}

void TvsIfStmt::Perform() {
    if (!Hook()) return;
    if (Condition->Test())
        PerformList();
    else
        ElseStmt->PerformList();
}

TvsCaseSelector::~TvsCaseSelector() {
    delete SetExpression;
}

TvsCaseStmt::TvsCaseStmt(TvsScript* Script, const String& SourcePos, const String& UnitName)
    : TvsStatement(Script, SourcePos, UnitName),
      ElseStmt(std::make_unique<TvsStatement>(Script, SourcePos, UnitName)) {}

TvsCaseStmt::~TvsCaseStmt() {
    delete Condition;
}

void TvsCaseStmt::Perform() {
    const Variant selector = Condition->FetchValue();
    if (!Hook()) return;
    TvsStatement* branch = ElseStmt.get();
    for (TObject* o : FList) {
        auto* sel = static_cast<TvsCaseSelector*>(o);
        if (sel->SetExpression->Contains(selector)) {
            branch = sel;
            break;
        }
    }
    branch->Perform();
    if (BreakEndsCase) FScript->BreakRequested = false;
}

// --- loops -----------------------------------------------------------------------------------------

TvsRepeatStmt::~TvsRepeatStmt() {
    delete Condition;
}

void TvsRepeatStmt::Perform() {
    if (!Hook()) return;
    TvsScript& s = *FScript;
    for (;;) {
        PerformList();
        if (s.FlowRequested()) {
            if (s.BreakRequested || s.ExitRequested) break;
            s.ContinueRequested = false;
            if (s.TerminateRequested) break;
        }
        if (Condition->Test() != Inverse) break;
    }
    s.BreakRequested = false;
}

TvsWhileStmt::~TvsWhileStmt() {
    delete Condition;
}

void TvsWhileStmt::Perform() {
    if (!Hook()) return;
    TvsScript& s = *FScript;
    while (!s.TerminateRequested && Condition->Test()) {
        PerformList();
        if (s.FlowRequested()) {
            if (s.BreakRequested || s.ExitRequested) break;
            s.ContinueRequested = false;
        }
    }
    s.BreakRequested = false;
}

TvsForStmt::~TvsForStmt() {
    delete BeginValue;
    delete EndValue;
}

void TvsForStmt::Perform() {
    const Integer first = BeginValue->FetchValue().AsInteger();
    const Integer last = EndValue->FetchValue().AsInteger();
    if (!Hook()) return;
    TvsScript& s = *FScript;
    TvsValue& counter = Variable->Stored();
    if (!Down) {
        for (Int64 v = first; v <= last && !s.TerminateRequested; ++v) {
            counter.SetInteger(static_cast<Integer>(v));
            PerformList();
            if (s.FlowRequested()) {
                if (s.BreakRequested || s.ExitRequested) break;
                s.ContinueRequested = false;
            }
        }
    } else {
        for (Int64 v = first; v >= last && !s.TerminateRequested; --v) {
            counter.SetInteger(static_cast<Integer>(v));
            PerformList();
            if (s.FlowRequested()) {
                if (s.BreakRequested || s.ExitRequested) break;
                s.ContinueRequested = false;
            }
        }
    }
    s.BreakRequested = false;
}

TvsVbForStmt::~TvsVbForStmt() {
    delete BeginValue;
    delete EndValue;
    delete StepValue;
}

void TvsVbForStmt::Perform() {
    Variant i = BeginValue->FetchValue();
    const Variant last = EndValue->FetchValue();
    const Variant step = StepValue ? StepValue->FetchValue() : Variant(1);
    if (!Hook()) return;
    // A step of 0 would never reach the end.
    if (VarCompare(TVarOp::CmpEQ, step, Variant(0))) throw EvsScriptError(SForStepError);
    const bool down = VarCompare(TVarOp::CmpLT, step, Variant(0));
    TvsScript& s = *FScript;
    while (!s.TerminateRequested &&
           (down ? VarCompare(TVarOp::CmpGE, i, last) : VarCompare(TVarOp::CmpLE, i, last))) {
        Variable->Stored() = TvsValue(i);
        PerformList();
        if (s.FlowRequested()) {
            if (s.BreakRequested || s.ExitRequested) break;
            s.ContinueRequested = false;
        }
        i = VarBinaryOp(TVarOp::Add, i, step);
    }
    s.BreakRequested = false;
}

TvsCppForStmt::TvsCppForStmt(TvsScript* Script, const String& SourcePos, const String& UnitName)
    : TvsStatement(Script, SourcePos, UnitName),
      FirstStmt(std::make_unique<TvsStatement>(Script, SourcePos, UnitName)),
      SecondStmt(std::make_unique<TvsStatement>(Script, SourcePos, UnitName)) {}

TvsCppForStmt::~TvsCppForStmt() {
    delete Condition;
}

TvsCallStmt* TvsCppForStmt::Counter() {
    if (!FCounterKnown) {
        FCounterKnown = true;
        if (SecondStmt->Count() == 1) FCounter = dynamic_cast<TvsCallStmt*>(SecondStmt->Child(0));
    }
    return FCounter;
}

void TvsCppForStmt::Perform() {
    if (!Hook()) return;
    TvsScript& s = *FScript;
    FirstStmt->Perform();
    if (s.TerminateRequested) return;
    TvsCallStmt* counter = Counter();
    while (!s.TerminateRequested && Condition->Test()) {
        PerformList();
        if (s.FlowRequested()) {
            if (s.BreakRequested || s.ExitRequested) break;
            s.ContinueRequested = false;
        }
        // I++ steps in place unless the line hook is to see it.
        if (!counter || s.TerminateRequested || counter->Traced() || !counter->StepInPlace())
            SecondStmt->PerformList();
    }
    s.BreakRequested = false;
}

// --- try -------------------------------------------------------------------------------------------

TvsTryStmt::TvsTryStmt(TvsScript* Script, const String& SourcePos, const String& UnitName)
    : TvsStatement(Script, SourcePos, UnitName),
      ExceptStmt(std::make_unique<TvsStatement>(Script, SourcePos, UnitName)) {}

void TvsTryStmt::Perform() {
    if (!Hook()) return;
    TvsScript& s = *FScript;
    if (IsExcept) {
        try {
            TvsStatement::Perform();
        } catch (const Exception& e) {
            s.RootScript()->RunErrorRecorded = false;
            s.AssignOrAddVariable("ExceptionClassName", Variant(vsExceptionClassName(e)));
            s.AssignOrAddVariable("ExceptionMessage", Variant(e.Message()));
            ExceptStmt->Perform();
        }
        return;
    }
    try {
        TvsStatement::Perform();
    } catch (...) {
        RunFinally();
        throw;
    }
    RunFinally();
}

void TvsTryStmt::RunFinally() {
    // A break, continue or exit of the protected part takes effect after the whole finally part:
    // the flags are cleared while it runs (a flag left set would end it after its first statement)
    // and come back afterwards, together with what the finally part itself requested.
    TvsScript& s = *FScript;
    const bool breakRequested = s.BreakRequested, continueRequested = s.ContinueRequested,
               exitRequested = s.ExitRequested, terminateRequested = s.TerminateRequested;
    s.BreakRequested = s.ContinueRequested = s.ExitRequested = s.TerminateRequested = false;
    ExceptStmt->Perform();
    s.BreakRequested = s.BreakRequested || breakRequested;
    s.ContinueRequested = s.ContinueRequested || continueRequested;
    s.ExitRequested = s.ExitRequested || exitRequested;
    s.TerminateRequested = s.TerminateRequested || terminateRequested;
}

// --- jumps and with ---------------------------------------------------------------------------------

void TvsBreakStmt::Perform() {
    FScript->BreakRequested = true;
}

void TvsContinueStmt::Perform() {
    FScript->ContinueRequested = true;
}

void TvsExitStmt::Perform() {
    Hook();
    FScript->ExitRequested = true;
}

TvsWithStmt::~TvsWithStmt() {
    delete Designator;
}

void TvsWithStmt::Perform() {
    TvsStatement::Perform();
    Variable->StoreValue(Designator->FetchValue());
}
