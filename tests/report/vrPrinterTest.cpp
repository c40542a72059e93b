// The printer layer over the tests' own CUPS server (two queues) and the PDF printer: the list and
// its default, the virtual printer, millimetre metrics, what each page's settings send with the
// job, the properties dialog's choices, raw bytes, failures that reach the caller, the report's
// printer and the page defaults taken from the current printer.
#include "../platform/gui/CupsTestServer.h"
#include "PdfInfo.h"
#include "TempDir.h"

#include "gui/Interaction.h"
#include "gui/PrinterProperties.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrPrinter.h"
#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

namespace {

const String PaperQueue = TCupsTestServer::PaperQueue;
const String RawQueue = TCupsTestServer::RawQueue;

// Replaces the names the printer list is made from for the scope, and makes the list from them.
class TNamesScope {
public:
    explicit TNamesScope(TvrPrinterNames names)
        : FPrevious(TvrPrinters::SetNamesReader([names] { return names; })) {
        GetPrinters().Fill();
    }
    ~TNamesScope() {
        TvrPrinters::SetNamesReader(FPrevious);
        GetPrinters().Fill();
    }

private:
    TvrPrinterNamesReader FPrevious;
};

class PrinterLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Server = TCupsTestServer::Shared();
        if (!Server) GTEST_FAIL() << TCupsTestServer::Problem();
        GetPrinters().Fill();
        FirstJob = Server->LastJobId();
    }
    TvrCustomPrinter* Named(const String& name) {
        TvrPrinters& printers = GetPrinters();
        const Integer index = printers.IndexOf(name);
        EXPECT_GE(index, 0) << name;
        printers.SetActivePrinterIndex(index);
        return printers.CurrentPrinter();
    }
    std::vector<TCupsTestServer::TJob> Jobs() { return Server->JobsAfter(FirstJob); }
    // One page with a line of text.
    static void PrintPage(TvrCustomPrinter* p, const String& text) {
        p->StartPage();
        p->PrinterCanvas()->TextOut(100, 100, text);
        p->EndPage();
    }
    TCupsTestServer* Server = nullptr;
    int FirstJob = 0;
};

} // namespace

TEST_F(PrinterLayerTest, ListsTheQueuesThenPdfWithTheCupsDefaultCurrent) {
    TvrPrinters& printers = GetPrinters();
    EXPECT_EQ(printers.PrinterNames().Text(), PaperQueue + "\r\n" + RawQueue + "\r\nPDF\r\n");
    EXPECT_TRUE(printers.PhysicalPrintersFound());
    EXPECT_EQ(printers.ActivePrinterIndex(), 1);
    EXPECT_EQ(printers.CurrentPrinter()->ClassName(), "TvrPrinter");
    EXPECT_EQ(printers.Items(2)->PortName(), GetTempDir()); // where the PDF printer's files go
    EXPECT_EQ(printers.Items(0)->PortName(), "");
    // Outside the list there is no printer, and no index to choose.
    EXPECT_EQ(printers.Items(-1), nullptr);
    EXPECT_EQ(printers.Items(3), nullptr);
    for (Integer refused : {3, 7, -2}) {
        printers.SetActivePrinterIndex(refused);
        EXPECT_EQ(printers.ActivePrinterIndex(), 1) << refused;
    }
    EXPECT_EQ(printers.IndexOf("pdf"), 2);
    EXPECT_EQ(printers.IndexOf("none"), -1);
}

TEST_F(PrinterLayerTest, TheDefaultEntryIsComparedWithoutRegardToCase) {
    struct TCase {
        const char* DefaultName;
        Integer Current;
    } cases[] = {{"orvanta-paper", 0}, {"ORVANTA-RAW", 1}, {"pdf", 2}, {"Gone", 0}, {"", 0}};
    for (const TCase& c : cases) {
        TNamesScope names({{PaperQueue, RawQueue, "PDF"}, c.DefaultName});
        EXPECT_EQ(GetPrinters().ActivePrinterIndex(), c.Current) << c.DefaultName;
    }
}

