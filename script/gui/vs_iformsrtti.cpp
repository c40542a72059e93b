#include "script/gui/vs_iformsrtti.h"

#include "gui/DataModule.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "script/vs_ievents.h"

#include <map>

namespace formsrtti {

using TCall = Variant (*)(TObject* Instance, TvsMethodHelper* C);

Integer Int(TvsMethodHelper* C, Integer I) {
    return C->GetParamValue(I).AsInteger();
}

template <class T> T& Self(TObject* Instance) {
    T* t = dynamic_cast<T*>(Instance);
    if (!t) throw EInvalidCast("Invalid class typecast");
    return *t;
}

const std::map<std::pair<String, String>, TCall>& Methods() {
    static const std::map<std::pair<String, String>, TCall> methods{
        {{"TControl", "HIDE"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TControl>(I).Hide();
             return Variant(0);
         }},
        {{"TControl", "SHOW"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TControl>(I).Show();
             return Variant(0);
         }},
        {{"TControl", "SETBOUNDS"},
         [](TObject* I, TvsMethodHelper* C) {
             Self<TControl>(I).SetBounds(Int(C, 0), Int(C, 1), Int(C, 2), Int(C, 3));
             return Variant(0);
         }},
        {{"TWinControl", "SETFOCUS"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TWinControl>(I).SetFocus();
             return Variant(0);
         }},
        {{"TCustomListBox", "SELECTED.GET"},
         [](TObject* I, TvsMethodHelper* C) {
             auto& list = Self<TCustomListBox>(I);
             const Integer index = Int(C, 0);
             if (index < 0 || index >= list.Items()->Count()) ListIndexError(index);
             return Variant(list.Selected(index));
         }},
        {{"TCustomListBox", "SELECTED.SET"},
         [](TObject* I, TvsMethodHelper* C) {
             auto& list = Self<TCustomListBox>(I);
             const Integer index = Int(C, 0);
             if (index < 0 || index >= list.Items()->Count()) ListIndexError(index);
             list.SetSelected(index, C->GetParamValue(1).AsBoolean());
             return Variant(0);
         }},
        {{"TCustomForm", "CLOSE"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TCustomForm>(I).Close();
             return Variant(0);
         }},
        {{"TCustomForm", "HIDE"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TCustomForm>(I).Hide();
             return Variant(0);
         }},
        {{"TCustomForm", "SHOW"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TCustomForm>(I).Show();
             return Variant(0);
         }},
        {{"TCustomForm", "SHOWMODAL"},
         [](TObject* I, TvsMethodHelper*) { return Variant(Self<TCustomForm>(I).ShowModal()); }},
        {{"TApplication", "MINIMIZE"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TApplication>(I).Minimize();
             return Variant(0);
         }},
        {{"TApplication", "PROCESSMESSAGES"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TApplication>(I).ProcessMessages();
             return Variant(0);
         }},
        {{"TApplication", "RESTORE"},
         [](TObject* I, TvsMethodHelper*) {
             Self<TApplication>(I).Restore();
             return Variant(0);
         }},
    };
    return methods;
}

struct TNamedValue {
    const char* Name;
    Integer Value;
};

} // namespace formsrtti

