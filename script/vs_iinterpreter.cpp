#include "script/vs_iinterpreter.h"

#include "classes/Collection.h"
#include "classes/ObjectHandles.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "script/vs_iclassesrtti.h"
#include "script/vs_iinirtti.h"
#include "script/vs_iilparser.h"
#include "script/vs_iinterpreter_build.h"
#include "script/vs_iinterpreter_call.h"
#include "script/vs_iinterpreter_prog.h"
#include "script/vs_iinterpreter_strings.h"
#include "script/vs_iinterpreter_sys.h"
#include "script/vs_istack.h"
#include "script/vs_itools_script.h"
#include "script/vs_ivalue.h"
#include "script/vs_xml.h"

#include <algorithm>
#include <mutex>
#include <pthread.h>

String SStackOverflow = "Stack overflow";

// --- class references ------------------------------------------------------------------------------

TObject* TvsClassRef::CreateInstance(TComponent* Owner) const {
    TObject* obj = FCreate ? FCreate(*this, Owner) : nullptr;
    if (!obj) throw EvsScriptError(Format(SCannotCreate, {FName}));
    return obj;
}

const TvsClassRef& vsClassOfInfo(const meta::TClassInfo& Info) {
    static std::mutex lock;
    static std::map<const meta::TClassInfo*, std::unique_ptr<TvsClassRef>> refs;
    std::lock_guard guard(lock);
    auto& ref = refs[&Info];
    if (!ref)
        ref = std::make_unique<TvsClassRef>(
            Info.Name(), &Info,
            [](const TObject& Obj, const TvsClassRef& Self) { return meta::ClassInfoOf(Obj).InheritsFrom(*Self.Meta()); },
            Info.CanCreate() ? +[](const TvsClassRef& Self, TComponent* Owner) -> TObject* {
                const meta::TClassInfo& cls = *Self.Meta();
                if (cls.IsComponentClass()) return cls.CreateComponent(Owner);
                if (cls.CreateKind() == meta::TCreateKind::Plain) return cls.CreateInstance().release();
                return nullptr;
            }
                             : nullptr);
    return *ref;
}

const TvsClassRef& vsClassOfObject(const TObject& Obj) {
    const meta::TClassInfo& info = meta::ClassInfoOf(Obj);
    const String name = Obj.ClassName();
    if (SameText(info.Name(), name)) return vsClassOfInfo(info);
    static std::mutex lock;
    static std::map<String, std::unique_ptr<TvsClassRef>> refs;
    std::lock_guard guard(lock);
    auto& ref = refs[UpperCase(name)];
    if (!ref)
        ref = std::make_unique<TvsClassRef>(
            name, &info,
            [](const TObject& O, const TvsClassRef& Self) { return SameText(O.ClassName(), Self.Name()); },
            nullptr);
    return *ref;
}

Variant vsObjectToVariant(TObject* Obj) {
    return Variant(ObjectToHandle(Obj));
}

TObject* vsVariantToObject(const Variant& V) {
    switch (V.VType()) {
    case varEmpty:
    case varNull:
        return nullptr;
    case varInteger:
        return HandleToObject(V.AsInteger());
    default:
        if (VarIsStr(V) || VarIsArray(V) || V.VType() == varDispatch)
            throw EInvalidCast("Invalid class typecast");
        return HandleToObject(V.AsInteger());
    }
}

const TvsClassRef* vsClassToConstruct(TObject* Instance) {
    auto* stand = dynamic_cast<TvsNewInstance*>(Instance);
    return stand ? stand->ClassRef() : nullptr;
}

// --- module list -----------------------------------------------------------------------------------

namespace {

bool gModuleListDone = false;

struct TModuleList {
    std::vector<TvsRTTIModuleClass> Classes{&vsModuleClass<TvsSysFunctions>,
                                            &vsModuleClass<TvsClassesFunctions>,
                                            &vsModuleClass<TvsIniFunctions>};
    ~TModuleList() { gModuleListDone = true; }
};

TModuleList& ModuleList() {
    static TModuleList list;
    return list;
}

} // namespace

