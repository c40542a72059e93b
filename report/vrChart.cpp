// The chart object: collecting values for its series while the report prints, filling the
// series (sorted, or the top N with the rest summed) and drawing the chart.
#include "report/vrChart.h"

#include "chart/Chart.h"
#include "classes/Filer.h"
#include "classes/MetaBuilder.h"
#include "report/vrClassBand.h"
#include "report/vrClassDataSets.h"
#include "report/vrClassReport.h"
#include "report/vrDsgnIntf.h"
#include "report/vrUtils.h"
#include "report/vrXMLSerializer.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/Variant.h"
#include "script/vs_iinterpreter.h"

#include <cmath>

ORV_META_IMPL(TvrChartView)
void TvrChartView::DeclareMeta(meta::Class<TvrChartView>& c) {
    using T = TvrChartView;
    c.Property("IgnoreNulls", &T::IgnoreNulls, &T::IgnoreNulls).Default(false);
    c.Property("BrushStyle", &T::BrushStyle, &T::BrushStyle).Default(bsSolid);
    c.Property("Color", &T::Color, &T::Color).TypeName("TColor").Default(clTransparent);
    c.Property("Cursor", &T::Cursor, &T::Cursor).TypeName("TCursor").Default(0);
    c.Property("Frame", &T::Frame, &T::SetFrame);
    c.Property("TagStr", &T::TagStr, &T::TagStr);
    c.Property("URL", &T::URL, &T::URL);
}

ORV_META_IMPL(TvrChartObject)
void TvrChartObject::DeclareMeta(meta::Class<TvrChartObject>&) {}

TvrChartView::TvrChartView(TComponent* AOwner) : TvrView(AOwner) {
    CreateChart();
    FSeriesData = std::make_unique<TvrSeriesData>(GetReport(), this);
}

TvrChartView::~TvrChartView() = default;

void TvrChartView::CreateChart() {
    FChart = std::make_unique<TChart>();
    FChart->Color = clWhite;
    FChart->BevelInner = FChart->BevelOuter = false;
    FChart->Name = "Chart";
    FChart->FrameVisible = false;
    FChart->Rotation = 0;
    FChart->Title.clear();
}

void TvrChartView::AddSeries(TvrChartSeries Kind) {
    if (Kind > csChartShape) throw EInvalidOperation("Unsupported series kind");
    const auto kind = static_cast<TChartSeriesKind>(Kind);
    FChart->AddSeries(kind);
    FSeriesData->Add();
    // A pie has no axes: the chart turns flat without axes and walls; others bring them back.
    const bool pie = kind == ckPie;
    FChart->Orthogonal = !pie;
    FChart->AxesVisible = !pie;
    FChart->Walls3D = !pie;
}

void TvrChartView::Notification(TComponent* AComponent, TOperation Operation) {
    TvrView::Notification(AComponent, Operation);
    if (Operation != opRemove || !FSeriesData) return;
    for (int i = 0; i < FSeriesData->Count(); ++i) {
        TvrSeriesItem* item = FSeriesData->Items(i);
        if (item->DataSet() == AComponent) item->SetDataSet(nullptr);
        if (item->DataBand() == AComponent) item->SetDataBand(nullptr);
    }
}

void TvrChartView::BeforeStartReport() {
    TvrView::BeforeStartReport();
    for (int i = 0; i < FSeriesData->Count(); ++i)
        FSeriesData->Items(i)->ClearValues();
    if (TvrReport* report = GetReport())
        if (TvrCustomEngine* engine = report->Engine())
            if (engine->NotifyList()->IndexOf(this) < 0) engine->NotifyList()->Add(this);
}

void TvrChartView::AppendValue(TvrSeriesItem& Item, int K, const Variant& Value, bool NullAsZero) {
    String text;
    if (K > 0 && VarIsNull(Value))
        text = NullAsZero ? "0" : String();
    else
        text = VarToStr(Value);
    Item.Values[K] += ";" + text;
}

void TvrChartView::GetData() {
    TvrView::GetData();
    TvrReport* report = GetReport();
    for (int i = 0; i < FSeriesData->Count(); ++i) {
        TvrSeriesItem& item = *FSeriesData->Items(i);
        if (item.DataType == dtFixedData) {
            for (int k = 0; k < 6; ++k)
                item.Values[k] = item.Source[k];
        } else if (item.DataType == dtDBData && item.DataSet() && report) {
            item.ClearValues();
            TvrDataSet* ds = item.DataSet();
            ds->First();
            while (!ds->Eof()) {
                for (int k = 0; k < 6; ++k)
                    if (!item.Source[k].empty())
                        AppendValue(item, k, report->Calc(item.Source[k]), !IgnoreNulls);
                ds->Next();
            }
        }
    }
}

void TvrChartView::BandNotify(const Variant& Value) {
    TvrReport* report = GetReport();
    if (!report) return;
    TObject* band = nullptr;
    try {
        band = vsVariantToObject(Value);
    } catch (const Exception&) {
        return;
    }
    for (int i = 0; i < FSeriesData->Count(); ++i) {
        TvrSeriesItem& item = *FSeriesData->Items(i);
        if (item.DataType != dtBandData || !band || item.DataBand() != band) continue;
        report->CurrentObjectName = Name();
        // The band's values keep Null as empty text unless nulls are to be ignored.
        for (int k = 0; k < 6; ++k)
            if (!item.Source[k].empty()) AppendValue(item, k, report->Calc(item.Source[k]), IgnoreNulls);
    }
}

