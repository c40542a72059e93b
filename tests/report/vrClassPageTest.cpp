// Report pages: paper sizes from the table, orientation with rotating margins, columns, the width
// of bands, the background with its colour, picture and frame, and the data page's size.
#include "report/vrClassPage.h"
#include "ReportTextTools.h"
#include "WhiteBitmap.h"
#include "gui/Picture.h"
#include "report/vrClass.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ReportPage, DefaultsAreA4PortraitWithTenMillimetreMargins) {
    TvrReportPage p(nullptr);
    p.SetDefaults();
    EXPECT_EQ(p.PaperSize(), 9);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Width()), 794);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Height()), 1123);
    EXPECT_EQ(p.LeftMargin, 10);
    EXPECT_EQ(p.NamePrefix, "Page");
}

TEST(ReportPage, LandscapeRotatesPaperAndMarginsAndBack) {
    TvrReportPage p(nullptr);
    p.SetDefaults();
    p.LeftMargin = 1;
    p.TopMargin = 2;
    p.RightMargin = 3;
    p.BottomMargin = 4;
    p.SetOrientation(poLandscape);
    EXPECT_EQ(p.PaperWidth(), 297);
    EXPECT_EQ(p.PaperHeight(), 210);
    EXPECT_EQ((std::vector<Extended>{p.LeftMargin, p.RightMargin, p.TopMargin, p.BottomMargin}),
              (std::vector<Extended>{2, 4, 3, 1}));
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Width()), 1123);
    p.SetOrientation(poPortrait);
    EXPECT_EQ((std::vector<Extended>{p.LeftMargin, p.RightMargin, p.TopMargin, p.BottomMargin}),
              (std::vector<Extended>{1, 3, 2, 4}));
    // A paper code in landscape takes the table's size swapped.
    p.SetOrientation(poLandscape);
    p.SetPaperSize(11);
    EXPECT_EQ(p.PaperWidth(), 210);
    EXPECT_EQ(p.PaperHeight(), 148);
}

TEST(ReportPage, PaperSizesAndCustomSizes) {
    TvrReportPage p(nullptr);
    p.SetPaperWidth(100);
    EXPECT_EQ(p.PaperSize(), 256);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.Width()), 378);
    p.SetPaperSize(48); // not in the table: the size stays
    EXPECT_EQ(p.PaperWidth(), 100);
    Extended w = 0, h = 0;
    EXPECT_TRUE(PaperSizeFromTable(26, w, h));
    EXPECT_EQ(w, 863.6L);
    EXPECT_FALSE(PaperSizeFromTable(49, w, h));
}

TEST(ReportPage, ColumnsDivideThePrintableWidth) {
    TvrReportPage p(nullptr);
    p.SetDefaults();
    p.SetColumns(3);
    EXPECT_NEAR(static_cast<double>(p.ColumnWidth), 63.3333, 0.0001);
    ASSERT_EQ(p.ColumnPositions()->Count(), 3);
    EXPECT_EQ(p.ColumnPositions()->Strings(0), "0");
    EXPECT_EQ(p.ColumnPositions()->Strings(1).rfind("63.333", 0), 0u);
    p.SetPageCount(0);
    EXPECT_EQ(p.PageCount(), 1);
}

TEST(ReportPage, BandsTakeThePrintableOrTheColumnWidth) {
    vrStartUp();
    TvrReport report(nullptr);
    auto* p = new TvrReportPage(&report);
    p->SetDefaults();
    auto* title = new TvrReportTitle(p);
    auto* data = new TvrMasterData(p);
    data->SetLeft(20);
    p->AlignChildren();
    EXPECT_NEAR(static_cast<double>(title->Width()), 190 * 3.77953, 1e-6);
    EXPECT_NEAR(static_cast<double>(data->Width()), 190 * 3.77953 - 20, 1e-6);
    p->SetColumns(2);
    p->AlignChildren();
    EXPECT_NEAR(static_cast<double>(data->Width()), 95 * 3.77953, 1e-6);
    EXPECT_NEAR(static_cast<double>(title->Width()), 190 * 3.77953, 1e-6);
    EXPECT_DOUBLE_EQ(static_cast<double>(p->Width()), 794);
    EXPECT_EQ(p->FindBand(TvrDataBand::StaticClassInfo()), data);
}

