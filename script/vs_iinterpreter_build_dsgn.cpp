// The designator phase of the program builder: an access path of the intermediate form (a dsgn
// element: names, "[" marks and argument expressions) becomes a designator whose steps name the
// items reached one after the other, with the fast kinds for a plain variable, a character of a
// text variable and an element of an array variable.
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "script/vs_idisp.h"
#include "script/vs_iinterpreter_build.h"
#include "script/vs_xml.h"

namespace {

// The class registration that serves an object: its own class's, else the nearest registered
// ancestor's (a host form class that was never registered is served as a TForm).
TvsClassVariable* ClassOfObject(TObject* Obj, TvsScript* Script) {
    if (TvsClassVariable* cls = Script->LookupClass(Obj->ClassName())) return cls;
    for (const meta::TClassInfo* info = &meta::ClassInfoOf(*Obj); info; info = info->Parent())
        if (TvsClassVariable* cls = Script->LookupClass(info->Name())) return cls;
    return nullptr;
}

} // namespace

std::unique_ptr<TvsDesignator> vsBuildDesignator(const TvsXMLItem& Element, TvsScript* Script) {
    TvsProgramBuilder builder(nullptr, Script);
    return builder.BuildDesignator(Element, Script, TvsProgramBuilder::bmNormal);
}

TvsDesignator* TvsProgramBuilder::Finish(std::unique_ptr<TvsDesignator>& D) {
    D->ResolveKind();
    if (D->IsLateBound()) return D.get();
    std::unique_ptr<TvsDesignator> fast;
    switch (D->DesignatorKind()) {
    case dkVariable:
        fast = std::make_unique<TvsVariableDesignator>(D->Script());
        break;
    case dkString:
        fast = std::make_unique<TvsStringDesignator>(D->Script());
        break;
    case dkArray:
        fast = std::make_unique<TvsArrayDesignator>(D->Script());
        break;
    case dkCall:
        fast = std::make_unique<TvsCallDesignator>(D->Script());
        break;
    default:
        return D.get();
    }
    fast->SetNeedResult(D->NeedResult());
    fast->Borrow(*D);
    D = std::move(fast);
    return D.get();
}

bool TvsProgramBuilder::TryWith(TvsDesignator& D, const String& Name, const String& Pos,
                                const TvsXMLItem& Element, TvsScript* Script, bool& Finished) {
    Finished = false;
    for (size_t k = FWithList.size(); k-- > 0;) {
        const TWithEntry& w = FWithList[k];
        if (Script->FindLocal(w.Name) != w.Variable) continue;
        if (w.Variable->Typ() == fvtVariant) {
            if (Script->Find(Name)) return false;
            D.AddStep(w.Variable, Pos);
            auto copy = std::make_unique<TvsXMLItem>();
            copy->Assign(&Element);
            auto* node = new TvsXMLItem();
            node->SetName("node");
            node->SetProp("text", w.Name);
            node->SetProp("pos", Pos);
            copy->InsertItem(0, node);
            D.SetLateBinding(std::move(copy));
            Finished = true;
            return true;
        }
        if (w.Variable->Typ() == fvtClass) {
            TvsClassVariable* cls = Script->LookupClass(w.Variable->TypeName());
            TvsCustomVariable* member = cls ? cls->Find(Name) : nullptr;
            if (!member) continue;
            D.AddStep(w.Variable, Pos);
            D.AddStep(member, Pos);
            return true;
        }
    }
    return false;
}

// Builds the designator of a dsgn element. Phases: the first name (FirstStep: with-scopes, the
// script's items, the constructor of "new"), every later name or "[" (NextStep: what the path has
// reached so far decides which member, accessor or late binding it becomes), argument expressions
// attached to the step before them, then FinishDesignator. Raises (Error) on the first fault; a
// path that can only be resolved when it runs is kept late-bound and returned as it stands.
std::unique_ptr<TvsDesignator> TvsProgramBuilder::BuildDesignator(const TvsXMLItem& Element,
                                                                  TvsScript* Script, TMode Mode) {
    auto d = std::make_unique<TvsDesignator>(Script);
    SetPos(Element);
    FResolving = FResolving || !FParser;

    for (Integer i = 0; i < Element.Count(); ++i) {
        const TvsXMLItem& c = *Element.Items(i);
        SetPos(c);
        if (Is(c, "expr")) {
            if (d->Count()) d->LastStep()->Add(BuildExpression(c, Script).release());
            continue;
        }
        if (Is(c, "addr")) {
            AddressStep(*d, Element, Script);
            Finish(d);
            return d;
        }
        if (!Is(c, "node")) continue;
        const bool done =
            !d->Count() ? FirstStep(*d, c, Element, Script, Mode) : NextStep(*d, i, Element, Script);
        if (done) return d;
    }
    FinishDesignator(*d, Script, Mode);
    Finish(d);
    CheckArguments(*d, Script);
    return d;
}