TEST_F(PrinterLayerTest, WithNoPrinterTheVirtualPrinterAnswersFromThePaperTable) {
    TNamesScope names({{}, ""});
    TvrPrinters& printers = GetPrinters();
    ASSERT_EQ(printers.Count(), 1);
    EXPECT_FALSE(printers.PhysicalPrintersFound());
    EXPECT_EQ(printers.PrinterNames().Strings(0), "虚拟");
    TvrCustomPrinter* p = printers.CurrentPrinter();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->ClassName(), "TvrVirtualPrinter");
    EXPECT_EQ(p->DPI().X, 600);
    EXPECT_EQ(p->DPI().Y, 600);
    EXPECT_EQ(p->DefPaper(), 9);
    EXPECT_EQ(p->PaperList()->Count(), 67);
    EXPECT_EQ(p->PaperList()->Strings(0), "自定");
    EXPECT_EQ(p->PaperNameToNumber(p->PaperList()->Strings(0)), 256);
    EXPECT_EQ(p->BinList()->Strings(0), "预设");
    EXPECT_EQ(p->BinNameToNumber("预设"), 7);
    EXPECT_EQ(p->PaperNameToNumber("No such paper"), 256);
    EXPECT_EQ(p->BinNameToNumber("No such bin"), 7);
    EXPECT_EQ(p->IndexOfPaper(48), -1);
    EXPECT_EQ(p->IndexOfPaper(9), 9);
    struct TCase {
        Integer Paper;
        TPrinterOrientation Orientation;
        Integer CurrentPaper;
        Extended Width, Height;
    } cases[] = {{11, poLandscape, 11, 210, 148},
                 {9, poPortrait, 9, 210, 297},
                 {48, poPortrait, 256, 100, 50},
                 {256, poLandscape, 256, 100, 50}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Paper);
        p->SetPaperForView(c.Paper, c.Orientation, 100, 50);
        EXPECT_EQ(p->Paper(), c.CurrentPaper);
        EXPECT_EQ(p->PaperWidth(), c.Width);
        EXPECT_EQ(p->PaperHeight(), c.Height);
        EXPECT_EQ(p->LeftMargin(), 5);
        EXPECT_EQ(p->BottomMargin(), 5);
    }
}

TEST_F(PrinterLayerTest, MetricsOfThePapersInMillimetresAt600Dpi) {
    struct TCase {
        String Printer;
        Integer Paper;
        Extended Width, Height, Margin;
    } cases[] = {{PaperQueue, 9, 210, 297, 4}, {PaperQueue, 8, 297, 420, 4}, {RawQueue, 9, 210, 297, 0},
                 {RawQueue, 8, 297, 420, 0},   {"PDF", 9, 210, 297, 0},      {"PDF", 8, 297, 420, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Printer + " " + std::to_string(c.Paper));
        TvrCustomPrinter* p = Named(c.Printer);
        p->SetPaperForView(c.Paper, poPortrait, 0, 0);
        EXPECT_EQ(p->DPI().X, 600);
        EXPECT_EQ(p->Paper(), c.Paper);
        EXPECT_EQ(p->PaperWidth(), c.Width);
        EXPECT_EQ(p->PaperHeight(), c.Height);
        for (Extended margin : {p->LeftMargin(), p->TopMargin(), p->RightMargin(), p->BottomMargin()})
            EXPECT_EQ(margin, c.Margin);
        p->SetPaperForView(c.Paper, poLandscape, 0, 0);
        EXPECT_EQ(p->PaperWidth(), c.Height);
        EXPECT_EQ(p->Orientation(), poLandscape);
    }
    TvrCustomPrinter* paper = Named(PaperQueue);
    EXPECT_EQ(paper->BinList()->Text(), "预设\r\nUpper\r\nLower\r\n");
    EXPECT_EQ(paper->BinNameToNumber("lower"), DMBIN_LOWER);
    EXPECT_EQ(paper->IndexOfPaper(DMPAPER_A3), paper->PaperList()->IndexOf("A3"));
    EXPECT_EQ(paper->DefPaper(), 9);
}

