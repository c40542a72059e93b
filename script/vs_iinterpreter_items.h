// Script items: everything a script can name. Every item answers FetchValue and StoreValue on
// variants; designators chain them into access paths, expressions and statements read and write
// through them. Registered host functions, methods and properties answer through call-backs
// (see TvsMethodHelper and TvsPropertyHelper).
#pragma once

#include "rtl/Object.h"
#include "rtl/Variant.h"
#include "script/vs_iconst.h"
#include "script/vs_ivalue.h"

#include <functional>
#include <memory>
#include <vector>

namespace meta {
class TClassInfo;
struct TPropInfo;
} // namespace meta

class TComponent;
class TvsScript;
class TvsClassRef;
class TvsMethodHelper;
class TvsParamItem;
class TvsEventAdapterClass;

// The host's variable hook: asked for the value of a variable on every read (Null: keep the
// stored value).
using TvsGetVariableValueEvent =
    std::function<Variant(const String& VarName, TvsVarType VarTyp, const Variant& OldValue)>;

// Call-back of a function or method registered with AddMethod (item form): the arguments are read
// with Caller->GetParamValue(i), var arguments returned with Caller->PutParamValue(i, V).
// Instance is nil for a global function; ClassType the class the member was registered on.
// MethodName is the upper-case name, with ".GET" or ".SET" appended for index properties.
using TvsMethodEvent = std::function<Variant(TObject* Instance, const TvsClassRef* ClassType,
                                             const String& MethodName, TvsMethodHelper* Caller)>;
// Call-back of AddMethodParamArray (array form): Params is a variant array, one element per
// parameter from index 0; elements of var parameters written by the call-back go back.
using TvsMethodParamArrayEvent = std::function<Variant(TObject* Instance, const TvsClassRef* ClassType,
                                                       const String& MethodName, Variant& Params)>;
// Property call-backs of AddProperty.
using TvsGetPropertyEvent =
    std::function<Variant(TObject* Instance, const TvsClassRef* ClassType, const String& PropName)>;
using TvsSetPropertyEvent = std::function<void(TObject* Instance, const TvsClassRef* ClassType,
                                               const String& PropName, const Variant& Value)>;

// The owner marker of the items registered while the registration modules are created.
inline const void* const vsSystemItemMarker = reinterpret_cast<const void*>(1);

// What an item is, so the run time can tell kinds apart without casts.
enum class TvsItemKind : Byte {
    ikOther,
    ikVariable,
    ikStringVariable,
    ikType,
    ikParam,
    ikProc,
    ikMethod,
    ikProperty,
    ikComponent,
    ikEvent,
    ikArrayHelper,
    ikStringHelper,
    ikOLE,
    ikClass,
    ikSet,
    ikExpression,
    ikDesignator,
    ikArrayVariable,
};

// An owning list of objects: Add appends, Remove takes out without freeing, Clear frees.
class TvsItemList : public TObject {
public:
    TvsItemList() = default;
    ~TvsItemList() override;
    String ClassName() const override { return "TvsItemList"; }

    virtual void Clear();
    void Add(TObject* Item) { FList.push_back(Item); }
    void Insert(Integer Index, TObject* Item) { FList.insert(FList.begin() + Index, Item); }
    void Remove(TObject* Item);
    Integer Count() const { return static_cast<Integer>(FList.size()); }
    TObject* Item(Integer Index) const { return FList[static_cast<size_t>(Index)]; }
    // Exchanges the contents of two lists.
    void SwapList(TvsItemList& Other) { FList.swap(Other.FList); }

protected:
    std::vector<TObject*> FList;
};

// The base of every script item. Its list holds the item's parameters (TvsParamItem) when it is
// callable.
class TvsCustomVariable : public TvsItemList {
public:
    TvsCustomVariable(const String& Name, TvsVarType Typ, const String& TypeName,
                      TvsItemKind Kind = TvsItemKind::ikOther);
    String ClassName() const override { return "TvsCustomVariable"; }

