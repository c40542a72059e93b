// The chart object: series filled from fixed lists, sorted or cut to the top N, null values from
// texts, data sets and bands, the layout round trip and the chart drawn offscreen.
#include "chart/Chart.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrDsgnIntf.h"
#include "rtl/Format.h"
#include "ReportTextTools.h"
#include "ReviewPicture.h"
#include "rtl/Format.h"
#include "script/vs_iinterpreter.h"
#include "WhiteBitmap.h"

#include <gtest/gtest.h>

namespace {

struct Chart : ::testing::Test {
    Chart() {
        vrStartUp();
        Page = new TvrReportPage(&Report);
        Page->SetName("Page1");
        Band = new TvrMasterData(Page);
        Band->SetName("MasterData1");
        View = new TvrChartView(Band);
        View->SetName("Chart1");
        View->SetBounds(0, 0, 200, 150);
    }
    TvrSeriesItem* Fixed(TvrChartSeries kind, const String& labels, const String& values) {
        View->AddSeries(kind);
        TvrSeriesItem* item = View->SeriesData()->Items(View->SeriesData()->Count() - 1);
        item->DataType = dtFixedData;
        item->Source[0] = labels;
        item->Source[1] = values;
        return item;
    }
    // Labels and values of series i after filling, "Label=Y" with "Label=null" for null points.
    String Points(int i) {
        View->GetData();
        View->FillSeries();
        String s;
        for (const TChartPoint& p : View->Chart()->Series(i)->Points())
            s += (s.empty() ? "" : " ") + p.Label + "=" + (p.Null ? String("null") : FloatToStr(p.Y));
        return s;
    }
    TvrReport Report{nullptr};
    TvrReportPage* Page;
    TvrMasterData* Band;
    TvrChartView* View;
};

} // namespace

TEST_F(Chart, FixedListsSortingTopNAndNullTexts) {
    struct TCase {
        const char* Name;
        const char* Labels;
        const char* Values;
        TvrSeriesSortOrder Order;
        Integer TopN;
        const char* Expect;
    } cases[] = {
        {"fixed", "A;B;C", "1;2;3", soNone, 0, "A=1 B=2 C=3"},
        {"top 3", "a;b;c;d", "5;1;4;2", soNone, 3, "a=5 c=4 Others=3"},
        {"ascending", "x;y;z", "3;1;2", soAscending, 0, "y=1 z=2 x=3"},
        {"descending", "x;y;z", "3;1;2", soDescending, 0, "x=3 z=2 y=1"},
        {"null texts", "p;q;r", "1;NULL;null", soNone, 0, "p=1 q=null r=null"},
        {"not a number is 0", "p;q", "7;abc", soNone, 0, "p=7 q=0"},
        {"no Y values", "A;B", "", soNone, 0, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        View->Chart()->ClearSeries();
        View->SeriesData()->Clear();
        TvrSeriesItem* item = Fixed(csBar, c.Labels, c.Values);
        item->SortOrder = c.Order;
        item->TopN = c.TopN;
        item->TopNCaption = "Others";
        EXPECT_EQ(Points(0), c.Expect);
        if (c.TopN) {
            EXPECT_EQ(item->SortOrder, soDescending);
        }
    }
}

TEST_F(Chart, HelpersByClassAndTheirColumns) {
    struct TCase {
        TvrChartSeries Kind;
        const char* Class;
        const char* Params;
    } cases[] = {
        {csLine, "TLineSeries", "Label;Y;X (optional);Color (optional)"},
        {csPie, "TPieSeries", "Label;Pie;Color (optional)"},
        {csGantt, "TGanttSeries", "Label;Start;End;Y;Next task"},
        {csArrow, "TArrowSeries", "Label;X0;Y0;X1;Y1;Color (optional)"},
        {csBubble, "TBubbleSeries", "Label;X;Y;Radius;Color (optional)"},
        {csChartShape, "TChartShape", "Label;Y;X (optional);Color (optional)"},
    };
    for (const TCase& c : cases) {
        View->AddSeries(c.Kind);
        TChartSeries* s = View->Chart()->Series(View->Chart()->SeriesCount() - 1);
        EXPECT_EQ(s->ClassName(), c.Class);
        EXPECT_EQ(TvrSeriesHelper::ForSeries(*s)->GetParamNames(), c.Params);
    }
    EXPECT_THROW(View->AddSeries(csHorizArea), EInvalidOperation);
    View->AddSeries(csPie);
    EXPECT_FALSE(View->Chart()->Orthogonal);
    EXPECT_FALSE(View->Chart()->AxesVisible);
    View->AddSeries(csBar);
    EXPECT_TRUE(View->Chart()->AxesVisible);
    EXPECT_EQ(View->GetDescription(), "obChart");
}

TEST_F(Chart, GanttArrowAndBubbleColumns) {
    TvrSeriesItem* g = Fixed(csGantt, "T1;T2", "1;3");
    g->Source[2] = "2;5";
    g->Source[3] = "1;NULL";
    g->Source[4] = "1;";
    TvrSeriesItem* b = Fixed(csBubble, "B", "10");
    b->Source[2] = "20";
    b->Source[3] = "4";
    b->Source[4] = "clRed";
    View->GetData();
    View->FillSeries();
    const auto& bars = View->Chart()->Series(0)->Points();
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].X, 1);
    EXPECT_EQ(bars[0].X1, 2);
    EXPECT_EQ(bars[0].NextTask, 1);
    EXPECT_TRUE(bars[1].Null);
    const TChartPoint& bubble = View->Chart()->Series(1)->Points().at(0);
    EXPECT_EQ(bubble.Radius, 4);
    EXPECT_EQ(bubble.Color, clRed);
}

