#include "chart/Chart.h"
#include "report/vrChart.h"
#include "report/vrClassRTTI.h"
#include "script/vs_iinterpreter_items.h"

TvrChartFunctions::TvrChartFunctions(TvsScript* Script) : TvsRTTIModule(Script) {
    TvsScript& s = *Script;
    auto method = [this](TObject* i, const TvsClassRef* c, const String& n, TvsMethodHelper* h) {
        return CallMethod(i, c, n, h);
    };
    auto get = [this](TObject* i, const TvsClassRef* c, const String& n) { return GetProp(i, c, n); };

    s.AddEnum("TvrSeriesDataType", "dtDBData, dtBandData, dtFixedData");
    s.AddEnum("TvrChartSeries",
              "csLine, csArea, csPoint, csBar, csHorizBar, csPie, csGantt, csFastLine, csArrow, csBubble, "
              "csChartShape, csHorizArea, csHorizLine, csPolar, csRadar, csPolarBar, csGauge, csSmith, csPyramid, "
              "csDonut, csBezier, csCandle, csVolume, csPointFigure, csHistogram, csHorizHistogram, csErrorBar, "
              "csError, csHighLow, csFunnel, csBox, csHorizBox, csSurface, csContour, csWaterFall, csColorGrid, "
              "csVector3D, csTower, csTriSurface, csPoint3D, csBubble3D, csMyPoint, csBarJoin, csBar3D");
    s.AddClass(vsClassOf<TvrSeriesItem>(), "TCollectionItem");
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrSeriesData>(), "TCollection")) {
        c->AddMethod("function Add: TvrSeriesItem", method);
        c->AddDefaultProperty("Items", "Integer", "TvrSeriesItem", method, true);
    }
    if (TvsClassVariable* c = s.AddClass(vsClassOf<TvrChartView>(), "TvrView")) {
        c->AddProperty("Chart", "TChart", get);
        c->AddIndexProperty("Series", "Integer", "TChartSeries", method, true);
        c->AddProperty("SeriesData", "TvrSeriesData", get);
        c->AddProperty("SeriesCount", "Integer", get);
        c->AddMethod("procedure AddSeries(ASeries:TvrChartSeries)", method);
    }
}

Variant TvrChartFunctions::CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& M,
                                      TvsMethodHelper* Caller) {
    if (ClassType->Name() == "TvrSeriesData") {
        auto* data = dynamic_cast<TvrSeriesData*>(Instance);
        if (!data) throw EInvalidCast("Invalid class typecast");
        if (M == "ADD") return vsObjectToVariant(data->Add());
        if (M == "ITEMS.GET") {
            const Integer index = Caller->GetParamValue(0).AsInteger();
            if (index < 0 || index >= data->Count()) ListIndexError(index);
            return vsObjectToVariant(data->Items(index));
        }
    } else if (ClassType->Name() == "TvrChartView" && M == "SERIES.GET") {
        auto* view = dynamic_cast<TvrChartView*>(Instance);
        if (!view) throw EInvalidCast("Invalid class typecast");
        const Integer index = Caller->GetParamValue(0).AsInteger();
        if (index < 0 || index >= view->Chart()->SeriesCount()) ListIndexError(index);
        return vsObjectToVariant(view->Chart()->Series(index));
    } else if (ClassType->Name() == "TvrChartView" && M == "ADDSERIES") {
        auto* view = dynamic_cast<TvrChartView*>(Instance);
        if (!view) throw EInvalidCast("Invalid class typecast");
        const Integer kind = Caller->GetParamValue(0).AsInteger();
        // The kinds after csChartShape have no series of the chart: the chart object refuses them.
        view->AddSeries(kind >= csLine && kind <= csChartShape ? static_cast<TvrChartSeries>(kind) : csHorizArea);
    }
    return Variant(0);
}

Variant TvrChartFunctions::GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& P) {
    auto* view = dynamic_cast<TvrChartView*>(Instance);
    if (!view || ClassType->Name() != "TvrChartView") return Variant(0);
    if (P == "CHART") return vsObjectToVariant(view->Chart());
    if (P == "SERIESDATA") return vsObjectToVariant(view->SeriesData());
    if (P == "SERIESCOUNT") return Variant(view->Chart()->SeriesCount());
    return Variant(0);
}