TvsFormsFunctions::TvsFormsFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    using formsrtti::TNamedValue;
    TvsScript& s = *Script;
    auto method = [this](TObject* i, const TvsClassRef* c, const String& n, TvsMethodHelper* h) {
        return CallMethod(i, c, n, h);
    };
    auto get = [this](TObject* i, const TvsClassRef* c, const String& n) { return GetProp(i, c, n); };
    auto set = [this](TObject* i, const TvsClassRef* c, const String& n, const Variant& v) { SetProp(i, c, n, v); };
    auto constants = [&s](std::initializer_list<TNamedValue> values) {
        for (const TNamedValue& v : values)
            s.AddConst(v.Name, "Integer", Variant(v.Value));
    };

    constants({{"mrNone", 0}, {"mrOk", 1}, {"mrCancel", 2}, {"mrAbort", 3}, {"mrRetry", 4}, {"mrIgnore", 5},
               {"mrYes", 6}, {"mrNo", 7}, {"mrAll", 8}, {"mrNoToAll", 9}, {"mrYesToAll", 10}});
    constants({{"crDefault", 0},     {"crNone", -1},      {"crArrow", -2},      {"crCross", -3},
               {"crIBeam", -4},      {"crSize", -22},     {"crSizeNESW", -6},   {"crSizeNS", -7},
               {"crSizeNWSE", -8},   {"crSizeWE", -9},    {"crUpArrow", -10},   {"crHourGlass", -11},
               {"crDrag", -12},      {"crNoDrop", -13},   {"crHSplit", -14},    {"crVSplit", -15},
               {"crMultiDrag", -16}, {"crSQLWait", -17},  {"crNo", -18},        {"crAppStart", -19},
               {"crHelp", -20},      {"crHandPoint", -21}, {"crSizeAll", -22}});
    constants({{"bsNone", 0}, {"bsSingle", 1}, {"bsSizeable", 2}, {"bsDialog", 3}, {"bsToolWindow", 4},
               {"bsSizeToolWin", 5}});
    constants({{"VK_RBUTTON", 2},    {"VK_CANCEL", 3},   {"VK_MBUTTON", 4},   {"VK_BACK", 8},
               {"VK_TAB", 9},        {"VK_RETURN", 13},  {"VK_SHIFT", 16},    {"VK_CONTROL", 17},
               {"VK_MENU", 18},      {"VK_PAUSE", 19},   {"VK_CAPITAL", 20},  {"VK_ESCAPE", 27},
               {"VK_SPACE", 32},     {"VK_PRIOR", 33},   {"VK_NEXT", 34},     {"VK_END", 35},
               {"VK_HOME", 36},      {"VK_LEFT", 37},    {"VK_UP", 38},       {"VK_RIGHT", 39},
               {"VK_DOWN", 40},      {"VK_INSERT", 45},  {"VK_DELETE", 46},   {"VK_HELP", 47},
               {"VK_LWIN", 91},      {"VK_RWIN", 92},    {"VK_APPS", 93}});
    for (Integer i = 0; i <= 9; ++i)
        s.AddConst("VK_NUMPAD" + IntToStr(i), "Integer", Variant(96 + i));
    constants({{"VK_MULTIPLY", 106}, {"VK_ADD", 107}, {"VK_SEPARATOR", 108}, {"VK_SUBTRACT", 109},
               {"VK_DECIMAL", 110}, {"VK_DIVIDE", 111}});
    for (Integer i = 1; i <= 12; ++i)
        s.AddConst("VK_F" + IntToStr(i), "Integer", Variant(111 + i));
    constants({{"VK_NUMLOCK", 144}, {"VK_SCROLL", 145}});
    for (const char* name : {"TFormBorderStyle", "TBorderStyle", "TAlignment", "TLeftRight"})
        s.AddType(name, fvtInt);
    constants({{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}});
    s.AddEnumSet("TShiftState", "ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble");
    s.AddEnumSet("TAnchors", "akLeft, akTop, akRight, akBottom");
    s.AddEnumSet("TBorderIcons", "biSystemMenu, biMinimize, biMaximize, biHelp");
    s.AddEnum("TAlign", "alNone, alTop, alBottom, alLeft, alRight, alClient");
    s.AddEnum("TMouseButton", "mbLeft, mbRight, mbMiddle");
    s.AddEnum("TBevelCut", "bvNone, bvLowered, bvRaised, bvSpace");
    s.AddEnum("TTextLayout", "tlTop, tlCenter, tlBottom");
    s.AddEnum("TEditCharCase", "ecNormal, ecUpperCase, ecLowerCase");
    s.AddEnum("TScrollStyle", "ssNone, ssHorizontal, ssVertical, ssBoth");
    s.AddEnum("TComboBoxStyle", "csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable");
    s.AddEnum("TCheckBoxState", "cbUnchecked, cbChecked, cbGrayed");
    s.AddEnum("TListBoxStyle", "lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable");
    s.AddEnum("TWindowState", "wsNormal, wsMinimized, wsMaximized");
    s.AddEnum("TFormStyle", "fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop");
    s.AddEnum("TPosition", "poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, "
                           "poDesktopCenter");
    s.AddEnum("TCloseAction", "caNone, caHide, caFree, caMinimize");

    const TvsEventAdapterClass* notify = vsEventAdapter<TNotifyEvent>();
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TControl>(), "TComponent")) {
        c->AddProperty("Parent", "TWinControl", get, set);
        c->AddMethod("procedure Hide", method);
        c->AddMethod("procedure Show", method);
        c->AddMethod("procedure SetBounds(ALeft, ATop, AWidth, AHeight: Integer)", method);
        c->AddEvent("OnCanResize", vsEventAdapter<TCanResizeEvent>());
        c->AddEvent("OnClick", notify);
        c->AddEvent("OnDblClick", notify);
        c->AddEvent("OnMouseDown", vsEventAdapter<TMouseEvent>());
        c->AddEvent("OnMouseMove", vsEventAdapter<TMouseMoveEvent>());
        c->AddEvent("OnMouseUp", vsEventAdapter<TMouseEvent>());
        c->AddEvent("OnResize", notify);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TWinControl>(), "TControl")) {
        c->AddMethod("procedure SetFocus", method);
        c->AddEvent("OnEnter", notify);
        c->AddEvent("OnExit", notify);
        c->AddEvent("OnKeyDown", vsEventAdapter<TKeyEvent>());
        c->AddEvent("OnKeyPress", vsEventAdapter<TKeyPressEvent>());
        c->AddEvent("OnKeyUp", vsEventAdapter<TKeyEvent>());
    }
    s.AddClass(vsClassOf<TCustomControl>(), "TWinControl");
    s.AddClass(vsClassOf<TGraphicControl>(), "TControl");
    s.AddClass(vsClassOf<TGroupBox>(), "TWinControl");
    s.AddClass(vsClassOf<TLabel>(), "TControl");
    s.AddClass(vsClassOf<TEdit>(), "TWinControl");
    s.AddClass(vsClassOf<TMemo>(), "TWinControl");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TCustomComboBox>(), "TWinControl")) {
        c->AddProperty("DroppedDown", "Boolean", get, set);
        c->AddProperty("ItemIndex", "Integer", get, set);
        c->AddEvent("OnChange", notify);
        c->AddEvent("OnDropDown", notify);
        c->AddEvent("OnCloseUp", notify);
    }
    s.AddClass(vsClassOf<TComboBox>(), "TCustomComboBox");
    s.AddClass(vsClassOf<TButton>(), "TWinControl");
    s.AddClass(vsClassOf<TCheckBox>(), "TWinControl");
    s.AddClass(vsClassOf<TRadioButton>(), "TWinControl");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TCustomListBox>(), "TWinControl")) {
        c->AddProperty("ItemIndex", "Integer", get, set);
        c->AddProperty("SelCount", "Integer", get);
        c->AddIndexProperty("Selected", "Integer", "Boolean", method);
    }
    s.AddClass(vsClassOf<TListBox>(), "TCustomListBox");
    s.AddClass(vsClassOf<TControlScrollBar>(), "TPersistent");
    s.AddClass(vsClassOf<TScrollingWinControl>(), "TWinControl");
    s.AddClass(vsClassOf<TScrollBox>(), "TScrollingWinControl");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TCustomForm>(), "TScrollingWinControl")) {
        c->AddMethod("procedure Close", method);
        c->AddMethod("procedure Hide", method);
        c->AddMethod("procedure Show", method);
        c->AddMethod("function ShowModal: Integer", method);
        for (const char* e : {"OnActivate", "OnCreate", "OnDestroy", "OnDeactivate", "OnHide", "OnPaint", "OnShow"})
            c->AddEvent(e, notify);
        c->AddEvent("OnClose", vsEventAdapter<TCloseEvent>());
        c->AddEvent("OnCloseQuery", vsEventAdapter<TCloseQueryEvent>());
        c->AddProperty("Canvas", "TCanvas", get);
        c->AddProperty("ModalResult", "Integer", get, set);
    }
    s.AddClass(vsClassOf<TForm>(), "TCustomForm");
    s.AddClass(vsClassOf<TDataModule>(), "TComponent");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TApplication>(), "TComponent")) {
        c->AddMethod("procedure Minimize", method);
        c->AddMethod("procedure ProcessMessages", method);
        c->AddMethod("procedure Restore", method);
        c->AddProperty("ExeName", "String", get);
    }
    s.AddObject("Application", Application());
}

