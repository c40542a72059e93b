#include "classes/MetaProps.h"
#include "classes/ObjectHandles.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/VariantInternal.h"
#include "script/vs_iinterpreter_prog.h"
#include "script/vs_iinterpreter_strings.h"
#include "script/vs_itools_script.h"
#include "script/vs_ivalue.h"

#include <algorithm>

// --- TvsItemList ---------------------------------------------------------------------------------

TvsItemList::~TvsItemList() {
    TvsItemList::Clear();
}

void TvsItemList::Clear() {
    std::vector<TObject*> items;
    items.swap(FList);
    for (TObject* item : items)
        delete item;
}

void TvsItemList::Remove(TObject* Item) {
    auto it = std::find(FList.begin(), FList.end(), Item);
    if (it != FList.end()) FList.erase(it);
}

// --- TvsCustomVariable -----------------------------------------------------------------------------

TvsCustomVariable::TvsCustomVariable(const String& Name, TvsVarType Typ, const String& TypeName,
                                     TvsItemKind Kind)
    : FKind(Kind), FName(Name), FTyp(Typ), FTypeName(TypeName), FUpperName(AnsiUpperCase(Name)),
      FValue(TvsValue::OfNull()) {}

void TvsCustomVariable::StoreValue(const Variant& V) {
    if (!FReadOnly) FValue = TvsValue(V);
}

Variant TvsCustomVariable::FetchValue() {
    return FValue.ToVariant();
}

TvsValue TvsCustomVariable::FetchCompact() {
    // A parameter is read as it is stored; other items answer through their FetchValue.
    if (FKind == TvsItemKind::ikParam) return FValue;
    return TvsValue(FetchValue());
}

void TvsCustomVariable::StoreCompact(TvsValue&& V) {
    if (FKind == TvsItemKind::ikParam) {
        if (!FReadOnly) FValue = std::move(V);
        return;
    }
    StoreValue(std::move(V).ToVariant());
}

Integer TvsCustomVariable::RequiredParamCount() const {
    Integer n = 0;
    for (Integer i = 0; i < Count(); ++i)
        if (!Param(i)->IsOptional()) ++n;
    return n;
}

String TvsCustomVariable::TypeNameText() const {
    switch (FTyp) {
    case fvtInt:
        return "Integer";
    case fvtBool:
        return "Boolean";
    case fvtFloat:
        return "Extended";
    case fvtChar:
        return "Char";
    case fvtString:
        return "String";
    case fvtClass:
    case fvtEnum:
        return FTypeName;
    case fvtArray:
        return "Array";
    default:
        return "Variant";
    }
}

// --- TvsVariable -----------------------------------------------------------------------------------

TvsVariable::TvsVariable(const String& Name, TvsVarType Typ, const String& TypeName, TvsItemKind Kind)
    : TvsCustomVariable(Name, Typ, TypeName, Kind) {}

Variant TvsVariable::Convert(const Variant& V, TvsVarType Typ) {
    switch (Typ) {
    case fvtInt:
        if (V.VType() == varInteger) return V;
        return Variant(V.AsInteger());
    case fvtBool:
        if (V.VType() == varBoolean) return V;
        return Variant(V.AsBoolean());
    case fvtFloat:
        if (V.VType() == varDouble) return V;
        return Variant(V.AsDouble());
    case fvtString:
    case fvtChar:
        if (V.VType() == varString) return V;
        return Variant(V.AsString());
    default:
        return V;
    }
}

bool TvsVariable::HoldsAsIs(TvsVarType Typ, TVarType VType) {
    switch (Typ) {
    case fvtInt:
        return VType == varInteger;
    case fvtBool:
        return VType == varBoolean;
    case fvtFloat:
        return VType == varDouble;
    case fvtString:
    case fvtChar:
        return VType == varString;
    default:
        return true;
    }
}

void TvsVariable::StoreValue(const Variant& V) {
    if (FReadOnly) return;
    // A value of the variable's own kind is assigned as it is, without an intermediate copy.
    if (HoldsAsIs(FTyp, V.VType()))
        FValue = TvsValue(V);
    else
        FValue = TvsValue(Convert(V, FTyp));
}

