#include "script/gui/vs_idialogsrtti.h"

#include "gui/Dialogs.h"
#include "rtl/Format.h"
#include "script/vs_iconst.h"

TvsDialogsFunctions::TvsDialogsFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    TvsScript& s = *Script;
    auto method = [this](TObject* i, const TvsClassRef* c, const String& n, TvsMethodHelper* h) {
        return CallMethod(i, c, n, h);
    };
    s.AddEnumSet("TOpenOptions",
                 "ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, "
                 "ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, "
                 "ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, "
                 "ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing");
    s.AddEnum("TFileEditStyle", "fsEdit, fsComboBox");
    s.AddEnumSet("TColorDialogOptions", "cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor");
    s.AddEnumSet("TFontDialogOptions",
                 "fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel, "
                 "fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, "
                 "fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton");
    s.AddEnum("TFontDialogDevice", "fdScreen, fdPrinter, fdBoth");
    s.AddEnum("TPrintRange", "prAllPages, prSelection, prPageNums");
    s.AddEnumSet("TPrintDialogOptions",
                 "poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile");
    s.AddEnum("TMsgDlgType", "mtWarning, mtError, mtInformation, mtConfirmation, mtCustom");
    s.AddEnumSet("TMsgDlgButtons", "mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, "
                                   "mbYesToAll, mbHelp");

    if (TvsClassVariable* c = s.AddClass(vsClassOf<TCommonDialog>(), "TComponent"))
        c->AddMethod("function Execute: Boolean", method);
    s.AddClass(vsClassOf<TOpenDialog>(), "TCommonDialog");
    s.AddClass(vsClassOf<TSaveDialog>(), "TCommonDialog");
    s.AddClass(vsClassOf<TColorDialog>(), "TCommonDialog");
    s.AddClass(vsClassOf<TFontDialog>(), "TCommonDialog");
    s.AddClass(vsClassOf<TPrintDialog>(), "TCommonDialog");
    s.AddClass(vsClassOf<TPrinterSetupDialog>(), "TCommonDialog");

    s.AddMethod("function MessageDlg(Msg: string; DlgType: TMsgDlgType; Buttons: TMsgDlgButtons; HelpCtx: Longint): "
                "Integer",
                method, "ctOther");
    s.AddMethod("function InputBox(ACaption, APrompt, ADefault: string): string", method, "ctOther");
    s.AddMethod("function InputQuery(ACaption, APrompt: string; var Value: string): Boolean", method, "ctOther");
}

Variant TvsDialogsFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                        TvsMethodHelper* C) {
    auto str = [C](Integer i) { return VarToStr(C->GetParamValue(i)); };
    if (ClassType) {
        if (ClassType->Name() == "TCommonDialog" && M == "EXECUTE") {
            auto* dialog = dynamic_cast<TCommonDialog*>(Instance);
            if (!dialog) throw EInvalidCast("Invalid class typecast");
            return Variant(dialog->Execute());
        }
        return Variant(0);
    }
    if (M == "MESSAGEDLG") {
        const Integer type = C->GetParamValue(1).AsInteger();
        if (type < mtWarning || type > mtCustom) throw EvsScriptError(Format("Invalid TMsgDlgType value (%d)", {type}));
        const UInt64 buttons = static_cast<UInt64>(C->GetParamValue(2).AsInt64()) & 0x7FF;
        return Variant(MessageDlg(str(0), static_cast<TMsgDlgType>(type), TMsgDlgButtons::FromBits(buttons),
                                  C->GetParamValue(3).AsInteger()));
    }
    if (M == "INPUTBOX") return Variant(InputBox(str(0), str(1), str(2)));
    if (M == "INPUTQUERY") {
        String value = str(2);
        const bool ok = InputQuery(str(0), str(1), value);
        C->PutParamValue(2, Variant(value));
        return Variant(ok);
    }
    return Variant(0);
}
