// The chart component: its own stream keeps the look, the series and every kind of point; it
// paints alike onto a bitmap and onto a recording canvas.
#include "chart/Chart.h"
#include "gui/Bitmap.h"
#include "gui/Metafile.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

TEST(Chart, StreamKeepsLookSeriesAndPoints) {
    TChart c;
    c.Title = "物业费";
    c.Elevation = 300;
    c.AxesVisible = false;
    TChartSeries* line = c.AddSeries(ckLine);
    line->Add(2.5, "Jan", clRed);
    line->AddNull("Feb");
    line->AddXY(3, 4, "Mar");
    TChartSeries* gantt = c.AddSeries(ckGantt);
    gantt->AddGanttBar(1, 5, 2, "Paint");
    gantt->SetNextTask(0);
    c.AddSeries(ckBubble)->AddBubble(1, 2, 3, "B", clBlue);
    TMemoryStream ms;
    c.SaveToStream(ms);
    ms.SetPosition(0);
    TChart d;
    d.LoadFromStream(ms);
    EXPECT_EQ(d.Title, "物业费");
    EXPECT_EQ(d.Elevation, 300);
    EXPECT_FALSE(d.AxesVisible);
    ASSERT_EQ(d.SeriesCount(), 3);
    const auto& p = d.Series(0)->Points();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].Y, 2.5);
    EXPECT_EQ(p[0].Color, clRed);
    EXPECT_TRUE(p[1].Null);
    EXPECT_TRUE(p[2].HasX);
    EXPECT_EQ(d.Series(1)->Points()[0].X1, 5);
    EXPECT_EQ(d.Series(1)->Points()[0].NextTask, 0);
    EXPECT_EQ(d.Series(2)->Points()[0].Radius, 3);
    EXPECT_EQ(d.Series(2)->ClassName(), "TBubbleSeries");

    TStringStream bad("ORVCHRT1\x05");
    EXPECT_THROW(d.LoadFromStream(bad), EReadError);
    EXPECT_EQ(d.SeriesCount(), 3); // a failed read leaves the chart as it was
}

TEST(Chart, PaintsOnBitmapsAndRecordingCanvasesAlike) {
    TChart c;
    c.FrameVisible = false;
    TChartSeries* pie = c.AddSeries(ckPie);
    pie->Add(3, "A", clRed);
    pie->Add(1, "B", clBlue);
    TBitmap direct(120, 100);
    c.Paint(*direct.Canvas(), TRect{0, 0, 120, 100});
    int red = 0, blue = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x) {
            red += direct.Canvas()->Pixels(x, y) == clRed;
            blue += direct.Canvas()->Pixels(x, y) == clBlue;
        }
    EXPECT_GT(red, 2 * blue);
    EXPECT_GT(blue, 20);
    TMetafile mf;
    mf.SetWidth(120);
    mf.SetHeight(100);
    {
        TMetafileCanvas mc(&mf);
        c.Paint(mc, TRect{0, 0, 120, 100});
    }
    TBitmap replay(120, 100);
    replay.Canvas()->StretchDraw(TRect{0, 0, 120, 100}, &mf);
    int differ = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 120; ++x)
            differ += direct.Canvas()->Pixels(x, y) != replay.Canvas()->Pixels(x, y);
    EXPECT_EQ(differ, 0);
}