// &Name (the C-like address of a name): the path is a text variable holding the name.
void TvsProgramBuilder::AddressStep(TvsDesignator& D, const TvsXMLItem& Element, TvsScript* Script) {
    if (Element.Count() != 2) Error(SVarRequired);
    const TvsXMLItem& n = *Element.Items(1);
    auto* var = new TvsStringVariable(String(), fvtString, String());
    var->SetText(n.Prop("text"));
    Script->Add(String(), var);
    D.AddStep(var, n.Prop("pos"));
}

// The first name of a path: a member of an open with-scope, else an item of the script (declared
// on first use where the language allows); in a constructor call ("new") the class's Create
// follows. True when the path is complete (a late-bound with-scope took it over).
bool TvsProgramBuilder::FirstStep(TvsDesignator& D, const TvsXMLItem& Node, const TvsXMLItem& Element,
                                  TvsScript* Script, TMode Mode) {
    const String text = Node.Prop("text");
    const String pos = Node.Prop("pos");
    bool finished = false;
    if (TryWith(D, text, pos, Element, Script, finished)) {
        if (finished) {
            D.ResolveKind();
            return true;
        }
    } else {
        D.AddStep(FindOrDeclare(text, Script), pos);
    }
    if (Mode == bmConstructor) {
        TvsCustomVariable* ref = D.LastStep()->Ref;
        if (ref->Kind() != TvsItemKind::ikClass) Error(SClassRequired);
        TvsCustomVariable* create = static_cast<TvsClassVariable*>(ref)->Find("Create");
        if (!create) Error(SIdUndeclared + Quoted("Create"));
        D.AddStep(create, pos);
    }
    return false;
}

// Keeps the path late-bound: it is built again from its element when it first runs, against the
// values its variables hold then. KeepFirstOnly: only the first name is known now (an unknown
// member of an object that is still nil), and the path reads as a variant until resolved.
// Raises "Invalid variant operation" when the path is being resolved already.
void TvsProgramBuilder::LateBind(TvsDesignator& D, const TvsXMLItem& Element, bool KeepFirstOnly) {
    if (FResolving || !FParser) throw EVariantInvalidOpError("Invalid variant operation");
    if (KeepFirstOnly)
        while (D.Count() > 1)
            D.RemoveLastStep();
    auto copy = std::make_unique<TvsXMLItem>();
    copy->Assign(&Element);
    D.SetLateBinding(std::move(copy));
    D.ResolveKind();
    if (KeepFirstOnly) D.SetTyp(fvtVariant);
}

// A name or "[" after the first step (node I of Element). The step reached so far decides:
// an index property waits for its "["; a variant is looked at through the value it holds now
// (nothing yet: late-bound; text; an automation object: the rest of the path goes to it by name;
// an array; an object: its class); then a text is indexed by character, an object by its default
// property or a member, an array by its element accessor. True when the path is complete.
bool TvsProgramBuilder::NextStep(TvsDesignator& D, Integer I, const TvsXMLItem& Element, TvsScript* Script) {
    const TvsXMLItem& c = *Element.Items(I);
    const String text = c.Prop("text");
    const String pos = c.Prop("pos");
    TvsDesignatorItem* last = D.LastStep();
    TvsCustomVariable* r = last->Ref;
    if (r->Kind() == TvsItemKind::ikMethod && static_cast<TvsMethodHelper*>(r)->IndexMethod &&
        !last->Indexed) {
        if (text != "[") Error(SIndexRequired);
        last->Indexed = true;
        return false;
    }
    TvsVarType typ = r->Typ();
    String className = r->TypeName();
    Variant value = Null();
    if (r->Kind() == TvsItemKind::ikVariable || r->Kind() == TvsItemKind::ikParam ||
        r->Kind() == TvsItemKind::ikStringVariable)
        value = r->Value();

    if (typ == fvtVariant && r->Kind() == TvsItemKind::ikArrayHelper && text == "[") {
        // An element that is itself an array (v[0][1]): a fresh accessor indexes it, so the
        // outer one keeps its indexes for writing the changed element back.
        auto* inner = new TvsArrayHelper("__ArrayHelper", String(), fvtVariant, -1);
        Script->Add(String(), inner);
        D.AddStep(inner, pos)->Indexed = true;
        return false;
    }
    if (typ == fvtVariant) {
        if (VarIsNull(value) || VarIsEmpty(value)) {
            LateBind(D, Element, false);
            return true;
        }
        if (VarIsStr(value)) {
            typ = fvtString;
        } else if (value.VType() == varDispatch) {
            DispatchSteps(D, I, Element, Script);
            return true;
        } else if (VarIsArray(value)) {
            if (text != "[") Error(SIndexRequired);
            D.AddStep(FindOrDeclare("__ArrayHelper", Script), pos)->Indexed = true;
            return false;
        } else {
            TObject* obj = vsVariantToObject(value);
            if (!obj) Error(SClassRequired);
            TvsClassVariable* cls = ClassOfObject(obj, Script);
            if (!cls) Error(SUnknownType + Quoted(obj->ClassName()));
            className = cls->Name();
            typ = fvtClass;
        }
    }
    if (typ == fvtString || typ == fvtChar) {
        if (text != "[") Error(SStringError);
        D.AddStep(FindOrDeclare("__StringHelper", Script), pos)->Indexed = true;
    } else if (typ == fvtClass) {
        return MemberStep(D, text, pos, className, value, Element, Script);
    } else if (typ == fvtArray) {
        D.AddStep(r->RefItem() ? r->RefItem() : FindOrDeclare("__ArrayHelper", Script), pos)->Indexed = true;
    } else {
        Error(SArrayRequired);
    }
    return false;
}

