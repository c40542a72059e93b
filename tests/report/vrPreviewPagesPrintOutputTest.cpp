// The engine tests' 120-row list printed as a user prints it: to the PDF printer, read back with
// poppler's pdfinfo, pdftotext and pdftoppm, and to the tests' CUPS queues, whose jobs carry the
// trays, duplex and copies asked for and whose raw queue receives a dot-matrix report's bytes.
#include "../platform/gui/CupsTestServer.h"
#include "PdfInfo.h"
#include "ReviewPicture.h"
#include "TempDir.h"
#include "WhiteBitmap.h"
#include "vrEngineFixture.h"
#include "vrPrintTools.h"

#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <fstream>
#include <regex>

#include <gtest/gtest.h>

namespace {

String PageText(const String& file, int page) {
    return CommandOutput("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) +
                         " '" + file + "' -");
}

// The tops (points) of the words of page 1 that are row codes ("A001" ...), in order.
std::vector<double> RowTops(const String& file) {
    const String html = CommandOutput("pdftotext -bbox -f 1 -l 1 '" + file + "' -");
    static const std::regex word(R"re(<word xMin="[\d.]+" yMin="([\d.]+)"[^>]*>(A\d{3})</word>)re");
    std::vector<double> tops;
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        tops.push_back(std::stod((*it)[1]));
    return tops;
}

// The first rows of each run of rows holding ink (a grey level below 128).
std::vector<int> InkRuns(const std::vector<std::vector<int>>& grey) {
    std::vector<int> starts;
    bool inked = false;
    for (size_t y = 0; y < grey.size(); ++y) {
        bool ink = false;
        for (int level : grey[y])
            if (level < 128) ink = true;
        if (ink && !inked) starts.push_back(static_cast<int>(y));
        inked = ink;
    }
    return starts;
}

// A binary PGM file as rows of grey levels.
std::vector<std::vector<int>> ReadPgm(const String& file) {
    std::ifstream in(file, std::ios::binary);
    String magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    std::vector<std::vector<int>> rows(static_cast<size_t>(height),
                                       std::vector<int>(static_cast<size_t>(width)));
    for (auto& row : rows)
        for (int& level : row)
            level = static_cast<unsigned char>(in.get());
    return rows;
}

std::vector<std::vector<int>> GreyOf(TBitmap& bitmap) {
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Byte* line = bitmap.ScanLine(y);
        std::vector<int> row;
        for (int x = 0; x < bitmap.Width(); ++x)
            row.push_back((line[x * 3] + line[x * 3 + 1] + line[x * 3 + 2]) / 3);
        rows.push_back(row);
    }
    return rows;
}

class PrintedList : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        Server = TCupsTestServer::Shared();
        if (!Server) GTEST_FAIL() << TCupsTestServer::Problem();
        GetPrinters().Fill();
        MakeTable(GroupedRows());
        LoadLayout(GroupedLayout);
        ASSERT_TRUE(Prepare()) << Report->ErrorList()->Text();
        ASSERT_EQ(Pages()->GetPageCount(), 3);
        Report->ReportOptions()->Name = "物业收费清单";
        Report->PrintOptions()->ShowDialog = false;
        FirstJob = Server->LastJobId();
    }
    // Prints to the PDF printer into the file; its name.
    String PrintToPdf(const String& name) {
        Report->PrintOptions()->Printer = TPrinter::PdfPrinterName;
        Report->PrintOptions()->OutputFileName = Dir.File(name);
        EXPECT_TRUE(Pages()->SendToPrinter());
        return Dir.File(name);
    }
    TCupsTestServer* Server = nullptr;
    int FirstJob = 0;
};

} // namespace

TEST_F(PrintedList, ThePdfPrintersPagesReadBack) {
    const String file = PrintToPdf("list.pdf");
    EXPECT_EQ(PdfPageSizes(file, 3), (std::vector<std::string>{"595x842", "595x842", "595x842"}));
    const struct {
        int Page;
        std::vector<const char*> Texts;
    } pages[] = {{1, {"物业收费清单", "A001", "A040", "820.00", "A043", "第 1 页，共 3 页"}},
                 {2, {"A044", "2420.00", "A088", "第 2 页，共 3 页"}},
                 {3, {"A089", "A120", "4020.00", "第 3 页，共 3 页"}}};
    for (const auto& p : pages) {
        const String text = PageText(file, p.Page);
        for (const char* expected : p.Texts)
            EXPECT_NE(text.find(expected), String::npos) << p.Page << ": " << expected << "\n" << text;
    }
    EXPECT_EQ(PageText(file, 2).find("A043"), String::npos);

    // Rows 20 units (15 points) apart, 43 on the first page.
    const std::vector<double> tops = RowTops(file);
    ASSERT_EQ(tops.size(), 43u);
    for (size_t i = 1; i < 40; ++i)
        EXPECT_NEAR(tops[i] - tops[i - 1], 15, 0.05) << i;

    // Page 1 at 96 dots per inch inks the rows that PaintPage draws offscreen at scale 1.
    CommandOutput("pdftoppm -r 96 -f 1 -l 1 -gray -singlefile '" + file + "' '" + Dir.File("page1") + "'");
    CommandOutput("pdftoppm -r 96 -f 1 -l 1 -png -singlefile '" + file + "' '" +
                  ReviewPicturePath("report-printed-page1") + "'");
    const std::vector<int> printed = InkRuns(ReadPgm(Dir.File("page1.pgm")));
    TWhiteBitmap painted(794, 1123);
    Pages()->PaintPage(0, painted.Canvas(), 1, 1, 0, 0);
    const std::vector<int> drawn = InkRuns(GreyOf(painted.Bitmap));
    ASSERT_EQ(printed.size(), drawn.size());
    ASSERT_GE(printed.size(), 45u); // title, header, group header, 43 rows, footers
    for (size_t i = 0; i < printed.size(); ++i)
        EXPECT_NEAR(printed[i], drawn[i], 2) << i; // hinting moves a glyph by a pixel or two
}

