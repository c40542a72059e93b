// The printer on CUPS queues of the tests' own server: what a queue offers, the options each job
// carries, a new job where tray or duplex change, papers changing between pages, raw bytes, and
// failures reported instead of lost.
#include "CupsTestServer.h"
#include "GuiTestSupport.h"
#include "PdfInfo.h"

#include "gui/Printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace {

// Selects a printer by name on a fresh printer object (which reads the queues anew).
std::unique_ptr<TPrinter> PrinterNamed(const String& name) {
    auto p = std::make_unique<TPrinter>();
    const auto& names = p->Printers();
    auto it = std::find(names.begin(), names.end(), name);
    EXPECT_NE(it, names.end()) << name;
    if (it != names.end()) p->SetPrinterIndex(static_cast<int>(it - names.begin()));
    return p;
}

int PageCount(const String& pdf) {
    static const std::regex page("/Type\\s*/Page(?![a-zA-Z])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

class PrinterQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        Server = TCupsTestServer::Shared();
        if (!Server) GTEST_FAIL() << TCupsTestServer::Problem();
        FirstJob = Server->LastJobId();
    }
    std::vector<TCupsTestServer::TJob> Jobs() { return Server->JobsAfter(FirstJob); }
    TCupsTestServer* Server = nullptr;
    int FirstJob = 0;
};

} // namespace

TEST_F(PrinterQueueTest, AQueueOffersThePapersTraysAndDuplexOfItsDriver) {
    auto p = PrinterNamed(TCupsTestServer::PaperQueue);
    EXPECT_EQ(p->DefaultPrinterName(), TCupsTestServer::RawQueue);
    std::vector<int> papers;
    for (const TPaperInfo& paper : p->Papers()) {
        papers.push_back(paper.Number);
        if (paper.Number == DMPAPER_A3) {
            EXPECT_EQ(paper.Name, "A3");
        }
    }
    std::sort(papers.begin(), papers.end());
    EXPECT_EQ(papers, (std::vector<int>{DMPAPER_LETTER, DMPAPER_A3, DMPAPER_A4}));
    EXPECT_EQ(p->DefaultPaper(), DMPAPER_A4);
    const std::vector<TTrayInfo> trays = p->Trays();
    ASSERT_EQ(trays.size(), 2u);
    EXPECT_EQ(trays[0].Name, "Upper");
    EXPECT_EQ(trays[0].Number, DMBIN_UPPER);
    EXPECT_EQ(trays[1].Name, "Lower");
    EXPECT_EQ(trays[1].Number, DMBIN_LOWER);
    EXPECT_EQ(p->DefaultTray(), "Lower");
    EXPECT_TRUE(p->CanDuplex());
    EXPECT_EQ(p->DefaultDuplex(), DMDUP_VERTICAL);
    // The driver's 12-point border, at 600 dots per inch.
    p->SetPaper(DMPAPER_A4);
    EXPECT_EQ(p->OffsetX(), 100);
    EXPECT_EQ(p->PaperWidth() - p->PageWidth(), 200);

    auto raw = PrinterNamed(TCupsTestServer::RawQueue);
    EXPECT_TRUE(raw->Trays().empty());
    EXPECT_FALSE(raw->CanDuplex());
    EXPECT_EQ(raw->DefaultDuplex(), DMDUP_SIMPLEX);
    raw->SetPaper(DMPAPER_A4);
    EXPECT_EQ(raw->OffsetX(), 0);
}