void TvsVariable::StoreCompact(TvsValue&& value) {
    if (FReadOnly) return;
    // A Variant variable takes any value, an Integer variable an integer, as they are.
    if (FTyp == fvtVariant || (FTyp == fvtInt && value.IsInteger()) || HoldsAsIs(FTyp, value.VType()))
        FValue = std::move(value);
    else
        FValue = TvsValue(Convert(std::move(value).ToVariant(), FTyp));
}

Variant TvsVariable::FetchValue() {
    if (FOnGetVarValue) {
        Variant v = FOnGetVarValue(FName, FTyp, FValue.ToVariant());
        if (!VarIsNull(v)) return v;
    }
    return FValue.ToVariant();
}

TvsValue TvsVariable::FetchCompact() {
    if (!FOnGetVarValue) return FValue;
    return TvsValue(FetchValue());
}

// --- TvsArrayVariable ------------------------------------------------------------------------------

TvsArrayVariable::TvsArrayVariable(const String& Name, const String& TypeName, const Variant& Value)
    : TvsVariable(Name, fvtArray, TypeName, TvsItemKind::ikArrayVariable) {
    FValue = TvsValue::ArrayOf(Value);
    if (!FValue.Array()) FValue = TvsValue(Value);
}

Variant* TvsArrayVariable::Spilled() {
    if (FValue.Array()) FValue = TvsValue(FValue.ToVariant());
    return FValue.MutableBoxed();
}

Variant TvsArrayVariable::FetchValue() {
    Spilled();
    return TvsVariable::FetchValue();
}

TvsValue TvsArrayVariable::FetchCompact() {
    Spilled();
    return TvsVariable::FetchCompact();
}

// --- TvsStringVariable -----------------------------------------------------------------------------

TvsStringVariable::TvsStringVariable(const String& Name, TvsVarType Typ, const String& TypeName)
    : TvsVariable(Name, Typ, TypeName, TvsItemKind::ikStringVariable) {
    FValue = TvsValue(Variant(String()));
}

const String& TvsStringVariable::Text() const {
    return vsStringOf(*FValue.Boxed());
}

String& TvsStringVariable::MutableText() {
    return *vsMutableString(*FValue.MutableBoxed());
}

void TvsStringVariable::SetText(String text) {
    FValue = TvsValue(Variant(std::move(text)));
}

bool TvsStringVariable::CopyIntoOwnText(const String& text) {
    // A short text (an emptied variable before a loop of appends) goes into the variable's own
    // text, which keeps the room it has grown to.
    constexpr size_t kShortText = 64;
    if (text.size() > kShortText || FValue.ShareCount() != 1) return false;
    *vsMutableString(*FValue.MutableBoxed()) = text;
    return true;
}

void TvsStringVariable::StoreValue(const Variant& V) {
    if (FReadOnly) return;
    if (V.VType() != varString)
        SetText(V.AsString());
    else if (!CopyIntoOwnText(vsStringOf(V)))
        FValue = TvsValue(V);
}

void TvsStringVariable::StoreCompact(TvsValue&& value) {
    if (FReadOnly) return;
    // A longer text is shared with the value it came from until one of them changes.
    if (value.VType() != varString)
        SetText(std::move(value).ToVariant().AsString());
    else if (!CopyIntoOwnText(vsStringOf(*value.Boxed())))
        FValue = std::move(value);
}

Variant TvsStringVariable::FetchValue() {
    if (FOnGetVarValue) {
        Variant v = FOnGetVarValue(FName, FTyp, FValue.ToVariant());
        if (!VarIsNull(v)) return v;
    }
    return FValue.ToVariant();
}

TvsValue TvsStringVariable::FetchCompact() {
    if (!FOnGetVarValue) return FValue;
    return TvsValue(FetchValue());
}

// --- TvsParamItem ----------------------------------------------------------------------------------

TvsParamItem::TvsParamItem(const String& Name, bool IsVar, bool IsOptional, const String& TypeName,
                           TvsVarType Typ)
    : TvsCustomVariable(Name, Typ, TypeName, TvsItemKind::ikParam), FDefValue(Null()),
      FIsOptional(IsOptional), FIsVar(IsVar) {}

