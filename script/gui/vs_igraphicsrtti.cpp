#include "script/gui/vs_igraphicsrtti.h"

#include "classes/ObjectHandles.h"
#include "gui/Bitmap.h"
#include "gui/IdentTables.h"
#include "gui/Metafile.h"
#include "gui/Picture.h"
#include "script/vs_iclassesrtti.h"
#include "script/vs_iconst.h"

#include <map>

namespace graphicsrtti {

using TCall = Variant (*)(TvsScript* Script, TObject* Instance, TvsMethodHelper* C);

Integer Int(TvsMethodHelper* C, Integer I) {
    return C->GetParamValue(I).AsInteger();
}

String Str(TvsMethodHelper* C, Integer I) {
    return VarToStr(C->GetParamValue(I));
}

template <class T> T& Self(TObject* Instance) {
    T* t = dynamic_cast<T*>(Instance);
    if (!t) throw EInvalidCast("Invalid class typecast");
    return *t;
}

// A plain constructor: an object of the class named in the call (TBitmap.Create through TGraphic
// builds a bitmap), owned by the script.
Variant CreateNamed(TvsScript* Script, TObject* Instance, TvsMethodHelper*) {
    const TvsClassRef* target = vsClassToConstruct(Instance);
    if (!target) return vsObjectToVariant(Instance);
    TObject* made = target->CreateInstance(nullptr);
    Script->AdoptObject(made);
    return vsObjectToVariant(made);
}

// The reference device of a metafile canvas: 0 for none, or a canvas object. Any other number is
// refused, never taken for a device.
TCanvas* ReferenceCanvas(const Variant& V) {
    const Integer handle = V.AsInteger();
    if (handle == 0) return nullptr;
    if (IsValidObjectHandle(handle))
        if (auto* canvas = dynamic_cast<TCanvas*>(HandleToObject(handle))) return canvas;
    throw EvsScriptError("TMetafileCanvas.Create: ReferenceDevice is neither 0 nor a canvas");
}

Variant CreateMetafileCanvas(TvsScript* Script, TObject* Instance, TvsMethodHelper* C) {
    const TvsClassRef* target = vsClassToConstruct(Instance);
    if (!target) return vsObjectToVariant(Instance);
    auto& metafile = vsNeedObjectAs<TMetafile>(C, 0, "TMetafileCanvas.Create", "AMetafile");
    auto* made = new TMetafileCanvas(&metafile, ReferenceCanvas(C->GetParamValue(1)));
    Script->AdoptObject(made);
    return vsObjectToVariant(made);
}

const std::map<std::pair<String, String>, TCall>& Methods() {
    static const std::map<std::pair<String, String>, TCall> methods{
        {{"TFont", "CREATE"}, &CreateNamed},
        {{"TPen", "CREATE"}, &CreateNamed},
        {{"TBrush", "CREATE"}, &CreateNamed},
        {{"TCanvas", "CREATE"}, &CreateNamed},
        {{"TGraphic", "CREATE"}, &CreateNamed},
        {{"TMetafileCanvas", "CREATE"}, &CreateMetafileCanvas},
        {{"TCanvas", "DRAW"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TCanvas>(I).Draw(Int(C, 0), Int(C, 1), &vsNeedObjectAs<TGraphic>(C, 2, "TCanvas.Draw", "Graphic"));
             return Variant(0);
         }},
        {{"TCanvas", "ELLIPSE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TCanvas>(I).Ellipse(Int(C, 0), Int(C, 1), Int(C, 2), Int(C, 3));
             return Variant(0);
         }},
        {{"TCanvas", "LINETO"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TCanvas>(I).LineTo(Int(C, 0), Int(C, 1));
             return Variant(0);
         }},
        {{"TCanvas", "MOVETO"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TCanvas>(I).MoveTo(Int(C, 0), Int(C, 1));
             return Variant(0);
         }},
        {{"TCanvas", "RECTANGLE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TCanvas>(I).Rectangle(Int(C, 0), Int(C, 1), Int(C, 2), Int(C, 3));
             return Variant(0);
         }},
        {{"TCanvas", "ROUNDRECT"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TCanvas>(I).RoundRect(Int(C, 0), Int(C, 1), Int(C, 2), Int(C, 3), Int(C, 4), Int(C, 5));
             return Variant(0);
         }},
        {{"TCanvas", "STRETCHDRAW"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             auto& graphic = vsNeedObjectAs<TGraphic>(C, 4, "TCanvas.StretchDraw", "Graphic");
             Self<TCanvas>(I).StretchDraw(TRect(Int(C, 0), Int(C, 1), Int(C, 2), Int(C, 3)), &graphic);
             return Variant(0);
         }},
        {{"TCanvas", "TEXTHEIGHT"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TCanvas>(I).TextHeight(Str(C, 0))); }},
        {{"TCanvas", "TEXTOUT"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TCanvas>(I).TextOut(Int(C, 0), Int(C, 1), Str(C, 2));
             return Variant(0);
         }},
        {{"TCanvas", "TEXTWIDTH"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) { return Variant(Self<TCanvas>(I).TextWidth(Str(C, 0))); }},
        {{"TCanvas", "PIXELS.GET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             return Variant(static_cast<Integer>(Self<TCanvas>(I).Pixels(Int(C, 0), Int(C, 1))));
         }},
        {{"TCanvas", "PIXELS.SET"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TCanvas>(I).SetPixels(Int(C, 0), Int(C, 1), Int(C, 2));
             return Variant(0);
         }},
        {{"TGraphic", "LOADFROMFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TGraphic>(I).LoadFromFile(Str(C, 0));
             return Variant(0);
         }},
        {{"TGraphic", "SAVETOFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TGraphic>(I).SaveToFile(Str(C, 0));
             return Variant(0);
         }},
        {{"TPicture", "LOADFROMFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TPicture>(I).LoadFromFile(Str(C, 0));
             return Variant(0);
         }},
        {{"TPicture", "SAVETOFILE"},
         [](TvsScript*, TObject* I, TvsMethodHelper* C) {
             Self<TPicture>(I).SaveToFile(Str(C, 0));
             return Variant(0);
         }},
    };
    return methods;
}

} // namespace graphicsrtti

