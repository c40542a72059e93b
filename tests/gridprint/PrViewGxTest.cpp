// The page recorder: one metafile per page, the fixed page without a printer, the printable
// rectangle of a few printers, and what the preview box hears while a document is recorded.
#include "gridprint/PrViewGxBox.h"

#include <gtest/gtest.h>

namespace {

// A recorder whose own printer lists no installed printer.
class TNoPrinterPreview : public TPrinterPreview {
public:
    bool HasPrinter() override { return false; }
};

TEST(PrinterPreview, WithoutPrinterMeasuresTheFixedPage) {
    TNoPrinterPreview rec;
    EXPECT_EQ(rec.PageWidth(), 4676);
    EXPECT_EQ(rec.PageHeight(), 6744);
    EXPECT_EQ(rec.PaperWidth(), 4936);
    EXPECT_EQ(rec.PaperHeight(), 7044);
    EXPECT_EQ(rec.DpiX(), 600);
    EXPECT_EQ(rec.DpiY(), 600);
    rec.BeginDoc();
    ASSERT_NE(rec.Canvas(), nullptr);
    EXPECT_EQ(rec.Canvas()->GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(rec.Canvas()->Font()->PixelsPerInch(), 600);
    rec.EndDoc();
}

// Printable rectangle of the PDF printer at A4, A3 and A4 landscape (600 dpi, no border).
TEST(PrinterPreview, PrintableRectangleFollowsTheOwnPrinter) {
    struct Case {
        int paper;
        TPrinterOrientation orientation;
        int width, height;
    } cases[] = {
        {DMPAPER_A4, poPortrait, 4961, 7016},
        {DMPAPER_A3, poPortrait, 7016, 9921},
        {DMPAPER_A4, poLandscape, 7016, 4961},
    };
    for (const Case& c : cases) {
        TPrinterPreview rec;
        rec.OwnPrinter()->SetPrinterIndex(static_cast<int>(rec.Printers().size()) - 1);
        ASSERT_TRUE(rec.OwnPrinter()->IsPdfPrinter());
        rec.OwnPrinter()->SetPaper(c.paper);
        rec.SetOrientation(c.orientation);
        EXPECT_NEAR(rec.PageWidth(), c.width, 2) << c.paper;
        EXPECT_NEAR(rec.PageHeight(), c.height, 2) << c.paper;
        EXPECT_EQ(rec.PaperWidth(), rec.PageWidth() + 2 * rec.OffsetX());
        EXPECT_EQ(rec.DpiX(), 600);
    }
}

TEST(PrinterPreview, RecordsOnePagePerMetafileAndTellsTheBox) {
    TPreviewBox box(nullptr);
    TPrinterPreview* rec = box.Recorder();
    std::vector<std::pair<int, int>> changes; // (page count, printing) at each change
    int opened = 0;
    box.OnPrinterPreviewChanged = [&](TObject*) { changes.push_back({box.PageCount(), rec->Printing()}); };
    box.OnOpenPreviewer = [&](TObject*) { ++opened; };
    rec->SetTitle("Tabular information");
    rec->BeginDoc();
    EXPECT_EQ(rec->PageNumber(), 1);
    rec->Canvas()->TextOut(100, 200, String("first"));
    rec->NewPage();
    EXPECT_EQ(box.PageCount(), 1); // only the finished page counts while printing
    rec->Canvas()->TextOut(100, 200, String("second"));
    rec->NewPage();
    rec->Canvas()->TextOut(100, 200, String("third"));
    rec->EndDoc();
    EXPECT_EQ(rec->PageNumber(), -1);
    EXPECT_EQ(box.PageCount(), 3);
    EXPECT_EQ(opened, 3);
    ASSERT_EQ(rec->RecordedPageCount(), 3);
    const char* texts[] = {"first", "second", "third"};
    for (int n = 1; n <= 3; ++n) {
        auto records = rec->RecordedPage(n)->TextRecords();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].Text, texts[n - 1]);
        EXPECT_EQ(records[0].X, 100);
    }
    EXPECT_EQ(changes.front(), std::make_pair(1, 1));
    EXPECT_EQ(changes.back(), std::make_pair(3, 0));
    // A second document replaces the pages of the first.
    rec->BeginDoc();
    rec->EndDoc();
    EXPECT_EQ(rec->RecordedPageCount(), 1);
    EXPECT_EQ(box.PageCount(), 1);
}

TEST(PrinterPreview, AbortKeepsThePagesRecordedSoFar) {
    TPreviewBox box(nullptr);
    TPrinterPreview* rec = box.Recorder();
    rec->BeginDoc();
    rec->NewPage();
    rec->Abort();
    EXPECT_TRUE(rec->Aborted());
    rec->EndDoc();
    EXPECT_EQ(box.PageCount(), 2);
    rec->BeginDoc();
    EXPECT_FALSE(rec->Aborted());
    rec->EndDoc();
}

TEST(PreviewBox, GoToPageStaysInsideThePages) {
    TPreviewBox box(nullptr);
    box.Recorder()->BeginDoc();
    box.Recorder()->NewPage();
    box.Recorder()->NewPage();
    box.Recorder()->EndDoc();
    box.GoToPage(0);
    EXPECT_EQ(box.CurrentPage(), 1);
    box.GoToPage(9);
    EXPECT_EQ(box.CurrentPage(), 3);
    box.GoToPage(2);
    EXPECT_EQ(box.CurrentPage(), 2);
}

} // namespace