std::vector<TvsRTTIModuleClass>* RTTIModuleClassList() {
    if (gModuleListDone) return nullptr;
    return &ModuleList().Classes;
}

void RegisterRTTIModule(TvsRTTIModuleClass ModuleClass) {
    if (auto* list = RTTIModuleClassList()) list->push_back(ModuleClass);
}

void UnregisterRTTIModule(TvsRTTIModuleClass ModuleClass) {
    if (auto* list = RTTIModuleClassList()) std::erase(*list, ModuleClass);
}

// --- TvsProcVariable -------------------------------------------------------------------------------

// --- the stack guard -------------------------------------------------------------------------------

namespace {

// The floor of the calling thread's stack: its low end plus a margin for what runs between two
// checks (host functions, the unwinding of the error) of a quarter of the stack, at least 64 KB
// and at most 1 MB.
std::uintptr_t MeasureStackFloor(std::uintptr_t Frame) {
    std::size_t size = 0;
    void* low = nullptr;
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
        if (pthread_attr_getstack(&attr, &low, &size) != 0) low = nullptr;
        pthread_attr_destroy(&attr);
    }
    const auto base = reinterpret_cast<std::uintptr_t>(low);
    if (!low || size == 0 || Frame < base || Frame - base > size) {
        // Unknown bounds: allow 512 KB below the first frame seen.
        return Frame - 512 * 1024;
    }
    const std::size_t margin = std::clamp<std::size_t>(size / 4, 64 * 1024, 1024 * 1024);
    return base + margin;
}

} // namespace

void vsdetail::StackExhausted(std::uintptr_t Frame) {
    if (tStackFloor == ~std::uintptr_t(0)) {
        tStackFloor = MeasureStackFloor(Frame);
        if (Frame >= tStackFloor) return;
    }
    throw EvsScriptError(SStackOverflow);
}

TvsProcVariable::TvsProcVariable(const String& Name, TvsVarType Typ, const String& TypeName,
                                 TvsScript* Parent, bool IsFunction)
    : TvsCustomVariable(Name, Typ, TypeName, TvsItemKind::ikProc), FIsFunction(IsFunction),
      FLocalScript(std::make_unique<TvsScript>(nullptr)) {
    FReadOnly = true;
    FLocalScript->ParentScript = Parent;
    FLocalScript->SyntaxType = Parent ? Parent->SyntaxType : String("PascalScript");
    FLocalScript->DeferUnknownMembers = Parent && Parent->DeferUnknownMembers;
    FLocalScript->ExtendedIdentifiers = Parent && Parent->ExtendedIdentifiers;
    if (IsFunction) {
        TvsVariable* result = Typ == fvtString || Typ == fvtChar
                                  ? new TvsStringVariable("Result", Typ, TypeName)
                                  : new TvsVariable("Result", Typ, TypeName);
        FRefItem = result;
        FLocalScript->Add("Result", result);
    }
}

TvsProcVariable::~TvsProcVariable() {
    for (Integer i = 0; i < Count(); ++i)
        FLocalScript->Remove(Item(i));
    FLocalScript.reset();
}

void TvsProcVariable::CollectLocals() {
    // Items the local script gained (a path resolved while the procedure runs may add one) go to
    // the end, so frames saved before keep their order.
    TvsScript& local = *FLocalScript;
    for (Integer i = 0; i < local.Count(); ++i) {
        auto* item = dynamic_cast<TvsCustomVariable*>(local.Items(i));
        if (!item) continue;
        switch (item->Kind()) {
        case TvsItemKind::ikVariable:
        case TvsItemKind::ikStringVariable:
        case TvsItemKind::ikArrayVariable:
        case TvsItemKind::ikParam:
            if (std::find(FLocals.begin(), FLocals.end(), item) == FLocals.end()) FLocals.push_back(item);
            break;
        default:
            break;
        }
    }
    FHasVarParams = false;
    for (Integer i = 0; i < Count(); ++i)
        FHasVarParams = FHasVarParams || Param(i)->IsVar();
    FLocalsGeneration = local.Generation();
}

