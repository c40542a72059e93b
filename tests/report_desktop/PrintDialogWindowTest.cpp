// The print dialog on a real display (Xvfb with a window manager, started by the test) over the
// tests' own CUPS queues: a user opens it, switches printers, opens the printer's properties,
// picks pages, copies, print mode and sheet, and prints to a file. Screenshots are kept in
// ScreenshotFolder() to be looked at.
#include "../app/desktop/XServer.h"
#include "../platform/gui/CupsTestServer.h"
#include "TempDir.h"

#include "gui/Interaction.h"
#include "gui/PrinterProperties.h"
#include "gui/Screenshot.h"
#include "report/vrClassReport.h"
#include "report/vrEngine.h"
#include "report/vrPrintDialog.h"
#include "report/vrPrinter.h"

#include <gtest/gtest.h>

namespace {

String ReadAll(const String& file) {
    return TempDir::ReadAll(file);
}

} // namespace

TEST(PrintDialogWindow, AUserChoosesAndPrintsToAFile) {
    if (!XServerRunning()) GTEST_SKIP() << XServerProblem();
    ASSERT_NE(TCupsTestServer::Shared(), nullptr) << TCupsTestServer::Problem();
    GetPrinters().Fill();
    TempDir dir;
    TvrReport report(nullptr);
    vrInstallEngine(&report);
    TvrPrintDialog dialog(nullptr);
    dialog.EditedReport = &report;
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Form([&](TCustomForm* f) {
        auto* d = static_cast<TvrPrintDialog*>(f);
        EXPECT_TRUE(WaitFor([d] { return d->Visible(); }));
        Settle(400);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_print_dialog_opened.png"));
        d->PrintersCB->SetItemIndex(GetPrinters().IndexOf(TCupsTestServer::PaperQueue));
        d->PrintersCBClick();
        d->PropButton->Click(); // played by the next answer
        d->PageNumbersE->SetText("1-2");
        d->PageNumbersRB->SetChecked(true);
        d->UpDown1->Click(btNext);
        d->PrintModeCB->SetItemIndex(pmSplit);
        d->PrintModeCBClick();
        d->PagPageSizeCB->SetItemIndex(GetPrinters().CurrentPrinter()->IndexOfPaper(DMPAPER_A3));
        d->FileCB->SetChecked(true);
        Settle(400);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_print_dialog_chosen.png"));
        d->PrintModeCB->SetDroppedDown(true);
        Settle(400);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_print_dialog_modes.png"));
        d->PrintModeCB->SetDroppedDown(false);
        return mrOk;
    });
    user.Form([](TCustomForm* f) {
        auto* form = static_cast<TPrinterPropertiesForm*>(f);
        EXPECT_TRUE(WaitFor([form] { return form->Visible(); }));
        form->cbDuplex->SetItemIndex(0);
        form->cbTray->SetItemIndex(1);
        Settle(400);
        EXPECT_TRUE(SaveScreenAsPng(ScreenshotFolder() + "report_printer_properties.png"));
        return mrOk;
    });
    user.File(dir.File("notice"));
    ASSERT_EQ(dialog.ShowModal(), mrOk);
    const TvrPrintOptions& o = *report.PrintOptions();
    EXPECT_EQ(o.PageNumbers, "1-2");
    EXPECT_EQ(o.Copies, 2);
    EXPECT_EQ(o.PrintMode, pmSplit);
    EXPECT_EQ(o.PrintOnSheet, DMPAPER_A3);
    EXPECT_EQ(dialog.DuplexChoice, dmSimplex);

    // The chosen printer writes the pages into the file named.
    TvrCustomPrinter* p = GetPrinters().CurrentPrinter();
    EXPECT_EQ(p->PrinterName(), TCupsTestServer::PaperQueue);
    EXPECT_EQ(p->FileName, dir.File("notice.prn"));
    EXPECT_EQ(p->ChosenBin, DMBIN_UPPER);
    p->StartDocument();
    p->SetPaperForPrint(DMPAPER_A3, poPortrait, o.Copies, dialog.DuplexChoice, 7, 0, 0);
    p->StartPage();
    p->PrinterCanvas()->TextOut(200, 200, "收费通知");
    p->EndPage();
    p->EndDocument();
    p->FileName.clear();
    EXPECT_EQ(ReadAll(dir.File("notice.prn")).substr(0, 5), "%PDF-");
}
