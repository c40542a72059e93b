// The script component: the host-facing object of the script interpreter and, once compiled, the
// symbol table of the program.
//
// A host creates a TvsScript, registers what scripts may use, puts the text into Lines, names the
// language in SyntaxType, compiles and executes:
//
//     TvsScript script(nullptr);
//     script.AddRTTI();                                   // system library and class bindings
//     script.AddMethod("procedure Print(V: Variant)",
//         [&](TObject*, const TvsClassRef*, const String&, TvsMethodHelper* Caller) {
//             out += VarToStr(Caller->GetParamValue(0));
//             return Variant();
//         });
//     script.AddVariable("Total", "Integer", 0);
//     script.Lines().SetText("begin Total := 6 * 7; Print(Total) end.");
//     if (!script.Compile())
//         report(script.ErrorText, script.ErrorPosition, script.ErrorUnitName);
//     else
//         script.Execute();                               // run-time errors raise
//
// Host classes are registered with AddClass and a TvsClassRef (vsClassOf<T>(...)); their members
// with the class registration's AddMethod/AddProperty/AddIndexProperty/AddEvent; every published
// property of a class with a class record is reachable without registration. Objects travel in
// variants as handles of the object handle table (vsObjectToVariant / vsVariantToObject), so a
// stale or forged number raises instead of reaching freed memory.
//
// Expressions: Evaluate("2 * X", Value) compiles and runs one expression in the current context
// (inside a running procedure its locals are visible); a host that evaluates the same expression
// often compiles a function once and calls it with CallFunction.
#pragma once

#include "classes/Component.h"
#include "rtl/StringList.h"
#include "script/vs_iinterpreter_items.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <type_traits>
#include <vector>

class TvsStatement;
class TvsScript;

// --- host classes ------------------------------------------------------------------------------

// What the interpreter needs to know of a host class: its name, how to tell its instances, how to
// make one, and its published properties when it has a class record.
class TvsClassRef {
public:
    using TAccepts = bool (*)(const TObject& Obj, const TvsClassRef& Self);
    using TCreate = TObject* (*)(const TvsClassRef& Self, TComponent* Owner);

    TvsClassRef(String Name, const meta::TClassInfo* Meta, TAccepts Accepts, TCreate Create)
        : FName(std::move(Name)), FMeta(Meta), FAccepts(Accepts), FCreate(Create) {}
    TvsClassRef(const TvsClassRef&) = delete;
    TvsClassRef& operator=(const TvsClassRef&) = delete;

    const String& Name() const { return FName; }
    // The class record whose published properties scripts reach by name; nullptr when none.
    const meta::TClassInfo* Meta() const { return FMeta; }
    // Obj is an instance of this class or of a descendant.
    bool IsInstance(const TObject* Obj) const { return Obj && FAccepts(*Obj, *this); }
    bool CanCreate() const { return FCreate != nullptr; }
    // A new instance (a component with the given owner); the caller owns what has no owner.
    // Raises EvsScriptError for a class that cannot be created that way.
    TObject* CreateInstance(TComponent* Owner = nullptr) const;

private:
    String FName;
    const meta::TClassInfo* FMeta;
    TAccepts FAccepts;
    TCreate FCreate;
};

namespace vsdetail {
template <class T> const meta::TClassInfo* MetaOf() {
    if constexpr (requires { T::StaticClassInfo(); })
        return &T::StaticClassInfo();
    else
        return nullptr;
}
template <class T> TObject* CreateOf(const TvsClassRef& Self, TComponent* Owner) {
    (void)Self;
    if constexpr (std::is_abstract_v<T>) {
        (void)Owner;
        return nullptr;
    } else if constexpr (std::is_constructible_v<T, TComponent*>)
        return new T(Owner);
    else if constexpr (std::is_default_constructible_v<T>) {
        (void)Owner;
        return new T();
    } else {
        (void)Owner;
        return nullptr;
    }
}
template <class T>
constexpr bool Creatable =
    !std::is_abstract_v<T> && (std::is_constructible_v<T, TComponent*> || std::is_default_constructible_v<T>);
} // namespace vsdetail

