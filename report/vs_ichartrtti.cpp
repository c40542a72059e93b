#include "chart/Chart.h"
#include "report/vrClassRTTI.h"
#include "script/vs_iinterpreter_items.h"

namespace chartrtti {

// The chart parts that have no object of their own here (axes, legend, walls, marks, gradients,
// pointers, the series kinds' classes): scripts know their names, no object is of their class.
template <int N> struct TChartPart final : TPersistent {};

template <int N> const TvsClassRef& Part(const char* Name) {
    return vsClassOf<TChartPart<N>>(Name);
}

template <class T> T& Self(TObject* Instance) {
    T* t = dynamic_cast<T*>(Instance);
    if (!t) throw EInvalidCast("Invalid class typecast");
    return *t;
}

} // namespace chartrtti

TvsChartFunctions::TvsChartFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    using chartrtti::Part;
    TvsScript& s = *Script;
    auto method = [this](TObject* i, const TvsClassRef* c, const String& n, TvsMethodHelper* h) {
        return CallMethod(i, c, n, h);
    };
    auto get = [this](TObject* i, const TvsClassRef* c, const String& n) { return GetProp(i, c, n); };
    auto set = [this](TObject* i, const TvsClassRef* c, const String& n, const Variant& v) { SetProp(i, c, n, v); };

    s.AddType("TChartValue", fvtFloat);
    s.AddEnum("TLegendStyle", "lsAuto, lsSeries, lsValues, lsLastValues");
    s.AddEnum("TLegendAlignment", "laLeft, laRight, laTop, laBottom");
    s.AddEnum("TLegendTextStyle", "ltsPlain, ltsLeftValue, ltsRightValue, ltsLeftPercent, ltsRightPercent, ltsXValue");
    s.AddEnum("TChartListOrder", "loNone, loAscending, loDescending");
    s.AddEnum("TGradientDirection", "gdTopBottom, gdBottomTop, gdLeftRight, gdRightLeft");
    s.AddEnum("TSeriesMarksStyle", "smsValue, smsPercent, smsLabel, smsLabelPercent, smsLabelValue, smsLegend, "
                                   "smsPercentTotal, smsLabelPercentTotal, smsXValue");
    s.AddEnum("TAxisLabelStyle", "talAuto, talNone, talValue, talMark, talText");
    s.AddEnum("THorizAxis", "aTopAxis, aBottomAxis");
    s.AddEnum("TVertAxis", "aLeftAxis, aRightAxis");
    s.AddEnum("TChartBackImageMode", "pbmStretch, pbmTile, pbmCenter");
    s.AddEnum("TPanningMode", "pmNone, pmHorizontal, pmVertical, pmBoth");
    s.AddEnum("TSeriesPointerStyle",
              "psRectangle, psCircle, psTriangle, psDownTriangle, psCross, psDiagCross, psStar, psDiamond, psSmallDot");
    s.AddEnum("TMultiArea", "maNone, maStacked, maStacked100");
    s.AddEnum("TMultiBar", "mbNone, mbSide, mbStacked, mbStacked100");
    s.AddEnum("TBarStyle", "bsRectangle, bsPyramid, bsInvPyramid, bsCilinder, bsEllipse, bsArrow, bsRectGradient");
    s.AddEnum("TPenEndStyle", "esRound, esSquare, esFlat");
    s.AddEnum("TPenMode", "pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, "
                          "pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor");
    s.AddEnum("TPenStyle", "psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame");

    s.AddClass(Part<1>("TChartValueList"), "TPersistent");
    s.AddClass(Part<2>("TChartAxisTitle"), "TPersistent");
    s.AddClass(Part<3>("TChartAxis"), "TPersistent");
    s.AddClass(Part<4>("TCustomChartLegend"), "TPersistent");
    s.AddClass(Part<5>("TSeriesMarks"), "TPersistent");
    s.AddClass(Part<6>("TChartGradient"), "TPersistent");
    s.AddClass(Part<7>("TChartWall"), "TPersistent");
    s.AddClass(Part<8>("TChartTitle"), "TPersistent");
    s.AddClass(Part<9>("TView3DOptions"), "TPersistent");
    s.AddClass(Part<10>("TSeriesPointer"), "TPersistent");
    s.AddClass(Part<11>("TChartLegend"), "TCustomChartLegend");
    s.AddClass(Part<12>("TChartBrush"), "TBrush");
    s.AddClass(Part<13>("TChartPen"), "TComponent");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TChartSeries>(), "TComponent")) {
        c->AddMethod("procedure Clear", method);
        c->AddMethod("procedure Delete(Index: Integer)", method);
        c->AddMethod("function Count: Integer", method);
        c->AddMethod("procedure Add(const AValue: Double; const ALabel: String; AColor: TColor)", method);
        c->AddProperty("Active", "Boolean", get, set);
    }
    s.AddClass(Part<14>("TCustomSeries"), "TChartSeries");
    s.AddClass(Part<15>("TLineSeries"), "TCustomSeries");
    s.AddClass(Part<16>("TPointSeries"), "TCustomSeries");
    s.AddClass(Part<17>("TAreaSeries"), "TCustomSeries");
    if (TvsClassVariable* c = s.AddClass(Part<18>("TCustomBarSeries"), "TChartSeries"))
        c->AddProperty("Title", "String", get, set);
    s.AddClass(Part<19>("TBarSeries"), "TCustomBarSeries");
    s.AddClass(Part<20>("THorizBarSeries"), "TCustomBarSeries");
    s.AddClass(Part<21>("TCircledSeries"), "TChartSeries");
    s.AddClass(Part<22>("TPieSeries"), "TCircledSeries");
    s.AddClass(Part<23>("TFastLineSeries"), "TChartSeries");
    s.AddClass(Part<24>("TCustomChart"), "TWinControl");
    s.AddClass(vsClassOf<TChart>(), "TCustomChart");
}

Variant TvsChartFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                      TvsMethodHelper* Caller) {
    using chartrtti::Self;
    if (ClassType->Name() != "TChartSeries") return Variant(0);
    auto& series = Self<TChartSeries>(Instance);
    if (M == "CLEAR") series.Clear();
    else if (M == "DELETE") series.Delete(Caller->GetParamValue(0).AsInteger());
    else if (M == "COUNT") return Variant(series.Count());
    else if (M == "ADD")
        series.Add(Caller->GetParamValue(0).AsDouble(), VarToStr(Caller->GetParamValue(1)),
                   Caller->GetParamValue(2).AsInteger());
    return Variant(0);
}

Variant TvsChartFunctions::GetProp(TObject* Instance, const TvsClassRef*, const String& P) {
    auto* series = dynamic_cast<TChartSeries*>(Instance);
    if (!series) return Variant(0);
    if (P == "ACTIVE") return Variant(series->Active);
    if (P == "TITLE") return Variant(series->Title);
    return Variant(0);
}

void TvsChartFunctions::SetProp(TObject* Instance, const TvsClassRef*, const String& P, const Variant& V) {
    auto* series = dynamic_cast<TChartSeries*>(Instance);
    if (!series) return;
    if (P == "ACTIVE") series->Active = V.AsBoolean();
    else if (P == "TITLE") series->Title = VarToStr(V);
}
