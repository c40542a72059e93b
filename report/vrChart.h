// The chart object: a chart of the chart component in a report, each series filled from one
// binding: values of a data set's records, of a data band's records as they print, or fixed
// value lists; the values pass through texts separated by ";".
#pragma once

#include "classes/Collection.h"
#include "report/vrClassView.h"

#include <memory>

class TChart;
class TChartSeries;
class TvrDataBand;

enum TvrSeriesDataType { dtDBData, dtBandData, dtFixedData };
ORV_ENUM(TvrSeriesDataType, dtDBData, dtBandData, dtFixedData)
enum TvrSeriesSortOrder { soNone, soAscending, soDescending };
ORV_ENUM(TvrSeriesSortOrder, soNone, soAscending, soDescending)
enum TvrSeriesXType { xtText, xtNumber, xtDate };
ORV_ENUM(TvrSeriesXType, xtText, xtNumber, xtDate)
// The series kinds; AddSeries serves the first eleven.
enum TvrChartSeries {
    csLine,
    csArea,
    csPoint,
    csBar,
    csHorizBar,
    csPie,
    csGantt,
    csFastLine,
    csArrow,
    csBubble,
    csChartShape,
    csHorizArea
};
ORV_ENUM(TvrChartSeries, csLine, csArea, csPoint, csBar, csHorizBar, csPie, csGantt, csFastLine, csArrow,
         csBubble, csChartShape, csHorizArea)

class TvrSeriesItem : public TCollectionItem {
    ORV_META(TvrSeriesItem, TCollectionItem)
    explicit TvrSeriesItem(TCollection* Collection) : TCollectionItem(Collection) {}

    TvrDataBand* DataBand() const { return FDataBand; }
    void SetDataBand(TvrDataBand* Value);
    TvrDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TvrDataSet* Value);
    String DataSetName() const;
    void SetDataSetName(const String& Value);
    TvrSeriesDataType DataType = dtDBData;
    TvrSeriesSortOrder SortOrder = soNone;
    Integer TopN = 0;
    String TopNCaption;
    String Source[6];
    TvrSeriesXType XType = xtText;
    String Values[6];

    void ClearValues();

private:
    // The chart object, told when the data set or band goes.
    TComponent* Listener() const;
    TvrDataBand* FDataBand = nullptr;
    TvrDataSet* FDataSet = nullptr;
    String FDataSetName;
};

class TvrSeriesData : public TCollection {
    ORV_META(TvrSeriesData, TCollection)
    // Listener: the component told when a data set or band of a binding is freed.
    explicit TvrSeriesData(TvrReport* Report = nullptr, TComponent* Listener = nullptr);
    TvrReport* Report() const { return FReport; }
    TComponent* Listener() const { return FListener; }
    TvrSeriesItem* Add() { return static_cast<TvrSeriesItem*>(TCollection::Add()); }
    TvrSeriesItem* Items(int Index) const { return static_cast<TvrSeriesItem*>(TCollection::Items(Index)); }

private:
    TvrReport* FReport;
    TComponent* FListener;
};

// Fills a series of the chart component from the value texts of a binding (the value columns
// of each series class: see GetParamNames).
class TvrSeriesHelper {
public:
    virtual ~TvrSeriesHelper() = default;
    virtual String GetParamNames() const = 0;
    virtual void CollectSeriesValues(TChartSeries& Series, const String* Texts, TvrSeriesXType XType) = 0;
    // The helper for the series' class.
    static std::unique_ptr<TvrSeriesHelper> ForSeries(const TChartSeries& Series);
};

class TvrChartView : public TvrView {
    ORV_META(TvrChartView, TvrView)
    explicit TvrChartView(TComponent* AOwner);
    ~TvrChartView() override;

    TChart* Chart() const { return FChart.get(); }
    TvrSeriesData* SeriesData() const { return FSeriesData.get(); }
    bool IgnoreNulls = false;

    virtual void CreateChart();
    // Adds a series of the kind and its binding; the kinds after csChartShape are refused
    // (EInvalidOperation).
    void AddSeries(TvrChartSeries Kind);
    // Fills every series of the chart from its binding.
    void FillSeries();

    void BeforeStartReport() override;
    void GetData() override;
    void BandNotify(const Variant& Value) override;
    void AfterPrint() override;
    void Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
              Extended AOffsetY) override;
    void DefineProperties(TFiler& Filer) override;
    String GetDescription() const override { return "obChart"; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void AppendValue(TvrSeriesItem& Item, int K, const Variant& Value, bool NullAsZero);

    std::unique_ptr<TChart> FChart;
    std::unique_ptr<TvrSeriesData> FSeriesData;
};

// The component an application places so that the chart object is part of the program.
class TvrChartObject : public TComponent {
    ORV_META(TvrChartObject, TComponent)
    explicit TvrChartObject(TComponent* AOwner) : TComponent(AOwner) {}
};

// Enters the chart object in the report object registry; the second takes it out.
void vrRegisterChartClasses();
void vrUnregisterChartClasses();
