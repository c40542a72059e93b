// Series bindings of the chart object and the series helpers that fill a series of the chart
// component from the value texts of a binding.
#include "chart/Chart.h"
#include "classes/MetaBuilder.h"
#include "gui/Colors.h"
#include "report/vrChart.h"
#include "report/vrClassBand.h"
#include "report/vrClassReport.h"
#include "report/vrUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

ORV_META_IMPL(TvrSeriesItem)
void TvrSeriesItem::DeclareMeta(meta::Class<TvrSeriesItem>& c) {
    using T = TvrSeriesItem;
    c.Property("DataBand", &T::DataBand, &T::SetDataBand);
    c.Property("DataSetName", &T::DataSetName, &T::SetDataSetName);
    c.Property("DataType", &T::DataType, &T::DataType).Default(dtDBData);
    c.Property("SortOrder", &T::SortOrder, &T::SortOrder).Default(soNone);
    c.Property("TopN", &T::TopN, &T::TopN).Default(0);
    c.Property("TopNCaption", &T::TopNCaption, &T::TopNCaption);
    c.Property(
        "Source1", +[](const T& o) { return o.Source[0]; }, +[](T& o, const String& v) { o.Source[0] = v; });
    c.Property(
        "Source2", +[](const T& o) { return o.Source[1]; }, +[](T& o, const String& v) { o.Source[1] = v; });
    c.Property(
        "Source3", +[](const T& o) { return o.Source[2]; }, +[](T& o, const String& v) { o.Source[2] = v; });
    c.Property(
        "Source4", +[](const T& o) { return o.Source[3]; }, +[](T& o, const String& v) { o.Source[3] = v; });
    c.Property(
        "Source5", +[](const T& o) { return o.Source[4]; }, +[](T& o, const String& v) { o.Source[4] = v; });
    c.Property(
        "Source6", +[](const T& o) { return o.Source[5]; }, +[](T& o, const String& v) { o.Source[5] = v; });
    c.Property("XType", &T::XType, &T::XType).Default(xtText);
    // Second names of the first two columns, never written.
    c.Property(
         "XSource", +[](const T& o) { return o.Source[0]; }, +[](T& o, const String& v) { o.Source[0] = v; })
        .Stored(false);
    c.Property(
         "YSource", +[](const T& o) { return o.Source[1]; }, +[](T& o, const String& v) { o.Source[1] = v; })
        .Stored(false);
    c.Property(
         "XValues", +[](const T& o) { return o.Values[0]; }, +[](T& o, const String& v) { o.Values[0] = v; })
        .Stored(false);
    c.Property(
         "YValues", +[](const T& o) { return o.Values[1]; }, +[](T& o, const String& v) { o.Values[1] = v; })
        .Stored(false);
    c.Property(
        "Values1", +[](const T& o) { return o.Values[0]; }, +[](T& o, const String& v) { o.Values[0] = v; });
    c.Property(
        "Values2", +[](const T& o) { return o.Values[1]; }, +[](T& o, const String& v) { o.Values[1] = v; });
    c.Property(
        "Values3", +[](const T& o) { return o.Values[2]; }, +[](T& o, const String& v) { o.Values[2] = v; });
    c.Property(
        "Values4", +[](const T& o) { return o.Values[3]; }, +[](T& o, const String& v) { o.Values[3] = v; });
    c.Property(
        "Values5", +[](const T& o) { return o.Values[4]; }, +[](T& o, const String& v) { o.Values[4] = v; });
    c.Property(
        "Values6", +[](const T& o) { return o.Values[5]; }, +[](T& o, const String& v) { o.Values[5] = v; });
}

ORV_META_IMPL(TvrSeriesData)
void TvrSeriesData::DeclareMeta(meta::Class<TvrSeriesData>&) {}

TvrSeriesData::TvrSeriesData(TvrReport* Report, TComponent* Listener)
    : TCollection(TvrSeriesItem::StaticClassInfo()), FReport(Report), FListener(Listener) {}

TComponent* TvrSeriesItem::Listener() const {
    auto* data = dynamic_cast<TvrSeriesData*>(Collection());
    return data ? data->Listener() : nullptr;
}

void TvrSeriesItem::SetDataBand(TvrDataBand* Value) {
    FDataBand = Value;
    if (Value && Listener()) Value->FreeNotification(Listener());
}

void TvrSeriesItem::SetDataSet(TvrDataSet* Value) {
    FDataSet = Value;
    FDataSetName = Value ? Value->UserName() : String();
    if (Value && Listener()) Value->FreeNotification(Listener());
}

String TvrSeriesItem::DataSetName() const {
    return FDataSet ? FDataSet->UserName() : FDataSetName;
}

