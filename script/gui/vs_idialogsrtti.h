// The dialog bindings: the common dialogs (open, save, colour, font, print, printer setup) and
// the free functions MessageDlg, InputBox and InputQuery for scripts. Every box and dialog asks
// the user through the interaction service.
#pragma once

#include "script/vs_iinterpreter.h"

class TvsDialogsFunctions : public TvsRTTIModule {
public:
    explicit TvsDialogsFunctions(TvsScript* Script);
    String ClassName() const override { return "TvsDialogsFunctions"; }

private:
    Variant CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& MethodName,
                       TvsMethodHelper* Caller);
};