Variant TvsProcVariable::FetchValue() {
    vsCheckStack();
    Run();
    if (FIsFunction && FRefItem) return FRefItem->FetchValue();
    return Null();
}

TvsValue TvsProcVariable::FetchCompact() {
    vsCheckStack();
    Run();
    if (FIsFunction && FRefItem) return FRefItem->FetchCompact();
    return TvsValue::OfNull();
}

// --- TvsRunLineHook ----------------------------------------------------------------------------------

void TvsRunLineHook::Set(TvsRunLineEvent handler) {
    const bool wasSet = static_cast<bool>(FHandler);
    FHandler = std::move(handler);
    const bool isSet = static_cast<bool>(FHandler);
    if (isSet != wasSet) FSetCount.fetch_add(isSet ? 1 : -1, std::memory_order_relaxed);
}

// --- TvsScript -------------------------------------------------------------------------------------

TvsScript::TvsScript(TComponent* AOwner)
    : TComponent(AOwner), FRootStatement(std::make_unique<TvsStatement>(this, String(), String())) {
    FIncludeFolders.Add(String());
}

TvsScript::~TvsScript() {
    // The program first: its statements refer to the items.
    FRootStatement->Clear();
    std::vector<TEntry> items;
    items.swap(FItems);
    for (TEntry& e : items)
        delete e.Item;
    FreeAdoptedObjects();
}

TvsScript* TvsScript::RootScript() {
    TvsScript* s = this;
    while (s->ParentScript)
        s = s->ParentScript;
    return s;
}

size_t TvsScript::LowerBound(const String& Name) const {
    size_t lo = 0, hi = FItems.size();
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (AnsiCompareText(FItems[mid].Name, Name) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

void TvsScript::Add(const String& Name, TObject* Item) {
    if (auto* v = dynamic_cast<TvsCustomVariable*>(Item)) v->SetOwnerMarker(OwnerMarker);
    FItems.insert(FItems.begin() + static_cast<std::ptrdiff_t>(LowerBound(Name)), TEntry{Name, Item});
    ++FGeneration;
}

TvsCustomVariable* TvsScript::FindLocal(const String& Name) const {
    const size_t i = LowerBound(Name);
    if (i < FItems.size() && AnsiCompareText(FItems[i].Name, Name) == 0)
        return dynamic_cast<TvsCustomVariable*>(FItems[i].Item);
    return nullptr;
}

TvsCustomVariable* TvsScript::Find(const String& Name) const {
    for (const TvsScript* s = this; s; s = s->ParentScript)
        if (TvsCustomVariable* v = s->FindLocal(Name)) return v;
    return nullptr;
}

TvsClassVariable* TvsScript::LookupClass(const String& Name) const {
    TvsCustomVariable* v = Find(Name);
    return v && v->Kind() == TvsItemKind::ikClass ? static_cast<TvsClassVariable*>(v) : nullptr;
}

void TvsScript::Remove(TObject* Item) {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].Item == Item) {
            FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(i));
            ++FGeneration;
            return;
        }
}

void TvsScript::FreeItemsOf(const void* Owner) {
    for (size_t i = FItems.size(); i-- > 0;) {
        auto* v = dynamic_cast<TvsCustomVariable*>(FItems[i].Item);
        if (v && v->OwnerMarker() == Owner) {
            FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(i));
            delete v;
        }
    }
    ++FGeneration;
}

void TvsScript::ClearProgram() {
    FRootStatement->Clear();
    FCodeLines.clear();
}

void TvsScript::ClearItems(const void* Owner) {
    ClearProgram();
    FreeItemsOf(Owner);
}