TEST_F(Chart, NullValuesOfDataSetsAndBandsAreTakenOppositeWays) {
    Report.Variables()->SetVariable("Label", "'L'");
    Report.Variables()->SetVariable("Amount", Null());
    ASSERT_TRUE(Report.PrepareScript()) << Report.ErrorList()->Text();
    auto* ds = new TvrUserDataSet(&Report);
    ds->SetUserName("Rows");
    ds->RangeEnd = reCount;
    ds->RangeEndCount = 1;
    for (bool ignore : {false, true}) {
        SCOPED_TRACE(ignore);
        View->Chart()->ClearSeries();
        View->SeriesData()->Clear();
        View->IgnoreNulls = ignore;
        View->AddSeries(csLine);
        View->AddSeries(csLine);
        TvrSeriesItem* fromData = View->SeriesData()->Items(0);
        fromData->SetDataSet(ds);
        fromData->Source[0] = "Label";
        fromData->Source[1] = "Amount";
        TvrSeriesItem* fromBand = View->SeriesData()->Items(1);
        fromBand->DataType = dtBandData;
        fromBand->SetDataBand(Band);
        fromBand->Source[0] = "Label";
        fromBand->Source[1] = "Amount";
        View->BeforeStartReport();
        View->GetData();
        View->BandNotify(vsObjectToVariant(Band));
        EXPECT_EQ(fromData->Values[1], ignore ? ";" : ";0");
        EXPECT_EQ(fromBand->Values[1], ignore ? ";0" : ";");
        View->FillSeries();
        EXPECT_EQ(View->Chart()->Series(0)->Points().at(0).Null, ignore);
        EXPECT_EQ(View->Chart()->Series(1)->Points().at(0).Null, !ignore);
        View->AfterPrint();
        EXPECT_EQ(fromData->Values[1], "");
    }
    // Freeing the data set and the band clears the bindings' references.
    delete ds;
    EXPECT_EQ(View->SeriesData()->Items(0)->DataSet(), nullptr);
    EXPECT_EQ(View->SeriesData()->Items(0)->DataSetName(), "");
    auto* other = new TvrMasterData(Page);
    View->SeriesData()->Items(1)->SetDataBand(other);
    delete other;
    EXPECT_EQ(View->SeriesData()->Items(1)->DataBand(), nullptr);
}

TEST_F(Chart, LayoutsKeepTheChartAndItsBindingsAndItDraws) {
    View->Chart()->Title = "Fees";
    View->Chart()->Elevation = 300;
    TvrSeriesItem* item = Fixed(csBar, "A;B;C", "1;2;3");
    item->TopNCaption = "Rest";
    const String text = SaveReportText(Report);
    TvrReport loaded(nullptr);
    LoadReportText(loaded, text);
    EXPECT_EQ(loaded.ErrorList()->Count(), 0) << loaded.ErrorList()->Text();
    auto* chart = dynamic_cast<TvrChartView*>(loaded.FindObject("Chart1"));
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->Chart()->SeriesCount(), 1);
    EXPECT_EQ(chart->Chart()->Series(0)->ClassName(), "TBarSeries");
    EXPECT_EQ(chart->Chart()->Title, "Fees");
    EXPECT_EQ(chart->Chart()->Elevation, 300);
    ASSERT_EQ(chart->SeriesData()->Count(), 1);
    EXPECT_EQ(chart->SeriesData()->Items(0)->Source[0], "A;B;C");
    EXPECT_EQ(chart->SeriesData()->Items(0)->DataType, dtFixedData);
    EXPECT_EQ(chart->SeriesData()->Items(0)->TopNCaption, "Rest");

    chart->SetBounds(10, 10, 200, 150);
    chart->Frame()->Typ = vrFrameTypFromBits(15);
    chart->GetData();
    TWhiteBitmap b;
    chart->Draw(b.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b.At(10, 80), clBlack); // the frame
    int coloured = 0;
    for (int y = 12; y < 158; ++y)
        for (int x = 12; x < 208; ++x) {
            const TColor c = b.At(x, y);
            if (c != clWhite && c != clBlack && (c & 0xFF) != ((c >> 8) & 0xFF)) ++coloured;
        }
    EXPECT_GT(coloured, 200); // the bars
    EXPECT_EQ(b.At(250, 80), clWhite);
    b.Bitmap.SaveToFile(ReviewPicturePath("report-chart-review.bmp"));
}