TvsGraphicsFunctions::TvsGraphicsFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    TvsScript& s = *Script;
    auto method = [this](TObject* i, const TvsClassRef* c, const String& n, TvsMethodHelper* h) {
        return CallMethod(i, c, n, h);
    };
    auto get = [this](TObject* i, const TvsClassRef* c, const String& n) { return GetProp(i, c, n); };
    auto set = [this](TObject* i, const TvsClassRef* c, const String& n, const Variant& v) { SetProp(i, c, n, v); };

    // One constant per entry of the colour name table, in its order.
    GetColorValues([&s](const String& name) {
        TColor color = 0;
        IdentToColor(name, color);
        s.AddConst(name, "Integer", Variant(static_cast<Integer>(color)));
    });
    s.AddEnumSet("TFontStyles", "fsBold, fsItalic, fsUnderline, fsStrikeout");
    s.AddEnum("TFontPitch", "fpDefault, fpVariable, fpFixed");
    s.AddEnum("TPenStyle", "psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame");
    s.AddEnum("TPenMode", "pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, "
                          "pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor");
    s.AddEnum("TBrushStyle",
              "bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross");

    if (TvsClassVariable* c = s.AddClass(vsClassOf<TFont>(), "TPersistent")) c->AddConstructor("constructor Create", method);
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TPen>(), "TPersistent")) c->AddConstructor("constructor Create", method);
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TBrush>(), "TPersistent"))
        c->AddConstructor("constructor Create", method);
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TCanvas>(), "TPersistent")) {
        c->AddConstructor("constructor Create", method);
        for (const char* d : {"procedure Draw(X, Y: Integer; Graphic: TGraphic)",
                              "procedure Ellipse(X1, Y1, X2, Y2: Integer)", "procedure LineTo(X, Y: Integer)",
                              "procedure MoveTo(X, Y: Integer)", "procedure Rectangle(X1, Y1, X2, Y2: Integer)",
                              "procedure RoundRect(X1, Y1, X2, Y2, X3, Y3: Integer)",
                              "procedure StretchDraw(X1, Y1, X2, Y2: Integer; Graphic: TGraphic)",
                              "function TextHeight(const Text: string): Integer",
                              "procedure TextOut(X, Y: Integer; const Text: string)",
                              "function TextWidth(const Text: string): Integer"})
            c->AddMethod(d, method);
        c->AddIndexProperty("Pixels", "Integer, Integer", "TColor", method);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TGraphic>(), "TPersistent")) {
        c->AddConstructor("constructor Create", method);
        c->AddMethod("procedure LoadFromFile(const Filename: string)", method);
        c->AddMethod("procedure SaveToFile(const Filename: string)", method);
        c->AddProperty("Height", "Integer", get, set);
        c->AddProperty("Width", "Integer", get, set);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TPicture>(), "TPersistent")) {
        c->AddMethod("procedure LoadFromFile(const Filename: string)", method);
        c->AddMethod("procedure SaveToFile(const Filename: string)", method);
        c->AddProperty("Height", "Integer", get);
        c->AddProperty("Width", "Integer", get);
    }
    s.AddClass(vsClassOf<TMetafile>(), "TGraphic");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TMetafileCanvas>(), "TCanvas"))
        c->AddConstructor("constructor Create(AMetafile: TMetafile; ReferenceDevice: Integer)", method);
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TBitmap>(), "TGraphic")) c->AddProperty("Canvas", "TCanvas", get);
}

Variant TvsGraphicsFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                         TvsMethodHelper* C) {
    const auto& methods = graphicsrtti::Methods();
    const auto it = methods.find({ClassType->Name(), M});
    return it == methods.end() ? Variant(0) : it->second(FScript, Instance, C);
}

Variant TvsGraphicsFunctions::GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P) {
    using graphicsrtti::Self;
    if (!Instance) return Variant(0);
    const String& cls = ClassType->Name();
    if (cls == "TGraphic") {
        if (P == "HEIGHT") return Variant(Self<TGraphic>(Instance).Height());
        if (P == "WIDTH") return Variant(Self<TGraphic>(Instance).Width());
    } else if (cls == "TPicture") {
        if (P == "HEIGHT") return Variant(Self<TPicture>(Instance).Height());
        if (P == "WIDTH") return Variant(Self<TPicture>(Instance).Width());
    } else if (cls == "TBitmap" && P == "CANVAS") {
        return vsObjectToVariant(Self<TBitmap>(Instance).Canvas());
    }
    return Variant(0);
}

void TvsGraphicsFunctions::SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P,
                                   const Variant& V) {
    using graphicsrtti::Self;
    if (!Instance || ClassType->Name() != "TGraphic") return;
    if (P == "HEIGHT") Self<TGraphic>(Instance).SetHeight(V.AsInteger());
    if (P == "WIDTH") Self<TGraphic>(Instance).SetWidth(V.AsInteger());
}