void TvrChartView::AfterPrint() {
    TvrView::AfterPrint();
    for (int i = 0; i < FSeriesData->Count(); ++i)
        FSeriesData->Items(i)->ClearValues();
}

namespace {

double SortValue(const String& s) {
    try {
        return static_cast<double>(StrToFloatLoose(s));
    } catch (const Exception&) {
        return 0;
    }
}

// Selection sort over the Y values; each move is made in all six lists.
void SortLists(std::vector<String> (&lists)[6], bool ascending) {
    const size_t n = lists[1].size();
    for (size_t pos = 0; pos < n; ++pos) {
        size_t best = pos;
        for (size_t j = pos + 1; j < n; ++j) {
            const double v = SortValue(lists[1][j]), b = SortValue(lists[1][best]);
            if (ascending ? v < b : v > b) best = j;
        }
        if (best == pos) continue;
        for (auto& list : lists)
            if (best < list.size()) {
                String moved = list[best];
                list.erase(list.begin() + static_cast<long>(best));
                list.insert(list.begin() + static_cast<long>(std::min(pos, list.size())), moved);
            }
    }
}

std::vector<String> SplitValues(const String& text) {
    std::vector<String> out;
    if (text.empty()) return out;
    String s = text[0] == ';' ? text.substr(1) : text;
    size_t start = 0;
    for (;;) {
        const size_t at = s.find(';', start);
        out.push_back(s.substr(start, at == String::npos ? String::npos : at - start));
        if (at == String::npos) break;
        start = at + 1;
    }
    return out;
}

} // namespace

void TvrChartView::FillSeries() {
    for (int i = 0; i < FChart->SeriesCount() && i < FSeriesData->Count(); ++i) {
        TChartSeries& series = *FChart->Series(i);
        TvrSeriesItem& item = *FSeriesData->Items(i);
        series.Clear();
        std::vector<String> lists[6];
        for (int k = 0; k < 6; ++k)
            lists[k] = SplitValues(item.Values[k]);
        std::unique_ptr<TvrSeriesHelper> helper = TvrSeriesHelper::ForSeries(series);
        if (lists[1].empty()) continue;
        const bool sameLength = lists[0].size() == lists[1].size();
        if (item.TopN > 0 && item.TopN < static_cast<Integer>(lists[1].size())) {
            if (sameLength) {
                item.SortOrder = soDescending;
                SortLists(lists, false);
                const auto from = static_cast<size_t>(item.TopN - 1);
                Extended sum = 0;
                for (size_t j = from; j < lists[1].size(); ++j)
                    sum += StrToFloatLoose(lists[1][j]);
                for (auto& list : lists)
                    if (list.size() > from) list.resize(from);
                lists[0].push_back(item.TopNCaption);
                lists[1].push_back(FloatToStr(sum));
            }
        } else if (item.SortOrder != soNone && sameLength) {
            SortLists(lists, item.SortOrder == soAscending);
        }
        for (size_t j = 0; j < lists[1].size(); ++j) {
            String texts[6];
            for (int k = 0; k < 6; ++k)
                if (j < lists[k].size()) texts[k] = lists[k][j];
            helper->CollectSeriesValues(series, texts, item.XType);
        }
    }
}

void TvrChartView::Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                        Extended AOffsetY) {
    BeginDraw(ACanvas, AScaleX, AScaleY, AOffsetX, AOffsetY);
    DrawBackground();
    FillSeries();
    FChart->Color = Color == clTransparent ? clWhite : Color;
    FChart->BufferedDisplay = true;
    FChart->Paint(*Canvas, TRect{X, Y, X1, Y1});
    DrawFrame();
}

void TvrChartView::DefineProperties(TFiler& Filer) {
    TvrView::DefineProperties(Filer);
    Filer.DefineBinaryProperty(
        "Chart",
        [this](TStream& s) {
            CreateChart();
            FChart->LoadFromStream(s);
        },
        [this](TStream& s) { FChart->SaveToStream(s); }, true);
    Filer.DefineProperty(
        "ChartElevation", [this](TReader& r) { FChart->Elevation = r.ReadInteger(); },
        [this](TWriter& w) { w.WriteInteger(FChart->Elevation); }, true);
    Filer.DefineProperty(
        "SeriesData",
        [this](TReader& r) {
            TvrReport* report = GetReport();
            ReadCollectionAsXML(*FSeriesData, r.Stream(),
                                [this, report](TCollectionItem& item, const String& text) {
                                    if (report && report->CurrentSerializer) {
                                        report->CurrentSerializer->ReadProps(text, &item);
                                    } else {
                                        TvrXMLSerializer serializer;
                                        serializer.LegacyFormat = false;
                                        serializer.ReadItemText(report, &item, text);
                                    }
                                });
        },
        [this](TWriter& w) {
            WriteCollectionAsXML(*FSeriesData, w.Stream(),
                                 [this](TCollectionItem& item) { return vrItemText(item, GetReport()); });
        },
        FSeriesData->Count() > 0);
}

void vrRegisterChartClasses() {
    ReportObjectRegistry()->RegisterObject(&TvrChartView::StaticClassInfo(), nullptr, String(), String(), 0,
                                           25);
}

void vrUnregisterChartClasses() {
    ReportObjectRegistry()->Unregister(&TvrChartView::StaticClassInfo());
}