// --- TvsCustomHelper -------------------------------------------------------------------------------

TObject* TvsCustomHelper::ParentObject() const {
    return vsVariantToObject(ParentValue);
}

namespace {

// Raises unless Instance belongs to the class the member was registered on: a path resolved
// against one object may meet an object of another class later.
void CheckInstance(TObject* Instance, const TvsClassRef* ClassRef, const String& Member) {
    if (!Instance || !ClassRef || ClassRef->IsInstance(Instance)) return;
    throw EvsScriptError(Format(SMemberClassError, {Instance->ClassName(), Member}));
}

} // namespace

// --- TvsMethodHelper -------------------------------------------------------------------------------

TvsMethodHelper::TvsMethodHelper(const String& Declaration, TvsScript* Script)
    : TvsCustomHelper(String(), fvtVariant, String(), TvsItemKind::ikMethod), FPendingValue(Null()),
      FDeclaration(Declaration) {
    this->Script = Script;
    std::unique_ptr<TvsCustomVariable> header = ParseMethodHeader(Declaration, Script);
    FName = header->Name();
    FUpperName = header->UpperName();
    FTyp = header->Typ();
    FTypeName = header->TypeName();
    FIsMacro = header->IsMacro();
    while (header->Count() > 0) {
        TObject* p = header->Item(0);
        header->Remove(p);
        Add(p);
    }
    FReadOnly = true;
    Description = FName;
}

Variant TvsMethodHelper::GetParamValue(Integer Index) const {
    if (Index == Count()) return FPendingValue;
    if (Index < 0 || Index > Count()) ListIndexError(Index);
    return Param(Index)->Value();
}

void TvsMethodHelper::PutParamValue(Integer Index, const Variant& V) {
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    Param(Index)->StoreValue(V);
}

Variant TvsMethodHelper::Call(const String& Name, const Variant* Assigned) {
    TObject* instance = ParentObject();
    if (FTyp != fvtConstructor || !dynamic_cast<TvsNewInstance*>(instance))
        CheckInstance(instance, ClassRef, FName);
    if (ArrayCallback) {
        const Integer n = Count() + (Assigned ? 1 : 0);
        std::vector<Variant> values(static_cast<size_t>(n));
        for (Integer i = 0; i < Count(); ++i)
            values[static_cast<size_t>(i)] = Param(i)->Value();
        if (Assigned) values.back() = *Assigned;
        Variant params = VarArrayOf(values);
        Variant result = ArrayCallback(instance, ClassRef, Name, params);
        if (!Assigned)
            for (Integer i = 0; i < Count(); ++i)
                if (Param(i)->IsVar()) Param(i)->StoreValue(VarArrayGet(params, {i}));
        return result;
    }
    if (ItemCallback) {
        if (!Assigned) return ItemCallback(instance, ClassRef, Name, this);
        FPendingValue = *Assigned;
        try {
            ItemCallback(instance, ClassRef, Name, this);
        } catch (...) {
            FPendingValue = Null();
            throw;
        }
        FPendingValue = Null();
        return Variant();
    }
    return Variant(0);
}

Variant TvsMethodHelper::FetchValue() {
    return Call(IndexMethod ? FUpperName + ".GET" : FUpperName, nullptr);
}

void TvsMethodHelper::StoreValue(const Variant& V) {
    if (!IndexMethod) return;
    Call(FUpperName + ".SET", &V);
}

// --- TvsPropertyHelper -----------------------------------------------------------------------------

const meta::TPropInfo* TvsPropertyHelper::PublishedProp(TObject* Instance) {
    const meta::TClassInfo* cls = &meta::ClassInfoOf(*Instance);
    if (cls != FCachedClass) {
        FCachedClass = cls;
        FCachedProp = cls->FindProperty(FName);
    }
    return FCachedProp;
}