void TvsScript::Clear() {
    ClearProgram();
    std::vector<TEntry> keep;
    std::vector<TObject*> drop;
    for (TEntry& e : FItems) {
        auto* v = dynamic_cast<TvsCustomVariable*>(e.Item);
        const bool module = dynamic_cast<TvsRTTIModule*>(e.Item) != nullptr;
        if (module || (v && v->OwnerMarker() == vsSystemItemMarker))
            keep.push_back(e);
        else
            drop.push_back(e.Item);
    }
    FItems.swap(keep);
    ++FGeneration;
    for (TObject* o : drop)
        delete o;
    ErrorPosition.clear();
    ErrorText.clear();
    ErrorUnitName.clear();
}

// --- registration ------------------------------------------------------------------------------------

namespace {

TvsVariable* NewVariable(const String& Name, TvsVarType Typ, const String& TypeName) {
    if (Typ == fvtString || Typ == fvtChar) return new TvsStringVariable(Name, Typ, TypeName);
    return new TvsVariable(Name, Typ, TypeName);
}

} // namespace

TvsCustomVariable* TvsScript::AddType(const String& Name, TvsVarType Typ) {
    if (TvsCustomVariable* v = Find(Name)) return v;
    auto* t = new TvsTypeVariable(Name, Typ);
    Add(Name, t);
    return t;
}

TvsClassVariable* TvsScript::AddClass(const TvsClassRef& ClassRef, const String& AncestorName) {
    if (Find(ClassRef.Name())) return nullptr;
    auto* cls = new TvsClassVariable(&ClassRef, AncestorName, this);
    if (TvsClassVariable* ancestor = LookupClass(AncestorName))
        cls->DefaultProperty = ancestor->DefaultProperty;
    Add(ClassRef.Name(), cls);
    return cls;
}

TvsCustomVariable* TvsScript::AddConst(const String& Name, const String& TypeName, const Variant& Value) {
    if (TvsCustomVariable* v = Find(Name)) return v;
    TvsVariable* v = NewVariable(Name, TypeCodeOf(TypeName, this), TypeName);
    v->StoreValue(Value);
    v->SetReadOnly(true);
    Add(Name, v);
    return v;
}

void TvsScript::AddEnum(const String& TypeName, const String& Names) {
    Add(TypeName, new TvsVariable(TypeName, fvtEnum, TypeName));
    Integer value = 0;
    for (const String& name : vsSplitCommaList(Names)) {
        auto* v = new TvsVariable(name, fvtEnum, TypeName);
        v->Stored() = TvsValue::OfInteger(value++);
        v->SetReadOnly(true);
        Add(name, v);
    }
}

void TvsScript::AddEnumSet(const String& TypeName, const String& Names) {
    Add(TypeName, new TvsVariable(TypeName, fvtEnum, TypeName));
    Integer value = 1;
    for (const String& name : vsSplitCommaList(Names)) {
        auto* v = new TvsVariable(name, fvtEnum, TypeName);
        v->Stored() = TvsValue::OfInteger(value);
        value <<= 1;
        v->SetReadOnly(true);
        Add(name, v);
    }
}

TvsMethodHelper* TvsScript::AddMethod(const String& Declaration, const TvsMethodEvent& Callback,
                                      const String& Category, const String& Description) {
    auto* m = new TvsMethodHelper(Declaration, this);
    m->ItemCallback = Callback;
    m->Category = Category;
    if (!Description.empty()) m->Description = Description;
    Add(m->Name(), m);
    return m;
}

TvsMethodHelper* TvsScript::AddMethodParamArray(const String& Declaration,
                                                const TvsMethodParamArrayEvent& Callback,
                                                const String& Category, const String& Description) {
    auto* m = new TvsMethodHelper(Declaration, this);
    m->ArrayCallback = Callback;
    m->Category = Category;
    if (!Description.empty()) m->Description = Description;
    Add(m->Name(), m);
    return m;
}

