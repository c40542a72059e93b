// The report classes for scripts: units of measure and cursors, the report enumerations, the
// report classes with the members that are not published properties, vrGlobalVariables, and the
// report functions of expressions (DayOf, MonthOf, YearOf, IIF and the five aggregates).
#pragma once

#include "script/vs_iinterpreter.h"

class TvrClassFunctions : public TvsRTTIModule {
public:
    explicit TvrClassFunctions(TvsScript* Script);
    String ClassName() const override { return "TvrClassFunctions"; }

private:
    Variant CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& MethodName,
                       TvsMethodHelper* Caller);
    Variant GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName);
    void SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName, const Variant& Value);
};

// The chart component for scripts: its enumerations, the series (Clear, Delete, Count, Add,
// Active, Title) and the chart; the parts without objects are registered by name only.
class TvsChartFunctions : public TvsRTTIModule {
public:
    explicit TvsChartFunctions(TvsScript* Script);
    String ClassName() const override { return "TvsChartFunctions"; }

private:
    Variant CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& MethodName,
                       TvsMethodHelper* Caller);
    Variant GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName);
    void SetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName, const Variant& Value);
};

// The chart object for scripts: TvrSeriesDataType, TvrChartSeries, TvrSeriesItem, TvrSeriesData
// and TvrChartView with AddSeries, SeriesCount and SeriesData.
class TvrChartFunctions : public TvsRTTIModule {
public:
    explicit TvrChartFunctions(TvsScript* Script);
    String ClassName() const override { return "TvrChartFunctions"; }

private:
    Variant CallMethod(TObject* Instance, const TvsClassRef* ClassType, const String& MethodName,
                       TvsMethodHelper* Caller);
    Variant GetProp(TObject* Instance, const TvsClassRef* ClassType, const String& PropName);
};

// The check-box object for scripts: its check and uncheck styles and TvrCheckBoxView.
class TvrCheckBoxFunctions : public TvsRTTIModule {
public:
    explicit TvrCheckBoxFunctions(TvsScript* Script);
    String ClassName() const override { return "TvrCheckBoxFunctions"; }
};

// Enters the report's binding modules (report classes, chart and check box) in the module list;
// the report library's start-up calls it before the first report makes its script.
void vrRegisterScriptModules();
void vrUnregisterScriptModules();