// The rest of the path from node I goes to an automation object: each name becomes a step that
// calls it by name at run time, with its arguments.
void TvsProgramBuilder::DispatchSteps(TvsDesignator& D, Integer I, const TvsXMLItem& Element,
                                      TvsScript* Script) {
    TvsDesignatorItem* step = nullptr;
    for (Integer k = I; k < Element.Count(); ++k) {
        const TvsXMLItem& rest = *Element.Items(k);
        if (Is(rest, "node") && rest.Prop("text") != "[") {
            auto* ole = vsNewOLEHelper(rest.Prop("text"));
            Script->Add(String(), ole);
            step = D.AddStep(ole, rest.Prop("pos"));
        } else if (Is(rest, "expr") && step) {
            SetPos(rest);
            step->Add(BuildExpression(rest, Script).release());
            step->Ref->Add(new TvsParamItem(String(), false, false, String(), fvtVariant));
        }
    }
    D.ResolveKind();
    CheckArguments(D, Script);
}

// Text after an object of class ClassName (Value: the object when known now): "[" reaches the
// default property, a name a member of the class; a component the object owns stands for an
// unknown name; an unknown member of a nil object is resolved late where the host allows it.
// True when the path is complete.
bool TvsProgramBuilder::MemberStep(TvsDesignator& D, const String& Text, const String& Pos,
                                   const String& ClassName, const Variant& Value, const TvsXMLItem& Element,
                                   TvsScript* Script) {
    TvsClassVariable* cls = Script->LookupClass(ClassName);
    if (!cls) Error(SUnknownType + Quoted(ClassName));
    if (Text == "[") {
        if (!cls->DefaultProperty) Error(Format(SClassError, {cls->Name()}));
        D.AddStep(cls->DefaultProperty, Pos)->Indexed = true;
        return false;
    }
    TvsCustomVariable* member = cls->Find(Text);
    if (member) {
        D.AddStep(member, Pos);
        return false;
    }
    const bool noObject =
        VarIsNull(Value) || VarIsEmpty(Value) || (VarIsOrdinal(Value) && Value.AsInt64() == 0);
    TComponent* owned = nullptr;
    if (!noObject)
        if (auto* comp = dynamic_cast<TComponent*>(vsVariantToObject(Value)))
            owned = comp->FindComponent(Text);
    if (owned) {
        auto* var = new TvsVariable(owned->Name(), fvtClass, owned->ClassName());
        var->Stored() = TvsValue(vsObjectToVariant(owned));
        var->SetReadOnly(true);
        Script->Add(String(), var);
        D.AddStep(var, Pos);
        return false;
    }
    if (noObject && !Script->Running && Script->DeferUnknownMembers && !FResolving) {
        LateBind(D, Element, true);
        return true;
    }
    Error(SIdUndeclared + Quoted(Text));
}

// The end of a complete path: "delete"/release adds the object's Free; a path must name something.
void TvsProgramBuilder::FinishDesignator(TvsDesignator& D, TvsScript* Script, TMode Mode) {
    if (Mode == bmRelease) {
        if (!D.Count() || (D.LastStep()->Ref->Typ() != fvtClass && D.LastStep()->Ref->Typ() != fvtVariant))
            Error(SClassRequired);
        TvsClassVariable* object = Script->LookupClass("TObject");
        TvsCustomVariable* free = object ? object->Find("Free") : nullptr;
        if (!free) Error(SIdUndeclared + Quoted("Free"));
        D.AddStep(free, FErrorPos);
    }
    if (!D.Count()) Error(SVarRequired);
}

void TvsProgramBuilder::CheckArguments(TvsDesignator& D, TvsScript* Script) {
    for (Integer i = 0; i < D.Count(); ++i) {
        TvsDesignatorItem* step = D.Step(i);
        TvsCustomVariable* ref = step->Ref;
        if (ref->Kind() == TvsItemKind::ikDesignator) continue;
        FErrorPos = step->Pos;
        if (step->Count() < ref->RequiredParamCount()) Error(SNotEnoughParams);
        if (step->Count() > ref->ParamCount()) Error(STooManyParams);
        for (Integer k = step->Count(); k < ref->ParamCount(); ++k) {
            auto x = std::make_unique<TvsExpression>(Script);
            x->AppendConstant(ref->Param(k)->DefValue());
            String unused;
            x->CompleteTree(unused);
            step->Add(x.release());
        }
        for (Integer k = 0; k < step->Count(); ++k) {
            TvsCustomExpression* arg = step->Arg(k);
            if (!arg->SourcePos().empty()) FErrorPos = arg->SourcePos();
            CheckTypes(ref->Param(k), arg, Script);
        }
    }
}