// Each page asks for its own duplex and bin; every change starts a job of its own, which carries
// what the page asked for.
TEST_F(PrinterLayerTest, EachPagesDuplexAndBinGoWithItsJob) {
    TvrCustomPrinter* p = Named(PaperQueue);
    struct TPage {
        TvrDuplexMode Duplex;
        Integer Bin;
        const char* Sides;
        const char* Tray;
    } pages[] = {{dmSimplex, 7, "one-sided", "Lower"},
                 {dmVertical, DMBIN_UPPER, "two-sided-long-edge", "Upper"},
                 {dmHorizontal, DMBIN_LOWER, "two-sided-short-edge", "Lower"},
                 {dmNone, 7, "two-sided-long-edge", "Lower"}};
    p->Title = "账单";
    p->StartDocument();
    for (const TPage& page : pages) {
        p->SetPaperForPrint(9, poPortrait, 2, page.Duplex, page.Bin, 0, 0);
        PrintPage(p, page.Sides);
    }
    p->EndDocument();
    EXPECT_FALSE(p->Printing());
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(jobs[i].Title, "账单");
        EXPECT_EQ(jobs[i].Attributes.at("sides"), pages[i].Sides);
        EXPECT_EQ(jobs[i].Attributes.at("InputSlot"), pages[i].Tray);
        EXPECT_EQ(jobs[i].Attributes.at("copies"), "2");
    }
}

// A tray chosen in the properties dialog wins over the pages' bins until the document ends; a
// cancelled dialog chooses nothing.
TEST_F(PrinterLayerTest, ATrayChosenInThePropertiesDialogWinsUntilTheDocumentEnds) {
    TvrCustomPrinter* p = Named(PaperQueue);
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(mrCancel);
    p->ShowPropertiesDialog();
    EXPECT_EQ(p->ChosenBin, -1);
    EXPECT_EQ(p->ChosenDuplex, -1);
    user.Form([](TCustomForm* f) {
        auto* form = static_cast<TPrinterPropertiesForm*>(f);
        EXPECT_EQ(form->cbTray->Items()->Text(), "自动选择\r\nUpper\r\nLower\r\n");
        form->cbTray->SetItemIndex(1);
        return mrOk;
    });
    p->ShowPropertiesDialog();
    EXPECT_EQ(p->ChosenBin, DMBIN_UPPER);
    EXPECT_EQ(p->ChosenDuplex, -1); // the duplex stayed as it was

    p->StartDocument();
    for (Integer bin : {Integer(DMBIN_LOWER), Integer(DMBIN_AUTO)}) {
        p->SetPaperForPrint(9, poPortrait, 1, dmSimplex, bin, 0, 0);
        PrintPage(p, "page");
    }
    p->EndDocument();
    EXPECT_EQ(p->ChosenBin, -1);
    p->StartDocument();
    p->SetPaperForPrint(9, poPortrait, 1, dmSimplex, 7, 0, 0);
    PrintPage(p, "next");
    p->EndDocument();
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].Attributes.at("InputSlot"), "Upper");
    EXPECT_EQ(jobs[1].Attributes.at("InputSlot"), "Lower");
}

TEST_F(PrinterLayerTest, PaperChangesBetweenPagesShowInTheFile) {
    TempDir dir;
    TvrCustomPrinter* p = Named("PDF");
    p->FileName = dir.File("pages.prn");
    p->StartDocument();
    p->SetPaperForPrint(9, poPortrait, 1, dmNone, 7, 0, 0);
    PrintPage(p, "A4");
    p->SetPaperForPrint(8, poLandscape, 1, dmNone, 7, 0, 0);
    EXPECT_EQ(p->PaperWidth(), 420);
    PrintPage(p, "A3");
    p->SetPaperForPrint(256, poLandscape, 1, dmNone, 7, 150, 100);
    PrintPage(p, "150 x 100");
    p->EndDocument();
    p->FileName.clear();
    EXPECT_EQ(PdfPageSizes(dir.File("pages.prn"), 3),
              (std::vector<std::string>{"595x842", "1191x842", "425x283"}));
}

