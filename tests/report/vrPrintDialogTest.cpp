// The print dialog played through the Interaction responder over the tests' CUPS queues and the
// PDF printer: captions and lists, the printer kept or put back, the sheet list following the
// printer and the print mode, the properties dialog's duplex, printing to a file, and the options
// shown and written back.
#include "../platform/gui/CupsTestServer.h"

#include "gui/Interaction.h"
#include "gui/PrinterProperties.h"
#include "report/vrClassReport.h"
#include "report/vrEngine.h"
#include "report/vrPrintDialog.h"
#include "report/vrPrinter.h"

#include <gtest/gtest.h>

namespace {

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TCupsTestServer::Shared()) GTEST_FAIL() << TCupsTestServer::Problem();
        GetPrinters().Fill(); // the raw queue, the server's default, is current
        vrInstallEngine(&Report);
        Dialog = std::make_unique<TvrPrintDialog>(nullptr);
        Dialog->EditedReport = &Report;
    }
    // Chooses a printer as a click in the list does.
    void Choose(const String& printer) {
        Dialog->PrintersCB->SetItemIndex(GetPrinters().IndexOf(printer));
        Dialog->PrintersCBClick();
    }
    // Shows the dialog, plays the user with the handler and gives the dialog's result.
    // Answers queued by `then` follow the form's (the file dialog's, for one).
    int Run(std::function<int(TvrPrintDialog*)> handler, std::function<void()> then = nullptr) {
        User.Form([handler](TCustomForm* f) { return handler(static_cast<TvrPrintDialog*>(f)); });
        if (then) then();
        return Dialog->ShowModal();
    }
    TvrReport Report{nullptr};
    std::unique_ptr<TvrPrintDialog> Dialog;
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

} // namespace

TEST_F(PrintDialogTest, CaptionsAndListsComeFromTheResources) {
    TvrPrintDialog* d = Dialog.get();
    const std::pair<TControl*, const char*> captions[] = {
        {d, "打印"},
        {d->Label12, "打印机"},
        {d->DescrL, "输入页数/文件范围，并以逗号分隔(例如:1,3,5-12)"},
        {d->Label1, "页 "},
        {d->CopiesL, "份数"},
        {d->CollateCB, "自动分页(&T)"},
        {d->Label2, "份数(&C)"},
        {d->PrintL, "打印"},
        {d->WhereL, "位置:"},
        {d->OkB, "确定"},
        {d->CancelB, "取消"},
        {d->PropButton, "属性(&P)"},
        {d->AllRB, "全部"},
        {d->CurPageRB, "本页"},
        {d->PageNumbersRB, "页:"},
        {d->FileCB, "输出至文件(&L)"},
        {d->NameL, "名称:"},
        {d->ScaleGB, "打印模式"},
        {d->PagSizeL, "纸上打印"},
        {d->DuplexL, "双份"},
        {d->OtherGB, "其它"},
        {d->OrderL, "顺序"},
    };
    for (const auto& [control, text] : captions)
        EXPECT_EQ(control->Caption(), text) << control->Name();
    const std::pair<TComboBox*, const char*> lists[] = {
        {d->OrderCB, "直接 (1-9)\r\n反转 (9-1)\r\n"},
        {d->PrintPagesCB, "范围中所有页面\r\n奇数页\r\n偶数页\r\n"},
        {d->DuplexCB, "默认\r\n垂直\r\n水平\r\nSimplex\r\n"},
        {d->PrintModeCB, "默认\r\n切分大页\r\n连接小页\r\n比列\r\n"},
        {d->PrintersCB, "Orvanta-Paper\r\nOrvanta-Raw\r\nPDF\r\n"},
    };
    for (const auto& [box, text] : lists)
        EXPECT_EQ(box->Items()->Text(), text) << box->Name();
    EXPECT_EQ(d->FileDlg->Title(), "打印至文件");
    EXPECT_EQ(d->FileDlg->Filter(), "打印机文件 (*.prn)|*.prn");
    EXPECT_EQ(d->PrintersCB->ItemIndex(), 1);
    EXPECT_EQ(d->PreviousPrinterIndex, 1);
    EXPECT_TRUE(d->CopiesE->NumbersOnly());
    EXPECT_EQ(d->CopiesE->Text(), "1");
    EXPECT_TRUE(d->AllRB->Checked());
    EXPECT_TRUE(d->CollateCB->Checked());
    Choose("PDF");
    EXPECT_EQ(d->WhereL1->Caption(), GetTempDir());
    EXPECT_EQ(d->PagPageSizeCB->Items()->Strings(0), "默认");
    EXPECT_EQ(d->PagPageSizeCB->Items()->Count(), GetPrinters().CurrentPrinter()->PaperList()->Count());
}

