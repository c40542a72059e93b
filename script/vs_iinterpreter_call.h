// How a script procedure runs: the start of its Result, the flags of its local script and the
// main program's running procedure around the run of its body. Shared by the general path
// (FetchValue: access paths, calls of the host) and the calls of script functions in expressions,
// which run them without further call levels.
#pragma once

#include "script/vs_iinterpreter_prog.h"

// Callers check the stack first.
[[gnu::always_inline]] inline void TvsProcVariable::Run() {
    const bool wasExecuting = FExecuting;
    FExecuting = true;
    TvsScript& local = *FLocalScript;
    if (FIsFunction && FRefItem) {
        // Result starts as Unassigned converted to the function's type.
        FRefItem->SetReadOnly(false);
        if (FRefItem->Kind() == TvsItemKind::ikVariable) {
            if (!FResultStartKnown || FResultStartTyp != FRefItem->Typ()) [[unlikely]] {
                FResultStart = TvsValue(TvsVariable::Convert(Variant(), FRefItem->Typ()));
                FResultStartTyp = FRefItem->Typ();
                FResultStartKnown = true;
            }
            FRefItem->Stored() = FResultStart;
        } else
            FRefItem->StoreValue(Variant());
    }
    // The main program whose running procedure this becomes (Evaluate sees its locals); the chain
    // of scripts is fixed, so once found it is kept.
    if (!FMainScript) [[unlikely]]
        for (TvsScript* s = &local; s; s = s->ParentScript)
            if (s->IsMainProgram) {
                FMainScript = s;
                break;
            }
    TvsScript* main = FMainScript;
    TvsScript* previousProgram = main ? main->RunningProgram : nullptr;
    if (main) main->RunningProgram = &local;
    // Every flag starts cleared, so a stray break or stop of an earlier call cannot cut this one
    // short; they are cleared again when the call ends, however it ends.
    struct TFinish {
        TvsScript& Local;
        TvsScript* Main;
        TvsScript* Previous;
        bool& Executing;
        bool WasExecuting;
        ~TFinish() {
            static_cast<TvsFlowFlags&>(Local) = TvsFlowFlags();
            Local.Running = false;
            if (Main) Main->RunningProgram = Previous;
            Executing = WasExecuting;
        }
    } finish{local, main, previousProgram, FExecuting, wasExecuting};
    static_cast<TvsFlowFlags&>(local) = TvsFlowFlags();
    local.Running = true;
    local.RootStatement()->PerformList();
}

[[gnu::always_inline]] inline TvsValue TvsProcVariable::Invoke() {
    // The call (TvsCallDesignator) has checked the stack.
    Run();
    if (!FIsFunction || !FRefItem) return TvsValue::OfNull();
    // Result is a plain variable of the local script; a host hook (never set by the interpreter)
    // would answer through FetchCompact.
    if (FRefItem->HasHook() || FRefItem->Kind() != TvsItemKind::ikVariable) return FRefItem->FetchCompact();
    return std::move(FRefItem->Stored());
}