// The class reference of a C++ class T named Name (instances recognised by dynamic_cast).
template <class T> const TvsClassRef& vsClassOf(const char* Name) {
    static const TvsClassRef ref(
        Name, vsdetail::MetaOf<T>(),
        [](const TObject& Obj, const TvsClassRef&) {
            if constexpr (std::is_same_v<T, TObject>) {
                (void)Obj;
                return true;
            } else {
                return dynamic_cast<const T*>(&Obj) != nullptr;
            }
        },
        vsdetail::Creatable<T> ? &vsdetail::CreateOf<T> : nullptr);
    return ref;
}
// The same for a class with a class record (ORV_META), named by it.
template <class T> const TvsClassRef& vsClassOf() {
    return vsClassOf<T>(T::MetaClassName());
}
// The class reference of a class known only by its class record (instances recognised by their
// records' inheritance); one per record for the life of the process.
const TvsClassRef& vsClassOfInfo(const meta::TClassInfo& Info);
// The class reference of an object's own class: its class record's when the object's class has
// one, else one recognising objects by class name.
const TvsClassRef& vsClassOfObject(const TObject& Obj);

// Objects in variants: the handle of the object handle table, 0 for nil.
Variant vsObjectToVariant(TObject* Obj);
// Null, Empty and 0 give nil; a stale or forged handle raises EInvalidHandle.
TObject* vsVariantToObject(const Variant& V);
// As vsVariantToObject, and the object must be a T (EInvalidCast otherwise); nil stays nil.
template <class T> T* vsVariantToObjectAs(const Variant& V) {
    TObject* obj = vsVariantToObject(V);
    if (!obj) return nullptr;
    T* typed = dynamic_cast<T*>(obj);
    if (!typed) throw EInvalidCast("Invalid class typecast");
    return typed;
}
// The class a constructor call is to create: the class named in the call when Instance is the
// stand-in a class name yields; nullptr otherwise.
const TvsClassRef* vsClassToConstruct(TObject* Instance);

// --- events of the component ---------------------------------------------------------------------

using TvsRunLineEvent =
    std::function<void(TvsScript* Sender, const String& UnitName, const String& SourcePos)>;
// The line hook of a script (OnRunLine): a TvsRunLineEvent that also keeps a count of the set
// hooks of the process, so that while none is set a statement runs without searching its chain of
// scripts for one.
class TvsRunLineHook {
public:
    TvsRunLineHook() = default;
    TvsRunLineHook(const TvsRunLineHook&) = delete;
    TvsRunLineHook& operator=(const TvsRunLineHook&) = delete;
    ~TvsRunLineHook() { Set(nullptr); }
    TvsRunLineHook& operator=(TvsRunLineEvent handler) {
        Set(std::move(handler));
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(FHandler); }
    void operator()(TvsScript* sender, const String& unitName, const String& sourcePos) const {
        FHandler(sender, unitName, sourcePos);
    }
    // Exchanges the handler with other (a handler put aside and given back).
    void Swap(TvsRunLineEvent& other) {
        TvsRunLineEvent mine = FHandler;
        Set(std::move(other));
        other = std::move(mine);
    }
    // A hook of some script is set.
    static bool AnySet() { return FSetCount.load(std::memory_order_relaxed) != 0; }

private:
    void Set(TvsRunLineEvent handler);
    TvsRunLineEvent FHandler;
    static inline std::atomic<int> FSetCount{0};
};

using TvsGetUnitEvent = std::function<void(TvsScript* Sender, const String& UnitName, String& UnitText)>;

// --- registration modules ------------------------------------------------------------------------

// A registration module class: makes one module for a script.
using TvsRTTIModuleClass = std::unique_ptr<TvsRTTIModule> (*)(TvsScript* Script);
template <class M> std::unique_ptr<TvsRTTIModule> vsModuleClass(TvsScript* Script) {
    return std::make_unique<M>(Script);
}
// The process-wide list of module classes, in the order AddRTTI creates them. It starts with the
// system library and the class-library bindings of this library; libraries above add theirs when
// they start (RegisterRTTIModule) and remove them when they end.
std::vector<TvsRTTIModuleClass>* RTTIModuleClassList();
void RegisterRTTIModule(TvsRTTIModuleClass ModuleClass);
void UnregisterRTTIModule(TvsRTTIModuleClass ModuleClass);