TvsCustomVariable* TvsScript::AddObject(const String& Name, TObject* Obj) {
    return AddVariable(Name, Obj ? Obj->ClassName() : String("TObject"), vsObjectToVariant(Obj));
}

TvsCustomVariable* TvsScript::AddVariable(const String& Name, const String& TypeName, const Variant& Value) {
    if (TvsCustomVariable* v = Find(Name)) return v;
    TvsVariable* v = NewVariable(Name, TypeCodeOf(TypeName, this), TypeName);
    v->StoreValue(Value);
    v->SetOnGetVarValue(OnGetVarValue);
    Add(Name, v);
    return v;
}

void TvsScript::AddComponent(TComponent* Component) {
    if (!Component) return;
    TvsClassVariable* cls = LookupClass(Component->ClassName());
    if (!cls) {
        const char* ancestor = Component->InheritsFrom("TForm")         ? "TForm"
                               : Component->InheritsFrom("TDataModule") ? "TDataModule"
                               : Component->InheritsFrom("TFrame")      ? "TFrame"
                                                                        : nullptr;
        if (!ancestor) return;
        cls = AddClass(vsClassOfObject(*Component), ancestor);
        if (!cls) return;
    }
    for (int i = 0; i < Component->ComponentCount(); ++i)
        if (!Component->Components(i)->Name().empty()) cls->AddComponent(Component->Components(i));
    AddObject(Component->Name(), Component);
}

void TvsScript::AddRTTI() {
    if (FSystemItemsAdded) return;
    auto* list = RTTIModuleClassList();
    OwnerMarker = vsSystemItemMarker;
    try {
        if (list)
            for (TvsRTTIModuleClass make : *list) {
                std::unique_ptr<TvsRTTIModule> module = make(this);
                Add(String(), module.release());
            }
    } catch (...) {
        OwnerMarker = nullptr;
        throw;
    }
    OwnerMarker = nullptr;
    FSystemItemsAdded = true;
}

void TvsScript::RemoveRTTI() {
    if (!FSystemItemsAdded) return;
    std::vector<TObject*> drop;
    for (size_t i = FItems.size(); i-- > 0;) {
        TObject* item = FItems[i].Item;
        auto* v = dynamic_cast<TvsCustomVariable*>(item);
        if (dynamic_cast<TvsRTTIModule*>(item) || (v && v->OwnerMarker() == vsSystemItemMarker)) {
            FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(i));
            drop.push_back(item);
        }
    }
    ++FGeneration;
    for (TObject* o : drop)
        delete o;
    FSystemItemsAdded = false;
}

void TvsScript::AdoptObject(TObject* Obj) {
    if (Obj) RootScript()->FAdopted.push_back(ObjectToHandle(Obj));
}

void TvsScript::FreeAdoptedObjects() {
    std::vector<Integer> handles;
    handles.swap(FAdopted);
    for (Integer h : handles) {
        if (!IsValidObjectHandle(h)) continue;
        TObject* obj = HandleToObject(h);
        // Something else owns it by now: a component's owner, a collection, an element's parent.
        if (auto* c = dynamic_cast<TComponent*>(obj); c && c->Owner()) continue;
        if (auto* item = dynamic_cast<TCollectionItem*>(obj); item && item->Collection()) continue;
        if (auto* x = dynamic_cast<TvsXMLItem*>(obj); x && x->Parent()) continue;
        delete obj;
    }
}

// --- compiling -----------------------------------------------------------------------------------------

namespace {

class TScriptHost : public TvsILHost {
public:
    explicit TScriptHost(TvsScript& Script) : FScript(Script) {}
    bool ExtendedIdentifiers() const override { return FScript.ExtendedIdentifiers; }
    bool GetUnitText(const String& UnitName, String& UnitText) override {
        if (!FScript.OnGetUnit) return false;
        FScript.OnGetUnit(&FScript, UnitName, UnitText);
        return true;
    }
    std::vector<String> IncludeFolders() const override {
        std::vector<String> folders;
        for (Integer i = 0; i < FScript.IncludeFolders().Count(); ++i)
            folders.push_back(FScript.IncludeFolders().Strings(i));
        return folders;
    }

private:
    TvsScript& FScript;
};

} // namespace

