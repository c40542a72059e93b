#include "GuiTestSupport.h"

#include "gui/Printers.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>

namespace {

String ReadFile(const String& name) {
    std::ifstream f(name, std::ios::binary);
    return String(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

int PdfPageCount(const String& pdf) {
    static const std::regex page("/Type\\s*/Page(?![a-zA-Z])");
    return static_cast<int>(
        std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

// Selects the PDF printer of the program's printer object.
TPrinter* PdfPrinter() {
    TPrinter* p = Printer();
    const auto& names = p->Printers();
    auto it = std::find(names.begin(), names.end(), String(TPrinter::PdfPrinterName));
    p->SetPrinterIndex(static_cast<int>(it - names.begin()));
    p->SetOrientation(poPortrait);
    p->SetPaper(DMPAPER_A4);
    p->SetResolution(600);
    return p;
}

} // namespace

TEST(Printer, ThePdfPrinterIsAlwaysThere) {
    TPrinter* p = Printer();
    const auto& names = p->Printers();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), TPrinter::PdfPrinterName);
    if (names.size() == 1) {
        EXPECT_EQ(p->DefaultPrinterName(), TPrinter::PdfPrinterName);
        EXPECT_EQ(p->PrinterIndex(), 0);
    }
    EXPECT_THROW(p->SetPrinterIndex(static_cast<int>(names.size())), EPrinter);
    EXPECT_THROW(p->NewPage(), EPrinter);
    EXPECT_THROW(p->EndDoc(), EPrinter);
}

TEST(Printer, PageMetricsFollowPaperOrientationAndResolution) {
    TPrinter* p = PdfPrinter();
    EXPECT_EQ(p->PageWidth(), 4961); // A4 at 600 dots per inch
    EXPECT_EQ(p->PageHeight(), 7016);
    EXPECT_EQ(p->PaperWidth(), 4961);
    EXPECT_EQ(p->OffsetX(), 0);
    TCanvas* c = p->Canvas();
    EXPECT_EQ(c->GetDeviceCaps(LOGPIXELSX), 600);
    EXPECT_EQ(c->GetDeviceCaps(HORZRES), 4961);
    EXPECT_EQ(c->GetDeviceCaps(PHYSICALHEIGHT), 7016);
    EXPECT_EQ(c->GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(c->Font()->PixelsPerInch(), 600);
    p->SetOrientation(poLandscape);
    EXPECT_EQ(p->PageWidth(), 7016);
    EXPECT_EQ(p->PageHeight(), 4961);
    p->SetOrientation(poPortrait);
    EXPECT_TRUE(p->SetPaper(DMPAPER_LETTER));
    EXPECT_EQ(p->PageWidth(), 5100);
    EXPECT_EQ(p->PageHeight(), 6600);
    p->SetCustomPaper(100, 50);
    EXPECT_EQ(p->Paper(), DMPAPER_USER);
    EXPECT_EQ(p->PageWidth(), 2362);
    EXPECT_FALSE(p->SetPaper(4000));
    p->SetResolution(300);
    EXPECT_EQ(p->PageWidth(), 1181);
    p->SetPaper(DMPAPER_A4);
    p->SetResolution(600);
}

TEST(Printer, AThreePageDocumentIsAPdfOfThreePages) {
    TTempDir dir;
    TPrinter* p = PdfPrinter();
    String file = dir.File("three.pdf");
    p->SetOutputFile(file);
    p->SetTitle("收费明细");
    p->BeginDoc();
    EXPECT_TRUE(p->Printing());
    for (int page = 1; page <= 3; ++page) {
        if (page > 1) p->NewPage();
        EXPECT_EQ(p->PageNumber(), page);
        TCanvas* c = p->Canvas();
        c->Font()->SetName("宋体");
        c->Font()->SetSize(12);
        c->TextOut(600, 600, "第 " + std::to_string(page) + " 页");
        c->Pen()->SetWidth(5);
        c->Rectangle(500, 500, 4400, 6500);
    }
    p->EndDoc();
    EXPECT_FALSE(p->Printing());
    EXPECT_EQ(p->LastOutputFile(), file);
    String pdf = ReadFile(file);
    ASSERT_GT(pdf.size(), 100u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF"), String::npos);
    EXPECT_EQ(PdfPageCount(pdf), 3);
    EXPECT_NE(pdf.find("WenQuanYi"), String::npos); // the Chinese text's font is embedded
    EXPECT_NE(pdf.find("/MediaBox [0 0 595"), String::npos);
    p->SetOutputFile("");
}

TEST(Printer, TextAtGivenAdvancesIsOneTextItemForEachFace) {
    // Forty characters at given advances, as the report library draws its lines: one text item
    // of the page's content for the Latin stretch and one for the Chinese, not one per character.
    TTempDir dir;
    TPrinter* p = PdfPrinter();
    const String file = dir.File("advances.pdf");
    p->SetOutputFile(file);
    p->BeginDoc();
    TCanvas* c = p->Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetSize(10);
    const WideString text = u"Receipt 2026-12-11 No.0042 物业管理费合计金额";
    const std::vector<int> dx(text.size(), 90);
    c->ExtTextOut(600, 600, 0, nullptr, text, dx.data());
    p->EndDoc();
    p->SetOutputFile("");
    // The page's content inflated and its text objects counted; the text reads back.
    bool ok = false;
    const String out = RunPython("import re, subprocess, zlib\n"
                                 "d = open('" + file + "', 'rb').read()\n"
                                 "n = 0\n"
                                 "for m in re.finditer(rb'stream\\r?\\n', d):\n"
                                 "    e = d.find(b'endstream', m.end())\n"
                                 "    try:\n"
                                 "        n += len(re.findall(rb'\\bBT\\b', zlib.decompress(d[m.end():e])))\n"
                                 "    except zlib.error:\n"
                                 "        pass\n"
                                 "text = subprocess.run(['pdftotext', '" + file + "', '-'], capture_output=True).stdout\n"
                                 "print(n, ''.join(text.decode().split()))\n",
                                 ok);
    ASSERT_TRUE(ok) << out;
    EXPECT_EQ(out.substr(0, 2), "2 ") << out;
    EXPECT_NE(out.find("No.0042"), String::npos) << out;
    EXPECT_NE(out.find("物业管理费"), String::npos) << out;
}

TEST(Printer, AnAbortedDocumentLeavesNoFile) {
    TTempDir dir;
    TPrinter* p = PdfPrinter();
    String file = dir.File("aborted.pdf");
    p->SetOutputFile(file);
    p->BeginDoc();
    p->Canvas()->TextOut(10, 10, "x");
    p->Abort();
    EXPECT_TRUE(p->Aborted());
    EXPECT_FALSE(p->Printing());
    EXPECT_FALSE(std::filesystem::exists(file));
    p->SetOutputFile("");
}

TEST(Printer, RawOutputToAFileHoldsExactlyTheBytesSent) {
    TTempDir dir;
    TPrinter* p = PdfPrinter();
    String file = dir.File("raw.prn");
    p->SetOutputFile(file);
    std::string first("\x1B@\x1B\x45Receipt\r\n", 13);
    std::string second("\0\xFF\x0C", 3);
    p->BeginRawDoc();
    p->WriteRaw(first);
    p->WriteRaw(second);
    p->WriteRaw("", 0);
    p->EndRawDoc();
    EXPECT_EQ(ReadFile(file), first + second);
    EXPECT_EQ(p->LastOutputFile(), file);
    EXPECT_THROW(p->WriteRaw(first), EPrinter);
    p->SetOutputFile("");
}