    virtual void StoreValue(const Variant& V);
    virtual Variant FetchValue();
    // The value as the interpreter's compact value: FetchValue's value, without a Variant where
    // the item holds an integer or reads a stored value.
    virtual TvsValue FetchCompact();
    // Stores a value that is no longer needed: an item that keeps values as they come (a
    // parameter) takes it without a copy; the others go through StoreValue.
    virtual void StoreCompact(TvsValue&& V);

    TvsItemKind Kind() const { return FKind; }
    const String& Name() const { return FName; }
    const String& UpperName() const { return FUpperName; }
    TvsVarType Typ() const { return FTyp; }
    void SetTyp(TvsVarType Value) { FTyp = Value; }
    const String& TypeName() const { return FTypeName; }
    void SetTypeName(const String& Value) { FTypeName = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool IsMacro() const { return FIsMacro; }
    void SetIsMacro(bool Value) { FIsMacro = Value; }
    bool NeedResult() const { return FNeedResult; }
    void SetNeedResult(bool Value) { FNeedResult = Value; }
    const void* OwnerMarker() const { return FOwnerMarker; }
    void SetOwnerMarker(const void* Value) { FOwnerMarker = Value; }
    TvsCustomVariable* RefItem() const { return FRefItem; }
    void SetRefItem(TvsCustomVariable* Value) { FRefItem = Value; }
    const String& SourcePos() const { return FSourcePos; }
    void SetSourcePos(const String& Value) { FSourcePos = Value; }
    const String& SourceUnit() const { return FSourceUnit; }
    void SetSourceUnit(const String& Value) { FSourceUnit = Value; }
    const TvsGetVariableValueEvent& OnGetVarValue() const { return FOnGetVarValue; }
    void SetOnGetVarValue(const TvsGetVariableValueEvent& Value) {
        FOnGetVarValue = Value;
        FHasHook = static_cast<bool>(Value);
    }
    // The host's hook is set: reads go through it.
    bool HasHook() const { return FHasHook; }
    const bool* HookFlag() const { return &FHasHook; }

    // The stored value itself, read and written in place (array elements, loop counters,
    // locals saved for a recursive call).
    TvsValue& Stored() { return FValue; }
    const TvsValue& Stored() const { return FValue; }
    // The stored value as a Variant.
    Variant Value() const { return FValue.ToVariant(); }

    inline TvsParamItem* Param(Integer Index) const;
    Integer ParamCount() const { return Count(); }
    // Parameters that are not optional.
    Integer RequiredParamCount() const;
    // "Integer", "Boolean", "Extended", "Char", "String", the type name, "Array" or "Variant".
    String TypeNameText() const;

protected:
    TvsItemKind FKind;
    const void* FOwnerMarker = nullptr;
    bool FIsMacro = false;
    bool FReadOnly = false;
    String FName;
    bool FNeedResult = true;
    TvsCustomVariable* FRefItem = nullptr;
    String FSourcePos;
    String FSourceUnit;
    TvsVarType FTyp;
    String FTypeName;
    String FUpperName;
    TvsValue FValue;
    TvsGetVariableValueEvent FOnGetVarValue;
    bool FHasHook = false;
};

// A variable or constant: the value is converted to the type code when stored.
class TvsVariable : public TvsCustomVariable {
public:
    TvsVariable(const String& Name, TvsVarType Typ, const String& TypeName,
                TvsItemKind Kind = TvsItemKind::ikVariable);
    String ClassName() const override { return "TvsVariable"; }
    void StoreValue(const Variant& V) override;
    // A value the variable's type keeps as it is is taken without a copy or conversion.
    void StoreCompact(TvsValue&& value) override;
    Variant FetchValue() override;
    TvsValue FetchCompact() override;
    // Converts V by the type code: 32-bit integer, boolean, double, text; others as given.
    static Variant Convert(const Variant& V, TvsVarType Typ);
    // A variable of type Typ keeps a value of kind VType as it is (Convert would change nothing).
    static bool HoldsAsIs(TvsVarType Typ, TVarType VType);
};

// A Char or String variable: its value is always a text (a boxed string), so single characters
// and appends change it in place.
class TvsStringVariable : public TvsVariable {
public:
    TvsStringVariable(const String& Name, TvsVarType Typ, const String& TypeName);
    String ClassName() const override { return "TvsStringVariable"; }
    void StoreValue(const Variant& V) override;
    void StoreCompact(TvsValue&& value) override;
    Variant FetchValue() override;
    TvsValue FetchCompact() override;
    const String& Text() const;
    // The text for changing in place (copied first when a saved value shares it).
    String& MutableText();
    void SetText(String text);

private:
    bool CopyIntoOwnText(const String& text);
};

// A declared array variable (var a: array[0..9] of Integer): its elements are kept as compact
// values while the script reads and writes them one by one. The first use of the array as a
// whole (handing it to a function, assigning it, a host reading it) turns it into the variant
// array it stands for, and from then on it is kept as that variant.
class TvsArrayVariable : public TvsVariable {
public:
    // Value: the array's initial variant array.
    TvsArrayVariable(const String& Name, const String& TypeName, const Variant& Value);
    String ClassName() const override { return "TvsArrayVariable"; }
    Variant FetchValue() override;
    TvsValue FetchCompact() override;