namespace {

std::unique_ptr<TBitmap> FilledBitmap(int w, int h, TColor color) {
    auto bmp = std::make_unique<TBitmap>(w, h);
    bmp->Canvas()->Brush()->SetColor(color);
    bmp->Canvas()->FillRect(TRect{0, 0, w, h});
    return bmp;
}

// The attributes of the first element of that name in a layout text.
String ElementText(const String& layout, const String& name) {
    const size_t start = layout.find("<" + name + " ");
    if (start == String::npos) return String();
    return layout.substr(start, layout.find('>', start) - start);
}

} // namespace

TEST(ReportPage, TheBackgroundIsStoredAsPictureColourAndFrame) {
    vrStartUp();
    TvrReport report(nullptr);
    auto* page = new TvrReportPage(&report);
    page->SetName("Page1");
    page->SetDefaults();
    const String plain = ElementText(SaveReportText(report), "TvrReportPage");
    for (const char* name : {"BackPicture", "Color=", "Frame."})
        EXPECT_EQ(plain.find(name), String::npos) << name;

    page->BackPicture()->SetGraphic(FilledBitmap(4, 3, clRed).get());
    page->SetColor(clYellow);
    page->Frame()->Typ = TvrFrameTypes{ftLeft, ftTop};
    page->Frame()->SetColor(clBlue);
    const String text = ElementText(SaveReportText(report), "TvrReportPage");
    // In the order the page declares them: picture, colour, frame.
    const size_t picture = text.find(" BackPicture.PropData=\""), color = text.find(" Color=\"65535\""),
                 frame = text.find(" Frame.Color=\"16711680\"");
    ASSERT_NE(picture, String::npos) << text;
    ASSERT_NE(color, String::npos) << text;
    ASSERT_NE(frame, String::npos) << text;
    EXPECT_LT(picture, color);
    EXPECT_LT(color, frame);
    EXPECT_NE(text.find(" Frame.Typ=\"5\""), String::npos) << text;

    TvrReport loaded(nullptr);
    LoadReportText(loaded, SaveReportText(report));
    auto* back = dynamic_cast<TvrReportPage*>(loaded.FindObject("Page1"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Color(), clYellow);
    EXPECT_EQ(back->BackPictureView()->Color, clYellow);
    EXPECT_EQ(back->Frame()->TypBits(), 5);
    EXPECT_EQ(back->Frame()->Color(), clBlue);
    ASSERT_NE(back->BackPicture()->Graphic(), nullptr);
    EXPECT_EQ(back->BackPicture()->Width(), 4);
    EXPECT_EQ(back->BackPicture()->Height(), 3);
    EXPECT_FALSE(back->BackPictureView()->KeepAspectRatio);
}

TEST(ReportPage, TheBackgroundFillsThePrintableAreaUnlessHiddenOrNotPrintable) {
    // 60 x 40 mm with margins of 10 and 5 mm: the printable area is 40 x 30 mm.
    TvrReportPage page(nullptr);
    page.SetPaperWidth(60);
    page.SetPaperHeight(40);
    page.LeftMargin = page.RightMargin = 10;
    page.TopMargin = page.BottomMargin = 5;
    page.SetColor(clYellow);
    page.Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    page.Frame()->SetColor(clBlue);
    const int left = 10 + static_cast<int>(std::lround(10 * fr01cm)); // drawn at offset 10, 10
    const int top = 10 + static_cast<int>(std::lround(5 * fr01cm));
    const int right = 10 + static_cast<int>(std::lround(50 * fr01cm));
    const int middleY = 10 + static_cast<int>(std::lround(20 * fr01cm));
    struct TCase {
        bool visible, printable, printing, drawn;
    };
    const TCase cases[] = {
        {true, true, false, true},  {true, true, true, true},    {true, false, false, true},
        {true, false, true, false}, {false, true, false, false}, {false, true, true, false},
    };
    for (const TCase& c : cases) {
        page.BackPictureVisible = c.visible;
        page.BackPicturePrintable = c.printable;
        page.InPrinting = c.printing;
        TWhiteBitmap bmp(300, 200);
        page.DrawBackground(bmp.Canvas(), 1, 1, 10, 10);
        const String what = String(c.visible ? "visible" : "hidden") + (c.printable ? " printable" : "") +
                            (c.printing ? " printing" : "");
        EXPECT_EQ(bmp.At(left + 30, middleY), c.drawn ? clYellow : clWhite) << what;
        EXPECT_EQ(bmp.At(left, middleY), c.drawn ? clBlue : clWhite) << what; // the frame's left side
        EXPECT_EQ(bmp.At(left - 5, middleY), clWhite) << what;                // the margin stays empty
        EXPECT_EQ(bmp.At(left + 30, top - 5), clWhite) << what;
        EXPECT_EQ(bmp.At(right + 5, middleY), clWhite) << what;
    }
    EXPECT_FALSE(page.BackPictureView()->InPrinting);

    // A picture is stretched over the whole area, without keeping its proportions.
    page.BackPictureVisible = true;
    page.InPrinting = false;
    page.BackPicture()->SetGraphic(FilledBitmap(4, 4, clRed).get());
    TWhiteBitmap bmp(300, 200);
    page.DrawBackground(bmp.Canvas(), 1, 1, 10, 10);
    EXPECT_EQ(bmp.At(left + 10, middleY), clRed);
    EXPECT_EQ(bmp.At(right - 10, middleY), clRed);
    // At half scale the area is half as large.
    TWhiteBitmap half(300, 200);
    page.DrawBackground(half.Canvas(), 0.5, 0.5, 0, 0);
    EXPECT_EQ(half.At(static_cast<int>(10 * fr01cm / 2) + 5, static_cast<int>(20 * fr01cm / 2)), clRed);
    EXPECT_EQ(half.At(static_cast<int>(50 * fr01cm / 2) + 5, static_cast<int>(20 * fr01cm / 2)), clWhite);
}

TEST(ReportPage, ColumnsThatCannotDescribeThePageAreRefusedAtLoading) {
    vrStartUp();
    const String head = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?><TvrReport>"
                        "<TvrReportPage Name=\"Page1\" PaperWidth=\"210\" LeftMargin=\"10\" RightMargin=\"10\" ";
    struct Case {
        const char* Attributes;
        const char* Property; // named by the load error
    };
    const Case cases[] = {
        {"Columns=\"100000000\"", "Columns"},
        {"Columns=\"1001\"", "Columns"},
        {"Columns=\"2\" ColumnWidth=\"1e300\"", "ColumnWidth"},
        {"Columns=\"2\" ColumnWidth=\"-5\"", "ColumnWidth"},
        {"Columns=\"2\" ColumnWidth=\"211\"", "ColumnWidth"},
        {"Columns=\"2\" ColumnPositions.Text=\"0&#13;&#10;1e9\"", "ColumnPositions"},
        {"Columns=\"2\" ColumnPositions.Text=\"0&#13;&#10;-1\"", "ColumnPositions"},
        {"Columns=\"2\" ColumnPositions.Text=\"0&#13;&#10;nan\"", "ColumnPositions"},
        {"Columns=\"2\" ColumnPositions.Text=\"0&#13;&#10;abc\"", "ColumnPositions"},
    };
    for (const Case& c : cases) {
        TvrReport report(nullptr);
        report.EngineOptions()->NewSilentMode = simSilent;
        LoadReportText(report, head + c.Attributes + "/></TvrReport>");
        auto* page = dynamic_cast<TvrReportPage*>(report.FindObject("Page1"));
        ASSERT_NE(page, nullptr) << c.Attributes;
        ASSERT_EQ(report.ErrorList()->Count(), 1) << c.Attributes;
        EXPECT_NE(report.ErrorList()->Text().find(c.Property), String::npos) << report.ErrorList()->Text();
        EXPECT_LE(page->Columns(), vrMaxPageColumns);
        EXPECT_LE(page->ColumnPositions()->Count(), vrMaxPageColumns);
        EXPECT_LE(page->ColumnWidth, page->PaperWidth());
    }
    // What does describe the page still loads: the most columns, and positions inside the paper.
    TvrReport report(nullptr);
    LoadReportText(report, head + "Columns=\"2\" ColumnPositions.Text=\"0&#13;&#10;95,5\"/></TvrReport>");
    EXPECT_EQ(report.ErrorList()->Count(), 0) << report.ErrorList()->Text();
    TvrReportPage page(nullptr);
    page.SetDefaults();
    page.SetColumns(vrMaxPageColumns);
    EXPECT_EQ(page.ColumnPositions()->Count(), vrMaxPageColumns);
    EXPECT_THROW(page.SetColumns(vrMaxPageColumns + 1), EPropertyError);
    EXPECT_EQ(page.Columns(), vrMaxPageColumns);
}
