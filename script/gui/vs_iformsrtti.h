// The form and control bindings: modal results, cursors, border styles, key codes, the control
// enumerations and sets, the classes from TControl to TForm, TDataModule and TApplication, and the
// object Application for scripts. Events of controls and forms run script procedures through the
// event adapters.
#pragma once

#include "script/vs_iinterpreter.h"

class TvsFormsFunctions : public TvsRTTIModule {
public:
    explicit TvsFormsFunctions(TvsScript* Script);
    String ClassName() const override { return "TvsFormsFunctions"; }

private:
    Variant CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& MethodName,
                       TvsMethodHelper* Caller);
    Variant GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName);
    void SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName, const Variant& Value);
};