Variant TvsPropertyHelper::FetchValue() {
    Variant v = Null();
    TObject* instance = ParentObject();
    CheckInstance(instance, ClassRef, FName);
    if (Published && instance) {
        if (const meta::TPropInfo* prop = PublishedProp(instance)) {
            using meta::TPropKind;
            switch (prop->Kind) {
            case TPropKind::Char:
                v = Variant(String(1, static_cast<char>(GetOrdProp(instance, *prop))));
                break;
            case TPropKind::Float:
                v = Variant(static_cast<double>(GetFloatProp(instance, *prop)));
                break;
            case TPropKind::String:
            case TPropKind::WideString:
                v = Variant(GetStrProp(instance, *prop));
                break;
            case TPropKind::Variant:
                v = GetVariantProp(instance, *prop);
                break;
            case TPropKind::Int64:
                v = Variant(static_cast<long long>(GetOrdProp(instance, *prop)));
                break;
            case TPropKind::Object:
            case TPropKind::Component:
            case TPropKind::Strings:
                v = vsObjectToVariant(GetObjectProp(instance, *prop));
                break;
            case TPropKind::Method:
                break;
            default:
                v = Variant(static_cast<Integer>(GetOrdProp(instance, *prop)));
                break;
            }
        }
    } else if (!Published && ReadCallback) {
        v = ReadCallback(instance, ClassRef, FUpperName);
    }
    if (FTyp == fvtBool && v.VType() != varBoolean) {
        if (VarIsNull(v) || VarIsEmpty(v))
            v = Variant(false);
        else
            v = Variant(!VarCompare(TVarOp::CmpEQ, v, Variant(0)));
    }
    return v;
}

void TvsPropertyHelper::StoreValue(const Variant& V) {
    if (FReadOnly) return;
    TObject* instance = ParentObject();
    CheckInstance(instance, ClassRef, FName);
    if (Published) {
        if (!instance) return;
        const meta::TPropInfo* prop = PublishedProp(instance);
        if (!prop) return;
        using meta::TPropKind;
        switch (prop->Kind) {
        case TPropKind::Char: {
            const String s = V.AsString();
            SetOrdProp(instance, *prop, s.empty() ? 0 : static_cast<Byte>(s[0]));
            break;
        }
        case TPropKind::Float:
            SetFloatProp(instance, *prop, V.AsDouble());
            break;
        case TPropKind::String:
        case TPropKind::WideString:
            SetStrProp(instance, *prop, V.AsString());
            break;
        case TPropKind::Variant:
            SetVariantProp(instance, *prop, V);
            break;
        case TPropKind::Method:
            break;
        case TPropKind::Int64:
            SetOrdProp(instance, *prop, V.AsInt64());
            break;
        case TPropKind::Object:
        case TPropKind::Component:
        case TPropKind::Strings:
            SetObjectProp(instance, *prop, vsVariantToObject(V));
            break;
        default:
            if (FTyp == fvtBool)
                SetOrdProp(instance, *prop,
                           V.VType() == varBoolean ? (V.AsBoolean() ? 1 : 0)
                                                   : (VarCompare(TVarOp::CmpEQ, V, Variant(true)) ? 1 : 0));
            else
                SetOrdProp(instance, *prop, V.AsInteger());
            break;
        }
    } else if (WriteCallback) {
        WriteCallback(instance, ClassRef, FUpperName, V);
    }
}

// --- TvsComponentHelper ----------------------------------------------------------------------------

TvsComponentHelper::TvsComponentHelper(TComponent* Component)
    : TvsCustomHelper(Component->Name(), fvtClass, Component->ClassName(), TvsItemKind::ikComponent),
      FComponent(Component) {
    // The handle, not the pointer, is kept: a component freed before the script becomes a stale
    // handle that raises when used.
    FValue = TvsValue(vsObjectToVariant(Component));
    FReadOnly = true;
}

Variant TvsComponentHelper::FetchValue() {
    return FValue.ToVariant();
}

// --- TvsArrayHelper --------------------------------------------------------------------------------

TvsArrayHelper::TvsArrayHelper(const String& Name, const String& TypeName, TvsVarType Typ, Integer Dimensions)
    : TvsCustomHelper(Name, Typ, TypeName, TvsItemKind::ikArrayHelper) {
    if (Dimensions == -1) {
        Add(new TvsParamItem("p0", false, false, "Integer", fvtInt));
        Add(new TvsParamItem("p1", false, true, "Integer", fvtInt));
        Add(new TvsParamItem("p2", false, true, "Integer", fvtInt));
    } else {
        for (Integer i = 0; i < Dimensions; ++i)
            Add(new TvsParamItem("p" + IntToStr(i), false, false, "Integer", fvtInt));
    }
}

