// Designators: access paths evaluated step by step, with fast kinds for a plain variable, a
// character of a string variable and an element of an array variable.
#include "rtl/VariantInternal.h"
#include "script/vs_iinterpreter_build.h"
#include "script/vs_iinterpreter_call.h"
#include "script/vs_iinterpreter_prog.h"
#include "script/vs_iinterpreter_strings.h"
#include "script/vs_istack.h"
#include "script/vs_ivalue.h"
#include "script/vs_xml.h"

#include <algorithm>
#include <type_traits>

namespace {

thread_local std::vector<TvsValue> tArgStack;

bool IsHelper(const TvsCustomVariable* Item) {
    switch (Item->Kind()) {
    case TvsItemKind::ikMethod:
    case TvsItemKind::ikProperty:
    case TvsItemKind::ikComponent:
    case TvsItemKind::ikEvent:
    case TvsItemKind::ikArrayHelper:
    case TvsItemKind::ikStringHelper:
    case TvsItemKind::ikOLE:
        return true;
    default:
        return false;
    }
}

// Saves the locals of a procedure that is already running and restores them when the step ends.
class TLocalsGuard {
public:
    explicit TLocalsGuard(TvsProcVariable* proc) {
        if (proc && proc->Executing()) {
            FProc = proc;
            FMark = proc->SaveLocals(FCount);
        }
    }
    ~TLocalsGuard() {
        if (FProc) FProc->RestoreLocals(FMark, FCount);
    }
    TLocalsGuard(const TLocalsGuard&) = delete;
    TLocalsGuard& operator=(const TLocalsGuard&) = delete;

private:
    TvsProcVariable* FProc = nullptr;
    size_t FMark = 0;
    size_t FCount = 0;
};

// Hands the first Count arguments of Step to Item's parameters. They are all evaluated before any
// parameter changes (F(G(1), H(2))) and wait on a stack shared by the nested calls, so a call
// allocates nothing; a macro function gets the texts of its arguments.
void PassArguments(TvsCustomVariable& Item, TvsDesignatorItem& Step, Integer Count) {
    if (Count <= 0) return;
    if (Count == 1 && !Item.IsMacro()) {
        // A sole argument has no other argument to wait for.
        Item.Param(0)->StoreCompact(Step.Arg(0)->FetchCompact());
        return;
    }
    std::vector<TvsValue>& args = tArgStack;
    const size_t base = args.size();
    struct TPop {
        std::vector<TvsValue>& Args;
        size_t Base;
        ~TPop() { Args.resize(Base); }
    } pop{args, base};
    if (Item.IsMacro()) {
        for (Integer a = 0; a < Count; ++a)
            args.emplace_back(Variant(static_cast<TvsExpression*>(Step.Arg(a))->SourceText));
    } else {
        for (Integer a = 0; a < Count; ++a)
            args.push_back(Step.Arg(a)->FetchCompact());
    }
    for (Integer a = 0; a < Count; ++a)
        Item.Param(a)->StoreCompact(std::move(args[base + static_cast<size_t>(a)]));
}

// After the call: the values of var parameters go back to their arguments.
void ReturnVarArguments(TvsCustomVariable& Item, TvsDesignatorItem& Step, Integer Count) {
    for (Integer a = 0; a < Count; ++a) {
        TvsParamItem* param = Item.Param(a);
        if (param->IsVar()) Step.Arg(a)->StoreValue(param->Value());
    }
}

} // namespace

TvsDesignator::TvsDesignator(TvsScript* Script)
    : TvsCustomVariable(String(), fvtVariant, String(), TvsItemKind::ikDesignator), FScript(Script) {
    TvsScript* main = nullptr;
    for (TvsScript* s = Script; s; s = s->ParentScript)
        if (s->IsMainProgram) {
            main = s;
            break;
        }
    if (main && Script) Script->DeferUnknownMembers = main->DeferUnknownMembers;
}

TvsDesignator::~TvsDesignator() = default;

TvsDesignatorItem* TvsDesignator::AddStep(TvsCustomVariable* Ref, const String& Pos) {
    auto* step = new TvsDesignatorItem();
    step->Ref = Ref;
    step->Pos = Pos;
    Add(step);
    return step;
}