    // The elements while they are kept compact, else nullptr; for writing, copied first when a
    // saved copy (a recursive call) shares them.
    TvsCompactArray* Compact() { return const_cast<TvsCompactArray*>(FValue.Array()); }
    TvsCompactArray* MutableCompact() { return FValue.MutableArray(); }
    // The array as its variant from now on, read and written in place; nullptr when the variable
    // holds no array.
    Variant* Spilled();
};

// A named type code registered by AddType.
class TvsTypeVariable : public TvsCustomVariable {
public:
    TvsTypeVariable(const String& Name, TvsVarType Typ)
        : TvsCustomVariable(Name, Typ, String(), TvsItemKind::ikType) {}
    String ClassName() const override { return "TvsTypeVariable"; }
};

class TvsParamItem : public TvsCustomVariable {
public:
    TvsParamItem(const String& Name, bool IsVar, bool IsOptional, const String& TypeName, TvsVarType Typ);
    String ClassName() const override { return "TvsParamItem"; }
    bool IsVar() const { return FIsVar; }
    bool IsOptional() const { return FIsOptional; }
    const Variant& DefValue() const { return FDefValue; }
    void SetDefValue(const Variant& Value) { FDefValue = Value; }

private:
    Variant FDefValue;
    bool FIsOptional;
    bool FIsVar;
};

inline TvsParamItem* TvsCustomVariable::Param(Integer Index) const {
    return static_cast<TvsParamItem*>(Item(Index));
}

// A procedure or function of the script. Its local script holds the parameters, the local
// declarations and the body.
class TvsProcVariable : public TvsCustomVariable {
public:
    TvsProcVariable(const String& Name, TvsVarType Typ, const String& TypeName, TvsScript* Parent,
                    bool IsFunction);
    ~TvsProcVariable() override;
    String ClassName() const override { return "TvsProcVariable"; }

    // Runs the procedure with the values its parameters hold; a function's Result, else Null.
    Variant FetchValue() override;
    TvsValue FetchCompact() override;
    bool Executing() const { return FExecuting; }
    bool IsFunction() const { return FIsFunction; }
    TvsScript* LocalScript() const { return FLocalScript.get(); }

    // Runs the procedure for a call of the script's code, the arguments being in the parameters;
    // a function's Result is handed over (moved out: the next call sets it again), Null for a
    // procedure.
    inline TvsValue Invoke(); // vs_iinterpreter_call.h
    // Makes the list of locals and the var-parameter flag current (the local script may have
    // gained items since the last call).
    inline void Prepare(); // vs_iinterpreter.h
    // A parameter is a var parameter, whose value goes back to its argument after a call (valid
    // after Prepare).
    bool HasVarParams() const { return FHasVarParams; }

    // Saves the values of the local variables and parameters onto the frame stack of the script's
    // root (a recursive call starts with them and gives them back when it ends): the values are
    // shared with the saved ones, a text or an array is copied only when it then changes.
    // SaveLocals gives the frame's mark and its count of values, RestoreLocals takes them back.
    inline size_t SaveLocals(size_t& count);              // vs_iinterpreter.h
    inline void RestoreLocals(size_t mark, size_t count); // vs_iinterpreter.h

private:
    inline void Run(); // vs_iinterpreter_call.h
    void CollectLocals();
    inline TvsFrameStack& FrameStack();