TEST_F(PrintedList, RangesCopiesAndJoinedPagesShowInTheFile) {
    TvrPrintOptions& o = *Report->PrintOptions();
    o.PageNumbers = "2";
    String file = PrintToPdf("range.pdf");
    EXPECT_EQ(PdfPageSizes(file, 9).size(), 1u);
    EXPECT_NE(PageText(file, 1).find("2420.00"), String::npos);

    o.PageNumbers.clear();
    o.Copies = 2;
    file = PrintToPdf("copies.pdf");
    EXPECT_EQ(PdfPageSizes(file, 9).size(), 6u);
    EXPECT_NE(PageText(file, 4).find("第 1 页，共 3 页"), String::npos);

    o.Copies = 1;
    o.PrintMode = pmJoin;
    o.PrintOnSheet = DMPAPER_A3;
    file = PrintToPdf("joined.pdf");
    EXPECT_EQ(PdfPageSizes(file, 9), (std::vector<std::string>{"1191x842", "1191x842"}));
    const String first = PageText(file, 1);
    for (const char* expected : {"第 1 页，共 3 页", "第 2 页，共 3 页", "820.00", "2420.00"})
        EXPECT_NE(first.find(expected), String::npos) << expected;
    EXPECT_NE(PageText(file, 2).find("4020.00"), String::npos);
    CommandOutput("pdftoppm -r 48 -f 1 -l 1 -png -singlefile '" + file + "' '" +
                  ReviewPicturePath("report-joined-a3") + "'");
}

// The paper queue gets a job per tray and duplex, each with the copies asked for.
TEST_F(PrintedList, TheQueuesJobsCarryTrayDuplexAndCopies) {
    for (TvrComponent* page : Pages()->SourcePages()) {
        auto* p = static_cast<TvrReportPage*>(page);
        p->Bin = DMBIN_UPPER;
        p->BinOtherPages = DMBIN_LOWER;
        p->Duplex = dmVertical;
    }
    Pages()->ClearPageCache();
    TvrPrintOptions& o = *Report->PrintOptions();
    o.Printer = TCupsTestServer::PaperQueue;
    o.Copies = 2;
    o.Collate = false;
    EXPECT_TRUE(Pages()->SendToPrinter());
    const auto jobs = Server->JobsAfter(FirstJob);
    ASSERT_EQ(jobs.size(), 2u);
    const char* trays[] = {"Upper", "Lower"};
    const int pages[] = {1, 2};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(jobs[i].Title, "物业收费清单");
        EXPECT_EQ(jobs[i].Attributes.at("InputSlot"), trays[i]);
        EXPECT_EQ(jobs[i].Attributes.at("sides"), "two-sided-long-edge");
        EXPECT_EQ(jobs[i].Attributes.at("copies"), "2");
        const String file = Dir.File("job" + IntToStr(static_cast<Integer>(i)) + ".pdf");
        std::ofstream(file, std::ios::binary) << jobs[i].Output;
        EXPECT_EQ(PdfPageSizes(file, 9).size(), static_cast<size_t>(pages[i]));
    }
}

TEST_F(PrintedList, ADotMatrixReportsBytesReachTheRawQueueUnchanged) {
    Report->DotMatrixReport = true;
    Report->PrintOptions()->Printer = TCupsTestServer::RawQueue;
    Report->PrintOptions()->PageNumbers = "3";
    TDotMatrixStandIn filter(nullptr);
    EXPECT_TRUE(Pages()->SendToPrinter());
    const auto jobs = Server->JobsAfter(FirstJob);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].Queue, TCupsTestServer::RawQueue);
    EXPECT_EQ(jobs[0].Title, "dot-matrix");
    EXPECT_EQ(jobs[0].Output, filter.Sent);
    EXPECT_NE(filter.Sent.find(AnsiFromUtf8("第 3 页，共 3 页")), std::string::npos);
    EXPECT_NE(filter.Sent.find("4020.00"), std::string::npos);
    EXPECT_EQ(filter.Sent.find("A001"), std::string::npos);
}