TEST_F(PrintDialogTest, CancelPutsThePreviousPrinterBackAndOkKeepsTheNewOne) {
    for (int result : {mrCancel, mrOk}) {
        Dialog = std::make_unique<TvrPrintDialog>(nullptr);
        Dialog->EditedReport = &Report;
        EXPECT_EQ(Run([this, result](TvrPrintDialog*) {
                      Choose("PDF");
                      EXPECT_EQ(GetPrinters().ActivePrinterIndex(), 2);
                      return result;
                  }),
                  result);
        EXPECT_EQ(GetPrinters().ActivePrinterIndex(), result == mrOk ? 2 : 1) << result;
    }
}

// A5 is a sheet of the raw queue and of the PDF printer, but not of the paper queue.
TEST_F(PrintDialogTest, ThePrintersSheetsFollowThePrinter) {
    Choose("PDF");
    Dialog->PrintModeCB->SetItemIndex(pmSplit);
    Dialog->PrintModeCBClick();
    EXPECT_TRUE(Dialog->PagPageSizeCB->Enabled());
    EXPECT_EQ(Dialog->PagPageSizeCB->Text(), "A4"); // "默认" gave way to A4
    Dialog->PagPageSizeCB->SetItemIndex(Dialog->PagPageSizeCB->Items()->IndexOf("A5"));
    struct TStep {
        const char* Printer;
        const char* Sheet;
    } steps[] = {{TCupsTestServer::RawQueue, "A5"}, {TCupsTestServer::PaperQueue, "默认"}, {"PDF", "默认"}};
    for (const TStep& step : steps) {
        Choose(step.Printer);
        EXPECT_EQ(Dialog->PagPageSizeCB->Text(), step.Sheet) << step.Printer;
    }
    Dialog->PrintModeCB->SetItemIndex(pmDefault);
    Dialog->PrintModeCBClick();
    EXPECT_FALSE(Dialog->PagPageSizeCB->Enabled());
    EXPECT_EQ(Dialog->PagPageSizeCB->ItemIndex(), 0);
}

// The duplex chosen in the printer's properties dialog, when it differs from the printer's, is
// the dialog's duplex.
TEST_F(PrintDialogTest, ThePropertiesDialogsDuplexIsTheDialogsDuplex) {
    struct TCase {
        TvrDuplexMode Before;
        int Chosen; // the properties dialog's entry: one-sided, long edge, short edge
        TvrDuplexMode After;
        const char* Shown;
    } cases[] = {{dmSimplex, 1, dmVertical, "垂直"},
                 {dmSimplex, 2, dmHorizontal, "水平"},
                 {dmVertical, 0, dmSimplex, "Simplex"},
                 {dmVertical, 1, dmNone, "默认"}};
    for (const TCase& c : cases) {
        Dialog = std::make_unique<TvrPrintDialog>(nullptr);
        Choose(TCupsTestServer::PaperQueue);
        TvrCustomPrinter* p = GetPrinters().CurrentPrinter();
        p->SetPaperForPrint(9, poPortrait, 1, c.Before, 7, 0, 0);
        User.Form([&c](TCustomForm* f) {
            static_cast<TPrinterPropertiesForm*>(f)->cbDuplex->SetItemIndex(c.Chosen);
            return mrOk;
        });
        Dialog->PropButton->Click();
        EXPECT_EQ(Dialog->DuplexChoice, c.After) << c.Shown;
        EXPECT_EQ(Dialog->DuplexCB->Text(), c.Shown);
        p->ChosenDuplex = p->ChosenBin = -1;
    }
}

