// The class-library bindings: file-mode and seek constants, TDuplicates, TPrinterOrientation and
// the classes TObject, TPersistent, TCollectionItem, TCollection, TList, TStrings, TStringList,
// TStream, TFileStream, TMemoryStream, TComponent, TvsXMLItem and TvsXMLDocument for scripts.
#pragma once

#include "script/vs_iinterpreter.h"

class TvsClassesFunctions : public TvsRTTIModule {
public:
    explicit TvsClassesFunctions(TvsScript* Script);
    String ClassName() const override { return "TvsClassesFunctions"; }

private:
    Variant CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& MethodName,
                       TvsMethodHelper* Caller);
    Variant GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName);
    void SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName,
                 const Variant& Value);
};

// An object pointer kept by a host list (TList, TStrings.Objects) as a script value. A pointer
// the script stored is checked against the object handle table, so an object freed since gives
// an invalid handle error instead of a dangling reference.
Variant vsPointerToVariant(void* Pointer);
void* vsVariantToPointer(const Variant& V);

// The object argument at position Index of a call that cannot do without one: nil raises
// EvsScriptError naming the call and the parameter ("TCanvas.Draw: Graphic is nil"), an object of
// another class EInvalidCast.
TObject* vsNeedObject(TvsMethodHelper* Caller, Integer Index, const char* Call, const char* Param);
template <class T> T& vsNeedObjectAs(TvsMethodHelper* Caller, Integer Index, const char* Call, const char* Param) {
    T* typed = dynamic_cast<T*>(vsNeedObject(Caller, Index, Call, Param));
    if (!typed) throw EInvalidCast("Invalid class typecast");
    return *typed;
}