void TvsDesignator::RemoveLastStep() {
    if (!Count()) return;
    TObject* last = Item(Count() - 1);
    Remove(last);
    delete last;
}

void TvsDesignator::SetLateBinding(std::unique_ptr<TvsXMLItem> Element) {
    FLateElement = std::move(Element);
    FDKind = dkGeneral;
}

void TvsDesignator::ResolveKind() {
    if (!Count()) return;
    TvsCustomVariable* last = LastStep()->Ref;
    FTyp = last->Typ();
    FTypeName = last->TypeName();
    if (FTyp == fvtConstructor) {
        FTyp = fvtClass;
        FTypeName = Count() > 1 ? Step(Count() - 2)->Ref->TypeName() : String();
    }
    FReadOnly = last->ReadOnly();
    if (FLateElement) {
        FDKind = dkGeneral;
        return;
    }
    TvsCustomVariable* first = Step(0)->Ref;
    // A parameter is read and written where it is stored, as a variable is.
    const bool isVariable =
        first->Kind() == TvsItemKind::ikVariable || first->Kind() == TvsItemKind::ikStringVariable ||
        first->Kind() == TvsItemKind::ikArrayVariable || first->Kind() == TvsItemKind::ikParam;
    if (Count() == 1 && isVariable) {
        FDKind = dkVariable;
        FRefItem = first;
    } else if (Count() == 2 && first->Kind() == TvsItemKind::ikStringVariable && Step(1)->Count() > 0) {
        FDKind = dkString;
        FRefItem = first;
        FRef1 = Step(1)->Item(0);
    } else if (Count() == 1 && first->Kind() == TvsItemKind::ikProc && !first->IsMacro() &&
               Step(0)->Count() <= first->Count()) {
        FDKind = dkCall;
        FRefItem = first;
        FRef2 = Step(0);
    } else if (Count() == 2 && isVariable && first->Typ() == fvtArray && first->RefItem() &&
               Step(1)->Ref == first->RefItem()) {
        FDKind = dkArray;
        FRefItem = first;
        FRef1 = first->RefItem();
        FRef2 = Step(1);
    } else {
        FDKind = dkGeneral;
    }
}

void TvsDesignator::Borrow(TvsDesignator& Other) {
    SwapList(Other);
    FDKind = Other.FDKind;
    FRef1 = Other.FRef1;
    FRef2 = Other.FRef2;
    FTyp = Other.FTyp;
    FTypeName = Other.FTypeName;
    FReadOnly = Other.FReadOnly;
    FRefItem = Other.FRefItem;
}

void TvsDesignator::ResolveLateBinding() {
    if (!FLateElement) return;
    // A path that cannot be resolved yet (its variable holds nothing usable) keeps its element and
    // is tried again at its next use; dropping it would leave only the first names, and the path
    // would then read as the bare variable.
    std::unique_ptr<TvsDesignator> built = vsBuildDesignator(*FLateElement, FScript);
    std::unique_ptr<TvsXMLItem> element = std::move(FLateElement);
    // The steps of the late-bound form (its first names) are replaced by the resolved ones.
    TvsItemList old;
    old.SwapList(*this);
    Borrow(*built);
    FDKind = dkGeneral;
}

Variant TvsDesignator::Evaluate(const Variant* Assign) {
    vsCheckStack();
    ResolveLateBinding();
    Variant c = Null();
    TvsCustomVariable* p = nullptr;
    const Integer n = Count();
    for (Integer i = 0; i < n; ++i) {
        TvsDesignatorItem* step = Step(i);
        TvsCustomVariable* item = step->Ref;
        if (item->Kind() == TvsItemKind::ikDesignator) {
            p = item;
            c = item->FetchValue();
            continue;
        }
        TLocalsGuard guard(item->Kind() == TvsItemKind::ikProc ? static_cast<TvsProcVariable*>(item)
                                                               : nullptr);
        const Integer argCount = step->Count() < item->Count() ? step->Count() : item->Count();
        PassArguments(*item, *step, argCount);
        if (IsHelper(item)) {
            auto* helper = static_cast<TvsCustomHelper*>(item);
            helper->ParentItem = p;
            helper->ParentValue = c;
            helper->Script = FScript;
        }
        p = item;
        if (Assign && i == n - 1) {
            item->StoreValue(*Assign);
        } else {
            item->SetNeedResult(!(i == n - 1 && !FNeedResult));
            c = item->FetchValue();
        }
        ReturnVarArguments(*item, *step, argCount);
    }
    return c;
}

