// The print and printer-setup dialogs on the program's printer: what they show comes from the
// printer and the dialog's properties, what the user chooses goes back to both.
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/Interaction.h"
#include "gui/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Keeps the program's printer as it was.
struct TPrintDialogFixture : ::testing::Test {
    int Index = 0, Copies = 1, Paper = 0;
    TPrinterOrientation Orientation = poPortrait;
    String OutputFile;
    void SetUp() override {
        TPrinter* p = Printer();
        Index = p->PrinterIndex();
        Copies = p->Copies();
        Paper = p->Paper();
        Orientation = p->Orientation();
        OutputFile = p->OutputFile();
    }
    void TearDown() override {
        TPrinter* p = Printer();
        p->SetPrinterIndex(Index);
        p->SetCopies(Copies);
        p->SetPaper(Paper);
        p->SetOrientation(Orientation);
        p->SetOutputFile(OutputFile);
    }
    static int PdfIndex() {
        const auto& names = Printer()->Printers();
        return static_cast<int>(std::find(names.begin(), names.end(), TPrinter::PdfPrinterName) -
                                names.begin());
    }
};

} // namespace

TEST_F(TPrintDialogFixture, ShowsThePrinterAndTheDialogsRange) {
    Printer()->SetCopies(2);
    Printer()->SetOrientation(poLandscape);
    TPrintDialog dlg(nullptr);
    dlg.SetMinPage(1);
    dlg.SetMaxPage(9);
    dlg.SetFromPage(2);
    dlg.SetToPage(4);
    dlg.SetPrintRange(prPageNums);
    dlg.SetCollate(true);
    dlg.SetOptions(TPrintDialogOptions{poPageNums});
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Cancel();
    EXPECT_FALSE(dlg.Execute());
    ASSERT_EQ(user.Requests().size(), 1u);
    const TInteractionRequest& r = user.Requests()[0];
    EXPECT_EQ(r.Kind, TInteractionKind::Print);
    EXPECT_EQ(r.Items, Printer()->Printers());
    EXPECT_EQ(r.Value, Printer()->PrinterName());
    EXPECT_EQ(r.Copies, 1); // the dialog's own copies
    EXPECT_EQ(r.Orientation, poLandscape);
    EXPECT_EQ(r.MinPage, 1);
    EXPECT_EQ(r.MaxPage, 9);
    EXPECT_EQ(r.FromPage, 2);
    EXPECT_EQ(r.ToPage, 4);
    EXPECT_EQ(r.PrintRange, prPageNums);
    EXPECT_TRUE(r.Collate);
    EXPECT_EQ(r.Options, (TPrintDialogOptions{poPageNums}.Bits()));
    // Cancelled: nothing changed.
    EXPECT_EQ(Printer()->Copies(), 2);
    EXPECT_EQ(dlg.FromPage(), 2);
    // Confirmed as shown: the printer prints the copies the dialog showed.
    user.Answer(mrOk);
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(Printer()->Copies(), 1);
    EXPECT_EQ(Printer()->Orientation(), poLandscape);
}

TEST_F(TPrintDialogFixture, TheChoiceGoesToThePrinterAndTheDialog) {
    TPrintDialog dlg(nullptr);
    dlg.SetMaxPage(20);
    TInteractionAnswer a;
    a.Result = mrOk;
    a.Text = TPrinter::PdfPrinterName;
    a.Copies = 3;
    a.Collate = 1;
    a.PrintRange = prPageNums;
    a.FromPage = 5;
    a.ToPage = 7;
    a.Orientation = poLandscape;
    a.Paper = DMPAPER_A5;
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Add(a);
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(Printer()->PrinterIndex(), PdfIndex());
    EXPECT_EQ(dlg.PrinterName(), TPrinter::PdfPrinterName);
    EXPECT_EQ(Printer()->Copies(), 3);
    EXPECT_EQ(Printer()->Orientation(), poLandscape);
    EXPECT_EQ(Printer()->Paper(), DMPAPER_A5);
    EXPECT_EQ(dlg.Copies(), 3);
    EXPECT_TRUE(dlg.Collate());
    EXPECT_EQ(dlg.PrintRange(), prPageNums);
    EXPECT_EQ(dlg.FromPage(), 5);
    EXPECT_EQ(dlg.ToPage(), 7);
    // The printer's landscape page is wider than high.
    EXPECT_GT(Printer()->PageWidth(), Printer()->PageHeight());

    // An answer that leaves the settings keeps what is there.
    TInteractionAnswer keep;
    keep.Result = mrOk;
    user.Add(keep);
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(Printer()->Copies(), 3);
    EXPECT_EQ(dlg.FromPage(), 5);
    EXPECT_EQ(dlg.PrintRange(), prPageNums);
    EXPECT_EQ(user.Requests().back().Copies, 3);
}

TEST_F(TPrintDialogFixture, AnUnknownPrinterIsRefused) {
    TPrintDialog dlg(nullptr);
    TInteractionAnswer a;
    a.Result = mrOk;
    a.Text = "No such printer 7f3a";
    a.Copies = 4;
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Add(a);
    const int before = Printer()->PrinterIndex();
    try {
        dlg.Execute();
        FAIL() << "an unknown printer was taken";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message(), "Printer selected is not valid");
    }
    EXPECT_EQ(Printer()->PrinterIndex(), before);
    EXPECT_NE(Printer()->Copies(), 4);
}

TEST_F(TPrintDialogFixture, PrinterSetupSelectsPrinterPaperAndOrientation) {
    TPrinterSetupDialog dlg(nullptr);
    int shown = 0, closed = 0;
    dlg.OnShow = [&](TObject*) { ++shown; };
    dlg.OnClose = [&](TObject*) { ++closed; };
    TInteractionAnswer a;
    a.Result = mrOk;
    a.Text = TPrinter::PdfPrinterName;
    a.Files = {"/tmp/orv_setup_test.pdf"};
    a.Orientation = poLandscape;
    a.Paper = DMPAPER_A3;
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Add(a);
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::PrinterSetup);
    EXPECT_EQ(user.Requests()[0].Paper, Paper);
    EXPECT_EQ(Printer()->PrinterIndex(), PdfIndex());
    EXPECT_EQ(Printer()->Orientation(), poLandscape);
    EXPECT_EQ(Printer()->Paper(), DMPAPER_A3);
    // The PDF printer writes where the dialog said.
    EXPECT_EQ(Printer()->OutputFile(), "/tmp/orv_setup_test.pdf");
    EXPECT_EQ(dlg.PrinterName(), TPrinter::PdfPrinterName);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed, 1);
}
