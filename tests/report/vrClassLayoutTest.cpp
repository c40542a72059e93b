// A layout holding every kind of object built so far loads, saves back the same tree and draws
// offscreen; the drawing is kept for review.
#include "gui/Bitmap.h"
#include "gui/Picture.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "ReportTextTools.h"
#include "ReviewPicture.h"
#include "rtl/CodePage.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>


TEST(ObjectLayout, EveryObjectKindRoundTripsAndDraws) {
    vrStartUp();
    TvrReport report(nullptr);
    auto* page = new TvrReportPage(&report);
    page->SetName("Page1");
    page->SetDefaults();
    auto* title = new TvrReportTitle(page);
    title->SetName("ReportTitle1");
    title->SetBounds(0, 20, 700, 60);
    auto* data = new TvrMasterData(page);
    data->SetName("MasterData1");
    data->SetBounds(0, 100, 700, 40);
    data->SetRowCount(3);
    auto* child = new TvrChild(page);
    child->SetName("Child1");
    child->SetBounds(0, 160, 700, 20);
    data->SetChild(child);
    auto* memo = new TvrMemoView(title);
    memo->SetName("Memo1");
    memo->SetBounds(10, 10, 200, 30);
    memo->SetText(u"Total [1+2] 合计");
    memo->Frame()->Typ = TvrFrameTypes{ftLeft, ftBottom};
    memo->Frame()->SetWidth(2);
    memo->Color = clYellow;
    memo->HAlign = haCenter;
    memo->DisplayFormat()->Kind = fkNumeric;
    memo->DisplayFormat()->FormatStr = "#,##0.00";
    auto* shape = new TvrShapeView(data);
    shape->SetName("Shape1");
    shape->SetBounds(300, 5, 80, 30);
    shape->Shape = skEllipse;
    shape->Color = clRed;
    auto* sys = new TvrSysMemoView(data);
    sys->SetName("SysMemo1");
    sys->SetBounds(10, 5, 100, 20);
    sys->SetText(u"[Page#]");
    auto* picture = new TvrPictureView(data);
    picture->SetName("Picture1");
    picture->SetBounds(450, 5, 40, 30);
    TBitmap green(20, 20);
    green.Canvas()->Brush()->SetColor(clLime);
    green.Canvas()->FillRect(TRect{0, 0, 20, 20});
    picture->Picture()->SetGraphic(&green);

    const String first = SaveReportText(report);
    TvrReport loaded(nullptr);
    LoadReportText(loaded, first);
    EXPECT_EQ(loaded.ErrorList()->Count(), 0) << loaded.ErrorList()->Text();
    // The object tree (the report's own attributes carry the time of saving).
    const String again = SaveReportText(loaded);
    EXPECT_EQ(again.substr(again.find("<TvrReportPage")), first.substr(first.find("<TvrReportPage")));
    EXPECT_NE(first.find("Frame.Typ=\"9\""), String::npos) << first;
    auto* m = dynamic_cast<TvrMemoView*>(loaded.FindObject("Memo1"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(WideToUtf8(m->Text()), "Total [1+2] 合计\r\n");
    auto* d = dynamic_cast<TvrMasterData*>(loaded.FindObject("MasterData1"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->RowCount(), 3);
    EXPECT_EQ(d->Child(), loaded.FindObject("Child1"));

    // Draw the page's objects as a prepared page would, and check known points.
    TBitmap b(800, 300);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect{0, 0, 800, 300});
    for (TvrComponent* o : loaded.FindObject("Page1")->AllObjects())
        if (auto* v = dynamic_cast<TvrView*>(o)) v->Draw(b.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(b.Canvas()->Pixels(150, 35), clYellow); // the text object's fill
    EXPECT_EQ(b.Canvas()->Pixels(10, 45), clBlack);   // its left frame line
    EXPECT_EQ(b.Canvas()->Pixels(340, 120), clRed);   // the ellipse's middle
    EXPECT_EQ(b.Canvas()->Pixels(301, 106), clWhite); // outside the ellipse, in its corner
    EXPECT_EQ(b.Canvas()->Pixels(460, 120), clLime);  // the picture, 30 x 30 at the left
    EXPECT_EQ(b.Canvas()->Pixels(485, 120), clWhite); // right of the square picture
    // Kept beside the build's screenshots for review.
    b.SaveToFile(ReviewPicturePath("report-layout-review.bmp"));
}