Variant TvsDesignator::FetchValue() {
    return Evaluate(nullptr);
}

void TvsDesignator::StoreValue(const Variant& V) {
    Evaluate(&V);
}

// --- fast kinds ----------------------------------------------------------------------------------

Variant TvsStringDesignator::FetchValue() {
    const Integer index = vsAsInteger(static_cast<TvsCustomVariable*>(FRef1)->FetchCompact());
    return Variant(vsCharAt(static_cast<TvsStringVariable*>(FRefItem)->Text(), index));
}

void TvsStringDesignator::StoreValue(const Variant& V) {
    const Integer index = vsAsInteger(static_cast<TvsCustomVariable*>(FRef1)->FetchCompact());
    vsSetCharAt(static_cast<TvsStringVariable*>(FRefItem)->MutableText(), index, V.AsString());
}

Integer TvsArrayDesignator::Prepare(TvsValue (&indexes)[3]) {
    auto* helper = static_cast<TvsArrayHelper*>(FRef1);
    auto* step = static_cast<TvsDesignatorItem*>(FRef2);
    const Integer n = std::min<Integer>({step->Count(), helper->Count(), 3});
    // Every index is evaluated before any is handed over: an index may itself read an element of
    // an array (m[i, m[0, 1]]) through the same accessor.
    for (Integer k = 0; k < n; ++k)
        indexes[k] = step->Arg(k)->FetchCompact();
    return n;
}

void TvsArrayDesignator::HandOver(TvsValue (&indexes)[3], Integer count) {
    auto* helper = static_cast<TvsArrayHelper*>(FRef1);
    for (Integer k = 0; k < count; ++k)
        helper->Param(k)->Stored() = std::move(indexes[k]);
    helper->ParentItem = FRefItem;
}

// The element of a one-dimensional array the variable holds at an integer index, reached directly:
// a compact element, or an element of a variant array of variants; nullptr for every other case
// (the accessor then answers, with its conversions and errors).
TvsArrayDesignator::TElement TvsArrayDesignator::Element(const TvsValue& index, bool forWriting) {
    if (!index.IsInteger()) return {};
    const TvsItemKind kind = FRefItem->Kind();
    if (kind != TvsItemKind::ikArrayVariable && kind != TvsItemKind::ikVariable &&
        kind != TvsItemKind::ikParam)
        return {};
    TvsValue& stored = FRefItem->Stored();
    if (const TvsCompactArray* c = stored.Array()) {
        if (c->DimCount() != 1) return {};
        TvsCompactArray* a = forWriting ? stored.MutableArray() : const_cast<TvsCompactArray*>(c);
        return {a->At1(index.IntPayload()), nullptr};
    }
    const Variant* boxed = stored.Boxed();
    if (!boxed || !VarIsArray(*boxed)) return {};
    const TVarArrayData& shared = *TVariantAccess::Array(*boxed);
    if (shared.Low.size() != 1 || shared.ElemType != varVariant) return {};
    const Int64 offset = index.IntPayload() - shared.Low[0];
    if (offset < 0 || offset >= static_cast<Int64>(shared.Items.size())) return {};
    if (!forWriting) return {nullptr, const_cast<Variant*>(&shared.Items[static_cast<size_t>(offset)])};
    TVarArrayData& data = TVariantAccess::MutableArray(*stored.MutableBoxed());
    return {nullptr, &data.Items[static_cast<size_t>(offset)]};
}

// One index: read where it is stored when it is a constant or a plain variable.
bool TvsArrayDesignator::SingleIndex() const {
    return static_cast<TvsDesignatorItem*>(FRef2)->Count() == 1 &&
           static_cast<TvsArrayHelper*>(FRef1)->Count() >= 1;
}