bool TvsScript::Compile() {
    ErrorText.clear();
    ErrorPosition.clear();
    ErrorUnitName.clear();
    try {
        TScriptHost host(*this);
        TvsILParser parser(&host);
        parser.SelectLanguage(SyntaxType);
        String text;
        for (Integer i = 0; i < FLines.Count(); ++i)
            text += FLines.Strings(i) + "\r\n";
        const bool ok = parser.BuildIntermediate(text);
        ErrorText = parser.ErrorText();
        ErrorPosition = parser.ErrorPosition();
        ErrorUnitName = parser.ErrorUnitName();
        if (ok) TvsProgramBuilder(parser, this).BuildProgram();
    } catch (const std::exception& e) {
        // An unknown language, a bad grammar or a unit that cannot be read.
        ErrorText = e.what();
        if (ErrorText.empty()) ErrorText = vsExceptionClassName(e);
    }
    if (ErrorText.empty()) ErrorPosition.clear();
    return ErrorText.empty();
}

// --- running -------------------------------------------------------------------------------------------

void TvsScript::ResetFlags() {
    BreakRequested = false;
    ContinueRequested = false;
    ExitRequested = false;
    TerminateRequested = false;
}

void TvsScript::BeginRun() {
    TvsScript* root = RootScript();
    if (root->FRunDepth++ == 0) {
        root->RunErrorRecorded = false;
        root->RunErrorPosition.clear();
        root->RunErrorUnitName.clear();
    }
}

void TvsScript::EndRun(bool Failed) {
    TvsScript* root = RootScript();
    --root->FRunDepth;
    if (!Failed && root->FRunDepth == 0) root->RunErrorRecorded = false;
}

void TvsScript::Execute() {
    // Every flag starts cleared: a stray break or stop of an earlier run cannot cut this one short.
    ResetFlags();
    Running = true;
    IsMainProgram = true;
    BeginRun();
    try {
        FRootStatement->Perform();
    } catch (...) {
        ResetFlags();
        Running = false;
        EndRun(true);
        throw;
    }
    ResetFlags();
    Running = false;
    EndRun(false);
}

namespace {

void SetProcRequestStop(TvsScript& Script) {
    Script.ExitRequested = true;
    Script.TerminateRequested = true;
    for (Integer i = 0; i < Script.Count(); ++i) {
        auto* v = dynamic_cast<TvsCustomVariable*>(Script.Items(i));
        if (v && v->Kind() == TvsItemKind::ikProc)
            SetProcRequestStop(*static_cast<TvsProcVariable*>(v)->LocalScript());
    }
}

} // namespace

void TvsScript::RequestStop() {
    SetProcRequestStop(*this);
}

void TvsScript::CallProc(TvsProcVariable* Proc, const Variant& Params, bool WriteBack, Variant* OutParams,
                         Variant& Result) {
    if (VarIsArray(Params)) {
        const int high = VarArrayHighBound(Params, 1);
        const int low = VarArrayLowBound(Params, 1);
        for (int i = 0; i <= high; ++i) {
            if (i >= Proc->Count()) ListIndexError(i);
            Proc->Param(i)->StoreValue(VarArrayGet(Params, {low + i}));
        }
    }
    BeginRun();
    try {
        Result = Proc->FetchValue();
    } catch (...) {
        EndRun(true);
        throw;
    }
    EndRun(false);
    if (WriteBack && OutParams && VarIsArray(*OutParams)) {
        const int high = VarArrayHighBound(*OutParams, 1);
        const int low = VarArrayLowBound(*OutParams, 1);
        for (int i = 0; i <= high && i < Proc->Count(); ++i)
            VarArrayPut(*OutParams, Proc->Param(i)->Value(), {low + i});
    }
}