    bool FExecuting = false;
    bool FIsFunction;
    bool FHasVarParams = false;
    TvsScript* FMainScript = nullptr;
    TvsScript* FRootScript = nullptr;
    TvsValue FResultStart; // what Result holds when a call starts, for the type FResultStartTyp
    TvsVarType FResultStartTyp = fvtVariant;
    bool FResultStartKnown = false;
    std::unique_ptr<TvsScript> FLocalScript;
    std::vector<TvsCustomVariable*> FLocals; // variables and parameters of the local script
    unsigned FLocalsGeneration = ~0u;
};

// Base of the members and accessors whose value depends on what the access path reached before
// them: the designator fills ParentItem, ParentValue and Script before each use.
class TvsCustomHelper : public TvsCustomVariable {
public:
    using TvsCustomVariable::TvsCustomVariable;
    String ClassName() const override { return "TvsCustomHelper"; }
    TvsCustomVariable* ParentItem = nullptr;
    Variant ParentValue;
    TvsScript* Script = nullptr;
    // ParentValue as an object (nil for Null and Empty); raises for a stale or forged handle.
    TObject* ParentObject() const;
};

// A registered global function, class method, constructor or index property.
class TvsMethodHelper : public TvsCustomHelper {
public:
    TvsMethodHelper(const String& Declaration, TvsScript* Script);
    String ClassName() const override { return "TvsMethodHelper"; }

    Variant FetchValue() override;
    void StoreValue(const Variant& V) override;

    // Argument Index; Index equal to the parameter count is the value being assigned in an index
    // property write.
    Variant GetParamValue(Integer Index) const;
    // Returns a var argument.
    void PutParamValue(Integer Index, const Variant& V);

    String Category;
    String Description;
    const TvsClassRef* ClassRef = nullptr;
    bool IndexMethod = false;
    TvsMethodParamArrayEvent ArrayCallback;
    TvsMethodEvent ItemCallback;
    const String& Declaration() const { return FDeclaration; }

private:
    Variant Call(const String& Name, const Variant* Assigned);
    Variant FPendingValue;
    String FDeclaration;
};

// A member property: published (read and written through the class's reflection) or served by
// call-backs.
class TvsPropertyHelper : public TvsCustomHelper {
public:
    TvsPropertyHelper(const String& Name, TvsVarType Typ, const String& TypeName)
        : TvsCustomHelper(Name, Typ, TypeName, TvsItemKind::ikProperty) {}
    String ClassName() const override { return "TvsPropertyHelper"; }
    Variant FetchValue() override;
    void StoreValue(const Variant& V) override;

