// A new user prints the engine tests' 120-row list on a real display (Xvfb with a window manager)
// through the print dialog: the PDF printer, a range of pages, two collated copies, each page
// scaled onto A5, into a file; then opens what was printed. Screenshots of the dialog and the
// printed pages are kept in ScreenshotFolder() to be looked at.
#include "../app/desktop/XServer.h"
#include "../platform/gui/CupsTestServer.h"
#include "../report/vrEngineFixture.h"
#include "PdfInfo.h"

#include "gui/Interaction.h"
#include "gui/Screenshot.h"
#include "report/vrPrintDialog.h"
#include "report/vrPrinter.h"


#include <gtest/gtest.h>

namespace {

class PrintReportWindow : public EngineTest {};

} // namespace

TEST_F(PrintReportWindow, ANewUserPrintsTheListThroughTheDialog) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    ASSERT_NE(TCupsTestServer::Shared(), nullptr) << TCupsTestServer::Problem();
    GetPrinters().Fill();
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
    Report->ReportOptions()->Name = "物业收费清单";

    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([&](TCustomForm* f) {
        auto* d = static_cast<TvrPrintDialog*>(f);
        EXPECT_TRUE(WaitFor([d] { return d->Visible(); }));
        Settle(400);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_print_list_opened.png"));
        d->PrintersCB->SetItemIndex(GetPrinters().IndexOf(TPrinter::PdfPrinterName));
        d->PrintersCBClick();
        d->PageNumbersRB->SetChecked(true);
        d->PageNumbersE->SetText("2-3");
        d->UpDown1->Click(btNext);
        d->CollateCB->SetChecked(true);
        d->CollateCBClick();
        d->PrintModeCB->SetItemIndex(pmScale);
        d->PrintModeCBClick();
        d->PagPageSizeCB->SetItemIndex(GetPrinters().CurrentPrinter()->IndexOfPaper(DMPAPER_A5));
        d->FileCB->SetChecked(true);
        Settle(400);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_print_list_chosen.png"));
        return mrOk;
    });
    user.File(Dir.File("收费清单"));
    ASSERT_TRUE(Pages()->SendToPrinter());
    // The dialog's choices held for this print only.
    EXPECT_EQ(Report->PrintOptions()->Copies, 1);
    EXPECT_EQ(Report->PrintOptions()->PrintMode, pmDefault);

    // The file holds pages 2 and 3 twice, each on an A5 sheet.
    const String file = Dir.File("收费清单.prn");
    EXPECT_EQ(PdfPageSizes(file, 9), (std::vector<std::string>(4, "420x595")));
    const char* totals[] = {"2420.00", "4020.00", "2420.00", "4020.00"};
    for (int page = 1; page <= 4; ++page) {
        const String text = CommandOutput("pdftotext -f " + std::to_string(page) + " -l " +
                                          std::to_string(page) + " '" + file + "' -");
        EXPECT_NE(text.find(totals[page - 1]), String::npos) << page << "\n" << text;
    }
    // Opened as the user sees it: the first two sheets side by side.
    CommandOutput("pdftoppm -r 60 -f 1 -l 2 -png '" + file + "' '" + ScreenshotFolder() +
                  "report_print_list_sheet'");
}