Variant TvsFormsFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                      TvsMethodHelper* C) {
    const auto& methods = formsrtti::Methods();
    const auto it = methods.find({ClassType->Name(), M});
    return it == methods.end() ? Variant(0) : it->second(Instance, C);
}

Variant TvsFormsFunctions::GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P) {
    using formsrtti::Self;
    if (!Instance) return Variant(0);
    const String& cls = ClassType->Name();
    if (cls == "TControl" && P == "PARENT") return vsObjectToVariant(Self<TControl>(Instance).Parent());
    if (cls == "TCustomComboBox") {
        if (P == "DROPPEDDOWN") return Variant(Self<TCustomComboBox>(Instance).DroppedDown());
        if (P == "ITEMINDEX") return Variant(Self<TCustomComboBox>(Instance).ItemIndex());
    }
    if (cls == "TCustomListBox") {
        if (P == "ITEMINDEX") return Variant(Self<TCustomListBox>(Instance).ItemIndex());
        if (P == "SELCOUNT") return Variant(Self<TCustomListBox>(Instance).SelCount());
    }
    if (cls == "TCustomForm") {
        if (P == "CANVAS") return vsObjectToVariant(Self<TCustomForm>(Instance).Canvas());
        if (P == "MODALRESULT") return Variant(Self<TCustomForm>(Instance).ModalResult());
    }
    if (cls == "TApplication" && P == "EXENAME") return Variant(Self<TApplication>(Instance).ExeName());
    return Variant(0);
}

void TvsFormsFunctions::SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P,
                                const Variant& V) {
    using formsrtti::Self;
    if (!Instance) return;
    const String& cls = ClassType->Name();
    if (cls == "TControl" && P == "PARENT") {
        // Itself or one of its own controls as the parent raises (the chain would run in a circle).
        Self<TControl>(Instance).SetParent(vsVariantToObjectAs<TWinControl>(V));
    } else if (cls == "TCustomComboBox") {
        if (P == "DROPPEDDOWN") Self<TCustomComboBox>(Instance).SetDroppedDown(V.AsBoolean());
        if (P == "ITEMINDEX") Self<TCustomComboBox>(Instance).SetItemIndex(V.AsInteger());
    } else if (cls == "TCustomListBox") {
        if (P == "ITEMINDEX") Self<TCustomListBox>(Instance).SetItemIndex(V.AsInteger());
    } else if (cls == "TCustomForm" && P == "MODALRESULT") {
        Self<TCustomForm>(Instance).SetModalResult(V.AsInteger());
    }
}