// --- the component ---------------------------------------------------------------------------------

// The control-flow flags of a script's statements (break, continue, exit, stop).
struct TvsFlowFlags {
    bool BreakRequested = false;
    bool ContinueRequested = false;
    bool ExitRequested = false;
    bool TerminateRequested = false;
    // One of the four flags is set: a statement list stops after its current statement.
    bool FlowRequested() const {
        // The four flags lie side by side and are tested with one load.
        std::uint32_t flags;
        std::memcpy(&flags, &BreakRequested, sizeof flags);
        return flags != 0;
    }
};
static_assert(offsetof(TvsFlowFlags, TerminateRequested) == 3 && sizeof(TvsFlowFlags) == 4,
              "TvsFlowFlags::FlowRequested reads the four flags at once");

class TvsScript : public TComponent, public TvsFlowFlags {
public:
    explicit TvsScript(TComponent* AOwner);
    ~TvsScript() override;
    String ClassName() const override { return "TvsScript"; }

    // --- published ---
    TStringList& Lines() { return FLines; }
    void SetLines(const TStrings& Value) { FLines.Assign(Value); }
    String SyntaxType = "PascalScript";
    TvsGetUnitEvent OnGetILUnit; // a unit's intermediate form, asked by the program builder
    TvsGetUnitEvent OnGetUnit;   // a unit's source text, asked by the compiler
    TvsRunLineHook OnRunLine;    // before each statement
    TvsGetVariableValueEvent OnGetVarValue;

    // --- run-time state ---
    const void* OwnerMarker = nullptr;
    String ErrorText;     // of the last compile
    String ErrorPosition; // "line:col"
    String ErrorUnitName;
    bool ExtendedIdentifiers = false;
    bool Running = false;
    bool IsMainProgram = false;
    TvsScript* ParentScript = nullptr;
    TvsScript* RunningProgram = nullptr;
    bool SystemItemsAdded() const { return FSystemItemsAdded; }
    TvsStatement* RootStatement() const { return FRootStatement.get(); }
    TStringList& IncludeFolders() { return FIncludeFolders; }
    bool DeferUnknownMembers = false;
    bool EvaluateFailed = false;
    // Where the last run-time error that left Execute, CallFunction or Evaluate arose: the
    // statement's "line:col" and unit (empty for the main text); empty when it came from no
    // statement.
    String RunErrorPosition;
    String RunErrorUnitName;

    // --- item registry ---
    void Add(const String& Name, TObject* Item);
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    TObject* Items(Integer Index) const { return FItems[static_cast<size_t>(Index)].Item; }
    const String& ItemName(Integer Index) const { return FItems[static_cast<size_t>(Index)].Name; }
    TvsCustomVariable* FindLocal(const String& Name) const;
    TvsCustomVariable* Find(const String& Name) const;
    TvsClassVariable* LookupClass(const String& Name) const;
    void Remove(TObject* Item);
    void FreeItemsOf(const void* Owner);
    void ClearItems(const void* Owner);
    void Clear();
    // Incremented whenever the item list changes.
    unsigned Generation() const { return FGeneration; }

    // --- registration ---
    virtual TvsCustomVariable* AddType(const String& Name, TvsVarType Typ);
    virtual TvsClassVariable* AddClass(const TvsClassRef& ClassRef, const String& AncestorName);
    virtual TvsCustomVariable* AddConst(const String& Name, const String& TypeName, const Variant& Value);
    virtual void AddEnum(const String& TypeName, const String& Names);
    virtual void AddEnumSet(const String& TypeName, const String& Names);
    virtual TvsMethodHelper* AddMethod(const String& Declaration, const TvsMethodEvent& Callback,
                                       const String& Category = String(),
                                       const String& Description = String());
    virtual TvsMethodHelper* AddMethodParamArray(const String& Declaration,
                                                 const TvsMethodParamArrayEvent& Callback,
                                                 const String& Category = String(),
                                                 const String& Description = String());
    virtual TvsCustomVariable* AddObject(const String& Name, TObject* Obj);
    virtual TvsCustomVariable* AddVariable(const String& Name, const String& TypeName, const Variant& Value);
    virtual void AddComponent(TComponent* Component);
    virtual void AddForm(TComponent* Component) { AddComponent(Component); }
    void AddRTTI();
    void RemoveRTTI();

