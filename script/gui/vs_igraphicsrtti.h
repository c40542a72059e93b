// The graphics bindings: colour constants (the platform's colour name table, in its order), font,
// pen and brush types, and the classes TFont, TPen, TBrush, TCanvas, TGraphic, TPicture,
// TMetafile, TMetafileCanvas and TBitmap for scripts.
#pragma once

#include "script/vs_iinterpreter.h"

class TvsGraphicsFunctions : public TvsRTTIModule {
public:
    explicit TvsGraphicsFunctions(TvsScript* Script);
    String ClassName() const override { return "TvsGraphicsFunctions"; }

private:
    Variant CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& MethodName,
                       TvsMethodHelper* Caller);
    Variant GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName);
    void SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName, const Variant& Value);
};