void TvrSeriesItem::SetDataSetName(const String& Value) {
    FDataSetName = Value;
    if (Value.empty()) {
        FDataSet = nullptr;
        return;
    }
    auto* data = dynamic_cast<TvrSeriesData*>(Collection());
    if (TvrReport* report = data ? data->Report() : nullptr) FDataSet = report->FindDataSet(FDataSet, Value);
    if (FDataSet && Listener()) FDataSet->FreeNotification(Listener());
}

void TvrSeriesItem::ClearValues() {
    for (String& v : Values)
        v.clear();
}

// --- helpers --------------------------------------------------------------------------------------

namespace {

bool IsNullText(const String& s) {
    return s.empty() || SameText(s, "NULL");
}

TColor ColorOf(const String& s) {
    if (s.empty()) return clChartAutomatic;
    try {
        return StringToColor(s);
    } catch (const Exception&) {
        return clChartAutomatic;
    }
}

double Number(const String& s) {
    return static_cast<double>(StrToFloatLoose(s));
}

double NumberOrZero(const String& s) {
    try {
        return Number(s);
    } catch (const Exception&) {
        return 0;
    }
}

double DateOrNumber(const String& s, bool dateTime) {
    return dateTime ? StrToDateTime(s) : Number(s);
}

class TvrStdSeriesHelper : public TvrSeriesHelper {
public:
    String GetParamNames() const override { return "Label;Y;X (optional);Color (optional)"; }
    void CollectSeriesValues(TChartSeries& s, const String* t, TvrSeriesXType XType) override {
        if (IsNullText(t[1])) {
            s.AddNull(t[0]);
            return;
        }
        const double y = s.YDateTime ? StrToDateTime(t[1]) : NumberOrZero(t[1]);
        const String x = t[2].empty() ? t[0] : t[2];
        const TColor color = ColorOf(t[3]);
        switch (XType) {
        case xtText:
            s.Add(y, t[0], color);
            break;
        case xtNumber:
            s.AddXY(Number(x), y, t[0], color);
            break;
        case xtDate:
            s.AddXY(StrToDateTime(x), y, t[0], color);
            break;
        }
    }
};

class TvrPieSeriesHelper : public TvrSeriesHelper {
public:
    String GetParamNames() const override { return "Label;Pie;Color (optional)"; }
    void CollectSeriesValues(TChartSeries& s, const String* t, TvrSeriesXType) override {
        if (IsNullText(t[1]))
            s.AddNull(t[0]);
        else
            s.Add(DateOrNumber(t[1], s.YDateTime), t[0], ColorOf(t[2]));
    }
};

class TvrGanttSeriesHelper : public TvrSeriesHelper {
public:
    String GetParamNames() const override { return "Label;Start;End;Y;Next task"; }
    void CollectSeriesValues(TChartSeries& s, const String* t, TvrSeriesXType) override {
        if (IsNullText(t[1]) || IsNullText(t[2]) || IsNullText(t[3])) {
            s.AddNull(t[0]);
            return;
        }
        s.AddGanttBar(DateOrNumber(t[1], s.XDateTime), DateOrNumber(t[2], s.XDateTime), Number(t[3]), t[0]);
        if (!t[4].empty()) s.SetNextTask(StrToInt(t[4]));
    }
};

class TvrArrowSeriesHelper : public TvrSeriesHelper {
public:
    String GetParamNames() const override { return "Label;X0;Y0;X1;Y1;Color (optional)"; }
    void CollectSeriesValues(TChartSeries& s, const String* t, TvrSeriesXType) override {
        for (int k = 1; k <= 4; ++k)
            if (IsNullText(t[k])) {
                s.AddNull(t[0]);
                return;
            }
        s.AddArrow(Number(t[1]), Number(t[2]), Number(t[3]), Number(t[4]), t[0], ColorOf(t[5]));
    }
};

class TvrBubbleSeriesHelper : public TvrSeriesHelper {
public:
    String GetParamNames() const override { return "Label;X;Y;Radius;Color (optional)"; }
    void CollectSeriesValues(TChartSeries& s, const String* t, TvrSeriesXType) override {
        for (int k = 1; k <= 3; ++k)
            if (IsNullText(t[k])) {
                s.AddNull(t[0]);
                return;
            }
        s.AddBubble(Number(t[1]), Number(t[2]), Number(t[3]), t[0], ColorOf(t[4]));
    }
};

} // namespace

std::unique_ptr<TvrSeriesHelper> TvrSeriesHelper::ForSeries(const TChartSeries& Series) {
    switch (Series.Kind()) {
    case ckPie:
        return std::make_unique<TvrPieSeriesHelper>();
    case ckGantt:
        return std::make_unique<TvrGanttSeriesHelper>();
    case ckArrow:
        return std::make_unique<TvrArrowSeriesHelper>();
    case ckBubble:
        return std::make_unique<TvrBubbleSeriesHelper>();
    default:
        return std::make_unique<TvrStdSeriesHelper>();
    }
}