    // --- compiling and running ---
    // Never raises for errors in the script text, an unknown language, a unit that cannot be read
    // or a bad grammar: False with ErrorText, ErrorPosition and ErrorUnitName.
    bool Compile();
    // Runs the main program. Run-time errors propagate (RunErrorPosition tells where).
    void Execute();
    void RequestStop();
    // Terminate is the host's name for RequestStop.
    void Terminate() { RequestStop(); }
    // Calls a procedure or function of this script; Null and nothing run for another name.
    void CallFunction(const String& Name, const Variant& Params, Variant& Result);
    void CallFunctionVar(const String& Name, Variant& Params, Variant& Result);
    // One expression in the current context; a text that does not compile gives its error text
    // and sets EvaluateFailed.
    void Evaluate(const String& Expression, Variant& Value);
    void NotifyRunLine(const String& UnitName, const String& SourcePos);
    void AssignOrAddVariable(const String& Name, const Variant& Value);
    void RecordStatementLine(const String& UnitName, const String& SourcePos);
    bool IsExecutableLine(Integer LineNumber, const String& UnitName) const;

    // Objects created by constructor calls of this script's programs: freed with the script when
    // the script has not freed them (a component that got an owner is left to its owner).
    void AdoptObject(TObject* Obj);

    // The top of the ParentScript chain.
    TvsScript* RootScript();
    // Run-time error bookkeeping of the statements (see RunErrorPosition).
    bool RunErrorRecorded = false;
    // Values saved for recursive calls of script procedures.
    TvsFrameStack SaveStack;

private:
    struct TEntry {
        String Name;
        TObject* Item;
    };
    size_t LowerBound(const String& Name) const;
    void ClearProgram();
    void ResetFlags();
    void BeginRun();
    void EndRun(bool Failed);
    void CallProc(TvsProcVariable* Proc, const Variant& Params, bool WriteBack, Variant* OutParams,
                  Variant& Result);
    void FreeAdoptedObjects();

    std::vector<TEntry> FItems;
    unsigned FGeneration = 0;
    TStringList FLines;
    std::unique_ptr<TvsStatement> FRootStatement;
    bool FSystemItemsAdded = false;
    std::map<String, std::vector<Integer>> FCodeLines; // unit -> sorted line numbers
    TStringList FIncludeFolders;
    std::vector<Integer> FAdopted; // handles
    int FRunDepth = 0;
};

inline void TvsProcVariable::Prepare() {
    if (FLocalsGeneration != FLocalScript->Generation()) [[unlikely]]
        CollectLocals();
}

inline TvsFrameStack& TvsProcVariable::FrameStack() {
    if (!FRootScript) [[unlikely]]
        FRootScript = FLocalScript->RootScript();
    return FRootScript->SaveStack;
}

inline size_t TvsProcVariable::SaveLocals(size_t& count) {
    Prepare();
    TvsFrameStack& stack = FrameStack();
    const size_t n = FLocals.size();
    count = n;
    TvsValue* slot = stack.Reserve(n);
    TvsCustomVariable* const* locals = FLocals.data();
    for (size_t k = 0; k < n; ++k)
        slot[k] = locals[k]->Stored();
    return stack.Push(n);
}

inline void TvsProcVariable::RestoreLocals(size_t mark, size_t count) {
    TvsFrameStack& stack = FrameStack();
    TvsValue* slot = stack.At(mark);
    TvsCustomVariable* const* locals = FLocals.data();
    for (size_t k = 0; k < count; ++k)
        locals[k]->Stored() = std::move(slot[k]);
    stack.PopTo(mark);
}

// The error of a script that recurses deeper than the thread's stack allows (see vs_istack.h).
extern String SStackOverflow; // "Stack overflow""