TvsExpressionNode* TvsArrayDesignator::FirstIndex() const {
    return static_cast<TvsExpression*>(static_cast<TvsDesignatorItem*>(FRef2)->Arg(0))->Root();
}

Variant TvsArrayDesignator::FetchValue() {
    return FetchCompact().ToVariant();
}

void TvsArrayDesignator::FindIndexNode() {
    FIndexKnown = true;
    const TvsItemKind kind = FRefItem->Kind();
    if (SingleIndex() && (kind == TvsItemKind::ikArrayVariable || kind == TvsItemKind::ikVariable ||
                          kind == TvsItemKind::ikParam))
        FIndexNode = FirstIndex();
}

TvsValue TvsArrayDesignator::FetchCompact() {
    if (const TvsValue* element = CompactElement(false)) return *element;
    return FetchGeneral();
}

// The element when it is reached directly; otherwise the indexes go to the element accessor,
// which then answers with its conversions and errors.
TvsArrayDesignator::TElement TvsArrayDesignator::Locate(bool forWriting) {
    if (SingleIndex()) {
        // An element at a stored index (a constant or a plain variable) needs no temporary values.
        TvsExpressionNode* node = FirstIndex();
        TvsValue temp;
        const TvsValue* index = node->Direct();
        if (!index) {
            temp = node->FetchCompact();
            index = &temp;
        }
        const TElement e = Element(*index, forWriting);
        if (e.Compact || e.Item) return e;
        TvsValue indexes[3] = {*index};
        HandOver(indexes, 1);
    } else {
        TvsValue indexes[3];
        HandOver(indexes, Prepare(indexes));
    }
    return {};
}

TvsValue TvsArrayDesignator::FetchGeneral() {
    const TElement e = Locate(false);
    if (e.Compact) return *e.Compact;
    if (e.Item) return vsCompactOf(*e.Item);
    return TvsValue(static_cast<TvsArrayHelper*>(FRef1)->FetchValue());
}

void TvsArrayDesignator::StoreValue(const Variant& V) {
    StoreCompact(TvsValue(V));
}

void TvsArrayDesignator::StoreCompact(TvsValue&& V) {
    if (TvsValue* element = CompactElement(true)) {
        *element = std::move(V);
        return;
    }
    StoreGeneral(std::move(V));
}

void TvsArrayDesignator::StoreGeneral(TvsValue&& value) {
    const TElement e = Locate(true);
    if (e.Compact)
        *e.Compact = std::move(value);
    else if (e.Item)
        *e.Item = std::move(value).ToVariant();
    else
        static_cast<TvsArrayHelper*>(FRef1)->StoreValue(std::move(value).ToVariant());
}

template <class TResult> [[gnu::always_inline]] inline TResult TvsCallDesignator::Call() {
    vsCheckStack();
    auto* proc = static_cast<TvsProcVariable*>(FRefItem);
    auto* step = static_cast<TvsDesignatorItem*>(FRef2);
    proc->Prepare();
    TLocalsGuard guard(proc->Executing() ? proc : nullptr);
    const Integer argCount = step->Count();
    if (argCount == 1) {
        // A sole argument goes straight to its parameter: there is no other argument to wait for.
        TvsParamItem* param = proc->Param(0);
        TvsExpressionNode* arg = static_cast<TvsExpression*>(step->Arg(0))->Root();
        if (param->ReadOnly()) [[unlikely]]
            arg->FetchCompact();
        else if (const TvsValue* direct = arg->Direct())
            param->Stored() = *direct;
        else
            param->Stored() = arg->FetchCompact();
    } else {
        PassArguments(*proc, *step, argCount);
    }
    proc->SetNeedResult(FNeedResult);
    TvsValue result = proc->Invoke();
    if (proc->HasVarParams()) ReturnVarArguments(*proc, *step, argCount);
    if constexpr (std::is_same_v<TResult, TvsValue>)
        return result;
    else
        return std::move(result).ToVariant();
}

Variant TvsCallDesignator::FetchValue() {
    return Call<Variant>();
}

TvsValue TvsCallDesignator::FetchCompact() {
    return Call<TvsValue>();
}

TvsValue TvsCallNode::FetchCompact() {
    return static_cast<TvsCallDesignator*>(Designator())->Call<TvsValue>();
}