namespace {

// The variant array an item keeps as its value, read and written in place (for writing, copied
// first when a saved value shares it); nullptr for an item that computes its value. A declared
// array gives up its compact elements for it.
Variant* StoredValue(TvsCustomVariable* item, bool forWriting) {
    if (!item) return nullptr;
    switch (item->Kind()) {
    case TvsItemKind::ikVariable:
    case TvsItemKind::ikParam:
        return forWriting ? item->Stored().MutableBoxed() : const_cast<Variant*>(item->Stored().Boxed());
    case TvsItemKind::ikArrayVariable:
        return static_cast<TvsArrayVariable*>(item)->Spilled();
    default:
        return nullptr;
    }
}

// The compact array an item keeps as its value, else nullptr.
TvsCompactArray* CompactArrayOf(TvsCustomVariable* Item, bool ForWriting) {
    if (!Item) return nullptr;
    switch (Item->Kind()) {
    case TvsItemKind::ikVariable:
    case TvsItemKind::ikParam:
    case TvsItemKind::ikArrayVariable:
        if (!Item->Stored().Array()) return nullptr;
        return ForWriting ? Item->Stored().MutableArray()
                          : const_cast<TvsCompactArray*>(Item->Stored().Array());
    default:
        return nullptr;
    }
}

thread_local std::vector<int> tIndexes;

const std::vector<int>& ArrayIndexes(const TvsCustomVariable& Helper, int Dims) {
    tIndexes.resize(static_cast<size_t>(Dims));
    for (int k = 0; k < Dims; ++k)
        tIndexes[static_cast<size_t>(k)] = vsAsInteger(Helper.Param(k)->Stored());
    return tIndexes;
}

} // namespace

Variant TvsArrayHelper::FetchValue() {
    if (TvsCompactArray* c = CompactArrayOf(ParentItem, false)) {
        if (c->DimCount() > Count()) return Null();
        const std::vector<int>& indexes = ArrayIndexes(*this, c->DimCount());
        if (const TvsValue* element = c->At(indexes.data(), c->DimCount())) return element->ToVariant();
        VarBadIndexError();
    }
    const Variant* stored = StoredValue(ParentItem, false);
    const Variant& a = stored ? *stored : ParentValue;
    const int dims = VarArrayDimCount(a);
    if (dims < 1 || dims > 3 || dims > Count()) return Null();
    return VarArrayGet(a, ArrayIndexes(*this, dims));
}

void TvsArrayHelper::StoreValue(const Variant& V) {
    if (TvsCompactArray* c = CompactArrayOf(ParentItem, true)) {
        if (c->DimCount() > Count()) return;
        const std::vector<int>& indexes = ArrayIndexes(*this, c->DimCount());
        if (TvsValue* element = c->At(indexes.data(), c->DimCount())) {
            *element = TvsValue(V);
            return;
        }
        VarBadIndexError();
    }
    if (Variant* stored = StoredValue(ParentItem, true)) {
        Variant& a = *stored;
        const int dims = VarArrayDimCount(a);
        if (dims < 1 || dims > 3 || dims > Count()) return;
        VarArrayPut(a, V, ArrayIndexes(*this, dims));
        return;
    }
    Variant a = ParentValue;
    const int dims = VarArrayDimCount(a);
    if (dims < 1 || dims > 3 || dims > Count()) return;
    VarArrayPut(a, V, ArrayIndexes(*this, dims));
    if (ParentItem) ParentItem->StoreValue(a);
}

// --- TvsStringHelper -------------------------------------------------------------------------------

TvsStringHelper::TvsStringHelper()
    : TvsCustomHelper("__StringHelper", fvtChar, String(), TvsItemKind::ikStringHelper) {
    Add(new TvsParamItem("Index", false, false, "Integer", fvtInt));
}