// Pages 1 and 2 go in one job on the default tray; the tray and duplex chosen for page 3 start a
// second job of the same title.
TEST_F(PrinterQueueTest, ATrayOrDuplexChangeBetweenPagesStartsANewJob) {
    auto p = PrinterNamed(TCupsTestServer::PaperQueue);
    p->SetTitle("收费通知");
    p->SetCopies(2);
    p->SetDuplex(DMDUP_SIMPLEX);
    p->SetTray("");
    p->BeginDoc();
    p->Canvas()->TextOut(100, 100, "1");
    p->NewPage();
    p->Canvas()->TextOut(100, 100, "2");
    p->SetTray("Upper");
    p->SetDuplex(DMDUP_HORIZONTAL);
    p->NewPage();
    EXPECT_EQ(p->PageNumber(), 3);
    p->Canvas()->TextOut(100, 100, "3");
    p->EndDoc();
    EXPECT_FALSE(p->Printing());
    EXPECT_EQ(p->LastOutputFile(), "");

    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    struct TExpected {
        const char* Tray;
        const char* Sides;
        int Pages;
    } expected[] = {{"Lower", "one-sided", 2}, {"Upper", "two-sided-short-edge", 1}};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(jobs[i].Queue, TCupsTestServer::PaperQueue);
        EXPECT_EQ(jobs[i].Title, "收费通知");
        EXPECT_EQ(jobs[i].Attributes.at("InputSlot"), expected[i].Tray);
        EXPECT_EQ(jobs[i].Attributes.at("sides"), expected[i].Sides);
        EXPECT_EQ(jobs[i].Attributes.at("copies"), "2");
        EXPECT_EQ(jobs[i].Output.substr(0, 5), "%PDF-");
        EXPECT_EQ(PageCount(jobs[i].Output), expected[i].Pages);
    }
}

TEST_F(PrinterQueueTest, PaperAndOrientationChangeBetweenPages) {
    TTempDir dir;
    auto p = PrinterNamed(TPrinter::PdfPrinterName);
    p->SetOutputFile(dir.File("mixed.pdf"));
    p->SetPaper(DMPAPER_A4);
    p->SetOrientation(poPortrait);
    p->BeginDoc();
    p->Canvas()->TextOut(10, 10, "A4");
    p->SetPaper(DMPAPER_A3);
    p->SetOrientation(poLandscape);
    p->NewPage();
    EXPECT_EQ(p->PageWidth(), 9921); // A3 across, at 600 dots per inch
    p->Canvas()->TextOut(10, 10, "A3");
    p->SetPaper(DMPAPER_LETTER);
    p->SetOrientation(poPortrait);
    p->NewPage();
    p->Canvas()->TextOut(10, 10, "Letter");
    p->EndDoc();
    EXPECT_EQ(PdfPageSizes(dir.File("mixed.pdf"), 3),
              (std::vector<std::string>{"595x842", "1191x842", "612x792"}));
}

TEST_F(PrinterQueueTest, RawBytesReachTheQueueUnchanged) {
    auto p = PrinterNamed(TCupsTestServer::RawQueue);
    p->SetTitle("票据");
    const std::string bytes("\x1B@\x1B\x45\xC6\xB1\xBE\xDD\r\n\0\xFF\x0C", 14);
    p->BeginRawDoc();
    p->WriteRaw(bytes.substr(0, 6));
    p->WriteRaw(bytes.substr(6));
    p->EndRawDoc();
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].Title, "票据");
    EXPECT_EQ(jobs[0].Output, bytes);
}

TEST_F(PrinterQueueTest, ARefusedJobIsReported) {
    Server->SetAccepting(TCupsTestServer::PaperQueue, false);
    auto p = PrinterNamed(TCupsTestServer::PaperQueue);
    p->BeginDoc();
    p->Canvas()->TextOut(10, 10, "x");
    EXPECT_THROW(p->EndDoc(), EPrinter);
    EXPECT_FALSE(p->Printing());
    EXPECT_THROW(p->BeginRawDoc(), EPrinter);
    EXPECT_FALSE(p->Printing());
    Server->SetAccepting(TCupsTestServer::PaperQueue, true);
    p->BeginDoc();
    p->EndDoc();
    EXPECT_EQ(Jobs().size(), 1u);
}

// The server goes away while a raw document is sent: the write says so.
TEST_F(PrinterQueueTest, AShortRawWriteIsReported) {
    TCupsTestServer own;
    ASSERT_TRUE(own.Running()) << TCupsTestServer::Problem();
    auto p = PrinterNamed(TCupsTestServer::RawQueue);
    p->BeginRawDoc();
    own.Stop();
    const std::string block(1 << 20, 'x');
    EXPECT_THROW(
        {
            for (int i = 0; i < 8; ++i)
                p->WriteRaw(block);
        },
        EPrinter);
    p->AbortRawDoc();
    EXPECT_FALSE(p->Printing());
}