TEST_F(PrinterLayerTest, ARawJobsBytesArriveUnchanged) {
    TvrCustomPrinter* p = Named(RawQueue);
    p->Title = "Receipt";
    const std::string bytes("\x1B@\xCA\xD5\xBE\xDD\x1B\x45\r\n\0\xFF\x0C", 14);
    p->StartRawDocument();
    p->WriteRawData(bytes.substr(0, 3));
    p->WriteRawData(bytes.substr(3));
    p->EndRawDocument();
    EXPECT_FALSE(p->Printing());
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].Output, bytes);

    // Printed to a file, the same bytes land in the file and no job is sent.
    TempDir dir;
    p->FileName = dir.File("receipt.prn");
    p->StartRawDocument();
    p->WriteRawData(bytes);
    p->EndRawDocument();
    p->FileName.clear();
    EXPECT_EQ(TempDir::ReadAll(dir.File("receipt.prn")), bytes);
    EXPECT_EQ(Jobs().size(), 1u);
}

// A printer that the platform no longer offers has no resolution.
TEST_F(PrinterLayerTest, APrinterWithoutResolutionIsNotValid) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    user.Answer(mrOk);
    TNamesScope names({{"Vanished", "PDF"}, "Vanished"});
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Text, "Printer selected is not valid");
    EXPECT_EQ(user.Requests()[0].Caption, "错误");
    TvrCustomPrinter* p = GetPrinters().CurrentPrinter();
    EXPECT_EQ(p->PrinterName(), "Vanished");
    EXPECT_FALSE(p->Initialized());
    EXPECT_EQ(p->PaperList()->Count(), 1);
    EXPECT_EQ(p->BinList()->Count(), 1);
}

// A document or raw call that fails reaches the caller, and the printer is idle for the next one.
TEST_F(PrinterLayerTest, FailuresReachTheCallerWithThePrinterIdle) {
    TempDir dir;
    TvrCustomPrinter* pdf = Named("PDF");
    pdf->FileName = dir.File("no such folder/out.prn");
    pdf->StartDocument();
    EXPECT_THROW(pdf->StartPage(), EPrinter);
    EXPECT_FALSE(pdf->Printing());
    pdf->FileName = dir.File("out.prn");
    pdf->StartDocument();
    PrintPage(pdf, "x");
    pdf->EndDocument();
    pdf->FileName.clear();
    EXPECT_TRUE(FileExists(dir.File("out.prn")));

    TvrCustomPrinter* queue = Named(PaperQueue);
    Server->SetAccepting(PaperQueue, false);
    queue->StartDocument();
    queue->ChosenBin = DMBIN_UPPER;
    PrintPage(queue, "refused");
    EXPECT_THROW(queue->EndDocument(), EPrinter);
    EXPECT_FALSE(queue->Printing());
    EXPECT_EQ(queue->ChosenBin, -1);
    Server->SetAccepting(PaperQueue, true);

    TCupsTestServer own;
    ASSERT_TRUE(own.Running()) << TCupsTestServer::Problem();
    GetPrinters().Fill();
    TvrCustomPrinter* raw = Named(RawQueue);
    raw->StartRawDocument();
    own.Stop();
    EXPECT_THROW(
        {
            for (int i = 0; i < 8; ++i)
                raw->WriteRawData(std::string(1 << 20, 'x'));
        },
        EPrinter);
    EXPECT_FALSE(raw->Printing());
    raw->EndRawDocument();
}

TEST_F(PrinterLayerTest, TheReportSelectsThePrinterItsOptionsName) {
    TvrReport report(nullptr);
    TvrPrinters& printers = GetPrinters();
    EXPECT_EQ(report.PrintOptions()->Printer, "预设");
    report.SelectPrinter(); // not a printer of the list: nothing changes
    EXPECT_EQ(printers.ActivePrinterIndex(), 1);
    report.PrintOptions()->Printer = "orvanta-paper";
    report.SelectPrinter();
    EXPECT_EQ(printers.ActivePrinterIndex(), 0);
    report.PrintOptions()->Printer = "PDF";
    report.SelectPrinter();
    EXPECT_EQ(printers.ActivePrinterIndex(), 2);
}

TEST_F(PrinterLayerTest, ANewPageTakesTheCurrentPrintersDefaults) {
    Named("PDF");
    TvrReportPage page(nullptr);
    page.SetDefaults();
    EXPECT_EQ(page.LeftMargin, 10);
    EXPECT_EQ(page.TopMargin, 10);
    EXPECT_EQ(page.RightMargin, 10);
    EXPECT_EQ(page.BottomMargin, 10);
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_EQ(page.Orientation(), poPortrait);
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 1123);
}