    const TvsClassRef* ClassRef = nullptr;
    bool Published = false;
    TvsGetPropertyEvent ReadCallback;
    TvsSetPropertyEvent WriteCallback;

private:
    const meta::TPropInfo* PublishedProp(TObject* Instance);
    const meta::TClassInfo* FCachedClass = nullptr;
    const meta::TPropInfo* FCachedProp = nullptr;
};

// A member that exposes a component owned by a form.
class TvsComponentHelper : public TvsCustomHelper {
public:
    explicit TvsComponentHelper(TComponent* Component);
    String ClassName() const override { return "TvsComponentHelper"; }
    Variant FetchValue() override;
    TComponent* Component() const { return FComponent; }

private:
    TComponent* FComponent;
};

// A member event: assigning a procedure's name installs it as the handler.
class TvsEventHelper : public TvsCustomHelper {
public:
    TvsEventHelper(const String& Name, const TvsEventAdapterClass* AdapterClass);
    String ClassName() const override { return "TvsEventHelper"; }
    Variant FetchValue() override;
    void StoreValue(const Variant& V) override;
    const TvsClassRef* ClassRef = nullptr;
    const TvsEventAdapterClass* AdapterClass() const { return FAdapterClass; }

private:
    const TvsEventAdapterClass* FAdapterClass;
};

// Element accessor of array values, working on the parent item's stored array in place.
class TvsArrayHelper : public TvsCustomHelper {
public:
    // Dimensions -1: three integer parameters, the second and third optional.
    TvsArrayHelper(const String& Name, const String& TypeName, TvsVarType Typ, Integer Dimensions);
    String ClassName() const override { return "TvsArrayHelper"; }
    Variant FetchValue() override;
    void StoreValue(const Variant& V) override;
};

// Character accessor of string values ("__StringHelper").
class TvsStringHelper : public TvsCustomHelper {
public:
    TvsStringHelper();
    String ClassName() const override { return "TvsStringHelper"; }
    Variant FetchValue() override;
    void StoreValue(const Variant& V) override;
};

class TvsClassVariable;

// The object a class name yields when used alone (TStringList.Create): it stands for an object
// of that class that the constructor member then creates.
class TvsNewInstance : public TObject {
public:
    explicit TvsNewInstance(const TvsClassRef* ClassRef) : FClassRef(ClassRef) {}
    String ClassName() const override { return "TvsNewInstance"; }
    const TvsClassRef* ClassRef() const { return FClassRef; }

private:
    const TvsClassRef* FClassRef;
};

// A registered host class with its members.
class TvsClassVariable : public TvsCustomVariable {
public:
    TvsClassVariable(const TvsClassRef* ClassRef, const String& AncestorName, TvsScript* Script);
    ~TvsClassVariable() override;
    String ClassName() const override { return "TvsClassVariable"; }

    TvsMethodHelper* AddConstructor(const String& Declaration, const TvsMethodEvent& Callback);
    TvsMethodHelper* AddMethod(const String& Declaration, const TvsMethodEvent& Callback);
    TvsEventHelper* AddEvent(const String& Name, const TvsEventAdapterClass* AdapterClass);
    TvsPropertyHelper* AddProperty(const String& Name, const String& TypeName,
                                   const TvsGetPropertyEvent& Read,
                                   const TvsSetPropertyEvent& Write = nullptr);
    TvsMethodHelper* AddIndexProperty(const String& Name, const String& Params, const String& TypeName,
                                      const TvsMethodEvent& Callback, bool IsReadOnly = false);
    TvsMethodHelper* AddDefaultProperty(const String& Name, const String& Params, const String& TypeName,
                                        const TvsMethodEvent& Callback, bool IsReadOnly = false);
    TvsComponentHelper* AddComponent(TComponent* Component);
    void AddPublishedProperties(const TvsClassRef* ClassRef);

    // A member by name (ASCII letters without regard to case), then in the ancestors.
    TvsCustomVariable* Find(const String& Name) const;
    Integer MemberCount() const { return FMembers.Count(); }
    TvsCustomVariable* Member(Integer Index) const {
        return static_cast<TvsCustomVariable*>(FMembers.Item(Index));
    }

    Variant FetchValue() override;

    const TvsClassRef* ClassRef() const { return FClassRef; }
    const String& AncestorName() const { return FAncestorName; }
    TvsCustomVariable* DefaultProperty = nullptr;
    TvsScript* Script() const { return FScript; }

private:
    String FAncestorName;
    const TvsClassRef* FClassRef;
    TvsItemList FMembers;
    TvsScript* FScript;
    std::unique_ptr<TvsNewInstance> FNewInstance;
};

class TvsCustomExpression;

// A set literal: expressions, a nil entry between two of them marking a range.
class TvsSetExpression : public TvsCustomVariable {
public:
    TvsSetExpression() : TvsCustomVariable(String(), fvtVariant, String(), TvsItemKind::ikSet) {}
    String ClassName() const override { return "TvsSetExpression"; }
    Variant FetchValue() override;
    bool Contains(const Variant& X);
    void AddExpression(TvsCustomExpression* E);
    void AddRangeMark() { FList.push_back(nullptr); }
    void Clear() override;
};

// Base of every registration module: registers its items into the script in its constructor.
class TvsRTTIModule : public TObject {
public:
    explicit TvsRTTIModule(TvsScript* Script) : FScript(Script) {}
    String ClassName() const override { return "TvsRTTIModule"; }
    TvsScript* Script() const { return FScript; }

protected:
    TvsScript* FScript;
};