TEST_F(PrintDialogTest, PrintingToAFileAsksForTheFile) {
    TvrCustomPrinter* pdf = GetPrinters().Items(GetPrinters().IndexOf("PDF"));
    auto toFile = [this](TvrPrintDialog* d) {
        Choose("PDF");
        d->FileCB->SetChecked(true);
        return mrOk;
    };
    EXPECT_EQ(Run(toFile, [this] { User.File("/tmp/orvanta out/notice.pdf"); }), mrOk);
    ASSERT_EQ(User.Requests().size(), 2u);
    EXPECT_EQ(User.Requests()[1].Kind, TInteractionKind::SaveFile);
    EXPECT_EQ(User.Requests()[1].Caption, "打印至文件");
    EXPECT_EQ(User.Requests()[1].Filter, "打印机文件 (*.prn)|*.prn");
    EXPECT_EQ(pdf->FileName, "/tmp/orvanta out/notice.prn");

    // Cancelling the file cancels the print; the printer chosen stays current.
    Report.PrintOptions()->Copies = 5;
    Dialog = std::make_unique<TvrPrintDialog>(nullptr);
    Dialog->EditedReport = &Report;
    GetPrinters().SetActivePrinterIndex(1);
    Dialog->PreviousPrinterIndex = 1;
    EXPECT_EQ(Run(
                  [toFile](TvrPrintDialog* d) {
                      const int result = toFile(d);
                      d->CopiesE->SetText("2");
                      return result;
                  },
                  [this] { User.Cancel(); }),
              mrCancel);
    EXPECT_EQ(Dialog->ModalResult(), mrCancel);
    EXPECT_EQ(GetPrinters().ActivePrinterIndex(), 2);
    EXPECT_EQ(pdf->FileName, "");
    EXPECT_EQ(Report.PrintOptions()->Copies, 5);
}

TEST_F(PrintDialogTest, TheOptionsAreShownAndWrittenBackOnOk) {
    TvrPrintOptions& o = *Report.PrintOptions();
    o.Copies = 2;
    o.Collate = false;
    o.PageNumbers = "2-4";
    o.PrintPages = ppOdd;
    o.Reverse = true;
    o.PrintMode = pmJoin;
    o.PrintOnSheet = DMPAPER_A3;
    Dialog->DuplexChoice = dmHorizontal;
    Choose(TCupsTestServer::PaperQueue);
    Report.PreparedPages()->CurPreviewPage = 7;
    EXPECT_EQ(Run([](TvrPrintDialog* d) {
                  EXPECT_EQ(d->CopiesE->Text(), "2");
                  EXPECT_EQ(d->UpDown1->Position(), 2);
                  EXPECT_FALSE(d->CollateCB->Checked());
                  EXPECT_TRUE(d->PageNumbersRB->Checked());
                  EXPECT_EQ(d->PageNumbersE->Text(), "2-4");
                  EXPECT_EQ(d->PrintPagesCB->Text(), "奇数页");
                  EXPECT_EQ(d->OrderCB->ItemIndex(), 1);
                  EXPECT_EQ(d->PrintModeCB->ItemIndex(), pmJoin);
                  EXPECT_EQ(d->DuplexCB->Text(), "水平");
                  EXPECT_EQ(d->PagPageSizeCB->Text(), "A3");
                  // The user's choices.
                  d->UpDown1->Click(btNext);
                  d->CollateCB->SetChecked(true);
                  d->CurPageRB->SetChecked(true);
                  d->PrintPagesCB->SetItemIndex(ppEven);
                  d->OrderCB->SetItemIndex(0);
                  d->DuplexCB->SetItemIndex(dmSimplex);
                  d->PrintModeCB->SetItemIndex(pmScale);
                  d->PagPageSizeCB->SetItemIndex(
                      GetPrinters().CurrentPrinter()->IndexOfPaper(DMPAPER_LETTER));
                  return mrOk;
              }),
              mrOk);
    EXPECT_EQ(o.Copies, 3);
    EXPECT_TRUE(o.Collate);
    EXPECT_EQ(o.PageNumbers, "7");
    EXPECT_EQ(o.PrintPages, ppEven);
    EXPECT_FALSE(o.Reverse);
    EXPECT_EQ(o.PrintMode, pmScale);
    EXPECT_EQ(o.PrintOnSheet, DMPAPER_LETTER);
    EXPECT_EQ(Dialog->DuplexChoice, dmSimplex);

    // "默认" is stored as 256; all pages as no page numbers.
    Dialog = std::make_unique<TvrPrintDialog>(nullptr);
    Dialog->EditedReport = &Report;
    EXPECT_EQ(Run([](TvrPrintDialog* d) {
                  d->AllRB->SetChecked(true);
                  d->PagPageSizeCB->SetItemIndex(0);
                  return mrOk;
              }),
              mrOk);
    EXPECT_EQ(o.PageNumbers, "");
    EXPECT_EQ(o.PrintOnSheet, 256);
}