Variant TvsStringHelper::FetchValue() {
    return Variant(vsCharAt(ParentValue.AsString(), vsAsInteger(Param(0)->Stored())));
}

void TvsStringHelper::StoreValue(const Variant& V) {
    String text = ParentValue.AsString();
    vsSetCharAt(text, vsAsInteger(Param(0)->Stored()), V.AsString());
    if (ParentItem) ParentItem->StoreValue(Variant(text));
}

// --- TvsClassVariable ------------------------------------------------------------------------------

TvsClassVariable::TvsClassVariable(const TvsClassRef* ClassRef, const String& AncestorName, TvsScript* Script)
    : TvsCustomVariable(ClassRef->Name(), fvtClass, ClassRef->Name(), TvsItemKind::ikClass),
      FAncestorName(AncestorName), FClassRef(ClassRef), FScript(Script) {
    AddPublishedProperties(ClassRef);
    Add(new TvsParamItem(String(), false, true, String(), fvtVariant));
}

TvsClassVariable::~TvsClassVariable() = default;

TvsMethodHelper* TvsClassVariable::AddConstructor(const String& Declaration, const TvsMethodEvent& Callback) {
    String rest = Declaration;
    const size_t blank = rest.find(' ');
    rest = blank == String::npos ? String() : rest.substr(blank);
    // A trailing ";" would hide the result type from the header reader.
    while (!rest.empty() && (rest.back() == ';' || rest.back() == ' '))
        rest.pop_back();
    return AddMethod("function" + rest + ": Constructor", Callback);
}

TvsMethodHelper* TvsClassVariable::AddMethod(const String& Declaration, const TvsMethodEvent& Callback) {
    auto* m = new TvsMethodHelper(Declaration, FScript);
    m->ItemCallback = Callback;
    m->ClassRef = FClassRef;
    FMembers.Add(m);
    return m;
}

TvsEventHelper* TvsClassVariable::AddEvent(const String& Name, const TvsEventAdapterClass* AdapterClass) {
    auto* e = new TvsEventHelper(Name, AdapterClass);
    e->ClassRef = FClassRef;
    FMembers.Add(e);
    return e;
}

TvsPropertyHelper* TvsClassVariable::AddProperty(const String& Name, const String& TypeName,
                                                 const TvsGetPropertyEvent& Read,
                                                 const TvsSetPropertyEvent& Write) {
    auto* p = new TvsPropertyHelper(Name, TypeCodeOf(TypeName, FScript), TypeName);
    p->ClassRef = FClassRef;
    p->ReadCallback = Read;
    p->WriteCallback = Write;
    p->SetReadOnly(!Write);
    FMembers.Add(p);
    return p;
}

TvsMethodHelper* TvsClassVariable::AddIndexProperty(const String& Name, const String& Params,
                                                    const String& TypeName, const TvsMethodEvent& Callback,
                                                    bool IsReadOnly) {
    String decl = "function " + Name + "(";
    const std::vector<String> types = vsSplitCommaList(Params);
    for (size_t i = 0; i < types.size(); ++i) {
        if (i) decl += "; ";
        decl += "p" + IntToStr(static_cast<Int64>(i)) + ": " + types[i];
    }
    decl += "): " + TypeName;
    TvsMethodHelper* m = AddMethod(decl, Callback);
    m->SetReadOnly(IsReadOnly);
    m->IndexMethod = true;
    return m;
}

TvsMethodHelper* TvsClassVariable::AddDefaultProperty(const String& Name, const String& Params,
                                                      const String& TypeName, const TvsMethodEvent& Callback,
                                                      bool IsReadOnly) {
    TvsMethodHelper* m = AddIndexProperty(Name, Params, TypeName, Callback, IsReadOnly);
    DefaultProperty = m;
    return m;
}

TvsComponentHelper* TvsClassVariable::AddComponent(TComponent* Component) {
    auto* c = new TvsComponentHelper(Component);
    FMembers.Add(c);
    return c;
}

