// The grid preview window on a real display (Xvfb with a window manager, started by the test):
// it appears with the composed pages, pages with its buttons and the wheel, zooms to the page
// width, prints a range of pages to the PDF printer, and closing it while pages are composed
// stops the composition and closes it at the end. Screenshots are kept in ScreenshotFolder().
#include "../app/desktop/XServer.h"
#include "../gridprint/GridPrintFixture.h"

#include "gridprint/PrvFrmGx.h"
#include "gui/Input.h"
#include "gui/Interaction.h"
#include "gui/Screenshot.h"

#include <chrono>
#include <thread>

namespace {

class PreviewWindowTest : public GridPrintTest {
protected:
    void SetUp() override {
        if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
        GridPrintTest::SetUp();
        Fill(120);
        Open();
        Printer.PageFooter()->RightText()->Add("Page &[Page] of &[Pages]");
        Printer.Title()->Add("Rows of the test grid");
    }
    void TearDown() override {
        if (TPreviewFormGx* f = SharedPreviewForm()) f->Hide();
        if (Grid) GridPrintTest::TearDown();
    }
};

TEST_F(PreviewWindowTest, ShowsPagesZoomsAndPages) {
    Printer.ShowPreview();
    TPreviewFormGx* form = SharedPreviewForm();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitFor([form] { return form->Visible(); }));
    Settle(300);
    TPreviewBox* box = form->PreviewGx1;
    EXPECT_EQ(box->PageCount(), 3);
    EXPECT_EQ(form->stbMain->SimpleText(), "Page 1 of 3");
    EXPECT_FALSE(form->tbtPrevPage->Enabled());
    EXPECT_TRUE(form->tbtNextPage->Enabled());
    EXPECT_TRUE(form->tbtPrint->Enabled());
    EXPECT_TRUE(form->tbtPrinterSetupDialog->Enabled());
    EXPECT_FALSE(form->tbStop->Enabled());
    // Whole page: centred, no scrolling.
    EXPECT_EQ(box->ZoomIndex(), zoomWholePage);
    EXPECT_EQ(box->VertScrollBar()->Range(), 0);
    int left = box->PagePanel()->Left(),
        right = box->ClientWidth() - box->PagePanel()->Left() - box->PagePanel()->Width();
    EXPECT_LE(std::abs(left - right), 1);
    Settle(500);
    EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "gridprint_preview_whole.png"));

    form->tbtNextPage->Click();
    EXPECT_EQ(box->CurrentPage(), 2);
    EXPECT_EQ(form->stbMain->SimpleText(), "Page 2 of 3");
    // The page fits: the wheel turns pages.
    box->DoMouseWheel(TShiftState{}, -120, TPoint{0, 0});
    EXPECT_EQ(box->CurrentPage(), 3);
    EXPECT_FALSE(form->tbtNextPage->Enabled());
    box->DoMouseWheel(TShiftState{}, 120, TPoint{0, 0});
    box->DoMouseWheel(TShiftState{}, 120, TPoint{0, 0});
    EXPECT_EQ(box->CurrentPage(), 1);

    // Page width: the page spans the width and scrolls vertically; Page Down scrolls.
    form->ZoomItems[zoomPageWidth]->Click();
    Settle(300);
    EXPECT_EQ(box->ZoomIndex(), zoomPageWidth);
    EXPECT_EQ(box->PagePanel()->Left(), 8);
    EXPECT_GT(box->VertScrollBar()->Range(), box->ClientHeight());
    Word key = VK_NEXT;
    box->KeyDown(key, TShiftState{});
    EXPECT_GT(box->VertScrollBar()->Position(), 0);
    Settle(300);
    EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "gridprint_preview_width.png"));
    // With a page taller than the box the wheel scrolls instead of paging.
    box->DoMouseWheel(TShiftState{}, -120, TPoint{0, 0});
    EXPECT_EQ(box->CurrentPage(), 1);

    // A click on the page in whole-page mode zooms to 150 %, another one back.
    form->ZoomItems[zoomWholePage]->Click();
    box->PageClicked(10, 10);
    EXPECT_EQ(box->ZoomIndex(), 2);
    box->PageClicked(10, 10);
    EXPECT_EQ(box->ZoomIndex(), zoomWholePage);
}

TEST_F(PreviewWindowTest, PrintsARangeToThePdfPrinter) {
    Printer.ShowPreview();
    TPreviewFormGx* form = SharedPreviewForm();
    ASSERT_TRUE(WaitFor([form] { return form->Visible(); }));
    TPrinter* own = form->PreviewGx1->Recorder()->OwnPrinter();
    String file = Dir.File("preview.pdf");
    own->SetOutputFile(file);
    TScriptedResponder user;
    TInteractionScope scope(user);
    TInteractionAnswer answer;
    answer.Result = 1;
    answer.Text = TPrinter::PdfPrinterName;
    answer.PrintRange = 2;
    answer.FromPage = 2;
    answer.ToPage = 3;
    user.Add(answer);
    form->tbtPrint->Click();
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].MaxPage, 3);
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(own->LastOutputFile(), file);
}

// Closing the window while pages are composed stops the composition; the window closes when the
// recorder reports the end of the document.
TEST_F(PreviewWindowTest, ClosingWhileComposing) {
    SharedPrinterPreview();
    TPreviewFormGx* form = SharedPreviewForm();
    bool closed = false;
    Grid->Columns()->ColumnAt(0)->OnGetCellParams = [&](TObject*, bool, TColCellParamsGx* p) {
        (void)p;
        if (!closed && form->PreviewGx1->Recorder()->PageNumber() == 2) {
            closed = true;
            EXPECT_TRUE(form->Visible()); // shown as soon as the second page began
            form->Close();
            EXPECT_TRUE(form->ClosePending());
            EXPECT_TRUE(form->tbStop->Enabled());
        }
    };
    EXPECT_THROW(Printer.ShowPreview(), EAbort);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->ClosePending());
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(Printer.Busy());
    EXPECT_GE(form->PreviewGx1->PageCount(), 1);
    // The next preview works again.
    Grid->Columns()->ColumnAt(0)->OnGetCellParams = nullptr;
    Printer.ShowPreview();
    EXPECT_TRUE(WaitFor([form] { return form->Visible(); }));
    EXPECT_EQ(form->PreviewGx1->PageCount(), 3);
}

} // namespace