void TvsScript::CallFunction(const String& Name, const Variant& Params, Variant& Result) {
    Result = Null();
    TvsCustomVariable* v = FindLocal(Name);
    if (!v || v->Kind() != TvsItemKind::ikProc) return;
    CallProc(static_cast<TvsProcVariable*>(v), Params, false, nullptr, Result);
}

void TvsScript::CallFunctionVar(const String& Name, Variant& Params, Variant& Result) {
    Result = Null();
    TvsCustomVariable* v = FindLocal(Name);
    if (!v || v->Kind() != TvsItemKind::ikProc) return;
    const Variant in = Params;
    CallProc(static_cast<TvsProcVariable*>(v), in, true, &Params, Result);
}

void TvsScript::Evaluate(const String& Expression, Variant& Value) {
    EvaluateFailed = false;
    Value = Null();
    TvsScript* context = RunningProgram ? RunningProgram : this;
    TvsScript child(nullptr);
    // Lookups reach the context's items and, through it, the system library; a context without
    // the registration modules gets them in the child.
    bool hasSystem = false;
    for (TvsScript* s = context; s && !hasSystem; s = s->ParentScript)
        hasSystem = s->SystemItemsAdded();
    if (!hasSystem) child.AddRTTI();
    child.ParentScript = context;
    child.OnGetVarValue = context->OnGetVarValue;
    child.ExtendedIdentifiers = ExtendedIdentifiers;
    child.SyntaxType = SyntaxType;
    TvsRunLineEvent savedRunLine;
    OnRunLine.Swap(savedRunLine);
    TScopeExit restore([&] { OnRunLine.Swap(savedRunLine); });

    String text;
    if (SameText(SyntaxType, "PascalScript"))
        text = "function vsEvaluateFUNC: Variant; begin Result := " + Expression + " end; begin end.";
    else if (SameText(SyntaxType, "D++Idezer"))
        text = "Variant vsEvaluateFUNC() { return " + Expression + "; } {}";
    else if (SameText(SyntaxType, "VuzirUzezid"))
        text = "function vsEvaluateFUNC\r\nreturn " + Expression + "\r\nend function";
    else if (SameText(SyntaxType, "JScript"))
        text = "function vsEvaluateFUNC() { return (" + Expression + "); }";
    child.Lines().SetText(text);
    if (!child.Compile()) {
        Value = Variant(child.ErrorText);
        EvaluateFailed = true;
        return;
    }
    child.CallFunction("vsEvaluateFUNC", Null(), Value);
}

void TvsScript::NotifyRunLine(const String& UnitName, const String& SourcePos) {
    for (TvsScript* s = this; s; s = s->ParentScript)
        if (s->OnRunLine) {
            s->OnRunLine(this, UnitName, SourcePos);
            return;
        }
}

void TvsScript::AssignOrAddVariable(const String& Name, const Variant& Value) {
    if (TvsCustomVariable* v = Find(Name))
        v->StoreValue(Value);
    else
        AddVariable(Name, "Variant", Value);
}

void TvsScript::RecordStatementLine(const String& UnitName, const String& SourcePos) {
    const size_t colon = SourcePos.find(':');
    Integer line = 0;
    if (!TryStrToInt(SourcePos.substr(0, colon), line)) return;
    std::vector<Integer>& lines = FCodeLines[UpperCase(UnitName)];
    auto it = std::lower_bound(lines.begin(), lines.end(), line);
    if (it == lines.end() || *it != line) lines.insert(it, line);
}

bool TvsScript::IsExecutableLine(Integer LineNumber, const String& UnitName) const {
    auto it = FCodeLines.find(UpperCase(UnitName));
    if (it == FCodeLines.end()) return false;
    return std::binary_search(it->second.begin(), it->second.end(), LineNumber);
}