void TvsClassVariable::AddPublishedProperties(const TvsClassRef* ClassRef) {
    const meta::TClassInfo* info = ClassRef ? ClassRef->Meta() : nullptr;
    if (!info) return;
    std::vector<const meta::TPropInfo*> props;
    for (const meta::TPropInfo* p : info->Properties())
        if (p->Kind != meta::TPropKind::Method) props.push_back(p);
    std::stable_sort(props.begin(), props.end(), [](const meta::TPropInfo* a, const meta::TPropInfo* b) {
        return CompareText(a->Name, b->Name) < 0;
    });
    using meta::TPropKind;
    for (const meta::TPropInfo* p : props) {
        TvsVarType typ = fvtInt;
        String typeName;
        switch (p->Kind) {
        case TPropKind::Char:
            typ = fvtChar;
            break;
        case TPropKind::Boolean:
            typ = fvtBool;
            typeName = p->TypeName.empty() ? String("Boolean") : p->TypeName;
            break;
        case TPropKind::Enumeration:
            typeName = p->TypeName;
            typ = SameText(typeName, "Boolean") || SameText(typeName, "bool") ? fvtBool : fvtEnum;
            break;
        case TPropKind::Float:
            typ = fvtFloat;
            break;
        case TPropKind::String:
        case TPropKind::WideString:
            typ = fvtString;
            break;
        case TPropKind::Set:
            typ = fvtEnum;
            typeName = p->TypeName;
            break;
        case TPropKind::Object:
        case TPropKind::Component:
        case TPropKind::Strings:
            typ = fvtClass;
            typeName = p->PropClass() ? p->PropClass()->Name() : p->TypeName;
            break;
        case TPropKind::Variant:
            typ = fvtVariant;
            break;
        default:
            break;
        }
        auto* h = new TvsPropertyHelper(p->Name, typ, typeName);
        h->ClassRef = FClassRef;
        h->Published = true;
        h->SetReadOnly(!p->IsWritable());
        FMembers.Add(h);
    }
}

TvsCustomVariable* TvsClassVariable::Find(const String& Name) const {
    for (const TvsClassVariable* cls = this; cls;) {
        for (Integer i = 0; i < cls->FMembers.Count(); ++i) {
            auto* m = static_cast<TvsCustomVariable*>(cls->FMembers.Item(i));
            if (SameText(m->Name(), Name)) return m;
        }
        if (cls->FAncestorName.empty() || !cls->FScript) return nullptr;
        const TvsClassVariable* next = cls->FScript->LookupClass(cls->FAncestorName);
        if (next == cls) return nullptr;
        cls = next;
    }
    return nullptr;
}

Variant TvsClassVariable::FetchValue() {
    TvsParamItem* cast = Param(0);
    Variant result;
    if (cast->Stored().VType() == varNull) {
        if (!FNewInstance) FNewInstance = std::make_unique<TvsNewInstance>(FClassRef);
        result = vsObjectToVariant(FNewInstance.get());
    } else {
        result = cast->Value();
    }
    cast->Stored() = TvsValue::OfNull();
    return result;
}

// --- TvsSetExpression ------------------------------------------------------------------------------

void TvsSetExpression::AddExpression(TvsCustomExpression* E) {
    Add(E);
}

void TvsSetExpression::Clear() {
    TvsItemList::Clear();
}

Variant TvsSetExpression::FetchValue() {
    std::vector<Variant> values(FList.size());
    for (size_t i = 0; i < FList.size(); ++i)
        values[i] = FList[i] ? static_cast<TvsCustomVariable*>(FList[i])->FetchValue() : Null();
    return VarArrayOf(values);
}

bool TvsSetExpression::Contains(const Variant& X) {
    const size_t n = FList.size();
    for (size_t i = 0; i < n; ++i) {
        if (!FList[i]) continue;
        const Variant v = static_cast<TvsCustomVariable*>(FList[i])->FetchValue();
        if (i + 2 < n && !FList[i + 1] && FList[i + 2]) {
            const Variant hi = static_cast<TvsCustomVariable*>(FList[i + 2])->FetchValue();
            if (VarCompare(TVarOp::CmpGE, X, v) && VarCompare(TVarOp::CmpLE, X, hi)) return true;
            i += 2;
        } else if (VarCompare(TVarOp::CmpEQ, X, v)) {
            return true;
        }
    }
    return false;
}
